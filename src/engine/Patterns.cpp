#include "engine/Patterns.h"

#include "base/Host.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>
#include <unordered_map>
#include <utility>

namespace lxty {

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Reads count hex digits at pos; -1 when they are not all there.
long ReadHex(std::u16string_view in, std::size_t pos, std::size_t count) {
    if (pos + count > in.size())
        return -1;
    long value = 0;
    for (std::size_t k = 0; k < count; ++k) {
        int h = HexValue(in[pos + k]);
        if (h < 0)
            return -1;
        value = value * 16 + h;
    }
    return value;
}

void AppendCodePoint(std::u16string& out, long cp) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    out += u"\\x{";
    char16_t digits[8];
    int n = 0;
    do {
        digits[n++] = kHex[cp % 16];
        cp /= 16;
    } while (cp > 0);
    while (n > 0)
        out += digits[--n];
    out += u'}';
}

// The old engine's octal escapes: \n, \nm, and \nml when n is 0-3. Returns the units used.
std::size_t AppendOctal(std::u16string_view in, std::size_t pos, std::u16string& out) {
    std::size_t maxDigits = (in[pos] <= u'3') ? 3 : 2;
    long value = 0;
    std::size_t used = 0;
    while (used < maxDigits && pos + used < in.size() && IsOctalDigit(in[pos + used])) {
        value = value * 8 + (in[pos + used] - u'0');
        ++used;
    }
    AppendCodePoint(out, value);
    return used;
}

bool IsClassEscapeLetter(char16_t c) {
    return c == u'd' || c == u'D' || c == u'w' || c == u'W' || c == u's' || c == u'S';
}

// The hex escapes shared by both contexts: \xhh and \uhhhh (a surrogate pair written as two
// \u escapes is one character). Returns the units used, 0 when this is no hex escape.
std::size_t AppendHexEscape(std::u16string_view in, std::size_t i, std::u16string& out) {
    char16_t d = in[i + 1];
    if (d == u'x') {
        long v = ReadHex(in, i + 2, 2);
        if (v < 0)
            return 0;
        AppendCodePoint(out, v);
        return 4;
    }
    long v = ReadHex(in, i + 2, 4);
    if (v < 0)
        return 0;
    if (v >= 0xD800 && v <= 0xDBFF && i + 12 <= in.size() && in[i + 6] == u'\\' &&
        in[i + 7] == u'u') {
        long low = ReadHex(in, i + 8, 4);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            AppendCodePoint(out, 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00));
            return 12;
        }
    }
    AppendCodePoint(out, v);
    return 6;
}

