#pragma once
// Shared pieces of the window tests: answering modal dialogs from the event loop, filling in a file
// dialog, a started main window, counting from it, running lexitally-cli, and finding controls by
// object name.

#include "app/frmCountWordsPhrases.h"
#include "app/frmMain.h"
#include "settings/SavedState.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace lxty::test {

// Polls the event loop until a modal widget of type T is up, then hands it to act. The poll
// gives up after a few seconds, so a dialog that never opens fails the test instead of
// hanging it. The poll is returned so that a caller whose act refers to its locals can end it.
template <class T> inline QPointer<QTimer> WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        } else if (++tries > 250) {
            qWarning("no modal dialog of the expected type came up (%s)",
                     QApplication::activeModalWidget()
                         ? QApplication::activeModalWidget()->metaObject()->className()
                         : "none");
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return timer;
}

// Answers the next message box with button and keeps its text.
inline void Answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal<QMessageBox>([=](QMessageBox* box) {
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

// The message box shown while act runs: its title, text and icon (empty when none came up).
inline QStringList MessageDuring(const std::function<void()>& act) {
    QStringList shown;
    QPointer<QTimer> poll = WhenModal<QMessageBox>([&](QMessageBox* b) {
        shown = {b->windowTitle(), b->text(), QString::number(b->icon())};
        b->accept();
    });
    act();
    (void)QTest::qWaitFor([&] { return !shown.isEmpty(); }, 3000);
    if (poll) { // no box came up: the poll must not outlive shown
        poll->stop();
        poll->deleteLater();
    }
    return shown;
}

// Types path into an open-file dialog and accepts it. The dialog's view of the folder loads in
// the background, so the name box is filled again until the dialog has taken the file.
inline void AcceptFileDialog(QFileDialog* d, const QString& path, int tries = 0) {
    if (!d->isVisible() || tries > 100)
        return;
    if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    QMetaObject::invokeMethod(d, "accept");
    QPointer<QFileDialog> again(d);
    QTimer::singleShot(20, [again, path, tries] {
        if (again)
            AcceptFileDialog(again, path, tries + 1);
    });
}

// Clicks button once the file dialog it opens is up, and gives that dialog path.
inline void ChooseThrough(QAbstractButton* button, const QString& path) {
    WhenModal<QFileDialog>([path](QFileDialog* d) { AcceptFileDialog(d, path); });
    button->click();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// lexitally-cli with the arguments; its exit status.
inline int Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(LXTY_CLI), args);
    p.waitForFinished(60000);
    return p.exitCode();
}

// The object names of a window's controls: buttons, check boxes, options, lists, text boxes.
inline const QRegularExpression kControl(QStringLiteral("^(cmd|chk|opt|cbo|txb)[A-Z]"));

template <class T> inline T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// The controls of window (not of the windows it opens) that break the naming rules: each focusable
// widget has an object name, and each control an accessible name and keyboard reach.
inline QStringList Unnamed(QWidget& window) {
    QStringList faults;
    for (QWidget* c : window.findChildren<QWidget*>()) {
        if (c->window() != &window)
            continue;
        // A view's viewport is a part of its view, which is named.
        if (c->focusPolicy() != Qt::NoFocus && c->objectName().size() <= 3 &&
            !qobject_cast<QAbstractScrollArea*>(c->parentWidget()))
            faults << QString::fromLatin1(c->metaObject()->className());
        // The arrow keys move among options; the tab key reaches the chosen one.
        auto* option = qobject_cast<QRadioButton*>(c);
        const bool reached =
            (c->focusPolicy() & Qt::TabFocus) || (option && option->autoExclusive());
        if (kControl.match(c->objectName()).hasMatch() &&
            (c->accessibleName().isEmpty() || !reached))
            faults << c->objectName();
    }
    return faults;
}

// The controls of window laid over one another, narrower than their caption or shorter than their
// text needs at their width, as "name ..." or "name over name". Parts of a control (a list's box,
// a view's bars) are the control's business.
inline QStringList Crowded(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* c : window.findChildren<QWidget*>()) {
        bool part = false;
        for (QWidget* p = c->parentWidget(); p && p != &window; p = p->parentWidget())
            part = part ||
                   !(qobject_cast<QGroupBox*>(p) || p->metaObject() == &QWidget::staticMetaObject);
        if (c->window() == &window && c->isVisible() && !part &&
            c->metaObject() != &QWidget::staticMetaObject)
            controls << c;
    }
    QStringList faults;
    const auto name = [](QWidget* c) {
        return c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className())
                                         : c->objectName();
    };
    for (QWidget* a : controls) {
        const QRect ra(a->mapTo(&window, QPoint()), a->size());
        const int needs =
            a->hasHeightForWidth() ? a->heightForWidth(a->width()) : a->minimumSizeHint().height();
        if (a->height() < needs ||
            (!a->hasHeightForWidth() && a->width() < a->minimumSizeHint().width()))
            faults << name(a) + QStringLiteral(" %1 x %2, needs %3 x %4")
                                    .arg(a->width())
                                    .arg(a->height())
                                    .arg(a->minimumSizeHint().width())
                                    .arg(needs);
        for (QWidget* b : controls) {
            const QRect rb(b->mapTo(&window, QPoint()), b->size());
            if (a < b && !a->isAncestorOf(b) && !b->isAncestorOf(a) && ra.intersects(rb))
                faults << name(a) + " over " + name(b);
        }
    }
    return faults;
}

