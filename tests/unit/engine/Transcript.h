#pragma once
// Expected transcripts of the engine tests: the files in tests/data/engine hold sections that
// begin with a line "## name". A test compares what it recorded with its own section; run a
// test program with LXTY_WRITE_EXPECTED set to rewrite the sections of the tests it runs.

#include "FakeHost.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lxty::test {

inline void ExpectSection(const std::string& file, const std::string& section,
                          const std::string& actual) {
    const auto path = std::filesystem::path(LXTY_TEST_DATA_DIR) / "engine" / file;
    std::vector<std::pair<std::string, std::string>> sections; // in the file's order
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("## ", 0) == 0)
            sections.emplace_back(line.substr(3), "");
        else if (!sections.empty())
            sections.back().second += line + "\n";
    auto own = std::find_if(sections.begin(), sections.end(),
                            [&](const auto& s) { return s.first == section; });
    if (std::getenv("LXTY_WRITE_EXPECTED") != nullptr) {
        if (own == sections.end())
            own = sections.emplace(sections.end(), section, "");
        own->second = actual;
        std::ofstream out(path, std::ios::binary);
        for (const auto& [name, text] : sections)
            out << "## " << name << "\n" << text;
        return;
    }
    ASSERT_TRUE(own != sections.end()) << "no section " << section << " in " << path;
    EXPECT_EQ(own->second, actual) << section << " in " << path;
}

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

// Case files: a section whose lines read "input => output" (lines that begin with "#" are
// comments). The fields of each input (separated by " | ") go through run, and the section
// as it would read with run's outputs is compared with the section as it is. In inputs and
// outputs \r \n \t \b \f \\ and \uXXXX stand for their characters (Escape, Unescape).
inline std::u16string Unescape(const std::string& text) {
    const std::u16string t = Utf8ToU16(text);
    std::u16string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != u'\\' || i + 1 == t.size()) {
            out += t[i];
            continue;
        }
        const char16_t c = t[++i];
        if (c == u'u' && i + 4 < t.size()) {
            out += static_cast<char16_t>(std::stoi(U16ToUtf8(t.substr(i + 1, 4)), nullptr, 16));
            i += 4;
        } else {
            out += c == u'r'   ? u'\r'
                   : c == u'n' ? u'\n'
                   : c == u't' ? u'\t'
                   : c == u'b' ? u'\b'
                   : c == u'f' ? u'\f'
                               : c;
        }
    }
    return out;
}

inline std::string Escape(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        const char16_t* named = c == u'\r'   ? u"\\r"
                                : c == u'\n' ? u"\\n"
                                : c == u'\t' ? u"\\t"
                                : c == u'\b' ? u"\\b"
                                : c == u'\f' ? u"\\f"
                                : c == u'\\' ? u"\\\\"
                                             : nullptr;
        if (named) {
            out += named;
        } else if (c < 0x20 || (c >= 0x7F && c <= 0xA0) || (c >= 0xD800 && c <= 0xDFFF)) {
            static const char16_t hex[] = u"0123456789ABCDEF";
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 0xF];
        } else {
            out += c;
        }
    }
    return U16ToUtf8(out);
}

// The fields of a case input, unescaped.
inline std::vector<std::u16string> Fields(const std::string& input,
                                          const std::string& separator = " | ") {
    std::vector<std::u16string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = input.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        out.push_back(Unescape(input.substr(from, at - from)));
    out.push_back(Unescape(input.substr(from)));
    return out;
}

using Row = std::vector<std::u16string>;
inline void ExpectCases(const std::string& file, const std::string& section,
                        const std::function<std::string(const Row&)>& run) {
    const auto path = std::filesystem::path(LXTY_TEST_DATA_DIR) / "engine" / file;
    std::ifstream in(path, std::ios::binary);
    std::string line, expected, actual;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            inside = line == "## " + section;
            continue;
        }
        if (!inside)
            continue;
        expected += line + "\n";
        const auto arrow = line[0] == '#' ? std::string::npos : line.find(" => ");
        actual += arrow == std::string::npos
                      ? line
                      : line.substr(0, arrow + 4) + run(Fields(line.substr(0, arrow)));
        actual += "\n";
    }
    ASSERT_FALSE(expected.empty()) << "no cases in section " << section << " of " << path;
    if (std::getenv("LXTY_WRITE_EXPECTED") != nullptr)
        ExpectSection(file, section, actual); // rewrites the section
    EXPECT_EQ(expected, actual) << section << " in " << path;
}

} // namespace lxty::test
