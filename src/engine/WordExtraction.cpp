#include "engine/WordExtraction.h"

#include "base/Host.h"
#include "engine/Patterns.h"
#include "util/Cp1252.h"
#include "util/StringUtils.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxty {

namespace {

bool IsAsciiLetter(unsigned c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The word-character test for a whole low-byte range at once: the extractor looks characters
// up in such a table instead of searching the extra characters at every position.
std::array<bool, 256> WordCharTable(std::u16string_view extra) {
    // The extra characters are looked up once each, not once for every one of 256 bytes.
    std::array<bool, 256> latin1{};
    std::u16string beyond;
    for (const char16_t e : extra) {
        if (e < 256)
            latin1[e] = true;
        else
            beyond += e;
    }
    std::array<bool, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        const char16_t asChar = Cp1252ToChar(static_cast<unsigned char>(c));
        table[c] = IsWordChar(static_cast<char16_t>(c), false, {}) ||
                   (asChar < 256 ? latin1[asChar] : beyond.find(asChar) != std::u16string::npos);
    }
    return table;
}

// The measuring loop after a word has met a "<" (or from any start): the angle-bracket rules.
// n characters from lngPos are already counted.
[[gnu::noinline]] std::int64_t MeasureWordFrom(std::u16string_view s, std::int64_t lngPos,
                                               std::int64_t n,
                                               const std::array<bool, 256>& isWordChar,
                                               AngleBracketSearch& search) {
    const auto len = static_cast<std::int64_t>(s.size());
    if (lngPos >= 1 && lngPos <= len) {
        const char16_t* const base = s.data() + (lngPos - 1);
        const char16_t* const end = s.data() + len;
        for (;;) {
            // The run of plain word characters, in one tight loop.
            const char16_t* q = base + n;
            const char16_t* const stop =
                end - q > lngMaxWordLength - n ? q + (lngMaxWordLength - n) : end;
            while (q != stop && isWordChar[*q & 0xFF])
                ++q;
            n = q - base;
            if (n >= lngMaxWordLength || q == end)
                break;
            const std::int64_t p = lngPos + n;
            const char16_t ch = *q;
            if (ch != u'<')
                break;
            if (p < len && s[static_cast<std::size_t>(p)] == u'/')
                break; // "</" closes markup
            const std::size_t gt = search.close.Find(s, u'>', static_cast<std::size_t>(p));
            if (gt == std::u16string_view::npos)
                break;
            const std::size_t from = static_cast<std::size_t>(p - 1);
            const std::u16string_view tag = s.substr(from, gt - from + 1);
            if (tag.size() == 2) { // "<>"
                n += 2;
                break;
            }
            const std::u16string_view inner = tag.substr(1, tag.size() - 2);
            if (search.space.Find(s, u' ', static_cast<std::size_t>(p)) < gt ||
                IsAlphanumeric(inner, false))
                break; // an ordinary tag such as <b> ends the word
            // A bracketed pattern is taken whole; a rejected one gives only its "<".
            if (tag.size() <= kMaxPatternTagLength && IsValidRegExp(tag))
                n = static_cast<std::int64_t>(gt + 1) - lngPos;
            if (++n >= lngMaxWordLength)
                break;
            if (lngPos + n > len)
                break;
        }
    }
    return n;
}

// Length of the word at lngPos (1-based): the run of word characters, and the angle-bracket
// rules when the run stops at a "<". Inline: it runs for every word of a count.
inline std::int64_t MeasureWordAt(std::u16string_view s, std::int64_t lngPos,
                                  const std::array<bool, 256>& isWordChar,
                                  AngleBracketSearch& search) {
    const auto len = static_cast<std::int64_t>(s.size());
    if (lngPos < 1 || lngPos > len)
        return 0;
    const char16_t* const base = s.data() + (lngPos - 1);
    const char16_t* const end = s.data() + len;
    const char16_t* q = base;
    // Lines are far shorter than the longest word, so the limit is checked only for long ones.
    if (end - base <= lngMaxWordLength) {
        for (;;) {
#if defined(__SSE2__)
            // ASCII letters are word characters under every setting: eight units are tested
            // at once, and the word's end is nearly always found in the first group.
            const __m128i caseBit = _mm_set1_epi16(0x20);
            const __m128i a = _mm_set1_epi16(u'a');
            const __m128i lastLetter = _mm_set1_epi16(25);
            while (end - q >= 8) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
                // A letter when (unit | 0x20) - 'a' is at most 25, unsigned: nothing is left
                // after subtracting 25 with saturation.
                const __m128i x = _mm_sub_epi16(_mm_or_si128(v, caseBit), a);
                const __m128i letter =
                    _mm_cmpeq_epi16(_mm_subs_epu16(x, lastLetter), _mm_setzero_si128());
                const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(letter));
                if (mask != 0xFFFF) {
                    q += __builtin_ctz(~mask) / 2;
                    break;
                }
                q += 8;
            }
#endif
            if (q == end || !isWordChar[*q & 0xFF])
                break;
            ++q;
        }
        if (q == end || *q != u'<')
            return q - base;
    }
    return MeasureWordFrom(s, lngPos, 0, isWordChar, search);
}

