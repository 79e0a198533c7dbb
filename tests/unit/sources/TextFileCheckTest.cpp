// The word-list file check and the not-a-text-file message, compared whole.

#include "sources/TextFileCheck.h"

#include "FakeHost.h"
#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lxty::CheckWordListFile;
using lxty::MsgIcon;
using lxty::NotTextFileMessage;
using lxty::TextNoticeMemory;
using lxty::TextTestResult;
using lxty::U16ToUtf8;
using lxty::test::Bytes;
using lxty::test::FakeHost;

const std::string kAdvice =
    "You could try reading it using its associated application, then copying the text and "
    "pasting it into the textbox (then copy it to the clipboard and select 'Clipboard' as the "
    "source).";

class TextFileCheckTest : public lxty::test::TextFilesTest {};

struct CheckCase {
    const char* file; // "" for no name, "-" for a missing file
    std::string bytes;
    int expectedCode;
    bool expectedUtf8;
    std::string expectedTitle; // "" when nothing is shown
    std::string expectedText;  // "@" stands for the file's path
    lxty::TextEncoding expectedEncoding = lxty::TextEncoding::Cp1252;
};

constexpr auto kSevenBit = lxty::TextEncoding::SevenBitSample;

std::string WithPath(std::string text, const std::string& path) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
        text.replace(at, 1, path);
        at += path.size();
    }
    return text;
}

TEST_F(TextFileCheckTest, EveryOutcomeAndItsMessage) {
    const CheckCase cases[] = {
        {"", "", -5, false, "", ""},
        {"-", "", -1, false, "Fatal error", "File @ not found."},
        {"empty.txt", "", -2, false, "Fatal error", "File @ is zero-length."},
        {"short.txt", "abcd", -4, false, "Fatal error", "File @\ncontains only from 1 to 4 bytes.",
         kSevenBit},
        {"doc.txt", "{\\rtf1 words}", 6, false, "Fatal error", "File @\nis an RTF file."},
        {"u16.txt", Bytes("\xFF\xFEw\0o\0r\0d\0"), 7, false, "Fatal error",
         "File @\nis a Unicode file but not UTF-8 encoded.", lxty::TextEncoding::Utf16LE},
        {"one-bad.txt", "word\x01list\r\nmore\r\n", 0, false, "Not a text file",
         "@\nis not an ANSI or UTF-8 encoded text file.\nIt appears to be a binary file."
         "\n\n" +
             kAdvice,
         kSevenBit},
        {"crlf.txt", "one\r\ntwo\r\n", 1, false, "", "", kSevenBit},
        {"utf8.txt", "caf\xC3\xA9\r\n", 1, true, "", "", lxty::TextEncoding::Utf8},
        // LF is the native line end: no warning, no question, whatever the size.
        {"unix.txt", "one\ntwo\n", 2, false, "", "", kSevenBit},
        {"mac.txt", "one\rtwo\r", 3, false, "This is a Mac-style text file",
         "File @\nhas Macintosh-type line endings (CR).\n\nYou might wish to use a program "
         "such as Notepad++\nto convert the line endings to Windows-type (CR+LF).",
         kSevenBit},
    };
    for (const auto& c : cases) {
        std::filesystem::path path;
        if (std::string(c.file) == "-")
            path = Dir() / "missing.txt";
        else if (*c.file)
            path = Write(c.file, c.bytes);
        FakeHost host;
        TextNoticeMemory memory;
        const auto r = CheckWordListFile(host, path, false, memory);
        EXPECT_EQ(static_cast<int>(r.code), c.expectedCode) << c.file;
        EXPECT_EQ(r.utf8, c.expectedUtf8) << c.file;
        EXPECT_EQ(r.encoding, c.expectedEncoding) << c.file;
        if (c.expectedTitle.empty()) {
            EXPECT_TRUE(host.messages.empty()) << c.file;
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1u) << c.file;
        EXPECT_EQ(U16ToUtf8(host.messages[0].title), c.expectedTitle) << c.file;
        EXPECT_EQ(U16ToUtf8(host.messages[0].text), WithPath(c.expectedText, path.string()))
            << c.file;
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Information) << c.file;
        EXPECT_FALSE(host.messages[0].question) << c.file;
    }
}

