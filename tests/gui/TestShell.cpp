// Help, links and other programs: the file extension, the messages of a failed launch, the
// focus helper, the help message, and the two small windows they open (the clipboard viewer
// and "About Lexitally"), found by object name.

#include "FakeHost.h"
#include "GuiTestSupport.h"
#include "Shots.h"
#include "app/QtText.h"
#include "app/Shell.h"
#include "app/frmAbout.h"
#include "app/frmClipboardViewer.h"

#include <QClipboard>

using namespace lxty;
using namespace lxty::app;

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        SetLauncher([](const QUrl&) { return kLaunchOk; });
    }

    void fileExtension() {
        const std::tuple<const char*, bool, const char*> cases[] = {
            {"readme", true, ""},
            {"archive.tar.gz", true, "gz"},
            {"/a.b/readme", true, ""},
            {"/home/ann/Photo.JPG", true, "jpg"},
            {"notes.", true, ""},
            {"/home/ann/Photo.JPG", false, "JPG"},
            {"https://x.example/lxty/lxty.htm", true, "htm"}};
        for (const auto& [path, lower, extension] : cases)
            QCOMPARE(GetFileExtension(path, lower), QString(extension));
    }

    // A launch that fails says why in a message; a success (above 32) says nothing.
    void failedLaunchesSayWhy() {
        const QString web = "Error launching web browser, error code =%1.",
                      file = "Error when opening file /data/a b.xyz.";
        const struct {
            int code;
            bool webLink, explain;
            QString message;
        } cases[] = {{42, true, false, ""},
                     {33, true, false, ""},
                     {31, true, false,
                      web.arg(31) +
                          "\n\nFile extension 'htm' is not associated with any application "
                          "program."},
                     {8, true, false, web.arg(8) + "\n\nOut of memory."},
                     {2, true, false, web.arg(2) + "\n\nPlease try once more."},
                     {5, true, false, web.arg(5)},
                     {32, true, false, web.arg(32)},
                     {33, false, true, ""},
                     {32, false, false, file},
                     {kLaunchNoAssociation, false, true,
                      file + "\nPerhaps the file extension has no association."}};
        for (const auto& c : cases) {
            QUrl launched;
            SetLauncher([&, code = c.code](const QUrl& u) {
                launched = u;
                return code;
            });
            test::FakeHost host;
            const QString path = c.webLink ? "https://x.example/lxty/LXTY.HTM" : "/data/a b.xyz";
            if (c.webLink)
                OpenWebLink(host, path);
            else
                QCOMPARE(OpenWithAssociatedApp(host, path, c.explain), c.message.isEmpty());
            QCOMPARE(launched, c.webLink ? QUrl(path) : QUrl::fromLocalFile(path));
            QCOMPARE(int(host.messages.size()), c.message.isEmpty() ? 0 : 1);
            if (c.message.isEmpty())
                continue;
            QCOMPARE(Q(host.messages[0].text), c.message);
            QCOMPARE(Q(host.messages[0].title),
                     QString(c.webLink ? "Cannot launch web browser" : "Error"));
            QCOMPARE(host.messages[0].icon, MsgIcon::Exclamation);
        }
    }

    void focusOnlyWhereItCanGo() {
        QWidget w;
        auto* a = new QLineEdit(&w);
        auto* b = new QLineEdit(&w);
        auto* c = new QLineEdit(&w);
        b->setEnabled(false);
        c->setVisible(false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!SetFocusIfPossible(nullptr));
        QVERIFY(!SetFocusIfPossible(b));
        QVERIFY(!SetFocusIfPossible(c));
        QVERIFY(SetFocusIfPossible(a));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a));
    }

    void helpMessagePointsToTheShippedManual() {
        test::FakeHost host;
        ShowHelpMessage(host, LXTY_DATA_DIR);
        QCOMPARE(int(host.messages.size()), 1);
        const QString url = ManualUrl(LXTY_DATA_DIR).toString();
        QVERIFY(QFileInfo::exists(ManualUrl(LXTY_DATA_DIR).toLocalFile()));
        QCOMPARE(Q(host.messages[0].text),
                 "The user manual for Tarnwell Lexitally is available at " + url +
                     "\n\nIt is recommended to consult this often because it contains "
                     "screenshots and examples of use. If you are online then you can click on "
                     "the link below.");
        QCOMPARE(Q(host.messages[0].title), QString("Help is available online"));
        QCOMPARE(host.messages[0].icon, MsgIcon::None);
    }

    void aboutNamesVersionProgramsAndLicences() {
        test::FakeHost host;
        frmAbout about(host, LXTY_DATA_DIR);
        QCOMPARE(about.windowTitle(), QString("About Lexitally"));
        about.show();
        test::Shot(about, "frmAbout");
        const auto text = [&](const char* name) {
            auto* l = about.findChild<QLabel*>(name);
            return l ? l->text() : QString();
        };
        QVERIFY(text("lblVersion").contains(LXTY_VERSION));
        QVERIFY(text("lblWindowProgram").contains("lexitally"));
        QVERIFY(text("lblCommandLineProgram").contains("lexitally-cli"));
        for (const char* part : {"Qt 6 (LGPLv3)", "PCRE2 (BSD licence)", "libzip (BSD licence)"})
            QVERIFY2(text("lblLibraries").contains(part), part);
        for (QLabel* l : about.findChildren<QLabel*>())
            QVERIFY2(!l->accessibleName().isEmpty(), qPrintable(l->objectName()));

        // The command line's manual link opens the shipped manual at its section.
        QUrl launched;
        SetLauncher([&](const QUrl& u) {
            launched = u;
            return kLaunchOk;
        });
        auto* cli = about.findChild<QLabel*>("lblCommandLineProgram");
        const QString href = cli->text().section("href=\"", 1).section('"', 0, 0);
        emit cli->linkActivated(href);
        QCOMPARE(launched.fragment(), QString("cli"));
        QVERIFY(QFileInfo::exists(launched.toLocalFile()));
        QVERIFY(host.messages.empty());
    }

    void clipboardViewerFollowsTheClipboard() {
        QApplication::clipboard()->setText("alpha beta");
        frmClipboardViewer viewer;
        viewer.show();
        QCOMPARE(viewer.windowTitle(), QString("View clipboard"));
        auto* box = viewer.findChild<QPlainTextEdit*>("txbClipboard");
        auto* length = viewer.findChild<QLabel*>("lblLength");
        QVERIFY(box && length && box->isReadOnly());
        QCOMPARE(box->toPlainText(), QString("alpha beta"));
        QCOMPARE(length->text(), QString("10 characters"));
        test::Shot(viewer, "frmClipboardViewer");
        QApplication::clipboard()->setText(QString(1234, 'x'));
        QTRY_COMPARE(length->text(), QString("1,234 characters"));
        QApplication::clipboard()->clear();
        QTRY_COMPARE(length->text(), QString("There is no text on the clipboard."));
        QTest::mouseClick(viewer.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
        QVERIFY(!viewer.isVisible());
    }
};

QTEST_MAIN(TestShell)
#include "TestShell.moc"
