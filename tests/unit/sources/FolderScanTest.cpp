// File selection (pattern boxes, skipped extensions, the matchers), folder validation and the
// folder walk, on folder trees generated for each test.

#include "sources/FolderScan.h"
#include "sources/FilePatterns.h"

#include "FakeHost.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lxty::test::FakeHost;

namespace lxty {
namespace {

std::string Narrow(const std::u16string& s) {
    return U16ToUtf8(s);
}

// ---------------------------------------------------------------------------------------
// Pattern boxes

TEST(FilePatterns, PatternBoxReading) {
    struct Case {
        std::u16string box;
        std::vector<std::u16string> list;
        std::u16string joined;
    };
    const std::vector<Case> cases = {
        {u"*.txt, *.htm", {u"*.txt", u"*.htm"}, u"*.txt, *.htm"},
        {u"*.txt *.htm", {u"*.txt", u"*.htm"}, u"*.txt, *.htm"},
        {u"*.txt,*.htm", {u"*.txt", u"*.htm"}, u"*.txt, *.htm"},
        {u"  *.TXT ,,  Report*.HTM  ", {u"*.txt", u"report*.htm"}, u"*.txt, report*.htm"},
        {u"\u00C9T\u00C9.txt\t*.csv",
         {u"\u00E9t\u00E9.txt", u"*.csv"},
         u"\u00E9t\u00E9.txt, *.csv"},
        {u"", {}, u""},
        {u" , ,  ", {}, u""},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> list{u"stale"};
        EXPECT_EQ(GetFileFilepathSpecifications(c.box, list), c.joined) << Narrow(c.box);
        EXPECT_EQ(list, c.list) << Narrow(c.box);
    }
}

TEST(FilePatterns, SelectionFromSettings) {
    Settings s;
    s.FileFilepathSpecifications[0] = u"*.TXT, a?.htm";
    s.FileFilepathSpecifications[1] = u"Backup  old";
    const FileSelection sel = FileSelection::FromSettings(s);
    EXPECT_EQ(sel.filePatterns, (std::vector<std::u16string>{u"*.txt", u"a?.htm"}));
    EXPECT_EQ(sel.exclusionPatterns, (std::vector<std::u16string>{u"backup", u"old"}));
    EXPECT_EQ(sel.patternsText, u"*.txt, a?.htm");
}

TEST(FilePatterns, Validation) {
    struct Case {
        std::u16string patterns;
        std::u16string exclusions;
        std::u16string message; // empty: valid
    };
    const std::vector<Case> cases = {
        {u"*.txt *.htm", u"backup", u""},
        {u"a~b", u"", u"File pattern 'a~b' contains an invalid character."},
        {u"a;b", u"", u"File pattern 'a;b' contains an invalid character."},
        {u"dir/a", u"", u"File pattern 'dir/a' contains an invalid character."},
        {u"dir\\a", u"", u"File pattern 'dir\\a' contains an invalid character."},
        {u"<a", u"", u"File pattern '<a' contains an invalid character."},
        {u"a>", u"", u"File pattern 'a>' contains an invalid character."},
        {u"a`", u"", u"File pattern 'a`' contains an invalid character."},
        {u"\"a\"", u"", u"File pattern '\"a\"' contains an invalid character."},
        {u"*.t?t", u"", u""}, // wildcards are what file patterns are for
        {u"", u"back*", u"Folder pattern 'back*' contains an invalid character."},
        {u"", u"back?", u"Folder pattern 'back?' contains an invalid character."},
        {u"", u"a;b", u"Folder pattern 'a;b' contains an invalid character."},
        {u"", u"dir/sub", u"Folder pattern 'dir/sub' contains an invalid character."},
        // The first fault only.
        {u"a;b c<d", u"e*", u"File pattern 'a;b' contains an invalid character."},
    };
    for (const auto& c : cases) {
        Settings s;
        s.FileFilepathSpecifications[0] = c.patterns;
        s.FileFilepathSpecifications[1] = c.exclusions;
        FakeHost host;
        const bool ok = ValidatePatterns(host, FileSelection::FromSettings(s));
        EXPECT_EQ(ok, c.message.empty()) << Narrow(c.patterns) << " / " << Narrow(c.exclusions);
        if (c.message.empty()) {
            EXPECT_TRUE(host.messages.empty());
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.message);
            EXPECT_EQ(host.messages[0].title, u"Invalid input");
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
        }
    }
}

TEST(FilePatterns, DocNoticeWhenLeavingTheBox) {
    const std::u16string notice = u"This software does not process .doc files.  To process\r\n"
                                  u"Word .doc files they should first be converted to .docx files.";
    struct Case {
        std::u16string box;
        bool notice;
    };
    const std::vector<Case> cases = {
        {u"*.doc", true},   {u"*.doc, *.txt", true}, {u"*.DOC", true},
        {u"*.docx", false}, {u"*.doc *.txt", false}, {u"*.txt", false},
    };
    for (const auto& c : cases) {
        Settings s;
        s.FileFilepathSpecifications[0] = c.box;
        FakeHost host;
        EXPECT_TRUE(CheckPatternBoxOnLeave(host, s));
        if (c.notice) {
            ASSERT_EQ(host.messages.size(), 1u) << Narrow(c.box);
            EXPECT_EQ(host.messages[0].text, notice);
            EXPECT_EQ(host.messages[0].title, u"Match file patterns");
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
        } else {
            EXPECT_TRUE(host.messages.empty()) << Narrow(c.box);
        }
    }
    // The notice comes first, then the validation's own message.
    Settings s;
    s.FileFilepathSpecifications[0] = u"a;b *.doc";
    FakeHost host;
    EXPECT_FALSE(CheckPatternBoxOnLeave(host, s));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].title, u"Match file patterns");
    EXPECT_EQ(host.messages[1].text, u"File pattern 'a;b' contains an invalid character.");
}