// What stands at 1-based position q of s (nothing when q is outside s). Only NumAlpha
// reports an apostrophe.
StopFlags FlagsAt(std::u16string_view s, std::int64_t q, bool apostrophe) {
    StopFlags flags;
    if (q >= 1 && q <= static_cast<std::int64_t>(s.size())) {
        const char16_t c = s[static_cast<std::size_t>(q - 1)];
        flags.semicolon = c == u';';
        flags.period = c == u'.';
        flags.doubleQuote = c == u'"';
        flags.tab = c == u'\t';
        flags.comma = c == u',';
        flags.apostrophe = apostrophe && c == u'\'';
    }
    return flags;
}

// The measuring shared by NumAlpha2 and the extractor; isWordChar is indexed by the low byte
// of a code unit.
std::int64_t MeasureWord(std::u16string_view s, std::int64_t lngPos,
                         const std::array<bool, 256>& isWordChar, StopFlags* flags) {
    AngleBracketSearch search;
    const std::int64_t n = MeasureWordAt(s, lngPos, isWordChar, search);
    if (flags)
        *flags = FlagsAt(s, lngPos + n, false);
    return n;
}

// False only for words that MakeSingular returns unchanged: no space to trim, and neither a
// final s nor the four letters of "mice" or "lice". Saves a copy of nearly every word.
bool MayBeReducedInSingular(std::u16string_view w) {
    if (w.empty())
        return false;
    if (w.front() == u' ' || w.back() == u' ')
        return true;
    // Of the four-letter words only those with the "c" of mice and lice.
    return w.size() > 2 && (w.back() == u's' || w.back() == u'S' ||
                            (w.size() == 4 && (w[2] == u'c' || w[2] == u'C')));
}

// False for most words that end in "n" but are no contraction stem: before the final "n" of
// every stem stands "e", "d" or "s" (a one-unit "n" and a word with a space are left to the
// full test).
inline bool MayBeContractionStem(std::u16string_view w) {
    if (w.size() < 2)
        return true;
    switch (w[w.size() - 2]) {
    case u'e':
    case u'E':
    case u'd':
    case u'D':
    case u's':
    case u'S':
    case u' ':
        return true;
    default:
        return w.find(u' ') != std::u16string_view::npos;
    }
}

constexpr std::u16string_view kContractionStems =
    u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";

// The positions of the spaces of kContractionStems.
constexpr std::size_t kNumContractionStems = 11;
constexpr std::array<std::size_t, kNumContractionStems> ContractionStemEnds() {
    std::array<std::size_t, kNumContractionStems> ends{};
    std::size_t k = 0;
    for (std::size_t i = 0; i < kContractionStems.size(); ++i)
        if (kContractionStems[i] == u' ')
            ends[k++] = i;
    return ends;
}
constexpr auto kContractionStemEnds = ContractionStemEnds();
static_assert(kContractionStemEnds.back() == kContractionStems.size() - 1);

} // namespace

