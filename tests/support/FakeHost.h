#pragma once
// A scripted host for tests: records every message box, question, input box, label and
// text-window change, and answers questions and input boxes from scripts (first in, first
// out). An unscripted question takes its default button; an unscripted input box its default.

#include "base/Host.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lxty::test {

struct RecordedMessage {
    std::u16string text;
    std::u16string title;
    MsgIcon icon = MsgIcon::None;
    bool question = false;
    MsgAnswer answer = MsgAnswer::Ok; // the answer given, for questions
};

class FakeHost : public Host {
public:
    std::vector<RecordedMessage> messages;
    std::deque<MsgAnswer> answers;                         // scripted answers to questions
    std::deque<std::optional<std::u16string>> inputs;      // scripted answers to input boxes
    std::deque<std::optional<std::u16string>> chosenPaths; // scripted file/folder choosers
    std::u16string textWindow;
    std::map<std::string, std::u16string> labels;
    std::u16string clipboard;
    std::vector<std::u16string> popUps;
    std::vector<std::u16string> inputPrompts, inputTitles;
    long long yields = 0;
    // Called on every Yield(), e.g. to request a stop in the middle of a run.
    std::function<void()> onYield;

    void MessageBox(const std::u16string& text, const std::u16string& title,
                    MsgIcon icon) override {
        messages.push_back({text, title, icon, false, MsgAnswer::Ok});
    }
    MsgAnswer Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon, MsgButtons,
                  MsgAnswer defaultAnswer) override {
        MsgAnswer a = defaultAnswer;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        messages.push_back({text, title, icon, true, a});
        return a;
    }
    std::optional<std::u16string> InputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultAnswer) override {
        inputPrompts.push_back(prompt);
        inputTitles.push_back(title);
        if (inputs.empty())
            return defaultAnswer;
        auto v = inputs.front();
        inputs.pop_front();
        return v;
    }
    void TextWindowSet(const std::u16string& text) override { textWindow = text; }
    void TextWindowAppend(const std::u16string& text) override { textWindow += text; }
    void SetLabel(const std::string& name, const std::u16string& text) override {
        labels[name] = text;
    }
    std::optional<std::u16string> ChooseOpenFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        return NextPath();
    }
    std::optional<std::u16string> ChooseSaveFile(const std::u16string&, const std::u16string&,
                                                 const std::u16string&) override {
        return NextPath();
    }
    std::optional<std::u16string> ChooseFolder(const std::u16string&,
                                               const std::u16string&) override {
        return NextPath();
    }
    std::u16string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::u16string& text) override { clipboard = text; }
    void PopUp(const std::u16string& text, const std::string&) override { popUps.push_back(text); }
    void Yield() override {
        ++yields;
        if (onYield)
            onYield();
    }

    // The texts of all recorded messages, in order.
    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> out;
        for (const auto& m : messages)
            out.push_back(m.text);
        return out;
    }

private:
    std::optional<std::u16string> NextPath() {
        if (chosenPaths.empty())
            return std::nullopt;
        auto v = chosenPaths.front();
        chosenPaths.pop_front();
        return v;
    }
};

} // namespace lxty::test
