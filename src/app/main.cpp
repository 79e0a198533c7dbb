// lexitally: the window program.

#include "app/frmMain.h"
#include "util/DataFolder.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexitally");
    QApplication::setOrganizationName("Tarnwell Systems");
    // Beside the program in the build folder, in ../share/lexitally once installed.
    const auto data = lxty::FindDataFolder(
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()));
    lxty::app::frmMain window(QString::fromStdU16String((data / "lxty.dat").u16string()));
    window.show();
    window.StartUp();
    return app.exec();
}
