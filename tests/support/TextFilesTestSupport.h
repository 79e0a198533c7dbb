#pragma once
// The rig of the text-source and saved-state tests: a fresh folder of their own (removed when the
// test ends, never shared with a test running beside it), files written into it, and the host's
// messages in one comparable form.

#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace lxty::test {

class TextFilesTest : public ::testing::Test {
protected:
    // Writes bytes to a file of the given name in the test's folder and returns its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) {
        return WriteBytes(m_dir / name, bytes);
    }
    // Writes each named file (folders made on the way) holding "text".
    void Files(std::initializer_list<std::string> names) {
        for (const auto& n : names)
            Write(n, "text");
    }
    std::filesystem::path Dir() const { return m_dir.path(); }

private:
    TempDir m_dir{"lxty-textfiles"};
};

// Each message as "[?]title: text (icon number)", "?" marking a question.
inline std::vector<std::u16string> Said(const FakeHost& h) {
    std::vector<std::u16string> out;
    for (const auto& m : h.messages)
        out.push_back((m.question ? u"?" : u"") + m.title + u": " + m.text + u" (" +
                      static_cast<char16_t>(u'0' + static_cast<int>(m.icon)) + u")");
    return out;
}

// Bytes from a string literal that may hold NULs: Bytes("a\0b") keeps all three.
template <std::size_t N> std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

} // namespace lxty::test
