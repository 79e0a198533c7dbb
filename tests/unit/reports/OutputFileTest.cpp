// The output file: the decision with its overwrite question, writing, the error numbers of
// failures and their reports, and choosing the file.

#include "reports/OutputFile.h"
#include "FakeHost.h"
#include "FileSizeLimit.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace lxty {
namespace {

namespace fs = std::filesystem;

const std::u16string kOverwritePrompt = u"To overwrite the current output file click on 'OK'.\n"
                                        u"To write to a different file edit the filepath below.\n"
                                        u"To disable file output click on 'Cancel'.";

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct OutputFileTest : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
    }

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lxty-outputfile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::u16string InDir(const std::string& name) const { return TextFromPath(dir / name); }

    fs::path dir;
    test::FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    OutputContext ctx{host, settings, run, tw, report};
};

TEST_F(OutputFileTest, DecisionWithoutQuestion) {
    std::ofstream(dir / "exists.txt") << "old";
    struct Case {
        std::string name;
        std::u16string file;
        int disabled, warn;
        bool expected;
    };
    const Case cases[] = {
        {"no file named", u"", 0, 1, false},
        {"output switched off", InDir("exists.txt"), 1, 1, false},
        {"new file, warning on", InDir("new.txt"), 0, 1, true},
        {"existing file, warning off", InDir("exists.txt"), 0, 0, true},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        Settings s;
        RunState r;
        TextWindow w{h};
        ReportState rep;
        OutputContext cx{h, s, r, w, rep};
        s.File[1] = c.file;
        s.DisableOutputToFile = c.disabled;
        s.WarnOnOverwrite = c.warn;
        r.blnOutputFile = !c.expected;
        EXPECT_EQ(c.expected, DecideOutputFile(cx)) << c.name;
        EXPECT_EQ(c.expected, r.blnOutputFile) << c.name;
        EXPECT_TRUE(h.inputPrompts.empty()) << c.name;
        EXPECT_TRUE(h.messages.empty()) << c.name;
        EXPECT_EQ(c.disabled, s.DisableOutputToFile) << c.name;
        EXPECT_EQ(c.file, s.File[1]) << c.name;
    }
}

