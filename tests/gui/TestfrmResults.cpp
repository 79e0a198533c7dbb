// The results window, the Zipf plot and the concordance, driven by their controls: a header
// click sorts, the filter box narrows the rows and says how many, an export writes the rows
// shown, the plot of a Zipf-distributed text fits a slope of -1, and the concordance of
// a row lists as many occurrences as the row's frequency.

#include "FakeHost.h"
#include "GuiTestSupport.h"
#include "Shots.h"
#include "TempDir.h"
#include "app/frmConcordance.h"
#include "app/frmResults.h"
#include "app/frmZipfPlot.h"
#include "engine/WordTable.h"
#include "run/CountSession.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"

#include <QHeaderView>
#include <QSpinBox>
#include <QTableView>
#include <filesystem>
#include <fstream>

using namespace lxty;
using namespace lxty::app;
using lxty::test::Child;
namespace fs = std::filesystem;

namespace {

// A text whose word i (of 300) occurs round(3000 / i) times.
std::string ZipfText() {
    std::string text;
    for (int i = 1; i <= 300; ++i)
        for (long n = std::lround(3000.0 / i); n > 0; --n)
            text += std::string{'w', char('a' + i % 26), char('a' + i / 26), n % 12 ? ' ' : '\n'};
    return text;
}

struct Counted {
    test::FakeHost host;
    CountSession session{host, fs::path(LXTY_DATA_DIR)};
    test::TempDir dir{"lxty-results"};
    frmResults window{session, fs::path(LXTY_DATA_DIR)};
    explicit Counted(const std::string& text) {
        InitializeRecord(session.settings, session.state);
        session.state.blnStartUpCompleted = true;
        session.settings.SuppressWords = 1;
        std::ofstream(dir / "text.txt", std::ios::binary) << text;
        session.settings.Source = SourceKind::InFile;
        session.settings.File[0] = (dir / "text.txt").u16string();
        session.settings.File[1] = (dir / "report.txt").u16string();
        if (session.Count(CountMode::AllWords) != RunOutcome::Produced)
            qFatal("the count failed");
        window.Reload(CountMode::AllWords);
        window.show();
    }
    QStringList Column(int c) {
        auto* grid = Child<QTableView>(window, "grdResults");
        QStringList cells;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            cells << grid->model()->index(r, c).data().toString();
        return cells;
    }
};

} // namespace

