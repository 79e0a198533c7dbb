// Reading judged files as lines of characters: every encoding, byte-order marks, block
// boundaries, the switch to UTF-8 and the first-lines reader.

#include "sources/TextFile.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace lxty;
using test::Bytes;
using Strings = std::vector<std::string>;

const std::u16string kEncodings[] = {u"Cp1252",  u"SevenBitSample", u"Utf8",   u"Utf16LE",
                                     u"Utf16BE", u"Utf32LE",        u"Utf32BE"};

class TextFileTest : public test::TextFilesTest {};

// Every line of the file read in `encoding`.
Strings ReadAll(const std::filesystem::path& path, TextEncoding encoding) {
    TextFile file;
    EXPECT_TRUE(file.Open(path, encoding)) << path;
    Strings lines;
    for (std::u16string line; file.ReadLine(line);)
        lines.push_back(U16ToUtf8(line));
    EXPECT_FALSE(file.Failed());
    EXPECT_TRUE(file.AtEnd());
    return lines;
}

// Case lines: "fixture | file" and "judge | bytes" judge the file as the count run does and
// read it ("code encoding[>encoding found on opening]: [line]... [utf8]"); "<encoding> |
// bytes" reads in that encoding; "first | lines | join | decode normalise keepEmpty"
// reads the first lines of the file written below.
TEST_F(TextFileTest, Cases) {
    const auto first = Write("first.txt", "\xEF\xBB\xBFone \xE2\x80\x94 caf\xC3\xA9\r\n\r\ntwo\n"
                                          "\nthree\rfour\r\n");
    test::ExpectCases("cases/text-files.txt", "", [&](const std::vector<std::u16string>& in) {
        if (in.at(0) == u"first") {
            const auto flag = [&](int i) { return in.at(3).at(std::size_t(i)) == u'1'; };
            const auto r = ReadFirstLines(first, test::Number(in.at(1)),
                                          static_cast<LineJoin>(test::Number(in.at(2))), flag(0),
                                          flag(1), flag(2));
            return r.text + u" (" + Utf8ToU16(std::to_string(r.numLines)) + u")";
        }
        const auto path = in.at(0) == u"fixture" ? std::filesystem::path(LXTY_TEST_DATA_DIR) /
                                                       "textfiles" / U16ToUtf8(in.at(1))
                                                 : Write("case.txt", Bytes(in.at(1)));
        std::u16string out;
        TextEncoding encoding{};
        if (const auto named = std::ranges::find(kEncodings, in.at(0));
            named != std::end(kEncodings)) {
            encoding = TextEncoding(named - std::begin(kEncodings));
        } else {
            const auto judged = TextTest(path);
            encoding = EncodingFor(judged);
            out = Utf8ToU16(std::to_string(int(judged.code))) + u" " + kEncodings[int(encoding)];
        }
        TextFile file;
        EXPECT_TRUE(file.Open(path, encoding));
        if (file.Encoding() != encoding)
            out += u">" + kEncodings[int(file.Encoding())];
        out += u":";
        for (const std::string& line : ReadAll(path, encoding))
            out += u" [" + Utf8ToU16(line) + u"]";
        return out + (file.IsUtf8() ? u" utf8" : u"");
    });
}

TEST_F(TextFileTest, Utf16AcrossBlockBoundaries) {
    // 'x' units up to one unit before the block end, then CR LF split by the boundary, then
    // an odd number of bytes in total (the last half unit is dropped).
    std::string bytes = "\xFF\xFE";
    const std::size_t units = (LineReader::kBlockSize - 2) / 2 - 1;
    for (std::size_t i = 0; i < units; ++i)
        bytes += Bytes("x\0");
    const auto path = Write("big16.txt", bytes + Bytes("\r\0\n\0e\0n\0d\0") + "Z");
    EXPECT_EQ(ReadAll(path, EncodingFor(TextTest(path))),
              (Strings{std::string(units, 'x'), "end"}));
}

