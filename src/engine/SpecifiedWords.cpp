#include "engine/SpecifiedWords.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "engine/Patterns.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "settings/Settings.h"
#include "sources/Markup.h"
#include "sources/TextFile.h"
#include "sources/TextFileCheck.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <filesystem>

namespace lxty {

namespace {

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    std::size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::u16string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
}

std::u16string StripProhibitedEnds(std::u16string_view s) {
    const std::u16string_view set = strProhibitedInitialOrFinalChars;
    const std::size_t first = s.find_first_not_of(set);
    if (first == std::u16string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(set);
    return std::u16string(s.substr(first, last - first + 1));
}

// The line without its angle-bracket items: the wildcard test of a count-only line looks only
// at the text outside its patterns, where "?" and "~" would be simple wildcards.
std::u16string OutsideAngleItems(std::u16string_view line) {
    std::u16string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t lt = line.find(u'<', pos);
        const std::size_t gt = lt == std::u16string_view::npos ? lt : line.find(u'>', lt + 1);
        if (gt == std::u16string_view::npos) {
            out.append(line.substr(pos));
            return out;
        }
        out.append(line.substr(pos, lt - pos));
        out.push_back(u' ');
        pos = gt + 1;
    }
}

// Removes the comments of a list line: "//" to the end of the line and "/*" ... "*/", which
// may run over several lines (inComment carries that over). Comments are not read, so they
// must go before the line becomes entries: "egypt // the land" is the one word "egypt", not a
// five-word phrase. Angle-bracket patterns are passed over whole.
std::u16string WithoutComments(std::u16string_view line, bool& inComment) {
    std::u16string out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (inComment) {
            const std::size_t close = line.find(u"*/", i);
            if (close == std::u16string_view::npos)
                break;
            inComment = false;
            out.push_back(u' ');
            i = close + 2;
            continue;
        }
        const char16_t c = line[i];
        if (c == u'<') {
            const std::size_t gt = line.find(u'>', i + 1);
            if (gt != std::u16string_view::npos) {
                out.append(line.substr(i, gt + 1 - i));
                i = gt + 1;
                continue;
            }
        }
        if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'/')
            break;
        if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'*') {
            inComment = true;
            i += 2;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

// A phrase entry has a "+" outside its patterns; the "+" of <[a-z]+ing> is the expression's.
bool AnyHasPhrase(const std::vector<std::u16string>& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const std::u16string& e) { return NumWordsInEntry(e) > 1; });
}

} // namespace

std::u16string NormaliseListWhiteSpace(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 32)
            continue;
        if (c == u' ' && (out.empty() || out.back() == u' '))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == u' ')
        out.pop_back();
    return out;
}

std::vector<std::u16string> AngleItems(std::u16string_view line) {
    std::vector<std::u16string> items;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t lt = line.find(u'<', pos);
        if (lt == std::u16string_view::npos)
            return items;
        const std::size_t gt = line.find(u'>', lt + 1);
        if (gt == std::u16string_view::npos)
            return items;
        items.emplace_back(line.substr(lt, gt - lt + 1));
        pos = gt + 1;
    }
}

