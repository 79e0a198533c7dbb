// Files as people have them: names with control characters, folders and files this user may
// not read, one line of many megabytes, and the same bytes read from memory as from a file.

#include "sources/Docx.h"
#include "sources/FolderScan.h"
#include "sources/LineReader.h"
#include "sources/TextFile.h"

#include "FakeHost.h"
#include "RecordedWalk.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/wait.h>

namespace lxty {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

TEST(OddFiles, ControlCharactersInNamesAreShownEscaped) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"/d/plain name.txt", u"/d/plain name.txt"},
        {u"/d/a\nb\rc\td.txt", u"/d/a\\nb\\rc\\td.txt"},
        {u"/d/esc\x1b\x01\x7f\x9f\xa0.txt", u"/d/esc\\x1b\\x01\\x7f\\x9f\xa0.txt"},
        // A backslash is doubled only where it could be read as the start of an escape.
        {u"/d/a\\b\\nb\\\\\\", u"/d/a\\b\\\\nb\\\\\\\\\\"},
        {u"/d/\\x41\\t\\r", u"/d/\\\\x41\\\\t\\\\r"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(U16ToUtf8(EscapedPath(name)), U16ToUtf8(shown));
    EXPECT_EQ(U16ToUtf8(ListingLine(u"/d", u"/d/a\nb", 3)), "/d/a\\nb [3 bytes]\n");
    EXPECT_EQ(U16ToUtf8(ListingHeader(u"/a/folder/long\tname")),
              "{Folder} = /a/folder/long\\tname\n\n");
}

