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
        const struct {
            const char* path;
            bool lower;
            const char* extension;
        } cases[] = {{"readme", true, ""},
                     {"archive.tar.gz", true, "gz"},
                     {"/a.b/readme", true, ""},
                     {"/home/ann/Photo.JPG", true, "jpg"},
                     {"notes.", true, ""},
                     {"/home/ann/Photo.JPG", false, "JPG"},
                     {"https://x.example/lxty/lxty.htm", true, "htm"}};
        for (const auto& c : cases)
            QCOMPARE(GetFileExtension(c.path, c.lower), QString(c.extension));
    }

    // A launch that fails says why in a message; a success (above 32) says nothing.
    void webLinkFailures() {
        const QString first = "Error launching web browser, error code =%1.";
        const std::pair<int, QString> cases[] = {
            {42, ""},
            {33, ""},
            {31, first.arg(31) + "\n\nFile extension 'htm' is not associated with any "
                                 "application program."},
            {8, first.arg(8) + "\n\nOut of memory."},
            {2, first.arg(2) + "\n\nPlease try once more."},
            {5, first.arg(5)},
            {32, first.arg(32)}};
        for (const auto& [code, message] : cases) {
            QUrl launched;
            SetLauncher([&, code = code](const QUrl& u) {
                launched = u;
                return code;
            });
            test::FakeHost host;
            OpenWebLink(host, "https://x.example/lxty/LXTY.HTM");
            QCOMPARE(launched, QUrl("https://x.example/lxty/LXTY.HTM"));
            QCOMPARE(int(host.messages.size()), message.isEmpty() ? 0 : 1);
            if (message.isEmpty())
                continue;
            QCOMPARE(Q(host.messages[0].text), message);
            QCOMPARE(Q(host.messages[0].title), QString("Cannot launch web browser"));
            QCOMPARE(host.messages[0].icon, MsgIcon::Exclamation);
        }
    }

    void associatedApp() {
        test::FakeHost host;
        QUrl launched;
        SetLauncher([&](const QUrl& u) {
            launched = u;
            return kLaunchNoAssociation;
        });
        QVERIFY(!OpenWithAssociatedApp(host, "/data/a b.xyz", false));
        QCOMPARE(launched, QUrl::fromLocalFile("/data/a b.xyz"));
        QVERIFY(!OpenWithAssociatedApp(host, "/data/a b.xyz", true));
        QCOMPARE(int(host.messages.size()), 2);
        QCOMPARE(Q(host.messages[0].text), QString("Error when opening file /data/a b.xyz."));
        QCOMPARE(Q(host.messages[1].text), QString("Error when opening file /data/a b.xyz.\n"
                                                   "Perhaps the file extension has no "
                                                   "association."));
        QCOMPARE(Q(host.messages[1].title), QString("Error"));
        SetLauncher([](const QUrl&) { return kLaunchOk; });
        QVERIFY(OpenWithAssociatedApp(host, "/data/a.txt", true));
        QCOMPARE(int(host.messages.size()), 2);
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