std::u16string EntryAsText(std::u16string_view entry) {
    std::u16string out;
    bool first = true;
    for (const std::u16string_view part : SplitPhraseParts(entry)) {
        if (!first)
            out.push_back(u' ');
        out.append(part);
        first = false;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// WordList

void WordList::Assign(std::vector<std::u16string> entries) {
    m_entries = std::move(entries);
    m_matcher[0].reset();
    m_matcher[1].reset();
    m_exact.reset();
}

MatchResult WordList::Lookup(std::u16string_view text, bool caseSignificant,
                             std::u16string* patternInner) const {
    std::optional<ListMatcher>& matcher = m_matcher[caseSignificant ? 1 : 0];
    if (!matcher)
        matcher.emplace(m_entries, caseSignificant);
    return matcher->Lookup(text, patternInner);
}

bool WordList::Contains(std::u16string_view text) const {
    if (!m_exact)
        m_exact.emplace(m_entries.begin(), m_entries.end());
    return m_exact->find(text) != m_exact->end();
}

// ---------------------------------------------------------------------------------------------
// Reading a list file

// Everything ReadWords changes for the time of the read, put back on every way out: the file
// is closed, the word-list mode and the list-kind flag end, and the two settings and the
// extraction state of the run return to what they were.
class SpecifiedWords::ReadGuard {
public:
    ReadGuard(SpecifiedWords& sw, TextFile& file, bool countOnly)
        : m_sw(sw), m_file(file), m_readingWords(sw.m_run.blnReadingWords),
          m_suppressWords(sw.m_settings.SuppressWords),
          m_allowCommentMarkers(sw.m_settings.AllowCommentMarkers), m_line(sw.m_run.strLine),
          m_lp(sw.m_run.lngLP), m_withinComment(sw.m_run.intWithinComment),
          m_commentsPossible(sw.m_run.blnCommentsPossible) {
        sw.m_run.blnReadingWords = true;
        sw.blnReadingCountOnlyList = countOnly;
        sw.m_settings.SuppressWords = 1;       // nothing is shown while reading
        sw.m_settings.AllowCommentMarkers = 1; // comments are skipped in list files
        sw.m_run.intWithinComment = -1;
    }
    ~ReadGuard() {
        m_file.Close();
        RunState& rs = m_sw.m_run;
        rs.blnReadingWords = m_readingWords;
        m_sw.blnReadingCountOnlyList = false;
        m_sw.m_settings.SuppressWords = m_suppressWords;
        m_sw.m_settings.AllowCommentMarkers = m_allowCommentMarkers;
        rs.strLine = std::move(m_line);
        rs.lngLP = m_lp;
        rs.intWithinComment = m_withinComment;
        rs.blnCommentsPossible = m_commentsPossible;
    }
    ReadGuard(const ReadGuard&) = delete;
    ReadGuard& operator=(const ReadGuard&) = delete;

private:
    SpecifiedWords& m_sw;
    TextFile& m_file;
    bool m_readingWords;
    int m_suppressWords;
    int m_allowCommentMarkers;
    std::u16string m_line;
    std::int64_t m_lp;
    int m_withinComment;
    bool m_commentsPossible;
};

// Word-list mode of extraction: every token goes to the table (duplicates counted once) and,
// for a count-only list, to the optional-character record.
class SpecifiedWords::ListSink : public WordSink {
public:
    ListSink(SpecifiedWords& sw, WordCounting& counting) : m_sw(sw), m_counting(counting) {}
    void AddWordToList(const std::u16string& word) override { m_counting.AddWordToList(word); }
    void CheckForNonAlphaNumeric(const std::u16string& word) override {
        m_sw.CheckForNonAlphaNumeric(word);
    }

private:
    SpecifiedWords& m_sw;
    WordCounting& m_counting;
};

SpecifiedWords::SpecifiedWords(Settings& settings, RunState& run, Host& host, WordTable& table,
                               TextWindowSink& textWindow, WordsToIgnore& wordsToIgnore)
    : m_settings(settings), m_run(run), m_host(host), m_table(table), m_textWindow(textWindow),
      m_wordsToIgnore(wordsToIgnore) {}

bool SpecifiedWords::ReadWords(int kind) {
    const WordFileList& list = m_settings.WordsFile[kind == kCountOnlyList ? 1 : 0];
    if (list.selected < 0 || list.selected >= static_cast<int>(list.paths.size())) {
        m_lastFailure = ReadWordsFailure::NoFileSelected;
        return false;
    }
    return ReadWordsFromFile(kind, list.paths[static_cast<std::size_t>(list.selected)]);
}

bool SpecifiedWords::ReadWordsFromFile(int kind, const std::u16string& path) {
    const bool countOnly = kind == kCountOnlyList;
    m_lastFailure = ReadWordsFailure::None;
    if (countOnly) {
        blnCountOnlyWordsFileContainsWildcards = false;
        // The record describes the file being read; characters of an earlier file must not
        // switch their settings on again.
        std::fill(std::begin(blnOptionalCharFound), std::end(blnOptionalCharFound), false);
    } else {
        blnWordsToIgnoreFileContainsWildcards = false;
        blnWordsToIgnoreFileContainsAngleBrackets = false;
    }

    // Nothing of a refused or stopped read stays in force.
    auto refuse = [&](ReadWordsFailure why) {
        m_lastFailure = why;
        if (countOnly) {
            m_countOnly.Clear();
            m_run.lngNumCountOnlyWords = 0;
            UpdatePhraseFlag();
        } else {
            m_wordsToIgnore.ClearFile();
            m_run.lngNumWordsToIgnore = 0;
        }
        return false;
    };

    const std::filesystem::path file(path);
    const WordListFileCheck check = CheckWordListFile(m_host, file, false);
    if (check.code != TextCode::CrLf && check.code != TextCode::Lf && check.code != TextCode::Cr)
        return refuse(ReadWordsFailure::FileCheck);
    TextFile text;
    if (!text.Open(file, check.encoding))
        return refuse(ReadWordsFailure::OpenFailed);

    ReadGuard guard(*this, text, countOnly);
    Markup markup;
    markup.SetMarkupType(u"C"); // "/*" ... "*/" and "//" are comments in list files
    WordCounting counting(m_table, m_run, m_settings, m_host, m_textWindow, m_wordsToIgnore);
    ListSink sink(*this, counting);
    WordExtractor extractor(m_settings, m_run, markup, m_host, sink);
    extractor.SetAllowedExtraCharsForList(countOnly);
    m_table.Reset();
    m_run.lngNumWords = 0;
    m_host.SetLabel("cmdCountWords", GetText(TextId::StopCounting));
    m_textWindow.Clear();
    m_textWindow.Append(countOnly ? u"Now reading count-only words . . . "
                                  : u"Now reading words to ignore . . . ");

    if (!ReadLines(kind, text, extractor)) {
        m_table.Reset();
        m_run.lngNumWords = 0;
        return refuse(m_lastFailure);
    }

    std::vector<std::u16string> words;
    const std::int64_t n = m_table.Size();
    words.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 1; i <= n; ++i)
        words.push_back(m_table.Entry(i).word); // ascending ordinal order
    m_run.lngNumWords = n;
    if (countOnly) {
        m_countOnly.Assign(std::move(words));
        m_run.lngNumCountOnlyWords = m_countOnly.Size();
        PutCountOnlyWordsIntoLowerCase();
        // Typed entries keep their phrases in force too.
        UpdatePhraseFlag();
        SwitchOnOptionalCharacters();
    } else {
        blnWordsToIgnoreFileContainsWildcards =
            std::any_of(words.begin(), words.end(), [](const std::u16string& w) {
                return w.find_first_of(u"~?") != std::u16string::npos;
            });
        m_run.lngNumWordsToIgnore = static_cast<std::int64_t>(words.size());
        m_wordsToIgnore.SetFileEntries(std::move(words));
    }
    return true;
}

bool SpecifiedWords::ReadLines(int kind, TextFile& file, WordExtractor& extractor) {
    const bool countOnly = kind == kCountOnlyList;
    std::u16string raw;
    bool inComment = false;
    while (file.ReadLine(raw)) {
        std::u16string line = TrimSpaces(WithoutComments(raw, inComment));
        if (line.empty())
            continue;
        if (countOnly) {
            if (!CheckLinePatterns(line, true, true))
                continue; // an inadmissible pattern costs only its line
            const std::u16string outside = OutsideAngleItems(line);
            if (outside.find_first_of(u"?~") != std::u16string::npos) {
                blnCountOnlyWordsFileContainsWildcards = true;
                m_lastFailure = ReadWordsFailure::Wildcards;
                return false;
            }
            line = NormaliseListWhiteSpace(line);
            ReplaceAll(line, u", ", u";");
            if (line.find(u' ') != std::u16string::npos)
                m_run.blnCountOnlyWordsIncludePhrase = true;
            std::replace(line.begin(), line.end(), u' ', u'+');
        } else {
            if (line.find_first_of(u"<>") != std::u16string::npos) {
                blnWordsToIgnoreFileContainsAngleBrackets = true;
                m_lastFailure = ReadWordsFailure::AngleBrackets;
                return false;
            }
            line = LowerCaseAll(line);
        }
        // Extraction wants the text to end with a space, or a last one-letter word is lost.
        line.push_back(u' ');
        m_run.strLine = std::move(line);
        extractor.ExtractWords();
        m_host.Yield();
        if (m_run.blnStop) {
            m_lastFailure = ReadWordsFailure::Stopped;
            return false;
        }
    }
    return true;
}

bool SpecifiedWords::CheckLinePatterns(const std::u16string& line, bool allItems,
                                       bool withTrailer) {
    const std::u16string title = m_extraCaption + u" inadmissible regular expression";
    std::u16string trailer;
    if (withTrailer) {
        trailer = u"The following line will be ignored:";
        trailer += kLineEnd;
        trailer += line;
    }
    bool ok = true;
    for (const std::u16string& item : AngleItems(line)) {
        if (item.size() <= 2)
            continue; // "<>" is no pattern
        const int code = CheckPattern(item);
        if (code < 0) {
            ReportPatternCheck(m_host, code, item, false, title, trailer);
            ok = false;
            if (!allItems)
                break;
        }
    }
    return ok;
}

bool SpecifiedWords::GetExtraWords(int kind) {
    const bool countOnly = kind == kCountOnlyList;
    std::u16string text = m_settings.WordsToIgnoreOrCount[countOnly ? 1 : 0];
    char16_t separator = u' ';
    if (countOnly) {
        if (!CheckLinePatterns(text, false, false))
            return false; // the extra list stays as it was
        text = NormaliseListWhiteSpace(text);
        ReplaceAll(text, u" ,", u",");
        ReplaceAll(text, u", ", u";");
        std::replace(text.begin(), text.end(), u' ', u'+');
        separator = u';';
    }

    std::vector<std::u16string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = text.find(separator, start);
        std::u16string item = StripProhibitedEnds(
            std::u16string_view(text).substr(start, sep == text.npos ? text.npos : sep - start));
        // Empty items (doubled separators) would be entries that match nothing yet count as
        // entries to be found.
        if (!item.empty())
            items.push_back(std::move(item));
        if (sep == text.npos)
            break;
        start = sep + 1;
    }
    if (items.size() > 1)
        StringArraySort(items, 1, static_cast<std::int64_t>(items.size()));

    if (countOnly) {
        m_run.intNumExtraCountOnlyWords = static_cast<int>(items.size());
        m_extraCountOnly.Assign(std::move(items));
        UpdatePhraseFlag();
    } else {
        std::u16string joined;
        for (const auto& item : items) {
            if (!joined.empty())
                joined.push_back(u' ');
            joined += item;
        }
        m_settings.WordsToIgnoreOrCount[0] = joined;
        m_run.intNumExtraWordsToIgnore = static_cast<int>(items.size());
        m_wordsToIgnore.SetTyped(std::move(items));
    }
    return true;
}