// One escape ("\" and what follows) at in[i], written in PCRE2's syntax. Inside a character
// class "\b" is the backspace and there are no back references; outside, "\b" and "\B" are
// word boundaries and "\n" refers to group n when at least n groups precede it (else it is
// an octal escape, or "\8" and "\9" the digit). Returns the units used, 0 for an escape the
// old engine refused (a "\" at the very end). classEscape: it was \d \D \w \W \s or \S.
std::size_t TranslateEscape(std::u16string_view in, std::size_t i, bool inClass, int groupsOpened,
                            std::u16string& out, bool& classEscape) {
    const std::size_t n = in.size();
    classEscape = false;
    if (i + 1 == n)
        return 0;
    const char16_t d = in[i + 1];
    if (IsClassEscapeLetter(d)) {
        classEscape = true;
        out += u'\\';
        out += d;
        return 2;
    }
    if (d == u'f' || d == u'n' || d == u'r' || d == u't' ||
        (!inClass && (d == u'b' || d == u'B'))) {
        out += u'\\';
        out += d;
        return 2;
    }
    if (d == u'b') {
        AppendCodePoint(out, 0x08); // backspace inside a class
        return 2;
    }
    if (d == u'v') {
        AppendCodePoint(out, 0x0B); // the vertical tab, not PCRE2's \v class
        return 2;
    }
    if (d == u'c') {
        if (i + 2 < n && IsAsciiLetter(in[i + 2])) {
            out += u"\\c";
            out += in[i + 2];
            return 3;
        }
        out += u"\\\\"; // a lone "\c" is a backslash; the "c" follows as itself
        return 1;
    }
    if (d == u'x' || d == u'u') {
        if (const std::size_t used = AppendHexEscape(in, i, out); used > 0)
            return used;
        out += d; // without its digits: the letter itself
        return 2;
    }
    if (IsAsciiDigit(d)) {
        if (inClass || d == u'0')
            return IsOctalDigit(d) ? 1 + AppendOctal(in, i + 1, out) : (out += d, 2);
        const int first = d - u'0';
        const int two =
            (i + 2 < n && IsAsciiDigit(in[i + 2])) ? first * 10 + (in[i + 2] - u'0') : -1;
        auto appendBackReference = [&out](int number) {
            out += u"\\g{";
            if (number >= 10)
                out += static_cast<char16_t>(u'0' + number / 10);
            out += static_cast<char16_t>(u'0' + number % 10);
            out += u'}';
        };
        if (two > 0 && two <= groupsOpened) {
            appendBackReference(two);
            return 3;
        }
        if (first <= groupsOpened) {
            appendBackReference(first);
            return 2;
        }
        if (IsOctalDigit(d))
            return 1 + AppendOctal(in, i + 1, out);
        out += d; // "\8" or "\9" without such a group: the digit itself
        return 2;
    }
    if (IsAsciiLetter(d)) {
        out += d; // an unknown escape stands for the letter itself
    } else if (d < 0x80) {
        out += u'\\';
        out += d;
    } else {
        out += d;
    }
    return 2;
}

// One character of a character class other than an escape; returns whether the class ends.
// "[" is literal inside a class (PCRE2 would read "[:alpha:]" forms), and a "-" next to a class
// escape ("[\d-z]") is the character itself, which PCRE2 would call a bad range.
bool TranslateClassCharacter(std::u16string_view in, std::size_t i, bool lastWasClassEscape,
                             std::u16string& out) {
    const char16_t c = in[i];
    if (c == u']') {
        out += c;
        return true;
    }
    if (c == u'[')
        out += u"\\[";
    else if (c == u'-' && (lastWasClassEscape || (i + 2 < in.size() && in[i + 1] == u'\\' &&
                                                  IsClassEscapeLetter(in[i + 2]))))
        out += u"\\-";
    else
        out += c;
    return false;
}

// The end of "{n}", "{n,}" or "{n,m}" at in[i] (the index of its "}"), or npos when the brace
// is no quantifier and stands for itself.
std::size_t QuantifierBraceEnd(std::u16string_view in, std::size_t i) {
    const std::size_t n = in.size();
    std::size_t j = i + 1;
    while (j < n && IsAsciiDigit(in[j]))
        ++j;
    if (j == i + 1)
        return std::u16string_view::npos;
    if (j < n && in[j] == u',') {
        ++j;
        while (j < n && IsAsciiDigit(in[j]))
            ++j;
    }
    return j < n && in[j] == u'}' ? j : std::u16string_view::npos;
}

