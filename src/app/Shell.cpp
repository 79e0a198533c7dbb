#include "app/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace lxty::app {

namespace {

std::u16string U(const QString& s) {
    return s.toStdU16String();
}

Launcher& CurrentLauncher() {
    static Launcher launcher = [](const QUrl& url) {
        return QDesktopServices::openUrl(url) ? kLaunchOk : kLaunchNoAssociation;
    };
    return launcher;
}

} // namespace

void SetLauncher(Launcher launcher) {
    CurrentLauncher() = std::move(launcher);
}

int Launch(const QUrl& url) {
    return CurrentLauncher()(url);
}

QString GetFileExtension(const QString& path, bool lowerCase) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    return lowerCase ? extension.toLower() : extension;
}

void OpenWebLink(Host& host, const QString& address) {
    const QString extension = GetFileExtension(address, true);
    const int code = Launch(QUrl(address));
    if (code >= 33)
        return;
    QString message = QStringLiteral("Error launching web browser, error code =%1.").arg(code);
    switch (code) {
    case 31:
        message += QStringLiteral("\n\nFile extension '%1' is not associated with any "
                                  "application program.")
                       .arg(extension);
        break;
    case 8:
        message += QStringLiteral("\n\nOut of memory.");
        break;
    case 2:
        message += QStringLiteral("\n\nPlease try once more.");
        break;
    default:
        break;
    }
    host.MessageBox(U(message), u"Cannot launch web browser", MsgIcon::Exclamation);
}

bool OpenWithAssociatedApp(Host& host, const QString& path, bool explain) {
    if (Launch(QUrl::fromLocalFile(path)) >= 33)
        return true;
    QString message = QStringLiteral("Error when opening file %1.").arg(path);
    if (explain)
        message += QStringLiteral("\nPerhaps the file extension has no association.");
    host.MessageBox(U(message), u"Error", MsgIcon::Exclamation);
    return false;
}

bool SetFocusIfPossible(QWidget* control) {
    if (control == nullptr || !control->isVisible() || !control->isEnabled())
        return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

QUrl ManualUrl(const QString& dataFolder, const QString& section) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(QDir(dataFolder), "manual.html").absoluteFilePath());
    if (!section.isEmpty())
        url.setFragment(section);
    return url;
}

void ShowHelpMessage(Host& host, const QString& dataFolder) {
    // The manual ships with the program: its address is a file on this machine.
    const QString text =
        QStringLiteral("The user manual for Tarnwell Lexitally is available at ") +
        ManualUrl(dataFolder).toString() + QStringLiteral("\n\n") +
        QStringLiteral("It is recommended to consult this often because it contains screenshots "
                       "and examples of use. ") +
        QStringLiteral("If you are online then you can click on the link below.");
    host.MessageBox(U(text), u"Help is available online", MsgIcon::None);
}

} // namespace lxty::app
