#include "app/WindowBuilder.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lxty::app {

QString PlainCaption(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        plain += caption[i];
    }
    return plain;
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& title) {
    auto* f = Make<QGroupBox>(parent, name, QString(), title);
    f->setTitle(title);
    return f;
}

QGroupBox* OptionGroup(QWidget* parent, const char* name, const QString& title,
                       std::initializer_list<Option> options) {
    QGroupBox* f = Frame(parent, name, title);
    auto* layout = new QVBoxLayout(f);
    for (const Option& o : options)
        layout->addWidget(Make<QRadioButton>(f, o.name, QString::fromLatin1(o.caption)));
    return f;
}

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
