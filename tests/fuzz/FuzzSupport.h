#pragma once
// Shared by the libFuzzer harnesses: settings and choices taken from the front of the input.

#include "util/StringUtils.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lxty::fuzz {

// Hands out the input's first bytes as small choices; the rest is the payload.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size) {}
    // The next byte (0 once the input is used up).
    std::uint8_t Byte() {
        if (m_bytes.empty())
            return 0;
        const auto b = static_cast<std::uint8_t>(m_bytes.front());
        m_bytes.remove_prefix(1);
        return b;
    }
    bool Flag() { return Byte() & 1; }
    // Up to `most` bytes, ended early by a NUL.
    std::string_view Piece(std::size_t most) {
        std::size_t n = m_bytes.find('\0');
        n = std::min({n, most, m_bytes.size()});
        const std::string_view piece = m_bytes.substr(0, n);
        m_bytes.remove_prefix(std::min(n + 1, m_bytes.size()));
        return piece;
    }
    std::string_view Rest() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

} // namespace lxty::fuzz
