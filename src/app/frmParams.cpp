#include "app/frmParams.h"

#include "app/AppFonts.h"
#include "app/FieldBinder.h"
#include "app/QtText.h"
#include "app/WindowBuilder.h"
#include "app/frmLoadRemove.h"
#include "app/frmMain.h"
#include "app/frmPopUp.h"
#include "run/CountSession.h"
#include "settings/Languages.h"
#include "settings/SavedState.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsWindowRules.h"
#include "settings/WordLists.h"
#include "util/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lxty::app {

namespace {} // namespace

frmParams::frmParams(frmMain& main)
    : QWidget(&main, Qt::Window), m_main(main), m_session(main.Session()), m_s(main.Record()),
      m_run(main.State()), m_host(main.TheHost()), m_lists(main.Session().wordLists) {
    setObjectName("frmParams");
    setWindowTitle(Q(GetText(TextId::SettingsWindowTitle)));
    BuildControls();
    m_binder = new FieldBinder(m_s, this);
    m_binder->changed = [this](const SettingsField& f, int previous) {
        OnFieldChanged(f, previous);
    };
    ConnectControls();
    m_loadRemove = new frmLoadRemove(this);
    connect(&main, &frmMain::recordChanged, this, &frmParams::ShowRecord);
    ShowRecord();
    EnableDisableButtons(!m_session.run.IsRunning());
}

void frmParams::BuildControls() {
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildAllowFrame());
    left->addWidget(BuildAlsoFrame());
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(BuildIgnoreFrame());
    middle->addWidget(BuildPatternFrame());
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPhraseFrame());
    right->addWidget(BuildOptionsFrame());
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);

    auto* state = new QHBoxLayout;
    m_lblState = Make<QLabel>(this, "lblState", QString(), QStringLiteral("Settings file"));
    m_txbStateFile =
        Make<QLineEdit>(this, "txbStateFile", QString(), QStringLiteral("Settings file"));
    m_txbStateFile->setReadOnly(true);
    state->addWidget(m_lblState);
    state->addWidget(m_txbStateFile, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addWidget(BuildWordListsFrame());
    outer->addLayout(state);
    // A taller window gives its extra height to the space above the buttons.
    outer->addStretch(1);
    outer->addWidget(BuildButtons());

    // Captions in "Arial" (or the general font); the text boxes keep theirs.
    for (QWidget* w : findChildren<QWidget*>())
        if (!qobject_cast<QLineEdit*>(w))
            w->setFont(GeneralFont());
    m_chkUseLog10->setVisible(false);
    m_txbStateFile->setVisible(false);
}

QGroupBox* frmParams::BuildAllowFrame() {
    QGroupBox* f = Frame(this, "fraAllowWordsWith", QStringLiteral("Allow 'words' with:"));
    auto* grid = new QGridLayout(f);
    struct Box {
        const char* name;
        const char* caption;
    };
    const Box boxes[] = {
        {"chkAllowWordsWithHyphens", "hyphen -"},
        {"chkAllowWordsWithApostrophes", "apostrophe '"},
        {"chkAllowWordsWithUnderscores", "underscore _"},
        {"chkAllowWordsWithColons", "colon :"},
        {"chkAllowWordsWithBackslashes", "backslash \\"},
        {"chkAllowWordsWithForwardslashes", "forward slash /"},
        {"chkAllowWordsWithParentheses", "parentheses ( )"},
        {"chkAllowWordsWithAmpersands", "ampersand &&"},
        {"chkAllowWordsWithPeriods", "period ."},
        {"chkAllowWordsWithCommas", "comma ,"},
        {"chkAllowWordsWithAtSigns", "at-sign @"},
        {"chkAllowWordsWithNumerals", "numerals 123"},
    };
    int i = 0;
    for (const Box& b : boxes) {
        grid->addWidget(Make<QCheckBox>(f, b.name, QString::fromUtf8(b.caption)), i % 7, i / 7);
        ++i;
    }
    auto* anyOf = new QHBoxLayout;
    anyOf->addWidget(
        Make<QCheckBox>(f, "chkAllowWordsWithUserSpecifiedExtraChars", QStringLiteral("any of:")));
    m_txbUserSpecifiedExtraChars = Make<QLineEdit>(f, "txbUserSpecifiedExtraChars", QString(),
                                                   QStringLiteral("Extra characters allowed"));
    m_txbUserSpecifiedExtraChars->setMaxLength(5);
    m_txbUserSpecifiedExtraChars->setToolTip(QStringLiteral(
        "Up to 5 extra admissible characters, excluding those given above and alphabetic "
        "characters."));
    m_txbUserSpecifiedExtraChars->setMaximumWidth(QFontMetrics(m_txbUserSpecifiedExtraChars->font())
                                                      .horizontalAdvance(QStringLiteral("WWWWWW")) +
                                                  12);
    anyOf->addWidget(m_txbUserSpecifiedExtraChars);
    anyOf->addStretch(1);
    grid->addLayout(anyOf, 5, 1, 2, 1);
    return f;
}

