#include "app/frmCountAllPhrases.h"

#include "app/FieldBinder.h"
#include "app/WindowBuilder.h"

#include "phrases/CountAllPhrases.h"
#include "util/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lxty::app {

namespace {

QString Q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The filter-words box: Enter parses it, as leaving it does.
class FilterWordsBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> parse;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && parse) {
            parse();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override {
        if (parse)
            parse();
        QLineEdit::focusOutEvent(e);
    }
};

} // namespace

frmCountAllPhrases::frmCountAllPhrases(CountSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_settings(session.settings) {
    NameWindow(this, "frmCountAllPhrases", QStringLiteral("Count all phrases"));
    m_lblIntro = Make<QLabel>(this, "lblIntro", QString(), QStringLiteral("Introduction"));
    m_lblIntro->setWordWrap(true);
    m_lblWordsToIgnore =
        Make<QLabel>(this, "lblWordsToIgnore", QString(), QStringLiteral("Words to ignore"));
    m_lblWordsToIgnore->setWordWrap(true);

    // The lists: phrase lengths 1 to 25, minimum occurrences 1 to 30.
    auto* lists = new QGridLayout;
    const std::u16string_view lengthLabels[2] = {kMinimumNumberOfWordsLabel,
                                                 kMaximumNumberOfWordsLabel};
    for (int i = 0; i < 2; ++i) {
        auto* label = Make<QLabel>(this, i == 0 ? "lblPhraseLength0" : "lblPhraseLength1",
                                   Q(lengthLabels[i]));
        m_cboPhraseLength[i] = Make<QComboBox>(
            this, i == 0 ? "cboPhraseLength0" : "cboPhraseLength1", QString(), label->text());
        label->setBuddy(m_cboPhraseLength[i]);
        lists->addWidget(label, i, 0);
        lists->addWidget(m_cboPhraseLength[i], i, 1);
    }
    auto* occurrences = Make<QLabel>(this, "lblMinimumFrequency", Q(kMinimumOccurrencesLabel));
    m_cboMinimumFrequency =
        Make<QComboBox>(this, "cboMinimumFrequency", QString(), occurrences->text());
    occurrences->setBuddy(m_cboMinimumFrequency);
    lists->addWidget(occurrences, 2, 0);
    lists->addWidget(m_cboMinimumFrequency, 2, 1);
    lists->setColumnStretch(2, 1);

    // How words to ignore are treated: one option of WordsToIgnoreInPhrases each.
    m_fraWordsToIgnoreInPhrases = OptionGroup(
        this, "fraWordsToIgnoreInPhrases", QStringLiteral("Words to ignore"),
        {{"optAllowPhrasesAllWordsToIgnore",
          "Allow phrases consisting entirely of words to ignore"},
         {"optExcludePhrasesAllWordsToIgnore",
          "Exclude phrases consisting entirely of words to ignore"},
         {"optRemoveWordsToIgnore", "Remove words to ignore from phrases"},
         {"optExcludePhrasesWithWordToIgnore", "Exclude phrases containing a word to ignore"}});

    // The filter.
    QGroupBox* filter = Frame(this, "fraFilter", QStringLiteral("Phrase filter"));
    auto* filterBox = new FilterWordsBox(filter);
    m_txbFilterWords =
        Named(static_cast<QLineEdit*>(filterBox), "txbFilterWords", QStringLiteral("Filter words"));
    QFont courier(QStringLiteral("Courier New"), 9);
    courier.setStyleHint(QFont::TypeWriter);
    m_txbFilterWords->setFont(courier);
    filterBox->parse = [this] { ParseFilterBox(); };
    auto* filterLabel = Make<QLabel>(filter, "lblFilterWords", QStringLiteral("&Filter words:"));
    filterLabel->setBuddy(m_txbFilterWords);
    const struct {
        const char* name;
        const char* caption;
    } modes[] = {
        {"optIncludeAllWords", "all filter words"},
        {"optIncludeAllWordsInSameOrder", "all filter words in same order"},
        {"optIncludeAllWordsAsSubphrase", "all filter words as a subphrase"},
    };
    auto* filterLayout = new QGridLayout(filter);
    filterLayout->addWidget(filterLabel, 0, 0);
    filterLayout->addWidget(m_txbFilterWords, 0, 1, 1, 2);
    int row = 1;
    for (const auto& m : modes) {
        filterLayout->addWidget(
            Make<QRadioButton>(filter, m.name, QString::fromLatin1(m.caption),
                               QStringLiteral("Filter: ") + QString::fromLatin1(m.caption)),
            row++, 1);
    }
    m_cmdFilter = Make<QPushButton>(filter, "cmdFilter", QStringLiteral("Filter"));
    m_cmdClear = Make<QPushButton>(filter, "cmdClear", QStringLiteral("Clear"),
                                   QStringLiteral("Clear filter words"));
    filterLayout->addWidget(m_cmdFilter, 1, 2);
    filterLayout->addWidget(m_cmdClear, 2, 2);

    m_chkFileList = Make<QCheckBox>(this, "chkFileList", Q(GetText(TextId::ShowNumberOfFiles)));

    // The buttons.
    auto button = [this](const char* name, const QString& caption) {
        return Make<QPushButton>(this, name, caption);
    };
    m_cmdCountPhrases = button("cmdCountPhrases", QStringLiteral("Count &phrases"));
    m_cmdCountPhrases->setDefault(true);
    m_cmdCopyToClipboard = button("cmdCopyToClipboard", QStringLiteral("Copy to clip&board"));
    m_cmdSaveState = button("cmdSaveState", QStringLiteral("Save se&ttings"));
    m_cmdSetParameters = button("cmdSetParameters", QStringLiteral("&Settings"));
    m_cmdClose = button("cmdClose", QStringLiteral("&Close"));
    m_cmdQuit = button("cmdQuit", QStringLiteral("&Quit"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_cmdCountPhrases, m_cmdCopyToClipboard, m_cmdSaveState,
                           m_cmdSetParameters, m_cmdClose, m_cmdQuit})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblIntro);
    layout->addWidget(m_lblWordsToIgnore);
    layout->addLayout(lists);
    layout->addWidget(m_fraWordsToIgnoreInPhrases);
    layout->addWidget(filter);
    layout->addWidget(m_chkFileList);
    layout->addStretch(1);
    layout->addLayout(buttons);
    KeepWrappedTextWhole(this);
    resize(640, 600);

    // The lists, options and the filter box are bound to the record by their object names;
    // a new phrase length or minimum leads on to "Count phrases".
    m_binder = new FieldBinder(m_settings, this);
    m_binder->changed = [this](const SettingsField& f, int) {
        if (f.kind == FieldKind::List)
            m_cmdCountPhrases->setFocus();
    };
    connect(m_chkFileList, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating)
            OnFileList(on);
    });

    connect(m_cmdCountPhrases, &QPushButton::clicked, this, &frmCountAllPhrases::OnCountPhrases);
    connect(m_cmdFilter, &QPushButton::clicked, this, &frmCountAllPhrases::OnFilter);
    connect(m_cmdClear, &QPushButton::clicked, this, [this] {
        m_settings.FilterWords.clear();
        RecordToControls();
    });
    connect(m_cmdCopyToClipboard, &QPushButton::clicked, this,
            [this] { m_session.host.SetClipboardText(m_session.textWindow.Text()); });
    connect(m_cmdSaveState, &QPushButton::clicked, this, [this] {
        if (saveSettings)
            saveSettings();
        m_cmdClose->setFocus();
    });
    connect(m_cmdSetParameters, &QPushButton::clicked, this, [this] {
        if (showSettingsWindow)
            showSettingsWindow();
    });
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdQuit, &QPushButton::clicked, this, [this] {
        if (m_session.host.Ask(u"Really quit?", u"Quit", MsgIcon::Question, MsgButtons::YesNo,
                               MsgAnswer::No) != MsgAnswer::Yes)
            return;
        reject();
        if (quitProgram)
            quitProgram();
    });
    RecordToControls();
}