// After a sample of ASCII only, the file settles on its first line that is not: UTF-8 or
// Windows-1252, each line read as what it is. A sample with a Windows-1252 byte settles the
// file as Windows-1252 at once; invalid bytes later in a UTF-8 file fall back.
TEST_F(TextFileTest, LinesAfterTheSample) {
    const std::string ascii = std::string(20000, 'a') + "\n";
    const struct {
        std::string bytes;
        TextEncoding encoding;
        Strings tail;
        bool utf8;
    } cases[] = {
        {ascii + "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D\nna\xC3\xAFve\n",
         TextEncoding::SevenBitSample,
         {"café \"q\"", "naïve"},
         true},
        {ascii + "caf\xE9 \x93q\x94\nna\xEFve\n",
         TextEncoding::SevenBitSample,
         {"café \u201Cq\u201D", "naïve"},
         false},
        {ascii + "caf\xE9\nna\xC3\xAFve\n", TextEncoding::SevenBitSample, {"café", "naïve"}, true},
        {"caf\xE9\n" + ascii + "na\xC3\xAFve\n", TextEncoding::Cp1252, {"naÃ¯ve"}, false},
        {"caf\xC3\xA9\n" + ascii + "na\xEFve \x96 dash\n",
         TextEncoding::Utf8,
         {"naïve - dash"},
         true},
    };
    for (const auto& c : cases) {
        // ".dat": no charset sniffing, whose first ten lines would reach the tail here.
        const auto path = Write("late.dat", c.bytes);
        EXPECT_EQ(EncodingFor(TextTest(path)), c.encoding) << c.bytes.substr(0, 10);
        TextFile file;
        ASSERT_TRUE(file.Open(path, c.encoding));
        Strings lines;
        for (std::u16string line; file.ReadLine(line);)
            lines.push_back(U16ToUtf8(line));
        EXPECT_EQ(Strings(lines.end() - c.tail.size(), lines.end()), c.tail);
        EXPECT_EQ(file.IsUtf8(), c.utf8) << c.bytes.substr(0, 10);
    }
}

TEST_F(TextFileTest, LargeFileLineCountAndPosition) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += i % 3 == 0 ? "line of text\r\n" : i % 3 == 1 ? "unix line\n" : "mac line\r";
    TextFile file;
    ASSERT_TRUE(file.Open(Write("large.txt", bytes + "last"), TextEncoding::Cp1252));
    EXPECT_EQ(file.Size(), static_cast<std::int64_t>(bytes.size() + 4));
    std::u16string line;
    std::int64_t count = 0;
    while (file.ReadLine(line))
        ++count;
    EXPECT_EQ(count, 200001);
    EXPECT_EQ(line, u""); // the failed read at the end leaves no line
    EXPECT_EQ(file.Position(), file.Size());
}

TEST_F(TextFileTest, SwitchToUtf8DecodesTheLastLineAgain) {
    TextFile file;
    ASSERT_TRUE(
        file.Open(Write("switch.htm", "caf\xC3\xA9 one\nna\xC3\xAFve\n"), TextEncoding::Cp1252));
    std::u16string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(U16ToUtf8(line), "cafÃ© one");
    ASSERT_TRUE(file.SwitchToUtf8(line));
    EXPECT_EQ(U16ToUtf8(line), "café one");
    EXPECT_TRUE(file.IsUtf8());
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(U16ToUtf8(line), "naïve");
    EXPECT_FALSE(file.SwitchToUtf8(line)); // already UTF-8
}

TEST_F(TextFileTest, OpenFailures) {
    TextFile file;
    EXPECT_FALSE(file.Open(Dir() / "missing.txt", TextEncoding::Cp1252));
    EXPECT_EQ(file.OpenError(), -9);
    EXPECT_FALSE(file.Open(Dir(), TextEncoding::Utf8));
    EXPECT_EQ(file.OpenError(), -9);
    const auto missing = ReadFirstLines(Dir() / "missing.txt", 10, LineJoin::Lines, false, false);
    EXPECT_EQ(missing.text, u"");
    EXPECT_EQ(missing.numLines, 0);
    const auto locked = Write("locked.txt", "secret\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (std::ifstream(locked).is_open())
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_FALSE(file.Open(locked, TextEncoding::Cp1252));
    EXPECT_EQ(file.OpenError(), -3);
    EXPECT_EQ(static_cast<int>(TextTest(locked).code), -3);
}

} // namespace
