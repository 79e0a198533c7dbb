// The text window model: what an append keeps at the 65,000-character capacity, when the
// window counts as full, and the "Textbox is full." note with its folder-run tail; then
// ReportError: the message, its title and what it does to the text window, for an ordinary
// error and for the text window running out of space.

#include "reports/TextWindow.h"
#include "reports/ReportError.h"

#include "Golden.h"
#include "ReportRig.h"

namespace lxty {
namespace {

// A text with "c*N" standing for N times the character c, and back (runs of more than 8).
std::u16string Expand(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t end = i + 2;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        if (i + 2 < end && text[i + 1] == u'*') {
            out.append(std::stoul(U16ToUtf8(text.substr(i + 2, end - i - 2))), text[i]);
            i = end - 1;
        } else
            out += text[i];
    }
    return out;
}
std::string Runs(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0, end; i < text.size(); i = end) {
        end = std::min(text.find_first_not_of(text[i], i), text.size());
        out += end - i > 8 ? text[i] + Utf8ToU16("*" + std::to_string(end - i))
                           : text.substr(i, end - i);
    }
    return test::Escape(out);
}

// Steps (" ; " between): "+text" appends, "=text" sets the whole text, "0" clears the output,
// "@files/folders" starts a folder run; what the window holds afterwards, from
// tests/data/reports/text_window.txt.
TEST(TextWindowTest, CapacityAndTheFullNote) {
    test::ExpectCases("reports/text_window.txt", "", [](const test::Row& f) {
        test::FakeHost host;
        TextWindow tw{host};
        int emptied = 0; // the input-file box is emptied once a folder run fills the window
        tw.emptyInputFileBox = [&] { ++emptied; };
        // Set from a std::u16string, not a literal: GCC 12 warns falsely (-Wrestrict).
        host.labels["lblTwirler"] = std::u16string(u"|");
        bool everFull = false;
        for (const std::u16string& step : test::Fields(U16ToUtf8(f.at(0)), " ; ")) {
            if (step[0] == u'+')
                tw.OutputToTxb(Expand(step.substr(1)));
            else if (step[0] == u'=')
                tw.SetText(Expand(step.substr(1)));
            else if (step[0] == u'@') // a folder run with "files/folders" so far
                tw.folderRun = {true, test::Number(step.substr(1, step.find(u'/') - 1)),
                                test::Number(step.substr(step.find(u'/') + 1))};
            else
                tw.ClearOutput();
            everFull = everFull || tw.blnTextboxFull();
        }
        EXPECT_TRUE(tw.Text() == host.textWindow);
        EXPECT_EQ(tw.folderRun.inProgress && everFull ? 1 : 0, emptied);
        // The twirler stops when the window is full.
        EXPECT_TRUE((everFull ? u"" : u"|") == host.labels["lblTwirler"]);
        return Runs(tw.Text()) + (tw.blnTextboxFull() ? " (full)" : "");
    });
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
