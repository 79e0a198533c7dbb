// File kinds and the text test: every classification, both sides of each limit.

#include "sources/TextDetect.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lxty::FirstBytesKind;
using lxty::IsTextLikeExtension;
using lxty::TextTest;
using lxty::TextTestResult;
using lxty::test::Bytes;

class TextDetectTest : public lxty::test::TextFilesTest {};

// n bytes of text whose first `anomalous` bytes are the control byte 1, the rest letters.
std::string WithAnomalies(std::size_t n, std::size_t anomalous) {
    std::string s(n, 'a');
    for (std::size_t i = 0; i < anomalous; ++i)
        s[i] = '\x01';
    return s;
}

// Classification by first bytes, content and line ends, from a case file.
TEST_F(TextDetectTest, ClassifiesByFirstBytesContentAndLineEnds) {
    lxty::test::ExpectCases("cases/text-test.txt", "", [&](const std::vector<std::u16string>& in) {
        const TextTestResult r = TextTest(Write(lxty::U16ToUtf8(in.at(0)), Bytes(in.at(1))), 16384,
                                          1.0, in.at(2) == u"1");
        return lxty::Utf8ToU16(std::to_string(static_cast<int>(r.code)) +
                               (r.utf8 ? ", yes, " : ", no, ") +
                               std::to_string(static_cast<int>(r.kind)));
    });
}

TEST_F(TextDetectTest, MissingEmptyAndUnnamedFiles) {
    EXPECT_EQ(static_cast<int>(TextTest("").code), -5);
    EXPECT_EQ(static_cast<int>(FirstBytesKind("", true)), -5);
    EXPECT_EQ(static_cast<int>(TextTest(Dir() / "missing.txt").code), -1);
    EXPECT_EQ(static_cast<int>(TextTest(Write("empty.txt", "")).code), -2);
    EXPECT_EQ(static_cast<int>(TextTest(Dir()).code), -9); // a folder is no file to read
}

TEST_F(TextDetectTest, ShortFilesMayStillBeUtf8) {
    const TextTestResult r = TextTest(Write("short.txt", "n\xC3\xA9"));
    EXPECT_EQ(static_cast<int>(r.code), -4);
    EXPECT_TRUE(r.utf8);
    EXPECT_FALSE(TextTest(Write("short2.txt", "n\xE9")).utf8);
}

struct PercentCase {
    const char* what;
    std::size_t length;
    std::size_t anomalous;
    double limit;
    int expectedCode;
    double expectedPercentage;
    std::int64_t expectedExamined;
};

TEST_F(TextDetectTest, AnomalousByteLimit) {
    const PercentCase cases[] = {
        {"none", 10000, 0, 1.0, 1, 0.0, 10000},
        {"exactly 1 per cent is text", 10000, 100, 1.0, 1, 1.0, 10000},
        {"just above 1 per cent is not", 10000, 101, 1.0, 0, 1.01, 10000},
        {"one NUL in 100 bytes", 100, 1, 1.0, 1, 1.0, 100},
        {"two in 100 bytes", 100, 2, 1.0, 0, 2.0, 100},
        // Ten times a limit of 0 is 0: the first anomalous byte refuses the file as soon as
        // the first fifth of the sample has been examined.
        {"word-list limit 0: one byte refuses", 10000, 1, 0.0, 0, 100.0 / 3277, 3277},
        {"word-list limit 0: one byte in a small file", 3000, 1, 0.0, 0, 100.0 / 3000, 3000},
        {"word-list limit 0: none is text", 10000, 0, 0.0, 1, 0.0, 10000},
        // After the first fifth (3,277 bytes) more than 10 per cent refuses at once; below it
        // no verdict comes early, however dense the anomalies.
        {"just over 10 per cent early", 20000, 328, 1.0, 0, 328 * 100.0 / 3277, 3277},
        {"just under: the whole sample", 20000, 327, 1.0, 0, 327 * 100.0 / 16384, 16384},
        {"dense first fifth", 20000, 3276, 1.0, 0, 3276 * 100.0 / 3277, 3277},
    };
    for (const auto& c : cases) {
        const TextTestResult r =
            TextTest(Write("p.dat", WithAnomalies(c.length, c.anomalous)), 16384, c.limit, true);
        EXPECT_EQ(static_cast<int>(r.code), c.expectedCode) << c.what;
        EXPECT_DOUBLE_EQ(r.percentage, c.expectedPercentage) << c.what;
        EXPECT_EQ(r.bytesExamined, c.expectedExamined) << c.what;
    }
}

TEST_F(TextDetectTest, NulCountsAndIsRecordedWithItsPosition) {
    std::string bytes(200, 'a');
    bytes[41] = '\0';
    bytes[90] = '\x1B';
    bytes[150] = '\x0C'; // form feed never counts
    const TextTestResult r = TextTest(Write("nul.txt", bytes));
    EXPECT_EQ(static_cast<int>(r.code), 1);
    EXPECT_EQ(r.firstAnomalousByte, 0);
    EXPECT_EQ(r.firstAnomalousPosition, 42);
    EXPECT_DOUBLE_EQ(r.percentage, 1.0);
    const TextTestResult clean = TextTest(Write("clean.txt", std::string(200, 'b')));
    EXPECT_EQ(clean.firstAnomalousByte, 32);
    EXPECT_EQ(clean.firstAnomalousPosition, 0);
}

TEST_F(TextDetectTest, OnlyTheSampleIsExamined) {
    std::string bytes(16384, 'a');
    bytes += std::string(1000, '\0');
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes)).code), 1);
    bytes[16383] = '\0';
    bytes[16382] = '\0';
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes)).code), 1);
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes), 16384, 0.0).code), 0);
}

TEST_F(TextDetectTest, Utf8SequenceCutByTheSampleEnd) {
    std::string bytes = "caf\xC3\xA9 ";
    bytes += std::string(16384 - bytes.size() - 1, 'x');
    bytes += "\xE2\x80\x94 more text";
    ASSERT_EQ(bytes.substr(16383, 1), "\xE2");
    EXPECT_TRUE(TextTest(Write("cut.dat", bytes), 16384, 1.0, false).utf8);
}

TEST_F(TextDetectTest, TextLikeExtensions) {
    for (const char16_t* ext : {u"txt", u"log", u"xml", u"htm", u"html", u"shtm", u"shtml", u"xhtm",
                                u"xhtml", u"csv", u"prn", u"TXT", u"Html"})
        EXPECT_TRUE(IsTextLikeExtension(ext));
    for (const char16_t* ext : {u"", u"dat", u"doc", u"docx", u"php", u"c", u"tx", u"txtx"})
        EXPECT_FALSE(IsTextLikeExtension(ext));
}

TEST_F(TextDetectTest, DeclarationBeyondTheTenthNonEmptyLineIsNotSeen) {
    std::string head;
    for (int i = 0; i < 9; ++i)
        head += "line\r\n\r\n"; // empty lines do not count
    EXPECT_EQ(static_cast<int>(FirstBytesKind(Write("ten.htm", head + "charset=UTF-8\r\n"), true)),
              3);
    EXPECT_EQ(static_cast<int>(
                  FirstBytesKind(Write("eleven.htm", head + "line\r\ncharset=UTF-8\r\n"), true)),
              0);
}

} // namespace
