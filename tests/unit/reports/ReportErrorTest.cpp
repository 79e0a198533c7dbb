// ReportError: the message, its title and what it does to the text window, for an ordinary
// error and for the text window running out of space.

#include "reports/ReportError.h"
#include "FakeHost.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace lxty {
namespace {

struct ReportErrorTest : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
        for (int n : {92, 93, 94, 95, 96, 97})
            ASSERT_FALSE(GetText(n).empty()) << n;
    }

    test::FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    OutputContext ctx{host, settings, run, tw, report};

    const test::RecordedMessage& OnlyMessage() {
        EXPECT_EQ(1u, host.messages.size());
        return host.messages.back();
    }
};

TEST_F(ReportErrorTest, OrdinaryErrorNamesProcedureNumberAndDescription) {
    struct Case {
        std::int64_t number;
        std::u16string description, procedure;
        bool written, full;
        std::u16string text;
        int titleText;
    };
    const std::u16string t96 = GetText(96);
    const Case cases[] = {
        {53, u"File not found", u"ListWords", false, false,
         u"At ListWords error #53.\nDescription: File not found", 97},
        {61, u"Disk full", u"ListWordsByFrequency", true, false,
         u"At ListWordsByFrequency error #61.\nDescription: Disk full\n" + t96, 97},
        {-5, u"", u"", false, false, u"At  error #-5.\nDescription: ", 97},
        {6, u"Overflow", u"ListWordsAlphabetically", false, true,
         u"At ListWordsAlphabetically error #6.\nDescription: Overflow", 93},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        Settings s;
        RunState r;
        TextWindow w{h};
        ReportState rep;
        OutputContext cx{h, s, r, w, rep};
        rep.blnWrittenToFile = c.written;
        if (c.full)
            w.SetTextboxFull();
        r.blnElapsedTimeRunning = true;
        h.labels["lblTwirler"] = u"/";
        w.SetText(u"kept text");
        ReportError(cx, c.number, c.description, c.procedure);
        ASSERT_EQ(1u, h.messages.size());
        EXPECT_EQ(c.text, h.messages[0].text);
        EXPECT_EQ(GetText(c.titleText), h.messages[0].title);
        EXPECT_EQ(MsgIcon::Exclamation, h.messages[0].icon);
        EXPECT_FALSE(r.blnElapsedTimeRunning);
        EXPECT_EQ(u"", h.labels["lblTwirler"]);
        EXPECT_EQ(u"kept text", w.Text());
    }
}

TEST_F(ReportErrorTest, OutOfSpaceHintFollowsTheOutputFileState) {
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
        {u"/tmp/out.txt", 0, true, u"\n" + GetText(96)},
        {u"/tmp/out.txt", 0, false, u""},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        Settings s;
        RunState r;
        TextWindow w{h};
        ReportState rep;
        OutputContext cx{h, s, r, w, rep};
        s.File[1] = c.outputFile;
        s.DisableOutputToFile = c.disabled;
        rep.blnWrittenToFile = c.written;
        w.SetText(u"short");
        w.SetTextboxFull();
        ReportError(cx, kErrTextWindowFull, u"Insufficient memory", u"");
        ASSERT_EQ(1u, h.messages.size());
        EXPECT_EQ(GetText(93) + u"  " + c.hint, h.messages[0].text) << U16ToUtf8(c.outputFile);
        EXPECT_EQ(GetText(93), h.messages[0].title);
        EXPECT_EQ(u"short", w.Text()); // 1,024 characters or fewer: left alone
    }
}

std::u16string Fill255() {
    return std::u16string(255, u'.');
}

std::u16string Lines(int from, int to) { // "entry 000\n" ... , 11 characters each
    std::u16string s;
    for (int i = from; i < to; ++i) {
        std::string n = std::to_string(1000 + i).substr(1);
        s += u"entry " + std::u16string(n.begin(), n.end()) + u"\n";
    }
    return s;
}

TEST_F(ReportErrorTest, OutOfSpaceWithPendingTextShowsItsBeginningCutAtALine) {
    run.strOutput = Lines(0, 500); // 5,000 characters
    tw.SetText(Fill255());
    settings.File[1] = u"";
    ReportError(ctx, kErrTextWindowFull, u"", u"");
    const auto& m = OnlyMessage();
    EXPECT_EQ(GetText(92) + u"  " + GetText(94), m.text);
    EXPECT_EQ(GetText(97), m.title); // the window was not marked full
    // First 4,096 characters = 409 lines + "entry "; less 32 characters ends inside line 406,
    // so the text ends with line 405 and the note.
    std::u16string expected = Lines(0, 406);
    expected.erase(expected.size() - 1);
    EXPECT_EQ(expected + u"\n\n" + GetText(93), tw.Text());
    EXPECT_EQ(tw.Text(), host.textWindow);
}

TEST_F(ReportErrorTest, OutOfSpaceWithAFullWindowKeepsItsTextUpToTheLastWholeLine) {
    run.strOutput = u"pending";
    tw.SetText(Lines(0, 110)); // 1,100 characters, 256 or more: pending text is not shown
    tw.SetTextboxFull();
    settings.File[1] = u"/tmp/out.txt";
    ReportError(ctx, kErrTextWindowFull, u"", u"");
    EXPECT_EQ(GetText(93) + u"  ", OnlyMessage().text);
    std::u16string expected = Lines(0, 106); // 1,068 characters: ends inside line 106
    expected.erase(expected.size() - 1);
    EXPECT_EQ(expected + u"\n\n" + GetText(93), tw.Text());
}

TEST_F(ReportErrorTest, OutOfSpaceWindowWithoutLineBreakOnlyLosesItsLast32Characters) {
    tw.SetText(std::u16string(1025, u'w'));
    ReportError(ctx, kErrTextWindowFull, u"", u"");
    EXPECT_EQ(std::u16string(1025 - 32, u'w'), tw.Text());
    tw.SetText(std::u16string(1024, u'w')); // not more than 1,024: untouched
    ReportError(ctx, kErrTextWindowFull, u"", u"");
    EXPECT_EQ(std::u16string(1024, u'w'), tw.Text());
}

} // namespace
} // namespace lxty
