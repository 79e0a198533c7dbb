#pragma once
// The clipboard viewer: a small window of our own, titled "View clipboard", that shows the
// text now on the clipboard (read-only, kept up to date while it is open) and its length, so
// the person can check what a clipboard count will read.

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace lxty::app {

class frmClipboardViewer : public QDialog {
    Q_OBJECT
public:
    explicit frmClipboardViewer(QWidget* parent = nullptr);

    // Shows the clipboard's text now.
    void RefreshFromClipboard();

private:
    QPlainTextEdit* m_txbClipboard = nullptr;
    QLabel* m_lblLength = nullptr;
};

} // namespace lxty::app