void frmCountAllPhrases::RecordToControls() {
    m_binder->Show();
    m_updating = true;
    m_chkFileList->setChecked(m_settings.DisplayFormat == 11 &&
                              m_settings.Source == SourceKind::Folder &&
                              m_chkFileList->isChecked());
    m_updating = false;
}

void frmCountAllPhrases::Choose() {
    exec();
}

void frmCountAllPhrases::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activate();
}

void frmCountAllPhrases::Activate() {
    // Which lists are in force is worked out afresh each time the window comes up.
    m_session.specified.UpdateListFlags();
    const RunState& run = m_session.state;
    m_lblIntro->setText(Q(AllPhrasesIntroduction(run.blnThereAreCountOnlyWords)));
    m_lblWordsToIgnore->setText(Q(AllPhrasesWordsToIgnoreLine(run.blnThereAreWordsToIgnore)));
    m_fraWordsToIgnoreInPhrases->setEnabled(run.blnThereAreWordsToIgnore);
    m_keptDisplayFormat = m_settings.DisplayFormat;
    m_updating = true;
    m_chkFileList->setChecked(false);
    m_updating = false;
    m_chkFileList->setVisible(m_settings.Source == SourceKind::Folder);
    // The window never shrinks below what its labels need to show their whole text.
    KeepWrappedTextWhole(this);
    RecordToControls();
    // The introduction's new text may need more lines: lay the window out for it now.
    layout()->activate();
    m_cmdCountPhrases->setFocus();
}

void frmCountAllPhrases::OnFileList(bool checked) {
    // The number-of-files format for the count, or the format in force when the window came up.
    m_settings.DisplayFormat = checked ? 11 : m_keptDisplayFormat;
    if (displayFormatChanged)
        displayFormatChanged();
    m_cmdCountPhrases->setFocus();
}

void frmCountAllPhrases::ParseFilterBox() {
    m_settings.FilterWords = m_txbFilterWords->text().toStdU16String();
    ParseFilterWords(m_settings, m_session.phraseFilter);
    RecordToControls();
}

void frmCountAllPhrases::OnCountPhrases() {
    m_settings.FilterWords = m_txbFilterWords->text().toStdU16String();
    // The window closes once its checks have passed; a refusal leaves it open.
    m_lastOutcome = m_session.CountPhrases([this] { hide(); });
    RecordToControls();
    if (isVisible())
        m_cmdCountPhrases->setFocus();
    else
        done(QDialog::Accepted);
}

void frmCountAllPhrases::OnFilter() {
    ParseFilterBox();
    if (m_settings.FilterWords.empty() || !m_session.state.blnWordsGot)
        return;
    m_session.FilterPhrases();
    RecordToControls();
}

} // namespace lxty::app
