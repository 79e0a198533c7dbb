// The count run: every check of the count routine in its order, the limits of the clipboard
// and of a single input file, the folder passes, the Stop request and its questions, and
// whole runs whose listings are compared in full.

#include "run/CountRun.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "settings/Settings.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using lxty::test::FakeHost;

namespace lxty {
namespace {

std::u16string U(const std::string& s) {
    return Utf8ToU16(s);
}
std::string N(const std::u16string& s) {
    return U16ToUtf8(s);
}

std::u16string TextOf(const fs::path& p) {
    return U(p.string());
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class TempDir : public test::TempDir {
public:
    TempDir() : test::TempDir("lxty-countrun") {}
};

// Distinct words of letters only (no final "s", at least 4 characters): "qaaa", "qaab", ...
std::u16string DistinctWords(int count) {
    std::u16string out;
    for (int i = 0; i < count; ++i) {
        std::u16string w = u"q";
        int v = i;
        for (int k = 0; k < 3; ++k) {
            w.push_back(static_cast<char16_t>(u'a' + v % 25)); // never 'z'... nor beyond
            v /= 25;
        }
        w.push_back(u'x');
        out += w;
        out += u' ';
    }
    return out;
}

class RecordingShell : public CountRunShell {
public:
    std::vector<bool> enableCalls;
    int settingsWindowOpened = 0;
    bool loadWordListsResult = true;
    int loadWordListsCalls = 0;
    std::vector<std::string> fonts;

    void EnableDisableButtons(bool enable) override { enableCalls.push_back(enable); }
    void OpenSettingsWindow() override { ++settingsWindowOpened; }
    bool LoadWordLists() override {
        ++loadWordListsCalls;
        return loadWordListsResult;
    }
    void SetLabelFont(const std::string& label, const std::u16string& font, int points) override {
        fonts.push_back(label + ":" + N(font) + ":" + std::to_string(points));
    }
};

class CountRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }

    CountRunTest() {
        settings.Source = SourceKind::OnClipboard;
        settings.DropFinalS = 0;
    }

    // The messages shown, as "title|text".
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages)
            out.push_back(N(m.title) + "|" + N(m.text));
        return out;
    }

    // The words of the table with their counts, "word=count", in table order.
    std::vector<std::string> Counts() {
        std::vector<std::string> out;
        for (std::int64_t i = 1; i <= table.Size(); ++i)
            out.push_back(N(table.Entry(i).word) + "=" + std::to_string(table.Entry(i).count));
        return out;
    }

    FakeHost host;
    Settings settings;
    RunState run;
    TextWindow window{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, window, report}, table, {}, {}};
    WordsToIgnore ignore;
    RecordingShell shell;
    CountRun countRun{ctx, ignore, shell};
};

// ---------------------------------------------------------------------------------------------
// Progress bars

TEST(ProgressBarTest, CellsFilledByShareDone) {
    struct Case {
        std::int64_t done, total;
        int hyphens; // -1: the empty-start form "[>" + 39 spaces + "]"
    };
    const Case cases[] = {
        {0, 10, -1},  {1, 40, -1},  {2, 40, 1},   {20, 40, 19},
        {39, 40, 38}, {40, 40, 39}, {80, 40, 39}, // never beyond 40 cells
        {1, 16, 1},                               // 2.5 cells: halves go to the even number, 2
        {3, 16, 7},                               // 7.5 cells: 8
        {5, 0, -1},
    };
    for (const auto& c : cases) {
        std::u16string expected;
        if (c.hyphens < 0)
            expected = u"[>" + std::u16string(39, u' ') + u"]";
        else
            expected = u"[" + std::u16string(static_cast<std::size_t>(c.hyphens), u'-') + u">" +
                       std::u16string(static_cast<std::size_t>(39 - c.hyphens), u' ') + u"]";
        EXPECT_EQ(N(expected), N(ProgressBar(c.done, c.total))) << c.done << "/" << c.total;
        EXPECT_EQ(42u, ProgressBar(c.done, c.total).size());
    }
    EXPECT_EQ("[" + std::string(40, ' ') + "]", N(EmptyProgressBar()));
}

// ---------------------------------------------------------------------------------------------
// The checks of the count routine, in their order

