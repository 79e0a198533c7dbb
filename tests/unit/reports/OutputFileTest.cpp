// The output file: the decision with its overwrite question, writing, the error numbers of
// failures and their reports, and choosing the file.

#include "reports/OutputFile.h"
#include "FileSizeLimit.h"
#include "Golden.h"
#include "ReportRig.h"

#include <cerrno>

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

// What the decision returns and leaves, with the questions and messages, compared with
// tests/data/reports/output_file.txt.
TEST_F(OutputFileTest, Decision) {
    fs::create_directories(dir / "Other Case");
    const std::u16string existing = InDir("exists.txt");
    using Answer = std::optional<std::u16string>; // to the overwrite question; none: Cancel
    struct Case {
        std::string name;
        std::u16string file;
        int disabled, warn;
        std::optional<Answer> answer; // none: not scripted
    };
    const Case cases[] = {
        {"no file named", u"", 0, 1, {}},
        {"output switched off", existing, 1, 1, {}},
        {"new file, warning on", InDir("new.txt"), 0, 1, {}},
        {"existing file, warning off", existing, 0, 0, {}},
        {"OK keeps the path offered", existing, 0, 1, {}},
        {"Cancel turns file output off", existing, 0, 1, Answer()},
        {"emptied field", existing, 0, 1, Answer(u"")},
        {"blanks only", existing, 0, 1, Answer(u"   ")},
        {"other file, trimmed, case kept", existing, 0, 1,
         Answer(u"  " + InDir("Other Case/Report.TXT") + u" ")},
        {"folder missing", existing, 0, 1, Answer(InDir("missing/out.txt"))},
        {"folder differs only in case", existing, 0, 1, Answer(InDir("other case/out.txt"))},
    };
    test::Golden g("reports/output_file", "decision/");
    for (const auto& c : cases) {
        test::ReportRig r;
        r.settings.File[1] = c.file;
        r.settings.DisableOutputToFile = c.disabled;
        r.settings.WarnOnOverwrite = c.warn;
        if (c.answer)
            r.host.inputs.push_back(*c.answer);
        const bool decided = DecideOutputFile(r.out);
        EXPECT_EQ(decided, r.run.blnOutputFile) << c.name;
        std::string got = "decided " + std::to_string(decided) + ", disabled " +
                          std::to_string(r.settings.DisableOutputToFile) + ", file " +
                          N(r.settings.File[1]) + "\n";
        for (std::size_t i = 0; i < r.host.inputPrompts.size(); ++i)
            got += "asked: " + N(r.host.inputTitles[i] + u"|" + r.host.inputPrompts[i]) + "\n";
        g.Add(c.name, test::Named(got + r.Said(), dir.path(), "{dir}"));
    }
    g.Check();
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
    EXPECT_EQ("Rank\tFreq\tWord\ncaf\xc3\xa9, \xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82",
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
    // Failures to open: a missing folder.
    OutputFile missingFolder;
    EXPECT_FALSE(missingFolder.Open(dir / "missing" / "out.txt"));
    EXPECT_EQ((FileError{76, u"Path not found"}), missingFolder.Error());
    EXPECT_FALSE(missingFolder.WriteLine(u"x"));
    // A folder or a device is never written, nor replaced; a read-only file is refused.
    for (const fs::path& special : {dir.path(), fs::path("/dev/null")}) {
        OutputFile f;
        EXPECT_FALSE(f.Open(special)) << special;
        EXPECT_EQ((FileError{75, u"Path/File access error"}), f.Error()) << special;
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    std::ofstream(dir / "ro.txt") << "kept";
    fs::permissions(dir / "ro.txt", fs::perms::owner_read);
    OutputFile readOnly;
    EXPECT_FALSE(readOnly.Open(dir / "ro.txt"));
    EXPECT_EQ((FileError{70, u"Permission denied"}), readOnly.Error());
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
    EXPECT_EQ("Permission denied|Perhaps the output file\nis in use by another application.",
              r.Only());
    EXPECT_EQ(MsgIcon::Information, r.host.messages[0].icon);
}

TEST_F(OutputFileTest, FullDiskLeavesThePreviousFileAndIsReportedAsListWordsError) {
    std::ofstream(dir / "out.txt") << "previous report";
    OutputFile f;
    {
        test::FileSizeLimit full(64);
        ASSERT_TRUE(f.Open(dir / "out.txt"));
        f.WriteLine(std::u16string(100, u'x'));
        EXPECT_FALSE(f.Close());
    }
    EXPECT_EQ((FileError{61, u"Disk full"}), f.Error());
    EXPECT_EQ("previous report", test::ReadBytes(dir / "out.txt"));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(dir.path()), {})); // no temporary file
    test::ReportRig r;
    ReportOutputFileError(r.out, *f.Error());
    EXPECT_EQ(N(GetText(TextId::Error)) + "|At ListWords error #61.\nDescription: Disk full",
              r.Only());
    EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
}