QGroupBox* frmParams::BuildAlsoFrame() {
    QGroupBox* f = Frame(this, "fraAlso", QStringLiteral("Also:"));
    auto* grid = new QGridLayout(f);
    grid->addWidget(
        Make<QCheckBox>(f, "chkCaseSignificant", QStringLiteral("Upper/lower case significant")), 0,
        0, 1, 2);
    grid->addWidget(Make<QCheckBox>(f, "chkDropFinalS",
                                    QStringLiteral("Convert plural English words to singular")),
                    1, 0, 1, 2);
    grid->addWidget(
        Make<QCheckBox>(f, "chkAllowCommentMarkers", QStringLiteral("Allow comment markers:")), 2,
        0, 2, 1);
    grid->addWidget(Make<QLabel>(f, "lblBlockComment", QStringLiteral("block: /* ... */")), 2, 1);
    grid->addWidget(Make<QLabel>(f, "lblLineComment", QStringLiteral("line: // ...")), 3, 1);
    grid->addWidget(
        Make<QCheckBox>(f, "chkOnly7bitASCII", QStringLiteral("Allow only 7-bit ASCII characters")),
        4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return f;
}

QGroupBox* frmParams::BuildIgnoreFrame() {
    QGroupBox* f = Frame(this, "fraIgnoreWords", QStringLiteral("Ignore words:"));
    auto* grid = new QGridLayout(f);
    const QString phrasesTip = QStringLiteral("This checkbox does not affect counting of phrases.");
    struct Row {
        const char* first; // a check box, or a label for the rule that is always in force
        const char* caption;
        const char* list;
        const char* listName;
        const char* unitName;
        const char* unit;
    };
    const Row rows[] = {
        {"chkIgnoreShortWords", "with fewer than", "cboShortWordSize", "Short word size",
         "lblShortWordSizeUnit", "characters"},
        {"lblLongWordSize", "with more than", "cboLongWordSize", "Long word size",
         "lblLongWordSizeUnit", "characters"},
        {"chkIgnoreInfrequentWords", "with fewer than", "cboThresholdFrequency",
         "Threshold frequency", "lblThresholdFrequencyUnit", "occurrences"},
        {"chkIgnoreExcessivelyFrequentWords", "with more than", "cboExcessFrequency",
         "Excess frequency", "lblExcessFrequency", "occurrences"},
    };
    int r = 0;
    for (const Row& row : rows) {
        const QString caption = QString::fromUtf8(row.caption);
        QWidget* first = row.first[0] == 'c'
                             ? static_cast<QWidget*>(Make<QCheckBox>(f, row.first, caption))
                             : Make<QLabel>(f, row.first, caption);
        auto* list = Make<QComboBox>(f, row.list, QString(), QString::fromUtf8(row.listName));
        auto* unit = Make<QLabel>(f, row.unitName, QString::fromUtf8(row.unit));
        if (auto* l = qobject_cast<QLabel*>(first))
            l->setBuddy(list);
        if (r >= 2)
            first->setToolTip(phrasesTip);
        if (r == 3)
            m_lblExcessFrequency = unit;
        grid->addWidget(first, r, 0);
        grid->addWidget(list, r, 1);
        grid->addWidget(unit, r, 2);
        ++r;
    }
    grid->addWidget(Make<QCheckBox>(f, "chkIgnoreNoLetter", QStringLiteral("which lack a letter")),
                    r++, 0, 1, 3);
    grid->addWidget(Make<QCheckBox>(f, "chkIgnoreRepetitions",
                                    QStringLiteral("containing 4 repetitions of a letter")),
                    r++, 0, 1, 3);
    auto* lblLanguages =
        Make<QLabel>(f, "lblCommonWordsLanguages", QStringLiteral("Ignore common words in:"));
    auto* languages = Make<QComboBox>(f, "cboCommonWordsLanguages", QString(),
                                      QStringLiteral("Ignore common words in"));
    lblLanguages->setBuddy(languages);
    grid->addWidget(lblLanguages, r, 0);
    grid->addWidget(languages, r, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    return f;
}

QGroupBox* frmParams::BuildPhraseFrame() {
    QGroupBox* f =
        Frame(this, "fraTerminatePhrase", QStringLiteral("A phrase must not go beyond:"));
    auto* box = new QVBoxLayout(f);
    // The double-quote box names the closing quotation marks it also stops at.
    const QString quote =
        QStringLiteral("end double quote \"") + QStringLiteral(" \u201D ") + QChar(0xBB);
    box->addWidget(
        Make<QCheckBox>(f, "chkTerminatePhraseAtEndOfLine", QStringLiteral("end of line")));
    box->addWidget(Make<QCheckBox>(f, "chkTerminatePhraseAtPeriod", QStringLiteral("period .")));
    box->addWidget(Make<QCheckBox>(f, "chkTerminatePhraseAtDoubleQuote", quote));
    box->addWidget(Make<QCheckBox>(f, "chkTerminatePhraseAtTab", QStringLiteral("tab")));
    box->addWidget(Make<QCheckBox>(f, "chkTerminatePhraseAtComma", QStringLiteral("comma")));
    return f;
}

QGroupBox* frmParams::BuildPatternFrame() {
    QGroupBox* f =
        Frame(this, "fraPatternMatching", QStringLiteral("Enable pattern matching for:"));
    auto* box = new QVBoxLayout(f);
    box->addWidget(Make<QCheckBox>(f, "chkPatternMatchingInWordsToIgnoreFile",
                                   QStringLiteral("Words-to-ignore file")));
    box->addWidget(Make<QCheckBox>(f, "chkPatternMatchingInCountOnlyWordsFile",
                                   QStringLiteral("Count-only words/phrases file")));
    return f;
}

QGroupBox* frmParams::BuildOptionsFrame() {
    QGroupBox* f = Frame(this, "fraOptions", QStringLiteral("Options:"));
    auto* box = new QVBoxLayout(f);
    auto* docx = Make<QCheckBox>(f, "chkExtractTextFromDocx",
                                 QStringLiteral("Extract text from docx files"));
    docx->setToolTip(QStringLiteral("If checked then text extracted from .docx files will be "
                                    "written to files in an 'extracted_text' subfolder."));
    box->addWidget(docx);
    box->addWidget(
        Make<QCheckBox>(f, "chkOutputWithCommas", QStringLiteral("Include commas in output file")));
    box->addWidget(Make<QCheckBox>(f, "chkWarnOnOverwrite",
                                   QStringLiteral("Warn on overwrite of output file")));
    box->addWidget(
        Make<QCheckBox>(f, "chkSaveStateOnQuit", QStringLiteral("Save settings when quitting")));
    m_chkUseLog10 =
        Make<QCheckBox>(f, "chkUseLog10", QStringLiteral("Use log base 10 for Zipf data"));
    box->addWidget(m_chkUseLog10);
    return f;
}

QGroupBox* frmParams::BuildWordListsFrame() {
    QGroupBox* f = Frame(this, "fraWordLists", QStringLiteral("Word lists:"));
    auto* grid = new QGridLayout(f);
    const QString fileTip = QStringLiteral("Click here to specify one or more files containing ");
    const QString fileTips[2] = {
        fileTip + QStringLiteral("words (not phrases) which should be ignored."),
        fileTip + QStringLiteral("words or phrases which are to be counted.  All other words and "
                                 "phrases are ignored.")};
    const QString captions[2] = {Q(kWordsFileButtonCaption0), Q(kWordsFileButtonCaption1)};
    const QString boxCaptions[2] = {QStringLiteral("Extra words to ignore:"),
                                    QStringLiteral("Extra count-only words/phrases:")};
    const QString listNames[2] = {QStringLiteral("Words-to-ignore files"),
                                  QStringLiteral("Count-only words/phrases files")};
    for (int i = 0; i < 2; ++i) {
        const QByteArray n = QByteArray::number(i);
        m_cmdWordsFile[i] = Make<QPushButton>(f, ("cmdWordsFile" + n).constData(), captions[i]);
        m_cmdWordsFile[i]->setToolTip(fileTips[i]);
        m_cboWordsFile[i] =
            Make<QComboBox>(f, ("cboWordsFile" + n).constData(), QString(), listNames[i]);
        m_cboWordsFile[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_cboWordsFile[i]->setMinimumContentsLength(30);
        m_cmdClearWordsFile[i] =
            Make<QPushButton>(f, ("cmdClearWordsFile" + n).constData(), QStringLiteral("Clear"),
                              QStringLiteral("Clear ") + listNames[i]);
        grid->addWidget(m_cmdWordsFile[i], i, 0);
        grid->addWidget(m_cboWordsFile[i], i, 1);
        grid->addWidget(m_cmdClearWordsFile[i], i, 2);

        auto* label = Make<QLabel>(f, ("lblWordsToIgnoreOrCount" + n).constData(), boxCaptions[i]);
        m_txbWordsToIgnoreOrCount[i] = Make<QLineEdit>(
            f, ("txbWordsToIgnoreOrCount" + n).constData(), QString(), boxCaptions[i].chopped(1));
        label->setBuddy(m_txbWordsToIgnoreOrCount[i]);
        m_cmdClearWordsToIgnoreOrCount[i] = Make<QPushButton>(
            f, ("cmdClearWordsToIgnoreOrCount" + n).constData(), QStringLiteral("Clear"),
            QStringLiteral("Clear ") + boxCaptions[i].chopped(1));
        grid->addWidget(label, 2 + i, 0);
        grid->addWidget(m_txbWordsToIgnoreOrCount[i], 2 + i, 1);
        grid->addWidget(m_cmdClearWordsToIgnoreOrCount[i], 2 + i, 2);
    }
    m_txbWordsToIgnoreOrCount[0]->setToolTip(
        QStringLiteral("Extra words to ignore (not phrases) may be added here. ") +
        QStringLiteral("Spaces (not commas) should be used to separate them.  Case is not "
                       "significant."));
    m_cmdListCountOnlyWords = Make<QPushButton>(f, "cmdListCountOnlyWords", QStringLiteral("List"),
                                                QStringLiteral("List count-only words/phrases"));
    grid->addWidget(m_cmdListCountOnlyWords, 1, 3);
    grid->setColumnStretch(1, 1);
    return f;
}

QWidget* frmParams::BuildButtons() {
    auto* w = new QWidget(this);
    auto* grid = new QGridLayout(w);
    grid->setContentsMargins(0, 0, 0, 0);
    struct B {
        const char* name;
        const char* caption;
        int row, column;
    };
    const B buttons[] = {
        {"cmdCheckAllCheckboxes", "Check all checkboxes", 0, 0},
        {"cmdClearAllCheckboxes", "Clear all checkboxes", 0, 1},
        {"cmdRestoreDefaults", "Restore defaults", 0, 2},
        {"cmdReinitialize", "Reinitialize", 0, 3},
        {"cmdHideSettings", "Hide settings", 0, 5},
        {"cmdSaveSettings", "Save settings", 1, 0},
        {"cmdSaveSettingsToFile", "Save settings to file", 1, 1},
        {"cmdLoadSettingsFromFile", "Load settings from file", 1, 2},
        {"cmdQuit", "Quit", 1, 5},
    };
    for (const B& b : buttons)
        grid->addWidget(Make<QPushButton>(w, b.name, QString::fromUtf8(b.caption)), b.row,
                        b.column);
    grid->setColumnStretch(4, 1);
    m_cmdSaveSettings = w->findChild<QPushButton*>("cmdSaveSettings");
    m_cmdHideSettings = w->findChild<QPushButton*>("cmdHideSettings");
    m_cmdReinitialize = w->findChild<QPushButton*>("cmdReinitialize");
    return w;
}

void frmParams::ConnectControls() {
    auto clicked = [this](const char* name, auto&& act) {
        connect(findChild<QPushButton*>(QLatin1String(name)), &QPushButton::clicked, this, act);
    };
    clicked("cmdCheckAllCheckboxes", [this] { OnCheckAll(1); });
    clicked("cmdClearAllCheckboxes", [this] { OnCheckAll(0); });
    clicked("cmdRestoreDefaults", [this] { OnRestoreDefaults(); });
    clicked("cmdReinitialize", [this] { OnReinitialize(); });
    clicked("cmdSaveSettings", [this] {
        SaveSettingsToDefault(m_s, m_main.StateFilePath(), m_host, "cmdSaveSettings");
    });
    clicked("cmdSaveSettingsToFile", [this] { OnSaveToFile(); });
    clicked("cmdLoadSettingsFromFile", [this] { OnLoadFromFile(); });
    clicked("cmdHideSettings", [this] {
        m_main.SetTheFocus();
        hide();
    });
    clicked("cmdQuit", [this] { OnQuit(); });
    clicked("cmdListCountOnlyWords", [this] { OnListCountOnlyWords(); });
    for (int i = 0; i < 2; ++i) {
        connect(m_cmdWordsFile[i], &QPushButton::clicked, this, [this, i] {
            m_lists.AddWordsFile(i);
            AfterWordListOperation();
        });
        connect(m_cmdClearWordsFile[i], &QPushButton::clicked, this, [this, i] {
            m_lists.ClearWordsFiles(i);
            m_main.SetCountWordsCaption();
            AfterWordListOperation();
        });
        connect(m_cmdClearWordsToIgnoreOrCount[i], &QPushButton::clicked, this, [this, i] {
            m_lists.ClearExtraWords(i);
            AfterWordListOperation();
        });
        connect(m_txbWordsToIgnoreOrCount[i], &QLineEdit::editingFinished, this, [this, i] {
            if (!Live())
                return;
            m_lists.ExtraWordsLostFocus(i);
            m_main.RecordToControls();
        });
    }
    connect(m_txbUserSpecifiedExtraChars, &QLineEdit::editingFinished, this, [this] {
        if (!Live())
            return;
        UserSpecifiedExtraCharsLostFocus(m_s, m_host);
        m_main.RecordToControls();
    });
}

bool frmParams::Live() const {
    return m_run.blnStartUpCompleted && !blnRestoring;
}

void frmParams::OnFieldChanged(const SettingsField& f, int previous) {
    if (f.name == u"ExcessFrequency")
        m_lblExcessFrequency->setText(Q(ExcessFrequencyUnit(m_s)));
    if (!Live())
        return;
    if (f.kind == FieldKind::Check) {
        const CheckFollowUp next = CheckBoxChanged(m_s, m_run, m_host, f.name, previous);
        if (next == CheckFollowUp::SetToolTipText)
            SetToolTipText();
        else if (next == CheckFollowUp::CheckAllowedExtraChars)
            m_lists.CheckAllowedExtraChars(m_settingAllCheckboxes);
        // A box put back, or "any of:" cleared, shows its value again (not as a change).
        if (!m_settingAllCheckboxes) {
            blnRestoring = true;
            m_main.RecordToControls();
            blnRestoring = false;
        }
    } else if (f.name == u"CommonWordsLanguages") {
        m_lists.LanguageChosen(m_s.CommonWordsLanguages);
        AfterWordListOperation();
    } else if (f.name == u"WordsFile0" || f.name == u"WordsFile1") {
        OnWordsFileChosen(f.name == u"WordsFile0" ? 0 : 1);
    }
}

void frmParams::OnWordsFileChosen(int index) {
    if (m_lists.blnEnablingDisablingWordsFile || m_lists.blnChangingLanguage ||
        m_lists.blnReselectingWordsFile || m_s.WordsFile[index].selected < 0)
        return;
    // Just below the list, a little to the right of its left edge.
    QComboBox* list = m_cboWordsFile[index];
    m_loadRemove->MeTopLeft = list->mapToGlobal(QPoint(TwipsToPixels(150), list->height()));
    const LoadRemoveChoice choice = m_loadRemove->Choose(list->currentText());
    m_lists.WordsFileChosen(index, choice);
    m_main.SetCountWordsCaption();
    m_main.RecordToControls();
}

void frmParams::AfterWordListOperation() {
    m_main.RecordToControls();
    switch (m_lists.Focus()) {
    case WordListFocus::CloseButton:
    case WordListFocus::HideSettings:
        SetFocusIfPossible(m_cmdHideSettings);
        break;
    case WordListFocus::SaveSettings:
        SetFocusIfPossible(m_cmdSaveSettings);
        break;
    case WordListFocus::Unchanged:
        break;
    }
}

void frmParams::OnCheckAll(int value) {
    m_settingAllCheckboxes = true;
    SetAllCheckboxes(m_s, value,
                     [this](const SettingsField& f, int previous) { OnFieldChanged(f, previous); });
    m_settingAllCheckboxes = false;
    m_main.RecordToControls();
}

void frmParams::OnRestoreDefaults() {
    blnRestoring = true;
    SetDefaultValues(m_s, m_run);
    m_main.RecordToControls();
    blnRestoring = false;
    SetFocusIfPossible(m_cmdHideSettings);
}

void frmParams::OnReinitialize() {
    blnRestoring = true;
    m_main.Reinitialize();
    blnRestoring = false;
    m_host.PopUp(u"Program reinitialized", "cmdReinitialize");
    m_txbStateFile->setVisible(false);
    m_lblState->clear();
}

void frmParams::ShowStateFile(const std::u16string& label, const std::u16string& path) {
    m_lblState->setText(Q(label));
    m_txbStateFile->setText(Q(path));
    m_txbStateFile->setVisible(true);
    show();
    raise();
}

void frmParams::OnSaveToFile() {
    std::u16string path;
    const auto label = ChooseAndSaveSettings(m_s, m_host, U(m_txbStateFile->text()), &path);
    if (label)
        ShowStateFile(*label, path);
}

void frmParams::OnLoadFromFile() {
    std::u16string path;
    const auto actions = m_main.MakeRestoreActions(true);
    blnRestoring = true;
    const auto loaded =
        ChooseAndLoadSettings(m_s, m_run, m_host, *actions, U(m_txbStateFile->text()), &path);
    if (loaded)
        m_main.AfterSettingsLoaded(loaded->restore);
    blnRestoring = false;
    if (loaded)
        ShowStateFile(loaded->stateLabel, path);
}

void frmParams::OnListCountOnlyWords() {
    if (m_run.lngNumCountOnlyWords > 0) {
        m_session.listEngine.ListCountOnlyWords();
        SetFocusIfPossible(m_cmdListCountOnlyWords);
    } else {
        m_host.MessageBox(u"There are no count-only words/phrases.", u"", MsgIcon::Exclamation);
    }
}

void frmParams::OnQuit() {
    if (m_host.Ask(u"Really quit?", u"Quit", MsgIcon::Question, MsgButtons::YesNo,
                   MsgAnswer::Yes) == MsgAnswer::Yes)
        m_main.close();
}

void frmParams::ShowRecord() {
    m_binder->Show();
    m_lblExcessFrequency->setText(Q(ExcessFrequencyUnit(m_s)));
    SetToolTipText();
    Refresh();
}

void frmParams::SetToolTipText() {
    m_txbWordsToIgnoreOrCount[1]->setToolTip(Q(CountOnlyBoxToolTip(m_s)));
}

void frmParams::EnableDisableButtons(bool enable) {
    // Everything but "Hide settings", which changes nothing.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->window() == this && w != m_cmdHideSettings && !qobject_cast<QLabel*>(w) &&
            !qobject_cast<QGroupBox*>(w) && w->focusPolicy() != Qt::NoFocus)
            w->setEnabled(enable);
    if (enable)
        Refresh();
}

void frmParams::Refresh() {
    if (m_session.run.IsRunning())
        return;
    for (int i = 0; i < 2; ++i) {
        const int files = static_cast<int>(m_s.WordsFile[i].paths.size());
        m_cboWordsFile[i]->setEnabled(files > 0);
        m_cmdClearWordsFile[i]->setEnabled(files > 0);
        m_cmdClearWordsToIgnoreOrCount[i]->setEnabled(!m_s.WordsToIgnoreOrCount[i].empty());
        const QString caption = (i == 0 ? QStringLiteral("Words-to-ignore files (")
                                        : QStringLiteral("Count-only words/phrases files (")) +
                                QString::number(files) + QChar(u')');
        if (m_cmdWordsFile[i]->text() != caption)
            m_cmdWordsFile[i]->setText(caption);
        m_cboWordsFile[i]->setToolTip(Q(SelectedWordsFile(m_s.WordsFile[i])));
    }
    m_cmdListCountOnlyWords->setEnabled(!SelectedWordsFile(m_s.WordsFile[1]).empty());
}

bool frmParams::SetFocusIfPossible(QWidget* w) {
    if (!w->isVisible() || !w->isEnabled())
        return false;
    w->setFocus();
    return true;
}

void frmParams::Open() {
    const QWidget& main = m_main;
    if (!(main.windowState() &
          (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QWidget* settingsButton =
            main.findChild<QWidget*>(QStringLiteral("cmdSetParameters"));
        const int buttonLeft = settingsButton ? settingsButton->mapTo(&main, QPoint()).x() : 0;
        move(main.pos() + QPoint(TwipsToPixels(300) + buttonLeft, TwipsToPixels(400)));
    } else if (const QScreen* screen = main.screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // Never partly off the screen.
    if (const QScreen* screen = main.screen()) {
        const QRect area = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveRight(std::min(frame.right(), area.right()));
        frame.moveBottom(std::min(frame.bottom(), area.bottom()));
        frame.moveLeft(std::max(frame.left(), area.left()));
        frame.moveTop(std::max(frame.top(), area.top()));
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    SetFocusIfPossible(m_cmdHideSettings);
}

} // namespace lxty::app
