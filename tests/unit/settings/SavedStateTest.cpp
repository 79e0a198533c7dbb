// The saved state file: its exact layout, reading it back, the short-file recovery, invalid
// values, the word-list questions, the load/save operations of the windows, and saving that
// never destroys the previous file.

#include "settings/SavedState.h"
#include "FieldWords.h"
#include "Golden.h"
#include "ScrambledSettings.h"
#include "TextFilesTestSupport.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsLists.h"
#include "util/Catalogue.h"

namespace lxty {
namespace {

namespace fs = std::filesystem;
using test::FakeHost;
using test::ReadBytes;
using test::Said;
using test::SetFields;
using test::WriteBytes;
using Lines = std::vector<std::string>;
constexpr MsgAnswer Y = MsgAnswer::Yes, N = MsgAnswer::No;

const fs::path kFixture = fs::path(LXTY_TEST_DATA_DIR) / "savedstate" / "full-empty-lists.usr";

// The lines of a file without their line ends, and back.
Lines SplitLines(const std::string& bytes) {
    return test::ExpectedFile::SplitTranscript(bytes);
}

std::string JoinLines(const Lines& lines, std::size_t count = std::string::npos,
                      const std::string& end = "\n") {
    std::string out;
    for (std::size_t i = 0; i < std::min(count, lines.size()); ++i)
        out += lines[i] + end;
    return out;
}

const Lines& FixtureLines() {
    static const Lines lines = SplitLines(ReadBytes(kFixture));
    return lines;
}

// The fixture with line `n` (1-based) replaced.
std::string FixtureWithLine(int n, const std::string& value) {
    Lines lines = FixtureLines();
    lines.at(static_cast<std::size_t>(n - 1)) = value;
    return JoinLines(lines);
}

// The fixture with the two empty word-file lists (lines 48-51) replaced.
std::string FixtureWithLists(Lines list0, const Lines& list1) {
    Lines lines = FixtureLines();
    list0.insert(list0.end(), list1.begin(), list1.end());
    lines.erase(lines.begin() + 47, lines.begin() + 51);
    lines.insert(lines.begin() + 47, list0.begin(), list0.end());
    return JoinLines(lines);
}

// The record that the fixture file holds, written out field by field.
Settings FixtureRecord() {
    Settings s;
    s.Folder = u"/home/ann/Texts, 2024";
    s.WordsToIgnoreOrCount = {u"the a an", u"big cat, dog"};
    s.File = {u"/home/ann/in.txt", u"/home/ann/out.txt"};
    s.FileFilepathSpecifications = {u"*.txt;*.htm", u"draft"};
    s.UserSpecifiedExtraChars = u"#\u00e9";
    s.FilterWords = u"red fox";
    SetFields(s, u"ShortWordSize=4 LongWordSize=8 ThresholdFrequency=17 IgnoreShortWords=0 "
                 u"IgnoreInfrequentWords=1 IgnoreRepetitions=0 IgnoreExcessivelyFrequentWords=1 "
                 u"ExtractTextFromDocx=1 IgnoreNoLetter=0 CaseSignificant=1 DropFinalS=0 "
                 u"AllowWordsWithHyphens=0 AllowWordsWithApostrophes=1 "
                 u"AllowWordsWithUnderscores=0 AllowWordsWithColons=1 "
                 u"AllowWordsWithBackslashes=0 AllowWordsWithForwardslashes=1 "
                 u"AllowWordsWithParentheses=0 AllowWordsWithPeriods=1 AllowWordsWithCommas=0 "
                 u"AllowWordsWithAtSigns=1 AllowWordsWithNumerals=0 AllowWordsWithAmpersands=1 "
                 u"AllowWordsWithUserSpecifiedExtraChars=1 OutputWithCommas=1 "
                 u"AllowCommentMarkers=1 WarnOnOverwrite=0 SaveStateOnQuit=1 SuppressWords=0 "
                 u"DisableOutputToFile=1 IncludeSubfolders=1 WordOrder=1 DisplayFormat=13 "
                 u"Only7bitASCII=1 Source=InFile SuppressFilenames=1 "
                 u"TerminatePhraseAtEndOfLine=1 TerminatePhraseAtPeriod=0 "
                 u"TerminatePhraseAtDoubleQuote=0 TerminatePhraseAtTab=0 "
                 u"TerminatePhraseAtComma=1 ZeroCellsBlank=1 CountArrayTables=Both "
                 u"PhraseLength0=0 PhraseLength1=24 MinimumFrequency=29 ExcessFrequency=22 "
                 u"PatternMatchingInWordsToIgnoreFile=1 PatternMatchingInCountOnlyWordsFile=0 "
                 u"DisplayRelativeFrequency=1 WriteRelativeFrequency=1 SortByNumberOfFiles=0 "
                 u"CommonWordsLanguages=7 FilterMode=IncludeAllWordsInSameOrder "
                 u"WordsToIgnoreInPhrases=RemoveWordsToIgnore");
    return s;
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
        const bool ok = readResults.empty() || readResults.front();
        if (!readResults.empty())
            readResults.erase(readResults.begin());
        return ok;
    }
    void SetToolTipText(const Settings&) override { log.push_back(u"ToolTips"); }
    void Initialize(Settings& s, RunState& run, Host& host) override {
        log.push_back(u"Initialize");
        RestoreActions::Initialize(s, run, host);
    }

private:
    static std::u16string Digit(int i) { return std::u16string(1, char16_t(u'0' + i)); }
};

class SavedStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    void TearDown() override { fs::permissions(dir.path(), fs::perms::owner_all); }