// ---------------------------------------------------------------------------------------
// Matchers

TEST(FilePatterns, WildcardMatch) {
    struct Case {
        std::u16string text, pattern;
        bool caseSensitive;
        bool match;
    };
    const std::vector<Case> cases = {
        {u"abc", u"abc", false, true},
        {u"abc", u"abd", false, false},
        {u"abc", u"ab", false, false},
        {u"ab", u"abc", false, false},
        {u"ABC", u"abc", false, true},
        {u"ABC", u"abc", true, false},
        {u"\u00C9T\u00C9", u"\u00E9t\u00E9", false, true}, // accented capitals fold too
        {u"abc", u"a?c", false, true},
        {u"ac", u"a?c", false, false},
        {u"ab", u"ab?", false, false}, // "?" fails at the end of the text
        {u"abc", u"*", false, true},
        {u"abc", u"a*", false, true},
        {u"a", u"a*", false, true},
        {u"abc", u"*c", false, true},
        {u"abc", u"*b", false, false},
        // No backtracking: "*" stops at the first occurrence of the next literal.
        {u"a and b", u"*b", false, true},
        {u"a, b, a, b", u"*b", false, false},
        {u"abcabd", u"*abd", false, false},
        {u"xaby", u"*a*y", false, true},
        {u"", u"", false, true},
        {u"", u"**", false, true},
        {u"", u"?", false, false},
        {u"", u"a", false, false},
        {u"abc", u"abc**", false, true},
        {u"abc", u"abc?", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardMatch(c.text, c.pattern, c.caseSensitive), c.match)
            << Narrow(c.text) << " ~ " << Narrow(c.pattern);
    }
}

