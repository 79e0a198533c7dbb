// The settings window: every bound control reaches the record and back, a changed rule changes the
// next count, the handlers of its buttons (Check all / Clear all, Restore defaults, Reinitialize,
// settings files, word-list files through frmLoadRemove), how it is opened, and that nothing in it
// can be used while a count runs.

#include "GuiTestSupport.h"
#include "ScrambledSettings.h"
#include "Shots.h"
#include "app/FieldBinder.h"
#include "app/QtText.h"
#include "app/frmCountAllPhrases.h"
#include "app/frmCountArray.h"
#include "app/frmLoadRemove.h"
#include "app/frmParams.h"
#include "app/frmPopUp.h"
#include "settings/SettingsByName.h"

#include <set>

using namespace lxty;
using namespace lxty::test;
using lxty::app::frmMain;
using lxty::app::frmParams;
using lxty::app::Q;
using lxty::app::U;

namespace {

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

    // A main window with its settings window opened by its button.
    std::unique_ptr<frmMain> NewWindow() {
        auto w = NewMain(m_dir);
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
        Count(w);
        QStringList words;
        for (const QString& line : Output(w).split('\n'))
            if (line.startsWith(' ') && !line.trimmed().startsWith(QStringLiteral("Rank")))
                words << line.split(' ', Qt::SkipEmptyParts).last();
        words.sort();
        return words;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // One pass over the field table: every field of the record has its control in one of the
    // four windows that show settings, shows the record, and a person's change of the control
    // reaches the record.
    void everyBoundControlReachesTheRecordAndBack() {
        auto w = NewWindow();
        app::frmCountAllPhrases phrases(w->Session());
        app::frmCountArray array(w->Record());
        std::vector<app::FieldBinder::Binding> bindings;
        for (QWidget* window :
             std::initializer_list<QWidget*>{w.get(), &Params(*w), &phrases, &array})
            for (const auto& b :
                 window->findChild<app::FieldBinder*>({}, Qt::FindDirectChildrenOnly)->Bindings())
                bindings.push_back(b);
        std::set<std::u16string> bound, expected;
        for (const auto& b : bindings)
            bound.emplace(b.field->name);
        for (const SettingsField& f : SettingsFieldTable())
            expected.emplace(f.name);
        QCOMPARE(bound, expected);
        const auto show = [&] {
            w->RecordToControls();
            phrases.RecordToControls();
            array.RecordToControls();
        };

        // Handlers stay inert: this is the binding alone.
        w->State().blnStartUpCompleted = false;
        Settings scrambled = ScrambledSettings();
        scrambled.UserSpecifiedExtraChars = u"#$%"; // the box takes 5 characters
        w->Record() = scrambled;
        show();
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
        show();
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
        const QByteArray text = "Sons and son. Cat cat CAT hi hi-fi x abc#def";
        struct Case {
            const char* name;
            std::function<void(frmMain&)> change;
            QStringList words;
        };
        const Case cases[] = {
            {"defaults", [](frmMain&) {}, {"abc", "and", "cat", "def", "hi-fi", "son"}},
            {"case",
             [](frmMain& w) { In<QCheckBox>(w, "chkCaseSignificant")->click(); },
             {"CAT", "Cat", "Son", "abc", "and", "cat", "def", "hi-fi", "son"}},
            {"ignored word",
             [](frmMain& w) {
                 auto* box = In<QLineEdit>(w, "txbWordsToIgnoreOrCount0");
                 box->setText("AND");
                 emit box->textEdited(box->text());
                 emit box->editingFinished();
             },
             {"abc", "cat", "def", "hi-fi", "son"}},
            {"shortest 2",
             [](frmMain& w) { In<QComboBox>(w, "cboShortWordSize")->setCurrentIndex(0); },
             {"abc", "and", "cat", "def", "hi", "hi-fi", "son"}},
            // The "any of:" box keeps only admissible characters, once each; checked, they join
            // words.
            {"extra characters",
             [](frmMain& w) {
                 auto* box = In<QLineEdit>(w, "txbUserSpecifiedExtraChars");
                 box->setText("+#é#");
                 emit box->textEdited(box->text());
                 QString message;
                 Answer(QMessageBox::Ok, &message);
                 emit box->editingFinished();
                 QCOMPARE(message, QStringLiteral("The character + is not permitted in words."));
                 QCOMPARE(box->text(), QStringLiteral("#"));
                 In<QCheckBox>(w, "chkAllowWordsWithUserSpecifiedExtraChars")->click();
             },
             {"abc#def", "and", "cat", "hi-fi", "son"}},
        };
        for (const Case& c : cases) {
            auto w = NewWindow();
            c.change(*w);
            QVERIFY2(CountWords(*w, text) == c.words, c.name);
        }
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
        Shot(Params(*w), "frmParams");
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
        ChooseThrough(In<QPushButton>(*w, "cmdLoadSettingsFromFile"), file);
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
        for (const QString& path : {a, b})
            ChooseThrough(In<QPushButton>(*w, "cmdWordsFile0"), path);
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
        auto main = NewMain(m_dir);
        frmMain& w = *main;
        QVERIFY(!w.SettingsWindow());
        Count(w, "cmdSetParameters");
        QVERIFY(w.SettingsWindow() && w.SettingsWindow()->isVisible());
        QCOMPARE(w.SettingsWindow()->windowTitle(), QStringLiteral("Lexitally settings"));
        QString question;
        Answer(QMessageBox::No, &question);
        Child<QPushButton>(*w.SettingsWindow(), "cmdQuit")->click();
        QCOMPARE(question, QStringLiteral("Really quit?"));
        QVERIFY(w.isVisible() && w.SettingsWindow()->isVisible());
        Child<QPushButton>(*w.SettingsWindow(), "cmdHideSettings")->click();
        QVERIFY(!w.SettingsWindow()->isVisible());
    }

    // The engine's dialog filters reach Qt in its own syntax.
    void filtersAreQtSyntax() {
        const std::pair<const char16_t*, const char*> filters[] = {
            {u"LXTY settings files (*.lxty) | *.lxty", "LXTY settings files (*.lxty)"},
            {u"Any text file (*.*) | *.*", "Any text file (*)"},
            {u"Text | *.txt;*.text | All | *.*", "Text (*.txt *.text);;All (*)"},
            {u"A text file or a docx file (*)", "A text file or a docx file (*)"},
        };
        for (const auto& [engine, qt] : filters)
            QCOMPARE(app::QtFileFilter(engine), QString::fromUtf8(qt));
    }
};

QTEST_MAIN(TestfrmParams)
#include "TestfrmParams.moc"
