#pragma once
// Expected outputs kept in files under tests/data: one harness for every test program.
//
// A file holds sections: a line "@@@ name @@@" begins one, which runs to the next such line (a
// file without one is a single section named ""). Three ways to compare with them:
//  - Golden: a test records outputs under case names, then Check compares each with the
//    section of that name. Names begin with the test's prefix, so that tests can share a file;
//    a case missing from either side fails.
//  - ExpectSection: a transcript (lines that each end with "\n") against one section.
//  - ExpectCases: a section of case lines "input | input => output" (" =>" at the end: the
//    empty output); lines starting with "#", empty lines and lines with no arrow are kept as
//    they are. The inputs of each line go through run, and the section rebuilt from the
//    outputs is compared whole, so one failure shows every case that differs. In fields
//    \r \n \t \b \f \\ \xXX and \uXXXX stand for their characters (\u0020 for spaces at the
//    edges of an output).
// With LXTY_WRITE_EXPECTED (or LXTY_UPDATE_CASES) set, each writes what it got instead: review
// the difference before committing it.

#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace lxty::test {

// The program's numbered texts, loaded once per test program.
inline void LoadTexts() {
    static const bool loaded =
        LoadProgramTexts(std::filesystem::path(LXTY_DATA_DIR) / "lxty.dat").Loaded();
    ASSERT_TRUE(loaded);
}

inline bool WritingExpected() {
    return std::getenv("LXTY_WRITE_EXPECTED") != nullptr ||
           std::getenv("LXTY_UPDATE_CASES") != nullptr;
}

// A file of tests/data (path relative to it) as its sections, each a list of lines.
class ExpectedFile {
public:
    using Lines = std::vector<std::string>;
    struct Section {
        std::string name;
        Lines lines;
    };

    explicit ExpectedFile(const std::string& relative)
        : path(std::filesystem::path(LXTY_TEST_DATA_DIR) / relative) {
        std::ifstream in(path, std::ios::binary);
        const std::string all{std::istreambuf_iterator<char>(in), {}};
        for (std::size_t at = 0; at < all.size();) {
            const std::size_t end = std::min(all.find('\n', at), all.size());
            const std::string line = all.substr(at, end - at);
            at = end + 1;
            const bool header =
                line.size() >= 8 && line.starts_with("@@@ ") && line.ends_with(" @@@");
            if (header)
                sections.push_back({line.substr(4, line.size() - 8), {}});
            else if (sections.empty())
                sections.push_back({"", {line}});
            else
                sections.back().lines.push_back(line);
        }
    }

    Section* Find(const std::string& name) {
        const auto it = std::find_if(sections.begin(), sections.end(),
                                     [&](const Section& s) { return s.name == name; });
        return it == sections.end() ? nullptr : &*it;
    }
    Section& Get(const std::string& name) {
        Section* s = Find(name);
        return s ? *s : sections.emplace_back(Section{name, {}});
    }

    void Save() const {
        std::ofstream out(path, std::ios::binary);
        for (const auto& s : sections) {
            if (!s.name.empty())
                out << "@@@ " << s.name << " @@@\n";
            for (const auto& line : s.lines)
                out << line << "\n";
        }
    }

    // A text as lines and back: joined by "\n", or (a transcript) each ended by "\n".
    static Lines Split(const std::string& text) {
        Lines out(1);
        for (char c : text) {
            if (c == '\n')
                out.emplace_back();
            else
                out.back().push_back(c);
        }
        return out;
    }
    static std::string Join(const Lines& lines) {
        std::string out;
        for (std::size_t i = 0; i < lines.size(); ++i)
            out += (i ? "\n" : "") + lines[i];
        return out;
    }
    static Lines SplitTranscript(const std::string& text) {
        return text.empty() ? Lines{} : Split(text.substr(0, text.size() - text.ends_with('\n')));
    }
    static std::string JoinTranscript(const Lines& lines) {
        std::string out;
        for (const auto& line : lines)
            out += line + "\n";
        return out;
    }

    std::filesystem::path path;
    std::vector<Section> sections;
};

class Golden {
public:
    explicit Golden(const std::string& name, std::string prefix = {})
        : m_name(name + ".txt"), m_prefix(std::move(prefix)) {}

    void Add(const std::string& caseName, const std::string& got) {
        m_got.emplace_back(m_prefix + caseName, got);
    }

    void Check() const {
        ExpectedFile file(m_name);
        const auto mine = [&](const ExpectedFile::Section& s) {
            return s.name.rfind(m_prefix, 0) == 0;
        };
        if (WritingExpected()) {
            std::erase_if(file.sections, [&](const auto& s) {
                return mine(s) && std::none_of(m_got.begin(), m_got.end(),
                                               [&](const auto& g) { return g.first == s.name; });
            });
            for (const auto& [n, content] : m_got)
                file.Get(n).lines = ExpectedFile::Split(content);
            file.Save();
            return;
        }
        EXPECT_EQ(m_got.size(), static_cast<std::size_t>(std::count_if(file.sections.begin(),
                                                                       file.sections.end(), mine)))
            << file.path << " " << m_prefix;
        for (const auto& [n, content] : m_got) {
            if (const auto* s = file.Find(n))
                EXPECT_EQ(ExpectedFile::Join(s->lines), content) << n;
            else
                ADD_FAILURE() << "no case '" << n << "' in " << file.path;
        }
    }

private:
    std::string m_name, m_prefix;
    std::vector<std::pair<std::string, std::string>> m_got;
};

