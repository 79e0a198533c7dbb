// The word-list file operations of the settings window (adding, choosing, clearing and loading
// files, common-word languages, the first-run offer, the extra-words boxes), driven through a
// stand-in engine that records what is read; then the same operations on the real list reader,
// and the shipped common-word files. Each fixture test writes a transcript (messages with
// their answers, engine calls, and the lists' state at each step) that is compared with its
// section of tests/data/engine/wordlistfiles.txt.

#include "engine/WordListFiles.h"
#include "engine/SpecifiedWords.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "settings/Languages.h"
#include "settings/WordLists.h"
#include "util/Catalogue.h"

#include "Transcript.h"

#include <set>
#include <tuple>

namespace lxty {
namespace {

namespace fs = std::filesystem;
using test::FakeHost;

const fs::path kData = LXTY_DATA_DIR;
const fs::path kLists = fs::path(LXTY_TEST_DATA_DIR) / "wordlists";

std::u16string P(const fs::path& p) {
    return p.u16string();
}
std::string S(const std::u16string& t) {
    return U16ToUtf8(t);
}
const std::vector<std::pair<std::u16string, std::u16string>> kShortPaths = {{P(kLists), u"$LISTS"},
                                                                            {P(kData), u"$DATA"}};
// A path (or any text) on one transcript line, the test folders by short names.
std::string Short(const std::u16string& text) {
    std::string t = test::TranscriptText(text, kShortPaths);
    t.pop_back();
    return t.empty() ? t : t.substr(2);
}

// Each message goes into the transcript as it is shown.
class LoggingHost : public FakeHost {
public:
    std::string* log = nullptr;
    void MessageBox(const std::u16string& text, const std::u16string& title,
                    MsgIcon icon) override {
        FakeHost::MessageBox(text, title, icon);
        *log += test::Shown(*this, kShortPaths);
    }
    MsgAnswer Ask(const std::u16string& text, const std::u16string& title, MsgIcon icon,
                  MsgButtons buttons, MsgAnswer defaultAnswer) override {
        const MsgAnswer a = FakeHost::Ask(text, title, icon, buttons, defaultAnswer);
        *log += test::Shown(*this, kShortPaths);
        return a;
    }
};

// Reads nothing itself: each path gets the number of entries it was given (default 3), or
// fails as scripted. Every call goes into the transcript.
class FakeEngine : public WordListEngine {
public:
    FakeEngine(RunState& run, std::string& log) : m_run(run), m_log(log) {}

    std::map<std::u16string, std::int64_t> entries;
    std::map<std::u16string, WordsReadResult> failures;

