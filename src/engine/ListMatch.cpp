#include "engine/ListMatch.h"

#include "engine/Patterns.h"
#include "util/StringUtils.h"

#include <limits>

namespace lxty {

namespace {

constexpr std::u16string_view kWildcard = u"~";
constexpr std::u16string_view kSingle = u"?";

bool HasMarker(std::u16string_view s) {
    return s.find_first_of(u"~?") != std::u16string_view::npos;
}

std::u16string CollapseWildcards(std::u16string_view entry) {
    std::u16string out;
    out.reserve(entry.size());
    for (char16_t c : entry)
        if (c != u'~' || out.empty() || out.back() != u'~')
            out.push_back(c);
    return out;
}

// The pre-check with the entry's "~" runs already collapsed.
PreCheck PreCheckCollapsed(std::u16string_view textPart, std::u16string_view entry) {
    if (textPart.empty() || entry.empty())
        return PreCheck::NoMatch;
    if (HasMarker(textPart))
        return PreCheck::NoMatch;
    if (entry.find(u"~?") != std::u16string_view::npos)
        return PreCheck::Undecided;
    if (entry == kWildcard)
        return PreCheck::Match;
    if (entry == kSingle && textPart.size() == 1)
        return PreCheck::Match;
    if (!HasMarker(entry))
        return textPart == entry ? PreCheck::Match : PreCheck::NoMatch;
    return PreCheck::Undecided;
}

// Characters that mean themselves in an expression (outside a class) and are the same in
// every case mapping the engine applies to ASCII text.
bool IsPlainGlobChar(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    return std::u16string_view(u"'-_@:/,&~?").find(c) != std::u16string_view::npos;
}

bool IsAsciiText(std::u16string_view s) {
    for (char16_t c : s)
        if (c >= 0x80)
            return false;
    return true;
}

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + 32 : c;
}

// "^...$" with "~" as ".*" and "?" as ".", on ASCII text: "." never takes a line feed.
bool GlobMatch(std::u16string_view text, std::u16string_view pattern, bool caseSignificant) {
    auto same = [&](char16_t p, char16_t t) {
        return caseSignificant ? p == t : FoldAscii(p) == FoldAscii(t);
    };
    std::size_t t = 0, p = 0;
    std::size_t starP = std::u16string_view::npos, starT = 0;
    while (t < text.size()) {
        const char16_t tc = text[t];
        if (p < pattern.size() && pattern[p] != u'~' &&
            (pattern[p] == u'?' ? tc != u'\n' : same(pattern[p], tc))) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'~') {
            starP = p++;
            starT = t;
        } else if (starP != std::u16string_view::npos && text[starT] != u'\n') {
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

} // namespace

std::vector<std::u16string_view> SplitPhraseParts(std::u16string_view text) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    bool inside = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'<')
            inside = true;
        else if (c == u'>')
            inside = false;
        else if (c == u'+' && !inside) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

int NumWordsInEntry(std::u16string_view entry) {
    return static_cast<int>(SplitPhraseParts(entry).size());
}

PreCheck WildcardPreCheck(std::u16string_view textPart, std::u16string_view entryPart) {
    return PreCheckCollapsed(textPart, CollapseWildcards(entryPart));
}

MatchResult EntryMatch(std::u16string_view text, std::u16string_view entry, bool caseSignificant,
                       std::u16string* patternInner) {
    const auto textParts = SplitPhraseParts(text);
    const auto entryParts = SplitPhraseParts(entry);
    if (textParts.size() != entryParts.size())
        return MatchResult::NoMatch;
    for (std::size_t i = 0; i < textParts.size(); ++i) {
        const std::u16string_view e = entryParts[i];
        std::u16string inner;
        if (IsAnglePattern(e, &inner)) {
            if (!IsValidRegExp(e)) {
                if (patternInner)
                    *patternInner = inner;
                return MatchResult::PatternError;
            }
        } else if (WildcardPreCheck(textParts[i], e) == PreCheck::NoMatch) {
            return MatchResult::NoMatch;
        }
        if (!RegExpMatch(textParts[i], e, kWildcard, kSingle, caseSignificant))
            return MatchResult::NoMatch;
    }
    return MatchResult::Match;
}

void ListMatcher::Compile(const std::vector<std::u16string>& entries, bool caseSignificant) {
    m_caseSignificant = caseSignificant;
    m_numEntries = entries.size();
    m_exact.clear();
    m_byParts.clear();
    m_remembered.clear();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::u16string text =
            caseSignificant ? entries[index] : LowerCaseListEntry(entries[index]);
        Entry entry;
        entry.index = index;
        bool allLiteral = true;
        bool literalsUsable = true;
        for (const std::u16string_view raw : SplitPhraseParts(text)) {
            Part part;
            part.text.assign(raw);
            part.collapsed = CollapseWildcards(raw);
            if (IsAnglePattern(raw, &part.inner)) {
                part.kind = PartKind::Angle;
                part.usable = IsValidRegExp(raw);
                allLiteral = false;
            } else if (!HasMarker(raw)) {
                part.kind = PartKind::Literal;
                // Such a part matches only an equal text, so whether the expression accepts
                // that text is a property of the entry alone ("(a)" never matches itself).
                part.usable =
                    !raw.empty() && RegExpMatch(raw, raw, kWildcard, kSingle, caseSignificant);
                literalsUsable = literalsUsable && part.usable;
            } else {
                allLiteral = false;
                if (raw == kWildcard) {
                    part.kind = PartKind::Any;
                } else {
                    bool plain = true;
                    for (char16_t c : raw)
                        plain = plain && IsPlainGlobChar(c);
                    part.kind = plain ? PartKind::Glob : PartKind::Regex;
                }
            }
            entry.parts.push_back(std::move(part));
        }
        if (allLiteral) {
            // An entry of literal parts can neither raise a pattern error nor match anything
            // but its own text.
            if (literalsUsable)
                m_exact.emplace(text, index); // keeps the first index of a duplicate
            continue;
        }
        const Part& head = entry.parts.front();
        const char16_t c = head.text.empty() ? 0 : head.text.front();
        if (c != 0 && c < 0x80 && c != u'~' && c != u'?' &&
            (head.kind == PartKind::Literal || head.kind == PartKind::Glob))
            entry.first = c;
        Group& group = m_byParts[entry.parts.size()];
        const std::size_t position = group.entries.size();
        if (entry.first != 0)
            group.byFirst[entry.first].push_back(position);
        else
            group.anyFirst.push_back(position);
        group.entries.push_back(std::move(entry));
    }
}

