#include "engine/WordsToIgnore.h"

#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <algorithm>

namespace lxty {

namespace {

std::vector<std::u16string_view> SplitParts(std::u16string_view text) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find(u'+', start);
        if (plus == std::u16string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, plus - start));
        start = plus + 1;
    }
}

// "~" matches any run (also empty), "?" exactly one character; anchored at both ends.
// Greedy matching with one back-track point is enough for a single kind of star.
bool GlobMatch(std::u16string_view text, std::u16string_view pattern) {
    std::size_t t = 0, p = 0;
    std::size_t starP = std::u16string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'~') {
            starP = p++;
            starT = t;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'~')
        ++p;
    return p == pattern.size();
}

bool PartMatches(std::u16string_view text, std::u16string_view entry) {
    // A part of the counted text never holds a marker itself; an empty part matches nothing.
    if (text.empty() || entry.empty())
        return false;
    if (text.find_first_of(u"~?") != std::u16string_view::npos)
        return false;
    return GlobMatch(text, entry);
}

} // namespace

void WordsToIgnore::AddTyped(std::u16string entry) {
    m_typed.push_back(std::move(entry));
}

void WordsToIgnore::AddFileEntry(std::u16string entry) {
    // The exact lookup is a binary search, so the list stays sorted whatever order the reader
    // delivers its entries in.
    auto at = std::lower_bound(m_file.begin(), m_file.end(), entry);
    m_file.insert(at, std::move(entry));
}

bool WordsToIgnore::EntryMatches(std::u16string_view text, std::u16string_view entry) {
    const auto textParts = SplitParts(text);
    const auto entryParts = SplitParts(entry);
    if (textParts.size() != entryParts.size())
        return false;
    for (std::size_t i = 0; i < textParts.size(); ++i)
        if (!PartMatches(textParts[i], entryParts[i]))
            return false;
    return true;
}

bool WordsToIgnore::ListLookup(std::u16string_view text, const std::vector<std::u16string>& list,
                               bool caseSignificant) {
    if (text.empty() || list.empty())
        return false;
    if (caseSignificant) {
        for (const auto& entry : list)
            if (EntryMatches(text, entry))
                return true;
        return false;
    }
    const std::u16string lowered = LowerCaseAll(text);
    for (const auto& entry : list)
        if (EntryMatches(lowered, LowerCaseAll(entry)))
            return true;
    return false;
}

bool WordsToIgnore::IsIgnored(std::u16string_view word, const Settings& settings) const {
    if (m_typed.empty() && m_file.empty())
        return false;
    const bool caseSignificant = settings.CaseSignificant == 1;
    const std::u16string lowered = LowerCaseAll(word);
    if (!m_typed.empty() && ListLookup(lowered, m_typed, caseSignificant))
        return true;
    if (!m_file.empty()) {
        if (settings.PatternMatchingInWordsToIgnoreFile == 1)
            return ListLookup(lowered, m_file, caseSignificant);
        return std::binary_search(m_file.begin(), m_file.end(), lowered);
    }
    return false;
}

} // namespace lxty
