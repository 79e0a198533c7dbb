// The word-list file check and the not-a-text-file message, compared whole.

#include "sources/TextFileCheck.h"

#include "FakeHost.h"
#include "Golden.h"
#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace lxty;
using test::FakeHost;

const std::u16string kAdvice =
    u"You could try reading it using its associated application, then copying the text and "
    u"pasting it into the textbox (then copy it to the clipboard and select 'Clipboard' as the "
    u"source).";

class TextFileCheckTest : public test::TextFilesTest {};

// Case lines: file name ("" none, "-" a missing file) | bytes => the result code, encoding
// and UTF-8 flag, then each message shown (the file's path as "@", the advice as "<advice>").
TEST_F(TextFileCheckTest, EveryOutcomeAndItsMessage) {
    test::ExpectCases("cases/wordlist-check.txt", "", [&](const std::vector<std::u16string>& in) {
        const std::string name = U16ToUtf8(in.at(0));
        const auto path = name == "-"    ? Dir() / "missing.txt"
                          : name.empty() ? std::filesystem::path()
                                         : Write(name, test::Bytes(in.at(1)));
        FakeHost host;
        TextNoticeMemory memory;
        const auto r = CheckWordListFile(host, path, false, memory);
        std::u16string out = Utf8ToU16(std::to_string(int(r.code)) + " " +
                                       std::to_string(int(r.encoding)) + (r.utf8 ? " utf8" : ""));
        for (std::u16string said : test::Said(host)) {
            for (const auto& [from, to] :
                 {std::pair{Utf8ToU16(path.string()), std::u16string(u"@")},
                  std::pair{kAdvice, std::u16string(u"<advice>")}})
                if (const auto at = said.find(from); !from.empty() && at != said.npos)
                    said.replace(at, from.size(), to);
            out += u" / " + said;
        }
        return out;
    });
}

TEST_F(TextFileCheckTest, BinaryAdviceOnlyForSmallFilesThatAreOnlyALittleOff) {
    const struct {
        std::size_t length, anomalous;
        bool advice;
    } cases[] = {
        {102399, 1, true},  // the largest file that gets the advice
        {102400, 1, false}, // one byte more
        {1000, 89, true},   // 8.9 per cent
        {1000, 90, false},  // 9 per cent
    };
    for (const auto& c : cases) {
        std::string bytes(c.length, 'a');
        for (std::size_t i = 0; i < c.anomalous; ++i)
            bytes[i * 7] = '\x02';
        FakeHost host;
        TextNoticeMemory memory;
        EXPECT_EQ(CheckWordListFile(host, Write("bin.dat", bytes), false, memory).code,
                  TextCode::NotText);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text.find(kAdvice) != std::u16string::npos, c.advice)
            << c.length << " bytes, " << c.anomalous << " anomalous";
    }
}

TEST_F(TextFileCheckTest, MacNoticeOnceAndNotWhenSuppressed) {
    const auto mac = Write("mac.txt", "one\rtwo\r");
    FakeHost host;
    TextNoticeMemory memory;
    EXPECT_EQ(CheckWordListFile(host, mac, true, memory).code, TextCode::Cr);
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
        EXPECT_EQ(r.code, TextCode::Lf) << size;
        EXPECT_TRUE(host.messages.empty()) << size;
    }
}

TEST(NotTextFileMessage, WholeTexts) {
    TextTestResult r;
    r.code = TextCode::NotText;
    r.firstAnomalousByte = 0;
    r.firstAnomalousPosition = 42;
    r.bytesExamined = 16384;
    r.percentage = 3.0517578125;
    r.fileLength = 50000;
    const std::u16string body = u" is not a text file.\n\nThis file contains a byte ";
    const std::u16string middle = u" at position 42, \nindicating that it does not consist "
                                  u"solely of text.  The percentage of such anomalous bytes in "
                                  u"the first ";
    EXPECT_EQ(NotTextFileMessage(u"report.bin", r),
              u"report.bin" + body + u"0" + middle + u"16384 bytes is 3.05%.\n\n" + kAdvice);
    r.fileLength = 102400; // too long for the advice
    r.percentage = 12.5;
    r.firstAnomalousByte = 27;
    r.bytesExamined = 3277;
    EXPECT_EQ(NotTextFileMessage(u"x.dat", r),
              u"x.dat" + body + u"27" + middle + u"3277 bytes is 12.50%.\n\n");
    FakeHost host;
    ShowNotTextFile(host, u"x.dat", r);
    EXPECT_EQ(test::Said(host),
              std::vector<std::u16string>{u"Not a text file: " + NotTextFileMessage(u"x.dat", r) +
                                          u" (1)"});
}

} // namespace