    // Restores `bytes` written to a file into `s`.
    RestoreOutcome RestoreBytes(const std::string& bytes, Settings& s, bool restoring = true) {
        WriteBytes(p, bytes);
        return RestoreSavedState(p, {}, s, run, host, actions, restoring);
    }
    // Saves `saved`, checks the file has `lines` lines, and restores it into a fresh record.
    Settings RoundTrip(const Settings& saved, std::size_t lines = 79) {
        EXPECT_EQ(SaveState(saved, p, {}), u"");
        EXPECT_EQ(SplitLines(ReadBytes(p)).size(), lines);
        Settings s;
        EXPECT_EQ(RestoreSavedState(p, {}, s, run, host, actions, true).code, kRestoreOk);
        return s;
    }
    std::size_t FilesInDir() const {
        return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    }

    test::TempDir dir{"lxty-savedstate"};
    fs::path p = dir / "state.usr";
    FakeHost host;
    RunState run;
    RecordingActions actions;
};

// The fixture is written byte for byte, and read back whole from files with LF ends (as
// written now), CR LF ends (as earlier builds wrote them) and CR ends.
TEST_F(SavedStateTest, FixtureSavesByteForByteAndRestoresWhole) {
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}), u"");
    EXPECT_EQ(ReadBytes(p), ReadBytes(kFixture));
    EXPECT_EQ(FixtureLines().size(), static_cast<std::size_t>(kSavedStateLinesWithEmptyLists));
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        Settings s;
        const RestoreOutcome r = RestoreBytes(JoinLines(FixtureLines(), std::string::npos, end), s);
        SCOPED_TRACE(testing::PrintToString(end));
        EXPECT_EQ(r.code, kRestoreOk);
        EXPECT_EQ(r.errorText, u"");
        EXPECT_TRUE(s == FixtureRecord());
        EXPECT_EQ(r.folderAsRead, std::optional<std::u16string>(u"/home/ann/Texts, 2024"));
        EXPECT_EQ(r.fileAsRead, std::optional<std::u16string>(u"/home/ann/in.txt"));
        EXPECT_FALSE(r.disableOutputToFileBox);
    }
    EXPECT_TRUE(host.messages.empty());
    // An empty path uses the default path, both ways.
    const fs::path def = dir / "default.usr";
    EXPECT_EQ(SaveState(FixtureRecord(), {}, def), u"");
    EXPECT_EQ(ReadBytes(def), ReadBytes(kFixture));
    Settings t;
    EXPECT_EQ(RestoreSavedState({}, def, t, run, host, actions, true).code, kRestoreOk);
    EXPECT_TRUE(t == FixtureRecord());
}

