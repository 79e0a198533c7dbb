#pragma once
// The set-up every window shares: controls made with their object and accessible names, the
// window's own names, rows of controls, and the common shape of the tool windows (an optional
// row on top, the body that takes the room, a status line with the buttons below it).

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>

namespace lxty::app {

// A control of kind T in parent, named name, showing caption (where it has a text). Its
// accessible name is accessible, else the caption without its '&' marks, else the object name.
template <class T>
T* Make(QWidget* parent, const char* name, const QString& caption = QString(),
        const QString& accessible = QString()) {
    T* c = new T(parent);
    c->setObjectName(QLatin1String(name));
    if constexpr (requires { c->setText(caption); })
        c->setText(caption);
    const QString plain = QString(caption).remove(QLatin1Char('&'));
    c->setAccessibleName(!accessible.isEmpty() ? accessible
                         : !plain.isEmpty()    ? plain
                                               : QLatin1String(name));
    return c;
}

// A window's object name, title and accessible name.
void NameWindow(QWidget* window, const char* name, const QString& title);

// The controls side by side; the one at index stretch (none when negative) takes the room.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls, int stretch = 0);

// A "Close" button (cmdClose) in window that closes it.
QPushButton* CloseButton(QWidget* window);

// A label for a figure or a state that a screen reader names accessible.
QLabel* StatusLabel(QWidget* window, const char* name, const QString& accessible);

// Lays window out as a column: top (none when null), then body taking the height, then a row
// of status (taking the width) and the buttons; the window opens at size.
void LayOutToolWindow(QWidget* window, QLayout* top, QWidget* body, QWidget* status,
                      std::initializer_list<QWidget*> buttons, QSize size);

// For a window whose layout holds wrapped text: its smallest size becomes the one that shows
// the text whole at the narrowest width the rest allows (the layout's own minimum would squeeze
// the controls under the text). Call it again when the text changes.
void KeepWrappedTextWhole(QWidget* window);

} // namespace lxty::app