// Each step adds one more fault that an earlier check would catch, so the message shown must
// always be the earliest check's, and removing faults from the front reveals them in order.
TEST_F(CountRunTest, ValidationMessagesComeInOrder) {
    TempDir dir;
    WriteAll(dir / "in.txt", "some words here\r\n");

    struct Fault {
        const char* expected; // "title|text" of the one message shown; "" for none
        std::function<void(Settings&, RecordingShell&)> apply;
    };
    const std::vector<Fault> faults = {
        {"Unavailable display format|The display format 'Word and the files containing it' is "
         "available\nonly when the source of the text is a folder.",
         [](Settings& s, RecordingShell&) { s.DisplayFormat = 12; }},
        {"Error|", // the comment-marker message of word extraction
         [](Settings& s, RecordingShell&) {
             s.AllowCommentMarkers = 1;
             s.AllowWordsWithForwardslashes = 1;
         }},
        {"Invalid input|File pattern 'a;b' contains an invalid character.",
         [](Settings& s, RecordingShell&) { s.FileFilepathSpecifications[0] = u"a;b"; }},
        {"Invalid input|The settings currently say to ignore words\nwith fewer than 5 "
         "occurrences and with more than 3 occurrences,\nwhich implies that all words will be "
         "ignored.",
         [](Settings& s, RecordingShell&) {
             s.IgnoreInfrequentWords = 1;
             s.ThresholdFrequency = 3; // 5
             s.IgnoreExcessivelyFrequentWords = 1;
             s.ExcessFrequency = 2; // 3
         }},
        {"", [](Settings&, RecordingShell& sh) { sh.loadWordListsResult = false; }},
    };

    for (std::size_t first = 0; first < faults.size(); ++first) {
        FakeHost h;
        Settings s;
        s.Source = SourceKind::InFile;
        s.File[0] = TextOf(dir / "in.txt");
        RunState r;
        TextWindow w{h};
        ReportState rep;
        WordTable t;
        ReportContext c{{h, s, r, w, rep}, t, {}, {}};
        WordsToIgnore ig;
        RecordingShell sh;
        for (std::size_t k = first; k < faults.size(); ++k)
            faults[k].apply(s, sh);
        CountRun cr{c, ig, sh};
        EXPECT_EQ(RunOutcome::Refused, cr.Start(CountMode::AllWords)) << "fault " << first;
        const std::string expected = faults[first].expected;
        if (expected.empty()) {
            EXPECT_TRUE(h.messages.empty()) << "fault " << first;
            EXPECT_EQ(1, sh.loadWordListsCalls);
        } else {
            ASSERT_EQ(1u, h.messages.size()) << "fault " << first;
            const std::string shown = N(h.messages[0].title) + "|" + N(h.messages[0].text);
            if (expected == "Error|")
                EXPECT_EQ("Error|" + N(CommentMarkerMessage(u"//")), shown);
            else
                EXPECT_EQ(expected, shown);
            EXPECT_EQ(first == 1 ? 1 : 0, sh.settingsWindowOpened) << "fault " << first;
            EXPECT_EQ(0, sh.loadWordListsCalls) << "fault " << first;
        }
        // No check failure touches the word table or starts the timer.
        EXPECT_FALSE(r.blnElapsedTimeRunning);
        EXPECT_EQ(0, t.Size());
    }
}

TEST_F(CountRunTest, DisplayFormatCheckResetsTheFormat) {
    settings.DisplayFormat = 11;
    host.clipboard = u"alpha beta";
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(0, settings.DisplayFormat);
    // A folder source may use the folder formats: the check passes and the next check speaks.
    settings.Source = SourceKind::Folder;
    settings.DisplayFormat = 13;
    host.messages.clear();
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("Folder not specified.", N(host.messages[0].text));
    EXPECT_EQ(13, settings.DisplayFormat);
}

TEST_F(CountRunTest, FrequencyCheckBoundaries) {
    struct Case {
        int infrequent, threshold, excessive, excess;
        bool refused;
    };
    // ThresholdFrequency index 1 is 3; ExcessFrequency index 2 is 3, index 1 is 2.
    const Case cases[] = {
        {1, 1, 1, 2, false}, // 3 and 3: words occurring exactly 3 times remain
        {1, 1, 1, 1, true},  // 3 and 2: nothing can remain
        {0, 1, 1, 1, false}, // only one of the two exclusions is on
        {1, 1, 0, 1, false},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        host.clipboard = u"alpha beta";
        settings.IgnoreInfrequentWords = c.infrequent;
        settings.ThresholdFrequency = c.threshold;
        settings.IgnoreExcessivelyFrequentWords = c.excessive;
        settings.ExcessFrequency = c.excess;
        const RunOutcome o = countRun.Start(CountMode::AllWords);
        EXPECT_EQ(c.refused ? RunOutcome::Refused : RunOutcome::Produced, o);
        const bool shown = !host.messages.empty() && N(host.messages[0].title) == "Invalid input";
        EXPECT_EQ(c.refused, shown);
    }
}

// ---------------------------------------------------------------------------------------------
// The clipboard

TEST_F(CountRunTest, ClipboardLengthLimit) {
    // 20,000 five-character pieces: exactly 100,000 characters.
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"word ";
    ASSERT_EQ(100000u, text.size());
    host.clipboard = text;
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(std::vector<std::string>{"word=20000"}, Counts());

    host.clipboard = text + u"x";
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{"Too much clipboard text|There are 100,001 characters in "
                                       "the text on the clipboard.\nThe maximum permitted is "
                                       "100,000.  If possible,\ncount word frequencies for this "
                                       "text using an input file."},
              Shown());
    // The previous results are left in place.
    EXPECT_EQ(std::vector<std::string>{"word=20000"}, Counts());
}

