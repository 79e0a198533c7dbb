// Counting plain text a piece between spaces at a time gives exactly what counting it word by
// word gives: the same entries, counts, per-file data, totals, listing and messages, under the
// settings that change what a piece yields, for single files and folders, when the table is
// read in the middle of a run, and when a run is stopped.

#include "run/CountRun.h"

#include "RunComparison.h"

namespace lxty {
namespace {

using test::FakeHost;
using test::RunResult;

class PieceCountingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }

    void AddFile(const std::string& name, const std::string& bytes) {
        test::WriteBytes(m_dir / "texts" / name, bytes);
    }

    // One run over the files written so far (a folder run when there are several).
    RunResult Run(bool pieces, const test::Setter& set,
                  const std::function<void(FakeHost&, RunState&, WordTable&)>& during = {}) {
        test::ReportRig r;
        WordsToIgnore ignore;
        CountRunShell shell;
        CountRun countRun{r.ctx, ignore, shell};
        countRun.SetPieceCache(pieces);
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(m_dir / "texts"))
            files.push_back(e.path());
        r.settings.Source = files.size() == 1 ? SourceKind::InFile : SourceKind::Folder;
        r.settings.File[0] = TextFromPath(files[0]);
        r.settings.Folder = TextFromPath(m_dir / "texts");
        r.settings.File[1] = TextFromPath(m_dir / "out.txt");
        r.host.answers.assign(8, MsgAnswer::Yes); // overwrite the output file, list a stopped run
        set(r.settings, ignore);
        if (during)
            during(r.host, r.run, r.table);
        const RunOutcome outcome = countRun.Start(CountMode::AllWords);
        m_pieces = countRun.PiecesKnown();
        return test::TakeResult(r.host, r.table, r.run, m_dir / "out.txt", outcome);
    }

    void ExpectSame(const test::Setter& set, const std::string& what) {
        const RunResult slow = Run(false, set);
        EXPECT_EQ(0u, m_pieces) << what;
        const RunResult fast = Run(true, set);
        EXPECT_GT(m_pieces, 50u) << what; // the cache did serve the run
        EXPECT_GT(slow.entries.size(), 15u) << what;
        test::ExpectSameResult(slow, fast, what);
    }

    test::TempDir m_dir{"lxty-pieces"};
    std::size_t m_pieces = 0; // the pieces the last run's cache knew
};

TEST_F(PieceCountingTest, SingleFileUnderEachSetting) {
    AddFile("in.txt", test::MixedText(1, 3000));
    for (const auto& [name, set] : test::PieceSettings())
        ExpectSame(set, name);
}

TEST_F(PieceCountingTest, FolderKeepsPerFileCounts) {
    AddFile("a.txt", test::MixedText(2, 800));
    AddFile("b.txt", test::MixedText(3, 5));
    AddFile("c.txt", test::MixedText(2, 800)); // the same pieces again, in another file
    AddFile("d.htm", "<html><body><p>the said, LORD's--word</p>\r\n</body></html>\r\n");
    for (const auto& [name, set] : test::PieceSettings())
        ExpectSame(set, name);
}

// The host may read the table while the run yields (the window shows it): the records are
// numbered anew, and the occurrences the cache holds must still reach the right words.
TEST_F(PieceCountingTest, TableReadInTheMiddleOfARun) {
    AddFile("in.txt", test::MixedText(4, 2000));
    const auto none = [](Settings&, WordsToIgnore&) {};
    int yields = 0;
    const RunResult fast = Run(true, none, [&](FakeHost& host, RunState&, WordTable& table) {
        host.onYield = [&yields, &table] {
            if (++yields % 5000 == 0 && table.Size() > 0)
                (void)table.Entry(1); // lays the table out
        };
    });
    EXPECT_GT(yields, 20000);
    test::ExpectSameResult(Run(false, none), fast, "table read");
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
    const RunResult fast = Run(true, none);
    // The trial is 65,536 lookups; the line in hand when it ends is finished first.
    EXPECT_GE(m_pieces, 65536u);
    EXPECT_LT(m_pieces, 65536u + 10);
    EXPECT_GT(fast.entries.size(), 90000u); // a few plurals fold into their singulars
    test::ExpectSameResult(Run(false, none), fast, "distinct pieces");
}

// A stop in the middle of a file: every word counted so far is in the table, none twice.
TEST_F(PieceCountingTest, StoppedRunHoldsEveryOccurrenceCounted) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "alpha beta gamma alpha\n";
    AddFile("in.txt", text);
    const RunResult o = Run(
        true, [](Settings&, WordsToIgnore&) {},
        [](FakeHost& host, RunState& run, WordTable&) {
            host.onYield = [&run] {
                if (run.lngTotalNumOccurrences >= 5001)
                    run.blnStop = true;
            };
        });
    std::int64_t sum = 0, words = 0;
    for (const std::string& e : o.entries)
        if (!e.starts_with("file ") && ++words)
            sum += std::stoll(e.substr(e.find('=') + 1));
    EXPECT_EQ(3, words);
    EXPECT_EQ(o.total, sum);
    EXPECT_GE(o.total, 5001);
    EXPECT_LT(o.total, 12000);
}

} // namespace
} // namespace lxty
