// After the text of an all-phrases run: the exclusion by minimum occurrences, the
// redundant-subphrase exclusion (checked against the straightforward comparison of every
// entry with every other), the summary sentence in each of its forms, and the post-listing
// decision.

#include "phrases/PhraseResults.h"
#include "PhraseTestRig.h"
#include "reports/WordListReport.h"

#include <gtest/gtest.h>

#include <random>

namespace lxty {
namespace {

using test::Counts;
using test::FakeHost;
using test::PhraseRig;

// A table holding the given phrases with the given counts, in alphabetical order.
void Fill(WordTable& table, const Counts& phrases) {
    table.Reset();
    for (const auto& [text, count] : phrases) {
        for (std::int64_t i = 0; i < count; ++i)
            table.Count(text, FileScope::SingleSource, 0);
    }
    table.SortAlphabetically();
}

std::vector<std::u16string> Included(const std::vector<WordEntry>& entries) {
    std::vector<std::u16string> out;
    for (const auto& e : entries) {
        if (e.included)
            out.push_back(e.word);
    }
    return out;
}
std::vector<std::u16string> Included(const WordTable& table) {
    return Included(table.Entries());
}

// Whether part occurs in text starting at its beginning or after a blank and ending at its end
// or before a blank (searching again from the next position after a misplaced occurrence).
bool ContainsAtWordBoundaries(const std::u16string& text, const std::u16string& part) {
    for (std::size_t from = 0;;) {
        const std::size_t p = text.find(part, from);
        if (p == std::u16string::npos)
            return false;
        const std::size_t end = p + part.size();
        if ((p == 0 || text[p - 1] == u' ') && (end == text.size() || text[end] == u' '))
            return true;
        from = p + 1;
    }
}

// The exclusion as the program describes it: for each included entry in table order, look for
// another included entry, longer, with the same count, that contains it; the first one found
// clears its mark.
void ReferenceExclusion(std::vector<WordEntry>& table) {
    const std::size_t n = table.size();
    for (std::size_t i = 0; i < n; ++i) {
        WordEntry& e = table[i];
        if (!e.included)
            continue;
        for (std::size_t j = 0; j < n; ++j) {
            const WordEntry& f = table[j];
            if (j != i && f.included && f.word.size() > e.word.size() && f.count == e.count &&
                ContainsAtWordBoundaries(f.word, e.word)) {
                e.included = false;
                break;
            }
        }
    }
}

TEST(PhraseResultsTest, MinimumOccurrences) {
    PhraseRig rig;
    rig.Prepare(2, 2);
    rig.Count({u"red car red car"});
    rig.table.SortAlphabetically();
    for (const auto& [threshold, expected] :
         std::vector<std::pair<std::int64_t, std::vector<std::u16string>>>{
             {1, {u"car red", u"red car"}}, {2, {u"red car"}}, {3, {}}}) {
        ExcludeInfrequentPhrases(rig.table, threshold);
        EXPECT_EQ(Included(rig.table), expected) << "threshold " << threshold;
    }
}

TEST(PhraseResultsTest, RedundantSubphrases) {
    struct Case {
        const char* name;
        Counts table;
        std::vector<std::u16string> expected;
    };
    const std::vector<Case> cases = {
        {"same count: the shorter goes", {{u"big red", 2}, {u"big red car", 2}}, {u"big red car"}},
        {"different counts: both stay",
         {{u"big red", 3}, {u"big red car", 2}},
         {u"big red", u"big red car"}},
        {"at the end and in the middle",
         {{u"red car", 2}, {u"b c", 2}, {u"a b c d", 2}, {u"big red car", 2}},
         {u"a b c d", u"big red car"}},
        {"a chain: only the longest stays",
         {{u"a b", 1}, {u"a b c", 1}, {u"a b c d", 1}, {u"x a b", 2}},
         {u"a b c d", u"x a b"}},
        {"not at a word boundary: both stay",
         {{u"big red", 2}, {u"big redwood", 2}, {u"he said", 2}, {u"the said", 2}},
         {u"big red", u"big redwood", u"he said", u"the said"}},
        {"an excluded container still excludes",
         {{u"p q", 4}, {u"p q r", 4}, {u"o p q r", 4}},
         {u"o p q r"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WordTable table;
        Fill(table, c.table);
        RunState run;
        FakeHost host;
        EXPECT_TRUE(ExcludeRedundantSubphrases(table, run, host));
        std::vector<std::u16string> expected = c.expected;
        std::sort(expected.begin(), expected.end());
        std::vector<std::u16string> got = Included(table);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expected);
    }
}

TEST(PhraseResultsTest, ExcludedEntriesTakeNoPart) {
    WordTable table;
    Fill(table, {{u"big red", 2}, {u"big red car", 2}});
    for (std::int64_t i = 1; i <= table.Size(); ++i)
        table.Entry(i).included = table.Entry(i).word != u"big red car";
    RunState run;
    FakeHost host;
    ASSERT_TRUE(ExcludeRedundantSubphrases(table, run, host));
    EXPECT_EQ(Included(table), std::vector<std::u16string>{u"big red"});
}

TEST(PhraseResultsTest, AStopEndsTheExclusion) {
    WordTable table;
    Fill(table, {{u"a b", 1}, {u"a b c", 1}, {u"c d", 1}, {u"c d e", 1}});
    RunState run;
    FakeHost host;
    host.onYield = [&] { run.blnStop = true; };
    EXPECT_FALSE(ExcludeRedundantSubphrases(table, run, host));
    EXPECT_EQ(host.yields, 1);
}

// Counts generated text into a table as a phrase run does, then compares the fast exclusion
// with the reference on copies of the same table.
TEST(PhraseResultsTest, FastExclusionMatchesTheReferenceOnGeneratedText) {
    const std::vector<std::u16string> vocabulary = {u"a",   u"b",  u"ab", u"ba",
                                                    u"the", u"he", u"c",  u"a-b"};
    std::mt19937 rng(77);
    std::int64_t excluded = 0;
    for (int minWords = 1; minWords <= 3; ++minWords) {
        for (int maxWords : {2, 4, 6}) {
            if (maxWords < minWords)
                continue;
            for (std::int64_t threshold : {1, 2, 3}) {
                PhraseRig rig;
                rig.Prepare(minWords, maxWords);
                std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
                std::uniform_int_distribution<int> period(0, 9);
                std::u16string line;
                for (int i = 0; i < 1500; ++i) {
                    line += vocabulary[pick(rng)];
                    line += period(rng) == 0 ? u". " : u" ";
                }
                rig.Count({line});
                rig.table.SortAlphabetically();
                ExcludeInfrequentPhrases(rig.table, threshold);

                std::vector<WordEntry> reference = rig.table.Entries();
                ReferenceExclusion(reference);
                ASSERT_TRUE(ExcludeRedundantSubphrases(rig.table, rig.run, rig.host));
                SCOPED_TRACE(testing::Message()
                             << minWords << " to " << maxWords << ", threshold " << threshold);
                EXPECT_EQ(Included(rig.table), Included(reference));
                for (const auto& e : reference)
                    excluded += e.included ? 0 : 1;
            }
        }
    }
    EXPECT_GT(excluded, 0);
}

// Arbitrary tables (not from a text), so that containers need not have every intermediate
// phrase.
TEST(PhraseResultsTest, FastExclusionMatchesTheReferenceOnGeneratedTables) {
    const std::vector<std::u16string> vocabulary = {u"x", u"y", u"xy", u"z", u"yx"};
    std::mt19937 rng(4242);
    for (int round = 0; round < 40; ++round) {
        Counts phrases;
        std::uniform_int_distribution<int> len(1, 6);
        std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
        std::uniform_int_distribution<int> count(1, 3);
        for (int i = 0; i < 150; ++i) {
            std::u16string p;
            for (int k = len(rng); k > 0; --k) {
                if (!p.empty())
                    p += u' ';
                p += vocabulary[pick(rng)];
            }
            phrases[p] = count(rng);
        }
        WordTable table;
        Fill(table, phrases);
        std::vector<WordEntry> reference = table.Entries();
        ReferenceExclusion(reference);
        RunState run;
        FakeHost host;
        ASSERT_TRUE(ExcludeRedundantSubphrases(table, run, host));
        EXPECT_EQ(Included(table), Included(reference)) << "round " << round;
    }
}

// ---- The summary sentence -------------------------------------------------------------------

TEST(PhraseResultsTest, SummarySentence) {
    struct Case {
        const char* name;
        std::int64_t n;
        int minWords, maxWords;
        std::int64_t threshold;
        int treatment; // 0 none in force, 1 allow, 2 exclude only-ignored, 3 exclude containing,
                       // 4 remove
        int longest;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {"several, single length", 3, 2, 2, 2, 0, 2,
         u"There are 3 phrases of 2 words which occur at least twice.\n\n"},
        {"one, range", 1, 2, 4, 5, 0, 3,
         u"There is one phrase with 2 to 4 words which occurs at least 5 times.\n\n"},
        {"none, once", 0, 3, 3, 1, 0, 0,
         u"There are no phrases of 3 words which occur at least once.\n\n"},
        {"one-word maximum", 2, 1, 1, 3, 0, 1,
         u"There are 2 phrases of 1 word which occur at least 3 times.\n\n"},
        {"removing words to ignore", 2, 2, 3, 2, 4, 3,
         u"There are 2 phrases with 2 to 3 words which occur at least twice when words to "
         u"ignore are excluded.\n\n"},
        {"excluding phrases containing a word to ignore", 2, 2, 2, 2, 3, 2,
         u"There are 2 phrases of 2 words which occur at least twice\nwhen phrases "
         u"containing a word to ignore are excluded.\n\n"},
        {"excluding phrases made only of words to ignore", 2, 2, 2, 2, 2, 2,
         u"There are 2 phrases of 2 words which occur at least twice\nwhen phrases "
         u"consisting entirely of words to ignore are excluded.\n\n"},
        {"allowing phrases made only of words to ignore", 2, 2, 2, 2, 1, 2,
         u"There are 2 phrases of 2 words which occur at least twice\n(including phrases "
         u"consisting entirely of words to ignore).\n\n"},
        {"none, excluding containing: a suggestion", 0, 2, 5, 2, 3, 0,
         u"There are no phrases with 2 to 5 words which occur at least twice\nwhen phrases "
         u"containing a word to ignore are excluded.\n\nYou could try repeating the count "
         u"without excluding phrases containing a word to ignore."},
        {"none, excluding only-ignored: a suggestion", 0, 2, 5, 2, 2, 0,
         u"There are no phrases with 2 to 5 words which occur at least twice\nwhen phrases "
         u"consisting entirely of words to ignore are excluded.\n\nYou could try repeating "
         u"the count without excluding phrases consisting entirely of words to ignore."},
        {"four of a range: the longest-phrase line", 4, 2, 6, 2, 0, 5,
         u"There are 4 phrases with 2 to 6 words which occur at least twice.\nThe longest "
         u"phrase has 5 words.\n\n"},
        {"three of a range: no longest-phrase line", 3, 2, 6, 2, 0, 5,
         u"There are 3 phrases with 2 to 6 words which occur at least twice.\n\n"},
        {"four of one length: no longest-phrase line", 4, 3, 3, 2, 0, 3,
         u"There are 4 phrases of 3 words which occur at least twice.\n\n"},
        {"longest of one word: no longest-phrase line", 4, 1, 3, 2, 0, 1,
         u"There are 4 phrases with 1 to 3 words which occur at least twice.\n\n"},
        {"thousands", 1234, 2, 2, 30, 0, 2,
         u"There are 1234 phrases of 2 words which occur at least 30 times.\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PhraseOptions o;
        o.intMinNumWordsInPhrase = c.minWords;
        o.intMaxNumWordsInPhrase = c.maxWords;
        o.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = c.treatment == 1;
        o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = c.treatment == 2;
        o.blnExcludePhrasesContainingAWordToIgnore = c.treatment == 3;
        RunState run;
        run.blnThereAreWordsToIgnore = c.treatment != 0;
        run.blnStripPhrases = c.treatment == 4;
        run.intMFPThresholdFrequency = c.threshold;
        run.intNumWordsInLongestPhrase = c.longest;
        EXPECT_EQ(test::Narrow(HowManyPhrasesSentence(c.n, o, run)), test::Narrow(c.expected));
    }
}

struct PostListing {
    FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, tw, report}, table, {}, {}};
    PhraseOptions options;
};

TEST(PhraseResultsTest, PostListingWithPhrases) {
    PostListing p;
    p.options.intMinNumWordsInPhrase = 2;
    p.options.intMaxNumWordsInPhrase = 2;
    p.run.intMFPThresholdFrequency = 2;
    p.run.lngNumWordsIncluded = 1;
    p.run.blnFilterWordFound = true;
    p.tw.SetText(u"Processing . . .");
    EXPECT_TRUE(PhrasePostListing(p.ctx, p.options));
    EXPECT_EQ(test::Narrow(p.run.strHowManyPhrases),
              "There is one phrase of 2 words which occurs at least twice.\n\n");
    EXPECT_FALSE(p.run.blnFilterWordFound);
    EXPECT_EQ(test::Narrow(p.tw.Text()), "Processing . . .");
}

TEST(PhraseResultsTest, PostListingWithoutPhrasesShowsTheSentence) {
    PostListing p;
    p.options.intMinNumWordsInPhrase = 2;
    p.options.intMaxNumWordsInPhrase = 3;
    p.run.intMFPThresholdFrequency = 3;
    p.run.lngNumWordsIncluded = 0;
    p.run.strHowManyPhrases = u"stale";
    p.host.labels["lblNumberOfWords"] = u"Number of phrases in this list: 0";
    EXPECT_FALSE(PhrasePostListing(p.ctx, p.options));
    const std::string sentence =
        "There are no phrases with 2 to 3 words which occur at least 3 times.\n\n";
    EXPECT_EQ(test::Narrow(p.tw.Text()), sentence);
    EXPECT_EQ(test::Narrow(p.host.textWindow), sentence);
    EXPECT_EQ(p.host.labels["lblNumberOfWords"], u"");
    EXPECT_EQ(p.run.strHowManyPhrases, u"");
}

} // namespace
} // namespace lxty
