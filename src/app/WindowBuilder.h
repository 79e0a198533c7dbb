#pragma once
// The set-up every window shares: controls made with their object and accessible names, the
// window's own names, rows of controls, and the common shape of the tool windows (an optional
// row on top, the body that takes the room, a status line with the buttons below it).

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>

namespace lxty::app {

// The caption as read out: "&" marks dropped, "&&" read as "&".
QString PlainCaption(const QString& caption);

// Names an existing control: object name and accessible name.
template <class T> T* Named(T* c, const char* name, const QString& accessible) {
    c->setObjectName(QLatin1String(name));
    c->setAccessibleName(accessible);
    return c;
}

// A control of kind T in parent, named name, showing caption (where it has a text). Its
// accessible name is accessible, else the plain caption, else the object name.
template <class T>
T* Make(QWidget* parent, const char* name, const QString& caption = QString(),
        const QString& accessible = QString()) {
    T* c = new T(parent);
    if constexpr (requires { c->setText(caption); })
        c->setText(caption);
    const QString plain = PlainCaption(caption);
    return Named(c, name,
                 !accessible.isEmpty() ? accessible
                 : !plain.isEmpty()    ? plain
                                       : QString::fromLatin1(name));
}

// A titled frame (a group box) whose accessible name is its title.
QGroupBox* Frame(QWidget* parent, const char* name, const QString& title);

// A frame of options one under another, each named and captioned.
struct Option {
    const char* name;
    const char* caption;
};
QGroupBox* OptionGroup(QWidget* parent, const char* name, const QString& title,
                       std::initializer_list<Option> options);

// A window's object name, title and accessible name.
void NameWindow(QWidget* window, const char* name, const QString& title);

// The controls side by side; the one at index stretch (none when negative) takes the room.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls, int stretch = 0);

// A "Close" button (cmdClose) in window that closes it.
QPushButton* CloseButton(QWidget* window);

// Lays window out as a column: top (none when null), then body taking the height, then a row
// of status (taking the width) and the buttons; the window opens at size.
void LayOutToolWindow(QWidget* window, QLayout* top, QWidget* body, QWidget* status,
                      std::initializer_list<QWidget*> buttons, QSize size);

// For a window whose layout holds wrapped text: its smallest size becomes the one that shows
// the text whole at the narrowest width the rest allows (the layout's own minimum would squeeze
// the controls under the text). Call it again when the text changes.
void KeepWrappedTextWhole(QWidget* window);

} // namespace lxty::app
