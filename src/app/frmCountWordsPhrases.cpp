#include "app/frmCountWordsPhrases.h"

#include "app/QtText.h"
#include "app/WindowBuilder.h"
#include "util/Catalogue.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lxty::app {

frmCountWordsPhrases::frmCountWordsPhrases(Settings& settings, RunState& run, Host& host,
                                           QWidget* parent)
    : QDialog(parent), m_choice(settings, run, host) {
    NameWindow(this, "frmCountWordsPhrases", QStringLiteral("Count words/phrases"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_lblIntro = Make<QLabel>(this, "lblIntro", QString(), QStringLiteral("Introduction"));
    m_lblIntro->setWordWrap(true);
    m_lblIntro->setMinimumWidth(420);
    layout->addWidget(m_lblIntro);

    m_chkFileList = Make<QCheckBox>(this, "chkFileList");
    layout->addWidget(m_chkFileList);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption) {
        auto* b = Make<QPushButton>(this, name, QString::fromUtf8(caption));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_cmdCountAllWords = button("cmdCountAllWords", "Count all words");
    m_cmdCountSpecifiedWordsPhrases =
        button("cmdCountSpecifiedWordsPhrases", "Count only specified words/phrases");
    m_cmdSetParameters = button("cmdSetParameters", "Go to 'Settings'");
    m_cmdCancel = button("cmdCancel", "Cancel");
    layout->addLayout(buttons);

    connect(m_cmdCountAllWords, &QPushButton::clicked, this, [this] {
        m_choice.CountAllWords();
        hide();
    });
    connect(m_cmdCountSpecifiedWordsPhrases, &QPushButton::clicked, this, [this] {
        m_choice.CountSpecifiedWordsPhrases();
        hide();
    });
    connect(m_cmdSetParameters, &QPushButton::clicked, this, [this] {
        m_choice.GoToSettings();
        hide();
        if (showSettingsWindow)
            showSettingsWindow();
    });
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmCountWordsPhrases::reject);
    connect(m_chkFileList, &QCheckBox::toggled, this, [this](bool checked) {
        m_choice.SetFileList(checked);
        if (displayFormatChanged)
            displayFormatChanged();
    });
}

void frmCountWordsPhrases::Choose() {
    const CountChoiceView& view = m_choice.Open();
    m_chkFileList->setText(Lines(GetText(TextId::ShowNumberOfFiles)));
    m_chkFileList->setAccessibleName(m_chkFileList->text().simplified());
    {
        // Clearing the box on opening is not a person's choice: the kept format stays.
        QSignalBlocker block(m_chkFileList);
        m_chkFileList->setChecked(view.chkFileListChecked);
    }
    m_chkFileList->setVisible(view.chkFileListVisible);
    m_cmdCountSpecifiedWordsPhrases->setEnabled(view.cmdCountSpecifiedWordsPhrasesEnabled);
    m_lblIntro->setText(Lines(view.lblIntro));
    KeepWrappedTextWhole(this);
    adjustSize();
    m_cmdCancel->setFocus();
    exec();
}

void frmCountWordsPhrases::reject() {
    m_choice.Cancel();
    QDialog::reject();
}

} // namespace lxty::app
