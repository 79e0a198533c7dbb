#pragma once
// The transient pop-up: a short confirmation in a borderless window in front of the others,
// hidden again after an interval or when the person clicks it. A new pop-up replaces the one
// on show. Sizes and positions are given in twips, as the callers state them (15 twips to a
// pixel at 96 dpi; Qt's logical pixels already carry the screen's scaling).

#include <QTimer>
#include <QWidget>

class QLabel;

namespace lxty::app {

// Twips to logical pixels.
inline int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

class frmPopUp : public QWidget {
    Q_OBJECT
public:
    explicit frmPopUp(QWidget* parent = nullptr);

    // Shows message in a window width x height twips at (left, top) screen twips, for
    // interval milliseconds.
    void PopUp(const QString& message, int width, int height, int interval, int top, int left);
    // As PopUp, placed relative to form's top-left corner (offsets in twips).
    void PopUpInForm(QWidget* form, const QString& message, int width, int height, int interval,
                     int topOffset, int leftOffset);

    // What the last PopUp showed (kept after it hides).
    QString strMessage;
    int intWidth = 0;
    int intHeight = 0;
    int intInterval = 0;
    int intTop = 0;
    int intLeft = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Vanish();

    QLabel* m_lblMessage = nullptr;
    QTimer m_timer;
};

} // namespace lxty::app
