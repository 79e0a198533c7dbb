#pragma once
// Shared pieces of the window tests: answering modal dialogs from the event loop, filling
// in a file dialog, writing fixture files and finding controls by object name.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace lxty::test {

// Polls the event loop until a modal widget of type T is up, then hands it to act. The poll
// gives up after a few seconds, so a dialog that never opens fails the test instead of
// hanging it.
template <class T> inline void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    auto* tries = new int(0);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            delete tries;
            act(w);
        } else if (++*tries > 250) {
            qWarning("no modal dialog of the expected type came up (%s)",
                     QApplication::activeModalWidget()
                         ? QApplication::activeModalWidget()->metaObject()->className()
                         : "none");
            timer->stop();
            timer->deleteLater();
            delete tries;
        }
    });
    timer->start();
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

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

template <class T> inline T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

} // namespace lxty::test