TEST_F(SavedStateTest, EveryFieldAndEveryEnumerationOptionSurvives) {
    const Settings scrambled = test::ScrambledSettings();
    EXPECT_TRUE(RoundTrip(scrambled, 79 + 4) == scrambled); // each listed path adds one line
    for (const SettingsField& f : SettingsFieldTable()) {
        for (int v = 0; f.kind == FieldKind::Enumeration && v < int(f.options.size()); ++v) {
            Settings saved = FixtureRecord();
            f.setInt(saved, v);
            EXPECT_EQ(f.getInt(RoundTrip(saved)), v) << U16ToUtf8(f.name);
        }
    }
}

TEST_F(SavedStateTest, TextsKeepCommasQuotesAndCharactersAndLoseLineBreaks) {
    Settings saved = FixtureRecord();
    saved.File[0] = u"/data/smith, john/essay.txt";
    saved.Folder = u"C:\\Texts, old";
    saved.FilterWords = u"say \"hi\" there";
    EXPECT_TRUE(RoundTrip(saved) == saved);
    EXPECT_EQ(SplitLines(ReadBytes(p)).at(2), "\"/data/smith, john/essay.txt\"");

    // Characters outside Windows-1252 switch the file to UTF-8 with a mark.
    saved.Folder = u"/home/\u0416\u0435\u043d\u044f/\u6587\u5b57";
    const std::string bytes = FormatSavedState(saved);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(SplitLines(bytes.substr(3)).size(), 79u);
    Settings s;
    EXPECT_EQ(RestoreBytes(bytes, s).code, kRestoreOk);
    EXPECT_TRUE(s == saved);
    EXPECT_NE(FormatSavedState(FixtureRecord()).substr(0, 3), "\xEF\xBB\xBF");

    saved = FixtureRecord();
    saved.WordsToIgnoreOrCount[0] = u"one\r\ntwo\nthree\rfour";
    s = RoundTrip(saved);
    EXPECT_EQ(s.WordsToIgnoreOrCount[0], u"one two three four");
    EXPECT_EQ(s.FilterWords, u"red fox");
}

TEST_F(SavedStateTest, NoFileOrAFolderChangesNothing) {
    for (const fs::path& path : {dir / "missing.usr", dir.path()}) {
        Settings s = test::ScrambledSettings();
        const RestoreOutcome r = RestoreSavedState(path, {}, s, run, host, actions, false);
        EXPECT_EQ(r.code, kRestoreNoFile) << path;
        EXPECT_TRUE(s == test::ScrambledSettings() && !r.folderAsRead.has_value()) << path;
    }
    EXPECT_TRUE(host.messages.empty() && actions.log.empty());
}

// The fields of `s` that differ from `before`, then both word-file lists, one per line.
std::u16string Moved(const Settings& s, const Settings& before) {
    std::u16string out;
    for (const std::u16string& name : FieldNames())
        if (GetFieldByName(s, name) != GetFieldByName(before, name))
            out += u"  " + name + u"=" + *GetFieldByName(s, name) + u"\n";
    for (const int i : {0, 1}) {
        out += u"  list " + Utf8ToU16(std::to_string(i)) + u":";
        for (const auto& path : s.WordsFile[i].paths)
            out += u" " + path;
        out += u" @" + Utf8ToU16(std::to_string(s.WordsFile[i].selected)) + u"\n";
    }
    return out;
}

// What a restore said and asked the windows to do, one line each.
std::u16string Told(const FakeHost& h, const RecordingActions& a) {
    std::u16string out;
    for (const auto& m : Said(h))
        out += u"  " + m + u"\n";
    for (const auto& step : a.log)
        out += u"  step " + step + u"\n";
    return out;
}

// A file cut after some line: the values before stay read, the questions follow, and nothing
// after the error runs. Each record is shown by the fields that moved from what it held before,
// compared with tests/data/savedstate/short.txt.
TEST_F(SavedStateTest, ShortFileKeepsWhatWasReadAndAsksAboutDefaults) {
    std::u16string shown;
    for (const auto& [cut, answer] : std::vector<std::pair<std::size_t, MsgAnswer>>{
             {47, N}, {47, Y}, {58, N}, {59, N}, {78, N}, {0, N}}) {
        Settings before;
        before.WordsFile[0] = {{u"/lists/ignore.txt"}, 0};
        before.WordsFile[1] = {{u"/lists/count.txt", u"/lists/more.txt"}, 1};
        SetFields(before, u"ZeroCellsBlank=1 CountArrayTables=ByFrequency PhraseLength0=4 "
                          u"PhraseLength1=7 FilterWords=old");
        Settings s = before;
        FakeHost h;
        h.answers = {answer};
        RecordingActions a;
        WriteBytes(p, JoinLines(FixtureLines(), cut));
        const RestoreOutcome r = RestoreSavedState(p, {}, s, run, h, a, false);
        shown += u"cut after line " + Utf8ToU16(std::to_string(cut)) +
                 (answer == Y ? u", yes: " : u", no: ") + Utf8ToU16(std::to_string(r.code)) + u"\n";
        shown += Told(h, a) + Moved(s, before);
    }
    test::ExpectSection("savedstate/short.txt", "", U16ToUtf8(shown));
}

