#include "app/WindowBuilder.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lxty::app {

void NameWindow(QWidget* window, const char* name, const QString& title) {
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(title);
    window->setAccessibleName(title);
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls, int stretch) {
    auto* row = new QHBoxLayout;
    int i = 0;
    for (QWidget* c : controls)
        row->addWidget(c, i++ == stretch ? 1 : 0);
    return row;
}

QPushButton* CloseButton(QWidget* window) {
    auto* b = Make<QPushButton>(window, "cmdClose", QStringLiteral("Close"));
    QObject::connect(b, &QPushButton::clicked, window, &QWidget::close);
    return b;
}

QLabel* StatusLabel(QWidget* window, const char* name, const QString& accessible) {
    return Make<QLabel>(window, name, QString(), accessible);
}

void LayOutToolWindow(QWidget* window, QLayout* top, QWidget* body, QWidget* status,
                      std::initializer_list<QWidget*> buttons, QSize size) {
    auto* layout = new QVBoxLayout(window);
    if (top)
        layout->addLayout(top);
    layout->addWidget(body, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status, 1);
    for (QWidget* b : buttons)
        bottom->addWidget(b);
    layout->addLayout(bottom);
    window->resize(size);
}

void KeepWrappedTextWhole(QWidget* window) {
    QLayout* layout = window->layout();
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    const int narrowest = layout->totalMinimumSize().width();
    window->setMinimumSize(narrowest, layout->totalHeightForWidth(narrowest));
}

} // namespace lxty::app