TEST_F(TextFileCheckTest, BinaryAdviceOnlyForSmallFilesThatAreOnlyALittleOff) {
    struct Case {
        std::size_t length;
        std::size_t anomalous;
        bool advice;
    };
    const Case cases[] = {
        {102399, 1, true},  // the largest file that gets the advice
        {102400, 1, false}, // one byte more
        {1000, 89, true},   // 8.9 per cent
        {1000, 90, false},  // 9 per cent
    };
    for (const auto& c : cases) {
        std::string bytes(c.length, 'a');
        for (std::size_t i = 0; i < c.anomalous; ++i)
            bytes[i * 7] = '\x02';
        const auto path = Write("bin.dat", bytes);
        FakeHost host;
        TextNoticeMemory memory;
        EXPECT_EQ(static_cast<int>(CheckWordListFile(host, path, false, memory).code), 0);
        ASSERT_EQ(host.messages.size(), 1u);
        const std::string text = U16ToUtf8(host.messages[0].text);
        EXPECT_EQ(text.find(kAdvice) != std::string::npos, c.advice)
            << c.length << " bytes, " << c.anomalous << " anomalous";
    }
}

TEST_F(TextFileCheckTest, MacNoticeOnceAndNotWhenSuppressed) {
    const auto mac = Write("mac.txt", "one\rtwo\r");
    FakeHost host;
    TextNoticeMemory memory;
    EXPECT_EQ(static_cast<int>(CheckWordListFile(host, mac, true, memory).code), 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(memory.macNoticeShown);
    CheckWordListFile(host, mac, false, memory);
    CheckWordListFile(host, mac, false, memory);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(memory.macNoticeShown);
}

TEST_F(TextFileCheckTest, LargeUnixFilesAreNeitherQuestionedNorRefused) {
    for (std::size_t size : {256000u, 256001u, 512000u, 512001u, 3000000u}) {
        std::string bytes(size, 'w');
        for (std::size_t i = 60; i < size; i += 61)
            bytes[i] = '\n';
        FakeHost host;
        TextNoticeMemory memory;
        const auto r = CheckWordListFile(host, Write("big-unix.txt", bytes), false, memory);
        EXPECT_EQ(static_cast<int>(r.code), 2) << size;
        EXPECT_TRUE(host.messages.empty()) << size;
    }
}

TEST(NotTextFileMessage, WholeTexts) {
    TextTestResult r;
    r.code = lxty::TextCode::NotText;
    r.firstAnomalousByte = 0;
    r.firstAnomalousPosition = 42;
    r.bytesExamined = 16384;
    r.percentage = 3.0517578125;
    r.fileLength = 50000;
    EXPECT_EQ(U16ToUtf8(NotTextFileMessage(u"report.bin", r)),
              "report.bin is not a text file.\n\nThis file contains a byte 0 at position 42, "
              "\nindicating that it does not consist solely of text.  The percentage of such "
              "anomalous bytes in the first 16384 bytes is 3.05%.\n\n" +
                  kAdvice);

    r.fileLength = 102400; // too long for the advice
    r.percentage = 12.5;
    r.firstAnomalousByte = 27;
    r.bytesExamined = 3277;
    EXPECT_EQ(U16ToUtf8(NotTextFileMessage(u"x.dat", r)),
              "x.dat is not a text file.\n\nThis file contains a byte 27 at position 42, "
              "\nindicating that it does not consist solely of text.  The percentage of such "
              "anomalous bytes in the first 3277 bytes is 12.50%.\n\n");

    FakeHost host;
    lxty::ShowNotTextFile(host, u"x.dat", r);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, u"Not a text file");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
}

} // namespace
