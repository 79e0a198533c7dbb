#include "phrases/PhraseResults.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "reports/WordListReport.h"
#include "util/Format.h"
#include "util/LineEnd.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

namespace lxty {

namespace {

constexpr std::uint64_t kBase = 0x100000001B3ull * 0x9E3779B97F4A7C15ull | 1u;

std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t WordHash(std::u16string_view word) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (char16_t c : word) {
        h ^= static_cast<std::uint64_t>(c);
        h *= 0x100000001B3ull;
    }
    return Mix(h) | 1u;
}

// The word starts of a text (split at every blank) and the prefix hashes over its words:
// part (i, len) of the words hashes to prefix[i + len] - prefix[i] * base^len, and the whole
// text to prefix[words].
struct WordSplit {
    std::vector<std::size_t> starts; // start of word i; starts[words] = size + 1
    std::vector<std::uint64_t> prefix;

    void Build(std::u16string_view text) {
        starts.clear();
        prefix.clear();
        prefix.push_back(0);
        std::size_t begin = 0;
        for (;;) {
            const std::size_t blank = text.find(u' ', begin);
            const std::size_t end = blank == std::u16string_view::npos ? text.size() : blank;
            starts.push_back(begin);
            prefix.push_back(prefix.back() * kBase + WordHash(text.substr(begin, end - begin)));
            if (blank == std::u16string_view::npos)
                break;
            begin = blank + 1;
        }
        starts.push_back(text.size() + 1);
    }
    std::size_t Words() const { return starts.size() - 1; }
};

// An open-addressing table of the texts of one count group: hash -> entry index.
class GroupIndex {
public:
    void Build(const std::vector<std::int64_t>& members, const std::vector<std::uint64_t>& hashes) {
        std::size_t cap = 4;
        while (cap < members.size() * 2)
            cap <<= 1;
        m_mask = cap - 1;
        m_slots.assign(cap, Slot{});
        for (std::size_t m = 0; m < members.size(); ++m) {
            std::size_t at = static_cast<std::size_t>(hashes[m]) & m_mask;
            while (m_slots[at].entry != 0)
                at = (at + 1) & m_mask;
            m_slots[at] = Slot{hashes[m], members[m]};
        }
    }
    // Calls found(entry index) for every entry stored under hash.
    template <typename F> void ForEach(std::uint64_t hash, F&& found) const {
        std::size_t at = static_cast<std::size_t>(hash) & m_mask;
        while (m_slots[at].entry != 0) {
            if (m_slots[at].hash == hash)
                found(m_slots[at].entry);
            at = (at + 1) & m_mask;
        }
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::int64_t entry = 0; // 0: empty
    };
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

} // namespace

void ExcludeInfrequentPhrases(WordTable& table, std::int64_t threshold) {
    for (std::int64_t i = 1; i <= table.Size(); ++i) {
        WordEntry& e = table.Entry(i);
        e.included = e.count >= threshold;
    }
}

bool ExcludeRedundantSubphrases(WordTable& table, RunState& run, Host& host) {
    const std::int64_t n = table.Size();
    std::vector<std::int64_t> included;
    included.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 1; i <= n; ++i) {
        if (table.Entry(i).included)
            included.push_back(i);
    }
    // Groups of equal count, in table order within each group.
    std::stable_sort(included.begin(), included.end(), [&](std::int64_t a, std::int64_t b) {
        return table.Entry(a).count < table.Entry(b).count;
    });

    std::vector<char> redundant(static_cast<std::size_t>(n + 1), 0);
    std::vector<std::int64_t> members;
    std::vector<std::uint64_t> hashes;
    std::vector<std::size_t> words;
    std::vector<std::uint64_t> powers{1};
    WordSplit split;
    GroupIndex index;
    bool stopped = false;

