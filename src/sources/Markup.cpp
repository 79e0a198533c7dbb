#include "sources/Markup.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxty {

namespace {

// Markers are ASCII; folding only ASCII capitals lets the search run in place on every scan
// position without lower-casing a copy of the line.
constexpr char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Whether marker begins at 0-based index i of line, ignoring ASCII case.
bool MatchesAt(std::u16string_view line, std::size_t i, std::u16string_view marker) {
    if (marker.empty() || i > line.size() || line.size() - i < marker.size())
        return false;
    for (std::size_t k = 0; k < marker.size(); ++k) {
        if (AsciiLower(line[i + k]) != AsciiLower(marker[k]))
            return false;
    }
    return true;
}

// 0-based index of the first occurrence of marker at or after index from, or npos.
std::size_t FindIgnoringAsciiCase(std::u16string_view line, std::size_t from,
                                  std::u16string_view marker) {
    if (marker.empty() || line.size() < marker.size())
        return std::u16string_view::npos;
    const char16_t first = AsciiLower(marker[0]);
    for (std::size_t i = from; i + marker.size() <= line.size(); ++i) {
        if (AsciiLower(line[i]) == first && MatchesAt(line, i, marker))
            return i;
    }
    return std::u16string_view::npos;
}

// The accented letters of the case-folding tables: a numeric reference runs on over them as
// over ASCII letters and digits.
constexpr std::u16string_view kAccentedLetters =
    u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝšÿàáâãäåçèéêëìíîïðñòóôõöøùúûüý";

bool RunsOnInNumericReference(char16_t c) {
    return (c >= u'0' && c <= u'9') || IsAsciiLetter(c) || c == u';' ||
           kAccentedLetters.find(c) != std::u16string_view::npos;
}

constexpr std::array<EntityEntry, intNumEntities> kEntities{{
    {u"&copy;", u'\u00A9'},   {u"&amp;", u'&'},         {u"&nbsp;", u' '},
    {u"&#160;", u' '},        {u"&#8212;", u'\u2014'},  {u"&AElig;", u'\u00C6'},
    {u"&Aacute;", u'\u00C1'}, {u"&Acirc;", u'\u00C2'},  {u"&Agrave;", u'\u00C0'},
    {u"&Aring;", u'\u00C5'},  {u"&Atilde;", u'\u00C3'}, {u"&Auml;", u'\u00C4'},
    {u"&Ccedil;", u'\u00C7'}, {u"&ETH;", u'\u00D0'},    {u"&Eacute;", u'\u00C9'},
    {u"&Ecirc;", u'\u00CA'},  {u"&Egrave;", u'\u00C8'}, {u"&Euml;", u'\u00CB'},
    {u"&Iacute;", u'\u00CD'}, {u"&Icirc;", u'\u00CE'},  {u"&Igrave;", u'\u00CC'},
    {u"&Iuml;", u'\u00CF'},   {u"&Ntilde;", u'\u00D1'}, {u"&Oacute;", u'\u00D3'},
    {u"&Ocirc;", u'\u00D4'},  {u"&Ograve;", u'\u00D2'}, {u"&Oslash;", u'\u00D8'},
    {u"&Otilde;", u'\u00D5'}, {u"&Ouml;", u'\u00D6'},   {u"&THORN;", u'\u00DE'},
    {u"&Uacute;", u'\u00DA'}, {u"&Ucirc;", u'\u00DB'},  {u"&Ugrave;", u'\u00D9'},
    {u"&Uuml;", u'\u00DC'},   {u"&Yacute;", u'\u00DD'}, {u"&aacute;", u'\u00E1'},
    {u"&acirc;", u'\u00E2'},  {u"&aelig;", u'\u00E6'},  {u"&agrave;", u'\u00E0'},
    {u"&aring;", u'\u00E5'},  {u"&atilde;", u'\u00E3'}, {u"&auml;", u'\u00E4'},
    {u"&ccedil;", u'\u00E7'}, {u"&eacute;", u'\u00E9'}, {u"&ecirc;", u'\u00EA'},
    {u"&egrave;", u'\u00E8'}, {u"&eth;", u'\u00F0'},    {u"&euml;", u'\u00EB'},
    {u"&iacute;", u'\u00ED'}, {u"&icirc;", u'\u00EE'},  {u"&igrave;", u'\u00EC'},
    {u"&iuml;", u'\u00EF'},   {u"&ntilde;", u'\u00F1'}, {u"&oacute;", u'\u00F3'},
    {u"&ocirc;", u'\u00F4'},  {u"&ograve;", u'\u00F2'}, {u"&oslash;", u'\u00F8'},
    {u"&otilde;", u'\u00F5'}, {u"&ouml;", u'\u00F6'},   {u"&szlig;", u'\u00DF'},
    {u"&thorn;", u'\u00FE'},  {u"&uacute;", u'\u00FA'}, {u"&ucirc;", u'\u00FB'},
    {u"&ugrave;", u'\u00F9'}, {u"&uuml;", u'\u00FC'},   {u"&yacute;", u'\u00FD'},
    {u"&yuml;", u'\u00FF'},
}};

// No entity of the table (nor "&quot;") is longer than this, so a ";" farther from the "&"
// cannot close a known entity.
constexpr std::size_t kLongestEntity = 8;

// The character a candidate "&...;" stands for, or 0 when it is not a known entity.
char16_t EntityCharacter(std::u16string_view candidate) {
    if (candidate == u"&quot;")
        return u'"';
    for (const auto& e : kEntities) {
        if (e.entity == candidate)
            return e.character;
    }
    return 0;
}

} // namespace

