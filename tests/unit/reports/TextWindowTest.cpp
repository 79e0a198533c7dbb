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

TEST_F(TextWindowTest, ExactlyFullWindowGetsTheNoteAtTheNextRefusedAppend) {
    tw.OutputToTxb(Fill(kCap)); // fits exactly
    EXPECT_EQ(static_cast<std::int64_t>(kCap), tw.Length());
    EXPECT_FALSE(tw.blnTextboxFull());
    EXPECT_EQ(Fill(kCap), host.textWindow);

    host.labels["lblTwirler"] = std::u16string(u"|"); // not from a literal: GCC 12 warns falsely
    tw.OutputToTxb(u"x"); // one character more: refused, the window is full
    EXPECT_TRUE(tw.blnTextboxFull());
    EXPECT_EQ(Fill(kCap - 256) + kFullNote, tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
    EXPECT_EQ(u"", host.labels["lblTwirler"]);

    tw.OutputToTxb(u"later output");
    EXPECT_EQ(Fill(kCap - 256) + kFullNote, tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
}

TEST_F(TextWindowTest, OneCharacterTooManyIsCutAndTheNextAppendFillsTheWindow) {
    tw.OutputToTxb(Fill(kCap) + u"Z"); // 65,001: the last character does not fit
    EXPECT_EQ(Fill(kCap), tw.Text());
    EXPECT_FALSE(tw.blnTextboxFull());

    tw.OutputToTxb(u"y");
    EXPECT_TRUE(tw.blnTextboxFull());
    EXPECT_EQ(Fill(kCap - 256) + kFullNote, tw.Text());
}

TEST_F(TextWindowTest, OneBelowCapacityTakesOneMoreCharacter) {
    tw.OutputToTxb(Fill(kCap - 1));
    tw.OutputToTxb(u"bc");
    EXPECT_EQ(Fill(kCap - 1) + u"b", tw.Text());
    EXPECT_FALSE(tw.blnTextboxFull());
    tw.OutputToTxb(u"d");
    EXPECT_TRUE(tw.blnTextboxFull());
}

TEST_F(TextWindowTest, OverfullTextSetWholeIsNoticedAtTheSecondRefusedAppend) {
    tw.SetText(Fill(kCap + 100));
    tw.OutputToTxb(u"x"); // the last length is stale: only remembered
    EXPECT_FALSE(tw.blnTextboxFull());
    EXPECT_EQ(Fill(kCap + 100), tw.Text());
    tw.OutputToTxb(u"x");
    EXPECT_TRUE(tw.blnTextboxFull());
    EXPECT_EQ(Fill(kCap + 100 - 256) + kFullNote, tw.Text());
}

TEST_F(TextWindowTest, EmptyAppendToAFullLengthWindowIsNoRefusal) {
    tw.OutputToTxb(Fill(kCap));
    tw.OutputToTxb(u"");
    EXPECT_FALSE(tw.blnTextboxFull());
}

TEST_F(TextWindowTest, AnAppendThatLengthensTheTextNeverCountsAsFull) {
    // After a clear the remembered length (65,000) is stale; growing to 65,000 again is an
    // accepted append, not a full window.
    tw.OutputToTxb(Fill(kCap));
    tw.ClearOutput();
    tw.OutputToTxb(Fill(kCap - 10));
    tw.OutputToTxb(Fill(10, u'b'));
    EXPECT_FALSE(tw.blnTextboxFull());
    EXPECT_EQ(static_cast<std::int64_t>(kCap), tw.Length());
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

TEST_F(TextWindowTest, SurrogatePairIsNotSplitAtTheCapacity) {
    tw.OutputToTxb(Fill(kCap - 1));
    tw.OutputToTxb(u"\U0001F600"); // two code units, only one would fit
    EXPECT_EQ(Fill(kCap - 1), tw.Text());
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
