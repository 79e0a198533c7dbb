#pragma once
// The Host of the window program: Qt message boxes, input boxes, file choosers and the
// clipboard; the text window and labels are widgets of the main window, found by name.

#include "app/frmPopUp.h"
#include "base/Host.h"

#include <QElapsedTimer>
#include <QPointer>

class QMessageBox;
class QWidget;
class QPlainTextEdit;

namespace lxty::app {

class frmPopUp;

// Room a window frame's title bar takes besides its text (icon and buttons), in pixels.
inline constexpr int kTitleBarExtras = 140;
// Widens a message box so that its whole title shows in the frame's title bar.
void FitTitle(QMessageBox& box);

class QtHost : public Host {
public:
    explicit QtHost(QWidget* window, QPlainTextEdit* textWindow = nullptr);
    // The widget that shows the text window (the window may build it after its host).
    void SetTextWindow(QPlainTextEdit* textWindow);

    void MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon icon) override;
    MsgAnswer Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon,
                  MsgButtons buttons, MsgAnswer defaultAnswer) override;
    std::optional<std::u16string> InputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultAnswer) override;
    void TextWindowSet(const std::u16string& text) override;
    void TextWindowAppend(const std::u16string& text) override;
    void SetLabel(const std::string& name, const std::u16string& text) override;
    std::optional<std::u16string> ChooseOpenFile(const std::u16string& title,
                                                 const std::u16string& filter,
                                                 const std::u16string& initialPath) override;
    std::optional<std::u16string> ChooseSaveFile(const std::u16string& title,
                                                 const std::u16string& filter,
                                                 const std::u16string& initialPath) override;
    std::optional<std::u16string> ChooseFolder(const std::u16string& title,
                                               const std::u16string& initialPath) override;
    std::u16string ClipboardText() override;
    void SetClipboardText(const std::u16string& text) override;
    void PopUp(const std::u16string& text, const std::string& nearControl) override;
    // Serves pending events at most every ~30 ms, so a per-word call costs next to nothing.
    void Yield() override;

    // Whether a message box, question, input box or file chooser of this host is waiting
    // for the person: the run's clock does not run meanwhile.
    bool Waiting() const { return m_waiting > 0; }

private:
    QPointer<QWidget> m_window;
    QPointer<QPlainTextEdit> m_textWindow;
    QElapsedTimer m_sinceYield;
    QPointer<frmPopUp> m_popUp; // created on first use, owned by the window
    int m_waiting = 0;
};

} // namespace lxty::app
