// Angle-bracket patterns: recognising them, the admission rules and their messages (in
// tests/data/engine/patterns.txt), the bracket helpers, matching list entries with the old
// engine's dialect, lower-casing around patterns and the compiled-pattern cache.

#include "engine/Patterns.h"

#include "Transcript.h"
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

TEST(CheckPattern, GivesTheFirstFailingTestsCode) {
    // The examples of the admission rules; items that are not angle-bracket items (0); the
    // order of the tests: the engine first, then space, dot, whole anchor, "$", "^"; escaped
    // or bracketed anchors and dots; square brackets (an escaped "]" still counts in the
    // backward test), braces and parentheses.
    test::ExpectCases("engine/patterns.txt", "CheckPattern", [](const test::Row& f) {
        std::u16string inner;
        const int code = CheckPattern(f[0], &inner);
        EXPECT_EQ(P(inner), code ? P(f[0].substr(1, f[0].size() - 2)) : "") << P(f[0]);
        return std::to_string(code);
    });
}

TEST(ReportPatternCheck, ShowsOnlyRefusalsUnlessAskedWithEachCodesText) {
    test::FakeHost host;
    std::string shown;
    for (int code = -9; code <= 1; ++code)
        for (bool showAlways : {false, true}) {
            ReportPatternCheck(host, code, u"<x>", showAlways, u"Check", u"");
            shown += "code " + std::to_string(code) + (showAlways ? " always\n" : "\n") +
                     test::Shown(host);
        }
    ReportPatternCheck(host, -2, u"<a b>", false, u"Extra", u"The following line:\n<a b> x");
    test::ExpectSection("engine/patterns.txt", "ReportPatternCheck", shown + test::Shown(host));
}

TEST(PatternHelpers, AngleItemsAndBrackets) {
    test::ExpectCases("engine/patterns.txt", "IsAnglePattern", [](const test::Row& f) {
        std::u16string inner = u"stale";
        const bool is = IsAnglePattern(f[0], &inner);
        return (is ? "yes \"" : "no \"") + test::Escape(inner) + "\"";
    });
    test::ExpectCases("engine/patterns.txt", "IsInsideSquareBrackets", [](const test::Row& f) {
        return IsInsideSquareBrackets(f[0], std::stoi(U16ToUtf8(f[1]))) ? "yes" : "no";
    });
    test::ExpectCases("engine/patterns.txt", "HasUnescapedOutsideBrackets", [](const test::Row& f) {
        return HasUnescapedOutsideBrackets(f[0], f[1].at(0)) ? "yes" : "no";
    });
    test::ExpectCases("engine/patterns.txt", "BracketsMatch", [](const test::Row& f) {
        return BracketsMatch(f[0], f[1].at(0), f[1].at(1)) ? "yes" : "no";
    });
}

TEST(RegExpMatch, WildcardsPatternsCaseAndTheOldDialect) {
    test::ExpectCases("engine/patterns.txt", "RegExpMatch", [](const test::Row& f) {
        bool error = true;
        const bool match = RegExpMatch(f[0], f[1], u"~", u"?", f[2] == u"1", &error);
        EXPECT_FALSE(error) << U16ToUtf8(f[1]);
        return match ? "yes" : "no";
    });
    EXPECT_TRUE(IsValidRegExp(u"a" + std::u16string(1, u'\xD800')));
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
    for (const std::u16string valid :
         {u"[a-z]+ing",   u"(?:ab)+", u"a(?=b)", u"a(?!b)", u"a*?", u"a{2,3}?", u"a{",
          u"a{,2}",       u"x}",      u"]",      u"[]",     u"[^]", u"\\q",     u"\\Qa\\E",
          u"[[:alpha:]]", u"[\\d-z]", u"\\1(a)", u"\\c",    u"<b>", u""})
        EXPECT_TRUE(IsValidRegExp(valid)) << P(valid);
    // Refused there, and refused here though PCRE2 itself would take them; then refused by both.
    for (const std::u16string refused :
         {u"a*+", u"a++", u"a?+", u"a{2}+", u"(?<n>a)", u"(?i)a", u"(?#note)a", u"(?>a)",
          u"(?<=a)b", u"(*FAIL)", u"(*UCP)a", u"(ab", u"ab)", u"*a", u"a**", u"[b-a]", u"a{3,2}",
          u"ab\\", u"[ab"})
        EXPECT_FALSE(IsValidRegExp(refused)) << P(refused);
}

// Lower-casing around patterns: texts typed in a box keep their patterns as typed; list
// entries lose case everywhere but keep their escapes.
TEST(LowerCaseExceptRegexp, LeavesPatternsAsTyped) {
    test::ExpectCases("engine/patterns.txt", "LowerCase", [](const test::Row& f) {
        return test::Escape(f[0] == u"box" ? LowerCaseExceptRegexp(f[1])
                                           : LowerCaseListEntry(f[1]));
    });
    // The form the program's own message recommends keeps its meaning.
    EXPECT_TRUE(RegExpMatch(u"goeth", LowerCaseListEntry(u"<[\\S]+ETH>"), u"~", u"?", true));
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

} // namespace
} // namespace lxty
