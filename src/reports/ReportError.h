#pragma once
// The report of an unexpected error, and of the text window running out of space.

#include "reports/ReportState.h"

#include <cstdint>
#include <string>

namespace lxty {

// The program's own error number for "out of space in the text window".
inline constexpr std::int64_t kErrTextWindowFull = -7;

// Stops the run timer (clears blnElapsedTimeRunning), blanks the activity indicator and shows
// an exclamation message box titled catalogue text 93 while the text window is full, else 97.
// number -7: catalogue text 92 (when pending report text exists and the window holds fewer
// than 256 characters; the window then shows the first 4,096 characters of it) or 93, then a
// hint about the output file (94 no file named, 95 file output off, CR LF + 96 when the report
// was written to the file); a window of more than 1,024 characters loses its last 32
// characters and its last partial line, and ends with CR LF CR LF + catalogue text 93.
// Any other number: "At <procedure> error #<number>." CR LF "Description: <description>",
// plus CR LF + catalogue text 96 when the report was written to the file.
void ReportError(OutputContext& ctx, std::int64_t number, const std::u16string& description,
                 const std::u16string& procedure);

} // namespace lxty
