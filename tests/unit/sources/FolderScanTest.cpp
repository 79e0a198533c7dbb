// File selection (pattern boxes, skipped extensions, the matchers), folder validation and the
// folder walk, on folder trees generated for each test; and the processing pass of a walk that
// has just counted the same folder, which goes over the files the counting pass found: the
// same files, numbers, folder counts and file facts as a walk of its own, and a walk of its own
// again when the counting pass did not finish or looked elsewhere.

#include "sources/FolderScan.h"
#include "sources/FilePatterns.h"

#include "Golden.h"
#include "RecordedWalk.h"
#include "TextFilesTestSupport.h"
#include "base/RunState.h"
#include "settings/Settings.h"

namespace fs = std::filesystem;
using lxty::test::FakeHost;
using lxty::test::Said;

namespace lxty {
namespace {

// ---------------------------------------------------------------------------------------
// Pattern boxes

TEST(FilePatterns, SelectionFromSettings) {
    Settings s;
    s.FileFilepathSpecifications[0] = u"*.TXT, a?.htm";
    s.FileFilepathSpecifications[1] = u"Backup  old";
    const FileSelection sel = FileSelection::FromSettings(s);
    EXPECT_EQ(sel.filePatterns, (std::vector<std::u16string>{u"*.txt", u"a?.htm"}));
    EXPECT_EQ(sel.exclusionPatterns, (std::vector<std::u16string>{u"backup", u"old"}));
    EXPECT_EQ(sel.patternsText, u"*.txt, a?.htm");
}

// The .doc notice comes first, then the validation's own message (the notice alone: the case
// file).
TEST(FilePatterns, DocNoticeBeforeTheValidationMessage) {
    Settings s;
    s.FileFilepathSpecifications[0] = u"a;b *.doc";
    FakeHost host;
    EXPECT_FALSE(CheckPatternBoxOnLeave(host, s));
    EXPECT_EQ(Said(host), (std::vector<std::u16string>{
                              u"Match file patterns: This software does not process .doc files.  "
                              u"To process\nWord .doc files they should first be converted to "
                              u".docx files. (1)",
                              u"Invalid input: File pattern 'a;b' contains an invalid "
                              u"character. (2)"}));
}

// ---------------------------------------------------------------------------------------
// Matchers

// Pattern boxes, skipped extensions, pattern validation, the two matchers, the choice of
// files and the listing lines, from one case file.
TEST(FilePatterns, Cases) {
    test::ExpectCases("cases/file-patterns.txt", "", [](const std::vector<std::u16string>& in) {
        const std::u16string& f = in.at(0);
        Settings s;
        if (f == u"PatternBox") { // the text the box keeps, then the list
            std::vector<std::u16string> list{u"stale"};
            std::u16string out = GetFileFilepathSpecifications(in.at(1), list) + u" /";
            for (const auto& p : list)
                out += u" [" + p + u"]";
            return out;
        }
        if (f == u"LeavingTheBox") {
            FakeHost host;
            s.FileFilepathSpecifications[0] = in.at(1);
            EXPECT_TRUE(CheckPatternBoxOnLeave(host, s));
            const auto said = Said(host);
            return said.empty() ? u"(none)" : said.at(0);
        }
        if (f == u"IsSkippedExtension")
            return test::YesNo(IsSkippedExtension(in.at(1)));
        if (f == u"ExtensionOf")
            return ExtensionOf(in.at(1));
        if (f == u"Listing") // folder | path | size => header, line
            return ListingHeader(in.at(1)) +
                   ListingLine(in.at(1), in.at(2),
                               static_cast<std::uintmax_t>(test::Number(in.at(3))));
        if (f == u"ListingFooter")
            return ListingFooter(test::Number(in.at(1)), test::Number(in.at(2)));
        if (f == u"WildcardMatch")
            return test::YesNo(WildcardMatch(in.at(1), in.at(2), in.at(3) == u"yes"));
        if (f == u"MatchFilePattern")
            return test::YesNo(MatchFilePattern(in.at(1), in.at(2), false));
        s.FileFilepathSpecifications = {in.at(1), in.at(2)};
        if (f == u"IsFileToBeScanned")
            return test::YesNo(IsFileToBeScanned(in.at(3), FileSelection::FromSettings(s)));
        FakeHost host;
        const bool valid = ValidatePatterns(host, FileSelection::FromSettings(s));
        const auto said = Said(host);
        EXPECT_EQ(valid, said.empty());
        return said.empty() ? u"(none)" : said.size() == 1 ? said[0] : u"more than one message";
    });
    EXPECT_FALSE(MatchFilePattern(u"ABC.TXT", u"a*.txt", true));
}

// ---------------------------------------------------------------------------------------
// Folder trees

class FolderTree : public test::TextFilesTest, protected test::RecordedWalk {
protected:
    void TearDown() override { // give back what a test locked, so the folder can go
        std::error_code ec;
        for (auto& p : fs::recursive_directory_iterator(
                 Dir(), fs::directory_options::skip_permission_denied, ec))
            fs::permissions(p.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    std::u16string Text(const std::string& rel = "") const {
        return ShownPath(rel.empty() ? Dir() : Dir() / rel);
    }
    // The paths shown for the given files of the tree.
    std::vector<std::u16string> Texts(std::initializer_list<std::string> rels) const {
        std::vector<std::u16string> out;
        for (const auto& r : rels)
            out.push_back(Text(r));
        return out;
    }
    // Runs one pass with the given pattern boxes; returns the files processed.
    std::vector<std::u16string> Walk(const std::u16string& folder, bool subfolders,
                                     WalkPass pass = WalkPass::Processing,
                                     const std::u16string& patterns = u"",
                                     const std::u16string& exclusions = u"",
                                     const std::u16string& countOnly = u"") {
        Settings s;
        s.FileFilepathSpecifications = {patterns, exclusions};
        return Pass(folder, {pass, subfolders, countOnly}, s);
    }
};

// The folder check, from tests/data/cases/folder-check.txt: "{dir}" stands for the test's
// folder, "{DIR}" for it in capitals.
TEST_F(FolderTree, ValidationMessages) {
    Files({"only/sub/a.txt", "full/a.txt", "a/x.txt"});
    fs::create_directories(Dir() / "full" / "deeper");
    fs::create_directories(Dir() / "ab");
    test::ExpectCases("cases/folder-check.txt", "", [&](const test::Row& in) {
        const auto path = [&](std::u16string p) {
            for (const auto& [from, to] :
                 {std::pair{std::u16string(u"{dir}"), Text()},
                  std::pair{std::u16string(u"{DIR}"), UpperCaseAll(Text())}})
                if (const auto at = p.find(from); at != p.npos)
                    p.replace(at, from.size(), to);
            return p;
        };
        Settings s;
        s.Folder = path(in.at(0));
        s.File[1] = path(in.at(1));
        s.DisableOutputToFile = in.at(2) == u"output off";
        s.IncludeSubfolders = in.at(3) == u"subfolders";
        FakeHost h;
        const bool valid = ValidateFolder(h, s);
        const auto said = Said(h);
        EXPECT_EQ(valid, said.empty());
        return said.empty() ? u"(valid)" : said.size() == 1 ? said[0] : u"more than one message";
    });
}

TEST_F(FolderTree, SelectsAndOrdersFiles) {
    Files({"b.txt", "A.txt", "c.htm", "photo.jpg", "style.CSS", "readme", "sub/z.txt", "sub/m.txt",
           "Backup/old.txt", "sub/backup2/older.txt", "$RECYCLE.BIN/deleted.txt",
           "my recycle.bin stuff/deleted.txt", "a-sub/first.txt"});
    Write("empty.txt", "");
    // Files before subfolders, both in name order ignoring case; skipped extensions,
    // exclusions, empty files and recycle bins left out.
    EXPECT_EQ(
        Walk(Text(), true, WalkPass::Processing, u"", u"backup"),
        Texts({"A.txt", "b.txt", "c.htm", "readme", "a-sub/first.txt", "sub/m.txt", "sub/z.txt"}));
    EXPECT_EQ(client.numbers, (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(host.labels["lblFile"], Text("sub/z.txt"));
    EXPECT_EQ(host.labels["lblFilesize"], u"");
    EXPECT_EQ(Walk(Text(), false, WalkPass::Processing, u"*.txt"), Texts({"A.txt", "b.txt"}));
    // A trailing separator on the folder builds the same paths.
    EXPECT_EQ(Walk(Text() + u"/", false, WalkPass::Processing, u"*.txt"),
              Texts({"A.txt", "b.txt"}));
}

TEST_F(FolderTree, KeptDocxTextCopiesAreNotCountedAgain) {
    Write("Report.DOCX", "PK\x03\x04 not really");
    Files({"notes.txt", "extracted_text/report.txt", "extracted_text/notes.txt",
           "extracted_text/other.htm", "sub/extracted_text/report.txt"});
    // report.txt is the copy of Report.DOCX; notes.txt (no notes.docx) a file of the person's
    // own, as is the copy in sub with no document beside it.
    EXPECT_EQ(Walk(Text(), true),
              Texts({"notes.txt", "Report.DOCX", "extracted_text/notes.txt",
                     "extracted_text/other.htm", "sub/extracted_text/report.txt"}));
    // Walking the copies' folder itself reads them.
    EXPECT_EQ(Walk(Text("extracted_text"), false).size(), 3u);
}

TEST_F(FolderTree, ExcludedFolderIsSkippedWithEverythingBelow) {
    Files({"keep/a.txt", "keep/backup/b.txt", "keep/backup/deeper/c.txt"});
    EXPECT_EQ(Walk(Text(), true, WalkPass::Processing, u"", u"BACKUP"), Texts({"keep/a.txt"}));
    // An exclusion that names the folder itself leaves nothing.
    EXPECT_TRUE(Walk(Text("keep"), true, WalkPass::Processing, u"", u"keep").empty());
}

TEST_F(FolderTree, CountingPassCountsAndShowsProgress) {
    for (int i = 0; i < 12; ++i)
        Files({"f" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt"});
    Files({"sub/g.txt", "sub/deeper/h.txt"});
    fs::create_directories(Dir() / "sub" / "empty");
    EXPECT_TRUE(Walk(Text(), true, WalkPass::Counting).empty()); // no file is read
    EXPECT_EQ(walk->FilesCounted(), 14);
    EXPECT_EQ(walk->FoldersCounted(), 4);
    std::vector<std::u16string> shown, expected;
    for (const auto& s : client.sets)
        if (shown.empty() || shown.back() != s)
            shown.push_back(s);
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14}) // the whole number at the end
        expected.push_back(u"Counting files . . ." + Utf8ToU16(std::to_string(i)));
    EXPECT_EQ(shown, expected);
    EXPECT_GE(host.yields, 14);
    client.sets.clear();
    Walk(Text(), false, WalkPass::Counting);
    EXPECT_EQ(walk->FilesCounted(), 12);
    EXPECT_EQ(walk->FoldersCounted(), 1);
    EXPECT_EQ(client.sets.back(), u"Counting files . . .12");
    client.sets.clear();
    Files({"f12.txt", "f13.txt", "f14.txt"}); // 15: shown as it went, not again
    Walk(Text(), false, WalkPass::Counting);
    EXPECT_EQ(client.sets.size(), 11u);
}

TEST_F(FolderTree, StopEndsTheWalk) {
    Files({"a.txt", "b.txt", "c.txt", "sub/d.txt"});
    Settings s;
    client.onFile = [&](std::int64_t n) { state.blnStop = n == 2; };
    FolderWalk(host, state, FileSelection::FromSettings(s), client)
        .Run(Text(), {WalkPass::Processing, true, u""});
    EXPECT_EQ(client.processed, Texts({"a.txt", "b.txt"}));
    // A stop requested while counting (from the host's event loop) ends the counting pass.
    state.blnStop = false;
    host.onYield = [&] { state.blnStop = state.blnStop || host.yields == 3; };
    host.yields = 0;
    Walk(Text(), true, WalkPass::Counting);
    EXPECT_EQ(walk->FilesCounted(), 3);
}

TEST_F(FolderTree, CountOnlyFileAmongTheFiles) {
    Files({"a.txt", "words.txt", "z.txt"});
    Walk(Text(), false, WalkPass::Counting, u"", u"", UpperCaseAll(Text("words.txt")));
    EXPECT_TRUE(state.blnStop);
    EXPECT_EQ(walk->FilesCounted(), 1);
    EXPECT_EQ(walk->KeptMessage(),
              u"The file " + Text("words.txt") +
                  u"\nis among the files to be scanned.\n"
                  u"But this file is the same as the count-only words/phrases file\n"
                  u"currently specified in the Settings panel. This is not permitted.");
    EXPECT_TRUE(host.messages.empty()); // kept for the output window, not shown
}

TEST_F(FolderTree, LinksAndUnreadableFolders) {
    Files({"a.txt", "sub/b.txt", "outside/c.txt", "target/real.txt", "locked/secret.txt"});
    std::error_code ec;
    fs::create_directory_symlink(Dir(), Dir() / "sub" / "loop", ec);
    if (ec)
        GTEST_SKIP() << "links cannot be made here";
    fs::create_directory_symlink(Dir() / "sub", Dir() / "sub" / "self");
    fs::create_directory_symlink(Dir() / "outside", Dir() / "sub" / "elsewhere");
    fs::create_symlink(Dir() / "nowhere.txt", Dir() / "broken.txt");
    fs::create_symlink(Dir() / "target" / "real.txt", Dir() / "linked.txt");
    // Broken links are skipped, file links read.
    EXPECT_EQ(Walk(Text(), false), Texts({"a.txt", "linked.txt"}));
    // Loops are not followed, and each real file is counted once, under the path met first:
    // outside/c.txt not again through sub/elsewhere, target/real.txt not after linked.txt.
    fs::permissions(Dir() / "locked", fs::perms::none);
    fs::directory_iterator probe(Dir() / "locked", ec);
    const bool locked = bool(ec); // not for the superuser
    std::vector<std::u16string> expected =
        Texts({"a.txt", "linked.txt", "locked/secret.txt", "outside/c.txt", "sub/b.txt"});
    if (locked) // an unreadable folder is skipped
        expected.erase(expected.begin() + 2);
    EXPECT_EQ(Walk(Text(), true), expected);
}

TEST_F(FolderTree, ListingPassWritesOneLinePerFile) {
    Write("b.txt", std::string(2048, 'x'));
    Write("a.txt", "12345");
    Write("skip.jpg", "12345");
    Write("sub/c.txt", "1");
    ASSERT_GT(Text().size(), 13u); // a temporary folder is always long enough to be shortened
    EXPECT_TRUE(Walk(Text(), true, WalkPass::Listing).empty());
    EXPECT_EQ(client.appended, u"{Folder}/a.txt [5 bytes]\n"
                               u"{Folder}/b.txt [2.00 Kb]\n"
                               u"{Folder}/sub/c.txt [1 bytes]\n");
    EXPECT_TRUE(client.sets.empty()); // no "Counting files" counter while listing
    EXPECT_EQ(walk->FilesCounted(), 3);
    EXPECT_EQ(walk->FoldersCounted(), 2);

    // Relative folder texts of exactly 13 and 14 characters.
    Write("d234567890123/a.txt", "12");
    Write("d2345678901234/a.txt", "12");
    const fs::path before = fs::current_path();
    fs::current_path(Dir());
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"d234567890123", u"d234567890123/a.txt [2 bytes]\n"},
        {u"d2345678901234", u"{Folder} = d2345678901234\n\n{Folder}/a.txt [2 bytes]\n"},
    };
    for (const auto& [folder, listing] : cases) {
        Walk(folder, false, WalkPass::Listing);
        EXPECT_EQ(ListingHeader(folder) + client.appended +
                      ListingFooter(walk->FilesCounted(), walk->FoldersCounted()),
                  listing + u"\n1 file in 1 folder will be scanned.\n");
    }
    fs::current_path(before);
}

TEST_F(FolderTree, CountsAndFolders) {
    Write("a.txt", "123");
    Write("b.htm", "12345");
    Write("noext", "1");
    Files({"sub/c.txt"});
    fs::create_directories(Dir() / "other");
    EXPECT_EQ(CountFiles(Dir()).files, 3);
    EXPECT_EQ(CountFiles(Dir(), u"*.*", false, true).totalSize, 9u);
    EXPECT_EQ(CountFiles(Dir(), u"*.txt").files, 1);
    EXPECT_EQ(CountFiles(Dir(), u"*.*", true).files, 1);
    EXPECT_EQ(CountFiles(Dir() / "missing").files, 0);
    EXPECT_EQ(CountSubfolders(Dir()), 2);
    EXPECT_TRUE(FileExists(Dir() / "a.txt"));
    EXPECT_FALSE(FileExists(Dir() / "sub"));
    EXPECT_TRUE(FolderExists(Dir() / "sub"));
    EXPECT_FALSE(FolderExists(Dir() / "a.txt"));
    EXPECT_TRUE(CreateFolderPath(Dir() / "x" / "y" / "z"));
    EXPECT_TRUE(FolderExists(Dir() / "x" / "y" / "z"));
    EXPECT_FALSE(CreateFolderPath(Dir() / "a.txt" / "below"));
}

// ---------------------------------------------------------------------------------------
// A processing pass after a counting pass

class FolderReplayTest : public test::TextFilesTest {
protected:
    void SetUp() override {
        Write("b.txt", "bb");
        Write("A.txt", "a");
        Write("empty.txt", "");
        Write("sub/c.txt", "ccc");
        Write("sub/deeper/d.txt", "dddd");
        Write("sub2/e.txt", "eeeee");
        Write("doc.docx", "PK");
        Write("extracted_text/doc.txt", "copy");
        fs::create_symlink(Dir() / "sub", Dir() / "sub3"); // the same files again
        fs::create_symlink(Dir() / "b.txt", Dir() / "link.txt");
    }
    // Processing pass after the given first pass of the same walk (none: processing alone).
    std::vector<std::string> Process(bool subfolders, std::optional<WalkPass> first = {},
                                     std::u16string firstFolder = {}) {
        test::RecordedWalk w;
        FolderWalk& walk = w.NewWalk();
        const std::u16string folder = ShownPath(Dir());
        if (first)
            walk.Run(firstFolder.empty() ? folder : firstFolder, {*first, subfolders, u""});
        walk.Run(folder, {WalkPass::Processing, subfolders, u""});
        EXPECT_EQ(walk.FilesCounted(), static_cast<std::int64_t>(w.client.lines.size()));
        return w.client.lines;
    }
};

TEST_F(FolderReplayTest, AfterCountingTheSameFilesAsAWalkOfItsOwn) {
    for (const bool subfolders : {false, true}) {
        const std::vector<std::string> alone = Process(subfolders);
        EXPECT_EQ(alone.size(), subfolders ? 6u : 3u); // links and the kept copy not again
        EXPECT_EQ(Process(subfolders, WalkPass::Counting), alone);
        EXPECT_EQ(Process(subfolders, WalkPass::Listing), alone);
        // Counted with the other subfolder setting, or another folder: walked again.
        EXPECT_EQ(Process(!subfolders, WalkPass::Counting), Process(!subfolders));
        EXPECT_EQ(Process(subfolders, WalkPass::Counting, ShownPath(Dir() / "sub")), alone);
    }
}

TEST_F(FolderReplayTest, AfterAStoppedCountTheFolderIsWalkedAgain) {
    test::RecordedWalk w;
    FolderWalk& walk = w.NewWalk();
    const std::u16string folder = ShownPath(Dir());
    w.state.blnStop = true;
    walk.Run(folder, {WalkPass::Counting, true, u""});
    Write("new.txt", "new");
    w.state.blnStop = false;
    walk.Run(folder, {WalkPass::Processing, true, u""});
    ASSERT_EQ(w.client.lines.size(), 7u);
    EXPECT_EQ(w.client.lines[3], "4 1 3 " + U16ToUtf8(ShownPath(Dir() / "new.txt")));
}

} // namespace
} // namespace lxty
