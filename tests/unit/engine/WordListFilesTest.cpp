// The word-list file operations of the settings window (adding, choosing, clearing and loading
// files, common-word languages, the first-run offer, the extra-words boxes), driven through a
// stand-in engine that records what is read; then the same operations on the real list reader,
// and the shipped common-word files.

#include "engine/WordListFiles.h"
#include "engine/SpecifiedWords.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "settings/Languages.h"
#include "settings/WordLists.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

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

// Reads nothing itself: each path gets the number of entries it was given (default 3), or
// fails as scripted.
class FakeEngine : public WordListEngine {
public:
    explicit FakeEngine(RunState& run) : m_run(run) {}

    std::map<std::u16string, std::int64_t> entries;
    std::map<std::u16string, WordsReadResult> failures;
    std::vector<std::pair<int, std::u16string>> reads;
    std::vector<std::pair<int, std::u16string>> extraParsed; // box, text as handed over
    int listed = 0;
    int captions = 0;
    int figuresCleared = 0;
    std::vector<std::u16string> reports;

    WordsReadResult ReadWords(int index, const std::u16string& path) override {
        reads.emplace_back(index, path);
        if (auto f = failures.find(path); f != failures.end())
            return f->second;
        const auto e = entries.find(path);
        const std::int64_t n = e == entries.end() ? 3 : e->second;
        (index == 0 ? m_run.lngNumWordsToIgnore : m_run.lngNumCountOnlyWords) = n;
        return {true, false};
    }
    void ListCountOnlyWords() override { ++listed; }
    void GetExtraWords(Settings& s, int index) override {
        extraParsed.emplace_back(index, s.WordsToIgnoreOrCount[static_cast<std::size_t>(index)]);
        (index == 0 ? m_run.intNumExtraWordsToIgnore : m_run.intNumExtraCountOnlyWords) = 2;
    }
    void SetCountWordsCaption(RunState& run) override {
        ++captions;
        WordListEngine::SetCountWordsCaption(run);
    }
    void ClearResultFigure() override { ++figuresCleared; }
    void ClearFileEntries(int index) override { fileCleared.push_back(index); }
    void ClearExtraEntries(int index) override { extraCleared.push_back(index); }
    std::vector<int> fileCleared;
    std::vector<int> extraCleared;
    void ShowWordsToIgnoreReport(const std::u16string& report) override {
        reports.push_back(report);
    }

private:
    RunState& m_run;
};

class WordListFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadProgramTexts(kData / "lxty.dat").Loaded()); }

    void SetUp() override {
        run.blnStartUpCompleted = true;
        s.AllowWordsWithHyphens = 0;
    }

    Settings s;
    RunState run;
    FakeHost host;
    FakeEngine engine{run};
    WordListFiles files{s, run, host, engine, kData};

    const std::u16string ignore = P(kLists / "ignore.txt");
    const std::u16string countOnly = P(kLists / "countonly.txt");
    const std::u16string french = P(kLists / "elsewhere" / "cwds_fr.txt");
    const std::u16string mine = P(kLists / "elsewhere" / "mine.txt");
    const std::u16string missing = P(kLists / "no such file.txt");
    const std::u16string englishCwds = P(kData / "cwds_en.txt");
    const std::u16string germanCwds = P(kData / "cwds_de.txt");
};

std::vector<std::u16string> ManyPaths(int n) {
    std::vector<std::u16string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(u"/lists/" + Utf8ToU16(std::to_string(i)) + u".txt");
    return out;
}

TEST_F(WordListFilesTest, NinetyNineFilesAreAcceptedAndTheHundredthIsRefused) {
    for (int index : {0, 1}) {
        s.WordsFile[static_cast<std::size_t>(index)].paths = ManyPaths(98);
        host.chosenPaths.push_back(index == 0 ? ignore : countOnly);
        EXPECT_TRUE(files.AddWordsFile(index));
        EXPECT_EQ(99u, s.WordsFile[static_cast<std::size_t>(index)].paths.size());
        EXPECT_EQ(98, s.WordsFile[static_cast<std::size_t>(index)].selected);

        host.messages.clear();
        host.chosenPaths.push_back(mine);
        EXPECT_FALSE(files.AddWordsFile(index));
        EXPECT_EQ(99u, s.WordsFile[static_cast<std::size_t>(index)].paths.size());
        EXPECT_EQ(1u, host.chosenPaths.size()); // no dialog was opened
        host.chosenPaths.clear();
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(u"No more files may be added to this list.", host.messages[0].text);
        EXPECT_EQ(index == 0 ? u"Words-to-ignore files (99)"
                             : u"Count-only words/phrases files (99)",
                  host.messages[0].title);
        s.WordsFile[1] = {}; // no count-only file in force for the next round's question
        host.answers.clear();
    }
}

