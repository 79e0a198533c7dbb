#include "engine/Patterns.h"

#include "FakeHost.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

// Printable UTF-8 form of a UTF-16 text, for failure messages.
std::string P(std::u16string_view s) {
    return U16ToUtf8(s);
}

TEST(IsAnglePattern, RecognisesBracketedTextOfMoreThanTwoCharacters) {
    struct Case {
        std::u16string text;
        bool expected;
        std::u16string inner;
    };
    const std::vector<Case> cases = {
        {u"<a>", true, u"a"},   {u"<[a-z]+ing>", true, u"[a-z]+ing"},
        {u"<<>>", true, u"<>"}, {u"<>", false, u""},
        {u"<", false, u""},     {u"", false, u""},
        {u"<a", false, u""},    {u"a>", false, u""},
        {u" <a>", false, u""},  {u"<a> ", false, u""},
    };
    for (const auto& c : cases) {
        std::u16string inner = u"stale";
        EXPECT_EQ(c.expected, IsAnglePattern(c.text, &inner)) << P(c.text);
        EXPECT_EQ(P(c.inner), P(inner)) << P(c.text);
    }
}

TEST(CheckPattern, GivesTheFirstFailingTestsCode) {
    struct Case {
        std::u16string text;
        int expected;
    };
    const std::vector<Case> cases = {
        // the examples of the admission rules
        {u"<[a-z]+ing>", 1},
        {u"<^ing>", -6},
        {u"<ing$>", -5},
        {u"<^ing$>", -4},
        {u"<e.g>", -3},
        {u"<e\\.g>", 1},
        {u"<a b>", -2},
        {u"<(ab>", -1},
        {u"<[a]>", 1},
        {u"<x(a(b)c)>", -9},
        // not an angle-bracket item
        {u"word", 0},
        {u"<>", 0},
        {u"<ab", 0},
        // order: the engine first, then space, dot, whole anchor, "$", "^"
        {u"<(a b>", -1},
        {u"<a .>", -2},
        {u"<^a.b$>", -3},
        {u"<^a$b>", -5},
        {u"<a$^>", -5},
        {u"<.a>", -3},
        {u"<$a>", -5},
        // escaped or bracketed anchors and dots are admitted
        {u"<a\\$>", 1},
        {u"<a\\^>", 1},
        {u"<[.]x>", 1},
        {u"<x[$]>", 1},
        {u"<x[^a]>", 1},
        {u"<[\\S]ing>", 1},
        // square brackets
        {u"<a]>", -7},
        {u"<[a][[b]>", -7},
        {u"<e\\[g>", 1},
        {u"<e\\]g>", 1},
        {u"<[\\]]>", -7}, // the escaped "]" still counts in the backward test
        // braces
        {u"<a{2>", -8},
        {u"<a}>", -8},
        {u"<a{2}>", 1},
        {u"<a{1,3}b>", 1},
        {u"<a\\{2>", 1},
        // parentheses
        {u"<a(b)c>", 1},
        {u"<(a)(b)>", 1},
        {u"<a\\(b>", 1},
        {u"<a)b(>", -1},
    };
    for (const auto& c : cases) {
        std::u16string inner;
        EXPECT_EQ(c.expected, CheckPattern(c.text, &inner)) << P(c.text);
        if (c.expected != 0)
            EXPECT_EQ(P(c.text.substr(1, c.text.size() - 2)), P(inner)) << P(c.text);
        else
            EXPECT_EQ("", P(inner)) << P(c.text);
    }
}

TEST(ReportPatternCheck, ShowsEachCodesTextUnderTheItem) {
    const std::u16string item = u"<x>";
    struct Case {
        int code;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {-9, u"contains one or more non-matching parentheses."},
        {-8, u"contains one or more non-matching braces."},
        {-7, u"contains one or more non-matching square brackets."},
        {-6, u"contains an unescaped '^' outside square brackets."},
        {-5, u"contains an unescaped '$' outside square brackets.\r\nPerhaps use '\\$' instead."},
        {-4, u"is of the form '^...$' -- not admissible in this program.'"},
        {-3, u"contains an unescaped '.' outside square brackets.\r\nPerhaps use '[\\S]' instead "
             u"of '.'."},
        {-2, u"contains a space -- inadmissible in this program."},
        {-1, u"is not a valid regular expression."},
        {0, u"Not a LXTY-regexp."},
        {1, u"is valid and is LXTY-admissible."},
    };
    for (const auto& c : cases) {
        test::FakeHost host;
        ReportPatternCheck(host, c.code, item, true, u"Check", u"");
        ASSERT_EQ(1u, host.messages.size()) << c.code;
        EXPECT_EQ(P(item + u"\r\n" + c.text), P(host.messages[0].text)) << c.code;
        EXPECT_EQ(P(u"Check"), P(host.messages[0].title));
        EXPECT_EQ(MsgIcon::Information, host.messages[0].icon);
        EXPECT_FALSE(host.messages[0].question);
    }
}

