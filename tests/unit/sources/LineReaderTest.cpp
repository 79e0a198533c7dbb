// Line splitting: CR LF, LF, CR and mixed line ends, a last line without an end, block
// boundaries inside a CR LF pair and inside a line.

#include "sources/LineReader.h"

#include "TextFilesTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lxty::LineReader;

class LineReaderTest : public lxty::test::TextFilesTest {
protected:
    std::vector<std::string> Lines(std::string_view bytes) {
        LineReader reader;
        EXPECT_TRUE(reader.Open(Write("lines.txt", bytes)));
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line))
            lines.push_back(line);
        EXPECT_FALSE(reader.Failed());
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
        return lines;
    }
};

struct LineCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> expected;
};

TEST_F(LineReaderTest, SplitsEveryKindOfLineEnd) {
    const LineCase cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"LF", "one\ntwo\n", {"one", "two"}},
        {"CR", "one\rtwo\r", {"one", "two"}},
        {"mixed", "a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
        {"last line without an end", "one\r\ntwo", {"one", "two"}},
        {"no line end at all", "only line", {"only line"}},
        {"empty lines kept (CR LF)", "a\r\n\r\nb", {"a", "", "b"}},
        {"empty lines kept (LF)", "\n\na\n", {"", "", "a"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"a lone line end", "\r\n", {""}},
        {"empty file", "", {}},
        {"other control bytes stay in the line",
         lxty::test::Bytes("a\tb\x0C"
                           "c\x00"
                           "d"),
         {lxty::test::Bytes("a\tb\x0C"
                            "c\x00"
                            "d")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.bytes), c.expected) << c.what;
}

TEST_F(LineReaderTest, CrLfSplitByTheBlockBoundaryIsOneLineEnd) {
    // The CR is the last byte of the first block and the LF the first byte of the second.
    std::string bytes(LineReader::kBlockSize - 1, 'x');
    bytes += "\r\nnext\r\n";
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), LineReader::kBlockSize - 1);
    EXPECT_EQ(lines[1], "next");
}

TEST_F(LineReaderTest, LinesLongerThanABlockAreWhole) {
    std::string longLine(3 * LineReader::kBlockSize + 17, 'y');
    const auto lines = Lines("a\n" + longLine + "\nb");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "b");
}

TEST_F(LineReaderTest, FinalCrAtTheEndOfABlockEndsTheFile) {
    std::string bytes(LineReader::kBlockSize - 1, 'z');
    bytes += '\r';
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 1u);
}

TEST_F(LineReaderTest, PeekAndSkipBeforeTheFirstLine) {
    LineReader reader;
    ASSERT_TRUE(reader.Open(Write("bom.txt", "\xEF\xBB\xBFword\n")));
    EXPECT_EQ(reader.Peek(3), "\xEF\xBB\xBF");
    EXPECT_EQ(reader.Peek(10), "\xEF\xBB\xBFword\n"); // fewer at the end of the file
    reader.Skip(3);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "word");
    EXPECT_EQ(reader.Size(), 8);
}

TEST_F(LineReaderTest, OpenFailures) {
    LineReader reader;
    EXPECT_FALSE(reader.Open(Dir() / "missing.txt"));
    EXPECT_EQ(reader.OpenError(), -9);
    EXPECT_FALSE(reader.Open(Dir()));
    EXPECT_EQ(reader.OpenError(), -9);
}

} // namespace
