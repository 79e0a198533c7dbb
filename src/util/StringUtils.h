#pragma once
// String helpers shared by the whole engine. Texts are UTF-16 code units; positions are
// 1-based as in the rest of the program, 0 meaning "not found".

#include <cstdint>
#include <string>
#include <string_view>

namespace lxty {

// Lower-cases with the accented-capital table ("ŠŸÀ…Ý" -> "šÿà…ý") and the standard
// lower-case mapping for every other character.
std::u16string LowerCaseAll(std::u16string_view text);
// The exact inverse table, with the standard upper-case mapping for the rest.
std::u16string UpperCaseAll(std::u16string_view text);
// LowerCaseAll of one code unit, and of a whole string in place (no copy).
char16_t LowerCaseChar(char16_t c);
void LowerCaseAllInPlace(std::u16string& text);
// Expands ligatures and umlauts (Œ->Oe, ä->ae, ß->ss, ...) and strips accents.
std::u16string FoldAccents(std::u16string_view text);
// True when every character is a capital of the fixed capital set (true for "").
bool IsAllUpperCase(std::u16string_view text);
// True when the low byte of every code unit is below 128.
bool IsSevenBitAscii(std::u16string_view text);
// True when every character is A-Z, a-z or 0-9; valueIfEmpty for "".
bool IsAlphanumeric(std::u16string_view text, bool valueIfEmpty);

// First position at or after start (1-based) holding a character of set; 0 when none.
// indexInSet, when given, receives the 1-based index of that character in set (0 when none).
std::int64_t FindFirstOf(std::u16string_view text, std::int64_t start, std::u16string_view set,
                         int* indexInSet = nullptr);
// First position at or after start (1-based) holding a character not in set; 0 when none.
std::int64_t FindFirstNotOf(std::u16string_view text, std::int64_t start, std::u16string_view set);
// FindFirstNotOf with the set " ".
std::int64_t NextNonSpace(std::u16string_view text, std::int64_t start);
// text without the spaces (U+0020 only) at its two ends.
std::u16string TrimSpaces(std::u16string_view text);
// The same, as a view into text (no copy).
std::u16string_view TrimmedSpaces(std::u16string_view text);
// text without any character of set.
std::u16string RemoveChars(std::u16string_view text, std::u16string_view set);
// Whether word ends with ending; ignoring case unless exact.
bool EndsWith(std::u16string_view word, std::u16string_view ending, bool exact);
// word with ending (when it ends so; ignoring case unless exact) replaced by replacement.
std::u16string ReplaceSuffix(std::u16string_view word, std::u16string_view ending,
                             std::u16string_view replacement, bool exact);

// Conversions at the edges of the engine (files, command line, tests). Invalid UTF-8 bytes
// become U+FFFD; unpaired surrogates become U+FFFD in UTF-8.
std::u16string Utf8ToU16(std::string_view text);
// Appends code point cp (at most U+10FFFF) as one unit or a surrogate pair.
void AppendCodePoint(std::u16string& out, char32_t cp);
std::string U16ToUtf8(std::u16string_view text);

} // namespace lxty
