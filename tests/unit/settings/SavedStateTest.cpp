// The saved state file: its exact layout, reading it back, the short-file recovery, invalid
// values, the word-list questions, the load/save operations of the windows, and saving that
// never destroys the previous file.

#include "settings/SavedState.h"
#include "FakeHost.h"
#include "ScrambledSettings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsLists.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lxty {
namespace {

namespace fs = std::filesystem;
using test::FakeHost;

const fs::path kFixture = fs::path(LXTY_TEST_DATA_DIR) / "savedstate" / "full-empty-lists.usr";

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The lines of a file without their CR LF ends.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

// The record that the fixture file holds, written out field by field.
Settings FixtureRecord() {
    Settings s;
    s.Folder = u"/home/ann/Texts, 2024";
    s.WordsToIgnoreOrCount = {u"the a an", u"big cat, dog"};
    s.File = {u"/home/ann/in.txt", u"/home/ann/out.txt"};
    s.FileFilepathSpecifications = {u"*.txt;*.htm", u"draft"};
    s.ShortWordSize = 4;
    s.LongWordSize = 8;
    s.ThresholdFrequency = 17;
    s.IgnoreShortWords = 0;
    s.IgnoreInfrequentWords = 1;
    s.IgnoreRepetitions = 0;
    s.IgnoreExcessivelyFrequentWords = 1;
    s.ExtractTextFromDocx = 1;
    s.IgnoreNoLetter = 0;
    s.CaseSignificant = 1;
    s.DropFinalS = 0;
    s.AllowWordsWithHyphens = 0;
    s.AllowWordsWithApostrophes = 1;
    s.AllowWordsWithUnderscores = 0;
    s.AllowWordsWithColons = 1;
    s.AllowWordsWithBackslashes = 0;
    s.AllowWordsWithForwardslashes = 1;
    s.AllowWordsWithParentheses = 0;
    s.AllowWordsWithPeriods = 1;
    s.AllowWordsWithCommas = 0;
    s.AllowWordsWithAtSigns = 1;
    s.AllowWordsWithNumerals = 0;
    s.AllowWordsWithAmpersands = 1;
    s.AllowWordsWithUserSpecifiedExtraChars = 1;
    s.OutputWithCommas = 1;
    s.AllowCommentMarkers = 1;
    s.WarnOnOverwrite = 0;
    s.SaveStateOnQuit = 1;
    s.SuppressWords = 0;
    s.DisableOutputToFile = 1;
    s.IncludeSubfolders = 1;
    s.WordOrder = 1;
    s.DisplayFormat = 13;
    s.Only7bitASCII = 1;
    s.Source = SourceKind::InFile;
    s.SuppressFilenames = 1;
    s.UserSpecifiedExtraChars = u"#\u00e9";
    s.TerminatePhraseAtEndOfLine = 1;
    s.TerminatePhraseAtPeriod = 0;
    s.TerminatePhraseAtDoubleQuote = 0;
    s.TerminatePhraseAtTab = 0;
    s.TerminatePhraseAtComma = 1;
    s.ZeroCellsBlank = 1;
    s.CountArrayTables = CountArrayTablesKind::Both;
    s.PhraseLength = {0, 24};
    s.MinimumFrequency = 29;
    s.ExcessFrequency = 22;
    s.PatternMatchingInWordsToIgnoreFile = 1;
    s.PatternMatchingInCountOnlyWordsFile = 0;
    s.DisplayRelativeFrequency = 1;
    s.WriteRelativeFrequency = 1;
    s.SortByNumberOfFiles = 0;
    s.CommonWordsLanguages = 7;
    s.FilterWords = u"red fox";
    s.FilterMode = FilterModeKind::IncludeAllWordsInSameOrder;
    s.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore;
    return s;
}

Settings Scrambled() {
    return test::ScrambledSettings();
}

// Records what the windows are asked to do, with the value each step sees.
class RecordingActions : public RestoreActions {
public:
    std::vector<std::u16string> log;
    std::vector<bool> readResults; // answers of AttemptToReadWords, in order (default true)

    void ApplyExtraWords(Settings& s, int i) override {
        log.push_back(u"ExtraWords" + Digit(i) + u":" + s.WordsToIgnoreOrCount[i]);
    }
    void ApplyFilePatterns(Settings& s, int i) override {
        log.push_back(u"FilePatterns" + Digit(i) + u":" + s.FileFilepathSpecifications[i]);
    }
    void ShowSingleFileDetails(Settings& s) override { log.push_back(u"FileDetails:" + s.File[0]); }
    void ApplyFolder(Settings& s) override { log.push_back(u"Folder:" + s.Folder); }
    bool AttemptToReadWords(Settings&, int i) override {
        log.push_back(u"Read" + Digit(i));
        if (readResults.empty())
            return true;
        const bool ok = readResults.front();
        readResults.erase(readResults.begin());
        return ok;
    }
    void SetToolTipText(const Settings&) override { log.push_back(u"ToolTips"); }
    void Initialize(Settings& s, RunState& run, Host& host) override {
        log.push_back(u"Initialize");
        RestoreActions::Initialize(s, run, host);
    }

private:
    static std::u16string Digit(int i) {
        return std::u16string(1, static_cast<char16_t>(u'0' + i));
    }
};

class SavedStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(LXTY_DATA_DIR "/lxty.dat").Loaded());
    }

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lxty-savedstate-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    // Restores `bytes` written to a file into `s`.
    RestoreOutcome RestoreBytes(const std::string& bytes, Settings& s, bool restoring = true) {
        const fs::path p = dir / "state.usr";
        WriteBytes(p, bytes);
        return RestoreSavedState(p, {}, s, run, host, actions, restoring);
    }
    // The fixture with line `n` (1-based) replaced.
    static std::string FixtureWithLine(int n, const std::string& value) {
        std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
        lines.at(static_cast<std::size_t>(n - 1)) = value;
        return JoinLines(lines);
    }

    fs::path dir;
    FakeHost host;
    RunState run;
    RecordingActions actions;
};

