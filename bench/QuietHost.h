#pragma once
// A host for benchmarks: questions take their default answer, input boxes their default,
// choosers are cancelled, and everything shown is dropped, except message boxes when a
// stream is given for them (so a refused run says why).

#include "base/QuietHost.h"
#include "util/StringUtils.h"

#include <ostream>

namespace lxty::bench {

class QuietHost : public lxty::QuietHost {
public:
    explicit QuietHost(std::ostream* messages = nullptr) : m_messages(messages) {}

    void MessageBox(const std::u16string& text, const std::u16string& title, MsgIcon) override {
        if (m_messages)
            *m_messages << "message: " << U16ToUtf8(title) << ": " << U16ToUtf8(text) << "\n";
    }

private:
    std::ostream* m_messages;
};

} // namespace lxty::bench
