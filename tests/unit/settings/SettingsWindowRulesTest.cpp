// The settings window's rules without the window: ConfirmReread, the check-box handlers with
// their put-back on No, the order of "Check all" / "Clear all", the clean-up of the "any of:"
// characters, and the texts that follow the record (tool tip, "occurrence(s)").

#include "settings/SettingsWindowRules.h"
#include "settings/WordLists.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

using test::FakeHost;

TEST(SettingsWindowRulesTest, ConfirmRereadNamesTheSourceAndClearsWordsGotOnYes) {
    struct Case {
        SourceKind source;
        MsgAnswer answer;
        const char16_t* text;
    };
    for (const Case& c :
         std::vector<Case>{{SourceKind::InFile, MsgAnswer::Yes,
                            u"Changing this entails reading the file anew.  Is this OK?"},
                           {SourceKind::Folder, MsgAnswer::No,
                            u"Changing this entails reading the files anew.  Is this OK?"},
                           {SourceKind::OnClipboard, MsgAnswer::Yes,
                            u"Changing this entails reading the clipboard anew.  Is this OK?"}}) {
        Settings s;
        s.Source = c.source;
        RunState run;
        run.blnWordsGot = true;
        FakeHost host;
        host.answers = {c.answer};
        EXPECT_EQ(c.answer == MsgAnswer::Yes, ConfirmReread(s, run, host));
        EXPECT_EQ(c.answer != MsgAnswer::Yes, run.blnWordsGot);
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(c.text, host.messages[0].text);
    }
}

TEST(SettingsWindowRulesTest, CheckBoxHandlersAskOnlyWithWordsReadAndPutTheBoxBackOnNo) {
    struct Case {
        const char16_t* field;
        int now; // the value the person gave the box
        std::u16string extraChars;
        bool wordsGot;
        MsgAnswer answer;
        int expected;
        std::size_t questions;
        CheckFollowUp followUp;
    };
    using F = CheckFollowUp;
    const std::vector<Case> cases = {
        {u"CaseSignificant", 1, u"", true, MsgAnswer::No, 0, 1, F::SetToolTipText},
        {u"CaseSignificant", 1, u"", true, MsgAnswer::Yes, 1, 1, F::SetToolTipText},
        {u"CaseSignificant", 1, u"", false, MsgAnswer::No, 1, 0, F::SetToolTipText},
        {u"AllowWordsWithHyphens", 0, u"", true, MsgAnswer::No, 1, 1, F::CheckAllowedExtraChars},
        {u"AllowWordsWithNumerals", 1, u"", true, MsgAnswer::Yes, 1, 1, F::CheckAllowedExtraChars},
        {u"AllowWordsWithBackslashes", 1, u"", true, MsgAnswer::No, 0, 1, F::None},
        {u"DropFinalS", 0, u"", true, MsgAnswer::No, 1, 1, F::None},
        {u"AllowCommentMarkers", 1, u"", true, MsgAnswer::Yes, 1, 1, F::None},
        // Boxes without a handler change at once; the count reads them when it starts.
        {u"IgnoreShortWords", 0, u"", true, MsgAnswer::No, 0, 0, F::None},
        {u"Only7bitASCII", 1, u"", true, MsgAnswer::No, 1, 0, F::None},
        // "any of:" with nothing to allow is cleared again without a question.
        {u"AllowWordsWithUserSpecifiedExtraChars", 1, u"   ", true, MsgAnswer::Yes, 0, 0, F::None},
        {u"AllowWordsWithUserSpecifiedExtraChars", 1, u" # ", true, MsgAnswer::No, 0, 1,
         F::CheckAllowedExtraChars},
        {u"AllowWordsWithUserSpecifiedExtraChars", 1, u" # ", false, MsgAnswer::No, 1, 0,
         F::CheckAllowedExtraChars},
    };
    for (const Case& c : cases) {
        Settings s;
        const SettingsField* f = FindSettingsField(c.field);
        ASSERT_NE(nullptr, f);
        s.UserSpecifiedExtraChars = c.extraChars;
        f->setInt(s, c.now);
        RunState run;
        run.blnWordsGot = c.wordsGot;
        FakeHost host;
        host.answers = {c.answer};
        const std::string name(c.field, c.field + f->name.size());
        EXPECT_EQ(c.followUp, CheckBoxChanged(s, run, host, c.field, 1 - c.now)) << name;
        EXPECT_EQ(c.expected, f->getInt(s)) << name;
        EXPECT_EQ(c.questions, host.messages.size()) << name;
    }
    Settings s;
    s.UserSpecifiedExtraChars = u" # ";
    s.AllowWordsWithUserSpecifiedExtraChars = 1;
    RunState run;
    FakeHost host;
    CheckBoxChanged(s, run, host, u"AllowWordsWithUserSpecifiedExtraChars", 0);
    EXPECT_EQ(u"#", s.UserSpecifiedExtraChars); // trimmed when the box is set
}

