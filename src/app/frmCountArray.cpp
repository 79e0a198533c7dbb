#include "app/frmCountArray.h"

#include "app/FieldBinder.h"
#include "app/WindowBuilder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lxty::app {

namespace {} // namespace

frmCountArray::frmCountArray(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    NameWindow(this, "frmCountArray", QStringLiteral("Make 2-d count array for Excel"));

    auto* intro1 = Make<QLabel>(
        this, "lblIntro1",
        QStringLiteral("This program can be used to create a tab-delimited text file which can be "
                       "read into Excel.  The words/phrases to be counted are to be specified in "
                       "the 'Settings' window as usual.  Regular expressions can be used for "
                       "count-only words/phrases."),
        QStringLiteral("Introduction"));
    auto* intro2 = Make<QLabel>(
        this, "lblIntro2",
        QStringLiteral(
            "The Excel file shows a table with words/phrases down the left side and file "
            "indices (pointers to the file paths) across the top.  You can choose to have one "
            "table with the words/phrases ordered either alphabetically or by frequency, or "
            "two tables (the first with alphabetical ordering, the second by frequency).  You "
            "can also choose whether a cell (showing the count for a particular word/phrase) "
            "should be left blank if the count is zero."),
        QStringLiteral("Introduction, continued"));
    intro1->setWordWrap(true);
    intro2->setWordWrap(true);

    QGroupBox* frame =
        OptionGroup(this, "fraCountArrayTables", QStringLiteral("Tables"),
                    {{"optAlphabetical", "One table, words/phrases listed in alphabetical order"},
                     {"optByFrequency", "One table, words/phrases listed by frequency"},
                     {"optBoth", "Two tables, alphabetical followed by frequency"}});
    m_chkZeroCellsBlank = Make<QCheckBox>(this, "chkZeroCellsBlank",
                                          QStringLiteral("Leave cell blank if count is zero"));
    m_chkWriteRelativeFrequency =
        Make<QCheckBox>(this, "chkWriteRelativeFrequency",
                        QStringLiteral("Write relative frequency instead of absolute frequency"));
    // The manual ships with the program; its section on the count array explains the figure.
    m_chkWriteRelativeFrequency->setToolTip(
        QStringLiteral("'Relative frequency' is explained in 'The count array' in the user "
                       "manual."));

    auto* create = Make<QPushButton>(this, "cmdCreateFile", QStringLiteral("C&reate file"));
    auto* cancel = Make<QPushButton>(this, "cmdCancel", QStringLiteral("Cancel"));
    auto* settingsButton = Make<QPushButton>(this, "cmdSetParameters", QStringLiteral("&Settings"));
    create->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settingsButton);
    buttons->addStretch(1);
    buttons->addWidget(create);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro1);
    layout->addWidget(intro2);
    layout->addWidget(frame);
    layout->addWidget(m_chkZeroCellsBlank);
    layout->addWidget(m_chkWriteRelativeFrequency);
    layout->addStretch(1);
    layout->addLayout(buttons);
    KeepWrappedTextWhole(this);
    resize(560, 420);

    // The options and boxes are bound to the record by their object names.
    m_binder = new FieldBinder(m_settings, this);
    connect(create, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(settingsButton, &QPushButton::clicked, this, [this] {
        if (showSettingsWindow)
            showSettingsWindow();
    });
    RecordToControls();
}

void frmCountArray::RecordToControls() {
    // With no table option selected, the alphabetical table is.
    const int tables = static_cast<int>(m_settings.CountArrayTables);
    if (tables < 0 || tables > static_cast<int>(CountArrayTablesKind::Both))
        m_settings.CountArrayTables = CountArrayTablesKind::Alphabetical;
    m_binder->Show();
}

bool frmCountArray::Choose() {
    RecordToControls();
    return exec() == QDialog::Accepted;
}

} // namespace lxty::app
