// The main window's "Results" button and drops: a dropped file or folder becomes the source as
// if chosen with its button (and anything else is refused), and the button opens the results
// of the last count, enabled only once a count has results, following each later count.

#include "GuiTestSupport.h"
#include "app/frmCountWordsPhrases.h"
#include "app/frmMain.h"
#include "app/frmResults.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

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

class TestfrmMainResults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    std::unique_ptr<frmMain> NewWindow() {
        auto w = std::make_unique<frmMain>(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
        w->SetStateFilePath(m_dir.filePath("lxty.usr").toStdString());
        w->SetRestoreStateAtStartUp(false);
        w->SetHelpAtStartUp(false);
        w->show();
        w->StartUp();
        return w;
    }

    void Count(frmMain& w) {
        WhenModal<lxty::app::frmCountWordsPhrases>([](lxty::app::frmCountWordsPhrases* d) {
            d->findChild<QPushButton*>("cmdCountAllWords")->click();
        });
        Child<QPushButton>(w, "cmdCountWords")->click();
    }

private slots:
    void dropsAFileOrAFolderAsTheSource() {
        const QString file = m_dir.filePath("words.txt"), folder = m_dir.filePath("texts");
        WriteFile(file, "alpha beta");
        WriteFile(folder + "/a.txt", "gamma");
        auto w = NewWindow();
        Child<QRadioButton>(*w, "optOnClipboard")->click();

        QCOMPARE(DragAndDrop(*w, {QUrl::fromLocalFile(file)}), std::make_pair(true, true));
        QCOMPARE(w->Record().Source, SourceKind::InFile);
        QCOMPARE(QString::fromStdU16String(w->Record().File[0]), file);
        QVERIFY(Child<QRadioButton>(*w, "optInFile")->isChecked());
        QCOMPARE(Child<QLineEdit>(*w, "txbFile0")->text(), file);
        QVERIFY(!Child<QLabel>(*w, "lblFilesize")->text().isEmpty());

        QCOMPARE(DragAndDrop(*w, {QUrl::fromLocalFile(folder)}), std::make_pair(true, true));
        QCOMPARE(w->Record().Source, SourceKind::Folder);
        QCOMPARE(QString::fromStdU16String(w->Record().Folder), folder);
        QVERIFY(Child<QRadioButton>(*w, "optFolder")->isChecked());
        QCOMPARE(Child<QLineEdit>(*w, "txbFolder")->text(), folder);

        // Two files, a web address, a path that is gone: refused, the source stays.
        for (const QList<QUrl>& urls :
             {QList<QUrl>{QUrl::fromLocalFile(file), QUrl::fromLocalFile(folder)},
              QList<QUrl>{QUrl(QStringLiteral("https://example.org/a.txt"))},
              QList<QUrl>{QUrl::fromLocalFile(m_dir.filePath("gone.txt"))}})
            QCOMPARE(DragAndDrop(*w, urls), std::make_pair(false, false));
        QCOMPARE(w->Record().Source, SourceKind::Folder);
        QCOMPARE(QString::fromStdU16String(w->Record().Folder), folder);
    }

    void resultsButtonFollowsTheCounts() {
        const QString file = m_dir.filePath("count.txt");
        WriteFile(file, "apple pear apple fig apple pear");
        auto w = NewWindow();
        auto* results = Child<QPushButton>(*w, "cmdResults");
        QVERIFY(!results->isEnabled());
        QVERIFY(!results->accessibleName().isEmpty());
        DragAndDrop(*w, {QUrl::fromLocalFile(file)});
        Count(*w);
        QTRY_VERIFY(results->isEnabled());
        results->click();
        lxty::app::frmResults* window = w->ResultsWindow();
        QVERIFY(window && window->isVisible());
        auto* grid = Child<QTableView>(*window, "grdResults");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("apple"));

        // The next count's results replace the shown ones.
        WriteFile(file, "plum plum cherry");
        Count(*w);
        QTRY_COMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("plum"));
        QCOMPARE(Child<QLabel>(*window, "lblStatus")->text(), QStringLiteral("2 of 2 rows"));
    }
};

QTEST_MAIN(TestfrmMainResults)
#include "TestfrmMainResults.moc"