void SpecifiedWords::PutCountOnlyWordsIntoLowerCase() {
    std::vector<std::u16string> entries = m_countOnly.Entries();
    for (auto& e : entries)
        e = LowerCaseListEntry(e);
    if (entries.size() > 1)
        StringArraySort(entries, 1, static_cast<std::int64_t>(entries.size()));
    m_countOnly.Assign(std::move(entries));
}

void SpecifiedWords::ListCountOnlyWords() {
    const std::int64_t n = m_countOnly.Size();
    std::u16string header;
    if (n == 1) {
        header = NumWordsInEntry(m_countOnly.Entries().front()) > 1
                     ? u"There is one phrase in the count-only file:"
                     : u"There is one word in the count-only file:";
    } else {
        // Also for an empty list, which is no "one word".
        header = u"There are " + FormatCount(n) + u" " + WordsPhrases(m_run) +
                 u" in the count-only file:";
    }
    m_textWindow.Clear();
    m_textWindow.Append(header);
    // The listing order ignores case; the list itself stays in ordinal order for its search.
    std::vector<std::u16string> sorted = m_countOnly.Entries();
    if (sorted.size() > 1)
        StringArraySort(sorted, 1, static_cast<std::int64_t>(sorted.size()), 1, true);
    for (const auto& entry : sorted) {
        m_host.Yield();
        if (m_run.blnStop)
            break;
        std::u16string line(kLineEnd);
        line += EntryAsText(entry);
        m_textWindow.Append(line);
    }
}

