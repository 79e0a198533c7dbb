// lexitally: the window program.

#include "app/frmMain.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexitally");
    QApplication::setOrganizationName("Tarnwell Systems");
    lxty::app::frmMain window(QDir(QCoreApplication::applicationDirPath()).filePath("lxty.dat"));
    window.show();
    window.StartUp();
    return app.exec();
}