TEST_F(SavedStateTest, LineValues) {
    test::ExpectCases("cases/savedstate-lines.txt", "", [&](const std::vector<std::u16string>& in) {
        const std::string where = U16ToUtf8(in.at(0)), value = U16ToUtf8(in.at(1));
        const std::size_t first = std::stoul(where), dash = where.find('-');
        const std::size_t last =
            dash == std::string::npos ? first : std::stoul(where.substr(dash + 1));
        Lines lines = FixtureLines(), values; // a range of lines takes values split at "|"
        for (std::size_t at = 0;;) {
            const std::size_t bar = dash == std::string::npos ? dash : value.find('|', at);
            values.push_back(value.substr(at, bar - at));
            if (bar == std::string::npos)
                break;
            at = bar + 1;
        }
        lines.erase(lines.begin() + first - 1, lines.begin() + last);
        lines.insert(lines.begin() + first - 1, values.begin(), values.end());
        Settings s;
        s.UseLog10 = 0;
        s.WordsFile[0] = {{u"/old.txt"}, 0};
        s.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore;
        const RestoreOutcome r = RestoreBytes(JoinLines(lines), s);
        std::u16string out = Utf8ToU16(std::to_string(r.code));
        if (!r.errorText.empty())
            out += u" " + r.errorText;
        for (const auto& [name, unused] : test::FieldWords(in.at(2).empty() ? u"-" : in.at(2))) {
            if (name == u"*")
                out += s == FixtureRecord() ? u" / fixture record" : u" / another record";
            else if (name == u"List0") {
                out += u" /";
                for (const auto& path : s.WordsFile[0].paths)
                    out += u" " + path;
                out += u" @" + Utf8ToU16(std::to_string(s.WordsFile[0].selected));
            } else if (name != u"-")
                out += u" / " + GetFieldByName(s, name).value_or(u"no such field");
        }
        return out;
    });
    Settings s; // an overlong line stops the read
    const RestoreOutcome r =
        RestoreBytes(FixtureWithLine(2, "\"" + std::string(2 << 20, 'a') + "\""), s);
    EXPECT_EQ(r.code, kRestoreReadError);
    EXPECT_EQ(r.errorText, u"Invalid data");
}

// The selected phrase option is written as -1, the others as 0; a selection outside its word
// file list is saved as none, the first entry as itself.
TEST_F(SavedStateTest, SelectionsAreSavedAsRead) {
    Settings saved = FixtureRecord();
    saved.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::AllowPhrasesAllWordsToIgnore;
    saved.WordsFile[0] = {{u"/a.txt", u"/b.txt"}, 2};
    saved.WordsFile[1] = {{u"/c.txt"}, 0};
    const Settings s = RoundTrip(saved, 82);
    const Lines lines = SplitLines(ReadBytes(p));
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"-1", "0", "0", "0"}));
    EXPECT_EQ(s.WordsToIgnoreInPhrases, saved.WordsToIgnoreInPhrases);
    EXPECT_EQ(s.WordsFile[0], (WordFileList{{u"/a.txt", u"/b.txt"}, -1}));
    EXPECT_EQ(s.WordsFile[1], (WordFileList{{u"/c.txt"}, 0}));
}

