#pragma once
// The word table done the simple way, step by step as the program has always done it: an
// array kept in ordinal word order by binary search and shifting insertion, the middle-pivot
// quicksort by sort key, and the frequency chain built by scanning the whole table once per
// measure value and once per rank. Slow (quadratic) but obviously right; the tests compare
// the fast WordTable against it on generated text.
//
// Per-file data is kept as (file number, count) pairs without caps, like the fast table.

#include "engine/WordTable.h"
#include "util/StringUtils.h"

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

    // Binary search by word: found -> position; not found -> minus the insertion position.
    std::int64_t Search(const std::u16string& word) const {
        const std::int64_t n = Size();
        auto w = [&](std::int64_t i) -> const std::u16string& {
            return entries[static_cast<std::size_t>(i - 1)].word;
        };
        if (n == 0)
            return -1;
        if (word < w(1))
            return -1;
        if (word > w(n))
            return -(n + 1);
        if (n == 1)
            return 1;
        std::int64_t lo = 1, hi = n, mid = n / 2;
        for (;;) {
            if (word == w(mid))
                return mid;
            if (word > w(mid)) {
                if (mid == hi)
                    return -(hi + 1);
                lo = mid + 1;
                mid = mid + (hi - mid + 1) / 2;
            } else {
                if (mid == lo)
                    return -lo;
                hi = mid - 1;
                mid = mid - (mid - lo + 1) / 2;
            }
        }
    }

    // One occurrence; fileNumber < 0 means no file data (word-list read).
    void Add(const std::u16string& word, std::int64_t fileNumber) {
        auto newEntry = [&] {
            WordEntry e;
            e.word = word;
            e.SetSortKey(LowerCaseAll(FoldAccents(word)));
            e.count = 1;
            e.included = true;
            if (fileNumber >= 0)
                e.files.push_back({fileNumber, 1});
            return e;
        };
        if (entries.empty()) {
            entries.push_back(newEntry());
            return;
        }
        const std::int64_t p = Search(word);
        if (p > 0) {
            WordEntry& e = At(p);
            ++e.count;
            if (fileNumber >= 0) {
                if (e.files.empty() || e.files.back().fileNumber != fileNumber)
                    e.files.push_back({fileNumber, 0});
                ++e.files.back().count;
            }
            return;
        }
        const std::int64_t q = -p;
        entries.push_back(newEntry());
        const std::int64_t n = Size();
        if (At(n - 1).word < word)
            return;
        WordEntry held = std::move(At(n));
        for (std::int64_t k = n; k > q; --k)
            At(k) = std::move(At(k - 1));
        At(q) = std::move(held);
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
