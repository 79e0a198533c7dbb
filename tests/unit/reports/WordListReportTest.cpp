// The word-list report as the person sees it: whole text-window and output-file contents for
// every display format, both orders and both file layouts, compared with the expected files
// in tests/data/reports/ (one file per source, one section per listing). Then the rules
// around the listing: the nothing-found text, the folder summary, the header note, a full
// text window, a stop request, output-file failures, phrase listings and the option handlers.
//
// To rewrite the expected files after a deliberate change of the report, run the test with
// LXTY_WRITE_EXPECTED=1 and review the difference before committing it.

#include "reports/WordListReport.h"
#include "FakeHost.h"
#include "FileSizeLimit.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace lxty {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::u16string U(const std::string& s) {
    return Utf8ToU16(s);
}

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

std::vector<std::u16string> Repeat(std::initializer_list<std::pair<const char16_t*, int>> wc) {
    std::vector<std::u16string> out;
    for (const auto& [w, n] : wc)
        for (int i = 0; i < n; ++i)
            out.emplace_back(w);
    return out;
}

// 16 occurrences: "encyclopedia" (12 characters) makes up one eighth of them.
std::vector<std::u16string> NotesWords() {
    return Repeat({{u"the", 2},
                   {u"cat", 3},
                   {u"sat", 2},
                   {u"on", 2},
                   {u"the", 2},
                   {u"encyclopedia", 2},
                   {u"caf\u00e9", 1},
                   {u"mat", 1},
                   {u"a", 1}});
}

Sample SingleFileSample() {
    return {"single_file",        SourceKind::InFile, u"/home/ann/notes.txt", u"", 0, 0,
            {{u"", NotesWords()}}};
}

Sample ClipboardSample() {
    return {"clipboard", SourceKind::OnClipboard, u"", u"", 0, 0, {{u"", NotesWords()}}};
}

// Three files in two folders; the folder path is longer than 13 characters.
Sample FolderSample() {
    return {
        "folder",
        SourceKind::Folder,
        u"",
        u"/data/corpus/texts",
        3,
        2,
        {{u"/data/corpus/texts/a.txt", Repeat({{u"the", 3},
                                               {u"cat", 2},
                                               {u"sat", 1},
                                               {u"on", 1},
                                               {u"mat", 4},
                                               {u"encyclopedia", 1}})},
         {u"/data/corpus/texts/b.txt",
          Repeat({{u"dog", 2}, {u"the", 2}, {u"cat", 1}, {u"encyclopedia", 1}})},
         {u"/data/corpus/texts/sub/c.txt", Repeat({{u"the", 1}, {u"dog", 1}, {u"caf\u00e9", 1}})}}};
}

// ---- A listing with everything it needs ---------------------------------------------------

struct Listing {
    test::FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, tw, report}, table, {}, {}};

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

// ---- Expected files: "@@@ name @@@" lines, each followed by the exact content ------------

using Sections = std::vector<std::pair<std::string, std::string>>;

fs::path ExpectedPath(const std::string& name) {
    return fs::path(LXTY_TEST_DATA_DIR) / "reports" / (name + ".txt");
}

std::map<std::string, std::string> ReadSections(const fs::path& path) {
    std::map<std::string, std::string> out;
    const std::string all = ReadBytes(path);
    std::size_t pos = 0;
    while ((pos = all.find("@@@ ", pos)) != std::string::npos) {
        const auto nameEnd = all.find(" @@@\n", pos);
        const std::string name = all.substr(pos + 4, nameEnd - pos - 4);
        const auto start = nameEnd + 5;
        auto next = all.find("\n@@@ ", start);
        if (next == std::string::npos)
            next = all.size() - 1; // the file ends with one "\n"
        out[name] = all.substr(start, next - start);
        pos = next + 1;
    }
    return out;
}

void CheckAgainstExpected(const std::string& name, const Sections& got) {
    const fs::path path = ExpectedPath(name);
    if (std::getenv("LXTY_WRITE_EXPECTED") != nullptr) {
        std::ofstream out(path, std::ios::binary);
        for (const auto& [n, content] : got)
            out << "@@@ " << n << " @@@\n" << content << "\n";
        return;
    }
    const auto expected = ReadSections(path);
    ASSERT_EQ(got.size(), expected.size()) << path;
    for (const auto& [n, content] : got) {
        const auto it = expected.find(n);
        ASSERT_NE(it, expected.end()) << "no section " << n << " in " << path;
        EXPECT_EQ(it->second, content) << n;
    }
}

