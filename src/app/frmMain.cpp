#include "app/frmMain.h"

#include "util/Catalogue.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace lxty::app {

frmMain::frmMain(const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_catalogueFile(catalogueFile) {
    setObjectName("frmMain");
    setWindowTitle("Lexitally");
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_lblStatus = new QLabel(central);
    m_lblStatus->setObjectName("lblStatus");
    m_lblStatus->setText("Lexitally counts the words of the clipboard, a file or a folder.");
    m_txbOutput = new QPlainTextEdit(central);
    m_txbOutput->setObjectName("txbOutput");
    m_txbOutput->setReadOnly(true);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    m_txbOutput->setFont(fixed);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_txbOutput, 1);
    setCentralWidget(central);
    resize(760, 520);
    m_host = std::make_unique<QtHost>(this, m_txbOutput);
}

frmMain::~frmMain() = default;

void frmMain::StartUp() {
    const std::filesystem::path path(m_catalogueFile.toStdU16String());
    m_catalogueResult = LoadProgramTexts(path);
    if (m_catalogueResult <= 0)
        m_host->MessageBox(CatalogueLoadMessage(m_catalogueResult, path), u"", MsgIcon::Critical);
    m_state.blnStartUpCompleted = true;
}

} // namespace lxty::app
