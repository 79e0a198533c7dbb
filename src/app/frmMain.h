#pragma once
// The main window. It owns the run state, the settings record and the text window, loads the
// numbered texts at start-up and reports a failed load.

#include "app/QtHost.h"
#include "engine/RunState.h"
#include "settings/Settings.h"

#include <QMainWindow>
#include <memory>

class QPlainTextEdit;
class QLabel;

namespace lxty::app {

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // catalogueFile: the numbered texts ("lxty.dat" beside the program).
    explicit frmMain(const QString& catalogueFile, QWidget* parent = nullptr);
    ~frmMain() override;

    RunState& State() { return m_state; }
    Settings& Record() { return m_settings; }
    Host& TheHost() { return *m_host; }
    // The result code of loading the numbered texts.
    int CatalogueResult() const { return m_catalogueResult; }

    // Start-up that may show messages: call after show().
    void StartUp();

private:
    QString m_catalogueFile;
    int m_catalogueResult = 0;
    RunState m_state;
    Settings m_settings;
    QPlainTextEdit* m_txbOutput = nullptr;
    QLabel* m_lblStatus = nullptr;
    std::unique_ptr<QtHost> m_host;
};

} // namespace lxty::app
