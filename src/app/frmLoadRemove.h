#pragma once
// "Load or remove this file": the choice offered when an entry of a word-file list of the
// settings window is chosen. Modal; it opens where it is told (just below the list), with
// "Cancel" selected and the focus on "Close"; choosing an option moves the focus to "Close",
// which hides the window. Closing it any other way leaves "Cancel". Created once, then hidden.

#include "engine/WordListFiles.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace lxty::app {

class frmLoadRemove : public QDialog {
    Q_OBJECT
public:
    explicit frmLoadRemove(QWidget* parent);

    // Where the window appears (screen pixels).
    QPoint MeTopLeft;

    // Shows path, waits until the window is closed and returns the option selected.
    LoadRemoveChoice Choose(const QString& path);

protected:
    void reject() override;

private:
    QLabel* m_lblFile = nullptr;
    QRadioButton* m_optLoadThisFile = nullptr;
    QRadioButton* m_optRemoveThisFile = nullptr;
    QRadioButton* m_optCancel = nullptr;
    QPushButton* m_cmdClose = nullptr;
};

} // namespace lxty::app
