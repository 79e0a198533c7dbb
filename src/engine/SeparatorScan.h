#pragma once
// The separator scan of the piece-by-piece count: one pass over a line marks its spaces and
// no-break spaces in a bit set (sixteen units at a time with SSE2), and NextBit walks the
// pieces between them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lxty {

// Units of zeros a line gets for the piece-by-piece scan.
inline constexpr std::size_t kLinePadding = 16;

// Sets bit i of bits for each space or no-break space at i below n, and bit n; false when
// the line holds a control character other than a tab. d has kLinePadding readable units
// after n.
bool MarkSeparators(const char16_t* d, std::size_t n, std::vector<std::uint64_t>& bits);

// The first position from i on whose bit is set (set) or clear (!set). Bit n is set and the
// words after it are clear, so both searches end.
inline std::size_t NextBit(const std::uint64_t* bits, std::size_t i, bool set) {
    std::size_t w = i / 64;
    const std::uint64_t flip = set ? 0 : ~std::uint64_t{0};
    std::uint64_t word = (bits[w] ^ flip) & (~std::uint64_t{0} << (i % 64));
    while (word == 0)
        word = bits[++w] ^ flip;
    return w * 64 + static_cast<std::size_t>(__builtin_ctzll(word));
}

} // namespace lxty
