// All-phrases counts through the count session, wired as the windows and the command line use
// it. Counting phrases as chains of word ids gives what handing every phrase text to the word
// table gives: the same entries, counts, per-file data, totals and report, over ranges and
// minimum occurrences, phrase boundaries, single-word phrases, folders, phrases too long to
// count, phrases that differ only in case or accents, and a stopped run. Small clipboard counts
// are compared in full, both ways: the summary sentence, the exclusions, the (filtered) report.

#include "run/CountSession.h"

#include "ReportRig.h"

#include <random>

namespace lxty {
namespace {

using test::FakeHost;
using test::N;

// Text with many repeated phrases of every length, phrase boundaries (periods, commas,
// double quotes, tabs, line ends), case and accent variants of the same words, and now and
// then a very long word that makes the phrases around it too long to count.
std::string MakeText(unsigned seed, int lines, bool variants) {
    std::vector<std::string> words = {"the", "lord",   "said", "unto", "moses",  "and",
                                      "of",  "israel", "land", "god",  "people", "house"};
    if (variants)
        words.insert(words.end(), {"The", "LORD", "caf\xc3\xa9", "cafe", "Caf\xc3\xa9",
                                   "na\xc3\xafve", "naive"});
    const std::vector<std::string> after = {" ", " ", " ", " ", " ", ". ", ", ", "\" ", "\t"};
    std::mt19937 rng(seed);
    std::string text;
    for (int l = 0; l < lines; ++l) {
        const int n = 3 + static_cast<int>(rng() % 12);
        // Lines often repeat a stretch of the one before, so phrases come again.
        std::mt19937 stretch(static_cast<unsigned>(rng() % 40));
        for (int w = 0; w < n; ++w) {
            std::mt19937& r = (w < n / 2) ? stretch : rng;
            text += words[r() % words.size()];
            text += after[r() % after.size()];
        }
        if (l % 50 == 7)
            text += std::string(90, 'x') + " ";
        text += "\n";
    }
    return text;
}

struct Outcome {
    std::vector<std::string> entries; // included entries, with their per-file counts
    std::string figures;              // the run's totals
    std::string report, window;       // the output file, the text window at the end
    std::vector<std::string> shown;
    bool chainsUsed = false;
};

using Setter = std::function<void(Settings&)>;
using During = std::function<void(FakeHost&, RunState&)>;

// Phrases of the lengths at the list indices first to last (0: one word), with the minimum
// occurrences at its index when one is given.
Setter Lengths(int first, int last, int minimum = -1) {
    return [=](Settings& s) {
        s.PhraseLength = {first, last};
        s.MinimumFrequency = minimum < 0 ? s.MinimumFrequency : minimum;
    };
}

class PhraseChainsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }

    void AddFile(const std::string& name, const std::string& bytes) {
        test::WriteBytes(m_dir / "texts" / name, bytes);
    }

    // One all-phrases count of the files written so far (a folder when there are several),
    // or of the clipboard text when there are none; then the filter words relisted, if any.
    Outcome Run(bool chains, const Setter& set, const During& during = {},
                const std::u16string& clipboard = {}, const std::u16string& relistFilter = {}) {
        FakeHost host;
        CountSession session(host, fs::path(LXTY_DATA_DIR));
        Settings& s = session.settings;
        std::vector<fs::path> files;
        if (fs::exists(m_dir / "texts"))
            for (const auto& e : fs::directory_iterator(m_dir / "texts"))
                files.push_back(e.path());
        if (files.empty()) {
            s.Source = SourceKind::OnClipboard;
            s.DropFinalS = 0;
            host.clipboard = clipboard;
        } else if (files.size() == 1) {
            s.Source = SourceKind::InFile;
            s.File[0] = TextFromPath(files[0]);
        } else {
            s.Source = SourceKind::Folder;
            s.Folder = TextFromPath(m_dir / "texts");
        }
        if (!files.empty())
            s.File[1] = TextFromPath(m_dir / "out.txt");
        s.CommonWordsLanguages = 0;
        set(s);
        session.phraseCounter.SetChains(chains);
        session.state.blnStartUpCompleted = true; // as the window leaves it, for the filter button
        host.answers.assign(8, MsgAnswer::Yes);
        if (during)
            during(host, session.state);
        session.CountPhrases();
        Outcome o;
        if (!relistFilter.empty()) {
            o.window = N(host.textWindow) + "\n---\n";
            s.FilterWords = relistFilter;
            EXPECT_TRUE(session.FilterPhrases());
        }
        o.entries = test::Entries(session.table, true, true);
        const RunState& r = session.state;
        o.figures =
            "total " + std::to_string(r.lngTotalNumOccurrences) + ", distinct " +
            std::to_string(r.lngNumWords) + ", included " + std::to_string(r.lngNumWordsIncluded) +
            ", excluded " + std::to_string(r.lngNumWordsExcluded) + ", occurrences " +
            std::to_string(r.lngNumOccurrences) + ", filter words '" + N(s.FilterWords) + "'";
        o.report = test::ReadBytes(m_dir / "out.txt");
        o.chainsUsed = session.phraseCounter.SubphrasesExcluded();
        o.window += N(host.textWindow);
        o.shown = test::Shown(host);
        return o;
    }

