// Reading judged files as lines of characters: every encoding, byte-order marks, block
// boundaries, the switch to UTF-8 and the first-lines reader.

#include "sources/TextFile.h"

#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lxty::EncodingFor;
using lxty::LineJoin;
using lxty::ReadFirstLines;
using lxty::TextEncoding;
using lxty::TextFile;
using lxty::TextTest;
using lxty::U16ToUtf8;
using lxty::test::Bytes;

const std::filesystem::path kFixtures = std::filesystem::path(LXTY_TEST_DATA_DIR) / "textfiles";

class TextFileTest : public lxty::test::TextFilesTest {};

// Every line of file read in encoding, as UTF-8 for readable comparisons.
std::vector<std::string> ReadAll(const std::filesystem::path& file, TextEncoding encoding) {
    TextFile text;
    EXPECT_TRUE(text.Open(file, encoding)) << file;
    std::vector<std::string> lines;
    std::u16string line;
    while (text.ReadLine(line))
        lines.push_back(U16ToUtf8(line));
    EXPECT_FALSE(text.Failed());
    EXPECT_TRUE(text.AtEnd());
    return lines;
}

// Judges the file as the count run does, then reads it.
std::vector<std::string> JudgeAndRead(const std::filesystem::path& file) {
    return ReadAll(file, EncodingFor(TextTest(file)));
}

struct FixtureCase {
    const char* file;
    int expectedCode;
    bool expectedUtf8;
    TextEncoding expectedEncoding;
    std::vector<std::string> expectedLines;
};

TEST_F(TextFileTest, CommittedFixturesReadInTheirEncodings) {
    const FixtureCase cases[] = {
        {"utf8-nobom.txt",
         1,
         true,
         TextEncoding::Utf8,
         {"Naïve café  --  \"quoted\" text", "český 😀 line"}},
        {"utf8-bom.txt", 1, true, TextEncoding::Utf8, {"Word one", "wörd two"}},
        // A Windows-1252 file keeps its characters, é (byte E9) and its curly quotes too.
        {"cp1252.txt", 1, false, TextEncoding::Cp1252, {"café naïve “quoted”", "second line"}},
        {"utf16le-bom.txt", 7, false, TextEncoding::Utf16LE, {"Hello wörld", "line  --  two"}},
        {"utf16be-bom.txt", 7, false, TextEncoding::Utf16BE, {"Hello wörld", "line  --  two"}},
        {"utf16le-nobom.xml",
         7,
         false,
         TextEncoding::Utf16LE,
         {"<?xml version=\"1.0\"?>", "<a>wörd</a>"}},
    };
    for (const auto& c : cases) {
        const auto path = kFixtures / c.file;
        const auto judged = TextTest(path);
        EXPECT_EQ(static_cast<int>(judged.code), c.expectedCode) << c.file;
        EXPECT_EQ(judged.utf8, c.expectedUtf8) << c.file;
        EXPECT_EQ(EncodingFor(judged), c.expectedEncoding) << c.file;
        EXPECT_EQ(ReadAll(path, EncodingFor(judged)), c.expectedLines) << c.file;
    }
}

TEST_F(TextFileTest, Utf32BothOrders) {
    std::string le = Bytes("\xFF\xFE\0\0");
    std::string be = Bytes("\0\0\xFE\xFF");
    const char32_t text[] = {U'a', U'\u00E9', U'\r', U'\n', U'\U0001F600', U'\u2019', U's'};
    for (char32_t cp : text) {
        for (int k = 0; k < 4; ++k) {
            le += static_cast<char>((cp >> (8 * k)) & 0xFF);
            be += static_cast<char>((cp >> (8 * (3 - k))) & 0xFF);
        }
    }
    const std::vector<std::string> expected = {"aé", "😀's"};
    // FF FE 00 00 reads as UTF-16 little-endian by its first two bytes; opening finds UTF-32.
    const auto lePath = Write("le32.txt", le);
    const auto judged = TextTest(lePath);
    EXPECT_EQ(static_cast<int>(judged.code), 7);
    EXPECT_EQ(JudgeAndRead(lePath), expected);
    TextFile file;
    ASSERT_TRUE(file.Open(lePath, EncodingFor(judged)));
    EXPECT_EQ(file.Encoding(), TextEncoding::Utf32LE);
    EXPECT_EQ(JudgeAndRead(Write("be32.txt", be)), expected);
    // Code points past U+10FFFF cannot be characters.
    EXPECT_EQ(ReadAll(Write("bad32.txt", Bytes("\0\x11\0\0")), TextEncoding::Utf32BE),
              std::vector<std::string>{"\xEF\xBF\xBD"});
}

TEST_F(TextFileTest, Utf16AcrossBlockBoundaries) {
    // 'x' units up to one unit before the block end, then CR LF split by the boundary, then
    // an odd number of bytes in total (the last half unit is dropped).
    std::string bytes = "\xFF\xFE";
    const std::size_t units = (lxty::LineReader::kBlockSize - 2) / 2 - 1;
    for (std::size_t i = 0; i < units; ++i)
        bytes += Bytes("x\0");
    bytes += Bytes("\r\0\n\0e\0n\0d\0");
    bytes += 'Z';
    const auto lines = JudgeAndRead(Write("big16.txt", bytes));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(units, 'x'));
    EXPECT_EQ(lines[1], "end");
}

TEST_F(TextFileTest, LineEndsOfEveryKindInAUtf8File) {
    EXPECT_EQ(JudgeAndRead(Write("mixed.txt", "caf\xC3\xA9\r\nb\nc\rd")),
              (std::vector<std::string>{"café", "b", "c", "d"}));
}

