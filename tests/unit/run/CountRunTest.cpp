// The count run: every check of the count routine in its order, the limits of the clipboard
// and of a single input file, the folder passes, the Stop request and its questions, the
// timer, and whole runs whose listings are compared in full.

#include "run/CountRun.h"

#include "Golden.h"
#include "ReportRig.h"
#include "engine/WordExtraction.h"
#include "engine/WordsToIgnore.h"

#include <cstdio>

namespace lxty {
namespace {

using test::N;
using test::ReadBytes;
using test::U;
using test::WriteBytes;
using Lines = std::vector<std::string>;

// Distinct words of letters only (no final "s", at least 4 characters): "qaaax", "qbaax", ...
std::u16string DistinctWords(int count) {
    std::u16string out;
    for (int i = 0; i < count; ++i) {
        std::u16string w = u"q";
        for (int k = 0, v = i; k < 3; ++k, v /= 25)
            w.push_back(static_cast<char16_t>(u'a' + v % 25));
        out += w + u"x ";
    }
    return out;
}

// A file of at least `size` bytes of "word" lines, cut to exactly `size`.
std::string WordLines(std::size_t size, const std::string& line = "word\r\n") {
    std::string bytes;
    while (bytes.size() < size)
        bytes += line;
    bytes.resize(size, ' ');
    return bytes;
}

struct RecordingShell : CountRunShell {
    std::vector<bool> enableCalls;
    int settingsWindowOpened = 0, loadWordListsCalls = 0;
    bool loadWordListsResult = true;
    Lines fonts;

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

struct Counter : test::ReportRig {
    WordsToIgnore ignore;
    RecordingShell shell;
    CountRun countRun{ctx, ignore, shell};
};

class CountRunTest : public ::testing::Test, protected Counter {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    CountRunTest() {
        settings.Source = SourceKind::OnClipboard;
        settings.DropFinalS = 0;
    }
    // Starts a run with no message shown yet.
    RunOutcome Go(CountMode mode = CountMode::AllWords, bool countArray = false) {
        host.messages.clear();
        return countRun.Start(mode, countArray);
    }
    void InFile(const fs::path& p) {
        settings.Source = SourceKind::InFile;
        settings.File[0] = TextFromPath(p);
    }
    // Stops the run (through the Stop button) the first time `when` holds at a yield.
    void StopWhen(std::function<bool()> when, bool expectStopped = true) {
        host.onYield = [this, when, expectStopped, done = false]() mutable {
            if (!done && when()) {
                done = true;
                EXPECT_EQ(expectStopped, countRun.RequestStop());
            }
        };
    }
    Lines Counts() const { return test::Entries(table); }
    // The temporary folder written "{dir}", the test data "{data}".
    std::string Plain(const std::string& text) const {
        return test::Named(test::Named(text, dir.path(), "{dir}"), LXTY_TEST_DATA_DIR, "{data}");
    }
    std::string Said(const test::FakeHost& h) const { return Plain(test::Said(h)); }
    std::string Said() const { return Said(host); }
    void TearDown() override { g.Check(); }

