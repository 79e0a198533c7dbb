#pragma once
// The phrase step of an all-phrases run: every word that survives word extraction (and the
// seven-bit step of GetWords2) enters the phrase window, and every phrase of consecutive words
// that ends with it and has an accepted length is counted in the word table, its words joined
// by single blanks.
//
// The phrase window has slots 2 to intMaxNumWordsInPhrase; slot k holds the last k words read
// since the window was last emptied (fewer while fewer have been read). When slot k holds k
// words it is a candidate phrase:
//  - rejected when k < intMinNumWordsInPhrase (with blnStripPhrases also when k > twice the
//    maximum);
//  - with words to ignore in force (run.blnThereAreWordsToIgnore):
//      blnStripPhrases: a candidate made only of words to ignore ends the step for this word
//        at once (no later slot is filled, no terminator applies); otherwise the candidate is
//        accepted when the number of its words that are not words to ignore lies in the range;
//      otherwise a candidate is rejected when blnExcludePhrasesContainingAWordToIgnore is set
//        and it holds a word to ignore, or blnExcludePhrasesConsistingOnlyOfWordsToIgnore is
//        set and all its words are words to ignore;
//  - an accepted candidate is counted whole (also with blnStripPhrases).
// With a minimum of 1 the word itself is counted first, unless it is a word to ignore and
// blnAllowPhrasesConsistingOnlyOfWordsToIgnore is clear. After the word, each phrase
// terminator that is on (settings TerminatePhraseAt...) and whose character directly followed
// the word (run.blnStoppedAt...) empties the window. The step leaves at once when run.blnStop
// is set.
//
// Cost: a word is looked up once in an index of distinct words, and whether it is a word to
// ignore is asked once per distinct word and run. Wired to the run's counting procedures
// (SetCounting), the counter keeps the phrases as chains of word ids (PhraseNodes): one lookup
// of two numbers per candidate, whose slots are fetched while the next few words are read,
// and text only for the phrases that reach the word table, made in the table's order. In
// runs that remove words to ignore from phrases (or without SetCounting), a slot keeps word ids
// in a ring with a rolling count of words to ignore, and an accepted candidate's text is
// assembled in one reused buffer and handed to AddWordToList, whose table copies it only when
// the phrase is new.

#include "base/RunState.h"
#include "phrases/PhraseNodes.h"
#include "settings/Settings.h"

#include "engine/WordTable.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class WordCounting;
class WordTable;
class WordsToIgnore;
struct AllPhrasesRules;

// The range and words-to-ignore treatment of an all-phrases count, as the "Count phrases"
// button sets them (the main window's intMinNumWordsInPhrase, intMaxNumWordsInPhrase and the
// words-to-ignore flags; blnStripPhrases is RunState's). All flags are clear when no words to
// ignore are in force.
struct PhraseOptions {
    int intMinNumWordsInPhrase = 2;
    int intMaxNumWordsInPhrase = 2;
    bool blnAllowPhrasesConsistingOnlyOfWordsToIgnore = false;
    bool blnExcludePhrasesConsistingOnlyOfWordsToIgnore = false;
    bool blnExcludePhrasesContainingAWordToIgnore = false;
};

class PhraseCounter {
public:
    // Counts one occurrence in the word table (the count run's WordCounting::AddWordToList,
    // which also tracks the current file of a folder run and shows the words as found).
    using AddWordFn = std::function<void(const std::u16string&)>;
    // Whether a word of the text is a word to ignore.
    using WordToIgnoreFn = std::function<bool(std::u16string_view)>;

    // Holds references only. The default word-to-ignore test is wordsToIgnore.IsIgnored with
    // the settings (typed words with their wildcards, then the words-to-ignore file).
    PhraseCounter(const Settings& settings, RunState& run, const PhraseOptions& options,
                  const WordsToIgnore& wordsToIgnore);

    void SetAddWordToList(AddWordFn add) { m_add = std::move(add); }
    // The run's counting procedures. With them, a run that does not remove words to ignore
    // from phrases counts its phrases as chains of word ids (PhraseNodes) instead of handing
    // each text to AddWordToList, and MoveToTable puts them into the word table once the
    // text has been read. The results are the same; tests turn the chains off to compare.
    void SetCounting(WordCounting* counting) { m_counting = counting; }
    void SetChains(bool on) { m_chainsAllowed = on; }

    // After the text has been read (also after a stop): the phrases counted as chains go into
    // table, which must be empty. After a complete count only the phrases that remain after
    // the exclusion of infrequent phrases (count below run.intMFPThresholdFrequency) and of
    // redundant sub-phrases go in; the others are counted as excluded entries
    // (WordTable::SetLeftOut), and SubphrasesExcluded() is true. The exception: two of the
    // remaining phrases with the same sort key (they differ only in case or accents), whose
    // order after the alphabetical sort depends on every entry; then every phrase goes in and
    // the exclusions run on the table as usual. After a stop every counted phrase goes in.
    void MoveToTable(WordTable& table);
    bool SubphrasesExcluded() const { return m_subphrasesExcluded; }
    void SetWordToIgnoreTest(WordToIgnoreFn test) { m_isIgnored = std::move(test); }

