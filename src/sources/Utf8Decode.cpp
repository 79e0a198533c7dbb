// Line decoding sits on the hot path of every count: a 100 MB file is ~100 million bytes, so
// both decoders work on the whole line with a reused output buffer and an ASCII fast path.

#include "sources/Utf8Decode.h"

#include "util/Cp1252.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxty {

namespace {

// Byte -> character through Windows-1252, built once from the shared code-page table.
const std::array<char16_t, 256>& Cp1252Table() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = Cp1252ToChar(static_cast<unsigned char>(b));
        return t;
    }();
    return table;
}

enum : int { kInvalid = 0, kCutShort = -1 };

// Number of ASCII bytes (below 0x80) at the start of p[0..n), looked at 16 (or 8) at a time.
std::size_t AsciiRun(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const int high = _mm_movemask_epi8(v);
        if (high != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
        i += 16;
    }
#endif
    while (i + 8 <= n) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p + i, 8);
        if (chunk & 0x8080808080808080ull)
            break;
        i += 8;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

// Widens count ASCII bytes to code units.
inline void WidenAscii(const unsigned char* p, std::size_t count, char16_t* out) {
    std::size_t k = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= count; k += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; k < count; ++k)
        out[k] = p[k];
}

// Length of the valid multi-byte sequence at p (2 to 4) with its code point in cp; kInvalid
// when the bytes are not a valid sequence; kCutShort when the bytes so far are a valid start
// but the text ends before the sequence does. Overlong forms, surrogates and code points past
// U+10FFFF are invalid, as the UTF-8 standard requires.
int MultiByteSequence(const unsigned char* p, std::size_t avail, char32_t& cp) {
    const unsigned char b0 = p[0];
    int len;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return kInvalid;
    }
    for (int k = 1; k < len; ++k) {
        if (static_cast<std::size_t>(k) >= avail)
            return kCutShort;
        const unsigned char b = p[k];
        const unsigned char min = k == 1 ? lo : 0x80;
        const unsigned char max = k == 1 ? hi : 0xBF;
        if (b < min || b > max)
            return kInvalid;
        cp = (cp << 6) | (b & 0x3F);
    }
    return len;
}

} // namespace

bool DecodeCp1252Line(std::string_view bytes, std::u16string& out) {
    const auto& table = Cp1252Table();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    out.resize(n);
    char16_t* o = out.data();
    // Runs of ASCII bytes are widened eight at a time; the table maps the rest.
    bool high = false;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t ascii = AsciiRun(p + i, n - i);
        WidenAscii(p + i, ascii, o + i);
        i += ascii;
        if (i < n) {
            o[i] = table[p[i]];
            ++i;
            high = true;
        }
    }
    return high;
}

bool DecodeUtf8Line(std::string_view bytes, std::u16string& out) {
    const auto& table = Cp1252Table();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    // Never longer than the byte count: every byte yields at most one unit, and a four-byte
    // sequence yields two.
    out.resize(n);
    std::size_t o = 0;
    bool punctuation = false;
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            const std::size_t ascii = AsciiRun(p + i, n - i);
            WidenAscii(p + i, ascii, out.data() + o);
            o += ascii;
            i += ascii;
            continue;
        }
        char32_t cp = 0;
        const int len = MultiByteSequence(p + i, n - i, cp);
        if (len <= 0) {
            // Not UTF-8 here: this one byte is a Windows-1252 character.
            const char16_t c = table[b];
            punctuation = punctuation || (c >= 0x2000 && c <= 0x203F);
            out[o++] = c;
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(len);
        if (cp <= 0x9F)
            continue; // a C1 control: not text
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out[o++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            out[o++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
            continue;
        }
        if (cp >= 0x2000 && cp <= 0x203F)
            punctuation = true;
        out[o++] = static_cast<char16_t>(cp);
    }
    out.resize(o);
    return punctuation;
}

void NormalisePunctuation(std::u16string& line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] < 0x2000 || line[i] > 0x203F))
        ++i;
    if (i == line.size())
        return;
    // Replacements may be longer than one character, so the rest is rebuilt in a scratch
    // buffer that is swapped with the line: both keep their capacity, nothing is allocated
    // per line once the buffers have grown.
    thread_local std::u16string out;
    out.assign(line, 0, i);
    for (; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (c < 0x2000 || c > 0x203F) {
            out += c;
            continue;
        }
        switch (c) {
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
            out += u'-';
            break;
        case 0x2014:
            out += u" -- ";
            break;
        case 0x2015:
            out += u"--";
            break;
        case 0x2016:
            out += u'|';
            break;
        case 0x2017:
            out += Cp1252ToChar(137);
            break;
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
            out += u'\'';
            break;
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
            out += u'"';
            break;
        case 0x2022:
            out += u" . ";
            break;
        case 0x2026:
            out += u"...";
            break;
        case 0x2039:
            out += u'<';
            break;
        case 0x203A:
            out += u'>';
            break;
        default:
            // The block's spaces keep the words apart; its other marks carry no words.
            if (c <= 0x200A || c == 0x2028 || c == 0x2029 || c == 0x202F)
                out += u' ';
            break;
        }
    }
    line.swap(out);
}

bool IsUtf8Sample(std::string_view sample, bool truncated) {
    const auto* p = reinterpret_cast<const unsigned char*>(sample.data());
    const std::size_t n = sample.size();
    bool multiByte = false;
    for (std::size_t i = 0; i < n;) {
        if (p[i] < 0x80) {
            i += AsciiRun(p + i, n - i);
            continue;
        }
        char32_t cp = 0;
        const int len = MultiByteSequence(p + i, n - i, cp);
        if (len == kCutShort)
            return truncated && multiByte;
        if (len == kInvalid)
            return false;
        multiByte = true;
        i += static_cast<std::size_t>(len);
    }
    return multiByte;
}

} // namespace lxty
