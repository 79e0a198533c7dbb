// Line splitting: CR LF, LF, CR and mixed line ends, a last line without an end, block
// boundaries inside a CR LF pair and inside a line.

#include "sources/LineReader.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lxty::LineReader;
using Strings = std::vector<std::string>;

class LineReaderTest : public lxty::test::TextFilesTest {
protected:
    Strings Lines(std::string_view bytes) {
        LineReader reader;
        EXPECT_TRUE(reader.Open(Write("lines.txt", bytes)));
        Strings lines;
        std::string line;
        while (reader.ReadLine(line))
            lines.push_back(line);
        EXPECT_FALSE(reader.Failed());
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
        return lines;
    }
};

TEST_F(LineReaderTest, SplitsEveryKindOfLineEnd) {
    lxty::test::ExpectCases("cases/line-ends.txt", "", [&](const std::vector<std::u16string>& in) {
        std::string out;
        for (const std::string& line : Lines(lxty::test::Bytes(in.at(0))))
            out += "[" + line + "]";
        return lxty::Utf8ToU16(out);
    });
}

TEST_F(LineReaderTest, BlockBoundaries) {
    const std::string x(LineReader::kBlockSize - 1, 'x'), y(3 * LineReader::kBlockSize + 17, 'y');
    EXPECT_EQ(Lines(x + "\r\nnext\r\n"), (Strings{x, "next"})); // CR and LF in two blocks
    EXPECT_EQ(Lines(x + "\r"), Strings{x});                     // a final CR ends the file
    // A line longer than a block, without a blank, is cut where the second block ends.
    const std::size_t cut = 2 * LineReader::kBlockSize - 2;
    EXPECT_EQ(Lines("a\n" + y + "\nb"), (Strings{"a", y.substr(0, cut), y.substr(cut), "b"}));
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
