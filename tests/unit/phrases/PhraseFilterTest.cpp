// Phrase filtering: parsing the filter words, the three modes at word boundaries, and the
// filter button's relisting, including a listing in which no phrase passes.

#include "phrases/PhraseFilter.h"
#include "Golden.h"
#include "ReportRig.h"
#include "phrases/PhraseResults.h"
#include "settings/SettingsByName.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

using test::N;

// The filter box in normal form, then its words; lines of tests/data/phrases/filter.txt.
TEST(PhraseFilterTest, ParsingTheFilterWords) {
    test::ExpectCases("phrases/filter.txt", "Parse", [](const test::Row& f) {
        PhraseFilter filter;
        const std::u16string normal = filter.Parse(f.at(0));
        EXPECT_EQ(filter.Text(), normal);
        std::u16string out = u"\"" + normal + u"\"";
        for (const auto& word : filter.Words())
            out += u" [" + word + u"]";
        return out;
    });
}

TEST(PhraseFilterTest, TheBoxIsRewrittenInNormalForm) {
    Settings s;
    PhraseFilter f;
    s.FilterWords = u"Red, Car!";
    ParseFilterWords(s, f);
    EXPECT_EQ(s.FilterWords, u"red car");
    // Parsing an emptied box forgets the earlier words instead of bringing them back.
    s.FilterWords = u"";
    ParseFilterWords(s, f);
    EXPECT_EQ(s.FilterWords, u"");
    EXPECT_TRUE(f.Words().empty());
}

// Whether a phrase passes the filter in each mode; lines of tests/data/phrases/filter.txt.
TEST(PhraseFilterTest, Modes) {
    test::ExpectCases("phrases/filter.txt", "Modes", [](const test::Row& f) {
        Settings s;
        EXPECT_TRUE(SetFieldByName(s, u"FilterMode", f.at(0), nullptr));
        PhraseFilter filter;
        filter.Parse(f.at(1));
        return test::YesNo(filter.Passes(f.at(2), s.FilterMode));
    });
}

// ---- The filter button ------------------------------------------------------------------------

struct Listing : test::ReportRig {
    PhraseFilter filter;

    // A finished phrase run over the phrases with these counts.
    explicit Listing(const std::vector<std::pair<std::u16string, int>>& phrases) {
        settings.Source = SourceKind::OnClipboard;
        for (const auto& [p, n] : phrases)
            for (int i = 0; i < n; ++i)
                table.Count(p, FileScope::SingleSource, 0);
        run.blnCountingMFP = true;
        run.blnStartUpCompleted = true;
        run.blnWordsGot = true;
        run.intMinWidth = 8;
        run.intMFPThresholdFrequency = 1;
        table.SortAlphabetically();
        table.Summarize(run, host);
        table.BuildFrequencyChain(settings, run, host);
        PhraseOptions o;
        o.intMinNumWordsInPhrase = 2;
        o.intMaxNumWordsInPhrase = 2;
        EXPECT_TRUE(PhrasePostListing(ctx, o));
    }
};

// The filter button relists the count through the filter, compared with
// tests/data/phrases/filter_button.txt: the phrases that pass, or the line saying none does.
TEST(PhraseFilterTest, FilterButtonListsOnlyThePhrasesThatPass) {
    using M = FilterModeKind;
    const std::pair<M, int> cases[] = {{M::IncludeAllWords, 1},
                                       {M::IncludeAllWordsInSameOrder, 1},
                                       {M::IncludeAllWordsAsSubphrase, 1},
                                       {M::IncludeAllWords, 0},
                                       {M::IncludeAllWordsAsSubphrase, 0}};
    test::Golden g("phrases/filter_button");
    for (const auto& [mode, order] : cases) {
        for (const std::u16string words : {u"Car", u"zebra"}) {
            Listing l({{u"red car", 3}, {u"red carpet", 2}, {u"old car", 1}});
            l.settings.FilterMode = mode;
            l.settings.WordOrder = order;
            l.settings.FilterWords = words;
            ASSERT_TRUE(FilterButton(l.ctx, l.filter));
            EXPECT_EQ(words == u"Car", l.run.blnFilterWordFound);
            EXPECT_FALSE(l.run.blnFilteringPhrases);
            g.Add(N(words) + ", mode " + std::to_string(static_cast<int>(mode)) + ", order " +
                      std::to_string(order),
                  N(l.settings.FilterWords) + "\n" + N(l.tw.Text()));
        }
    }
    g.Check();
}

TEST(PhraseFilterTest, FilterButtonDoesNothingBeforeACountOrWithoutWords) {
    Listing l({{u"red car", 1}});
    l.tw.SetText(u"before");
    l.settings.FilterWords = u"  ";
    EXPECT_FALSE(FilterButton(l.ctx, l.filter));
    l.settings.FilterWords = u"car";
    l.run.blnWordsGot = false;
    EXPECT_FALSE(FilterButton(l.ctx, l.filter));
    l.run.blnWordsGot = true;
    l.run.blnStartUpCompleted = false;
    EXPECT_FALSE(FilterButton(l.ctx, l.filter));
    EXPECT_EQ(l.tw.Text(), u"before");
}

} // namespace
} // namespace lxty
