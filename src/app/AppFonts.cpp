#include "app/AppFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace lxty::app {

QFont FixedFont(int points) {
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        QFont f(QStringLiteral("Courier New"), points);
        f.setStyleHint(QFont::Monospace);
        return f;
    }
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(f).fixedPitch()) {
        // Some platforms name no fixed font of their own: ask the font matcher for one.
        f = QFont(QStringLiteral("monospace"));
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    }
    f.setPointSize(points);
    return f;
}

namespace {
QFont Named(const QString& family, int points) {
    if (QFontDatabase::families().contains(family))
        return QFont(family, points);
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPointSize(points);
    return f;
}
} // namespace

QFont GeneralFont(int points) {
    return Named(QStringLiteral("Arial"), points);
}

} // namespace lxty::app
