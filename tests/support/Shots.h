#pragma once
// Screenshots of windows for the person reviewing a change: with LXTY_SHOTS_DIR set, a test
// saves what the window shows as <dir>/<name>.png; without it nothing is written.

#include <QWidget>

namespace lxty::test {

inline void Shot(QWidget& window, const QString& name) {
    const QByteArray dir = qgetenv("LXTY_SHOTS_DIR");
    if (!dir.isEmpty())
        window.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

} // namespace lxty::test
