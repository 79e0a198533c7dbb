#pragma once
// Patterns in word lists: bracketed regular expressions such as <[a-z]+ing> in count-only
// lists, and the wildcards "~" (any run of characters) and "?" (any one character) in
// words-to-ignore lists. Expressions run on PCRE2 (16-bit); each distinct pattern is compiled
// once and cached. An expression the engine rejects is "not accepted" when checked and "no
// match" when matched; no error escapes.

#include <cstdint>
#include <string>
#include <string_view>

namespace lxty {

class Host;

// True, with the inner text, for a text of more than 2 characters that begins with "<" and
// ends with ">"; false with an empty inner text otherwise.
bool IsAnglePattern(std::u16string_view text, std::u16string* inner = nullptr);

// Whether the expression engine accepts pattern (case-insensitive, tried on "X").
bool IsValidRegExp(std::u16string_view pattern);

// The admission check of an angle-bracket item: 1 admitted, 0 not an angle-bracket item,
// -1 to -9 the refusals (not valid, space, unescaped ".", "^...$", unescaped "$",
// unescaped "^", square brackets, braces, parentheses).
int CheckPattern(std::u16string_view text, std::u16string* inner = nullptr);

// Shows the message box for a check result: only for a negative code unless showAlways.
// A non-empty trailer follows the message after CR LF. Information icon, the given title.
void ReportPatternCheck(Host& host, int code, std::u16string_view item, bool showAlways,
                        std::u16string_view title, std::u16string_view trailer);

// Matches one word or phrase part against a list entry: an angle-bracket entry by its inner
// expression (unanchored), any other entry with wildcard (default "~") and single (default
// "?") markers turned into ".*" and "." and anchored at both ends. Case is ignored unless
// caseSignificant. Engine errors give false and set *engineError when given.
bool RegExpMatch(std::u16string_view text, std::u16string_view entry,
                 std::u16string_view wildcard, std::u16string_view single, bool caseSignificant,
                 bool* engineError = nullptr);

// Lower-cases typed list text without touching the patterns in it.
std::u16string LowerCaseExceptRegexp(std::u16string_view text);

// Supporting tests, exposed for the list reader and for tests.
bool HasUnescapedOutsideBrackets(std::u16string_view text, char16_t c);
bool IsInsideSquareBrackets(std::u16string_view text, std::int64_t position); // 1-based
bool BracketsMatch(std::u16string_view text, char16_t open, char16_t close);

} // namespace lxty