TEST_F(OutputFileTest, ContentReplacesTheTargetOnlyWhenClosed) {
    std::ofstream(dir / "out.txt") << "previous report";
    fs::create_symlink(dir / "out.txt", dir / "link.txt");
    fs::permissions(dir / "out.txt", fs::perms::owner_read | fs::perms::owner_write);
    {
        OutputFile abandoned; // a write that never closes leaves the old file
        ASSERT_TRUE(abandoned.Open(dir / "out.txt"));
        abandoned.WriteLine(u"half");
    }
    EXPECT_EQ("previous report", test::ReadBytes(dir / "out.txt"));
    OutputFile f;
    ASSERT_TRUE(f.Open(dir / "link.txt"));
    f.WriteLine(u"new");
    EXPECT_EQ("previous report", test::ReadBytes(dir / "out.txt"));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ("new\n", test::ReadBytes(dir / "out.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt")); // replaced behind the link
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
              fs::status(dir / "out.txt").permissions());
    EXPECT_EQ(3, std::distance(fs::directory_iterator(dir.path()), {})); // with exists.txt
}

TEST(OutputFile, FolderMembershipIsByWholeComponents) {
    test::ExpectCases("cases/in-folder.txt", "", [](const test::Row& in) {
        return test::YesNo(IsInFolder(U16ToUtf8(in.at(0)), U16ToUtf8(in.at(1))));
    });
}

TEST(OutputFile, ChoosingTheOutputFile) {
    const std::pair<SourceKind, std::optional<std::u16string>> cases[] = {
        {SourceKind::Folder, std::nullopt},         // cancelled
        {SourceKind::Folder, u"/data/ab.txt"},      // outside the folder
        {SourceKind::Folder, u"/data/a/out.txt"},   // inside: refused
        {SourceKind::Folder, u"/data/a/b/out.txt"}, // in a subfolder: refused
        {SourceKind::InFile, u"/data/a/out.txt"},   // a single-file source: accepted
    };
    test::Golden g("reports/output_file", "choosing/");
    for (const auto& [source, chosen] : cases) {
        test::ReportRig r;
        r.settings.Source = source;
        r.settings.Folder = u"/data/a";
        r.settings.File[1] = u"/old/out.txt";
        r.settings.DisableOutputToFile = 1;
        r.host.chosenPaths.push_back(chosen);
        const bool returned = ChooseOutputFile(r.out);
        g.Add(std::to_string(static_cast<int>(source)) + " " + N(chosen.value_or(u"cancelled")),
              "returned " + std::to_string(returned) + ", disabled " +
                  std::to_string(r.settings.DisableOutputToFile) + ", file " +
                  N(r.settings.File[1]) + "\n" + r.Said());
    }
    g.Check();
    Settings s;
    s.File[1] = u"/x";
    s.DisableOutputToFile = 1;
    ClearOutputFile(s);
    EXPECT_EQ(u"", s.File[1]);
    EXPECT_EQ(0, s.DisableOutputToFile);
}

} // namespace
} // namespace lxty
