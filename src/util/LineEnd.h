#pragma once
// The line end of every text this program writes: the report and the count array, the
// settings and state files, extracted text, standard output, the text window and messages.
// LF, the native line end here. Every reader accepts CR LF, LF and CR alike.

#include <string_view>

namespace lxty {

inline constexpr std::u16string_view kLineEnd = u"\n";
inline constexpr std::string_view kLineEnd8 = "\n";

} // namespace lxty