// Standard input is a stream: counted piece by piece, in bounded memory, with no length limit.
TEST_F(CountRunTest, TextStreamHasNoLengthLimit) {
    std::string bytes;
    for (int i = 0; i < 300'000; ++i) // 3 MB: three pieces and more
        bytes += i % 3 == 0 ? "caf\xC3\xA9 " : i % 3 == 1 ? "word\n" : "word ";
    std::istringstream in(bytes);
    host.clipboard = u"ignored";
    countRun.SetTextStream(&in);
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ((std::vector<std::string>{"caf\xC3\xA9=100000", "word=200000"}), Counts());

    std::istringstream empty(""), control(std::string("word \x01 word"));
    countRun.SetTextStream(&empty);
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    countRun.SetTextStream(&control);
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(N(GetText(TextId::NoClipboardText)), N(host.messages.at(0).text));
    EXPECT_EQ("Invalid input", N(host.messages.at(1).title));
}

TEST_F(CountRunTest, EmptyClipboard) {
    host.clipboard.clear();
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(N(GetText(213)), N(host.messages[0].text));
    EXPECT_EQ("", N(host.messages[0].title));
}

TEST_F(CountRunTest, ClipboardControlCharacterOnlyInTheFirst3000) {
    struct Case {
        std::size_t position; // 1-based position of the control character
        char16_t ch;
        bool refused;
    };
    const Case cases[] = {
        {3000, u'\x01', true},
        {3001, u'\x01', false},
        {1, u'\x1F', true},
        {10, u'\t', false},
        {10, u'\f', false},
        {10, u'\r', false},
        {10, u'\n', false},
        {10, u'\x0B', true},
        {10, u'\0', true},
        // Characters whose low byte is a control code are still text: a typographic
        // apostrophe (U+2019) and a Latin Extended-A letter (U+0100).
        {10, u'\u2019', false},
        {10, u'\u0100', false},
    };
    for (const auto& c : cases) {
        std::u16string text(4000, u'a');
        for (std::size_t i = 5; i < text.size(); i += 6)
            text[i] = u' ';
        text[c.position - 1] = c.ch;
        host.clipboard = text;
        host.messages.clear();
        const RunOutcome o = countRun.Start(CountMode::AllWords);
        EXPECT_EQ(c.refused ? RunOutcome::Refused : RunOutcome::Produced, o)
            << c.position << " " << int(c.ch);
        if (c.refused) {
            EXPECT_EQ(std::vector<std::string>{"Invalid input|The text on the clipboard does not "
                                               "consist\nsolely of natural language words."},
                      Shown());
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
}

TEST_F(CountRunTest, ClipboardRunListsToTheTextWindow) {
    host.clipboard = u"Zebra apple\r\nzebra, APPLE zebra.";
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    const std::u16string expected = u"     Rank      Freq  Word [longest has 5 characters]\n"
                                    u"        1         3  zebra\n"
                                    u"        2         2  apple\n";
    EXPECT_EQ(N(expected), N(window.Text()));
    EXPECT_EQ(N(expected), N(host.textWindow));
    EXPECT_EQ(5, run.lngTotalNumOccurrences);
    EXPECT_EQ(u"Number of words in this list: 2", host.labels["lblNumberOfWords"]);
    EXPECT_TRUE(countRun.ResultsAvailable());
    EXPECT_EQ(GetText(21), host.labels["cmdCountWords"]);
    // Controls are disabled during the run and enabled again at its end.
    ASSERT_FALSE(shell.enableCalls.empty());
    EXPECT_FALSE(shell.enableCalls.front());
    EXPECT_TRUE(shell.enableCalls.back());
    // A run of less than 3 ticks shows no elapsed time.
    EXPECT_EQ(u"", host.labels["lblTimeElapsed"]);
}

TEST_F(CountRunTest, CaseSignificantKeepsCapitals) {
    settings.CaseSignificant = 1;
    host.clipboard = u"Apple apple APPLE";
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    // Equal sort keys: the table order among them is the quicksort's, so compare as a set.
    std::vector<std::string> counts = Counts();
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ((std::vector<std::string>{"APPLE=1", "Apple=1", "apple=1"}), counts);
}

TEST_F(CountRunTest, NothingFoundReport) {
    host.clipboard = u"a b c";
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ("No words with at least 3 characters\nsatisfying the specified conditions were "
              "found.",
              N(window.Text()));
}

// ---------------------------------------------------------------------------------------------
// A single input file

TEST_F(CountRunTest, PerFileResultCodes) {
    TempDir dir;
    WriteAll(dir / "empty.txt", "");
    WriteAll(dir / "in.txt", "alpha beta\r\n");
    struct Case {
        std::string input;  // relative to dir unless empty
        std::string output; // "" none; "=" the input file itself
        std::string message;
        std::string window; // the text window afterwards; "*" anything
    };
    const std::string d = N(TextOf(dir.path()));
    const Case cases[] = {
        {"sub/", "", "Invalid input|Invalid input file specification.", "*"},
        {"missing.txt", "", "File not found|Input file does not exist.", "*"},
        {"", "", "Error|Input file not specified.", ""},
        {"empty.txt", "", "Error|Input file is zero-length.", "Input file is zero length!"},
        {"in.txt", "=", "Error|The output file cannot be the same as the input file.", "*"},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        settings.Source = SourceKind::InFile;
        settings.File[0] = c.input.empty() ? u"" : U(d + "/" + c.input);
        settings.File[1] = c.output == "=" ? settings.File[0] : U(c.output);
        EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords)) << c.input;
        EXPECT_EQ(std::vector<std::string>{c.message}, Shown()) << c.input;
        for (const auto& m : host.messages)
            EXPECT_EQ(MsgIcon::Exclamation, m.icon);
        if (c.window != "*") {
            EXPECT_EQ(c.window, N(window.Text())) << c.input;
        }
        EXPECT_FALSE(run.blnStop);
    }
    // The input file named as the output file was not emptied by the start of the run.
    EXPECT_EQ("alpha beta\r\n", ReadAll(dir / "in.txt"));
}

TEST_F(CountRunTest, RefusedOrEmptyRunLeavesThePreviousOutputFileByteForByte) {
    TempDir dir;
    const std::string previous = "Rank\tWord\n1\tkept\n";
    struct Case {
        SourceKind source;
        std::string input; // clipboard text, or a file relative to dir
        RunOutcome outcome;
        bool emptied; // a finished run that found nothing leaves no old report behind
    };
    WriteAll(dir / "empty.txt", "");
    const Case cases[] = {
        {SourceKind::InFile, "missing.txt", RunOutcome::Refused, false},
        {SourceKind::InFile, "empty.txt", RunOutcome::Refused, false},
        {SourceKind::OnClipboard, "", RunOutcome::Refused, false},
        {SourceKind::OnClipboard, "a b c", RunOutcome::Produced, true},
    };
    for (const auto& c : cases) {
        WriteAll(dir / "out.txt", previous);
        settings.Source = c.source;
        host.clipboard = c.source == SourceKind::OnClipboard ? U(c.input) : u"";
        settings.File[0] = TextOf(dir / c.input);
        settings.File[1] = TextOf(dir / "out.txt");
        EXPECT_EQ(c.outcome, countRun.Start(CountMode::AllWords)) << c.input;
        EXPECT_EQ(c.emptied ? "" : previous, ReadAll(dir / "out.txt")) << c.input;
        // empty.txt and out.txt: no temporary file is left behind
        EXPECT_EQ(2, std::distance(fs::directory_iterator(dir.path()), {})) << c.input;
    }
}

TEST_F(CountRunTest, SameFileUnderAnotherSpellingIsNotEmptied) {
    TempDir dir;
    WriteAll(dir / "in.txt", "alpha beta\r\n");
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "in.txt");
    settings.File[1] = TextOf(dir.path()) + u"/./in.txt";
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(
        std::vector<std::string>{"Error|The output file cannot be the same as the input file."},
        Shown());
    EXPECT_EQ("alpha beta\r\n", ReadAll(dir / "in.txt"));
}

