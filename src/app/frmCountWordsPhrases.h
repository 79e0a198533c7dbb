#pragma once
// The count choice shown when the count button is pressed: count all words, or count only the
// specified words and phrases. The decisions live in the engine's CountChoice; this window
// shows its view and forwards the clicks. Created on first use and hidden, never destroyed,
// after each use; the caller reads the flags after Choose() returns.

#include "run/CountChoice.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace lxty::app {

class frmCountWordsPhrases : public QDialog {
    Q_OBJECT
public:
    frmCountWordsPhrases(Settings& settings, RunState& run, Host& host, QWidget* parent);

    // Opens the dialog modally and returns when it has been closed.
    void Choose();

    bool blnCancel() const { return m_choice.blnCancel; }
    bool blnCountAllWords() const { return m_choice.blnCountAllWords; }
    bool blnCountSpecifiedWordsPhrases() const { return m_choice.blnCountSpecifiedWordsPhrases; }

    // "Go to 'Settings'": how the settings window is shown (nothing while there is none).
    std::function<void()> showSettingsWindow;
    // chkFileList changed the display format: the main window shows the new selection.
    std::function<void()> displayFormatChanged;

protected:
    void reject() override; // Escape and the close box count as "Cancel"

private:
    CountChoice m_choice;
    QLabel* m_lblIntro = nullptr;
    QPushButton* m_cmdCountAllWords = nullptr;
    QPushButton* m_cmdCountSpecifiedWordsPhrases = nullptr;
    QPushButton* m_cmdSetParameters = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QCheckBox* m_chkFileList = nullptr;
};

} // namespace lxty::app
