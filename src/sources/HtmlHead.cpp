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

// "</HEAD" then the ">" that closes it; generators of HTML 4 pages (DocBook among them) write
// the closing bracket on the next line, as in "</HEAD\n><BODY".
constexpr std::u16string_view kHeadEndStart = u"</HEAD";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Position just after the ">" of the first complete "</HEAD>" tag (blanks allowed before the
// ">") in text from position from on; npos when there is none. openAtEnd tells whether the
// text ends inside such a tag, after "</HEAD" and blanks only, waiting for its ">".
std::size_t FindHeadEnd(std::u16string_view text, std::size_t from, bool& openAtEnd) {
    openAtEnd = false;
    while (from <= text.size()) {
        const std::size_t start = FindNoCase(text.substr(from), kHeadEndStart);
        if (start == std::u16string_view::npos)
            return std::u16string_view::npos;
        std::size_t k = from + start + kHeadEndStart.size();
        while (k < text.size() && IsBlank(text[k]))
            ++k;
        if (k == text.size()) {
            openAtEnd = true;
            return std::u16string_view::npos;
        }
        if (text[k] == u'>')
            return k + 1;
        from += start + 1;
    }
    return std::u16string_view::npos;
}

// Position of the "<" of the first "<BODY" tag (followed by a blank, ">" or the end of the
// line) in text; npos when there is none. A page may leave out "</head>": its body tag
// then ends the head.
std::size_t FindBodyStart(std::u16string_view text) {
    constexpr std::u16string_view kBodyStart = u"<BODY";
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t start = FindNoCase(text.substr(from), kBodyStart);
        if (start == std::u16string_view::npos)
            return std::u16string_view::npos;
        const std::size_t k = from + start + kBodyStart.size();
        if (k == text.size() || IsBlank(text[k]) || text[k] == u'>')
            return from + start;
        from += start + 1;
    }
    return std::u16string_view::npos;
}

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
    bool tagOpen = false; // the previous line ended in "</HEAD" waiting for its ">"
    for (;;) {
        if (!file.IsUtf8() && DeclaresUtf8Charset(current))
            file.SwitchToUtf8(current);
        if (tagOpen) {
            std::size_t k = 0;
            while (k < current.size() && IsBlank(current[k]))
                ++k;
            if (k < current.size() && current[k] == u'>')
                return current.substr(k + 1);
            if (k == current.size()) {
                if (!file.ReadLine(current))
                    return std::u16string();
                continue;
            }
        }
        const std::size_t end = FindHeadEnd(current, 0, tagOpen);
        const std::size_t body = FindBodyStart(current);
        if (body != std::u16string_view::npos && (end == std::u16string_view::npos || body < end))
            return current.substr(body); // the body tag itself is markup, skipped by the run
        if (end != std::u16string_view::npos)
            return current.substr(end);
        if (!file.ReadLine(current))
            return std::u16string();
    }
}

} // namespace lxty
