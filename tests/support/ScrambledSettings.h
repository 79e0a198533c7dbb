#pragma once
// A settings record in which every field differs from its default, built through the name
// table so that a field added to the record and the table is covered without touching the
// tests. Texts and file paths hold a comma, which the saved state must keep. UseLog10 keeps
// its value of 1 (it is always 1); a test that wants it scrambled too sets it itself.

#include "settings/Settings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsLists.h"

#include <string>

namespace lxty::test {

inline Settings ScrambledSettings() {
    Settings s;
    for (const SettingsField& f : SettingsFieldTable()) {
        switch (f.kind) {
        case FieldKind::Check:
            f.setInt(s, 1 - f.getInt(s));
            break;
        case FieldKind::List:
            f.setInt(s, f.getInt(s) == ListSize(f.list) - 1 ? 0 : ListSize(f.list) - 1);
            break;
        case FieldKind::Enumeration:
            f.setInt(s, f.getInt(s) == 0 ? 1 : 0);
            break;
        case FieldKind::Text:
            f.text(s) = u"changed, " + std::u16string(f.name);
            break;
        case FieldKind::FileList:
            f.files(s).paths = {u"/lists/a, b.txt", u"/lists/b.txt"};
            f.files(s).selected = 1;
            break;
        }
    }
    s.UseLog10 = 1;
    return s;
}

} // namespace lxty::test