TEST_F(WordListFilesTest, AddingAPathAlreadyPresentInAnotherLetterCaseReadsNothing) {
    s.WordsFile[0].paths = {u"/Lists/Common.TXT", ignore};
    s.WordsFile[0].selected = 1;
    EXPECT_FALSE(files.AddWordsFilePath(0, u"/lists/common.txt"));
    EXPECT_TRUE(engine.reads.empty());
    EXPECT_EQ(2u, s.WordsFile[0].paths.size());
    EXPECT_EQ(1, s.WordsFile[0].selected);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Already present", host.messages[0].title);
}

TEST_F(WordListFilesTest, AddingAWordsToIgnoreFileWhileCountOnlyWordsAreInForceAsksFirst) {
    s.WordsToIgnoreOrCount[1] = u"dog";
    host.answers = {MsgAnswer::No};
    host.chosenPaths.push_back(ignore);
    EXPECT_FALSE(files.AddWordsFile(0));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Since there are count-only words (that is,\r\n"
              u"only specified words are to be counted),\r\n"
              u"specifying words to be ignored will have no effect.\r\n"
              u"Do you still wish to specify words to be ignored?",
              host.messages[0].text);
    EXPECT_EQ(u"Proceed?", host.messages[0].title);
    EXPECT_TRUE(s.WordsFile[0].paths.empty());

    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.AddWordsFile(0));
    EXPECT_EQ(std::vector<std::u16string>{ignore}, s.WordsFile[0].paths);

    // A count-only file does not ask.
    host.messages.clear();
    host.chosenPaths.push_back(countOnly);
    host.answers = {MsgAnswer::No}; // answers the "loaded" question
    EXPECT_TRUE(files.AddWordsFile(1));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Count-only words/phrases loaded", host.messages[0].title);
}

TEST_F(WordListFilesTest, ACancelledDialogAddsNothing) {
    EXPECT_FALSE(files.AddWordsFile(0));
    EXPECT_TRUE(s.WordsFile[0].paths.empty());
    EXPECT_TRUE(engine.reads.empty());
    EXPECT_EQ(WordListFocus::CloseButton, files.Focus());
}

TEST_F(WordListFilesTest, AnAddedFileThatFailsToLoadIsRemovedAgain) {
    s.WordsFile[0].paths = {mine};
    s.WordsFile[0].selected = 0;
    engine.failures[ignore] = {false, false};
    s.WordsToIgnoreOrCount[0] = u"the a";
    run.intNumExtraWordsToIgnore = 2;
    run.lngNumWordsToIgnore = 7;
    EXPECT_FALSE(files.AddWordsFilePath(0, ignore));
    EXPECT_EQ(std::vector<std::u16string>{mine}, s.WordsFile[0].paths);
    EXPECT_EQ(-1, s.WordsFile[0].selected);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Error when attempting to load words-to-ignore\r\nfrom file " + ignore,
              host.messages[0].text);
    EXPECT_EQ(u"Error when reading words to ignore", host.messages[0].title);
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
    EXPECT_EQ(u"", s.WordsToIgnoreOrCount[0]);
    EXPECT_EQ(0, run.intNumExtraWordsToIgnore);
    EXPECT_EQ(0, run.lngNumWordsToIgnore);
    EXPECT_FALSE(run.blnThereAreWordsToIgnore);
    EXPECT_EQ(u"", files.LoadedPath(0));
    EXPECT_EQ(std::vector<int>{0}, engine.fileCleared);
    EXPECT_EQ(std::vector<int>{0}, engine.extraCleared);
    EXPECT_EQ(1, engine.captions);
}

TEST_F(WordListFilesTest, ReadFailureMessages) {
    struct Case {
        int index;
        WordsReadResult result;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {1,
         {false, true},
         u"The file " + countOnly +
             u"\r\n contains words with wildcards: * ?\r\n\r\n"
             u"Either these should be removed or regular expressions\r\n"
             u"should be used instead of simple patterns."},
        {1,
         {false, false},
         u"Error when attempting to load count-only words\r\nfrom file " + countOnly},
        {0,
         {false, false},
         u"Error when attempting to load words-to-ignore\r\nfrom file " + countOnly},
        {0,
         {false, false, true},
         u"The file " + countOnly +
             u"\r\n contains angle brackets: < >\r\n\r\n"
             u"Patterns in angle brackets may be used only in count-only files."},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        engine.failures[countOnly] = c.result;
        s.WordsFile[static_cast<std::size_t>(c.index)] = {{countOnly}, 0};
        s.WordsToIgnoreOrCount = {u"x", u"y"};
        EXPECT_FALSE(files.AttemptToReadWords(c.index));
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(c.expected, host.messages[0].text);
        EXPECT_EQ(c.index == 0 ? u"Error when reading words to ignore"
                               : u"Error when reading count-only words/phrases",
                  host.messages[0].title);
        // Only the failed kind's box is emptied.
        EXPECT_EQ(c.index == 0 ? u"" : u"x", s.WordsToIgnoreOrCount[0]);
        EXPECT_EQ(c.index == 1 ? u"" : u"y", s.WordsToIgnoreOrCount[1]);
        EXPECT_EQ(-1, s.WordsFile[static_cast<std::size_t>(c.index)].selected);
    }
}