    WordsReadResult ReadWords(int index, const std::u16string& path) override {
        Log("read " + std::to_string(index) + " " + Short(path) + "\n");
        if (auto f = failures.find(path); f != failures.end())
            return f->second;
        const auto e = entries.find(path);
        (index == 0 ? m_run.lngNumWordsToIgnore : m_run.lngNumCountOnlyWords) =
            e == entries.end() ? 3 : e->second;
        return {true, false};
    }
    void ListCountOnlyWords() override { Log("listed\n"); }
    void GetExtraWords(Settings& s, int index) override {
        Log("extra " + std::to_string(index) + " \"" + S(s.WordsToIgnoreOrCount[At(index)]) +
            "\"\n");
        (index == 0 ? m_run.intNumExtraWordsToIgnore : m_run.intNumExtraCountOnlyWords) = 2;
    }
    void SetCountWordsCaption(RunState& run) override {
        Log("caption\n");
        WordListEngine::SetCountWordsCaption(run);
    }
    void ClearResultFigure() override { Log("figure cleared\n"); }
    void ClearFileEntries(int index) override { Log("file entries cleared " + N(index)); }
    void ClearExtraEntries(int index) override { Log("extra entries cleared " + N(index)); }
    void ShowWordsToIgnoreReport(const std::u16string& r) override { Log("report " + S(r) + "\n"); }

private:
    static std::size_t At(int i) { return static_cast<std::size_t>(i); }
    static std::string N(int i) { return std::to_string(i) + "\n"; }
    void Log(const std::string& line) { m_log += "> " + line; }
    RunState& m_run;
    std::string& m_log;
};

class WordListFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadProgramTexts(kData / "lxty.dat").Loaded()); }

    void SetUp() override {
        run.blnStartUpCompleted = true;
        s.AllowWordsWithHyphens = 0;
        host.log = &log;
    }
    void TearDown() override {
        test::ExpectSection("engine/wordlistfiles.txt",
                            ::testing::UnitTest::GetInstance()->current_test_info()->name(), log);
    }

    // The state after a step: both lists, the language, what is loaded and in force, focus.
    void Step(const std::string& name) {
        static const char* const focus[] = {"unchanged", "close", "save settings", "hide settings"};
        log += "# " + name + "\n";
        for (int i : {0, 1}) {
            const auto& list = s.WordsFile[static_cast<std::size_t>(i)];
            std::u16string paths;
            for (const auto& p : list.paths)
                paths += (paths.empty() ? u"" : u", ") + p;
            log += (i == 0 ? "ignore [" : "count-only [") + Short(paths) + "] selected " +
                   std::to_string(list.selected) + ", loaded " + Short(files.LoadedPath(i)) +
                   ", box \"" + S(s.WordsToIgnoreOrCount[static_cast<std::size_t>(i)]) + "\"\n";
        }
        log += "language " + std::to_string(s.CommonWordsLanguages) + ", ignore " +
               std::to_string(run.lngNumWordsToIgnore) + "+" +
               std::to_string(run.intNumExtraWordsToIgnore) +
               (run.blnThereAreWordsToIgnore ? " in force" : "") + ", count-only " +
               std::to_string(run.lngNumCountOnlyWords) + "+" +
               std::to_string(run.intNumExtraCountOnlyWords) +
               (run.blnThereAreCountOnlyWords ? " in force" : "") + ", focus " +
               focus[static_cast<int>(files.Focus())] + "\n";
    }

    std::string log;
    Settings s;
    RunState run;
    LoggingHost host;
    FakeEngine engine{run, log};
    WordListFiles files{s, run, host, engine, kData};

    const std::u16string ignore = P(kLists / "ignore.txt");
    const std::u16string countOnly = P(kLists / "countonly.txt");
    const std::u16string french = P(kLists / "elsewhere" / "cwds_fr.txt");
    const std::u16string mine = P(kLists / "elsewhere" / "mine.txt");
    const std::u16string missing = P(kLists / "no such file.txt");
    const std::u16string englishCwds = P(kData / "cwds_en.txt");
    const std::u16string germanCwds = P(kData / "cwds_de.txt");
};

TEST_F(WordListFilesTest, NinetyNineFilesAreAcceptedAndTheHundredthIsRefused) {
    for (int index : {0, 1}) {
        auto& paths = s.WordsFile[static_cast<std::size_t>(index)].paths;
        for (int i = 0; i < 98; ++i)
            paths.push_back(u"/lists/" + Utf8ToU16(std::to_string(i)) + u".txt");
        host.chosenPaths = {index == 0 ? ignore : countOnly, mine};
        host.answers = {MsgAnswer::No};
        EXPECT_TRUE(files.AddWordsFile(index));
        EXPECT_EQ(paths.size(), 99u);
        EXPECT_EQ(s.WordsFile[static_cast<std::size_t>(index)].selected, 98);
        EXPECT_FALSE(files.AddWordsFile(index));
        EXPECT_EQ(paths.size(), 99u);
        EXPECT_EQ(host.chosenPaths.size(), 1u); // no dialog was opened
        s.WordsFile = {};
    }
}

TEST_F(WordListFilesTest, AddingFiles) {
    s.WordsFile[0] = {{u"/Lists/Common.TXT", ignore}, 1};
    EXPECT_FALSE(files.AddWordsFilePath(0, u"/lists/common.txt"));
    Step("a path present in another letter case reads nothing");
    s.WordsFile[0] = {};
    EXPECT_FALSE(files.AddWordsFile(0));
    Step("a cancelled dialog adds nothing");
    s.WordsToIgnoreOrCount[1] = u"dog";
    host.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::No};
    host.chosenPaths = {ignore, countOnly}; // the question comes before the dialog
    EXPECT_FALSE(files.AddWordsFile(0));
    Step("words to ignore while count-only words are in force: answered no");
    EXPECT_TRUE(files.AddWordsFile(0));
    Step("answered yes");
    EXPECT_TRUE(files.AddWordsFile(1));
    Step("a count-only file does not ask");
}

