#pragma once
// Case files: tables of inputs with the output each must give, one case a line, in
// tests/data/cases/<name>. A line reads "input | input | ... => output" (" =>" at the end: the
// empty output); lines starting with "#" and empty lines are kept as they are. In fields,
// \r \n \t \\ \xXX and \uXXXX stand for themselves (\u0020 for spaces at the edges). The test
// runs every line's inputs and compares the whole file with the file rebuilt from the results,
// so one failure shows every case that differs. With LXTY_UPDATE_CASES=1 in the environment
// the rebuilt file is written instead (review the difference before committing it).

#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace lxty::test {

// A field of a case file as the program's text, and back.
inline std::u16string Unescape(const std::string& field) {
    std::u16string out;
    const std::u16string in = Utf8ToU16(field);
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
            out += c == u'r' ? u'\r' : c == u'n' ? u'\n' : c == u't' ? u'\t' : c;
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
        const bool edge = c == u' ' && (i < first || i > last || first == std::u16string::npos);
        if (c == u'\r' || c == u'\n' || c == u'\t' || c == u'\\')
            out += std::u16string(u"\\") + (c == u'\r'   ? u'r'
                                            : c == u'\n' ? u'n'
                                            : c == u'\t' ? u't'
                                                         : c);
        else if (edge || c < 0x20 || (c >= 0x7F && c <= 0xA0)) // unseen characters
            out += std::u16string(u"\\u00") + hex[c >> 4] + hex[c & 15];
        else
            out += c;
    }
    return U16ToUtf8(out);
}

// Runs `run` on the (unescaped) inputs of every case of tests/data/cases/<name> and checks
// that it gives the outputs written there.
inline void
ExpectCases(const std::string& name,
            const std::function<std::u16string(const std::vector<std::u16string>&)>& run) {
    const auto path = std::filesystem::path(LXTY_TEST_DATA_DIR) / "cases" / name;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::string expected{std::istreambuf_iterator<char>(in), {}};
    std::string actual;
    int cases = 0;
    for (std::size_t at = 0; at < expected.size();) {
        const std::size_t end = std::min(expected.find('\n', at), expected.size());
        const std::string line = expected.substr(at, end - at);
        at = end + 1;
        std::size_t arrow = line.rfind(" => ");
        if (arrow == std::string::npos && line.ends_with(" =>")) // the empty output
            arrow = line.size() - 3;
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) {
            actual += line + "\n";
            continue;
        }
        std::vector<std::u16string> inputs;
        const std::string fields = line.substr(0, arrow);
        for (std::size_t f = 0;;) {
            const std::size_t bar = fields.find(" | ", f);
            inputs.push_back(Unescape(fields.substr(f, bar - f)));
            if (bar == std::string::npos)
                break;
            f = bar + 3;
        }
        const std::string result = Escape(run(inputs));
        actual += fields + (result.empty() ? " =>" : " => " + result) + "\n";
        ++cases;
    }
    EXPECT_GT(cases, 0) << path;
    if (std::getenv("LXTY_UPDATE_CASES"))
        std::ofstream(path, std::ios::binary) << actual;
    else
        EXPECT_EQ(expected, actual) << path;
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