    // Both ways; returns the text way's outcome after comparing the chain way's with it.
    Outcome ExpectSame(const Setter& set, const std::string& what, bool chainsExcluded = true,
                       std::size_t minEntries = 21, const During& during = {}) {
        SCOPED_TRACE(what);
        const Outcome slow = Run(false, set, during);
        const Outcome fast = Run(true, set, during);
        EXPECT_FALSE(slow.chainsUsed);
        EXPECT_EQ(chainsExcluded, fast.chainsUsed);
        EXPECT_GE(slow.entries.size(), minEntries);
        EXPECT_EQ(slow.entries, fast.entries);
        EXPECT_EQ(slow.figures, fast.figures);
        EXPECT_EQ(slow.report, fast.report);
        EXPECT_EQ(slow.window, fast.window);
        return slow;
    }

    test::TempDir m_dir{"lxty-chains"};
};

TEST_F(PhraseChainsTest, RangesMinimaAndBoundaries) {
    AddFile("in.txt", MakeText(1, 1500, false));
    const std::vector<std::pair<const char*, Setter>> cases = {
        {"3 to 6 words, at least twice", [](Settings&) {}},
        {"2 words only", Lengths(1, 1)},
        {"1 to 4 words", Lengths(0, 3)},
        {"2 to 25 words, at least 5 times", Lengths(1, 24, 4)},
        {"once is enough, alphabetical",
         [](Settings& s) {
             s.MinimumFrequency = 0;
             s.WordOrder = 1;
         }},
        {"no boundaries but line ends",
         [](Settings& s) {
             s.TerminatePhraseAtPeriod = s.TerminatePhraseAtDoubleQuote = 0;
             s.TerminatePhraseAtTab = 0;
             s.TerminatePhraseAtEndOfLine = 1;
         }},
        {"commas end phrases, case significant",
         [](Settings& s) { s.TerminatePhraseAtComma = s.CaseSignificant = 1; }},
    };
    for (const auto& [name, set] : cases)
        ExpectSame(set, name);
}

// Words to ignore: phrases made only of them, or holding one, are left uncounted by chains as
// by texts; removing them from phrases keeps the text path.
TEST_F(PhraseChainsTest, EachTreatmentOfWordsToIgnore) {
    AddFile("in.txt", MakeText(6, 1500, false));
    using K = WordsToIgnoreInPhrasesKind;
    const std::pair<K, bool> treatments[] = {{K::AllowPhrasesAllWordsToIgnore, true},
                                             {K::ExcludePhrasesAllWordsToIgnore, true},
                                             {K::ExcludePhrasesWithWordToIgnore, true},
                                             {K::RemoveWordsToIgnore, false}};
    for (const auto& [kind, chains] : treatments) {
        for (const int minimum : {0, 2}) { // phrases of 1 and of 3 words at least
            const K k = kind;
            ExpectSame(
                [&](Settings& s) {
                    s.WordsToIgnoreOrCount[0] = u"the of and unto";
                    s.WordsToIgnoreInPhrases = k;
                    s.PhraseLength = {minimum, 5};
                    s.WordOrder = 1;
                },
                "treatment " + std::to_string(static_cast<int>(kind)) + ", minimum " +
                    std::to_string(minimum + 1),
                chains);
        }
    }
}