// Rewrites an expression of the old VBScript dialect in PCRE2's syntax, so that every construct
// keeps the meaning it had there. PCRE2 reads far more escapes and group forms than the old
// engine did ("\h", "\Q...\E", "(?<name>", "(*VERB)", possessive "a*+", POSIX "[:alpha:]"), and
// a pattern that used one of them either meant something else there or was refused. Returns
// false for the forms the old engine refused and PCRE2 would accept; everything else that is
// wrong (unbalanced groups, bad ranges, quantifiers with nothing to repeat) is left for PCRE2
// to refuse, which it does as the old engine did.
bool TranslateExpression(std::u16string_view in, std::u16string& out) {
    out.clear();
    out.reserve(in.size() + 8);
    const std::size_t n = in.size();
    int groupsOpened = 0; // capture groups opened so far, for back references
    bool inClass = false;
    bool afterQuantifier = false; // a further "+" would be PCRE2's possessive form
    bool lastWasClassEscape = false;
    std::size_t i = 0;
    while (i < n) {
        const char16_t c = in[i];
        if (c == u'\\') {
            bool classEscape = false;
            const std::size_t used =
                TranslateEscape(in, i, inClass, groupsOpened, out, classEscape);
            if (used == 0)
                return false;
            i += used;
            lastWasClassEscape = classEscape;
            afterQuantifier = false;
            continue;
        }
        if (inClass) {
            inClass = !TranslateClassCharacter(in, i, lastWasClassEscape, out);
            lastWasClassEscape = false;
            ++i;
            continue;
        }
        switch (c) {
        case u'[':
            afterQuantifier = false;
            inClass = true;
            lastWasClassEscape = false;
            out += c;
            ++i;
            if (i < n && in[i] == u'^') {
                out += u'^';
                ++i;
            }
            break;
        case u'(':
            afterQuantifier = false;
            if (i + 1 < n && in[i + 1] == u'?') {
                if (i + 2 >= n || (in[i + 2] != u':' && in[i + 2] != u'=' && in[i + 2] != u'!'))
                    return false; // the only group forms the old engine knew
                out += in.substr(i, 3);
                i += 3;
            } else if (i + 1 < n && in[i + 1] == u'*') {
                return false; // a quantifier with nothing to repeat there, a verb in PCRE2
            } else {
                ++groupsOpened;
                out += c;
                ++i;
            }
            break;
        case u'*':
        case u'+':
        case u'?':
            if (afterQuantifier)
                return false;
            out += c;
            ++i;
            if (i < n && in[i] == u'?') {
                out += u'?';
                ++i;
            }
            afterQuantifier = true;
            break;
        case u'{': {
            const std::size_t end = QuantifierBraceEnd(in, i);
            if (end == std::u16string_view::npos) {
                afterQuantifier = false;
                out += u"\\{";
                ++i;
                break;
            }
            if (afterQuantifier)
                return false;
            out += in.substr(i, end + 1 - i);
            i = end + 1;
            if (i < n && in[i] == u'?') {
                out += u'?';
                ++i;
            }
            afterQuantifier = true;
            break;
        }
        default:
            afterQuantifier = false;
            out += c;
            ++i;
            break;
        }
    }
    return true;
}

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};

struct CompiledPattern {
    std::unique_ptr<pcre2_code, CodeDeleter> code; // null: the engine refuses the pattern
    bool jitTried = false;
};

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view s) const noexcept {
        return std::hash<std::u16string_view>{}(s);
    }
};

using PatternMap = std::unordered_map<std::u16string, CompiledPattern, StringHash, std::equal_to<>>;

// Two caches. The patterns of the lists in force, matched against every word, are kept
// for as long as any list could hold them. Word extraction also tests every "<...>" tag of
// the counted text, so the texts seen by the acceptance test are not only the lists' few
// patterns: those have a cache of their own, which starts afresh past this many patterns or
// this many code units of pattern text, and never pushes out a list's pattern.
constexpr std::size_t kMaxCachedPatterns = 4096;
constexpr std::size_t kMaxCachedUnits = 1u << 20;
constexpr std::size_t kMaxListPatterns = 1u << 16;
constexpr std::size_t kMaxListUnits = 1u << 24;

enum class PatternKind { Expression = 0, WildcardEntry = 1 };

class PatternCache {
public:
    PatternCache()
        : m_matchData(pcre2_match_data_create(1, nullptr)),
          m_compileContext(pcre2_compile_context_create(nullptr)) {
        if (m_compileContext)
            pcre2_set_newline(m_compileContext, PCRE2_NEWLINE_LF);
    }
    ~PatternCache() {
        for (int i = 0; i < 4; ++i) {
            m_maps[i].clear();
            m_probes[i].clear();
        }
        pcre2_match_data_free(m_matchData);
        pcre2_compile_context_free(m_compileContext);
    }
    PatternCache(const PatternCache&) = delete;
    PatternCache& operator=(const PatternCache&) = delete;

