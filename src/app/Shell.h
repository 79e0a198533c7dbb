#pragma once
// Help, web links and other programs: launching an address or a document with the program the
// desktop associates with it (QDesktopServices), with the messages a failed launch shows, and
// the small window helpers that go with them.
//
// A launch gives a result code as the shell's "open" did: 33 or more is success, less is the
// error code of the failure. QDesktopServices says only yes or no; a refusal is reported as 31
// (no program is associated with the address or file), the one cause it can have here.

#include "base/Host.h"

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace lxty::app {

inline constexpr int kLaunchNoAssociation = 31;
inline constexpr int kLaunchOk = 42;

// What launches an address; the desktop's by default. Tests put their own in place.
using Launcher = std::function<int(const QUrl&)>;
void SetLauncher(Launcher launcher);
int Launch(const QUrl& url);

// The extension of the file name of path (the text after its last "/"): the text after its
// last ".", without the point; empty when the name has none. Lower-cased when asked.
QString GetFileExtension(const QString& path, bool lowerCase);

// Opens an address in the person's browser. On failure: "Error launching web browser, error
// code =" code "." and, for code 31, two line breaks and "File extension '" ext "' is not
// associated with any application program."; for 8 "Out of memory."; for 2 "Please try once
// more." (exclamation icon, titled "Cannot launch web browser").
void OpenWebLink(Host& host, const QString& address);

// Opens a file with its associated program; true when launched. On failure "Error when
// opening file " path "." and, with explain, a line break and "Perhaps the file extension has
// no association." (exclamation icon, titled "Error").
bool OpenWithAssociatedApp(Host& host, const QString& path, bool explain);

// Gives control the keyboard focus only when it is visible and enabled; true when it did.
bool SetFocusIfPossible(QWidget* control);

// The manual that ships with the program: "manual.html" in the data folder (beside the
// catalogue), as a file address for the browser.
QUrl ManualUrl(const QString& dataFolder, const QString& section = {});

// The Help button's message: titled "Help is available online", no icon.
void ShowHelpMessage(Host& host, const QString& dataFolder);

} // namespace lxty::app
