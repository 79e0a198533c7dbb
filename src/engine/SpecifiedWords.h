#pragma once
// Specified words and phrases: the count-only list (file entries and typed extra entries),
// the words-to-ignore list as read from its file and typed box, and the part of GetWords2
// that counts only the specified words and phrases, with its phrase window.
//
// Typical use by the main window:
//
//     SpecifiedWords sw(settings, run, host, table, textWindow, wordsToIgnore);
//     if (!sw.ReadWords(1)) ... sw.LastReadFailure() says why (wildcards, stop, check ...)
//     sw.GetExtraWords(1);                      // after the typed box lost the focus
//     sw.SetAddWordToList([&](auto& w) { counting.AddWordToList(w); });
//     counting.SetSpecifiedWordsBranch([&](auto& w) { sw.GetWords2Branch(w); });
//     hooks: sizePhraseWindow = SizePhraseWindow, resetPhrases = ResetPhrases,
//            stripPhrase = StripPhrase
//
// List text becomes entries as follows. A count-only line may hold several entries separated
// by a comma and a space; the words of a phrase are separated by spaces (stored joined by
// "+"); an angle-bracket item such as <[a-z]+ing> is a pattern, admitted by CheckPattern. A
// words-to-ignore line holds words separated by spaces, where "~" stands for any run of
// characters and "?" for one character. In list files, "/*" ... "*/" and "//" to the end of
// the line are comments.
//
// Refusals of ReadWords (the file is closed and blnReadingWords, SuppressWords and
// AllowCommentMarkers are put back on every path):
//   - the selected file fails the word-list file check (its message has been shown);
//   - a count-only line holds "?" or "~" outside its patterns: blnCountOnlyWordsFileContains-
//     Wildcards is set and the list is left empty; the caller shows its message;
//   - a words-to-ignore line holds "<" or ">": blnWordsToIgnoreFileContainsAngleBrackets;
//   - a stop request while reading: what was read is discarded.
// A count-only line with an inadmissible pattern costs only that line, after the pattern
// message titled "<label caption> inadmissible regular expression" with the trailer
// CR LF "The following line will be ignored:" CR LF + the line.

#include "engine/ListMatch.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lxty {

class Host;
class TextFile;
class TextWindowSink;
class WordExtractor;
class WordTable;
class WordsToIgnore;
struct RunState;
struct Settings;

// List kinds, as the settings record indexes them.
inline constexpr int kWordsToIgnoreList = 0;
inline constexpr int kCountOnlyList = 1;

// Why the last ReadWords returned false.
enum class ReadWordsFailure {
    None,
    NoFileSelected, // the list has no selected file
    FileCheck,      // the word-list file check refused the file (message shown)
    OpenFailed,     // the file could not be opened after the check
    Wildcards,      // a count-only line holds "?" or "~"
    AngleBrackets,  // a words-to-ignore line holds "<" or ">"
    Stopped         // a stop was requested while reading
};

// The caption of the extra count-only label of the settings window.
inline constexpr std::u16string_view kExtraCountOnlyCaption = u"Extra count-only words/phrases:";