inline QString Output(app::frmMain& w) {
    return Child<QPlainTextEdit>(w, "txbOutput")->toPlainText();
}

// The saved state file of a main window whose configuration folder is dir.
inline QString StateFile(const QTemporaryDir& dir) {
    return QString::fromStdString(DefaultStateFilePath(dir.path().toStdString()).string());
}

// A started, active main window whose saved state lives in dir; the saved state is restored (and
// the common words offered) or the help message shown only when asked.
inline std::unique_ptr<app::frmMain> NewMain(const QTemporaryDir& dir, bool restore = false,
                                             bool help = false) {
    auto w = std::make_unique<app::frmMain>(QStringLiteral(LXTY_DATA_DIR "/lxty.dat"));
    w->SetStateFilePath(StateFile(dir).toStdString());
    w->SetRestoreStateAtStartUp(restore);
    w->SetHelpAtStartUp(help);
    w->show();
    w->StartUp();
    QApplication::setActiveWindow(w.get());
    (void)QTest::qWaitForWindowActive(w.get(), 1000); // a test that needs the focus checks it
    return w;
}

// The source option, its file or folder and the output file, set in their boxes.
inline void Source(app::frmMain& w, const char* option, const QString& path,
                   const QString& output) {
    Child<QRadioButton>(w, option)->click();
    const char* box = QByteArray(option) == "optFolder" ? "txbFolder" : "txbFile0";
    if (QByteArray(option) != "optOnClipboard")
        Child<QLineEdit>(w, box)->setText(path);
    Child<QLineEdit>(w, "txbFile1")->setText(output);
}

// Presses the count button and answers the count choice with the named button.
inline void Count(app::frmMain& w, const char* choice = "cmdCountAllWords") {
    const QString name = QString::fromLatin1(choice);
    WhenModal<app::frmCountWordsPhrases>(
        [name](app::frmCountWordsPhrases* d) { d->findChild<QPushButton*>(name)->click(); });
    Child<QPushButton>(w, "cmdCountWords")->click();
}

// Enough text for a count to be caught while it runs.
inline QByteArray LongText() {
    return QByteArray("alpha beta gamma\n").repeated(800000);
}

// Counts all words of the window's source; once the count runs with its three words in the table,
// act runs from the event loop while the count goes on.
inline void WhileCounting(app::frmMain& w, const std::function<void()>& act) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!w.Run().IsRunning() || w.Table().Size() < 3)
            return;
        poll.stop();
        act();
    });
    poll.start(5);
    Count(w);
}

} // namespace lxty::test
