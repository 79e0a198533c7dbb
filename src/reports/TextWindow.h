#pragma once
// The main window's text window as the engine sees it: the model owns the text, applies the
// window's capacity rules and pushes every change to the Host (TextWindowSet/Append), which
// only shows it.
//
// Capacity: appends are taken only up to 65,000 characters; SetText stores any text whole. An
// append whose text does not fit whole (cut at the capacity, or refused) marks the window
// full: the last 256 characters are removed (text longer than 1,024 characters), CR LF CR LF
// "Textbox is full." is appended (plus the files and folders scanned so far during a folder
// run) and every later OutputToTxb is ignored until ClearOutput.

#include "base/Host.h"
#include "engine/WordTable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lxty {

class TextWindow : public TextWindowSink {
public:
    // Numbers of a folder run in progress, kept up to date by the folder walk; they go into
    // the "Textbox is full." note.
    struct FolderRunProgress {
        bool inProgress = false;
        std::int64_t files = 0;
        std::int64_t folders = 0;
    };

    explicit TextWindow(Host& host) : m_host(host) {}

    // Appends text (the one way to append). Ignored while the window is full.
    void OutputToTxb(std::u16string_view text);
    // Empties the window and clears the full mark.
    void ClearOutput();
    // Replaces the whole text, whatever its length; the full mark is left as it is.
    void SetText(std::u16string_view text);

    const std::u16string& Text() const { return m_text; }
    std::int64_t Length() const override { return static_cast<std::int64_t>(m_text.size()); }

    // The counting code's view of the window.
    void Append(const std::u16string& text) override { OutputToTxb(text); }
    void Clear() override { ClearOutput(); }

    // The window takes no more text (set by OutputToTxb and by a listing pass whose pending
    // text reached the capacity; cleared only by ClearOutput).
    bool blnTextboxFull() const { return m_full; }
    void SetTextboxFull() { m_full = true; }

    FolderRunProgress folderRun;
    // Empties the input-file box, which shows the current file during a folder run; called
    // when the window fills up during a folder run.
    std::function<void()> emptyInputFileBox;

private:
    void ShowFull();

    Host& m_host;
    std::u16string m_text;
    bool m_full = false;
};

} // namespace lxty