MatchResult ListMatcher::MatchEntry(const std::vector<std::u16string_view>& textParts,
                                    bool asciiText, const Entry& entry,
                                    std::u16string* patternInner) const {
    for (std::size_t i = 0; i < textParts.size(); ++i) {
        const std::u16string_view t = textParts[i];
        const Part& part = entry.parts[i];
        switch (part.kind) {
        case PartKind::Angle:
            if (!part.usable) {
                if (patternInner)
                    *patternInner = part.inner;
                return MatchResult::PatternError;
            }
            if (!RegExpMatch(t, part.text, kWildcard, kSingle, m_caseSignificant))
                return MatchResult::NoMatch;
            break;
        case PartKind::Literal:
            if (!part.usable || t != part.text)
                return MatchResult::NoMatch;
            break;
        case PartKind::Any:
            if (PreCheckCollapsed(t, part.collapsed) == PreCheck::NoMatch)
                return MatchResult::NoMatch;
            break;
        case PartKind::Glob:
            if (PreCheckCollapsed(t, part.collapsed) == PreCheck::NoMatch)
                return MatchResult::NoMatch;
            if (asciiText ? !GlobMatch(t, part.text, m_caseSignificant)
                          : !RegExpMatch(t, part.text, kWildcard, kSingle, m_caseSignificant))
                return MatchResult::NoMatch;
            break;
        case PartKind::Regex:
            if (PreCheckCollapsed(t, part.collapsed) == PreCheck::NoMatch)
                return MatchResult::NoMatch;
            if (!RegExpMatch(t, part.text, kWildcard, kSingle, m_caseSignificant))
                return MatchResult::NoMatch;
            break;
        }
    }
    return MatchResult::Match;
}

MatchResult ListMatcher::Lookup(std::u16string_view text, std::u16string* patternInner) const {
    if (text.empty() || m_numEntries == 0)
        return MatchResult::NoMatch;
    if (const auto it = m_remembered.find(text); it != m_remembered.end()) {
        if (patternInner && it->second.result == MatchResult::PatternError)
            *patternInner = it->second.patternInner;
        return it->second.result;
    }
    Remembered r;
    r.result = LookupUncached(text, &r.patternInner);
    if (patternInner && r.result == MatchResult::PatternError)
        *patternInner = r.patternInner;
    const MatchResult result = r.result;
    if (m_remembered.size() >= kMaxRemembered)
        m_remembered.clear();
    m_remembered.emplace(std::u16string(text), std::move(r));
    return result;
}

MatchResult ListMatcher::LookupUncached(std::u16string_view text,
                                        std::u16string* patternInner) const {
    std::u16string lowered;
    if (!m_caseSignificant) {
        lowered = LowerCaseAll(text);
        text = lowered;
    }
    std::size_t exactIndex = std::numeric_limits<std::size_t>::max();
    if (!m_exact.empty()) {
        const auto it = m_exact.find(text);
        if (it != m_exact.end())
            exactIndex = it->second;
    }
    if (!m_byParts.empty()) {
        const auto textParts = SplitPhraseParts(text);
        const auto found = m_byParts.find(textParts.size());
        if (found != m_byParts.end()) {
            const Group& group = found->second;
            const bool ascii = IsAsciiText(text);
            // An earlier exact entry wins before any later entry is tried.
            auto attempt = [&](const Entry& entry, MatchResult& r) {
                if (entry.index > exactIndex)
                    return false;
                r = MatchEntry(textParts, ascii, entry, patternInner);
                return r == MatchResult::NoMatch;
            };
            MatchResult r = MatchResult::NoMatch;
            const char16_t c = text.front();
            if (c >= 0x80) {
                // A non-ASCII letter may match an ASCII one of an entry when case is ignored
                // (the Kelvin sign and "k"), so every entry is tried.
                for (const Entry& entry : group.entries)
                    if (!attempt(entry, r))
                        break;
            } else {
                // The entries needing this first character merged with those needing none,
                // in list order. The others cannot match, and their first part fails before
                // any pattern of theirs could raise an error.
                static const std::vector<std::size_t> kNone;
                const auto it = group.byFirst.find(c);
                const std::vector<std::size_t>& a = it == group.byFirst.end() ? kNone : it->second;
                const std::vector<std::size_t>& b = group.anyFirst;
                std::size_t i = 0, j = 0;
                while (i < a.size() || j < b.size()) {
                    const std::size_t next =
                        (j == b.size() || (i < a.size() && a[i] < b[j])) ? a[i++] : b[j++];
                    if (!attempt(group.entries[next], r))
                        break;
                }
            }
            if (r != MatchResult::NoMatch)
                return r;
        }
    }
    return exactIndex != std::numeric_limits<std::size_t>::max() ? MatchResult::Match
                                                                 : MatchResult::NoMatch;
}

} // namespace lxty
