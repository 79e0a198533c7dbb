// The main window as a new user meets it: the windows it opens give what lexitally-cli gives with
// the same settings, byte for byte; a refused count leaves the previous output file; its figures,
// lists and rows show their whole text and stay in place; its messages open where they are read;
// every control is named and reached by keyboard, and reacts however it is changed. Controls found
// by object name.

#include "GuiTestSupport.h"
#include "Shots.h"
#include "app/QtHost.h"
#include "app/Shell.h"
#include "app/frmAbout.h"
#include "app/frmClipboardViewer.h"
#include "app/frmConcordance.h"
#include "app/frmCountAllPhrases.h"
#include "app/frmCountArray.h"
#include "app/frmLoadRemove.h"
#include "app/frmParams.h"
#include "app/frmPopUp.h"
#include "app/frmResults.h"
#include "app/frmZipfPlot.h"
#include "util/Catalogue.h"

#include <QAccessible>
#include <QClipboard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>

using lxty::app::frmConcordance;
using lxty::app::frmCountAllPhrases;
using lxty::app::frmCountArray;
using lxty::app::frmCountWordsPhrases;
using lxty::app::frmMain;
using lxty::app::frmResults;
using lxty::app::frmZipfPlot;
using namespace lxty::test;

namespace {

// Sets a line edit as a screen reader would: through its accessible text interface.
void AccessibleSetText(QWidget* w, const QString& text) {
    QAccessible::queryAccessibleInterface(w)->editableTextInterface()->replaceText(
        0, static_cast<QLineEdit*>(w)->text().size(), text);
}

const QSize kSmallScreen(1024, 720);

const char* kText = "the red car and the red car and the blue car. the red car stops\n"
                    "and the blue car goes, the red car and the blue car\n";

} // namespace

class TestfrmMainWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    std::unique_ptr<frmMain> NewWindow(bool help = false) { return NewMain(m_dir, false, help); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        WriteFile(Path("in.txt"), kText);
        WriteFile(Path("texts/a.txt"), "unto unto unto unto art thou\n");
        WriteFile(Path("texts/b.txt"), "art thou\n");
        WriteFile(Path("texts/sub/c.txt"), "art\n");
    }

    // "Count all phrases", then its filter button, from the main window: the output file equals the
    // command line's with the same settings. Return parses the filter box; the last count takes the
    // box as typed.
    void allPhrasesAndTheFilterEqualTheCommandLine() {
        auto w = NewWindow();
        Source(*w, "optInFile", Path("in.txt"), Path("phrases-window.txt"));
        const struct {
            const char *button, *filter, *mode, *parsed, *shows;
            bool enter;
        } steps[] = {
            {"cmdCountPhrases", "", "optIncludeAllWordsInSameOrder", "", "the red car", true},
            {"cmdFilter", "Red, Car!", "optIncludeAllWordsInSameOrder", "red car", "filtering",
             true},
            {"cmdCountPhrases", "blue car", "optIncludeAllWordsAsSubphrase", "blue car", "blue",
             false}};
        for (const auto& step : steps) {
            QString parsed = "<not shown>";
            WhenModal<frmCountAllPhrases>([&](frmCountAllPhrases* d) {
                QVERIFY(Child<QLabel>(*d, "lblIntro")->text().startsWith("This operation counts"));
                Child<QComboBox>(*d, "cboPhraseLength0")->setCurrentIndex(1); // 2 words
                Child<QComboBox>(*d, "cboPhraseLength1")->setCurrentIndex(3); // 4 words
                Child<QComboBox>(*d, "cboMinimumFrequency")->setCurrentIndex(1);
                Child<QRadioButton>(*d, step.mode)->setChecked(true);
                auto* box = Child<QLineEdit>(*d, "txbFilterWords");
                box->clear();
                box->setFocus();
                QTest::keyClicks(box, step.filter);
                if (step.enter)
                    QTest::keyClick(box, Qt::Key_Return);
                parsed = box->text();
                Shot(*d, "frmCountAllPhrases");
                if (d->isVisible())
                    Child<QPushButton>(*d, step.button)->click();
                if (d->isVisible())
                    Child<QPushButton>(*d, "cmdClose")->click();
            });
            Child<QPushButton>(*w, "cmdCountAllPhrases")->click();
            QCOMPARE(parsed, step.parsed);
            QCOMPARE(
                Cli({"--count", "phrases", "--set", "PhraseLength0=1", "--set", "PhraseLength1=3",
                     "--set", "MinimumFrequency=1", "--set",
                     "FilterMode=" + QString(step.mode).mid(3), "--set", "FilterWords=" + parsed,
                     "--output", Path("phrases-cli.txt"), Path("in.txt")}),
                0);
            QCOMPARE(ReadAll(Path("phrases-window.txt")), ReadAll(Path("phrases-cli.txt")));
            QVERIFY2(ReadAll(Path("phrases-cli.txt")).contains(step.shows), step.button);
        }
        QVERIFY(Child<QPushButton>(*w, "cmdCountAllPhrases")->isEnabled());
        // A phrase range the wrong way round is refused with a message, the window still open;
        // without words to ignore their options are out of use; "Clear" empties the filter.
        WhenModal<frmCountAllPhrases>([&](frmCountAllPhrases* d) {
            Child<QComboBox>(*d, "cboPhraseLength0")->setCurrentIndex(4);
            Child<QComboBox>(*d, "cboPhraseLength1")->setCurrentIndex(2);
            auto* count = Child<QPushButton>(*d, "cmdCountPhrases");
            QCOMPARE(MessageDuring([count] { count->click(); }).value(0), "Invalid input");
            QVERIFY(d->isVisible());
            QVERIFY(!Child<QRadioButton>(*d, "optRemoveWordsToIgnore")->isEnabled());
            Child<QPushButton>(*d, "cmdClear")->click();
            QCOMPARE(Child<QLineEdit>(*d, "txbFilterWords")->text(), QString());
            Child<QPushButton>(*d, "cmdClose")->click();
        });
        Child<QPushButton>(*w, "cmdCountAllPhrases")->click();
        QCOMPARE(w->Record().FilterWords, std::u16string());
    }

    // "Make 2-d count array": shown for a folder only, with the caption of the entries in force;
    // Cancel leaves the previous file; its file equals the command line's (below the heading's time
    // of writing). A folder count's listing also equals the command line's.
    void countArrayAndAFolderCountEqualTheCommandLine() {
        auto w = NewWindow();
        auto* button = Child<QPushButton>(*w, "cmdCountArray");
        Child<QRadioButton>(*w, "optInFile")->click();
        QVERIFY(button->isHidden());
        Source(*w, "optFolder", Path("texts"), Path("array-window.txt"));
        QVERIFY(button->isVisible() && button->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Make 2-d count array for Excel"));
        Child<QCheckBox>(*w, "chkIncludeSubfolders")->click();
        WriteFile(Path("array-window.txt"), "previous");
        WhenModal<frmCountArray>(
            [](frmCountArray* d) { Child<QPushButton>(*d, "cmdCancel")->click(); });
        button->click();
        QCOMPARE(ReadAll(Path("array-window.txt")), QByteArray("previous"));
        WhenModal<frmCountArray>([](frmCountArray* d) {
            Child<QRadioButton>(*d, "optBoth")->click();
            Child<QCheckBox>(*d, "chkZeroCellsBlank")->click();
            Shot(*d, "frmCountArray");
            // The report of the file written is repeated in a message box.
            WhenModal<QMessageBox>([](QMessageBox* b) { b->accept(); });
            Child<QPushButton>(*d, "cmdCreateFile")->click();
        });
        button->click();
        QCOMPARE(Cli({"--count", "array", "--set", "IncludeSubfolders=1", "--set",
                      "CountArrayTables=Both", "--set", "ZeroCellsBlank=1", "--output",
                      Path("array-cli.txt"), Path("texts")}),
                 0);
        auto body = [](QByteArray b) { return b.mid(b.indexOf('\n')); };
        QCOMPARE(body(ReadAll(Path("array-window.txt"))), body(ReadAll(Path("array-cli.txt"))));
        QVERIFY(ReadAll(Path("array-cli.txt")).contains("<File indices>"));
        // With count-only entries in force the array holds them, and says so.
        // After a folder count sorted by the number of files, another format lists by frequency
        // again, in the text window and the output file, as the command line does.
        Child<QLineEdit>(*w, "txbFile1")->setText(Path("switch-window.txt"));
        Child<QComboBox>(*w, "cboDisplayFormat")->setCurrentIndex(13);
        Child<QCheckBox>(*w, "chkSortByNumberOfFiles")->click();
        Count(*w);
        QVERIFY(ReadAll(Path("switch-window.txt")).indexOf("art") <
                ReadAll(Path("switch-window.txt")).indexOf("unto"));
        Child<QComboBox>(*w, "cboDisplayFormat")->setCurrentIndex(0);
        QCOMPARE(Cli({"--set", "IncludeSubfolders=1", "--output", Path("switch-cli.txt"),
                      Path("texts")}),
                 0);
        QCOMPARE(ReadAll(Path("switch-window.txt")), ReadAll(Path("switch-cli.txt")));
        QVERIFY(Output(*w).contains(QStringLiteral("        1         4  unto\n")));
        w->State().intNumExtraCountOnlyWords = 1;
        w->SetCountWordsCaption();
        QCOMPARE(button->text(),
                 QStringLiteral("Make 2-d count array of count-only words/phrases for Excel"));
    }

    // A count refused at its checks leaves the previous output file byte for byte.
    void aRefusedCountLeavesThePreviousOutputFile() {
        const struct {
            const char* option;
            const char* path;
        } cases[] = {{"optInFile", "missing.txt"}, {"optOnClipboard", ""}};
        for (const auto& c : cases) {
            WriteFile(Path("kept.txt"), "previous report\r\n");
            QApplication::clipboard()->clear();
            auto w = NewWindow();
            Source(*w, c.option, Path(c.path), Path("kept.txt"));
            QVERIFY2(!MessageDuring([&] { Count(*w); }).isEmpty(), c.option);
            QCOMPARE(ReadAll(Path("kept.txt")), QByteArray("previous report\r\n"));
        }
    }

    // At the window's smallest size no label is narrower than its text, large figures
    // included, and the groups, buttons and text window do not overlap; the figures of a
    // count do not make the window grow.
    void theSmallestWindowShowsEveryLabelWhole() {
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        w->resize(1, 1);
        QApplication::processEvents();
        const QSize smallest = w->size();
        const std::pair<const char*, const char*> figures[] = {
            {"lblNumberOfWords", "Number of different words/phrases found so far: 8,302,000"},
            {"lblNumOccurrences", "Number of instances of words/phrases in this list: 999,999,999"},
            {"lblTotalNumOccurrences", "Total number of instances of words/phrases: 16,604"},
            {"lblNumWordsExcluded",
             "No. of words ignored (other than words-to-ignore): 999,999,999"},
            {"lblFilesize", "Filesize: 1,023.9 Mb"},
            {"lblXMLsize", "Text: 1,023.9 Mb"},
            {"lblTimeElapsed", "Time elapsed: 23h 59m 59s"}};
        for (const auto& [label, text] : figures)
            w->TheHost().SetLabel(label, QString(text).toStdU16String());
        QApplication::processEvents();
        QCOMPARE(w->size(), smallest);
        QVERIFY2(
            kSmallScreen.expandedTo(smallest) == kSmallScreen,
            qPrintable(QStringLiteral("%1 x %2").arg(smallest.width()).arg(smallest.height())));
        Shot(*w, "frmMain-minimum");
        QVERIFY2(Crowded(*w).isEmpty(), qPrintable(Crowded(*w).join("\n")));
        // Each list is wide enough for its longest entry, however the layout shares the row.
        for (const char* name : {"cboWordOrder", "cboDisplayFormat"}) {
            auto* list = Child<QComboBox>(*w, name);
            QStyleOptionComboBox option;
            option.initFrom(list);
            // At the narrowest the layout may make it.
            option.rect.setWidth(list->minimumWidth() ? list->minimumWidth()
                                                      : list->minimumSizeHint().width());
            const int field = list->style()
                                  ->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, list)
                                  .width();
            for (int i = 0; i < list->count(); ++i)
                QVERIFY2(list->fontMetrics().horizontalAdvance(list->itemText(i)) <= field,
                         qPrintable(list->itemText(i)));
        }
    }

    // Every window at its smallest fits a 1,024 x 768 screen less a panel, with no control over
    // another or squeezed; every control of each has its object name, an accessible name and
    // keyboard reach; the manual names each control of the main window.
    void everyWindowFitsASmallScreenAndNamesItsControls() {
        auto w = NewWindow();
        Source(*w, "optFolder", Path("texts"), Path("fit-out.txt"));
        w->ShowSettingsWindow();
        frmCountAllPhrases phrases(w->Session());
        frmCountArray array(w->Record());
        frmResults results(w->Session(), LXTY_DATA_DIR);
        frmZipfPlot plot;
        frmConcordance concordance(w->Session(), LXTY_DATA_DIR);
        lxty::app::frmAbout about(w->TheHost(), LXTY_DATA_DIR);
        lxty::app::frmClipboardViewer clipboard;
        lxty::app::frmLoadRemove loadRemove(w.get());
        QStringList faults;
        const auto check = [&faults](QWidget* window) {
            for (const QString& unnamed : Unnamed(*window))
                faults << window->objectName() + ": " + unnamed;
            window->show();
            for (const QSize asked : {QSize(1, 1), kSmallScreen}) { // the smallest, a normal size
                window->resize(asked);
                QApplication::processEvents();
                const QString size = QStringLiteral("%1 %2 x %3")
                                         .arg(window->objectName())
                                         .arg(window->width())
                                         .arg(window->height());
                qInfo("%s", qPrintable(size));
                Shot(*window, size);
                if (kSmallScreen.expandedTo(window->size()) != kSmallScreen)
                    faults << size;
                for (const QString& crowded : Crowded(*window))
                    faults << size + ": " + crowded;
            }
        };
        for (QWidget* window : std::initializer_list<QWidget*>{
                 w.get(), w->SettingsWindow(), &phrases, &array, &results, &plot, &concordance,
                 &about, &clipboard, &loadRemove})
            check(window);
        // The count choice, with the texts it shows when it opens.
        WhenModal<frmCountWordsPhrases>([&](frmCountWordsPhrases* d) {
            check(d);
            Child<QPushButton>(*d, "cmdCancel")->click();
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        // The manual names every control of the main window by its object name.
        const QByteArray manual = ReadAll(QStringLiteral(LXTY_DATA_DIR "/manual.html"));
        static const QRegularExpression control(
            QStringLiteral("^(cmd|chk|opt|cbo|txb)\\w+?(?=\\d?$)"));
        for (QWidget* c : w->centralWidget()->findChildren<QWidget*>()) {
            const QString name = control.match(c->objectName()).captured(0);
            if (!name.isEmpty() && !manual.contains(("<code>" + name + "</code>").toUtf8()))
                faults << "not in the manual: " + name;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    // Nothing moves when the source changes between Folder and Single file.
    void switchingTheSourceMovesNothing() {
        auto w = NewWindow();
        const auto where = [&w](const char* option) {
            Child<QRadioButton>(*w, option)->click();
            w->Refresh();
            QApplication::processEvents();
            QMap<QString, int> at;
            for (QWidget* c : w->centralWidget()->findChildren<QWidget*>())
                if (c->isVisible() && !c->objectName().isEmpty())
                    at[c->objectName()] = c->mapTo(w.get(), QPoint()).y();
            return at;
        };
        const auto folder = where("optFolder"), file = where("optInFile");
        for (auto it = file.begin(); it != file.end(); ++it)
            QCOMPARE(it.key() + " " + QString::number(it.value()),
                     it.key() + " " + QString::number(folder.value(it.key(), it.value())));
        QVERIFY(folder.contains("cmdCountArray") && !file.contains("cmdCountArray"));
    }

    // The start-up help message opens centred on the window, which opens centred on the
    // screen; the "Settings saved" pop-up stays inside the window, clear of Quit; a message
    // box is wide enough for its title.
    void messagesOpenWhereTheyAreRead() {
        QRect box;
        QString title;
        WhenModal<QMessageBox>([&](QMessageBox* b) {
            box = b->frameGeometry();
            title = b->windowTitle();
            b->accept();
        });
        auto w = NewWindow(true);
        QCOMPARE(title, QStringLiteral("Help is available online"));
        // Each centre lies in the middle third of what it is centred on.
        auto middle = [](QRect r) {
            return r.adjusted(r.width() / 3, r.height() / 3, -r.width() / 3, -r.height() / 3);
        };
        QVERIFY(middle(w->screen()->availableGeometry()).contains(w->frameGeometry().center()));
        QVERIFY(middle(w->frameGeometry()).contains(box.center()));

        // "Save settings" saves and confirms in a pop-up that vanishes by itself.
        QFile::remove(StateFile(m_dir));
        Child<QPushButton>(*w, "cmdSaveState")->click();
        QVERIFY(QFile::exists(StateFile(m_dir)));
        auto* popUp = w->findChild<lxty::app::frmPopUp*>("frmPopUp");
        auto* quit = Child<QPushButton>(*w, "cmdQuit");
        const QRect inside(w->mapToGlobal(QPoint()), w->size());
        QVERIFY(popUp && popUp->isVisible());
        QCOMPARE(Child<QLabel>(*popUp, "lblMessage")->text(), QStringLiteral("Settings saved"));
        QCOMPARE(popUp->intInterval, 2000);
        QVERIFY(inside.contains(popUp->geometry()));
        QVERIFY(!popUp->geometry().intersects(QRect(quit->mapToGlobal(QPoint()), quit->size())));

        const QString stop =
            QString::fromStdU16String(lxty::GetText(lxty::TextId::StopCountingManyFound));
        int width = 0;
        WhenModal<QMessageBox>([&](QMessageBox* b) {
            width = b->width();
            b->button(QMessageBox::No)->click();
        });
        w->TheHost().Ask(u"12,345 found so far.\n\nReally stop?", stop.toStdU16String(),
                         lxty::MsgIcon::Question, lxty::MsgButtons::YesNo, lxty::MsgAnswer::Yes);
        QVERIFY(width >= QFontMetrics(w->font()).horizontalAdvance(stop) + 100);
        QTRY_VERIFY_WITH_TIMEOUT(!popUp->isVisible(), 4000);
    }

    // A screen reader's toggle and text, and typing, reach the record.
    void typingAndAccessibilityActionsReachTheRecord() {
        auto w = NewWindow();
        auto* file = Child<QRadioButton>(*w, "optInFile");
        QAccessible::queryAccessibleInterface(file)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QVERIFY(file->isChecked());
        QCOMPARE(w->Record().Source, lxty::SourceKind::InFile);
        QVERIFY(Child<QPushButton>(*w, "cmdFile0")->isEnabled());
        for (const char* box : {"txbFile0", "txbFile1"}) {
            AccessibleSetText(Child<QLineEdit>(*w, box), Path(box));
            QCOMPARE(QString::fromStdU16String(w->Record().File[box[7] - '0']), Path(box));
        }
        // Typed, the output-file box takes the path whole: the focus stays in it.
        Child<QRadioButton>(*w, "optFolder")->click();
        auto* box = Child<QLineEdit>(*w, "txbFile1");
        box->clear();
        box->setFocus();
        const QString path = Path("typed.txt");
        for (QChar c : path)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCOMPARE(box->text(), path);
        QCOMPARE(QString::fromStdU16String(w->Record().File[1]), path);
        // The record's own updates do not echo back as changes.
        w->Record().File[0] = u"/from/the/record";
        w->RecordToControls();
        QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->text(), QStringLiteral("/from/the/record"));
    }

    // The buttons and links that open a window or a message, and what they open; the text
    // window's own buttons and clicks, and the pattern boxes.
    void buttonsLinksAndBoxes() {
        auto w = NewWindow();
        QUrl launched;
        lxty::app::SetLauncher([&](const QUrl& u) {
            launched = u;
            return lxty::app::kLaunchOk;
        });
        auto* manual = Child<QLabel>(*w, "lblOnlineDocumentation");
        for (const char* control : {"cmdHelp", "cmdCountWords", "cmdFile1"}) {
            auto* c = Child<QWidget>(*w, control);
            const QStringList shown = MessageDuring([c, control] {
                if (QByteArray(control) == "cmdHelp")
                    static_cast<QPushButton*>(c)->click();
                else
                    QTest::keyClick(c, Qt::Key_F1);
            });
            QCOMPARE(shown.value(0), QStringLiteral("Help is available online"));
            QVERIFY(shown.value(1).contains("manual.html"));
            QCOMPARE(w->focusWidget(), manual);
        }
        QTest::keyClick(manual, Qt::Key_Return);
        QCOMPARE(launched.fileName(), QStringLiteral("manual.html"));
        QTest::keyClick(Child<QLabel>(*w, "lblTarnwellSystems"), Qt::Key_Return);
        QVERIFY(w->findChild<lxty::app::frmAbout*>()->isVisible());
        Child<QPushButton>(*w, "cmdClipboardViewer")->click();
        QVERIFY(w->findChild<lxty::app::frmClipboardViewer*>()->isVisible());
        lxty::app::SetLauncher([](const QUrl&) { return lxty::app::kLaunchOk; });

        // "Clear textbox" empties the text window, hides the figures until a count shows new
        // ones and gives the focus back; a right click in the text window explains how to count
        // the clipboard; leaving a pattern box checks it.
        QApplication::setActiveWindow(w.get());
        Child<QRadioButton>(*w, "optOnClipboard")->click();
        w->TheHost().TextWindowSet(u"old listing");
        w->TheHost().SetLabel("lblNumberOfWords", u"Number of words in this list: 4");
        Child<QPushButton>(*w, "cmdClearOutput")->click();
        QCOMPARE(Child<QPlainTextEdit>(*w, "txbOutput")->toPlainText(), QString());
        QVERIFY(Child<QLabel>(*w, "lblNumberOfWords")->isHidden());
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>(*w, "cmdCountWords"));
        w->TheHost().SetLabel("lblNumberOfWords", u"Number of words in this list: 5");
        QVERIFY(!Child<QLabel>(*w, "lblNumberOfWords")->isHidden());

        auto* view = Child<QPlainTextEdit>(*w, "txbOutput")->viewport();
        QCOMPARE(MessageDuring([view] { QTest::mouseClick(view, Qt::RightButton); }).value(0),
                 QStringLiteral("Text on clipboard"));

        Child<QRadioButton>(*w, "optFolder")->click();
        const struct {
            const char* box;
            const char* typed;
            const char* title;
        } cases[] = {{"txbFileFilepathSpecifications0", "*.txt *.doc", "Match file patterns"},
                     {"txbFileFilepathSpecifications0", "a<b", "Invalid input"},
                     {"txbFileFilepathSpecifications1", "old*", "Invalid input"}};
        for (const auto& c : cases) {
            auto* box = Child<QLineEdit>(*w, c.box);
            QApplication::setActiveWindow(w.get());
            box->setFocus();
            QTRY_VERIFY(box->hasFocus());
            box->setText(c.typed);
            QCOMPARE(MessageDuring([box] { QTest::keyClick(box, Qt::Key_Tab); }).value(0),
                     QString(c.title));
            box->clear();
        }
    }
};

QTEST_MAIN(TestfrmMainWindows)
#include "TestfrmMainWindows.moc"
