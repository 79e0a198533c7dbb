#pragma once
// Expected outputs kept in files: tests/data/<name>.txt holds "@@@ case @@@" lines, each
// followed by the exact output of that case (which may span lines and holds no "\n@@@ ").
// A test records what it got under each case name, then Check compares the cases with the
// file's sections whose names begin with the test's prefix, failing on a case missing from
// either side; several tests can so share one file. To rewrite the sections after a
// deliberate change of the output, run the test with LXTY_WRITE_EXPECTED=1 and review the
// difference before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lxty::test {

class Golden {
public:
    using Sections = std::vector<std::pair<std::string, std::string>>;

    explicit Golden(const std::string& name, std::string prefix = {})
        : m_path(std::filesystem::path(LXTY_TEST_DATA_DIR) / (name + ".txt")),
          m_prefix(std::move(prefix)) {}

    void Add(const std::string& caseName, const std::string& got) {
        m_got.emplace_back(m_prefix + caseName, got);
    }

    void Check() const {
        Sections all = Read(m_path);
        const auto mine = [&](const auto& s) { return s.first.rfind(m_prefix, 0) == 0; };
        if (std::getenv("LXTY_WRITE_EXPECTED") != nullptr) {
            all.erase(std::remove_if(all.begin(), all.end(), mine), all.end());
            all.insert(all.end(), m_got.begin(), m_got.end());
            std::ofstream out(m_path, std::ios::binary);
            for (const auto& [n, content] : all)
                out << "@@@ " << n << " @@@\n" << content << "\n";
            return;
        }
        EXPECT_EQ(m_got.size(),
                  static_cast<std::size_t>(std::count_if(all.begin(), all.end(), mine)))
            << m_path << " " << m_prefix;
        for (const auto& [n, content] : m_got) {
            const auto it = std::find_if(all.begin(), all.end(),
                                         [&, name = n](const auto& s) { return s.first == name; });
            if (it == all.end())
                ADD_FAILURE() << "no case '" << n << "' in " << m_path;
            else
                EXPECT_EQ(it->second, content) << n;
        }
    }

private:
    static Sections Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        const std::string all = s.str();
        Sections out;
        for (std::size_t pos = 0; (pos = all.find("@@@ ", pos)) != std::string::npos;) {
            const auto nameEnd = all.find(" @@@\n", pos);
            const auto start = nameEnd + 5;
            auto next = all.find("\n@@@ ", start);
            if (next == std::string::npos)
                next = all.size() - 1; // the file ends with one "\n"
            out.emplace_back(all.substr(pos + 4, nameEnd - pos - 4),
                             all.substr(start, next - start));
            pos = next + 1;
        }
        return out;
    }

    std::filesystem::path m_path;
    std::string m_prefix;
    Sections m_got;
};

} // namespace lxty::test
