// Angle-bracket patterns: recognising them, the admission rules and their messages (in
// tests/data/engine/patterns.txt), the bracket helpers, matching list entries with the old
// engine's dialect, lower-casing around patterns and the compiled-pattern cache. Then the list
// lookup: the wildcard pre-check and one entry against one text (cases in
// tests/data/engine/listmatch.txt), and the compiled matcher compared with a straightforward
// entry-by-entry lookup on generated lists and words.

#include "engine/ListMatch.h"
#include "engine/Patterns.h"

#include "Transcript.h"

#include <ostream>
#include <random>
#include <sstream>

namespace lxty {

// Failures name the outcome.
void PrintTo(MatchResult r, std::ostream* os) {
    *os << (r == MatchResult::Match     ? "Match"
            : r == MatchResult::NoMatch ? "NoMatch"
                                        : "PatternError");
}
void PrintTo(PreCheck r, std::ostream* os) {
    *os << (r == PreCheck::Match ? "Match" : r == PreCheck::NoMatch ? "NoMatch" : "Undecided");
}

namespace {

// ---------------------------------------------------------------------------------------------
// A straightforward lookup, written from the rules alone: every entry, in order, part by part,
// with the engine for every part.

std::vector<std::u16string> RefSplit(const std::u16string& s) {
    std::vector<std::u16string> parts(1);
    bool inside = false;
    for (char16_t c : s) {
        if (c == u'<')
            inside = true;
        if (c == u'>')
            inside = false;
        if (c == u'+' && !inside)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

int RefPreCheck(const std::u16string& text, std::u16string entry) { // 0 no, 1 yes, 2 undecided
    while (entry.find(u"~~") != std::u16string::npos)
        entry.replace(entry.find(u"~~"), 2, u"~");
    if (text.empty() || entry.empty())
        return 0;
    if (text.find(u'~') != std::u16string::npos || text.find(u'?') != std::u16string::npos)
        return 0;
    if (entry.find(u"~?") != std::u16string::npos)
        return 2;
    if (entry == u"~")
        return 1;
    if (entry == u"?" && text.size() == 1)
        return 1;
    if (entry.find(u'~') == std::u16string::npos && entry.find(u'?') == std::u16string::npos)
        return text == entry ? 1 : 0;
    return 2;
}

struct RefResult {
    MatchResult result = MatchResult::NoMatch;
    std::u16string inner;
};

RefResult ReferenceLookup(const std::u16string& word, const std::vector<std::u16string>& list,
                          bool caseSignificant) {
    RefResult out;
    if (word.empty() || list.empty())
        return out;
    for (const auto& rawEntry : list) {
        const std::u16string text = caseSignificant ? word : LowerCaseAll(word);
        const std::u16string entry = caseSignificant ? rawEntry : LowerCaseAll(rawEntry);
        const auto t = RefSplit(text);
        const auto e = RefSplit(entry);
        if (t.size() != e.size())
            continue;
        bool all = true;
        for (std::size_t i = 0; i < t.size() && all; ++i) {
            std::u16string inner;
            if (IsAnglePattern(e[i], &inner)) {
                if (!IsValidRegExp(e[i])) {
                    out.result = MatchResult::PatternError;
                    out.inner = inner;
                    return out;
                }
            } else if (RefPreCheck(t[i], e[i]) == 0) {
                all = false;
                break;
            }
            all = RegExpMatch(t[i], e[i], u"~", u"?", caseSignificant);
        }
        if (all) {
            out.result = MatchResult::Match;
            return out;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------

std::string Name(MatchResult r) {
    std::ostringstream out;
    PrintTo(r, &out);
    return out.str();
}

TEST(WildcardPreCheck, Table) {
    test::ExpectCases("engine/listmatch.txt", "WildcardPreCheck", [](const test::Row& f) {
        std::ostringstream out;
        PrintTo(WildcardPreCheck(f[0], f[1]), &out);
        return out.str();
    });
}

TEST(EntryMatch, WildcardsAndPatterns) {
    test::ExpectCases("engine/listmatch.txt", "EntryMatch", [](const test::Row& f) {
        std::u16string inner;
        const MatchResult r = EntryMatch(f[0], f[1], f[2] == u"1", &inner);
        return Name(r) + (r == MatchResult::PatternError ? " " + U16ToUtf8(inner) : "");
    });
}

// One compiled list against texts in turn: the first match or the first refused pattern wins,
// a repeated text gets its first answer again, and case folding follows the list's flag.
TEST(ListMatcher, Lookups) {
    test::ExpectCases("engine/listmatch.txt", "ListMatcher", [](const test::Row& f) {
        std::vector<std::u16string> list;
        if (f[1] != u"(none)")
            list = test::Fields(U16ToUtf8(f[1]), " ; ");
        const ListMatcher m(list, f[0] == u"1");
        std::string out;
        for (const auto& text : test::Fields(U16ToUtf8(f[2]), " ; ")) {
            std::u16string inner;
            const MatchResult r = m.Lookup(text, &inner);
            out += (out.empty() ? "\"" : ", \"") + test::Escape(text) + "\" " + Name(r) +
                   (r == MatchResult::PatternError ? " " + U16ToUtf8(inner) : "");
        }
        return out;
    });
    ListMatcher m({u"<(ab>", u"x"}, false); // compiling another list forgets the old answers
    EXPECT_EQ(m.Lookup(u"x"), MatchResult::PatternError);
    m.Compile({u"x"}, false);
    EXPECT_EQ(m.Lookup(u"x"), MatchResult::Match);
    m.Compile({u"x"}, true);
    EXPECT_EQ(m.Lookup(u"X"), MatchResult::NoMatch);
}

TEST(SplitPhraseParts, AngleItemsStayWhole) {
    test::ExpectCases("engine/listmatch.txt", "SplitPhraseParts", [](const test::Row& f) {
        std::string out = std::to_string(NumWordsInEntry(f[0])) + ":";
        for (const auto part : SplitPhraseParts(f[0]))
            out += " [" + U16ToUtf8(std::u16string(part)) + "]";
        return out;
    });
}

// The compiled matcher against the straightforward lookup on generated lists and texts.
TEST(ListMatcher, SameAnswersAsEntryByEntryLookup) {
    std::mt19937 rng(20261206);
    const std::vector<std::u16string> letters = {u"a", u"b", u"c",      u"t",     u"h", u"e",
                                                 u"é", u"É", u"K",      u"s",     u".", u"-",
                                                 u"'", u"1", u"\u212A", u"\u017F"};
    const std::vector<std::u16string> patterns = {u"<[a-z]+ing>", u"<a+b>", u"<(ab>",
                                                  u"<(ab>",       u"<^th>", u"<e\\.>",
                                                  u"<[éa]>",      u"<K>",   u"<\\d>"};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    auto word = [&](bool markers) {
        std::u16string w;
        const std::size_t len = pick(4) + (markers ? 0 : 1);
        for (std::size_t i = 0; i < len; ++i) {
            if (markers && pick(4) == 0)
                w += pick(2) ? u"~" : u"?";
            else
                w += letters[pick(letters.size())];
        }
        if (markers && w.empty())
            w = u"~";
        return w;
    };
    auto entry = [&]() {
        std::u16string e;
        const std::size_t parts = pick(3) + 1;
        for (std::size_t p = 0; p < parts; ++p) {
            if (p)
                e += u"+";
            const std::size_t kind = pick(10);
            if (kind == 0)
                e += patterns[pick(patterns.size())];
            else if (kind < 5)
                e += word(true);
            else
                e += word(false);
        }
        return e;
    };
    auto text = [&]() {
        std::u16string t;
        const std::size_t parts = pick(3) + 1;
        for (std::size_t p = 0; p < parts; ++p) {
            if (p)
                t += u"+";
            t += pick(12) == 0 ? word(true) : word(false);
        }
        return t;
    };

    int compared = 0, matched = 0, errors = 0;
    for (int round = 0; round < 60; ++round) {
        std::vector<std::u16string> list;
        const std::size_t n = pick(12);
        for (std::size_t i = 0; i < n; ++i)
            list.push_back(entry());
        for (bool cs : {false, true}) {
            const ListMatcher matcher(list, cs);
            for (int k = 0; k < 60; ++k) {
                // Texts drawn from the list itself find the exact entries too.
                const std::u16string t =
                    (!list.empty() && pick(4) == 0) ? list[pick(list.size())] : text();
                const RefResult expected = ReferenceLookup(t, list, cs);
                std::u16string inner;
                const MatchResult got = matcher.Lookup(t, &inner);
                ASSERT_EQ(got, expected.result)
                    << "text " << U16ToUtf8(t) << " case " << cs << " round " << round;
                EXPECT_EQ(got == MatchResult::PatternError ? inner : u"", expected.inner);
                ++compared;
                matched += got == MatchResult::Match;
                errors += got == MatchResult::PatternError;
            }
        }
    }
    // The generator must exercise every outcome, or the comparison proves little.
    EXPECT_GT(matched, 200);
    EXPECT_GT(errors, 20);
    EXPECT_EQ(compared, 60 * 2 * 60);
}

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

// Matches with "~" and "?" or the markers given ("*%": with them "~" and "?" are ordinary
// expression characters); an expression the engine refuses is no match with the error flag.
TEST(RegExpMatch, WildcardsPatternsCaseAndTheOldDialect) {
    test::ExpectCases("engine/patterns.txt", "RegExpMatch", [](const test::Row& f) {
        const std::u16string any = f.size() > 3 ? f[3].substr(0, 1) : u"~";
        const std::u16string one = f.size() > 3 ? f[3].substr(1) : u"?";
        bool error = true;
        const bool match = RegExpMatch(f[0], f[1], any, one, f[2] == u"1", &error);
        EXPECT_EQ(match, RegExpMatch(f[0], f[1], any, one, f[2] == u"1")) << U16ToUtf8(f[1]);
        return std::string(match ? "yes" : "no") + (error ? " (error)" : "");
    });
}

// The old engine's dialect: what it accepted, and what it refused though PCRE2 takes it.
TEST(RegExpDialect, AcceptsWhatTheOldEngineAccepted) {
    test::ExpectCases("engine/patterns.txt", "IsValidRegExp",
                      [](const test::Row& f) { return IsValidRegExp(f[0]) ? "valid" : "refused"; });
    EXPECT_TRUE(IsValidRegExp(u""));
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
