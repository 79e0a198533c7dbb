// The text window model: what an append keeps, when the window counts as full, and the
// "Textbox is full." note.

#include "reports/TextWindow.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string>

namespace lxty {
namespace {

constexpr std::size_t kCap = 65000;

std::u16string Fill(std::size_t n, char16_t c = u'a') {
    return std::u16string(n, c);
}

const std::u16string kFullNote = u"\n\nTextbox is full.";

struct TextWindowTest : ::testing::Test {
    test::FakeHost host;
    TextWindow tw{host};
};

TEST_F(TextWindowTest, AppendsAndPushesEveryChangeToTheHost) {
    tw.OutputToTxb(u"Now counting");
    tw.OutputToTxb(u" all words\n");
    EXPECT_EQ(u"Now counting all words\n", tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
    tw.ClearOutput();
    EXPECT_EQ(u"", tw.Text());
    EXPECT_EQ(u"", host.textWindow);
}

TEST_F(TextWindowTest, TextThatDoesNotFitWholeFillsTheWindowAtOnce) {
    // Around the capacity: what is kept, and whether the note came with the append that did
    // not fit (a cut append is never left mid-line without it).
    struct Case {
        const char* what;
        std::u16string set, first, second; // SetText, then two appends
        std::u16string text;               // afterwards
        bool full;
    };
    const std::u16string note = kFullNote;
    const Case cases[] = {
        {"fits exactly", u"", Fill(kCap), u"", Fill(kCap), false},
        {"fits exactly, then one more", u"", Fill(kCap), u"x", Fill(kCap - 256) + note, true},
        {"one too many is cut", u"", Fill(kCap) + u"Z", u"y", Fill(kCap - 256) + note, true},
        {"one below takes one", Fill(kCap - 1), u"b", u"", Fill(kCap - 1) + u"b", false},
        {"one below, two come", Fill(kCap - 1), u"bc", u"", Fill(kCap - 256) + note, true},
        {"set overfull, then append", Fill(kCap + 100), u"x", u"", Fill(kCap - 156) + note, true},
        {"half a surrogate pair fits", Fill(kCap - 1), u"\U0001F600", u"", Fill(kCap - 257) + note,
         true},
        {"set text then fill", Fill(kCap - 10), Fill(10, u'b'), u"",
         Fill(kCap - 10) + Fill(10, u'b'), false},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        TextWindow w{h};
        h.labels["lblTwirler"] = u"|";
        w.SetText(c.set);
        w.OutputToTxb(c.first);
        const bool fullAfterFirst = w.blnTextboxFull();
        w.OutputToTxb(c.second);
        const bool full = c.full;
        if (full)
            w.OutputToTxb(u"later output"); // ignored
        EXPECT_EQ(c.text.size(), w.Text().size()) << c.what;
        EXPECT_EQ(c.text, w.Text()) << c.what;
        EXPECT_EQ(c.text, h.textWindow) << c.what;
        EXPECT_EQ(full, w.blnTextboxFull()) << c.what;
        EXPECT_EQ(full ? u"" : u"|", h.labels["lblTwirler"]) << c.what;
        if (c.first.size() + c.set.size() > kCap) {
            EXPECT_TRUE(fullAfterFirst) << c.what;
        }
    }
}

TEST_F(TextWindowTest, EmptyAppendToAFullLengthWindowIsNoRefusal) {
    tw.OutputToTxb(Fill(kCap));
    tw.OutputToTxb(u"");
    EXPECT_FALSE(tw.blnTextboxFull());
}

TEST_F(TextWindowTest, ClearOutputEndsTheFullState) {
    tw.OutputToTxb(Fill(kCap));
    tw.OutputToTxb(u"x");
    ASSERT_TRUE(tw.blnTextboxFull());
    tw.ClearOutput();
    EXPECT_FALSE(tw.blnTextboxFull());
    tw.OutputToTxb(u"again");
    EXPECT_EQ(u"again", tw.Text());
    EXPECT_EQ(u"again", host.textWindow);
}

TEST_F(TextWindowTest, FolderRunNoteNamesFilesAndFoldersSoFar) {
    struct Case {
        std::int64_t files, folders;
        std::u16string tail;
    };
    const Case cases[] = {
        {1, 1, u"\n\nTo this point: 1 file in 1 folder"},
        {3, 2, u"\n\nTo this point: 3 files in 2 folders"},
        {0, 1, u"\n\nTo this point: 0 files in 1 folder"},
        {1200, 1, u"\n\nTo this point: 1200 files in 1 folder"},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        TextWindow w{h};
        int emptied = 0;
        w.folderRun = {true, c.files, c.folders};
        w.emptyInputFileBox = [&] { ++emptied; };
        w.OutputToTxb(Fill(kCap));
        w.OutputToTxb(u"x");
        EXPECT_EQ(Fill(kCap - 256) + kFullNote + c.tail, w.Text()) << c.files;
        EXPECT_EQ(1, emptied);
    }
}

TEST_F(TextWindowTest, OutsideAFolderRunTheInputFileBoxIsKept) {
    int emptied = 0;
    tw.emptyInputFileBox = [&] { ++emptied; };
    tw.OutputToTxb(Fill(kCap));
    tw.OutputToTxb(u"x");
    EXPECT_EQ(0, emptied);
}

TEST_F(TextWindowTest, ServesTheCountingCodeThroughItsSink) {
    TextWindowSink& sink = tw;
    sink.Append(u"alpha, beta, ");
    EXPECT_EQ(13, sink.Length());
    sink.Clear();
    EXPECT_EQ(0, sink.Length());
    EXPECT_EQ(u"", host.textWindow);
}

} // namespace
} // namespace lxty
