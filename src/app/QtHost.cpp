#include "app/QtHost.h"

#include "app/QtText.h"
#include "app/frmPopUp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>

namespace lxty::app {

namespace {

// The control named `name`: the window's own first, then one of the windows it owns (the
// settings window's buttons), so that a dialog's control of the same name never stands in
// for the window's.
template <class T> T* Named(QWidget* window, const std::string& name) {
    T* found = nullptr;
    for (T* c : window->findChildren<T*>(QString::fromStdString(name))) {
        if (c->window() == window)
            return c;
        if (!found)
            found = c;
    }
    return found;
}

QString Title(const std::u16string& t) {
    return t.empty() ? QStringLiteral("Lexitally") : Q(t);
}
QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
QMessageBox::StandardButton ToQt(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

// Counts a modal wait of the host while it lasts.
class WaitScope {
public:
    explicit WaitScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~WaitScope() { --m_depth; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    int& m_depth;
};

} // namespace

void FitTitle(QMessageBox& box) {
    // A message box is as wide as its text and buttons; a short text under a long title
    // would leave the title cut by the window frame ("Stop co... found)"). The frame's
    // title font is usually a little larger and bolder than the box's own, and its buttons
    // and icon take room too.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) * 6 / 5 + kTitleBarExtras;
    grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

QtHost::QtHost(QWidget* window, QPlainTextEdit* textWindow)
    : m_window(window), m_textWindow(textWindow) {
    m_sinceYield.start();
}

void QtHost::SetTextWindow(QPlainTextEdit* textWindow) {
    m_textWindow = textWindow;
}

void QtHost::MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon icon) {
    const WaitScope wait(m_waiting);
    QMessageBox box(ToQt(icon), Title(title), Lines(text), QMessageBox::Ok, m_window);
    FitTitle(box);
    box.exec();
}

MsgAnswer QtHost::Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon,
                      MsgButtons buttons, MsgAnswer defaultAnswer) {
    QMessageBox::StandardButtons b = QMessageBox::Ok;
    switch (buttons) {
    case MsgButtons::Ok:
        b = QMessageBox::Ok;
        break;
    case MsgButtons::OkCancel:
        b = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        b = QMessageBox::Yes | QMessageBox::No;
        break;
    case MsgButtons::YesNoCancel:
        b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case MsgButtons::RetryCancel:
        b = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(ToQt(icon), Title(title), Lines(text), b, m_window);
    FitTitle(box);
    const WaitScope wait(m_waiting);
    box.setDefaultButton(ToQt(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::Cancel;
    }
}

std::optional<std::u16string> QtHost::InputBox(const std::u16string& prompt,
                                               const std::u16string& title,
                                               const std::u16string& defaultAnswer) {
    const WaitScope wait(m_waiting);
    bool ok = false;
    const QString s = QInputDialog::getText(m_window, Title(title), Lines(prompt),
                                            QLineEdit::Normal, Q(defaultAnswer), &ok);
    if (!ok)
        return std::nullopt;
    return U(s);
}

void QtHost::TextWindowSet(const std::u16string& text) {
    if (m_textWindow)
        m_textWindow->setPlainText(Lines(text));
}

void QtHost::TextWindowAppend(const std::u16string& text) {
    if (!m_textWindow)
        return;
    QTextCursor c = m_textWindow->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(Lines(text));
    m_textWindow->setTextCursor(c);
}

void QtHost::SetLabel(const std::string& name, const std::u16string& text) {
    if (!m_window)
        return;
    if (auto* label = Named<QLabel>(m_window, name)) {
        label->setText(Q(text));
        // "Clear textbox" hid the result figures until there are new ones.
        if (!text.empty() && label->isHidden() && label->sizePolicy().retainSizeWhenHidden())
            label->show();
    } else if (auto* button = Named<QAbstractButton>(m_window, name))
        button->setText(Q(text)); // the count button's caption
}

std::optional<std::u16string> QtHost::ChooseOpenFile(const std::u16string& title,
                                                     const std::u16string& filter,
                                                     const std::u16string& initialPath) {
    const WaitScope wait(m_waiting);
    const QString f =
        QFileDialog::getOpenFileName(m_window, Q(title), Q(initialPath), QtFileFilter(filter));
    if (f.isEmpty())
        return std::nullopt;
    return U(f);
}

std::optional<std::u16string> QtHost::ChooseSaveFile(const std::u16string& title,
                                                     const std::u16string& filter,
                                                     const std::u16string& initialPath) {
    const WaitScope wait(m_waiting);
    const QString f =
        QFileDialog::getSaveFileName(m_window, Q(title), Q(initialPath), QtFileFilter(filter));
    if (f.isEmpty())
        return std::nullopt;
    return U(f);
}

std::optional<std::u16string> QtHost::ChooseFolder(const std::u16string& title,
                                                   const std::u16string& initialPath) {
    const WaitScope wait(m_waiting);
    const QString f = QFileDialog::getExistingDirectory(m_window, Q(title), Q(initialPath));
    if (f.isEmpty())
        return std::nullopt;
    return U(f);
}

std::u16string QtHost::ClipboardText() {
    return U(QApplication::clipboard()->text());
}

void QtHost::SetClipboardText(const std::u16string& text) {
    QApplication::clipboard()->setText(Q(text));
}

void QtHost::PopUp(const std::u16string& text, const std::string& nearControl) {
    QWidget* near = m_window;
    if (m_window)
        if (auto* w = Named<QWidget>(m_window, nearControl))
            near = w;
    if (!near)
        return;
    if (!m_popUp)
        m_popUp = new frmPopUp(m_window);
    // Beside the control, 300 twips high, for two seconds; where that would hang past the
    // window's edge (the button is the last of its row), just above the control instead,
    // inside the window.
    const QPoint at = near->mapToGlobal(QPoint(near->width() + 4, 0));
    m_popUp->PopUp(Q(text), 2400, 300, 2000, at.y() * 15, at.x() * 15);
    const QWidget* top = near->window();
    const QRect inside(top->mapToGlobal(QPoint(0, 0)), top->size());
    QRect r = m_popUp->geometry();
    if (!inside.contains(r)) {
        const QPoint corner = near->mapToGlobal(QPoint(near->width(), -2));
        r.moveBottomRight(corner);
        r.moveLeft(std::clamp(r.left(), inside.left(),
                              std::max(inside.left(), inside.right() - r.width())));
        r.moveTop(std::max(r.top(), inside.top()));
        m_popUp->move(r.topLeft());
    }
}

void QtHost::Yield() {
    if (m_sinceYield.elapsed() < 30)
        return;
    m_sinceYield.restart();
    QCoreApplication::processEvents();
}

} // namespace lxty::app
