// The pop-up: placed and sized from twips, shown in front without a frame, grown to its text,
// replaced by the next pop-up, hidden after its interval or when clicked.

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

    void showsGrowsIsReplacedAndVanishes() {
        frmPopUp p;
        p.PopUp(QStringLiteral("A rather longer confirmation than the width allows"), 300, 300, 100,
                0, 0);
        auto* label = p.findChild<QLabel*>("lblMessage");
        QVERIFY(p.width() >= label->sizeHint().width()); // a narrow pop-up shows its whole text
        // The next one replaces it, with its own place and interval.
        p.PopUp(QStringLiteral("Program reinitialized"), 2400, 300, 700, 1500, 3000);
        QTest::qWait(300);
        QVERIFY(p.isVisible() && (p.windowFlags() & Qt::FramelessWindowHint));
        QCOMPARE(label->text(), QStringLiteral("Program reinitialized"));
        QCOMPARE(p.strMessage, label->text());
        QCOMPARE(p.pos(), QPoint(200, 100));
        QVERIFY(p.width() >= 160 && p.height() >= 20);
        QTRY_VERIFY_WITH_TIMEOUT(!p.isVisible(), 2000);
        p.PopUp(QStringLiteral("Settings saved"), 2400, 300, 60000, 0, 0);
        QTest::mouseClick(&p, Qt::LeftButton);
        QVERIFY(!p.isVisible());
    }

    void placedRelativeToAWindow() {
        QWidget form;
        form.move(300, 200);
        form.resize(200, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        frmPopUp p;
        p.PopUpInForm(&form, QStringLiteral("Settings saved"), 2400, 300, 1000, 150, 300);
        QCOMPARE(p.pos(), form.mapToGlobal(QPoint(0, 0)) + QPoint(20, 10));
    }
};

QTEST_MAIN(TestfrmPopUp)
#include "TestfrmPopUp.moc"
