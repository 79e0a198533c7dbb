#pragma once
// The one binding between a window's controls and the settings record. A control is bound to
// a field by its object name: a kind prefix followed by the field's name in the settings field
// table (a pair field with its index, "txbFile1", "cboWordsFile0"):
//   chk + check field        QCheckBox     checked <-> 1
//   cbo + list field         QComboBox     the entry's index (-1: none); entries from the list
//   cbo + file-list field    QComboBox     the paths, the selected index (a change is a
//                                          person's choice, even of the selected entry)
//   txb + text field         QLineEdit     the text
//   opt + enumeration option QRadioButton  "optFolder" is Source = Folder
// Show() writes the record into every bound control; a change of a control however it came
// (mouse, keys, a screen reader's actions) writes the record at once and then calls `changed` with
// the field and its previous value (for a text, 0). Showing never calls `changed`. Controls of
// other top-level windows (dialogs that are children of this one) are left to their own binders.

#include "settings/Settings.h"
#include "settings/SettingsByName.h"

#include <QObject>
#include <functional>
#include <string_view>
#include <vector>

class QWidget;

namespace lxty::app {

class FieldBinder : public QObject {
    Q_OBJECT
public:
    struct Binding {
        const SettingsField* field;
        QWidget* control;
        int option = -1; // an enumeration's option, for a radio button
    };

    // Binds the controls of `window` that exist now. Call after building them.
    FieldBinder(Settings& settings, QWidget* window);

    // The record in every bound control.
    void Show();
    // Fills the entries of the bound lists (WordOrder and DisplayFormat come from the
    // numbered texts, so call again once they are loaded). Selections are shown by Show().
    void FillLists();
    bool Showing() const { return m_showing; }

    const std::vector<Binding>& Bindings() const { return m_bindings; }
    // The control bound to the named field (the first option's button for an enumeration).
    QWidget* Control(std::u16string_view field) const;

    std::function<void(const SettingsField&, int previous)> changed;

private:
    void Connect(const Binding& b);
    void Changed(const SettingsField& f, int previous);

    Settings& m_settings;
    std::vector<Binding> m_bindings;
    bool m_showing = false;
};

} // namespace lxty::app
