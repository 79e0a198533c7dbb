// Counting all phrases as chains of word ids gives what handing every phrase text to the word
// table gives: the same entries, counts, per-file data, totals and report, over ranges and
// minimum occurrences, phrase boundaries, single-word phrases, folders, phrases too long to
// count, phrases that differ only in case or accents, and a stopped run. The count goes
// through the count session, wired as the windows and the command line use it.

#include "run/CountSession.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lxty::test::FakeHost;

namespace lxty {
namespace {

// Text with many repeated phrases of every length, phrase boundaries (periods, commas,
// double quotes, tabs, line ends), case and accent variants of the same words, and now and
// then a very long word that makes the phrases around it too long to count.
std::string MakeText(unsigned seed, int lines, bool variants) {
    std::vector<std::string> words = {"the", "lord",   "said", "unto", "moses",  "and",
                                      "of",  "israel", "land", "god",  "people", "house"};
    if (variants) {
        words.insert(words.end(), {"The", "LORD", "caf\xc3\xa9", "cafe", "Caf\xc3\xa9",
                                   "na\xc3\xafve", "naive"});
    }
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
    std::vector<std::string> entries;
    std::int64_t total = 0;
    std::int64_t distinct = 0;
    std::int64_t included = 0;
    std::int64_t excluded = 0;
    std::int64_t occurrences = 0;
    std::string report;
    std::string window; // the text window at the end
    bool chainsUsed = false;
};

class PhraseChainsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat").Loaded());
    }
    PhraseChainsTest() { fs::create_directories(m_dir / "texts"); }