bool IsWordChar(char16_t ch, bool blnAllowNumeric, std::u16string_view strAllowedExtraChars) {
    const unsigned c = ch & 0xFFu;
    if (c < 128) {
        if (IsAsciiLetter(c))
            return true;
        if (blnAllowNumeric && c >= '0' && c <= '9')
            return true;
    } else if ((c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || c >= 0xF8) {
        return true;
    }
    if (strAllowedExtraChars.empty())
        return false;
    const char16_t asChar = Cp1252ToChar(static_cast<unsigned char>(c));
    return strAllowedExtraChars.find(asChar) != std::u16string_view::npos;
}

std::int64_t NumAlpha(std::u16string_view text, std::int64_t lngPos, bool blnAllowNumeric,
                      std::u16string_view strAllowedExtraChars, StopFlags* flags) {
    const auto len = static_cast<std::int64_t>(text.size());
    std::int64_t n = 0;
    if (lngPos >= 1) {
        while (lngPos + n <= len && n < lngMaxWordLength &&
               IsWordChar(text[static_cast<std::size_t>(lngPos + n - 1)], blnAllowNumeric,
                          strAllowedExtraChars))
            ++n;
    }
    if (flags)
        *flags = FlagsAt(text, lngPos + n, true);
    return n;
}

std::int64_t NumAlpha2(std::u16string_view strStr, std::int64_t lngPos, bool blnAllowNumeric,
                       std::u16string_view strAllowedExtraChars, StopFlags* flags) {
    std::array<bool, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = IsWordChar(static_cast<char16_t>(c), blnAllowNumeric, strAllowedExtraChars);
    return MeasureWord(strStr, lngPos, table, flags);
}

void PrepareTextInPlace(std::u16string& text, bool keepTabs) {
    const std::size_t n = text.size();
    // Nothing changes before the first unit that is a control character up to CR or a
    // no-break space; in most lines there is none.
    std::size_t first = 0;
#if defined(__SSE2__)
    {
        const char16_t* d = text.data();
        const __m128i cr = _mm_set1_epi16(13);
        const __m128i nbsp = _mm_set1_epi16(160);
        const __m128i zero = _mm_setzero_si128();
        for (; first + 8 <= n; first += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + first));
            const __m128i hit = _mm_or_si128(_mm_cmpeq_epi16(_mm_subs_epu16(v, cr), zero),
                                             _mm_cmpeq_epi16(v, nbsp));
            if (_mm_movemask_epi8(hit) != 0)
                break;
        }
        if (first < n && first + 8 > n && n >= 8) {
            // No group held one: the last units go as the last group of eight (it overlaps the
            // groups passed over).
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + n - 8));
            const __m128i hit = _mm_or_si128(_mm_cmpeq_epi16(_mm_subs_epu16(v, cr), zero),
                                             _mm_cmpeq_epi16(v, nbsp));
            if (_mm_movemask_epi8(hit) == 0)
                return; // nothing to change
        }
    }
#endif
    while (first < n && text[first] > 13 && text[first] != 160)
        ++first;
    std::size_t w = first;
    for (std::size_t r = first; r < n; ++r) {
        char16_t c = text[r];
        if (c == 8)
            continue; // backspaces go first, so CR <BS> LF still counts as one line end
        if (c == 13) {
            std::size_t q = r + 1;
            while (q < n && text[q] == 8)
                ++q;
            if (q < n && text[q] == 10)
                r = q; // CR LF is one line end
            text[w++] = u' ';
            continue;
        }
        if (c == 10 || c == 12 || c == 160 || (c == 9 && !keepTabs))
            c = u' ';
        text[w++] = c;
    }
    text.resize(w);
}

std::u16string PrepareText(std::u16string_view text, bool keepTabs) {
    std::u16string s(text);
    PrepareTextInPlace(s, keepTabs);
    return s;
}

