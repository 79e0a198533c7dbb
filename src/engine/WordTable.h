#pragma once
// The word table: every distinct word (or phrase, in phrase runs) of a run with its number of
// occurrences, the files it occurred in and how often in each, an included mark set by the
// exclusion filters, and the links of the frequency order that the reports follow.
//
// Life of a table during a run:
//   Reset()                      at the start of a run or of a word-list read
//   Count(...)                   once per occurrence (through WordCounting::AddWordToList)
//   SortAlphabetically()         after counting, when the run sorts
//   FilterWords(...) / Entry(i).included = ...   the exclusions
//   Summarize(...)               the totals in RunState
//   BuildFrequencyChain(...)     ranks, next links and RunState::lngFirstFreq
//   Entry(i), FirstInFrequencyOrder(), Next(i) ...   read by the reports and the count array
//
// While counting, words are tallied in a hash table (one lookup per occurrence, no allocation
// but one copy of each new word). The first
// call that needs entries by position (Size, Entry, the sort, the filters, the summary, the
// chain) lays the entries out in ascending ordinal order of the word (16-bit code units
// compared as unsigned numbers, no case or accent folding), which is the order the table has
// while counting; SortAlphabetically then orders them by sort key. Counting again after that
// is allowed and lays the entries out afresh in word order.
//
// Positions are 1-based, as everywhere in the program; 0 means "none". Counts are 64-bit and
// per-file data has no cap on the number of files or on a per-file count.

#include "settings/Settings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class Host;
class WordsToIgnore;
struct RunState;
struct Settings;

// Occurrences of a word in one file of a run.
struct FileCount {
    std::int64_t fileNumber = 0; // folder runs number files from 1; other runs use 0
    std::int64_t count = 0;
    bool operator==(const FileCount&) const = default;
};

// Adds n occurrences in file fileNumber to a word's per-file counts. A file's occurrences
// are consecutive, so only the last file can be the current one.
inline void AddFileCount(std::vector<FileCount>& files, std::int64_t fileNumber,
                         std::uint64_t n = 1) {
    if (files.empty() || files.back().fileNumber != fileNumber)
        files.push_back({fileNumber, 0});
    files.back().count += static_cast<std::int64_t>(n);
}

// One entry of the table.
struct WordEntry {
    std::u16string word;                   // exactly as extracted
    std::int64_t count = 0;                // occurrences
    std::int64_t frequencyRank = 0;        // 1 = first in frequency order; 0 = not ranked
    std::int64_t nextInFrequencyOrder = 0; // index of the entry ranked next; 0 at the end
    bool included = true;                  // cleared by the exclusion filters
    // Clipboard and single-file runs: the entry's one file, number 0, holds its whole count;
    // files stays empty (big single-source tables would otherwise hold a list per entry).
    bool wholeCountInFileZero = false;
    // Folder runs: the files the word occurred in, in order of first occurrence, each with its
    // count. Empty for the entries of a word list being read and of single-source runs.
    std::vector<FileCount> files;

    // LowerCaseAll(FoldAccents(word)): the alphabetical order. Kept apart only when it differs
    // from the word (as for most words it does not).
    const std::u16string& SortKey() const { return m_sortKey ? *m_sortKey.text : word; }
    void SetSortKey(std::u16string key) {
        if (key == word)
            m_sortKey.text.reset();
        else
            m_sortKey.text = std::make_unique<std::u16string>(std::move(key));
    }

    // The files the word occurred in with their counts (see files and wholeCountInFileZero).
    std::int64_t NumFiles() const {
        return wholeCountInFileZero ? 1 : static_cast<std::int64_t>(files.size());
    }
    template <typename F> void ForEachFile(F&& f) const {
        if (wholeCountInFileZero) {
            f(FileCount{0, count});
            return;
        }
        for (const FileCount& fc : files)
            f(fc);
    }
    std::vector<FileCount> Files() const {
        if (wholeCountInFileZero)
            return {FileCount{0, count}};
        return files;
    }

