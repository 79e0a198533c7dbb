// Count-only runs without phrases count plain text a piece between spaces at a time, as
// all-words runs do: the same entries, counts, per-file data, totals, listing and messages as
// word by word, with plain entries looked up exactly or as patterns, typed extra words, case,
// the seven-bit rule and a folder; a list with a phrase keeps the word-by-word path.

#include "run/CountSession.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace lxty {
namespace {

std::string MakeText(unsigned seed, int lines) {
    // clang-format off
    static const std::vector<std::string> tokens = {
        "the", "The", "LORD", "Lord's", "said,", "flies", "fly", "wishes", "don't", "a--b",
        "well-known", "4th", "caf\xc3\xa9", "Caf\xc3\xa9s", "thing", "things", "going", "gone",
        "unto", "under", "within", "\xe2\x80\x9cquoted\xe2\x80\x9d", std::string(120, 'z')};
    // clang-format on
    std::mt19937 rng(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        for (int w = static_cast<int>(rng() % 12); w > 0; --w)
            text += tokens[rng() % tokens.size()] + " ";
        text += "\n";
    }
    return text;
}

struct Outcome {
    std::vector<std::string> entries;
    std::int64_t total = 0;
    std::string listing;
    std::vector<std::u16string> said;
    std::size_t pieces = 0;
};

class CountOnlyPiecesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }
    void SetUp() override {
        fs::create_directories(m_dir / "texts");
        std::ofstream(m_dir / "texts" / "a.txt", std::ios::binary) << MakeText(1, 600);
    }

    Outcome Run(bool pieces, const std::string& list, const std::function<void(Settings&)>& set) {
        std::ofstream(m_dir / "list.txt", std::ios::binary) << list;
        test::FakeHost host;
        CountSession session(host, fs::path(LXTY_DATA_DIR));
        session.state.blnStartUpCompleted = true;
        host.answers.assign(64, MsgAnswer::Yes);
        Settings& s = session.settings;
        s.Source = SourceKind::InFile;
        s.File[0] = Utf8ToU16((m_dir / "texts" / "a.txt").string());
        s.File[1] = Utf8ToU16((m_dir / "out.txt").string());
        set(s);
        EXPECT_TRUE(
            session.wordLists.AddWordsFilePath(1, Utf8ToU16((m_dir / "list.txt").string())));
        EXPECT_TRUE(session.LoadWordListsFor(CountMode::SpecifiedWords));
        session.run.SetPieceCache(pieces);
        host.messages.clear();
        session.Count(CountMode::SpecifiedWords);
        Outcome o;
        for (std::int64_t i = 1; i <= session.table.Size(); ++i) {
            const WordEntry& e = session.table.Entry(i);
            std::string line = U16ToUtf8(e.word) + "=" + std::to_string(e.count);
            e.ForEachFile([&](const FileCount& f) {
                line += "@" + std::to_string(f.fileNumber) + ":" + std::to_string(f.count);
            });
            o.entries.push_back(line);
        }
        o.total = session.state.lngTotalNumOccurrences;
        std::ifstream in(m_dir / "out.txt", std::ios::binary);
        o.listing.assign(std::istreambuf_iterator<char>(in), {});
        for (const auto& m : host.messages)
            o.said.push_back(m.title + u": " + m.text);
        o.pieces = session.run.PiecesKnown();
        return o;
    }

    void ExpectSame(const std::string& list, const std::function<void(Settings&)>& set,
                    const std::string& what, bool byPieces = true) {
        const Outcome slow = Run(false, list, set);
        const Outcome fast = Run(true, list, set);
        EXPECT_EQ(byPieces, fast.pieces > 20) << what;
        EXPECT_GT(slow.entries.size(), 2u) << what;
        EXPECT_EQ(slow.entries, fast.entries) << what;
        EXPECT_EQ(slow.total, fast.total) << what;
        EXPECT_EQ(slow.listing, fast.listing) << what;
        EXPECT_EQ(slow.said, fast.said) << what;
    }

    test::TempDir m_dir{"lxty-count-only"};
};

TEST_F(CountOnlyPiecesTest, SameAsWordByWord) {
    const std::string plain = "the\nlord\nfly\nthing\ncaf\xc3\xa9\nwell-known\n";
    const std::string patterns = plain + "<[a-z]+ing>\n<un[a-z]+>\n<wi[a-z]*>\n";
    const auto none = [](Settings&) {};
    ExpectSame(plain, none, "plain entries");
    ExpectSame(
        patterns, [](Settings& s) { s.PatternMatchingInCountOnlyWordsFile = 1; }, "patterns");
    ExpectSame(
        plain, [](Settings& s) { s.CaseSignificant = 1; }, "case significant");
    ExpectSame(
        plain, [](Settings& s) { s.Only7bitASCII = 1; }, "seven-bit words only");
    ExpectSame(
        plain, [](Settings& s) { s.DropFinalS = 0; }, "plurals kept");
    ExpectSame(
        plain, [](Settings& s) { s.WordsToIgnoreOrCount[1] = u"gone, <g[a-z]+>"; },
        "typed extra words");
    ExpectSame(plain + "the+lord\n", none, "a phrase", false);
}

TEST_F(CountOnlyPiecesTest, FolderKeepsPerFileCounts) {
    std::ofstream(m_dir / "texts" / "b.txt", std::ios::binary) << MakeText(2, 5);
    std::ofstream(m_dir / "texts" / "c.txt", std::ios::binary) << MakeText(1, 600);
    ExpectSame(
        "the\nunto\nthing\n",
        [this](Settings& s) {
            s.Source = SourceKind::Folder;
            s.Folder = Utf8ToU16((m_dir / "texts").string());
        },
        "folder");
}

} // namespace
} // namespace lxty
