// The word table, GetWords2 / AddWordToList, the exclusions, the alphabetical order, the
// summary pass, the frequency chain and the totals labels. The fast table is compared with a
// step-by-step reference (WordTableReference.h) on generated text.

#include "engine/WordTable.h"

#include "Transcript.h"
#include "WordTableReference.h"
#include "base/RunState.h"
#include "engine/WordsToIgnore.h"
#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace lxty {

void PrintTo(const WordEntry& e, std::ostream* os) {
    *os << "{word \"" << U16ToUtf8(e.word) << "\", key \"" << U16ToUtf8(e.SortKey()) << "\", count "
        << e.count << ", rank " << e.frequencyRank << ", next " << e.nextInFrequencyOrder
        << ", included " << e.included << ", files [";
    for (const auto& f : e.Files())
        *os << " " << f.fileNumber << ":" << f.count;
    *os << " ]}";
}

void PrintTo(const std::u16string& s, std::ostream* os) {
    *os << '"' << U16ToUtf8(s) << '"';
}

namespace {

using test::FakeHost;
using test::ReferenceWordTable;

// A text window that records what it was given.
class RecordingTextWindow : public TextWindowSink {
public:
    std::u16string text;
    int clears = 0;
    void Append(const std::u16string& t) override { text += t; }
    std::int64_t Length() const override { return static_cast<std::int64_t>(text.size()); }
    void Clear() override {
        text.clear();
        ++clears;
    }
};

struct Rig {
    Settings settings;
    RunState rs;
    FakeHost host;
    WordTable table;
    WordsToIgnore ignore;
    RecordingTextWindow window;
    WordCounting counting{table, rs, settings, host, window, ignore};

    Rig() {
        settings.Source = SourceKind::InFile;
        settings.SuppressWords = 1;
    }
    void Add(std::initializer_list<std::u16string> words) {
        for (const auto& w : words)
            counting.GetWords2(w);
    }
    std::vector<std::u16string> Words() {
        std::vector<std::u16string> out;
        for (const auto& e : table.Entries())
            out.push_back(e.word);
        return out;
    }
    // Words in frequency order, following the links from the first.
    std::vector<std::u16string> ByFrequency() {
        std::vector<std::u16string> out;
        for (std::int64_t i = table.FirstInFrequencyOrder(); i != 0; i = table.Next(i))
            out.push_back(table.Entry(i).word);
        return out;
    }
    void Finish() {
        table.SortAlphabetically();
        table.FilterWords(settings, rs);
        table.Summarize(rs, host);
        table.BuildFrequencyChain(settings, rs, host,
                                  [this](const std::u16string& t) { window.Append(t); });
    }
};

void ExpectSameEntries(const std::vector<WordEntry>& fast, const std::vector<WordEntry>& ref,
                       const char* stage) {
    ASSERT_EQ(fast.size(), ref.size()) << stage;
    for (std::size_t i = 0; i < fast.size(); ++i)
        if (!(fast[i] == ref[i])) {
            EXPECT_EQ(fast[i], ref[i]) << stage << ": first difference at entry " << i + 1;
            return;
        }
}

// ----------------------------------------------------------------------------------------------
// Fast table against the step-by-step reference

// Words built from a few syllables, in case and accent variants, so that many entries share a
// sort key (Apple/apple, café/cafe, Œuvre/oeuvre, straße/strasse) and many counts tie.
class WordGenerator {
public:
    explicit WordGenerator(unsigned seed) : m_rng(seed) {
        const std::u16string syllables[] = {u"ca", u"fe", u"ba", u"na", u"lo",
                                            u"re", u"oe", u"ss", u"to"};
        std::vector<std::u16string> stems;
        for (const auto& a : syllables)
            for (const auto& b : syllables) {
                stems.push_back(a + b);
                if ((a[0] + b[1]) % 3 == 0)
                    stems.push_back(a + b + u"e");
            }
        for (const auto& stem : stems) {
            m_vocabulary.push_back(stem);
            if (Pick(3) == 0)
                m_vocabulary.push_back(UpperCaseAll(stem));
            if (Pick(2) == 0)
                m_vocabulary.push_back(UpperCaseAll(stem.substr(0, 1)) + stem.substr(1));
            if (Pick(2) == 0)
                m_vocabulary.push_back(Accented(stem));
            if (Pick(4) == 0)
                m_vocabulary.push_back(UpperCaseAll(Accented(stem)));
        }
        std::shuffle(m_vocabulary.begin(), m_vocabulary.end(), m_rng);
    }

