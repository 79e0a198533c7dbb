#include "engine/WordTable.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "engine/WordsToIgnore.h"
#include "settings/Settings.h"
#include "settings/SettingsLists.h"
#include "util/FoldUnits.h"
#include "util/Format.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace lxty {

namespace {

// The capitals that the repeated-letter rule looks at, and every letter of the no-letter rule.
constexpr std::u16string_view kRepeatCapitals =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ";
constexpr std::u16string_view kLetters =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"
    u"abcdefghijklmnopqrstuvwxyzšœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";

bool HasFourRepeatedLetters(std::u16string_view word) {
    if (word.size() < 4)
        return false;
    const std::u16string upper = UpperCaseAll(word);
    for (std::size_t p = 0; p + 3 < upper.size(); ++p) {
        const char16_t c = upper[p];
        if (kRepeatCapitals.find(c) != std::u16string_view::npos && upper[p + 1] == c &&
            upper[p + 2] == c && upper[p + 3] == c)
            return true;
    }
    return false;
}

bool HasLetter(std::u16string_view word) {
    return word.find_first_of(kLetters) != std::u16string_view::npos;
}

// The hash of a word for the counting index: 64-bit multiply-and-fold over four code units at a
// time, then a final mix so that the low bits (the slot) and the high bits (the tag) both
// depend on every unit.
inline std::uint64_t HashWord(std::u16string_view w) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = FoldUnits(0x243F6A8885A308D3ull ^ (w.size() * kMul), w.data(), w.size());
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

// The first four units of a word, packed (zeros after a shorter word).
inline std::uint64_t PrefixOf(std::u16string_view w) {
    std::uint64_t prefix = 0;
    if (w.size() >= 4) {
        std::memcpy(&prefix, w.data(), 8);
        return prefix;
    }
    for (std::size_t i = 0; i < w.size(); ++i)
        prefix |= static_cast<std::uint64_t>(w[i]) << (16 * i);
    return prefix;
}

// The index tag: the word's length (capped at 255) and 24 bits of its hash. Words of equal
// tag and prefix with up to four units are the same word.
inline std::uint32_t TagOf(std::u16string_view w, std::uint64_t hash) {
    const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(w.size(), 255));
    return (length << 24) | static_cast<std::uint32_t>(hash >> 40);
}

// a < b, ordinal by 16-bit code unit as std::u16string_view's operator< orders them, but
// skipping equal stretches four units at a time: the sorts of big tables spend most of their
// time here.
bool OrdinalLess(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    const char16_t* pa = a.data();
    const char16_t* pb = b.data();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t x, y;
        std::memcpy(&x, pa + i, 8);
        std::memcpy(&y, pb + i, 8);
        if (x != y)
            break;
    }
    for (; i < n; ++i)
        if (pa[i] != pb[i])
            return pa[i] < pb[i];
    return a.size() < b.size();
}

// The first four units of a word as one number whose unsigned order is the ordinal order of
// those units (zeros after a shorter word, which sorts first as it should).
// from is the first unit taken.
inline std::uint64_t OrdinalPrefix(std::u16string_view w, std::size_t from = 0) {
    std::uint64_t key = 0;
    if (from >= w.size())
        return key;
    const std::size_t n = std::min<std::size_t>(w.size() - from, 4);
    for (std::size_t i = 0; i < n; ++i)
        key |= static_cast<std::uint64_t>(w[from + i]) << (48 - 16 * i);
    return key;
}

// A word's first twelve units packed for ordinal comparison, with the position it stands for.
// Two of them compare as the words do whenever their packed units differ; only words that
// share their first twelve units (phrases often share eight: "and the ...") need their text
// read.
struct PackedKey {
    std::uint64_t high = 0;
    std::uint64_t mid = 0;
    std::uint64_t low = 0;
    std::uint32_t at = 0;

    static PackedKey Of(std::u16string_view w, std::uint32_t at) {
        return {OrdinalPrefix(w, 0), OrdinalPrefix(w, 4), OrdinalPrefix(w, 8), at};
    }
    // -1, 0 or 1 as far as the packed units tell.
    int Compare(const PackedKey& o) const {
        if (high != o.high)
            return high < o.high ? -1 : 1;
        if (mid != o.mid)
            return mid < o.mid ? -1 : 1;
        if (low != o.low)
            return low < o.low ? -1 : 1;
        return 0;
    }
};

template <typename T> void Release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

// The size of the lookup index for n words: a power of two, at most half full.
std::size_t SlotsFor(std::size_t n) {
    std::size_t size = 1024;
    while (size < 2 * n + 2)
        size *= 2;
    return size;
}

std::u16string_view KeyFrom(const std::u16string& key, std::int64_t keyStart) {
    const std::size_t from = static_cast<std::size_t>(std::max<std::int64_t>(keyStart, 1) - 1);
    if (from >= key.size())
        return {};
    return std::u16string_view(key).substr(from);
}