namespace {

// What the plural reduction does to a word: keep `length` units from `from`, then append
// `suffix`. Working out the change apart from making the result lets extraction apply it to
// its own word buffer without a copy.
struct SingularChange {
    std::size_t from = 0;
    std::size_t length = 0;
    std::u16string_view suffix;
};

// LowerCaseAll of one unit, with ASCII answered here.
inline char16_t LowerUnit(char16_t c) {
    if (c < 0x80)
        return static_cast<char16_t>(c - u'A') < 26 ? static_cast<char16_t>(c + 32) : c;
    return LowerCaseChar(c);
}

// Whether the lower-cased v equals lower, a word in small letters.
bool LowerEquals(std::u16string_view v, std::u16string_view lower) {
    if (v.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (LowerUnit(v[i]) != lower[i])
            return false;
    return true;
}

// The lower-cased last units of a word (at most four), with their endings tested in place.
class LowerTail {
public:
    explicit LowerTail(std::u16string_view v) : m_length(std::min<std::size_t>(4, v.size())) {
        for (std::size_t i = 0; i < m_length; ++i)
            m_units[i] = LowerUnit(v[v.size() - m_length + i]);
    }
    bool Ends(std::u16string_view ending) const {
        if (ending.size() > m_length)
            return false;
        const char16_t* tail = m_units + (m_length - ending.size());
        for (std::size_t i = 0; i < ending.size(); ++i)
            if (tail[i] != ending[i])
                return false;
        return true;
    }

private:
    std::size_t m_length;
    char16_t m_units[4];
};

// v ends exactly with ending (no case folding).
bool EndsExactly(std::u16string_view v, std::u16string_view ending) {
    return v.size() >= ending.size() && v.substr(v.size() - ending.size()) == ending;
}

SingularChange SingularOf(std::u16string_view word, bool caseSignificant) {
    std::size_t b = 0;
    std::size_t e = word.size();
    while (b < e && word[b] == u' ')
        ++b;
    if (b == e)
        return {0, 0, {}};
    while (word[e - 1] == u' ')
        --e;
    const std::u16string_view v = word.substr(b, e - b);
    const SingularChange unchanged{b, v.size(), {}};
    if (v.size() <= 2)
        return unchanged;
    // Every rule but mice/lice needs a final s; most words leave here.
    const bool endsWithS = v.back() == u's' || v.back() == u'S';
    if (!endsWithS && v.size() != 4)
        return unchanged;

    // The endings (at most four characters) are compared ignoring case on a lower-cased tail;
    // the whole word counts as lower-cased only when it is short enough to be one of the named
    // words (the longest is "species"): a longer one compares as "" where it is used whole.
    const LowerTail tail(v);
    const bool lowerWhole = v.size() <= 7;
    auto ends = [&tail](std::u16string_view ending) { return tail.Ends(ending); };
    auto replaced = [b, v](std::size_t endingLength, std::u16string_view replacement) {
        return SingularChange{b, v.size() - endingLength, replacement};
    };
    // asCompared == text, where asCompared is the lower-cased word when case is significant
    // (empty for a long word) and the word itself otherwise.
    auto comparesAs = [&](std::u16string_view text) {
        if (!caseSignificant)
            return v == text;
        return lowerWhole ? LowerEquals(v, text) : text.empty();
    };

    if (lowerWhole && (LowerEquals(v, u"rights") || LowerEquals(v, u"species")))
        return unchanged;
    if (v.size() == 4 && (comparesAs(u"mice") || comparesAs(u"lice"))) {
        const bool capital = caseSignificant && IsAllUpperCase(v.substr(0, 1));
        return {b, 1, capital ? u"OUSE" : u"ouse"};
    }
    if (!endsWithS)
        return unchanged;

    // Decided on the lower-cased tail: ...ies, ...es, or a plain final s.
    if (ends(u"ies") && !ends(u"aies") && !ends(u"eies") && v.size() >= 5)
        return replaced(3, caseSignificant && EndsExactly(v, u"IES") ? u"Y" : u"y");
    if (!ends(u"es")) {
        if (!ends(u"ss") && !ends(u"us") && !ends(u"is") && !ends(u"ics"))
            return replaced(1, u"");
        return unchanged;
    }
    if (ends(u"shes") || ends(u"sses") || ends(u"zzes"))
        return replaced(2, u"");
    if (ends(u"oes") && !comparesAs(u"floes") && !comparesAs(u"shoes"))
        return replaced(3, caseSignificant && EndsExactly(v, u"OES") ? u"O" : u"o");
    if (!ends(u"ees") && !ends(u"aes") && !ends(u"oes"))
        return replaced(2, caseSignificant && EndsExactly(v, u"ES") ? u"E" : u"e");
    // ...ees, ...aes, floes, shoes: the plain final-s rule (which none of them refuses).
    return replaced(1, u"");
}

} // namespace

std::u16string MakeSingular(std::u16string_view word, bool caseSignificant) {
    const SingularChange c = SingularOf(word, caseSignificant);
    std::u16string out(word.substr(c.from, c.length));
    out += c.suffix;
    return out;
}

bool IsContractionStem(std::u16string_view word) {
    // Every stem in the list ends with "n", and only "N" lower-cases to "n": other words are
    // answered without lower-casing.
    if (!word.empty() && word.back() != u'n' && word.back() != u'N')
        return false;
    if (word.size() >= kContractionStems.size())
        return false;
    // "The lower-cased word followed by a space" can only sit right before one of the spaces
    // of the list: compared backwards from each space, most stems differ at once.
    char16_t units[kContractionStems.size()];
    const std::size_t n = word.size();
    for (std::size_t i = 0; i < n; ++i)
        units[i] = LowerUnit(word[i]);
    for (const std::size_t space : kContractionStemEnds) {
        if (space < n)
            continue;
        std::size_t k = 0;
        while (k < n && kContractionStems[space - 1 - k] == units[n - 1 - k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

std::u16string StripTrailingChars(std::u16string_view word, std::u16string_view set) {
    std::size_t n = word.size();
    while (n > 0 && set.find(word[n - 1]) != std::u16string_view::npos)
        --n;
    return std::u16string(word.substr(0, n));
}

std::u16string CommentMarkerMessage(std::u16string_view marker) {
    std::u16string m = u"With the current settings the start-comment marker\n\"";
    m += marker;
    m += u"\" could be part of a word.\n\n"
         u"Check the 'Settings' window and perhaps disallow comment\n"
         u"markers or restrict allowable characters in 'words'.";
    return m;
}

WordExtractor::WordExtractor(const Settings& settings, RunState& state, Markup& markup, Host& host,
                             WordSink& sink)
    : m_settings(settings), m_state(state), m_markup(markup), m_host(host), m_sink(sink) {
    RebuildTables();
}

void WordExtractor::RebuildTables() {
    m_prohibited = {};
    for (const char16_t c : strProhibitedInitialOrFinalChars)
        if (c < 256)
            m_prohibited[c] = true;
    m_wordChar = WordCharTable(m_allowed);
    m_startChar = WordCharTable(RemoveChars(m_allowed, strProhibitedInitialOrFinalChars));
}

void WordExtractor::SetAllowedExtraChars1() {
    const Settings& s = m_settings;
    m_allowed.clear();
    // Only a ticked box (1) counts; a greyed one does not.
    if (s.AllowWordsWithHyphens == 1)
        m_allowed += u"-";
    if (s.AllowWordsWithApostrophes == 1) {
        m_allowed += u"'";
        m_allowed += Cp1252ToChar(145); // left single quotation mark
    }
    if (s.AllowWordsWithUnderscores == 1)
        m_allowed += u"_";
    if (s.AllowWordsWithColons == 1)
        m_allowed += u":";
    if (s.AllowWordsWithBackslashes == 1)
        m_allowed += u"\\";
    if (s.AllowWordsWithForwardslashes == 1)
        m_allowed += u"/";
    if (s.AllowWordsWithPeriods == 1)
        m_allowed += u".";
    if (s.AllowWordsWithAtSigns == 1)
        m_allowed += u"@";
    if (s.AllowWordsWithNumerals == 1)
        m_allowed += u"0123456789";
    RebuildTables();
}

void WordExtractor::SetAllowedExtraChars2() {
    const Settings& s = m_settings;
    if (s.AllowWordsWithParentheses == 1)
        m_allowed += u"()";
    if (s.AllowWordsWithAmpersands == 1)
        m_allowed += u"&";
    if (s.AllowWordsWithUserSpecifiedExtraChars == 1)
        m_allowed += s.UserSpecifiedExtraChars;
    if (s.AllowWordsWithCommas == 1)
        m_allowed += u",";
    RebuildTables();
}

void WordExtractor::SetAllowedExtraCharsForList(bool countOnlyList) {
    m_countOnlyList = countOnlyList;
    m_allowed = strAllPossibleExtraChars + (countOnlyList ? u"+" : u"~?");
    RebuildTables();
}

void WordExtractor::SetAllowedExtraChars(std::u16string_view chars) {
    m_allowed.assign(chars);
    RebuildTables();
}

bool WordExtractor::YieldIfStarted() {
    if (m_state.blnStartUpCompleted)
        m_host.Yield();
    return m_state.blnStop;
}

bool WordExtractor::IsProhibitedFinal(char16_t c) const {
    return c < 256 ? m_prohibited[c]
                   : strProhibitedInitialOrFinalChars.find(c) != std::u16string::npos;
}

bool WordExtractor::TakeWord(std::int64_t& measured) {
    RunState& s = m_state;
    const std::u16string& line = s.strLine;
    measured = MeasureWordAt(line, s.lngLP, m_wordChar, m_angles);
    // In a markup file every "<" ... ">" is a tag: the word ends before it and the markup
    // skipper passes over the tag, so "series<br/>changes" is two words, not one.
    if (m_tagsAreMarkup && !s.blnReadingWords && measured > 0) {
        const std::size_t from = static_cast<std::size_t>(s.lngLP - 1);
        const std::size_t lt =
            std::u16string_view(line).substr(from, static_cast<std::size_t>(measured)).find(u'<');
        if (lt != std::u16string_view::npos)
            measured = static_cast<std::int64_t>(lt);
    }
    // The flags straight from the character after the word (a StopFlags record in between
    // costs a stalled load on every word).
    const std::int64_t after = s.lngLP + measured;
    const char16_t stop = after >= 1 && after <= static_cast<std::int64_t>(line.size())
                              ? line[static_cast<std::size_t>(after - 1)]
                              : u'\0';
    s.blnStoppedAtPeriod = stop == u'.';
    s.blnStoppedAtDoubleQuote = stop == u'"';
    s.blnStoppedAtTab = stop == u'\t';
    s.blnStoppedAtComma = stop == u',';
    const bool stoppedAtSemicolon = stop == u';';
    m_word.clear();
    if (measured == 0)
        return false;

    // The word is worked on as a view of the line and copied once, into a buffer that keeps
    // its capacity from word to word.
    std::u16string_view word = std::u16string_view(s.strLine).substr(
        static_cast<std::size_t>(s.lngLP - 1), static_cast<std::size_t>(measured));
    s.lngLP += measured;

    // An unknown entity that ampersands let into the word ("caf&eacute" before ";") is
    // markup, not part of the word.
    if (s.blnCharacterEntitiesPossible && stoppedAtSemicolon) {
        const std::size_t k = word.find(u'&');
        if (k != std::u16string_view::npos) {
            std::u16string candidate(word.substr(k));
            candidate.push_back(u';');
            if (EntityLength(candidate) != 0) {
                word = word.substr(0, k);
                if (word.empty())
                    return false;
            }
        }
    }

    while (!word.empty() && IsProhibitedFinal(word.back()))
        word.remove_suffix(1);

    const Settings& st = m_settings;
    if (!s.blnCountingMFP && st.CommonWordsLanguages == 0 && st.DropFinalS == 1 &&
        !s.blnCountOnlyWordsIncludePhrase && !s.blnReadingWords && MayBeReducedInSingular(word)) {
        const SingularChange c = SingularOf(word, st.CaseSignificant == 1);
        m_word.append(word.substr(c.from, c.length));
        m_word += c.suffix;
        // "john's" loses its s and would end in the apostrophe it had kept: a word never
        // ends in one of those characters, so they go again.
        while (!m_word.empty() && IsProhibitedFinal(m_word.back()))
            m_word.pop_back();
    } else {
        // m_word is empty here: appending skips the overlap checks of assign, which cost more
        // than copying a word of a few units.
        m_word.append(word);
    }

    if (m_word.empty())
        return false;
    if (st.AllowWordsWithApostrophes != 1 && !s.blnReadingWords) {
        // The pieces of "don't", "couldn't" and "it's" when apostrophes split words.
        if (m_word.size() == 1 &&
            (m_word[0] == u's' || m_word[0] == u'S' || m_word[0] == u't' || m_word[0] == u'T')) {
            m_word.clear();
            return false;
        }
        const char16_t last = m_word.back();
        if ((last == u'n' || last == u'N') && MayBeContractionStem(m_word) &&
            IsContractionStem(m_word)) {
            m_word.clear();
            return false;
        }
    }
    return !m_word.empty();
}

std::u16string WordExtractor::GetNextWord() {
    m_angles.Clear(); // the line may have changed since the last word
    std::int64_t measured = 0;
    TakeWord(measured);
    return m_word;
}

void WordExtractor::ExtractWords() {
    RunState& s = m_state;
    PrepareTextInPlace(s.strLine, !s.blnReadingWords);
    if (s.blnReadingWords) {
        s.blnCommentsPossible = true;
    } else {
        s.blnCommentsPossible = s.intNumCommentMarkers >= 1;
        ReplaceDoubleHyphensInPlace(s.strLine);
        if (s.blnCharacterEntitiesPossible)
            DecodeEntitiesInPlace(s.strLine, m_markup.IsXml());
    }

    const std::u16string& line = s.strLine;
    const auto len = static_cast<std::int64_t>(line.size());
    s.lngLP = 1;
    m_angles.Clear();
    while (s.lngLP < len) {
        YieldIfStarted();

        if (s.blnCommentsPossible) {
            if (s.intWithinComment == -1)
                s.intWithinComment = m_markup.FindStartMarker(line, s.lngLP);
            while (s.intWithinComment >= 0) {
                m_markup.SkipMarker(line, s.lngLP, s.intWithinComment);
                if (s.lngLP > len)
                    return; // the region runs on (or ended) at the end of the line
                if (line[static_cast<std::size_t>(s.lngLP - 1)] == u' ') {
                    // Scanning goes on after the space: the words that follow a tag or a
                    // script on the same line are counted.
                    s.intWithinComment = -1;
                    break;
                }
                s.intWithinComment = m_markup.FindStartMarker(line, s.lngLP);
                YieldIfStarted();
            }
        }

        const char16_t ch = line[static_cast<std::size_t>(s.lngLP - 1)];
        const bool begins = m_startChar[ch & 0xFF] || (s.blnReadingWords && ch == u'<');
        if (!begins) {
            // The next position that is not a space (NextNonSpace, without a set to search).
            std::size_t next = static_cast<std::size_t>(s.lngLP);
            while (next < line.size() && line[next] == u' ')
                ++next;
            if (next == line.size())
                return;
            s.lngLP = static_cast<std::int64_t>(next) + 1;
            continue;
        }

        const std::int64_t start = s.lngLP;
        std::int64_t measured = 0;
        const bool taken = TakeWord(measured);
        m_host.Yield();
        if (s.blnStop)
            return;
        if (taken) {
            // The sink receives the extractor's own buffer; nothing here touches it until
            // the next word is taken.
            const std::u16string& word = m_word;
            if (s.blnReadingWords) {
                m_sink.AddWordToList(word);
                if (m_countOnlyList && !IsAnglePattern(word))
                    m_sink.CheckForNonAlphaNumeric(word);
            } else {
                ++s.lngTotalNumOccurrences;
                s.lngWordStart = start;
                if (!s.blnStripPhrases || !m_sink.StripPhrase(word).empty())
                    m_sink.GetWords2(word);
            }
            if (YieldIfStarted())
                return;
        }
        if (measured == 0)
            s.lngLP = start + 1; // a "<" of a list that measures no word: move on
    }
}

bool WordExtractor::CommentMarkersOK() {
    const bool savedReadingWords = m_state.blnReadingWords;
    m_state.blnReadingWords = false;
    SetAllowedExtraChars1();
    SetAllowedExtraChars2();
    for (const std::u16string_view marker :
         {std::u16string_view(u"/*"), std::u16string_view(u"//")}) {
        if (NumAlpha(marker, 1, false, m_allowed) == static_cast<std::int64_t>(marker.size())) {
            m_host.MessageBox(CommentMarkerMessage(marker), u"Error", MsgIcon::Exclamation);
            m_state.blnReadingWords = savedReadingWords;
            return false;
        }
    }
    m_state.blnReadingWords = savedReadingWords;
    return true;
}

void WordExtractor::SetMarkupType(std::u16string_view type) {
    m_state.intNumCommentMarkers = m_markup.SetMarkupType(type);
    m_state.blnCharacterEntitiesPossible = m_markup.CharacterEntitiesPossible();
    NoteTagPair();
}

void WordExtractor::SetMarkupTypeFromExtension(std::u16string_view extension) {
    m_state.intNumCommentMarkers = m_markup.SetMarkupTypeFromExtension(extension);
    m_state.blnCharacterEntitiesPossible = m_markup.CharacterEntitiesPossible();
    NoteTagPair();
}

void WordExtractor::NoteTagPair() {
    m_tagsAreMarkup = false;
    for (int i = 0; i < m_markup.NumPairs(); ++i)
        if (m_markup.Pair(i).start == u"<" && m_markup.Pair(i).end == u">")
            m_tagsAreMarkup = true;
}

} // namespace lxty
