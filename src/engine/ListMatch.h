#pragma once
// Matching a word or phrase of the counted text against a word list (typed words, count-only
// entries, words to ignore).
//
// Entry syntax: the words of a phrase are joined by "+"; an angle-bracket item such as
// <[a-z]+ing> is a regular expression searched for anywhere in its word (Patterns.h); in any
// other part "~" stands for any run of characters and "?" for any one character, and the
// other characters keep their regular-expression meaning (nothing is escaped).
//
// The rules, one entry at a time (EntryMatch):
//   1. text and entry are split into parts at "+" (an angle-bracket item is never split);
//      different numbers of parts never match;
//   2. part by part, in order: an angle-bracket entry part must be a text the expression
//      engine accepts, brackets included; when it is not, the comparison ends with a pattern
//      error (no match, and the lookup reports the pattern's inner text). A plain part first
//      goes through the wildcard pre-check (WildcardPreCheck), whose "no match" ends the
//      comparison; then the part must match (RegExpMatch), case ignored unless
//      caseSignificant.
// A list lookup compares the text with every entry from the first to the last (both
// lower-cased with LowerCaseAll unless caseSignificant): the first match wins, and the first
// pattern error ends the lookup, not found.
//
// ListMatcher gives the same answers without running the engine over every entry for every
// word: entries without wildcards or patterns are found by hashing (their self-match is
// decided once), entries are grouped by number of parts, a part that is only "~" matches
// without the engine, simple wildcard parts on ASCII text are matched directly, and the
// pattern validity of every angle-bracket part is decided once when the list is compiled.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lxty {

// Result of matching against one entry or one list.
enum class MatchResult { NoMatch, Match, PatternError };

// Splits text at "+" into phrase parts; a "+" between "<" and the next ">" does not split.
std::vector<std::u16string_view> SplitPhraseParts(std::u16string_view text);

// Number of words of an entry: the "+" outside angle brackets plus 1.
int NumWordsInEntry(std::u16string_view entry);

// The wildcard pre-check of a text part against a plain entry part. Runs of "~" in the entry
// count as one. NoMatch when either is empty or the text part holds "~" or "?"; Match when the
// entry is "~", or "?" against a one-character text, or holds no marker and equals the text;
// Undecided otherwise (the expression decides).
enum class PreCheck { NoMatch, Match, Undecided };
PreCheck WildcardPreCheck(std::u16string_view textPart, std::u16string_view entryPart);

// One entry against one text, both already lower-cased by the caller when case is to be
// ignored. On PatternError, *patternInner (when given) receives the inner text of the
// refused pattern.
MatchResult EntryMatch(std::u16string_view text, std::u16string_view entry, bool caseSignificant,
                       std::u16string* patternInner = nullptr);

// A word list compiled for fast lookups with one case flag.
class ListMatcher {
public:
    ListMatcher() = default;
    ListMatcher(const std::vector<std::u16string>& entries, bool caseSignificant) {
        Compile(entries, caseSignificant);
    }

    void Compile(const std::vector<std::u16string>& entries, bool caseSignificant);
    bool CaseSignificant() const { return m_caseSignificant; }
    bool Empty() const { return m_numEntries == 0; }

    // The list lookup of text (see above). An empty text or list is NoMatch. On
    // PatternError, *patternInner (when given) receives the refused pattern's inner text.
    MatchResult Lookup(std::u16string_view text, std::u16string* patternInner = nullptr) const;

private:
    enum class PartKind {
        Any,     // only "~": matches every non-empty text part without markers
        Literal, // no marker: equal text, and the entry part matches itself
        Glob,    // "~" / "?" among characters that mean themselves: matched directly on ASCII
        Regex,   // anything else with markers: the engine decides
        Angle    // an angle-bracket item
    };
    struct Part {
        std::u16string text;      // the entry part as written (lower-cased unless case matters)
        std::u16string collapsed; // runs of "~" made one, for the pre-check
        PartKind kind = PartKind::Regex;
        bool usable = true;   // Literal: matches itself; Angle: the engine accepts it
        std::u16string inner; // Angle: the pattern without its brackets
    };
    struct Entry {
        std::size_t index = 0; // position in the list, for "the first match wins"
        std::vector<Part> parts;
        // The ASCII character every text it matches begins with (a first part that starts
        // with a character meaning itself), or 0.
        char16_t first = 0;
    };
    // The entries of one number of parts, in list order, with those that need a given first
    // character picked out: a text that begins with an ASCII character is tried only against
    // the entries for that character and the entries without one.
    struct Group {
        std::vector<Entry> entries;
        std::unordered_map<char16_t, std::vector<std::size_t>> byFirst; // positions in entries
        std::vector<std::size_t> anyFirst;
    };

    MatchResult MatchEntry(const std::vector<std::u16string_view>& textParts, bool asciiText,
                           const Entry& entry, std::u16string* patternInner) const;

    bool m_caseSignificant = false;
    std::size_t m_numEntries = 0;
    // Entries made only of literal parts that match themselves: whole text -> first index.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const noexcept {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    std::unordered_map<std::u16string, std::size_t, Hash, std::equal_to<>> m_exact;
    // Every other entry that could match or report a pattern error, by number of parts, in
    // list order.
    std::unordered_map<std::size_t, Group> m_byParts;

    // Results already found, by text as looked up. A text's answer depends only on the
    // compiled list, and a count meets the same words over and over, so each distinct word
    // or phrase is matched against the patterns once. Emptied when it grows past a bound.
    MatchResult LookupUncached(std::u16string_view text, std::u16string* patternInner) const;
    struct Remembered {
        MatchResult result = MatchResult::NoMatch;
        std::u16string patternInner;
    };
    static constexpr std::size_t kMaxRemembered = 1u << 18;
    mutable std::unordered_map<std::u16string, Remembered, Hash, std::equal_to<>> m_remembered;
};

} // namespace lxty
