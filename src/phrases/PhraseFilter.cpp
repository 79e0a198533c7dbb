#include "phrases/PhraseFilter.h"

#include "reports/WordListReport.h"
#include "util/StringUtils.h"

namespace lxty {

namespace {

constexpr std::u16string_view kAccented = u"šœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";

bool IsFilterWordChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'\'' || c == u'-' ||
           kAccented.find(c) != std::u16string_view::npos;
}

// text without characters of code 32 or below at its ends.
std::u16string_view TrimControls(std::u16string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] <= 32)
        ++b;
    while (e > b && text[e - 1] <= 32)
        --e;
    return text.substr(b, e - b);
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.substr(b, e - b);
}

// The first occurrence of what in phrase at or after from that lies at word boundaries, or
// npos. nextFrom gives where the search goes on after a rejected occurrence at p.
template <typename NextFrom>
std::size_t FindAtBoundaries(std::u16string_view phrase, std::u16string_view what, std::size_t from,
                             NextFrom nextFrom) {
    while (from <= phrase.size()) {
        const std::size_t p = phrase.find(what, from);
        if (p == std::u16string_view::npos)
            return p;
        const std::size_t end = p + what.size();
        const bool startsWell = p == 0 || phrase[p - 1] == u' ';
        const bool endsWell = end == phrase.size() || phrase[end] == u' ';
        if (startsWell && endsWell)
            return p;
        from = nextFrom(p, end);
    }
    return std::u16string_view::npos;
}

} // namespace

std::u16string PhraseFilter::Parse(std::u16string_view text) {
    m_words.clear();
    m_text.clear();
    const std::u16string lowered = LowerCaseAll(TrimBlanks(text));
    std::size_t i = 0;
    while (i < lowered.size()) {
        while (i < lowered.size() && !IsFilterWordChar(lowered[i]))
            ++i;
        const std::size_t start = i;
        while (i < lowered.size() && IsFilterWordChar(lowered[i]))
            ++i;
        if (i > start)
            m_words.emplace_back(lowered.substr(start, i - start));
    }
    for (const std::u16string& w : m_words) {
        if (!m_text.empty())
            m_text.push_back(u' ');
        m_text += w;
    }
    return m_text;
}

bool PhraseFilter::Passes(std::u16string_view entryText, FilterModeKind mode) const {
    if (m_words.empty())
        return true;
    const std::u16string phrase = LowerCaseAll(TrimControls(entryText));
    constexpr auto npos = std::u16string_view::npos;

    if (mode == FilterModeKind::IncludeAllWordsAsSubphrase) {
        // Search again from the next position after a rejected occurrence.
        return FindAtBoundaries(phrase, m_text, 0,
                                [](std::size_t p, std::size_t) { return p + 1; }) != npos;
    }

    // Every filter word at word boundaries; after a rejected occurrence the search goes on
    // from its end.
    for (const std::u16string& w : m_words) {
        if (FindAtBoundaries(phrase, w, 0, [](std::size_t, std::size_t end) { return end; }) ==
            npos)
            return false;
    }
    if (mode != FilterModeKind::IncludeAllWordsInSameOrder || m_words.size() < 2)
        return true;

    // The order: from the first occurrence of the first word, each next word must follow the
    // end of the previous one.
    std::size_t p = phrase.find(m_words[0]);
    if (p == npos)
        return false;
    std::size_t end = p + m_words[0].size();
    for (std::size_t k = 1; k < m_words.size(); ++k) {
        p = phrase.find(m_words[k], end);
        if (p == npos)
            return false;
        end = p + m_words[k].size();
    }
    return true;
}

void ParseFilterWords(Settings& settings, PhraseFilter& filter) {
    settings.FilterWords = filter.Parse(settings.FilterWords);
}

void InstallPhraseFilter(ReportContext& ctx, const PhraseFilter& filter) {
    const Settings& settings = ctx.settings;
    ctx.phraseFilter = [&filter, &settings](std::u16string_view phrase) {
        return filter.Passes(phrase, settings.FilterMode);
    };
}

bool FilterButton(ReportContext& ctx, PhraseFilter& filter) {
    RunState& run = ctx.run;
    if (!run.blnStartUpCompleted || !run.blnWordsGot)
        return false;
    ParseFilterWords(ctx.settings, filter);
    if (ctx.settings.FilterWords.empty())
        return false;
    InstallPhraseFilter(ctx, filter);
    run.blnFilterWordFound = false;
    run.blnFilteringPhrases = true;
    run.blnCountingMFP = true;
    ListWords(ctx);
    run.blnFilteringPhrases = false;
    return true;
}

} // namespace lxty
