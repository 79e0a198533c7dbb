// The pop-up: placed and sized from twips, shown in front without a frame, hidden after its
// interval or when clicked, and replaced by the next pop-up.

#include "app/frmPopUp.h"

#include <QLabel>
#include <QtTest>

using lxty::app::frmPopUp;
using lxty::app::TwipsToPixels;

class TestfrmPopUp : public QObject {
    Q_OBJECT
private slots:
    // 15 twips a pixel, rounded to the nearest.
    void twipsToPixels() {
        const std::pair<int, int> cases[] = {{0, 0},  {15, 1},   {22, 1},
                                             {23, 2}, {300, 20}, {2400, 160}};
        for (const auto& [twips, pixels] : cases)
            QCOMPARE(TwipsToPixels(twips), pixels);
    }

    void showsAndVanishesAfterItsInterval() {
        frmPopUp p;
        p.PopUp(QStringLiteral("Program reinitialized"), 2400, 300, 200, 1500, 3000);
        QVERIFY(p.isVisible());
        QCOMPARE(p.findChild<QLabel*>("lblMessage")->text(),
                 QStringLiteral("Program reinitialized"));
        QCOMPARE(p.strMessage, QStringLiteral("Program reinitialized"));
        QCOMPARE(p.pos(), QPoint(200, 100));
        QVERIFY(p.width() >= 160);
        QVERIFY(p.height() >= 20);
        QVERIFY(p.windowFlags() & Qt::FramelessWindowHint);
        QTRY_VERIFY_WITH_TIMEOUT(!p.isVisible(), 2000);
    }

    // A narrow pop-up still shows its whole text.
    void growsToItsText() {
        frmPopUp p;
        p.PopUp(QStringLiteral("A rather longer confirmation than the width allows"), 300, 300,
                1000, 0, 0);
        const QLabel* label = p.findChild<QLabel*>("lblMessage");
        QVERIFY(p.width() >= label->sizeHint().width());
    }

    void aClickHidesIt() {
        frmPopUp p;
        p.PopUp(QStringLiteral("Settings saved"), 2400, 300, 60000, 0, 0);
        QVERIFY(p.isVisible());
        QTest::mouseClick(&p, Qt::LeftButton);
        QVERIFY(!p.isVisible());
    }

    // A new pop-up replaces the one on show, with its own interval.
    void aNewPopUpReplacesTheOld() {
        frmPopUp p;
        p.PopUp(QStringLiteral("first"), 2400, 300, 100, 0, 0);
        p.PopUp(QStringLiteral("second"), 2400, 300, 60000, 150, 150);
        QCOMPARE(p.findChild<QLabel*>("lblMessage")->text(), QStringLiteral("second"));
        QTest::qWait(300);
        QVERIFY(p.isVisible()); // the first one's interval no longer applies
        QCOMPARE(p.pos(), QPoint(10, 10));
    }

    void placedRelativeToAWindow() {
        QWidget form;
        form.move(300, 200);
        form.resize(200, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        frmPopUp p;
        p.PopUpInForm(&form, QStringLiteral("Settings saved"), 2400, 300, 1000, 150, 300);
        const QPoint origin = form.mapToGlobal(QPoint(0, 0));
        QCOMPARE(p.pos(), origin + QPoint(20, 10));
    }
};

QTEST_MAIN(TestfrmPopUp)
#include "TestfrmPopUp.moc"
