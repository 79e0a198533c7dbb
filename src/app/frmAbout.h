#pragma once
// "About Lexitally": the version, the two programs with a line each and a link to their part
// of the manual, and the libraries the program uses with their licences. The links open the
// manual that ships with the program in the person's browser (OpenWebLink).

#include <QDialog>

class QLabel;
class QPushButton;

namespace lxty {
class Host;
}

namespace lxty::app {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // dataFolder: where the manual lies (beside the catalogue).
    frmAbout(Host& host, QString dataFolder, QWidget* parent = nullptr);

private:
    QLabel* AddLabel(const char* name, const QString& accessibleName, const QString& html);

    Host& m_host;
    QString m_dataFolder;
};

} // namespace lxty::app