void SpecifiedWords::CheckForNonAlphaNumeric(const std::u16string& entry) {
    static constexpr std::u16string_view kChars[kNumOptionalChars] = {
        u"-", u"'", u"_", u":", u"\\", u"/", u"()", u"&", u".", u",", u"@", u"0123456789"};
    for (int i = 0; i < kNumOptionalChars; ++i)
        if (!blnOptionalCharFound[i] && entry.find_first_of(kChars[i]) != std::u16string::npos)
            blnOptionalCharFound[i] = true;
}

void SpecifiedWords::SwitchOnOptionalCharacters() {
    Settings& s = m_settings;
    int* settings[kNumOptionalChars] = {
        &s.AllowWordsWithHyphens,     &s.AllowWordsWithApostrophes, &s.AllowWordsWithUnderscores,
        &s.AllowWordsWithColons,      &s.AllowWordsWithBackslashes, &s.AllowWordsWithForwardslashes,
        &s.AllowWordsWithParentheses, &s.AllowWordsWithAmpersands,  &s.AllowWordsWithPeriods,
        &s.AllowWordsWithCommas,      &s.AllowWordsWithAtSigns,     &s.AllowWordsWithNumerals};
    for (int i = 0; i < kNumOptionalChars; ++i)
        if (blnOptionalCharFound[i])
            *settings[i] = 1;
}