    // The compiled form of key (an expression, or a wildcard entry with the default markers);
    // null when the engine refuses it. A probe (the acceptance test) finds a list pattern
    // compiled for matching, but adds to the probe cache only.
    CompiledPattern& Get(PatternKind kind, bool caseless, std::u16string_view key, bool probe) {
        const int index = static_cast<int>(kind) * 2 + (caseless ? 1 : 0);
        PatternMap& lists = m_maps[index];
        auto it = lists.find(key);
        if (it != lists.end())
            return it->second;
        PatternMap& map = probe ? m_probes[index] : lists;
        if (probe) {
            it = map.find(key);
            if (it != map.end())
                return it->second;
        }
        std::size_t& units = probe ? m_probeUnits[index] : m_units[index];
        const std::size_t maxPatterns = probe ? kMaxCachedPatterns : kMaxListPatterns;
        const std::size_t maxUnits = probe ? kMaxCachedUnits : kMaxListUnits;
        if (map.size() >= maxPatterns || units + key.size() > maxUnits) {
            map.clear();
            units = 0;
        }
        units += key.size();
        ++m_compilations;
        CompiledPattern compiled;
        if (kind == PatternKind::Expression) {
            compiled.code.reset(Compile(key, caseless));
        } else {
            std::u16string expression = WildcardToExpression(key, u"~", u"?");
            compiled.code.reset(Compile(expression, caseless));
        }
        return map.emplace(std::u16string(key), std::move(compiled)).first->second;
    }

    // 1 match, 0 no match, -1 an error of the engine, kTooComplex when the engine gave up
    // (its limits on backtracking and memory).
    static constexpr int kTooComplex = -2;
    int Match(CompiledPattern& compiled, std::u16string_view text, bool useJit) {
        if (!compiled.code || !m_matchData)
            return -1;
        if (useJit && !compiled.jitTried) {
            compiled.jitTried = true;
            pcre2_jit_compile(compiled.code.get(), PCRE2_JIT_COMPLETE); // optional speed-up
        }
        const int rc = pcre2_match(compiled.code.get(), reinterpret_cast<PCRE2_SPTR>(text.data()),
                                   text.size(), 0, 0, m_matchData, nullptr);
        if (rc >= 0)
            return 1; // 0 only says the one-pair vector was too small: still a match
        if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
            rc == PCRE2_ERROR_HEAPLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT)
            return kTooComplex;
        return rc == PCRE2_ERROR_NOMATCH ? 0 : -1;
    }

    static std::u16string WildcardToExpression(std::u16string_view entry,
                                               std::u16string_view wildcard,
                                               std::u16string_view single) {
        std::u16string result(entry);
        ReplaceAll(result, wildcard, u".*");
        ReplaceAll(result, single, u".");
        return u"^" + result + u"$";
    }

private:
    static void ReplaceAll(std::u16string& text, std::u16string_view what,
                           std::u16string_view with) {
        if (what.empty())
            return;
        std::size_t pos = 0;
        while ((pos = text.find(what, pos)) != std::u16string::npos) {
            text.replace(pos, what.size(), with);
            pos += with.size();
        }
    }

    pcre2_code* Compile(std::u16string_view pattern, bool caseless) {
        std::u16string translated;
        if (!TranslateExpression(pattern, translated))
            return nullptr;
        // Without PCRE2_UCP, \w \d \s and \b stay ASCII as they were; PCRE2_UTF alone makes
        // case-blind matching fold accented letters too. A "$" ends the subject only, and a
        // back reference to a group that has not matched matches the empty text.
        uint32_t options = PCRE2_ALLOW_EMPTY_CLASS | PCRE2_DOLLAR_ENDONLY |
                           PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_BACKSLASH_C;
        if (caseless)
            options |= PCRE2_CASELESS;
        int error = 0;
        PCRE2_SIZE offset = 0;
        const auto* data = reinterpret_cast<PCRE2_SPTR>(translated.data());
        pcre2_code* code =
            pcre2_compile(data, translated.size(), options | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF,
                          &error, &offset, m_compileContext);
        if (!code) {
            // An unpaired surrogate (typed, or as "\ud800") is no UTF-16; the old engine took
            // such text unit by unit, which the non-UTF mode does.
            code =
                pcre2_compile(data, translated.size(), options, &error, &offset, m_compileContext);
        }
        return code;
    }

    PatternMap m_maps[4];   // the lists' patterns
    PatternMap m_probes[4]; // any other text the acceptance test was asked about
    std::size_t m_units[4] = {0, 0, 0, 0};
    std::size_t m_probeUnits[4] = {0, 0, 0, 0};