TEST_F(SavedStateTest, WindowsApplyTheValuesInOrder) {
    Settings s;
    EXPECT_EQ(RestoreSavedState(kFixture, {}, s, run, host, actions, false).code, kRestoreOk);
    EXPECT_EQ(actions.log,
              (std::vector<std::u16string>{u"ExtraWords0:the a an", u"FilePatterns0:*.txt;*.htm",
                                           u"ExtraWords1:big cat, dog", u"FilePatterns1:draft",
                                           u"FileDetails:/home/ann/in.txt",
                                           u"Folder:/home/ann/Texts, 2024", u"ToolTips"}));
    // An empty output file clears DisableOutputToFile; an empty input file shows no details.
    const RestoreOutcome r = RestoreBytes(FixtureWithLine(8, "\"\""), s);
    EXPECT_EQ(r.code, kRestoreOk);
    EXPECT_EQ(s.DisableOutputToFile, 0);
    EXPECT_TRUE(r.disableOutputToFileBox);
    actions.log.clear();
    RestoreBytes(FixtureWithLine(3, "\"\""), s);
    for (const std::u16string& step : actions.log)
        EXPECT_FALSE(step.starts_with(u"FileDetails"));
}

// Each selected word-list file is offered, none while restoring; No deselects without
// removing, a failed read gives 2 (also with a list index of -1), and no language stays
// selected once the words-to-ignore file is declined. Compared with
// tests/data/savedstate/offers.txt.
TEST_F(SavedStateTest, OffersToLoadEachSelectedWordListFile) {
    Lines lines = SplitLines(FixtureWithLists({"2", "\"/w/a.txt\"", "\"/w/b, c.txt\"", "1"},
                                              {"1", "\"/w/count.txt\"", "0"}));
    lines[73 + 3 - 1] = "2"; // the language line (three path lines further down): Spanish
    Lines noIndex = SplitLines(FixtureWithLists({"1", "\"/w/a.txt\"", "0"}, {"0", "-1"}));
    noIndex[12 - 1] = "-1"; // a list index of -1
    const std::string files[] = {
        JoinLines(lines), JoinLines(noIndex),
        FixtureWithLists({"1", "\"/w/a.txt\"", "0"}, {"1", "\"/w/count.txt\"", "-1"})};
    const struct {
        int file;
        bool restoring;
        std::deque<MsgAnswer> answers;
        std::vector<bool> reads;
    } cases[] = {{0, false, {Y, Y}, {}},
                 {0, false, {N, Y}, {}},
                 {0, false, {Y, N}, {}},
                 {0, false, {Y, Y}, {false, true}},
                 {0, false, {Y, Y}, {true, false}},
                 {0, true, {}, {}},
                 {1, false, {Y}, {false}},
                 {2, false, {Y}, {}}};
    std::u16string shown;
    for (const auto& c : cases) {
        WriteBytes(p, files[c.file]);
        Settings before, s; // the record as read, with nothing offered
        RestoreSavedState(p, {}, before, run, host, actions, true);
        FakeHost h;
        h.answers = c.answers;
        RecordingActions a;
        a.readResults = c.reads;
        const std::int16_t code = RestoreSavedState(p, {}, s, run, h, a, c.restoring).code;
        shown += u"file " + Utf8ToU16(std::to_string(c.file)) +
                 (c.restoring ? u" restoring" : u"") + u", answers";
        for (const MsgAnswer answer : c.answers)
            shown += answer == Y ? u" yes" : u" no";
        shown += u", reads";
        for (const bool read : c.reads)
            shown += read ? u" yes" : u" no";
        shown += u": " + Utf8ToU16(std::to_string(code)) + u"\n" + Told(h, a) + Moved(s, before);
    }
    test::ExpectSection("savedstate/offers.txt", "", U16ToUtf8(shown));
}

// At start-up, results 1 and 3 ask whether to reset; Yes initializes, No keeps what was read
// but saves nothing on quitting. Compared with tests/data/savedstate/startup.txt.
TEST_F(SavedStateTest, StartUpAsksToResetAfterResultsOneAndThree) {
    std::u16string shown;
    for (const std::int16_t code : {kRestoreNoListEntry, kRestoreReadError, kRestoreNoFile,
                                    kRestoreOk, kRestoreWordsFileFailed}) {
        for (const MsgAnswer answer : {Y, N}) {
            RestoreOutcome o;
            o.code = code;
            o.errorText = code == kRestoreReadError ? u"Invalid data" : u"";
            Settings s = FixtureRecord();
            FakeHost h;
            h.answers = {answer};
            RecordingActions a;
            HandleStartUpRestoreResult(o, s, run, h, a);
            Settings kept = FixtureRecord();
            kept.SaveStateOnQuit = s.SaveStateOnQuit;
            shown +=
                Utf8ToU16("result " + std::to_string(code) + (answer == Y ? ", yes: " : ", no: ")) +
                (s == kept && a.log.empty()
                     ? u"kept, save on quit " + std::u16string(1, u'0' + s.SaveStateOnQuit)
                 : a.log == std::vector<std::u16string>{u"Initialize"} && s.Folder.empty() &&
                         s.CaseSignificant == 0
                     ? u"initialized"
                     : u"changed") +
                u"\n";
            for (const auto& m : Said(h))
                shown += u"  " + m + u"\n";
        }
    }
    test::ExpectSection("savedstate/startup.txt", "", U16ToUtf8(shown));
}

