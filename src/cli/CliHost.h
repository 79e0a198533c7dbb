#pragma once
// The Host of lexitally-cli: messages and questions go to standard error as "Title: text",
// questions take their default button unless --yes or --no says otherwise, input boxes take
// their default answer, the clipboard is standard input, and the text window is kept in memory
// so that --text-window can print it at the end.

#include "base/Host.h"

#include <iosfwd>
#include <string>

namespace lxty::cli {

enum class ForcedAnswer { None, Yes, No };

class CliHost : public Host {
public:
    CliHost(std::ostream& err, ForcedAnswer forced) : m_err(err), m_forced(forced) {}

    void MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon icon) override;
    MsgAnswer Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon,
                  MsgButtons buttons, MsgAnswer defaultAnswer) override;
    std::optional<std::u16string> InputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultAnswer) override;
    void TextWindowSet(const std::u16string& text) override { m_textWindow = text; }
    void TextWindowAppend(const std::u16string& text) override { m_textWindow += text; }
    void SetLabel(const std::string&, const std::u16string&) override {}
    std::optional<std::u16string> ChooseOpenFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        return std::nullopt;
    }
    std::optional<std::u16string> ChooseSaveFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        return std::nullopt;
    }
    std::optional<std::u16string> ChooseFolder(const std::u16string&,
                                               const std::u16string&) override {
        return std::nullopt;
    }
    std::u16string ClipboardText() override { return m_clipboard; }
    void SetClipboardText(const std::u16string& text) override { m_clipboard = text; }
    void PopUp(const std::u16string&, const std::string&) override {}
    void Yield() override {}

    const std::u16string& TextWindow() const { return m_textWindow; }
    void SetForcedAnswer(ForcedAnswer forced) { m_forced = forced; }
    // Whether an error-like message (exclamation or critical icon) was shown.
    bool ErrorShown() const { return m_errorShown; }

private:
    void Write(const std::u16string& title, const std::u16string& text);

    std::ostream& m_err;
    ForcedAnswer m_forced;
    std::u16string m_textWindow;
    std::u16string m_clipboard;
    bool m_errorShown = false;
};

} // namespace lxty::cli