    for (std::size_t g = 0; g < included.size() && !stopped;) {
        const std::int64_t count = table.Entry(included[g]).count;
        std::size_t end = g;
        while (end < included.size() && table.Entry(included[end]).count == count)
            ++end;
        members.assign(included.begin() + static_cast<std::ptrdiff_t>(g),
                       included.begin() + static_cast<std::ptrdiff_t>(end));
        g = end;

        if (members.size() < 2) {
            host.Yield();
            if (run.blnStop)
                stopped = true;
            continue;
        }

        hashes.clear();
        words.clear();
        std::size_t fewestWords = SIZE_MAX;
        for (std::int64_t m : members) {
            split.Build(table.Entry(m).word);
            hashes.push_back(split.prefix.back());
            words.push_back(split.Words());
            fewestWords = std::min(fewestWords, split.Words());
        }
        index.Build(members, hashes);

        for (std::size_t m = 0; m < members.size(); ++m) {
            const std::u16string& text = table.Entry(members[m]).word;
            const std::size_t w = words[m];
            if (w > fewestWords) {
                split.Build(text);
                while (powers.size() <= w)
                    powers.push_back(powers.back() * kBase);
                // Every part of len words (shorter than the whole), at every word.
                for (std::size_t len = fewestWords; len < w; ++len) {
                    for (std::size_t i = 0; i + len <= w; ++i) {
                        const std::uint64_t h =
                            split.prefix[i + len] - split.prefix[i] * powers[len];
                        const std::size_t from = split.starts[i];
                        const std::size_t to = split.starts[i + len] - 1;
                        const std::u16string_view part(text.data() + from, to - from);
                        index.ForEach(h, [&](std::int64_t e) {
                            if (!redundant[static_cast<std::size_t>(e)] &&
                                table.Entry(e).word == part)
                                redundant[static_cast<std::size_t>(e)] = 1;
                        });
                    }
                }
            }
            host.Yield();
            if (run.blnStop) {
                stopped = true;
                break;
            }
        }
    }

    for (std::int64_t i = 1; i <= n; ++i) {
        if (redundant[static_cast<std::size_t>(i)])
            table.Entry(i).included = false;
    }
    return !stopped;
}

std::u16string HowManyPhrasesSentence(std::int64_t n, const PhraseOptions& options,
                                      const RunState& run) {
    const int lo = options.intMinNumWordsInPhrase;
    const int hi = options.intMaxNumWordsInPhrase;
    std::u16string s;
    if (n == 0)
        s = u"There are no phrases";
    else if (n == 1)
        s = u"There is one phrase";
    else
        s = u"There are " + Digits(n) + u" phrases";

    if (lo != hi)
        s += u" with " + Digits(lo) + u" to " + Digits(hi);
    else
        s += u" of " + Digits(lo);
    s += hi == 1 ? u" word which" : u" words which";
    s += n == 1 ? u" occurs at least" : u" occur at least";
    const std::int64_t t = run.intMFPThresholdFrequency;
    if (t == 1)
        s += u" once";
    else if (t == 2)
        s += u" twice";
    else
        s += u" " + Digits(t) + u" times";

    if (!run.blnThereAreWordsToIgnore)
        s += u".";
    else if (run.blnStripPhrases)
        s += u" when words to ignore are excluded.";
    else if (options.blnExcludePhrasesContainingAWordToIgnore)
        s += std::u16string(kLineEnd) + u"when phrases containing a word to ignore are excluded.";
    else if (options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore)
        s += std::u16string(kLineEnd) +
             u"when phrases consisting entirely of words to ignore are excluded.";
    else
        s += std::u16string(kLineEnd) +
             u"(including phrases consisting entirely of words to ignore).";

    if (lo != hi && n >= 4 && run.intNumWordsInLongestPhrase >= 2)
        s += std::u16string(kLineEnd) + u"The longest phrase has " +
             Digits(run.intNumWordsInLongestPhrase) + u" words.";
    s += kLineEnd;
    s += kLineEnd;

    if (n == 0) {
        if (options.blnExcludePhrasesContainingAWordToIgnore)
            s += u"You could try repeating the count without excluding phrases containing a "
                 u"word to ignore.";
        else if (options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore)
            s += u"You could try repeating the count without excluding phrases consisting "
                 u"entirely of words to ignore.";
    }
    return s;
}

bool PhrasePostListing(ReportContext& ctx, const PhraseOptions& options) {
    RunState& run = ctx.run;
    const std::int64_t n = run.lngNumWordsIncluded;
    std::u16string sentence = HowManyPhrasesSentence(n, options, run);
    if (n >= 1) {
        run.strHowManyPhrases = std::move(sentence);
        run.blnFilterWordFound = false;
        return true;
    }
    run.strHowManyPhrases.clear();
    ctx.textWindow.SetText(sentence);
    ctx.host.SetLabel("lblNumberOfWords", u"");
    return false;
}

} // namespace lxty