// The classic middle-pivot quicksort of positions first..last: keyAt(i) is the key at i,
// less orders two keys, swap(i, j) exchanges two positions. Its placement of equal keys is
// part of the listing order, so it is kept as it is; only the recursion goes into the smaller
// part (the larger part loops), which bounds the stack without changing any result: the two
// parts are disjoint. The pivot's key is copied, so a swap cannot change it.
template <class KeyAt, class Less, class Swap>
void MiddlePivotQuicksort(std::int64_t first, std::int64_t last, KeyAt keyAt, Less less,
                          Swap swap) {
    struct Range {
        std::int64_t lo, hi;
    };
    std::vector<Range> pending{{first, last}};
    while (!pending.empty()) {
        auto [lo, hi] = pending.back();
        pending.pop_back();
        while (lo < hi) {
            const auto pivot = keyAt((lo + hi) / 2);
            std::int64_t i = lo, j = hi;
            while (i <= j) {
                while (i < hi && less(keyAt(i), pivot))
                    ++i;
                while (j > lo && less(pivot, keyAt(j)))
                    --j;
                if (i <= j) {
                    if (i < j)
                        swap(i, j);
                    ++i;
                    --j;
                }
            }
            if (j - lo < hi - i) {
                pending.push_back({i, hi});
                hi = j;
            } else {
                pending.push_back({lo, j});
                lo = i;
            }
        }
    }
}

// An entry laid out: the word, its sort key when it differs, the count and the files (taken
// from files in folder runs).
WordEntry MakeEntry(std::u16string_view word, std::int64_t count, FileScope scope,
                    std::vector<FileCount>& files) {
    WordEntry e;
    e.word.assign(word);
    // No ASCII character is folded, so a plain word needs only the lower-casing (one string
    // made instead of two).
    const bool plain = std::all_of(word.begin(), word.end(), [](char16_t c) { return c < 0x80; });
    const bool lower = plain && std::none_of(word.begin(), word.end(),
                                             [](char16_t c) { return c >= u'A' && c <= u'Z'; });
    if (!lower) { // a lower-case ASCII word is its own key
        std::u16string key = plain ? e.word : FoldAccents(e.word);
        LowerCaseAllInPlace(key);
        e.SetSortKey(std::move(key));
    }
    e.count = count;
    switch (scope) {
    case FileScope::Folder:
        e.files = std::move(files);
        break;
    case FileScope::SingleSource:
        // Clipboard and single-file runs keep every occurrence in file 0.
        e.wholeCountInFileZero = true;
        break;
    case FileScope::None:
        break;
    }
    return e;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// WordTable

WordTable::WordTable(const WordTable& other) {
    *this = other;
}

WordTable& WordTable::operator=(const WordTable& other) {
    if (this == &other)
        return *this;
    // The index points into its own arena, so a copy takes the laid-out entries only.
    other.LayOut();
    ClearIndex();
    m_entries = other.m_entries;
    m_laidOut = true;
    m_scope = other.m_scope;
    m_scopeSet = other.m_scopeSet;
    m_firstFreq = other.m_firstFreq;
    m_currentFile = other.m_currentFile;
    m_filePaths = other.m_filePaths;
    m_currentPath = other.m_currentPath;
    return *this;
}

void WordTable::Reset() {
    ClearIndex();
    m_leftOut = 0;
    m_entries.clear();
    m_laidOut = true;
    m_scope = FileScope::None;
    m_scopeSet = false;
    m_firstFreq = 0;
    m_chainByFiles = false;
    m_currentFile = 0;
    m_filePaths.clear();
    m_currentPath.clear();
    m_tallied.clear();
}

void WordTable::ClearIndex() const {
    ++m_generation; // the records go, and with them every handle to one
    // The memory goes back too: after a big run the entries hold the words, and keeping the
    // index's capacity alongside them would double the table's footprint.
    Release(m_slots);
    Release(m_records);
    Release(m_units);
    Release(m_files);
}

void WordTable::Place(const Slot& slot, std::uint32_t hashLow) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hashLow & mask;
    while (m_slots[i].record != 0)
        i = (i + 1) & mask;
    m_slots[i] = slot;
}

void WordTable::Grow(std::size_t size) {
    m_slots.assign(size, Slot{});
    for (std::size_t r = 0; r < m_records.size(); ++r) {
        const std::u16string_view word = WordOf(m_records[r]);
        Place({TagOf(word, HashWord(word)), static_cast<std::uint32_t>(r + 1), PrefixOf(word)},
              m_records[r].hashLow);
    }
}

