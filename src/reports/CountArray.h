#pragma once
// The words-by-files count array: a tab-delimited text file for a spreadsheet, one row per
// counted word or phrase and one column per file of a folder run, each cell holding how often
// the word occurs in that file, with a row total and a totals row.
//
// How the main window's "Make 2-d count array for Excel" button uses this module:
//
//     if (!CheckCountArrayOutputFile(ctx)) return;        // no output file / overwrite box
//     ... the count-array window (order and cell options) ...
//     if (!CreateCountArrayOutputFile(ctx)) return;       // can the file be written?
//     countRun.Hooks().writeCountArray = [&] {
//         return WriteCountArray(ctx, options) != CountArrayResult::Failed;
//     };
//     countRun.Start(mode, /*countArray=*/true);
//
// The writer reads the word table after the exclusions and the summary pass (included marks,
// per-file counts, FilePath(n) for n = 1 .. NumFilePaths()), run.lngMaxFrequency and the
// settings WriteRelativeFrequency, ZeroCellsBlank, CountArrayTables and
// AllowWordsWithNumerals. The file always goes to settings.File[1], whatever
// DisableOutputToFile says. It is UTF-8 with CR LF line ends (see OutputFile).
//
// File layout for two or more files (<T> is a tab, every line ends in CR LF):
//
//     Output from <caption> at <date and time>
//     showing the frequency of each word or phrase in the files specified by the file indices.
//     Maximum frequency = 3    The word or phrase 'alpha' occurs with this frequency (...).
//     (empty line)
//     <T>1<T>/data/a.txt                 the file list: one line per file index
//     <T>2<T>/data/b.txt
//     (empty line)
//     <File indices><T>1<T>2<T><T>Total  the column header
//     alpha<T>3<T>0<T><T>3               one row per included entry
//     (empty line)
//     Total<T>3<T>0<T><T>3               the totals row
//
// With one file the heading names the file ("... in the file <path>"), and there is no file
// list, no column header and no total column. With both tables the alphabetical table (with
// its totals row) is followed by one empty line and the by-frequency table (column header,
// rows, totals row). Without a second entry in the table, or without a count, the "Maximum
// frequency" line is left out (the empty line stays).
//
// Cells: the count in digits; with WriteRelativeFrequency the file's share of the row total
// as a whole percentage, rounded, followed by "%" ("33%"); a file without the word holds "0",
// or nothing with ZeroCellsBlank. Counts and totals are 64-bit and have no cap. The
// by-frequency table orders rows by decreasing total; rows with equal totals are in
// ascending order of the word's character codes (a word compared as if padded with blanks).
//
// A table from a clipboard or single-file run (every count in file number 0) is written as
// one file: the input file, or the text on the clipboard.

#include "reports/ReportState.h"
#include "reports/WordListReport.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

// --- The main window's button ---------------------------------------------------------------

// The checks before the count-array window opens. No output file named: catalogue text 103
// CR LF catalogue text 104 (no icon, the program's title) and false. With WarnOnOverwrite on
// and an existing output file: an input box whose default answer is the current path; Cancel
// or an answer of blanks only gives false; an answer whose folder does not exist gives
// "Folder does not exist." ("Error", exclamation) and false; any other answer, trimmed,
// becomes settings.File[1]. Otherwise true.
bool CheckCountArrayOutputFile(OutputContext& ctx);

// Before the count: whether the output file can be written, tried beside it without touching
// it (the writer replaces it only when the array is complete). A failure shows
// CountArrayErrorText (exclamation icon) and gives false.
bool CreateCountArrayOutputFile(OutputContext& ctx);

// "Error: " + description, CR LF, CR LF, catalogue text 354, CR LF, catalogue text 355: the
// message for a failure around the count-array run.
std::u16string CountArrayErrorText(std::u16string_view description);

// --- The writer -----------------------------------------------------------------------------

struct CountArrayOptions {
    // The main window's caption, named in the first heading line.
    std::u16string caption = u"Lexitally";
    // The date and time of the first heading line; empty: DateTimeStamp(true, true), e.g.
    // "14:05:09 on 2026-01-05". Tests put a fixed text here.
    std::function<std::u16string()> timeStamp;
};

enum class CountArrayResult {
    Written,      // the file has been written and the report shown
    NothingFound, // no included entry: the nothing-found text is shown, no file is written
    Failed        // writing failed: "Error: " + description has been shown
};

// Writes the count array to settings.File[1], then shows the report (CountArrayReportText)
// in the text window and repeats it in a message box (information icon). Without an included
// entry the text window shows the nothing-found text of the word-list report instead. A
// failure to open or write the file closes it and shows "Error: " + the description
// (exclamation icon); the file is then incomplete. Yields once per entry.
CountArrayResult WriteCountArray(ReportContext& ctx, const CountArrayOptions& options = {});

// --- The pieces of the writer -----------------------------------------------------------------

// The column header and file list for paths (file index i = paths[i - 1]), each line ended by
// CR LF: one line per file (tab, index, tab, path as EscapedPath shows it), an empty line,
// then "<File indices>", a tab and each index, two tabs and "Total". Empty for fewer than 2
// files. The heading's single file is shown as EscapedPath shows it too.
std::u16string CountArrayColumnHeader(const std::vector<std::u16string>& paths);

// The totals row, lines ended by CR LF: an empty line, then "Total", a tab and each file's
// total; for 2 or more files also two tabs and the sum of the file totals.
std::u16string CountArrayTotalsRow(const std::vector<std::int64_t>& fileTotals);

// One cell of relative frequency: count x 100 / total rounded to a whole number (halves up),
// followed by "%". Exact for every 64-bit count; total must be positive.
std::u16string RelativeFrequencyCell(std::int64_t count, std::int64_t total);

// Whether a spreadsheet would read word as a logical value or a number: "true" or "false" in
// any case; with allowNumerals also a word that, trimmed of blanks, is not empty, consists of
// "0123456789-+,." only and has "-" or "+" at most as its first character.
bool IsLogicalOrNumber(std::u16string_view word, bool allowNumerals);

// The report after a written array: catalogue text 359 with "txbFile" replaced by
// outputPath, CR LF CR LF, 360, CR LF, 361; with suspicious also CR LF CR LF, 357, CR LF, 358.
std::u16string CountArrayReportText(std::u16string_view outputPath, bool suspicious);

} // namespace lxty
