#include "reports/CountArray.h"

#include "reports/OutputFile.h"
#include "sources/FolderScan.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

namespace lxty {

namespace fs = std::filesystem;

namespace {

void ShowError(Host& host, const std::u16string& text) {
    host.MessageBox(text, u"", MsgIcon::Exclamation);
}

// The files of the array: their paths (index i at i - 1) and how a file number of the table
// maps to a column. Folder runs number their files from 1; a clipboard or single-file run
// counts everything in file number 0, which becomes the one column of the array.
struct ArrayFiles {
    std::vector<std::u16string> paths;
    bool singleSource = false;

    std::int64_t Count() const { return static_cast<std::int64_t>(paths.size()); }
    // The column of a file number, 0 when it has none.
    std::int64_t Column(std::int64_t fileNumber) const {
        if (singleSource)
            return fileNumber == 0 ? 1 : 0;
        return fileNumber >= 1 && fileNumber <= Count() ? fileNumber : 0;
    }
};

ArrayFiles FilesOf(const ReportContext& ctx) {
    ArrayFiles files;
    const std::int64_t n = ctx.table.NumFilePaths();
    if (n > 0) {
        files.paths.reserve(static_cast<std::size_t>(n));
        for (std::int64_t i = 1; i <= n; ++i)
            files.paths.push_back(ctx.table.FilePath(i));
        return files;
    }
    for (const WordEntry& e : ctx.table.Entries()) {
        if (e.included && e.NumFiles() > 0) {
            files.singleSource = true;
            files.paths.push_back(ctx.settings.Source == SourceKind::InFile ? ctx.settings.File[0]
                                                                            : std::u16string());
            break;
        }
    }
    return files;
}

// Orders the by-frequency rows: larger totals first; equal totals by the character codes of
// the words, a shorter word compared as if padded with blanks (the order a fixed-width word
// field gives). The table index only keeps the order total, for identical words.
struct FrequencyRecord {
    std::int64_t total = 0;
    std::int64_t index = 0;
};

int ComparePadded(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t ca = i < a.size() ? a[i] : u' ';
        const char16_t cb = i < b.size() ? b[i] : u' ';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

class Writer {
public:
    Writer(ReportContext& ctx, const CountArrayOptions& options)
        : m_ctx(ctx), m_options(options), m_files(FilesOf(ctx)),
          m_zero(ctx.settings.ZeroCellsBlank != 0 ? u"" : u"0"),
          m_relative(ctx.settings.WriteRelativeFrequency != 0),
          m_fileTotals(static_cast<std::size_t>(m_files.Count()), 0),
          m_cells(static_cast<std::size_t>(m_files.Count()) + 1, -1) {}

    CountArrayResult Write();

private:
    void WriteHeading();
    // The row text of entry index (tab, cells, and for several files two tabs and the total)
    // into m_row; returns the entry's total. Adds to the file totals when addToTotals.
    std::int64_t BuildRow(std::int64_t index, bool addToTotals);
    void WriteRow(std::u16string_view word);
    void CheckWord(std::u16string_view word);
    std::u16string FirstWordWithMaxFrequency() const;

    ReportContext& m_ctx;
    const CountArrayOptions& m_options;
    ArrayFiles m_files;
    std::u16string m_zero;
    bool m_relative;
    std::vector<std::int64_t> m_fileTotals; // file index i at i - 1
    std::vector<std::int64_t> m_cells;      // count of column i of the row; -1: no field
    std::u16string m_row;
    OutputFile m_file;
    bool m_suspicious = false;
};

std::u16string Writer::FirstWordWithMaxFrequency() const {
    for (const WordEntry& e : m_ctx.table.Entries())
        if (e.included && e.count == m_ctx.run.lngMaxFrequency)
            return e.word;
    return {};
}

void Writer::WriteHeading() {
    const std::u16string when =
        m_options.timeStamp ? m_options.timeStamp() : DateTimeStamp(true, true);
    m_file.WriteLine(u"Output from " + m_options.caption + u" at " + when);

    std::u16string line = u"showing the frequency of each word or phrase in ";
    if (m_files.Count() != 1)
        line += u"the files specified by the file indices.";
    else if (m_files.singleSource && m_ctx.settings.Source != SourceKind::InFile)
        line += u"the text on the clipboard";
    else
        line += u"the file " + EscapedPath(m_files.paths.front());
    m_file.WriteLine(line);

    const std::int64_t maxFrequency = m_ctx.run.lngMaxFrequency;
    const std::u16string word = FirstWordWithMaxFrequency();
    if (maxFrequency >= 1 && m_ctx.table.Size() >= 2 && !word.empty()) {
        m_file.WriteLine(u"Maximum frequency = " + Digits(maxFrequency) +
                         u"    The word or phrase '" + word +
                         u"' occurs with this frequency (there may be others).");
    }
    m_file.WriteLine(u"");
}

std::int64_t Writer::BuildRow(std::int64_t index, bool addToTotals) {
    const WordEntry& entry = m_ctx.table.Entry(index);
    std::int64_t total = 0;
    entry.ForEachFile([&](const FileCount& fc) {
        const std::int64_t column = m_files.Column(fc.fileNumber);
        if (column == 0)
            return;
        total += fc.count;
        m_cells[static_cast<std::size_t>(column)] = fc.count;
        if (addToTotals)
            m_fileTotals[static_cast<std::size_t>(column - 1)] += fc.count;
    });

    m_row.assign(1, u'\t');
    const std::int64_t files = m_files.Count();
    for (std::int64_t i = 1; i <= files; ++i) {
        if (i > 1)
            m_row += u'\t';
        std::int64_t& cell = m_cells[static_cast<std::size_t>(i)];
        if (cell < 0)
            m_row += m_zero;
        else if (m_relative)
            m_row += RelativeFrequencyCell(cell, total);
        else
            m_row += Digits(cell);
        cell = -1; // ready for the next row
    }
    if (files >= 2) {
        m_row += u"\t\t";
        m_row += Digits(total);
    }
    return total;
}

void Writer::CheckWord(std::u16string_view word) {
    if (!m_suspicious)
        m_suspicious = IsLogicalOrNumber(word, m_ctx.settings.AllowWordsWithNumerals != 0);
}

void Writer::WriteRow(std::u16string_view word) {
    CheckWord(word);
    std::u16string line(word);
    line += m_row;
    m_file.WriteLine(line);
}

CountArrayResult Writer::Write() {
    const Settings& settings = m_ctx.settings;
    const WordTable& table = m_ctx.table;
    const std::int64_t size = table.Size();

    std::int64_t included = 0;
    for (const WordEntry& e : table.Entries())
        if (e.included)
            ++included;
    if (included == 0) {
        EmptyOutputFile(PathFromText(settings.File[1]));
        m_ctx.textWindow.ClearOutput();
        m_ctx.textWindow.OutputToTxb(NothingFoundText(settings, m_ctx.run));
        return CountArrayResult::NothingFound;
    }

    const bool alphabetical = settings.CountArrayTables != CountArrayTablesKind::ByFrequency;
    const bool byFrequency = settings.CountArrayTables != CountArrayTablesKind::Alphabetical;
    const std::u16string header = CountArrayColumnHeader(m_files.paths);

    if (m_file.Open(PathFromText(settings.File[1]))) {
        WriteHeading();

        // One pass over the entries builds every row and the file totals; the alphabetical
        // table is written as it goes, the by-frequency table only remembers each row's
        // total and builds the row again once the order is known, so that no table of row
        // texts (files x words cells) is ever held in memory.
        if (alphabetical)
            m_file.Write(header);
        std::vector<FrequencyRecord> records;
        if (byFrequency)
            records.reserve(static_cast<std::size_t>(included));
        for (std::int64_t i = 1; i <= size && !m_file.Failed(); ++i) {
            const WordEntry& entry = table.Entry(i);
            if (!entry.included)
                continue;
            const std::int64_t total = BuildRow(i, true);
            if (alphabetical)
                WriteRow(entry.word);
            if (byFrequency)
                records.push_back({total, i});
            m_ctx.host.Yield();
        }
        if (alphabetical)
            m_file.Write(CountArrayTotalsRow(m_fileTotals));
        if (alphabetical && byFrequency)
            m_file.WriteLine(u"");

        if (byFrequency && !m_file.Failed()) {
            m_ctx.textWindow.ClearOutput();
            m_ctx.textWindow.OutputToTxb(GetText(TextId::SortingRowsByFrequency));
            std::sort(records.begin(), records.end(),
                      [&](const FrequencyRecord& a, const FrequencyRecord& b) {
                          if (a.total != b.total)
                              return a.total > b.total;
                          const int c =
                              ComparePadded(table.Entry(a.index).word, table.Entry(b.index).word);
                          if (c != 0)
                              return c < 0;
                          return a.index < b.index;
                      });
            m_file.Write(header);
            for (const FrequencyRecord& r : records) {
                if (m_file.Failed())
                    break;
                BuildRow(r.index, false);
                WriteRow(TrimSpaces(table.Entry(r.index).word));
                m_ctx.host.Yield();
            }
            m_file.Write(CountArrayTotalsRow(m_fileTotals));
        }
    }
    m_file.Close();
    if (m_file.Failed()) {
        ShowError(m_ctx.host, u"Error: " + m_file.Error()->description);
        return CountArrayResult::Failed;
    }

    const std::u16string report = CountArrayReportText(settings.File[1], m_suspicious);
    m_ctx.textWindow.ClearOutput();
    m_ctx.textWindow.OutputToTxb(report);
    m_ctx.host.MessageBox(report, u"", MsgIcon::Information);
    return CountArrayResult::Written;
}

} // namespace

// ---- The main window's button -----------------------------------------------------------

bool CheckCountArrayOutputFile(OutputContext& ctx) {
    Settings& settings = ctx.settings;
    if (settings.File[1].empty()) {
        ctx.host.MessageBox(GetText(TextId::NoOutputFile) + std::u16string(kLineEnd) +
                                GetText(TextId::SpecifyCountArrayOutput),
                            u"", MsgIcon::None);
        return false;
    }
    std::error_code ec;
    if (settings.WarnOnOverwrite == 0 || !fs::exists(PathFromText(settings.File[1]), ec))
        return true;

    const auto answer = ctx.host.InputBox(u"To overwrite the current output file click on 'OK'.\n"
                                          u"To write to a different file edit the filepath below.\n"
                                          u"\n"
                                          u"(This 'warn on overwrite' can be disabled\n"
                                          u"in the 'Settings' window.)",
                                          u"", settings.File[1]);
    // Paths here are case-sensitive, so the answer is only trimmed, never lower-cased:
    // lower-casing could name another file, or a folder that does not exist. An answer of
    // blanks only names no file at all and stops like an empty one.
    const std::u16string path = answer ? TrimSpaces(*answer) : std::u16string();
    if (path.empty())
        return false;
    const fs::path folder = PathFromText(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        ctx.host.MessageBox(u"Folder does not exist.", u"Error", MsgIcon::Exclamation);
        return false;
    }
    settings.File[1] = path;
    return true;
}

bool CreateCountArrayOutputFile(OutputContext& ctx) {
    // Only a trial: the array replaces the file when it is written whole, so a run that is
    // refused or fails leaves the previous file as it was.
    OutputFile file;
    file.Open(PathFromText(ctx.settings.File[1]));
    file.Discard();
    if (!file.Failed())
        return true;
    ShowError(ctx.host, CountArrayErrorText(file.Error()->description));
    return false;
}

std::u16string CountArrayErrorText(std::u16string_view description) {
    std::u16string text = u"Error: ";
    text += description;
    text += kLineEnd;
    text += kLineEnd;
    text += GetText(TextId::CountArrayIncomplete);
    text += kLineEnd;
    text += GetText(TextId::CountArrayCheckOutput);
    return text;
}

// ---- The writer --------------------------------------------------------------------------

CountArrayResult WriteCountArray(ReportContext& ctx, const CountArrayOptions& options) {
    try {
        return Writer(ctx, options).Write();
    } catch (const std::exception& e) {
        // Out of memory for a very large table, most likely; the writer's file is closed by
        // then.
        const std::string what = e.what();
        ShowError(ctx.host, u"Error: " + Utf8ToU16(what));
        return CountArrayResult::Failed;
    }
}

std::u16string CountArrayColumnHeader(const std::vector<std::u16string>& paths) {
    const std::int64_t files = static_cast<std::int64_t>(paths.size());
    if (files < 2)
        return {};
    std::u16string text;
    for (std::int64_t i = 1; i <= files; ++i) {
        text += u'\t';
        text += Digits(i);
        text += u'\t';
        text += EscapedPath(paths[static_cast<std::size_t>(i - 1)]);
        text += kLineEnd;
    }
    text += kLineEnd;
    text += u"<File indices>";
    for (std::int64_t i = 1; i <= files; ++i) {
        text += u'\t';
        text += Digits(i);
    }
    text += u"\t\tTotal";
    text += kLineEnd;
    return text;
}

std::u16string CountArrayTotalsRow(const std::vector<std::int64_t>& fileTotals) {
    std::u16string text(kLineEnd);
    text += u"Total";
    std::int64_t sum = 0;
    for (const std::int64_t t : fileTotals) {
        text += u'\t';
        text += Digits(t);
        sum += t;
    }
    if (fileTotals.size() >= 2) {
        text += u"\t\t";
        text += Digits(sum);
    }
    text += kLineEnd;
    return text;
}

std::u16string RelativeFrequencyCell(std::int64_t count, std::int64_t total) {
    // Whole-number arithmetic in 128 bits: count x 100 does not fit 64 bits for the largest
    // counts, and a double would round some halves the wrong way.
    const unsigned __int128 scaled = static_cast<unsigned __int128>(count) * 100u;
    const unsigned __int128 t = static_cast<unsigned __int128>(total);
    unsigned __int128 q = scaled / t;
    if ((scaled % t) * 2u >= t)
        ++q;
    return Digits(static_cast<std::int64_t>(q)) + u"%";
}

bool IsLogicalOrNumber(std::u16string_view word, bool allowNumerals) {
    const std::u16string lower = LowerCaseAll(word);
    if (lower == u"true" || lower == u"false")
        return true;
    if (!allowNumerals)
        return false;
    const std::u16string trimmed = TrimSpaces(word);
    if (trimmed.empty())
        return false;
    if (trimmed.find_first_not_of(u"0123456789-+,.") != std::u16string::npos)
        return false;
    // A sign anywhere but at the start makes it text to a spreadsheet ("1-2", "3+").
    return trimmed.find_first_of(u"-+", 1) == std::u16string::npos;
}

std::u16string CountArrayReportText(std::u16string_view outputPath, bool suspicious) {
    std::u16string first = GetText(TextId::CountArrayWrittenTo);
    constexpr std::u16string_view placeholder = u"txbFile";
    for (std::size_t at = first.find(placeholder); at != std::u16string::npos;
         at = first.find(placeholder, at + outputPath.size()))
        first.replace(at, placeholder.size(), outputPath);
    std::u16string text = first;
    text += kLineEnd;
    text += kLineEnd;
    text += GetText(TextId::OpenInSpreadsheet);
    text += kLineEnd;
    text += GetText(TextId::CountArrayRowsHold);
    if (suspicious) {
        text += kLineEnd;
        text += kLineEnd;
        text += GetText(TextId::NumberLikeEntriesNote);
        text += kLineEnd;
        text += GetText(TextId::SpreadsheetMayConvert);
    }
    return text;
}

} // namespace lxty
