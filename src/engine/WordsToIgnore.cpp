#include "engine/WordsToIgnore.h"

#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <algorithm>

namespace lxty {

void WordsToIgnore::AddTyped(std::u16string entry) {
    m_typed.push_back(std::move(entry));
    m_typedMatcher[0].reset();
    m_typedMatcher[1].reset();
}

void WordsToIgnore::SetTyped(std::vector<std::u16string> entries) {
    m_typed = std::move(entries);
    m_typedMatcher[0].reset();
    m_typedMatcher[1].reset();
}

void WordsToIgnore::AddFileEntry(std::u16string entry) {
    // The exact lookup searches a sorted list, so the list stays sorted whatever order the
    // reader delivers its entries in.
    auto at = std::upper_bound(m_file.begin(), m_file.end(), entry);
    m_file.insert(at, std::move(entry));
    m_fileMatcher[0].reset();
    m_fileMatcher[1].reset();
    m_fileSet.reset();
}

void WordsToIgnore::SetFileEntries(std::vector<std::u16string> entries) {
    m_file = std::move(entries);
    std::stable_sort(m_file.begin(), m_file.end());
    m_fileMatcher[0].reset();
    m_fileMatcher[1].reset();
    m_fileSet.reset();
}

void WordsToIgnore::ClearTyped() {
    SetTyped({});
}

void WordsToIgnore::ClearFile() {
    SetFileEntries({});
}

bool WordsToIgnore::ListLookup(std::u16string_view text, const std::vector<std::u16string>& list,
                               bool caseSignificant) {
    if (text.empty() || list.empty())
        return false;
    const std::u16string t = caseSignificant ? std::u16string(text) : LowerCaseAll(text);
    for (const auto& entry : list) {
        const MatchResult r =
            EntryMatch(t, caseSignificant ? entry : LowerCaseAll(entry), caseSignificant);
        if (r != MatchResult::NoMatch)
            return r == MatchResult::Match;
    }
    return false;
}

const ListMatcher& WordsToIgnore::Matcher(const std::vector<std::u16string>& list,
                                          std::optional<ListMatcher>* cache,
                                          bool caseSignificant) const {
    std::optional<ListMatcher>& slot = cache[caseSignificant ? 1 : 0];
    if (!slot)
        slot.emplace(list, caseSignificant);
    return *slot;
}

bool WordsToIgnore::IsIgnored(std::u16string_view word, const Settings& settings) const {
    if (m_typed.empty() && m_file.empty())
        return false;
    const bool caseSignificant = settings.CaseSignificant == 1;
    const std::u16string lowered = LowerCaseAll(word);
    // The typed box promises "Case is not significant": it keeps its capitals when case is
    // significant, but the word is looked up lower-cased, so its entries compare without case
    // (a typed "The" would otherwise never match anything).
    if (!m_typed.empty() &&
        Matcher(m_typed, m_typedMatcher, false).Lookup(lowered) == MatchResult::Match)
        return true;
    if (!m_file.empty()) {
        if (settings.PatternMatchingInWordsToIgnoreFile == 1)
            return Matcher(m_file, m_fileMatcher, caseSignificant).Lookup(lowered) ==
                   MatchResult::Match;
        if (!m_fileSet)
            m_fileSet.emplace(m_file.begin(), m_file.end());
        return m_fileSet->find(std::u16string_view(lowered)) != m_fileSet->end();
    }
    return false;
}

} // namespace lxty