TEST_F(PhraseChainsTest, FolderKeepsPerFileCounts) {
    AddFile("a.txt", MakeText(2, 600, false));
    AddFile("b.txt", MakeText(3, 40, false));
    AddFile("c.txt", MakeText(2, 600, false));
    ExpectSame([](Settings& s) { s.DisplayFormat = 12; }, "folder");
}

// Phrases that differ only in case or accents share a sort key: their order comes from the
// sort of the whole table, so every phrase goes into the table and the exclusions run there.
TEST_F(PhraseChainsTest, SortKeysSharedByVariantsKeepEveryPhrase) {
    AddFile("in.txt", MakeText(4, 1500, true));
    ExpectSame([](Settings& s) { s.CaseSignificant = 1; }, "variants", false);
}

// No phrase occurs twice: every phrase is left out of the table, which the report and the
// totals must not show.
TEST_F(PhraseChainsTest, NoPhraseOccursTwice) {
    std::string text;
    for (int i = 0; i < 400; ++i) {
        text += "w";
        for (int v = i; v > 0; v /= 26)
            text.push_back(static_cast<char>('a' + v % 26));
        text += " ";
    }
    AddFile("in.txt", text + "\r\n");
    ExpectSame([](Settings&) {}, "unique", true, 0);
}

TEST_F(PhraseChainsTest, StoppedRunListsEveryPhraseCounted) {
    AddFile("in.txt", MakeText(5, 2000, false));
    const Outcome o = ExpectSame([](Settings&) {}, "stopped", false, 21,
                                 [](FakeHost& host, RunState& run) {
                                     host.onYield = [&run] {
                                         if (run.lngNumWords >= 3000)
                                             run.blnStop = true;
                                     };
                                 });
    EXPECT_NE(std::string::npos, o.figures.find("distinct 3")) << o.figures;
}

// Small counts of the clipboard compared in full, the text way and the chain way.
TEST_F(PhraseChainsTest, ClipboardCountsInFull) {
    const std::u16string cars = u"The big red car. The big red car. A big red car.";
    const std::string head2to3 = "There are 2 phrases with 2 to 3 words which occur at least "
                                 "twice.\n\n";
    const std::string columns = "     Rank      Freq  Phrase [longest has 11 characters]\n";
    struct Case {
        const char* name;
        std::u16string text, relistFilter;
        Setter set;
        std::string window;
    };
    const Case cases[] = {
        // "big red", "red car" (3 each) lie inside "big red car" (3); "the big" (2) inside
        // "the big red" (2); "a big", "a big red" occur once.
        {"2 to 3 words, at least twice", cars, u"", Lengths(1, 2, 1),
         head2to3 + columns +
             "        1         3  big red car\n"
             "        2         2  the big red\n"},
        {"filtered, then relisted by the filter button", cars, u"CAR",
         [](Settings& s) {
             Lengths(1, 2, 1)(s);
             s.FilterWords = u" The! ";
         },
         head2to3 +
             "Phrase filtering (all filter words) has been applied.\nFilter words: "
             "the\n\n" +
             columns + "        2         2  the big red\n\n---\n" + head2to3 +
             "Phrase filtering (all filter words) has been applied.\nFilter words: car\n\n" +
             columns + "        1         3  big red car\n"},
        {"nothing found", u"one two three", u"", Lengths(1, 2, 1),
         "There are no phrases with 2 to 3 words which occur at least twice.\n\n"},
        {"removing words to ignore", cars, u"",
         [](Settings& s) {
             s.WordsToIgnoreOrCount[0] = u"the a";
             s.WordsToIgnoreInPhrases = WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore;
             Lengths(1, 1, 2)(s);
         },
         "There are 2 phrases of 2 words which occur at least 3 times when words to ignore "
         "are excluded.\n\n     Rank      Freq  Phrase [longest has 7 characters]\n"
         "        1         3  big red\n        2         3  red car\n"},
    };
    for (const auto& c : cases) {
        for (const bool chains : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (chains ? ", chains" : ", texts"));
            const Outcome o = Run(chains, c.set, {}, c.text, c.relistFilter);
            EXPECT_EQ(std::vector<std::string>{}, o.shown);
            EXPECT_EQ(c.window, o.window);
        }
    }
}

} // namespace
} // namespace lxty
