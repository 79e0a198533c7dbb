// Skipping an HTML head and switching to UTF-8 when the head declares it.

#include "sources/HtmlHead.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace lxty;

class HtmlHeadTest : public test::TextFilesTest {};

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
TEST_F(HtmlHeadTest, Cases) {
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
TEST_F(HtmlHeadTest, CharsetAfterTheSampleSwitchesToUtf8AfterTheHead) {
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
