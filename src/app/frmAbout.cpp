#include "app/frmAbout.h"

#include "app/Shell.h"
#include "app/WindowBuilder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef LXTY_VERSION
#define LXTY_VERSION "0"
#endif

namespace lxty::app {

namespace {

QString Link(const QUrl& url, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(QUrl::FullyEncoded), text);
}

} // namespace

frmAbout::frmAbout(Host& host, QString dataFolder, QWidget* parent)
    : QDialog(parent), m_host(host), m_dataFolder(std::move(dataFolder)) {
    NameWindow(this, "frmAbout", QStringLiteral("About Lexitally"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        AddLabel("lblVersion", QStringLiteral("Version"),
                 QStringLiteral("<b>Lexitally</b> version %1<br>A word-frequency counter.")
                     .arg(QStringLiteral(LXTY_VERSION))));
    layout->addWidget(AddLabel(
        "lblWindowProgram", QStringLiteral("The window program"),
        QStringLiteral("<b>lexitally</b>: the window program. Count the words or phrases of the "
                       "clipboard, a file or a folder, and list them. ") +
            Link(ManualUrl(m_dataFolder, "main"), QStringLiteral("Manual"))));
    layout->addWidget(AddLabel(
        "lblCommandLineProgram", QStringLiteral("The command-line program"),
        QStringLiteral("<b>lexitally-cli</b>: the same counting from a shell, with the same "
                       "settings. ") +
            Link(ManualUrl(m_dataFolder, "cli"), QStringLiteral("Manual"))));
    layout->addWidget(
        AddLabel("lblLibraries", QStringLiteral("Libraries and their licences"),
                 QStringLiteral("Libraries used:<br>Qt 6 (LGPLv3)<br>PCRE2 (BSD licence)<br>"
                                "libzip (BSD licence)")));
    QPushButton* close = CloseButton(this);
    close->setDefault(true);
    // The text stays together at the top; room to spare goes above the button.
    layout->addStretch(1);
    layout->addWidget(close, 0, Qt::AlignRight);
    KeepWrappedTextWhole(this);
    resize(480, 320);
}

QLabel* frmAbout::AddLabel(const char* name, const QString& accessibleName, const QString& html) {
    auto* label = Make<QLabel>(this, name, html, accessibleName);
    label->setWordWrap(true);
    // Some forty characters a line at the narrowest, rather than a column of single words.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 40);
    label->setTextFormat(Qt::RichText);
    // Links are opened by our own launcher, so a failure says why; Tab reaches them.
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(false);
    connect(label, &QLabel::linkActivated, this,
            [this](const QString& link) { OpenWebLink(m_host, link); });
    return label;
}

} // namespace lxty::app
