#include "engine/WordExtraction.h"

#include "engine/Host.h"
#include "engine/Patterns.h"
#include "util/Cp1252.h"
#include "util/StringUtils.h"

#include <algorithm>

namespace lxty {

namespace {

bool IsAsciiLetter(unsigned c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The word-character test for a whole low-byte range at once: the extractor looks characters
// up in such a table instead of searching the extra characters at every position.
std::array<bool, 256> WordCharTable(std::u16string_view extra) {
    std::array<bool, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = IsWordChar(static_cast<char16_t>(c), false, extra);
    return table;
}

// The measuring loop shared by NumAlpha2 and the extractor; isWordChar is indexed by the low
// byte of a code unit.
std::int64_t MeasureWord(std::u16string_view s, std::int64_t lngPos,
                         const std::array<bool, 256>& isWordChar, StopFlags* flags) {
    const auto len = static_cast<std::int64_t>(s.size());
    std::int64_t n = 0;
    if (lngPos >= 1) {
        for (;;) {
            const std::int64_t p = lngPos + n;
            if (p > len)
                break;
            const char16_t ch = s[static_cast<std::size_t>(p - 1)];
            if (isWordChar[ch & 0xFF]) {
                if (++n >= lngMaxWordLength)
                    break;
                continue;
            }
            if (ch != u'<')
                break;
            if (p < len && s[static_cast<std::size_t>(p)] == u'/')
                break; // "</" closes markup
            const std::size_t gt = s.find(u'>', static_cast<std::size_t>(p));
            if (gt == std::u16string_view::npos)
                break;
            const std::size_t from = static_cast<std::size_t>(p - 1);
            const std::u16string_view tag = s.substr(from, gt - from + 1);
            if (tag.size() == 2) { // "<>"
                n += 2;
                break;
            }
            const std::u16string_view inner = tag.substr(1, tag.size() - 2);
            if (inner.find(u' ') != std::u16string_view::npos || IsAlphanumeric(inner, false))
                break; // an ordinary tag such as <b> ends the word
            // A bracketed pattern is taken whole; a rejected one gives only its "<".
            if (IsValidRegExp(tag))
                n = static_cast<std::int64_t>(gt + 1) - lngPos;
            if (++n >= lngMaxWordLength)
                break;
        }
    }
    if (flags) {
        *flags = StopFlags{};
        const std::int64_t q = lngPos + n;
        if (q >= 1 && q <= len) {
            const char16_t c = s[static_cast<std::size_t>(q - 1)];
            flags->semicolon = c == u';';
            flags->period = c == u'.';
            flags->doubleQuote = c == u'"';
            flags->tab = c == u'\t';
            flags->comma = c == u',';
        }
    }
    return n;
}

// False only for words that MakeSingular returns unchanged: no space to trim, and neither a
// final s nor the four letters of "mice" or "lice". Saves a copy of nearly every word.
bool MayBeReducedInSingular(std::u16string_view w) {
    if (w.empty())
        return false;
    if (w.front() == u' ' || w.back() == u' ')
        return true;
    return w.size() > 2 && (w.back() == u's' || w.back() == u'S' || w.size() == 4);
}

constexpr std::u16string_view kContractionStems =
    u"aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";

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
    if (flags) {
        *flags = StopFlags{};
        const std::int64_t q = lngPos + n;
        if (q >= 1 && q <= len) {
            const char16_t c = text[static_cast<std::size_t>(q - 1)];
            flags->semicolon = c == u';';
            flags->period = c == u'.';
            flags->doubleQuote = c == u'"';
            flags->tab = c == u'\t';
            flags->comma = c == u',';
            flags->apostrophe = c == u'\'';
        }
    }
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
    std::size_t w = 0;
    for (std::size_t r = 0; r < n; ++r) {
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

std::u16string MakeSingular(std::u16string_view word, bool caseSignificant) {
    const std::size_t b = word.find_first_not_of(u' ');
    if (b == std::u16string_view::npos)
        return {};
    const std::size_t e = word.find_last_not_of(u' ');
    const std::u16string_view v = word.substr(b, e - b + 1);
    if (v.size() <= 2)
        return std::u16string(v);
    // Every rule but mice/lice needs a final s; most words leave here.
    const bool endsWithS = v.back() == u's' || v.back() == u'S';
    if (!endsWithS && v.size() != 4)
        return std::u16string(v);

    // The endings (at most four characters) are compared ignoring case on a lower-cased tail,
    // made once; the whole word is lower-cased only when it is short enough to be one of the
    // named words (the longest is "species").
    const std::size_t tailLength = std::min<std::size_t>(4, v.size());
    const std::u16string lower = v.size() <= 7 ? LowerCaseAll(v) : std::u16string();
    const std::u16string tail =
        lower.empty() ? LowerCaseAll(v.substr(v.size() - tailLength)) : std::u16string();
    const std::u16string_view lowerTail =
        lower.empty() ? std::u16string_view(tail)
                      : std::u16string_view(lower).substr(lower.size() - tailLength);
    auto ends = [lowerTail](std::u16string_view ending) {
        return EndsWith(lowerTail, ending, true);
    };
    auto replaced = [v](std::size_t endingLength, std::u16string_view replacement) {
        std::u16string out(v.substr(0, v.size() - endingLength));
        out += replacement;
        return out;
    };

    if (lower == u"rights" || lower == u"species")
        return std::u16string(v);
    const std::u16string_view asCompared = caseSignificant ? std::u16string_view(lower) : v;
    if (asCompared == u"mice" || asCompared == u"lice") {
        const std::u16string first(v.substr(0, 1));
        const bool capital = caseSignificant && IsAllUpperCase(first);
        return first + (capital ? u"OUSE" : u"ouse");
    }
    if (!endsWithS)
        return std::u16string(v);

    if (ends(u"ies") && !ends(u"aies") && !ends(u"eies") && v.size() >= 5)
        return replaced(3, caseSignificant && EndsWith(v, u"IES", true) ? u"Y" : u"y");
    if (ends(u"shes") || ends(u"sses") || ends(u"zzes"))
        return replaced(2, u"");
    if (ends(u"oes") && asCompared != u"floes" && asCompared != u"shoes")
        return replaced(3, caseSignificant && EndsWith(v, u"OES", true) ? u"O" : u"o");
    if (ends(u"es") && !ends(u"ees") && !ends(u"aes") && !ends(u"oes"))
        return replaced(2, caseSignificant && EndsWith(v, u"ES", true) ? u"E" : u"e");
    if (ends(u"s") && !ends(u"ss") && !ends(u"us") && !ends(u"is") && !ends(u"ics"))
        return replaced(1, u"");
    return std::u16string(v);
}

bool IsContractionStem(std::u16string_view word) {
    // Every stem in the list ends with "n", and only "N" lower-cases to "n": other words are
    // answered without lower-casing a copy.
    if (!word.empty() && word.back() != u'n' && word.back() != u'N')
        return false;
    if (word.size() >= kContractionStems.size())
        return false;
    // The lower-cased word followed by a space, searched without appending the space (a
    // short word then stays in the string's own buffer).
    const std::u16string lower = LowerCaseAll(word);
    for (std::size_t at = kContractionStems.find(lower); at != std::u16string_view::npos;
         at = kContractionStems.find(lower, at + 1)) {
        const std::size_t after = at + lower.size();
        if (after < kContractionStems.size() && kContractionStems[after] == u' ')
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
    std::u16string m = u"With the current settings the start-comment marker\r\n\"";
    m += marker;
    m += u"\" could be part of a word.\r\n\r\n"
         u"Check the the 'Settings' window and perhaps disallow comment\r\n"
         u"markers or restrict allowable characters in 'words'.";
    return m;
}

WordExtractor::WordExtractor(const Settings& settings, RunState& state, Markup& markup, Host& host,
                             WordSink& sink)
    : m_settings(settings), m_state(state), m_markup(markup), m_host(host), m_sink(sink) {
    RebuildTables();
}

void WordExtractor::RebuildTables() {
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

std::int64_t WordExtractor::Measure(std::int64_t pos, StopFlags& flags) const {
    return MeasureWord(m_state.strLine, pos, m_wordChar, &flags);
}

std::u16string WordExtractor::TakeWord(std::int64_t& measured) {
    RunState& s = m_state;
    StopFlags flags;
    measured = Measure(s.lngLP, flags);
    s.blnStoppedAtPeriod = flags.period;
    s.blnStoppedAtDoubleQuote = flags.doubleQuote;
    s.blnStoppedAtTab = flags.tab;
    s.blnStoppedAtComma = flags.comma;
    if (measured == 0)
        return {};

    std::u16string word =
        s.strLine.substr(static_cast<std::size_t>(s.lngLP - 1), static_cast<std::size_t>(measured));
    s.lngLP += measured;

    // An unknown entity that ampersands let into the word ("caf&eacute" before ";") is
    // markup, not part of the word.
    if (s.blnCharacterEntitiesPossible && flags.semicolon) {
        const std::size_t k = word.find(u'&');
        if (k != std::u16string::npos) {
            std::u16string candidate = word.substr(k);
            candidate.push_back(u';');
            if (EntityLength(candidate) != 0) {
                word.resize(k);
                if (word.empty())
                    return {};
            }
        }
    }

    while (!word.empty() &&
           strProhibitedInitialOrFinalChars.find(word.back()) != std::u16string::npos)
        word.pop_back();

    const Settings& st = m_settings;
    if (!s.blnCountingMFP && st.CommonWordsLanguages == 0 && st.DropFinalS == 1 &&
        !s.blnCountOnlyWordsIncludePhrase && !s.blnReadingWords && MayBeReducedInSingular(word))
        word = MakeSingular(word, st.CaseSignificant == 1);

    if (st.AllowWordsWithApostrophes != 1 && !s.blnReadingWords) {
        // The pieces of "don't", "couldn't" and "it's" when apostrophes split words.
        if (word.size() == 1 &&
            (word[0] == u's' || word[0] == u'S' || word[0] == u't' || word[0] == u'T'))
            return {};
        if (IsContractionStem(word))
            return {};
    }
    return word;
}

std::u16string WordExtractor::GetNextWord() {
    std::int64_t measured = 0;
    return TakeWord(measured);
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
            DecodeEntitiesInPlace(s.strLine);
    }

    const std::u16string& line = s.strLine;
    const auto len = static_cast<std::int64_t>(line.size());
    s.lngLP = 1;
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
            const std::int64_t next = NextNonSpace(line, s.lngLP + 1);
            if (next == 0)
                return;
            s.lngLP = next;
            continue;
        }

        const std::int64_t start = s.lngLP;
        std::int64_t measured = 0;
        const std::u16string word = TakeWord(measured);
        m_host.Yield();
        if (s.blnStop)
            return;
        if (!word.empty()) {
            if (s.blnReadingWords) {
                m_sink.AddWordToList(word);
                if (m_countOnlyList && !IsAnglePattern(word))
                    m_sink.CheckForNonAlphaNumeric(word);
            } else {
                ++s.lngTotalNumOccurrences;
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
}

void WordExtractor::SetMarkupTypeFromExtension(std::u16string_view extension) {
    m_state.intNumCommentMarkers = m_markup.SetMarkupTypeFromExtension(extension);
    m_state.blnCharacterEntitiesPossible = m_markup.CharacterEntitiesPossible();
}

} // namespace lxty
