#pragma once
// Windows-1252, the Western code page: how bytes become characters in text files that are
// not UTF-8, and how the word-character test reads a code unit's low byte.

#include <string>
#include <string_view>

namespace lxty {

// The character for byte c (0x80-0x9F through the code page's table; the five undefined
// bytes map to the C1 control of the same value, as Windows does).
char16_t Cp1252ToChar(unsigned char c);
// The byte for character ch, or -1 when the code page has none.
int CharToCp1252(char16_t ch);
// Whole texts.
std::u16string Cp1252ToU16(std::string_view bytes);
// Characters without a byte become '?'.
std::string U16ToCp1252(std::u16string_view text);

} // namespace lxty