TEST_F(WordListFilesTest, AStoppedReadShowsNoMessageAndKeepsTheBox) {
    engine.failures[ignore] = {false, false};
    run.blnStop = true;
    s.WordsFile[0] = {{ignore}, 0};
    s.WordsToIgnoreOrCount[0] = u"the";
    EXPECT_FALSE(files.AttemptToReadWords(0));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(u"the", s.WordsToIgnoreOrCount[0]);
    EXPECT_EQ(-1, s.WordsFile[0].selected);
}

TEST_F(WordListFilesTest, LoadedCountOnlyFileIsReportedAndListedOnYes) {
    struct Case {
        std::int64_t n;
        MsgAnswer answer;
        std::u16string expected;
        int listed;
    };
    const std::vector<Case> cases = {
        {1, MsgAnswer::Yes,
         u"One count-only word/phrase loaded from " + countOnly +
             u"\r\n\r\nDo you wish to display it?",
         1},
        {1234, MsgAnswer::No,
         u"1,234 count-only-words/phrases loaded from " + countOnly +
             u"\r\n\r\nDo you wish to list them?",
         0},
        {0, MsgAnswer::Yes,
         u"0 count-only-words/phrases loaded from " + countOnly +
             u"\r\n\r\nDo you wish to list them?",
         1},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        engine.listed = 0;
        engine.entries[countOnly] = c.n;
        run.blnThereAreCountOnlyWords = false;
        s.WordsFile[1] = {{countOnly}, 0};
        host.answers = {c.answer};
        EXPECT_TRUE(files.AttemptToReadWords(1));
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(c.expected, host.messages[0].text);
        EXPECT_EQ(c.listed, engine.listed);
        EXPECT_TRUE(run.blnThereAreCountOnlyWords);
        EXPECT_EQ(countOnly, files.LoadedPath(1));
    }
}

TEST_F(WordListFilesTest, LoadedWordsToIgnoreFileReportsAndSetsTheLanguage) {
    struct Case {
        std::u16string path;
        std::int64_t n;
        std::u16string report;
        int language;
    };
    const std::vector<Case> cases = {
        {french, 1, u"One word-to-ignore loaded", 5},
        {mine, 2500, u"2,500 words-to-ignore loaded", 7},
        {germanCwds, 0, u"0 words-to-ignore loaded", 1},
    };
    for (const auto& c : cases) {
        engine.reports.clear();
        engine.entries[c.path] = c.n;
        s.WordsFile[0] = {{c.path}, 0};
        EXPECT_TRUE(files.AttemptToReadWords(0));
        EXPECT_EQ(std::vector<std::u16string>{c.report}, engine.reports);
        EXPECT_EQ(c.language, s.CommonWordsLanguages);
        EXPECT_EQ(c.n >= 1, run.blnThereAreWordsToIgnore);
        EXPECT_FALSE(files.blnChangingLanguage);
    }
    EXPECT_EQ(3, engine.figuresCleared);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WordListFilesTest, MissingFiles) {
    // Nothing selected: nothing to say.
    EXPECT_FALSE(files.AttemptToReadWords(0));
    EXPECT_TRUE(host.messages.empty());

    for (int index : {0, 1}) {
        host.messages.clear();
        s.WordsFile[static_cast<std::size_t>(index)] = {{mine, missing}, 1};
        EXPECT_FALSE(files.AttemptToReadWords(index));
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(index == 0 ? u"File for words-to-ignore not found."
                             : u"File for count-only words not found.",
                  host.messages[0].text);
        EXPECT_EQ(u"File not found", host.messages[0].title);
        EXPECT_EQ(MsgIcon::Exclamation, host.messages[0].icon);
        EXPECT_EQ(-1, s.WordsFile[static_cast<std::size_t>(index)].selected);
        EXPECT_EQ(WordListFocus::CloseButton, files.Focus());
    }
    EXPECT_TRUE(engine.reads.empty());
}

