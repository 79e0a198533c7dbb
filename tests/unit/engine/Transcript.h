#pragma once
// Transcripts of the engine tests: texts and messages as lines, compared with the sections of
// tests/data/engine/*.txt through the shared harness (Golden.h).

#include "FakeHost.h"
#include "Golden.h"

#include <string>
#include <utility>
#include <vector>

namespace lxty::test {

// A text as transcript lines, indented by two spaces: LF ends a line, as the program writes
// it; a CR is shown as \r, so a CR LF stays visible; each (from, to) replacement is made first
// (test folders become short names).
inline std::string
TranscriptText(std::u16string text,
               const std::vector<std::pair<std::u16string, std::u16string>>& replace = {}) {
    for (const auto& [from, to] : replace)
        for (std::size_t at; !from.empty() && (at = text.find(from)) != std::u16string::npos;)
            text.replace(at, from.size(), to);
    std::string out;
    std::u16string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n') {
            out += (line.empty() ? "" : "  " + U16ToUtf8(line)) + "\n";
            line.clear();
        } else if (text[i] == u'\r') {
            line += u"\\r";
        } else {
            line += text[i];
        }
    }
    return out;
}

// The messages a host showed, each as "[title] icon (answer)" and its text, then forgotten.
inline std::string
Shown(FakeHost& host, const std::vector<std::pair<std::u16string, std::u16string>>& replace = {}) {
    static const char* const icons[] = {"", " (i)", " (!)", " (x)", " (?)"};
    static const char* const answers[] = {"ok", "cancel", "yes", "no", "retry"};
    std::string out;
    for (const auto& m : host.messages)
        out += "[" + U16ToUtf8(m.title) + "]" + icons[static_cast<int>(m.icon)] +
               (m.question ? std::string(" asked: ") + answers[static_cast<int>(m.answer)] : "") +
               "\n" + TranscriptText(m.text, replace);
    host.messages.clear();
    return out;
}

} // namespace lxty::test