TEST_F(WordListFilesTest, ReadFailures) {
    s.WordsFile[0] = {{mine}, 0};
    engine.failures[ignore] = {false, false};
    s.WordsToIgnoreOrCount[0] = u"the a";
    run.intNumExtraWordsToIgnore = 2;
    run.lngNumWordsToIgnore = 7;
    EXPECT_FALSE(files.AddWordsFilePath(0, ignore));
    Step("an added file that fails to load is removed again");
    for (const auto& [index, result] : {std::pair{1, WordsReadResult{false, true}},
                                        {1, {false, false}},
                                        {0, {false, false}},
                                        {0, {false, false, true}}}) {
        engine.failures[countOnly] = result;
        s.WordsFile[static_cast<std::size_t>(index)] = {{countOnly}, 0};
        s.WordsToIgnoreOrCount = {u"x", u"y"};
        EXPECT_FALSE(files.AttemptToReadWords(index));
        Step("list " + std::to_string(index) +
             (result.wildcards       ? " wildcards"
              : result.angleBrackets ? " angle brackets"
                                     : " failed"));
    }
    engine.failures[ignore] = {false, false};
    run.blnStop = true;
    s.WordsFile[0] = {{ignore}, 0};
    s.WordsToIgnoreOrCount[0] = u"the";
    EXPECT_FALSE(files.AttemptToReadWords(0));
    Step("a stopped read shows no message and keeps the box");
}

TEST_F(WordListFilesTest, LoadedFilesAreReported) {
    for (const auto& [n, answer] :
         {std::pair{std::int64_t{1}, MsgAnswer::Yes}, {1234, MsgAnswer::No}, {0, MsgAnswer::Yes}}) {
        engine.entries[countOnly] = n;
        run.blnThereAreCountOnlyWords = false;
        s.WordsFile[1] = {{countOnly}, 0};
        host.answers = {answer};
        EXPECT_TRUE(files.AttemptToReadWords(1));
        Step("count-only, " + std::to_string(n));
    }
    for (const auto& [path, n] : {std::pair{french, 1}, {mine, 2500}, {germanCwds, 0}}) {
        engine.entries[path] = n;
        s.WordsFile[0] = {{path}, 0};
        EXPECT_TRUE(files.AttemptToReadWords(0));
        EXPECT_FALSE(files.blnChangingLanguage);
        Step("words to ignore, " + std::to_string(n));
    }
}

TEST_F(WordListFilesTest, MissingFiles) {
    EXPECT_FALSE(files.AttemptToReadWords(0));
    Step("nothing selected: nothing to say");
    for (int index : {0, 1}) {
        s.WordsFile[static_cast<std::size_t>(index)] = {{mine, missing}, 1};
        EXPECT_FALSE(files.AttemptToReadWords(index));
        Step("missing, list " + std::to_string(index));
    }
    run.blnStartUpCompleted = false;
    s.WordsFile = {};
    s.WordsFile[0] = {{missing}, 0};
    EXPECT_FALSE(files.AttemptToReadWords(0));
    Step("at start-up a missing words-to-ignore file selects the English file unread");
    s.WordsFile[1] = {{missing}, 0};
    EXPECT_FALSE(files.AttemptToReadWords(1));
    Step("a missing count-only file is just dropped from force");
    WordListFiles noData(s, run, host, engine, kLists / "nowhere");
    s.WordsFile[0] = {{P(kLists / "nowhere" / "cwds_en.txt")}, 0};
    EXPECT_FALSE(noData.AttemptToReadWords(0));
    Step("a missing English file is not added a second time");
}

