#include "sources/HtmlHead.h"

namespace lxty {

namespace {

// The markers are ASCII, so an ASCII case-insensitive search is exact and keeps positions
// in the line as they are (a full upper-casing could change lengths).
std::size_t FindNoCase(std::u16string_view text, std::u16string_view upperNeedle) {
    if (upperNeedle.size() > text.size())
        return std::u16string_view::npos;
    for (std::size_t i = 0; i + upperNeedle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        for (; k < upperNeedle.size(); ++k) {
            char16_t c = text[i + k];
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - u'a' + u'A');
            if (c != upperNeedle[k])
                break;
        }
        if (k == upperNeedle.size())
            return i;
    }
    return std::u16string_view::npos;
}

constexpr std::u16string_view kHeadEnd = u"</HEAD>";

} // namespace

bool IsHtmlDocTypeLine(std::u16string_view line) {
    return FindNoCase(line, u"<!DOCTYPE") != std::u16string_view::npos &&
           FindNoCase(line, u"HTML") != std::u16string_view::npos;
}

bool DeclaresUtf8Charset(std::u16string_view line) {
    return FindNoCase(line, u"CHARSET=UTF-8") != std::u16string_view::npos ||
           FindNoCase(line, u"CHARSET=\"UTF-8\"") != std::u16string_view::npos;
}

std::u16string SkipHtmlHead(std::u16string_view line, TextFile& file) {
    std::u16string current(line);
    for (;;) {
        if (!file.IsUtf8() && DeclaresUtf8Charset(current))
            file.SwitchToUtf8(current);
        const std::size_t end = FindNoCase(current, kHeadEnd);
        if (end != std::u16string_view::npos)
            return current.substr(end + kHeadEnd.size());
        if (!file.ReadLine(current))
            return std::u16string();
    }
}

} // namespace lxty
