// A folder counted on several threads gives exactly what the one-thread run gives: the same
// entries, counts, file numbers and per-file counts, totals, listing and messages, under the
// settings that change what a file yields (those of the piece cache's comparison), with files
// that have no word to count, markup, a document that cannot be read and a file that is not
// text among them; also for a folder of many tiny files (counted in batches), when the table is
// read while the run yields, for a count array, when the run is stopped and when a file is the
// output file, also when it is named between the passes.

#include "run/CountRun.h"
#include "run/CountWorkers.h"

#include "RunComparison.h"

#include <cstdlib>

namespace lxty {
namespace {

using test::FakeHost;
using test::RunResult;

class ThreadedFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    void TearDown() override { unsetenv("LXTY_THREADS"); }

    void AddFile(const std::string& name, const std::string& bytes) {
        test::WriteBytes(m_dir / "texts" / name, bytes);
    }
    // Files of some 40 KB on average, so that the run hands them to threads.
    void AddFiles() {
        for (int i = 0; i < 14; ++i)
            AddFile("f" + std::to_string(i) + ".txt", test::MixedText(i % 5, 250 + 70 * i, false));
        AddFile("g-none.txt", "-- , . ; 123\n"); // no word counted: no file number
        AddFile("h-page.htm", "<html><body><p>the said, LORD's--word &amp; caf&eacute;</p>"
                              "<!-- hidden words --></body></html>\r\n");
        AddFile("i-broken.docx", "not a document at all");
        AddFile("j-binary.txt", std::string(3000, '\x01'));
        AddFile("sub/k.txt", test::MixedText(9, 300, false));
    }

    RunResult Run(unsigned threads, const test::Setter& set, bool countArray = false,
                  const std::function<void(FakeHost&, RunState&, WordTable&)>& during = {}) {
        setenv("LXTY_THREADS", std::to_string(threads).c_str(), 1);
        test::ReportRig r;
        WordsToIgnore ignore;
        CountRunShell shell;
        CountRun countRun{r.ctx, ignore, shell};
        r.settings.Source = SourceKind::Folder;
        r.settings.Folder = TextFromPath(m_dir / "texts");
        r.settings.IncludeSubfolders = 1;
        r.settings.File[1] = TextFromPath(m_dir / "out.txt");
        fs::remove(m_dir / "out.txt");
        r.host.answers.assign(8, MsgAnswer::Yes);
        set(r.settings, ignore);
        if (during)
            during(r.host, r.run, r.table);
        const RunOutcome outcome = countRun.Start(CountMode::AllWords, countArray);
        return test::TakeResult(r.host, r.table, r.run, m_dir / "out.txt", outcome);
    }

    void ExpectSame(const test::Setter& set, const std::string& what, bool countArray = false) {
        const RunResult one = Run(1, set, countArray);
        EXPECT_GT(one.entries.size(), 30u) << what;
        for (const unsigned threads : {2u, 5u})
            test::ExpectSameResult(one, Run(threads, set, countArray),
                                   what + ", " + std::to_string(threads) + " threads");
    }

