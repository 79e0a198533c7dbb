#include "app/QtText.h"

#include <QStringList>

namespace lxty::app {

QString Lines(std::u16string_view s) {
    QString q = Q(s);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    q.replace(QChar(u'\r'), QChar(u'\n'));
    return q;
}

QString QtFileFilter(std::u16string_view filter) {
    const QStringList parts = Q(filter).split(QChar(u'|'));
    if (parts.size() < 2)
        return Q(filter).trimmed();
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf(QChar(u'('));
        if (open > 0 && description.endsWith(QChar(u')')))
            description = description.left(open).trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QChar(u';'), Qt::SkipEmptyParts))
            patterns << (p.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*") : p.trimmed());
        out << description + QStringLiteral(" (") + patterns.join(QChar(u' ')) + QChar(u')');
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace lxty::app