TEST_F(CountRunTest, LargeInputFilePrompt) {
    TempDir dir;
    struct Case {
        std::size_t size;
        bool asked;
        MsgAnswer answer;
        RunOutcome outcome;
    };
    const Case cases[] = {
        {200000, false, MsgAnswer::Yes, RunOutcome::Produced},
        {200001, true, MsgAnswer::No, RunOutcome::Produced},
        {200001, true, MsgAnswer::Cancel, RunOutcome::Refused},
    };
    const std::string question =
        "Large input file|The input file is quite large.  It is advisable to specify an output "
        "file \nbefore continuing, in case the text window will not hold the result. \nDo "
        "you wish to specify an output file?";
    for (const auto& c : cases) {
        std::string bytes;
        while (bytes.size() < c.size)
            bytes += "word\r\n";
        bytes.resize(c.size, ' ');
        WriteAll(dir / "big.txt", bytes);
        host.messages.clear();
        host.answers = {c.answer};
        settings.Source = SourceKind::InFile;
        settings.File[0] = TextOf(dir / "big.txt");
        settings.File[1].clear();
        EXPECT_EQ(c.outcome, countRun.Start(CountMode::AllWords)) << c.size;
        if (c.asked) {
            EXPECT_EQ(std::vector<std::string>{question}, Shown()) << c.size;
            ASSERT_FALSE(host.messages.empty());
            EXPECT_TRUE(host.messages[0].question);
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.size;
        }
        host.answers.clear();
    }
}

TEST_F(CountRunTest, LargeInputFileYesChoosesAnOutputFile) {
    TempDir dir;
    std::string bytes;
    while (bytes.size() < 200001)
        bytes += "word\r\n";
    WriteAll(dir / "big.txt", bytes);
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "big.txt");
    host.answers = {MsgAnswer::Yes};
    host.chosenPaths = {TextOf(dir / "out.txt")};
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(TextOf(dir / "out.txt"), settings.File[1]);
    const std::string out = ReadAll(dir / "out.txt");
    EXPECT_EQ(0u, out.find("File: " + N(TextOf(dir / "big.txt")) + "\n")) << out;
}

TEST_F(CountRunTest, LargeInputFileChosenOutputCannotBeTheInput) {
    TempDir dir;
    std::string bytes;
    while (bytes.size() < 200001)
        bytes += "word\r\n";
    WriteAll(dir / "big.txt", bytes);
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "big.txt");
    host.answers = {MsgAnswer::Yes};
    host.chosenPaths = {TextOf(dir / "BIG.TXT")};
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    ASSERT_EQ(2u, host.messages.size());
    EXPECT_EQ("Error|The output file cannot be the same as the input file.", Shown()[1]);
    EXPECT_EQ(bytes, ReadAll(dir / "big.txt"));
}

TEST_F(CountRunTest, SingleFileRunComparedInFull) {
    TempDir dir;
    const fs::path input = fs::path(LXTY_TEST_DATA_DIR) / "countrun" / "small.txt";
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(input);
    settings.File[1] = TextOf(dir / "out.txt");
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());

    // "a" is shorter than 3 characters; ties in frequency are listed alphabetically.
    const std::string lines = "        1         4  the\n"
                              "        2         3  cat\n"
                              "        3         2  dog\n"
                              "        4         2  saw\n"
                              "        5         1  and\n"
                              "        6         1  ran\n";
    EXPECT_EQ("     Rank      Freq  Word [longest has 3 characters]\n" + lines, N(window.Text()));
    EXPECT_EQ("File: " + N(TextOf(input)) + "\n" +
                  "    Rank\t    Freq\tWord [longest has 3 characters]\n" +
                  "       1\t       4\tthe\n"
                  "       2\t       3\tcat\n"
                  "       3\t       2\tdog\n"
                  "       4\t       2\tsaw\n"
                  "       5\t       1\tand\n"
                  "       6\t       1\tran\n",
              ReadAll(dir / "out.txt"));
    EXPECT_EQ(14, run.lngTotalNumOccurrences);
    EXPECT_EQ(1, run.lngNumWordsExcluded);
    EXPECT_EQ(u"Number of words ignored: 1", host.labels["lblNumWordsExcluded"]);
    EXPECT_EQ(u"Total number of instances of words: 14", host.labels["lblTotalNumOccurrences"]);
}

TEST_F(CountRunTest, UnixTypeFileIsReadWhole) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 50000; ++i)
        bytes += "alpha beta\n";
    WriteAll(dir / "unix.txt", bytes);
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "unix.txt");
    host.answers = {MsgAnswer::No}; // the large-file question
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ((std::vector<std::string>{"alpha=50000", "beta=50000"}), Counts());
    EXPECT_EQ(u"This is a Unix-type file.", host.labels["lblXMLsize"]);
    // No warning about LF line ends: only the large-file question was asked.
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Large input file", host.messages[0].title);
}