void SpecifiedWords::UpdatePhraseFlag() {
    // Both lists are in force together, so a phrase of either keeps the flag; a list that no
    // longer holds one clears it.
    m_run.blnCountOnlyWordsIncludePhrase =
        AnyHasPhrase(m_countOnly.Entries()) || AnyHasPhrase(m_extraCountOnly.Entries());
}

void SpecifiedWords::UpdateListFlags() {
    m_run.blnThereAreCountOnlyWords =
        m_run.lngNumCountOnlyWords > 0 || m_run.intNumExtraCountOnlyWords > 0;
    m_run.blnThereAreWordsToIgnore =
        m_run.lngNumWordsToIgnore > 0 || m_run.intNumExtraWordsToIgnore > 0;
}

void SpecifiedWords::ClearCountOnlyFileList() {
    m_countOnly.Clear();
    m_run.lngNumCountOnlyWords = 0;
    UpdatePhraseFlag();
}

void SpecifiedWords::SetCountOnlyFileList(std::vector<std::u16string> entries) {
    m_countOnly.Assign(std::move(entries));
    m_run.lngNumCountOnlyWords = m_countOnly.Size();
    UpdatePhraseFlag();
}

void SpecifiedWords::SetExtraCountOnlyList(std::vector<std::u16string> entries) {
    m_extraCountOnly.Assign(std::move(entries));
    m_run.intNumExtraCountOnlyWords = static_cast<int>(m_extraCountOnly.Size());
    UpdatePhraseFlag();
}

// ---------------------------------------------------------------------------------------------
// Counting

void SpecifiedWords::CountWord(const std::u16string& word) {
    if (m_addWordToList)
        m_addWordToList(word);
}

MatchResult SpecifiedWords::LookUpSlot(const std::u16string& slot) {
    // A lookup stops, not found, once a pattern has failed for this word.
    if (blnPatternError)
        return MatchResult::NoMatch;
    MatchResult r = m_extraCountOnly.Lookup(slot, false, &strPatternError);
    if (r == MatchResult::NoMatch && m_run.lngNumCountOnlyWords >= 1) {
        if (m_settings.PatternMatchingInCountOnlyWordsFile == 1)
            r = m_countOnly.Lookup(slot, false, &strPatternError);
        else if (m_countOnly.Contains(LowerCaseAll(slot)))
            r = MatchResult::Match;
    }
    if (r == MatchResult::PatternError)
        blnPatternError = true;
    return r;
}

int SpecifiedWords::CountsWord(std::u16string_view word) const {
    if (m_run.blnCountingMFP || m_slots.size() > 1)
        return -1;
    std::u16string inner;
    if (m_run.intNumExtraCountOnlyWords > 0) {
        const MatchResult r =
            m_extraCountOnly.Lookup(word, m_settings.CaseSignificant == 1, &inner);
        if (r != MatchResult::NoMatch)
            return r == MatchResult::Match ? 1 : -1;
    }
    if (m_run.lngNumCountOnlyWords > 0) {
        if (m_settings.PatternMatchingInCountOnlyWordsFile == 1) {
            const MatchResult r = m_countOnly.Lookup(word, false, &inner);
            if (r != MatchResult::NoMatch)
                return r == MatchResult::Match ? 1 : -1;
        } else if (m_countOnly.Contains(LowerCaseAll(word))) {
            return 1;
        }
    }
    return 0;
}