TEST(FilePatterns, MatchFilePattern) {
    struct Case {
        std::u16string name, pattern;
        bool match;
    };
    const std::vector<Case> cases = {
        {u"abc.txt", u"a*.txt", true},
        {u"a.txt", u"a*.txt", true},
        {u"b.txt", u"a*.txt", false},
        {u"ABC.TXT", u"a*.txt", true},
        {u"abc.htm", u"a*.txt", false},
        {u"readme", u"*.*", true}, // the pattern's extension reduces to nothing
        {u"readme", u"read*.?", true},
        {u"readme", u"*.txt", false},
        {u"readme.txt", u"readme", false}, // name with ".", pattern without
        {u"readme", u"readme", true},
        {u"readme", u"read?e", true},
        {u"a and b.txt", u"*b.txt", true},
        {u"a, b, a, b.txt", u"*b.txt", false},
        {u"archive.tar.gz", u"*.gz", true}, // split at the last "."
        {u"archive.tar.gz", u"*.tar", false},
        {u"archive.tar.gz", u"archive.*", false}, // bases "archive.tar" and "archive"
        {u"archive.tar.gz", u"archive.tar.*", true},
        {u"a.txt", u"", true},
        {u"a.txt", u"   ", true},
        {u"a?.txt", u"*.txt", false}, // names that look like patterns never match
        {u"a*.txt", u"*.txt", false},
        {u"c:a.txt", u"*.txt", false},
        {u"a\\b.txt", u"*.txt", false},
        {u".profile", u"*.profile", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchFilePattern(c.name, c.pattern, false), c.match)
            << Narrow(c.name) << " ~ " << Narrow(c.pattern);
    }
    EXPECT_FALSE(MatchFilePattern(u"ABC.TXT", u"a*.txt", true));
}

TEST(FilePatterns, SkippedExtensions) {
    const std::vector<std::u16string> skipped = {
        u"ico", u"gif", u"jpg", u"png", u"bmp", u"zip",      u"bin", u"xls",  u"mdb",
        u"pdf", u"com", u"exe", u"dll", u"cab", u"ocx",      u"vxd", u"drv",  u"sys",
        u"vbx", u"386", u"---", u"css", u"js",  u"loaded_0", u"ini", u"gdoc", u"doc"};
    for (const auto& e : skipped) {
        EXPECT_TRUE(IsSkippedExtension(e)) << Narrow(e);
        EXPECT_TRUE(IsSkippedExtension(LowerCaseAll(e) == e ? UpperCaseAll(e) : e)) << Narrow(e);
    }
    for (const std::u16string e : {u"txt", u"docx", u"htm", u"", u"jpeg", u"xlsx", u"json"})
        EXPECT_FALSE(IsSkippedExtension(e)) << Narrow(e);
    EXPECT_EQ(ExtensionOf(u"a.b.JPG"), u"JPG");
    EXPECT_EQ(ExtensionOf(u"readme"), u"");
    EXPECT_EQ(ExtensionOf(u"file."), u"");
}

TEST(FilePatterns, IsFileToBeScanned) {
    struct Case {
        std::u16string patterns, exclusions, path;
        bool scanned;
    };
    const std::vector<Case> cases = {
        {u"", u"", u"/d/a.txt", true},
        {u"", u"", u"/d/readme", true},
        {u"", u"", u"/d/photo.jpg", false},
        {u"*.jpg", u"", u"/d/photo.JPG", false}, // whatever the patterns
        {u"", u"", u"/d/old.doc", false},
        {u"", u"", u"/d/new.docx", true},
        {u"*.txt", u"", u"/d/a.txt", true},
        {u"*.txt", u"", u"/d/a.htm", false},
        {u"*.txt *.htm", u"", u"/d/a.htm", true},
        {u"A*.TXT", u"", u"/d/abc.txt", true},
        {u"*.txt", u"", u"/d.txt/readme", false}, // the name is matched, not the path
        {u"", u"backup", u"/d/backup/a.txt", false},
        {u"", u"backup", u"/d/Backup2/a.txt", false},
        {u"", u"backup", u"/d/a.backup.txt", false},
        {u"", u"backup", u"/d/a.txt", true},
        {u"", u"backup old", u"/d/OLD/a.txt", false},
    };
    for (const auto& c : cases) {
        Settings s;
        s.FileFilepathSpecifications[0] = c.patterns;
        s.FileFilepathSpecifications[1] = c.exclusions;
        EXPECT_EQ(IsFileToBeScanned(c.path, FileSelection::FromSettings(s)), c.scanned)
            << Narrow(c.path) << " with " << Narrow(c.patterns) << " / " << Narrow(c.exclusions);
    }
}

