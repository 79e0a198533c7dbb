// ReportError: the message, its title and what it does to the text window, for an ordinary
// error and for the text window running out of space.

#include "reports/ReportError.h"
#include "ReportRig.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

struct ReportErrorTest : ::testing::Test, test::ReportRig {
    static void SetUpTestSuite() {
        test::LoadTexts();
        for (int n : {92, 93, 94, 95, 96, 97})
            ASSERT_FALSE(GetText(n).empty()) << n;
    }
};

std::u16string Lines(int from, int to) { // "entry 000\r\n" ... , 11 characters each
    std::u16string s;
    for (int i = from; i < to; ++i)
        s += u"entry " + test::U(std::to_string(1000 + i).substr(1)) + u"\r\n";
    return s;
}

TEST(ReportError, OrdinaryErrorNamesProcedureNumberAndDescription) {
    test::LoadTexts();
    struct Case {
        std::int64_t number;
        std::u16string description, procedure;
        bool written, full;
        std::u16string text;
        int titleText;
    };
    const Case cases[] = {
        {53, u"File not found", u"ListWords", false, false,
         u"At ListWords error #53.\r\nDescription: File not found", 97},
        {61, u"Disk full", u"ListWordsByFrequency", true, false,
         u"At ListWordsByFrequency error #61.\r\nDescription: Disk full\r\n" + GetText(96), 97},
        {-5, u"", u"", false, false, u"At  error #-5.\r\nDescription: ", 97},
        {6, u"Overflow", u"ListWordsAlphabetically", false, true,
         u"At ListWordsAlphabetically error #6.\r\nDescription: Overflow", 93},
    };
    for (const auto& c : cases) {
        test::ReportRig r;
        r.report.blnWrittenToFile = c.written;
        if (c.full)
            r.tw.SetTextboxFull();
        r.run.blnElapsedTimeRunning = true;
        r.host.labels["lblTwirler"] = u"/";
        r.tw.SetText(u"kept text");
        ReportError(r.out, c.number, c.description, c.procedure);
        EXPECT_EQ(test::N(GetText(c.titleText) + u"|" + c.text), r.Only());
        EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
        EXPECT_FALSE(r.run.blnElapsedTimeRunning);
        EXPECT_EQ(u"", r.host.labels["lblTwirler"]);
        EXPECT_EQ(u"kept text", r.tw.Text());
    }
}

TEST(ReportError, OutOfSpaceHintFollowsTheOutputFileState) {
    test::LoadTexts();
    struct Case {
        std::u16string outputFile;
        int disabled;
        bool written;
        std::u16string hint;
    };
    const Case cases[] = {
        {u"", 0, false, GetText(94)},
        {u"", 1, true, GetText(94)},
        {u"/tmp/out.txt", 1, true, GetText(95)},
        {u"/tmp/out.txt", 0, true, u"\r\n" + GetText(96)},
        {u"/tmp/out.txt", 0, false, u""},
    };
    for (const auto& c : cases) {
        test::ReportRig r;
        r.settings.File[1] = c.outputFile;
        r.settings.DisableOutputToFile = c.disabled;
        r.report.blnWrittenToFile = c.written;
        r.tw.SetText(u"short");
        r.tw.SetTextboxFull();
        ReportError(r.out, kErrTextWindowFull, u"Insufficient memory", u"");
        EXPECT_EQ(test::N(GetText(93) + u"|" + GetText(93) + u"  " + c.hint), r.Only());
        EXPECT_EQ(u"short", r.tw.Text()); // 1,024 characters or fewer: left alone
    }
}

TEST_F(ReportErrorTest, OutOfSpaceWithPendingTextShowsItsBeginningCutAtALine) {
    run.strOutput = Lines(0, 500); // 5,500 characters
    tw.SetText(std::u16string(255, u'.'));
    ReportError(out, kErrTextWindowFull, u"", u"");
    // The window was not marked full: the ordinary title.
    EXPECT_EQ(test::N(GetText(97) + u"|" + GetText(92) + u"  " + GetText(94)), Only());
    // First 4,096 characters = 372 lines + "entr"; less 32 characters ends inside line 369,
    // so the text ends with line 368 and the note.
    std::u16string expected = Lines(0, 369);
    expected.erase(expected.size() - 2);
    EXPECT_EQ(expected + u"\r\n\r\n" + GetText(93), tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
}

TEST_F(ReportErrorTest, OutOfSpaceWithAFullWindowKeepsItsTextUpToTheLastWholeLine) {
    run.strOutput = u"pending";
    tw.SetText(Lines(0, 100)); // 1,100 characters, 256 or more: pending text is not shown
    tw.SetTextboxFull();
    settings.File[1] = u"/tmp/out.txt";
    ReportError(out, kErrTextWindowFull, u"", u"");
    EXPECT_EQ(test::N(GetText(93) + u"|" + GetText(93) + u"  "), Only());
    std::u16string expected = Lines(0, 97); // 1,068 characters: ends inside line 97
    expected.erase(expected.size() - 2);
    EXPECT_EQ(expected + u"\r\n\r\n" + GetText(93), tw.Text());
}

TEST_F(ReportErrorTest, OutOfSpaceWindowWithoutLineBreakOnlyLosesItsLast32Characters) {
    for (const std::size_t n : {1025, 1024}) { // not more than 1,024: untouched
        tw.SetText(std::u16string(n, u'w'));
        ReportError(out, kErrTextWindowFull, u"", u"");
        EXPECT_EQ(std::u16string(n > 1024 ? n - 32 : n, u'w'), tw.Text());
    }
}

} // namespace
} // namespace lxty