TEST_F(CountRunTest, HtmlFileSkipsHeadAndMarkup) {
    TempDir dir;
    WriteAll(dir / "page.htm",
             "<!DOCTYPE html>\n<html><head><title>Heading words</title>\n"
             "<script>var hidden;</script></head>\n"
             "<body><p>Visible caf&eacute; text</p>\n<!-- comment\nmiddle\n-->text\n"
             "</body></html>\n");
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "page.htm");
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ((std::vector<std::string>{"café=1", "text=2", "visible=1"}), Counts());
}

TEST_F(CountRunTest, NotATextFile) {
    TempDir dir;
    std::string bytes(2000, '\x01');
    WriteAll(dir / "bin.dat", bytes);
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "bin.dat");
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"Not a text file", host.messages[0].title);
    EXPECT_NE(std::u16string::npos, window.Text().find(u"is not a text file."));
}

// ---------------------------------------------------------------------------------------------
// Folders

class CountRunFolderTest : public CountRunTest {
protected:
    CountRunFolderTest() {
        settings.Source = SourceKind::Folder;
        settings.Folder = TextOf(dir / "texts");
        fs::create_directories(dir / "texts");
    }
    void AddFile(const std::string& name, const std::string& bytes) {
        fs::create_directories((dir / "texts" / name).parent_path());
        WriteAll(dir / "texts" / name, bytes);
    }
    TempDir dir;
};

TEST_F(CountRunFolderTest, MultipleFilesNeedAnOutputFile) {
    AddFile("a.txt", "alpha beta\r\n");
    // One file: no question.
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());

    AddFile("b.txt", "gamma\r\n");
    const std::string question =
        "Multiple files/folders|When scanning multiple files or folders\nyou must specify an "
        "output file in case\nthe text window will not hold the result.";
    // Cancel ends the run.
    host.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{question}, Shown());
    // OK, and the chooser cancelled: still no output file, the run ends.
    host.messages.clear();
    host.answers = {MsgAnswer::Ok};
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{question}, Shown());
    // OK and a file chosen: the run goes on and writes it.
    host.messages.clear();
    host.answers = {MsgAnswer::Ok};
    host.chosenPaths = {TextOf(dir / "out.txt")};
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{question}, Shown());
    EXPECT_TRUE(fs::exists(dir / "out.txt"));
}

TEST_F(CountRunFolderTest, FolderRunComparedInFull) {
    const fs::path folder = fs::path(LXTY_TEST_DATA_DIR) / "countrun" / "folder";
    settings.Folder = TextOf(folder);
    settings.File[1] = TextOf(dir / "out.txt");
    settings.DisplayFormat = 11; // word, frequency, number of files
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty()) << (Shown().empty() ? "" : Shown()[0]);
    EXPECT_EQ(2, report.lngNumFilesScanned);
    EXPECT_EQ(1, report.lngNumFoldersScanned);
    EXPECT_EQ(2, table.NumFilePaths());
    EXPECT_EQ(N(TextOf(folder / "a.txt")), N(table.FilePath(1)));

    // pears 3 (2 files), and 3 (2 files), apples 2 (1 file), plums 2 (1 file), again 1.
    EXPECT_EQ("2 files (in 1 folder) were scanned.\n\n"
              "  Word         Freq  Files\n"
              "  and             3     2\n"
              "  pears           3     2\n"
              "  apples          2     1\n"
              "  plums           2     1\n"
              "  again           1     1\n",
              N(window.Text()));
    EXPECT_EQ("Folder: " + N(TextOf(folder)) + "\n" +
                  // The summary keeps its own line ends, then one more follows it.
                  "2 files (in 1 folder) were scanned.\n\n\n"
                  "Word    \t    Freq\t Files\n"
                  "and     \t       3\t    2\n"
                  "pears   \t       3\t    2\n"
                  "apples  \t       2\t    1\n"
                  "plums   \t       2\t    1\n"
                  "again   \t       1\t    1\n",
              ReadAll(dir / "out.txt"));
    // The folder bar was drawn in a fixed-pitch font, and the label font restored.
    EXPECT_NE(shell.fonts.end(), std::find(shell.fonts.begin(), shell.fonts.end(),
                                           "lblNumOccurrences:Courier New:10"));
    EXPECT_EQ("lblNumOccurrences:Arial:10", shell.fonts.back());
}

TEST_F(CountRunFolderTest, NoScanableFiles) {
    AddFile("picture.jpg", "not text at all");
    settings.FileFilepathSpecifications[0] = u"*.txt";
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{"No files found|No scanable files as specified *.txt were "
                                       "found in this folder."},
              Shown());
    settings.FileFilepathSpecifications[0].clear();
    settings.IncludeSubfolders = 1;
    host.messages.clear();
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{"No files found|No scanable files were found in this "
                                       "folder or in its subfolders."},
              Shown());
}

TEST_F(CountRunFolderTest, StopDuringTheCountingPassReadsNoFile) {
    AddFile("a.txt", "alpha\r\n");
    AddFile("b.txt", "beta\r\n");
    AddFile("c.txt", "gamma\r\n");
    settings.File[1] = TextOf(dir / "out.txt");
    bool requested = false;
    host.onYield = [&] {
        if (!requested && countRun.CountingFiles()) {
            requested = true;
            EXPECT_TRUE(countRun.RequestStop());
        }
    };
    EXPECT_EQ(RunOutcome::Stopped, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty()); // no question during the counting pass
    EXPECT_EQ(0, table.Size());
    EXPECT_EQ("Counting files . . .1\nStopped while counting files (so far: 1 file in 1 "
              "folder).",
              N(window.Text()));
    EXPECT_FALSE(run.blnStop);
}

