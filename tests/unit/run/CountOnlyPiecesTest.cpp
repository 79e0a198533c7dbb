// Count-only runs without phrases count plain text a piece between spaces at a time, as
// all-words runs do: the same entries, counts, per-file data, totals, listing and messages as
// word by word, with plain entries looked up exactly or as patterns, typed extra words, case,
// the seven-bit rule and a folder; a list with a phrase keeps the word-by-word path.

#include "RunComparison.h"
#include "run/CountSession.h"

namespace lxty {
namespace {

class CountOnlyPiecesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    void SetUp() override {
        test::WriteBytes(m_dir / "texts" / "a.txt", test::MixedText(1, 600, false));
    }

    test::RunResult Run(bool pieces, const std::string& list,
                        const std::function<void(Settings&)>& set) {
        test::WriteBytes(m_dir / "list.txt", list);
        test::FakeHost host;
        CountSession session(host, fs::path(LXTY_DATA_DIR));
        session.state.blnStartUpCompleted = true;
        host.answers.assign(64, MsgAnswer::Yes);
        Settings& s = session.settings;
        s.Source = SourceKind::InFile;
        s.File[0] = TextFromPath(m_dir / "texts" / "a.txt");
        s.File[1] = TextFromPath(m_dir / "out.txt");
        set(s);
        EXPECT_TRUE(session.wordLists.AddWordsFilePath(1, TextFromPath(m_dir / "list.txt")));
        EXPECT_TRUE(session.LoadWordListsFor(CountMode::SpecifiedWords));
        session.run.SetPieceCache(pieces);
        host.messages.clear();
        const RunOutcome outcome = session.Count(CountMode::SpecifiedWords);
        m_pieces = session.run.PiecesKnown();
        return test::TakeResult(host, session.table, session.state, m_dir / "out.txt", outcome);
    }

    void ExpectSame(const std::string& list, const std::function<void(Settings&)>& set,
                    const std::string& what, bool byPieces = true) {
        const test::RunResult slow = Run(false, list, set);
        const test::RunResult fast = Run(true, list, set);
        EXPECT_EQ(byPieces, m_pieces > 20) << what;
        EXPECT_GT(slow.entries.size(), 2u) << what;
        test::ExpectSameResult(slow, fast, what);
    }

    test::TempDir m_dir{"lxty-count-only"};
    std::size_t m_pieces = 0;
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
    test::WriteBytes(m_dir / "texts" / "b.txt", test::MixedText(2, 5, false));
    test::WriteBytes(m_dir / "texts" / "c.txt", test::MixedText(1, 600, false));
    ExpectSame(
        "the\nunto\nthing\n",
        [this](Settings& s) {
            s.Source = SourceKind::Folder;
            s.Folder = TextFromPath(m_dir / "texts");
        },
        "folder");
}

} // namespace
} // namespace lxty