class TestfrmResults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }

    void headerClickSortsAndFilterNarrows() {
        // Words of fewer than three letters are ignored by default; apple's counts as apple.
        Counted c("Pear apple, pear. Plum; pears apple's fig\nfig fig pear x,y quote\n");
        QCOMPARE(c.Column(1), QStringList({"pear", "fig", "apple", "plum", "quote"}));
        QCOMPARE(Child<QLabel>(c.window, "lblStatus")->text(), QStringLiteral("5 of 5 rows"));

        auto* grid = Child<QTableView>(c.window, "grdResults");
        QHeaderView* header = grid->horizontalHeader();
        const auto click = [&](int section) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        click(1); // word, ascending
        QCOMPARE(c.Column(1), QStringList({"apple", "fig", "pear", "plum", "quote"}));
        click(1); // and descending
        QCOMPARE(c.Column(1), QStringList({"quote", "plum", "pear", "fig", "apple"}));
        click(2); // frequency, ascending, ties in rank order
        QCOMPARE(c.Column(2), QStringList({"1", "1", "2", "3", "4"}));
        QCOMPARE(c.Column(1), QStringList({"plum", "quote", "apple", "fig", "pear"}));

        auto* filter = Child<QLineEdit>(c.window, "txtFilter");
        QTest::keyClicks(filter, "p~");
        QCOMPARE(c.Column(1), QStringList({"plum", "pear"}));
        QCOMPARE(Child<QLabel>(c.window, "lblStatus")->text(), QStringLiteral("2 of 5 rows"));
        filter->setText(QStringLiteral("PP"));
        QCOMPARE(c.Column(1), QStringList({"apple"}));
        filter->setText(QStringLiteral("<(>"));
        QCOMPARE(c.Column(1), QStringList());
        QVERIFY(Child<QLabel>(c.window, "lblStatus")->text().startsWith("0 of 5 rows"));
        // Export: the rows shown, in their order, in the engine's CSV (which its tests read back).
        filter->setText(QStringLiteral("p"));
        const QString path = QString::fromStdString((c.dir / "out.csv").string());
        QVERIFY(c.window.ExportTo(path, true));
        QCOMPARE(test::ReadAll(path), "Rank,Word or phrase,Frequency,Relative frequency\n"
                                      "4,plum,1,9.0909%\n3,apple,2,18.1818%\n1,pear,4,36.3636%\n");
        filter->clear();
        QCOMPARE(c.Column(1).size(), 5);

        // Copy: the selected rows, tab-separated under the heading.
        grid->selectRow(0);
        QCOMPARE(c.window.SelectedRowsText(),
                 QStringLiteral("Rank\tWord or phrase\tFrequency\tRelative frequency\n"
                                "4\tplum\t1\t9.0909%\n"));
    }

    void zipfPlotFitsSlopeMinusOne() {
        Counted c(ZipfText());
        frmZipfPlot* plot = c.window.OpenZipfPlot();
        QCOMPARE(plot->Fit().points, std::size_t(300));
        QVERIFY2(std::abs(plot->Fit().slope + 1.0) < 0.02,
                 qPrintable(QString::number(plot->Fit().slope)));
        QVERIFY(plot->Fit().rSquared > 0.99);
        QVERIFY(Child<QLabel>(*plot, "lblFit")->text().startsWith("slope -1.0"));
        for (const char* name : {"plot.png", "plot.svg"}) {
            const QString path = QString::fromStdString((c.dir / name).string());
            QVERIFY(plot->SaveTo(path));
            QVERIFY(QFileInfo(path).size() > 1000);
        }
        test::Shot(c.window, "results");
        test::Shot(*plot, "zipf-plot");
    }

    void concordanceListsAsManyHitsAsTheFrequency() {
        Counted c("The lords said: lord, Lord!\nno lord here\n\nLORDS of the land; landlord\n");
        auto* grid = Child<QTableView>(c.window, "grdResults");
        QCOMPARE(c.Column(1).front(), QStringLiteral("lord"));
        grid->setCurrentIndex(grid->model()->index(0, 1));
        frmConcordance* concordance = c.window.OpenConcordance();
        QVERIFY(concordance);
        QTRY_COMPARE(concordance->Model().rowCount(), 5);
        QTRY_VERIFY(!concordance->Running());
        QStringList matches;
        for (const auto& hit : concordance->Model().Hits())
            matches << QString::fromStdU16String(hit.match) + ":" + QString::number(hit.line);
        QCOMPARE(matches, QStringList({"lords:1", "lord:1", "Lord:1", "lord:2", "LORDS:4"}));
        QCOMPARE(Child<QLabel>(*concordance, "lblStatus")->text(),
                 QStringLiteral("5 of 5 occurrences"));
        test::Shot(*concordance, "concordance");
        // Fewer characters each side, searched again.
        Child<QSpinBox>(*concordance, "spnContext")->setValue(3);
        QCOMPARE(concordance->Find(), RunOutcome::Produced);
        QCOMPARE(QString::fromStdU16String(concordance->Model().Hits()[3].left),
                 QStringLiteral("no "));
        QCOMPARE(QString::fromStdU16String(concordance->Model().Hits()[3].right),
                 QStringLiteral(" he"));
        // Stop, pressed while the search runs: the hits found so far stay.
        c.host.onYield = [&] {
            if (concordance->Model().rowCount() == 2)
                Child<QPushButton>(*concordance, "cmdStop")->click();
        };
        concordance->Find();
        QCOMPARE(concordance->Model().rowCount(), 2);
        QCOMPARE(Child<QLabel>(*concordance, "lblStatus")->text(),
                 QStringLiteral("2 of 5 occurrences (stopped)"));
        QVERIFY(Child<QPushButton>(*concordance, "cmdFind")->isEnabled());
    }
};

QTEST_MAIN(TestfrmResults)
#include "TestfrmResults.moc"
