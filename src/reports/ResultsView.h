#pragma once
// A view of a count's word table for the results window: the included entries as rows (no
// copy of their texts: a row is an entry's index), sortable by any column, narrowed by a
// filter, and written out as CSV or TSV. The table must not change while a view reads it;
// Reload after every count.
//
// Filter syntax: a text holding "~" or "?", or a whole <regular expression>, is a pattern of
// the program's word lists ("~" any run of characters, "?" any one, matched against the whole
// entry; <...> searched for in it); any other text is found anywhere in the entry. Case is
// ignored unless the filter asks for it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class WordTable;
struct WordEntry;

enum class ResultsColumn { Rank, Entry, Frequency, Relative, Files };

class ResultsView {
public:
    explicit ResultsView(const WordTable& table) : m_table(table) {}

    // Takes the included entries in frequency order (the order of the frequency chain;
    // by count, then table order, when there is none). Clears the filter and the sort.
    void Reload();

    // No rows at all (while a count changes the table).
    void Clear() {
        m_all.clear();
        m_shown.clear();
        m_filtered = false;
    }

    std::size_t Total() const { return m_all.size(); }
    std::size_t Shown() const { return m_shown.size(); }
    // Whether the entries carry file data (folder runs): the Files column means something.
    bool HasFiles() const { return m_hasFiles; }

    // The entry shown at row (0-based, row < Shown()), and its table index (1-based).
    const WordEntry& EntryAt(std::size_t row) const;
    std::int64_t IndexAt(std::size_t row) const { return m_shown[row]; }
    std::int64_t RankAt(std::size_t row) const;
    // Percent of the occurrences of all included entries.
    double RelativeAt(std::size_t row) const;
    std::int64_t FilesAt(std::size_t row) const;
    // A cell as shown: "12", "lord", "0.1234%".
    std::u16string Cell(std::size_t row, ResultsColumn column) const;
    static std::u16string Caption(ResultsColumn column);
    // Columns in order (Files only when HasFiles()).
    std::vector<ResultsColumn> Columns() const;

    // Orders the rows by column (ties by rank), ascending or descending; the filter stays.
    void Sort(ResultsColumn column, bool descending);
    // Narrows the rows to the entries that match filter (empty: all). False, with every row
    // hidden, when the filter is a pattern the expression engine refuses.
    bool SetFilter(std::u16string_view filter, bool caseSignificant = false);

    // The rows (all shown rows when rows is empty) with a heading line of the column
    // captions, one line each ending in LF, as CSV (RFC 4180: fields holding a comma, a
    // double quote or a line break in double quotes, double quotes doubled) or TSV (tabs and
    // line breaks inside a field become spaces). UTF-8 is the caller's conversion.
    std::u16string Export(bool csv, const std::vector<std::size_t>& rows = {}) const;
    static std::u16string CsvField(std::u16string_view text);

private:
    void ApplyFilter();
    // The alphabetical position of every entry (by table index), worked out on first need.
    const std::vector<std::int64_t>& AlphabeticalOrder();

    const WordTable& m_table;
    std::vector<std::int64_t> m_all;   // table indices in the current order
    std::vector<std::int64_t> m_shown; // those that pass the filter, same order
    std::vector<std::int64_t> m_rank;  // by table index: rank in frequency order
    std::vector<char> m_pass;          // by table index: passes the filter
    std::vector<std::int64_t> m_alpha; // by table index: alphabetical position (empty: not yet)
    std::int64_t m_occurrences = 0;
    bool m_filtered = false;
    bool m_hasFiles = false;
};

} // namespace lxty
