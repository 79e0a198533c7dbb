#pragma once
// Patterns in word lists: bracketed regular expressions such as <[a-z]+ing> in count-only
// lists, and the wildcards "~" (any run of characters) and "?" (any one character) in
// words-to-ignore lists. An expression the engine rejects is "not accepted" when checked and
// "no match" when matched; no error escapes.
//
// The expressions are those of the VBScript engine the lists were written for, run on PCRE2
// (16-bit): each is rewritten into PCRE2's syntax so that every construct keeps its old meaning
// (unknown escapes such as "\q" are the letter itself, "\v" is the vertical tab, "\xhh",
// "\uhhhh" and octal escapes, "\n" a back reference only after n groups, "[" literal inside a
// class, "[]" an empty class, "{" literal unless a quantifier, "$" only at the very end, \w \d
// \s \b ASCII only), and the PCRE2-only forms the old engine refused are refused ("(?<",
// "(?i)", "(?>", "(*VERB)", possessive "a*+"). Case-blind matching folds accented letters.
// Each distinct (expression, case flag) is compiled once and cached per thread. The patterns
// of the lists stay cached (up to 65,536 of a kind); other texts that the acceptance test is
// asked about (the "<...>" tags of counted text) have a cache of their own, which starts
// afresh past 4,096 expressions and never pushes out a list's pattern.

#include <cstdint>
#include <string>
#include <string_view>

namespace lxty {

class Host;

// True, with the inner text, for a text of more than 2 characters that begins with "<" and
// ends with ">"; false with an empty inner text otherwise.
bool IsAnglePattern(std::u16string_view text, std::u16string* inner = nullptr);

// Whether the expression engine accepts pattern (case-insensitive, tried on "X"). Any text may
// come here (word extraction tests whole "<...>" tags of the counted text).
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
// "?") markers turned into ".*" and "." and anchored at both ends; nothing else is escaped.
// An entry that converts to "^.*$" matches everything without the engine. Case is ignored
// unless caseSignificant. When given, *engineError is cleared and then set when the engine
// refused the expression or failed while matching; the result is then false.
bool RegExpMatch(std::u16string_view text, std::u16string_view entry, std::u16string_view wildcard,
                 std::u16string_view single, bool caseSignificant, bool* engineError = nullptr);

// A match that the engine gave up on (catastrophic backtracking stopped by its limits): the
// entry and the text. RegExpMatch reports "no match" for it and notes the first such failure.
struct TooComplexMatch {
    std::u16string entry; // empty: none
    std::u16string text;
};
// The first failure noted since the last call (none: an empty entry), and forgets it.
TooComplexMatch TakeTooComplexMatch();
// Notes a failure that another thread met, unless one is noted already.
void NoteTooComplexMatch(const TooComplexMatch& failure);
// "The pattern <...> is too complex to match against '...'"
std::u16string TooComplexMessage(const TooComplexMatch& failure);

// Patterns compiled so far by this thread (the work the caches save; for tests and benchmarks).
std::uint64_t PatternCompilations();

// Lower-cases typed list text (with LowerCaseAll) without touching the "<...>" patterns in it.
std::u16string LowerCaseExceptRegexp(std::u16string_view text);

// Lower-cases a list entry whole, except the letter of each escape inside its angle-bracket
// patterns ("<[\S]+ETH>" gives "<[\S]+eth>": \S, \W, \D and \B mean the opposite of their
// lower-case forms).
std::u16string LowerCaseListEntry(std::u16string_view entry);

// Supporting tests, exposed for the list reader and for tests.
// Whether c occurs outside square brackets without a "\" before it (an occurrence at the start
// always counts).
bool HasUnescapedOutsideBrackets(std::u16string_view text, char16_t c);
// Whether the character at 1-based position, 2 <= position < length, lies between a "[" on its
// left (not closed there) and a "]" on its right (not preceded there by a "[").
bool IsInsideSquareBrackets(std::u16string_view text, std::int64_t position);
// Both balance tests: each unescaped open needs a close after it with no open in between, and
// each unescaped close an open before it with no close in between (nesting does not match).
bool BracketsMatch(std::u16string_view text, char16_t open, char16_t close);

} // namespace lxty