    // Skewed towards the front of the vocabulary, so counts range from 1 to hundreds.
    std::u16string Next() {
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(m_rng);
        const auto i =
            static_cast<std::size_t>(u * u * u * static_cast<double>(m_vocabulary.size()));
        return m_vocabulary[std::min(i, m_vocabulary.size() - 1)];
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

private:
    static std::u16string Accented(const std::u16string& stem) {
        std::u16string out;
        for (std::size_t i = 0; i < stem.size(); ++i) {
            // "ä" folds to "ae", a different key from "a".
            const std::pair<std::u16string_view, char16_t> accents[] = {
                {u"oe", u'œ'}, {u"ss", u'ß'}, {u"e", u'é'}, {u"a", u'ä'}, {u"o", u'ô'}};
            const auto* a = std::ranges::find_if(accents, [&](const auto& x) {
                return std::u16string_view(stem).substr(i).starts_with(x.first);
            });
            out += a == std::end(accents) ? stem[i] : a->second;
            i += a == std::end(accents) ? 0 : a->first.size() - 1;
        }
        return out;
    }

    std::mt19937 m_rng;
    std::vector<std::u16string> m_vocabulary;
};

// Generated words counted into the table and the reference (files of up to wordsPerFile words,
// every fourth may stay empty), compared at every stage. The words share sort keys and their
// counts tie, which is where the orders could part.
TEST(WordTableEquivalence, MatchesReferenceAtEveryStage) {
    int equalKeys = 0, tiedCounts = 0;
    const struct {
        unsigned seed;
        bool folder;
        int files, wordsPerFile;
    } cases[] = {{1, true, 40, 300},
                 {2, true, 200, 40},
                 {3, false, 1, 20000},
                 {4, true, 3, 5},
                 {5, false, 1, 1}};
    for (const auto& [seed, folder, files, wordsPerFile] : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Rig rig;
        rig.settings.Source = folder ? SourceKind::Folder : SourceKind::InFile;
        ReferenceWordTable ref;
        WordGenerator gen(seed);

        std::int64_t refFile = 0;
        for (int f = 1; f <= files; ++f) {
            rig.counting.SetCurrentInputPath(u"/corpus/Part" + Utf8ToU16(std::to_string(f)) +
                                             u".txt");
            const int n = gen.Pick(wordsPerFile) + (f % 4 == 0 ? 0 : 1); // some files stay empty
            if (n > 0 && folder)
                ++refFile;
            for (int k = 0; k < n; ++k) {
                const std::u16string w = gen.Next();
                rig.counting.AddWordToList(w);
                ref.Add(w, refFile);
            }
        }
        ASSERT_EQ(rig.rs.lngNumWords, ref.Size());
        ExpectSameEntries(rig.table.Entries(), ref.entries, "counting order");

        rig.table.SortAlphabetically();
        ref.QuickSort(1, ref.Size());
        ExpectSameEntries(rig.table.Entries(), ref.entries, "alphabetical order");
        for (std::int64_t i = 2; i <= ref.Size(); ++i)
            equalKeys += ref.At(i).SortKey() == ref.At(i - 1).SortKey();

        // Exclude about a fifth of the entries, the same ones in both tables.
        for (std::int64_t i = 1; i <= ref.Size(); ++i) {
            const bool keep = gen.Pick(5) != 0;
            rig.table.Entry(i).included = keep;
            ref.At(i).included = keep;
        }
        rig.table.Summarize(rig.rs, rig.host);
        const auto totals = ref.Summarize();
        EXPECT_EQ(std::tie(rig.rs.lngNumWordsIncluded, rig.rs.lngNumWordsExcluded,
                           rig.rs.lngNumOccurrences, rig.rs.lngMaxFrequency, rig.rs.lngMaxNumFiles,
                           rig.rs.intMaxWordLengthFound),
                  std::tie(totals.included, totals.excluded, totals.occurrences,
                           totals.maxFrequency, totals.maxNumFiles, totals.maxWordLength));

        for (int byFiles = 0; byFiles <= 1; ++byFiles) {
            rig.settings.SortByNumberOfFiles = byFiles;
            rig.table.BuildFrequencyChain(rig.settings, rig.rs, rig.host);
            ref.FrequencyChain(byFiles == 1, totals);
            EXPECT_EQ(rig.rs.lngFirstFreq, ref.firstFreq) << "byFiles " << byFiles;
            EXPECT_EQ(rig.table.FirstInFrequencyOrder(), ref.firstFreq);
            ExpectSameEntries(rig.table.Entries(), ref.entries,
                              byFiles ? "chain by files" : "chain by count");
            for (std::int64_t i = ref.firstFreq; i && ref.At(i).nextInFrequencyOrder;
                 i = ref.At(i).nextInFrequencyOrder)
                tiedCounts += ref.At(i).count == ref.At(ref.At(i).nextInFrequencyOrder).count;
        }
    }
    EXPECT_GT(equalKeys, 20);
    EXPECT_GT(tiedCounts, 100);
}

// Ties keep table order in the frequency chain whether the counts lie within reach of the
// number of entries (placed by counting) or far beyond it (sorted).
TEST(WordTableChainTest, TiesKeepTableOrderForSmallAndHugeCounts) {
    for (const std::int64_t scale : {1, 10, 100000}) {
        Rig rig;
        for (const auto& [word, n] :
             {std::pair{u"delta", 2}, {u"alpha", 5}, {u"charlie", 5}, {u"bravo", 1}})
            rig.table.CountMany(word, FileScope::SingleSource, 0,
                                static_cast<std::uint64_t>(n * scale));
        rig.Finish();
        EXPECT_EQ((std::vector<std::u16string>{u"alpha", u"charlie", u"delta", u"bravo"}),
                  rig.ByFrequency())
            << "scale " << scale;
        EXPECT_EQ(2, rig.table.Entry(3).frequencyRank);
    }
}

// ----------------------------------------------------------------------------------------------
// Counting

TEST(WordTableCounting, CountingAfterLayoutContinues) {
    Rig rig;
    rig.Add({u"b", u"a"});
    EXPECT_EQ(rig.table.Entry(1).word, u"a");
    rig.Add({u"c", u"a"});
    EXPECT_EQ(rig.Words(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_EQ(rig.table.Entry(1).count, 2);
}

TEST(WordTableCounting, CopiesCountOnIndependently) {
    WordTable table;
    for (const std::u16string w : {u"b", u"a", u"b"})
        table.Count(w, FileScope::SingleSource, 0);
    WordTable copy(table); // taken while counting
    table.Count(u"c", FileScope::SingleSource, 0);
    copy.Count(u"a", FileScope::SingleSource, 0);
    auto words = [](const WordTable& t) {
        std::vector<std::string> out;
        for (const auto& e : t.Entries())
            out.push_back(U16ToUtf8(e.word) + "=" + std::to_string(e.count));
        return out;
    };
    EXPECT_EQ(words(table), (std::vector<std::string>{"a=1", "b=2", "c=1"}));
    EXPECT_EQ(words(copy), (std::vector<std::string>{"a=2", "b=2"}));
    copy = table;
    EXPECT_EQ(words(copy), words(table));
}

// The 100-character limit (only in count runs without phrase lists) and the 7-bit option,
// which drops a word without counting it as ignored.
TEST(WordTableCounting, WordsDroppedAtTheDoor) {
    test::ExpectCases("engine/wordtable.txt", "Dropped", [](const test::Row& f) {
        Rig rig;
        rig.rs.blnReadingWords = f[0] == u"list";
        rig.rs.blnThereAreCountOnlyWords = rig.rs.blnCountOnlyWordsIncludePhrase =
            f[0] == u"phrase list";
        rig.settings.Only7bitASCII = f[1] == u"7-bit";
        const std::u16string word =
            f[2].starts_with(u"x*") ? std::u16string(std::stoul(U16ToUtf8(f[2].substr(2))), u'x')
                                    : f[2];
        if (f[1] == u"-")
            rig.counting.AddWordToList(word);
        else
            rig.counting.GetWords2(word); // where the 7-bit option acts
        const std::int64_t counted = rig.rs.lngNumWords;
        rig.Finish();
        return std::to_string(counted) + " counted, " + std::to_string(rig.rs.lngNumWordsExcluded) +
               " ignored";
    });
}

TEST(WordTableCounting, WordListEntriesCarryNoFileData) {
    Rig rig;
    rig.rs.blnReadingWords = true;
    rig.settings.Source = SourceKind::Folder;
    rig.counting.SetCurrentInputPath(u"/a.txt");
    rig.Add({u"the", u"the", u"of"});
    EXPECT_EQ(rig.table.Entry(2).count, 2);
    EXPECT_EQ(rig.table.Entry(2).NumFiles(), 0);
    EXPECT_EQ(rig.table.CurrentFileNumber(), 0);
}

TEST(WordTableCounting, SpecifiedWordsModeGoesToItsBranch) {
    Rig rig;
    std::vector<std::u16string> handed;
    rig.counting.SetSpecifiedWordsBranch([&](const std::u16string& w) { handed.push_back(w); });
    rig.rs.blnThereAreCountOnlyWords = true;
    rig.settings.Only7bitASCII = 1;
    rig.ignore.AddTyped(u"alpha");
    rig.Add({u"alpha", u"bêta", u"gamma"});
    EXPECT_EQ(handed, (std::vector<std::u16string>{u"alpha", u"gamma"}));
    EXPECT_EQ(rig.rs.lngNumWords, 0);
}

// ----------------------------------------------------------------------------------------------
// Per-file data

TEST(WordTableFiles, FilesNumberedInOrderOfFirstCountedWord) {
    Rig rig;
    rig.settings.Source = SourceKind::Folder;
    rig.counting.SetCurrentInputPath(u"/Texts/One.txt");
    rig.Add({u"sun", u"moon"});
    rig.counting.SetCurrentInputPath(u"/Texts/One.txt"); // the same path: the same file
    rig.Add({u"sun"});
    rig.counting.SetCurrentInputPath(u"/texts/one.TXT"); // paths are case-sensitive: another
    rig.Add({u"sun"});
    rig.counting.SetCurrentInputPath(u"/texts/empty.txt"); // no counted word: no number
    rig.counting.SetCurrentInputPath(u"/texts/two.txt");
    rig.Add({u"moon"});
    rig.counting.SetCurrentInputPath(u"/texts/three.txt");
    rig.Add({u"sun", u"star", u"sun"});

    EXPECT_EQ(rig.table.NumFilePaths(), 4);
    const std::u16string paths[] = {u"/Texts/One.txt", u"/texts/one.TXT", u"/texts/two.txt",
                                    u"/texts/three.txt", u""};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(rig.table.FilePath(k), paths[k - 1]) << k;
    EXPECT_EQ(rig.Words(), (std::vector<std::u16string>{u"moon", u"star", u"sun"}));
    EXPECT_EQ(rig.table.Entry(1).Files(), (std::vector<FileCount>{{1, 1}, {3, 1}}));
    EXPECT_EQ(rig.table.Entry(2).Files(), (std::vector<FileCount>{{4, 1}}));
    EXPECT_EQ(rig.table.Entry(3).Files(), (std::vector<FileCount>{{1, 2}, {2, 1}, {4, 2}}));
}

// The old table stopped at 10,000 files and 99,999 per file; this one does not, and its totals
// go beyond 32 bits.
TEST(WordTableFiles, NoCapOnFilesOrCounts) {
    WordTable table;
    for (std::int64_t f = 1; f <= 10001; ++f)
        table.Count(u"word", FileScope::Folder, f);
    for (int k = 0; k < 100000; ++k)
        table.Count(u"word", FileScope::Folder, 10001);
    WordEntry& e = table.Entry(1);
    EXPECT_EQ(e.NumFiles(), 10001);
    EXPECT_EQ(e.Files().back(), (FileCount{10001, 100001}));
    EXPECT_EQ(e.count, 110001);
    e.count = 4'000'000'000LL;
    RunState rs;
    FakeHost host;
    table.Summarize(rs, host);
    EXPECT_EQ(rs.lngNumOccurrences, 4'000'000'000LL);
    EXPECT_EQ(rs.lngMaxFrequency, 4'000'000'000LL);
}

// ----------------------------------------------------------------------------------------------
// Exclusions

// Space-separated entries.
std::vector<std::u16string> Entries(const std::u16string& text) {
    std::vector<std::u16string> out;
    for (std::size_t from = 0, at; from < text.size(); from = at + 1) {
        at = std::min(text.find(u' ', from), text.size());
        out.push_back(text.substr(from, at - from));
    }
    return out;
}

TEST(WordTableFilter, RulesAtTheirLimits) {
    test::ExpectCases("engine/wordtable.txt", "Filter", [](const test::Row& f) {
        Rig rig;
        rig.settings.IgnoreInfrequentWords = rig.settings.IgnoreExcessivelyFrequentWords = 1;
        rig.rs.intThresholdFrequency = 2;
        rig.rs.intExcessFrequency = 20;
        for (int k = std::stoi(U16ToUtf8(f[1])); k > 0; --k)
            rig.table.Count(f[0], FileScope::SingleSource, 0);
        rig.table.FilterWords(rig.settings, rig.rs);
        return rig.table.Entry(1).included ? "kept" : "ignored";
    });
}

TEST(WordTableFilter, LengthLimitsFollowTheSelectedEntries) {
    test::ExpectCases("engine/wordtable.txt", "Lengths", [](const test::Row& f) {
        Rig rig;
        rig.settings.IgnoreShortWords = static_cast<int>(test::Number(f[0]));
        rig.settings.ShortWordSize = static_cast<int>(test::Number(f[1]));
        rig.settings.LongWordSize = static_cast<int>(test::Number(f[2]));
        std::u16string word;
        for (int k = 0; k < test::Number(f[3]); ++k)
            word += static_cast<char16_t>(u'a' + k % 3);
        rig.table.Count(word, FileScope::SingleSource, 0);
        rig.table.FilterWords(rig.settings, rig.rs);
        return rig.table.Entry(1).included ? "kept" : "ignored";
    });
}

TEST(WordTableFilter, RulesOffKeepEverything) {
    Rig rig;
    rig.settings.IgnoreShortWords = 0;
    rig.settings.IgnoreRepetitions = 0;
    rig.settings.IgnoreNoLetter = 0;
    rig.rs.intThresholdFrequency = 5;
    rig.rs.intExcessFrequency = 0;
    rig.Add({u"a", u"1", u"hmmmm"});
    rig.table.FilterWords(rig.settings, rig.rs);
    for (const auto& e : rig.table.Entries())
        EXPECT_TRUE(e.included) << U16ToUtf8(e.word);
}

// ----------------------------------------------------------------------------------------------
// Alphabetical order and frequency chain

// Words counted (" || " starts the next file of a folder) => the table in alphabetical order
// and, from the first entry of the frequency chain, the included entries with their ranks;
// lines of tests/data/engine/wordtable.txt.
TEST(WordTableOrder, AlphabeticalAndByFrequency) {
    test::ExpectCases("engine/wordtable.txt", "Order", [](const test::Row& f) {
        Rig rig;
        rig.settings.IgnoreShortWords = 0;
        rig.settings.Source = f[0] == u"count" ? SourceKind::InFile : SourceKind::Folder;
        rig.settings.SortByNumberOfFiles = f[0] == u"files by files";
        rig.rs.lngFirstFreq = 7; // left from an earlier run
        int file = 0;
        for (const auto& w : test::Fields(U16ToUtf8(f[1]), " ")) {
            if (file == 0 || w == u"||")
                rig.counting.SetCurrentInputPath(u"/" + Utf8ToU16(std::to_string(++file)));
            if (w != u"||" && !w.empty())
                rig.Add({w});
        }
        rig.Finish();
        std::string out;
        for (const auto& w : rig.Words())
            out += U16ToUtf8(w) + " ";
        out += "; first " + std::to_string(rig.rs.lngFirstFreq) + ":";
        for (std::int64_t i = rig.table.FirstInFrequencyOrder(); i != 0; i = rig.table.Next(i))
            out += " " + U16ToUtf8(rig.table.Entry(i).word) + " " +
                   std::to_string(rig.table.Entry(i).frequencyRank);
        return out;
    });
}

TEST(WordTableOrder, ProgressSignEveryThousandLinks) {
    test::ExpectCases("engine/wordtable.txt", "ChainProgress", [](const test::Row& f) {
        Rig rig;
        const int entries = static_cast<int>(test::Number(f[0]));
        for (int k = 0; k < entries; ++k)
            rig.table.Count(u"word" + Utf8ToU16(std::to_string(k)), FileScope::SingleSource, 0);
        rig.Finish();
        EXPECT_EQ(static_cast<int>(rig.ByFrequency().size()), entries);
        return "\"" + U16ToUtf8(rig.window.text) + "\"";
    });
}

TEST(WordTableSummary, TotalsOfIncludedEntries) {
    Rig rig;
    rig.settings.Source = SourceKind::Folder;
    rig.counting.SetCurrentInputPath(u"/1");
    rig.Add({u"alpha", u"alpha", u"hmmmmmmmmm", u"hmmmmmmmmm", u"hmmmmmmmmm"});
    rig.counting.SetCurrentInputPath(u"/2");
    rig.Add({u"alpha", u"beta"});
    rig.Finish();
    const auto& r = rig.rs; // words, included, excluded, occurrences, maxima, longest phrase
    EXPECT_EQ(std::tuple(r.lngNumWords, r.lngNumWordsIncluded, r.lngNumWordsExcluded,
                         r.lngNumOccurrences, r.lngMaxFrequency, r.lngMaxNumFiles,
                         r.intMaxWordLengthFound, r.intNumWordsInLongestPhrase),
              std::tuple(3, 2, 1, 4, 3, 2, 5, 0));
}

TEST(WordTableSummary, LongestPhraseInPhraseRuns) {
    Rig rig;
    rig.rs.blnCountingMFP = true;
    rig.table.Count(u"one two three", FileScope::SingleSource, 0);
    rig.table.Count(u"one two", FileScope::SingleSource, 0);
    rig.table.Count(u"a b c d", FileScope::SingleSource, 0);
    rig.table.Entry(1).included = false; // "a b c d"
    rig.table.Summarize(rig.rs, rig.host);
    EXPECT_EQ(rig.rs.intNumWordsInLongestPhrase, 3);
}

// ----------------------------------------------------------------------------------------------
// Words to ignore

TEST(WordsToIgnore, TypedAndFileLookups) {
    test::ExpectCases("engine/wordtable.txt", "Ignore", [](const test::Row& f) {
        Rig rig;
        for (const auto& t : Entries(f[0]))
            rig.ignore.AddTyped(t);
        for (const auto& e : Entries(f[1]))
            rig.ignore.AddFileEntry(e);
        rig.settings.PatternMatchingInWordsToIgnoreFile = f[2] == u"1";
        rig.counting.GetWords2(f[3]);
        return rig.rs.lngNumWords == 0 ? "ignored" : "counted";
    });
}

TEST(WordsToIgnore, FileEntriesKeptSortedAndClearable) {
    WordsToIgnore w;
    for (auto e : {u"the", u"and", u"of"})
        w.AddFileEntry(e);
    EXPECT_EQ(w.FileEntries(), (std::vector<std::u16string>{u"and", u"of", u"the"}));
    Settings s;
    EXPECT_TRUE(w.IsIgnored(u"and", s));
    w.Clear();
    EXPECT_FALSE(w.IsIgnored(u"and", s));
    EXPECT_EQ(w.NumFileEntries(), 0);
}

// ----------------------------------------------------------------------------------------------
// Progress label and words-as-found display

TEST(WordTableProgress, LabelOfEachMode) {
    test::ExpectCases("engine/wordtable.txt", "Progress", [](const test::Row& f) {
        Rig rig;
        rig.rs.blnReadingWords = f[0] == u"list";
        rig.rs.blnThereAreCountOnlyWords = f[0].rfind(u"specified", 0) == 0;
        rig.rs.blnCountOnlyWordsIncludePhrase = f[0] == u"specified-phrases";
        rig.rs.blnCountingMFP = f[0] == u"phrases";
        for (int k = std::stoi(U16ToUtf8(f[1])); k > 0; --k)
            rig.counting.AddWordToList(u"w" + Utf8ToU16(std::to_string(k)));
        const auto label = rig.host.labels.find("lblNumberOfWords");
        return label == rig.host.labels.end() ? "(none)" : test::Escape(label->second);
    });
}

TEST(WordTableProgress, WordsAsFoundFirstAtOnceThenOncePerSecond) {
    Rig rig;
    rig.settings.SuppressWords = 0;
    rig.Add({u"one", u"two", u"one"}); // the first word of a run is shown at once
    EXPECT_EQ(rig.window.text, u"one, ");
    EXPECT_EQ(rig.counting.PendingWords(), u"two, ");
    rig.rs.lngSecondsElapsed = 1;
    rig.Add({u"three", u"four"}); // a new second: shown with the word that came in it
    EXPECT_EQ(rig.window.text, u"one, two, three, ");
    EXPECT_EQ(rig.counting.PendingWords(), u"four, ");
    rig.counting.FlushWordsAsFound(); // the run timer's tick, while no new word comes
    EXPECT_EQ(rig.window.text, u"one, two, three, four, ");
    EXPECT_EQ(rig.counting.PendingWords(), u"");
    rig.counting.StartRun(); // the next run shows its first word at once again
    rig.Add({u"five"});
    EXPECT_EQ(rig.window.text, u"one, two, three, four, five, ");
}

TEST(WordTableProgress, SuppressedWordsNotShownAndRepeatedWordsYield) {
    Rig rig;
    rig.Add({u"one", u"one", u"one"});
    EXPECT_EQ(rig.host.yields, 2);
    rig.rs.lngSecondsElapsed = 1;
    rig.Add({u"two", u"three"});
    EXPECT_EQ(rig.window.text, u"");
    EXPECT_EQ(rig.counting.PendingWords(), u"");
}

TEST(WordTableProgress, TextWindowClearedPastItsLimit) {
    for (int extra : {0, 1}) {
        Rig rig;
        rig.settings.SuppressWords = 0;
        rig.Add({u"zero"}); // shown at once
        const std::u16string before(65000 - 13 + extra, u'.');
        rig.window.text = before;
        rig.Add({u"alpha"});
        rig.rs.lngSecondsElapsed = 1;
        rig.Add({u"beta"}); // flushes "alpha, beta, " (13 characters)
        EXPECT_EQ(rig.window.clears, extra) << extra;
        // Past the limit the words are shown in the cleared window, not lost to a full one.
        EXPECT_EQ(rig.window.text, (extra ? u"" : before) + u"alpha, beta, ") << extra;
    }
}

// ----------------------------------------------------------------------------------------------
// Totals labels

// The labels of an all-words run (with and without words to ignore), of one that kept
// nothing, and of a phrase run, compared with their section of tests/data/engine/wordtable.txt.
TEST(WordTableTotals, LabelsOfEachRun) {
    std::string shown;
    const auto show = [&](Rig& rig, const std::string& run) {
        rig.counting.ShowTotals();
        shown += run + "\n";
        for (const auto& [label, text] : rig.host.labels)
            shown += "  " + label + ": " + U16ToUtf8(text) + "\n";
    };
    Rig words, none, phrases;
    words.rs.lngTotalNumOccurrences = 1234567;
    words.Add({u"alpha", u"alpha", u"zz", u"beta"});
    words.Finish();
    show(words, "all words");
    words.ignore.AddTyped(u"gamma");
    show(words, "all words, with words to ignore");
    none.Add({u"zz"});
    none.Finish();
    show(none, "nothing kept");
    phrases.rs.blnCountingMFP = true;
    phrases.rs.lngNumWordsIncluded = 12;
    phrases.rs.lngNumOccurrences = 40;
    show(phrases, "phrases");
    test::ExpectSection("engine/wordtable.txt", "Totals", shown);
}

TEST(WordTableTotals, SpecifiedWordsRun) {
    test::ExpectCases("engine/wordtable.txt", "SpecifiedTotals", [](const test::Row& f) {
        Rig rig;
        rig.rs.blnThereAreCountOnlyWords = true;
        rig.rs.blnCountOnlyWordsIncludePhrase = f[2] == u"1";
        rig.rs.intNumExtraCountOnlyWords = 1;
        rig.rs.lngNumCountOnlyWords = std::stoi(U16ToUtf8(f[1])) - 1;
        rig.rs.lngNumWordsIncluded = std::stoi(U16ToUtf8(f[0]));
        rig.rs.lngNumOccurrences = 5;
        rig.counting.ShowTotals();
        return test::Escape(rig.host.labels["lblNumberOfWords"] + u" | " +
                            rig.host.labels["lblNumWordsExcluded"]);
    });
}

// ----------------------------------------------------------------------------------------------
// Word-list arrays

TEST(StringArraySearch, AgreesWithLowerBoundOnEverySizeAndGap) {
    // Arrays of 0 to 40 elements, then the first 2 of 3 elements.
    for (int n = 0; n <= 41; ++n) {
        const int size = n == 41 ? 3 : n, count = n == 41 ? 2 : n;
        std::vector<std::u16string> a;
        for (int k = 0; k < size; ++k)
            a.push_back(Utf8ToU16(std::to_string(100 + 2 * k))); // "100", "102", ...
        for (int v = 99; v <= 100 + 2 * size; ++v) {
            const std::u16string value = Utf8ToU16(std::to_string(v));
            const auto lb = std::lower_bound(a.begin(), a.begin() + count, value) - a.begin() + 1;
            const bool present = lb <= count && a[static_cast<std::size_t>(lb - 1)] == value;
            std::int64_t position = -7;
            EXPECT_EQ(StringArraySearch(value, a, count, position), present) << n << " " << v;
            EXPECT_EQ(position, lb) << n << " " << v;
        }
    }
}

TEST(StringArraySearch, ComparesFromKeyStart) {
    const std::vector<std::u16string> a{u"9|apple", u"1|melon", u"5|zucchini"};
    std::int64_t position = 0;
    EXPECT_TRUE(StringArraySearch(u"melon", a, 3, position, 3));
    EXPECT_EQ(position, 2);
    EXPECT_FALSE(StringArraySearch(u"nut", a, 3, position, 3));
    EXPECT_EQ(position, 3);
}

TEST(StringArraySort, AscendingByKeyAndAPermutation) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 30; ++trial) {
        for (bool ignoreCase : {false, true}) {
            std::vector<std::u16string> a;
            const int n = 1 + trial * 7;
            for (int k = 0; k < n; ++k) {
                std::u16string w = u"x:";
                for (int c = 0; c < 3; ++c)
                    w += static_cast<char16_t>((rng() % 2 ? u'a' : u'A') + rng() % 3);
                a.push_back(w);
            }
            auto sorted = a;
            StringArraySort(sorted, 1, n, 3, ignoreCase);
            auto key = [&](const std::u16string& s) {
                return ignoreCase ? LowerCaseAll(s.substr(2)) : s.substr(2);
            };
            for (int k = 1; k < n; ++k)
                EXPECT_LE(key(sorted[k - 1]), key(sorted[k])) << "trial " << trial;
            EXPECT_TRUE(std::ranges::is_permutation(a, sorted)) << "trial " << trial;
        }
    }
}

TEST(StringArraySort, EqualKeysAndPartialRanges) {
    struct Case {
        std::vector<std::u16string> in;
        std::int64_t first, last;
        bool ignoreCase;
        std::vector<std::u16string> out;
    };
    const Case cases[] = {
        {{u"apple", u"Apple"}, 1, 2, true, {u"apple", u"Apple"}},
        {{u"Apple", u"apple"}, 1, 2, true, {u"Apple", u"apple"}},
        {{u"Ab", u"aB", u"AB"}, 1, 3, true, {u"Ab", u"aB", u"AB"}},
        {{u"b", u"B", u"a"}, 1, 3, false, {u"B", u"a", u"b"}},
        {{u"d", u"c", u"b", u"a"}, 2, 3, false, {u"d", u"b", u"c", u"a"}},
        {{u"b", u"a"}, 2, 2, false, {u"b", u"a"}},
    };
    for (const auto& c : cases) {
        auto a = c.in;
        StringArraySort(a, c.first, c.last, 1, c.ignoreCase);
        EXPECT_EQ(a, c.out);
    }
}

} // namespace
} // namespace lxty