public:
    std::uint64_t m_compilations = 0;

private:
    pcre2_match_data* m_matchData;
    pcre2_compile_context* m_compileContext;
};

PatternCache& Cache() {
    thread_local PatternCache cache;
    return cache;
}

// The first match the engine gave up on since it was last taken.
TooComplexMatch& NotedTooComplex() {
    thread_local TooComplexMatch noted;
    return noted;
}

bool IsPrecededByBackslash(std::u16string_view text, std::size_t index) {
    return index > 0 && text[index - 1] == u'\\';
}

// Forward half of the balance test: every unescaped opening character needs a closing one
// after it, with no opening character in between.
bool ForwardBalanced(std::u16string_view text, char16_t open, char16_t close) {
    std::size_t i = 0;
    while ((i = text.find(open, i)) != std::u16string_view::npos) {
        if (IsPrecededByBackslash(text, i)) {
            ++i;
            continue;
        }
        const std::size_t closing = text.find(close, i + 1);
        if (closing == std::u16string_view::npos)
            return false;
        const std::size_t nextOpen = text.find(open, i + 1);
        if (nextOpen != std::u16string_view::npos && nextOpen < closing)
            return false;
        i = closing + 1;
    }
    return true;
}

// Backward half: every unescaped closing character needs an opening one before it, with no
// closing character in between.
bool BackwardBalanced(std::u16string_view text, char16_t open, char16_t close) {
    std::size_t end = text.size(); // search strictly before this index
    while (end > 0) {
        const std::size_t i = text.substr(0, end).rfind(close);
        if (i == std::u16string_view::npos)
            return true;
        if (IsPrecededByBackslash(text, i)) {
            end = i;
            continue;
        }
        const std::u16string_view left = text.substr(0, i);
        const std::size_t opening = left.rfind(open);
        if (opening == std::u16string_view::npos)
            return false;
        const std::size_t previousClose = left.rfind(close);
        if (previousClose != std::u16string_view::npos && previousClose > opening)
            return false;
        end = opening;
    }
    return true;
}

std::u16string_view CheckText(int code) {
    switch (code) {
    case -9:
        return u"contains one or more non-matching parentheses.";
    case -8:
        return u"contains one or more non-matching braces.";
    case -7:
        return u"contains one or more non-matching square brackets.";
    case -6:
        return u"contains an unescaped '^' outside square brackets.";
    case -5:
        return u"contains an unescaped '$' outside square brackets.\nPerhaps use '\\$' "
               u"instead.";
    case -4:
        return u"is of the form '^...$' -- not admissible in this program.'";
    case -3:
        return u"contains an unescaped '.' outside square brackets.\nPerhaps use '[\\S]' "
               u"instead of '.'.";
    case -2:
        return u"contains a space -- inadmissible in this program.";
    case -1:
        return u"is not a valid regular expression.";
    case 0:
        return u"Not a LXTY-regexp.";
    case 1:
        return u"is valid and is LXTY-admissible.";
    default:
        return u"";
    }
}

} // namespace

