#pragma once
// A host for benchmarks: questions take their default answer, input boxes their default,
// choosers are cancelled, and everything shown is dropped, except message boxes when a
// stream is given for them (so a refused run says why).

#include "base/Host.h"
#include "util/StringUtils.h"

#include <ostream>

namespace lxty::bench {

class QuietHost : public Host {
public:
    explicit QuietHost(std::ostream* messages = nullptr) : m_messages(messages) {}

    void MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon) override {
        if (m_messages)
            *m_messages << "message: " << U16ToUtf8(title) << ": " << U16ToUtf8(text) << "\n";
    }
    MsgAnswer Ask(const std::u16string&, const std::u16string&, MsgIcon, MsgButtons,
                  MsgAnswer a) override {
        return a;
    }
    std::optional<std::u16string> InputBox(const std::u16string&, const std::u16string&,
                                           const std::u16string& d) override {
        return d;
    }
    void TextWindowSet(const std::u16string&) override {}
    void TextWindowAppend(const std::u16string&) override {}
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
    std::u16string ClipboardText() override { return {}; }
    void SetClipboardText(const std::u16string&) override {}
    void PopUp(const std::u16string&, const std::string&) override {}
    void Yield() override {}

private:
    std::ostream* m_messages;
};

} // namespace lxty::bench