TEST_F(OutputFileTest, OverwriteQuestionAnsweredEachWay) {
    std::ofstream(dir / "exists.txt") << "old";
    fs::create_directories(dir / "Other Case");
    const std::u16string existing = InDir("exists.txt");
    struct Case {
        std::string name;
        std::optional<std::u16string> answer;
        bool expected;
        int disabledAfter;
        std::u16string fileAfter;
        std::u16string message; // "" for none
    };
    const Case cases[] = {
        {"OK keeps the path", existing, true, 0, existing, u""},
        {"Cancel turns file output off", std::nullopt, false, 1, existing, u""},
        {"emptied field", u"", false, 1, existing, u""},
        {"blanks only", u"   ", false, 1, existing, u""},
        {"other file, trimmed, case kept", u"  " + InDir("Other Case/Report.TXT") + u" ", true, 0,
         InDir("Other Case/Report.TXT"), u""},
        {"folder missing", InDir("missing/out.txt"), false, 1, existing, u"Folder does not exist."},
        {"folder differs only in case", InDir("other case/out.txt"), false, 1, existing,
         u"Folder does not exist."},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        Settings s;
        RunState r;
        TextWindow w{h};
        ReportState rep;
        OutputContext cx{h, s, r, w, rep};
        s.File[1] = existing;
        s.WarnOnOverwrite = 1;
        h.inputs.push_back(c.answer);
        EXPECT_EQ(c.expected, DecideOutputFile(cx)) << c.name;
        EXPECT_EQ(c.expected, r.blnOutputFile) << c.name;
        ASSERT_EQ(1u, h.inputPrompts.size()) << c.name;
        EXPECT_EQ(kOverwritePrompt, h.inputPrompts[0]);
        EXPECT_EQ(c.disabledAfter, s.DisableOutputToFile) << c.name;
        EXPECT_EQ(c.fileAfter, s.File[1]) << c.name;
        if (c.message.empty()) {
            EXPECT_TRUE(h.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(1u, h.messages.size()) << c.name;
            EXPECT_EQ(c.message, h.messages[0].text);
            EXPECT_EQ(u"Error", h.messages[0].title);
            EXPECT_EQ(MsgIcon::Exclamation, h.messages[0].icon);
        }
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
    OutputContext cx{h, settings, run, tw, report};
    std::ofstream(dir / "exists.txt") << "old";
    settings.File[1] = InDir("exists.txt");
    settings.WarnOnOverwrite = 1;
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
    EXPECT_EQ("Rank\tFreq\tWord\ncaf\xc3\xa9, \xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82",
              ReadBytes(dir / "out.txt"));
}

TEST_F(OutputFileTest, ErrorNumbersOfSystemErrors) {
    struct Case {
        int err;
        FileError expected;
    };
    const Case cases[] = {
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
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FileErrorFromErrno(c.err)) << c.err;
}

TEST_F(OutputFileTest, FailuresToOpen) {
    OutputFile missingFolder;
    EXPECT_FALSE(missingFolder.Open(dir / "missing" / "out.txt"));
    EXPECT_EQ((FileError{76, u"Path not found"}), missingFolder.Error());
    EXPECT_FALSE(missingFolder.WriteLine(u"x"));

    // A folder or a device is never written, nor replaced.
    for (const fs::path& special : {dir, fs::path("/dev/null")}) {
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

// A path this process may not create a file in: a read-only folder (not for root, who may
// write anywhere on an ordinary file system), else a folder of the kernel's sysfs.
std::optional<fs::path> UnwritablePath(const fs::path& dir) {
    fs::create_directories(dir / "ro");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    for (const fs::path& p : {dir / "ro" / "out.txt", fs::path("/sys/kernel/lxty-out.txt")}) {
        std::ofstream probe(p);
        if (!probe.is_open() && (errno == EACCES || errno == EPERM || errno == EROFS))
            return p;
        probe.close();
        std::error_code ec;
        fs::remove(p, ec);
    }
    return std::nullopt;
}

TEST_F(OutputFileTest, UnwritablePathIsPermissionDenied) {
    const auto path = UnwritablePath(dir);
    if (!path)
        GTEST_SKIP() << "no unwritable path on this machine";
    OutputFile f;
    EXPECT_FALSE(f.Open(*path));
    ASSERT_TRUE(f.Error());
    EXPECT_EQ(70, f.Error()->number);

    ReportOutputFileError(ctx, *f.Error());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Perhaps the output file\nis in use by another application.", host.messages[0].text);
    EXPECT_EQ(u"Permission denied", host.messages[0].title);
    EXPECT_EQ(MsgIcon::Information, host.messages[0].icon);
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
    EXPECT_EQ("previous report", ReadBytes(dir / "out.txt"));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir), {})); // no temporary file left

    ReportOutputFileError(ctx, *f.Error());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"At ListWords error #61.\nDescription: Disk full", host.messages[0].text);
    EXPECT_EQ(GetText(97), host.messages[0].title);
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
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
    EXPECT_EQ("previous report", ReadBytes(dir / "out.txt"));
    OutputFile f;
    ASSERT_TRUE(f.Open(dir / "link.txt"));
    f.WriteLine(u"new");
    EXPECT_EQ("previous report", ReadBytes(dir / "out.txt"));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ("new\n", ReadBytes(dir / "out.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt")); // replaced behind the link
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
              fs::status(dir / "out.txt").permissions());
    EXPECT_EQ(2, std::distance(fs::directory_iterator(dir), {}));
}

TEST_F(OutputFileTest, FolderMembershipIsByWholeComponents) {
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

TEST_F(OutputFileTest, ChoosingTheOutputFile) {
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
        test::FakeHost h;
        Settings s;
        RunState r;
        TextWindow w{h};
        ReportState rep;
        OutputContext cx{h, s, r, w, rep};
        s.Source = c.source;
        s.Folder = u"/data/a";
        s.File[1] = u"/old/out.txt";
        s.DisableOutputToFile = 1;
        h.chosenPaths.push_back(c.chosen);
        EXPECT_EQ(c.returned, ChooseOutputFile(cx)) << c.name;
        EXPECT_EQ(c.fileAfter, s.File[1]) << c.name;
        EXPECT_EQ(c.disabledAfter, s.DisableOutputToFile) << c.name;
        if (c.refused) {
            ASSERT_EQ(1u, h.messages.size()) << c.name;
            EXPECT_EQ(u"The output file cannot be in the folder or a subfolder",
                      h.messages[0].text);
            EXPECT_EQ(u"Invalid output file", h.messages[0].title);
            EXPECT_EQ(MsgIcon::Information, h.messages[0].icon);
        } else {
            EXPECT_TRUE(h.messages.empty()) << c.name;
        }
    }
    ClearOutputFile(settings);
    EXPECT_EQ(u"", settings.File[1]);
    EXPECT_EQ(0, settings.DisableOutputToFile);
}

} // namespace
} // namespace lxty
