#include "app/frmLoadRemove.h"

#include "app/AppFonts.h"
#include "app/WindowBuilder.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lxty::app {

frmLoadRemove::frmLoadRemove(QWidget* parent) : QDialog(parent) {
    NameWindow(this, "frmLoadRemove", QStringLiteral("Load or remove this file"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_lblFile = Make<QLabel>(this, "lblFile", QString(), QStringLiteral("File"));
    m_lblFile->setWordWrap(true);
    m_lblFile->setMinimumWidth(360);
    m_lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_lblFile);
    auto option = [&](const char* name, const QString& caption) {
        auto* o = Make<QRadioButton>(this, name, caption);
        layout->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this] { m_cmdClose->setFocus(); });
        return o;
    };
    m_cmdClose = Make<QPushButton>(this, "cmdClose", QStringLiteral("Close"));
    m_optLoadThisFile = option("optLoadThisFile", QStringLiteral("Load this file"));
    m_optRemoveThisFile =
        option("optRemoveThisFile", QStringLiteral("Remove this file from the list"));
    m_optCancel = option("optCancel", QStringLiteral("Cancel"));
    m_cmdClose->setDefault(true);
    layout->addWidget(m_cmdClose, 0, Qt::AlignRight);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(GeneralFont());
}

LoadRemoveChoice frmLoadRemove::Choose(const QString& path) {
    if (parentWidget())
        setWindowIcon(parentWidget()->window()->windowIcon());
    m_lblFile->setText(path);
    m_optCancel->setChecked(true);
    adjustSize();
    move(MeTopLeft);
    m_cmdClose->setFocus();
    exec();
    if (m_optLoadThisFile->isChecked())
        return LoadRemoveChoice::Load;
    if (m_optRemoveThisFile->isChecked())
        return LoadRemoveChoice::Remove;
    return LoadRemoveChoice::Cancel;
}

void frmLoadRemove::reject() {
    m_optCancel->setChecked(true);
    QDialog::reject();
}

} // namespace lxty::app
