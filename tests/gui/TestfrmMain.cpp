// The main window starts, loads the numbered texts beside it, and reports a catalogue that
// cannot be opened in a critical message box that names the file.

#include "app/frmMain.h"
#include "util/Catalogue.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

class TestfrmMain : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheShippedCatalogue() {
        lxty::app::frmMain w(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
        w.show();
        w.StartUp();
        QCOMPARE(w.windowTitle(), QStringLiteral("Lexitally"));
        QVERIFY(w.CatalogueResult() > 0);
        QVERIFY(w.State().blnStartUpCompleted);
        QVERIFY(w.findChild<QPlainTextEdit*>("txbOutput") != nullptr);
        QVERIFY(!lxty::GetText(25).empty());
    }

    void reportsAMissingCatalogue() {
        lxty::app::frmMain w(QStringLiteral("/nonexistent-folder/lxty.dat"));
        w.show();
        QString shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // The message box is modal: read and close it from the event loop.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                icon = box->icon();
                box->accept();
            }
        });
        w.StartUp();
        QCOMPARE(w.CatalogueResult(), -1);
        QCOMPARE(shown, QStringLiteral(
                            "Cannot open file containing program text.\n/nonexistent-folder/lxty.dat"));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(w.State().blnStartUpCompleted); // start-up goes on after the message
    }
};

QTEST_MAIN(TestfrmMain)
#include "TestfrmMain.moc"
