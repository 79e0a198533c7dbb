#include "cli/CliHost.h"

#include "util/StringUtils.h"

#include <ostream>

namespace lxty::cli {

namespace {

// Message texts use CR LF inside; a terminal wants plain line feeds.
std::string ForTerminal(const std::u16string& text) {
    std::u16string t;
    t.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        t += text[i] == u'\r' ? u'\n' : text[i];
    }
    return U16ToUtf8(t);
}

const char* AnswerName(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok:
        return "OK";
    case MsgAnswer::Cancel:
        return "Cancel";
    case MsgAnswer::Yes:
        return "Yes";
    case MsgAnswer::No:
        return "No";
    case MsgAnswer::Retry:
        return "Retry";
    }
    return "";
}

} // namespace

void CliHost::Write(const std::u16string& title, const std::u16string& text) {
    m_err << ForTerminal(title.empty() ? u"Lexitally" : title) << ": " << ForTerminal(text);
}

void CliHost::MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon icon) {
    if (icon == MsgIcon::Exclamation || icon == MsgIcon::Critical)
        m_errorShown = true;
    Write(title, text);
    m_err << '\n';
}

MsgAnswer CliHost::Ask(const std::u16string& text, const std::u16string& title, MsgIcon,
                       MsgButtons buttons, MsgAnswer defaultAnswer) {
    MsgAnswer a = defaultAnswer;
    const bool hasYesNo = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
    if (m_forced == ForcedAnswer::Yes)
        a = hasYesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    else if (m_forced == ForcedAnswer::No)
        a = hasYesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    Write(title, text);
    m_err << " [" << AnswerName(a) << "]\n";
    return a;
}

std::optional<std::u16string> CliHost::InputBox(const std::u16string& prompt,
                                                const std::u16string& title,
                                                const std::u16string& defaultAnswer) {
    Write(title, prompt);
    m_err << " [" << ForTerminal(defaultAnswer) << "]\n";
    return defaultAnswer;
}

} // namespace lxty::cli
