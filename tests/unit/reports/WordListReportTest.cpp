// The word-list report as the person sees it: whole text-window and output-file contents for
// every display format, both orders and both file layouts, compared with the expected files
// in tests/data/reports/ (one file per source, one section per listing). Then the rules
// around the listing: the nothing-found text, the folder summary, the header note, a full
// text window, a stop request, output-file failures, phrase listings and the option handlers.
//
// To rewrite the expected files after a deliberate change of the report, run the test with
// LXTY_WRITE_EXPECTED=1 and review the difference before committing it.

#include "reports/WordListReport.h"
#include "FileSizeLimit.h"
#include "Golden.h"
#include "ReportRig.h"
#include "settings/SettingsDefaults.h"

namespace lxty {
namespace {

using test::ReadBytes;
using test::U;

// ---- Sample sources --------------------------------------------------------------------

struct SampleFile {
    std::u16string path;
    std::vector<std::u16string> words; // in reading order
};

struct Sample {
    std::string name;
    SourceKind source;
    std::u16string inputFile; // single-file source
    std::u16string folder;    // folder source
    std::int64_t filesScanned = 0, foldersScanned = 0;
    std::vector<SampleFile> files;
};

// Words in reading order from "word*count" items ("the*2 cat" is "the the cat").
std::vector<std::u16string> Words(const std::u16string& items) {
    std::vector<std::u16string> out;
    for (std::size_t b = 0, e; b < items.size(); b = e + 1) {
        e = std::min(items.find(u' ', b), items.size());
        const std::u16string item = items.substr(b, e - b);
        const auto star = item.find(u'*');
        const int n = star == std::u16string::npos ? 1 : std::stoi(test::N(item.substr(star + 1)));
        out.insert(out.end(), n, item.substr(0, star));
    }
    return out;
}

// 16 occurrences: "encyclopedia" (12 characters) makes up one eighth of them.
const std::u16string kNotes = u"the*2 cat*3 sat*2 on*2 the*2 encyclopedia*2 caf\u00e9 mat a";

Sample SingleFileSample() {
    return {"single_file",         SourceKind::InFile, u"/home/ann/notes.txt", u"", 0, 0,
            {{u"", Words(kNotes)}}};
}

Sample ClipboardSample() {
    return {"clipboard", SourceKind::OnClipboard, u"", u"", 0, 0, {{u"", Words(kNotes)}}};
}

// Three files in two folders; the folder path is longer than 13 characters.
Sample FolderSample() {
    const std::u16string f = u"/data/corpus/texts/";
    Sample s{"folder", SourceKind::Folder, u"", u"/data/corpus/texts", 3, 2, {}};
    s.files = {{f + u"a.txt", Words(u"the*3 cat*2 sat on mat*4 encyclopedia")},
               {f + u"b.txt", Words(u"dog*2 the*2 cat encyclopedia")},
               {f + u"sub/c.txt", Words(u"the dog caf\u00e9")}};
    return s;
}

// ---- A listing with everything it needs ---------------------------------------------------

struct Listing : test::ReportRig {
    // Counts the sample into the table as a count run does: count, sort, sum up, chain.
    void Count(const Sample& s) {
        settings.Source = s.source;
        settings.File[0] = s.inputFile;
        settings.Folder = s.folder;
        report.lngNumFilesScanned = s.filesScanned;
        report.lngNumFoldersScanned = s.foldersScanned;
        table.Reset();
        for (const auto& f : s.files) {
            if (s.source == SourceKind::Folder)
                table.UpdateCurrentFile(f.path);
            for (const auto& w : f.words)
                table.Count(
                    w, s.source == SourceKind::Folder ? FileScope::Folder : FileScope::SingleSource,
                    table.CurrentFileNumber());
        }
        Rechain();
        run.intMinWidth = 8;
        run.blnWordsGot = true;
        run.blnStartUpCompleted = true;
    }
    void Rechain() {
        table.SortAlphabetically();
        table.Summarize(run, host);
        table.BuildFrequencyChain(settings, run, host);
    }
};

struct Output {
    std::string window, file;
};

// Lists once with the output file at path; returns the text window and the file.
Output ListTo(Listing& l, const fs::path& path) {
    fs::remove(path);
    l.settings.File[1] = TextFromPath(path);
    ListWords(l.ctx);
    EXPECT_EQ(l.tw.Text(), l.host.textWindow);
    EXPECT_TRUE(l.host.messages.empty()) << U16ToUtf8(l.host.messages.front().text);
    return {U16ToUtf8(l.tw.Text()), ReadBytes(path)};
}

struct WordListReportTest : ::testing::Test {
    static void SetUpTestSuite() { test::LoadTexts(); }