// A word list with its lookups; the compiled forms are made on first use.
class WordList {
public:
    void Assign(std::vector<std::u16string> entries);
    void Clear() { Assign({}); }
    const std::vector<std::u16string>& Entries() const { return m_entries; }
    std::int64_t Size() const { return static_cast<std::int64_t>(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }

    // The pattern-aware list lookup (ListMatch.h).
    MatchResult Lookup(std::u16string_view text, bool caseSignificant,
                       std::u16string* patternInner = nullptr) const;
    // Exact ordinal membership: the string-array search of a sorted list.
    bool Contains(std::u16string_view text) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const noexcept {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    std::vector<std::u16string> m_entries;
    mutable std::optional<ListMatcher> m_matcher[2]; // [caseSignificant]
    mutable std::optional<std::unordered_set<std::u16string, Hash, std::equal_to<>>> m_exact;
};

// Whether phrases end after the word just taken: a phrase terminator that is on (settings
// TerminatePhraseAt...) whose character directly followed the word (run.blnStoppedAt...).
bool PhraseEndsAfterWord(const Settings& settings, const RunState& run);

// How all-phrases runs take part in the branch (their phrase rules live with the all-phrases
// counting). Set with SetAllPhrasesRules; used while run.blnCountingMFP is set.
struct AllPhrasesRules {
    int minPhraseLength = 2;
    int maxPhraseLength = 0; // the phrase window's size in all-phrases runs
    // Minimum length 1: whether the word is counted as a one-word phrase.
    std::function<bool(const std::u16string& word)> countSingleWord;
    // A slot of k words: 1 count it, 0 do not, -1 do not and end this word's phrase step
    // (no later slots, no phrase termination).
    std::function<int(int k, const std::u16string& slot)> testSlot;
};

class SpecifiedWords {
public:
    SpecifiedWords(Settings& settings, RunState& run, Host& host, WordTable& table,
                   TextWindowSink& textWindow, WordsToIgnore& wordsToIgnore);

    // --- Reading the lists --------------------------------------------------------------

    // Reads the selected file of list kind (1 count-only, 0 words to ignore) into that list.
    // The word table is reset and holds the list's entries afterwards; run.lngNumWords is
    // their number. Count-only: the entries are lower-cased and sorted
    // (PutCountOnlyWordsIntoLowerCase), run.lngNumCountOnlyWords and
    // blnCountOnlyWordsIncludePhrase are set, and the optional characters found switch their
    // settings on. Words to ignore: the file entries of the WordsToIgnore object are replaced,
    // run.lngNumWordsToIgnore is set. False when refused (LastReadFailure). The text window
    // shows "Now reading count-only words . . . " or "Now reading words to ignore . . . ".
    // Neither run.blnThereAreCountOnlyWords nor blnThereAreWordsToIgnore is changed
    // (UpdateListFlags does that).
    bool ReadWords(int kind);
    // The same for a given file.
    bool ReadWordsFromFile(int kind, const std::u16string& path);
    ReadWordsFailure LastReadFailure() const { return m_lastFailure; }

    // Parses the typed box settings.WordsToIgnoreOrCount[kind] into the extra list of that
    // kind (the caller has trimmed and lower-cased it). Count-only: entries separated by a
    // comma and a space, phrase words by spaces; a pattern that fails CheckPattern shows its
    // message and leaves the extra list as it was (false). Words to ignore: separated by
    // spaces; the box text is rewritten as the sorted entries joined by single spaces.
    // Empty items are dropped. Sets run.intNumExtraCountOnlyWords / intNumExtraWordsToIgnore.
    bool GetExtraWords(int kind);

    // Lower-cases every count-only file entry (LowerCaseAll) and sorts the list.
    void PutCountOnlyWordsIntoLowerCase();

    // Writes the count-only file entries to the text window (cleared first): the header
    // line, then each entry on its own line in case-blind order, "+" shown as a space.
    void ListCountOnlyWords();

    // Records which optional characters occur in a count-only entry.
    void CheckForNonAlphaNumeric(const std::u16string& entry);
    // Switches on every AllowWordsWith... setting whose character has been recorded.
    void SwitchOnOptionalCharacters();

    // run.blnThereAreCountOnlyWords and run.blnThereAreWordsToIgnore from the list sizes.
    void UpdateListFlags();
    // run.blnCountOnlyWordsIncludePhrase: some entry of either count-only list is a phrase
    // (a "+" outside its angle-bracket items). Every change of a count-only list applies it.
    void UpdatePhraseFlag();

    // Clears the count-only file list (its file was removed or failed to load). These three
    // set the counters and the phrase flag.
    void ClearCountOnlyFileList();
    // Replaces the count-only file list (already lower-cased and sorted) - tests, and the
    // callers that keep a list in memory.
    void SetCountOnlyFileList(std::vector<std::u16string> entries);
    void SetExtraCountOnlyList(std::vector<std::u16string> entries);

    const WordList& CountOnlyFileList() const { return m_countOnly; }
    const WordList& ExtraCountOnlyList() const { return m_extraCountOnly; }

    // The caption of the extra count-only label (titles of the pattern messages).
    void SetExtraCountOnlyCaption(std::u16string caption) { m_extraCaption = std::move(caption); }

    // --- Counting -------------------------------------------------------------------------

    // Where a counted word or phrase goes (WordCounting::AddWordToList).
    void SetAddWordToList(std::function<void(const std::u16string&)> add) {
        m_addWordToList = std::move(add);
    }
    void SetAllPhrasesRules(AllPhrasesRules rules) { m_allPhrases = std::move(rules); }

    // The specified-words branch of GetWords2 for a word that passed the seven-bit step.
    void GetWords2Branch(const std::u16string& word);

    // The phrase window: the largest number of words of any count-only entry (at least 1),
    // in all-phrases runs at least the rules' maximum; all slots empty.
    // Whether GetWords2Branch would count word itself in a count-only run, as a function of
    // the word alone: 1 yes, 0 no, -1 when that cannot be said (an all-phrases run, a phrase
    // window of more than one word, or a pattern the engine refuses, whose message each
    // occurrence shows).
    int CountsWord(std::u16string_view word) const;
    void SizePhraseWindow();
    int PhraseWindowSize() const { return static_cast<int>(m_slots.size()); }
    // Empties slots 2 and up.
    void ResetPhrases();
    // Slot k (1-based), "+"-joined; empty when unused or out of range.
    std::u16string Slot(int k) const;

    // The word or phrase with its words to ignore removed, words separated by single spaces;
    // empty when every word is a word to ignore.
    std::u16string StripPhrase(const std::u16string& text) const;

    // Whether a word to ignore is word (typed words, then the file list).
    bool IsWordToIgnore(std::u16string_view word) const;

    // The title of the invalid-expression message (the count button's caption); catalogue
    // text 25 unless set.
    void SetCountButtonCaption(std::u16string caption) { m_countCaption = std::move(caption); }

    // --- State ----------------------------------------------------------------------------

    bool blnCountOnlyWordsFileContainsWildcards = false;
    bool blnWordsToIgnoreFileContainsWildcards = false;
    bool blnWordsToIgnoreFileContainsAngleBrackets = false;
    bool blnReadingCountOnlyList = false; // the list-kind flag, set while a count-only list is read
    // The pattern error state: set when a count-only pattern failed in the engine while
    // matching the current word, with the pattern's inner text.
    bool blnPatternError = false;
    std::u16string strPatternError;

    // The optional characters recorded by CheckForNonAlphaNumeric, in the order of the
    // settings table: - ' _ : \ / () & . , @ digits.
    static constexpr int kNumOptionalChars = 12;
    bool blnOptionalCharFound[kNumOptionalChars] = {};

private:
    class ReadGuard;
    class ListSink;

    bool ReadLines(int kind, TextFile& file, WordExtractor& extractor);
    // Checks the angle-bracket items of line, showing the message of each refusal (all items,
    // or up to the first refusal); false when any was refused.
    bool CheckLinePatterns(const std::u16string& line, bool allItems, bool withTrailer);
    MatchResult LookUpSlot(const std::u16string& slot);
    void CountWord(const std::u16string& word);

    Settings& m_settings;
    RunState& m_run;
    Host& m_host;
    WordTable& m_table;
    TextWindowSink& m_textWindow;
    WordsToIgnore& m_wordsToIgnore;

    WordList m_countOnly;
    WordList m_extraCountOnly;
    ReadWordsFailure m_lastFailure = ReadWordsFailure::None;
    std::u16string m_extraCaption{kExtraCountOnlyCaption};
    std::u16string m_countCaption;

    std::function<void(const std::u16string&)> m_addWordToList;
    AllPhrasesRules m_allPhrases;

    // Phrase window: m_slots[k - 1] is slot k, m_slotWords its number of words.
    std::vector<std::u16string> m_slots;
    std::vector<int> m_slotWords;
};

// White space of list text made plain: characters below 32 dropped, runs of spaces made one,
// both ends trimmed.
std::u16string NormaliseListWhiteSpace(std::u16string_view text);

// The angle-bracket items of a line: every "<" with the next ">" after it, brackets included.
std::vector<std::u16string> AngleItems(std::u16string_view line);

// An entry as listed: the "+" between the words of a phrase shown as spaces, angle-bracket
// items kept whole.
std::u16string EntryAsText(std::u16string_view entry);

} // namespace lxty
