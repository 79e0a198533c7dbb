// The settings window: every bound control reaches the record and back, a changed rule changes
// the next count, the handlers of its buttons (Check all / Clear all, Restore defaults,
// Reinitialize, settings files, word-list files through frmLoadRemove), how it is opened, and
// that nothing in it can be used while a count runs. With LXTY_SHOTS set to a folder, the
// screenshots test writes PNG pictures of the windows there.

#include "app/FieldBinder.h"
#include "app/QtText.h"
#include "app/frmCountWordsPhrases.h"
#include "app/frmLoadRemove.h"
#include "app/frmMain.h"
#include "app/frmParams.h"
#include "app/frmPopUp.h"
#include "settings/SavedState.h"
#include "settings/SettingsByName.h"

#include "GuiTestSupport.h"
#include "ScrambledSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <set>

using namespace lxty;
using namespace lxty::test;
using lxty::app::frmMain;
using lxty::app::frmParams;
using lxty::app::Q;
using lxty::app::U;

namespace {

// Answers the next message box with `button` and keeps its text.
void Answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal<QMessageBox>([=](QMessageBox* box) {
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

// A person's choice of entry `index` of a list.
void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The field's value as the control shows it, in the form GetFieldByName gives it.
QString Shown(const app::FieldBinder::Binding& b) {
    if (auto* c = qobject_cast<QCheckBox*>(b.control))
        return c->isChecked() ? "1" : "0";
    if (auto* o = qobject_cast<QRadioButton*>(b.control))
        return o->isChecked() ? Q(b.field->options[b.option]) : QStringLiteral("(other)");
    if (auto* l = qobject_cast<QComboBox*>(b.control))
        return b.field->kind == FieldKind::FileList ? l->currentText()
                                                    : QString::number(l->currentIndex());
    return qobject_cast<QLineEdit*>(b.control)->text();
}

// Changes the control as a person would, to the value `want` has in the field.
void Change(const app::FieldBinder::Binding& b, const Settings& want) {
    const SettingsField& f = *b.field;
    if (auto* c = qobject_cast<QCheckBox*>(b.control))
        c->click();
    else if (auto* o = qobject_cast<QRadioButton*>(b.control))
        o->click();
    else if (auto* l = qobject_cast<QComboBox*>(b.control))
        Choose(l, f.kind == FieldKind::FileList ? f.files(const_cast<Settings&>(want)).selected
                                                : f.getInt(want));
    else if (auto* e = qobject_cast<QLineEdit*>(b.control)) {
        e->setText(Q(f.text(const_cast<Settings&>(want))));
        emit e->textEdited(e->text());
    }
}

} // namespace

class TestfrmParams : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    std::unique_ptr<frmMain> NewWindow() {
        auto w = std::make_unique<frmMain>(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
        w->SetStateFilePath(std::filesystem::path(m_dir.filePath("state/lxty.usr").toStdString()));
        w->SetRestoreStateAtStartUp(false);
        w->SetHelpAtStartUp(false);
        w->show();
        w->StartUp();
        Child<QPushButton>(*w, "cmdSetParameters")->click();
        return w;
    }
    static frmParams& Params(frmMain& w) { return *w.SettingsWindow(); }
    template <class T> static T* In(frmMain& w, const char* name) {
        return Child<T>(Params(w), name);
    }

    // Counts `text` as the single input file with "Count all words"; the listing's words.
    QStringList CountWords(frmMain& w, const QByteArray& text) {
        const QString path = m_dir.filePath("input.txt");
        WriteFile(path, text);
        w.Record().Source = SourceKind::InFile;
        w.Record().File[0] = U(path);
        w.RecordToControls();
        WhenModal<app::frmCountWordsPhrases>([](app::frmCountWordsPhrases* d) {
            Child<QPushButton>(*d, "cmdCountAllWords")->click();
        });
        Child<QPushButton>(w, "cmdCountWords")->click();
        QStringList words;
        for (const QString& line : Child<QPlainTextEdit>(w, "txbOutput")->toPlainText().split('\n'))
            if (line.startsWith(' ') && !line.trimmed().startsWith(QStringLiteral("Rank")))
                words << line.split(' ', Qt::SkipEmptyParts).last();
        words.sort();
        return words;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // One pass over the field table: every field of the record has its control in one of the two
    // windows (the all-phrases and count-array fields have windows of their own), shows the
    // record, and a person's change of the control reaches the record.
    void everyBoundControlReachesTheRecordAndBack() {
        auto w = NewWindow();
        std::vector<app::FieldBinder::Binding> bindings = w->Binder().Bindings();
        for (const auto& b : Params(*w).Binder().Bindings())
            bindings.push_back(b);
        std::set<std::u16string> bound, expected;
        for (const auto& b : bindings)
            bound.emplace(b.field->name);
        const std::set<std::u16string> elsewhere = {u"PhraseLength0",
                                                    u"PhraseLength1",
                                                    u"MinimumFrequency",
                                                    u"FilterWords",
                                                    u"FilterMode",
                                                    u"WordsToIgnoreInPhrases",
                                                    u"WriteRelativeFrequency",
                                                    u"ZeroCellsBlank",
                                                    u"CountArrayTables"};
        for (const SettingsField& f : SettingsFieldTable())
            if (!elsewhere.count(std::u16string(f.name)))
                expected.emplace(f.name);
        QCOMPARE(bound, expected);

        // Handlers stay inert: this is the binding alone.
        w->State().blnStartUpCompleted = false;
        Settings scrambled = ScrambledSettings();
        scrambled.UserSpecifiedExtraChars = u"#$%"; // the box takes 5 characters
        w->Record() = scrambled;
        w->RecordToControls();
        // An option button shows whether its option is the record's.
        auto want = [&](const app::FieldBinder::Binding& b) {
            const QString v = Q(*GetFieldByName(scrambled, b.field->name));
            return b.option < 0 || Q(b.field->options[b.option]) == v ? v
                                                                      : QStringLiteral("(other)");
        };
        for (const auto& b : bindings)
            QCOMPARE(Shown(b), want(b));
        w->Record() = Settings();
        w->Record().WordsFile = scrambled.WordsFile;
        w->Record().WordsFile[0].selected = w->Record().WordsFile[1].selected = 0;
        w->RecordToControls();
        for (const auto& b : bindings) {
            if (want(b) == QStringLiteral("(other)") || b.field->name == u"UseLog10")
                continue;                // UseLog10 is always 1
            b.control->setEnabled(true); // enabling rules are not this test's business
            Change(b, scrambled);
            QVERIFY2(Q(*GetFieldByName(w->Record(), b.field->name)) == want(b),
                     qPrintable(b.control->objectName()));
        }
    }

    // A rule changed in the window changes the next count.
    void aChangedRuleChangesTheNextCount() {
        const QByteArray text = "Sons and son. Cat cat CAT hi hi-fi x";
        struct Case {
            const char* name;
            std::function<void(frmMain&)> change;
            QStringList words;
        };
        const Case cases[] = {
            {"defaults", [](frmMain&) {}, {"and", "cat", "hi-fi", "son"}},
            {"case",
             [](frmMain& w) { In<QCheckBox>(w, "chkCaseSignificant")->click(); },
             {"CAT", "Cat", "Son", "and", "cat", "hi-fi", "son"}},
            {"plurals",
             [](frmMain& w) { In<QCheckBox>(w, "chkDropFinalS")->click(); },
             {"and", "cat", "hi-fi", "son", "sons"}},
            {"hyphens",
             [](frmMain& w) { In<QCheckBox>(w, "chkAllowWordsWithHyphens")->click(); },
             {"and", "cat", "son"}},
            {"ignored word",
             [](frmMain& w) {
                 auto* box = In<QLineEdit>(w, "txbWordsToIgnoreOrCount0");
                 box->setText("AND");
                 emit box->textEdited(box->text());
                 emit box->editingFinished();
             },
             {"cat", "hi-fi", "son"}},
            {"shortest 2",
             [](frmMain& w) { In<QComboBox>(w, "cboShortWordSize")->setCurrentIndex(0); },
             {"and", "cat", "hi", "hi-fi", "son"}},
        };
        for (const Case& c : cases) {
            auto w = NewWindow();
            c.change(*w);
            QCOMPARE(CountWords(*w, text), c.words);
        }
    }

    // The "any of:" box keeps only admissible characters, once each; checked, they join words.
    void extraCharactersJoinWords() {
        auto w = NewWindow();
        auto* box = In<QLineEdit>(*w, "txbUserSpecifiedExtraChars");
        box->setText("+#é#");
        emit box->textEdited(box->text());
        QString message;
        Answer(QMessageBox::Ok, &message);
        emit box->editingFinished();
        QCOMPARE(message, QStringLiteral("The character + is not permitted in words."));
        QCOMPARE(box->text(), QStringLiteral("#"));
        In<QCheckBox>(*w, "chkAllowWordsWithUserSpecifiedExtraChars")->click();
        QCOMPARE(CountWords(*w, "abc#def"), QStringList{"abc#def"});
    }

    // After a count a rule change asks first; No leaves the box and the record as they were.
    void aRuleChangeAfterACountAsksFirst() {
        auto w = NewWindow();
        CountWords(*w, "one two");
        QString question;
        Answer(QMessageBox::No, &question);
        In<QCheckBox>(*w, "chkAllowWordsWithHyphens")->click();
        QCOMPARE(question,
                 QStringLiteral("Changing this entails reading the file anew.  Is this OK?"));
        QVERIFY(In<QCheckBox>(*w, "chkAllowWordsWithHyphens")->isChecked());
        QCOMPARE(w->Record().AllowWordsWithHyphens, 1);
        Answer(QMessageBox::Yes);
        In<QCheckBox>(*w, "chkAllowWordsWithHyphens")->click();
        QCOMPARE(w->Record().AllowWordsWithHyphens, 0);
        QVERIFY(!w->State().blnWordsGot);
    }

    void checkAllClearAllRestoreDefaultsAndReinitialize() {
        auto w = NewWindow();
        const std::filesystem::path wordsFile = (m_dir.path() + "/ignore.txt").toStdString();
        w->Record().WordsFile[0] = {{U(QString::fromStdString(wordsFile.string()))}, 0};
        w->Record().WordsToIgnoreOrCount[0] = u"xyz";
        w->Record().CommonWordsLanguages = 5;
        w->RecordToControls();
        In<QPushButton>(*w, "cmdCheckAllCheckboxes")->click();
        for (QCheckBox* box : Params(*w).findChildren<QCheckBox*>())
            QCOMPARE(box->isChecked(),
                     box->objectName() != "chkAllowWordsWithUserSpecifiedExtraChars");
        In<QPushButton>(*w, "cmdClearAllCheckboxes")->click();
        for (QCheckBox* box : Params(*w).findChildren<QCheckBox*>())
            QCOMPARE(box->isChecked(), box->objectName() == "chkUseLog10");

        In<QPushButton>(*w, "cmdRestoreDefaults")->click();
        Settings expected;
        expected.WordsFile =
            w->Record().WordsFile; // left alone, as are the language and extra words
        expected.WordsToIgnoreOrCount[0] = u"xyz";
        expected.CommonWordsLanguages = 5;
        expected.Source = w->Record().Source;
        QVERIFY(w->Record() == expected);
        QVERIFY(In<QCheckBox>(*w, "chkDropFinalS")->isChecked());

        QString question;
        Answer(QMessageBox::Yes, &question); // clear all words-to-ignore files
        In<QPushButton>(*w, "cmdReinitialize")->click();
        QCOMPARE(question, QStringLiteral("Do you wish to clear all words-to-ignore files?"));
        QVERIFY(w->Record().WordsFile[0].paths.empty());
        QCOMPARE(In<QComboBox>(*w, "cboWordsFile0")->count(), 0);
        QCOMPARE(In<QLineEdit>(*w, "txbWordsToIgnoreOrCount0")->text(), QString());
        auto* popUp = w->findChild<app::frmPopUp*>();
        QVERIFY(popUp && popUp->isVisible());
        QCOMPARE(popUp->strMessage, QStringLiteral("Program reinitialized"));
    }

    void aSettingsFileSavedAndLoadedBackGivesTheSameRecord() {
        auto w = NewWindow();
        In<QCheckBox>(*w, "chkCaseSignificant")->click();
        In<QComboBox>(*w, "cboExcessFrequency")->setCurrentIndex(0);
        QCOMPARE(In<QLabel>(*w, "lblExcessFrequency")->text(), QStringLiteral("occurrence"));
        const Settings saved = w->Record();
        const QString file = m_dir.filePath("mine.lxty");
        WhenModal<QFileDialog>([file](QFileDialog* d) {
            QCOMPARE(d->nameFilters(), QStringList{"LXTY settings files (*.lxty)"});
            AcceptFileDialog(d, file);
        });
        In<QPushButton>(*w, "cmdSaveSettingsToFile")->click();
        QCOMPARE(In<QLabel>(*w, "lblState")->text(), QStringLiteral("Settings saved to"));
        QCOMPARE(In<QLineEdit>(*w, "txbStateFile")->text(), file);
        In<QPushButton>(*w, "cmdRestoreDefaults")->click();
        QVERIFY(!(w->Record() == saved));
        WhenModal<QFileDialog>([file](QFileDialog* d) { AcceptFileDialog(d, file); });
        In<QPushButton>(*w, "cmdLoadSettingsFromFile")->click();
        QVERIFY(w->Record() == saved);
        QCOMPARE(In<QLabel>(*w, "lblState")->text(), QStringLiteral("Settings loaded from"));
        QVERIFY(In<QCheckBox>(*w, "chkCaseSignificant")->isChecked());
        QCOMPARE(In<QLabel>(*w, "lblExcessFrequency")->text(), QStringLiteral("occurrence"));
    }

    // Adding two files, then through "Load or remove this file": load the first, remove it,
    // and clear the list.
    void wordListFilesThroughLoadRemove() {
        auto w = NewWindow();
        const QString a = m_dir.filePath("a-words.txt"), b = m_dir.filePath("b-words.txt");
        WriteFile(a, "apple\nbanana\n");
        WriteFile(b, "cherry\n");
        for (const QString& path : {a, b}) {
            WhenModal<QFileDialog>([path](QFileDialog* d) { AcceptFileDialog(d, path); });
            In<QPushButton>(*w, "cmdWordsFile0")->click();
        }
        QCOMPARE(In<QComboBox>(*w, "cboWordsFile0")->count(), 2);
        QCOMPARE(In<QPushButton>(*w, "cmdWordsFile0")->text(),
                 QStringLiteral("Words-to-ignore files (2)"));
        QCOMPARE(w->State().lngNumWordsToIgnore, 1);
        QCOMPARE(w->Record().CommonWordsLanguages, 7); // not a common-word file

        auto choose = [&](int entry, const char* option) {
            WhenModal<app::frmLoadRemove>([option](app::frmLoadRemove* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Load or remove this file"));
                Child<QRadioButton>(*d, option)->click();
                Child<QPushButton>(*d, "cmdClose")->click();
            });
            Choose(In<QComboBox>(*w, "cboWordsFile0"), entry);
        };
        choose(0, "optLoadThisFile");
        QCOMPARE(w->State().lngNumWordsToIgnore, 2);
        choose(1, "optCancel"); // back to the file in force
        QCOMPARE(w->Record().WordsFile[0].selected, 0);
        choose(0, "optLoadThisFile"); // the selected entry again: read anew
        QCOMPARE(w->State().lngNumWordsToIgnore, 2);
        choose(1, "optRemoveThisFile");
        QCOMPARE(w->Record().WordsFile[0].paths, std::vector<std::u16string>{U(a)});
        QCOMPARE(w->State().lngNumWordsToIgnore, 0);
        Answer(QMessageBox::Yes);
        In<QPushButton>(*w, "cmdClearWordsFile0")->click();
        QVERIFY(w->Record().WordsFile[0].paths.empty());
        QCOMPARE(In<QComboBox>(*w, "cboWordsFile0")->count(), 0);
        QVERIFY(!In<QPushButton>(*w, "cmdClearWordsFile0")->isEnabled());
    }

    void goToSettingsOpensTheWindow() {
        frmMain w(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
        w.SetRestoreStateAtStartUp(false);
        w.SetHelpAtStartUp(false);
        w.show();
        w.StartUp();
        QVERIFY(!w.SettingsWindow());
        WhenModal<app::frmCountWordsPhrases>([](app::frmCountWordsPhrases* d) {
            Child<QPushButton>(*d, "cmdSetParameters")->click();
        });
        Child<QPushButton>(w, "cmdCountWords")->click();
        QVERIFY(w.SettingsWindow() && w.SettingsWindow()->isVisible());
        QString question;
        Answer(QMessageBox::No, &question);
        Child<QPushButton>(*w.SettingsWindow(), "cmdQuit")->click();
        QCOMPARE(question, QStringLiteral("Really quit?"));
        QVERIFY(w.isVisible() && w.SettingsWindow()->isVisible());
        Child<QPushButton>(*w.SettingsWindow(), "cmdHideSettings")->click();
        QVERIFY(!w.SettingsWindow()->isVisible());
    }

    // While a count runs only "Hide settings" may be used; afterwards everything comes back.
    void noControlIsEnabledDuringACount() {
        auto w = NewWindow();
        QStringList enabledDuringRun;
        bool sawRun = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (!w->Run().IsRunning() || sawRun)
                return;
            sawRun = true;
            for (QWidget* c : Params(*w).findChildren<QWidget*>())
                if (c->isEnabled() && c->focusPolicy() != Qt::NoFocus && c->window() == &Params(*w))
                    enabledDuringRun << c->objectName();
        });
        poll.start(5);
        w->Record().File[1] = U(m_dir.filePath("out.txt")); // a large input asks for one
        CountWords(*w, QByteArray("alpha beta gamma delta ").repeated(60000));
        QVERIFY(sawRun);
        QCOMPARE(enabledDuringRun, QStringList{"cmdHideSettings"});
        QVERIFY(In<QCheckBox>(*w, "chkCaseSignificant")->isEnabled());
    }

    // Every control a person can reach by keyboard has its object name and an accessible name,
    // and the engine's dialog filters reach Qt in its own syntax.
    void controlsAreNamedAndFiltersAreQtSyntax() {
        auto w = NewWindow();
        for (QWidget* c : Params(*w).findChildren<QWidget*>()) {
            if (c->window() != &Params(*w) || c->focusPolicy() == Qt::NoFocus)
                continue;
            QVERIFY2(c->objectName().size() > 3, c->metaObject()->className());
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        }
        const std::pair<const char16_t*, const char*> filters[] = {
            {u"LXTY settings files (*.lxty) | *.lxty", "LXTY settings files (*.lxty)"},
            {u"Any text file (*.*) | *.*", "Any text file (*)"},
            {u"Text | *.txt;*.text | All | *.*", "Text (*.txt *.text);;All (*)"},
            {u"A text file or a docx file (*)", "A text file or a docx file (*)"},
        };
        for (const auto& [engine, qt] : filters)
            QCOMPARE(app::QtFileFilter(engine), QString::fromUtf8(qt));
    }

    void screenshots() {
        const QString folder = qEnvironmentVariable("LXTY_SHOTS");
        if (folder.isEmpty())
            QSKIP("LXTY_SHOTS names no folder");
        auto w = NewWindow();
        QDir().mkpath(folder);
        QTest::qWait(200);
        QVERIFY(w->grab().save(folder + "/frmMain.png"));
        QVERIFY(Params(*w).grab().save(folder + "/frmParams-default.png"));
        const QSize minimum = Params(*w).minimumSizeHint();
        Params(*w).resize(minimum);
        QTest::qWait(200);
        QVERIFY(Params(*w).grab().save(folder + "/frmParams-minimum.png"));
        Params(*w).resize(1400, 900);
        QTest::qWait(200);
        QVERIFY(Params(*w).grab().save(folder + "/frmParams-large.png"));
        w->Record().WordsFile[0] = {{U(m_dir.filePath("a rather long folder name/words.txt"))}, -1};
        w->RecordToControls();
        WhenModal<app::frmLoadRemove>([folder](app::frmLoadRemove* d) {
            QTest::qWait(200);
            d->grab().save(folder + "/frmLoadRemove.png");
            d->close();
        });
        Choose(In<QComboBox>(*w, "cboWordsFile0"), 0);
    }
};

QTEST_MAIN(TestfrmParams)
#include "TestfrmParams.moc"
