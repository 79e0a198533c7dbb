// Phrase filtering: parsing the filter words, the three modes at word boundaries, and the
// filter button's relisting, including a listing in which no phrase passes.

#include "phrases/PhraseFilter.h"
#include "Golden.h"
#include "ReportRig.h"
#include "phrases/PhraseResults.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

using test::N;

TEST(PhraseFilterTest, ParsingTheFilterWords) {
    struct Case {
        std::u16string box;
        std::u16string normal;
        std::vector<std::u16string> words;
    };
    const std::vector<Case> cases = {
        {u"Red, Car!", u"red car", {u"red", u"car"}},
        {u"  red   car  ", u"red car", {u"red", u"car"}},
        {u"don't STOP-me", u"don't stop-me", {u"don't", u"stop-me"}},
        {u"ÇA VA Œuvre été", u"ça va œuvre été", {u"ça", u"va", u"œuvre", u"été"}},
        {u"x÷y×z", u"x y z", {u"x", u"y", u"z"}},
        {u"route 66", u"route 66", {u"route", u"66"}},
        {u"a_b.c/d", u"a b c d", {u"a", u"b", u"c", u"d"}},
        {u"naïve Straße", u"naïve straße", {u"naïve", u"straße"}},
        {u"!!! ???", u"", {}},
        {u"", u"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(N(c.box));
        PhraseFilter f;
        EXPECT_EQ(N(f.Parse(c.box)), N(c.normal));
        EXPECT_EQ(f.Words(), c.words);
        EXPECT_EQ(f.Text(), c.normal);
    }
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

TEST(PhraseFilterTest, Modes) {
    using M = FilterModeKind;
    struct Case {
        std::u16string filter;
        M mode;
        std::u16string phrase;
        bool passes;
    };
    const std::vector<Case> cases = {
        // All filter words, at word boundaries.
        {u"car", M::IncludeAllWords, u"red car", true},
        {u"car", M::IncludeAllWords, u"red carpet", false},
        {u"car", M::IncludeAllWords, u"scar", false},
        {u"car", M::IncludeAllWords, u"scar car", true},
        {u"car", M::IncludeAllWords, u"car-park", false},
        {u"car", M::IncludeAllWords, u"Red CAR", true},
        {u"car", M::IncludeAllWords, u" \tred car\t ", true},
        {u"red car", M::IncludeAllWords, u"car is red", true},
        {u"red car", M::IncludeAllWords, u"red bus", false},
        // All filter words in the same order.
        {u"red car", M::IncludeAllWordsInSameOrder, u"red fast car", true},
        {u"red car", M::IncludeAllWordsInSameOrder, u"car is red", false},
        {u"red car", M::IncludeAllWordsInSameOrder, u"red car red", true},
        {u"red car", M::IncludeAllWordsInSameOrder, u"red carpet", false},
        {u"car", M::IncludeAllWordsInSameOrder, u"old car", true},
        {u"a b c", M::IncludeAllWordsInSameOrder, u"a b c", true},
        {u"a b c", M::IncludeAllWordsInSameOrder, u"a c b", false},
        // The filter text as a subphrase.
        {u"red car", M::IncludeAllWordsAsSubphrase, u"big red car", true},
        {u"red car", M::IncludeAllWordsAsSubphrase, u"red big car", false},
        {u"red car", M::IncludeAllWordsAsSubphrase, u"bred car", false},
        {u"red car", M::IncludeAllWordsAsSubphrase, u"red carpet", false},
        {u"red car", M::IncludeAllWordsAsSubphrase, u"bred car red car", true},
        {u"red car", M::IncludeAllWordsAsSubphrase, u"red car", true},
        {u"Red, Car!", M::IncludeAllWordsAsSubphrase, u"old red car", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(N(c.filter + u" / " + c.phrase));
        PhraseFilter f;
        f.Parse(c.filter);
        EXPECT_EQ(f.Passes(c.phrase, c.mode), c.passes);
    }
}

TEST(PhraseFilterTest, WithoutFilterWordsEveryPhrasePasses) {
    PhraseFilter f;
    for (auto mode : {FilterModeKind::IncludeAllWords, FilterModeKind::IncludeAllWordsInSameOrder,
                      FilterModeKind::IncludeAllWordsAsSubphrase})
        EXPECT_TRUE(f.Passes(u"any phrase", mode));
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