const std::array<EntityEntry, intNumEntities>& EntityTable() {
    return kEntities;
}

int Markup::SetMarkupType(std::u16string_view type) {
    auto fill = [this](std::initializer_list<MarkerPair> pairs) {
        int i = 0;
        for (const auto& p : pairs)
            m_pairs[static_cast<std::size_t>(i++)] = p;
        m_numPairs = i;
    };
    m_type.assign(type);
    m_xml = false;
    m_entities = false;
    if (type == u"C") {
        fill({{u"/*", u"*/"}, {u"//", u""}});
    } else if (type == u"XML") {
        fill({{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}});
        m_xml = true;
    } else if (type == u"HTML") {
        fill({{u"&", u";"},
              {u"<script", u"/script>"},
              {u"<style", u"/style>"},
              {u"<noscript", u"/noscript>"},
              {u"<!--", u"-->"},
              {u"<", u">"}});
    } else if (type == u"PHP") {
        // The end of "<?php" is "php": the search for it finds the "php" of the start marker
        // itself, so only the opening is skipped and the code after it is scanned with the
        // comment pairs that follow.
        fill({{u"&", u";"},
              {u"<script", u"/script>"},
              {u"<style", u"/style>"},
              {u"<noscript", u"/noscript>"},
              {u"<!--", u"-->"},
              {u"<?php", u"php"},
              {u"<", u">"},
              {u"/*", u"*/"},
              {u"//", u""}});
    } else {
        m_pairs[0] = MarkerPair{};
        m_pairs[1] = MarkerPair{};
        m_numPairs = 0;
    }
    return m_numPairs;
}

int Markup::SetMarkupTypeFromExtension(std::u16string_view extension) {
    std::u16string_view type = u"None";
    if (extension == u"php")
        type = u"PHP";
    else if (extension == u"xml")
        type = u"XML";
    else if (extension.find(u"htm") != std::u16string_view::npos)
        type = u"HTML";
    else if (extension == u"c" || extension == u"cpp")
        type = u"C";
    const int numPairs = SetMarkupType(type);
    m_entities = (type == u"PHP" || type == u"XML" || type == u"HTML");
    return numPairs;
}

int Markup::FindStartMarker(std::u16string_view line, std::int64_t pos) const {
    if (pos < 1 || pos > static_cast<std::int64_t>(line.size()))
        return -1;
    const auto i = static_cast<std::size_t>(pos - 1);
    for (int k = 0; k < m_numPairs; ++k) {
        const MarkerPair& pair = m_pairs[static_cast<std::size_t>(k)];
        if (pair.start.empty() || !MatchesAt(line, i, pair.start))
            continue;
        if (m_xml && MatchesAt(line, i, u"<![cdata["))
            return intCdataMarker;
        if (pair.start == u"&" && pair.end == u";" && EntityLength(line.substr(i)) == 0)
            continue;
        return k;
    }
    return -1;
}

void Markup::SkipMarker(std::u16string_view line, std::int64_t& pos, int& pairIndex) const {
    const auto len = static_cast<std::int64_t>(line.size());
    if (pos < 1)
        pos = 1;
    if (m_xml && pairIndex == intCdataMarker) {
        pos += 9; // past "<![CDATA["; the section's content is text to count
        pairIndex = -1;
        return;
    }
    if (pairIndex < 0 || pairIndex >= m_numPairs) {
        // A region of markers no longer in force (the type changed): nothing to skip.
        pairIndex = -1;
        return;
    }
    const MarkerPair& pair = m_pairs[static_cast<std::size_t>(pairIndex)];
    if (pair.end.empty()) {
        pos = len + 1;
        pairIndex = -1;
        return;
    }
    const auto i = static_cast<std::size_t>(pos - 1);
    if (pair.start == u"&" && pair.end == u";" && MatchesAt(line, i, u"&#")) {
        // The reference ends at its ";": the letters after it are the next word ("&#13;Many",
        // "na&#239;ve"), not part of the reference.
        std::int64_t p = pos + 2;
        while (p <= len && RunsOnInNumericReference(line[static_cast<std::size_t>(p - 1)])) {
            ++p;
            if (line[static_cast<std::size_t>(p - 2)] == u';')
                break;
        }
        pos = p;
        pairIndex = -1;
        return;
    }
    if (pos > len) {
        pos = len + 1;
        return;
    }
    const std::size_t found = FindIgnoringAsciiCase(line, i, pair.end);
    if (found == std::u16string_view::npos) {
        pos = len + 1; // still inside: the next line goes on skipping
        return;
    }
    pos = static_cast<std::int64_t>(found + pair.end.size()) + 1;
    pairIndex = -1;
}