TEST_F(WordListFilesTest, Languages) {
    s.WordsFile[0] = {{englishCwds}, 0};
    s.CommonWordsLanguages = 0;
    host.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No};
    EXPECT_TRUE(files.LanguageChosen(1));
    Step("German chosen and loaded");
    EXPECT_TRUE(files.LanguageChosen(6));
    Step("all six languages");
    s.WordsFile[0] = {{englishCwds, germanCwds}, 0};
    s.CommonWordsLanguages = 0;
    EXPECT_FALSE(files.LanguageChosen(1));
    Step("German already present: back to English");
    s.WordsFile[0] = {{french}, 0};
    EXPECT_FALSE(files.LanguageChosen(3));
    Step("answered no: back to the French file in another folder");
    EXPECT_FALSE(files.LanguageChosen(5));
    Step("the language of the selected file: nothing asked, nothing read");
    WordListFiles noData(s, run, host, engine, kLists / "nowhere");
    host.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(noData.LanguageChosen(2));
    Step("the Spanish file is missing from the program folder");
    s.WordsFile[0] = {{englishCwds}, 0};
    run.lngNumWordsToIgnore = 300;
    run.blnThereAreWordsToIgnore = true;
    EXPECT_FALSE(files.LanguageChosen(7));
    Step("no language leaves no words-to-ignore file in force");
    s.WordsFile[0] = {{englishCwds}, 0};
    EXPECT_TRUE(files.UseLanguage(0));
    Step("command line: English selected but never read is read now");
    host.answers = {MsgAnswer::Yes, MsgAnswer::No};
    EXPECT_TRUE(files.UseLanguage(4));
    EXPECT_FALSE(files.UseLanguage(5));
    Step("command line: Italian, then French refused");
    EXPECT_TRUE(files.UseLanguage(7));
    Step("command line: no language");
}

TEST_F(WordListFilesTest, HandlersAreInertBeforeStartUpAndUnderTheirGuards) {
    s.WordsFile[0] = {{englishCwds}, 0};
    for (bool WordListFiles::*guard :
         {static_cast<bool WordListFiles::*>(nullptr), &WordListFiles::blnChangingLanguage,
          &WordListFiles::blnEnablingDisablingWordsFile, &WordListFiles::blnReselectingWordsFile}) {
        run.blnStartUpCompleted = guard != nullptr;
        if (guard)
            files.*guard = true;
        if (guard != &WordListFiles::blnReselectingWordsFile) {
            EXPECT_FALSE(files.LanguageChosen(1));
        }
        files.WordsFileChosen(0, LoadRemoveChoice::Remove);
        if (guard)
            files.*guard = false;
    }
    Step("nothing changed");
}

TEST_F(WordListFilesTest, LoadRemoveOrCancelAChosenEntry) {
    s.WordsFile[0] = {{englishCwds, french, mine}, 0};
    ASSERT_TRUE(files.AttemptToReadWords(0));
    s.WordsFile[0].selected = 2;
    files.WordsFileChosen(0, LoadRemoveChoice::Cancel);
    Step("cancel puts back the entry of the loaded file");
    s.WordsFile[0].selected = 1;
    files.WordsFileChosen(0, LoadRemoveChoice::Load);
    Step("load reads the chosen entry and the language follows it");
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    Step("remove takes the entry out and nothing is in force");
    s.WordsFile[0].selected = 1;
    files.WordsFileChosen(0, LoadRemoveChoice::Cancel);
    EXPECT_FALSE(files.blnReselectingWordsFile);
    Step("cancel with nothing loaded selects nothing");
}

TEST_F(WordListFilesTest, ClearingAList) {
    files.ClearWordsFiles(1);
    Step("empty list: no question");
    s.WordsFile[0] = {{englishCwds, mine}, 0};
    s.CommonWordsLanguages = 0;
    run.lngNumWordsToIgnore = 250;
    s.WordsFile[1] = {{countOnly}, 0};
    run.lngNumCountOnlyWords = 4;
    host.answers = {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Yes};
    for (int index : {0, 0, 1}) {
        files.ClearWordsFiles(index);
        Step("cleared " + std::to_string(index));
    }
}

TEST_F(WordListFilesTest, FirstRunOffersTheEnglishCommonWords) {
    host.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(files.FirstRun());
    Step("declined");
    run.blnStartUpCompleted = false; // the offer comes during start-up
    EXPECT_TRUE(files.FirstRun());
    Step("accepted");
    EXPECT_FALSE(files.FirstRun());
    Step("a list that holds a file is not asked about");
}