TEST_F(WordListFilesTest, MissingWordsToIgnoreFileAtStartUpSelectsTheEnglishFileUnread) {
    run.blnStartUpCompleted = false;
    host.messages.clear();
    s.WordsFile[0] = {{missing}, 0};
    EXPECT_FALSE(files.AttemptToReadWords(0));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ((std::vector<std::u16string>{missing, englishCwds}), s.WordsFile[0].paths);
    EXPECT_EQ(1, s.WordsFile[0].selected);
    EXPECT_TRUE(engine.reads.empty());

    // A missing count-only file is just dropped from force.
    s.WordsFile[1] = {{missing}, 0};
    EXPECT_FALSE(files.AttemptToReadWords(1));
    EXPECT_EQ(-1, s.WordsFile[1].selected);
    EXPECT_EQ(1u, s.WordsFile[1].paths.size());

    // A missing English file is not added a second time.
    WordListFiles noData(s, run, host, engine, kLists / "nowhere");
    const std::u16string absentEnglish = P(kLists / "nowhere" / "cwds_en.txt");
    s.WordsFile[0] = {{absentEnglish}, 0};
    EXPECT_FALSE(noData.AttemptToReadWords(0));
    EXPECT_EQ(std::vector<std::u16string>{absentEnglish}, s.WordsFile[0].paths);
    EXPECT_EQ(-1, s.WordsFile[0].selected);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WordListFilesTest, ChoosingALanguageLoadsItsFile) {
    s.WordsFile[0] = {{englishCwds}, 0};
    s.CommonWordsLanguages = 0;
    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.LanguageChosen(1));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Load common words file for German?", host.messages[0].text);
    EXPECT_EQ(u"Load common words file", host.messages[0].title);
    EXPECT_EQ((std::vector<std::u16string>{englishCwds, germanCwds}), s.WordsFile[0].paths);
    EXPECT_EQ(1, s.WordsFile[0].selected);
    EXPECT_EQ(1, s.CommonWordsLanguages);
    EXPECT_EQ(germanCwds, files.LoadedPath(0));
    EXPECT_TRUE(run.blnThereAreWordsToIgnore);
    EXPECT_EQ(WordListFocus::SaveSettings, files.Focus());

    host.messages.clear();
    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.LanguageChosen(6));
    EXPECT_EQ(u"Load common words file for all six languages?", host.messages[0].text);
    EXPECT_EQ(6, s.CommonWordsLanguages);
}

TEST_F(WordListFilesTest, LanguageListSnapsBack) {
    // German is already in the list, English is selected: "Already present", back to English.
    s.WordsFile[0] = {{englishCwds, germanCwds}, 0};
    s.CommonWordsLanguages = 0;
    host.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(files.LanguageChosen(1));
    ASSERT_EQ(2u, host.messages.size());
    EXPECT_EQ(u"Already present", host.messages[1].title);
    EXPECT_EQ(0, s.CommonWordsLanguages);
    EXPECT_EQ(0, s.WordsFile[0].selected);
    EXPECT_TRUE(engine.reads.empty());

    // Answered No: back to the selected file's language, here French in some other folder.
    host.messages.clear();
    s.WordsFile[0] = {{french}, 0};
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(files.LanguageChosen(3));
    EXPECT_EQ(5, s.CommonWordsLanguages);
    EXPECT_EQ(1u, host.messages.size());

    // The language of the selected file: nothing asked, nothing read.
    host.messages.clear();
    EXPECT_FALSE(files.LanguageChosen(5));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(WordListFocus::SaveSettings, files.Focus());
    EXPECT_TRUE(engine.reads.empty());
}

TEST_F(WordListFilesTest, LanguageFileMissingFromTheProgramFolder) {
    WordListFiles noData(s, run, host, engine, kLists / "nowhere");
    s.WordsFile[0] = {{french}, 0};
    s.CommonWordsLanguages = 5;
    host.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(noData.LanguageChosen(2));
    ASSERT_EQ(2u, host.messages.size());
    EXPECT_EQ(P(kLists / "nowhere" / "cwds_es.txt") + u" not found.", host.messages[1].text);
    EXPECT_EQ(u"Error", host.messages[1].title);
    EXPECT_EQ(MsgIcon::Exclamation, host.messages[1].icon);
    EXPECT_EQ(5, s.CommonWordsLanguages);
    EXPECT_EQ(1u, s.WordsFile[0].paths.size());
}

TEST_F(WordListFilesTest, NoLanguageLeavesNoWordsToIgnoreFileInForce) {
    s.WordsFile[0] = {{englishCwds}, 0};
    run.lngNumWordsToIgnore = 300;
    run.blnThereAreWordsToIgnore = true;
    EXPECT_FALSE(files.LanguageChosen(7));
    EXPECT_EQ(-1, s.WordsFile[0].selected);
    EXPECT_EQ(1u, s.WordsFile[0].paths.size());
    EXPECT_EQ(0, run.lngNumWordsToIgnore);
    EXPECT_EQ(std::vector<int>{0}, engine.fileCleared);
    EXPECT_FALSE(run.blnThereAreWordsToIgnore);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(engine.reads.empty());
}

