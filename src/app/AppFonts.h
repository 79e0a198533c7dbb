#pragma once
// The fonts the windows ask for by name, with the system's own in their place where they are
// not installed: "Courier New" (fixed pitch: the listing, progress bars) and "Arial" (captions).

#include <QFont>

namespace lxty::app {

QFont FixedFont(int points = 10);
QFont GeneralFont(int points = 10);

} // namespace lxty::app
