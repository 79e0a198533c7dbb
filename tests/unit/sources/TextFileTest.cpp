// Reading files as lines: the line splitter (every kind of line end, block boundaries inside
// a CR LF pair and inside a line), then judged files as lines of characters (every encoding,
// byte-order marks, block boundaries, the switch to UTF-8, the first-lines reader) and the
// skipping of an HTML head, which switches to UTF-8 when the head declares it.

#include "sources/TextFile.h"
#include "sources/HtmlHead.h"
#include "sources/LineReader.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"

namespace {

using namespace lxty;
using test::Bytes;
using Strings = std::vector<std::string>;

const std::u16string kEncodings[] = {u"Cp1252",  u"SevenBitSample", u"Utf8",   u"Utf16LE",
                                     u"Utf16BE", u"Utf32LE",        u"Utf32BE"};

class TextFileTest : public test::TextFilesTest {
protected:
    // The lines of the bytes as the line splitter gives them.
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

TEST_F(TextFileTest, SplitsEveryKindOfLineEnd) {
    test::ExpectCases("cases/line-ends.txt", "", [&](const std::vector<std::u16string>& in) {
        std::string out;
        for (const std::string& line : Lines(test::Bytes(in.at(0))))
            out += "[" + line + "]";
        return Utf8ToU16(out);
    });
}

TEST_F(TextFileTest, BlockBoundaries) {
    const std::string x(LineReader::kBlockSize - 1, 'x'), y(3 * LineReader::kBlockSize + 17, 'y');
    EXPECT_EQ(Lines(x + "\r\nnext\r\n"), (Strings{x, "next"})); // CR and LF in two blocks
    EXPECT_EQ(Lines(x + "\r"), Strings{x});                     // a final CR ends the file
    // A line longer than a block, without a blank, is cut where the second block ends.
    const std::size_t cut = 2 * LineReader::kBlockSize - 2;
    EXPECT_EQ(Lines("a\n" + y + "\nb"), (Strings{"a", y.substr(0, cut), y.substr(cut), "b"}));
}

// A file opened with the size the folder walk found: the whole file is read even when it
// has grown or shrunk since, across a block boundary too.
TEST_F(TextFileTest, KnownSizeThatNoLongerHoldsStillReadsTheWholeFile) {
    const std::string big(LineReader::kBlockSize + 2, 'z');
    for (const std::string& bytes : {std::string("one\ntwo"), "a\n" + big}) {
        const auto path = Write("known.txt", bytes);
        const auto n = static_cast<std::int64_t>(bytes.size());
        for (const std::int64_t size : {n, std::int64_t{1}, n - 1, n + 1, n + 9000}) {
            LineReader reader;
            ASSERT_TRUE(reader.Open(path, size));
            std::string all, line;
            while (reader.ReadLine(line))
                all += line + "|";
            EXPECT_EQ(all, bytes.substr(0, bytes.find('\n')) + "|" +
                               bytes.substr(bytes.find('\n') + 1) + "|")
                << size;
            EXPECT_TRUE(reader.AtEnd());
            EXPECT_EQ(reader.Position(), n) << size;
        }
    }
}

TEST_F(TextFileTest, PeekAndSkipBeforeTheFirstLine) {
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
    for (const auto& [path, encoding] : {std::pair{Dir() / "missing.txt", TextEncoding::Cp1252},
                                         std::pair{Dir(), TextEncoding::Utf8}}) {
        LineReader reader;
        EXPECT_FALSE(reader.Open(path));
        EXPECT_EQ(reader.OpenError(), -9);
        EXPECT_FALSE(file.Open(path, encoding));
        EXPECT_EQ(file.OpenError(), -9);
    }
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

// Reads the file as the count run does, the head skipped on the first document-type line:
// each line in [ ], then " utf8" when the file was switched.
std::u16string ReadSkippingHead(const std::filesystem::path& path, TextEncoding encoding) {
    TextFile file;
    EXPECT_TRUE(file.Open(path, encoding));
    std::u16string out, line;
    for (bool headSkipped = false; file.ReadLine(line);) {
        if (!headSkipped && IsHtmlDocTypeLine(line)) {
            headSkipped = true;
            line = SkipHtmlHead(line, file);
        }
        out += u"[" + line + u"]";
    }
    return out + (file.IsUtf8() ? u" utf8" : u"");
}

// Case lines: "1252 | bytes", "utf16le | bytes" (read in that encoding), "page | fixture
// file" (judged as the count run does) and "line | text" (document type? charset?).
TEST_F(TextFileTest, HtmlHeadCases) {
    test::ExpectCases("cases/html-head.txt", "", [&](const std::vector<std::u16string>& in) {
        if (in.at(0) == u"line")
            return std::u16string(IsHtmlDocTypeLine(in.at(1)) ? u"doctype" : u"") +
                   (DeclaresUtf8Charset(in.at(1)) ? u"utf8" : u"");
        if (in.at(0) == u"page") {
            const auto path =
                std::filesystem::path(LXTY_TEST_DATA_DIR) / "textfiles" / U16ToUtf8(in.at(1));
            return ReadSkippingHead(path, EncodingFor(TextTest(path)));
        }
        return ReadSkippingHead(Write("page.htm", test::Bytes(in.at(1))),
                                in.at(0) == u"utf16le" ? TextEncoding::Utf16LE
                                                       : TextEncoding::Cp1252);
    });
}

// A charset declared beyond the first ten lines, after a head long enough that the text
// test's sample holds only ASCII: only the head skip can find it.
TEST_F(TextFileTest, CharsetAfterTheSampleSwitchesToUtf8AfterTheHead) {
    std::string head =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n";
    for (int i = 0; i < 400; ++i)
        head += "<!-- padding padding padding padding padding padding -->\r\n";
    const struct {
        std::string meta, body;
        std::u16string expected;
    } cases[] = {
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">",
         "<TITLE>Title words</TITLE></HEAD><BODY>Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D\r\n"
         "na\xC3\xAFve \xE2\x80\x94 end\r\n</BODY>\r\n",
         u"[<BODY>Café \"quoted\"][naïve  --  end][</BODY>] utf8"},
        {"<meta charset=\"windows-1252\">", "</head><body>caf\xE9\r\nna\xEFve\r\n",
         u"[<body>café][naïve]"},
    };
    for (const auto& c : cases) {
        const auto path = Write("late.htm", head + c.meta + "\r\n" + c.body);
        const auto judged = TextTest(path);
        EXPECT_EQ(judged.code, TextCode::CrLf);
        EXPECT_FALSE(judged.utf8); // nothing in the sample says UTF-8
        EXPECT_EQ(ReadSkippingHead(path, EncodingFor(judged)), c.expected);
    }
}

} // namespace