void SpecifiedWords::GetWords2Branch(const std::u16string& word) {
    blnPatternError = false;
    strPatternError.clear();
    const bool allPhrases = m_run.blnCountingMFP;

    bool toCount = false;
    if (allPhrases) {
        if (m_allPhrases.minPhraseLength == 1)
            toCount = m_allPhrases.countSingleWord ? m_allPhrases.countSingleWord(word) : true;
    } else {
        if (m_run.intNumExtraCountOnlyWords > 0) {
            const MatchResult r =
                m_extraCountOnly.Lookup(word, m_settings.CaseSignificant == 1, &strPatternError);
            toCount = r == MatchResult::Match;
            blnPatternError = r == MatchResult::PatternError;
        }
        if (!toCount && !blnPatternError && m_run.lngNumCountOnlyWords > 0) {
            if (m_settings.PatternMatchingInCountOnlyWordsFile == 1) {
                const MatchResult r = m_countOnly.Lookup(word, false, &strPatternError);
                toCount = r == MatchResult::Match;
                blnPatternError = r == MatchResult::PatternError;
            } else {
                toCount = m_countOnly.Contains(LowerCaseAll(word));
            }
        }
    }

    auto reportPatternError = [&] {
        std::u16string message = u"The regular expression";
        message += kLineEnd;
        message += strPatternError;
        message += kLineEnd;
        message += u"is invalid.";
        m_host.MessageBox(message,
                          m_countCaption.empty() ? GetText(TextId::StopCounting) : m_countCaption,
                          MsgIcon::Information);
    };
    if (blnPatternError) {
        reportPatternError();
        return;
    }

    if (toCount)
        CountWord(word);

    // The phrase window: slot k holds the last k words; each slot slides one word at a time.
    const int size = static_cast<int>(m_slots.size());
    for (int k = 2; k <= size; ++k) {
        if (m_run.blnStop)
            break;
        std::u16string& slot = m_slots[static_cast<std::size_t>(k - 1)];
        int& words = m_slotWords[static_cast<std::size_t>(k - 1)];
        if (words == 0) {
            slot = word;
            words = 1;
        } else {
            if (words == k) {
                slot.erase(0, slot.find(u'+') + 1);
                --words;
            }
            slot.push_back(u'+');
            slot += word;
            ++words;
        }
        if (words != k)
            continue;
        bool count = false;
        if (allPhrases) {
            const int verdict = m_allPhrases.testSlot ? m_allPhrases.testSlot(k, slot) : 1;
            if (verdict < 0)
                return; // no later slots and no phrase termination for this word
            count = verdict == 1;
        } else {
            count = LookUpSlot(slot) == MatchResult::Match;
        }
        if (count) {
            std::u16string phrase = slot;
            std::replace(phrase.begin(), phrase.end(), u'+', u' ');
            CountWord(phrase);
        }
    }
    // A phrase entry whose pattern the engine refuses is met only here; it is reported once
    // for the word like a one-word entry.
    if (blnPatternError)
        reportPatternError();

    if (PhraseEndsAfterWord(m_settings, m_run))
        ResetPhrases();
}

bool PhraseEndsAfterWord(const Settings& s, const RunState& run) {
    return (s.TerminatePhraseAtPeriod == 1 && run.blnStoppedAtPeriod) ||
           (s.TerminatePhraseAtDoubleQuote == 1 && run.blnStoppedAtDoubleQuote) ||
           (s.TerminatePhraseAtTab == 1 && run.blnStoppedAtTab) ||
           (s.TerminatePhraseAtComma == 1 && run.blnStoppedAtComma);
}

void SpecifiedWords::SizePhraseWindow() {
    int size = 1;
    // All-phrases runs put one "~+~..." entry per phrase length into the typed list, so the
    // entries give their window too; the rules' maximum is the documented size.
    if (m_run.blnCountingMFP)
        size = std::max(size, m_allPhrases.maxPhraseLength);
    for (const WordList* list : {&m_countOnly, &m_extraCountOnly})
        for (const auto& entry : list->Entries())
            size = std::max(size, NumWordsInEntry(entry));
    m_slots.assign(static_cast<std::size_t>(size), std::u16string());
    m_slotWords.assign(static_cast<std::size_t>(size), 0);
}

void SpecifiedWords::ResetPhrases() {
    for (std::size_t k = 1; k < m_slots.size(); ++k) {
        m_slots[k].clear();
        m_slotWords[k] = 0;
    }
}

std::u16string SpecifiedWords::Slot(int k) const {
    if (k < 1 || k > static_cast<int>(m_slots.size()))
        return {};
    return m_slots[static_cast<std::size_t>(k - 1)];
}

bool SpecifiedWords::IsWordToIgnore(std::u16string_view word) const {
    return m_wordsToIgnore.IsIgnored(word, m_settings);
}

std::u16string SpecifiedWords::StripPhrase(const std::u16string& text) const {
    std::u16string out;
    bool any = false;
    for (const std::u16string_view part : SplitPhraseParts(text)) {
        if (part.empty() || IsWordToIgnore(part))
            continue;
        // The words kept are separated by single spaces, however many were removed.
        if (any)
            out.push_back(u' ');
        out.append(part);
        any = true;
    }
    return out;
}

} // namespace lxty