// ---------------------------------------------------------------------------------------
// Folder trees

class TempTree {
public:
    TempTree() {
        static std::atomic<int> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = fs::temp_directory_path() /
                ("lxty-folderscan-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        fs::create_directories(root_);
    }
    ~TempTree() {
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto& p : fs::recursive_directory_iterator(
                 root_, fs::directory_options::skip_permission_denied, ec))
            fs::permissions(p.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }
    const fs::path& root() const { return root_; }
    std::u16string Text() const { return ShownPath(root_); }
    std::u16string Text(const std::string& rel) const { return ShownPath(root_ / rel); }
    void File(const std::string& rel, const std::string& content = "text") const {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << content;
    }
    void Dir(const std::string& rel) const { fs::create_directories(root_ / rel); }

private:
    fs::path root_;
};

struct RecordingClient : FolderWalkClient {
    std::vector<std::u16string> processed;
    std::vector<std::int64_t> numbers;
    std::vector<std::u16string> sets;
    std::u16string appended;
    std::function<void(std::int64_t)> onFile;

    void ProcessFile(const fs::path& file, const std::u16string& shownPath,
                     std::int64_t fileNumber) override {
        EXPECT_EQ(ShownPath(file), shownPath);
        processed.push_back(shownPath);
        numbers.push_back(fileNumber);
        if (onFile)
            onFile(fileNumber);
    }
    void OutputAppend(const std::u16string& text) override { appended += text; }
    void OutputSet(const std::u16string& text) override { sets.push_back(text); }
};

struct WalkFixture {
    FakeHost host;
    RunState state;
    RecordingClient client;
    Settings settings;

