// The all-phrases and count-array windows, found by object name and driven as a person
// would: their results equal lexitally-cli's with the same settings, byte for byte; the
// filter box is parsed on leaving it; the window's checks keep it open.

#include "FakeHost.h"
#include "Shots.h"
#include "TempDir.h"
#include "app/frmCountAllPhrases.h"
#include "app/frmCountArray.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

using namespace lxty;
using namespace lxty::app;
namespace fs = std::filesystem;

namespace {

QByteArray ReadAll(const fs::path& p) {
    QFile f(QString::fromStdString(p.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// lexitally-cli with the arguments; its exit status.
int Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(LXTY_CLI), args);
    p.waitForFinished(60000);
    return p.exitCode();
}

// A session set up as both programs set theirs up.
struct Session {
    test::FakeHost host;
    CountSession session{host, fs::path(LXTY_DATA_DIR)};
    Session() {
        InitializeRecord(session.settings, session.state);
        session.state.blnStartUpCompleted = true;
    }
};

const char* kText = "the red car and the red car and the blue car. the red car stops\n"
                    "and the blue car goes, the red car and the blue car\n";

} // namespace

class TestfrmCountAllPhrases : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }

    void phrasesFromTheWindowEqualTheCommandLine_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("mode");
        QTest::newRow("no filter") << ""
                                   << "";
        QTest::newRow("filter, same order") << "Red, Car!"
                                            << "optIncludeAllWordsInSameOrder";
        QTest::newRow("filter, subphrase") << "blue car"
                                           << "optIncludeAllWordsAsSubphrase";
    }
    void phrasesFromTheWindowEqualTheCommandLine() {
        QFETCH(QString, filter);
        QFETCH(QString, mode);
        test::TempDir dir("lxty-gui-phrases");
        Write(dir / "in.txt", kText);
        Session s;
        s.session.settings.Source = SourceKind::InFile;
        s.session.settings.File[0] = (dir / "in.txt").u16string();
        s.session.settings.File[1] = (dir / "window.txt").u16string();
        frmCountAllPhrases w(s.session);
        w.show();
        QVERIFY(w.findChild<QLabel*>("lblIntro")->text().startsWith("This operation counts"));
        w.findChild<QComboBox*>("cboPhraseLength0")->setCurrentIndex(1); // 2 words
        w.findChild<QComboBox*>("cboPhraseLength1")->setCurrentIndex(3); // 4 words
        w.findChild<QComboBox*>("cboMinimumFrequency")->setCurrentIndex(1);
        if (!mode.isEmpty())
            w.findChild<QRadioButton*>(mode)->setChecked(true);
        auto* box = w.findChild<QLineEdit*>("txbFilterWords");
        box->setFocus();
        QTest::keyClicks(box, filter);
        QTest::keyClick(box, Qt::Key_Return); // parsed: "Red, Car!" becomes "red car"
        if (filter == "Red, Car!") {
            QCOMPARE(box->text(), QString("red car"));
            test::Shot(w, "b8-frmCountAllPhrases");
        }
        QTest::mouseClick(w.findChild<QPushButton*>("cmdCountPhrases"), Qt::LeftButton);
        QCOMPARE(w.LastOutcome(), RunOutcome::Produced);
        QVERIFY(!w.isVisible());

        QStringList args = {"--count",  "phrases",
                            "--set",    "PhraseLength0=1",
                            "--set",    "PhraseLength1=3",
                            "--set",    "MinimumFrequency=1",
                            "--output", QString::fromStdString((dir / "cli.txt").string()),
                            "--set",    "FilterWords=" + box->text()};
        if (!mode.isEmpty())
            args << "--set"
                 << "FilterMode=" + mode.mid(3);
        args << QString::fromStdString((dir / "in.txt").string());
        QCOMPARE(Cli(args), 0);
        QCOMPARE(ReadAll(dir / "window.txt"), ReadAll(dir / "cli.txt"));
        QVERIFY(ReadAll(dir / "cli.txt").contains(filter.isEmpty() ? "red car" : "car"));
    }

    void aRefusedRangeKeepsTheWindowOpen() {
        Session s;
        s.session.settings.Source = SourceKind::OnClipboard;
        s.host.clipboard = u"alpha beta gamma";
        frmCountAllPhrases w(s.session);
        w.show();
        w.findChild<QComboBox*>("cboPhraseLength0")->setCurrentIndex(4);
        w.findChild<QComboBox*>("cboPhraseLength1")->setCurrentIndex(2);
        QTest::mouseClick(w.findChild<QPushButton*>("cmdCountPhrases"), Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(int(s.host.messages.size()), 1);
        QCOMPARE(QString::fromStdU16String(s.host.messages[0].title), QString("Invalid input"));
        // Without words to ignore the four options are out of use.
        QVERIFY(!w.findChild<QRadioButton*>("optRemoveWordsToIgnore")->isEnabled());
    }

    void theFilterButtonRelistsTheLastCount() {
        Session s;
        s.session.settings.Source = SourceKind::OnClipboard;
        s.host.clipboard = QString(kText).toStdU16String();
        frmCountAllPhrases w(s.session);
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>("cmdCountPhrases"), Qt::LeftButton);
        const std::u16string all = s.session.textWindow.Text();
        QVERIFY(all.find(u"the red car") != std::u16string::npos);
        w.show();
        QTest::keyClicks(w.findChild<QLineEdit*>("txbFilterWords"), "blue");
        QTest::mouseClick(w.findChild<QPushButton*>("cmdFilter"), Qt::LeftButton);
        const std::u16string filtered = s.session.textWindow.Text();
        QVERIFY(filtered.find(u"Phrase filtering (all filter words) has been applied.") !=
                std::u16string::npos);
        QVERIFY(filtered.find(u"the blue car") != std::u16string::npos);
        const std::u16string listing = u"     Rank      Freq  Phrase [longest has 24 characters]\n"
                                       u"        2         3  and the blue car\n"
                                       u"        4         2  red car and the blue car\n"
                                       u"        5         2  the red car and the blue\n";
        QVERIFY(filtered.size() > listing.size());
        QCOMPARE(filtered.substr(filtered.size() - listing.size()), listing);
        QTest::mouseClick(w.findChild<QPushButton*>("cmdClear"), Qt::LeftButton);
        QCOMPARE(w.findChild<QLineEdit*>("txbFilterWords")->text(), QString());
        QCOMPARE(s.session.settings.FilterWords, std::u16string());
    }

    void countArrayFromTheWindowEqualsTheCommandLine() {
        test::TempDir dir("lxty-gui-array");
        fs::create_directories(dir / "texts" / "sub");
        Write(dir / "texts" / "a.txt", kText);
        Write(dir / "texts" / "sub" / "b.txt", "the blue car and a red bus\n");
        Session s;
        s.session.settings.Source = SourceKind::Folder;
        s.session.settings.Folder = (dir / "texts").u16string();
        s.session.settings.IncludeSubfolders = 1;
        s.session.settings.File[1] = (dir / "window.txt").u16string();
        Write(dir / "window.txt", "previous");
        frmCountArray w(s.session.settings);
        // Cancel leaves the previous file as it was.
        QTimer::singleShot(0, &w, [&] {
            QTest::mouseClick(w.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        });
        QCOMPARE(s.session.CountArray([&] { return w.Choose(); }), RunOutcome::Refused);
        QCOMPARE(ReadAll(dir / "window.txt"), QByteArray("previous"));

        QTimer::singleShot(0, &w, [&] {
            w.findChild<QRadioButton*>("optBoth")->setChecked(true);
            w.findChild<QCheckBox*>("chkZeroCellsBlank")->setChecked(true);
            test::Shot(w, "b8-frmCountArray");
            QTest::mouseClick(w.findChild<QPushButton*>("cmdCreateFile"), Qt::LeftButton);
        });
        QCOMPARE(s.session.CountArray([&] { return w.Choose(); }), RunOutcome::Produced);
        QCOMPARE(Cli({"--count", "array", "--set", "IncludeSubfolders=1", "--set",
                      "CountArrayTables=Both", "--set", "ZeroCellsBlank=1", "--output",
                      QString::fromStdString((dir / "cli.txt").string()),
                      QString::fromStdString((dir / "texts").string())}),
                 0);
        // The heading's first line holds the time of writing.
        auto body = [](QByteArray b) { return b.mid(b.indexOf('\n')); };
        QCOMPARE(body(ReadAll(dir / "window.txt")), body(ReadAll(dir / "cli.txt")));
        QVERIFY(ReadAll(dir / "cli.txt").contains("<File indices>"));
    }
};

QTEST_MAIN(TestfrmCountAllPhrases)
#include "TestfrmCountAllPhrases.moc"
