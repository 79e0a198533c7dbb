#include "run/Concordance.h"

#include "run/CountSession.h"
#include "util/Format.h"

#include <algorithm>

namespace lxty {

namespace {

bool IsBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Tabs and line breaks of a context shown on one line become spaces.
std::u16string OneLine(std::u16string text) {
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c == u'\t' || IsBreak(c); }, u' ');
    return text;
}

} // namespace

std::u16string FormatHit(const ConcordanceHit& hit, int context) {
    std::u16string text = hit.file.empty() ? u"-" : hit.file;
    text += u":" + Digits(hit.line) + u": ";
    if (hit.left.size() < static_cast<std::size_t>(context))
        text.append(static_cast<std::size_t>(context) - hit.left.size(), u' ');
    return text + hit.left + u"[" + hit.match + u"]" + hit.right;
}

Concordance::Concordance(CountSession& session) : m_session(session) {}

Concordance::~Concordance() = default;

void Concordance::Stop() {
    m_session.state.blnStop = true;
}

RunOutcome Concordance::Run(CountMode mode, std::vector<std::u16string> entries, int context,
                            const std::function<void(const ConcordanceHit&)>& onHit) {
    // A phrase begins as many words back as it has words.
    std::size_t longest = 1;
    m_entries.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        longest = std::max<std::size_t>(longest,
                                        1 + std::count(entries[i].begin(), entries[i].end(), u' '));
        m_entries.emplace(std::move(entries[i]), i);
    }
    m_context = std::max(context, 0);
    m_onHit = onHit;
    m_hits = 0;
    m_serial = 0;
    m_ring.assign(longest, Met{});
    m_ringNext = 0;

    // Every occurrence goes through the watched procedures: the piece cache, which counts
    // known pieces straight into their records, stays out of this run.
    CountRun& run = m_session.run;
    CountRunHooks& hooks = run.Hooks();
    hooks.fileStarted = [this](const std::u16string& name) {
        m_file = name;
        m_fileLine = 0;
        m_cursor = 0;
        m_cursorLine = 0;
        m_text.clear();
    };
    hooks.textRead = [this](const std::u16string& text, std::int64_t line) {
        TextRead(text, line);
    };
    run.Counting().SetObserver(this);
    run.SetPieceCache(false);

    const RunOutcome outcome =
        mode == CountMode::AllPhrases ? m_session.CountPhrases() : m_session.Count(mode);

    run.SetPieceCache(true);
    run.Counting().SetObserver(nullptr);
    hooks.fileStarted = nullptr;
    hooks.textRead = nullptr;
    m_onHit = nullptr;
    return outcome;
}

void Concordance::TextRead(const std::u16string& text, std::int64_t line) {
    ++m_serial;
    if (line > 0) {
        // Trimmed as the run trims a line before extracting it.
        std::size_t end = text.size();
        while (end > 0 && text[end - 1] <= 32)
            --end;
        std::size_t begin = 0;
        while (begin < end && text[begin] <= 32)
            ++begin;
        m_text.assign(text, begin, end - begin);
        m_fileLine = line;
    } else {
        // The lines of the pieces before this one.
        LineAt(m_text.size());
        m_cursor = 0;
        m_text = text;
    }
    m_map.clear();
    m_extractedText = false;
}

std::int64_t Concordance::LineAt(std::size_t pos) {
    for (; m_cursor < pos && m_cursor < m_text.size(); ++m_cursor) {
        const char16_t c = m_text[m_cursor];
        if (c == u'\n' ||
            (c == u'\r' && (m_cursor + 1 >= m_text.size() || m_text[m_cursor + 1] != u'\n')))
            ++m_cursorLine;
    }
    return m_cursorLine + 1;
}

std::size_t Concordance::Original(std::int64_t p) const {
    const auto i = static_cast<std::size_t>(std::max<std::int64_t>(p, 1) - 1);
    if (m_map.empty())
        return std::min(i, m_text.size());
    return i < m_map.size() ? m_map[i] : m_text.size();
}

void Concordance::WordMet(const std::u16string& word) {
    (void)word;
    const RunState& s = m_session.state;
    m_ring[m_ringNext] = {m_serial, s.lngWordStart, s.lngLP};
    m_ringNext = (m_ringNext + 1) % m_ring.size();
}

void Concordance::Counted(std::u16string_view entry) {
    // Most counted occurrences are of other entries: one entry asked for is told apart by
    // its length and text without hashing.
    if (m_entries.size() == 1 && entry != m_entries.begin()->first)
        return;
    const auto found = m_entries.find(entry);
    if (found == m_entries.end())
        return;
    ++m_hits;
    const std::size_t words =
        1 + static_cast<std::size_t>(std::count(entry.begin(), entry.end(), u' '));
    const std::u16string& extracted = m_session.state.strLine;
    if (m_serial > 0 && m_map.empty() && !m_extractedText &&
        extracted.size() != m_text.size() + 1) {
        // Extraction deleted backspaces and the LF of each CR LF; an entity decoded or a
        // double hyphen replaced moves positions in ways not worth following: the context
        // is then taken from the line as extracted.
        for (std::size_t i = 0; i < m_text.size(); ++i)
            if (m_text[i] != u'\b' && !(m_text[i] == u'\n' && i > 0 && m_text[i - 1] == u'\r'))
                m_map.push_back(i);
        m_extractedText = m_map.size() + 1 != extracted.size();
        if (m_extractedText)
            m_map.clear();
    }

    const Met& last = m_ring[(m_ringNext + m_ring.size() - 1) % m_ring.size()];
    const Met& first = m_ring[(m_ringNext + m_ring.size() - words) % m_ring.size()];
    const std::int64_t startP = first.text == last.text ? first.start : 1;
    std::u16string_view source = m_text;
    std::size_t start = Original(startP);
    std::size_t end = Original(last.end);
    if (m_extractedText || m_serial == 0) {
        source =
            std::u16string_view(extracted).substr(0, extracted.empty() ? 0 : extracted.size() - 1);
        start = std::min(static_cast<std::size_t>(std::max<std::int64_t>(startP, 1) - 1),
                         source.size());
        end = std::min(static_cast<std::size_t>(std::max<std::int64_t>(last.end, 1) - 1),
                       source.size());
    }
    end = std::max(start, end);
    while (end > start && source[end - 1] <= 32)
        --end;

    ConcordanceHit hit;
    hit.entry = found->second;
    hit.file = m_file;
    // A file's lines are read one by one; clipboard and stream text comes in pieces of many.
    hit.line = m_fileLine > 0 ? m_fileLine : LineAt(start);
    const std::size_t from = start - std::min(start, static_cast<std::size_t>(m_context));
    std::u16string_view left = source.substr(from, start - from);
    std::u16string_view right = source.substr(end, static_cast<std::size_t>(m_context));
    if (const std::size_t b = left.find_last_of(u"\r\n"); b != std::u16string_view::npos)
        left.remove_prefix(b + 1);
    if (const std::size_t b = right.find_first_of(u"\r\n"); b != std::u16string_view::npos)
        right = right.substr(0, b);
    hit.left = OneLine(std::u16string(left));
    hit.match = OneLine(std::u16string(source.substr(start, end - start)));
    hit.right = OneLine(std::u16string(right));
    if (m_onHit)
        m_onHit(hit);
}

void CopySessionForConcordance(const CountSession& origin, CountSession& target) {
    target.settings = origin.settings;
    target.state.blnStartUpCompleted = true;
    target.wordsToIgnore = origin.wordsToIgnore;
}

} // namespace lxty
