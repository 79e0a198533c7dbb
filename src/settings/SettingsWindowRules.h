#pragma once
// What the settings window does with its check boxes, apart from showing them: the question
// asked before a change that invalidates the words already read, the handler of each check
// box that has one, the order of "Check all checkboxes" / "Clear all checkboxes", and the
// tool tip of the extra count-only box. The window binds its controls to the record and calls
// these; they work on the record alone, so the command line and the tests can call them too.

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "settings/SettingsByName.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lxty {

// ConfirmReread: "Changing this entails reading the " + ("file" | "files" | "clipboard",
// by the source) + " anew.  Is this OK?" (Yes/No, question icon). Yes clears run.blnWordsGot
// and answers true; No answers false.
bool ConfirmReread(const Settings& s, RunState& run, Host& host);

// What runs after a check box's change has been accepted (or put back).
enum class CheckFollowUp { None, SetToolTipText, CheckAllowedExtraChars };

// A check box changed from `previous` to its value in the record. For a box of the handler
// table (case, the "Allow 'words' with" boxes, comment markers, plurals) with words already
// read (run.blnWordsGot), ConfirmReread is asked first; No puts the box back. Before that,
// "any of:" just set with no characters in its box (after trimming) is cleared again and
// nothing else happens. Returns the box's follow-up; None for boxes without a handler (the
// count reads them when it starts). Call only after start-up and while the window is not
// setting its controls itself.
CheckFollowUp CheckBoxChanged(Settings& s, RunState& run, Host& host, std::u16string_view field,
                              int previous);

// The boxes that "Check all checkboxes" and "Clear all checkboxes" set, in their order.
std::span<const std::u16string_view> CheckAllOrder();

// "Check all checkboxes" (value 1) or "Clear all checkboxes" (value 0): sets each box of
// CheckAllOrder; "any of:" is checked only when its box holds characters, UseLog10 is 1 in
// both cases. Each box whose value changes is handed to `changed` with its previous value,
// as a person's click would be.
void SetAllCheckboxes(Settings& s, int value,
                      const std::function<void(const SettingsField&, int previous)>& changed);

// The tool tip of the extra count-only box: "Extra words and phrases to be counted may be
// added here.  A comma plus a space should be used to separate them (not just a comma)." and
// "  Case is significant." or "  Case is not significant.".
std::u16string CountOnlyBoxToolTip(const Settings& s);

// The label after the ExcessFrequency list: "occurrence" for its entry "1", else "occurrences".
std::u16string ExcessFrequencyUnit(const Settings& s);

} // namespace lxty
