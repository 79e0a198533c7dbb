// Hostile text and lists for word extraction and patterns: lines full of "<", tags that are
// rejected expressions, more patterns than the tag cache holds, and a pattern that backtracks
// without end. Sized so that the old quadratic work would take minutes (see the time limit in
// tests/CMakeLists.txt); the cache is checked by the compilations it saves.

#include "engine/Patterns.h"
#include "engine/WordExtraction.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

struct CountingSink : WordSink {
    std::vector<std::u16string> words;
    void AddWordToList(const std::u16string& w) override { words.push_back(w); }
    void GetWords2(const std::u16string& w) override { words.push_back(w); }
    std::u16string StripPhrase(const std::u16string& w) override { return w; }
    void CheckForNonAlphaNumeric(const std::u16string&) override {}
};

std::vector<std::u16string> Extract(const std::u16string& line, bool listMode = false) {
    Settings settings;
    RunState state;
    Markup markup;
    test::FakeHost host;
    CountingSink sink;
    WordExtractor ex{settings, state, markup, host, sink};
    ex.SetAllowedExtraChars1();
    ex.SetAllowedExtraChars2();
    state.blnReadingWords = listMode;
    state.strLine = line;
    ex.ExtractWords();
    return sink.words;
}

std::u16string Repeat(std::u16string_view unit, std::size_t times, std::u16string_view tail = u"") {
    std::u16string s;
    s.reserve(unit.size() * times + tail.size());
    for (std::size_t i = 0; i < times; ++i)
        s += unit;
    return s + std::u16string(tail);
}

std::u16string Number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

TEST(HostileWords, LinesFullOfAngleBrackets) {
    // Every "a" of a megabyte of "a<" once searched the rest of the line for ">".
    const auto plain = Extract(Repeat(u"a<", 500'000, u" "));
    EXPECT_EQ(plain.size(), 500'000u);
    EXPECT_EQ(plain.front(), u"a");

    // With a ">" far away, every "<" once had the rest of the line compiled as an expression.
    // A tag longer than 1,000 characters is no pattern: its "<"s stay in the word, which stops
    // at the longest word (65,000 characters).
    const auto far = Extract(Repeat(u"a<", 100'000, u"a> "));
    ASSERT_EQ(far.size(), 4u);
    EXPECT_EQ(far[0], Repeat(u"a<", 32'500));
    EXPECT_EQ(far[2], far[0]);
    // Within 1,000 characters of the ">" the tag is tried, and it is a valid expression.
    EXPECT_EQ(far[3], Repeat(u"a<", 2'500, u"a>"));

    // Tags just short enough to be tried, each refused by the engine (an open parenthesis):
    // each is tried once per "<", and the tries are bounded by the tag length.
    const std::u16string group = Repeat(u"a<(", 330, u"a>");
    const auto refused = Extract(Repeat(group, 300, u" "));
    ASSERT_EQ(refused.size(), 300u * 331u);
    EXPECT_EQ(refused[0], u"a<");
    EXPECT_EQ(refused[330], u"a");

    // Both sides of the limit: a valid pattern of 1,000 characters is taken whole, one of
    // 1,001 gives up its "<" and the word goes on to the next character that is no letter.
    const std::u16string inner998 = u"[a-z]" + std::u16string(993, u'x');
    EXPECT_EQ(Extract(u"w<" + inner998 + u"> "),
              (std::vector<std::u16string>{u"w<" + inner998 + u">"}));
    EXPECT_EQ(Extract(u"w<" + inner998 + u"x> "),
              (std::vector<std::u16string>{u"w<", u"a-z", std::u16string(994, u'x')}));
}

TEST(HostileWords, ListPatternsStayCachedWhateverTheTextHolds) {
    std::vector<std::u16string> patterns;
    for (int i = 0; i < 5'000; ++i)
        patterns.push_back(u"<[a-z]*q" + Number(i) + u">");
    const auto before = PatternCompilations();
    int matches = 0;
    for (int round = 0; round < 3; ++round) {
        for (const auto& p : patterns)
            matches += RegExpMatch(u"aq17b", p, u"~", u"?", false);
        // Word extraction tests tags of the counted text: they must not push the lists out.
        for (int i = 0; i < 3'000; ++i)
            IsValidRegExp(u"<t" + Number(round * 3'000 + i) + u">");
    }
    EXPECT_EQ(matches, 3 * 2); // q1 and q17
    EXPECT_EQ(PatternCompilations() - before, 5'000u + 9'000u);
}

TEST(HostileWords, RunawayPatternIsNotedOnce) {
    TakeTooComplexMatch();
    const std::u16string text = std::u16string(40, u'a') + u"cb";
    bool error = false;
    EXPECT_FALSE(RegExpMatch(text, u"<(a|aa)+b>", u"~", u"?", false, &error));
    EXPECT_TRUE(error);
    EXPECT_TRUE(RegExpMatch(u"aab", u"<(a|aa)+b>", u"~", u"?", false, &error));
    EXPECT_FALSE(error);
    EXPECT_FALSE(RegExpMatch(text + u"a", u"<(aa|a)+b>", u"~", u"?", false));
    const TooComplexMatch first = TakeTooComplexMatch();
    EXPECT_EQ(first.entry, u"<(a|aa)+b>");
    EXPECT_EQ(first.text, text);
    EXPECT_EQ(TooComplexMessage(first),
              u"The pattern <(a|aa)+b> is too complex to match against '" + text + u"'");
    EXPECT_TRUE(TakeTooComplexMatch().entry.empty());
}

} // namespace
} // namespace lxty