    // Every format of the list in both orders: the text window, the tab file and the comma
    // file of each, compared with tests/data/reports/<sample>.txt; plus extra variants.
    void AllFormats(test::Golden& out, const Sample& sample, std::vector<int> formats) {
        for (int format : formats) {
            for (int order : {0, 1}) {
                const std::string what = "format " + std::to_string(format) +
                                         (order == 0 ? " by frequency" : " alphabetical");
                Output o[2];
                for (int commas : {0, 1}) {
                    Listing l;
                    l.Count(sample);
                    l.settings.DisplayFormat = format;
                    l.settings.WordOrder = order;
                    l.settings.OutputWithCommas = commas;
                    o[commas] = ListTo(l, dir / "out.txt");
                }
                EXPECT_EQ(o[0].window, o[1].window) << what;
                out.Add(what + ", text window", o[0].window);
                out.Add(what + ", file with tabs", o[0].file);
                out.Add(what + ", file with commas", o[1].file);
            }
        }
    }

    void AddVariant(test::Golden& out, const Sample& sample, const std::string& what,
                    const std::function<void(Listing&)>& set) {
        for (int commas : {0, 1}) {
            Listing l;
            l.Count(sample);
            set(l);
            l.settings.OutputWithCommas = commas;
            l.Rechain(); // options such as SortByNumberOfFiles change the frequency order
            const Output o = ListTo(l, dir / "out.txt");
            if (commas == 0)
                out.Add(what + ", text window", o.window);
            out.Add(what + (commas ? ", file with commas" : ", file with tabs"), o.file);
        }
    }

