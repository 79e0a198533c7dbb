#pragma once
// The words to ignore of an all-words run: the typed words (the settings window's extra box)
// and the entries of the words-to-ignore file in force. GetWords2 asks IsIgnored for every
// word it is about to count; the all-phrases rules and StripPhrase ask it for every word of a
// phrase.
//
// The list reader fills the component through the Set/Add/Clear calls below; an empty
// component ignores nothing. Entries are stored as given (the reader lower-cases them). The
// file list is kept in ascending ordinal order, so that an exact lookup is a search of a
// sorted list.
//
// Entry syntax understood by the pattern-aware lookup (ListMatch.h): "~" stands for any run of
// characters (also none), "?" for exactly one character, "+" joins the words of a phrase, an
// angle-bracket item such as <[a-z]+ing> is a regular expression searched for in the word;
// the other characters of a wildcard entry keep their regular-expression meaning.

#include "engine/ListMatch.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lxty {

struct Settings;

class WordsToIgnore {
public:
    // Typed words to ignore, in the order given.
    void AddTyped(std::u16string entry);
    void SetTyped(std::vector<std::u16string> entries);
    // A words-to-ignore file entry; the list stays in ascending ordinal order.
    void AddFileEntry(std::u16string entry);
    // All file entries at once (sorted here).
    void SetFileEntries(std::vector<std::u16string> entries);
    void ClearTyped();
    void ClearFile();
    void Clear() {
        ClearTyped();
        ClearFile();
    }

    std::int64_t NumTyped() const { return static_cast<std::int64_t>(m_typed.size()); }
    std::int64_t NumFileEntries() const { return static_cast<std::int64_t>(m_file.size()); }
    const std::vector<std::u16string>& Typed() const { return m_typed; }
    const std::vector<std::u16string>& FileEntries() const { return m_file; }

    // Whether an all-words run leaves word out:
    //  1. typed words: word, lower-cased with the standard mapping, looked up with the
    //     pattern-aware lookup (case ignored unless settings.CaseSignificant is 1);
    //  2. file entries: with settings.PatternMatchingInWordsToIgnoreFile 1 the same lookup,
    //     otherwise an exact (ordinal) search of the lower-cased word.
    // A pattern the engine refuses matches nothing (and ends that list's lookup).
    bool IsIgnored(std::u16string_view word, const Settings& settings) const;

    // The pattern-aware lookup, entry by entry: true when some entry of list matches text
    // before any entry raises a pattern error. Both are compared after LowerCaseAll unless
    // caseSignificant. An empty text or list finds nothing.
    static bool ListLookup(std::u16string_view text, const std::vector<std::u16string>& list,
                           bool caseSignificant);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const noexcept {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    const ListMatcher& Matcher(const std::vector<std::u16string>& list,
                               std::optional<ListMatcher>* cache, bool caseSignificant) const;

    std::vector<std::u16string> m_typed;
    std::vector<std::u16string> m_file;
    // Compiled forms, made on first use: [caseSignificant].
    mutable std::optional<ListMatcher> m_typedMatcher[2];
    mutable std::optional<ListMatcher> m_fileMatcher[2];
    mutable std::optional<std::unordered_set<std::u16string, Hash, std::equal_to<>>> m_fileSet;
};

} // namespace lxty