bool IsAnglePattern(std::u16string_view text, std::u16string* inner) {
    const bool angle = text.size() > 2 && text.front() == u'<' && text.back() == u'>';
    if (inner) {
        if (angle)
            inner->assign(text.substr(1, text.size() - 2));
        else
            inner->clear();
    }
    return angle;
}

bool IsValidRegExp(std::u16string_view pattern) {
    try {
        PatternCache& cache = Cache();
        CompiledPattern& compiled = cache.Get(PatternKind::Expression, true, pattern, true);
        // The acceptance test runs the expression once, so a failure of the matcher itself
        // also counts as refusal.
        return cache.Match(compiled, u"X", false) >= 0;
    } catch (...) {
        return false;
    }
}

int CheckPattern(std::u16string_view text, std::u16string* inner) {
    std::u16string body;
    if (!IsAnglePattern(text, &body)) {
        if (inner)
            inner->clear();
        return 0;
    }
    if (inner)
        *inner = body;
    if (!IsValidRegExp(body))
        return -1;
    if (body.find(u' ') != std::u16string::npos)
        return -2;
    if (HasUnescapedOutsideBrackets(body, u'.'))
        return -3;
    if (body.front() == u'^' && body.back() == u'$')
        return -4;
    if (HasUnescapedOutsideBrackets(body, u'$'))
        return -5;
    if (HasUnescapedOutsideBrackets(body, u'^'))
        return -6;
    if (!BracketsMatch(body, u'[', u']'))
        return -7;
    if (!BracketsMatch(body, u'{', u'}'))
        return -8;
    if (!BracketsMatch(body, u'(', u')'))
        return -9;
    return 1;
}

void ReportPatternCheck(Host& host, int code, std::u16string_view item, bool showAlways,
                        std::u16string_view title, std::u16string_view trailer) {
    if (code >= 0 && !showAlways)
        return;
    std::u16string message(item);
    message += kLineEnd;
    message += CheckText(code);
    if (!trailer.empty()) {
        message += kLineEnd;
        message += trailer;
    }
    host.MessageBox(message, std::u16string(title), MsgIcon::Information);
}

bool RegExpMatch(std::u16string_view text, std::u16string_view entry, std::u16string_view wildcard,
                 std::u16string_view single, bool caseSignificant, bool* engineError) {
    if (engineError)
        *engineError = false;
    try {
        PatternCache& cache = Cache();
        const bool caseless = !caseSignificant;
        CompiledPattern* compiled = nullptr;
        if (IsAnglePattern(entry)) {
            const std::u16string_view inner = entry.substr(1, entry.size() - 2);
            compiled = &cache.Get(PatternKind::Expression, caseless, inner, false);
        } else if (wildcard == u"~" && single == u"?") {
            if (entry == u"~")
                return true; // "^.*$" matches everything; no need for the engine
            compiled = &cache.Get(PatternKind::WildcardEntry, caseless, entry, false);
        } else {
            const std::u16string expression =
                PatternCache::WildcardToExpression(entry, wildcard, single);
            if (expression == u"^.*$")
                return true;
            compiled = &cache.Get(PatternKind::Expression, caseless, expression, false);
        }
        const int result = cache.Match(*compiled, text, true);
        if (result == PatternCache::kTooComplex && NotedTooComplex().entry.empty()) {
            NotedTooComplex().entry.assign(entry);
            NotedTooComplex().text.assign(text);
        }
        if (result < 0 && engineError)
            *engineError = true;
        return result == 1;
    } catch (...) {
        if (engineError)
            *engineError = true;
        return false;
    }
}

std::uint64_t PatternCompilations() {
    return Cache().m_compilations;
}

TooComplexMatch TakeTooComplexMatch() {
    return std::exchange(NotedTooComplex(), TooComplexMatch{});
}

void NoteTooComplexMatch(const TooComplexMatch& failure) {
    if (NotedTooComplex().entry.empty())
        NotedTooComplex() = failure;
}

std::u16string TooComplexMessage(const TooComplexMatch& failure) {
    return u"The pattern " + failure.entry + u" is too complex to match against '" + failure.text +
           u"'";
}