TEST_F(CountRunFolderTest, ListFiles) {
    AddFile("a.txt", std::string(2048, 'a'));
    AddFile("sub/b.txt", "beta");
    AddFile("skip.jpg", "x");
    settings.IncludeSubfolders = 1;
    EXPECT_EQ(RunOutcome::Produced, countRun.ListFiles());
    const std::string folder = N(TextOf(dir / "texts"));
    EXPECT_EQ("{Folder} = " + folder + "\n\n" + "{Folder}/a.txt [2.00 Kb]\n" +
                  "{Folder}/sub/b.txt [4 bytes]\n" + "\n2 files in 2 folders will be scanned.\n",
              N(window.Text()));
    EXPECT_EQ(0, table.Size());

    // An empty folder box is refused like a run.
    settings.Folder.clear();
    EXPECT_EQ(RunOutcome::Refused, countRun.ListFiles());
    EXPECT_EQ(std::vector<std::string>{"Error|Folder not specified."}, Shown());
}

TEST_F(CountRunFolderTest, OutputFileInsideTheFolderIsNotEmptied) {
    AddFile("a.txt", "alpha beta\r\n");
    settings.File[1] = TextOf(dir / "texts" / "a.txt");
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::string>{"Invalid output file|The output file cannot be in the "
                                       "folder or a subfolder."},
              Shown());
    EXPECT_EQ("alpha beta\r\n", ReadAll(dir / "texts" / "a.txt"));
}

// ---------------------------------------------------------------------------------------------
// Stop

// Stops the run once `at` distinct entries have been found.
struct StopCase {
    int at;
    bool asked;
};

class CountRunStopTest : public CountRunTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(CountRunStopTest, QuestionAbove800Entries) {
    const StopCase c = GetParam();
    host.clipboard = DistinctWords(1000);
    bool requested = false;
    host.onYield = [&] {
        if (!requested && run.lngNumWords >= c.at) {
            requested = true;
            countRun.RequestStop();
        }
    };
    host.answers = {MsgAnswer::Yes, MsgAnswer::No}; // stop: Yes; list partial result: No
    if (!c.asked)
        host.answers = {MsgAnswer::No};
    EXPECT_EQ(RunOutcome::Stopped, countRun.Start(CountMode::AllWords));
    std::vector<std::string> expected;
    if (c.asked)
        expected.push_back(N(GetText(90)) + "|" + std::to_string(c.at) +
                           " found so far.\n\nReally stop?");
    expected.push_back("Counting interrupted|The operation was stopped before all words were "
                       "counted.\nDo you wish to list those which were found?");
    EXPECT_EQ(expected, Shown());
    EXPECT_EQ(c.at, table.Size());
    EXPECT_EQ("Stopped with " + std::to_string(c.at) + " words found.", N(window.Text()));
    EXPECT_FALSE(countRun.ResultsAvailable());
}

INSTANTIATE_TEST_SUITE_P(Entries, CountRunStopTest,
                         ::testing::Values(StopCase{800, false}, StopCase{801, true}));

TEST_F(CountRunTest, StopQuestionAnsweredNoGoesOn) {
    host.clipboard = DistinctWords(900);
    bool requested = false;
    host.onYield = [&] {
        if (!requested && run.lngNumWords >= 850) {
            requested = true;
            EXPECT_FALSE(countRun.RequestStop());
        }
    };
    host.answers = {MsgAnswer::No};
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(900, table.Size());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(u"850 found so far.\n\nReally stop?", host.messages[0].text);
}

TEST_F(CountRunTest, StoppedRunListsThePartialResult) {
    host.clipboard = u"alpha beta gamma delta epsilon";
    bool requested = false;
    host.onYield = [&] {
        if (!requested && run.lngNumWords >= 2) {
            requested = true;
            countRun.RequestStop();
        }
    };
    host.answers = {MsgAnswer::Yes};
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(report.blnListIsPartial);
    EXPECT_EQ((std::vector<std::string>{"alpha=1", "beta=1"}), Counts());
    EXPECT_EQ("     Rank      Freq  Word [longest has 5 characters]\n"
              "        1         1  alpha\n"
              "        2         1  beta\n",
              N(window.Text()));
}

TEST_F(CountRunTest, StopOutsideARunDoesNothing) {
    EXPECT_FALSE(countRun.RequestStop());
    EXPECT_FALSE(run.blnStop);
    EXPECT_TRUE(host.messages.empty());
}

// ---------------------------------------------------------------------------------------------
// Timer

TEST_F(CountRunTest, TimerCountsOnlyWhileARunIsTimed) {
    countRun.TimerTick();
    EXPECT_EQ(0, run.lngSecondsElapsed);
    EXPECT_EQ(0u, host.labels.count("lblTimeElapsed"));

    struct Case {
        int ticks;
        std::u16string label; // after the run
    };
    const Case cases[] = {{2, u""}, {3, u"Time elapsed: 3s"}, {61, u"Time elapsed: 1m 1s"}};
    for (const auto& c : cases) {
        host.clipboard = u"alpha beta gamma";
        int ticked = 0;
        host.onYield = [&] {
            while (ticked < c.ticks) {
                ++ticked;
                countRun.TimerTick();
            }
        };
        EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
        EXPECT_EQ(c.ticks, run.lngSecondsElapsed);
        EXPECT_EQ(N(c.label), N(host.labels["lblTimeElapsed"])) << c.ticks;
        EXPECT_FALSE(run.blnElapsedTimeRunning);
    }
}