    // Entries are equal when they read the same, however they store it.
    bool operator==(const WordEntry& o) const {
        return word == o.word && SortKey() == o.SortKey() && count == o.count &&
               frequencyRank == o.frequencyRank && nextInFrequencyOrder == o.nextInFrequencyOrder &&
               included == o.included && Files() == o.Files();
    }

private:
    // A text that is usually absent: one pointer in the entry instead of a whole string.
    struct SeparateKey {
        std::unique_ptr<std::u16string> text;
        SeparateKey() = default;
        SeparateKey(const SeparateKey& o)
            : text(o.text ? std::make_unique<std::u16string>(*o.text) : nullptr) {}
        SeparateKey& operator=(const SeparateKey& o) {
            if (this != &o)
                text = o.text ? std::make_unique<std::u16string>(*o.text) : nullptr;
            return *this;
        }
        SeparateKey(SeparateKey&&) noexcept = default;
        SeparateKey& operator=(SeparateKey&&) noexcept = default;
        explicit operator bool() const { return text != nullptr; }
    };
    SeparateKey m_sortKey; // absent: the word itself
};

// The words counted in one file with their counts there, the words' units one after another.
struct FileTallyWords {
    struct Word {
        std::size_t offset = 0; // in units
        std::size_t length = 0;
        std::uint64_t count = 0;
        std::size_t record = 0; // in the table that counted the file (stays while it counts)
    };
    std::u16string units;
    std::vector<Word> words;
    std::u16string_view Text(const Word& w) const { return {units.data() + w.offset, w.length}; }
    void Clear() {
        units.clear();
        words.clear();
    }
};

// Which per-file data a counted occurrence carries.
enum class FileScope {
    None,         // word-list read: no file data
    SingleSource, // clipboard or single file: every occurrence is in file 0
    Folder        // folder run: the given file number
};

class WordTable {
public:
    WordTable() = default;
    // A copy holds the same entries, laid out (copying lays the original out too).
    WordTable(const WordTable& other);
    WordTable& operator=(const WordTable& other);
    WordTable(WordTable&&) noexcept = default;
    WordTable& operator=(WordTable&&) noexcept = default;

    // An empty table and fresh file tracking (current file number 0, no paths).
    void Reset();

    // --- Counting ---------------------------------------------------------------------

    // Counts one occurrence of word. Returns true when the word is new to the table.
    // fileNumber is used only with FileScope::Folder. A table keeps the scope of its first
    // counted word until the next Reset.
    bool Count(std::u16string_view word, FileScope scope, std::int64_t fileNumber);

    // The counting record of word while the table counts: a handle for CountRecord, or -1
    // when the word is not in the table (or the table is laid out). A handle stays valid
    // while Generation() keeps its value.
    std::int64_t Find(std::u16string_view word) const;
    // Counts n more occurrences of the word behind a handle from Find, exactly as n calls of
    // Count would for a word already in the table.
    void CountRecord(std::int64_t record, FileScope scope, std::int64_t fileNumber,
                     std::uint64_t n = 1) {
        m_records[static_cast<std::size_t>(record)].count += static_cast<std::int64_t>(n);
        if (scope == FileScope::Folder)
            CountFile(static_cast<std::size_t>(record), fileNumber, n);
    }
    // Counts n occurrences of word in file fileNumber at once, exactly as n calls of Count
    // would (n at least 1). Returns true when the word is new to the table.
    bool CountMany(std::u16string_view word, FileScope scope, std::int64_t fileNumber,
                   std::uint64_t n);

    // Per-file tallies, for the tables of threaded folder runs that count a file at a time
    // and hand each file's words on: while on, the records counted in the current file are
    // noted in the order they were first counted in it (FileScope::Folder only). TakeFileTally
    // appends each such word with its count in that file to out, and forgets the per-file data
    // of those records, so a table that counts many files holds the data of one.
    void NoteFileTallies(bool on) { m_noteTallies = on; }
    void TakeFileTally(FileTallyWords& out);

    // Changes whenever the records are numbered anew (reset, lay-out, counting again after a
    // lay-out): handles of an older generation are void.
    std::uint64_t Generation() const { return m_generation; }