std::u16string LowerCaseExceptRegexp(std::u16string_view text) {
    if (text.empty())
        return {};
    const std::size_t firstOpen = text.find(u'<');
    const std::size_t firstClose = text.find(u'>');
    if (firstOpen == std::u16string_view::npos || firstClose == std::u16string_view::npos)
        return LowerCaseAll(text);
    if (firstOpen == 0 && firstClose == text.size() - 1)
        return std::u16string(text);

    std::u16string result;
    result.reserve(text.size());
    // Text outside the patterns is lower-cased in runs, so that a character made of two units
    // is never split.
    std::size_t runStart = 0;
    bool inside = false;
    auto flushRun = [&](std::size_t end) {
        if (end > runStart)
            result += LowerCaseAll(text.substr(runStart, end - runStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'>') {
            if (!inside)
                flushRun(i);
            result += c;
            inside = false;
            runStart = i + 1;
        } else if (inside) {
            result += c;
            runStart = i + 1;
        } else if (c == u'<') {
            flushRun(i);
            if (text.find(u'>', i) == std::u16string_view::npos) {
                result += LowerCaseAll(text.substr(i));
                return result;
            }
            result += c;
            inside = true;
            runStart = i + 1;
        }
    }
    if (!inside)
        flushRun(text.size());
    return result;
}

std::u16string LowerCaseListEntry(std::u16string_view entry) {
    std::u16string result;
    result.reserve(entry.size());
    std::size_t runStart = 0; // text to be lower-cased, in runs, so that no pair is split
    auto flushRun = [&](std::size_t end) {
        if (end > runStart)
            result += LowerCaseAll(entry.substr(runStart, end - runStart));
    };
    std::size_t closeAt = 0; // the ">" of the pattern being walked; 0 outside patterns
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (closeAt == 0 && entry[i] == u'<') {
            const std::size_t gt = entry.find(u'>', i + 1);
            if (gt != std::u16string_view::npos)
                closeAt = gt;
        } else if (closeAt != 0 && i == closeAt) {
            closeAt = 0;
        } else if (closeAt != 0 && entry[i] == u'\\' && i + 1 < closeAt) {
            // An escape keeps its letter: "\S" is not "\s".
            flushRun(i);
            result.append(entry.substr(i, 2));
            runStart = ++i + 1;
        }
    }
    flushRun(entry.size());
    return result;
}

bool HasUnescapedOutsideBrackets(std::u16string_view text, char16_t c) {
    const std::size_t first = text.find(c);
    if (first == std::u16string_view::npos)
        return false;
    if (first == 0)
        return true;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] != c || i == 0)
            continue;
        if (IsInsideSquareBrackets(text, static_cast<std::int64_t>(i) + 1))
            continue;
        if (text[i - 1] != u'\\')
            return true;
    }
    return false;
}

bool IsInsideSquareBrackets(std::u16string_view text, std::int64_t position) {
    const auto length = static_cast<std::int64_t>(text.size());
    if (position < 2 || position >= length)
        return false;
    const std::u16string_view left = text.substr(0, static_cast<std::size_t>(position - 1));
    const std::u16string_view right = text.substr(static_cast<std::size_t>(position));
    const std::size_t lastOpen = left.rfind(u'[');
    if (lastOpen == std::u16string_view::npos)
        return false;
    const std::size_t lastClose = left.rfind(u']');
    if (lastClose != std::u16string_view::npos && lastClose > lastOpen)
        return false;
    const std::size_t firstClose = right.find(u']');
    if (firstClose == std::u16string_view::npos)
        return false;
    const std::size_t firstOpen = right.find(u'[');
    return firstOpen == std::u16string_view::npos || firstOpen > firstClose;
}

bool BracketsMatch(std::u16string_view text, char16_t open, char16_t close) {
    return ForwardBalanced(text, open, close) && BackwardBalanced(text, open, close);
}

} // namespace lxty