TEST_F(CountRunTest, TimerShowsEntriesFoundSoFar) {
    host.clipboard = u"alpha beta gamma";
    std::vector<std::u16string> seen;
    host.onYield = [&] {
        if (run.lngNumWords == 2 && seen.empty()) {
            countRun.TimerTick();
            seen.push_back(host.labels["lblNumberOfWords"]);
        }
    };
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(std::vector<std::u16string>{u"Number of different words found so far: 2"}, seen);
    // After the run the label holds the totals, not the running count.
    EXPECT_EQ(u"Number of words in this list: 3", host.labels["lblNumberOfWords"]);
}

// ---------------------------------------------------------------------------------------------
// The text window filling up

TEST_F(CountRunTest, TextWindowFillsUp) {
    host.clipboard = DistinctWords(8000); // 8,000 lines of about 25 characters
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(8000, table.Size());
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(N(GetText(93)), N(host.messages.back().title));
    EXPECT_LE(window.Length(), TextWindow::kCapacity + 64);
}

} // namespace
} // namespace lxty

namespace lxty {
namespace {

// ---------------------------------------------------------------------------------------------
// More sources and modes

TEST_F(CountRunTest, CountOnlyFileCannotBeTheInput) {
    TempDir dir;
    WriteAll(dir / "list.txt", "alpha\r\n");
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "list.txt");
    settings.WordsFile[1].paths = {TextOf(dir / "LIST.txt").substr(0, 0) + TextOf(dir.path()) +
                                   u"/LIST.TXT"};
    settings.WordsFile[1].selected = 0;
    run.blnThereAreCountOnlyWords = true;
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::SpecifiedWords));
    EXPECT_EQ(std::vector<std::string>{"Invalid input|The file to be scanned, " +
                                       N(TextOf(dir / "list.txt")) +
                                       ",\ncannot be the same as the count-only words/phrases "
                                       "file\ncurrently specified in the Settings panel."},
              Shown());
    // Counting all words from the same file is allowed.
    host.messages.clear();
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CountRunTest, DocxDocumentIsCounted) {
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(fs::path(LXTY_TEST_DATA_DIR) / "docx" / "tabs.docx");
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty()) << (Shown().empty() ? "" : Shown()[0]);
    EXPECT_EQ((std::vector<std::string>{"alpha=1", "beta=1", "delta=1", "gamma=1"}), Counts());
}

TEST_F(CountRunTest, DamagedDocxEndsTheRun) {
    TempDir dir;
    WriteAll(dir / "bad.docx", std::string("PK\x03\x04", 4) + std::string(100, 'x'));
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "bad.docx");
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_FALSE(host.messages.empty()); // the docx extraction has said why
    EXPECT_EQ("", N(window.Text()));
    EXPECT_FALSE(run.blnElapsedTimeRunning);
    EXPECT_EQ(0, table.Size());
}

TEST_F(CountRunTest, PhraseWindowHooks) {
    TempDir dir;
    WriteAll(dir / "in.txt", "alpha beta\r\n\r\n   \r\ngamma\r\n");
    settings.Source = SourceKind::InFile;
    settings.File[0] = TextOf(dir / "in.txt");
    int sized = 0;
    int resets = 0;
    countRun.Hooks().sizePhraseWindow = [&] { ++sized; };
    countRun.Hooks().resetPhrases = [&] { ++resets; };
    struct Case {
        int terminate;
        int resets;
    };
    for (const Case c : {Case{0, 0}, Case{1, 2}}) { // two lines hold text
        sized = 0;
        resets = 0;
        settings.TerminatePhraseAtEndOfLine = c.terminate;
        EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
        EXPECT_EQ(1, sized);
        EXPECT_EQ(c.resets, resets);
    }
}

TEST_F(CountRunTest, OutputFileThatCannotBeWrittenIsAnError) {
    TempDir dir;
    host.clipboard = u"alpha beta";
    settings.File[1] = TextOf(dir / "missing-folder" / "out.txt");
    EXPECT_EQ(RunOutcome::Error, countRun.Start(CountMode::AllWords));
    ASSERT_FALSE(host.messages.empty());
}

TEST_F(CountRunTest, SpecifiedWordsExclusions) {
    // The specified-words branch counts through the run's AddWordToList; the run then applies
    // the frequency and length exclusions itself.
    host.clipboard = u"alpha alpha alpha beta beta gamma ab "
                     u"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
    countRun.Hooks().specifiedWords = [&](const std::u16string& w) {
        countRun.Counting().AddWordToList(w);
    };
    run.blnThereAreCountOnlyWords = true;
    settings.IgnoreInfrequentWords = 1;
    settings.ThresholdFrequency = 0; // 2
    settings.IgnoreExcessivelyFrequentWords = 1;
    settings.ExcessFrequency = 1; // 2
    settings.LongWordSize = 3;    // 50
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::SpecifiedWords));
    std::vector<std::string> included;
    for (std::int64_t i = 1; i <= table.Size(); ++i)
        if (table.Entry(i).included)
            included.push_back(N(table.Entry(i).word));
    // alpha: too frequent; gamma: too infrequent; ab: short; the 52-letter word: long.
    EXPECT_EQ(std::vector<std::string>{"beta"}, included);
    EXPECT_EQ(5, table.Size());
}

