// Skipping an HTML head and switching to UTF-8 when the head declares it.

#include "sources/HtmlHead.h"

#include "TextFilesTestSupport.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lxty::DeclaresUtf8Charset;
using lxty::EncodingFor;
using lxty::IsHtmlDocTypeLine;
using lxty::SkipHtmlHead;
using lxty::TextEncoding;
using lxty::TextFile;
using lxty::TextTest;
using lxty::U16ToUtf8;

class HtmlHeadTest : public lxty::test::TextFilesTest {};

// Reads file as the count run does: the head is skipped on the first document-type line.
struct ReadOutcome {
    std::vector<std::string> lines;
    bool utf8 = false;
};

ReadOutcome ReadSkippingHead(const std::filesystem::path& path, TextEncoding encoding) {
    TextFile file;
    EXPECT_TRUE(file.Open(path, encoding));
    ReadOutcome out;
    bool headSkipped = false;
    std::u16string line;
    while (file.ReadLine(line)) {
        if (!headSkipped && IsHtmlDocTypeLine(line)) {
            headSkipped = true;
            line = SkipHtmlHead(line, file);
        }
        out.lines.push_back(U16ToUtf8(line));
    }
    out.utf8 = file.IsUtf8();
    return out;
}

// A head long enough that the sample of the text test holds only ASCII, with the charset
// declaration beyond the first ten lines, so only the head skip can find it.
std::string LongHead(const std::string& meta) {
    std::string head =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n";
    for (int i = 0; i < 400; ++i)
        head += "<!-- padding padding padding padding padding padding -->\r\n";
    return head + meta + "\r\n";
}

TEST_F(HtmlHeadTest, CharsetInAMetaTagSwitchesToUtf8AfterTheHead) {
    const std::string bytes =
        LongHead("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">") +
        "<TITLE>Title words</TITLE></HEAD><BODY>Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D\r\n"
        "na\xC3\xAFve \xE2\x80\x94 end\r\n</BODY>\r\n";
    const auto path = Write("late.htm", bytes);
    const auto judged = TextTest(path);
    ASSERT_EQ(static_cast<int>(judged.code), 1);
    ASSERT_FALSE(judged.utf8); // nothing in the sample says UTF-8
    const auto out = ReadSkippingHead(path, EncodingFor(judged));
    EXPECT_TRUE(out.utf8);
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{"<BODY>Café \"quoted\"", "naïve  --  end", "</BODY>"}));
}

TEST_F(HtmlHeadTest, OtherCharsetLeavesWindows1252) {
    const std::string bytes =
        LongHead("<meta charset=\"windows-1252\">") + "</head><body>caf\xE9\r\nna\xEFve\r\n";
    const auto path = Write("ansi.htm", bytes);
    const auto out = ReadSkippingHead(path, EncodingFor(TextTest(path)));
    EXPECT_FALSE(out.utf8);
    EXPECT_EQ(out.lines, (std::vector<std::string>{"<body>café", "naïve"}));
}

TEST_F(HtmlHeadTest, DeclarationOnTheDocumentTypeLineItself) {
    const auto path =
        Write("one.htm", "<!doctype html><meta charset=\"utf-8\"></head>Caf\xC3\xA9\n");
    const auto out = ReadSkippingHead(path, TextEncoding::Cp1252);
    EXPECT_TRUE(out.utf8);
    EXPECT_EQ(out.lines, std::vector<std::string>{"Café"});
}

TEST_F(HtmlHeadTest, CommittedPageIsUtf8AndLosesItsHead) {
    const auto path = std::filesystem::path(LXTY_TEST_DATA_DIR) / "textfiles" / "page.htm";
    const auto judged = TextTest(path);
    EXPECT_TRUE(judged.utf8);
    const auto out = ReadSkippingHead(path, EncodingFor(judged));
    EXPECT_EQ(out.lines, (std::vector<std::string>{"<body>First  --  words", "<p>café</p>",
                                                   "</body></html>"}));
}