TEST_F(WordListFilesTest, HandlersAreInertBeforeStartUpAndUnderTheirGuards) {
    s.WordsFile[0] = {{englishCwds}, 0};
    run.blnStartUpCompleted = false;
    EXPECT_FALSE(files.LanguageChosen(1));
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    run.blnStartUpCompleted = true;
    files.blnChangingLanguage = true;
    EXPECT_FALSE(files.LanguageChosen(1));
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    files.blnChangingLanguage = false;
    files.blnEnablingDisablingWordsFile = true;
    EXPECT_FALSE(files.LanguageChosen(1));
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    files.blnEnablingDisablingWordsFile = false;
    files.blnReselectingWordsFile = true;
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ((WordFileList{{englishCwds}, 0}), s.WordsFile[0]);
}

TEST_F(WordListFilesTest, LoadRemoveOrCancelAChosenEntry) {
    s.WordsFile[0] = {{englishCwds, french, mine}, 0};
    ASSERT_TRUE(files.AttemptToReadWords(0));
    EXPECT_EQ(0, s.CommonWordsLanguages);

    // Cancel puts back the entry of the loaded file.
    s.WordsFile[0].selected = 2;
    files.WordsFileChosen(0, LoadRemoveChoice::Cancel);
    EXPECT_EQ(0, s.WordsFile[0].selected);

    // Load reads the chosen entry and the language follows it.
    s.WordsFile[0].selected = 1;
    files.WordsFileChosen(0, LoadRemoveChoice::Load);
    EXPECT_EQ(french, files.LoadedPath(0));
    EXPECT_EQ(5, s.CommonWordsLanguages);

    // Remove takes the entry out and nothing is in force.
    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    EXPECT_EQ((WordFileList{{englishCwds, mine}, -1}), s.WordsFile[0]);
    EXPECT_EQ(0, run.lngNumWordsToIgnore);
    EXPECT_EQ(std::vector<int>{0}, engine.fileCleared);
    EXPECT_EQ(u"", files.LoadedPath(0));

    // Cancel with nothing loaded selects nothing.
    s.WordsFile[0].selected = 1;
    files.WordsFileChosen(0, LoadRemoveChoice::Cancel);
    EXPECT_EQ(-1, s.WordsFile[0].selected);
    EXPECT_FALSE(files.blnReselectingWordsFile);
}

TEST_F(WordListFilesTest, ClearingAList) {
    // Empty list: no question.
    files.ClearWordsFiles(1);
    EXPECT_TRUE(host.messages.empty());

    s.WordsFile[0] = {{englishCwds, mine}, 0};
    s.CommonWordsLanguages = 0;
    run.lngNumWordsToIgnore = 250;
    host.answers = {MsgAnswer::Cancel};
    files.ClearWordsFiles(0);
    EXPECT_EQ((WordFileList{{englishCwds, mine}, 0}), s.WordsFile[0]);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Do you wish to remove ALL files from this list?", host.messages[0].text);
    EXPECT_EQ(u"Clear words-to-ignore files", host.messages[0].title);

    // No keeps the paths but leaves no file in force.
    host.answers = {MsgAnswer::No};
    files.ClearWordsFiles(0);
    EXPECT_EQ((WordFileList{{englishCwds, mine}, -1}), s.WordsFile[0]);
    EXPECT_EQ(7, s.CommonWordsLanguages);
    EXPECT_EQ(0, run.lngNumWordsToIgnore);

    s.WordsFile[1] = {{countOnly}, 0};
    run.lngNumCountOnlyWords = 4;
    host.answers = {MsgAnswer::Yes};
    files.ClearWordsFiles(1);
    EXPECT_EQ(WordFileList{}, s.WordsFile[1]);
    EXPECT_EQ(0, run.lngNumCountOnlyWords);
    EXPECT_EQ((std::vector<int>{0, 1}), engine.fileCleared);
    EXPECT_EQ(u"Clear count-only words/phrases files", host.messages.back().title);
}

