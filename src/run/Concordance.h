#pragma once
// The concordance: every occurrence of one entry of the results (a word, a specified word or
// pattern, a phrase) in its context. The source is counted again, by the count run itself
// with the session's settings (source, extraction, case, plurals, markup, docx, word lists),
// and each occurrence the count counts into the entry is reported as it is counted, so the
// hits are exactly the occurrences behind the entry's frequency:
//
//     Concordance concordance(session);
//     concordance.Run(CountMode::AllWords, u"lord", 40, [](const ConcordanceHit& hit) { ... });
//
// The run counts in the session it is given (its word table, text window and report are
// those of an ordinary count of that mode); a window that must keep its own results counts in
// a second session configured like the first (see CopyWordListsForConcordance).

#include "engine/WordTable.h"
#include "run/CountRun.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lxty {

class CountSession;

struct ConcordanceHit {
    std::size_t entry = 0; // which of the entries asked for (0 for the first)
    std::u16string file;   // the file as the run names it; "" for clipboard or stream text
    std::int64_t line = 0; // 1-based line of the file (of the clipboard or stream text)
    std::u16string left;   // at most the context length of characters before the match
    std::u16string match;  // the occurrence as it stands in the text
    std::u16string right;  // at most the context length of characters after it
    bool operator==(const ConcordanceHit&) const = default;
};

// "FILE:LINE: LEFT[MATCH]RIGHT", LEFT padded on the left to context characters so that the
// matches of a listing stand in one column ("-" names clipboard or stream text).
std::u16string FormatHit(const ConcordanceHit& hit, int context);

class Concordance : private OccurrenceObserver {
public:
    explicit Concordance(CountSession& session);
    ~Concordance() override;
    Concordance(const Concordance&) = delete;
    Concordance& operator=(const Concordance&) = delete;

    // Counts the session's source in mode (all phrases: with the phrase window's checks) and
    // calls onHit for each occurrence counted into entry, in text order, context characters
    // (0 or more) each side, the context never running past the line. Returns how the count
    // ended; the hits found before a Stop have been reported.
    RunOutcome Run(CountMode mode, std::u16string entry, int context,
                   const std::function<void(const ConcordanceHit&)>& onHit) {
        return Run(mode, std::vector<std::u16string>{std::move(entry)}, context, onHit);
    }
    // The same for several entries at once (each hit says which).
    RunOutcome Run(CountMode mode, std::vector<std::u16string> entries, int context,
                   const std::function<void(const ConcordanceHit&)>& onHit);
    // Ends the run in progress after the current word (the window's Stop).
    void Stop();
    // Hits reported by the last run.
    std::int64_t Hits() const { return m_hits; }

private:
    struct Met {
        std::int64_t text = 0; // serial number of the line or piece the word lies in
        std::int64_t start = 0, end = 0;
    };
    void WordMet(const std::u16string& word) override;
    void Counted(std::u16string_view entry) override;
    void TextRead(const std::u16string& text, std::int64_t line);
    // Position in m_text of position p (1-based) of the line as extracted.
    std::size_t Original(std::int64_t p) const;
    std::int64_t LineAt(std::size_t pos);

    CountSession& m_session;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    std::unordered_map<std::u16string, std::size_t, Hash, std::equal_to<>> m_entries;
    int m_context = 0;
    std::function<void(const ConcordanceHit&)> m_onHit;
    std::int64_t m_hits = 0;

    std::u16string m_file;
    std::u16string m_text;          // the line (or piece) as read, trimmed as extracted
    std::vector<std::size_t> m_map; // extracted position - 1 -> m_text position, when needed
    bool m_extractedText = false;   // the context is taken from the extracted line instead
    std::int64_t m_serial = 0;
    std::int64_t m_fileLine = 0;   // lines of the file read so far
    std::size_t m_cursor = 0;      // a piece's line breaks are counted up to here
    std::int64_t m_cursorLine = 0; // the line at m_cursor
    std::vector<Met> m_ring;       // the last words met, for phrases
    std::size_t m_ringNext = 0;
};

// Makes target a session configured for the concordance of origin's results: the same
// settings and words to ignore (the word-list files are read again from the settings).
void CopySessionForConcordance(const CountSession& origin, CountSession& target);

} // namespace lxty