TEST_F(CountRunTest, PhraseRunStopQuestion) {
    host.clipboard = u"alpha beta gamma delta";
    int asked = 0;
    host.onYield = [&] {
        if (asked == 0 && run.lngNumWords >= 1) {
            ++asked;
            EXPECT_FALSE(countRun.RequestStop()); // default No
        } else if (asked == 1 && run.lngNumWords >= 2) {
            ++asked;
            host.answers = {MsgAnswer::Yes, MsgAnswer::No};
            EXPECT_TRUE(countRun.RequestStop());
        }
    };
    EXPECT_EQ(RunOutcome::Stopped, countRun.Start(CountMode::AllPhrases));
    ASSERT_EQ(3u, host.messages.size());
    EXPECT_EQ("Counting all phrases|Really stop?", Shown()[0]);
    EXPECT_EQ(MsgAnswer::No, host.messages[0].answer);
    EXPECT_EQ("Counting all phrases|Really stop?", Shown()[1]);
    EXPECT_EQ("Counting interrupted|The operation was stopped before all phrases were "
              "counted.\nDo you wish to list those which were found?",
              Shown()[2]);
    EXPECT_EQ("Counting of all phrases was stopped.\nStopped", N(window.Text()));
}

TEST_F(CountRunFolderTest, StopWhileProcessingListsThePartialResult) {
    AddFile("a.txt", "alpha beta\r\n");
    AddFile("b.txt", "gamma delta\r\n");
    AddFile("c.txt", "epsilon\r\n");
    settings.File[1] = TextOf(dir / "out.txt");
    bool requested = false;
    host.onYield = [&] {
        if (!requested && countRun.ProcessingFolder() && run.lngNumWords >= 3) {
            requested = true;
            EXPECT_TRUE(countRun.RequestStop());
        }
    };
    host.answers = {MsgAnswer::Yes}; // list what was found
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_EQ(2, report.lngNumFilesScanned);
    const std::string text = N(window.Text());
    EXPECT_EQ(0u, text.find("2 files (in 1 folder) were scanned.\nCounting was stopped and "
                            "this list is incomplete.\n\n"))
        << text;
    EXPECT_EQ(3, table.Size());
}

TEST_F(CountRunFolderTest, NonTextFilesAreSkippedSilentlyAndLargeFilesGetABar) {
    AddFile("a.txt", "alpha\r\n");
    AddFile("0binary.dat", std::string(3000, '\x02'));
    std::string big;
    while (big.size() < 20000)
        big += "omega\r\n";
    AddFile("big.txt", big);
    settings.File[1] = TextOf(dir / "out.txt");
    std::vector<std::u16string> bars;
    std::u16string folderBar;
    host.onYield = [&] {
        if (countRun.ProcessingFolder())
            folderBar = host.labels["lblNumOccurrences"];
        const auto it = host.labels.find("lblTotalNumOccurrences");
        if (countRun.ProcessingFolder() && it != host.labels.end() &&
            (bars.empty() || bars.back() != it->second) && !it->second.empty() &&
            it->second[0] == u'[')
            bars.push_back(it->second);
    };
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    std::vector<std::string> shown = Shown();
    // Only the question for several files (answered by the named output file: none).
    EXPECT_TRUE(shown.empty()) << shown[0];
    EXPECT_EQ((std::vector<std::string>{"alpha=1", "omega=2858"}), Counts());
    EXPECT_EQ(3, report.lngNumFilesScanned);
    // The within-file bar of the big file ran from empty to full.
    ASSERT_GE(bars.size(), 3u);
    EXPECT_EQ(N(EmptyProgressBar()), N(bars.front()));
    EXPECT_EQ("[" + std::string(39, '-') + ">]", N(bars.back()));
    EXPECT_NE(shell.fonts.end(), std::find(shell.fonts.begin(), shell.fonts.end(),
                                           "lblTotalNumOccurrences:Courier New:10"));
    // The folder bar ends full.
    EXPECT_EQ("[" + std::string(39, '-') + ">]", N(folderBar));
}

TEST_F(CountRunFolderTest, FileWhoseNameIsNotUnicodeIsRead) {
    // A name in an old 8-bit encoding ("café" in Latin-1): shown with a replacement character,
    // read all the same.
    WriteAll(dir / "texts" / std::string("caf\xE9.txt"), "alpha beta\r\n");
    EXPECT_EQ(RunOutcome::Produced, countRun.Start(CountMode::AllWords));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ((std::vector<std::string>{"alpha=1", "beta=1"}), Counts());
}

TEST_F(CountRunFolderTest, CountArrayFileLimit) {
    for (int i = 0; i <= 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.txt", i);
        WriteAll(dir / "texts" / name, "w");
    }
    settings.File[1] = TextOf(dir / "out.txt");
    int written = 0;
    countRun.Hooks().writeCountArray = [&] {
        ++written;
        return true;
    };
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords, true));
    EXPECT_EQ(std::vector<std::string>{"Too many files|The number of files to be scanned is "
                                       "10001.\nBut when creating an Excel file of "
                                       "words/phrases vs files\nthe maximum number of files "
                                       "is 10,000."},
              Shown());
    EXPECT_EQ(0, written);
    // One file fewer is accepted: the processing pass starts (and is stopped at its first
    // file, to keep the test quick).
    host.messages.clear();
    settings.FileFilepathSpecifications[1] = u"f10000";
    bool processing = false;
    host.onYield = [&] {
        if (!processing && countRun.ProcessingFolder()) {
            processing = true;
            EXPECT_EQ(10000, countRun.FilesToProcess());
            countRun.RequestStop();
        }
    };
    EXPECT_EQ(RunOutcome::Stopped, countRun.Start(CountMode::AllWords, true));
    EXPECT_TRUE(processing);
    EXPECT_TRUE(host.messages.empty()); // no question about a partial count array
    EXPECT_EQ(0, written);
}

} // namespace
} // namespace lxty
