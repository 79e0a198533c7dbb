#include "sources/TextFileCheck.h"
#include "util/LineEnd.h"

#include "util/Format.h"

#include <charconv>

namespace lxty {

namespace {

constexpr std::u16string_view kFatal = u"Fatal error";
constexpr std::u16string_view kAdvice =
    u"You could try reading it using its associated application, then copying the text and "
    u"pasting it into the textbox (then copy it to the clipboard and select 'Clipboard' as the "
    u"source).";

std::u16string Ascii(const char* begin, const char* end) {
    return std::u16string(begin, end);
}

// Always a point and two decimals, whatever locale a window system has set.
std::u16string TwoDecimals(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    return Ascii(buf, r.ptr);
}

// Small files that are only a little off may be documents whose program can export the text.
bool AdviceApplies(const TextTestResult& r) {
    return r.percentage < 9.0 && r.fileLength >= 1 && r.fileLength <= 102399;
}

TextNoticeMemory& ProgramMemory() {
    static TextNoticeMemory memory;
    return memory;
}

} // namespace

WordListFileCheck CheckWordListFile(Host& host, const std::filesystem::path& file,
                                    bool suppressLineEndNotices) {
    return CheckWordListFile(host, file, suppressLineEndNotices, ProgramMemory());
}

WordListFileCheck CheckWordListFile(Host& host, const std::filesystem::path& file,
                                    bool suppressLineEndNotices, TextNoticeMemory& memory) {
    constexpr double kLimit = 0.0;
    const TextTestResult r = TextTest(file, kDefaultSampleSize, kLimit, true);
    const std::u16string name = file.u16string();
    const std::u16string fileName = u"File " + name;
    const auto fatal = [&](std::u16string_view text) {
        host.MessageBox(std::u16string(text), std::u16string(kFatal), MsgIcon::Information);
    };
    switch (r.code) {
    case TextCode::NoName:
        break;
    case TextCode::NotFound:
        fatal(fileName + u" not found.");
        break;
    case TextCode::ZeroLength:
        fatal(fileName + u" is zero-length.");
        break;
    case TextCode::AccessDenied:
        fatal(fileName + std::u16string(kLineEnd) + u" cannot be opened (permission denied).");
        break;
    case TextCode::TooShort:
        fatal(fileName + std::u16string(kLineEnd) + u"contains only from 1 to 4 bytes.");
        break;
    case TextCode::CannotOpen:
        fatal(fileName + std::u16string(kLineEnd) + u"cannot be opened.");
        break;
    case TextCode::Rtf:
        fatal(fileName + std::u16string(kLineEnd) + u"is an RTF file.");
        break;
    case TextCode::Unicode:
        fatal(fileName + std::u16string(kLineEnd) + u"is a Unicode file but not UTF-8 encoded.");
        break;
    case TextCode::NotText: {
        std::u16string text =
            name + std::u16string(kLineEnd) + u"is not an ANSI or UTF-8 encoded text file.";
        if (r.percentage > kLimit)
            text += std::u16string(kLineEnd) + u"It appears to be a binary file.";
        if (AdviceApplies(r))
            text += std::u16string(kLineEnd) + std::u16string(kLineEnd) + std::u16string(kAdvice);
        host.MessageBox(text, std::u16string(kNotTextFileTitle), MsgIcon::Information);
        break;
    }
    case TextCode::Cr:
        if (!suppressLineEndNotices && !memory.macNoticeShown) {
            memory.macNoticeShown = true;
            host.MessageBox(fileName + std::u16string(kLineEnd) +
                                u"has Macintosh-type line endings (CR)." +
                                std::u16string(kLineEnd) + std::u16string(kLineEnd) +
                                u"You might wish to use a program such as Notepad++" +
                                std::u16string(kLineEnd) +
                                u"to convert the line endings to Windows-type (CR+LF).",
                            u"This is a Mac-style text file", MsgIcon::Information);
        }
        break;
    default:
        // CR LF and LF files (and UTF-8 files) are read as they are.
        break;
    }
    return {r.code, r.utf8, EncodingFor(r)};
}

std::u16string NotTextFileMessage(std::u16string_view name, const TextTestResult& r) {
    std::u16string text = std::u16string(name) + u" is not a text file." +
                          std::u16string(kLineEnd) + std::u16string(kLineEnd);
    if (r.percentage >= 1.0) {
        text += u"This file contains a byte " + Digits(r.firstAnomalousByte) + u" at position " +
                Digits(r.firstAnomalousPosition) + u", " + std::u16string(kLineEnd) +
                u"indicating that it does not consist solely of text.  The percentage of such "
                u"anomalous bytes in the first " +
                Digits(r.bytesExamined) + u" bytes is " + TwoDecimals(r.percentage) + u"%." +
                std::u16string(kLineEnd) + std::u16string(kLineEnd);
    }
    if (AdviceApplies(r))
        text += kAdvice;
    return text;
}

void ShowNotTextFile(Host& host, std::u16string_view name, const TextTestResult& result) {
    host.MessageBox(NotTextFileMessage(name, result), std::u16string(kNotTextFileTitle),
                    MsgIcon::Information);
}

} // namespace lxty
