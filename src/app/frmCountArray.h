#pragma once
// The count-array window: what the words-by-files table for a spreadsheet holds (one table in
// alphabetical order, one by frequency, or both; blank cells for zero counts; relative
// frequencies), then "Create file" or "Cancel". Its controls edit fields of the settings record
// (optAlphabetical, optByFrequency and optBoth for CountArrayTables, chkZeroCellsBlank,
// chkWriteRelativeFrequency); the count session's CountArray runs it between its output-file
// checks and the count (Choose is its options step): the window never counts.

#include "settings/Settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;

namespace lxty::app {

class FieldBinder;

class frmCountArray : public QDialog {
    Q_OBJECT
public:
    explicit frmCountArray(Settings& settings, QWidget* parent = nullptr);

    // Shows the window modally; true for "Create file", false for "Cancel" or closing it.
    bool Choose();
    void RecordToControls();

    // The "Settings" button: how the settings window is shown.
    std::function<void()> showSettingsWindow;

private:
    Settings& m_settings;
    FieldBinder* m_binder = nullptr;
    QCheckBox* m_chkZeroCellsBlank = nullptr;
    QCheckBox* m_chkWriteRelativeFrequency = nullptr;
};

} // namespace lxty::app
