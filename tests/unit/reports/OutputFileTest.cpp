// The output file: the decision with its overwrite question, writing, the error numbers of
// failures and their reports, and choosing the file.

#include "reports/OutputFile.h"
#include "ReportRig.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

namespace lxty {
namespace {

using test::N;
using Lines = std::vector<std::string>;

struct OutputFileTest : ::testing::Test {
    static void SetUpTestSuite() { test::LoadTexts(); }
    OutputFileTest() { std::ofstream(dir / "exists.txt") << "old"; }
    ~OutputFileTest() override { // the read-only folder must become writable to go
        std::error_code ec;
        fs::permissions(dir / "ro", fs::perms::owner_all, fs::perm_options::add, ec);
    }
    std::u16string InDir(const std::string& name) const { return TextFromPath(dir / name); }

    test::TempDir dir{"lxty-outputfile"};
};

TEST_F(OutputFileTest, Decision) {
    fs::create_directories(dir / "Other Case");
    const std::u16string existing = InDir("exists.txt");
    struct Case {
        std::string name;
        std::u16string file;
        int disabled, warn;
        bool asked;
        std::optional<std::u16string> answer;
        bool expected;
        int disabledAfter;
        std::u16string fileAfter;
        std::string shown; // "" none
    };
    const std::string noFolder = "Error|Folder does not exist.";
    const Case cases[] = {
        {"no file named", u"", 0, 1, false, {}, false, 0, u"", ""},
        {"output switched off", existing, 1, 1, false, {}, false, 1, existing, ""},
        {"new file, warning on", InDir("new.txt"), 0, 1, false, {}, true, 0, InDir("new.txt"), ""},
        {"existing file, warning off", existing, 0, 0, false, {}, true, 0, existing, ""},
        {"OK keeps the path", existing, 0, 1, true, existing, true, 0, existing, ""},
        {"Cancel turns file output off", existing, 0, 1, true, std::nullopt, false, 1, existing,
         ""},
        {"emptied field", existing, 0, 1, true, u"", false, 1, existing, ""},
        {"blanks only", existing, 0, 1, true, u"   ", false, 1, existing, ""},
        {"other file, trimmed, case kept", existing, 0, 1, true,
         u"  " + InDir("Other Case/Report.TXT") + u" ", true, 0, InDir("Other Case/Report.TXT"),
         ""},
        {"folder missing", existing, 0, 1, true, InDir("missing/out.txt"), false, 1, existing,
         noFolder},
        {"folder differs only in case", existing, 0, 1, true, InDir("other case/out.txt"), false, 1,
         existing, noFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ReportRig r;
        r.settings.File[1] = c.file;
        r.settings.DisableOutputToFile = c.disabled;
        r.settings.WarnOnOverwrite = c.warn;
        r.run.blnOutputFile = !c.expected;
        if (c.asked)
            r.host.inputs.push_back(c.answer);
        EXPECT_EQ(c.expected, DecideOutputFile(r.out));
        EXPECT_EQ(c.expected, r.run.blnOutputFile);
        EXPECT_EQ(c.asked ? 1u : 0u, r.host.inputPrompts.size());
        if (c.asked)
            EXPECT_EQ(u"To overwrite the current output file click on 'OK'.\r\nTo write to a "
                      u"different file edit the filepath below.\r\nTo disable file output click "
                      u"on 'Cancel'.",
                      r.host.inputPrompts[0]);
        EXPECT_EQ(c.disabledAfter, r.settings.DisableOutputToFile);
        EXPECT_EQ(c.fileAfter, r.settings.File[1]);
        EXPECT_EQ(c.shown.empty() ? Lines{} : Lines{c.shown}, r.Shown());
        if (!c.shown.empty())
            EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
    }
}

TEST_F(OutputFileTest, OverwriteQuestionIsTitledAndOffersTheCurrentPath) {
    struct TitleHost : test::FakeHost {
        std::u16string title, defaultAnswer;
        std::optional<std::u16string> InputBox(const std::u16string& prompt,
                                               const std::u16string& t,
                                               const std::u16string& d) override {
            title = t;
            defaultAnswer = d;
            return test::FakeHost::InputBox(prompt, t, d);
        }
    } h;
    test::ReportRig r;
    OutputContext cx{h, r.settings, r.run, r.tw, r.report};
    r.settings.File[1] = InDir("exists.txt");
    r.settings.WarnOnOverwrite = 1;
    EXPECT_TRUE(DecideOutputFile(cx));
    EXPECT_EQ(u"The output file exists.", h.title);
    EXPECT_EQ(InDir("exists.txt"), h.defaultAnswer);
}

TEST_F(OutputFileTest, WritesUtf8LinesAndReplacesAnExistingFile) {
    std::ofstream(dir / "out.txt") << "a much longer old content that must disappear";
    OutputFile f;
    ASSERT_TRUE(f.Open(dir / "out.txt"));
    EXPECT_TRUE(f.WriteLine(u"Rank\tFreq\tWord"));
    EXPECT_TRUE(f.Write(u"caf\u00e9, "));
    EXPECT_TRUE(f.Write(u"\u03bb\u03cc\u03b3\u03bf\u03c2"));
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.Failed());
    EXPECT_EQ("Rank\tFreq\tWord\r\ncaf\xc3\xa9, \xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82",
              test::ReadBytes(dir / "out.txt"));
}

TEST_F(OutputFileTest, ErrorNumbersOfSystemErrors) {
    const std::pair<int, FileError> cases[] = {
        {EACCES, {70, u"Permission denied"}},
        {EPERM, {70, u"Permission denied"}},
        {EROFS, {70, u"Permission denied"}},
        {ETXTBSY, {70, u"Permission denied"}},
        {EBUSY, {70, u"Permission denied"}},
        {ENOSPC, {61, u"Disk full"}},
        {EDQUOT, {61, u"Disk full"}},
        {ENOENT, {76, u"Path not found"}},
        {ENOTDIR, {76, u"Path not found"}},
        {EIO, {57, u"Device I/O error"}},
        {EMFILE, {67, u"Too many files"}},
        {ENAMETOOLONG, {52, u"Bad file name or number"}},
        {EISDIR, {75, u"Path/File access error"}},
        {0, {75, u"Path/File access error"}},
    };
    for (const auto& [err, expected] : cases)
        EXPECT_EQ(expected, FileErrorFromErrno(err)) << err;
    // Failures to open: a missing folder, a folder.
    OutputFile missingFolder, folder;
    EXPECT_FALSE(missingFolder.Open(dir / "missing" / "out.txt"));
    EXPECT_EQ((FileError{76, u"Path not found"}), missingFolder.Error());
    EXPECT_FALSE(missingFolder.WriteLine(u"x"));
    EXPECT_FALSE(folder.Open(dir.path()));
    EXPECT_EQ((FileError{75, u"Path/File access error"}), folder.Error());
}

TEST_F(OutputFileTest, UnwritablePathIsPermissionDenied) {
    // A read-only folder (not for root, who may write anywhere on an ordinary file system),
    // else a folder of the kernel's sysfs.
    fs::create_directories(dir / "ro");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    std::optional<fs::path> path;
    for (const fs::path& p : {dir / "ro" / "out.txt", fs::path("/sys/kernel/lxty-out.txt")}) {
        std::ofstream probe(p);
        if (!probe.is_open() && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            path = p;
            break;
        }
        probe.close();
        std::error_code ec;
        fs::remove(p, ec);
    }
    if (!path)
        GTEST_SKIP() << "no unwritable path on this machine";
    OutputFile f;
    EXPECT_FALSE(f.Open(*path));
    ASSERT_TRUE(f.Error());
    EXPECT_EQ(70, f.Error()->number);
    test::ReportRig r;
    ReportOutputFileError(r.out, *f.Error());
    EXPECT_EQ("Permission denied|Perhaps the output file\r\nis in use by another application.",
              r.Only());
    EXPECT_EQ(MsgIcon::Information, r.host.messages[0].icon);
}

TEST_F(OutputFileTest, FullDiskFailsAtTheWriteOrTheCloseAndIsReportedAsListWordsError) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    OutputFile f;
    ASSERT_TRUE(f.Open("/dev/full"));
    f.WriteLine(u"Rank\tFreq\tWord");
    EXPECT_FALSE(f.Close());
    EXPECT_EQ((FileError{61, u"Disk full"}), f.Error());
    test::ReportRig r;
    ReportOutputFileError(r.out, *f.Error());
    EXPECT_EQ(N(GetText(97)) + "|At ListWords error #61.\r\nDescription: Disk full", r.Only());
    EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
}

TEST(OutputFile, FolderMembershipIsByWholeComponents) {
    struct Case {
        std::string path, folder;
        bool inside;
    };
    const Case cases[] = {
        {"/data/texts/out.txt", "/data/texts", true},
        {"/data/texts/sub/out.txt", "/data/texts", true},
        {"/data/texts/out.txt", "/data/texts/", true},
        {"/data/textsout.txt", "/data/texts", false},
        {"/data/ab.txt", "/data/a", false},
        {"/data/out.txt", "/data/texts", false},
        {"/data/texts/../out.txt", "/data/texts", false},
        {"/data/out.txt", "", false},
        {"/out.txt", "/", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, IsInFolder(c.path, c.folder)) << c.path << " in " << c.folder;
}

TEST(OutputFile, ChoosingTheOutputFile) {
    struct Case {
        std::string name;
        SourceKind source;
        std::optional<std::u16string> chosen;
        bool returned;
        std::u16string fileAfter;
        int disabledAfter;
        bool refused;
    };
    const Case cases[] = {
        {"cancelled", SourceKind::Folder, std::nullopt, false, u"/old/out.txt", 1, false},
        {"outside the folder", SourceKind::Folder, u"/data/ab.txt", true, u"/data/ab.txt", 0,
         false},
        {"inside the folder", SourceKind::Folder, u"/data/a/out.txt", true, u"", 1, true},
        {"in a subfolder", SourceKind::Folder, u"/data/a/b/out.txt", true, u"", 1, true},
        {"single-file source", SourceKind::InFile, u"/data/a/out.txt", true, u"/data/a/out.txt", 0,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ReportRig r;
        r.settings.Source = c.source;
        r.settings.Folder = u"/data/a";
        r.settings.File[1] = u"/old/out.txt";
        r.settings.DisableOutputToFile = 1;
        r.host.chosenPaths.push_back(c.chosen);
        EXPECT_EQ(c.returned, ChooseOutputFile(r.out));
        EXPECT_EQ(c.fileAfter, r.settings.File[1]);
        EXPECT_EQ(c.disabledAfter, r.settings.DisableOutputToFile);
        EXPECT_EQ(c.refused ? Lines{"Invalid output file|The output file cannot be in the folder "
                                    "or a subfolder"}
                            : Lines{},
                  r.Shown());
        if (c.refused)
            EXPECT_EQ(MsgIcon::Information, r.host.messages[0].icon);
    }
    Settings s;
    s.File[1] = u"/x";
    s.DisableOutputToFile = 1;
    ClearOutputFile(s);
    EXPECT_EQ(u"", s.File[1]);
    EXPECT_EQ(0, s.DisableOutputToFile);
}

} // namespace
} // namespace lxty
