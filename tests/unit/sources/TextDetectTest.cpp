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

// Files of letters whose first bytes are the control byte 1, against the limit of anomalous
// bytes, and the text-like extensions, from tests/data/cases/text-limits.txt.
TEST_F(TextDetectTest, AnomalousByteLimitAndTextLikeExtensions) {
    lxty::test::ExpectCases("cases/text-limits.txt", "", [&](const lxty::test::Row& in) {
        using lxty::test::Number;
        if (in.size() == 1)
            return lxty::test::YesNo(IsTextLikeExtension(in.at(0)));
        const TextTestResult r =
            TextTest(Write("p.dat", WithAnomalies(Number(in.at(0)), Number(in.at(1)))), 16384,
                     std::stod(lxty::U16ToUtf8(in.at(2))), true);
        return lxty::Utf8ToU16(std::to_string(static_cast<int>(r.code)) + ", " +
                               std::to_string(r.percentage) + "%, " +
                               std::to_string(r.bytesExamined));
    });
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