    std::vector<std::u16string> Process(const std::u16string& folder, bool subfolders,
                                        std::u16string countOnly = u"") {
        FolderWalk walk(host, state, FileSelection::FromSettings(settings), client);
        walk.Run(folder, {WalkPass::Processing, subfolders, countOnly});
        return client.processed;
    }
};

TEST(FolderValidation, Messages) {
    TempTree t;
    t.File("only/sub/a.txt");
    t.File("full/a.txt");
    t.Dir("full/deeper");
    t.Dir("ab");
    struct Case {
        std::u16string folder;
        std::u16string output;
        int disable;
        int subfolders;
        std::u16string text, title;
        MsgIcon icon;
    };
    const std::u16string inside = u"The output file cannot be in the folder or a subfolder.";
    const std::vector<Case> cases = {
        {u"", u"", 0, 0, u"Folder not specified.", u"Error", MsgIcon::Exclamation},
        {t.Text("missing"), u"", 0, 0, u"Folder does not exist", u"Invalid input",
         MsgIcon::Exclamation},
        {t.Text("full/a.txt"), u"", 0, 0, u"Folder does not exist", u"Invalid input",
         MsgIcon::Exclamation},
        // Files only in a subfolder: refused even with subfolders included.
        {t.Text("only"), u"", 0, 1, u"Folder contains no files.", u"Nothing to do",
         MsgIcon::Information},
        {t.Text("full"), u"", 0, 0, u"", u"", MsgIcon::None},
        {t.Text("full"), t.Text("full/out.txt"), 0, 0, inside, u"Invalid output file",
         MsgIcon::Information},
        {t.Text("full"), t.Text("full/out.txt"), 0, 1, inside, u"Invalid output file",
         MsgIcon::Information},
        {t.Text("full"), UpperCaseAll(t.Text("full")) + u"/OUT.TXT", 0, 0, inside,
         u"Invalid output file", MsgIcon::Information},
        {t.Text("full"), t.Text("full/deeper/out.txt"), 0, 1, inside, u"Invalid output file",
         MsgIcon::Information},
        {t.Text("full"), t.Text("full/deeper/out.txt"), 0, 0, u"", u"", MsgIcon::None},
        {t.Text("full"), t.Text("full/../full/deeper/out.txt"), 0, 1, inside,
         u"Invalid output file", MsgIcon::Information},
        // Output disabled: where it would go does not matter.
        {t.Text("full"), t.Text("full/out.txt"), 1, 1, u"", u"", MsgIcon::None},
        {t.Text("full"), t.Text("out.txt"), 0, 1, u"", u"", MsgIcon::None},
    };
    for (const auto& c : cases) {
        Settings s;
        s.Folder = c.folder;
        s.File[1] = c.output;
        s.DisableOutputToFile = c.disable;
        s.IncludeSubfolders = c.subfolders;
        FakeHost host;
        const bool ok = ValidateFolder(host, s);
        EXPECT_EQ(ok, c.text.empty()) << Narrow(c.folder) << " / " << Narrow(c.output);
        if (c.text.empty()) {
            EXPECT_TRUE(host.messages.empty()) << Narrow(c.folder) << " / " << Narrow(c.output);
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << Narrow(c.folder);
            EXPECT_EQ(host.messages[0].text, c.text);
            EXPECT_EQ(host.messages[0].title, c.title);
            EXPECT_EQ(host.messages[0].icon, c.icon);
        }
    }
}

TEST(FolderValidation, SiblingWithLongerNameIsNotInside) {
    TempTree t;
    t.File("a/x.txt");
    t.Dir("ab");
    Settings s;
    s.Folder = t.Text("a");
    s.File[1] = t.Text("ab/out.txt");
    s.IncludeSubfolders = 1;
    FakeHost host;
    EXPECT_TRUE(ValidateFolder(host, s));
    EXPECT_TRUE(host.messages.empty());
}

TEST(FolderWalkTest, SelectsAndOrdersFiles) {
    TempTree t;
    t.File("b.txt");
    t.File("A.txt");
    t.File("c.htm");
    t.File("photo.jpg");
    t.File("style.CSS");
    t.File("empty.txt", "");
    t.File("readme");
    t.File("sub/z.txt");
    t.File("sub/m.txt");
    t.File("Backup/old.txt");
    t.File("sub/backup2/older.txt");
    t.File("$RECYCLE.BIN/deleted.txt");
    t.File("my recycle.bin stuff/deleted.txt");
    t.File("a-sub/first.txt");

    WalkFixture f;
    f.settings.FileFilepathSpecifications[1] = u"backup";
    const std::u16string r = t.Text();
    const auto all = f.Process(r, true);
    // Files before subfolders, both in name order ignoring case; skipped extensions,
    // exclusions, empty files and recycle bins left out.
    const std::vector<std::u16string> expected = {
        r + u"/A.txt",           r + u"/b.txt",     r + u"/c.htm",     r + u"/readme",
        r + u"/a-sub/first.txt", r + u"/sub/m.txt", r + u"/sub/z.txt",
    };
    EXPECT_EQ(all, expected);
    EXPECT_EQ(f.client.numbers, (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(f.host.labels["lblFile"], r + u"/sub/z.txt");
    EXPECT_EQ(f.host.labels["lblFilesize"], u"");

    WalkFixture g;
    g.settings.FileFilepathSpecifications[0] = u"*.txt";
    EXPECT_EQ(g.Process(r, false), (std::vector<std::u16string>{r + u"/A.txt", r + u"/b.txt"}));

    // A trailing separator on the folder builds the same paths.
    WalkFixture h;
    h.settings.FileFilepathSpecifications[0] = u"*.txt";
    EXPECT_EQ(h.Process(r + u"/", false),
              (std::vector<std::u16string>{r + u"/A.txt", r + u"/b.txt"}));
}

TEST(FolderWalkTest, KeptDocxTextCopiesAreNotCountedAgain) {
    TempTree t;
    t.File("Report.DOCX", "PK\x03\x04 not really");
    t.File("notes.txt");
    t.File("extracted_text/report.txt"); // the copy of Report.DOCX
    t.File("extracted_text/notes.txt");  // no notes.docx: a file of the person's own
    t.File("extracted_text/other.htm");
    t.File("sub/extracted_text/report.txt"); // no document beside it
    WalkFixture f;
    const std::u16string r = t.Text();
    EXPECT_EQ(f.Process(r, true),
              (std::vector<std::u16string>{
                  r + u"/notes.txt", r + u"/Report.DOCX", r + u"/extracted_text/notes.txt",
                  r + u"/extracted_text/other.htm", r + u"/sub/extracted_text/report.txt"}));
    // Walking the copies' folder itself reads them.
    WalkFixture g;
    EXPECT_EQ(g.Process(t.Text("extracted_text"), false).size(), 3u);
}

TEST(FolderWalkTest, ExcludedFolderIsSkippedWithEverythingBelow) {
    TempTree t;
    t.File("keep/a.txt");
    t.File("keep/backup/b.txt");
    t.File("keep/backup/deeper/c.txt");
    WalkFixture f;
    f.settings.FileFilepathSpecifications[1] = u"BACKUP";
    EXPECT_EQ(f.Process(t.Text(), true), (std::vector<std::u16string>{t.Text("keep/a.txt")}));

    // An exclusion that names the folder itself leaves nothing.
    WalkFixture g;
    g.settings.FileFilepathSpecifications[1] = u"keep";
    EXPECT_TRUE(g.Process(t.Text("keep"), true).empty());
}

TEST(FolderWalkTest, CountingPassCountsAndShowsProgress) {
    TempTree t;
    for (int i = 0; i < 12; ++i)
        t.File("f" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt");
    t.File("sub/g.txt");
    t.File("sub/deeper/h.txt");
    t.Dir("sub/empty");

    FakeHost host;
    RunState state;
    RecordingClient client;
    FolderWalk walk(host, state, FileSelection{}, client);
    walk.Run(t.Text(), {WalkPass::Counting, true, u""});
    EXPECT_EQ(walk.FilesCounted(), 14);
    EXPECT_EQ(walk.FoldersCounted(), 4);
    EXPECT_TRUE(client.processed.empty()); // no file is read in the counting pass
    std::vector<std::u16string> shown;
    for (const auto& s : client.sets)
        if (shown.empty() || shown.back() != s)
            shown.push_back(s);
    const std::vector<std::u16string> expected = {
        u"Counting files . . .1", u"Counting files . . .2", u"Counting files . . .3",
        u"Counting files . . .4", u"Counting files . . .5", u"Counting files . . .6",
        u"Counting files . . .7", u"Counting files . . .8", u"Counting files . . .9",
        u"Counting files . . .10"};
    EXPECT_EQ(shown, expected);
    EXPECT_GE(host.yields, 14);

    walk.Run(t.Text(), {WalkPass::Counting, false, u""});
    EXPECT_EQ(walk.FilesCounted(), 12);
    EXPECT_EQ(walk.FoldersCounted(), 1);
}

TEST(FolderWalkTest, StopEndsTheWalk) {
    TempTree t;
    t.File("a.txt");
    t.File("b.txt");
    t.File("c.txt");
    t.File("sub/d.txt");
    WalkFixture f;
    f.client.onFile = [&](std::int64_t n) {
        if (n == 2)
            f.state.blnStop = true;
    };
    EXPECT_EQ(f.Process(t.Text(), true),
              (std::vector<std::u16string>{t.Text("a.txt"), t.Text("b.txt")}));

    // A stop requested while counting (from the host's event loop) ends the counting pass.
    FakeHost host;
    RunState state;
    RecordingClient client;
    host.onYield = [&] {
        if (host.yields == 3)
            state.blnStop = true;
    };
    FolderWalk walk(host, state, FileSelection{}, client);
    walk.Run(t.Text(), {WalkPass::Counting, true, u""});
    EXPECT_EQ(walk.FilesCounted(), 3);
}

TEST(FolderWalkTest, CountOnlyFileAmongTheFiles) {
    TempTree t;
    t.File("a.txt");
    t.File("words.txt");
    t.File("z.txt");
    FakeHost host;
    RunState state;
    RecordingClient client;
    FolderWalk walk(host, state, FileSelection{}, client);
    walk.Run(t.Text(), {WalkPass::Counting, false, UpperCaseAll(t.Text("words.txt"))});
    EXPECT_TRUE(state.blnStop);
    EXPECT_EQ(walk.FilesCounted(), 1);
    EXPECT_EQ(walk.KeptMessage(),
              u"The file " + t.Text("words.txt") +
                  u"\r\nis among the files to be scanned.\r\n"
                  u"But this file is the same as the count-only words/phrases file\r\n"
                  u"currently specified in the Settings panel. This is not permitted.");
    EXPECT_TRUE(host.messages.empty()); // kept for the output window, not shown
}

TEST(FolderWalkTest, LinkLoopIsNotFollowed) {
    TempTree t;
    t.File("a.txt");
    t.File("sub/b.txt");
    t.File("outside/c.txt");
    std::error_code ec;
    fs::create_directory_symlink(t.root(), t.root() / "sub" / "loop", ec);
    if (ec)
        GTEST_SKIP() << "links cannot be made here";
    fs::create_directory_symlink(t.root() / "sub", t.root() / "sub" / "self", ec);
    fs::create_directory_symlink(t.root() / "outside", t.root() / "sub" / "elsewhere", ec);

    WalkFixture f;
    const std::u16string r = t.Text();
    // outside/c.txt is met twice, once through the link that does not lead back into the walk.
    EXPECT_EQ(f.Process(r, true),
              (std::vector<std::u16string>{r + u"/a.txt", r + u"/outside/c.txt", r + u"/sub/b.txt",
                                           r + u"/sub/elsewhere/c.txt"}));
}

TEST(FolderWalkTest, BrokenLinksAreSkippedAndFileLinksRead) {
    TempTree t;
    t.File("a.txt");
    t.File("target/real.txt");
    std::error_code ec;
    fs::create_symlink(t.root() / "nowhere.txt", t.root() / "broken.txt", ec);
    if (ec)
        GTEST_SKIP() << "links cannot be made here";
    fs::create_symlink(t.root() / "target" / "real.txt", t.root() / "linked.txt", ec);
    WalkFixture f;
    EXPECT_EQ(f.Process(t.Text(), false),
              (std::vector<std::u16string>{t.Text("a.txt"), t.Text("linked.txt")}));
}

TEST(FolderWalkTest, UnreadableFolderIsSkipped) {
    TempTree t;
    t.File("a.txt");
    t.File("locked/secret.txt");
    t.File("z/b.txt");
    fs::permissions(t.root() / "locked", fs::perms::none);
    std::error_code ec;
    fs::directory_iterator probe(t.root() / "locked", ec);
    if (!ec)
        GTEST_SKIP() << "permissions are not enforced for this user";
    WalkFixture f;
    EXPECT_EQ(f.Process(t.Text(), true),
              (std::vector<std::u16string>{t.Text("a.txt"), t.Text("z/b.txt")}));
}

TEST(FolderListing, LinesAndShortening) {
    struct Case {
        std::u16string folder, path;
        std::uintmax_t size;
        std::u16string header, line;
    };
    const std::vector<Case> cases = {
        // 13 characters: full paths.
        {u"/abc/defghijk", u"/abc/defghijk/a.txt", 10, u"", u"/abc/defghijk/a.txt [10 bytes]\r\n"},
        // 14 characters: the header and "{Folder}".
        {u"/abc/defghijkl", u"/abc/defghijkl/sub/a.txt", 1536, u"{Folder} = /abc/defghijkl\r\n\r\n",
         u"{Folder}/sub/a.txt [1.50 Kb]\r\n"},
        {u"/abc/defghijkl/", u"/abc/defghijkl/a.txt", 1048576, u"{Folder} = /abc/defghijkl\r\n\r\n",
         u"{Folder}/a.txt [1.00 Mb]\r\n"},
        {u"/a", u"/a/b.txt", 1023, u"", u"/a/b.txt [1,023 bytes]\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListingHeader(c.folder), c.header) << Narrow(c.folder);
        EXPECT_EQ(ListingLine(c.folder, c.path, c.size), c.line) << Narrow(c.folder);
    }
    EXPECT_EQ(ListingFooter(0, 1), u"\r\nNo files will be scanned.");
    EXPECT_EQ(ListingFooter(1, 1), u"\r\n1 file in 1 folder will be scanned.\r\n");
    EXPECT_EQ(ListingFooter(3, 2), u"\r\n3 files in 2 folders will be scanned.\r\n");
}

TEST(FolderListing, ListingPassWritesOneLinePerFile) {
    TempTree t;
    t.File("b.txt", std::string(2048, 'x'));
    t.File("a.txt", "12345");
    t.File("skip.jpg", "12345");
    t.File("sub/c.txt", "1");
    FakeHost host;
    RunState state;
    RecordingClient client;
    FolderWalk walk(host, state, FileSelection{}, client);
    walk.Run(t.Text(), {WalkPass::Listing, true, u""});
    const std::u16string r = t.Text();
    ASSERT_GT(r.size(), 13u); // a temporary folder is always long enough to be shortened
    EXPECT_EQ(client.appended, u"{Folder}/a.txt [5 bytes]\r\n"
                               u"{Folder}/b.txt [2.00 Kb]\r\n"
                               u"{Folder}/sub/c.txt [1 bytes]\r\n");
    EXPECT_TRUE(client.sets.empty()); // no "Counting files" counter while listing
    EXPECT_TRUE(client.processed.empty());
    EXPECT_EQ(walk.FilesCounted(), 3);
    EXPECT_EQ(walk.FoldersCounted(), 2);
}

TEST(FolderListing, ThirteenAndFourteenCharacterFolders) {
    TempTree t;
    t.File("d234567890123/a.txt", "12");
    t.File("d2345678901234/a.txt", "12");
    const fs::path before = fs::current_path();
    fs::current_path(t.root()); // relative folder texts of an exact length
    struct Case {
        std::u16string folder, listing;
    };
    const std::vector<Case> cases = {
        {u"d234567890123", u"d234567890123/a.txt [2 bytes]\r\n"},
        {u"d2345678901234", u"{Folder} = d2345678901234\r\n\r\n{Folder}/a.txt [2 bytes]\r\n"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        RunState state;
        RecordingClient client;
        FolderWalk walk(host, state, FileSelection{}, client);
        client.OutputAppend(ListingHeader(c.folder));
        walk.Run(c.folder, {WalkPass::Listing, false, u""});
        client.OutputAppend(ListingFooter(walk.FilesCounted(), walk.FoldersCounted()));
        EXPECT_EQ(client.appended, c.listing + u"\r\n1 file in 1 folder will be scanned.\r\n")
            << Narrow(c.folder);
    }
    fs::current_path(before);
}

TEST(FolderHelpers, CountsAndFolders) {
    TempTree t;
    t.File("a.txt", "123");
    t.File("b.htm", "12345");
    t.File("noext", "1");
    t.File("sub/c.txt");
    t.Dir("other");
    EXPECT_EQ(CountFiles(t.root()).files, 3);
    EXPECT_EQ(CountFiles(t.root(), u"*.*", false, true).totalSize, 9u);
    EXPECT_EQ(CountFiles(t.root(), u"*.txt").files, 1);
    EXPECT_EQ(CountFiles(t.root(), u"*.*", true).files, 1);
    EXPECT_EQ(CountFiles(t.root() / "missing").files, 0);
    EXPECT_EQ(CountSubfolders(t.root()), 2);
    EXPECT_TRUE(FileExists(t.root() / "a.txt"));
    EXPECT_FALSE(FileExists(t.root() / "sub"));
    EXPECT_TRUE(FolderExists(t.root() / "sub"));
    EXPECT_FALSE(FolderExists(t.root() / "a.txt"));
    EXPECT_TRUE(CreateFolderPath(t.root() / "x" / "y" / "z"));
    EXPECT_TRUE(FolderExists(t.root() / "x" / "y" / "z"));
    EXPECT_FALSE(CreateFolderPath(t.root() / "a.txt" / "below"));
}

} // namespace
} // namespace lxty
