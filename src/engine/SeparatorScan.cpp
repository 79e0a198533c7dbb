#include "engine/SeparatorScan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxty {

bool MarkSeparators(const char16_t* d, std::size_t n, std::vector<std::uint64_t>& bits) {
    bits.assign(n / 64 + 2, 0);
    std::size_t b = 0;
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(u' ');
    const __m128i nbsp = _mm_set1_epi16(static_cast<short>(0xA0));
    const __m128i tab = _mm_set1_epi16(u'\t');
    const __m128i upTo31 = _mm_set1_epi16(31);
    const __m128i zero = _mm_setzero_si128();
    std::uint32_t controls = 0;
    for (; b < n; b += 16) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + b));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + b + 8));
        const __m128i sep0 = _mm_or_si128(_mm_cmpeq_epi16(v0, space), _mm_cmpeq_epi16(v0, nbsp));
        const __m128i sep1 = _mm_or_si128(_mm_cmpeq_epi16(v1, space), _mm_cmpeq_epi16(v1, nbsp));
        const __m128i ctl0 = _mm_andnot_si128(_mm_cmpeq_epi16(v0, tab),
                                              _mm_cmpeq_epi16(_mm_subs_epu16(v0, upTo31), zero));
        const __m128i ctl1 = _mm_andnot_si128(_mm_cmpeq_epi16(v1, tab),
                                              _mm_cmpeq_epi16(_mm_subs_epu16(v1, upTo31), zero));
        auto sep = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(sep0, sep1)));
        auto ctl = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(ctl0, ctl1)));
        if (n - b < 16) { // the padding is neither a separator nor a control character
            const std::uint32_t keep = (std::uint32_t{1} << (n - b)) - 1;
            sep &= keep;
            ctl &= keep;
        }
        controls |= ctl;
        bits[b / 64] |= static_cast<std::uint64_t>(sep) << (b % 64);
    }
    if (controls != 0)
        return false;
#else
    for (; b < n; ++b) {
        const char16_t c = d[b];
        if (c < 32 && c != u'\t')
            return false;
        if (c == u' ' || c == 0xA0)
            bits[b / 64] |= std::uint64_t{1} << (b % 64);
    }
#endif
    bits[n / 64] |= std::uint64_t{1} << (n % 64);
    return true;
}

} // namespace lxty