    // Start of a run: the window gets intMaxNumWordsInPhrase slots (at least 1), all empty,
    // and the phrase and words-to-ignore caches of the previous run are dropped.
    void SizePhraseWindow();
    // Empties slots 2 and up.
    void ResetPhrases();
    // The phrase step for one word.
    void PhraseStep(const std::u16string& word);

    // Number of slots (slot 1 is never used by the phrase step).
    int WindowSize() const { return m_windowSize; }
    // Slot k as the program shows it: its words joined by "+"; "" when empty or out of range.
    std::u16string Slot(int k) const;

private:
    struct SlotState {
        std::vector<std::uint32_t> ring; // capacity k
        int start = 0;                   // ring position of the oldest word
        int count = 0;                   // words held (at most k)
        int ignored = 0;                 // words to ignore among them
    };

    std::uint32_t Intern(const std::u16string& word);
    void Prepare(std::uint32_t id, bool ignored);
    void LookUpFirstWaiting();
    std::int64_t MaxLength() const;
    void CountChain(std::size_t slot, std::uint32_t node);
    // The text of a node's phrase into text.
    void ChainText(std::uint32_t node, const PhraseNodes::Chains& c, std::u16string& text) const;
    std::u16string NodeText(std::uint32_t node) const;
    bool IsWordToIgnore(std::uint32_t id);
    void Push(SlotState& slot, int k, std::uint32_t id, bool ignored);
    const std::u16string& PhraseText(const SlotState& slot, int k);

    const Settings& m_settings;
    RunState& m_run;
    const PhraseOptions& m_options;
    AddWordFn m_add;
    WordToIgnoreFn m_isIgnored;

    int m_windowSize = 0;
    std::vector<SlotState> m_slots; // index k - 2 is slot k

    // The words met in this run, by id, and an open-addressing index over them.
    std::deque<std::u16string> m_words;             // never moves a word once added
    std::vector<const std::u16string*> m_wordTexts; // by id, into m_words
    // By id: what Intern compares and the phrase step measures, in one place.
    struct WordKey {
        std::uint64_t hash;
        const char16_t* units; // into m_words
        std::size_t size;
    };
    std::vector<WordKey> m_wordKeys;
    std::vector<std::uint32_t> m_wordSlots; // id + 1 (0: empty); a power of two
    std::vector<std::uint8_t> m_wordPlain;  // by id: lower-case ASCII only
    std::vector<std::int8_t> m_wordIgnored; // by id: -1 not yet asked, 0, 1
    std::u16string m_text;                  // the candidate being counted

    // Counting by chains.
    WordCounting* m_counting = nullptr;
    bool m_chainsAllowed = true;
    bool m_useChains = false; // decided at the first word of a run
    bool m_chainsDecided = false;
    bool m_subphrasesExcluded = false;
    PhraseNodes m_nodes;
    std::vector<std::uint32_t> m_wordNode; // by word id: its single-word node, or kNone
    // Words whose phrases wait to be looked up: at most kMostWaiting, while their slots are
    // fetched.
    static constexpr std::size_t kMostWaiting = 4;
    struct Waiting {
        std::uint32_t id = 0;
        bool ignored = false;
        std::uint32_t reach = 0; // the longest phrase ending there that is not too long
        std::uint64_t pos = 0;   // in the ring
        std::int64_t total = 0;  // run.lngTotalNumOccurrences when it was read
    };
    std::vector<std::uint32_t> m_ring; // the last words read, by id, at position & m_ringMask
    std::size_t m_ringMask = 0;
    std::uint64_t m_newest = 0;                 // position of the newest word
    std::uint64_t m_looking = 0;                // position of the word whose phrases are looked up
    int m_filled = 0;                           // words read since the window was emptied
    std::vector<Waiting> m_waiting;             // a ring of kMostWaiting + 1
    std::vector<std::uint32_t> m_waitingHashes; // by waiting word, by length
    std::size_t m_firstWaiting = 0;
    std::size_t m_numWaiting = 0;
    std::size_t m_mostWaiting = 0;                   // for this run
    std::int64_t m_lookedUpTotal = 0;                // the total of the last word looked up
    std::vector<std::uint32_t> m_current;            // by length: the phrase ending at this word
    std::vector<std::uint32_t> m_previous;           // the same at the word before
    std::vector<std::vector<FileCount>> m_nodeFiles; // folder runs: by node
    std::int64_t m_distinct = 0;                     // phrases counted at least once
};

// The same phrase rules for the string-slot phrase window of SpecifiedWords (its
// AllPhrasesRules): countSingleWord and testSlot (1 count, 0 do not, -1 end the word's step)
// decide as PhraseStep does. isWordToIgnore is asked for every word of every slot tested, so
// PhraseCounter is the faster way; this serves a run that keeps the one window.
AllPhrasesRules MakeAllPhrasesRules(const PhraseOptions& options, const RunState& run,
                                    std::function<bool(std::u16string_view)> isWordToIgnore);

} // namespace lxty