void ReplaceDoubleHyphensInPlace(std::u16string& line) {
    // i is the 0-based index of the first hyphen of a pair; a "--" that starts at index 0 or 1
    // is never replaced.
    char16_t* const d = line.data();
    const std::size_t n = line.size();
    std::size_t i = 2;
    while (i + 1 < n) {
#if defined(__SSE2__)
        // Hyphens are rare: eight units without one are passed over at once.
        if (i + 9 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + 1));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(v, _mm_set1_epi16(u'-'))) == 0) {
                i += 8; // no pair starts at i .. i + 7: each would need a hyphen at i + 1 .. i + 8
                continue;
            }
        } else if (n >= 8) {
            // The last eight units hold every hyphen a pair from i on could need (i + 1 is at
            // least n - 8): without one there, the line is done.
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + n - 8));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(v, _mm_set1_epi16(u'-'))) == 0)
                return;
        }
#endif
        if (d[i + 1] != u'-') {
            i += 2; // no pair starts at i or at i + 1
            continue;
        }
        if (d[i] != u'-') {
            ++i;
            continue;
        }
        const bool opensComment = d[i - 2] == u'<' && d[i - 1] == u'!';
        const bool closesComment = i + 2 < n && d[i + 2] == u'>';
        if (opensComment || closesComment) {
            ++i;
            continue;
        }
        d[i] = u' ';
        d[i + 1] = u' ';
        i += 2;
    }
}

std::u16string ReplaceDoubleHyphens(std::u16string_view line) {
    std::u16string s(line);
    ReplaceDoubleHyphensInPlace(s);
    return s;
}

namespace {

// An XML file's own references: the five predefined entities and numeric references, decimal
// or hexadecimal. Returns the units written to out (0: not one of them). A "<" or ">" would
// open or close a tag for the marker search, so it becomes a space, as do control characters:
// either way the words on both sides stay apart, as the characters themselves keep them.
std::size_t AppendXmlReference(std::u16string_view candidate, std::u16string& out) {
    const std::u16string_view body = candidate.substr(1, candidate.size() - 2);
    char32_t value = 0;
    if (body == u"apos")
        value = u'\'';
    else if (body == u"quot")
        value = u'"';
    else if (body == u"amp")
        value = u'&';
    else if (body == u"lt" || body == u"gt")
        value = u' ';
    else if (body.size() >= 2 && body[0] == u'#') {
        const bool hex = body[1] == u'x' || body[1] == u'X';
        const std::u16string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 6)
            return 0;
        for (const char16_t d : digits) {
            int v = -1;
            if (d >= u'0' && d <= u'9')
                v = d - u'0';
            else if (hex && d >= u'a' && d <= u'f')
                v = d - u'a' + 10;
            else if (hex && d >= u'A' && d <= u'F')
                v = d - u'A' + 10;
            if (v < 0)
                return 0;
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return 0;
        if (value < 0x20 || value == u'<' || value == u'>')
            value = u' ';
    } else {
        return 0;
    }
    if (value >= 0x10000) {
        value -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
        return 2;
    }
    out.push_back(static_cast<char16_t>(value));
    return 1;
}

// "&#x10FFFF;" is the longest XML reference.
constexpr std::size_t kLongestXmlReference = 10;

} // namespace

std::u16string DecodeEntities(std::u16string_view line, bool xml) {
    std::u16string out;
    out.reserve(line.size());
    std::size_t i = 0;
    while (i < line.size()) {
        const char16_t c = line[i];
        if (c == u'&') {
            // The first ";" after the "&" closes the candidate.
            const std::size_t limit =
                std::min(line.size(), i + (xml ? kLongestXmlReference : kLongestEntity));
            std::size_t semi = std::u16string_view::npos;
            for (std::size_t k = i + 1; k < limit; ++k) {
                if (line[k] == u';') {
                    semi = k;
                    break;
                }
            }
            if (semi != std::u16string_view::npos) {
                const std::u16string_view candidate = line.substr(i, semi - i + 1);
                if (xml && AppendXmlReference(candidate, out) > 0) {
                    i = semi + 1;
                    continue;
                }
                const char16_t decoded = EntityCharacter(candidate);
                if (decoded != 0) {
                    out.push_back(decoded);
                    i = semi + 1; // the search goes on after the decoded character
                    continue;
                }
            }
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

bool DecodeEntitiesInPlace(std::u16string& line, bool xml) {
    if (line.find(u'&') == std::u16string::npos)
        return false;
    line = DecodeEntities(line, xml);
    return true;
}

std::int64_t EntityLength(std::u16string_view text) {
    if (text.size() < 4)
        return 0;
    if (text[0] == u'&' && text[1] == u'#')
        return 1;
    if (text[0] != u'&')
        return 0;
    const std::size_t limit = std::min<std::size_t>(text.size(), 20);
    for (std::size_t k = 1; k < limit; ++k) {
        if (text[k] == u' ')
            return 0;
        if (text[k] == u';')
            return IsAsciiLetter(text[1]) ? static_cast<std::int64_t>(k + 1) : 0;
    }
    return 0;
}

} // namespace lxty
