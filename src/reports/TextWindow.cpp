#include "reports/TextWindow.h"

#include "util/Format.h"

namespace lxty {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

void TextWindow::OutputToTxb(std::u16string_view text) {
    if (m_full)
        return;
    const auto before = static_cast<std::int64_t>(m_text.size());
    std::u16string_view accepted;
    if (before < kCapacity) {
        accepted = text.substr(0, static_cast<std::size_t>(kCapacity - before));
        // Never leave half of a surrogate pair at the end of the window.
        if (accepted.size() < text.size() && !accepted.empty() && IsHighSurrogate(accepted.back()))
            accepted.remove_suffix(1);
    }
    if (!accepted.empty()) {
        m_text.append(accepted);
        m_host.TextWindowAppend(std::u16string(accepted));
    }
    // Text that did not fit (all of it, or its end) means the window is full: the note goes
    // in at once, so that a listing whose last block was cut never ends mid-line unexplained.
    if (accepted.size() < text.size())
        ShowFull();
}

void TextWindow::ShowFull() {
    m_host.SetLabel("lblTwirler", u"");
    if (m_text.size() > 1024)
        m_text.erase(m_text.size() - 256);
    m_text += u"\n\nTextbox is full.";
    if (folderRun.inProgress) {
        m_text += u"\n\nTo this point: " + Digits(folderRun.files) + u" file" +
                  (folderRun.files == 1 ? u"" : u"s") + u" in " + Digits(folderRun.folders) +
                  u" folder" + (folderRun.folders == 1 ? u"" : u"s");
        if (emptyInputFileBox)
            emptyInputFileBox();
    }
    m_host.TextWindowSet(m_text);
    m_full = true;
}

void TextWindow::ClearOutput() {
    m_text.clear();
    m_host.TextWindowSet(m_text);
    m_full = false;
}

void TextWindow::SetText(std::u16string_view text) {
    m_text.assign(text);
    m_host.TextWindowSet(m_text);
}

} // namespace lxty
