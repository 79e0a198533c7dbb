#include "app/frmClipboardViewer.h"

#include "app/WindowBuilder.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLocale>
#include <QPlainTextEdit>

namespace lxty::app {

frmClipboardViewer::frmClipboardViewer(QWidget* parent) : QDialog(parent) {
    NameWindow(this, "frmClipboardViewer", QStringLiteral("View clipboard"));
    m_txbClipboard = Make<QPlainTextEdit>(this, "txbClipboard", QString(),
                                          QStringLiteral("Text on the clipboard"));
    m_txbClipboard->setReadOnly(true);
    m_txbClipboard->setTextInteractionFlags(Qt::TextSelectableByKeyboard |
                                            Qt::TextSelectableByMouse);
    m_txbClipboard->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_lblLength =
        Make<QLabel>(this, "lblLength", QString(), QStringLiteral("Length of the clipboard text"));
    QPushButton* close = CloseButton(this);
    close->setDefault(true);
    LayOutToolWindow(this, nullptr, m_txbClipboard, m_lblLength, {close}, {560, 380});

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (isVisible())
            RefreshFromClipboard();
    });
    RefreshFromClipboard();
}

void frmClipboardViewer::RefreshFromClipboard() {
    const QString text = QApplication::clipboard()->text();
    m_txbClipboard->setPlainText(text);
    m_lblLength->setText(
        text.isEmpty()
            ? QStringLiteral("There is no text on the clipboard.")
            : QStringLiteral("%1 characters").arg(QLocale(QLocale::English).toString(text.size())));
}

} // namespace lxty::app
