#pragma once
// The word-list report: turns the word table into text, one header line and one line per
// listed entry, in one of two orders (settings.WordOrder 0 by frequency, 1 alphabetical) and
// one of fourteen display formats (settings.DisplayFormat 0 to 13). With an output file in
// force the report is first written in full to the file and then listed again to the text
// window; otherwise it goes to the text window only.
//
// What a listing reads: the word table (entries, included marks, ranks and next links, file
// numbers and per-file counts, file paths), the run totals in RunState (lngNumWords,
// lngNumWordsIncluded, lngNumOccurrences, lngMaxFrequency, lngFirstFreq,
// intMaxWordLengthFound, intMinWidth, strHowManyPhrases and the mode flags), the report
// options of the settings record and ReportState (files and folders scanned, partial list).
//
// Column texts (index 0 is the heading): rank and frequency in plain digits, relative
// frequency as count x 100 / lngNumOccurrences with 2 decimals and "%", logarithms with 4
// decimals and no leading zero (".6931"), right-aligned in their widths; the word padded on
// the right. Output-file lines are UTF-8 and end in CR LF (see OutputFile).

#include "engine/WordTable.h"
#include "reports/OutputFile.h"
#include "reports/ReportState.h"
#include "util/Format.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lxty {

// Everything a listing works on.
struct ReportContext : OutputContext {
    WordTable& table;
    // The host's digit grouping and decimal sign (relative frequencies, logarithms, counts).
    NumberLocale locale;
    // The phrase-filter test of one phrase, given the entry's word-column text; consulted only
    // while run.blnCountingMFP and run.blnFilteringPhrases are set. The phrase module supplies
    // it; while it is empty every phrase passes.
    std::function<bool(std::u16string_view phrase)> phraseFilter;
};

// The enabled states of the report options that depend on other options.
struct ReportOptionStates {
    bool displayRelativeFrequencyEnabled = false;
    bool sortByNumberOfFilesEnabled = false;
};

// The tool tip of the DisplayRelativeFrequency box.
inline constexpr std::u16string_view kRelativeFrequencyToolTip =
    u"'Relative frequency' is explained in 'Report Formats' in the online user manual.";

// The report options whose change relists the report.
enum class ReportOption { WordOrder, DisplayFormat, DisplayRelativeFrequency, SortByNumberOfFiles };

// One listing: the passes and the line and column builders. Holds references only; cheap to
// make for each listing.
class WordListReport {
public:
    explicit WordListReport(ReportContext& ctx) : m_ctx(ctx) {}

    // The whole report: the nothing-found text when no entry is to be listed; otherwise the
    // output-file decision, the file pass (heading lines, then the listing) and the
    // text-window pass. A failure while the file is open is reported (OutputFile) and leaves
    // an empty text window; a stop request ends the current pass.
    void ListWords();

    // One listing pass to the current destination (run.blnOutputFile set: the open output
    // file; clear: the text window). The output file must be open for a file pass.
    void ListWordsAlphabetically();
    void ListWordsByFrequency();

    // Formats the line of entry index (0: the header line) and sends it to the destination.
    void DisplayNextLine(std::int64_t index);
    // Sets intRankWidth, intFreqWidth and intWordWidth, then sends the header line.
    void SetColumnWidths();

    // Columns of entry index (0: the heading).
    std::u16string RankColumn(std::int64_t index) const;
    std::u16string FrequencyColumn(std::int64_t index) const;
    // The heading raises intWordWidth when it is longer.
    std::u16string WordColumn(std::int64_t index);
    std::u16string LogRankColumn(std::int64_t index, bool base10) const;
    std::u16string LogFreqColumn(std::int64_t index, bool base10) const;
    std::u16string FileCountColumn(std::int64_t index) const;
    std::u16string FileListColumn(std::int64_t index, bool withFrequencies) const;

    // The line of entry index for the display format in force.
    std::u16string FormatLineForTextbox(std::int64_t index);
    std::u16string FormatLineForFile(std::int64_t index);
    std::u16string FormatLineForFileWithCommas(std::int64_t index);

    // The output file of the file pass in progress (null outside it); for tests and the
    // count array.
    void SetOutputFile(OutputFile* file) { m_file = file; }

private:
    enum class Layout { Textbox, FileTabs, FileCommas };
    std::u16string FormatLine(std::int64_t index, Layout layout);
    // FormatLineForFile of entry index (> 0) in formats 0 to 7, built into out without
    // temporaries; false, out untouched, for the other formats.
    bool FileLine(std::int64_t index, std::u16string& out) const;
    std::u16string Word(std::int64_t index, Layout layout);
    std::u16string FolderHeader() const;
    std::u16string RelativeFrequencyText(std::int64_t count) const;
    std::u16string LogText(double value) const;
    void PrepareForPass();
    void FinishPass(bool alphabetical);
    bool FilePassFailed() const { return m_file != nullptr && m_file->Failed(); }
    // The text pass can change nothing more: its window is full.
    bool TextPassDone() const;

    ReportContext& m_ctx;
    OutputFile* m_file = nullptr;
    bool m_lastEntryOfPass = false; // the entry being sent is the last one of the pass
    std::u16string m_line;          // the line being written to the file
};

// The report, as the count run and the option handlers call it.
void ListWords(ReportContext& ctx);

// "No words with at least 3 characters" CR LF "satisfying the specified conditions were
// found." (the length part only while IgnoreShortWords is on).
std::u16string NothingFoundText(const Settings& settings, const RunState& run);

// Puts the folder summary into run.strOutput: "3 files (in 2 folders) were scanned." CR LF,
// "Counting was stopped and this list is incomplete." CR LF for a partial list, and one more
// CR LF outside phrase runs.
void FolderScanSummary(ReportContext& ctx);

// Formats 11 to 13 need a folder source: otherwise "Unavailable display format"
// (information), the format goes back to position 0 (option events suppressed) and the
// check fails.
bool CheckDisplayFormat(ReportContext& ctx);

// Which of DisplayRelativeFrequency and SortByNumberOfFiles may be used now. A
// SortByNumberOfFiles that ends up disabled is also unchecked; the frequency order is then
// rebuilt by count when words have been counted.
ReportOptionStates UpdateReportOptionStates(ReportContext& ctx);

// After a report option changed: CheckDisplayFormat, then ListWords when words have been
// counted or a partial list is shown (with catalogue text 22 titled 23 for a partial list).
// Ignored while option events are suppressed.
void RelistAfterOptionChange(ReportContext& ctx);

// The handlers of the report options (nothing before start-up is complete): WordOrder, and
// DisplayFormat outside phrase runs, update the option states and relist;
// DisplayRelativeFrequency relists; SortByNumberOfFiles rebuilds the frequency order and
// relists.
void OnReportOptionChanged(ReportContext& ctx, ReportOption option);

// A click on DisableOutputToFile: when it is now off, an output file is named and words have
// been counted, asks "Relist words (so as to write to file)?" ("Relist?", Yes/No) and relists
// on Yes. Returns whether it relisted.
bool OnDisableOutputToFileClick(ReportContext& ctx);

} // namespace lxty
