// Windows-1252: Latin-1 everywhere except 0x80-0x9F, where Windows puts typographic quotes,
// dashes, the euro sign and a few letters. The five bytes the code page leaves undefined
// stand for the C1 control of the same value, so every byte has a character and back.

#include "util/Cp1252.h"

namespace lxty {

namespace {

constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t Cp1252ToChar(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) {
        return kHigh[c - 0x80];
    }
    return static_cast<char16_t>(c);
}

int CharToCp1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return ch;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == ch) {
            return 0x80 + i;
        }
    }
    // U+0080, U+0082 ... : C1 controls whose byte the code page gives to another character.
    return -1;
}

std::u16string Cp1252ToU16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        out += Cp1252ToChar(static_cast<unsigned char>(b));
    }
    return out;
}

std::string U16ToCp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        const int b = CharToCp1252(c);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

} // namespace lxty
