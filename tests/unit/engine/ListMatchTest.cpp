// The list lookup: the wildcard pre-check and one entry against one text (cases in
// tests/data/engine/listmatch.txt), and the compiled matcher compared with a straightforward
// entry-by-entry lookup on generated lists and words.

#include "engine/ListMatch.h"
#include "engine/Patterns.h"
#include "util/StringUtils.h"

#include "Transcript.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

TEST(ListMatcher, FirstMatchOrFirstPatternErrorWins) {
    // The refused pattern comes before the exact entry: the lookup ends with the error.
    ListMatcher errorFirst({u"<(ab>", u"x"}, false);
    std::u16string inner;
    EXPECT_EQ(errorFirst.Lookup(u"x", &inner), MatchResult::PatternError);
    EXPECT_EQ(inner, u"(ab");
    // The exact entry comes first: found, the pattern is never tried.
    ListMatcher exactFirst({u"x", u"<(ab>"}, false);
    EXPECT_EQ(exactFirst.Lookup(u"x"), MatchResult::Match);
    EXPECT_EQ(exactFirst.Lookup(u"y"), MatchResult::PatternError);
    // A phrase entry with a refused pattern does not disturb one-word lookups.
    ListMatcher phrase({u"big+<(ab>", u"dog"}, false);
    EXPECT_EQ(phrase.Lookup(u"dog"), MatchResult::Match);
    EXPECT_EQ(phrase.Lookup(u"big+cat"), MatchResult::PatternError);
    EXPECT_EQ(phrase.Lookup(u"small+cat"), MatchResult::NoMatch);
}

TEST(ListMatcher, RepeatedLookupsGiveTheFirstAnswerAgain) {
    // Answers are remembered per text; a remembered pattern error still names its pattern,
    // and compiling another list forgets what the old one answered.
    ListMatcher m({u"<(ab>", u"x"}, false);
    for (int round = 0; round < 3; ++round) {
        std::u16string inner;
        EXPECT_EQ(m.Lookup(u"x", &inner), MatchResult::PatternError) << round;
        EXPECT_EQ(inner, u"(ab") << round;
        EXPECT_EQ(m.Lookup(u"X"), MatchResult::PatternError) << round;
    }
    m.Compile({u"x"}, false);
    EXPECT_EQ(m.Lookup(u"x"), MatchResult::Match);
    EXPECT_EQ(m.Lookup(u"y"), MatchResult::NoMatch);
    m.Compile({u"x"}, true);
    EXPECT_EQ(m.Lookup(u"X"), MatchResult::NoMatch);
}

TEST(ListMatcher, EmptyTextOrListFindsNothing) {
    EXPECT_EQ(ListMatcher({u"~"}, false).Lookup(u""), MatchResult::NoMatch);
    EXPECT_EQ(ListMatcher({}, false).Lookup(u"a"), MatchResult::NoMatch);
    EXPECT_EQ(ListMatcher({u"~"}, false).Lookup(u"a"), MatchResult::Match);
}

TEST(ListMatcher, CaseFlag) {
    EXPECT_EQ(ListMatcher({u"Apple"}, false).Lookup(u"APPLE"), MatchResult::Match);
    EXPECT_EQ(ListMatcher({u"Apple"}, true).Lookup(u"APPLE"), MatchResult::NoMatch);
    EXPECT_EQ(ListMatcher({u"Apple"}, true).Lookup(u"Apple"), MatchResult::Match);
    EXPECT_EQ(ListMatcher({u"App~"}, true).Lookup(u"apple"), MatchResult::NoMatch);
    EXPECT_EQ(ListMatcher({u"App~"}, false).Lookup(u"APPLE"), MatchResult::Match);
    EXPECT_EQ(ListMatcher({u"<ÉTÉ>"}, false).Lookup(u"l'été"), MatchResult::Match);
    // Case-blind matching folds the Kelvin sign to "k" and the long s to "s", also when the
    // text begins with them.
    for (const std::u16string text : {u"\u212Aelvin", u"\u017Fun"}) {
        const std::vector<std::u16string> list{u"k~", u"s?n"};
        EXPECT_EQ(ListMatcher(list, false).Lookup(text), ReferenceLookup(text, list, false).result)
            << U16ToUtf8(text);
        EXPECT_EQ(ListMatcher(list, true).Lookup(text), MatchResult::NoMatch) << U16ToUtf8(text);
    }
}

TEST(SplitPhraseParts, AngleItemsStayWhole) {
    const auto parts = SplitPhraseParts(u"big+<[a-z]+ing>+dog");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(std::u16string(parts[1]), u"<[a-z]+ing>");
    EXPECT_EQ(NumWordsInEntry(u"big+<[a-z]+ing>+dog"), 3);
    EXPECT_EQ(NumWordsInEntry(u"<a+b>"), 1);
    EXPECT_EQ(NumWordsInEntry(u"a"), 1);
    EXPECT_EQ(NumWordsInEntry(u"a+"), 2);
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

} // namespace
} // namespace lxty