TEST(SettingsWindowRulesTest, CheckAllAndClearAllSetTheBoxesInTheirOrder) {
    const std::vector<std::u16string> order(CheckAllOrder().begin(), CheckAllOrder().end());
    ASSERT_EQ(34u, order.size());
    EXPECT_EQ(u"AllowWordsWithAmpersands", order[7]);
    EXPECT_EQ(u"AllowWordsWithUserSpecifiedExtraChars", order[8]);
    EXPECT_EQ(u"AllowWordsWithPeriods", order[9]);
    EXPECT_EQ(u"UseLog10", order[22]);
    EXPECT_EQ(u"PatternMatchingInCountOnlyWordsFile", order[33]);

    // From the defaults to all checked, then back to all clear: each box that changes is
    // handed on once, in order; "any of:" stays clear while it has no characters.
    for (const std::u16string extra : {u"", u"#"}) {
        Settings s;
        s.UserSpecifiedExtraChars = extra;
        for (int value : {1, 0}) {
            const Settings before = s;
            std::vector<std::u16string> seen, expected;
            SetAllCheckboxes(s, value, [&](const SettingsField& f, int previous) {
                EXPECT_EQ(1 - value, previous);
                seen.emplace_back(f.name);
            });
            for (const auto& name : order) {
                const SettingsField* f = FindSettingsField(name);
                const bool stays =
                    name == u"UseLog10" ||
                    (name == u"AllowWordsWithUserSpecifiedExtraChars" && extra.empty());
                EXPECT_EQ(name == u"UseLog10" ? 1 : stays ? 0 : value, f->getInt(s));
                if (!stays && f->getInt(before) != value)
                    expected.push_back(name);
            }
            EXPECT_EQ(expected, seen);
        }
    }
}

TEST(SettingsWindowRulesTest, ExtraCharsLoseLettersMarkersOfferedCharactersAndRepeats) {
    struct Case {
        std::u16string typed;
        std::u16string kept;
        std::u16string message; // empty: none
        int boxAfter;           // the "any of:" box, set before the box lost the focus
    };
    const std::vector<Case> cases = {
        {u"ab#é#", u"#", u"", 1},
        {u"+", u"", u"The character + is not permitted in words.", 0},
        {u" $ %$ ", u"$%", u"", 1},
        {u"-#&'", u"#", u"", 1},
        {u"~x^", u"", u"The character ~ is not permitted in words.", 0},
        {u"", u"", u"", 0},
        {u"€§", u"€§", u"", 1},
    };
    for (const Case& c : cases) {
        Settings s;
        s.UserSpecifiedExtraChars = c.typed;
        s.AllowWordsWithUserSpecifiedExtraChars = 1;
        FakeHost host;
        UserSpecifiedExtraCharsLostFocus(s, host);
        EXPECT_EQ(c.kept, s.UserSpecifiedExtraChars);
        EXPECT_EQ(c.boxAfter, s.AllowWordsWithUserSpecifiedExtraChars);
        ASSERT_EQ(c.message.empty() ? 0u : 1u, host.messages.size());
        if (!c.message.empty()) {
            EXPECT_EQ(c.message, host.messages[0].text);
            EXPECT_EQ(u"Invalid character", host.messages[0].title);
        }
    }
}

TEST(SettingsWindowRulesTest, TextsThatFollowTheRecord) {
    Settings s;
    const std::u16string start = u"Extra words and phrases to be counted may be added here.  A "
                                 u"comma plus a space should be used to separate them (not just a "
                                 u"comma).";
    EXPECT_EQ(start + u"  Case is not significant.", CountOnlyBoxToolTip(s));
    s.CaseSignificant = 1;
    EXPECT_EQ(start + u"  Case is significant.", CountOnlyBoxToolTip(s));
    for (auto [index, unit] : std::vector<std::pair<int, std::u16string>>{
             {0, u"occurrence"}, {1, u"occurrences"}, {22, u"occurrences"}}) {
        s.ExcessFrequency = index;
        EXPECT_EQ(unit, ExcessFrequencyUnit(s));
    }
}

} // namespace
} // namespace lxty
