#pragma once
// The rig of the run tests that compare a fast way of counting with the simple one: text that
// reaches the rules inside and around words, everything a count leaves behind in one
// comparable record, and the settings that change what a piece of text yields.

#include "ReportRig.h"
#include "engine/WordsToIgnore.h"
#include "run/CountRun.h"

#include <functional>
#include <random>

namespace lxty::test {

// Lines of tokens reaching every rule that works inside a piece: capitals, plurals and
// possessives, apostrophes, hyphen pairs (also at the start of a line, where they stay),
// comment-like hyphens, punctuation, digits, accented and non-Latin letters, tabs, no-break
// spaces, control characters, pieces longer than eight units, words of 120 letters and, with
// longLines, now and then a word longer than the longest word allowed.
inline std::string MixedText(unsigned seed, int lines, bool longLines = true) {
    // clang-format off
    static const std::vector<std::string> tokens = {
        "the", "The", "THE", "and", "And", "of", "said,", "said.", "said;", "\"said\"", "(the",
        "end)", "LORD", "Lord's", "John's", "flies", "fly", "wishes", "mice", "children's",
        "don't", "couldn't", "it's", "o'clock", "'tis", "--", "a--b", "word--", "--word", "<!--",
        "-->", "well-known", "-", "---", "123", "4th", "x2", "caf\xc3\xa9", "Caf\xc3\xa9s",
        "\xc3\x91" "and\xc3\xba", "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1",
        "righteousness,", "righteousness", "Righteousnesses.", "abcdefgh", "abcdefghi",
        "abcdefgh,", "stra\xc3\x9f" "e", "&amp;", "a&b", "x/y", "e-mail", "nai\xcc\x88ve",
        "word\ttab", "\xc2\xa0", "U.S.A.", "etc.", "\xe2\x80\x9cquoted\xe2\x80\x9d",
        "it\xe2\x80\x99s", "__init__", "http://x.org", "a\x08" "b", "thing", "things", "going",
        "gone", "unto", "under", "within", std::string(120, 'z'),
    };
    static const char* const starts[] = {"--start ", "x--y ", "  -- ", "\xc2\xa0" "lead "};
    // clang-format on
    std::mt19937 rng(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        if (const unsigned kind = rng() % 12; kind < 4)
            text += starts[kind];
        for (int w = static_cast<int>(rng() % 14); w > 0; --w)
            text += tokens[rng() % tokens.size()] + (rng() % 9 == 0 ? "  " : " ");
        if (longLines && l % 97 == 5)
            text += std::string(65010, 'q') + " tail";
        if (l % 13 == 7)
            text += "form\x0c"
                    "feed";
        text += l % 3 == 0 ? "\r\n" : "\n";
    }
    return text;
}

// Everything a count leaves behind: the entries ("word=count@file:count...", then "file n
// path"), the totals, the output file, the messages and the outcome.
struct RunResult {
    std::vector<std::string> entries;
    std::int64_t total = 0, distinct = 0;
    std::string listing;
    std::vector<std::string> shown;
    int outcome = -1;
};

inline RunResult TakeResult(const FakeHost& host, const WordTable& table, const RunState& run,
                            const fs::path& output, RunOutcome outcome) {
    RunResult r{Entries(table, true), run.lngTotalNumOccurrences,
                run.lngNumWords,      ReadBytes(output),
                Shown(host),          static_cast<int>(outcome)};
    for (std::int64_t n = 1; n <= table.NumFilePaths(); ++n)
        r.entries.push_back("file " + std::to_string(n) + " " + N(table.FilePath(n)));
    return r;
}

inline void ExpectSameResult(const RunResult& a, const RunResult& b, const std::string& what) {
    EXPECT_EQ(a.entries, b.entries) << what;
    EXPECT_EQ(a.total, b.total) << what;
    EXPECT_EQ(a.distinct, b.distinct) << what;
    EXPECT_EQ(a.listing, b.listing) << what;
    EXPECT_EQ(a.shown, b.shown) << what;
    EXPECT_EQ(a.outcome, b.outcome) << what;
}

using Setter = std::function<void(Settings&, WordsToIgnore&)>;

// The settings that change what a piece of text yields.
inline const std::vector<std::pair<const char*, Setter>>& PieceSettings() {
    static const std::vector<std::pair<const char*, Setter>> cases = {
        {"defaults", [](Settings&, WordsToIgnore&) {}},
        {"case significant", [](Settings& s, WordsToIgnore&) { s.CaseSignificant = 1; }},
        {"plurals kept", [](Settings& s, WordsToIgnore&) { s.DropFinalS = 0; }},
        {"apostrophes, numerals, periods",
         [](Settings& s, WordsToIgnore&) {
             s.AllowWordsWithApostrophes = s.AllowWordsWithNumerals = s.AllowWordsWithPeriods = 1;
         }},
        {"no hyphens, ampersands",
         [](Settings& s, WordsToIgnore&) {
             s.AllowWordsWithHyphens = 0;
             s.AllowWordsWithAmpersands = 1;
         }},
        {"seven-bit words only", [](Settings& s, WordsToIgnore&) { s.Only7bitASCII = 1; }},
        {"words to ignore",
         [](Settings& s, WordsToIgnore& ig) {
             for (const char16_t* w : {u"the", u"lord", u"<[a-c]+>"})
                 ig.AddTyped(w);
             ig.SetFileEntries({u"said", u"flies"});
             s.CaseSignificant = 0;
         }},
    };
    return cases;
}

} // namespace lxty::test
