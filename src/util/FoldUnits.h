#pragma once
// The core of the program's hashes of short texts: n UTF-16 code units folded into h four at
// a time (a 64-bit multiply, then a shift to bring the high bits down), the last one to three
// together. Callers add their own seed and final mix. SameUnits compares two runs of units the
// same way, inline (words are short; a library call per word costs more than the comparison).

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

// Whether n code units at a and at b are the same.
inline bool SameUnits(const char16_t* a, const char16_t* b, std::size_t n) {
    for (; n >= 4; a += 4, b += 4, n -= 4) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        if (x != y)
            return false;
    }
    for (; n > 0; --n)
        if (*a++ != *b++)
            return false;
    return true;
}

} // namespace lxty
