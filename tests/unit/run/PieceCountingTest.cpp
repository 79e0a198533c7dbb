// Counting plain text a piece between spaces at a time gives exactly what counting it word by
// word gives: the same entries, counts, per-file data, totals and listing, under the settings
// that change what a piece yields, for single files and folders, when the table is read in
// the middle of a run, and when a run is stopped.

#include "run/CountRun.h"

#include "ReportRig.h"
#include "engine/WordsToIgnore.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace lxty {
namespace {

using test::FakeHost;

// Text built to reach every rule that works inside a piece: capitals, plurals and
// possessives, apostrophes, hyphen pairs (also at the start of a line, where they stay),
// comment-like hyphens, punctuation around words, digits, accented and non-Latin letters,
// tabs, no-break spaces, control characters, pieces longer than eight units and a word longer
// than the longest word allowed.
std::string MakeText(unsigned seed, int lines) {
    // clang-format off
    const std::vector<std::string> tokens = {
        "the", "The", "THE", "and", "And", "of", "said,", "said.", "said;", "\"said\"", "(the",
        "end)", "LORD", "Lord's", "John's", "flies", "wishes", "mice", "children's", "don't",
        "couldn't", "it's", "o'clock", "'tis", "--", "a--b", "word--", "--word", "<!--", "-->",
        "well-known", "-", "---", "123", "4th", "x2", "caf\xc3\xa9", "Caf\xc3\xa9s",
        "\xc3\x91" "and\xc3\xba", "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1",
        "righteousness,", "righteousness", "Righteousnesses.", "abcdefgh", "abcdefghi",
        "abcdefgh,", "stra\xc3\x9f" "e", "&amp;", "a&b", "x/y", "e-mail", "nai\xcc\x88ve",
        "word\ttab", "\xc2\xa0", "U.S.A.", "etc.", "\xe2\x80\x9cquoted\xe2\x80\x9d",
        "it\xe2\x80\x99s", "__init__", "http://x.org", "a\x08" "b",
    };
    // clang-format on
    std::mt19937 rng(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        const int kind = static_cast<int>(rng() % 12);
        if (kind == 0)
            text += "--start ";
        else if (kind == 1)
            text += "x--y ";
        else if (kind == 2)
            text += "  -- ";
        else if (kind == 3)
            text += "\xc2\xa0"
                    "lead ";
        const int words = static_cast<int>(rng() % 14);
        for (int w = 0; w < words; ++w) {
            text += tokens[rng() % tokens.size()];
            text += (rng() % 9 == 0) ? "  " : " ";
        }
        if (l % 97 == 5)
            text += std::string(65010, 'q') + " tail";
        if (l % 13 == 7)
            text += "form\x0c"
                    "feed";
        text += (l % 3 == 0) ? "\r\n" : "\n";
    }
    return text;
}

struct Outcome {
    std::vector<std::string> entries; // word=count@file:count,...
    std::int64_t total = 0;
    std::int64_t distinct = 0;
    std::string listing;
    std::size_t pieces = 0;
};

class PieceCountingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }

    void AddFile(const std::string& name, const std::string& bytes) {
        test::WriteBytes(m_dir / "texts" / name, bytes);
    }

    // One run over the files written so far (a folder run when there are several).
    Outcome Run(bool pieces, const std::function<void(Settings&, WordsToIgnore&)>& set,
                const std::function<void(FakeHost&, RunState&, WordTable&)>& during = {}) {
        test::ReportRig r;
        auto& host = r.host;
        auto& settings = r.settings;
        WordsToIgnore ignore;
        CountRunShell shell;
        CountRun countRun{r.ctx, ignore, shell};
        countRun.SetPieceCache(pieces);

        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(m_dir / "texts"))
            files.push_back(e.path());
        if (files.size() == 1) {
            settings.Source = SourceKind::InFile;
            settings.File[0] = TextFromPath(files[0]);
        } else {
            settings.Source = SourceKind::Folder;
            settings.Folder = TextFromPath(m_dir / "texts");
        }
        settings.File[1] = TextFromPath(m_dir / "out.txt");
        host.answers.assign(8, MsgAnswer::Yes); // overwrite the output file, list a stopped run
        set(settings, ignore);
        if (during)
            during(host, r.run, r.table);
        countRun.Start(CountMode::AllWords);
        return {test::Entries(r.table, true), r.run.lngTotalNumOccurrences, r.run.lngNumWords,
                test::ReadBytes(m_dir / "out.txt"), countRun.PiecesKnown()};
    }

    void ExpectSame(const std::function<void(Settings&, WordsToIgnore&)>& set,
                    const std::string& what) {
        const Outcome slow = Run(false, set);
        const Outcome fast = Run(true, set);
        EXPECT_EQ(0u, slow.pieces) << what;
        EXPECT_GT(fast.pieces, 50u) << what; // the cache did serve the run
        EXPECT_GT(slow.entries.size(), 15u) << what;
        EXPECT_EQ(slow.entries, fast.entries) << what;
        EXPECT_EQ(slow.total, fast.total) << what;
        EXPECT_EQ(slow.distinct, fast.distinct) << what;
        EXPECT_EQ(slow.listing, fast.listing) << what;
    }

    test::TempDir m_dir{"lxty-pieces"};
};