TEST_F(WordListFilesTest, FirstRunOffersTheEnglishCommonWords) {
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(files.FirstRun());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(GetText(41), host.messages[0].text);
    EXPECT_EQ(GetText(42), host.messages[0].title);
    EXPECT_FALSE(host.messages[0].text.empty());
    EXPECT_EQ(7, s.CommonWordsLanguages);
    EXPECT_TRUE(s.WordsFile[0].paths.empty());

    host.answers = {MsgAnswer::Yes};
    run.blnStartUpCompleted = false; // the offer comes during start-up
    EXPECT_TRUE(files.FirstRun());
    EXPECT_EQ((WordFileList{{englishCwds}, 0}), s.WordsFile[0]);
    EXPECT_EQ((std::vector<std::pair<int, std::u16string>>{{0, englishCwds}}), engine.reads);
    EXPECT_EQ(0, s.CommonWordsLanguages);
    EXPECT_EQ(1, engine.captions);

    // A list that holds a file is not asked about.
    host.messages.clear();
    EXPECT_FALSE(files.FirstRun());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WordListFilesTest, ExtraWordsLoseTheFocus) {
    struct Case {
        int box;
        int caseSignificant;
        std::u16string text;
        std::u16string handedOver; // "" when nothing is parsed
    };
    const std::vector<Case> cases = {
        {0, 0, u"  The  A ", u"the  a"},
        {0, 1, u" The A", u"The A"},
        {1, 0, u"New York, <[A-Z]+ing>", u"new york, <[A-Z]+ing>"},
        {1, 0, u"   ", u""},
        {0, 0, u"", u""},
    };
    for (const auto& c : cases) {
        engine.extraParsed.clear();
        s.CaseSignificant = c.caseSignificant;
        s.WordsToIgnoreOrCount[static_cast<std::size_t>(c.box)] = c.text;
        run.intNumExtraWordsToIgnore = 5;
        run.intNumExtraCountOnlyWords = 5;
        engine.extraCleared.clear();
        files.ExtraWordsLostFocus(c.box);
        if (c.handedOver.empty()) {
            EXPECT_TRUE(engine.extraParsed.empty());
            EXPECT_EQ(std::vector<int>{c.box}, engine.extraCleared);
            EXPECT_EQ(0, c.box == 0 ? run.intNumExtraWordsToIgnore : run.intNumExtraCountOnlyWords);
            EXPECT_EQ(u"", s.WordsToIgnoreOrCount[static_cast<std::size_t>(c.box)]);
        } else {
            EXPECT_EQ((std::vector<std::pair<int, std::u16string>>{{c.box, c.handedOver}}),
                      engine.extraParsed);
        }
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(run.blnThereAreCountOnlyWords);
}

TEST_F(WordListFilesTest, ExtraWordsAreCheckedAfterStartUpUnlessRestoring) {
    s.WordsToIgnoreOrCount[0] = u"the, a";
    files.ExtraWordsLostFocus(0, true);
    EXPECT_TRUE(host.messages.empty());
    run.blnStartUpCompleted = false;
    files.ExtraWordsLostFocus(0);
    EXPECT_TRUE(host.messages.empty());
    run.blnStartUpCompleted = true;
    files.ExtraWordsLostFocus(0);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Character not allowed", host.messages[0].title);

    // "Clear" empties the box and its entries go out of force.
    files.ClearExtraWords(0);
    EXPECT_EQ(u"", s.WordsToIgnoreOrCount[0]);
    EXPECT_EQ(0, run.intNumExtraWordsToIgnore);
    EXPECT_EQ(WordListFocus::HideSettings, files.Focus());
    EXPECT_EQ(1u, host.messages.size());
}

TEST_F(WordListFilesTest, CommandLineUseOfAFileOrLanguage) {
    // A path in the list (another letter case) is selected and read, not refused.
    s.WordsFile[0] = {{mine, french}, 0};
    EXPECT_TRUE(files.UseWordsFile(0, P(kLists / "elsewhere" / "CWDS_FR.TXT")));
    EXPECT_EQ(1, s.WordsFile[0].selected);
    EXPECT_EQ(1u, engine.reads.size());
    // The file already in force is not read again.
    EXPECT_TRUE(files.UseWordsFile(0, french));
    EXPECT_EQ(1u, engine.reads.size());
    // A new path is added and read.
    EXPECT_TRUE(files.UseWordsFile(0, ignore));
    EXPECT_EQ(3u, s.WordsFile[0].paths.size());
    EXPECT_EQ(2u, engine.reads.size());
    EXPECT_TRUE(host.messages.empty());

    // The selected file is already English but was never read: it is read now.
    s.WordsFile[0] = {{englishCwds}, 0};
    EXPECT_TRUE(files.UseLanguage(0));
    EXPECT_EQ(englishCwds, engine.reads.back().second);
    EXPECT_TRUE(host.messages.empty());
    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.UseLanguage(4));
    EXPECT_EQ(P(kData / "cwds_it.txt"), engine.reads.back().second);
    EXPECT_EQ(4, s.CommonWordsLanguages);
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(files.UseLanguage(5));
    EXPECT_EQ(4, s.CommonWordsLanguages);
    EXPECT_TRUE(files.UseLanguage(7));
    EXPECT_EQ(-1, s.WordsFile[0].selected);
}

