// A folder counted on several threads gives exactly what the one-thread run gives: the same
// entries, counts, file numbers and per-file counts, totals, listing and messages, under the
// settings that change what a file yields (those of the piece cache's comparison), with files
// that have no word to count, markup, a document that cannot be read and a file that is not
// text among them; also when the table is read while the run yields, for a count array, and
// when the run is stopped.

#include "run/CountRun.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "settings/Settings.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lxty::test::FakeHost;

namespace lxty {
namespace {

// Lines of tokens that reach the rules inside and around words.
std::string MakeText(unsigned seed, int lines) {
    // clang-format off
    static const std::vector<std::string> tokens = {
        "the", "The", "THE", "and", "said,", "\"said\"", "LORD", "Lord's", "flies", "wishes",
        "don't", "o'clock", "--", "a--b", "well-known", "123", "4th", "caf\xc3\xa9",
        "Caf\xc3\xa9s", "abcdefghi", "&amp;", "a&b", "e-mail", "U.S.A.", "x/y", "__init__",
        "word\ttab", "\xe2\x80\x9cquoted\xe2\x80\x9d", "it\xe2\x80\x99s", std::string(120, 'z')};
    // clang-format on
    std::mt19937 rng(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        if (rng() % 9 == 0)
            text += "--start ";
        for (int w = static_cast<int>(rng() % 12); w > 0; --w)
            text += tokens[rng() % tokens.size()] + " ";
        text += "\n";
    }
    return text;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct Outcome {
    std::vector<std::string> entries; // word=count@file:count...
    std::int64_t total = 0;
    std::int64_t distinct = 0;
    std::string listing;
    std::vector<std::u16string> said;
    RunOutcome outcome = RunOutcome::Error;
};

using Setter = std::function<void(Settings&, WordsToIgnore&)>;

class ThreadedFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }
    void TearDown() override { unsetenv("LXTY_THREADS"); }

    void AddFile(const std::string& name, const std::string& bytes) {
        fs::create_directories((m_dir / "texts" / name).parent_path());
        std::ofstream(m_dir / "texts" / name, std::ios::binary) << bytes;
    }
    // Files of some 40 KB on average, so that the run hands them to threads.
    void AddFiles() {
        for (int i = 0; i < 14; ++i)
            AddFile("f" + std::to_string(i) + ".txt", MakeText(i % 5, 300 + 90 * i));
        AddFile("g-none.txt", "-- , . ; 123\n"); // no word counted: no file number
        AddFile("h-page.htm", "<html><body><p>the said, LORD's--word &amp; caf&eacute;</p>"
                              "<!-- hidden words --></body></html>\r\n");
        AddFile("i-broken.docx", "not a document at all");
        AddFile("j-binary.txt", std::string(3000, '\x01'));
        AddFile("sub/k.txt", MakeText(9, 300));
    }

    Outcome Run(unsigned threads, const Setter& set, bool countArray = false,
                const std::function<void(FakeHost&, RunState&, WordTable&)>& during = {}) {
        setenv("LXTY_THREADS", std::to_string(threads).c_str(), 1);
        FakeHost host;
        Settings settings;
        RunState run;
        TextWindow window{host};
        ReportState report;
        WordTable table;
        ReportContext ctx{{host, settings, run, window, report}, table, {}, {}};
        WordsToIgnore ignore;
        CountRunShell shell;
        CountRun countRun{ctx, ignore, shell};
        settings.Source = SourceKind::Folder;
        settings.Folder = Utf8ToU16((m_dir / "texts").string());
        settings.IncludeSubfolders = 1;
        settings.File[1] = Utf8ToU16((m_dir / "out.txt").string());
        fs::remove(m_dir / "out.txt");
        host.answers.assign(8, MsgAnswer::Yes);
        set(settings, ignore);
        if (during)
            during(host, run, table);
        Outcome o;
        o.outcome = countRun.Start(CountMode::AllWords, countArray);
        for (std::int64_t i = 1; i <= table.Size(); ++i) {
            const WordEntry& e = table.Entry(i);
            std::string line = U16ToUtf8(e.word) + "=" + std::to_string(e.count);
            e.ForEachFile([&](const FileCount& f) {
                line += "@" + std::to_string(f.fileNumber) + ":" + std::to_string(f.count);
            });
            o.entries.push_back(line);
        }
        for (std::int64_t n = 1; n <= table.NumFilePaths(); ++n)
            o.entries.push_back("file " + std::to_string(n) + " " + U16ToUtf8(table.FilePath(n)));
        o.total = run.lngTotalNumOccurrences;
        o.distinct = run.lngNumWords;
        std::ifstream in(m_dir / "out.txt", std::ios::binary);
        o.listing.assign(std::istreambuf_iterator<char>(in), {});
        for (const auto& m : host.messages)
            o.said.push_back(m.title + u": " + m.text);
        return o;
    }