TEST(ReportPatternCheck, ShowsOnlyRefusalsUnlessAskedAndAddsTheTrailer) {
    struct Case {
        int code;
        bool showAlways;
        bool shown;
    };
    const std::vector<Case> cases = {
        {-9, false, true}, {-1, false, true}, {0, false, false},
        {1, false, false}, {0, true, true},   {1, true, true},
    };
    for (const auto& c : cases) {
        test::FakeHost host;
        ReportPatternCheck(host, c.code, u"<a b>", c.showAlways, u"T", u"");
        EXPECT_EQ(c.shown ? 1u : 0u, host.messages.size()) << c.code << " " << c.showAlways;
    }

    test::FakeHost host;
    const std::u16string title = u"Extra count-only words/phrases: inadmissible regular expression";
    ReportPatternCheck(host, -2, u"<a b>", false, title,
                       u"The following line will be ignored:\r\n<a b> word");
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(P(u"<a b>\r\ncontains a space -- inadmissible in this program.\r\n"
                u"The following line will be ignored:\r\n<a b> word"),
              P(host.messages[0].text));
    EXPECT_EQ(P(title), P(host.messages[0].title));
}

TEST(IsInsideSquareBrackets, HoldsOnlyBetweenTheSecondAndTheLastPosition) {
    struct Case {
        std::u16string text;
        std::int64_t position;
        bool expected;
    };
    const std::vector<Case> cases = {
        {u"[ab]", 0, false},  {u"[ab]", 1, false}, // the first position is never inside
        {u"[ab]", 2, true},   {u"[ab]", 3, true},   {u"[ab]", 4, false}, // nor the last
        {u"[ab]", 5, false},  {u"[.]", 2, true},    {u"a[b]c", 3, true},
        {u"a[b]c", 2, false}, {u"a[b]c", 4, false}, {u"[a]b[c]", 4, false}, // between two classes
        {u"[a[b]", 2, false}, // a "[" before the first "]" on the right
        {u"[a", 2, false},    {u"a]", 1, false},    {u"x.]", 2, false}, // no "[" on the left
        {u"[.x", 2, false},                                             // no "]" on the right
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsInsideSquareBrackets(c.text, c.position))
            << P(c.text) << " @" << c.position;
}