// Settings window ---------------------------------------------------------------------------

// The label and messages of the settings window's Load button, compared with
// tests/data/savedstate/load.txt. No word-list file is ever offered.
TEST_F(SavedStateTest, LoadSettingsFromFileLabelsAndMessages) {
    const struct {
        const char* name;
        std::string bytes; // empty: no file
        bool startedUp;
        std::deque<MsgAnswer> answers;
    } cases[] = {
        {"the fixture", ReadBytes(kFixture), true, {}},
        {"no file", "", true, {}},
        // The file's empty lists were read, so Initialize finds no list to clear.
        {"a list index of -1", FixtureWithLine(12, "-1"), true, {}},
        // The read stopped before the lists: Initialize, after start-up, asks about the list
        // still holding a file.
        {"a list index out of range", FixtureWithLine(12, "40"), true, {}},
        // Every question answered Yes, as the command line does: the defaults are set again,
        // the main window's fields stay read.
        {"cut after line 47, answered yes", JoinLines(FixtureLines(), 47), false, {Y}},
    };
    std::u16string shown;
    for (const auto& c : cases) {
        fs::remove(p);
        if (!c.bytes.empty())
            WriteBytes(p, c.bytes);
        Settings s;
        s.WordsFile[0] = {{u"/w/a.txt"}, 0};
        const Settings before = s;
        FakeHost h;
        h.answers = c.answers;
        RecordingActions a;
        RunState r;
        r.blnStartUpCompleted = c.startedUp;
        const LoadSettingsOutcome out = LoadSettingsFromFile(p, s, r, h, a);
        shown += Utf8ToU16(std::string(c.name) + ": " + std::to_string(out.restore.code) + " ") +
                 out.stateLabel + u"\n" + Told(h, a) + Moved(s, before);
    }
    test::ExpectSection("savedstate/load.txt", "", U16ToUtf8(shown));
}

TEST_F(SavedStateTest, ChoosersSaveAndLoadTheChosenFileAndNothingWithoutOne) {
    Settings s = FixtureRecord();
    host.chosenPaths = {std::nullopt, std::nullopt, u"", u""};
    for (int i = 0; i < 2; ++i) { // a cancelled chooser, then an empty choice
        EXPECT_FALSE(ChooseAndLoadSettings(s, run, host, actions, u"").has_value());
        EXPECT_FALSE(ChooseAndSaveSettings(s, host, u"").has_value());
    }
    EXPECT_TRUE(s == FixtureRecord());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(FilesInDir(), 0u);

    const std::u16string path = Utf8ToU16((dir / "mine.lxty").string());
    host.chosenPaths = {path, path};
    std::u16string saved, loaded;
    EXPECT_EQ(ChooseAndSaveSettings(FixtureRecord(), host, u"", &saved),
              std::optional<std::u16string>(u"Settings saved to"));
    EXPECT_EQ(ReadBytes(dir / "mine.lxty"), ReadBytes(kFixture));
    s = Settings{};
    const auto out = ChooseAndLoadSettings(s, run, host, actions, u"", &loaded);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(path, saved);
    EXPECT_EQ(path, loaded);
    EXPECT_EQ(out->stateLabel, u"Settings loaded from");
    EXPECT_TRUE(s == FixtureRecord());
}

