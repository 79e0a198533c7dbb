// The text window model: what an append keeps at the 65,000-character capacity, when the
// window counts as full, and the "Textbox is full." note with its folder-run tail.

#include "reports/TextWindow.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

constexpr std::size_t kCap = 65000;

std::u16string A(std::size_t n, char16_t c = u'a') {
    return std::u16string(n, c);
}

const std::u16string kNote = u"\n\nTextbox is full.";

// Steps: '+' appends, '=' sets the whole text, '0' clears the output.
struct Case {
    const char* name;
    std::vector<std::pair<char, std::u16string>> steps;
    std::u16string text;
    bool full;
};

TEST(TextWindowTest, CapacityAndTheFullNote) {
    const std::u16string cut = A(kCap - 256) + kNote;
    const Case cases[] = {
        {"exactly full", {{'+', A(kCap)}}, A(kCap), false},
        {"one more is refused: the note", {{'+', A(kCap)}, {'+', u"x"}}, cut, true},
        {"later output is refused too", {{'+', A(kCap)}, {'+', u"x"}, {'+', u"later"}}, cut, true},
        {"one too many fills the window at once", {{'+', A(kCap) + u"Z"}}, cut, true},
        {"then the next append is refused", {{'+', A(kCap) + u"Z"}, {'+', u"y"}}, cut, true},
        {"one below takes one more", {{'+', A(kCap - 1)}, {'+', u"b"}}, A(kCap - 1) + u"b", false},
        {"one below, two come: full", {{'+', A(kCap - 1)}, {'+', u"bc"}}, cut, true},
        {"then stays full", {{'+', A(kCap - 1)}, {'+', u"bc"}, {'+', u"d"}}, cut, true},
        {"overfull text set whole: full at the first append",
         {{'=', A(kCap + 100)}, {'+', u"x"}},
         A(kCap + 100 - 256) + kNote,
         true},
        {"and stays so",
         {{'=', A(kCap + 100)}, {'+', u"x"}, {'+', u"x"}},
         A(kCap - 156) + kNote,
         true},
        {"set text, then filled exactly",
         {{'=', A(kCap - 10)}, {'+', A(10, u'b')}},
         A(kCap - 10) + A(10, u'b'),
         false},
        {"an empty append is no refusal", {{'+', A(kCap)}, {'+', u""}}, A(kCap), false},
        {"growing back after a clear is no refusal",
         {{'+', A(kCap)}, {'0', u""}, {'+', A(kCap - 10)}, {'+', A(10, u'b')}},
         A(kCap - 10) + A(10, u'b'),
         false},
        {"a clear ends the full state",
         {{'+', A(kCap)}, {'+', u"x"}, {'0', u""}, {'+', u"again"}},
         u"again",
         false},
        {"half a surrogate pair fits: full, not split",
         {{'+', A(kCap - 1)}, {'+', u"\U0001F600"}},
         A(kCap - 257) + kNote,
         true},
        {"appends join",
         {{'+', u"Now counting"}, {'+', u" all words"}},
         u"Now counting all words",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeHost host;
        TextWindow tw{host};
        int emptied = 0; // outside a folder run the input-file box is kept
        tw.emptyInputFileBox = [&] { ++emptied; };
        // Set from a std::u16string, not a literal: GCC 12 warns falsely (-Wrestrict).
        host.labels["lblTwirler"] = std::u16string(u"|");
        bool everFull = false;
        for (const auto& [op, text] : c.steps) {
            if (op == '+')
                tw.OutputToTxb(text);
            else if (op == '=')
                tw.SetText(text);
            else
                tw.ClearOutput();
            everFull = everFull || tw.blnTextboxFull();
        }
        EXPECT_EQ(c.text.size(), tw.Text().size());
        EXPECT_TRUE(c.text == tw.Text());
        EXPECT_TRUE(tw.Text() == host.textWindow);
        EXPECT_EQ(c.full, tw.blnTextboxFull());
        EXPECT_TRUE((everFull ? u"" : u"|") == host.labels["lblTwirler"]); // stops when full
        EXPECT_EQ(0, emptied);
    }
}

TEST(TextWindowTest, FolderRunNoteNamesFilesAndFoldersSoFar) {
    struct Folder {
        std::int64_t files, folders;
        std::u16string tail;
    };
    const Folder cases[] = {
        {1, 1, u"To this point: 1 file in 1 folder"},
        {3, 2, u"To this point: 3 files in 2 folders"},
        {0, 1, u"To this point: 0 files in 1 folder"},
        {1200, 1, u"To this point: 1200 files in 1 folder"},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        TextWindow w{h};
        int emptied = 0;
        w.folderRun = {true, c.files, c.folders};
        w.emptyInputFileBox = [&] { ++emptied; };
        w.OutputToTxb(A(kCap));
        w.OutputToTxb(u"x");
        EXPECT_TRUE(A(kCap - 256) + kNote + u"\n\n" + c.tail == w.Text()) << c.files;
        EXPECT_EQ(1, emptied);
    }
}

TEST(TextWindowTest, ServesTheCountingCodeThroughItsSink) {
    test::FakeHost host;
    TextWindow tw{host};
    TextWindowSink& sink = tw;
    sink.Append(u"alpha, beta, ");
    EXPECT_EQ(13, sink.Length());
    EXPECT_EQ(u"alpha, beta, ", host.textWindow);
    sink.Clear();
    EXPECT_EQ(0, sink.Length());
    EXPECT_EQ(u"", host.textWindow);
}

} // namespace
} // namespace lxty
