#pragma once
// Texts between the engine and Qt: both hold UTF-16, so a text crosses unit for unit. The
// engine ends message lines with CR LF and writes file-dialog filters as "Description | pattern";
// Qt wants line feeds and "Description (pattern)".

#include <QString>
#include <string>
#include <string_view>

namespace lxty::app {

inline QString Q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::u16string U(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()),
                          static_cast<std::size_t>(s.size()));
}

// Q with every CR LF (and lone CR) turned into a line feed.
QString Lines(std::u16string_view s);

// A filter of "Description | pattern[;pattern] | Description | pattern..." pairs in Qt's syntax:
// "Description (pattern pattern);;...". A description's own "(...)" is replaced by the patterns,
// and "*.*" becomes "*" (names without a dot match too). A text without "|" is Qt's already.
QString QtFileFilter(std::u16string_view filter);

} // namespace lxty::app