TEST_F(SavedStateTest, SavedFileMatchesTheExpectedFileByteForByte) {
    const fs::path p = dir / "state.usr";
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}), u"");
    const std::string written = ReadBytes(p);
    EXPECT_EQ(written, ReadBytes(kFixture));
    EXPECT_EQ(SplitLines(written).size(), static_cast<std::size_t>(kSavedStateLinesWithEmptyLists));
}

TEST_F(SavedStateTest, ExpectedFileRestoresTheWholeRecord) {
    Settings s;
    const RestoreOutcome r = RestoreSavedState(kFixture, {}, s, run, host, actions, true);
    EXPECT_EQ(r.code, kRestoreOk);
    EXPECT_EQ(r.errorText, u"");
    EXPECT_TRUE(s == FixtureRecord());
    EXPECT_EQ(r.folderAsRead, std::optional<std::u16string>(u"/home/ann/Texts, 2024"));
    EXPECT_EQ(r.fileAsRead, std::optional<std::u16string>(u"/home/ann/in.txt"));
    EXPECT_FALSE(r.disableOutputToFileBox);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SavedStateTest, EmptyPathUsesTheDefaultPath) {
    const fs::path def = dir / "default.usr";
    EXPECT_EQ(SaveState(FixtureRecord(), {}, def), u"");
    EXPECT_EQ(ReadBytes(def), ReadBytes(kFixture));
    Settings s;
    EXPECT_EQ(RestoreSavedState({}, def, s, run, host, actions, true).code, kRestoreOk);
    EXPECT_TRUE(s == FixtureRecord());
}

TEST_F(SavedStateTest, EveryFieldSurvivesASaveAndRestore) {
    const Settings saved = Scrambled();
    const fs::path p = dir / "state.usr";
    ASSERT_EQ(SaveState(saved, p, {}), u"");
    // Each listed path adds one line.
    EXPECT_EQ(SplitLines(ReadBytes(p)).size(), 79u + 4u);
    Settings s;
    EXPECT_EQ(RestoreSavedState(p, {}, s, run, host, actions, true).code, kRestoreOk);
    EXPECT_TRUE(s == saved);
    EXPECT_EQ(GetFieldByName(s, u"WordsFile0"), GetFieldByName(saved, u"WordsFile0"));
}

TEST_F(SavedStateTest, EveryOptionOfEveryEnumerationSurvives) {
    for (const SettingsField& f : SettingsFieldTable()) {
        if (f.kind != FieldKind::Enumeration)
            continue;
        for (int v = 0; v < static_cast<int>(f.options.size()); ++v) {
            Settings saved = FixtureRecord();
            f.setInt(saved, v);
            const fs::path p = dir / "enum.usr";
            ASSERT_EQ(SaveState(saved, p, {}), u"");
            Settings s;
            RestoreSavedState(p, {}, s, run, host, actions, true);
            EXPECT_EQ(f.getInt(s), v) << U16ToUtf8(f.name);
        }
    }
}

TEST_F(SavedStateTest, OptionLinesAreMinusOneForTheSelectedPhraseOption) {
    Settings s = FixtureRecord();
    s.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::AllowPhrasesAllWordsToIgnore;
    const std::vector<std::string> lines = SplitLines(FormatSavedState(s));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"-1", "0", "0", "0"}));
}

TEST_F(SavedStateTest, TextsWithCommasAndQuotesSurvive) {
    Settings saved = FixtureRecord();
    saved.File[0] = u"/data/smith, john/essay.txt";
    saved.Folder = u"C:\\Texts, old";
    saved.FilterWords = u"say \"hi\" there";
    const fs::path p = dir / "state.usr";
    ASSERT_EQ(SaveState(saved, p, {}), u"");
    EXPECT_EQ(SplitLines(ReadBytes(p)).at(2), "\"/data/smith, john/essay.txt\"");
    Settings s;
    RestoreSavedState(p, {}, s, run, host, actions, true);
    EXPECT_EQ(s.File[0], saved.File[0]);
    EXPECT_EQ(s.Folder, saved.Folder);
    EXPECT_EQ(s.FilterWords, saved.FilterWords);
}

