#pragma once
// The words to ignore of an all-words run: the typed words (the settings window's extra box)
// and the entries of the words-to-ignore file in force. GetWords2 asks IsIgnored for every
// word it is about to count.
//
// The list reader fills the component through the Add/Clear calls below; an empty component
// ignores nothing. Entries are stored as given (the reader lower-cases them). The file list
// is kept in ascending ordinal order, so that an exact lookup is a binary search.
//
// Entry syntax understood by the pattern-aware lookup: "~" stands for any run of characters
// (also none), "?" for exactly one character, "+" joins the words of a phrase; everything
// else matches itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

struct Settings;

class WordsToIgnore {
public:
    // Typed words to ignore, in the order given.
    void AddTyped(std::u16string entry);
    // A words-to-ignore file entry; the list stays in ascending ordinal order.
    void AddFileEntry(std::u16string entry);
    void ClearTyped() { m_typed.clear(); }
    void ClearFile() { m_file.clear(); }
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
    bool IsIgnored(std::u16string_view word, const Settings& settings) const;

    // The pattern-aware lookup: true when some entry of list matches text. Both are compared
    // after LowerCaseAll unless caseSignificant. An empty text or list finds nothing.
    static bool ListLookup(std::u16string_view text, const std::vector<std::u16string>& list,
                           bool caseSignificant);
    // One entry against one text: same number of "+"-separated parts, each part matching
    // its entry part with the wildcards above.
    static bool EntryMatches(std::u16string_view text, std::u16string_view entry);

private:
    std::vector<std::u16string> m_typed;
    std::vector<std::u16string> m_file;
};

} // namespace lxty
