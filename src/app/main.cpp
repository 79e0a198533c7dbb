#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Lexitally");
    w.setCentralWidget(new QLabel("Lexitally"));
    w.show();
    return app.exec();
}
