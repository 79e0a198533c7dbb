// The main window's way to the results window, and the source dropped on the window.

#include "app/QtText.h"
#include "app/WindowBuilder.h"
#include "app/frmMain.h"
#include "app/frmResults.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace lxty::app {

namespace {

// The one local file or folder a drag carries; empty for anything else.
QString DraggedPath(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

void frmMain::BuildResults() {
    m_cmdResults = Make<QPushButton>(centralWidget(), "cmdResults", QStringLiteral("&Results"));
    m_cmdResults->setToolTip(
        QStringLiteral("Sort and search the whole list, see its Zipf plot and the concordance of "
                       "a word"));
    m_cmdResults->setEnabled(false);
    // Beside the settings button, in the row of commands.
    for (QHBoxLayout* row : centralWidget()->findChildren<QHBoxLayout*>()) {
        const int at = row->indexOf(m_cmdSetParameters);
        if (at >= 0) {
            row->insertWidget(at + 1, m_cmdResults);
            break;
        }
    }
    setTabOrder(m_cmdSetParameters, m_cmdResults);
    connect(m_cmdResults, &QPushButton::clicked, this, &frmMain::ShowResults);
    setAcceptDrops(true);
}

void frmMain::ShowResults() {
    if (!m_session->run.ResultsAvailable() || m_session->run.IsRunning())
        return;
    if (!m_results) {
        // The common-word files lie beside the numbered texts, as for the main session.
        const std::filesystem::path folder(
            QFileInfo(m_catalogueFile).absolutePath().toStdU16String());
        m_results = new frmResults(*m_session, folder, this);
        m_results->Reload(m_session->Mode());
    }
    m_results->show();
    m_results->raise();
    m_results->activateWindow();
}

void frmMain::ResultsAfterRun(bool enable) {
    const bool available = enable && m_session->run.ResultsAvailable();
    if (m_cmdResults)
        m_cmdResults->setEnabled(available);
    if (!m_results)
        return;
    if (available)
        m_results->Reload(m_session->Mode());
    else
        m_results->Clear();
}

bool frmMain::UseDroppedSource(const QString& path) {
    if (m_session->run.IsRunning() || path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir()) {
        OnSourceChosen(SourceKind::Folder);
        UseFolder(U(QDir::toNativeSeparators(info.absoluteFilePath())));
    } else if (info.isFile()) {
        OnSourceChosen(SourceKind::InFile);
        UseInputFile(U(QDir::toNativeSeparators(info.absoluteFilePath())));
    } else {
        return false;
    }
    return true;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QFileInfo info(DraggedPath(event->mimeData()));
    if (!m_session->run.IsRunning() && (info.isDir() || info.isFile()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    if (UseDroppedSource(DraggedPath(event->mimeData())))
        event->acceptProposedAction();
}

} // namespace lxty::app