struct SettingsCase {
    const char* name;
    std::function<void(Settings&, WordsToIgnore&)> set;
};

const std::vector<SettingsCase>& SettingsCases() {
    static const std::vector<SettingsCase> cases = {
        {"defaults", [](Settings&, WordsToIgnore&) {}},
        {"case significant", [](Settings& s, WordsToIgnore&) { s.CaseSignificant = 1; }},
        {"plurals kept", [](Settings& s, WordsToIgnore&) { s.DropFinalS = 0; }},
        {"apostrophes, numerals, periods",
         [](Settings& s, WordsToIgnore&) {
             s.AllowWordsWithApostrophes = 1;
             s.AllowWordsWithNumerals = 1;
             s.AllowWordsWithPeriods = 1;
         }},
        {"no hyphens, ampersands",
         [](Settings& s, WordsToIgnore&) {
             s.AllowWordsWithHyphens = 0;
             s.AllowWordsWithAmpersands = 1;
         }},
        {"seven-bit words only", [](Settings& s, WordsToIgnore&) { s.Only7bitASCII = 1; }},
        {"words to ignore",
         [](Settings& s, WordsToIgnore& ig) {
             ig.AddTyped(u"the");
             ig.AddTyped(u"lord");
             ig.AddTyped(u"<[a-c]+>");
             s.CaseSignificant = 0;
         }},
    };
    return cases;
}

TEST_F(PieceCountingTest, SingleFileUnderEachSetting) {
    AddFile("in.txt", MakeText(1, 3000));
    for (const SettingsCase& c : SettingsCases())
        ExpectSame(c.set, c.name);
}

TEST_F(PieceCountingTest, FolderKeepsPerFileCounts) {
    AddFile("a.txt", MakeText(2, 800));
    AddFile("b.txt", MakeText(3, 5));
    AddFile("c.txt", MakeText(2, 800)); // the same pieces again, in another file
    AddFile("d.htm", "<html><body><p>the said, LORD's--word</p>\r\n</body></html>\r\n");
    for (const SettingsCase& c : SettingsCases())
        ExpectSame(c.set, c.name);
}

// The host may read the table while the run yields (the window shows it): the records are
// numbered anew, and the occurrences the cache holds must still reach the right words.
TEST_F(PieceCountingTest, TableReadInTheMiddleOfARun) {
    AddFile("in.txt", MakeText(4, 2000));
    const auto none = [](Settings&, WordsToIgnore&) {};
    const Outcome slow = Run(false, none);
    int yields = 0;
    const Outcome fast = Run(true, none, [&](FakeHost& host, RunState&, WordTable& table) {
        host.onYield = [&yields, &table] {
            if (++yields % 5000 == 0 && table.Size() > 0)
                (void)table.Entry(1); // lays the table out
        };
    });
    EXPECT_GT(yields, 20000);
    EXPECT_EQ(slow.entries, fast.entries);
    EXPECT_EQ(slow.total, fast.total);
    EXPECT_EQ(slow.listing, fast.listing);
}

// Text whose pieces never come again: after its trial the run gives the cache up and goes word
// by word, with the same result.
TEST_F(PieceCountingTest, DistinctPiecesGiveTheCacheUp) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        std::string w = "w";
        for (int v = i; v > 0; v /= 26)
            w.push_back(static_cast<char>('a' + v % 26));
        text += w + ((i % 10 == 9) ? "\n" : " ");
    }
    AddFile("in.txt", text);
    const auto none = [](Settings&, WordsToIgnore&) {};
    const Outcome slow = Run(false, none);
    const Outcome fast = Run(true, none);
    EXPECT_GT(fast.entries.size(), 90000u); // a few plurals fold into their singulars
    EXPECT_EQ(slow.entries, fast.entries);
    EXPECT_EQ(slow.total, fast.total);
    EXPECT_EQ(slow.listing, fast.listing);
    // The trial is 65,536 lookups; the line in hand when it ends is finished first.
    EXPECT_GE(fast.pieces, 65536u);
    EXPECT_LT(fast.pieces, 65536u + 10);
}

// A stop in the middle of a file: every word counted so far is in the table, none twice.
TEST_F(PieceCountingTest, StoppedRunHoldsEveryOccurrenceCounted) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "alpha beta gamma alpha\n";
    AddFile("in.txt", text);
    const Outcome o = Run(
        true, [](Settings&, WordsToIgnore&) {},
        [](FakeHost& host, RunState& run, WordTable&) {
            host.onYield = [&run] {
                if (run.lngTotalNumOccurrences >= 5001)
                    run.blnStop = true;
            };
        });
    ASSERT_EQ(3u, o.entries.size());
    std::int64_t sum = 0;
    for (const std::string& e : o.entries)
        sum += std::stoll(e.substr(e.find('=') + 1, e.find('@') - e.find('=') - 1));
    EXPECT_EQ(o.total, sum);
    EXPECT_GE(o.total, 5001);
    EXPECT_LT(o.total, 12000);
}

} // namespace
} // namespace lxty
