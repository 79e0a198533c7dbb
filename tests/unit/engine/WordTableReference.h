#pragma once
// The word table done the simple way, step by step as the program has always done it: an
// array kept in ordinal word order by insertion at its lower bound, the middle-pivot
// quicksort by sort key, and the frequency chain built by scanning the whole table once per
// measure value and once per rank. Slow (quadratic) but obviously right; the tests compare
// the fast WordTable against it on generated text.
//
// Per-file data is kept as (file number, count) pairs without caps, like the fast table.

#include "engine/WordTable.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace lxty::test {

class ReferenceWordTable {
public:
    std::vector<WordEntry> entries; // entry i at entries[i - 1]
    std::int64_t firstFreq = 0;

    std::int64_t Size() const { return static_cast<std::int64_t>(entries.size()); }
    WordEntry& At(std::int64_t i) { return entries[static_cast<std::size_t>(i - 1)]; }

    // One occurrence; fileNumber < 0 means no file data (word-list read). Entries stay in
    // ordinal word order.
    void Add(const std::u16string& word, std::int64_t fileNumber) {
        auto it = std::lower_bound(
            entries.begin(), entries.end(), word,
            [](const WordEntry& e, const std::u16string& w) { return e.word < w; });
        if (it == entries.end() || it->word != word) {
            WordEntry e;
            e.word = word;
            e.SetSortKey(LowerCaseAll(FoldAccents(word)));
            it = entries.insert(it, std::move(e));
        }
        ++it->count;
        if (fileNumber >= 0) {
            if (it->files.empty() || it->files.back().fileNumber != fileNumber)
                it->files.push_back({fileNumber, 0});
            ++it->files.back().count;
        }
    }

    void QuickSort(std::int64_t lo, std::int64_t hi) {
        if (lo >= hi)
            return;
        const std::u16string pivot = At((lo + hi) / 2).SortKey();
        std::int64_t i = lo, j = hi;
        while (i <= j) {
            while (i < hi && At(i).SortKey() < pivot)
                ++i;
            while (j > lo && At(j).SortKey() > pivot)
                --j;
            if (i <= j) {
                if (i < j)
                    std::swap(At(i), At(j));
                ++i;
                --j;
            }
        }
        QuickSort(lo, j);
        QuickSort(i, hi);
    }

    struct Totals {
        std::int64_t included = 0, excluded = 0, occurrences = 0, maxFrequency = 0, maxNumFiles = 0;
        int maxWordLength = 0;
        bool operator==(const Totals&) const = default;
    };

    Totals Summarize() const {
        Totals t;
        for (const auto& e : entries) {
            if (!e.included) {
                ++t.excluded;
                continue;
            }
            ++t.included;
            t.occurrences += e.count;
            if (e.count > t.maxFrequency)
                t.maxFrequency = e.count;
            if (e.NumFiles() > t.maxNumFiles)
                t.maxNumFiles = e.NumFiles();
            if (static_cast<int>(e.word.size()) > t.maxWordLength)
                t.maxWordLength = static_cast<int>(e.word.size());
        }
        return t;
    }

    void FrequencyChain(bool byFiles, const Totals& t) {
        for (auto& e : entries) {
            e.frequencyRank = 0;
            e.nextInFrequencyOrder = 0;
        }
        const std::int64_t m = byFiles ? t.maxNumFiles : t.maxFrequency;
        firstFreq = 0;
        std::int64_t r = 0;
        for (std::int64_t v = m; v >= 1; --v)
            for (std::int64_t i = 1; i <= Size(); ++i) {
                const WordEntry& e = At(i);
                if (e.included && (byFiles ? e.NumFiles() : e.count) == v) {
                    At(i).frequencyRank = ++r;
                    if (r == 1)
                        firstFreq = i;
                }
            }
        if (firstFreq == 0)
            return;
        std::int64_t current = firstFreq;
        for (r = 1; r < t.included; ++r) {
            std::int64_t next = 0;
            for (std::int64_t i = 1; i <= Size(); ++i)
                if (At(i).frequencyRank == r + 1)
                    next = i;
            if (next == 0)
                break;
            At(current).nextInFrequencyOrder = next;
            current = next;
        }
    }
};

} // namespace lxty::test