TEST_F(SavedStateTest, SaveButtonsReportFailures) {
    EXPECT_EQ(SaveSettingsToFile(dir / "no such folder" / "x.lxty", FixtureRecord(), host),
              u"Error saving to");
    EXPECT_TRUE(SaveSettingsToDefault(FixtureRecord(), dir / "lxty.usr", host, "cmdSaveState"));
    ASSERT_FALSE(GetText(50).empty());
    EXPECT_EQ(host.popUps, std::vector<std::u16string>{GetText(50)});
    EXPECT_EQ(ReadBytes(dir / "lxty.usr"), ReadBytes(kFixture));
    EXPECT_FALSE(
        SaveSettingsToDefault(FixtureRecord(), dir / "missing" / "lxty.usr", host, "cmdSaveState"));
    EXPECT_EQ(Said(host),
              (std::vector<std::u16string>{
                  u"Save settngs: Error when attempting to save state: Path not found (2)",
                  u"Save state: Error when attempting to save state: Path not found (2)"}));
    EXPECT_EQ(host.popUps.size(), 1u);
}

TEST_F(SavedStateTest, DefaultStateFilePathIsInTheMakersFolder) {
    const fs::path config = dir / "config";
    EXPECT_EQ(DefaultStateFilePath(config), config / "Tarnwell Systems" / "lxty.usr");
    EXPECT_TRUE(fs::is_directory(config / "Tarnwell Systems"));
    EXPECT_EQ(DefaultStateFilePath(config), config / "Tarnwell Systems" / "lxty.usr");
}

// Saving never destroys the previous file ---------------------------------------------------

// Writes the first half of the bytes, then fails as a full disk would.
class HalfWayFailingWriter : public StateFileWriter {
public:
    fs::path written;
    std::u16string Write(const fs::path& path, std::string_view bytes) override {
        written = path;
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
        return u"Disk full";
    }
};

TEST_F(SavedStateTest, AFailedWriteLeavesTheOldFileIntact) {
    const std::string old = "old content, byte for byte\r\n\xE9\r\n";
    WriteBytes(p, old);
    HalfWayFailingWriter writer;
    EXPECT_EQ(SaveState(test::ScrambledSettings(), p, {}, writer),
              u"Error when attempting to save state: Disk full");
    EXPECT_EQ(ReadBytes(p), old);
    // The half-written file was beside the target, and is gone.
    EXPECT_EQ(writer.written.parent_path(), dir.path());
    EXPECT_NE(writer.written, p);
    EXPECT_FALSE(fs::exists(writer.written));
    EXPECT_EQ(FilesInDir(), 1u);
    // Through the settings window the same failure shows its message.
    EXPECT_EQ(SaveSettingsToFile(p, test::ScrambledSettings(), host, writer), u"Error saving to");
    EXPECT_EQ(ReadBytes(p), old);
}

TEST_F(SavedStateTest, ProtectedFilesAndFoldersAreNotReplaced) {
    const std::u16string denied = u"Error when attempting to save state: Permission denied";
    WriteBytes(p, "protected\r\n");
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}), denied);
    EXPECT_EQ(ReadBytes(p), "protected\r\n");
#ifndef _WIN32
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
#endif
    const fs::path q = dir / "lxty.usr";
    WriteBytes(q, "old\r\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveState(FixtureRecord(), q, {}), denied);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(q), "old\r\n");
    EXPECT_EQ(FilesInDir(), 2u);
}

TEST_F(SavedStateTest, ReplacingKeepsPermissionsAndLinks) {
    WriteBytes(p, "old\r\n");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(p, mode);
    EXPECT_EQ(SaveState(FixtureRecord(), p, {}), u"");
    EXPECT_EQ(ReadBytes(p), ReadBytes(kFixture));
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all, mode);
#ifndef _WIN32
    const fs::path link = dir / "link.usr";
    fs::create_symlink(p, link);
    EXPECT_EQ(SaveState(test::ScrambledSettings(), link, {}), u"");
    EXPECT_TRUE(fs::is_symlink(link));
    Settings s;
    RestoreSavedState(p, {}, s, run, host, actions, true);
    EXPECT_TRUE(s == test::ScrambledSettings());
#endif
    // Saving into a folder path fails (a missing folder: SaveButtonsReportFailures).
    EXPECT_EQ(SaveState(FixtureRecord(), dir.path(), {}),
              u"Error when attempting to save state: Path/File access error");
}

} // namespace
} // namespace lxty