// Runs body as an ordinary user: in a child process that gives up root when the tests run as
// root (root reads everything), else right here. Returns what body returns; nothing when root
// cannot be given up here.
std::optional<std::string> AsOrdinaryUser(const std::function<std::string()>& body) {
    if (::geteuid() != 0)
        return body();
    int fds[2];
    if (::pipe(fds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const std::string out = body();
        const bool written =
            ::write(fds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        return std::nullopt;
    return out;
}

TEST(OddFiles, UnreadableFoldersAndFilesAreNamedAndNotCounted) {
    test::TempDir dir;
    const fs::path root = dir / "tree";
    fs::create_directories(root / "closed");
    fs::create_directories(root / "open");
    WriteBytes(root / "a.txt", "alpha\n");
    WriteBytes(root / "secret.txt", "beta\n");
    WriteBytes(root / "closed" / "c.txt", "gamma\n");
    WriteBytes(root / "open" / "d.txt", "delta\n");
    fs::permissions(dir.path(), fs::perms::all, fs::perm_options::add);
    fs::permissions(root / "secret.txt", fs::perms::none);
    fs::permissions(root / "closed", fs::perms::none);
    const std::string rootText = U16ToUtf8(ShownPath(root));

    const std::optional<std::string> got = AsOrdinaryUser([&] {
        test::RecordedWalk w;
        FolderWalk& walk = w.NewWalk();
        test::FakeHost& host = w.host;
        Settings settings;
        std::u16string transcript;
        for (const WalkPass pass : {WalkPass::Listing, WalkPass::Processing}) {
            walk.Run(ShownPath(root), {pass, true, u""});
            transcript +=
                w.client.appended + u"files " + Utf8ToU16(std::to_string(walk.FilesCounted()));
            w.client.appended.clear();
            for (const auto& m : host.messages)
                transcript += u"\n[" + m.title + u"] " + m.text;
            host.messages.clear();
            transcript += u"\n";
        }
        settings.Folder = ShownPath(root / "closed");
        ValidateFolder(host, settings);
        for (const auto& m : host.messages)
            transcript += u"[" + m.title + u"] " + m.text;
        return U16ToUtf8(transcript);
    });
    fs::permissions(root / "closed", fs::perms::owner_all, fs::perm_options::add);
    if (!got)
        GTEST_SKIP() << "root cannot become an ordinary user here";
    const std::string f = "{Folder}";
    EXPECT_EQ(*got, f + "/a.txt [6 bytes]\n" + f +
                        "/open/d.txt [6 bytes]\nfiles 2\n"
                        "[Unreadable folders or files] These folders or files cannot be read, so "
                        "they are not scanned:\n" +
                        rootText + "/secret.txt (Permission denied)\n" + rootText +
                        "/closed (Permission denied)\n"
                        "files 2\n"
                        "[Invalid input] Cannot read the folder " +
                        rootText + "/closed (Permission denied).");
}

// One line far longer than a block comes in pieces that end after a space or tab (or, with
// none, at a character boundary), from a file and from memory alike; together they are the line.
TEST(OddFiles, AHugeLineComesInPiecesAtWordBoundaries) {
    constexpr std::size_t kBlock = LineReader::kBlockSize;
    std::string words;
    while (words.size() < 5 * kBlock)
        words += "lorem ipsum\tdolor ";
    // No blank at all, and after "first\n" the second block ends inside a two-byte letter.
    std::string glued = "xyz";
    while (glued.size() < 3 * kBlock)
        glued += "abcdefg\xC3\xA9";
    test::TempDir dir;
    for (const std::string& line : {words, glued}) {
        const std::string bytes = "first\n" + line + "\nlast";
        WriteBytes(dir / "huge.txt", bytes);
        for (const bool fromFile : {true, false}) {
            TextFile file;
            if (fromFile)
                ASSERT_TRUE(file.Open(dir / "huge.txt", TextEncoding::Utf8));
            else
                file.OpenBytes(bytes, TextEncoding::Utf8);
            std::vector<std::u16string> lines;
            for (std::u16string piece; file.ReadLine(piece);)
                lines.push_back(piece);
            ASSERT_GE(lines.size(), 4u);
            EXPECT_EQ(lines.front(), u"first");
            EXPECT_EQ(lines.back(), u"last");
            std::u16string joined;
            for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
                EXPECT_LE(lines[i].size(), 2 * kBlock);
                if (line == words && i + 2 < lines.size()) {
                    EXPECT_TRUE(lines[i].back() == u' ' || lines[i].back() == u'\t');
                }
                joined += lines[i];
            }
            EXPECT_TRUE(joined == Utf8ToU16(line)) << "file " << fromFile;
        }
    }
    // A UTF-16 file is cut the same way.
    std::string wide = "\xFF\xFE";
    for (const char c : words)
        wide += std::string{c, '\0'};
    TextFile file;
    file.OpenBytes(wide, TextEncoding::Utf16LE);
    std::u16string piece, joined;
    int pieces = 0;
    while (file.ReadLine(piece)) {
        EXPECT_LE(piece.size(), 2 * kBlock);
        joined += piece;
        ++pieces;
    }
    EXPECT_GE(pieces, 3);
    EXPECT_TRUE(joined == Utf8ToU16(words));
}

// The fuzzers read from memory; a count run reads files. Both roads must unpack alike (and
// judge alike: TextDetectTest).
TEST(OddFiles, BytesInMemoryAreUnpackedAsTheirFile) {
    test::TempDir dir;
    for (const char* docx : {"runs.docx", "tabs.docx"}) {
        const fs::path path = fs::path(LXTY_TEST_DATA_DIR) / "docx" / docx;
        std::string part;
        const UnpackResult fromBytes = UnpackPartFromBytes(test::ReadBytes(path), u"docx", part);
        const UnpackResult fromFile = UnpackPart(path, dir.path(), u"docx");
        ASSERT_EQ(fromBytes.status, UnpackResult::Unpacked) << docx;
        EXPECT_EQ(fromFile.status, fromBytes.status) << docx;
        EXPECT_EQ(test::ReadBytes(PartPath(dir.path(), u"docx")), part) << docx;
    }
    std::string part = "kept?";
    const UnpackResult notZip = UnpackPartFromBytes("PK\3\4 not a zip at all", u"docx", part);
    EXPECT_EQ(notZip.status, UnpackResult::Failed);
    EXPECT_FALSE(notZip.error.empty());
}

} // namespace
} // namespace lxty