    void AddFile(const std::string& name, const std::string& bytes) {
        std::ofstream out(m_dir / "texts" / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    Outcome Run(bool chains, const std::function<void(Settings&)>& set,
                const std::function<void(FakeHost&, RunState&)>& during = {}) {
        FakeHost host;
        CountSession session(host, fs::path(LXTY_DATA_DIR));
        Settings& s = session.settings;
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(m_dir / "texts"))
            files.push_back(e.path());
        if (files.size() == 1) {
            s.Source = SourceKind::InFile;
            s.File[0] = Utf8ToU16(files[0].string());
        } else {
            s.Source = SourceKind::Folder;
            s.Folder = Utf8ToU16((m_dir / "texts").string());
        }
        s.File[1] = Utf8ToU16((m_dir / "out.txt").string());
        s.CommonWordsLanguages = 0;
        set(s);
        session.phraseCounter.SetChains(chains);
        host.answers.assign(8, MsgAnswer::Yes);
        if (during)
            during(host, session.state);
        session.CountPhrases();

        Outcome o;
        const WordTable& t = session.table;
        for (std::int64_t i = 1; i <= t.Size(); ++i) {
            const WordEntry& e = t.Entry(i);
            if (!e.included)
                continue; // entries left out of the table are excluded ones
            std::string line = U16ToUtf8(e.word) + "=" + std::to_string(e.count);
            e.ForEachFile([&](const FileCount& f) {
                line += "@" + std::to_string(f.fileNumber) + ":" + std::to_string(f.count);
            });
            o.entries.push_back(line);
        }
        const RunState& r = session.state;
        o.total = r.lngTotalNumOccurrences;
        o.distinct = r.lngNumWords;
        o.included = r.lngNumWordsIncluded;
        o.excluded = r.lngNumWordsExcluded;
        o.occurrences = r.lngNumOccurrences;
        std::ifstream in(m_dir / "out.txt", std::ios::binary);
        o.report.assign(std::istreambuf_iterator<char>(in), {});
        o.chainsUsed = session.phraseCounter.SubphrasesExcluded();
        o.window = U16ToUtf8(host.textWindow);
        return o;
    }

    void ExpectSame(const std::function<void(Settings&)>& set, const std::string& what,
                    bool chainsExcluded = true) {
        const Outcome slow = Run(false, set);
        const Outcome fast = Run(true, set);
        EXPECT_FALSE(slow.chainsUsed) << what;
        EXPECT_EQ(chainsExcluded, fast.chainsUsed) << what;
        EXPECT_GT(slow.entries.size(), 20u) << what;
        EXPECT_EQ(slow.entries, fast.entries) << what;
        EXPECT_EQ(slow.total, fast.total) << what;
        EXPECT_EQ(slow.distinct, fast.distinct) << what;
        EXPECT_EQ(slow.included, fast.included) << what;
        EXPECT_EQ(slow.excluded, fast.excluded) << what;
        EXPECT_EQ(slow.occurrences, fast.occurrences) << what;
        EXPECT_EQ(slow.report, fast.report) << what;
        EXPECT_EQ(slow.window, fast.window) << what;
    }

    test::TempDir m_dir{"lxty-chains"};
};

struct RangeCase {
    const char* name;
    std::function<void(Settings&)> set;
};

TEST_F(PhraseChainsTest, RangesMinimaAndBoundaries) {
    AddFile("in.txt", MakeText(1, 1500, false));
    const std::vector<RangeCase> cases = {
        {"3 to 6 words, at least twice", [](Settings&) {}},
        {"2 words only",
         [](Settings& s) {
             s.PhraseLength = {1, 1};
         }},
        {"1 to 4 words",
         [](Settings& s) {
             s.PhraseLength = {0, 3};
         }},
        {"2 to 25 words, at least 5 times",
         [](Settings& s) {
             s.PhraseLength = {1, 24};
             s.MinimumFrequency = 4;
         }},
        {"once is enough, alphabetical",
         [](Settings& s) {
             s.MinimumFrequency = 0;
             s.WordOrder = 1;
         }},
        {"no boundaries but line ends",
         [](Settings& s) {
             s.TerminatePhraseAtPeriod = 0;
             s.TerminatePhraseAtDoubleQuote = 0;
             s.TerminatePhraseAtTab = 0;
             s.TerminatePhraseAtEndOfLine = 1;
         }},
        {"commas end phrases, case significant",
         [](Settings& s) {
             s.TerminatePhraseAtComma = 1;
             s.CaseSignificant = 1;
         }},
    };
    for (const RangeCase& c : cases)
        ExpectSame(c.set, c.name);
}

// Words to ignore: phrases made only of them, or holding one, are left uncounted by chains as
// by texts; removing them from phrases keeps the text path.
TEST_F(PhraseChainsTest, EachTreatmentOfWordsToIgnore) {
    AddFile("in.txt", MakeText(6, 1500, false));
    struct Treatment {
        const char* name;
        WordsToIgnoreInPhrasesKind kind;
        bool chains;
    };
    const Treatment treatments[] = {
        {"allow phrases of words to ignore only",
         WordsToIgnoreInPhrasesKind::AllowPhrasesAllWordsToIgnore, true},
        {"exclude phrases of words to ignore only",
         WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore, true},
        {"exclude phrases with a word to ignore",
         WordsToIgnoreInPhrasesKind::ExcludePhrasesWithWordToIgnore, true},
        {"remove words to ignore", WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore, false},
    };
    for (const Treatment& t : treatments) {
        for (const int minimum : {0, 2}) { // phrases of 1 and of 3 words at least
            ExpectSame(
                [&](Settings& s) {
                    s.WordsToIgnoreOrCount[0] = u"the of and unto";
                    s.WordsToIgnoreInPhrases = t.kind;
                    s.PhraseLength = {minimum, 5};
                    s.WordOrder = 1;
                },
                std::string(t.name) + ", minimum " + std::to_string(minimum + 1), t.chains);
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
    const Outcome slow = Run(false, [](Settings&) {});
    const Outcome fast = Run(true, [](Settings&) {});
    EXPECT_TRUE(fast.chainsUsed);
    EXPECT_TRUE(slow.entries.empty());
    EXPECT_EQ(slow.entries, fast.entries);
    EXPECT_EQ(slow.distinct, fast.distinct);
    EXPECT_EQ(slow.excluded, fast.excluded);
    EXPECT_EQ(slow.included, fast.included);
    EXPECT_EQ(slow.report, fast.report);
    EXPECT_EQ(slow.window, fast.window);
}

TEST_F(PhraseChainsTest, StoppedRunListsEveryPhraseCounted) {
    AddFile("in.txt", MakeText(5, 2000, false));
    const auto stopAt = [](FakeHost& host, RunState& run) {
        host.onYield = [&run] {
            if (run.lngNumWords >= 3000)
                run.blnStop = true;
        };
    };
    const Outcome slow = Run(
        false, [](Settings&) {}, stopAt);
    const Outcome fast = Run(
        true, [](Settings&) {}, stopAt);
    EXPECT_GE(slow.distinct, 3000);
    EXPECT_EQ(slow.entries, fast.entries);
    EXPECT_EQ(slow.total, fast.total);
    EXPECT_EQ(slow.report, fast.report);
    EXPECT_FALSE(fast.chainsUsed);
}

} // namespace
} // namespace lxty
