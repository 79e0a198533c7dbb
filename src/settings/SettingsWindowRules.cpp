#include "settings/SettingsWindowRules.h"

#include "util/StringUtils.h"

#include <array>

namespace lxty {

namespace {

struct CheckHandler {
    std::u16string_view field;
    CheckFollowUp followUp;
};

// Every box here asks before its change takes effect.
constexpr std::array<CheckHandler, 16> kHandlers{{
    {u"CaseSignificant", CheckFollowUp::SetToolTipText},
    {u"AllowWordsWithHyphens", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithApostrophes", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithUnderscores", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithColons", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithBackslashes", CheckFollowUp::None},
    {u"AllowWordsWithForwardslashes", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithParentheses", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithAmpersands", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithPeriods", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithCommas", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithAtSigns", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithNumerals", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowWordsWithUserSpecifiedExtraChars", CheckFollowUp::CheckAllowedExtraChars},
    {u"AllowCommentMarkers", CheckFollowUp::None},
    {u"DropFinalS", CheckFollowUp::None},
}};

constexpr std::array<std::u16string_view, 34> kCheckAllOrder{
    u"AllowWordsWithHyphens",
    u"AllowWordsWithApostrophes",
    u"AllowWordsWithUnderscores",
    u"AllowWordsWithColons",
    u"AllowWordsWithBackslashes",
    u"AllowWordsWithForwardslashes",
    u"AllowWordsWithParentheses",
    u"AllowWordsWithAmpersands",
    u"AllowWordsWithUserSpecifiedExtraChars",
    u"AllowWordsWithPeriods",
    u"AllowWordsWithCommas",
    u"AllowWordsWithAtSigns",
    u"AllowWordsWithNumerals",
    u"CaseSignificant",
    u"DropFinalS",
    u"IgnoreInfrequentWords",
    u"IgnoreRepetitions",
    u"IgnoreExcessivelyFrequentWords",
    u"ExtractTextFromDocx",
    u"IgnoreNoLetter",
    u"IgnoreShortWords",
    u"OutputWithCommas",
    u"UseLog10",
    u"AllowCommentMarkers",
    u"WarnOnOverwrite",
    u"SaveStateOnQuit",
    u"TerminatePhraseAtEndOfLine",
    u"TerminatePhraseAtPeriod",
    u"TerminatePhraseAtDoubleQuote",
    u"TerminatePhraseAtTab",
    u"TerminatePhraseAtComma",
    u"Only7bitASCII",
    u"PatternMatchingInWordsToIgnoreFile",
    u"PatternMatchingInCountOnlyWordsFile",
};

} // namespace

bool ConfirmReread(const Settings& s, RunState& run, Host& host) {
    const char16_t* source = s.Source == SourceKind::InFile   ? u"file"
                             : s.Source == SourceKind::Folder ? u"files"
                                                              : u"clipboard";
    if (host.Ask(u"Changing this entails reading the " + std::u16string(source) +
                     u" anew.  Is this OK?",
                 u"", MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return false;
    run.blnWordsGot = false;
    return true;
}

CheckFollowUp CheckBoxChanged(Settings& s, RunState& run, Host& host, std::u16string_view field,
                              int previous) {
    const CheckHandler* handler = nullptr;
    for (const CheckHandler& h : kHandlers)
        if (h.field == field)
            handler = &h;
    const SettingsField* f = FindSettingsField(field);
    if (!handler || !f)
        return CheckFollowUp::None;
    if (field == u"AllowWordsWithUserSpecifiedExtraChars" && f->getInt(s) == 1) {
        s.UserSpecifiedExtraChars = TrimSpaces(s.UserSpecifiedExtraChars);
        if (s.UserSpecifiedExtraChars.empty()) {
            f->setInt(s, 0); // no characters to allow
            return CheckFollowUp::None;
        }
    }
    if (run.blnWordsGot && !ConfirmReread(s, run, host))
        f->setInt(s, previous);
    return handler->followUp;
}

std::span<const std::u16string_view> CheckAllOrder() {
    return kCheckAllOrder;
}

void SetAllCheckboxes(Settings& s, int value,
                      const std::function<void(const SettingsField&, int previous)>& changed) {
    for (std::u16string_view name : CheckAllOrder()) {
        const SettingsField* f = FindSettingsField(name);
        int v = value;
        if (name == u"UseLog10")
            v = 1;
        else if (name == u"AllowWordsWithUserSpecifiedExtraChars" && value == 1 &&
                 TrimSpaces(s.UserSpecifiedExtraChars).empty())
            v = 0;
        const int previous = f->getInt(s);
        if (previous == v)
            continue;
        f->setInt(s, v);
        if (changed)
            changed(*f, previous);
    }
}

std::u16string CountOnlyBoxToolTip(const Settings& s) {
    return std::u16string(u"Extra words and phrases to be counted ") +
           u"may be added here.  A comma plus a space should be used to separate them (not just "
           u"a comma)." +
           (s.CaseSignificant == 1 ? u"  Case is significant." : u"  Case is not significant.");
}

std::u16string ExcessFrequencyUnit(const Settings& s) {
    return s.ExcessFrequency == 0 ? u"occurrence" : u"occurrences";
}

} // namespace lxty
