// Inputs built to make the readers slow: each is sized so that a search from every position to
// the end of the input would take minutes, while a linear reader takes milliseconds (the test
// has a generous time limit, see tests/CMakeLists.txt).

#include "sources/Docx.h"
#include "sources/FolderScan.h"
#include "sources/LineReader.h"
#include "sources/Markup.h"
#include "sources/TextStream.h"

#include "FakeHost.h"
#include "RecordedWalk.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lxty {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

// 8 MiB of one-letter lines ended by CR alone: four million lines, each of which once searched
// the rest of its 1 MiB block for an LF (an LF every few lines would hide that: there is one,
// at the very end).
TEST(HostileInput, CrOnlyLinesReadInLinearTime) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < (4 << 20); ++i)
        bytes += i % 1000 == 999 ? "z\r" : "a\r";
    bytes.back() = '\n';
    WriteBytes(dir / "cr.txt", bytes);
    LineReader reader;
    ASSERT_TRUE(reader.Open(dir / "cr.txt"));
    std::string line;
    std::int64_t lines = 0, zs = 0;
    while (reader.ReadLine(line)) {
        ++lines;
        zs += line == "z";
        ASSERT_EQ(line.size(), 1u);
    }
    EXPECT_EQ(lines, 4 << 20);
    EXPECT_EQ(zs, (4 << 20) / 1000);
    EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
}

// 12 MB of paragraph tags that never close: every "<w:p" once searched the rest for ">".
TEST(HostileInput, DocxTagsWithoutCloseConvertInLinearTime) {
    test::FakeHost host;
    RunState state;
    std::string xml = "<w:body><w:p><w:r><w:t>first</w:t></w:r></w:p><w:p/>";
    for (int i = 0; i < 2'400'000; ++i)
        xml += "<w:p ";
    const auto lines = ConvertWordprocessingML(xml, host, state);
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"first", u""}));
}

// Twenty levels, each with two links to the next: 2^20 paths to the deepest file. A link into
// /proc leads to a link to "/" (and to endless folders) below it.
TEST(HostileInput, ConvergingLinksVisitEachFolderAndFileOnce) {
    test::TempDir dir;
    const fs::path root = dir / "tree";
    for (int level = 0; level <= 20; ++level) {
        const fs::path folder = root / ("level" + std::to_string(level));
        WriteBytes(folder / "words.txt", "word\n");
        if (level == 20)
            break;
        std::error_code ec;
        for (const char* name : {"a", "b"}) {
            fs::create_directory_symlink(root / ("level" + std::to_string(level + 1)),
                                         folder / name, ec);
            if (ec)
                GTEST_SKIP() << "links cannot be made here";
        }
    }
    std::error_code ec;
    fs::create_directory_symlink("/proc/self", root / "level0" / "proc", ec);

    test::RecordedWalk w;
    w.Pass(ShownPath(root / "level0"), {WalkPass::Processing, true, u""});
    // Files before subfolders, in name order: each file under the first path that reaches it.
    std::vector<std::u16string> expected;
    std::u16string path = ShownPath(root / "level0");
    for (int level = 0; level <= 20; ++level, path += u"/a")
        expected.push_back(path + u"/words.txt");
    EXPECT_EQ(w.client.processed, expected);
    EXPECT_EQ(w.client.numbers.back(), 21);
    EXPECT_EQ(w.walk->FoldersCounted(), 21);
    EXPECT_TRUE(IsVirtualSystemPath("/proc/1"));
    EXPECT_TRUE(IsVirtualSystemPath("/sys"));
    EXPECT_FALSE(IsVirtualSystemPath("/process"));
}

