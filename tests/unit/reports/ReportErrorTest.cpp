// ReportError: the message, its title and what it does to the text window, for an ordinary
// error and for the text window running out of space.

#include "reports/ReportError.h"
#include "Golden.h"
#include "ReportRig.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

struct ReportErrorTest : ::testing::Test, test::ReportRig {
    static void SetUpTestSuite() { test::LoadTexts(); }
};

std::u16string Lines(int from, int to) { // "entry 000\n" ... , 10 characters each
    std::u16string s;
    for (int i = from; i < to; ++i)
        s += u"entry " + test::U(std::to_string(1000 + i).substr(1)) + u"\n";
    return s;
}

// The message of each error, compared with tests/data/reports/report_error.txt: an
// ordinary one names procedure, number and description (with a hint once the file is
// written); running out of space hints at the output file by its state.
TEST(ReportError, Messages) {
    test::LoadTexts();
    struct Case {
        std::int64_t number;
        const char16_t *description, *procedure, *outputFile;
        int disabled;
        bool written, full;
    };
    const Case cases[] = {
        {53, u"File not found", u"ListWords", u"", 0, false, false},
        {61, u"Disk full", u"ListWordsByFrequency", u"", 0, true, false},
        {-5, u"", u"", u"", 0, false, false},
        {6, u"Overflow", u"ListWordsAlphabetically", u"", 0, false, true},
        {kErrTextWindowFull, u"Insufficient memory", u"", u"", 0, false, true},
        {kErrTextWindowFull, u"Insufficient memory", u"", u"", 1, true, true},
        {kErrTextWindowFull, u"Insufficient memory", u"", u"/tmp/out.txt", 1, true, true},
        {kErrTextWindowFull, u"Insufficient memory", u"", u"/tmp/out.txt", 0, true, true},
        {kErrTextWindowFull, u"Insufficient memory", u"", u"/tmp/out.txt", 0, false, true},
    };
    test::Golden g("reports/report_error");
    for (const auto& c : cases) {
        test::ReportRig r;
        r.settings.File[1] = c.outputFile;
        r.settings.DisableOutputToFile = c.disabled;
        r.report.blnWrittenToFile = c.written;
        if (c.full)
            r.tw.SetTextboxFull();
        r.run.blnElapsedTimeRunning = true;
        r.host.labels["lblTwirler"] = u"/";
        r.tw.SetText(u"kept text"); // 1,024 characters or fewer: left alone
        ReportError(r.out, c.number, c.description, c.procedure);
        EXPECT_EQ(1u, r.host.messages.size());
        EXPECT_FALSE(r.run.blnElapsedTimeRunning);
        EXPECT_EQ(u"", r.host.labels["lblTwirler"]);
        EXPECT_EQ(u"kept text", r.tw.Text());
        g.Add(std::to_string(c.number) + " " +
                  test::N(std::u16string(c.procedure) + u" " + c.outputFile) + " " +
                  std::to_string(c.disabled) + std::to_string(c.written) + std::to_string(c.full),
              r.Said());
    }
    g.Check();
}

TEST_F(ReportErrorTest, OutOfSpaceWithPendingTextShowsItsBeginningCutAtALine) {
    run.strOutput = Lines(0, 500); // 5,000 characters
    tw.SetText(std::u16string(255, u'.'));
    ReportError(out, kErrTextWindowFull, u"", u"");
    // The window was not marked full: the ordinary title.
    EXPECT_EQ(test::N(GetText(TextId::Error) + u"|" + GetText(TextId::TextWindowCannotHold) +
                      u"  " + GetText(TextId::SpecifyOutputFileForAll)),
              Only());
    // First 4,096 characters = 409 lines + "entry "; less 32 characters ends inside line 406,
    // so the text ends with line 405 and the note.
    std::u16string expected = Lines(0, 406);
    expected.erase(expected.size() - 1);
    EXPECT_EQ(expected + u"\n\n" + GetText(TextId::TextWindowFull), tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
}

TEST_F(ReportErrorTest, OutOfSpaceWithAFullWindowKeepsItsTextUpToTheLastWholeLine) {
    run.strOutput = u"pending";
    tw.SetText(Lines(0, 110)); // 1,100 characters, 256 or more: pending text is not shown
    tw.SetTextboxFull();
    settings.File[1] = u"/tmp/out.txt";
    ReportError(out, kErrTextWindowFull, u"", u"");
    EXPECT_EQ(
        test::N(GetText(TextId::TextWindowFull) + u"|" + GetText(TextId::TextWindowFull) + u"  "),
        Only());
    std::u16string expected = Lines(0, 106); // 1,068 characters: ends inside line 106
    expected.erase(expected.size() - 1);
    EXPECT_EQ(expected + u"\n\n" + GetText(TextId::TextWindowFull), tw.Text());
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
