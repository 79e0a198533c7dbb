// The words-by-files count array as the person gets it: whole files compared with the
// expected files in tests/data/countarray/ (one file, two files with and without blank zero
// cells and relative frequencies, each table order, both tables, totals beyond five digits),
// the text window's report and its note on words a spreadsheet would convert, the nothing-found
// case, write failures, and the checks of the main window's button with their messages.

#include "reports/CountArray.h"
#include "FileSizeLimit.h"
#include "Golden.h"
#include "ReportRig.h"

#include <regex>

namespace lxty {
namespace {

using test::N;
using test::ReadBytes;

std::string Expected(const std::string& name) {
    const fs::path p = fs::path(LXTY_TEST_DATA_DIR) / "countarray" / (name + ".txt");
    EXPECT_TRUE(fs::exists(p)) << p;
    return ReadBytes(p);
}

const char16_t* const kStamp = u"09:30:00 on 2026-12-06";

// One file of a folder run: its path and the words counted in it, in reading order.
struct SourceFile {
    std::u16string path;
    std::vector<std::pair<std::u16string, std::int64_t>> words; // word, occurrences
};

// A count-array run with everything the writer reads.
struct ArrayRun : test::ReportRig {
    CountArrayOptions options;

    explicit ArrayRun(const fs::path& output) {
        settings.File[1] = TextFromPath(output);
        options.timeStamp = [] { return std::u16string(kStamp); };
        run.blnStartUpCompleted = true;
    }

    // Counts a folder run file by file, as the count run does (the file number advances
    // at the first counted word of each file), then excludes the given words, sorts and sums
    // up.
    void CountFolder(const std::vector<SourceFile>& files,
                     const std::vector<std::u16string>& excluded = {}) {
        settings.Source = SourceKind::Folder;
        table.Reset();
        for (const auto& f : files) {
            for (const auto& [word, n] : f.words) {
                for (std::int64_t k = 0; k < n; ++k) {
                    table.UpdateCurrentFile(f.path);
                    table.Count(word, FileScope::Folder, table.CurrentFileNumber());
                }
            }
        }
        Finish(excluded);
    }

    void Finish(const std::vector<std::u16string>& excluded = {}) {
        table.SortAlphabetically();
        for (std::int64_t i = 1; i <= table.Size(); ++i)
            for (const auto& w : excluded)
                if (table.Entry(i).word == w)
                    table.Entry(i).included = false;
        table.Summarize(run, host);
    }