struct WordListReportTest : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
    }
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lxty-report-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Every format of the list in both orders: the text window, the tab file and the comma
    // file of each; plus the given extra variants.
    Sections AllFormats(const Sample& sample, std::vector<int> formats) {
        Sections out;
        for (int format : formats) {
            for (int order : {0, 1}) {
                const std::string what = "format " + std::to_string(format) +
                                         (order == 0 ? " by frequency" : " alphabetical");
                Output tab, commas;
                {
                    Listing l;
                    l.Count(sample);
                    l.settings.DisplayFormat = format;
                    l.settings.WordOrder = order;
                    tab = ListTo(l, dir / "out.txt");
                }
                {
                    Listing l;
                    l.Count(sample);
                    l.settings.DisplayFormat = format;
                    l.settings.WordOrder = order;
                    l.settings.OutputWithCommas = 1;
                    commas = ListTo(l, dir / "out.txt");
                }
                EXPECT_EQ(tab.window, commas.window) << what;
                out.push_back({what + ", text window", tab.window});
                out.push_back({what + ", file with tabs", tab.file});
                out.push_back({what + ", file with commas", commas.file});
            }
        }
        return out;
    }

    void AddVariant(Sections& out, const Sample& sample, const std::string& what,
                    const std::function<void(Listing&)>& set) {
        for (int commas : {0, 1}) {
            Listing l;
            l.Count(sample);
            set(l);
            l.settings.OutputWithCommas = commas;
            l.Rechain(); // options such as SortByNumberOfFiles change the frequency order
            const Output o = ListTo(l, dir / "out.txt");
            if (commas == 0)
                out.push_back({what + ", text window", o.window});
            out.push_back({what + (commas ? ", file with commas" : ", file with tabs"), o.file});
        }
    }

    fs::path dir;
};

