#pragma once
// A host with no person behind it: nothing is shown, questions and input boxes take their
// default answer, choosers are cancelled, the clipboard is empty. Counts run for a purpose of
// their own (worker threads, a concordance, benchmarks) start from it and override what they
// need; Spoke() tells them that the count tried to speak to a person.

#include "base/Host.h"

namespace lxty {

class QuietHost : public Host {
public:
    void MessageBox(const std::u16string&, const std::u16string&, MsgIcon) override { Spoke(); }
    MsgAnswer Ask(const std::u16string&, const std::u16string&, MsgIcon, MsgButtons,
                  MsgAnswer defaultAnswer) override {
        Spoke();
        return defaultAnswer;
    }
    std::optional<std::u16string> InputBox(const std::u16string&, const std::u16string&,
                                           const std::u16string& defaultAnswer) override {
        Spoke();
        return defaultAnswer;
    }
    void TextWindowSet(const std::u16string&) override {}
    void TextWindowAppend(const std::u16string&) override {}
    void SetLabel(const std::string&, const std::u16string&) override {}
    std::optional<std::u16string> ChooseOpenFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        Spoke();
        return std::nullopt;
    }
    std::optional<std::u16string> ChooseSaveFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        Spoke();
        return std::nullopt;
    }
    std::optional<std::u16string> ChooseFolder(const std::u16string&,
                                               const std::u16string&) override {
        Spoke();
        return std::nullopt;
    }
    std::u16string ClipboardText() override { return {}; }
    void SetClipboardText(const std::u16string&) override {}
    void PopUp(const std::u16string&, const std::string&) override {}
    void Yield() override {}

protected:
    virtual void Spoke() {}
};

} // namespace lxty