TEST(HasUnescapedOutsideBrackets, FindsOnlyBareOccurrencesOutsideClasses) {
    struct Case {
        std::u16string text;
        char16_t c;
        bool expected;
    };
    const std::vector<Case> cases = {
        {u"ab", u'.', false},     {u".a", u'.', true},      {u"a.b", u'.', true},
        {u"a\\.b", u'.', false},  {u"a[.]b", u'.', false},  {u"\\.a.b", u'.', true},
        {u"[ab].", u'.', true},   {u"[.]\\.", u'.', false}, {u"ing$", u'$', true},
        {u"ing\\$", u'$', false}, {u"[^a]", u'^', false},   {u"^a", u'^', true},
        {u"a[b]c^", u'^', true},  {u"", u'.', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, HasUnescapedOutsideBrackets(c.text, c.c))
            << P(c.text) << " " << static_cast<char>(c.c);
}

TEST(BracketsMatch, NeedsBothDirectionsWithoutNesting) {
    struct Case {
        std::u16string text;
        char16_t open;
        char16_t close;
        bool expected;
    };
    const std::vector<Case> cases = {
        {u"", u'[', u']', true},       {u"abc", u'[', u']', true},
        {u"[a]", u'[', u']', true},    {u"[a][b]", u'[', u']', true},
        {u"[a", u'[', u']', false},    {u"a]", u'[', u']', false},
        {u"[[a]]", u'[', u']', false}, {u"[a]]", u'[', u']', false},
        {u"\\[a", u'[', u']', true},   {u"a\\]", u'[', u']', true},
        {u"(a)(b)", u'(', u')', true}, {u"x(a(b)c)", u'(', u')', false},
        {u"(a))", u'(', u')', false},  {u"a{2}b{3}", u'{', u'}', true},
        {u"a{2", u'{', u'}', false},   {u"a}", u'{', u'}', false},
        {u"[x)", u'(', u')', false},   {u"][", u'[', u']', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, BracketsMatch(c.text, c.open, c.close)) << P(c.text);
}

struct MatchCase {
    std::u16string text;
    std::u16string entry;
    bool caseSignificant;
    bool expected;
};

void ExpectMatches(const std::vector<MatchCase>& cases) {
    for (const auto& c : cases) {
        bool error = true;
        EXPECT_EQ(c.expected, RegExpMatch(c.text, c.entry, u"~", u"?", c.caseSignificant, &error))
            << P(c.entry) << " on " << P(c.text) << (c.caseSignificant ? " (case)" : "");
        EXPECT_FALSE(error) << P(c.entry) << " on " << P(c.text);
    }
}

TEST(RegExpMatch, AnglePatternsSearchAnywhereInTheWord) {
    ExpectMatches({
        {u"singing", u"<[a-z]+ing>", false, true},
        {u"kingdom", u"<[a-z]+ing>", false, true},
        {u"ingot", u"<[a-z]+ing>", false, false},
        {u"e.g", u"<e\\.g>", false, true},
        {u"eag", u"<e\\.g>", false, false},
        {u"a", u"<[\\S]>", false, true},
        {u"xyz", u"<y>", false, true},
        {u"xyz", u"<w>", false, false},
    });
}

TEST(RegExpMatch, WildcardEntriesMatchTheWholeWord) {
    ExpectMatches({
        {u"cat", u"c?t", false, true},
        {u"coat", u"c?t", false, false},
        {u"ct", u"c?t", false, false},
        {u"singing", u"~ing", false, true},
        {u"ing", u"~ing", false, true},
        {u"ingot", u"~ing", false, false},
        {u"kingdom", u"~ing~", false, true},
        {u"anything", u"~", false, true},
        {u"", u"~", false, true},
        {u"cat", u"cat", false, true},
        {u"cats", u"cat", false, false},
        {u"scat", u"cat", false, false},
        {u"cat", u"c.t", false, true}, // other characters keep their meaning
        {u"caat", u"ca+t", false, true},
    });
}

TEST(RegExpMatch, OtherMarkersAreConvertedTheSameWay) {
    bool error = true;
    EXPECT_TRUE(RegExpMatch(u"cat", u"c%t", u"*", u"%", false, &error));
    EXPECT_FALSE(error);
    EXPECT_FALSE(RegExpMatch(u"coat", u"c%t", u"*", u"%", false, &error));
    EXPECT_TRUE(RegExpMatch(u"walking", u"*ing", u"*", u"%", false, &error));
    EXPECT_TRUE(RegExpMatch(u"whatever", u"*", u"*", u"%", false, &error));
    // with other markers "~" and "?" are ordinary expression characters
    EXPECT_TRUE(RegExpMatch(u"ct", u"c?t", u"*", u"%", false, &error));
    EXPECT_FALSE(error);
}

TEST(RegExpMatch, CaseIsIgnoredUnlessSignificant) {
    ExpectMatches({
        {u"abc", u"<ABC>", false, true},
        {u"abc", u"<ABC>", true, false},
        {u"ABC", u"<ABC>", true, true},
        {u"CAT", u"c?t", false, true},
        {u"CAT", u"c?t", true, false},
        {u"é", u"<É>", false, true}, // accented letters fold too
        {u"é", u"<É>", true, false},
        {u"ÇA", u"ça", false, true},
        {u"straße", u"<STRASSE>", false, false}, // one letter for one letter only
    });
}

TEST(RegExpMatch, AnExpressionTheEngineRefusesIsNoMatchWithTheErrorFlag) {
    struct Case {
        std::u16string text;
        std::u16string entry;
    };
    const std::vector<Case> cases = {
        {u"ab", u"<(ab>"}, {u"ab", u"<a**>"}, {u"ab", u"(a~"}, {u"ab", u"a[b"}, {u"ab", u"<ab\\>"},
    };
    for (const auto& c : cases) {
        bool error = false;
        EXPECT_FALSE(RegExpMatch(c.text, c.entry, u"~", u"?", false, &error)) << P(c.entry);
        EXPECT_TRUE(error) << P(c.entry);
        EXPECT_FALSE(RegExpMatch(c.text, c.entry, u"~", u"?", false)) << P(c.entry);
    }
    bool error = true;
    EXPECT_FALSE(RegExpMatch(u"xyz", u"<ab>", u"~", u"?", false, &error));
    EXPECT_FALSE(error); // a plain miss is no error
}

// The old engine's dialect: what it accepted, what it refused, and what each construct meant.
TEST(RegExpDialect, AcceptsWhatTheOldEngineAccepted) {
    struct Case {
        std::u16string pattern;
        bool valid;
    };
    const std::vector<Case> cases = {
        {u"[a-z]+ing", true},
        {u"(?:ab)+", true},
        {u"a(?=b)", true},
        {u"a(?!b)", true},
        {u"a*?", true},
        {u"a{2,3}?", true},
        {u"a{", true},
        {u"a{,2}", true},
        {u"x}", true},
        {u"]", true},
        {u"[]", true},
        {u"[^]", true},
        {u"\\q", true},
        {u"\\Qa\\E", true},
        {u"[[:alpha:]]", true},
        {u"[\\d-z]", true},
        {u"\\1(a)", true},
        {u"\\c", true},
        {u"<b>", true},
        {u"", true},
        // refused there, and refused here though PCRE2 itself would take them
        {u"a*+", false},
        {u"a++", false},
        {u"a?+", false},
        {u"a{2}+", false},
        {u"(?<n>a)", false},
        {u"(?i)a", false},
        {u"(?#note)a", false},
        {u"(?>a)", false},
        {u"(?<=a)b", false},
        {u"(*FAIL)", false},
        {u"(*UCP)a", false},
        // refused by both
        {u"(ab", false},
        {u"ab)", false},
        {u"*a", false},
        {u"a**", false},
        {u"[b-a]", false},
        {u"a{3,2}", false},
        {u"ab\\", false},
        {u"[ab", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, IsValidRegExp(c.pattern)) << P(c.pattern);
}

TEST(RegExpDialect, ConstructsKeepTheOldMeaning) {
    ExpectMatches({
        // unknown escapes stand for the letter itself
        {u"q", u"<\\q>", true, true},
        {u"h", u"<^\\h$>", true, true},
        {u" ", u"<\\h>", true, false},
        {u"QaE", u"<\\Qa\\E>", true, true},
        {u"A", u"<\\A>", true, true},
        // "\v" is the vertical tab only
        {u"\v", u"<\\v>", true, true},
        {u"\n", u"<\\v>", true, false},
        // hex, unicode and octal escapes
        {u"A", u"<\\x41>", true, true},
        {u"xZ", u"<\\xZ>", true, true},
        {u"é", u"<\\u00e9>", true, true},
        {u"uZ", u"<\\uZ>", true, true},
        {u"😀", u"<^\\ud83d\\ude00$>", true, true},
        {u"A", u"<\\101>", true, true},
        // back references only after that many groups, octal otherwise
        {u"aa", u"<(a)\\1>", true, true},
        {u"ab", u"<(a)\\1>", true, false},
        {u"\x01"
         u"a",
         u"<\\1(a)>", true, true},
        {u"a8", u"<a\\8>", true, true},
        {u"aa0", u"<(a)\\10>", true, true},
        // a back reference to a group that took no part matches the empty text
        {u"b", u"<^(?:(a)|b)\\1$>", true, true},
        // classes
        {u"[", u"<[[]>", true, true},
        {u"a]", u"<[[:alpha:]]>", true, true},
        {u"b", u"<[[:alpha:]]>", true, false},
        {u"-", u"<[\\d-z]>", true, true},
        {u"5", u"<[\\d-z]>", true, true},
        {u"m", u"<[\\d-z]>", true, false},
        {u"m", u"<[a-z]>", true, true},
        {u"x", u"<x[]>", true, false},
        {u"xy", u"<x[^]>", true, true},
        {u"\b", u"<[\\b]>", true, true},
        // literal braces and ASCII-only classes
        {u"a{", u"<a{>", true, true},
        {u"aa", u"<^a{2}$>", true, true},
        {u"a{,2}", u"<a{,2}>", true, true},
        {u"é", u"<\\w>", false, false},
        {u"\u00a0", u"<\\s>", false, false},
        {u"\\c", u"<\\c>", true, true},
        {u"\x01", u"<\\cA>", true, true},
        // "$" ends the text only
        {u"ing\n", u"<ing$>", true, false},
        {u"ing", u"<ing$>", true, true},
    });
}

TEST(RegExpDialect, TextThatIsNotWellFormedUtf16IsStillHandled) {
    const std::u16string lone(1, u'\xD800');
    ExpectMatches({
        {u"a" + lone, u"<a>", false, true},
        {lone, u"<" + lone + u">", false, true},
        {u"x" + lone, u"<\\ud800>", true, true},
    });
    EXPECT_TRUE(IsValidRegExp(u"a" + lone));
}

TEST(LowerCaseExceptRegexp, LeavesPatternsAsTyped) {
    struct Case {
        std::u16string text;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"", u""},
        {u"Apple, <[A-Z]+> Pear", u"apple, <[A-Z]+> pear"},
        {u"Word <Open", u"word <open"},
        {u"Word Open>", u"word open>"},
        {u"<[A-Z]+>", u"<[A-Z]+>"},
        {u"<A> B <C>", u"<A> b <C>"},
        {u"X <A> Y <B", u"x <A> y <b"},
        {u">A<", u">a<"},
        {u"A>B<C>D", u"a>b<C>d"},
        {u"ÀÉ Ÿ", u"àé ÿ"},
        {u"ÀB <ÀB> ÀB", u"àb <ÀB> àb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(P(c.expected), P(LowerCaseExceptRegexp(c.text))) << P(c.text);
}

TEST(PatternCache, RepeatedCallsGiveTheSameResults) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        // the same expression under both case flags is two compiled patterns
        EXPECT_FALSE(RegExpMatch(u"abc", u"<ABC>", u"~", u"?", true));
        EXPECT_TRUE(RegExpMatch(u"abc", u"<ABC>", u"~", u"?", false));
        EXPECT_TRUE(IsValidRegExp(u"ABC"));
        // an angle entry and a wildcard entry with the same text are cached apart
        EXPECT_TRUE(RegExpMatch(u"xaby", u"<ab>", u"~", u"?", false));
        EXPECT_FALSE(RegExpMatch(u"xaby", u"ab", u"~", u"?", false));
        bool error = false;
        EXPECT_FALSE(RegExpMatch(u"ab", u"<(ab>", u"~", u"?", false, &error));
        EXPECT_TRUE(error);
        EXPECT_EQ(-1, CheckPattern(u"<(ab>"));
        EXPECT_EQ(1, CheckPattern(u"<[a-z]+ing>"));
    }
}

TEST(PatternCache, StaysRightPastItsSize) {
    // More distinct expressions than the cache keeps: it starts afresh and still answers.
    for (int i = 0; i < 10000; ++i) {
        const std::u16string n = Utf8ToU16(std::to_string(i));
        ASSERT_TRUE(IsValidRegExp(u"<x" + n + u">")) << i;
        ASSERT_FALSE(IsValidRegExp(u"(" + n)) << i;
    }
    EXPECT_TRUE(RegExpMatch(u"x17", u"<x17>", u"~", u"?", false));
    EXPECT_TRUE(RegExpMatch(u"x9999y", u"<x9999>", u"~", u"?", false));
    EXPECT_FALSE(RegExpMatch(u"x9998", u"<x9999>", u"~", u"?", false));

    // Long tags fill the cache by their length before their number.
    const std::u16string filler(2000, u'a');
    for (int i = 0; i < 600; ++i) {
        const std::u16string n = Utf8ToU16(std::to_string(i));
        ASSERT_TRUE(IsValidRegExp(u"<" + filler + n + u">")) << i;
    }
    EXPECT_TRUE(RegExpMatch(filler + u"17", u"<a17>", u"~", u"?", false));
    EXPECT_TRUE(IsValidRegExp(u"<" + filler + u"0>"));
}

TEST(PatternsTest, ListEntriesLoseCaseButNotTheirEscapes) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"<[\\S]+ETH>", u"<[\\S]+eth>"},
        {u"Go+<\\W\\D\\B>+ÉTÉ", u"go+<\\W\\D\\B>+été"},
        {u"\\S outside a pattern", u"\\s outside a pattern"},
        {u"<\\\\S>", u"<\\\\s>"}, // an escaped backslash, then a plain S
        {u"<A\\>", u"<a\\>"},     // a backslash before ">" escapes nothing here
        {u"<open", u"<open"},
        {u"", u""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(LowerCaseListEntry(in), out);
    // The form the program's own message recommends keeps its meaning.
    EXPECT_TRUE(RegExpMatch(u"goeth", LowerCaseListEntry(u"<[\\S]+ETH>"), u"~", u"?", true));
}

} // namespace
} // namespace lxty