// DocBook pages break their tags before the ">": "</HEAD\n><BODY". The head still ends
// there, and the body is read from the line holding the ">".
TEST_F(HtmlHeadTest, HeadEndTagBrokenAcrossLines) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string doctype = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<HTML\n>";
    const std::vector<Case> cases = {
        {"bracket on the next line",
         doctype + "<HEAD\n><TITLE\n>t</TITLE\n></HEAD\n><BODY\n>words\n",
         {"<BODY", ">words"}},
        {"blanks and an empty line before the bracket",
         doctype + "<HEAD>x</head  \n\n   >body text\nmore\n",
         {"body text", "more"}},
        {"blanks inside the tag on one line", doctype + "<head></head >after\n", {"after"}},
        {"a header element is not the head's end",
         doctype + "<head></header>still head\n</HEAD>body\n",
         {"body"}},
        {"text after the open tag ends nothing", doctype + "<head></HEAD\nx>y\n</HEAD>z\n", {"z"}},
        {"the file ends inside the tag", doctype + "<head></HEAD\n", {""}},
    };
    for (const auto& c : cases) {
        const auto out = ReadSkippingHead(Write("broken.htm", c.bytes), TextEncoding::Cp1252);
        EXPECT_EQ(out.lines, c.lines) << c.name;
    }
}

// HTML lets a page leave out "</head>" (and "<head>"): the body tag then ends the head, and
// the tag is handed on with the body so that the run skips it as markup.
TEST_F(HtmlHeadTest, BodyTagEndsAHeadWithoutEndTag) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"no head at all",
         "<!DOCTYPE html>\n<html>\n  <body>\n<p>words</p>\n",
         {"<body>", "<p>words</p>"}},
        {"head without end",
         "<!DOCTYPE html><head><title>t</title>\n<BODY class=\"x\">text\n",
         {"<BODY class=\"x\">text"}},
        {"body tag broken across lines",
         "<!DOCTYPE html>\n<title>t</title><body\nclass=x>w\n",
         {"<body", "class=x>w"}},
        {"a tag that only begins with body",
         "<!DOCTYPE html>\n<bodyguard>\n</head>after\n",
         {"after"}},
        {"the head end comes first", "<!DOCTYPE html>\n</head>x<body>y\n", {"x<body>y"}},
    };
    for (const auto& c : cases) {
        const auto out = ReadSkippingHead(Write("nohead.htm", c.bytes), TextEncoding::Cp1252);
        EXPECT_EQ(out.lines, c.lines) << c.name;
    }
}

TEST_F(HtmlHeadTest, HeadWithoutEndSwallowsTheFile) {
    const auto path = Write("open.htm", "<!DOCTYPE html>\n<head>\n<title>t</title>\nwords\n");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextEncoding::Cp1252));
    std::u16string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(SkipHtmlHead(line, file), u"");
    EXPECT_TRUE(file.AtEnd());
}

TEST_F(HtmlHeadTest, UnicodeFilesAreNotSwitched) {
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("<!DOCTYPE html><meta charset=UTF-8></head>x\r\n")) {
        bytes += c;
        bytes += '\0';
    }
    const auto out = ReadSkippingHead(Write("u16.htm", bytes), TextEncoding::Utf16LE);
    EXPECT_FALSE(out.utf8);
    EXPECT_EQ(out.lines, std::vector<std::string>{"x"});
}

TEST(HtmlHeadLines, DocumentTypeAndCharsetTests) {
    struct Case {
        std::u16string line;
        bool docType;
        bool utf8;
    };
    const Case cases[] = {
        {u"<!DOCTYPE html>", true, false},
        {u"<!doctype HTML PUBLIC>", true, false},
        {u"<!DOCTYPE svg>", false, false},
        {u"<html>", false, false},
        {u"<meta charset=utf-8>", false, true},
        {u"<meta CharSet=\"Utf-8\">", false, true},
        {u"<meta charset='utf-8'>", false, false},
        {u"<meta charset = utf-8>", false, false},
        {u"<meta charset=utf-16>", false, false},
        {u"content=\"text/html; charset=UTF-8\"", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHtmlDocTypeLine(c.line), c.docType) << U16ToUtf8(c.line);
        EXPECT_EQ(DeclaresUtf8Charset(c.line), c.utf8) << U16ToUtf8(c.line);
    }
}

} // namespace