    test::TempDir dir{"lxty-countrun"};
    // The messages and listings of each test, compared with tests/data/run/count_run.txt.
    test::Golden g{"run/count_run",
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                       std::string("/")};
};

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
        const std::size_t h = c.hyphens < 0 ? 0 : static_cast<std::size_t>(c.hyphens);
        const std::string expected =
            "[" + std::string(h, '-') + ">" + std::string(39 - h, ' ') + "]";
        EXPECT_EQ(expected, N(ProgressBar(c.done, c.total))) << c.done << "/" << c.total;
    }
    EXPECT_EQ("[" + std::string(40, ' ') + "]", N(EmptyProgressBar()));
}

// ---- The checks of the count routine, in their order ----------------------------------------

// Each step adds one more fault that an earlier check would catch, so the message shown must
// always be the earliest check's, and removing faults from the front reveals them in order.
TEST_F(CountRunTest, ValidationMessagesComeInOrder) {
    WriteBytes(dir / "in.txt", "some words here\r\n");
    const std::vector<std::function<void(Settings&, RecordingShell&)>> faults = {
        [](Settings& s, RecordingShell&) { s.DisplayFormat = 12; },
        [](Settings& s, RecordingShell&) {
            s.AllowCommentMarkers = 1; // the comment-marker message of word extraction
            s.AllowWordsWithForwardslashes = 1;
        },
        [](Settings& s, RecordingShell&) { s.FileFilepathSpecifications[0] = u"a;b"; },
        [](Settings& s, RecordingShell&) {
            s.IgnoreInfrequentWords = 1;
            s.ThresholdFrequency = 3; // 5
            s.IgnoreExcessivelyFrequentWords = 1;
            s.ExcessFrequency = 2; // 3
        },
        [](Settings&, RecordingShell& sh) { sh.loadWordListsResult = false; },
    };
    for (std::size_t first = 0; first < faults.size(); ++first) {
        SCOPED_TRACE("fault " + std::to_string(first));
        Counter c;
        c.settings.Source = SourceKind::InFile;
        c.settings.File[0] = TextFromPath(dir / "in.txt");
        for (std::size_t k = first; k < faults.size(); ++k)
            faults[k](c.settings, c.shell);
        const bool last = first + 1 == faults.size(); // the word lists say nothing here
        EXPECT_EQ(RunOutcome::Refused, c.countRun.Start(CountMode::AllWords));
        EXPECT_EQ(last ? 0u : 1u, c.host.messages.size());
        g.Add("fault " + std::to_string(first), Said(c.host));
        EXPECT_EQ(first == 1 ? 1 : 0, c.shell.settingsWindowOpened);
        EXPECT_EQ(last ? 1 : 0, c.shell.loadWordListsCalls);
        // No check failure touches the word table or starts the timer.
        EXPECT_FALSE(c.run.blnElapsedTimeRunning);
        EXPECT_EQ(0, c.table.Size());
    }
}

TEST_F(CountRunTest, DisplayFormatCheckResetsTheFormat) {
    settings.DisplayFormat = 11;
    host.clipboard = u"alpha beta";
    EXPECT_EQ(RunOutcome::Refused, Go());
    EXPECT_EQ(0, settings.DisplayFormat);
    // A folder source may use the folder formats: the check passes and the next check speaks.
    settings.Source = SourceKind::Folder;
    settings.DisplayFormat = 13;
    EXPECT_EQ(RunOutcome::Refused, Go());
    EXPECT_EQ(Lines{"Error|Folder not specified."}, Shown());
    EXPECT_EQ(13, settings.DisplayFormat);
}

TEST_F(CountRunTest, FrequencyCheckBoundaries) {
    // ThresholdFrequency index 1 is 3; ExcessFrequency index 2 is 3, index 1 is 2.
    const int cases[][5] = {
        {1, 1, 1, 2, false}, // 3 and 3: words occurring exactly 3 times remain
        {1, 1, 1, 1, true},  // 3 and 2: nothing can remain
        {0, 1, 1, 1, false}, // only one of the two exclusions is on
        {1, 1, 0, 1, false},
    };
    for (const auto& c : cases) {
        host.clipboard = u"alpha beta";
        settings.IgnoreInfrequentWords = c[0];
        settings.ThresholdFrequency = c[1];
        settings.IgnoreExcessivelyFrequentWords = c[2];
        settings.ExcessFrequency = c[3];
        EXPECT_EQ(c[4] ? RunOutcome::Refused : RunOutcome::Produced, Go());
        EXPECT_EQ(c[4] != 0, !host.messages.empty() && host.messages[0].title == u"Invalid input");
    }
}

// ---- The clipboard --------------------------------------------------------------------------

// A clipboard text of 4,000 characters in words of five with one control character.
std::u16string WithControl(std::size_t position, char16_t ch) {
    std::u16string text(4000, u'a');
    for (std::size_t i = 5; i < text.size(); i += 6)
        text[i] = u' ';
    text[position - 1] = ch;
    return text;
}

TEST_F(CountRunTest, ClipboardLimits) {
    std::u16string limit; // 20,000 five-character pieces: exactly 100,000 characters
    for (int i = 0; i < 20000; ++i)
        limit += u"word ";
    struct Case {
        std::string name;
        std::u16string text;
        bool refused;
        Lines counts; // the table afterwards; {"*"} not compared
    };
    const std::vector<Case> cases = {
        {"100,000 characters", limit, false, {"word=20000"}},
        {"100,001 characters: the previous results stay", limit + u"x", true, {"word=20000"}},
        {"empty", u"", true, {"word=20000"}},
        {"control character at 3,000", WithControl(3000, u'\x01'), true, {"*"}},
        {"control character at 3,001 is not looked at", WithControl(3001, u'\x01'), false, {"*"}},
        {"unit separator first", WithControl(1, u'\x1F'), true, {"*"}},
        {"vertical tab", WithControl(10, u'\x0B'), true, {"*"}},
        {"null", WithControl(10, u'\0'), true, {"*"}},
        {"tab", WithControl(10, u'\t'), false, {"*"}},
        {"form feed", WithControl(10, u'\f'), false, {"*"}},
        {"carriage return", WithControl(10, u'\r'), false, {"*"}},
        {"line feed", WithControl(10, u'\n'), false, {"*"}},
        // Characters whose low byte is a control code are still text.
        {"typographic apostrophe", WithControl(10, u'\u2019'), false, {"*"}},
        {"Latin Extended-A letter", WithControl(10, u'\u0100'), false, {"*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.clipboard = c.text;
        EXPECT_EQ(c.refused ? RunOutcome::Refused : RunOutcome::Produced, Go());
        EXPECT_EQ(c.refused ? 1u : 0u, host.messages.size());
        if (c.refused)
            g.Add(c.name, Said());
        if (c.counts != Lines{"*"}) {
            EXPECT_EQ(c.counts, Counts());
        }
    }
}

TEST_F(CountRunTest, ClipboardRunListsToTheTextWindow) {
    host.clipboard = u"Zebra apple\r\nzebra, APPLE zebra.";
    EXPECT_EQ(RunOutcome::Produced, Go());
    g.Add("window", N(tw.Text()));
    EXPECT_EQ(tw.Text(), host.textWindow);
    EXPECT_EQ(5, run.lngTotalNumOccurrences);
    EXPECT_EQ(u"Number of words in this list: 2", host.labels["lblNumberOfWords"]);
    EXPECT_TRUE(countRun.ResultsAvailable());
    EXPECT_EQ(GetText(TextId::CountWordsPhrases), host.labels["cmdCountWords"]);
    // Controls are disabled during the run and enabled again at its end.
    ASSERT_FALSE(shell.enableCalls.empty());
    EXPECT_FALSE(shell.enableCalls.front());
    EXPECT_TRUE(shell.enableCalls.back());
    // A run of less than 3 ticks shows no elapsed time.
    EXPECT_EQ(u"", host.labels["lblTimeElapsed"]);

    // Case significant: capitals are kept (equal sort keys: compared as a set).
    settings.CaseSignificant = 1;
    host.clipboard = u"Apple apple APPLE";
    EXPECT_EQ(RunOutcome::Produced, Go());
    Lines counts = Counts();
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ((Lines{"APPLE=1", "Apple=1", "apple=1"}), counts);

    host.clipboard = u"a b c";
    EXPECT_EQ(RunOutcome::Produced, Go());
    g.Add("nothing found", N(tw.Text()));
}

// Standard input is a stream: counted piece by piece, in bounded memory, with no length limit.
TEST_F(CountRunTest, TextStreamHasNoLengthLimit) {
    std::string bytes;
    for (int i = 0; i < 300'000; ++i) // 3 MB: three pieces and more
        bytes += i % 3 == 0 ? "caf\xC3\xA9 " : i % 3 == 1 ? "word\n" : "word ";
    std::istringstream in(bytes), empty(""), control(std::string("word \x01 word"));
    host.clipboard = u"ignored";
    countRun.SetTextStream(&in);
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
    EXPECT_EQ((Lines{"caf\xC3\xA9=100000", "word=200000"}), Counts());
    countRun.SetTextStream(&empty);
    EXPECT_EQ(RunOutcome::Refused, Go());
    EXPECT_EQ(Lines{"|" + N(GetText(TextId::NoClipboardText))}, Shown());
    countRun.SetTextStream(&control);
    EXPECT_EQ(RunOutcome::Refused, Go());
    EXPECT_EQ("Invalid input", N(host.messages.at(0).title));
}

// ---- A single input file --------------------------------------------------------------------

TEST_F(CountRunTest, InputFileRefusals) {
    WriteBytes(dir / "empty.txt", "");
    WriteBytes(dir / "in.txt", "alpha beta\r\n");
    WriteBytes(dir / "bin.dat", std::string(2000, '\x01'));
    const std::u16string d = TextFromPath(dir.path());
    const std::pair<std::u16string, std::u16string> cases[] = {{d + u"/sub/", u""},
                                                               {d + u"/missing.txt", u""},
                                                               {u"", u""},
                                                               {d + u"/empty.txt", u""},
                                                               {d + u"/in.txt", d + u"/in.txt"},
                                                               {d + u"/bin.dat", u""},
                                                               {d + u"/in.txt", d + u"/./in.txt"}};
    for (const auto& [input, output] : cases) {
        settings.Source = SourceKind::InFile;
        settings.File[0] = input;
        settings.File[1] = output;
        EXPECT_EQ(RunOutcome::Refused, Go());
        EXPECT_EQ(1u, host.messages.size());
        EXPECT_FALSE(run.blnStop);
        g.Add(Plain(N(input + u" -> " + output)), Said() + "\nwindow: " + Plain(N(tw.Text())));
    }
    // The input file named as the output file was not emptied by the start of the run.
    EXPECT_EQ("alpha beta\r\n", ReadBytes(dir / "in.txt"));
}

TEST_F(CountRunTest, RefusedOrEmptyRunLeavesThePreviousOutputFileByteForByte) {
    const std::string previous = "Rank\tWord\n1\tkept\n";
    struct Case {
        SourceKind source;
        std::string input; // clipboard text, or a file in dir
        RunOutcome outcome;
        bool emptied; // a finished run that found nothing leaves no old report behind
    };
    WriteBytes(dir / "empty.txt", "");
    const Case cases[] = {
        {SourceKind::InFile, "missing.txt", RunOutcome::Refused, false},
        {SourceKind::InFile, "empty.txt", RunOutcome::Refused, false},
        {SourceKind::OnClipboard, "", RunOutcome::Refused, false},
        {SourceKind::OnClipboard, "a b c", RunOutcome::Produced, true},
    };
    for (const auto& c : cases) {
        WriteBytes(dir / "out.txt", previous);
        settings.Source = c.source;
        host.clipboard = c.source == SourceKind::OnClipboard ? U(c.input) : u"";
        settings.File[0] = TextFromPath(dir / c.input);
        settings.File[1] = TextFromPath(dir / "out.txt");
        EXPECT_EQ(c.outcome, Go()) << c.input;
        EXPECT_EQ(c.emptied ? "" : previous, ReadBytes(dir / "out.txt")) << c.input;
        // empty.txt and out.txt: no temporary file is left behind
        EXPECT_EQ(2, std::distance(fs::directory_iterator(dir.path()), {})) << c.input;
    }
}

TEST_F(CountRunTest, LargeInputFiles) {
    const std::string big = WordLines(200001), unix = WordLines(550000, "alpha beta\n");
    const MsgAnswer Y = MsgAnswer::Yes, No = MsgAnswer::No;
    const RunOutcome Made = RunOutcome::Produced, Refused = RunOutcome::Refused;
    const struct {
        std::string name, bytes;
        MsgAnswer answer;
        std::string chosen; // the output file chosen, in dir
        RunOutcome outcome;
        Lines counts; // {"*"}: not compared
    } cases[] = {
        {"200,000 bytes: no question", WordLines(200000), Y, "", Made, {"*"}},
        {"200,001 bytes, No: counted", big, No, "", Made, {"*"}},
        {"Cancel", big, MsgAnswer::Cancel, "", Refused, {}},
        {"Yes and an output file", big, Y, "out.txt", Made, {"*"}},
        {"Yes and the input file itself", big, Y, "BIG.TXT", Refused, {}},
        {"Unix line ends: no warning, read whole",
         unix,
         No,
         "",
         Made,
         {"alpha=50000", "beta=50000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Counter r;
        WriteBytes(dir / "big.txt", c.bytes);
        r.settings.Source = SourceKind::InFile;
        r.settings.DropFinalS = 0;
        r.settings.File[0] = TextFromPath(dir / "big.txt");
        r.host.answers = {c.answer};
        if (!c.chosen.empty())
            r.host.chosenPaths = {TextFromPath(dir / c.chosen)};
        EXPECT_EQ(c.outcome, r.countRun.Start(CountMode::AllWords));
        g.Add(c.name, Said(r.host));
        if (c.counts != Lines{"*"}) {
            EXPECT_EQ(c.counts, test::Entries(r.table));
        }
        EXPECT_EQ(c.bytes, ReadBytes(dir / "big.txt"));
        if (c.chosen == "out.txt") {
            EXPECT_EQ(TextFromPath(dir / "out.txt"), r.settings.File[1]);
            EXPECT_EQ(
                0u, ReadBytes(dir / "out.txt").find("File: " + (dir / "big.txt").string() + "\n"));
        }
        EXPECT_EQ(c.bytes == unix ? u"This is a Unix-type file." : u"",
                  r.host.labels["lblXMLsize"]);
    }
}

TEST_F(CountRunTest, SingleFileRunComparedInFull) {
    const fs::path input = fs::path(LXTY_TEST_DATA_DIR) / "countrun" / "small.txt";
    InFile(input);
    settings.File[1] = TextFromPath(dir / "out.txt");
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
    // "a" is shorter than 3 characters; ties in frequency are listed alphabetically.
    g.Add("window", N(tw.Text()));
    g.Add("file", Plain(ReadBytes(dir / "out.txt")));
    EXPECT_EQ(14, run.lngTotalNumOccurrences);
    EXPECT_EQ(1, run.lngNumWordsExcluded);
    EXPECT_EQ(u"Number of words ignored: 1", host.labels["lblNumWordsExcluded"]);
    EXPECT_EQ(u"Total number of instances of words: 14", host.labels["lblTotalNumOccurrences"]);
}

TEST_F(CountRunTest, OtherKindsOfInputFile) {
    // A damaged docx ends the run: the docx extraction has said why; nothing is counted.
    WriteBytes(dir / "bad.docx", std::string("PK\x03\x04", 4) + std::string(100, 'x'));
    InFile(dir / "bad.docx");
    EXPECT_EQ(RunOutcome::Refused, countRun.Start(CountMode::AllWords));
    EXPECT_FALSE(host.messages.empty());
    EXPECT_EQ("", N(tw.Text()));
    EXPECT_FALSE(run.blnElapsedTimeRunning);
    EXPECT_EQ(0, table.Size());
    WriteBytes(dir / "page.htm",
               "<!DOCTYPE html>\r\n<html><head><title>Heading words</title>\r\n"
               "<script>var hidden;</script></head>\r\n"
               "<body><p>Visible caf&eacute; text</p>\r\n<!-- comment\r\nmiddle\r\n-->text\r\n"
               "</body></html>\r\n");
    InFile(dir / "page.htm");
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ((Lines{"café=1", "text=2", "visible=1"}), Counts());

    InFile(fs::path(LXTY_TEST_DATA_DIR) / "docx" / "tabs.docx");
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
    EXPECT_EQ((Lines{"alpha=1", "beta=1", "delta=1", "gamma=1"}), Counts());
}

TEST_F(CountRunTest, CountOnlyFileCannotBeTheInput) {
    WriteBytes(dir / "list.txt", "alpha\r\n");
    InFile(dir / "list.txt");
    settings.WordsFile[1].paths = {TextFromPath(dir.path()) + u"/LIST.TXT"};
    settings.WordsFile[1].selected = 0;
    run.blnThereAreCountOnlyWords = true;
    EXPECT_EQ(RunOutcome::Refused, Go(CountMode::SpecifiedWords));
    g.Add("message", Said());
    // Counting all words from the same file is allowed.
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
}

TEST_F(CountRunTest, PhraseWindowHooks) {
    WriteBytes(dir / "in.txt", "alpha beta\r\n\r\n   \r\ngamma\r\n");
    InFile(dir / "in.txt");
    int sized = 0, resets = 0;
    countRun.Hooks().sizePhraseWindow = [&] { ++sized; };
    countRun.Hooks().resetPhrases = [&] { ++resets; };
    for (const int terminate : {0, 1}) {
        sized = resets = 0;
        settings.TerminatePhraseAtEndOfLine = terminate;
        EXPECT_EQ(RunOutcome::Produced, Go());
        EXPECT_EQ(1, sized);
        EXPECT_EQ(terminate * 2, resets); // two lines hold text
    }
}

TEST_F(CountRunTest, OutputFileThatCannotBeWrittenIsAnError) {
    host.clipboard = u"alpha beta";
    settings.File[1] = TextFromPath(dir / "missing-folder" / "out.txt");
    EXPECT_EQ(RunOutcome::Error, Go());
    g.Add("message", Said());
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
    EXPECT_EQ(RunOutcome::Produced, Go(CountMode::SpecifiedWords));
    // alpha: too frequent; gamma: too infrequent; ab: short; the 52-letter word: long.
    EXPECT_EQ(Lines{"beta=2"}, test::Entries(table, false, true));
    EXPECT_EQ(5, table.Size());
}

// ---- Stop -----------------------------------------------------------------------------------

TEST_F(CountRunTest, StopAsksAbove800EntriesAndOffersThePartialList) {
    for (const int at : {800, 801}) {
        SCOPED_TRACE(at);
        host.clipboard = DistinctWords(1000);
        StopWhen([&] { return run.lngNumWords >= at; });
        // Stop: Yes (only asked above 800); list the partial result: No.
        host.answers =
            at > 800 ? std::deque{MsgAnswer::Yes, MsgAnswer::No} : std::deque{MsgAnswer::No};
        EXPECT_EQ(RunOutcome::Stopped, Go());
        EXPECT_EQ(at > 800 ? 2u : 1u, host.messages.size());
        g.Add(std::to_string(at), Said());
        EXPECT_EQ(at, table.Size());
        g.Add(std::to_string(at) + ", window", N(tw.Text()));
        EXPECT_FALSE(countRun.ResultsAvailable());
    }
    // Answered No, the run goes on.
    host.clipboard = DistinctWords(900);
    StopWhen([&] { return run.lngNumWords >= 850; }, false);
    host.answers = {MsgAnswer::No};
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(900, table.Size());
    g.Add("850, answered No", Said());
    // The partial result listed.
    host.clipboard = u"alpha beta gamma delta epsilon";
    StopWhen([&] { return run.lngNumWords >= 2; });
    host.answers = {MsgAnswer::Yes};
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_TRUE(report.blnListIsPartial);
    EXPECT_EQ((Lines{"alpha=1", "beta=1"}), Counts());
    g.Add("partial list", N(tw.Text()));
    // Outside a run a stop does nothing.
    host.messages.clear();
    EXPECT_FALSE(countRun.RequestStop());
    EXPECT_FALSE(run.blnStop);
    EXPECT_EQ(Lines{}, Shown());
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
    EXPECT_EQ(RunOutcome::Stopped, Go(CountMode::AllPhrases));
    ASSERT_EQ(3u, host.messages.size());
    EXPECT_EQ(MsgAnswer::No, host.messages[0].answer);
    g.Add("messages", Said());
    g.Add("window", N(tw.Text()));
}

// ---- Timer and text window ------------------------------------------------------------------

TEST_F(CountRunTest, TimerCountsOnlyWhileARunIsTimed) {
    countRun.TimerTick();
    EXPECT_EQ(0, run.lngSecondsElapsed);
    EXPECT_EQ(0u, host.labels.count("lblTimeElapsed"));
    const std::pair<int, std::string> cases[] = {
        {2, ""}, {3, "Time elapsed: 3s"}, {61, "Time elapsed: 1m 1s"}};
    for (const auto& c : cases) {
        host.clipboard = u"alpha beta gamma";
        host.onYield = [&, ticked = 0]() mutable {
            for (; ticked < c.first; ++ticked)
                countRun.TimerTick();
        };
        EXPECT_EQ(RunOutcome::Produced, Go());
        EXPECT_EQ(c.first, run.lngSecondsElapsed);
        EXPECT_EQ(c.second, N(host.labels["lblTimeElapsed"])) << c.first;
        EXPECT_FALSE(run.blnElapsedTimeRunning);
    }
    // A tick shows the entries found so far; after the run the label holds the totals.
    host.clipboard = u"alpha beta gamma";
    std::vector<std::u16string> seen;
    host.onYield = [&] {
        if (run.lngNumWords == 2 && seen.empty()) {
            countRun.TimerTick();
            seen.push_back(host.labels["lblNumberOfWords"]);
        }
    };
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(std::vector<std::u16string>{u"Number of different words found so far: 2"}, seen);
    EXPECT_EQ(u"Number of words in this list: 3", host.labels["lblNumberOfWords"]);
}

TEST_F(CountRunTest, TextWindowFillsUp) {
    host.clipboard = DistinctWords(8000); // 8,000 lines of about 25 characters
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(8000, table.Size());
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(GetText(TextId::TextWindowFull), host.messages.back().title);
    EXPECT_LE(tw.Length(), TextWindow::kCapacity + 64);
}

// ---- Folders --------------------------------------------------------------------------------

class CountRunFolderTest : public CountRunTest {
protected:
    CountRunFolderTest() {
        settings.Source = SourceKind::Folder;
        settings.Folder = TextFromPath(dir / "texts");
        fs::create_directories(dir / "texts");
    }
    void AddFile(const std::string& name, const std::string& bytes) {
        WriteBytes(dir / "texts" / name, bytes);
    }
    void OutputFile() { settings.File[1] = TextFromPath(dir / "out.txt"); }
};

TEST_F(CountRunFolderTest, MultipleFilesNeedAnOutputFile) {
    AddFile("a.txt", "alpha beta\r\n");
    EXPECT_EQ(RunOutcome::Produced, Go()); // one file: no question
    EXPECT_EQ(Lines{}, Shown());
    AddFile("b.txt", "gamma\r\n");
    // Cancel ends the run; OK with the chooser cancelled too; OK with a file chosen goes on.
    const std::pair<MsgAnswer, bool> cases[] = {
        {MsgAnswer::Cancel, false}, {MsgAnswer::Ok, false}, {MsgAnswer::Ok, true}};
    for (const auto& [answer, chosen] : cases) {
        host.answers = {answer};
        if (chosen)
            host.chosenPaths = {TextFromPath(dir / "out.txt")};
        EXPECT_EQ(chosen ? RunOutcome::Produced : RunOutcome::Refused, Go());
        g.Add(std::to_string(static_cast<int>(answer)) + (chosen ? ", chosen" : ""), Said());
        EXPECT_EQ(chosen, fs::exists(dir / "out.txt"));
    }
}

TEST_F(CountRunFolderTest, FolderRunComparedInFull) {
    const fs::path folder = fs::path(LXTY_TEST_DATA_DIR) / "countrun" / "folder";
    settings.Folder = TextFromPath(folder);
    OutputFile();
    settings.DisplayFormat = 11; // word, frequency, number of files
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
    EXPECT_EQ(2, report.lngNumFilesScanned);
    EXPECT_EQ(1, report.lngNumFoldersScanned);
    EXPECT_EQ(2, table.NumFilePaths());
    EXPECT_EQ((folder / "a.txt").string(), N(table.FilePath(1)));
    // pears 3 (2 files), and 3 (2 files), apples 2 (1 file), plums 2 (1 file), again 1; the
    // summary keeps its own line ends in the file, then one more follows it.
    g.Add("window", N(tw.Text()));
    g.Add("file", Plain(ReadBytes(dir / "out.txt")));
    // The folder bar was drawn in a fixed-pitch font, and the label font restored.
    EXPECT_NE(shell.fonts.end(), std::find(shell.fonts.begin(), shell.fonts.end(),
                                           "lblNumOccurrences:Courier New:10"));
    EXPECT_EQ("lblNumOccurrences:Arial:10", shell.fonts.back());
}

TEST_F(CountRunFolderTest, Refusals) {
    AddFile("picture.jpg", "not text at all");
    settings.FileFilepathSpecifications[0] = u"*.txt";
    EXPECT_EQ(RunOutcome::Refused, Go());
    g.Add("pattern", Said());
    settings.FileFilepathSpecifications[0].clear();
    settings.IncludeSubfolders = 1;
    EXPECT_EQ(RunOutcome::Refused, Go());
    g.Add("subfolders", Said());
    // An output file inside the folder is refused before it is emptied.
    AddFile("a.txt", "alpha beta\r\n");
    settings.File[1] = TextFromPath(dir / "texts" / "a.txt");
    EXPECT_EQ(RunOutcome::Refused, Go());
    g.Add("output file inside", Said());
    EXPECT_EQ("alpha beta\r\n", ReadBytes(dir / "texts" / "a.txt"));
}

TEST_F(CountRunFolderTest, StopDuringTheCountingPassReadsNoFile) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        AddFile(name, "alpha\r\n");
    OutputFile();
    StopWhen([&] { return countRun.CountingFiles(); });
    EXPECT_EQ(RunOutcome::Stopped, Go());
    EXPECT_EQ(Lines{}, Shown()); // no question during the counting pass
    EXPECT_EQ(0, table.Size());
    g.Add("window", N(tw.Text()));
    EXPECT_FALSE(run.blnStop);
}

TEST_F(CountRunFolderTest, StopWhileProcessingListsThePartialResult) {
    AddFile("a.txt", "alpha beta\r\n");
    AddFile("b.txt", "gamma delta\r\n");
    AddFile("c.txt", "epsilon\r\n");
    OutputFile();
    StopWhen([&] { return countRun.ProcessingFolder() && run.lngNumWords >= 3; });
    host.answers = {MsgAnswer::Yes}; // list what was found
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(2, report.lngNumFilesScanned);
    EXPECT_EQ(0u, N(tw.Text()).find("2 files (in 1 folder) were scanned.\nCounting was "
                                    "stopped and this list is incomplete.\n\n"))
        << N(tw.Text());
    EXPECT_EQ(3, table.Size());
}

TEST_F(CountRunFolderTest, ListFiles) {
    AddFile("a.txt", std::string(2048, 'a'));
    AddFile("sub/b.txt", "beta");
    AddFile("skip.jpg", "x");
    settings.IncludeSubfolders = 1;
    EXPECT_EQ(RunOutcome::Produced, countRun.ListFiles());
    g.Add("window", Plain(N(tw.Text())));
    EXPECT_EQ(0, table.Size());
    // An empty folder box is refused like a run.
    settings.Folder.clear();
    EXPECT_EQ(RunOutcome::Refused, countRun.ListFiles());
    g.Add("no folder", Said());
}

TEST_F(CountRunFolderTest, NonTextFilesAreSkippedSilentlyAndLargeFilesGetABar) {
    // The within-file bar follows the reading of a file counted on the run's own thread.
    setenv("LXTY_THREADS", "1", 1);
    AddFile("a.txt", "alpha\r\n");
    AddFile("0binary.dat", std::string(3000, '\x02'));
    AddFile("big.txt", WordLines(2858 * 7, "omega\r\n"));
    // A name in an old 8-bit encoding ("café" in Latin-1) is read all the same.
    AddFile("caf\xE9.txt", "alpha\r\n");
    OutputFile();
    std::vector<std::u16string> bars;
    std::u16string folderBar;
    host.onYield = [&] {
        if (!countRun.ProcessingFolder())
            return;
        folderBar = host.labels["lblNumOccurrences"];
        const std::u16string& bar = host.labels["lblTotalNumOccurrences"];
        if (!bar.empty() && bar[0] == u'[' && (bars.empty() || bars.back() != bar))
            bars.push_back(bar);
    };
    EXPECT_EQ(RunOutcome::Produced, Go());
    EXPECT_EQ(Lines{}, Shown());
    EXPECT_EQ((Lines{"alpha=2", "omega=2858"}), Counts());
    EXPECT_EQ(4, report.lngNumFilesScanned);
    // The within-file bar of the big file ran from empty to full; so did the folder bar.
    ASSERT_GE(bars.size(), 3u);
    EXPECT_EQ(N(EmptyProgressBar()), N(bars.front()));
    EXPECT_EQ("[" + std::string(39, '-') + ">]", N(bars.back()));
    EXPECT_EQ("[" + std::string(39, '-') + ">]", N(folderBar));
    EXPECT_NE(shell.fonts.end(), std::find(shell.fonts.begin(), shell.fonts.end(),
                                           "lblTotalNumOccurrences:Courier New:10"));
    unsetenv("LXTY_THREADS");
}

TEST_F(CountRunFolderTest, CountArrayFileLimit) {
    for (int i = 0; i <= 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.txt", i);
        std::ofstream(dir / "texts" / name) << "w";
    }
    OutputFile();
    int written = 0;
    countRun.Hooks().writeCountArray = [&] { return ++written > 0; };
    EXPECT_EQ(RunOutcome::Refused, Go(CountMode::AllWords, true));
    g.Add("10,001 files", Said());
    // One file fewer is accepted: the processing pass starts (and is stopped at its first
    // file, to keep the test quick).
    settings.FileFilepathSpecifications[1] = u"f10000";
    bool processing = false;
    StopWhen([&] {
        if (!countRun.ProcessingFolder())
            return false;
        processing = true;
        EXPECT_EQ(10000, countRun.FilesToProcess());
        return true;
    });
    EXPECT_EQ(RunOutcome::Stopped, Go(CountMode::AllWords, true));
    EXPECT_TRUE(processing);
    EXPECT_EQ(Lines{}, Shown()); // no question about a partial count array
    EXPECT_EQ(0, written);
}

} // namespace
} // namespace lxty