    test::TempDir m_dir{"lxty-threads"};
};

TEST_F(ThreadedFolderTest, SameResultUnderEachSetting) {
    AddFiles();
    for (const auto& [name, set] : test::PieceSettings())
        ExpectSame(set, name);
    ExpectSame([](Settings&, WordsToIgnore&) {}, "count array", true);
}

// Batches end once their files hold 64 KiB or number 256, a large file alone.
TEST(ThreadBatches, EndAtTheirLimits) {
    const std::uint64_t k = kBatchBytes;
    const std::vector<std::pair<std::vector<std::uint64_t>, std::vector<std::size_t>>> cases = {
        {{}, {0}},
        {{5}, {0, 1}},
        {{k - 1, 1, 3}, {0, 2, 3}},
        {{k - 2, 1, 3}, {0, 3}},
        {{1, k, 1}, {0, 2, 3}},
        {{k + 9, 0, k}, {0, 1, 3}},
        {std::vector<std::uint64_t>(kBatchFiles, 1), {0, kBatchFiles}},
        {std::vector<std::uint64_t>(kBatchFiles + 1, 1), {0, kBatchFiles, kBatchFiles + 1}},
    };
    for (const auto& [sizes, starts] : cases)
        EXPECT_EQ(BatchStarts(sizes), starts) << sizes.size() << " files";
}

// Some six hundred files of a line or two: many batches, each of many files.
TEST_F(ThreadedFolderTest, ManyTinyFilesInBatches) {
    for (int i = 0; i < 600; ++i)
        AddFile("t" + std::to_string(1000 + i) + ".txt", test::MixedText(i, 1 + i % 3, false));
    AddFile("t1300-none.txt", ", . ;\n");
    AddFile("t1400-binary.txt", std::string(300, '\x02'));
    ExpectSame([](Settings&, WordsToIgnore&) {}, "tiny files");
}

// A link in the folder to the output file: the run stops there, as the one-thread run does,
// instead of a thread alone stopping and later files going uncounted.
TEST_F(ThreadedFolderTest, OutputFileReachedThroughALink) {
    AddFiles();
    const auto none = [](Settings&, WordsToIgnore&) {};
    test::WriteBytes(m_dir / "out-kept.txt", "previous report\n");
    const auto linked = [&](FakeHost& host, RunState&, WordTable&) {
        host.answers.assign(8, MsgAnswer::No);
        fs::copy_file(m_dir / "out-kept.txt", m_dir / "out.txt");
    };
    fs::create_symlink(m_dir / "out.txt", m_dir / "texts" / "f4-link.txt");
    const RunResult one = Run(1, none, false, linked);
    EXPECT_EQ(static_cast<int>(RunOutcome::Stopped), one.outcome);
    test::ExpectSameResult(one, Run(2, none, false, linked), "output file linked");
}

// The output file named at the question between the passes is reached through a link: the
// threads, which started counting before it was named, start anew and leave it to the run.
TEST_F(ThreadedFolderTest, OutputFileNamedBetweenThePasses) {
    AddFiles();
    test::WriteBytes(m_dir / "chosen.txt", "previous report\n");
    fs::create_symlink(m_dir / "chosen.txt", m_dir / "texts" / "f4-link.txt");
    const auto noOutput = [](Settings& s, WordsToIgnore&) { s.File[1].clear(); };
    const auto choose = [&](FakeHost& host, RunState&, WordTable&) {
        host.answers.assign(8, MsgAnswer::No);
        host.answers.front() = MsgAnswer::Ok;
        host.chosenPaths.push_back(TextFromPath(m_dir / "chosen.txt"));
    };
    const RunResult one = Run(1, noOutput, false, choose);
    EXPECT_EQ(static_cast<int>(RunOutcome::Stopped), one.outcome);
    test::ExpectSameResult(one, Run(2, noOutput, false, choose), "output file chosen");
}

// The window reads the table while the run yields: its records are numbered anew, and the
// threads' words must still reach the right entries.
TEST_F(ThreadedFolderTest, TableReadWhileTheRunYields) {
    AddFiles();
    const auto none = [](Settings&, WordsToIgnore&) {};
    int yields = 0;
    const RunResult many = Run(3, none, false, [&](FakeHost& host, RunState&, WordTable& table) {
        host.onYield = [&] {
            if (++yields % 7 == 0 && table.Size() > 0)
                (void)table.Entry(1);
        };
    });
    EXPECT_GT(yields, 50);
    test::ExpectSameResult(Run(1, none), many, "table read");
}

// Stop while files are counted on threads: the run ends stopped.
TEST_F(ThreadedFolderTest, StopEndsTheThreads) {
    std::string text;
    for (int i = 0; i < 900; ++i)
        text += "alpha beta\ngamma alpha\n";
    for (int i = 0; i < 60; ++i)
        AddFile("f" + std::to_string(100 + i) + ".txt", text);
    const RunResult o = Run(
        4, [](Settings&, WordsToIgnore&) {}, false,
        [](FakeHost& host, RunState& run, WordTable& table) {
            host.answers.assign(8, MsgAnswer::No); // do not list
            host.onYield = [&] {
                if (table.NumFilePaths() >= 20)
                    run.blnStop = true;
            };
        });
    EXPECT_EQ(static_cast<int>(RunOutcome::Stopped), o.outcome);
}

} // namespace
} // namespace lxty
