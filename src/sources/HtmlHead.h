#pragma once
// Skipping the head of an HTML document, and reading its charset on the way.
//
// The count run calls IsHtmlDocTypeLine on the lines of a file whose extension contains "htm"
// until one matches (once per file), then SkipHtmlHead with that line: the head's lines are
// read from the open file and dropped, and the text after "</HEAD>" is what the run goes on
// with. A head that declares UTF-8 switches an 8-bit file to UTF-8 from the line holding the
// declaration on, so the text after "</HEAD>" and every later line are decoded as UTF-8.

#include "sources/TextFile.h"

#include <string>
#include <string_view>

namespace lxty {

// True when line, upper-cased, holds both "<!DOCTYPE" and "HTML".
bool IsHtmlDocTypeLine(std::u16string_view line);

// True when line, upper-cased, holds "CHARSET=UTF-8" or CHARSET="UTF-8".
bool DeclaresUtf8Charset(std::u16string_view line);

// line: the line just read from file (as ReadLine gave it) that holds the document type.
// Returns the rest of the first line, from this one on, that holds "</HEAD>" (in any case;
// the rest keeps its own case), reading further lines from file as needed; "" when the file
// ends first. Blanks, line ends included, may stand between "</HEAD" and its ">": for
// "</HEAD\n><BODY>" the result is the rest of the next line after its ">". A head left
// without its end tag ends where the body tag begins: the result then starts at "<BODY". When a
// line of the head declares UTF-8 and the file is read as Windows-1252, the file is switched to
// UTF-8 (TextFile::SwitchToUtf8); file.IsUtf8() tells the outcome.
std::u16string SkipHtmlHead(std::u16string_view line, TextFile& file);

} // namespace lxty
