// The concordance lists exactly the occurrences a count counts: for every entry of a count's
// results its hits number the entry's frequency, whatever the counter (all words with plurals
// reduced, specified words and phrases, all phrases), and each hit names its file and line.
// And the count session as both programs drive it: figures on the main window's labels that
// belong to an earlier operation never stand beside the results of a later one.

#include "run/Concordance.h"
#include "run/CountSession.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace fs = std::filesystem;

namespace lxty {
namespace {

struct Rig {
    test::FakeHost host;
    CountSession session{host, fs::path(LXTY_DATA_DIR)};
    Rig() {
        LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat");
        InitializeRecord(session.settings, session.state);
        session.state.blnStartUpCompleted = true;
        session.settings.SuppressWords = 1;
    }
    void Source(const fs::path& p) {
        session.settings.Source = fs::is_directory(p) ? SourceKind::Folder : SourceKind::InFile;
        session.settings.Folder = session.settings.File[0] = Utf8ToU16(p.string());
        // A folder run wants an output file.
        session.settings.File[1] = Utf8ToU16((p.parent_path() / "report.out").string());
    }
    RunOutcome Count(CountMode mode) {
        return mode == CountMode::AllPhrases ? session.CountPhrases() : session.Count(mode);
    }
    std::string Messages() const {
        std::string all;
        for (const auto& m : host.messages)
            all += U16ToUtf8(m.title + u": " + m.text) + "\n";
        return all;
    }
};

void Write(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// Counts with rig's settings, then lists the concordance of every included entry (at most
// `most`, spread over the ranks) in a second session set up from the first, and compares.
void ExpectHitsEqualFrequencies(Rig& counted, CountMode mode, std::size_t most = 100000) {
    ASSERT_EQ(RunOutcome::Produced, counted.Count(mode)) << counted.Messages();
    std::map<std::u16string, std::int64_t> frequency;
    const auto& entries = counted.session.table.Entries();
    const std::size_t step = std::max<std::size_t>(1, entries.size() / most);
    for (std::size_t i = 0; i < entries.size(); i += step)
        if (entries[i].included)
            frequency[entries[i].word] = entries[i].count;
    ASSERT_FALSE(frequency.empty());

    test::FakeHost host;
    CountSession again(host, fs::path(LXTY_DATA_DIR));
    CopySessionForConcordance(counted.session, again);
    std::vector<std::u16string> asked;
    for (const auto& [word, n] : frequency)
        asked.push_back(word);
    std::map<std::u16string, std::int64_t> hits;
    Concordance concordance(again);
    EXPECT_EQ(RunOutcome::Produced,
              concordance.Run(mode, asked, 10, [&](const ConcordanceHit& hit) {
                  ++hits[asked[hit.entry]];
                  EXPECT_FALSE(hit.match.empty());
              }));
    EXPECT_EQ(frequency, hits);
}

// A text with plurals, capitals, punctuation and repeated phrases, over several lines.
std::string GeneratedText(int lines, unsigned seed) {
    static const char* const kWords[] = {
        "Lord", "lords",  "the",    "of",       "The",  "fly",  "flies", "box",   "boxes",
        "mice", "mouse",  "wish,",  "wishes",   "sea.", "Sea",  "don't", "x-ray", "ox",
        "oxen", "of the", "city's", "(cities)", "42",   "it's", "a"};
    std::mt19937 random(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        const int n = 1 + static_cast<int>(random() % 14);
        for (int w = 0; w < n; ++w)
            text += std::string(w ? " " : "") + kWords[random() % std::size(kWords)];
        text += l % 3 ? "\n" : "\r\n";
    }
    return text;
}

TEST(Concordance, HitsEqualFrequenciesInEveryCount) {
    test::TempDir dir("lxty-concordance");
    fs::create_directories(dir / "folder" / "sub");
    Write(dir / "one.txt", GeneratedText(400, 1));
    Write(dir / "folder" / "a.txt", GeneratedText(200, 2));
    // Files large enough that a plain count reads them on several threads (the concordance
    // reads them on one).
    fs::create_directories(dir / "big");
    for (unsigned i = 0; i < 3; ++i)
        Write(dir / "big" / ("t" + std::to_string(i) + ".txt"), GeneratedText(6000, 10 + i));
    Write(dir / "folder" / "sub" / "b.htm",
          "<html><body><p>The lords &amp; the <b>seas</b> of the city</p>\n<!-- lord "
          "-->lord</body></html>\n");
    struct Case {
        const char* name;
        const char* source;
        CountMode mode;
        std::function<void(Settings&)> set;
    };
    const Case cases[] = {
        {"all words, plurals reduced", "one.txt", CountMode::AllWords, [](Settings&) {}},
        {"case kept, plurals kept", "one.txt", CountMode::AllWords,
         [](Settings& s) {
             s.CaseSignificant = 1;
             s.DropFinalS = 0;
         }},
        {"words to ignore", "one.txt", CountMode::AllWords,
         [](Settings& s) { s.WordsToIgnoreOrCount[0] = u"the, of"; }},
        {"folder with markup", "folder", CountMode::AllWords, [](Settings&) {}},
        {"folder of large files", "big", CountMode::AllWords, [](Settings&) {}},
        {"specified words and a phrase", "folder", CountMode::SpecifiedWords,
         [](Settings& s) { s.WordsToIgnoreOrCount[1] = u"lord, of the, fly, boxes"; }},
        {"all phrases", "one.txt", CountMode::AllPhrases,
         [](Settings& s) {
             s.PhraseLength = {1, 3};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Source(dir / c.source);
        c.set(rig.session.settings);
        ExpectHitsEqualFrequencies(rig, c.mode);
    }
}

TEST(Concordance, ListsEachOccurrenceWithFileLineAndContext) {
    test::TempDir dir("lxty-concordance");
    fs::create_directories(dir / "f");
    Write(dir / "f" / "a.txt", "  In the beginning the Lord\n\nmade lords, and LORD's day.\n");
    Write(dir / "f" / "b.txt", "lord\tof the lords of the sea\n");
    Write(dir / "f" / "c.htm", "<!DOCTYPE html>\n<html><head>\n<title>lord</title>\n</head><body>\n"
                               "<p>lord</p>\n</body></html>\n");
    Rig rig;
    rig.Source(dir / "f");
    const std::string a = (dir / "f" / "a.txt").string(), b = (dir / "f" / "b.txt").string(),
                      c = (dir / "f" / "c.htm").string();
    struct Case {
        CountMode mode;
        const char16_t* countOnly;
        const char* entry;
        int context;
        std::vector<std::string> lines;
    };
    for (const Case& c : {
             Case{CountMode::AllWords,
                  u"",
                  "lord",
                  6,
                  {a + ":1: g the [Lord]", a + ":3:  made [lords], and ",
                   a + ":3: , and [LORD]'s day", b + ":1:       [lord] of th",
                   b + ":1: f the [lords] of th", c + ":5:    <p>[lord]</p>"}},
             // Words of the count-only list are not reduced to the singular in an all-words
             // count: the concordance agrees.
             Case{CountMode::AllWords,
                  u"lord, of the",
                  "lord",
                  1,
                  {a + ":1:  [Lord]", a + ":3:  [LORD]'", b + ":1:  [lord] ", c + ":5: >[lord]<"}},
             Case{CountMode::SpecifiedWords,
                  u"lord, of the",
                  "of the",
                  3,
                  {b + ":1: rd [of the] lo", b + ":1: ds [of the] se"}},
             Case{CountMode::AllWords, u"", "made", 0, {a + ":3: [made]"}},
         }) {
        SCOPED_TRACE(c.entry);
        rig.session.settings.WordsToIgnoreOrCount[1] = c.countOnly;
        std::vector<std::string> lines;
        Concordance concordance(rig.session);
        EXPECT_EQ(RunOutcome::Produced,
                  concordance.Run(c.mode, Utf8ToU16(c.entry), c.context,
                                  [&](const ConcordanceHit& hit) {
                                      lines.push_back(U16ToUtf8(FormatHit(hit, c.context)));
                                  }))
            << rig.Messages();
        EXPECT_EQ(c.lines, lines);
        EXPECT_EQ(static_cast<std::int64_t>(c.lines.size()), concordance.Hits());
    }
}

TEST(Concordance, StreamTextCountsItsLines) {
    std::istringstream in("alpha beta\r\ngamma\n\nbeta  delta\rbeta");
    Rig rig;
    rig.session.settings.Source = SourceKind::OnClipboard;
    rig.session.run.SetTextStream(&in);
    std::vector<std::string> lines;
    Concordance concordance(rig.session);
    EXPECT_EQ(RunOutcome::Produced,
              concordance.Run(CountMode::AllWords, u"beta", 5, [&](const ConcordanceHit& hit) {
                  lines.push_back(U16ToUtf8(FormatHit(hit, 5)));
              }));
    EXPECT_EQ(
        (std::vector<std::string>{"-:1: lpha [beta]", "-:4:      [beta]  del", "-:5:      [beta]"}),
        lines);
}

TEST(Concordance, StopEndsTheRunAfterTheCurrentWord) {
    test::TempDir dir("lxty-concordance");
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "word other\n";
    Write(dir / "w.txt", text);
    Rig rig;
    rig.Source(dir / "w.txt");
    Concordance concordance(rig.session);
    concordance.Run(CountMode::AllWords, u"word", 2, [&](const ConcordanceHit&) {
        if (concordance.Hits() == 3)
            concordance.Stop();
    });
    EXPECT_EQ(3, concordance.Hits());
}

// The King James Bible from Debian's bible-kjv-text, when the `bible` program is installed.
TEST(Concordance, HitsEqualFrequenciesOverTheKingJamesBible) {
    test::TempDir dir("lxty-concordance");
    const fs::path kjv = dir / "kjv.txt";
    const std::string command = "bible -l80 'Gen1:1-Rev22:21' > '" + kjv.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0 || !fs::exists(kjv) || fs::file_size(kjv) < 4000000)
        GTEST_SKIP() << "the bible program (Debian bible-kjv) is not installed";
    for (const auto& [mode, count] :
         {std::pair{CountMode::AllWords, u""},
          std::pair{CountMode::SpecifiedWords, u"lord, god, the lord, of the, children"}}) {
        Rig rig;
        rig.Source(kjv);
        rig.session.settings.WordsToIgnoreOrCount[1] = count;
        ExpectHitsEqualFrequencies(rig, mode, 400);
    }
}

TEST(CountSession, NoStaleFiguresBesideLaterResults) {
    ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    test::TempDir dir("lxty-session");
    {
        std::ofstream words(dir / "ignore.txt", std::ios::binary);
        for (int i = 0; i < 315; ++i) // the read progress says "so far" every 10 words
            words << "w" << static_cast<char>('a' + i % 26) << static_cast<char>('a' + i / 26)
                  << "x\n";
    }
    test::FakeHost host;
    CountSession session(host, fs::path(LXTY_DATA_DIR));
    session.state.blnStartUpCompleted = true;
    host.answers.assign(4, MsgAnswer::No);

    // A word list read ends with its report; the read's progress figure is gone.
    ASSERT_TRUE(session.wordLists.AddWordsFilePath(0, Utf8ToU16((dir / "ignore.txt").string())));
    EXPECT_EQ(u"315 words-to-ignore loaded", session.textWindow.Text());
    EXPECT_EQ(u"", host.labels["lblNumberOfWords"]);

    // A clipboard count shows no size of the file counted before it.
    host.labels["lblFilesize"] = u"Filesize: 200 Kb";
    host.labels["lblXMLsize"] = u"Text: 190 Kb";
    session.settings.Source = SourceKind::OnClipboard;
    host.clipboard = u"alpha beta gamma";
    EXPECT_EQ(RunOutcome::Produced, session.Count(CountMode::AllWords));
    EXPECT_EQ(u"", host.labels["lblFilesize"]);
    EXPECT_EQ(u"", host.labels["lblXMLsize"]);
}

} // namespace
} // namespace lxty