    // Fills the table (emptied first; the file numbers and paths stay) with distinct words,
    // each with its count and (FileScope::Folder) its per-file counts in file order, as
    // counting them one occurrence at a time would: next(word, count, files) gives the next
    // one and returns false at the end. For counters that keep their own entries until the
    // text has been read (all phrases). The entries are made at once, laid out, without the
    // counting index; expected (the number of words, when known) sizes them exactly.
    void
    Fill(FileScope scope,
         const std::function<bool(std::u16string&, std::int64_t&, std::vector<FileCount>&)>& next,
         std::size_t expected = 0);
    // Entries a counter left out of the table because they were excluded before they got
    // there: the summary counts them among the entries and the excluded ones.
    void SetLeftOut(std::int64_t n) { m_leftOut = n; }

    // Number of distinct entries (cheap at any time).
    std::int64_t Size() const;

    // --- File tracking (folder runs) ----------------------------------------------------

    // The current file number: 0 until the first counted word of a folder run.
    std::int64_t CurrentFileNumber() const { return m_currentFile; }
    // Compares path with the path of the current file, as they are (paths are case-sensitive);
    // when they differ, advances the current file number and records path for it.
    void UpdateCurrentFile(std::u16string_view path);
    // Number of files numbered so far (the highest file number).
    std::int64_t NumFilePaths() const { return static_cast<std::int64_t>(m_filePaths.size()); }
    // The path recorded for file number n (1-based); empty when n is out of range.
    std::u16string FilePath(std::int64_t n) const;

    // --- After counting -------------------------------------------------------------------

    // Entry at 1-based index i (1 <= i <= Size()). Reports read it; the exclusions of the
    // other run modes set its included mark.
    const WordEntry& Entry(std::int64_t i) const;
    WordEntry& Entry(std::int64_t i);
    // All entries, index i at position i - 1, in table order.
    const std::vector<WordEntry>& Entries() const;

    // Quicksort of entries first..last by sort key (ordinal), from character keyStart
    // (1-based) of the key. Entries with equal keys end in the order this particular
    // quicksort leaves them (reports depend on it), not in a stable order.
    void SortAlphabetically(std::int64_t first, std::int64_t last, std::int64_t keyStart = 1);
    // The whole table.
    void SortAlphabetically() { SortAlphabetically(1, Size(), 1); }

    // Sets the included mark of every entry from the exclusion settings (all-words runs):
    // short words, long words, four repeated letters, no letter, infrequent and excessively
    // frequent words. The frequency limits are rs.intThresholdFrequency and
    // rs.intExcessFrequency.
    void FilterWords(const Settings& settings, const RunState& rs);

    // The summary pass: fills lngNumWordsIncluded, lngNumWordsExcluded, lngNumOccurrences,
    // lngMaxFrequency, lngMaxNumFiles, intMaxWordLengthFound and (phrase runs)
    // intNumWordsInLongestPhrase from the table; sets rs.lngNumWords to Size(). Yields per
    // entry.
    void Summarize(RunState& rs, Host& host);

    // The frequency chain: ranks 1.. and next links over the included entries by decreasing
    // measure (number of files when settings.SortByNumberOfFiles is 1, else the count),
    // ties in table order (alphabetical after the sort). Only measures from 1 to
    // rs.lngMaxNumFiles / rs.lngMaxFrequency (the summary's maxima) are ranked. Sets
    // rs.lngFirstFreq (0 for an empty chain). Appends " ." to the text window through
    // progress every 1,000 links; yields per link once rs.blnStartUpCompleted.
    void BuildFrequencyChain(const Settings& settings, RunState& rs, Host& host,
                             const std::function<void(const std::u16string&)>& progress = {});

    // --- Reading the frequency order ------------------------------------------------------

