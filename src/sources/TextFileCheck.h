#pragma once
// The messages about files that are not usable text, shown through the Host port.
//
// CheckWordListFile is the check every word-list file goes through before it is read: the
// text test with a limit of 0 per cent (a single anomalous byte in the sample refuses the
// file) and a message for each failure:
//   -5  nothing shown                  -1  "Fatal error": "File <name> not found."
//   -2  "Fatal error": zero-length     -3  "Fatal error": cannot be opened (permission denied)
//   -4  "Fatal error": 1 to 4 bytes    -9  "Fatal error": cannot be opened
//    6  "Fatal error": an RTF file      7  "Fatal error": a Unicode file but not UTF-8 encoded
//    0  "Not a text file": not an ANSI or UTF-8 encoded text file (with advice for small files)
//    3  "This is a Mac-style text file": a notice shown once while the program runs, unless
//       suppressLineEndNotices is set
//    1, 2 nothing shown. LF is the native line end here, so a Unix-type file of any size is
//       read without a warning or a question; the caller's status text still says "Unix-type".
// "Fatal error" and "Not a text file" use the information icon. A file is usable when the
// returned code is 1, 2 or 3.

#include "base/Host.h"
#include "sources/TextDetect.h"
#include "sources/TextFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lxty {

struct WordListFileCheck {
    TextCode code = TextCode::NotText;            // the text-test code
    bool utf8 = false;                            // the file is UTF-8
    TextEncoding encoding = TextEncoding::Cp1252; // what to open a usable file with
};

// What the checks remember for the life of the program.
struct TextNoticeMemory {
    bool macNoticeShown = false;
};

// The check with the program's own memory of notices shown.
WordListFileCheck CheckWordListFile(Host& host, const std::filesystem::path& file,
                                    bool suppressLineEndNotices);
// The same with memory kept by the caller (tests).
WordListFileCheck CheckWordListFile(Host& host, const std::filesystem::path& file,
                                    bool suppressLineEndNotices, TextNoticeMemory& memory);

// The count run's message for a single input file that is not text (result from TextTest with
// the limit of 1 per cent); name as it is to be shown. Title: kNotTextFileTitle.
std::u16string NotTextFileMessage(std::u16string_view name, const TextTestResult& result);
// Shows that message with its title and the information icon.
void ShowNotTextFile(Host& host, std::u16string_view name, const TextTestResult& result);

inline constexpr std::u16string_view kNotTextFileTitle = u"Not a text file";

} // namespace lxty