TEST(AllowedExtraCharsTest, SameAsTheCountRunBuildsThem) {
    // Each box alone, then all together, against the word extractor's own rebuild.
    int Settings::*boxes[] = {&Settings::AllowWordsWithHyphens,
                              &Settings::AllowWordsWithApostrophes,
                              &Settings::AllowWordsWithUnderscores,
                              &Settings::AllowWordsWithColons,
                              &Settings::AllowWordsWithBackslashes,
                              &Settings::AllowWordsWithForwardslashes,
                              &Settings::AllowWordsWithParentheses,
                              &Settings::AllowWordsWithAmpersands,
                              &Settings::AllowWordsWithPeriods,
                              &Settings::AllowWordsWithCommas,
                              &Settings::AllowWordsWithAtSigns,
                              &Settings::AllowWordsWithNumerals,
                              &Settings::AllowWordsWithUserSpecifiedExtraChars};
    RunState run;
    FakeHost host;
    Markup markup;
    WordSink sink;
    std::vector<Settings> cases;
    Settings all;
    for (auto box : boxes) {
        Settings one;
        one.AllowWordsWithHyphens = 0;
        one.UserSpecifiedExtraChars = u"#%";
        one.*box = 1;
        cases.push_back(one);
        all.*box = 1;
    }
    all.UserSpecifiedExtraChars = u"$";
    cases.push_back(all);
    for (const Settings& c : cases) {
        WordExtractor extractor(c, run, markup, host, sink);
        extractor.SetAllowedExtraChars1();
        extractor.SetAllowedExtraChars2();
        EXPECT_EQ(extractor.AllowedExtraChars(), AllowedExtraChars(c));
    }
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

TEST_F(RealReaderTest, WordsToIgnoreFileWithCommentsLoads) {
    EXPECT_TRUE(files.AddWordsFilePath(0, P(kLists / "ignore.txt")));
    EXPECT_EQ(4, run.lngNumWordsToIgnore); // the a of and; comments add nothing
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"and", u"of", u"the"}),
              wordsToIgnore.FileEntries());
    EXPECT_EQ(u"4 words-to-ignore loaded", host.textWindow);
    EXPECT_TRUE(run.blnThereAreWordsToIgnore);
    EXPECT_EQ(7, s.CommonWordsLanguages);
}

TEST_F(RealReaderTest, RemovedOrClearedWordsAreNoLongerIgnored) {
    run.blnStartUpCompleted = true;
    ASSERT_TRUE(files.AddWordsFilePath(0, P(kLists / "ignore.txt")));
    s.WordsToIgnoreOrCount[0] = u"dog";
    files.ExtraWordsLostFocus(0);
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"the", s));
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"dog", s));

    files.WordsFileChosen(0, LoadRemoveChoice::Remove);
    EXPECT_FALSE(wordsToIgnore.IsIgnored(u"the", s));
    EXPECT_TRUE(wordsToIgnore.IsIgnored(u"dog", s));
    EXPECT_TRUE(run.blnThereAreWordsToIgnore);

    files.ClearExtraWords(0);
    EXPECT_FALSE(wordsToIgnore.IsIgnored(u"dog", s));
    EXPECT_FALSE(run.blnThereAreWordsToIgnore);

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
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(u"The file " + P(kLists / "wildcards.txt") +
                  u"\r\n contains words with wildcards: * ?\r\n\r\n"
                  u"Either these should be removed or regular expressions\r\n"
                  u"should be used instead of simple patterns.",
              host.messages.back().text);
    EXPECT_TRUE(s.WordsFile[1].paths.empty());

    EXPECT_FALSE(files.AddWordsFilePath(0, P(kLists / "angle.txt")));
    EXPECT_EQ(u"The file " + P(kLists / "angle.txt") +
                  u"\r\n contains angle brackets: < >\r\n\r\n"
                  u"Patterns in angle brackets may be used only in count-only files.",
              host.messages.back().text);
    EXPECT_EQ(u"Error when reading words to ignore", host.messages.back().title);
    EXPECT_TRUE(s.WordsFile[0].paths.empty());
}

TEST_F(RealReaderTest, CountOnlyFileLoadsAndIsListed) {
    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(files.AddWordsFilePath(1, P(kLists / "countonly.txt")));
    EXPECT_EQ(3, run.lngNumCountOnlyWords);
    EXPECT_TRUE(run.blnThereAreCountOnlyWords);
    EXPECT_EQ(u"3 count-only-words/phrases loaded from " + P(kLists / "countonly.txt") +
                  u"\r\n\r\nDo you wish to list them?",
              host.messages.back().text);
    EXPECT_NE(std::u16string::npos, host.textWindow.find(u"new york"));
}