    // Index of the entry ranked first (0 when none); valid after BuildFrequencyChain.
    std::int64_t FirstInFrequencyOrder() const { return m_firstFreq; }
    // Whether the chain was last built by number of files (SortByNumberOfFiles) rather
    // than by count; an option change that alters the measure must rebuild it.
    bool ChainByNumberOfFiles() const { return m_chainByFiles; }
    // Index of the entry after entry i in frequency order (0 at the end).
    std::int64_t Next(std::int64_t i) const { return Entry(i).nextInFrequencyOrder; }

private:
    // The counting form of an entry, in order of arrival: the words that come often come
    // early, so theirs lie together. Its word is a stretch of m_units: one copy per distinct
    // word, none per occurrence. The per-file data of folder runs lies in m_files.
    struct Record {
        std::int64_t count = 0;
        std::uint64_t offset = 0; // of the word in m_units
        std::uint32_t length = 0;
        std::uint32_t hashLow = 0; // the low half of the word's hash: its home slot
    };
    // A slot of the open-addressing index (linear probing): a tag made of the word's length
    // and part of its hash, the record's position + 1 (0: empty) and the word's first four
    // units. A word of up to four units is found without reading its record.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t record = 0;
        std::uint64_t prefix = 0;
    };

    void LayOut() const; // hash -> entries in ordinal word order
    void TakeBack();     // entries -> hash, to count again
    void ClearIndex() const;
    void Grow(std::size_t size);
    void Place(const Slot& slot, std::uint32_t hashLow);
    void Add(std::u16string_view word, std::uint64_t hash, std::int64_t count);
    // The slot holding word, or the empty slot where it would go.
    std::size_t Probe(std::u16string_view word, std::uint64_t hash) const;
    void CountFile(std::size_t record, std::int64_t fileNumber, std::uint64_t n = 1);
    std::u16string_view WordOf(const Record& r) const {
        return {m_units.data() + r.offset, r.length};
    }

    mutable std::vector<Slot> m_slots; // size a power of two, at most half full
    mutable std::vector<Record> m_records;
    mutable std::vector<char16_t> m_units;
    mutable std::vector<std::vector<FileCount>> m_files; // FileScope::Folder: by arrival
    mutable std::vector<WordEntry> m_entries;
    mutable bool m_laidOut = true; // an empty table is laid out
    mutable std::uint64_t m_generation = 0;
    std::int64_t m_leftOut = 0;
    FileScope m_scope = FileScope::None;
    bool m_scopeSet = false;
    std::int64_t m_firstFreq = 0;
    bool m_chainByFiles = false;

    bool m_noteTallies = false;
    std::vector<std::uint32_t> m_tallied; // records counted in the current file, when noted

    std::int64_t m_currentFile = 0;
    std::vector<std::u16string> m_filePaths; // index n - 1 = file number n
    std::u16string m_currentPath;            // as last given
};

// Where the counting code writes to the text window (appending, its length, clearing):
// the words-as-found display and the chain's progress signs. The reports module's text
// window model implements it; HostTextWindow is a plain stand-in over the Host port.
class TextWindowSink {
public:
    // The most text the window holds, in UTF-16 units.
    static constexpr std::int64_t kCapacity = 65000;

    virtual ~TextWindowSink() = default;
    virtual void Append(const std::u16string& text) = 0; // OutputToTxb
    virtual std::int64_t Length() const = 0;
    virtual void Clear() = 0;
};

// A text window model that only tracks the length and forwards to the Host.
class HostTextWindow : public TextWindowSink {
public:
    explicit HostTextWindow(Host& host) : m_host(host) {}
    void Append(const std::u16string& text) override;
    std::int64_t Length() const override { return m_length; }
    void Clear() override;

private:
    Host& m_host;
    std::int64_t m_length = 0;
};

// The main window's counting procedures: GetWords2 and AddWordToList with their progress
// labels and the words-as-found display. Holds references only; one object may serve many
// runs (call StartRun at the start of each).
// Watches a count run occurrence by occurrence (the concordance): every word handed to
// GetWords2, and every occurrence counted into an entry, whatever the counter (all words,
// specified words, all phrases).
class OccurrenceObserver {
public:
    virtual ~OccurrenceObserver() = default;
    virtual void WordMet(const std::u16string& word) = 0;
    virtual void Counted(std::u16string_view entry) = 0;
};

class WordCounting {
public:
    WordCounting(WordTable& table, RunState& rs, const Settings& settings, Host& host,
                 TextWindowSink& textWindow, const WordsToIgnore& wordsToIgnore);

    // Forgets the pending words-as-found text; the next flush happens at the next new second.
    void StartRun();

    // The path shown in the input-file box while a folder run reads a file.
    void SetCurrentInputPath(std::u16string path) { m_inputPath = std::move(path); }

