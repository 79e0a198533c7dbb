#pragma once
// Turning the bytes of one line into characters.
//
// Files are read as bytes. A file that is not Unicode has one character per byte through
// Windows-1252. A UTF-8 file is decoded completely: every valid sequence becomes its character
// (four-byte sequences a surrogate pair), and each byte of an invalid or truncated sequence
// falls back to Windows-1252 on its own, so a stray Windows-1252 "é" in a UTF-8 file survives.
// Decoded C1 controls (U+0080 to U+009F, bytes C2 80 to C2 9F) are dropped: they are never text.
//
// Typographic punctuation of the General Punctuation block (U+2000 to U+203F) is then
// normalised so that dashes, quotes and bullets read as their ASCII forms:
//
//   U+2010 U+2011 U+2012 U+2013   "-"          U+2018 U+2019 U+201A U+201B   "'"
//   U+2014 (em dash)              " -- "       U+201C U+201D U+201E U+201F   '"'
//   U+2015                        "--"         U+2022 (bullet)               " . "
//   U+2016                        "|"          U+2026 (ellipsis)             "..."
//   U+2017                        U+2030 (the Windows-1252 character of byte 137)
//   U+2039                        "<"          U+203A                        ">"
//
// The spaces of the block (U+2000 to U+200A, U+2028, U+2029, U+202F) become one space, so that
// words never run together; every other character of the block is deleted.

#include <string>
#include <string_view>

namespace lxty {

// One character per byte through Windows-1252. out is replaced (its capacity is reused).
// True when bytes held a byte of 0x80 or above (false: the line was plain ASCII).
bool DecodeCp1252Line(std::string_view bytes, std::u16string& out);

// Complete UTF-8 decoding with the Windows-1252 fallback described above. out is replaced.
// Returns true when out holds a character of U+2000 to U+203F (so NormalisePunctuation has
// work to do).
bool DecodeUtf8Line(std::string_view bytes, std::u16string& out);

// Applies the punctuation table above to every character of line that it names, in place.
void NormalisePunctuation(std::u16string& line);

// Whether the sample is UTF-8 text: every sequence valid and at least one of them multi-byte.
// When truncated is true the sample was cut from a longer file, and a sequence cut short at
// its very end still counts as valid.
bool IsUtf8Sample(std::string_view sample, bool truncated);

} // namespace lxty