TEST_F(TextFileTest, InvalidBytesLaterInAUtf8FileFallBack) {
    std::string bytes = "caf\xC3\xA9\n";
    bytes += std::string(20000, 'a') + "\n";
    bytes += "na\xEFve \x96 dash\n"; // Windows-1252 bytes after the sample
    const auto lines = JudgeAndRead(Write("late.txt", bytes));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "naïve - dash");
}

TEST_F(TextFileTest, SevenBitSampleSettlesOnTheFirstUtf8Line) {
    const std::string ascii = std::string(20000, 'a') + "\n";
    struct Case {
        const char* what;
        std::string tail;
        std::vector<std::string> expectedTail;
        bool expectedUtf8;
    };
    const Case cases[] = {
        {"UTF-8 after the sample",
         "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D\nna\xC3\xAFve\n",
         {"café \"quoted\"", "naïve"},
         true},
        // Windows-1252 after the sample stays Windows-1252, curly quotes and all.
        {"Windows-1252 after the sample",
         "caf\xE9 \x93quoted\x94\nna\xEFve\n",
         {"café \u201Cquoted\u201D", "naïve"},
         false},
        // A Windows-1252 line first, then a UTF-8 one: each is read as what it is.
        {"Windows-1252 line, then UTF-8", "caf\xE9\nna\xC3\xAFve\n", {"café", "naïve"}, true},
    };
    for (const auto& c : cases) {
        // ".dat": no charset sniffing, whose first ten lines would reach the tail here.
        const auto path = Write("late.dat", ascii + c.tail);
        const auto judged = TextTest(path);
        EXPECT_FALSE(judged.utf8) << c.what;
        EXPECT_TRUE(judged.sevenBitSample) << c.what;
        TextFile file;
        ASSERT_TRUE(file.Open(path, EncodingFor(judged)));
        EXPECT_EQ(file.Encoding(), TextEncoding::SevenBitSample) << c.what;
        std::vector<std::string> lines;
        std::u16string line;
        while (file.ReadLine(line))
            lines.push_back(U16ToUtf8(line));
        ASSERT_EQ(lines.size(), 3u) << c.what;
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.expectedTail)
            << c.what;
        EXPECT_EQ(file.IsUtf8(), c.expectedUtf8) << c.what;
    }
    // A sample with a Windows-1252 byte settles the file as Windows-1252 at once.
    const auto path = Write("early.txt", "caf\xE9\n" + ascii + "na\xC3\xAFve\n");
    EXPECT_EQ(EncodingFor(TextTest(path)), TextEncoding::Cp1252);
}

TEST_F(TextFileTest, LargeFileLineCountAndPosition) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += i % 3 == 0 ? "line of text\r\n" : i % 3 == 1 ? "unix line\n" : "mac line\r";
    bytes += "last";
    const auto path = Write("large.txt", bytes);
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextEncoding::Cp1252));
    EXPECT_EQ(file.Size(), static_cast<std::int64_t>(bytes.size()));
    std::u16string line;
    std::int64_t count = 0;
    while (file.ReadLine(line))
        ++count;
    EXPECT_EQ(count, 200001);
    EXPECT_EQ(U16ToUtf8(line), "");
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
}

TEST_F(TextFileTest, PermissionDenied) {
    TextFile file;
    const auto locked = Write("locked.txt", "secret\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (std::ifstream(locked).is_open())
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_FALSE(file.Open(locked, TextEncoding::Cp1252));
    EXPECT_EQ(file.OpenError(), -3);
    EXPECT_EQ(static_cast<int>(TextTest(locked).code), -3);
}

struct FirstLinesCase {
    const char* what;
    std::int64_t maxLines;
    LineJoin join;
    bool decode;
    bool normalise;
    bool keepEmpty;
    std::string expected;
    std::int64_t expectedCount;
};

TEST_F(TextFileTest, FirstLinesReader) {
    const auto path = Write("first.txt", "\xEF\xBB\xBFone \xE2\x80\x94 caf\xC3\xA9\r\n\r\ntwo\n"
                                         "\nthree\rfour\r\n");
    const FirstLinesCase cases[] = {
        {"all, decoded and normalised", 0, LineJoin::Space, true, true, false,
         "one  --  café two three four", 4},
        {"two lines, slash", 2, LineJoin::Slash, true, true, false, "one  --  café / two", 2},
        {"line-end join", 3, LineJoin::Lines, true, false, false, "one \u2014 café\ntwo\nthree", 3},
        {"raw bytes through Windows-1252", 1, LineJoin::Space, false, false, false,
         "ï»¿one â€” cafÃ©", 1},
        {"empty lines kept", 2, LineJoin::Slash, true, true, true, "one  --  café /  / two", 3},
        {"maximum larger than the file", 99, LineJoin::Space, true, true, false,
         "one  --  café two three four", 4},
    };
    for (const auto& c : cases) {
        const auto r = ReadFirstLines(path, c.maxLines, c.join, c.decode, c.normalise, c.keepEmpty);
        EXPECT_EQ(U16ToUtf8(r.text), c.expected) << c.what;
        EXPECT_EQ(r.numLines, c.expectedCount) << c.what;
    }
    const auto missing = ReadFirstLines(Dir() / "missing.txt", 10, LineJoin::Lines, false, false);
    EXPECT_EQ(missing.text, u"");
    EXPECT_EQ(missing.numLines, 0);
}

} // namespace
