// The settings window's rules without the window: ConfirmReread, the check-box handlers with
// their put-back on No, the order of "Check all" / "Clear all", the clean-up of the "any of:"
// characters, and the texts that follow the record (tool tip, "occurrence(s)").

#include "settings/SettingsWindowRules.h"
#include "settings/WordLists.h"

#include "FakeHost.h"
#include "Golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

using test::FakeHost;

// ConfirmReread, the check-box handlers and the clean-up of the "any of:" characters, from
// tests/data/cases/settings-window.txt.
TEST(SettingsWindowRulesTest, Cases) {
    test::ExpectCases("cases/settings-window.txt", "", [](const test::Row& in) {
        const std::u16string& f = in.at(0);
        Settings s;
        RunState run;
        run.blnWordsGot = in.at(1) == u"words read";
        FakeHost host;
        std::u16string out;
        if (f == u"ConfirmReread") { // words read | source | answer
            s.Source = in.at(2) == u"file"     ? SourceKind::InFile
                       : in.at(2) == u"folder" ? SourceKind::Folder
                                               : SourceKind::OnClipboard;
            host.answers = {in.at(3) == u"yes" ? MsgAnswer::Yes : MsgAnswer::No};
            const bool ok = ConfirmReread(s, run, host);
            out = test::YesNo(ok) + u", words read " + test::YesNo(run.blnWordsGot);
        } else if (f == u"CheckBoxChanged") { // words read | field | new value | "any of:" | answer
            const SettingsField* field = FindSettingsField(in.at(2));
            s.UserSpecifiedExtraChars = in.at(4);
            const int now = static_cast<int>(test::Number(in.at(3)));
            field->setInt(s, now);
            host.answers = {in.at(5) == u"yes" ? MsgAnswer::Yes : MsgAnswer::No};
            const CheckFollowUp next = CheckBoxChanged(s, run, host, in.at(2), 1 - now);
            out = Utf8ToU16(std::to_string(field->getInt(s)) + ", follow-up " +
                            std::to_string(static_cast<int>(next)) + ", \"") +
                  s.UserSpecifiedExtraChars + u"\"";
        } else { // UserSpecifiedExtraCharsLostFocus | - | typed
            s.UserSpecifiedExtraChars = in.at(2);
            s.AllowWordsWithUserSpecifiedExtraChars = 1;
            UserSpecifiedExtraCharsLostFocus(s, host);
            out = u"\"" + s.UserSpecifiedExtraChars + u"\", box " +
                  Utf8ToU16(std::to_string(s.AllowWordsWithUserSpecifiedExtraChars));
        }
        for (const auto& m : host.messages)
            out += u" / " + m.title + u": " + m.text;
        return out;
    });
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
