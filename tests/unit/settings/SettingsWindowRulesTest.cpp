// The settings window's rules without the window: ConfirmReread, the check-box handlers with
// their put-back on No, the order of "Check all" / "Clear all", the clean-up of the "any of:"
// characters, the texts that follow the record (tool tip, "occurrence(s)"); the word-file lists
// (FindInList, AddToList, RemoveSelected), the common-word language table (the language of each
// file name) and its link to the selected file, and the check of the extra-words boxes.

#include "settings/SettingsWindowRules.h"
#include "settings/Languages.h"
#include "settings/WordLists.h"

#include "FakeHost.h"
#include "FieldWords.h"
#include "Golden.h"

namespace lxty {
namespace {

using test::FakeHost;

// ConfirmReread, the check-box handlers, the clean-up of the "any of:" characters and the
// texts that follow the record (tool tip, "occurrence(s)"), from
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
        } else if (f == u"CountOnlyBoxToolTip") { // - | case significant
            s.CaseSignificant = static_cast<int>(test::Number(in.at(2)));
            out = CountOnlyBoxToolTip(s);
        } else if (f == u"ExcessFrequencyUnit") { // - | list index
            s.ExcessFrequency = static_cast<int>(test::Number(in.at(2)));
            out = ExcessFrequencyUnit(s);
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

WordFileList ListOf(std::vector<std::u16string> paths, int selected) {
    WordFileList l;
    l.paths = std::move(paths);
    l.selected = selected;
    return l;
}

// FindInList, the language of a file name and of the selected words-to-ignore file, adding
// and removing paths, from tests/data/cases/word-lists.txt.
TEST(WordListsTest, Cases) {
    test::ExpectCases("cases/word-lists.txt", "", [](const test::Row& in) {
        const std::u16string& f = in.at(0);
        if (f == u"FindInList") // in /a/One.txt, /a/ÉTÉ.txt, /a/one.txt
            return Utf8ToU16(std::to_string(
                FindInList(ListOf({u"/a/One.txt", u"/a/\u00C9T\u00C9.txt", u"/a/one.txt"}, 0),
                           in.at(1), in.at(2) == u"case-sensitive")));
        if (f == u"LanguageIndexOfFile")
            return Utf8ToU16(std::to_string(LanguageIndexOfFile(in.at(1))));
        if (f != u"SyncLanguageWithIgnoreFile") { // ... | selected | paths => paths @selected
            const std::size_t at = f == u"RemoveSelected" ? 1 : f == u"RemoveAt" ? 2 : 3;
            WordFileList list = ListOf({in.begin() + at + 1, in.end()}, int(test::Number(in[at])));
            FakeHost host;
            std::u16string out;
            if (f == u"RemoveSelected")
                RemoveSelected(list);
            else if (f == u"RemoveAt")
                RemoveAt(list, static_cast<int>(test::Number(in.at(1))));
            else // AddToList | path | warn or quiet
                out = test::YesNo(AddToList(list, in.at(1), in.at(2) == u"warn", host)) + u": ";
            for (const auto& path : list.paths)
                out += path + u" ";
            out += u"@" + Utf8ToU16(std::to_string(list.selected));
            for (const auto& m : host.messages)
                out += u" / " + m.title + u" (" + char16_t(u'0' + int(m.icon)) + u"): " + m.text;
            return out;
        }
        Settings s; // SyncLanguageWithIgnoreFile | selected | paths...
        s.CommonWordsLanguages = 2;
        s.WordsFile[0] =
            ListOf({in.begin() + 2, in.end()}, static_cast<int>(test::Number(in.at(1))));
        if (s.WordsFile[0].paths == std::vector<std::u16string>{u""})
            s.WordsFile[0].paths.clear();
        SyncLanguageWithIgnoreFile(s);
        return Utf8ToU16(std::to_string(s.CommonWordsLanguages));
    });
    const auto table = CommonWordsLanguages(); // the seven files, and no language
    ASSERT_EQ(8u, table.size());
    EXPECT_EQ(u"all six languages", table[6].questionName);
    EXPECT_EQ(u"[No language selected]", table[7].entry);
    EXPECT_EQ(u"", table[7].fileName);
}

TEST(WordListsTest, SetPathToCWDs_EngAppendsWithoutDuplicateTest) {
    Settings s;
    const std::u16string english = CommonWordsFilePath("/opt/lx", 0);
    EXPECT_EQ(u"/opt/lx/cwds_en.txt", english);
    s.WordsFile[0] = ListOf({english, u"/x/y.txt"}, 1);
    SetPathToCWDs_Eng(s, "/opt/lx");
    EXPECT_EQ(ListOf({english, u"/x/y.txt", english}, 2), s.WordsFile[0]);
    EXPECT_EQ(u"", CommonWordsFilePath("/opt/lx", 7));
}

// --- CheckAllowedExtraChars --------------------------------------------------------------

Settings AllOff() {
    Settings s;
    s.AllowWordsWithHyphens = 0;
    return s;
}

TEST(WordListsTest, AllowedExtraCharsFollowTheCheckBoxesInCountRunOrder) {
    Settings s = AllOff();
    EXPECT_EQ(u"", AllowedExtraChars(s));
    test::SetFields(s, u"AllowWordsWithHyphens=1 AllowWordsWithApostrophes=1 "
                       u"AllowWordsWithUnderscores=1 AllowWordsWithColons=1 "
                       u"AllowWordsWithBackslashes=1 AllowWordsWithForwardslashes=1 "
                       u"AllowWordsWithPeriods=1 AllowWordsWithAtSigns=1 AllowWordsWithNumerals=1 "
                       u"AllowWordsWithParentheses=1 AllowWordsWithAmpersands=1 "
                       u"AllowWordsWithUserSpecifiedExtraChars=1 UserSpecifiedExtraChars=#$ "
                       u"AllowWordsWithCommas=1");
    EXPECT_EQ(u"-'\u2018_:\\/.@0123456789()&#$,", AllowedExtraChars(s));
    s.AllowWordsWithUserSpecifiedExtraChars = 2; // greyed: not in force
    EXPECT_EQ(u"-'\u2018_:\\/.@0123456789()&,", AllowedExtraChars(s));
}

TEST(WordListsTest, CheckOfTheExtraWordsBoxes) {
    test::ExpectCases("cases/extra-words.txt", "", [](const std::vector<std::u16string>& in) {
        Settings s = AllOff();
        s.WordsToIgnoreOrCount = {in.at(0), in.at(1)};
        s.AllowWordsWithHyphens = static_cast<int>(test::Number(in.at(2)));
        if (in.size() > 3) // more boxes, as settings words
            test::SetFields(s, in[3]);
        FakeHost host;
        const bool passed = CheckAllowedExtraChars(s, host);
        EXPECT_EQ(passed, host.messages.empty());
        std::u16string said;
        for (const auto& m : host.messages)
            said += m.title + u": " + m.text + u" (" +
                    static_cast<char16_t>(u'0' + static_cast<int>(m.icon)) + u")";
        return passed ? u"(none)" : said;
    });
}

} // namespace
} // namespace lxty