TEST_F(SavedStateTest, CharactersOutsideWindows1252SwitchTheFileToUtf8) {
    Settings saved = FixtureRecord();
    saved.Folder = u"/home/\u0416\u0435\u043d\u044f/\u6587\u5b57";
    const std::string bytes = FormatSavedState(saved);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(SplitLines(bytes.substr(3)).size(), 79u);
    Settings s;
    EXPECT_EQ(RestoreBytes(bytes, s).code, kRestoreOk);
    EXPECT_TRUE(s == saved);
    // A record that fits the code page is written in it, with no mark.
    EXPECT_NE(FormatSavedState(FixtureRecord()).substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(SavedStateTest, LineBreaksInsideATextAreWrittenAsSpaces) {
    Settings saved = FixtureRecord();
    saved.WordsToIgnoreOrCount[0] = u"one\r\ntwo\nthree\rfour";
    const std::string bytes = FormatSavedState(saved);
    EXPECT_EQ(SplitLines(bytes).size(), 79u);
    Settings s;
    EXPECT_EQ(RestoreBytes(bytes, s).code, kRestoreOk);
    EXPECT_EQ(s.WordsToIgnoreOrCount[0], u"one two three four");
    EXPECT_EQ(s.FilterWords, u"red fox");
}

TEST_F(SavedStateTest, LineFeedOnlyFilesReadTheSame) {
    std::string bytes = ReadBytes(kFixture);
    std::string lf;
    for (char c : bytes)
        if (c != '\r')
            lf.push_back(c);
    Settings s;
    EXPECT_EQ(RestoreBytes(lf, s).code, kRestoreOk);
    EXPECT_TRUE(s == FixtureRecord());
}

TEST_F(SavedStateTest, NoFileChangesNothing) {
    Settings s = Scrambled();
    const RestoreOutcome r =
        RestoreSavedState(dir / "missing.usr", {}, s, run, host, actions, false);
    EXPECT_EQ(r.code, kRestoreNoFile);
    EXPECT_TRUE(s == Scrambled());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(actions.log.empty());
    EXPECT_FALSE(r.folderAsRead.has_value());
    // A folder is no state file either.
    EXPECT_EQ(RestoreSavedState(dir, {}, s, run, host, actions, false).code, kRestoreNoFile);
}

// The file cut after line `cut`: the values before stay read, the questions follow, result 0.
struct CutCase {
    int cut;
    MsgAnswer answer;
    bool firstPartComplete;
};

TEST_F(SavedStateTest, ShortFileKeepsWhatWasReadAndAsksAboutDefaults) {
    const CutCase cases[] = {
        {47, MsgAnswer::No, false}, {47, MsgAnswer::Yes, false}, {58, MsgAnswer::No, false},
        {59, MsgAnswer::No, true},  {78, MsgAnswer::No, true},   {0, MsgAnswer::No, false},
    };
    const std::vector<std::string> all = SplitLines(ReadBytes(kFixture));
    for (const CutCase& c : cases) {
        SCOPED_TRACE("cut after line " + std::to_string(c.cut));
        Settings before;
        before.WordsFile[0] = {{u"/lists/ignore.txt"}, 0};
        before.WordsFile[1] = {{u"/lists/count.txt", u"/lists/more.txt"}, 1};
        before.ZeroCellsBlank = 1;
        before.CountArrayTables = CountArrayTablesKind::ByFrequency;
        before.PhraseLength = {4, 7};
        before.FilterWords = u"old filter";

        Settings s = before;
        FakeHost h;
        h.answers = {c.answer};
        const fs::path p = dir / "short.usr";
        WriteBytes(p, JoinLines(std::vector<std::string>(all.begin(), all.begin() + c.cut)));
        RecordingActions a;
        const RestoreOutcome r = RestoreSavedState(p, {}, s, run, h, a, false);
        EXPECT_EQ(r.code, kRestoreOk);

        ASSERT_EQ(h.messages.size(), 2u);
        EXPECT_EQ(h.messages[0].text, u"Input past end of file.  Set default values?");
        EXPECT_EQ(h.messages[0].title, u"Error restoring saved state");
        EXPECT_TRUE(h.messages[0].question);
        EXPECT_EQ(h.messages[1].text,
                  u"Saving the settings should fix the 'Input past end of file' error.");
        EXPECT_EQ(h.messages[1].title, u"Input past end of file");
        EXPECT_EQ(h.messages[1].icon, MsgIcon::Information);
        // Nothing after the error: no word-list offers, no folder, no tool tips.
        for (const std::u16string& step : a.log)
            EXPECT_NE(step, u"ToolTips");

        // Build what the record should be: the first `cut` values of the fixture over the
        // record as it was.
        Settings expected = before;
        if (c.cut >= 47) {
            const Settings full = FixtureRecord();
            // Lines 1-47: every text, list and check of the first part of the layout.
            expected.Folder = full.Folder;
            expected.WordsToIgnoreOrCount = full.WordsToIgnoreOrCount;
            expected.File = full.File;
            expected.FileFilepathSpecifications = full.FileFilepathSpecifications;
            for (std::u16string_view n : {u"ShortWordSize",
                                          u"LongWordSize",
                                          u"ThresholdFrequency",
                                          u"IgnoreShortWords",
                                          u"IgnoreInfrequentWords",
                                          u"IgnoreRepetitions",
                                          u"IgnoreExcessivelyFrequentWords",
                                          u"ExtractTextFromDocx",
                                          u"IgnoreNoLetter",
                                          u"CaseSignificant",
                                          u"DropFinalS",
                                          u"AllowWordsWithHyphens",
                                          u"AllowWordsWithApostrophes",
                                          u"AllowWordsWithUnderscores",
                                          u"AllowWordsWithColons",
                                          u"AllowWordsWithBackslashes",
                                          u"AllowWordsWithForwardslashes",
                                          u"AllowWordsWithParentheses",
                                          u"AllowWordsWithPeriods",
                                          u"AllowWordsWithCommas",
                                          u"AllowWordsWithAtSigns",
                                          u"AllowWordsWithNumerals",
                                          u"AllowWordsWithAmpersands",
                                          u"AllowWordsWithUserSpecifiedExtraChars",
                                          u"OutputWithCommas",
                                          u"AllowCommentMarkers",
                                          u"WarnOnOverwrite",
                                          u"SaveStateOnQuit",
                                          u"SuppressWords",
                                          u"DisableOutputToFile",
                                          u"IncludeSubfolders",
                                          u"WordOrder",
                                          u"DisplayFormat",
                                          u"Only7bitASCII"}) {
                const SettingsField* f = FindSettingsField(n);
                f->setInt(expected, f->getInt(full));
            }
            if (c.cut >= 58) {
                expected.WordsFile = full.WordsFile;
                expected.Source = full.Source;
                expected.SuppressFilenames = full.SuppressFilenames;
                expected.UserSpecifiedExtraChars = full.UserSpecifiedExtraChars;
                expected.TerminatePhraseAtEndOfLine = full.TerminatePhraseAtEndOfLine;
                expected.TerminatePhraseAtPeriod = full.TerminatePhraseAtPeriod;
                expected.TerminatePhraseAtDoubleQuote = full.TerminatePhraseAtDoubleQuote;
                expected.TerminatePhraseAtTab = full.TerminatePhraseAtTab;
            }
            if (c.cut >= 59)
                expected.TerminatePhraseAtComma = full.TerminatePhraseAtComma;
            // Line 78 selects RemoveWordsToIgnore and line 79 selects nothing: the whole
            // record but the count-array fields below.
            if (c.cut >= 78)
                expected = full;
        }
        if (c.firstPartComplete) {
            expected.ZeroCellsBlank = 0;
            expected.CountArrayTables = CountArrayTablesKind::Alphabetical;
        }
        if (c.answer == MsgAnswer::Yes) {
            RunState scratch;
            SetDefaultValues(expected, scratch);
        }
        EXPECT_TRUE(s == expected);
        EXPECT_EQ(s.WordsFile, expected.WordsFile);
        EXPECT_EQ(s.PhraseLength, expected.PhraseLength);
        EXPECT_EQ(s.FilterWords, expected.FilterWords);
        EXPECT_EQ(s.CaseSignificant, expected.CaseSignificant);
    }
}

TEST_F(SavedStateTest, ListIndexOnLine12) {
    struct Case {
        std::string line;
        std::int16_t code;
        std::u16string error;
    };
    const Case cases[] = {
        {"-2", kRestoreReadError, u"Invalid data"},
        {"-1", kRestoreNoListEntry, u""},
        {"0", kRestoreOk, u""},
        {"18", kRestoreOk, u""},
        {"19", kRestoreReadError, u"Invalid data"},
        {"40", kRestoreReadError, u"Invalid data"},
        {"abc", kRestoreReadError, u"Invalid data"},
        {"", kRestoreReadError, u"Invalid data"},
        {" 7 ", kRestoreOk, u""},
        {"99999999999", kRestoreReadError, u"Invalid data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line 12: " + c.line);
        Settings s;
        const RestoreOutcome r = RestoreBytes(FixtureWithLine(12, c.line), s);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.errorText, c.error);
        Settings expected = FixtureRecord();
        if (c.code == kRestoreReadError) {
            // Lines 1-11 are in force, nothing from line 12 on.
            expected = Settings{};
            expected.Folder = u"/home/ann/Texts, 2024";
            expected.WordsToIgnoreOrCount = {u"the a an", u"big cat, dog"};
            expected.File = {u"/home/ann/in.txt", u"/home/ann/out.txt"};
            expected.FileFilepathSpecifications = {u"*.txt;*.htm", u"draft"};
            EXPECT_EQ(r.fileAsRead, std::optional<std::u16string>(u"/home/ann/in.txt"));
        } else {
            expected.ShortWordSize = c.line == "-1" ? -1 : std::stoi(c.line);
        }
        EXPECT_TRUE(s == expected);
        EXPECT_EQ(s.LongWordSize, expected.LongWordSize);
    }
}

TEST_F(SavedStateTest, EveryListWithNothingSelectedGivesResultOne) {
    // Lines of ShortWordSize, LongWordSize, ThresholdFrequency, WordOrder, DisplayFormat,
    // ExcessFrequency give 1; PhraseLength, MinimumFrequency and the language do not.
    const std::pair<int, std::int16_t> cases[] = {{12, 1}, {13, 1}, {14, 1}, {45, 1}, {46, 1},
                                                  {66, 1}, {62, 0}, {63, 0}, {64, 0}, {73, 0}};
    for (auto [line, code] : cases) {
        SCOPED_TRACE(line);
        Settings s;
        const RestoreOutcome r = RestoreBytes(FixtureWithLine(line, "-1"), s);
        EXPECT_EQ(r.code, code);
    }
}

TEST_F(SavedStateTest, ValuesTheirFieldsCannotHoldAreInvalidData) {
    const std::pair<int, std::string> cases[] = {
        {15, "2"},  {15, "-1"}, {13, "9"},  {14, "18"},   {46, "14"}, {45, "2"},
        {66, "23"}, {63, "25"}, {64, "30"}, {73, "8"},    {52, "x"},  {61, "1.5"},
        {48, "-1"}, {75, ""},   {79, "?"},  {53, "true"},
    };
    for (const auto& [line, value] : cases) {
        SCOPED_TRACE(std::to_string(line) + ": " + value);
        Settings s;
        const RestoreOutcome r = RestoreBytes(FixtureWithLine(line, value), s);
        EXPECT_EQ(r.code, kRestoreReadError);
        EXPECT_EQ(r.errorText, u"Invalid data");
    }
    // The last valid index of each of those lists is accepted.
    const std::pair<int, std::string> valid[] = {{13, "8"},  {14, "17"}, {46, "13"}, {66, "22"},
                                                 {63, "24"}, {64, "29"}, {73, "7"}};
    for (const auto& [line, value] : valid) {
        Settings s;
        EXPECT_EQ(RestoreBytes(FixtureWithLine(line, value), s).code, kRestoreOk) << line;
    }
}

TEST_F(SavedStateTest, EnumerationLinesMapOtherValuesToTheFirstOrLastOption) {
    struct Case {
        int line;
        std::string value;
        std::u16string field;
        std::u16string expected;
    };
    const Case cases[] = {
        {52, "0", u"Source", u"OnClipboard"},
        {52, "1", u"Source", u"InFile"},
        {52, "2", u"Source", u"Folder"},
        {52, "7", u"Source", u"Folder"},
        {52, "-1", u"Source", u"Folder"},
        {61, "1", u"CountArrayTables", u"ByFrequency"},
        {61, "2", u"CountArrayTables", u"Both"},
        {61, "3", u"CountArrayTables", u"Alphabetical"},
        {61, "-5", u"CountArrayTables", u"Alphabetical"},
        {75, "2", u"FilterMode", u"IncludeAllWordsAsSubphrase"},
        {75, "1", u"FilterMode", u"IncludeAllWordsInSameOrder"},
        {75, "9", u"FilterMode", u"IncludeAllWords"},
        {75, "-1", u"FilterMode", u"IncludeAllWords"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + ": " + c.value);
        Settings s;
        EXPECT_EQ(RestoreBytes(FixtureWithLine(c.line, c.value), s).code, kRestoreOk);
        EXPECT_EQ(GetFieldByName(s, c.field), std::optional<std::u16string>(c.expected));
    }
}

TEST_F(SavedStateTest, PhraseOptionLinesSelectTheLastNonZeroOption) {
    struct Case {
        std::vector<std::string> lines; // 76-79
        WordsToIgnoreInPhrasesKind before;
        WordsToIgnoreInPhrasesKind expected;
    };
    using K = WordsToIgnoreInPhrasesKind;
    const Case cases[] = {
        {{"-1", "0", "0", "0"}, K::RemoveWordsToIgnore, K::AllowPhrasesAllWordsToIgnore},
        {{"0", "0", "0", "1"}, K::AllowPhrasesAllWordsToIgnore, K::ExcludePhrasesWithWordToIgnore},
        {{"-1", "-1", "0", "0"}, K::RemoveWordsToIgnore, K::ExcludePhrasesAllWordsToIgnore},
        {{"0", "0", "0", "0"}, K::RemoveWordsToIgnore, K::RemoveWordsToIgnore},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
        std::copy(c.lines.begin(), c.lines.end(), lines.end() - 4);
        Settings s;
        s.WordsToIgnoreInPhrases = c.before;
        EXPECT_EQ(RestoreBytes(JoinLines(lines), s).code, kRestoreOk);
        EXPECT_EQ(s.WordsToIgnoreInPhrases, c.expected);
    }
}

TEST_F(SavedStateTest, UseLog10IsOneWhateverLine38Holds) {
    for (const char* v : {"0", "1", "-1", "7"}) {
        Settings s;
        s.UseLog10 = 0;
        EXPECT_EQ(RestoreBytes(FixtureWithLine(38, v), s).code, kRestoreOk) << v;
        EXPECT_EQ(s.UseLog10, 1) << v;
        EXPECT_TRUE(s == FixtureRecord()) << v;
    }
}

TEST_F(SavedStateTest, ReservedLinesMayHoldAnyValueOfTheirKind) {
    std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
    for (int n : {5, 6, 10, 11})
        lines[static_cast<std::size_t>(n - 1)] = "\"something else, entirely\"";
    lines[36 - 1] = "12345";
    lines[72 - 1] = "-9";
    Settings s;
    EXPECT_EQ(RestoreBytes(JoinLines(lines), s).code, kRestoreOk);
    EXPECT_TRUE(s == FixtureRecord());
}

TEST_F(SavedStateTest, FilterWordsLoseTheirOuterSpaces) {
    Settings s;
    RestoreBytes(FixtureWithLine(74, "\"   red  fox  \""), s);
    EXPECT_EQ(s.FilterWords, u"red  fox");
}

TEST_F(SavedStateTest, WordFileLists) {
    struct Case {
        std::vector<std::string> list0; // count, paths..., index
        WordFileList expected;
        std::int16_t code;
    };
    const Case cases[] = {
        {{"0", "-1"}, {{}, -1}, kRestoreOk},
        {{"0", "5"}, {{}, -1}, kRestoreOk}, // an empty list selects nothing whatever the index
        {{"2", "\"/a, b.txt\"", "\"/c.txt\"", "1"}, {{u"/a, b.txt", u"/c.txt"}, 1}, kRestoreOk},
        {{"2", "\"/a.txt\"", "\"/c.txt\"", "0"}, {{u"/a.txt", u"/c.txt"}, 0}, kRestoreOk},
        {{"2", "\"/a.txt\"", "\"/c.txt\"", "-1"}, {{u"/a.txt", u"/c.txt"}, -1}, kRestoreOk},
        {{"2", "\"/a.txt\"", "\"/c.txt\"", "2"}, {}, kRestoreReadError},
        {{"1", "\"/a.txt\"", "-2"}, {}, kRestoreReadError},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
        lines.erase(lines.begin() + 47, lines.begin() + 49);
        lines.insert(lines.begin() + 47, c.list0.begin(), c.list0.end());
        Settings s;
        s.WordsFile[0] = {{u"/old.txt"}, 0};
        const RestoreOutcome r = RestoreBytes(JoinLines(lines), s);
        EXPECT_EQ(r.code, c.code) << c.list0.size();
        if (c.code == kRestoreOk) {
            EXPECT_EQ(s.WordsFile[0], c.expected);
            EXPECT_EQ(s.FilterWords, u"red fox"); // the lines after the list still line up
        }
    }
}

TEST_F(SavedStateTest, ASelectionOutsideItsListIsSavedAsNone) {
    Settings saved = FixtureRecord();
    saved.WordsFile[0] = {{u"/a.txt", u"/b.txt"}, 2};
    saved.WordsFile[1] = {{}, 0};
    Settings s;
    EXPECT_EQ(RestoreBytes(FormatSavedState(saved), s).code, kRestoreOk);
    EXPECT_EQ(s.WordsFile[0], (WordFileList{{u"/a.txt", u"/b.txt"}, -1}));
    EXPECT_EQ(s.WordsFile[1], WordFileList{});
}

TEST_F(SavedStateTest, WindowsApplyTheValuesInOrder) {
    Settings s;
    const RestoreOutcome r = RestoreSavedState(kFixture, {}, s, run, host, actions, false);
    EXPECT_EQ(r.code, kRestoreOk);
    EXPECT_EQ(actions.log,
              (std::vector<std::u16string>{u"ExtraWords0:the a an", u"FilePatterns0:*.txt;*.htm",
                                           u"ExtraWords1:big cat, dog", u"FilePatterns1:draft",
                                           u"FileDetails:/home/ann/in.txt",
                                           u"Folder:/home/ann/Texts, 2024", u"ToolTips"}));
}

TEST_F(SavedStateTest, EmptyOutputFileClearsDisableOutputToFile) {
    Settings s;
    const RestoreOutcome r = RestoreBytes(FixtureWithLine(8, "\"\""), s);
    EXPECT_EQ(r.code, kRestoreOk);
    EXPECT_EQ(s.DisableOutputToFile, 0);
    EXPECT_TRUE(r.disableOutputToFileBox);
    // An empty input file shows no file details.
    Settings t;
    RecordingActions a;
    const fs::path p = dir / "nofile.usr";
    WriteBytes(p, FixtureWithLine(3, "\"\""));
    RestoreSavedState(p, {}, t, run, host, a, true);
    for (const std::u16string& step : a.log)
        EXPECT_NE(step.substr(0, 11), u"FileDetails");
}

std::string FixtureWithLists(const std::vector<std::string>& list0,
                             const std::vector<std::string>& list1) {
    std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
    lines.erase(lines.begin() + 47, lines.begin() + 51);
    std::vector<std::string> both = list0;
    both.insert(both.end(), list1.begin(), list1.end());
    lines.insert(lines.begin() + 47, both.begin(), both.end());
    return JoinLines(lines);
}

TEST_F(SavedStateTest, OffersToLoadEachSelectedWordListFile) {
    struct Case {
        std::vector<MsgAnswer> answers;
        std::vector<bool> reads;
        std::int16_t code;
        std::vector<std::u16string> steps; // the reads asked for
        int selected0, selected1, language;
    };
    const Case cases[] = {
        {{MsgAnswer::Yes, MsgAnswer::Yes}, {}, kRestoreOk, {u"Read0", u"Read1"}, 1, 0, 7},
        {{MsgAnswer::No, MsgAnswer::Yes}, {}, kRestoreOk, {u"Read1"}, -1, 0, 7},
        {{MsgAnswer::Yes, MsgAnswer::No}, {}, kRestoreOk, {u"Read0"}, 1, -1, 7},
        {{MsgAnswer::Yes, MsgAnswer::Yes},
         {false, true},
         kRestoreWordsFileFailed,
         {u"Read0", u"Read1"},
         1,
         0,
         7},
        {{MsgAnswer::Yes, MsgAnswer::Yes},
         {true, false},
         kRestoreWordsFileFailed,
         {u"Read0", u"Read1"},
         1,
         0,
         7},
    };
    for (const Case& c : cases) {
        Settings s;
        FakeHost h;
        h.answers.assign(c.answers.begin(), c.answers.end());
        RecordingActions a;
        a.readResults = c.reads;
        const fs::path p = dir / "lists.usr";
        std::string bytes = FixtureWithLists({"2", "\"/w/a.txt\"", "\"/w/b, c.txt\"", "1"},
                                             {"1", "\"/w/count.txt\"", "0"});
        std::vector<std::string> lines = SplitLines(bytes);
        lines[73 + 3 - 1] = "2"; // the language line (three path lines further down): Spanish
        WriteBytes(p, JoinLines(lines));
        const RestoreOutcome r = RestoreSavedState(p, {}, s, run, h, a, false);
        EXPECT_EQ(r.code, c.code);
        ASSERT_EQ(h.messages.size(), 2u);
        EXPECT_EQ(h.messages[0].text,
                  u"Do you wish to load the words-to-ignore file\r\n/w/b, c.txt ?");
        EXPECT_EQ(h.messages[1].text, u"Do you wish to load the count-only words file\r\n"
                                      u"/w/count.txt ?");
        for (const auto& m : h.messages) {
            EXPECT_EQ(m.title, u"Load file?");
            EXPECT_TRUE(m.question);
        }
        std::vector<std::u16string> reads;
        for (const std::u16string& step : a.log)
            if (step.starts_with(u"Read"))
                reads.push_back(step);
        EXPECT_EQ(reads, c.steps);
        EXPECT_EQ(s.WordsFile[0].selected, c.selected0);
        EXPECT_EQ(s.WordsFile[1].selected, c.selected1);
        EXPECT_EQ(s.WordsFile[0].paths.size(), 2u); // No deselects, it does not remove
        EXPECT_EQ(s.CommonWordsLanguages, c.selected0 == -1 ? kNoLanguageSelectedIndex : 2);
        EXPECT_EQ(a.log.back(), u"ToolTips");
    }
}

TEST_F(SavedStateTest, NoOfferWhileRestoringOrWithNothingSelected) {
    const std::string bytes =
        FixtureWithLists({"1", "\"/w/a.txt\"", "0"}, {"1", "\"/w/count.txt\"", "-1"});
    Settings s;
    RestoreBytes(bytes, s, true);
    EXPECT_TRUE(host.messages.empty());
    RestoreBytes(bytes, s, false);
    // Only list 0 has a selected file.
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Do you wish to load the words-to-ignore file\r\n/w/a.txt ?");
}

TEST_F(SavedStateTest, ListResultAndFailedReadTogetherGiveTwo) {
    std::vector<std::string> lines =
        SplitLines(FixtureWithLists({"1", "\"/w/a.txt\"", "0"}, {"0", "-1"}));
    lines[12 - 1] = "-1";
    actions.readResults = {false};
    Settings s;
    EXPECT_EQ(RestoreBytes(JoinLines(lines), s, false).code, kRestoreWordsFileFailed);
}

TEST_F(SavedStateTest, OverlongLineStopsTheRead) {
    Settings s;
    const RestoreOutcome r =
        RestoreBytes(FixtureWithLine(2, "\"" + std::string(2 << 20, 'a') + "\""), s);
    EXPECT_EQ(r.code, kRestoreReadError);
    EXPECT_EQ(r.errorText, u"Invalid data");
}

// Start-up ----------------------------------------------------------------------------------

TEST_F(SavedStateTest, StartUpAsksToResetAfterResultsOneAndThree) {
    struct Case {
        RestoreOutcome outcome;
        MsgAnswer answer;
        std::u16string message;
    };
    RestoreOutcome one;
    one.code = kRestoreNoListEntry;
    RestoreOutcome three;
    three.code = kRestoreReadError;
    three.errorText = u"Invalid data";
    const std::u16string tail = u"\r\n\r\n" + GetText(39);
    const Case cases[] = {
        {one, MsgAnswer::Yes, GetText(37) + tail},
        {one, MsgAnswer::No, GetText(37) + tail},
        {three, MsgAnswer::Yes, GetText(38) + u": Invalid data" + tail},
        {three, MsgAnswer::No, GetText(38) + u": Invalid data" + tail},
    };
    for (const Case& c : cases) {
        Settings s = FixtureRecord();
        FakeHost h;
        h.answers = {c.answer};
        RecordingActions a;
        RunState r;
        HandleStartUpRestoreResult(c.outcome, s, r, h, a);
        ASSERT_EQ(h.messages.size(), 1u);
        EXPECT_EQ(h.messages[0].text, c.message);
        EXPECT_EQ(h.messages[0].title, GetText(40));
        EXPECT_FALSE(GetText(40).empty());
        if (c.answer == MsgAnswer::Yes) {
            EXPECT_EQ(a.log, std::vector<std::u16string>{u"Initialize"});
            EXPECT_EQ(s.Folder, u"");
            EXPECT_EQ(s.CaseSignificant, 0);
        } else {
            EXPECT_TRUE(a.log.empty());
            Settings expected = FixtureRecord();
            expected.SaveStateOnQuit = 0;
            EXPECT_TRUE(s == expected);
        }
    }
    for (std::int16_t code : {kRestoreNoFile, kRestoreOk, kRestoreWordsFileFailed}) {
        RestoreOutcome o;
        o.code = code;
        Settings s = FixtureRecord();
        HandleStartUpRestoreResult(o, s, run, host, actions);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(s == FixtureRecord());
    }
}

// Settings window ---------------------------------------------------------------------------

TEST_F(SavedStateTest, LoadSettingsFromFileLabelsAndMessages) {
    const std::u16string clearQuestion = u"Do you wish to clear all words-to-ignore files?";
    struct Case {
        std::string bytes; // empty: no file
        std::u16string label;
        std::vector<std::u16string> messages;
    };
    const Case cases[] = {
        {ReadBytes(kFixture), u"Settings loaded from", {}},
        {"", u"Settings loaded from", {}},
        // The file's empty lists were read, so Initialize finds no list to clear.
        {FixtureWithLine(12, "-1"), u"Error loading from", {u"Invalid combo box index."}},
        // The read stopped before the lists: Initialize, after start-up, asks about the list
        // still holding a file.
        {FixtureWithLine(12, "40"),
         u"Error loading from",
         {u"Error when attempting to load settings: Invalid data", clearQuestion}},
    };
    for (const Case& c : cases) {
        const fs::path p = dir / "chosen.lxty";
        fs::remove(p);
        if (!c.bytes.empty())
            WriteBytes(p, c.bytes);
        Settings s;
        s.WordsFile[0] = {{u"/w/a.txt"}, 0};
        FakeHost h;
        RecordingActions a;
        RunState r;
        r.blnStartUpCompleted = true;
        const LoadSettingsOutcome out = LoadSettingsFromFile(p, s, r, h, a);
        EXPECT_EQ(out.stateLabel, c.label);
        EXPECT_EQ(h.MessageTexts(), c.messages); // no word-list file is ever offered
        if (c.messages.empty()) {
            EXPECT_EQ(std::count(a.log.begin(), a.log.end(), u"Initialize"), 0);
        } else {
            EXPECT_EQ(h.messages[0].title, u"Load settings");
            EXPECT_EQ(h.messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(a.log.back(), u"Initialize");
            EXPECT_EQ(s.ShortWordSize, 1); // back at its default
            EXPECT_EQ(s.Folder, u"");
        }
    }
}

TEST_F(SavedStateTest, LoadOfAShortFileAnswersItsQuestions) {
    // As the command line does: every question answered Yes.
    const std::vector<std::string> lines = SplitLines(ReadBytes(kFixture));
    const fs::path p = dir / "short.lxty";
    WriteBytes(p, JoinLines(std::vector<std::string>(lines.begin(), lines.begin() + 47)));
    Settings s;
    host.answers = {MsgAnswer::Yes};
    const LoadSettingsOutcome out = LoadSettingsFromFile(p, s, run, host, actions);
    EXPECT_EQ(out.restore.code, kRestoreOk);
    EXPECT_EQ(out.stateLabel, u"Settings loaded from");
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(s.CaseSignificant, 0);               // defaults set again
    EXPECT_EQ(s.Folder, u"/home/ann/Texts, 2024"); // main-window fields stay read
}

TEST_F(SavedStateTest, ChoosersDoNothingWithoutAChoice) {
    Settings s = FixtureRecord();
    host.chosenPaths = {std::nullopt, u"", std::nullopt, u""};
    EXPECT_FALSE(ChooseAndLoadSettings(s, run, host, actions, u"").has_value());
    EXPECT_FALSE(ChooseAndLoadSettings(s, run, host, actions, u"").has_value());
    EXPECT_FALSE(ChooseAndSaveSettings(s, host, u"").has_value());
    EXPECT_FALSE(ChooseAndSaveSettings(s, host, u"").has_value());
    EXPECT_TRUE(s == FixtureRecord());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(SavedStateTest, ChoosersSaveAndLoadTheChosenFile) {
    const std::u16string path = Utf8ToU16((dir / "mine.lxty").string());
    host.chosenPaths = {path, path};
    EXPECT_EQ(ChooseAndSaveSettings(FixtureRecord(), host, u""),
              std::optional<std::u16string>(u"Settings saved to"));
    EXPECT_EQ(ReadBytes(dir / "mine.lxty"), ReadBytes(kFixture));
    Settings s;
    const auto out = ChooseAndLoadSettings(s, run, host, actions, u"");
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->stateLabel, u"Settings loaded from");
    EXPECT_TRUE(s == FixtureRecord());
}

TEST_F(SavedStateTest, SaveSettingsToFileReportsAFailure) {
    const std::u16string label =
        SaveSettingsToFile(dir / "no such folder" / "x.lxty", FixtureRecord(), host);
    EXPECT_EQ(label, u"Error saving to");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Error when attempting to save state: Path not found");
    EXPECT_EQ(host.messages[0].title, u"Save settngs");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(SavedStateTest, SaveSettingsButton) {
    EXPECT_TRUE(SaveSettingsToDefault(FixtureRecord(), dir / "lxty.usr", host, "cmdSaveState"));
    EXPECT_EQ(host.popUps, std::vector<std::u16string>{GetText(50)});
    EXPECT_FALSE(GetText(50).empty());
    EXPECT_EQ(ReadBytes(dir / "lxty.usr"), ReadBytes(kFixture));

    EXPECT_FALSE(
        SaveSettingsToDefault(FixtureRecord(), dir / "missing" / "lxty.usr", host, "cmdSaveState"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Error when attempting to save state: Path not found");
    EXPECT_EQ(host.messages[0].title, u"Save state");
    EXPECT_EQ(host.popUps.size(), 1u);
}

TEST_F(SavedStateTest, DefaultStateFilePathIsInTheMakersFolder) {
    const fs::path config = dir / "config";
    const fs::path p = DefaultStateFilePath(config);
    EXPECT_EQ(p, config / "Tarnwell Systems" / "lxty.usr");
    EXPECT_TRUE(fs::is_directory(config / "Tarnwell Systems"));
    // Asking again with the folder present gives the same path.
    EXPECT_EQ(DefaultStateFilePath(config), p);
}

// Saving never destroys the previous file ---------------------------------------------------

// Writes the first half of the bytes, then fails as a full disk would.
class HalfWayFailingWriter : public StateFileWriter {
public:
    fs::path written;
    std::u16string Write(const fs::path& path, std::string_view bytes) override {
        written = path;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
        return u"Disk full";
    }
};

TEST_F(SavedStateTest, AFailedWriteLeavesTheOldFileIntact) {
    const fs::path p = dir / "lxty.usr";
    const std::string old = "old content, byte for byte\r\n\xE9\r\n";
    WriteBytes(p, old);
    HalfWayFailingWriter writer;
    EXPECT_EQ(SaveState(Scrambled(), p, {}, writer),
              u"Error when attempting to save state: Disk full");
    EXPECT_EQ(ReadBytes(p), old);
    // The half-written file was beside the target, and is gone.
    EXPECT_EQ(writer.written.parent_path(), dir);
    EXPECT_NE(writer.written, p);
    EXPECT_FALSE(fs::exists(writer.written));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // Through the settings window the same failure shows its message.
    EXPECT_EQ(SaveSettingsToFile(p, Scrambled(), host, writer), u"Error saving to");
    EXPECT_EQ(ReadBytes(p), old);
}

TEST_F(SavedStateTest, AWriteProtectedFileIsNotReplaced) {
    const fs::path p = dir / "lxty.usr";
    WriteBytes(p, "protected\r\n");
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}),
              u"Error when attempting to save state: Permission denied");
    EXPECT_EQ(ReadBytes(p), "protected\r\n");
}

TEST_F(SavedStateTest, AReadOnlyFolderKeepsTheOldFile) {
#ifndef _WIN32
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
#endif
    const fs::path p = dir / "lxty.usr";
    WriteBytes(p, "old\r\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}),
              u"Error when attempting to save state: Permission denied");
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(p), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SavedStateTest, ReplacingKeepsPermissionsAndLinks) {
    const fs::path p = dir / "lxty.usr";
    WriteBytes(p, "old\r\n");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(p, mode);
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}), u"");
    EXPECT_EQ(ReadBytes(p), ReadBytes(kFixture));
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all, mode);

#ifndef _WIN32
    const fs::path link = dir / "link.usr";
    fs::create_symlink(p, link);
    EXPECT_EQ(SaveState(Scrambled(), link, {}), u"");
    EXPECT_TRUE(fs::is_symlink(link));
    Settings s;
    RestoreSavedState(p, {}, s, run, host, actions, true);
    EXPECT_TRUE(s == Scrambled());
#endif
    // Saving into a folder path, or into a missing folder, fails without leaving anything.
    EXPECT_EQ(SaveState(FixtureRecord(), dir, {}),
              u"Error when attempting to save state: Path/File access error");
    EXPECT_EQ(SaveState(FixtureRecord(), dir / "none" / "x.usr", {}),
              u"Error when attempting to save state: Path not found");
}

} // namespace
} // namespace lxty