// --- The shipped common-word files -----------------------------------------------------

// The words of a list file as its reader sees them: comments after "//" dropped, lines
// trimmed, empty lines skipped.
std::vector<std::u16string> WordsOfFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::u16string> out;
    std::string line;
    while (std::getline(in, line)) {
        if (const auto c = line.find("//"); c != std::string::npos)
            line.erase(c);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
            line.pop_back();
        while (!line.empty() && line.front() == ' ')
            line.erase(0, 1);
        if (!line.empty())
            out.push_back(Utf8ToU16(line));
    }
    return out;
}

const std::vector<std::u16string> kCommonWordFiles = {
    u"cwds_en.txt", u"cwds_de.txt", u"cwds_es.txt", u"cwds_pt.txt", u"cwds_it.txt", u"cwds_fr.txt"};

TEST(CommonWordFilesTest, EachHoldsDistinctLowerCaseWordsOnePerLine) {
    for (const auto& name : CommonWordsLanguages()) {
        if (name.fileName.empty())
            continue;
        const auto words = WordsOfFile(kData / std::u16string(name.fileName));
        EXPECT_GE(words.size(), 150u) << S(std::u16string(name.fileName));
        std::set<std::u16string> seen;
        for (const auto& w : words) {
            EXPECT_EQ(LowerCaseAll(w), w);
            EXPECT_EQ(std::u16string::npos, w.find_first_of(u" \t<>~?*+;\"^,")) << S(w);
            EXPECT_TRUE(seen.insert(w).second) << "duplicate " << S(w);
            EXPECT_EQ(std::u16string::npos, w.find(u'\uFFFD')) << S(w);
        }
    }
}

TEST(CommonWordFilesTest, AccentedLettersAreUtf8) {
    const auto german = WordsOfFile(kData / "cwds_de.txt");
    const auto french = WordsOfFile(kData / "cwds_fr.txt");
    EXPECT_NE(german.end(), std::find(german.begin(), german.end(), u"über"));
    EXPECT_NE(german.end(), std::find(german.begin(), german.end(), u"außer"));
    EXPECT_NE(french.end(), std::find(french.begin(), french.end(), u"où"));
    EXPECT_NE(french.end(), std::find(french.begin(), french.end(), u"être"));
}

TEST(CommonWordFilesTest, TheAllLanguagesFileIsTheUnionOfTheSix) {
    std::set<std::u16string> expected;
    for (const auto& name : kCommonWordFiles)
        for (const auto& w : WordsOfFile(kData / name))
            expected.insert(w);
    const auto all = WordsOfFile(kData / "cwds_en_de_es_pt_it_fr.txt");
    EXPECT_EQ(std::vector<std::u16string>(expected.begin(), expected.end()), all);
}

TEST(CommonWordFilesTest, EnglishHoldsThePluralReducedFormsOfItsWords) {
    // English counting reduces plurals before a word is looked up, so "was" arrives as "wa".
    const auto words = WordsOfFile(kData / "cwds_en.txt");
    const std::set<std::u16string> list(words.begin(), words.end());
    for (const auto& w : words) {
        if (w.find(u'\'') != std::u16string::npos)
            continue; // a reduced form ending in "'" cannot be written in a list
        EXPECT_EQ(1u, list.count(MakeSingular(w, false))) << S(w);
    }
}

TEST_F(RealReaderTest, EachCommonWordFileLoadsCompletely) {
    for (const auto& row : CommonWordsLanguages()) {
        if (row.fileName.empty())
            continue;
        const fs::path file = kData / std::u16string(row.fileName);
        host.messages.clear();
        s.WordsFile[0] = {{P(file)}, 0};
        ASSERT_TRUE(files.AttemptToReadWords(0)) << S(P(file));
        EXPECT_TRUE(host.messages.empty())
            << S(host.messages.empty() ? u"" : host.messages[0].text);
        const auto words = WordsOfFile(file);
        // Every word is read as one entry: none split, none lost.
        std::vector<std::u16string> expected = words;
        for (auto& w : expected) // the reader strips a final apostrophe
            while (!w.empty() && w.back() == u'\'')
                w.pop_back();
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        EXPECT_EQ(expected, wordsToIgnore.FileEntries()) << S(P(file));
        EXPECT_EQ(static_cast<std::int64_t>(expected.size()), run.lngNumWordsToIgnore);
        EXPECT_EQ(LanguageIndexOfFile(row.fileName), s.CommonWordsLanguages);
    }
}

} // namespace
} // namespace lxty