inline void ExpectSection(const std::string& file, const std::string& section,
                          const std::string& actual) {
    ExpectedFile f(file);
    if (WritingExpected()) {
        f.Get(section).lines = ExpectedFile::SplitTranscript(actual);
        f.Save();
        return;
    }
    const auto* own = f.Find(section);
    ASSERT_TRUE(own) << "no section " << section << " in " << f.path;
    EXPECT_EQ(ExpectedFile::JoinTranscript(own->lines), actual) << section << " in " << f.path;
}

// A field of a case file as the program's text, and back.
inline std::u16string Unescape(const std::string& field) {
    const std::u16string in = Utf8ToU16(field);
    std::u16string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != u'\\' || i + 1 == in.size()) {
            out += in[i];
            continue;
        }
        const char16_t c = in[++i];
        const std::size_t digits = c == u'u' ? 4 : c == u'x' ? 2 : 0;
        if (digits && i + digits < in.size()) {
            out +=
                static_cast<char16_t>(std::stoi(U16ToUtf8(in.substr(i + 1, digits)), nullptr, 16));
            i += digits;
        } else {
            const std::u16string named = u"r\rn\nt\tb\bf\f";
            const std::size_t at = named.find(c);
            out += at != std::u16string::npos && at % 2 == 0 ? named[at + 1] : c;
        }
    }
    return out;
}

inline std::string Escape(const std::u16string& text) {
    static const char16_t hex[] = u"0123456789ABCDEF";
    const std::size_t first = text.find_first_not_of(u' ');
    const std::size_t last = text.find_last_not_of(u' ');
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const std::u16string named = u"\rr\nn\tt\bb\ff\\\\";
        const std::size_t at = named.find(c);
        const bool edge = c == u' ' && (i < first || i > last || first == std::u16string::npos);
        const auto high = [&](std::size_t k) { return k < text.size() && (text[k] >> 10) == 0x36; };
        const auto low = [&](std::size_t k) { return k < text.size() && (text[k] >> 10) == 0x37; };
        const bool paired = (high(i) && low(i + 1)) || (low(i) && i > 0 && high(i - 1));
        if (at != std::u16string::npos && at % 2 == 0)
            out += std::u16string(u"\\") + named[at + 1];
        else if (edge || c < 0x20 || (c >= 0x7F && c <= 0xA0) ||
                 (c >= 0xD800 && c <= 0xDFFF && !paired))
            out += std::u16string(u"\\u") + hex[c >> 12] + hex[(c >> 8) & 15] + hex[(c >> 4) & 15] +
                   hex[c & 15];
        else
            out += c;
    }
    return U16ToUtf8(out);
}

// The fields of a case input, unescaped.
using Row = std::vector<std::u16string>;
inline Row Fields(const std::string& input, const std::string& separator = " | ") {
    Row out;
    std::size_t from = 0;
    for (std::size_t at; (at = input.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        out.push_back(Unescape(input.substr(from, at - from)));
    out.push_back(Unescape(input.substr(from)));
    return out;
}

// run takes a Row and gives the output: a program text (escaped here) or a line as it is.
template <class Run>
void ExpectCases(const std::string& file, const std::string& section, const Run& run) {
    ExpectedFile f(file);
    ExpectedFile::Section* own = f.Find(section);
    ASSERT_TRUE(own) << "no section '" << section << "' in " << f.path;
    ExpectedFile::Lines actual;
    int cases = 0;
    for (const std::string& line : own->lines) {
        std::size_t arrow = line.rfind(" => ");
        if (arrow == std::string::npos && line.ends_with(" =>")) // the empty output
            arrow = line.size() - 3;
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) {
            actual.push_back(line);
            continue;
        }
        const std::string input = line.substr(0, arrow);
        const auto got = run(Fields(input));
        std::string result;
        if constexpr (std::is_convertible_v<decltype(got), std::u16string>)
            result = Escape(got);
        else
            result = got;
        actual.push_back(input + (result.empty() ? " =>" : " => " + result));
        ++cases;
    }
    EXPECT_GT(cases, 0) << section << " in " << f.path;
    if (WritingExpected()) {
        own->lines = actual;
        f.Save();
        return;
    }
    EXPECT_EQ(ExpectedFile::JoinTranscript(own->lines), ExpectedFile::JoinTranscript(actual))
        << section << " in " << f.path;
}

// A field of bytes (\xHH for each byte above 0x7F) as those bytes.
inline std::string Bytes(const std::u16string& field) {
    return std::string(field.begin(), field.end());
}

// Whole numbers and yes/no in case files.
inline long long Number(const std::u16string& field) {
    return std::stoll(U16ToUtf8(field));
}
inline std::u16string YesNo(bool b) {
    return b ? u"yes" : u"no";
}

} // namespace lxty::test