    // Specified-words mode (rs.blnThereAreCountOnlyWords) hands every word that passed the
    // seven-bit step to this branch; without one such words are dropped.
    void SetSpecifiedWordsBranch(std::function<void(const std::u16string&)> branch) {
        m_specifiedWordsBranch = std::move(branch);
    }

    // The observer of this counting, or null (the default: nothing is watched). Counting
    // through CountAgain is not watched: a watched run counts without the piece cache.
    void SetObserver(OccurrenceObserver* observer) { m_observer = observer; }
    OccurrenceObserver* Observer() const { return m_observer; }

    // Entry point for every extracted word of a count run: the seven-bit step, then the
    // all-words branch (words to ignore, then AddWordToList) or the specified-words branch.
    void GetWords2(const std::u16string& word);

    // Counts one occurrence of word in the table (length limit, current file, progress
    // label "lblNumberOfWords", words-as-found display).
    void AddWordToList(const std::u16string& word);

    // For an all-words run: the table record (WordTable::Find) that GetWords2 counts word
    // in, kDropped when GetWords2 leaves the word out (seven-bit step, words to ignore, too
    // long), or kNotCounted when the word should be counted but is not in the table yet.
    static constexpr std::int64_t kDropped = -1;
    static constexpr std::int64_t kNotCounted = -2;
    std::int64_t RecordOf(std::u16string_view word) const;
    // The same for a count-only run without phrases, given whether the count-only lists
    // count word (the seven-bit step and the length limit apply here; words to ignore do not).
    std::int64_t RecordOfSpecified(std::u16string_view word, bool listed) const;
    // n calls of GetWords2 in an all-words run for a word whose record RecordOf gave: the
    // same count and file data as for a word met before, without looking the word up. The
    // caller yields.
    void CountAgain(std::int64_t record, std::uint64_t n);

    // For a counter that keeps its own entries while the text is read (all phrases by word
    // ids), the parts of AddWordToList: the file number an occurrence belongs to (folder runs:
    // the file being read, which becomes the current file; 0 otherwise), the words-as-found
    // display of a new entry (its text is made only when the display is on), and the yield
    // after an entry met before.
    std::int64_t FileOfOccurrence();
    void ShowNewEntry(const std::function<std::u16string()>& text);
    void YieldAfterKnownEntry();

    // Writes the totals labels after a run ("lblNumberOfWords", "lblNumWordsExcluded",
    // "lblNumOccurrences", "lblTotalNumOccurrences").
    void ShowTotals();

    // The words-as-found text not yet written to the text window.
    const std::u16string& PendingWords() const { return m_pending; }
    // Writes the pending words-as-found text (the run timer does, each second, so that words
    // found are shown even while no new one comes).
    void FlushWordsAsFound();

private:
    void ShowWordAsFound(const std::u16string& word);

    WordTable& m_table;
    RunState& m_rs;
    const Settings& m_settings;
    Host& m_host;
    TextWindowSink& m_textWindow;
    const WordsToIgnore& m_wordsToIgnore;
    std::function<void(const std::u16string&)> m_specifiedWordsBranch;
    OccurrenceObserver* m_observer = nullptr;
    std::u16string m_inputPath;
    std::u16string m_pending;
    std::int64_t m_lastFlushSecond = -1;
    bool m_shownAny = false; // a word has been shown in this run
};

// --- Word-list arrays -------------------------------------------------------------------------
// The sort and search routines of the word lists. Arrays are 1-based in their positions:
// position p is element p - 1 of the vector. The key of an element is its text from character
// keyStart (1-based) on.

// Sorts positions first..last into ascending key order (ordinal comparison; after LowerCaseAll
// of both keys when ignoreCase). Elements with equal keys end in the order of the program's
// own quicksort (descending quicksort, then the range reversed), which the listings keep.
void StringArraySort(std::vector<std::u16string>& array, std::int64_t first, std::int64_t last,
                     std::int64_t keyStart = 1, bool ignoreCase = false);

// Binary search of value among the keys of positions 1..count of an array sorted by key.
// Returns true with position = where it was found, or false with position = where it would
// be inserted (1..count + 1).
bool StringArraySearch(std::u16string_view value, const std::vector<std::u16string>& array,
                       std::int64_t count, std::int64_t& position, std::int64_t keyStart = 1);

} // namespace lxty
