#include "app/frmPopUp.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace lxty::app {

frmPopUp::frmPopUp(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("frmPopUp");
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    m_lblMessage = new QLabel(this);
    m_lblMessage->setObjectName("lblMessage");
    QFont font("Tahoma");
    font.setStyleHint(QFont::SansSerif);
    m_lblMessage->setFont(font);
    m_lblMessage->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_lblMessage);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 225));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &frmPopUp::Vanish);
}

void frmPopUp::PopUp(const QString& message, int width, int height, int interval, int top,
                     int left) {
    strMessage = message;
    intWidth = width;
    intHeight = height;
    intInterval = interval;
    intTop = top;
    intLeft = left;
    m_timer.stop();
    m_lblMessage->setText(message);
    // The text must be readable whatever width the caller guessed.
    const int textWidth = m_lblMessage->sizeHint().width() + 8;
    resize(std::max(TwipsToPixels(width), textWidth),
           std::max(TwipsToPixels(height), m_lblMessage->sizeHint().height() + 2));
    move(TwipsToPixels(left), TwipsToPixels(top));
    show();
    raise();
    m_timer.start(interval);
}

void frmPopUp::PopUpInForm(QWidget* form, const QString& message, int width, int height,
                           int interval, int topOffset, int leftOffset) {
    const QPoint origin = form ? form->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    PopUp(message, width, height, interval, origin.y() * 15 + topOffset,
          origin.x() * 15 + leftOffset);
}

void frmPopUp::mousePressEvent(QMouseEvent*) {
    Vanish();
}

void frmPopUp::Vanish() {
    m_timer.stop();
    hide();
}

} // namespace lxty::app
