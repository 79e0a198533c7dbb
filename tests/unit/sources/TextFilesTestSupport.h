#pragma once
// Small files written for the text-source tests, in a folder of their own that is removed
// when the test ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace lxty::test {

class TextFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (auto& c : name)
            if (c == '/')
                c = '_';
        m_dir = std::filesystem::temp_directory_path() / "lxty-textfiles" / name;
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    // Writes bytes to a file of the given name in the test's folder and returns its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) {
        const auto path = m_dir / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::filesystem::path Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
};

// Bytes from a string literal that may hold NULs: Bytes("a\0b") keeps all three.
template <std::size_t N> std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

} // namespace lxty::test