    CountArrayResult Write() { return WriteCountArray(ctx, options); }
};

// alpha 3 times in the first file and not in the second; beta only in the second; gamma in
// both.
std::vector<SourceFile> TwoFiles() {
    return {{u"/data/corpus/a.txt", {{u"alpha", 3}, {u"gamma", 1}}},
            {u"/data/corpus/b.txt", {{u"beta", 1}, {u"gamma", 2}}}};
}

// Three files: equal totals (alpha, delta and kappa 3 each, met in the order kappa, delta,
// alpha), a word excluded by the filters (xi, which must not enter the file totals) and a
// file whose only counted word is the excluded one.
std::vector<SourceFile> ThreeFiles() {
    return {{u"/data/corpus/one.txt", {{u"kappa", 1}, {u"omega", 4}, {u"delta", 2}, {u"xi", 7}}},
            {u"/data/corpus/sub/two.txt", {{u"alpha", 3}, {u"kappa", 2}, {u"beta", 1}}},
            {u"/data/corpus/sub/three.txt", {{u"xi", 2}, {u"delta", 1}, {u"omega", 1}}},
            {u"/data/corpus/z.txt", {{u"xi", 1}}}};
}

struct CountArrayTest : ::testing::Test {
    static void SetUpTestSuite() { test::LoadTexts(); }
    test::TempDir dir{"lxty-countarray"};
    fs::path output = dir / "array.txt";
};

std::u16string ReportWithoutNote(const fs::path& output) {
    std::u16string first = GetText(TextId::CountArrayWrittenTo);
    first.replace(first.find(u"txbFile"), 7, TextFromPath(output));
    return first + u"\n\n" + GetText(TextId::OpenInSpreadsheet) + u"\n" +
           GetText(TextId::CountArrayRowsHold);
}

// ---- Whole files -------------------------------------------------------------------------------

struct FileCase {
    std::string expected; // name of the expected file
    std::vector<SourceFile> files;
    std::vector<std::u16string> excluded;
    CountArrayTablesKind tables = CountArrayTablesKind::Alphabetical;
    int zeroCellsBlank = 0;
    int relative = 0;
};

TEST_F(CountArrayTest, WholeFiles) {
    const std::vector<FileCase> cases = {
        // One file: the heading names it; no file list, no column header, no total column.
        {"one_file", {{u"/data/one/only.txt", {{u"beta", 1}, {u"alpha", 3}}}}, {}},
        // A table of one entry has no maximum-frequency line.
        {"one_entry", {{u"/data/one/only.txt", {{u"alpha", 2}}}}, {}},
        {"two_files", TwoFiles(), {}},
        {"two_files_blank", TwoFiles(), {}, CountArrayTablesKind::Alphabetical, 1},
        {"two_files_relative", TwoFiles(), {}, CountArrayTablesKind::Alphabetical, 0, 1},
        {"two_files_relative_blank", TwoFiles(), {}, CountArrayTablesKind::Alphabetical, 1, 1},
        {"three_files_alphabetical", ThreeFiles(), {u"xi"}},
        {"three_files_by_frequency", ThreeFiles(), {u"xi"}, CountArrayTablesKind::ByFrequency},
        {"three_files_both", ThreeFiles(), {u"xi"}, CountArrayTablesKind::Both},
        {"one_file_both",
         {{u"/data/one/only.txt", {{u"beta", 1}, {u"alpha", 3}, {u"gamma", 2}}}},
         {},
         CountArrayTablesKind::Both,
         1,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        fs::remove(output);
        ArrayRun r(output);
        r.settings.CountArrayTables = c.tables;
        r.settings.ZeroCellsBlank = c.zeroCellsBlank;
        r.settings.WriteRelativeFrequency = c.relative;
        r.CountFolder(c.files, c.excluded);
        EXPECT_EQ(CountArrayResult::Written, r.Write());
        EXPECT_EQ(Expected(c.expected), ReadBytes(output));

        // The report: in the text window and repeated in a message box.
        const std::u16string report = ReportWithoutNote(output);
        EXPECT_EQ(N(report), N(r.tw.Text()));
        EXPECT_EQ(r.tw.Text(), r.host.textWindow);
        ASSERT_EQ(1u, r.host.messages.size());
        EXPECT_EQ(N(report), N(r.host.messages[0].text));
        EXPECT_EQ(MsgIcon::Information, r.host.messages[0].icon);
    }
}

// Totals above five digits: the by-frequency order still puts the largest total first.
TEST_F(CountArrayTest, ByFrequencyOrderHoldsForTotalsBeyondFiveDigits) {
    ArrayRun r(output);
    r.settings.CountArrayTables = CountArrayTablesKind::ByFrequency;
    r.CountFolder({{u"/data/big/a.txt", {{u"many", 100000}, {u"some", 99999}, {u"few", 5}}},
                   {u"/data/big/b.txt", {{u"many", 1}, {u"lots", 1234567}}}});
    EXPECT_EQ(CountArrayResult::Written, r.Write());
    EXPECT_EQ(Expected("large_totals"), ReadBytes(output));
}

// A clipboard or single-file run counts everything in file number 0: one column.
TEST_F(CountArrayTest, SingleSourceRunsGiveOneColumn) {
    for (const SourceKind source : {SourceKind::InFile, SourceKind::OnClipboard}) {
        SCOPED_TRACE(static_cast<int>(source));
        fs::remove(output);
        ArrayRun r(output);
        r.settings.Source = source;
        r.settings.File[0] = u"/home/ann/notes.txt";
        for (const char16_t* w : {u"cat", u"the", u"cat", u"mat"})
            r.table.Count(w, FileScope::SingleSource, 0);
        r.Finish();
        EXPECT_EQ(CountArrayResult::Written, r.Write());
        EXPECT_EQ(Expected(source == SourceKind::InFile ? "single_file" : "single_clipboard"),
                  ReadBytes(output));
    }
}

TEST_F(CountArrayTest, HeadingNamesTheCaptionAndTheCurrentTime) {
    ArrayRun r(output);
    r.options.timeStamp = nullptr;
    r.options.caption = u"Lexitally 1.0";
    r.CountFolder(TwoFiles());
    EXPECT_EQ(CountArrayResult::Written, r.Write());
    const std::string text = ReadBytes(output);
    const std::string first = text.substr(0, text.find("\n"));
    EXPECT_TRUE(std::regex_match(
        first, std::regex(R"(Output from Lexitally 1\.0 at \d\d:\d\d:\d\d on \d{4}-\d\d-\d\d)")))
        << first;
}

// ---- The note on words a spreadsheet converts ---------------------------------------------

TEST_F(CountArrayTest, TrueRowIsWrittenAsCountedWithTheNote) {
    ArrayRun r(output);
    r.CountFolder({{u"/data/a.txt", {{u"true", 2}, {u"word", 1}}}});
    EXPECT_EQ(CountArrayResult::Written, r.Write());
    EXPECT_EQ(Expected("true_word"), ReadBytes(output));
    EXPECT_NE(std::u16string::npos,
              r.tw.Text().find(GetText(TextId::NumberLikeEntriesNote) + u"\n" +
                               GetText(TextId::SpreadsheetMayConvert)));
}

// ---- Cells, header and totals -------------------------------------------------------------------

// Words a spreadsheet would read as logical values or numbers, the report's note on them, the
// relative-frequency cells, the column header and the totals row, from
// tests/data/cases/count-array.txt.
TEST_F(CountArrayTest, Cells) {
    test::ExpectCases("cases/count-array.txt", "", [&](const test::Row& in) -> std::u16string {
        const test::Row rest(in.begin() + 1, in.end() - (in.back() == u"-"));
        if (in.at(0) == u"Note") { // word | numerals allowed => the report in both table orders
            std::u16string out;
            for (const auto tables :
                 {CountArrayTablesKind::Alphabetical, CountArrayTablesKind::ByFrequency}) {
                fs::remove(output);
                ArrayRun r(output);
                r.settings.AllowWordsWithNumerals = in.at(2) == u"1";
                r.settings.CountArrayTables = tables;
                r.CountFolder({{u"/data/a.txt", {{u"plain", 2}, {in.at(1), 1}}},
                               {u"/data/b.txt", {{u"plain", 1}}}});
                EXPECT_EQ(CountArrayResult::Written, r.Write());
                EXPECT_EQ(N(r.tw.Text()), r.host.messages.empty() ? "" : r.Only().substr(1));
                const std::u16string note = ReportWithoutNote(output) + u"\n\n" +
                                            GetText(TextId::NumberLikeEntriesNote) + u"\n" +
                                            GetText(TextId::SpreadsheetMayConvert);
                out += r.tw.Text() == ReportWithoutNote(output) ? u"no note "
                       : r.tw.Text() == note                    ? u"note "
                                                                : u"other report ";
            }
            return out.substr(0, out.size() - 1);
        }
        if (in.at(0) == u"IsLogicalOrNumber")
            return test::YesNo(IsLogicalOrNumber(in.at(1), in.at(2) == u"1"));
        if (in.at(0) == u"CountArrayColumnHeader")
            return CountArrayColumnHeader(rest);
        if (in.at(0) == u"CountArrayTotalsRow") {
            std::vector<std::int64_t> totals;
            for (const auto& t : rest)
                totals.push_back(test::Number(t));
            return CountArrayTotalsRow(totals);
        }
        return RelativeFrequencyCell(test::Number(in.at(1)), test::Number(in.at(2)));
    });
}

// ---- Nothing to write, and failures --------------------------------------------------------

TEST_F(CountArrayTest, NoIncludedEntryShowsNothingFoundAndWritesNoFile) {
    ArrayRun r(output);
    r.tw.OutputToTxb(u"Processing . . .");
    r.CountFolder(TwoFiles(), {u"alpha", u"beta", u"gamma"});
    EXPECT_EQ(CountArrayResult::NothingFound, r.Write());
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(N(NothingFoundText(r.settings, r.run)), N(r.tw.Text()));
    EXPECT_TRUE(r.host.messages.empty());
}

TEST_F(CountArrayTest, UnwritableFileIsReportedAsAnError) {
    ArrayRun r(dir / "missing" / "array.txt");
    r.CountFolder(TwoFiles());
    EXPECT_EQ(CountArrayResult::Failed, r.Write());
    ASSERT_EQ(1u, r.host.messages.size());
    EXPECT_EQ("Error: Path not found", N(r.host.messages[0].text));
    EXPECT_EQ(MsgIcon::Exclamation, r.host.messages[0].icon);
}

TEST_F(CountArrayTest, FullDiskIsReportedAsAnErrorAndLeavesThePreviousFile) {
    std::ofstream(output) << "previous array";
    ArrayRun r(output);
    std::vector<std::pair<std::u16string, std::int64_t>> words;
    for (int i = 0; i < 3000; ++i)
        words.emplace_back(u"word" + Utf8ToU16(std::to_string(i)), 1);
    r.CountFolder({{u"/data/a.txt", words}});
    {
        test::FileSizeLimit full(4096);
        EXPECT_EQ(CountArrayResult::Failed, r.Write());
    }
    ASSERT_EQ(1u, r.host.messages.size());
    EXPECT_EQ("Error: Disk full", N(r.host.messages[0].text));
    EXPECT_EQ("previous array", ReadBytes(output));
}

// ---- The main window's button ------------------------------------------------------------------

// The output-file checks of the button, compared with tests/data/countarray/checks.txt.
TEST_F(CountArrayTest, OverwriteCheck) {
    const std::u16string existing = TextFromPath(dir / "Array.txt");
    std::ofstream(dir / "Array.txt") << "old";
    using Answer = std::optional<std::u16string>; // none: Cancel
    struct Case {
        std::string name;
        int warn;
        std::u16string file;
        std::optional<Answer> answer; // none: not scripted
    };
    const std::vector<Case> cases = {
        {"no output file", 1, u"", {}},
        {"warning off", 0, existing, {}},
        {"file absent", 1, TextFromPath(dir / "new.txt"), {}},
        {"OK keeps the path", 1, existing, {}},
        {"Cancel stops", 1, existing, Answer()},
        {"emptied answer stops", 1, existing, Answer(u"")},
        {"blanks stop", 1, existing, Answer(u"   ")},
        {"edited path, trimmed, case kept", 1, existing,
         Answer(u"  " + TextFromPath(dir / "Other Array.TXT") + u"  ")},
        {"folder missing", 1, existing, Answer(TextFromPath(dir / "missing" / "array.txt"))},
    };
    test::Golden g("countarray/checks", "overwrite/");
    for (const auto& c : cases) {
        test::ReportRig r;
        r.settings.WarnOnOverwrite = c.warn;
        r.settings.File[1] = c.file;
        if (c.answer)
            r.host.inputs.push_back(*c.answer);
        const bool ok = CheckCountArrayOutputFile(r.out);
        std::string got = "ok " + std::to_string(ok) + ", file " + N(r.settings.File[1]) + "\n";
        for (const auto& p : r.host.inputPrompts)
            got += "asked: " + N(p) + "\n";
        g.Add(c.name, test::Named(got + r.Said(), dir.path(), "{dir}"));
        EXPECT_EQ(0, r.settings.DisableOutputToFile) << c.name;
    }
    g.Check();
}

TEST_F(CountArrayTest, TryingTheOutputFileKeepsItOrReportsWhy) {
    test::ReportRig r;
    auto& host = r.host;
    auto& settings = r.settings;
    auto& ctx = r.out;
    std::ofstream(output) << "old contents";
    settings.File[1] = TextFromPath(output);
    EXPECT_TRUE(CreateCountArrayOutputFile(ctx));
    EXPECT_EQ("old contents", ReadBytes(output));
    EXPECT_TRUE(host.messages.empty());

    settings.File[1] = TextFromPath(dir / "missing" / "array.txt");
    EXPECT_FALSE(CreateCountArrayOutputFile(ctx));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(N(u"Error: Path not found\n\n" + GetText(TextId::CountArrayIncomplete) + u"\n" +
                GetText(TextId::CountArrayCheckOutput)),
              N(host.messages[0].text));
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
    EXPECT_FALSE(GetText(TextId::CountArrayIncomplete).empty());
}

} // namespace
} // namespace lxty