TEST_F(WordListFilesTest, ExtraWordsBoxes) {
    for (const auto& [box, caseSignificant, text] :
         std::vector<std::tuple<int, int, std::u16string>>{{0, 0, u"  The  A "},
                                                           {0, 1, u" The A"},
                                                           {1, 0, u"New York, <[A-Z]+ing>"},
                                                           {1, 0, u"   "},
                                                           {0, 0, u""}}) {
        s.CaseSignificant = caseSignificant;
        s.WordsToIgnoreOrCount[static_cast<std::size_t>(box)] = text;
        run.intNumExtraWordsToIgnore = run.intNumExtraCountOnlyWords = 5;
        files.ExtraWordsLostFocus(box);
        Step("box " + std::to_string(box) + " \"" + S(text) + "\"");
    }
    s.WordsToIgnoreOrCount[0] = u"the, a";
    files.ExtraWordsLostFocus(0, true);
    run.blnStartUpCompleted = false;
    files.ExtraWordsLostFocus(0);
    Step("not checked while restoring or starting up");
    run.blnStartUpCompleted = true;
    files.ExtraWordsLostFocus(0);
    Step("checked after start-up");
    files.ClearExtraWords(0);
    Step("clear empties the box and its entries go out of force");
}

TEST_F(WordListFilesTest, CommandLineUseOfAFile) {
    s.WordsFile[0] = {{mine, french}, 0};
    EXPECT_TRUE(files.UseWordsFile(0, P(kLists / "elsewhere" / "CWDS_FR.TXT")));
    Step("a path in the list in another letter case is selected and read");
    EXPECT_TRUE(files.UseWordsFile(0, french));
    Step("the file in force is not read again");
    EXPECT_TRUE(files.UseWordsFile(0, ignore));
    Step("a new path is added and read");
}

// --- The real list reader ------------------------------------------------------------

class RealReaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadProgramTexts(kData / "lxty.dat").Loaded()); }
    void SetUp() override { run.blnStartUpCompleted = true; }

    Settings s;
    RunState run;
    FakeHost host;
    WordTable table;
    HostTextWindow textWindow{host};
    WordsToIgnore wordsToIgnore;
    SpecifiedWords sw{s, run, host, table, textWindow, wordsToIgnore};
    SpecifiedWordsListEngine engine{sw, wordsToIgnore, textWindow};
    WordListFiles files{s, run, host, engine, kData};
};

TEST_F(RealReaderTest, WordsToIgnoreFileLoadsAndGoesOutOfForce) {
    ASSERT_TRUE(files.AddWordsFilePath(0, P(kLists / "ignore.txt")));
    EXPECT_EQ(run.lngNumWordsToIgnore, 4); // the a of and; comments add nothing
    EXPECT_EQ(wordsToIgnore.FileEntries(),
              (std::vector<std::u16string>{u"a", u"and", u"of", u"the"}));
    EXPECT_EQ(host.textWindow, u"4 words-to-ignore loaded");
    EXPECT_EQ(s.CommonWordsLanguages, 7);
    s.WordsToIgnoreOrCount[0] = u"dog";
    files.ExtraWordsLostFocus(0);
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"the", s) && wordsToIgnore.IsIgnored(u"dog", s));
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    EXPECT_FALSE(wordsToIgnore.IsIgnored(u"the", s));
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"dog", s) && run.blnThereAreWordsToIgnore);
    files.ClearExtraWords(0);
    EXPECT_FALSE(wordsToIgnore.IsIgnored(u"dog", s) || run.blnThereAreWordsToIgnore);
    // A common-word language, then "[No language selected]".
    host.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(files.LanguageChosen(1));
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"und", s));
    files.LanguageChosen(7);
    EXPECT_FALSE(wordsToIgnore.IsIgnored(u"und", s));
}

