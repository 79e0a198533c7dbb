#include "app/frmClipboardViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lxty::app {

frmClipboardViewer::frmClipboardViewer(QWidget* parent) : QDialog(parent) {
    setObjectName("frmClipboardViewer");
    setWindowTitle(QStringLiteral("View clipboard"));
    m_txbClipboard = new QPlainTextEdit(this);
    m_txbClipboard->setObjectName("txbClipboard");
    m_txbClipboard->setAccessibleName(QStringLiteral("Text on the clipboard"));
    m_txbClipboard->setReadOnly(true);
    m_txbClipboard->setTextInteractionFlags(Qt::TextSelectableByKeyboard |
                                            Qt::TextSelectableByMouse);
    m_txbClipboard->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_lblLength = new QLabel(this);
    m_lblLength->setObjectName("lblLength");
    m_lblLength->setAccessibleName(QStringLiteral("Length of the clipboard text"));
    m_cmdClose = new QPushButton(QStringLiteral("Close"), this);
    m_cmdClose->setObjectName("cmdClose");
    m_cmdClose->setAccessibleName(QStringLiteral("Close"));
    m_cmdClose->setDefault(true);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::hide);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_lblLength, 1);
    bottom->addWidget(m_cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txbClipboard, 1);
    layout->addLayout(bottom);
    resize(560, 380);

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