// Standard input without a line end or a space (/dev/zero, a minified dump) comes in pieces
// of bounded size, cut between characters; the encoding is decided by the first bytes beyond
// ASCII, wherever they come.
TEST(HostileInput, TextStreamComesInBoundedPieces) {
    constexpr std::size_t kPiece = TextStreamReader::kPieceBytes;
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const std::string xs(kPiece - 1, 'x');
    const Case cases[] = {
        {xs + "\xC3\xA9" + xs + "\xE2\x82\xAC!",
         std::u16string(kPiece - 1, u'x') + u"é" + std::u16string(kPiece - 1, u'x') + u"€!"},
        {xs + "\xE9 " + xs + "\xC3\xA9",
         std::u16string(kPiece - 1, u'x') + u"é " + std::u16string(kPiece - 1, u'x') + u"Ã©"},
        {"\xEF\xBB\xBFword\r\n", u"word\r\n"},
        {"", u""},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.bytes);
        TextStreamReader reader(in);
        std::u16string piece, all;
        while (reader.Next(piece)) {
            EXPECT_LE(piece.size(), kPiece);
            EXPECT_FALSE(piece.empty());
            all += piece;
        }
        EXPECT_TRUE(all == c.text) << all.size() << " units";
    }
}

// Two Lexitally programs of one person once shared the LXTY folders of /tmp, and each removed
// all of them at its end; anyone could fill the 999 names.
TEST(HostileInput, DocxFoldersLiveInAFolderOfTheirOwn) {
    test::TempDir runtime;
    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1), 0);
    for (int n = 1; n <= 999; ++n) // every shared name taken by someone else
        fs::create_directories(runtime / ("LXTY" +
                                          std::string(n < 10    ? "00"
                                                      : n < 100 ? "0"
                                                                : "") +
                                          std::to_string(n)));
    const fs::path own = PrivateTemporaryFolder();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.parent_path(), runtime.path());
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(PrivateTemporaryFolder(), own); // one per process
    const fs::path folder = CreateDocxTemporaryFolder(own);
    EXPECT_EQ(folder, own / "LXTY001");
    fs::remove(folder);
    // A document read leaves nothing behind: its folder and the process's folder go.
    {
        test::FakeHost host;
        RunState state;
        DocxDocument document(host, state);
        EXPECT_TRUE(document.Prepare(LXTY_TEST_DATA_DIR "/docx/runs.docx", {}));
        EXPECT_EQ(document.TextFile().parent_path().parent_path(), own);
    }
    EXPECT_FALSE(fs::exists(own));
    const fs::path again = PrivateTemporaryFolder();
    EXPECT_NE(again, own);
    RemoveDocxTemporaryFolders();
    EXPECT_FALSE(fs::exists(again));
    EXPECT_FALSE(fs::exists(own));
    EXPECT_TRUE(fs::exists(runtime / "LXTY001")); // another program's folder is left alone
    ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(HostileInput, XmlReferencesAreDecoded) {
    struct Case {
        std::u16string in, xml, other;
    };
    const Case cases[] = {
        {u"it&apos;s", u"it's", u"it&apos;s"},
        {u"a&lt;b&gt;c", u"a b c", u"a&lt;b&gt;c"},
        {u"&amp;&quot;", u"&\"", u"&\""},
        {u"caf&#233; caf&#xE9; caf&#Xe9;", u"café café café", u"caf&#233; caf&#xE9; caf&#Xe9;"},
        {u"&#128512;|&#x1F600;", u"\U0001F600|\U0001F600", u"&#128512;|&#x1F600;"},
        {u"&#60;&#x3e;&#9;", u"   ", u"&#60;&#x3e;&#9;"},
        // Not references: no digits, too long, zero, a surrogate, beyond Unicode, unknown.
        {u"&#; &#x; &#1234567; &#0; &#xD800; &#x110000; &bogus;",
         u"&#; &#x; &#1234567; &#0; &#xD800; &#x110000; &bogus;",
         u"&#; &#x; &#1234567; &#0; &#xD800; &#x110000; &bogus;"},
        {u"&eacute;", u"é", u"é"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeEntities(c.in, true), c.xml);
        EXPECT_EQ(DecodeEntities(c.in), c.other);
    }
}

} // namespace
} // namespace lxty
