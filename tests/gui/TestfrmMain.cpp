// The main window: start-up with and without its numbered texts, the source controls and their
// enabling, counting into the text window and relisting after a display change, the count choice, a
// folder's file list, stopping a count, the saved state on quitting, drops and the "Results"
// button. Modal dialogs are answered from the event loop.

#include "GuiTestSupport.h"
#include "app/frmConcordance.h"
#include "app/frmParams.h"
#include "app/frmResults.h"

#include <QClipboard>
#include <QMimeData>
#include <QTableView>

using lxty::SourceKind;
using lxty::app::frmMain;
using namespace lxty::test;

namespace {

// Sends a drag entering the window and then its drop, carrying urls; whether each was taken.
std::pair<bool, bool> DragAndDrop(frmMain& w, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = w.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&w, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(&w, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
}

} // namespace

class TestfrmMain : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Chooses path through the "Single file" button and its open dialog.
    static void ChooseInputFile(frmMain& w, const QString& path) {
        Child<QRadioButton>(w, "optInFile")->click();
        ChooseThrough(Child<QPushButton>(w, "cmdFile0"), path);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void startsWithTheShippedCatalogue() {
        auto w = NewMain(m_dir);
        QVERIFY(w->CatalogueResult().Loaded() && w->State().blnStartUpCompleted);
        // The two display lists hold the catalogue's entries, the first selected.
        auto* order = Child<QComboBox>(*w, "cboWordOrder");
        auto* format = Child<QComboBox>(*w, "cboDisplayFormat");
        QCOMPARE(order->itemText(order->count() - 1), QStringLiteral("Alphabetical"));
        QCOMPARE(format->count(), 14);
        QCOMPARE(format->itemText(13),
                 QStringLiteral("Word and the files containing it, with frequency in each"));
        QCOMPARE(format->currentIndex(), 0);
        QVERIFY(Child<QPlainTextEdit>(*w, "txbOutput")->isReadOnly());
        const QFontMetrics fixed(Child<QPlainTextEdit>(*w, "txbOutput")->font());
        QCOMPARE(fixed.horizontalAdvance('i'), fixed.horizontalAdvance('W'));
    }

    void reportsAMissingCatalogue() {
        frmMain w(QStringLiteral("/nonexistent-folder/lxty.dat"));
        w.SetRestoreStateAtStartUp(false);
        w.SetHelpAtStartUp(false);
        w.SetStateFilePath(StateFile(m_dir).toStdString());
        w.show();
        QCOMPARE(MessageDuring([&] { w.StartUp(); }).mid(1),
                 QStringList({"Cannot open file containing program text.\n"
                              "/nonexistent-folder/lxty.dat",
                              QString::number(QMessageBox::Critical)}));
        QCOMPARE(w.CatalogueResult().Code(), -1);
        QVERIFY(w.State().blnStartUpCompleted); // start-up goes on after the message
    }

    // Each source enables its own controls only and keeps the file and folder texts; the folder's
    // exclusion box shows only for a folder; "Disable" needs a named output file.
    void sourceChoiceEnablesItsControls() {
        auto w = NewMain(m_dir);
        const struct {
            const char* option;
            bool file, folder;
        } cases[] = {{"optOnClipboard", false, false}, {"optInFile", true, false},
                     {"optFolder", false, true},       {"optOnClipboard", false, false},
                     {"optInFile", true, false},       {"optFolder", false, true}};
        for (const auto& c : cases) {
            Child<QRadioButton>(*w, c.option)->click();
            w->Refresh();
            QVERIFY2(Child<QRadioButton>(*w, c.option)->isChecked(), c.option);
            for (const char* name : {"cmdFile0", "txbFile0"})
                QVERIFY2(Child<QWidget>(*w, name)->isEnabled() == c.file, name);
            for (const char* name : {"cmdFolder", "txbFolder", "chkIncludeSubfolders",
                                     "txbFileFilepathSpecifications0", "cmdListFiles"})
                QVERIFY2(Child<QWidget>(*w, name)->isEnabled() == c.folder, name);
            QCOMPARE(Child<QWidget>(*w, "txbFileFilepathSpecifications1")->isVisible(), c.folder);
            QVERIFY(Child<QPushButton>(*w, "cmdFile1")->isEnabled());
            // Typed once, each source's text is there when its source comes back.
            auto* box = Child<QLineEdit>(*w, c.folder ? "txbFolder" : "txbFile0");
            if (c.file || c.folder) {
                if (box->text().isEmpty())
                    QTest::keyClicks(box, c.folder ? "/a/folder" : "/a/file.txt");
                QCOMPARE(box->text(), c.folder ? "/a/folder" : "/a/file.txt");
            }
        }
        QCOMPARE(w->Record().Folder, u"/a/folder");
        QCOMPARE(w->Record().File[0], u"/a/file.txt");
        // No output file: "Disable" is cleared and cannot be used.
        auto* disable = Child<QCheckBox>(*w, "chkDisableOutputToFile");
        QVERIFY(!disable->isEnabled() && !disable->isChecked());
        auto* output = Child<QLineEdit>(*w, "txbFile1");
        QTest::keyClicks(output, Path("out.txt"));
        QVERIFY(disable->isEnabled());
        disable->click();
        QCOMPARE(w->Record().DisableOutputToFile, 1);
        Child<QPushButton>(*w, "cmdClearFile1")->click();
        QVERIFY(output->text().isEmpty());
        QVERIFY(!disable->isEnabled() && !disable->isChecked());
        QCOMPARE(w->Record().DisableOutputToFile, 0);
    }

    // "Display relative frequency" can be used only with formats that show a frequency;
    // "Sort by number of files" only for a folder, by frequency, with the file-count format.
    void displayOptionsFollowTheirDependencies() {
        auto w = NewMain(m_dir);
        auto* relative = Child<QCheckBox>(*w, "chkDisplayRelativeFrequency");
        auto* byFiles = Child<QCheckBox>(*w, "chkSortByNumberOfFiles");
        auto* format = Child<QComboBox>(*w, "cboDisplayFormat");
        auto* order = Child<QComboBox>(*w, "cboWordOrder");
        const char* relativeFormats = "11101101000101"; // by format, 0 to 13
        Child<QRadioButton>(*w, "optFolder")->click();
        for (int f = 0; f < 14; ++f) {
            format->setCurrentIndex(f);
            QCOMPARE(w->Record().DisplayFormat, f);
            QVERIFY2(relative->isEnabled() == (relativeFormats[f] == '1'),
                     qPrintable(QString::number(f)));
            QCOMPARE(byFiles->isEnabled(), f == 13);
        }
        // Format 13 and a folder: the sort by files can be chosen, and is dropped again when
        // the order or the source no longer allows it.
        byFiles->click();
        QCOMPARE(w->Record().SortByNumberOfFiles, 1);
        order->setCurrentIndex(1);
        QVERIFY(!byFiles->isEnabled() && !byFiles->isChecked());
        QCOMPARE(w->Record().SortByNumberOfFiles, 0);
        order->setCurrentIndex(0);
        byFiles->click();
        Child<QRadioButton>(*w, "optInFile")->click();
        QVERIFY(!byFiles->isEnabled());
        QCOMPARE(w->Record().SortByNumberOfFiles, 0);
    }

    // The "Output file" button refuses a file inside the folder to be scanned; one outside becomes
    // the output file. The "Folder" button fills the folder box, erases the result figures and
    // switches output to the file off until asked for again.
    void choosingTheOutputFileAndTheFolder() {
        const QString folder = Path("scanned");
        QDir().mkpath(folder + "/sub");
        auto w = NewMain(m_dir);
        Source(*w, "optFolder", folder, "");
        auto* box = Child<QLineEdit>(*w, "txbFile1");
        auto* disable = Child<QCheckBox>(*w, "chkDisableOutputToFile");
        auto* button = Child<QPushButton>(*w, "cmdFile1");
        const QStringList refusal =
            MessageDuring([&] { ChooseThrough(button, folder + "/sub/out.txt"); });
        QCOMPARE(refusal.value(0), QStringLiteral("Invalid output file"));
        QVERIFY2(
            refusal.value(1).startsWith("The output file cannot be in the folder or a subfolder"),
            qPrintable(refusal.value(1)));
        QCOMPARE(box->text(), QString());
        QVERIFY(!disable->isEnabled());
        ChooseThrough(button, Path("chosen-out.txt"));
        QCOMPARE(box->text(), Path("chosen-out.txt"));
        QCOMPARE(w->Record().File[1], Path("chosen-out.txt").toStdU16String());
        QVERIFY(disable->isEnabled() && !disable->isChecked());

        w->TheHost().SetLabel("lblNumberOfWords", u"Number of words in this list: 4");
        w->TheHost().SetLabel("lblTimeElapsed", u"Time elapsed: 3s");
        QDir().mkpath(Path("chosen-folder"));
        ChooseThrough(Child<QPushButton>(*w, "cmdFolder"), Path("chosen-folder"));
        QCOMPARE(Child<QLineEdit>(*w, "txbFolder")->text(), Path("chosen-folder"));
        QCOMPARE(w->Record().Folder, Path("chosen-folder").toStdU16String());
        QCOMPARE(Child<QLabel>(*w, "lblNumberOfWords")->text(), QString());
        QCOMPARE(Child<QLabel>(*w, "lblTimeElapsed")->text(), QString());
        QVERIFY(disable->isChecked());
        QCOMPARE(w->Record().DisableOutputToFile, 1);
    }

    // A chosen file is counted into the text window, once the count choice is not cancelled; a
    // new format, order or relative frequency relists the same count at once; the count choice
    // is ready for the next one.
    void countingAChosenFileAndRelisting() {
        const QString file = Path("cats.txt");
        WriteFile(file, "the cat and the dog\nthe cat\n");
        auto w = NewMain(m_dir);
        ChooseInputFile(*w, file);
        QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->text(), file);
        QCOMPARE(Child<QLabel>(*w, "lblFilesize")->text(), QStringLiteral("Filesize: 28 bytes"));
        // Without count-only entries only "Count all words" can count; "Cancel" and the close
        // box leave everything as it was.
        for (const bool closeBox : {false, true}) {
            bool specifiedEnabled = true, fileListVisible = true;
            QString intro;
            WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
                specifiedEnabled = Child<QWidget>(*d, "cmdCountSpecifiedWordsPhrases")->isEnabled();
                fileListVisible = Child<QWidget>(*d, "chkFileList")->isVisible();
                intro = Child<QLabel>(*d, "lblIntro")->text();
                closeBox ? (void)d->close() : Child<QPushButton>(*d, "cmdCancel")->click();
            });
            Child<QPushButton>(*w, "cmdCountWords")->click();
            QVERIFY(!specifiedEnabled);
            QVERIFY(!fileListVisible); // a single file has no file list
            QVERIFY(intro.startsWith("The 'Settings' window currently states that all words"));
            QVERIFY(!w->Run().ResultsAvailable());
            QCOMPARE(Output(*w), QString());
            QCOMPARE(Child<QLabel>(*w, "lblTimeElapsed")->text(), QString());
        }
        Count(*w);
        QTRY_VERIFY(!w->Run().IsRunning());
        QCOMPARE(Output(*w), "     Rank      Freq  Word [longest has 3 characters]\n"
                             "        1         3  the\n        2         2  cat\n"
                             "        3         1  and\n        4         1  dog\n");
        QCOMPARE(Child<QPushButton>(*w, "cmdCountWords")->text(), "Count words/phrases");
        QVERIFY(!Child<QLabel>(*w, "lblNumberOfWords")->text().isEmpty());
        QVERIFY(Child<QRadioButton>(*w, "optFolder")->isEnabled()); // enabled again
        const struct {
            std::function<void()> change;
            const char* head; // the listing's first two lines
        } relists[] = {{[&] { Child<QComboBox>(*w, "cboDisplayFormat")->setCurrentIndex(7); },
                        "  Word         Freq\n  the             3"},
                       {[&] { Child<QComboBox>(*w, "cboWordOrder")->setCurrentIndex(1); },
                        "  Word         Freq\n  and             1"},
                       {[&] { Child<QCheckBox>(*w, "chkDisplayRelativeFrequency")->click(); },
                        "  Word     Rel freq\n  and        14.29%"}};
        for (const auto& r : relists) {
            r.change();
            QCOMPARE(Output(*w).section('\n', 0, 1), r.head);
        }
        bool allWordsEnabled = false;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            allWordsEnabled = Child<QPushButton>(*d, "cmdCountAllWords")->isEnabled();
            d->close(); // the close box
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        QVERIFY(allWordsEnabled);
    }

    // While a count runs the count button is the Stop request and every other control but Quit and
    // "Don't display words" is locked, and in the settings window all but "Hide settings"; a click
    // in the text window holds the count with a message; a stopped count offers its partial list
    // and puts everything back.
    void theCountButtonStopsARun() {
        const QString file = Path("long.txt");
        WriteFile(file, LongText());
        auto w = NewMain(m_dir);
        Source(*w, "optInFile", file, Path("long-out.txt"));
        Child<QPushButton>(*w, "cmdSetParameters")->click();
        QString runningCaption, question, clicked;
        QStringList unlocked;
        WhileCounting(*w, [&] {
            auto* count = Child<QPushButton>(*w, "cmdCountWords");
            runningCaption = count->text();
            for (QWidget* c : w->centralWidget()->findChildren<QWidget*>(kControl))
                if (c->isEnabled())
                    unlocked << c->objectName();
            for (QWidget* c : w->SettingsWindow()->findChildren<QWidget*>())
                if (c->isEnabled() && c->focusPolicy() != Qt::NoFocus &&
                    c->window() == w->SettingsWindow())
                    unlocked << c->objectName();
            unlocked.sort();
            // While the words found are shown.
            auto* view = Child<QPlainTextEdit>(*w, "txbOutput")->viewport();
            Child<QCheckBox>(*w, "chkSuppressWords")->setChecked(false);
            clicked = MessageDuring([view] { QTest::mouseClick(view, Qt::LeftButton); }).value(0);
            Child<QCheckBox>(*w, "chkSuppressWords")->setChecked(true);
            Answer(QMessageBox::No, &question);
            count->click();
        });
        QCOMPARE(runningCaption, QStringLiteral("Stop counting"));
        QCOMPARE(unlocked, QStringList({"chkSuppressWords", "cmdCountWords", "cmdHideSettings",
                                        "cmdQuit", "txbOutput"}));
        QCOMPARE(clicked, QStringLiteral("Scanning files"));
        QCOMPARE(question, "The operation was stopped before all words were counted.\n"
                           "Do you wish to list those which were found?");
        QVERIFY(!w->Run().IsRunning());
        QCOMPARE(Output(*w),
                 "Now counting all words in\n" + file + "\n\nStopped with 3 words found.");
        QCOMPARE(Child<QPushButton>(*w, "cmdCountWords")->text(), "Count words/phrases");
        QVERIFY(Child<QRadioButton>(*w, "optFolder")->isEnabled());
        QVERIFY(Child<QPushButton>(*w, "cmdFile1")->isEnabled());
        QVERIFY(Child<QCheckBox>(*w->SettingsWindow(), "chkCaseSignificant")->isEnabled());
    }

    // Quitting during a count asks it to stop, and quits once it has ended; quitting while the
    // concordance searches stops the search at once. The state is saved as usual.
    void quittingStopsWhatRuns() {
        WriteFile(Path("long2.txt"), LongText());
        auto w = NewMain(m_dir);
        w->Record().SaveStateOnQuit = 1;
        Source(*w, "optInFile", Path("long2.txt"), Path("long2-out.txt"));
        bool closedWhileRunning = true;
        WhileCounting(*w, [&] {
            Answer(QMessageBox::No);
            closedWhileRunning = w->close();
        });
        QVERIFY(!closedWhileRunning && !w->Run().IsRunning());
        QTRY_VERIFY(!w->isVisible());
        w->show();
        Count(*w);
        Child<QPushButton>(*w, "cmdResults")->click();
        QFile::remove(StateFile(m_dir));
        lxty::app::frmConcordance* search = w->ResultsWindow()->OpenConcordance();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (search->Running() && search->Model().rowCount() > 0 && poll.isActive()) {
                poll.stop();
                QVERIFY(w->close());
            }
        });
        poll.start(5);
        QTRY_VERIFY(!poll.isActive() && !search->Running());
        QVERIFY(!w->isVisible() && search->Model().rowCount() < 800000);
        QVERIFY(Child<QLabel>(*search, "lblStatus")->text().endsWith("(stopped)"));
        QVERIFY(QFile::exists(StateFile(m_dir)));
    }

    // A start without a words-to-ignore file offers the English common words; accepted, a count
    // leaves them out. The clipboard is counted as one piece of text.
    void firstRunOffersTheCommonWordsAndTheClipboardCounts() {
        QFile::remove(StateFile(m_dir));
        QString offer;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            offer = box->windowTitle();
            box->button(QMessageBox::Yes)->click();
        });
        auto w = NewMain(m_dir, true);
        QCOMPARE(offer, QStringLiteral("First run of Lexitally"));
        QCOMPARE(w->Record().WordsFile[0].paths.size(), std::size_t(1));
        QVERIFY(w->State().blnThereAreWordsToIgnore);
        QApplication::clipboard()->setText(QStringLiteral("The cat and the dog, the cat"));
        Child<QRadioButton>(*w, "optOnClipboard")->click();
        Count(*w);
        QCOMPARE(Output(*w), "     Rank      Freq  Word [longest has 3 characters]\n"
                             "        1         2  cat\n        2         1  dog\n");
    }

    // "List files" shows the files a folder count would read, with or without subfolders. For a
    // folder, the file-list box of the count choice borrows the file-list format and gives the
    // kept one back when it is cleared; checked, the count lists each word with the number of
    // files that contain it, in the text window and in the output file.
    void folderFileListAndCountWithTheFileList() {
        const QString folder = Path("corpus");
        WriteFile(folder + "/b.txt", "beta\n");
        WriteFile(folder + "/a.txt", "beta alpha\n");
        WriteFile(folder + "/sub/c.txt", "gamma gamma gamma\n");
        auto w = NewMain(m_dir);
        Source(*w, "optFolder", folder, Path("pair-out.txt"));
        Child<QCheckBox>(*w, "chkIncludeSubfolders")->click();
        Child<QPushButton>(*w, "cmdListFiles")->click();
        QCOMPARE(Output(*w), QStringLiteral("{Folder} = %1\n\n{Folder}/a.txt [11 bytes]\n"
                                            "{Folder}/b.txt [5 bytes]\n"
                                            "{Folder}/sub/c.txt [18 bytes]\n\n"
                                            "3 files in 2 folders will be scanned.\n")
                                 .arg(folder));
        Child<QCheckBox>(*w, "chkIncludeSubfolders")->click();
        Child<QPushButton>(*w, "cmdListFiles")->click();
        QVERIFY(Output(*w).endsWith("[5 bytes]\n\n2 files in 1 folder will be scanned.\n"));
        auto* format = Child<QComboBox>(*w, "cboDisplayFormat");
        format->setCurrentIndex(3);
        QList<int> formats;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            auto* box = Child<QCheckBox>(*d, "chkFileList");
            for (int i = 0; i < 3; ++i) {
                box->click();
                formats << format->currentIndex() << w->Record().DisplayFormat;
            }
            Child<QPushButton>(*d, "cmdCountAllWords")->click();
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        QCOMPARE(formats, QList<int>({11, 11, 3, 3, 11, 11}));
        QVERIFY(Output(*w).endsWith("  Word         Freq  Files\n  beta            2     2\n"
                                    "  alpha           1     1\n"));
        QVERIFY(ReadAll(Path("pair-out.txt"))
                    .endsWith("Word    \t    Freq\t Files\n"
                              "beta    \t       2\t    2\n"
                              "alpha   \t       1\t    1\n"));
    }

    // A saved state that cannot be read, whose reset the person declines, is not overwritten
    // on quitting even when it asked to be saved then.
    void aFaultyStateDeclinedIsLeftAlone() {
        lxty::Settings saved;
        saved.SaveStateOnQuit = 1;
        QByteArray bytes = QByteArray::fromStdString(lxty::FormatSavedState(saved));
        // The first check box line (a 0) becomes something no field can hold.
        const qsizetype zero = bytes.indexOf("\n0\n");
        QVERIFY(zero >= 0);
        bytes.replace(zero + 2, 1, "not a number");
        WriteFile(StateFile(m_dir), bytes);
        QString question;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
            Answer(QMessageBox::No); // then the first-run offer of the common words
        });
        auto w = NewMain(m_dir, true);
        QVERIFY2(question.contains("Invalid data"), qPrintable(question));
        QCOMPARE(w->Record().SaveStateOnQuit, 0);
        QVERIFY(w->close());
        QCOMPARE(ReadAll(StateFile(m_dir)), bytes);
    }

    // Quitting saves the state only when asked; the next start finds it.
    void quittingSavesTheStateOnlyWhenAsked() {
        QFile::remove(StateFile(m_dir));
        for (const int save : {0, 1}) {
            auto w = NewMain(m_dir);
            Child<QComboBox>(*w, "cboWordOrder")->setCurrentIndex(1);
            w->Record().SaveStateOnQuit = save;
            QVERIFY(w->close());
            QCOMPARE(QFile::exists(StateFile(m_dir)), save == 1);
        }
        Answer(QMessageBox::No); // the first-run offer of the common words
        auto w = NewMain(m_dir, true);
        QCOMPARE(Child<QComboBox>(*w, "cboWordOrder")->currentIndex(), 1);
    }

    // A dropped file or folder becomes the source as if chosen with its button; anything else is
    // refused.
    void dropsAFileOrAFolderAsTheSource() {
        const QString file = Path("words.txt"), folder = Path("texts");
        WriteFile(file, "alpha beta");
        WriteFile(folder + "/a.txt", "gamma");
        auto w = NewMain(m_dir);
        Child<QRadioButton>(*w, "optOnClipboard")->click();
        const struct {
            QString path;
            SourceKind kind;
            const char *option, *box;
        } drops[] = {{file, SourceKind::InFile, "optInFile", "txbFile0"},
                     {folder, SourceKind::Folder, "optFolder", "txbFolder"}};
        for (const auto& d : drops) {
            QCOMPARE(DragAndDrop(*w, {QUrl::fromLocalFile(d.path)}), std::make_pair(true, true));
            QCOMPARE(w->Record().Source, d.kind);
            QVERIFY(Child<QRadioButton>(*w, d.option)->isChecked());
            QCOMPARE(Child<QLineEdit>(*w, d.box)->text(), d.path);
        }
        QCOMPARE(w->Record().File[0], file.toStdU16String());
        QCOMPARE(w->Record().Folder, folder.toStdU16String());
        // Two files, a web address, a path that is gone: refused, the source stays.
        for (const QList<QUrl>& urls :
             {QList<QUrl>{QUrl::fromLocalFile(file), QUrl::fromLocalFile(folder)},
              QList<QUrl>{QUrl(QStringLiteral("https://example.org/a.txt"))},
              QList<QUrl>{QUrl::fromLocalFile(Path("gone.txt"))}})
            QCOMPARE(DragAndDrop(*w, urls), std::make_pair(false, false));
        QCOMPARE(w->Record().Source, SourceKind::Folder);
        QCOMPARE(w->Record().Folder, folder.toStdU16String());
    }

    // The "Results" button opens the results of the last count, enabled only once a count has
    // results, following each later count.
    void resultsButtonFollowsTheCounts() {
        const QString file = Path("count.txt");
        WriteFile(file, "apple pear apple fig apple pear");
        auto w = NewMain(m_dir);
        auto* results = Child<QPushButton>(*w, "cmdResults");
        QVERIFY(!results->isEnabled());
        DragAndDrop(*w, {QUrl::fromLocalFile(file)});
        QVERIFY(!Child<QLabel>(*w, "lblFilesize")->text().isEmpty());
        Count(*w);
        QTRY_VERIFY(results->isEnabled());
        results->click();
        lxty::app::frmResults* window = w->ResultsWindow();
        QVERIFY(window && window->isVisible());
        auto* grid = Child<QTableView>(*window, "grdResults");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("apple"));
        WriteFile(file,
                  "plum plum cherry"); // the next count's results replace the shown ones
        Count(*w);
        QTRY_COMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("plum"));
        QCOMPARE(Child<QLabel>(*window, "lblStatus")->text(), QStringLiteral("2 of 2 rows"));
    }
};

QTEST_MAIN(TestfrmMain)
#include "TestfrmMain.moc"
