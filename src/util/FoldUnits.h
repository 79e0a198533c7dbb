#pragma once
// The core of the program's hashes of short texts: n UTF-16 code units folded into h four at
// a time (a 64-bit multiply, then a shift to bring the high bits down), the last one to three
// together. Callers add their own seed and final mix.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lxty {

inline std::uint64_t FoldUnits(std::uint64_t h, const char16_t* p, std::size_t n) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    for (; n >= 4; p += 4, n -= 4) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        h = (h ^ chunk) * kMul;
        h ^= h >> 29;
    }
    if (n > 0) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, p, n * 2);
        h = (h ^ chunk) * kMul;
        h ^= h >> 29;
    }
    return h;
}

} // namespace lxty