    test::TempDir dir{"lxty-report"};
};

TEST_F(WordListReportTest, SingleFileEveryFormatBothOrdersAndLayouts) {
    const Sample s = SingleFileSample();
    test::Golden got("reports/" + s.name);
    AllFormats(got, s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    for (int format : {0, 1, 2, 4, 5, 7}) {
        for (int order : {0, 1}) {
            AddVariant(got, s,
                       "relative frequency, format " + std::to_string(format) +
                           (order == 0 ? " by frequency" : " alphabetical"),
                       [&](Listing& l) {
                           l.settings.DisplayFormat = format;
                           l.settings.WordOrder = order;
                           l.settings.DisplayRelativeFrequency = 1;
                       });
        }
    }
    AddVariant(got, s, "natural logarithms, format 10", [](Listing& l) {
        l.settings.DisplayFormat = 10;
        l.settings.UseLog10 = 0;
    });
    got.Check();
}

TEST_F(WordListReportTest, ClipboardEveryFormatBothOrdersAndLayouts) {
    const Sample s = ClipboardSample();
    test::Golden got("reports/" + s.name);
    AllFormats(got, s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    got.Check();
}

TEST_F(WordListReportTest, FolderEveryFormatBothOrdersAndLayouts) {
    const Sample s = FolderSample();
    test::Golden got("reports/" + s.name);
    AllFormats(got, s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    for (int format : {11, 13})
        AddVariant(got, s, "relative frequency, format " + std::to_string(format), [&](Listing& l) {
            l.settings.DisplayFormat = format;
            l.settings.DisplayRelativeFrequency = 1;
        });
    for (int format : {11, 13})
        AddVariant(got, s, "by number of files, format " + std::to_string(format), [&](Listing& l) {
            l.settings.DisplayFormat = format;
            l.settings.SortByNumberOfFiles = 1;
        });
    AddVariant(got, s, "subfolders, partial list, format 0", [](Listing& l) {
        l.settings.IncludeSubfolders = 1;
        l.report.blnListIsPartial = true;
    });
    AddVariant(got, s, "short folder path, format 13", [](Listing& l) {
        // "/data/corpus" has 12 characters: paths are written in full, no {Folder} header.
        l.settings.Folder = u"/data/corpus";
        l.settings.DisplayFormat = 13;
    });
    got.Check();
}

TEST_F(WordListReportTest, ColumnWidthsHaveTheMinimumAndGrowWithTheirTexts) {
    Listing l;
    Sample s = SingleFileSample();
    s.files[0].words = {u"ox", u"ox", u"ant"};
    l.Count(s);
    WordListReport r(l.ctx);
    r.SetColumnWidths();
    EXPECT_EQ(8, l.run.intRankWidth);
    EXPECT_EQ(8, l.run.intFreqWidth);
    EXPECT_EQ(8, l.report.intWordWidth); // longest word has 3 characters
    EXPECT_EQ(u"ant     ", r.WordColumn(1));

    l.run.lngNumWordsIncluded = 123456789;
    l.run.lngMaxFrequency = 1234567890;
    l.run.intMaxWordLengthFound = 11;
    r.SetColumnWidths();
    EXPECT_EQ(9, l.run.intRankWidth);
    EXPECT_EQ(10, l.run.intFreqWidth);
    EXPECT_EQ(11, l.report.intWordWidth);

    // "Word or phrase" is longer than the minimum: the heading widens the column.
    l.run.intMaxWordLengthFound = 3;
    l.run.blnThereAreCountOnlyWords = true;
    l.run.blnCountOnlyWordsIncludePhrase = true;
    r.SetColumnWidths();
    EXPECT_EQ(14, l.report.intWordWidth);
    EXPECT_EQ(u"ant           ", r.WordColumn(1));
}

// The file lines of formats 0 to 7 are built apart, in one reused buffer: they stay those of
// FormatLineForFile for words with outer blanks, only blanks, none, other scripts and more
// characters than the column, for phrases, and with relative frequencies.
TEST_F(WordListReportTest, FileLinesOfEveryFormatMatchTheirGeneralForm) {
    Listing l;
    Sample s = SingleFileSample();
    s.files[0].words = {u" ox ",        u" ox ",          u"   ", u"", u"caf\u00e9 \U0001F600",
                        u"the cat sat", u"hippopotamuses"};
    l.Count(s);
    l.run.intMaxWordLengthFound = 5;
    for (int format = 0; format <= 7; ++format)
        for (const bool phrases : {false, true})
            for (const int relative : {0, 1}) {
                l.settings.DisplayFormat = format;
                l.settings.DisplayRelativeFrequency = relative;
                l.run.blnCountingMFP = phrases;
                l.run.blnOutputFile = true;
                WordListReport r(l.ctx);
                r.SetColumnWidths();
                std::u16string expected;
                OutputFile file;
                ASSERT_TRUE(file.Open(dir / "lines.txt"));
                r.SetOutputFile(&file);
                for (std::int64_t i = 1; i <= l.table.Size(); ++i) {
                    expected += r.FormatLineForFile(i) + u"\n";
                    r.DisplayNextLine(i);
                }
                ASSERT_TRUE(file.Close());
                EXPECT_EQ(U16ToUtf8(expected), ReadBytes(dir / "lines.txt"))
                    << "format " << format << (phrases ? ", phrases" : "")
                    << (relative ? ", relative" : "");
            }
}

// A table big enough to overflow the text window: 9,000 words of 12 characters.
Sample BigSample(int words = 9000) {
    Sample s = SingleFileSample();
    s.files[0].words.clear();
    for (int i = 0; i < words; ++i) {
        std::string w = "w" + std::to_string(100000000 + i) + "xx";
        s.files[0].words.push_back(U(w));
    }
    return s;
}

TEST_F(WordListReportTest, ListingLargerThanTheTextWindowEndsAtAWholeLineWithTheNote) {
    // Every listing size around the capacity, so that the window fills in the last block
    // (written when the pass ends) as well as in an earlier one: a listing is either whole or
    // ends at a whole line with the out-of-space note and its message; a file holds it all.
    std::vector<int> sizes = {9000}; // and one that fills the window long before its end
    for (int words = 2600; words <= 2720; words += 2)
        sizes.push_back(words);
    for (const int words : sizes) {
        const bool toFile = words % 4 == 0;
        Listing l;
        l.Count(BigSample(words));
        l.settings.WordOrder = 1;
        l.settings.DisplayFormat = 3; // " " rank "  " word: 23 characters a line with its LF
        if (toFile)
            l.settings.File[1] = TextFromPath(dir / "big.txt");
        ListWords(l.ctx);
        const std::u16string& text = l.tw.Text();
        const std::u16string last = U("w" + std::to_string(100000000 + words - 1) + "xx\n");
        const std::u16string tail = u"xx\n\n" + GetText(TextId::TextWindowFull);
        const std::u16string& end = l.host.messages.empty() ? last : tail;
        ASSERT_GT(text.size(), end.size()) << words;
        EXPECT_EQ(end, text.substr(text.size() - end.size())) << words;
        EXPECT_LE(text.size(), 65000u);
        EXPECT_EQ(text, l.host.textWindow);
        EXPECT_TRUE(!toFile || ReadBytes(dir / "big.txt").ends_with(test::N(last))) << words;
        const std::u16string said = toFile ? GetText(TextId::TextWindowFull) + u"  \n" +
                                                 GetText(TextId::CompleteListWritten)
                                           : GetText(TextId::TextWindowFull) + u"  " +
                                                 GetText(TextId::SpecifyOutputFileForAll);
        EXPECT_EQ(l.host.messages.empty() ? ""
                                          : test::N(GetText(TextId::TextWindowFull) + u"|" + said),
                  l.host.messages.empty() ? "" : l.Only())
            << words;
    }
}

TEST_F(WordListReportTest, SingleLineLargerThanTheTextWindow) {
    // One word in 3,000 files: its format-12 line alone is longer than the window holds, so
    // the pending text is never moved into the window and the report shows its beginning.
    Listing l;
    Sample s = FolderSample();
    s.files.clear();
    std::u16string expected = u"word\n";
    for (int i = 1; i <= 3000; ++i) {
        const std::string name = "file" + std::to_string(10000 + i).substr(1) + ".txt";
        s.files.push_back({u"/data/corpus/texts/" + U(name), {u"word"}});
        if (i <= 156) // 26 characters a line; 156 whole lines fit in 4,096 - 32 characters
            expected += u"    {Folder}/" + U(name) + u"\n";
    }
    s.filesScanned = 3000;
    s.foldersScanned = 1;
    l.Count(s);
    l.settings.DisplayFormat = 12;
    ListWords(l.ctx);
    expected.erase(expected.size() - 1);
    expected += u"\n\n" + GetText(TextId::TextWindowFull);
    EXPECT_EQ(expected, l.tw.Text());
    EXPECT_EQ(expected, l.host.textWindow);
    EXPECT_EQ(test::N(GetText(TextId::TextWindowFull) + u"|" +
                      GetText(TextId::TextWindowCannotHold) + u"  " +
                      GetText(TextId::SpecifyOutputFileForAll)),
              l.Only());
    EXPECT_EQ(MsgIcon::Exclamation, l.host.messages[0].icon);
}

TEST_F(WordListReportTest, OverwriteAnswerNamingAMissingFolderWritesNoFile) {
    Listing l;
    l.Count(ClipboardSample());
    std::ofstream(dir / "old.txt") << "old report";
    l.settings.File[1] = TextFromPath(dir / "old.txt");
    l.settings.WarnOnOverwrite = 1;
    l.host.inputs.push_back(TextFromPath(dir / "missing" / "new.txt"));
    ListWords(l.ctx);
    EXPECT_EQ("Error|Folder does not exist.", l.Only());
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_EQ("old report", ReadBytes(dir / "old.txt"));
    EXPECT_NE(std::u16string::npos, l.tw.Text().find(u"encyclopedia"));
}

TEST_F(WordListReportTest, WriteFailuresLeaveAnEmptyTextWindowAndThePreviousFile) {
    Listing l;
    l.Count(SingleFileSample());
    std::ofstream(dir / "out.txt") << "previous report";
    l.settings.File[1] = TextFromPath(dir / "out.txt");
    {
        test::FileSizeLimit full(64);
        ListWords(l.ctx);
    }
    EXPECT_EQ(test::N(GetText(TextId::Error)) + "|At ListWords error #61.\nDescription: Disk full",
              l.Only());
    EXPECT_EQ(u"", l.tw.Text());
    EXPECT_EQ(u"", l.host.textWindow);
    EXPECT_FALSE(l.report.blnWrittenToFile);
    EXPECT_EQ("previous report", ReadBytes(dir / "out.txt"));
}

TEST_F(WordListReportTest, LockedOutputFileIsPermissionDenied) {
    // /sys refuses new files even to root.
    const fs::path path = "/sys/kernel/lxty-report.txt";
    {
        std::ofstream probe(path);
        if (probe.is_open())
            GTEST_SKIP() << "cannot make an unwritable path here";
    }
    Listing l;
    l.Count(SingleFileSample());
    l.settings.File[1] = TextFromPath(path);
    ListWords(l.ctx);
    EXPECT_EQ("Permission denied|Perhaps the output file\nis in use by another application.",
              l.Only());
    EXPECT_EQ(u"", l.tw.Text());
}

// ---- Rules around the listing, compared with tests/data/reports/rules.txt ---------------

Sample PhraseSample() {
    Sample s = ClipboardSample();
    s.files[0].words = {u"red car",     u"red car",     u"red car",    u"the red car",
                        u"the red car", u"big red bus", u"big red bus"};
    return s;
}

// A listing of a phrase run ("3 phrases found."), filtered when a filter is given.
void PhraseRun(Listing& l, const std::function<bool(std::u16string_view)>& filter = {}) {
    l.Count(PhraseSample());
    l.run.blnCountingMFP = true;
    l.run.strHowManyPhrases = u"3 phrases found.\n";
    l.run.blnFilteringPhrases = filter != nullptr;
    l.ctx.phraseFilter = filter;
}

TEST_F(WordListReportTest, RulesAroundTheListing) {
    test::Golden g("reports/rules");
    // The nothing-found text replaces the progress text; nothing is written to the file.
    const int nothing[][5] = {// phrase run, count-only, with phrases, ignore short, short index
                              {0, 0, 0, 1, 1},
                              {0, 0, 0, 0, 1},
                              {0, 1, 1, 1, 0},
                              {0, 1, 0, 0, 0},
                              {1, 0, 0, 1, 18}};
    for (const auto& c : nothing) {
        Listing l;
        l.run.blnCountingMFP = c[0];
        l.run.blnThereAreCountOnlyWords = c[1];
        l.run.blnCountOnlyWordsIncludePhrase = c[2];
        l.settings.IgnoreShortWords = c[3];
        l.settings.ShortWordSize = c[4];
        l.settings.File[1] = TextFromPath(dir / "never.txt");
        l.tw.OutputToTxb(u"progress text");
        ListWords(l.ctx);
        EXPECT_EQ(l.tw.Text(), l.host.textWindow);
        EXPECT_FALSE(fs::exists(dir / "never.txt"));
        g.Add("nothing found " + std::to_string(c[0]) + std::to_string(c[1]) +
                  std::to_string(c[2]) + std::to_string(c[3]) + " " + std::to_string(c[4]),
              test::N(l.tw.Text()));
    }
    const std::int64_t summaries[][4] = {// files, folders, partial, phrase run
                                         {1, 1, 0, 0},
                                         {3, 2, 0, 0},
                                         {2, 1, 0, 1},
                                         {1234, 56, 1, 0},
                                         {5, 1, 1, 1}};
    for (const auto& c : summaries) {
        Listing l;
        l.report.lngNumFilesScanned = c[0];
        l.report.lngNumFoldersScanned = c[1];
        l.report.blnListIsPartial = c[2];
        l.run.blnCountingMFP = c[3];
        FolderScanSummary(l.ctx);
        g.Add("folder summary " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " " +
                  std::to_string(c[2]) + std::to_string(c[3]),
              test::N(l.run.strOutput));
    }
    for (const auto& [format, relative, log10] : {std::tuple{0, 1, 1}, {10, 0, 1}, {10, 0, 0}}) {
        Listing l; // a German locale: decimal commas in relative frequencies and logarithms
        l.Count(SingleFileSample());
        l.ctx.locale = {u'.', u','};
        l.settings.DisplayFormat = format;
        l.settings.DisplayRelativeFrequency = relative;
        l.settings.UseLog10 = log10;
        ListWords(l.ctx);
        g.Add("German locale, format " + std::to_string(format) + ", relative " +
                  std::to_string(relative) + ", log10 " + std::to_string(log10),
              test::N(l.tw.Text()));
    }
    {
        Listing l; // the file list keeps large counts whole
        Sample s = FolderSample();
        s.files = {{u"/data/corpus/texts/big.txt", Words(u"word*123456 other*3")}};
        s.filesScanned = s.foldersScanned = 1;
        l.Count(s);
        l.settings.DisplayFormat = 13;
        ListWords(l.ctx);
        g.Add("format 13, large counts", test::N(l.tw.Text()));
    }
    for (int order : {0, 1}) {
        Listing l; // format 9: one comma-separated list
        l.Count(SingleFileSample());
        l.settings.DisplayFormat = 9;
        l.settings.WordOrder = order;
        const Output o = ListTo(l, dir / "nine.txt");
        g.Add("format 9, order " + std::to_string(order) + ", window", o.window);
        g.Add("format 9, order " + std::to_string(order) + ", file", o.file);
    }
    {
        Listing l; // a stop during the file pass
        l.Count(SingleFileSample());
        l.host.onYield = [&, yields = 0]() mutable {
            if (++yields == 3)
                l.run.blnStop = true;
        };
        l.settings.File[1] = TextFromPath(dir / "stopped.txt");
        ListWords(l.ctx);
        EXPECT_TRUE(l.report.blnWrittenToFile);
        g.Add("stopped in the file pass, file", ReadBytes(dir / "stopped.txt"));
        g.Add("stopped in the file pass, window", test::N(l.tw.Text()));
    }
    {
        Listing l; // a stop during the text-window pass
        l.Count(SingleFileSample());
        l.host.onYield = [&] { l.run.blnStop = true; };
        ListWords(l.ctx);
        g.Add("stopped in the window pass", test::N(l.tw.Text()));
    }
    {
        Listing l; // the overwrite question cancelled: the text window only
        l.Count(ClipboardSample());
        std::ofstream(dir / "old.txt") << "old report";
        l.settings.File[1] = TextFromPath(dir / "old.txt");
        l.settings.WarnOnOverwrite = 1;
        l.settings.DisplayFormat = 8;
        l.host.inputs.push_back(std::nullopt);
        ListWords(l.ctx);
        EXPECT_EQ(1, l.settings.DisableOutputToFile);
        EXPECT_EQ("old report", ReadBytes(dir / "old.txt"));
        EXPECT_FALSE(l.report.blnWrittenToFile);
        g.Add("overwrite cancelled", test::N(l.tw.Text()));
    }
    {
        Listing l; // a phrase listing: its header, and phrases ended by a tab in the file
        PhraseRun(l);
        l.settings.DisplayFormat = 0;
        const Output o = ListTo(l, dir / "phrases.txt");
        g.Add("phrases, window", o.window);
        g.Add("phrases, file", o.file);
    }
    {
        Listing l; // a filtered phrase listing asks the filter of every phrase in order
        std::vector<std::u16string> asked;
        PhraseRun(l, [&](std::u16string_view p) {
            asked.emplace_back(p);
            return p.find(u"car") != std::u16string_view::npos;
        });
        l.settings.FilterWords = u"car";
        l.settings.FilterMode = FilterModeKind::IncludeAllWordsInSameOrder;
        l.settings.DisplayFormat = 3;
        ListWords(l.ctx);
        EXPECT_EQ((std::vector<std::u16string>{u"red car", u"big red bus", u"the red car"}), asked);
        EXPECT_TRUE(l.run.blnFilterWordFound);
        g.Add("filtered phrases", test::N(l.tw.Text()));
    }
    using M = FilterModeKind;
    const std::pair<M, int> noneCases[] = {{M::IncludeAllWords, 1},
                                           {M::IncludeAllWordsInSameOrder, 1},
                                           {M::IncludeAllWordsAsSubphrase, 1},
                                           {M::IncludeAllWords, 0}};
    for (const auto& [mode, order] : noneCases) {
        Listing l; // a filtered phrase listing in which no phrase passes
        PhraseRun(l, [](std::u16string_view) { return false; });
        l.settings.FilterWords = u"lorry";
        l.settings.FilterMode = mode;
        l.settings.WordOrder = order;
        l.settings.DisplayFormat = 2;
        const Output o = ListTo(l, dir / "filtered.txt");
        const std::string name = "no phrase passes, mode " +
                                 std::to_string(static_cast<int>(mode)) + ", order " +
                                 std::to_string(order);
        g.Add(name + ", window", o.window);
        g.Add(name + ", file", o.file);
    }
    g.Check();
}

// ---- Option handling -----------------------------------------------------------------------

// The folder display formats with other sources: refused with a message, the format back at
// 0; compared with tests/data/reports/options.txt.
TEST_F(WordListReportTest, DisplayFormatsOfFoldersAreRefusedForOtherSources) {
    test::Golden g("reports/options", "folder formats/");
    for (const auto& [source, format] :
         std::vector<std::pair<SourceKind, int>>{{SourceKind::OnClipboard, 10},
                                                 {SourceKind::OnClipboard, 11},
                                                 {SourceKind::OnClipboard, 12},
                                                 {SourceKind::InFile, 13},
                                                 {SourceKind::Folder, 13}}) {
        Listing l;
        l.settings.Source = source;
        l.settings.DisplayFormat = format;
        const bool passes = CheckDisplayFormat(l.ctx);
        EXPECT_FALSE(l.report.blnSuppressOptionEvents);
        g.Add("source " + std::to_string(static_cast<int>(source)) + ", format " +
                  std::to_string(format),
              (passes ? "passes, format " : "refused, format ") +
                  std::to_string(l.settings.DisplayFormat) + "\n" + l.Said());
    }
    g.Check();
}

TEST_F(WordListReportTest, OptionStatesFollowFormatOrderAndSource) {
    for (int format = 0; format <= 13; ++format) {
        for (int order : {0, 1}) {
            for (SourceKind source : {SourceKind::Folder, SourceKind::InFile}) {
                Listing l;
                l.settings.DisplayFormat = format;
                l.settings.WordOrder = order;
                l.settings.Source = source;
                l.settings.SortByNumberOfFiles = 1;
                const auto states = UpdateReportOptionStates(l.ctx);
                const bool rel = format == 0 || format == 1 || format == 2 || format == 4 ||
                                 format == 5 || format == 7 || format == 11 || format == 13;
                const bool byFiles = format == 13 && order == 0 && source == SourceKind::Folder;
                EXPECT_EQ(rel, states.displayRelativeFrequencyEnabled) << format;
                EXPECT_EQ(byFiles, states.sortByNumberOfFilesEnabled) << format << order;
                EXPECT_EQ(byFiles ? 1 : 0, l.settings.SortByNumberOfFiles) << format << order;
            }
        }
    }
}

TEST_F(WordListReportTest, LeavingTheFilesFormatRestoresTheOrderByCount) {
    // The window and the command line apply the record's dependencies (which uncheck
    // SortByNumberOfFiles) before the option handler runs; the listing must follow the
    // counts either way, in the new format and in the output file.
    for (const bool dependenciesFirst : {false, true}) {
        for (const int format : {0, 8}) {
            Listing l;
            Sample s = FolderSample();
            s.files = {{u"/data/corpus/texts/a.txt", Words(u"zebra*5 apple")},
                       {u"/data/corpus/texts/b.txt", Words(u"apple")}};
            l.Count(s);
            l.settings.SortByNumberOfFiles = 1;
            l.settings.DisplayFormat = 13;
            l.Rechain();
            EXPECT_EQ(u"apple", l.table.Entry(l.run.lngFirstFreq).word); // 2 files
            l.settings.DisplayFormat = format;
            l.settings.File[1] = TextFromPath(dir / "out.txt");
            if (dependenciesFirst)
                ApplyFieldDependencies(l.settings);
            OnReportOptionChanged(l.ctx, ReportOption::DisplayFormat);
            EXPECT_EQ(0, l.settings.SortByNumberOfFiles);
            EXPECT_EQ(u"zebra", l.table.Entry(l.run.lngFirstFreq).word) << format; // 5 times
            const std::u16string summary = u"3 files (in 2 folders) were scanned.\n\n";
            EXPECT_EQ(format == 8 ? summary + u"Word [longest has 5 characters]\nzebra\napple\n"
                                  : summary + u"     Rank      Freq  Word [longest has 5 "
                                              u"characters]\n        1         5  zebra\n"
                                              u"        2         2  apple\n",
                      l.tw.Text())
                << dependenciesFirst;
            const std::string file = ReadBytes(dir / "out.txt");
            EXPECT_LT(file.find("zebra"), file.find("apple")) << file;
        }
    }
}

// An option changed after a count: relisted or not, compared with
// tests/data/reports/relist.txt (the format afterwards, the messages, the text window).
TEST_F(WordListReportTest, RelistAfterOptionChange) {
    const auto changed = [](ReportOption o) {
        return [o](Listing& l) { OnReportOptionChanged(l.ctx, o); };
    };
    const std::pair<const char*, std::function<void(Listing&)>> cases[] = {
        {"words counted: relisted in the new format", changed(ReportOption::DisplayFormat)},
        {"before start-up is complete nothing happens",
         [&](Listing& l) {
             l.run.blnStartUpCompleted = false;
             changed(ReportOption::WordOrder)(l);
         }},
        {"nothing counted yet: only the check",
         [&](Listing& l) {
             l.run.blnWordsGot = false;
             changed(ReportOption::DisplayRelativeFrequency)(l);
         }},
        {"a partial list is relisted with its reminder",
         [](Listing& l) {
             l.run.blnWordsGot = false;
             l.report.blnListIsPartial = true;
             RelistAfterOptionChange(l.ctx);
         }},
        {"refused format: no listing",
         [&](Listing& l) {
             l.settings.DisplayFormat = 12;
             changed(ReportOption::DisplayFormat)(l);
         }},
        {"in a phrase run a format change does not relist",
         [&](Listing& l) {
             l.run.blnCountingMFP = true;
             changed(ReportOption::DisplayFormat)(l);
         }},
        {"suppressed option events",
         [](Listing& l) {
             l.report.blnSuppressOptionEvents = true;
             RelistAfterOptionChange(l.ctx);
         }},
    };
    test::Golden g("reports/relist");
    for (const auto& [name, act] : cases) {
        Listing l;
        l.Count(ClipboardSample());
        l.settings.DisplayFormat = 8;
        act(l);
        std::string said;
        for (const auto& m : l.Shown())
            said += m + "\n";
        g.Add(name, "format " + std::to_string(l.settings.DisplayFormat) + "\n" + said +
                        test::N(l.tw.Text()));
    }
    g.Check();
}

// Clicking the box that switches file output on again offers to relist, when there is a file
// and a count; compared with tests/data/reports/options.txt.
TEST_F(WordListReportTest, DisableOutputToFileClickOffersToRelist) {
    const struct {
        const char* name;
        int disabled;
        bool named, counted;
        std::deque<MsgAnswer> answers;
    } cases[] = {
        {"switched on, yes", 0, true, true, {MsgAnswer::Yes}},
        {"switched on, no", 0, true, true, {MsgAnswer::No}},
        {"switched off", 1, true, true, {}},
        {"no file named", 0, false, true, {}},
        {"nothing counted", 0, true, false, {}},
    };
    test::Golden g("reports/options", "relist on click/");
    for (const auto& c : cases) {
        Listing l;
        l.Count(ClipboardSample());
        l.run.blnWordsGot = c.counted;
        l.settings.DisableOutputToFile = c.disabled;
        fs::remove(dir / "relist.txt");
        if (c.named)
            l.settings.File[1] = TextFromPath(dir / "relist.txt");
        l.host.answers = c.answers;
        const bool written = OnDisableOutputToFileClick(l.ctx);
        EXPECT_EQ(written, fs::exists(dir / "relist.txt"));
        g.Add(c.name, (written ? "written\n" : "not written\n") + l.Said());
    }
    g.Check();
}

} // namespace
} // namespace lxty