TEST_F(WordListReportTest, SingleFileEveryFormatBothOrdersAndLayouts) {
    const Sample s = SingleFileSample();
    Sections got = AllFormats(s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
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
    CheckAgainstExpected(s.name, got);
}

TEST_F(WordListReportTest, ClipboardEveryFormatBothOrdersAndLayouts) {
    const Sample s = ClipboardSample();
    CheckAgainstExpected(s.name, AllFormats(s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(WordListReportTest, FolderEveryFormatBothOrdersAndLayouts) {
    const Sample s = FolderSample();
    Sections got = AllFormats(s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
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
    CheckAgainstExpected(s.name, got);
}

// ---- Rules around the listing ------------------------------------------------------------

TEST_F(WordListReportTest, NothingFoundText) {
    struct Case {
        bool mfp, countOnly, withPhrase;
        int ignoreShort, shortIndex;
        std::u16string text;
    };
    const Case cases[] = {
        {false, false, false, 1, 1,
         u"No words with at least 3 characters\nsatisfying the specified conditions were "
         u"found."},
        {false, false, false, 0, 1, u"No words satisfying the specified conditions were found."},
        {false, true, true, 1, 0,
         u"No words/phrases with at least 2 characters\nsatisfying the specified conditions "
         u"were found."},
        {false, true, false, 0, 0, u"No words satisfying the specified conditions were found."},
        {true, false, false, 1, 18,
         u"No phrases with at least 20 characters\nsatisfying the specified conditions were "
         u"found."},
    };
    for (const auto& c : cases) {
        Listing l;
        l.run.blnCountingMFP = c.mfp;
        l.run.blnThereAreCountOnlyWords = c.countOnly;
        l.run.blnCountOnlyWordsIncludePhrase = c.withPhrase;
        l.settings.IgnoreShortWords = c.ignoreShort;
        l.settings.ShortWordSize = c.shortIndex;
        l.settings.File[1] = TextFromPath(dir / "never.txt");
        l.tw.OutputToTxb(u"progress text");
        ListWords(l.ctx);
        EXPECT_EQ(c.text, l.tw.Text());
        EXPECT_EQ(c.text, l.host.textWindow);
        EXPECT_FALSE(fs::exists(dir / "never.txt")); // nothing is written to the file
    }
}

TEST_F(WordListReportTest, FolderScanSummaryWording) {
    struct Case {
        std::int64_t files, folders;
        bool partial, mfp;
        std::u16string text;
    };
    const Case cases[] = {
        {1, 1, false, false, u"1 file (in 1 folder) was scanned.\n\n"},
        {3, 2, false, false, u"3 files (in 2 folders) were scanned.\n\n"},
        {2, 1, false, true, u"2 files (in 1 folder) were scanned.\n"},
        {1234, 56, true, false,
         u"1,234 files (in 56 folders) were scanned.\nCounting was stopped and this list is "
         u"incomplete.\n\n"},
        {5, 1, true, true,
         u"5 files (in 1 folder) were scanned.\nCounting was stopped and this list is "
         u"incomplete.\n"},
    };
    for (const auto& c : cases) {
        Listing l;
        l.report.lngNumFilesScanned = c.files;
        l.report.lngNumFoldersScanned = c.folders;
        l.report.blnListIsPartial = c.partial;
        l.run.blnCountingMFP = c.mfp;
        FolderScanSummary(l.ctx);
        EXPECT_EQ(c.text, l.run.strOutput);
    }
}

TEST_F(WordListReportTest, LongestWordNoteOnlyInFormatsWithTheWordLast) {
    for (int format = 0; format <= 13; ++format) {
        Listing l;
        l.Count(FolderSample());
        ASSERT_EQ(12, l.run.intMaxWordLengthFound);
        l.settings.DisplayFormat = format;
        ListWords(l.ctx);
        const bool noted =
            l.tw.Text().find(u" [longest has 12 characters]") != std::u16string::npos;
        const bool expected = format == 0 || format == 3 || format == 5 || format == 8;
        EXPECT_EQ(expected, noted) << "format " << format;
    }
}

TEST_F(WordListReportTest, RelativeFrequencyAndLogarithmsFollowTheLocale) {
    Listing l;
    l.Count(SingleFileSample());
    l.ctx.locale = {u'.', u','};
    WordListReport r(l.ctx);
    l.settings.DisplayRelativeFrequency = 1;
    r.SetColumnWidths();
    // encyclopedia: 2 of 16 occurrences; rank 3.
    std::int64_t enc = 0;
    for (std::int64_t i = 1; i <= l.table.Size(); ++i)
        if (l.table.Entry(i).word == u"encyclopedia")
            enc = i;
    ASSERT_NE(0, enc);
    EXPECT_EQ(u"Rel freq", r.FrequencyColumn(0));
    EXPECT_EQ(u"  12,50%", r.FrequencyColumn(enc));
    EXPECT_EQ(u"   ,4771", r.LogRankColumn(enc, true));  // log10(3)
    EXPECT_EQ(u"  1,0986", r.LogRankColumn(enc, false)); // ln(3)
    EXPECT_EQ(u"   ,6931", r.LogFreqColumn(enc, false)); // ln(2)
    EXPECT_EQ(u"   L10(F)", u" " + r.LogFreqColumn(0, true));
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

TEST_F(WordListReportTest, FileListKeepsLargeCountsWhole) {
    Listing l;
    Sample s = FolderSample();
    s.files = {{u"/data/corpus/texts/big.txt", Repeat({{u"word", 123456}, {u"other", 3}})}};
    s.filesScanned = 1;
    s.foldersScanned = 1;
    l.Count(s);
    l.settings.DisplayFormat = 13;
    ListWords(l.ctx);
    EXPECT_EQ(u"1 file (in 1 folder) was scanned.\n\n"
              u"{Folder} = /data/corpus/texts\n\n"
              u"word\n"
              u"123456 {Folder}/big.txt\n\n"
              u"other\n"
              u"        3 {Folder}/big.txt\n\n",
              l.tw.Text());
}

TEST_F(WordListReportTest, FormatNineIsOneCommaSeparatedList) {
    for (int order : {0, 1}) {
        Listing l;
        l.Count(SingleFileSample());
        l.settings.DisplayFormat = 9;
        l.settings.WordOrder = order;
        const Output o = ListTo(l, dir / "nine.txt");
        const std::string list = order == 0 ? "the, cat, encyclopedia, on, sat, a, café, mat"
                                            : "a, café, cat, encyclopedia, mat, on, sat, the";
        EXPECT_EQ(order == 0 ? list : list + "\n", o.window);
        EXPECT_EQ("File: /home/ann/notes.txt\n" + list, o.file);
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

TEST_F(WordListReportTest, ListingLargerThanTheTextWindow) {
    Listing l;
    l.Count(BigSample());
    l.settings.WordOrder = 1;
    l.settings.DisplayFormat = 3; // " " rank "  " word: 23 characters a line with its LF
    l.settings.File[1] = TextFromPath(dir / "big.txt");
    ListWords(l.ctx);

    // The file holds every line; the window ends at a whole line and the out-of-space note.
    const std::string file = ReadBytes(dir / "big.txt");
    EXPECT_NE(std::string::npos, file.find("w100008999xx\n"));
    ASSERT_EQ(1u, l.host.messages.size());
    EXPECT_EQ(GetText(93) + u"  \n" + GetText(96), l.host.messages[0].text);
    EXPECT_EQ(GetText(93), l.host.messages[0].title);
    const std::u16string& text = l.tw.Text();
    EXPECT_LE(text.size(), 65000u);
    const std::u16string tail = u"\n\n" + GetText(93);
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
    const std::u16string body = text.substr(0, text.size() - tail.size());
    EXPECT_EQ(u"xx", body.substr(body.size() - 2)); // a whole last line
    EXPECT_EQ(text, l.host.textWindow);
}

TEST_F(WordListReportTest, ListingCutByItsLastBlockEndsAtAWholeLineWithTheNote) {
    // Every listing size around the capacity, so that the window fills in the last block
    // (written when the pass ends) as well as in an earlier one: a listing is either whole
    // or ends at a whole line with the out-of-space note and its message.
    for (int words = 2600; words <= 2720; words += 2) {
        Listing l;
        l.Count(BigSample(words));
        l.settings.WordOrder = 1;
        l.settings.DisplayFormat = 3; // 24 characters a line with CR LF
        ListWords(l.ctx);
        const std::u16string& text = l.tw.Text();
        const std::u16string last = U("w" + std::to_string(100000000 + words - 1) + "xx\n");
        const std::u16string tail = u"xx\n\n" + GetText(93);
        const std::u16string& end = l.host.messages.empty() ? last : tail;
        ASSERT_GT(text.size(), end.size()) << words;
        EXPECT_EQ(end, text.substr(text.size() - end.size())) << words;
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
    expected += u"\n\n" + GetText(93);
    EXPECT_EQ(expected, l.tw.Text());
    EXPECT_EQ(expected, l.host.textWindow);
    ASSERT_EQ(1u, l.host.messages.size());
    EXPECT_EQ(GetText(92) + u"  " + GetText(94), l.host.messages[0].text);
    EXPECT_EQ(GetText(93), l.host.messages[0].title);
    EXPECT_EQ(MsgIcon::Exclamation, l.host.messages[0].icon);
}

TEST_F(WordListReportTest, StopRequestEndsEachPass) {
    {
        Listing l; // during the file pass
        l.Count(SingleFileSample());
        int yields = 0;
        l.host.onYield = [&] {
            if (++yields == 3)
                l.run.blnStop = true;
        };
        l.settings.File[1] = TextFromPath(dir / "stopped.txt");
        ListWords(l.ctx);
        EXPECT_EQ("File: /home/ann/notes.txt\n"
                  "    Rank\t    Freq\tWord [longest has 12 characters]\n"
                  "       1\t       4\tthe\n"
                  "       2\t       3\tcat\n"
                  "       3\t       2\tencyclopedia\n",
                  ReadBytes(dir / "stopped.txt"));
        EXPECT_EQ(u"Output to file was terminated.\n", l.tw.Text());
        EXPECT_TRUE(l.report.blnWrittenToFile);
    }
    {
        Listing l; // during the text-window pass
        l.Count(SingleFileSample());
        l.host.onYield = [&] { l.run.blnStop = true; };
        ListWords(l.ctx);
        EXPECT_EQ(u"     Rank      Freq  Word [longest has 12 characters]\n"
                  u"        1         4  the\n"
                  u"\nListing stopped.\n",
                  l.tw.Text());
    }
}

TEST_F(WordListReportTest, OverwriteCancelledListsToTheTextWindowOnly) {
    Listing l;
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
    EXPECT_EQ(u"Word [longest has 12 characters]\nthe\ncat\nencyclopedia\non\nsat\na\n"
              u"caf\u00e9\nmat\n",
              l.tw.Text());
}

TEST_F(WordListReportTest, OverwriteAnswerNamingAMissingFolderWritesNoFile) {
    Listing l;
    l.Count(ClipboardSample());
    std::ofstream(dir / "old.txt") << "old report";
    l.settings.File[1] = TextFromPath(dir / "old.txt");
    l.settings.WarnOnOverwrite = 1;
    l.host.inputs.push_back(TextFromPath(dir / "missing" / "new.txt"));
    ListWords(l.ctx);
    ASSERT_EQ(1u, l.host.messages.size());
    EXPECT_EQ(u"Folder does not exist.", l.host.messages[0].text);
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
    ASSERT_EQ(1u, l.host.messages.size());
    EXPECT_EQ(u"At ListWords error #61.\nDescription: Disk full", l.host.messages[0].text);
    EXPECT_EQ(GetText(97), l.host.messages[0].title);
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
    ASSERT_EQ(1u, l.host.messages.size());
    EXPECT_EQ(u"Perhaps the output file\nis in use by another application.",
              l.host.messages[0].text);
    EXPECT_EQ(u"Permission denied", l.host.messages[0].title);
    EXPECT_EQ(u"", l.tw.Text());
}

// ---- Phrase listings -----------------------------------------------------------------------

Sample PhraseSample() {
    Sample s = ClipboardSample();
    s.files[0].words = Repeat({{u"red car", 3}, {u"the red car", 2}, {u"big red bus", 2}});
    return s;
}

TEST_F(WordListReportTest, PhraseListingHeaderAndTabEndedPhrases) {
    Listing l;
    l.Count(PhraseSample());
    l.run.blnCountingMFP = true;
    l.run.strHowManyPhrases = u"3 phrases of 2 to 3 words were found.\n";
    l.settings.DisplayFormat = 0;
    l.settings.File[1] = TextFromPath(dir / "phrases.txt");
    ListWords(l.ctx);
    EXPECT_EQ("3 phrases of 2 to 3 words were found.\n"
              "    Rank\t    Freq\tPhrase\t [longest has 11 characters]\n"
              "       1\t       3\tred car\t\n"
              "       2\t       2\tbig red bus\t\n"
              "       3\t       2\tthe red car\t\n",
              ReadBytes(dir / "phrases.txt"));
    EXPECT_EQ(u"3 phrases of 2 to 3 words were found.\n"
              u"     Rank      Freq  Phrase [longest has 11 characters]\n"
              u"        1         3  red car\n"
              u"        2         2  big red bus\n"
              u"        3         2  the red car\n",
              l.tw.Text());
}

TEST_F(WordListReportTest, FilteredPhraseListing) {
    Listing l;
    l.Count(PhraseSample());
    l.run.blnCountingMFP = true;
    l.run.blnFilteringPhrases = true;
    l.run.strHowManyPhrases = u"3 phrases found.\n";
    l.settings.FilterWords = u"car";
    l.settings.FilterMode = FilterModeKind::IncludeAllWordsInSameOrder;
    l.settings.DisplayFormat = 3;
    std::vector<std::u16string> asked;
    l.ctx.phraseFilter = [&](std::u16string_view p) {
        asked.emplace_back(p);
        return p.find(u"car") != std::u16string_view::npos;
    };
    ListWords(l.ctx);
    EXPECT_EQ((std::vector<std::u16string>{u"red car", u"big red bus", u"the red car"}), asked);
    EXPECT_TRUE(l.run.blnFilterWordFound);
    EXPECT_EQ(u"3 phrases found.\n"
              u"Phrase filtering (all filter words in same order) has been applied.\n"
              u"Filter words: car\n\n"
              u"     Rank  Phrase [longest has 11 characters]\n"
              u"        1  red car\n"
              u"        3  the red car\n",
              l.tw.Text());
}

TEST_F(WordListReportTest, FilteredPhraseListingWithoutAnyPassingPhrase) {
    struct Case {
        FilterModeKind mode;
        int order;
        std::string fileLine;
        std::u16string windowLine;
    };
    const Case cases[] = {
        {FilterModeKind::IncludeAllWords, 1, "No phrase containing all filter words found.",
         u"No phrase containing all filter words found."},
        {FilterModeKind::IncludeAllWordsInSameOrder, 1,
         "No phrase containing all filter words in same order found.",
         u"No phrase containing all filter words in same order found."},
        {FilterModeKind::IncludeAllWordsAsSubphrase, 1,
         "No phrase containing all filter words as subphrase found.",
         u"No phrase containing all filter words as a subphrase found."},
        {FilterModeKind::IncludeAllWords, 0, "", u"No phrase containing filter word(s) found."},
    };
    for (const auto& c : cases) {
        Listing l;
        l.Count(PhraseSample());
        l.run.blnCountingMFP = true;
        l.run.blnFilteringPhrases = true;
        l.run.strHowManyPhrases = u"3 phrases found.\n";
        l.settings.FilterWords = u"lorry";
        l.settings.FilterMode = c.mode;
        l.settings.WordOrder = c.order;
        l.settings.DisplayFormat = 2;
        l.settings.File[1] = TextFromPath(dir / "filtered.txt");
        l.ctx.phraseFilter = [](std::u16string_view) { return false; };
        ListWords(l.ctx);
        const std::string mode = U16ToUtf8(c.windowLine);
        const std::string header =
            "3 phrases found.\nPhrase filtering (" +
            std::string(c.mode == FilterModeKind::IncludeAllWords ? "all filter words"
                        : c.mode == FilterModeKind::IncludeAllWordsInSameOrder
                            ? "all filter words in same order"
                            : "all filter words as a subphrase") +
            ") has been applied.\nFilter words: lorry\n\n";
        EXPECT_EQ(header + "    Rank\t    Freq\n" +
                      (c.fileLine.empty() ? "" : "\n" + c.fileLine + "\n"),
                  ReadBytes(dir / "filtered.txt"))
            << mode;
        EXPECT_EQ(Utf8ToU16(header) + u"     Rank      Freq\n\n" + c.windowLine, l.tw.Text())
            << mode;
    }
}

// ---- Option handling -----------------------------------------------------------------------

TEST_F(WordListReportTest, DisplayFormatsOfFoldersAreRefusedForOtherSources) {
    struct Case {
        SourceKind source;
        int format;
        bool passes;
    };
    const Case cases[] = {
        {SourceKind::OnClipboard, 10, true},  {SourceKind::OnClipboard, 11, false},
        {SourceKind::OnClipboard, 12, false}, {SourceKind::InFile, 13, false},
        {SourceKind::Folder, 13, true},
    };
    for (const auto& c : cases) {
        Listing l;
        l.settings.Source = c.source;
        l.settings.DisplayFormat = c.format;
        EXPECT_EQ(c.passes, CheckDisplayFormat(l.ctx)) << c.format;
        EXPECT_EQ(c.passes ? c.format : 0, l.settings.DisplayFormat);
        EXPECT_FALSE(l.report.blnSuppressOptionEvents);
        if (c.passes) {
            EXPECT_TRUE(l.host.messages.empty());
        } else {
            ASSERT_EQ(1u, l.host.messages.size());
            EXPECT_EQ(u"The display format '" + GetText(51 + c.format) +
                          u"' is available\nonly when the source of the text is a folder.",
                      l.host.messages[0].text);
            EXPECT_EQ(u"Unavailable display format", l.host.messages[0].title);
            EXPECT_EQ(MsgIcon::Information, l.host.messages[0].icon);
        }
    }
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
            s.files = {{u"/data/corpus/texts/a.txt", Repeat({{u"zebra", 5}, {u"apple", 1}})},
                       {u"/data/corpus/texts/b.txt", Repeat({{u"apple", 1}})}};
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

TEST_F(WordListReportTest, RelistAfterOptionChange) {
    {
        Listing l; // words counted: relisted in the new format
        l.Count(ClipboardSample());
        l.settings.DisplayFormat = 8;
        OnReportOptionChanged(l.ctx, ReportOption::DisplayFormat);
        EXPECT_EQ(u"Word [longest has 12 characters]\nthe\ncat\nencyclopedia\non\nsat"
                  u"\na\ncaf\u00e9\nmat\n",
                  l.tw.Text());
        EXPECT_TRUE(l.host.messages.empty());
    }
    {
        Listing l; // before start-up is complete nothing happens
        l.Count(ClipboardSample());
        l.run.blnStartUpCompleted = false;
        OnReportOptionChanged(l.ctx, ReportOption::WordOrder);
        EXPECT_EQ(u"", l.tw.Text());
    }
    {
        Listing l; // nothing counted yet: only the check
        l.Count(ClipboardSample());
        l.run.blnWordsGot = false;
        OnReportOptionChanged(l.ctx, ReportOption::DisplayRelativeFrequency);
        EXPECT_EQ(u"", l.tw.Text());
    }
    {
        Listing l; // a partial list is relisted with its reminder
        l.Count(ClipboardSample());
        l.run.blnWordsGot = false;
        l.report.blnListIsPartial = true;
        l.settings.DisplayFormat = 8;
        RelistAfterOptionChange(l.ctx);
        EXPECT_NE(std::u16string::npos, l.tw.Text().find(u"encyclopedia"));
        ASSERT_EQ(1u, l.host.messages.size());
        EXPECT_EQ(GetText(22), l.host.messages[0].text);
        EXPECT_EQ(GetText(23), l.host.messages[0].title);
    }
    {
        Listing l; // refused format: no listing
        l.Count(ClipboardSample());
        l.settings.DisplayFormat = 12;
        OnReportOptionChanged(l.ctx, ReportOption::DisplayFormat);
        EXPECT_EQ(0, l.settings.DisplayFormat);
        EXPECT_EQ(u"", l.tw.Text());
        EXPECT_EQ(1u, l.host.messages.size());
    }
    {
        Listing l; // in a phrase run a format change does not relist
        l.Count(PhraseSample());
        l.run.blnCountingMFP = true;
        OnReportOptionChanged(l.ctx, ReportOption::DisplayFormat);
        EXPECT_EQ(u"", l.tw.Text());
    }
    {
        Listing l; // suppressed option events
        l.Count(ClipboardSample());
        l.report.blnSuppressOptionEvents = true;
        RelistAfterOptionChange(l.ctx);
        EXPECT_EQ(u"", l.tw.Text());
    }
}

TEST_F(WordListReportTest, DisableOutputToFileClickOffersToRelist) {
    struct Case {
        int disabled;
        bool named, counted;
        std::optional<MsgAnswer> answer; // nullopt: no question expected
        bool written;
    };
    const Case cases[] = {
        {0, true, true, MsgAnswer::Yes, true}, {0, true, true, MsgAnswer::No, false},
        {1, true, true, std::nullopt, false},  {0, false, true, std::nullopt, false},
        {0, true, false, std::nullopt, false},
    };
    for (const auto& c : cases) {
        Listing l;
        l.Count(ClipboardSample());
        l.run.blnWordsGot = c.counted;
        l.settings.DisableOutputToFile = c.disabled;
        fs::remove(dir / "relist.txt");
        if (c.named)
            l.settings.File[1] = TextFromPath(dir / "relist.txt");
        if (c.answer)
            l.host.answers.push_back(*c.answer);
        EXPECT_EQ(c.written, OnDisableOutputToFileClick(l.ctx));
        EXPECT_EQ(c.written, fs::exists(dir / "relist.txt"));
        if (c.answer) {
            ASSERT_EQ(1u, l.host.messages.size());
            EXPECT_EQ(u"Relist words (so as to write to file)?", l.host.messages[0].text);
            EXPECT_EQ(u"Relist?", l.host.messages[0].title);
        } else {
            EXPECT_TRUE(l.host.messages.empty());
        }
    }
}

} // namespace
} // namespace lxty