    void ExpectSame(const Setter& set, const std::string& what, bool countArray = false) {
        const Outcome one = Run(1, set, countArray);
        EXPECT_GT(one.entries.size(), 30u) << what;
        for (const unsigned threads : {2u, 5u}) {
            const Outcome many = Run(threads, set, countArray);
            EXPECT_EQ(one.entries, many.entries) << what << ", " << threads << " threads";
            EXPECT_EQ(one.total, many.total) << what;
            EXPECT_EQ(one.distinct, many.distinct) << what;
            EXPECT_EQ(one.listing, many.listing) << what;
            EXPECT_EQ(one.said, many.said) << what;
            EXPECT_EQ(one.outcome, many.outcome) << what;
        }
    }

    test::TempDir m_dir{"lxty-threads"};
};

const std::vector<std::pair<const char*, Setter>>& SettingsCases() {
    static const std::vector<std::pair<const char*, Setter>> cases = {
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
             ig.SetFileEntries({u"said", u"flies"});
             s.CaseSignificant = 0;
         }},
    };
    return cases;
}

TEST_F(ThreadedFolderTest, SameResultUnderEachSetting) {
    AddFiles();
    for (const auto& [name, set] : SettingsCases())
        ExpectSame(set, name);
    ExpectSame([](Settings&, WordsToIgnore&) {}, "count array", true);
}

// The window reads the table while the run yields: its records are numbered anew, and the
// threads' words must still reach the right entries.
TEST_F(ThreadedFolderTest, TableReadWhileTheRunYields) {
    AddFiles();
    const auto none = [](Settings&, WordsToIgnore&) {};
    const Outcome one = Run(1, none);
    int yields = 0;
    const Outcome many = Run(3, none, false, [&](FakeHost& host, RunState&, WordTable& table) {
        host.onYield = [&] {
            if (++yields % 7 == 0 && table.Size() > 0)
                (void)table.Entry(1);
        };
    });
    EXPECT_GT(yields, 50);
    EXPECT_EQ(one.entries, many.entries);
    EXPECT_EQ(one.listing, many.listing);
}

// Stop while files are counted on threads: the run ends stopped, and every word in the table
// was counted once.
TEST_F(ThreadedFolderTest, StopEndsTheThreads) {
    for (int i = 0; i < 60; ++i)
        AddFile("f" + std::to_string(100 + i) + ".txt", Repeat("alpha beta\ngamma alpha\n", 900));
    const Outcome o = Run(
        4, [](Settings&, WordsToIgnore&) {}, false,
        [](FakeHost& host, RunState& run, WordTable& table) {
            host.answers.assign(8, MsgAnswer::No); // do not list
            host.onYield = [&] {
                if (table.NumFilePaths() >= 20)
                    run.blnStop = true;
            };
        });
    EXPECT_EQ(o.outcome, RunOutcome::Stopped);
}

} // namespace
} // namespace lxty