TEST_F(RealReaderTest, RefusedFilesShowTheirMessageAndLeaveTheList) {
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(files.AddWordsFilePath(1, P(kLists / "wildcards.txt")));
    EXPECT_FALSE(files.AddWordsFilePath(0, P(kLists / "angle.txt")));
    test::ExpectSection("engine/wordlistfiles.txt", "RefusedFiles",
                        test::Shown(host, kShortPaths) + "text window: " + S(host.textWindow) +
                            "\n");
    EXPECT_TRUE(s.WordsFile[0].paths.empty() && s.WordsFile[1].paths.empty());
}

TEST_F(RealReaderTest, CountOnlyFileLoadsAndIsListed) {
    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.AddWordsFilePath(1, P(kLists / "countonly.txt")));
    EXPECT_EQ(run.lngNumCountOnlyWords, 3);
    EXPECT_TRUE(run.blnThereAreCountOnlyWords);
    EXPECT_NE(host.textWindow.find(u"new york"), std::u16string::npos);
}

// --- The shipped common-word files -----------------------------------------------------

// The words of a list file as its reader sees them: comments after "//" dropped, lines
// trimmed, empty lines skipped.
std::vector<std::u16string> WordsOfFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::u16string> out;
    for (std::string line; std::getline(in, line);) {
        line.erase(std::min(line.find("//"), line.size()));
        line.erase(line.find_last_not_of(" \r") + 1);
        line.erase(0, line.find_first_not_of(' '));
        if (!line.empty())
            out.push_back(Utf8ToU16(line));
    }
    return out;
}

TEST(CommonWordFilesTest, DistinctLowerCaseUtf8WordsAndTheirUnion) {
    std::set<std::u16string> all;
    for (const auto& name : CommonWordsLanguages()) {
        const std::u16string file(name.fileName);
        if (file.empty() || file == u"cwds_en_de_es_pt_it_fr.txt")
            continue;
        const auto words = WordsOfFile(kData / file);
        EXPECT_GE(words.size(), 150u) << S(file);
        std::set<std::u16string> seen;
        for (const auto& w : words) {
            EXPECT_EQ(LowerCaseAll(w), w);
            EXPECT_EQ(w.find_first_of(u" \t<>~?*+;\"^,\uFFFD"), std::u16string::npos) << S(w);
            EXPECT_TRUE(seen.insert(w).second) << "duplicate " << S(w);
            all.insert(w);
        }
    }
    for (const auto w : {u"über", u"außer", u"où", u"être"})
        EXPECT_EQ(all.count(w), 1u) << S(w);
    EXPECT_EQ(WordsOfFile(kData / "cwds_en_de_es_pt_it_fr.txt"),
              std::vector<std::u16string>(all.begin(), all.end()));
}

TEST(CommonWordFilesTest, EnglishHoldsThePluralReducedFormsOfItsWords) {
    // English counting reduces plurals before a word is looked up, so "was" arrives as "wa".
    const auto words = WordsOfFile(kData / "cwds_en.txt");
    const std::set<std::u16string> list(words.begin(), words.end());
    for (const auto& w : words) // a reduced form ending in "'" cannot be listed
        EXPECT_TRUE(w.find(u'\'') != std::u16string::npos || list.count(MakeSingular(w, false)))
            << S(w);
}

TEST_F(RealReaderTest, EachCommonWordFileLoadsCompletely) {
    for (const auto& row : CommonWordsLanguages()) {
        if (row.fileName.empty())
            continue;
        const fs::path file = kData / std::u16string(row.fileName);
        s.WordsFile[0] = {{P(file)}, 0};
        ASSERT_TRUE(files.AttemptToReadWords(0)) << file;
        EXPECT_EQ(test::Shown(host), "") << file;
        // Every word is read as one entry: none split, none lost; a final apostrophe goes.
        std::vector<std::u16string> expected = WordsOfFile(file);
        for (auto& w : expected)
            w.erase(w.find_last_not_of(u'\'') + 1);
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        EXPECT_EQ(wordsToIgnore.FileEntries(), expected) << file;
        EXPECT_EQ(run.lngNumWordsToIgnore, static_cast<std::int64_t>(expected.size()));
        EXPECT_EQ(s.CommonWordsLanguages, LanguageIndexOfFile(row.fileName));
    }
}

} // namespace
} // namespace lxty
