// The main window: start-up with and without its numbered texts, the source controls and
// their enabling, counting a chosen file into the text window, relisting after a display
// change, the count-choice dialog, a folder's file list, and saving the state on quitting.
// Modal dialogs are answered from the event loop by a poll that finds them by type.

#include "app/frmCountWordsPhrases.h"
#include "app/frmMain.h"
#include "app/frmPopUp.h"
#include "engine/WordTable.h"
#include "settings/SavedState.h"
#include "util/Catalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "GuiTestSupport.h"

#include <functional>

namespace {

using lxty::app::frmMain;
using namespace lxty::test;

QString Output(frmMain& w) {
    return Child<QPlainTextEdit>(w, "txbOutput")->toPlainText();
}

} // namespace

class TestfrmMain : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The saved state file in the test's folder, where the program would keep it.
    std::filesystem::path StateFile() const {
        return lxty::DefaultStateFilePath(std::filesystem::path(m_dir.path().toStdString()));
    }

    // A started main window whose saved state lives in the test's own folder.
    std::unique_ptr<frmMain> NewWindow(bool restore = false) {
        auto w = std::make_unique<frmMain>(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
        w->SetStateFilePath(StateFile());
        w->SetRestoreStateAtStartUp(restore);
        w->SetHelpAtStartUp(false);
        w->show();
        w->StartUp();
        return w;
    }

    // Chooses path through the "Single file" button and its open dialog.
    void ChooseInputFile(frmMain& w, const QString& path) {
        Child<QRadioButton>(w, "optInFile")->click();
        WhenModal<QFileDialog>([path](QFileDialog* d) { AcceptFileDialog(d, path); });
        Child<QPushButton>(w, "cmdFile0")->click();
    }

    // Presses the count button and answers the count choice with the named button.
    void Count(frmMain& w, const char* choice) {
        const QString name = QString::fromLatin1(choice);
        WhenModal<lxty::app::frmCountWordsPhrases>([name](lxty::app::frmCountWordsPhrases* d) {
            d->findChild<QPushButton*>(name)->click();
        });
        Child<QPushButton>(w, "cmdCountWords")->click();
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void startsWithTheShippedCatalogue() {
        auto w = NewWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("Lexitally"));
        QVERIFY(w->CatalogueResult().Loaded());
        QVERIFY(w->State().blnStartUpCompleted);
        QCOMPARE(Child<QLabel>(*w, "lblSelectSource")->text(),
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::SourceOfText)));
        QCOMPARE(Child<QPushButton>(*w, "cmdCountWords")->text(),
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::CountWordsPhrases)));
        // The two display lists hold the catalogue's entries, the first selected.
        auto* order = Child<QComboBox>(*w, "cboWordOrder");
        auto* format = Child<QComboBox>(*w, "cboDisplayFormat");
        QCOMPARE(order->count(), 2);
        QCOMPARE(order->itemText(1), QStringLiteral("Alphabetical"));
        QCOMPARE(format->count(), 14);
        QCOMPARE(format->itemText(0), QStringLiteral("Rank, frequency, word"));
        QCOMPARE(format->itemText(13),
                 QStringLiteral("Word and the files containing it, with frequency in each"));
        QCOMPARE(format->currentIndex(), 0);
        QVERIFY(Child<QPlainTextEdit>(*w, "txbOutput")->isReadOnly());
        const QFontMetrics fixed(Child<QPlainTextEdit>(*w, "txbOutput")->font());
        QCOMPARE(fixed.horizontalAdvance(QLatin1Char('i')),
                 fixed.horizontalAdvance(QLatin1Char('W')));
    }

    void reportsAMissingCatalogue() {
        frmMain w(QStringLiteral("/nonexistent-folder/lxty.dat"));
        w.SetRestoreStateAtStartUp(false);
        w.SetHelpAtStartUp(false);
        w.SetStateFilePath(StateFile());
        w.show();
        QString shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            icon = box->icon();
            box->accept();
        });
        w.StartUp();
        QCOMPARE(w.CatalogueResult().Code(), -1);
        QCOMPARE(shown,
                 QStringLiteral(
                     "Cannot open file containing program text.\n/nonexistent-folder/lxty.dat"));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(w.State().blnStartUpCompleted); // start-up goes on after the message
    }

    // Each source enables its own controls only; the folder's exclusion box shows only for a
    // folder source; "Disable" needs a named output file.
    void sourceChoiceEnablesItsControls() {
        auto w = NewWindow();
        struct Case {
            const char* option;
            bool file;
            bool folder;
        };
        const Case cases[] = {{"optOnClipboard", false, false},
                              {"optInFile", true, false},
                              {"optFolder", false, true},
                              {"optOnClipboard", false, false}};
        for (const Case& c : cases) {
            Child<QRadioButton>(*w, c.option)->click();
            w->Refresh();
            QVERIFY2(Child<QRadioButton>(*w, c.option)->isChecked(), c.option);
            QCOMPARE(Child<QPushButton>(*w, "cmdFile0")->isEnabled(), c.file);
            QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->isEnabled(), c.file);
            QCOMPARE(Child<QPushButton>(*w, "cmdFolder")->isEnabled(), c.folder);
            QCOMPARE(Child<QLineEdit>(*w, "txbFolder")->isEnabled(), c.folder);
            QCOMPARE(Child<QCheckBox>(*w, "chkIncludeSubfolders")->isEnabled(), c.folder);
            QCOMPARE(Child<QLineEdit>(*w, "txbFileFilepathSpecifications0")->isEnabled(), c.folder);
            QCOMPARE(Child<QLineEdit>(*w, "txbFileFilepathSpecifications1")->isVisible(), c.folder);
            QCOMPARE(Child<QPushButton>(*w, "cmdListFiles")->isEnabled(), c.folder);
            QCOMPARE(Child<QPushButton>(*w, "cmdFile1")->isEnabled(), true);
        }
        // No output file: "Disable" is cleared and cannot be used.
        auto* disable = Child<QCheckBox>(*w, "chkDisableOutputToFile");
        QVERIFY(!disable->isEnabled());
        QVERIFY(!disable->isChecked());
        auto* output = Child<QLineEdit>(*w, "txbFile1");
        QTest::keyClicks(output, m_dir.filePath("out.txt"));
        QVERIFY(disable->isEnabled());
        disable->click();
        QCOMPARE(w->Record().DisableOutputToFile, 1);
        Child<QPushButton>(*w, "cmdClearFile1")->click();
        QVERIFY(output->text().isEmpty());
        QVERIFY(!disable->isEnabled());
        QVERIFY(!disable->isChecked());
        QCOMPARE(w->Record().DisableOutputToFile, 0);
    }

    // "Display relative frequency" can be used only with formats that show a frequency;
    // "Sort by number of files" only for a folder, by frequency, with the file-count format.
    void displayOptionsFollowTheirDependencies() {
        auto w = NewWindow();
        auto* relative = Child<QCheckBox>(*w, "chkDisplayRelativeFrequency");
        auto* byFiles = Child<QCheckBox>(*w, "chkSortByNumberOfFiles");
        auto* format = Child<QComboBox>(*w, "cboDisplayFormat");
        auto* order = Child<QComboBox>(*w, "cboWordOrder");
        const bool relativeFormats[14] = {true, true,  true,  false, true, true,  false,
                                          true, false, false, false, true, false, true};
        Child<QRadioButton>(*w, "optFolder")->click();
        for (int f = 0; f < 14; ++f) {
            format->setCurrentIndex(f);
            QCOMPARE(w->Record().DisplayFormat, f);
            QVERIFY2(relative->isEnabled() == relativeFormats[f], qPrintable(QString::number(f)));
            QCOMPARE(byFiles->isEnabled(), f == 13);
        }
        // Format 13 and a folder: the sort by files can be chosen, and is dropped again when
        // the order or the source no longer allows it.
        byFiles->click();
        QCOMPARE(w->Record().SortByNumberOfFiles, 1);
        order->setCurrentIndex(1);
        QVERIFY(!byFiles->isEnabled());
        QVERIFY(!byFiles->isChecked());
        QCOMPARE(w->Record().SortByNumberOfFiles, 0);
        order->setCurrentIndex(0);
        byFiles->click();
        Child<QRadioButton>(*w, "optInFile")->click();
        QVERIFY(!byFiles->isEnabled());
        QCOMPARE(w->Record().SortByNumberOfFiles, 0);
    }

    // The "Output file" button: a file inside the folder to be scanned is refused; one
    // outside becomes the output file and makes "Disable" usable.
    void choosingTheOutputFile() {
        const QString folder = m_dir.filePath("scanned");
        WriteFile(folder + "/a.txt", "alpha\n");
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFolder"), folder);
        auto* box = Child<QLineEdit>(*w, "txbFile1");
        auto* disable = Child<QCheckBox>(*w, "chkDisableOutputToFile");

        QString refusal;
        QString refusalTitle;
        const QString inside = folder + "/sub/out.txt";
        QDir().mkpath(folder + "/sub");
        WhenModal<QFileDialog>([inside](QFileDialog* d) { AcceptFileDialog(d, inside); });
        WhenModal<QMessageBox>([&](QMessageBox* b) {
            refusal = b->text();
            refusalTitle = b->windowTitle();
            b->accept();
        });
        Child<QPushButton>(*w, "cmdFile1")->click();
        QCOMPARE(refusalTitle, QStringLiteral("Invalid output file"));
        QVERIFY2(refusal.startsWith(
                     QStringLiteral("The output file cannot be in the folder or a subfolder")),
                 qPrintable(refusal));
        QCOMPARE(box->text(), QString());
        QVERIFY(!disable->isEnabled());

        const QString outside = m_dir.filePath("chosen-out.txt");
        WhenModal<QFileDialog>([outside](QFileDialog* d) { AcceptFileDialog(d, outside); });
        Child<QPushButton>(*w, "cmdFile1")->click();
        QCOMPARE(box->text(), outside);
        QCOMPARE(w->Record().File[1], outside.toStdU16String());
        QVERIFY(disable->isEnabled());
        QVERIFY(!disable->isChecked());
    }

    // The "Folder" button: the chosen folder goes into the folder box, the result figures are
    // erased and output to the file is switched off until asked for again.
    void choosingAFolder() {
        const QString folder = m_dir.filePath("chosen-folder");
        QDir().mkpath(folder);
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFile1"), m_dir.filePath("folder-out.txt"));
        w->TheHost().SetLabel("lblNumberOfWords", u"Number of words in this list: 4");
        w->TheHost().SetLabel("lblTimeElapsed", u"Time elapsed: 3s");
        WhenModal<QFileDialog>([folder](QFileDialog* d) { AcceptFileDialog(d, folder); });
        Child<QPushButton>(*w, "cmdFolder")->click();
        QCOMPARE(Child<QLineEdit>(*w, "txbFolder")->text(), folder);
        QCOMPARE(w->Record().Folder, folder.toStdU16String());
        QCOMPARE(Child<QLabel>(*w, "lblNumberOfWords")->text(), QString());
        QCOMPARE(Child<QLabel>(*w, "lblTimeElapsed")->text(), QString());
        QVERIFY(Child<QCheckBox>(*w, "chkDisableOutputToFile")->isChecked());
        QCOMPARE(w->Record().DisableOutputToFile, 1);
    }

    // The file and folder texts survive a change of source.
    void sourceChoiceKeepsTheFileAndFolderTexts() {
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optInFile")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFile0"), QStringLiteral("/a/file.txt"));
        Child<QRadioButton>(*w, "optFolder")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFolder"), QStringLiteral("/a/folder"));
        Child<QRadioButton>(*w, "optOnClipboard")->click();
        Child<QRadioButton>(*w, "optInFile")->click();
        QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->text(), QStringLiteral("/a/file.txt"));
        Child<QRadioButton>(*w, "optFolder")->click();
        QCOMPARE(Child<QLineEdit>(*w, "txbFolder")->text(), QStringLiteral("/a/folder"));
        QCOMPARE(w->Record().Folder, std::u16string(u"/a/folder"));
        QCOMPARE(w->Record().File[0], std::u16string(u"/a/file.txt"));
    }

    void countingAChosenFileListsItsWords() {
        const QString file = m_dir.filePath("cats.txt");
        WriteFile(file, "the cat and the dog\nthe cat\n");
        auto w = NewWindow();
        ChooseInputFile(*w, file);
        QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->text(), file);
        QCOMPARE(Child<QLabel>(*w, "lblFilesize")->text(), QStringLiteral("Filesize: 28 bytes"));

        Count(*w, "cmdCountAllWords");
        QTRY_VERIFY(!w->Run().IsRunning());
        QCOMPARE(Output(*w), QStringLiteral("     Rank      Freq  Word [longest has 3 characters]\n"
                                            "        1         3  the\n"
                                            "        2         2  cat\n"
                                            "        3         1  and\n"
                                            "        4         1  dog\n"));
        QCOMPARE(Child<QPushButton>(*w, "cmdCountWords")->text(),
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::CountWordsPhrases)));
        QVERIFY(!Child<QLabel>(*w, "lblNumberOfWords")->text().isEmpty());
        QVERIFY(Child<QRadioButton>(*w, "optFolder")->isEnabled()); // enabled again

        // A new display format relists the same count at once.
        Child<QComboBox>(*w, "cboDisplayFormat")->setCurrentIndex(7); // word, frequency
        QCOMPARE(Output(*w), QStringLiteral("  Word         Freq\n"
                                            "  the             3\n"
                                            "  cat             2\n"
                                            "  and             1\n"
                                            "  dog             1\n"));
        // So does the order.
        Child<QComboBox>(*w, "cboWordOrder")->setCurrentIndex(1);
        QCOMPARE(Output(*w), QStringLiteral("  Word         Freq\n"
                                            "  and             1\n"
                                            "  cat             2\n"
                                            "  dog             1\n"
                                            "  the             3\n"));
        // And relative frequencies (count x 100 / 7 occurrences).
        Child<QCheckBox>(*w, "chkDisplayRelativeFrequency")->click();
        QCOMPARE(Output(*w), QStringLiteral("  Word     Rel freq\n"
                                            "  and        14.29%\n"
                                            "  cat        28.57%\n"
                                            "  dog        14.29%\n"
                                            "  the        42.86%\n"));

        // The count choice is ready for the next count.
        bool allWordsEnabled = false;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            allWordsEnabled = d->findChild<QPushButton*>("cmdCountAllWords")->isEnabled();
            d->close(); // the close box
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        QVERIFY(allWordsEnabled);
    }

    // Without count-only entries only "Count all words" can count; "Cancel" and the close
    // box leave everything as it was.
    void countChoiceCancelDoesNothing() {
        const QString file = m_dir.filePath("cancel.txt");
        WriteFile(file, "one two\n");
        auto w = NewWindow();
        ChooseInputFile(*w, file);
        for (const bool closeBox : {false, true}) {
            bool specifiedEnabled = true;
            bool fileListVisible = true;
            QString intro;
            WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
                specifiedEnabled =
                    d->findChild<QPushButton*>("cmdCountSpecifiedWordsPhrases")->isEnabled();
                fileListVisible = d->findChild<QCheckBox*>("chkFileList")->isVisible();
                intro = d->findChild<QLabel*>("lblIntro")->text();
                if (closeBox)
                    d->close();
                else
                    d->findChild<QPushButton*>("cmdCancel")->click();
            });
            Child<QPushButton>(*w, "cmdCountWords")->click();
            QVERIFY(!specifiedEnabled);
            QVERIFY(!fileListVisible); // a single file has no file list
            QVERIFY(intro.startsWith(
                QStringLiteral("The 'Settings' window currently states that all words")));
            QVERIFY(!w->Run().ResultsAvailable());
            QCOMPARE(Output(*w), QString());
            QCOMPARE(Child<QLabel>(*w, "lblTimeElapsed")->text(), QString());
        }
    }

    // For a folder, the file-list box of the count choice borrows the file-list format and
    // gives the kept one back when it is cleared.
    void countChoiceFileListBoxRestoresTheFormat() {
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        Child<QComboBox>(*w, "cboDisplayFormat")->setCurrentIndex(3);
        int whileChecked = -1;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            auto* box = d->findChild<QCheckBox*>("chkFileList");
            QVERIFY(box->isVisible());
            box->click();
            whileChecked = Child<QComboBox>(*w, "cboDisplayFormat")->currentIndex();
            box->click();
            d->findChild<QPushButton*>("cmdCancel")->click();
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        QCOMPARE(whileChecked, 11);
        QCOMPARE(Child<QComboBox>(*w, "cboDisplayFormat")->currentIndex(), 3);
        QCOMPARE(w->Record().DisplayFormat, 3);
    }

    void folderFileList() {
        const QString folder = m_dir.filePath("corpus");
        WriteFile(folder + "/b.txt", "beta beta\n");
        WriteFile(folder + "/a.txt", "alpha\n");
        WriteFile(folder + "/sub/c.txt", "gamma gamma gamma\n");
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFolder"), folder);
        Child<QCheckBox>(*w, "chkIncludeSubfolders")->click();
        Child<QPushButton>(*w, "cmdListFiles")->click();
        const QString expected = QStringLiteral("{Folder} = %1\n\n"
                                                "{Folder}/a.txt [6 bytes]\n"
                                                "{Folder}/b.txt [10 bytes]\n"
                                                "{Folder}/sub/c.txt [18 bytes]\n\n"
                                                "3 files in 2 folders will be scanned.\n")
                                     .arg(folder);
        QCOMPARE(Output(*w), expected);

        // Without subfolders the walk stays in the folder.
        Child<QCheckBox>(*w, "chkIncludeSubfolders")->click();
        Child<QPushButton>(*w, "cmdListFiles")->click();
        QCOMPARE(Output(*w), QStringLiteral("{Folder} = %1\n\n"
                                            "{Folder}/a.txt [6 bytes]\n"
                                            "{Folder}/b.txt [10 bytes]\n\n"
                                            "2 files in 1 folder will be scanned.\n")
                                 .arg(folder));
    }

    // While a count runs the count button is the Stop request and the settings are locked;
    // a stopped count offers its partial list and puts everything back.
    void theCountButtonStopsARun() {
        const QString file = m_dir.filePath("long.txt");
        WriteFile(file, QByteArray("alpha beta gamma\n").repeated(800000));
        auto w = NewWindow();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFile1"), m_dir.filePath("long-out.txt"));
        ChooseInputFile(*w, file);

        QString runningCaption;
        bool sourceLocked = false;
        bool outputLocked = false;
        QString question;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            d->findChild<QPushButton*>("cmdCountAllWords")->click();
        });
        auto* poll = new QTimer(this);
        poll->setInterval(5);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            // Stop once the words are in the table, so there is a partial list to offer.
            if (!w->Run().IsRunning() || w->Table().Size() < 3)
                return;
            poll->stop();
            auto* count = Child<QPushButton>(*w, "cmdCountWords");
            runningCaption = count->text();
            sourceLocked = !Child<QRadioButton>(*w, "optFolder")->isEnabled();
            outputLocked = !Child<QPushButton>(*w, "cmdFile1")->isEnabled();
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                box->button(QMessageBox::No)->click();
            });
            count->click();
        });
        poll->start();
        Child<QPushButton>(*w, "cmdCountWords")->click();
        delete poll;

        QCOMPARE(runningCaption,
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::StopCounting)));
        QVERIFY(sourceLocked);
        QVERIFY(outputLocked);
        QCOMPARE(question, QStringLiteral("The operation was stopped before all words were "
                                          "counted.\nDo you wish to list those which were "
                                          "found?"));
        QVERIFY(!w->Run().IsRunning());
        QCOMPARE(Output(*w), QStringLiteral("Now counting all words in\n%1\n\n"
                                            "Stopped with 3 words found.")
                                 .arg(file));
        QCOMPARE(Child<QPushButton>(*w, "cmdCountWords")->text(),
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::CountWordsPhrases)));
        QVERIFY(Child<QRadioButton>(*w, "optFolder")->isEnabled());
        QVERIFY(Child<QPushButton>(*w, "cmdFile1")->isEnabled());
    }

    // Closing the window during a count asks the count to stop; the window closes once the
    // count has ended.
    void closingDuringACountStopsItFirst() {
        const QString file = m_dir.filePath("long2.txt");
        WriteFile(file, QByteArray("alpha beta gamma\n").repeated(800000));
        auto w = NewWindow();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFile1"), m_dir.filePath("long2-out.txt"));
        ChooseInputFile(*w, file);
        bool closedWhileRunning = true;
        WhenModal<lxty::app::frmCountWordsPhrases>([&](lxty::app::frmCountWordsPhrases* d) {
            d->findChild<QPushButton*>("cmdCountAllWords")->click();
        });
        auto* poll = new QTimer(this);
        poll->setInterval(5);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            if (!w->Run().IsRunning() || w->Table().Size() < 3)
                return;
            poll->stop();
            WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
            closedWhileRunning = w->close();
        });
        poll->start();
        Child<QPushButton>(*w, "cmdCountWords")->click();
        delete poll;
        QVERIFY(!closedWhileRunning);
        QVERIFY(!w->Run().IsRunning());
        QTRY_VERIFY(!w->isVisible());
    }

    // "Save settings" confirms in a pop-up beside the button that vanishes by itself.
    void saveSettingsConfirmsInAPopUp() {
        QFile::remove(QString::fromStdString(StateFile().string()));
        auto w = NewWindow();
        Child<QPushButton>(*w, "cmdSaveState")->click();
        QVERIFY(QFile::exists(QString::fromStdString(StateFile().string())));
        auto* popUp = w->findChild<lxty::app::frmPopUp*>("frmPopUp");
        QVERIFY(popUp != nullptr);
        QVERIFY(popUp->isVisible());
        QCOMPARE(popUp->findChild<QLabel*>("lblMessage")->text(),
                 QString::fromStdU16String(lxty::GetText(lxty::TextId::SettingsSaved)));
        QCOMPARE(popUp->intInterval, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!popUp->isVisible(), 4000);
    }

    // A start without a words-to-ignore file offers the English common words; accepted, a
    // count leaves them out.
    void firstRunOffersTheCommonWords() {
        QFile::remove(QString::fromStdString(StateFile().string()));
        const QString file = m_dir.filePath("common.txt");
        WriteFile(file, "the cat and the dog\nthe cat\n");
        QString offer;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            offer = box->windowTitle();
            box->button(QMessageBox::Yes)->click();
        });
        auto w = NewWindow(true);
        QCOMPARE(offer, QString::fromStdU16String(lxty::GetText(lxty::TextId::FirstRunTitle)));
        QCOMPARE(w->Record().WordsFile[0].paths.size(), std::size_t(1));
        QVERIFY(w->State().blnThereAreWordsToIgnore);

        ChooseInputFile(*w, file);
        Count(*w, "cmdCountAllWords");
        QCOMPARE(Output(*w), QStringLiteral("     Rank      Freq  Word [longest has 3 characters]\n"
                                            "        1         2  cat\n"
                                            "        2         1  dog\n"));
    }

    // The clipboard is counted as one piece of text.
    void countingTheClipboard() {
        QApplication::clipboard()->setText(QStringLiteral("Red green red blue RED"));
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optOnClipboard")->click();
        Count(*w, "cmdCountAllWords");
        QCOMPARE(Output(*w), QStringLiteral("     Rank      Freq  Word [longest has 5 characters]\n"
                                            "        1         3  red\n"
                                            "        2         1  blue\n"
                                            "        3         1  green\n"));
    }

    // A folder count with the count choice's file-list box lists each word with the number of
    // files that contain it, in the text window and in the output file.
    void folderCountWithTheFileList() {
        const QString folder = m_dir.filePath("pair");
        WriteFile(folder + "/a.txt", "beta alpha\n");
        WriteFile(folder + "/b.txt", "beta\n");
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optFolder")->click();
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFolder"), folder);
        // A folder run needs an output file, outside the folder.
        QTest::keyClicks(Child<QLineEdit>(*w, "txbFile1"), m_dir.filePath("pair-out.txt"));
        WhenModal<lxty::app::frmCountWordsPhrases>([](lxty::app::frmCountWordsPhrases* d) {
            d->findChild<QCheckBox*>("chkFileList")->click();
            d->findChild<QPushButton*>("cmdCountAllWords")->click();
        });
        Child<QPushButton>(*w, "cmdCountWords")->click();
        QCOMPARE(Child<QComboBox>(*w, "cboDisplayFormat")->currentIndex(), 11);
        QCOMPARE(Output(*w), QStringLiteral("2 files (in 1 folder) were scanned.\n\n"
                                            "  Word         Freq  Files\n"
                                            "  beta            2     2\n"
                                            "  alpha           1     1\n"));
        QFile out(m_dir.filePath("pair-out.txt"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(out.readAll()),
                 QStringLiteral("Folder: %1\n"
                                "2 files (in 1 folder) were scanned.\n\n\n"
                                "Word    \t    Freq\t Files\n"
                                "beta    \t       2\t    2\n"
                                "alpha   \t       1\t    1\n")
                     .arg(folder));
    }

    // A saved state that cannot be read, whose reset the person declines, is not overwritten
    // on quitting even when it asked to be saved then.
    void aFaultyStateDeclinedIsLeftAlone() {
        const QString state = QString::fromStdString(StateFile().string());
        lxty::Settings saved;
        saved.SaveStateOnQuit = 1;
        QByteArray bytes = QByteArray::fromStdString(lxty::FormatSavedState(saved));
        // The first check box line (a 0) becomes something no field can hold.
        const qsizetype zero = bytes.indexOf("\n0\n");
        QVERIFY(zero >= 0);
        bytes.replace(zero + 2, 1, "not a number");
        WriteFile(state, bytes);
        QString question;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
            // Then the first-run offer of the common words.
            WhenModal<QMessageBox>(
                [](QMessageBox* next) { next->button(QMessageBox::No)->click(); });
        });
        auto w = NewWindow(true);
        QVERIFY2(question.contains(QStringLiteral("Invalid data")), qPrintable(question));
        QCOMPARE(w->Record().SaveStateOnQuit, 0);
        QVERIFY(w->close());
        QFile f(state);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
    }

    void quittingSavesTheStateOnlyWhenAsked() {
        const QString state = QString::fromStdString(StateFile().string());
        QFile::remove(state);
        {
            auto w = NewWindow();
            w->Record().SaveStateOnQuit = 0;
            QVERIFY(w->close());
        }
        QVERIFY(!QFile::exists(state));
        {
            auto w = NewWindow();
            Child<QComboBox>(*w, "cboWordOrder")->setCurrentIndex(1);
            w->Record().SaveStateOnQuit = 1;
            QVERIFY(w->close());
        }
        QVERIFY(QFile::exists(state));
        // The next start finds the saved order (the first-run offer of the common words is
        // declined).
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        auto w = NewWindow(true);
        QCOMPARE(Child<QComboBox>(*w, "cboWordOrder")->currentIndex(), 1);
    }
};

QTEST_MAIN(TestfrmMain)
#include "TestfrmMain.moc"