void WordTable::Add(std::u16string_view word, std::uint64_t hash, std::int64_t count) {
    if (m_records.size() >= std::numeric_limits<std::uint32_t>::max() - 1 ||
        word.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("word table full");
    Record r;
    r.count = count;
    r.offset = m_units.size();
    r.length = static_cast<std::uint32_t>(word.size());
    r.hashLow = static_cast<std::uint32_t>(hash);
    m_units.insert(m_units.end(), word.begin(), word.end());
    m_records.push_back(r);
}

std::size_t WordTable::Probe(std::u16string_view word, std::uint64_t h) const {
    const std::uint32_t tag = TagOf(word, h);
    const std::uint64_t prefix = PrefixOf(word);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = h & mask;
    for (;; i = (i + 1) & mask) {
        const Slot slot = m_slots[i];
        if (slot.record == 0)
            return i;
        if (slot.tag != tag || slot.prefix != prefix)
            continue;
        const Record& r = m_records[slot.record - 1];
        // The tag holds the length when it is below 256; the prefix holds the first units.
        if (word.size() > 4 &&
            (r.length != word.size() ||
             !SameUnits(m_units.data() + r.offset + 4, word.data() + 4, word.size() - 4)))
            continue;
        return i;
    }
}

void WordTable::CountFile(std::size_t record, std::int64_t fileNumber, std::uint64_t n) {
    if (m_files.size() < m_records.size())
        m_files.resize(m_records.size());
    std::vector<FileCount>& files = m_files[record];
    if (m_noteTallies && (files.empty() || files.back().fileNumber != fileNumber))
        m_tallied.push_back(static_cast<std::uint32_t>(record));
    AddFileCount(files, fileNumber, n);
}

void WordTable::TakeFileTally(FileTallyWords& out) {
    for (const std::uint32_t record : m_tallied) {
        std::vector<FileCount>& files = m_files[record];
        const std::u16string_view word = WordOf(m_records[record]);
        out.words.push_back({out.units.size(), word.size(),
                             static_cast<std::uint64_t>(files.back().count), record});
        out.units.append(word);
        files.clear();
    }
    m_tallied.clear();
}

bool WordTable::Count(std::u16string_view word, FileScope scope, std::int64_t fileNumber) {
    return CountMany(word, scope, fileNumber, 1);
}

bool WordTable::CountMany(std::u16string_view word, FileScope scope, std::int64_t fileNumber,
                          std::uint64_t n) {
    if (!m_scopeSet) {
        m_scope = scope;
        m_scopeSet = true;
    }
    if (m_laidOut)
        TakeBack();
    if (m_slots.empty())
        Grow(SlotsFor(m_records.size()));

    const std::uint64_t h = HashWord(word);
    const std::size_t i = Probe(word, h);
    if (const std::uint32_t record = m_slots[i].record; record != 0) {
        m_records[record - 1].count += static_cast<std::int64_t>(n);
        if (scope == FileScope::Folder)
            CountFile(record - 1, fileNumber, n);
        return false;
    }

    Add(word, h, static_cast<std::int64_t>(n));
    m_slots[i] = {TagOf(word, h), static_cast<std::uint32_t>(m_records.size()), PrefixOf(word)};
    if (scope == FileScope::Folder) {
        m_files.resize(m_records.size());
        m_files.back().push_back({fileNumber, static_cast<std::int64_t>(n)});
        if (m_noteTallies)
            m_tallied.push_back(static_cast<std::uint32_t>(m_records.size() - 1));
    }
    if (2 * m_records.size() > m_slots.size())
        Grow(2 * m_slots.size());
    return true;
}

void WordTable::Fill(
    FileScope scope,
    const std::function<bool(std::u16string&, std::int64_t&, std::vector<FileCount>&)>& next,
    std::size_t expected) {
    // The file numbers and paths of the run stay: the per-file counts refer to them.
    ClearIndex();
    Release(m_entries);
    m_leftOut = 0;
    m_firstFreq = 0;
    m_scope = scope;
    m_scopeSet = true;
    m_entries.reserve(expected);
    // The entries are made as they come (each word copied once, to its exact size), then put
    // in the order the table has while counting.
    std::u16string word;
    std::int64_t count = 0;
    std::vector<FileCount> files;
    while (next(word, count, files)) {
        m_entries.push_back(MakeEntry(word, count, scope, files));
        files.clear();
    }
    std::u16string().swap(word);
    m_laidOut = true;
    // Entries that come in order stay as they are.
    if (std::adjacent_find(m_entries.begin(), m_entries.end(),
                           [](const WordEntry& a, const WordEntry& b) {
                               return !OrdinalLess(a.word, b.word);
                           }) == m_entries.end())
        return;
    std::vector<PackedKey> keys(m_entries.size());
    for (std::size_t e = 0; e < keys.size(); ++e)
        keys[e] = PackedKey::Of(m_entries[e].word, static_cast<std::uint32_t>(e));
    std::sort(keys.begin(), keys.end(), [this](const PackedKey& a, const PackedKey& b) {
        if (const int c = a.Compare(b); c != 0)
            return c < 0;
        return OrdinalLess(m_entries[a.at].word, m_entries[b.at].word);
    });
    std::vector<std::uint32_t> from(keys.size()); // position -> the entry that goes there
    for (std::size_t k = 0; k < keys.size(); ++k)
        from[k] = keys[k].at;
    Release(keys);
    // Each entry moves once, along the cycles of the permutation.
    for (std::size_t start = 0; start < from.size(); ++start) {
        if (from[start] == start)
            continue;
        WordEntry held = std::move(m_entries[start]);
        std::size_t at = start;
        while (from[at] != start) {
            const std::size_t source = from[at];
            m_entries[at] = std::move(m_entries[source]);
            from[at] = static_cast<std::uint32_t>(at);
            at = source;
        }
        m_entries[at] = std::move(held);
        from[at] = static_cast<std::uint32_t>(at);
    }
    m_laidOut = true;
}

std::int64_t WordTable::Find(std::u16string_view word) const {
    if (m_laidOut || m_slots.empty())
        return -1;
    const std::uint32_t record = m_slots[Probe(word, HashWord(word))].record;
    return static_cast<std::int64_t>(record) - 1;
}

std::int64_t WordTable::Size() const {
    return static_cast<std::int64_t>(m_laidOut ? m_entries.size() : m_records.size());
}

void WordTable::LayOut() const {
    if (m_laidOut)
        return;
    // The order the table has while counting: ordinal by word. Words are distinct, so the
    // result does not depend on the order of arrival or on the index.
    // The lookup slots are no longer needed: they go before the entries are made.
    Release(m_slots);
    // Sorting by the packed first four units settles most comparisons with one number; only
    // words that share them are compared further.
    std::vector<PackedKey> keys(m_records.size());
    for (std::size_t r = 0; r < keys.size(); ++r)
        keys[r] = PackedKey::Of(WordOf(m_records[r]), static_cast<std::uint32_t>(r));
    std::sort(keys.begin(), keys.end(), [this](const PackedKey& a, const PackedKey& b) {
        if (const int c = a.Compare(b); c != 0)
            return c < 0;
        return OrdinalLess(WordOf(m_records[a.at]), WordOf(m_records[b.at]));
    });
    std::vector<std::uint32_t> order(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k)
        order[k] = keys[k].at;
    Release(keys);
    m_entries.clear();
    m_entries.reserve(order.size());
    for (const std::uint32_t r : order) {
        const Record& record = m_records[r];
        std::vector<FileCount> none;
        WordEntry e =
            MakeEntry(WordOf(record), record.count, m_scope,
                      m_scope == FileScope::Folder && r < m_files.size() ? m_files[r] : none);
        m_entries.push_back(std::move(e));
    }
    // The entries now hold the words; the index is not kept alongside them.
    ClearIndex();
    m_laidOut = true;
}

void WordTable::TakeBack() {
    ClearIndex();
    m_slots.assign(SlotsFor(m_entries.size()), Slot{});
    m_records.reserve(m_entries.size());
    for (auto& e : m_entries) {
        const std::uint64_t h = HashWord(e.word);
        Add(e.word, h, e.count);
        if (m_scope == FileScope::Folder)
            m_files.push_back(std::move(e.files));
        Place({TagOf(e.word, h), static_cast<std::uint32_t>(m_records.size()), PrefixOf(e.word)},
              static_cast<std::uint32_t>(h));
    }
    m_entries.clear();
    m_firstFreq = 0;
    m_laidOut = false;
}

void WordTable::UpdateCurrentFile(std::u16string_view path) {
    // Called for every counted word of a folder run, nearly always with the path it had the
    // last time. Paths are compared as they are: "A.txt" and "a.txt" are two files here.
    // File 0 has an empty path, so the first non-empty path starts file 1.
    if (path == m_currentPath)
        return;
    m_currentPath.assign(path);
    ++m_currentFile;
    m_filePaths.emplace_back(path);
}

std::u16string WordTable::FilePath(std::int64_t n) const {
    if (n < 1 || n > NumFilePaths())
        return {};
    return m_filePaths[static_cast<std::size_t>(n - 1)];
}

const WordEntry& WordTable::Entry(std::int64_t i) const {
    LayOut();
    if (i < 1 || i > static_cast<std::int64_t>(m_entries.size()))
        throw std::out_of_range("word table index");
    return m_entries[static_cast<std::size_t>(i - 1)];
}

WordEntry& WordTable::Entry(std::int64_t i) {
    LayOut();
    if (i < 1 || i > static_cast<std::int64_t>(m_entries.size()))
        throw std::out_of_range("word table index");
    return m_entries[static_cast<std::size_t>(i - 1)];
}

const std::vector<WordEntry>& WordTable::Entries() const {
    LayOut();
    return m_entries;
}

void WordTable::SortAlphabetically(std::int64_t first, std::int64_t last, std::int64_t keyStart) {
    LayOut();
    first = std::max<std::int64_t>(first, 1);
    last = std::min<std::int64_t>(last, Size());
    if (first >= last)
        return;
    auto key = [&](std::int64_t i) {
        return KeyFrom(m_entries[static_cast<std::size_t>(i - 1)].SortKey(), keyStart);
    };

    // Keys already in strictly increasing order are the one order any sort can give them (with
    // no equal keys there is nothing for the quicksort to place its own way). Phrase tables,
    // laid out in word order with keys equal to their words, are often like that.
    bool increasing = true;
    for (std::int64_t i = first; i < last && increasing; ++i)
        increasing = OrdinalLess(key(i), key(i + 1));
    if (increasing)
        return;

    // The sort moves small packed keys of the entries (first twelve units of each key) instead of
    // the entries, and reads a key's text only when the packed units are equal; the entries are
    // put in the resulting order at the end. Every comparison gives what comparing the keys
    // would, so the order is exactly that of sorting the entries themselves.
    const auto n = static_cast<std::size_t>(last - first + 1);
    const auto base = static_cast<std::size_t>(first - 1);
    if (m_entries.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("word table too large to sort");
    std::vector<PackedKey> keys(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::u16string_view key = KeyFrom(m_entries[base + k].SortKey(), keyStart);
        keys[k] = PackedKey::Of(key, static_cast<std::uint32_t>(base + k));
    }
    auto less = [&](const PackedKey& a, const PackedKey& b) {
        if (const int c = a.Compare(b); c != 0)
            return c < 0;
        return OrdinalLess(KeyFrom(m_entries[a.at].SortKey(), keyStart),
                           KeyFrom(m_entries[b.at].SortKey(), keyStart));
    };
    auto at = [&](std::int64_t i) -> PackedKey& {
        return keys[static_cast<std::size_t>(i - first)];
    };

    MiddlePivotQuicksort(
        first, last, [&](std::int64_t i) -> const PackedKey& { return at(i); }, less,
        [&](std::int64_t i, std::int64_t j) { std::swap(at(i), at(j)); });

    // Position base + k takes the entry that was at keys[k].at: follow each cycle of the
    // permutation, moving every entry once and copying none.
    for (std::size_t k = 0; k < n; ++k) {
        if (keys[k].at == base + k)
            continue;
        WordEntry held = std::move(m_entries[base + k]);
        std::size_t j = k;
        for (;;) {
            const std::size_t source = keys[j].at;
            keys[j].at = static_cast<std::uint32_t>(base + j);
            if (source == base + k) {
                m_entries[base + j] = std::move(held);
                break;
            }
            m_entries[base + j] = std::move(m_entries[source]);
            j = source - base;
        }
    }
}

void WordTable::FilterWords(const Settings& settings, const RunState& rs) {
    LayOut();
    const std::int64_t shortLimit = ShortWordSizeValue(settings);
    const std::int64_t longLimit = LongWordSizeValue(settings);
    for (auto& e : m_entries) {
        const auto length = static_cast<std::int64_t>(e.word.size());
        bool keep = true;
        if (settings.IgnoreShortWords == 1 && length < shortLimit)
            keep = false;
        else if (length > longLimit)
            keep = false;
        else if (settings.IgnoreRepetitions == 1 && HasFourRepeatedLetters(e.word))
            keep = false;
        else if (settings.IgnoreNoLetter == 1 && !HasLetter(e.word))
            keep = false;
        else if (settings.IgnoreInfrequentWords == 1 && e.count < rs.intThresholdFrequency)
            keep = false;
        else if (settings.IgnoreExcessivelyFrequentWords == 1 && e.count > rs.intExcessFrequency)
            keep = false;
        e.included = keep;
    }
}

void WordTable::Summarize(RunState& rs, Host& host) {
    LayOut();
    rs.lngNumWords = Size() + m_leftOut;
    rs.intMaxWordLengthFound = 0;
    rs.lngNumWordsIncluded = 0;
    rs.lngMaxFrequency = 0;
    rs.lngMaxNumFiles = 0;
    rs.lngNumWordsExcluded = m_leftOut;
    rs.lngNumOccurrences = 0;
    rs.intNumWordsInLongestPhrase = 0;
    for (const auto& e : m_entries) {
        host.Yield();
        if (!e.included) {
            ++rs.lngNumWordsExcluded;
            continue;
        }
        ++rs.lngNumWordsIncluded;
        rs.lngNumOccurrences += e.count;
        rs.lngMaxFrequency = std::max(rs.lngMaxFrequency, e.count);
        rs.lngMaxNumFiles = std::max(rs.lngMaxNumFiles, e.NumFiles());
        rs.intMaxWordLengthFound =
            std::max(rs.intMaxWordLengthFound, static_cast<int>(e.word.size()));
        if (rs.blnCountingMFP) {
            const auto words = std::count(e.word.begin(), e.word.end(), u' ') + 1;
            rs.intNumWordsInLongestPhrase =
                std::max(rs.intNumWordsInLongestPhrase, static_cast<int>(words));
        }
    }
}

void WordTable::BuildFrequencyChain(const Settings& settings, RunState& rs, Host& host,
                                    const std::function<void(const std::u16string&)>& progress) {
    LayOut();
    for (auto& e : m_entries) {
        e.frequencyRank = 0;
        e.nextInFrequencyOrder = 0;
    }
    const bool byFiles = settings.SortByNumberOfFiles == 1;
    m_chainByFiles = byFiles;
    const std::int64_t maxMeasure = byFiles ? rs.lngMaxNumFiles : rs.lngMaxFrequency;
    auto measure = [&](const WordEntry& e) { return byFiles ? e.NumFiles() : e.count; };

    // One pass per measure value from the maximum down to 1, each in table order, is the same
    // as one stable sort by decreasing measure of the included entries whose measure lies in
    // 1..maximum.
    std::vector<std::int64_t> order;
    order.reserve(m_entries.size());
    for (std::size_t k = 0; k < m_entries.size(); ++k) {
        const WordEntry& e = m_entries[k];
        const std::int64_t m = measure(e);
        if (e.included && m >= 1 && m <= maxMeasure)
            order.push_back(static_cast<std::int64_t>(k) + 1);
    }
    if (static_cast<std::uint64_t>(maxMeasure) <= 4 * order.size() + 1024) {
        // Measures within reach of the number of entries: one counting pass places each entry
        // (the same stable order, without comparisons).
        std::vector<std::int64_t> start(static_cast<std::size_t>(maxMeasure) + 2, 0);
        for (const std::int64_t i : order)
            ++start[static_cast<std::size_t>(maxMeasure - measure(m_entries[i - 1])) + 1];
        for (std::size_t m = 1; m < start.size(); ++m)
            start[m] += start[m - 1];
        std::vector<std::int64_t> sorted(order.size());
        for (const std::int64_t i : order)
            sorted[static_cast<std::size_t>(
                start[static_cast<std::size_t>(maxMeasure - measure(m_entries[i - 1]))]++)] = i;
        order.swap(sorted);
    } else {
        std::stable_sort(order.begin(), order.end(), [&](std::int64_t a, std::int64_t b) {
            return measure(m_entries[a - 1]) > measure(m_entries[b - 1]);
        });
    }
    for (std::size_t r = 0; r < order.size(); ++r)
        m_entries[order[r] - 1].frequencyRank = static_cast<std::int64_t>(r) + 1;

    m_firstFreq = order.empty() ? 0 : order.front();
    rs.lngFirstFreq = m_firstFreq;
    if (m_firstFreq == 0)
        return;

    // Linking stops at the rank equal to the number of included entries, as the listing
    // follows exactly that many links.
    const auto ranked = static_cast<std::int64_t>(order.size());
    const std::int64_t lastRank = std::min(ranked, rs.lngNumWordsIncluded);
    for (std::int64_t r = 1; r < lastRank; ++r) {
        m_entries[order[r - 1] - 1].nextInFrequencyOrder = order[r];
        if (r % 1000 == 0 && progress)
            progress(u" .");
        if (rs.blnStartUpCompleted)
            host.Yield();
    }
}

// ---------------------------------------------------------------------------------------------
// HostTextWindow

void HostTextWindow::Append(const std::u16string& text) {
    m_length += static_cast<std::int64_t>(text.size());
    m_host.TextWindowAppend(text);
}

void HostTextWindow::Clear() {
    m_length = 0;
    m_host.TextWindowSet(u"");
}

// ---------------------------------------------------------------------------------------------
// WordCounting

WordCounting::WordCounting(WordTable& table, RunState& rs, const Settings& settings, Host& host,
                           TextWindowSink& textWindow, const WordsToIgnore& wordsToIgnore)
    : m_table(table), m_rs(rs), m_settings(settings), m_host(host), m_textWindow(textWindow),
      m_wordsToIgnore(wordsToIgnore) {
    StartRun();
}

void WordCounting::StartRun() {
    m_pending.clear();
    m_shownAny = false;
    m_lastFlushSecond = m_rs.lngSecondsElapsed;
}

void WordCounting::GetWords2(const std::u16string& word) {
    if (m_observer)
        m_observer->WordMet(word);
    // Both modes: a word that is not seven-bit is dropped silently when only seven-bit words
    // are wanted; it is neither counted nor reported as ignored.
    if (m_settings.Only7bitASCII == 1 && !IsSevenBitAscii(word))
        return;

    if (m_rs.blnThereAreCountOnlyWords) {
        // Specified-words mode: the count-only lists decide.
        if (m_specifiedWordsBranch)
            m_specifiedWordsBranch(word);
        return;
    }

    // All-words mode.
    if (m_wordsToIgnore.IsIgnored(word, m_settings))
        return;
    AddWordToList(word);
}

void WordCounting::AddWordToList(const std::u16string& word) {
    const bool readingList = m_rs.blnReadingWords;
    const bool phrasesToCount =
        m_rs.blnThereAreCountOnlyWords && m_rs.blnCountOnlyWordsIncludePhrase;
    if (!readingList && !phrasesToCount &&
        static_cast<std::int64_t>(word.size()) > intMaxPermittedWordLength)
        return;

    FileScope scope = FileScope::None;
    if (!readingList && m_observer)
        m_observer->Counted(word);
    if (!readingList) {
        if (m_settings.Source == SourceKind::Folder) {
            m_table.UpdateCurrentFile(m_inputPath);
            scope = FileScope::Folder;
        } else {
            scope = FileScope::SingleSource;
        }
    }

    const bool isNew = m_table.Count(word, scope, m_table.CurrentFileNumber());
    if (!isNew) {
        m_host.Yield();
        return;
    }
    m_rs.lngNumWords = m_table.Size();

    if (m_rs.lngNumWords == 1) {
        ShowWordAsFound(word);
        if (m_rs.blnThereAreCountOnlyWords && !m_rs.blnCountingMFP)
            m_host.SetLabel("lblNumberOfWords", m_rs.blnCountOnlyWordsIncludePhrase
                                                    ? u"One word or phrase found so far."
                                                    : u"One word found so far.");
        return;
    }

    const std::int64_t n = m_rs.lngNumWords;
    if (readingList) {
        if (n % 10 == 0)
            m_host.SetLabel("lblNumberOfWords", u"Number of words read so far: " + FormatCount(n));
    } else if (!m_rs.blnCountingMFP) {
        // The label is rewritten less often as the table grows.
        if (m_rs.blnThereAreCountOnlyWords || n % (n / 100 + 10) == 0)
            m_host.SetLabel("lblNumberOfWords", u"Number of different " + WordsPhrases(m_rs) +
                                                    u" found so far: " + FormatCount(n));
    }
    ShowWordAsFound(word);
}

std::int64_t WordCounting::RecordOf(std::u16string_view word) const {
    if (m_settings.Only7bitASCII == 1 && !IsSevenBitAscii(word))
        return kDropped;
    if (m_wordsToIgnore.IsIgnored(word, m_settings))
        return kDropped;
    if (static_cast<std::int64_t>(word.size()) > intMaxPermittedWordLength)
        return kDropped;
    const std::int64_t record = m_table.Find(word);
    return record >= 0 ? record : kNotCounted;
}

std::int64_t WordCounting::RecordOfSpecified(std::u16string_view word, bool listed) const {
    if (m_settings.Only7bitASCII == 1 && !IsSevenBitAscii(word))
        return kDropped;
    if (!listed || static_cast<std::int64_t>(word.size()) > intMaxPermittedWordLength)
        return kDropped;
    const std::int64_t record = m_table.Find(word);
    return record >= 0 ? record : kNotCounted;
}

void WordCounting::CountAgain(std::int64_t record, std::uint64_t n) {
    const FileScope scope =
        m_settings.Source == SourceKind::Folder ? FileScope::Folder : FileScope::SingleSource;
    m_table.CountRecord(record, scope, FileOfOccurrence(), n);
}

std::int64_t WordCounting::FileOfOccurrence() {
    if (m_settings.Source != SourceKind::Folder)
        return 0;
    m_table.UpdateCurrentFile(m_inputPath);
    return m_table.CurrentFileNumber();
}

void WordCounting::ShowNewEntry(const std::function<std::u16string()>& text) {
    if (m_settings.SuppressWords != 1)
        ShowWordAsFound(text());
}

void WordCounting::YieldAfterKnownEntry() {
    m_host.Yield();
}

void WordCounting::ShowWordAsFound(const std::u16string& word) {
    if (m_settings.SuppressWords == 1)
        return;
    // The text window is written at most once a second; in between new words collect here.
    // The first word of a run is shown at once, so that a run shorter than a second shows
    // what it finds too.
    m_pending += word;
    m_pending += u", ";
    if (m_rs.lngSecondsElapsed != m_lastFlushSecond || !m_shownAny)
        FlushWordsAsFound();
}

void WordCounting::FlushWordsAsFound() {
    if (m_settings.SuppressWords == 1 || m_pending.empty())
        return;
    // The window takes at most TextWindowSink::kCapacity characters and refuses what does not fit;
    // clear it first so the words keep flowing instead of filling it up for good.
    if (m_textWindow.Length() + static_cast<std::int64_t>(m_pending.size()) >
        TextWindowSink::kCapacity)
        m_textWindow.Clear();
    m_textWindow.Append(m_pending);
    m_pending.clear();
    m_lastFlushSecond = m_rs.lngSecondsElapsed;
    m_shownAny = true;
}

void WordCounting::ShowTotals() {
    const std::u16string wp = WordsPhrases(m_rs);
    const std::int64_t included = m_rs.lngNumWordsIncluded;
    const bool specified = m_rs.blnThereAreCountOnlyWords && !m_rs.blnCountingMFP;
    const bool allWords = !m_rs.blnThereAreCountOnlyWords && !m_rs.blnCountingMFP;

    std::u16string wordCount;
    if (specified && included == m_rs.intNumExtraCountOnlyWords + m_rs.lngNumCountOnlyWords) {
        if (m_rs.blnCountOnlyWordsIncludePhrase) {
            if (included == 1)
                wordCount = u"The word or phrase to be counted was found.";
            else if (included == 2)
                wordCount = u"Both words or phrases to be counted were found.";
            else
                wordCount = u"All " + FormatCount(included) +
                            u" words or phrases to be counted were found.";
        } else {
            if (included == 1)
                wordCount = u"The word to be counted was found.";
            else if (included == 2)
                wordCount = u"Both words to be counted were found.";
            else
                wordCount = u"All " + FormatCount(included) + u" words to be counted were found.";
        }
    } else {
        wordCount = u"Number of " + wp + u" in this list: " + FormatCount(included);
    }
    m_host.SetLabel("lblNumberOfWords", wordCount);

    if (allWords) {
        const bool ignoring =
            m_wordsToIgnore.NumTyped() > 0 || m_wordsToIgnore.NumFileEntries() > 0;
        m_host.SetLabel("lblNumWordsExcluded",
                        (ignoring ? u"No. of words ignored (other than words-to-ignore): "
                                  : u"Number of words ignored: ") +
                            FormatCount(m_rs.lngNumWordsExcluded));
        if (m_rs.lngNumOccurrences > 0)
            m_host.SetLabel("lblNumOccurrences", u"Number of instances of " + wp +
                                                     u" in this list: " +
                                                     FormatCount(m_rs.lngNumOccurrences));
        m_host.SetLabel("lblTotalNumOccurrences", u"Total number of instances of " + wp + u": " +
                                                      FormatCount(m_rs.lngTotalNumOccurrences));
    } else if (specified && m_rs.lngNumOccurrences >= 1) {
        m_host.SetLabel("lblNumWordsExcluded", u"No. of instances of " + wp + u" in this list: " +
                                                   FormatCount(m_rs.lngNumOccurrences));
    }
}

// ---------------------------------------------------------------------------------------------
// Word-list arrays

void StringArraySort(std::vector<std::u16string>& array, std::int64_t first, std::int64_t last,
                     std::int64_t keyStart, bool ignoreCase) {
    first = std::max<std::int64_t>(first, 1);
    last = std::min<std::int64_t>(last, static_cast<std::int64_t>(array.size()));
    if (first >= last)
        return;
    // Keys are worked out once; the elements travel with them.
    struct Item {
        std::u16string key;
        std::u16string text;
    };
    std::vector<Item> items;
    items.reserve(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t p = first; p <= last; ++p) {
        std::u16string& text = array[static_cast<std::size_t>(p - 1)];
        std::u16string key(KeyFrom(text, keyStart));
        items.push_back({ignoreCase ? LowerCaseAll(key) : std::move(key), std::move(text)});
    }
    auto at = [&](std::int64_t i) -> Item& { return items[static_cast<std::size_t>(i)]; };

    // Descending middle-pivot quicksort, then the range reversed: the order of equal keys
    // follows from exactly these steps.
    MiddlePivotQuicksort(
        0, static_cast<std::int64_t>(items.size()) - 1,
        [&](std::int64_t i) -> const std::u16string& { return at(i).key; },
        [](const std::u16string& a, const std::u16string& b) { return a > b; },
        [&](std::int64_t i, std::int64_t j) { std::swap(at(i), at(j)); });
    std::reverse(items.begin(), items.end());
    for (std::size_t k = 0; k < items.size(); ++k)
        array[static_cast<std::size_t>(first - 1) + k] = std::move(items[k].text);
}

bool StringArraySearch(std::u16string_view value, const std::vector<std::u16string>& array,
                       std::int64_t count, std::int64_t& position, std::int64_t keyStart) {
    count = std::min<std::int64_t>(count, static_cast<std::int64_t>(array.size()));
    auto key = [&](std::int64_t p) {
        return KeyFrom(array[static_cast<std::size_t>(p - 1)], keyStart);
    };
    if (count <= 0) {
        position = 1;
        return false;
    }
    if (value < key(1)) {
        position = 1;
        return false;
    }
    if (value > key(count)) {
        position = count + 1;
        return false;
    }
    if (count == 1) {
        position = 1;
        return true;
    }
    std::int64_t lo = 1, hi = count, mid = count / 2;
    for (;;) {
        const auto k = key(mid);
        if (value == k) {
            position = mid;
            return true;
        }
        if (value > k) {
            if (mid == hi) {
                position = hi + 1;
                return false;
            }
            lo = mid + 1;
            mid = mid + (hi - mid + 1) / 2;
        } else {
            if (mid == lo) {
                position = lo;
                return false;
            }
            hi = mid - 1;
            mid = mid - (mid - lo + 1) / 2;
        }
    }
}

} // namespace lxty
