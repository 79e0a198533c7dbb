#pragma once
// The one door from the counting code to a person. The window program implements it with Qt,
// the command-line program with standard streams, the tests with a scripted fake.
// Texts are UTF-16, as everywhere in the engine.

#include <cstddef>
#include <optional>
#include <string>

namespace lxty {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

class Host {
public:
    virtual ~Host() = default;

    // A modal message box with an OK button. An empty title means the program's own name.
    virtual void MessageBox(const std::u16string& text, const std::u16string& title,
                            MsgIcon icon) = 0;

    // A modal question; returns the button pressed. defaultAnswer is the button that has the
    // focus (what Enter, or a non-interactive host, takes).
    virtual MsgAnswer Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon,
                          MsgButtons buttons, MsgAnswer defaultAnswer) = 0;

    // An input box with a default answer; std::nullopt when the person cancels.
    virtual std::optional<std::u16string> InputBox(const std::u16string& prompt,
                                                   const std::u16string& title,
                                                   const std::u16string& defaultAnswer) = 0;

    // The main window's text window. The engine keeps its own model of the text (limits and
    // rules); these only show it.
    virtual void TextWindowSet(const std::u16string& text) = 0;
    virtual void TextWindowAppend(const std::u16string& text) = 0;

    // A label of the main window (or of another window), named by its object name, e.g.
    // "lblNumWords", "lblElapsedTime", "lblProgress".
    virtual void SetLabel(const std::string& name, const std::u16string& text) = 0;

    // File and folder choosers; std::nullopt when the person cancels.
    virtual std::optional<std::u16string> ChooseOpenFile(const std::u16string& title,
                                                         const std::u16string& filter,
                                                         const std::u16string& initialPath) = 0;
    virtual std::optional<std::u16string> ChooseSaveFile(const std::u16string& title,
                                                         const std::u16string& filter,
                                                         const std::u16string& initialPath) = 0;
    virtual std::optional<std::u16string> ChooseFolder(const std::u16string& title,
                                                       const std::u16string& initialPath) = 0;

    // Clipboard text (empty when the clipboard holds no text).
    virtual std::u16string ClipboardText() = 0;
    virtual void SetClipboardText(const std::u16string& text) = 0;

    // A short confirmation shown beside a control for about two seconds.
    virtual void PopUp(const std::u16string& text, const std::string& nearControl) = 0;

    // Lets the window system serve its events (Stop button, timers). Must be cheap: the
    // counting loops call it once per word.
    virtual void Yield() = 0;
};

} // namespace lxty
