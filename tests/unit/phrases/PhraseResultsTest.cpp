// After the text of an all-phrases run: the exclusion by minimum occurrences, the
// redundant-subphrase exclusion (checked against the straightforward comparison of every
// entry with every other), the summary sentence in each of its forms, and the post-listing
// decision.

#include "phrases/PhraseResults.h"
#include "Golden.h"
#include "PhraseTestRig.h"
#include "ReportRig.h"

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
    for (const auto& [text, count] : phrases)
        for (std::int64_t i = 0; i < count; ++i)
            table.Count(text, FileScope::SingleSource, 0);
    table.SortAlphabetically();
}

std::vector<std::u16string> Included(const std::vector<WordEntry>& entries) {
    std::vector<std::u16string> out;
    for (const auto& e : entries)
        if (e.included)
            out.push_back(e.word);
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

// Excludes redundant subphrases from the table and from a copy by the reference, and compares.
void ExpectAsTheReference(WordTable& table, RunState& run, FakeHost& host, std::int64_t* excluded) {
    std::vector<WordEntry> reference = table.Entries();
    ReferenceExclusion(reference);
    ASSERT_TRUE(ExcludeRedundantSubphrases(table, run, host));
    EXPECT_EQ(Included(table), Included(reference));
    for (const auto& e : reference)
        *excluded += e.included ? 0 : 1;
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

// Phrases with their counts ("phrase=count" fields, "!" before an entry already excluded) => the
// phrases that stay, in alphabetical order; lines of tests/data/phrases/redundant.txt.
TEST(PhraseResultsTest, RedundantSubphrases) {
    test::ExpectCases("phrases/redundant.txt", "", [](const test::Row& f) {
        Counts phrases;
        std::vector<std::u16string> excluded;
        for (auto field : f) {
            const bool out = field[0] == u'!';
            const std::u16string phrase = field.substr(out, field.find(u'=') - out);
            phrases[phrase] = test::Number(field.substr(field.find(u'=') + 1));
            if (out)
                excluded.push_back(phrase);
        }
        WordTable table;
        Fill(table, phrases);
        for (std::int64_t i = 1; i <= table.Size(); ++i)
            table.Entry(i).included = std::ranges::count(excluded, table.Entry(i).word) == 0;
        RunState run;
        FakeHost host;
        EXPECT_TRUE(ExcludeRedundantSubphrases(table, run, host));
        std::u16string out;
        for (const auto& phrase : Included(table)) // the table is in alphabetical order
            out += (out.empty() ? u"" : u", ") + phrase;
        return out;
    });
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
                SCOPED_TRACE(testing::Message()
                             << minWords << " to " << maxWords << ", threshold " << threshold);
                ExpectAsTheReference(rig.table, rig.run, rig.host, &excluded);
            }
        }
    }
    EXPECT_GT(excluded, 0);
}

// Arbitrary tables (not from a text), so that containers need not have every intermediate
// phrase. Odd rounds spread the counts, so that many groups of equal count have two members.
TEST(PhraseResultsTest, FastExclusionMatchesTheReferenceOnGeneratedTables) {
    const std::vector<std::u16string> vocabulary = {u"x", u"y", u"xy", u"z", u"yx"};
    std::mt19937 rng(4242);
    std::int64_t excluded = 0;
    for (int round = 0; round < 40; ++round) {
        Counts phrases;
        std::uniform_int_distribution<int> len(1, 6);
        std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
        std::uniform_int_distribution<int> count(1, round % 2 == 0 ? 3 : 60);
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
        RunState run;
        FakeHost host;
        SCOPED_TRACE(testing::Message() << "round " << round);
        ExpectAsTheReference(table, run, host, &excluded);
    }
    EXPECT_GT(excluded, 0);
}

// ---- The summary sentence -------------------------------------------------------------------

// The sentence in each of its forms, compared with tests/data/phrases/summary.txt.
TEST(PhraseResultsTest, SummarySentence) {
    // Phrases found, words from and to, minimum occurrences, treatment of words to ignore
    // (0 none in force, 1 allow, 2 exclude only-ignored, 3 exclude containing, 4 remove) and
    // words in the longest phrase.
    const std::int64_t cases[][6] = {
        {3, 2, 2, 2, 0, 2}, {1, 2, 4, 5, 0, 3}, {0, 3, 3, 1, 0, 0},     {2, 1, 1, 3, 0, 1},
        {2, 2, 3, 2, 4, 3}, {2, 2, 2, 2, 3, 2}, {2, 2, 2, 2, 2, 2},     {2, 2, 2, 2, 1, 2},
        {0, 2, 5, 2, 3, 0}, {0, 2, 5, 2, 2, 0}, {4, 2, 6, 2, 0, 5},     {3, 2, 6, 2, 0, 5},
        {4, 3, 3, 2, 0, 3}, {4, 1, 3, 2, 0, 1}, {1234, 2, 2, 30, 0, 2},
    };
    test::Golden g("phrases/summary");
    for (const auto& c : cases) {
        PhraseOptions o;
        o.intMinNumWordsInPhrase = static_cast<int>(c[1]);
        o.intMaxNumWordsInPhrase = static_cast<int>(c[2]);
        o.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = c[4] == 1;
        o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = c[4] == 2;
        o.blnExcludePhrasesContainingAWordToIgnore = c[4] == 3;
        RunState run;
        run.blnThereAreWordsToIgnore = c[4] != 0;
        run.blnStripPhrases = c[4] == 4;
        run.intMFPThresholdFrequency = c[3];
        run.intNumWordsInLongestPhrase = static_cast<int>(c[5]);
        std::string name;
        for (const auto v : c)
            name += (name.empty() ? "" : " ") + std::to_string(v);
        g.Add(name, test::Narrow(HowManyPhrasesSentence(c[0], o, run)));
    }
    g.Check();
}

// After the listing: with phrases the sentence waits for the report and the window keeps its
// text; without, the sentence replaces the window's text and the phrase count's label.
TEST(PhraseResultsTest, PostListing) {
    const std::string
        one = "There is one phrase of 2 words which occurs at least twice.\n\n",
        none = "There are no phrases with 2 to 3 words which occur at least 3 times.\n\n";
    for (const int found : {1, 0}) {
        SCOPED_TRACE(found);
        test::ReportRig p;
        PhraseOptions o;
        o.intMinNumWordsInPhrase = 2;
        o.intMaxNumWordsInPhrase = p.run.intMFPThresholdFrequency = 3 - found;
        p.run.lngNumWordsIncluded = found;
        p.run.blnFilterWordFound = true;
        p.run.strHowManyPhrases = u"stale";
        p.tw.SetText(u"Processing . . .");
        p.host.labels["lblNumberOfWords"] = u"Number of phrases in this list: 0";
        EXPECT_EQ(PhrasePostListing(p.ctx, o), found == 1);
        EXPECT_EQ(test::Narrow(p.run.strHowManyPhrases), found ? one : "");
        EXPECT_EQ(test::Narrow(p.tw.Text()), found ? "Processing . . ." : none);
        if (found) {
            EXPECT_FALSE(p.run.blnFilterWordFound);
        } else {
            EXPECT_EQ(test::Narrow(p.host.textWindow), none);
            EXPECT_EQ(p.host.labels["lblNumberOfWords"], u"");
        }
    }
}

} // namespace
} // namespace lxty
