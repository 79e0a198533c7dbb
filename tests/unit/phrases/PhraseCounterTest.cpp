// The phrase step: which phrases a text gives for a range, the words-to-ignore treatments, the
// phrase terminators, the window itself, and a comparison of the compact window with the
// plain "+"-joined slots on generated text.

#include "phrases/PhraseCounter.h"
#include "Golden.h"
#include "PhraseTestRig.h"
#include "engine/SpecifiedWords.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace lxty {
namespace {

using test::Counts;
using test::PhraseRig;

// The treatments of words to ignore: 0 none in force ("of" and "the" are words to ignore
// otherwise), 1 allow phrases made only of them, 2 exclude those, 3 exclude phrases containing
// one, 4 remove them from phrases.
void Treat(PhraseRig& rig, int treatment) {
    if (treatment > 0)
        rig.IgnoreWords({u"of", u"the"});
    rig.options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = treatment == 1;
    rig.options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = treatment == 2;
    rig.options.blnExcludePhrasesContainingAWordToIgnore = treatment == 3;
    rig.run.blnStripPhrases = treatment == 4;
}

// Counts as "phrase count, phrase count", in the order of the phrases.
std::string Shown(const Counts& counts) {
    std::string out;
    for (const auto& [phrase, n] : counts)
        out += (out.empty() ? "" : ", ") + test::Narrow(phrase) + " " + std::to_string(n);
    return out.empty() ? "(none)" : out;
}

// The phrases a text gives for a range, with the terminators changed as a case says; lines of
// tests/data/phrases/counter.txt.
TEST(PhraseCounterTest, PhrasesOfATextForARange) {
    test::ExpectCases("phrases/counter.txt", "Range", [](const test::Row& f) {
        PhraseRig rig;
        rig.settings.TerminatePhraseAtPeriod = f[2] == u"periods cross" ? 0 : 1;
        rig.settings.TerminatePhraseAtComma = f[2] == u"commas end" ? 1 : 0;
        rig.settings.TerminatePhraseAtEndOfLine = f[2] == u"line ends end" ? 1 : 0;
        rig.Prepare(static_cast<int>(test::Number(f[0])), static_cast<int>(test::Number(f[1])));
        rig.Count(test::Fields(test::Narrow(f[3]), " || "));
        return Shown(rig.TableCounts());
    });
}

// The treatments of words to ignore for "top of the big hill", phrases of up to 3 words.
TEST(PhraseCounterTest, WordsToIgnoreTreatments) {
    test::ExpectCases("phrases/counter.txt", "Treatments", [](const test::Row& f) {
        PhraseRig rig;
        Treat(rig, static_cast<int>(test::Number(f[0])));
        rig.Prepare(static_cast<int>(test::Number(f[1])), 3);
        rig.Count({u"top of the big hill"});
        return Shown(rig.TableCounts());
    });
}

// How often the list of words to ignore is asked about each word, with phrases containing one
// excluded, and what is counted; lines of tests/data/phrases/counter.txt.
TEST(PhraseCounterTest, WordsToIgnoreAskedOncePerDistinctWord) {
    test::ExpectCases("phrases/counter.txt", "Asked", [](const test::Row& f) {
        PhraseRig rig;
        rig.wordsToIgnore.AddTyped(u"of");
        rig.run.blnThereAreWordsToIgnore = f[0] == u"in force";
        rig.options.blnExcludePhrasesContainingAWordToIgnore = true;
        std::map<std::u16string, int> asked;
        rig.counter.SetWordToIgnoreTest([&](std::u16string_view w) {
            ++asked[std::u16string(w)];
            return w == u"of";
        });
        rig.Prepare(2, static_cast<int>(test::Number(f[1])));
        rig.Count({f[2]});
        std::string out;
        for (const auto& [w, n] : asked)
            out += test::Narrow(w) + " " + std::to_string(n) + ", ";
        return out + "counted: " + Shown(rig.TableCounts());
    });
}

// Words handed straight to the phrase step (no extraction): a word ending in "." ends the
// phrases after it, "STOP" sets the stop and "x*60" is 60 x's. Gives the phrases counted and
// the window's slots 1 to the maximum + 1; lines of tests/data/phrases/counter.txt.
TEST(PhraseCounterTest, StepsAndSlots) {
    test::ExpectCases("phrases/counter.txt", "Step", [](const test::Row& f) {
        PhraseRig rig;
        Treat(rig, static_cast<int>(test::Number(f[0])));
        const int maxWords = static_cast<int>(test::Number(f[2]));
        rig.Prepare(static_cast<int>(test::Number(f[1])), maxWords);
        EXPECT_EQ(rig.counter.WindowSize(), maxWords);
        for (std::u16string w : test::Fields(test::Narrow(f[3]), " ")) {
            if (w == u"STOP") {
                rig.run.blnStop = true;
                continue;
            }
            if (w.size() > 2 && w[1] == u'*')
                w = std::u16string(static_cast<std::size_t>(test::Number(w.substr(2))), w[0]);
            rig.run.blnStoppedAtPeriod = w.back() == u'.';
            if (rig.run.blnStoppedAtPeriod)
                w.pop_back();
            rig.counter.PhraseStep(w);
        }
        std::string out = Shown(rig.TableCounts()) + " ;";
        for (int k = 1; k <= maxWords + 1; ++k)
            out += " [" + test::Narrow(rig.counter.Slot(k)) + "]";
        return out;
    });
}

// ---- The compact window against the plain one ----------------------------------------------

// The phrase step as the program describes it: slots of "+"-joined words.
struct PlainPhraseStep {
    const PhraseOptions& o;
    const RunState& run;
    const Settings& settings;
    std::function<bool(const std::u16string&)> ignored;
    std::vector<std::u16string> slots; // index k
    Counts counts;

    static std::vector<std::u16string> Split(const std::u16string& s) {
        std::vector<std::u16string> out(1);
        for (const char16_t c : s) {
            if (c == u'+')
                out.emplace_back();
            else
                out.back() += c;
        }
        return out;
    }
    void Reset() {
        for (std::size_t k = 2; k < slots.size(); ++k)
            slots[k].clear();
    }
    void Step(const std::u16string& w) {
        const bool wti = run.blnThereAreWordsToIgnore;
        if (o.intMinNumWordsInPhrase == 1 &&
            !(!o.blnAllowPhrasesConsistingOnlyOfWordsToIgnore && wti && ignored(w)))
            ++counts[w];
        for (int k = 2; k < static_cast<int>(slots.size()); ++k) {
            std::u16string& slot = slots[static_cast<std::size_t>(k)];
            if (slot.empty()) {
                slot = w;
            } else {
                if (static_cast<int>(Split(slot).size()) == k)
                    slot = slot.substr(slot.find(u'+') + 1);
                slot += u"+" + w;
            }
            const auto parts = Split(slot);
            if (static_cast<int>(parts.size()) != k)
                continue;
            if (k < o.intMinNumWordsInPhrase ||
                (run.blnStripPhrases && k > 2 * o.intMaxNumWordsInPhrase))
                continue;
            bool accept = true;
            if (wti) {
                int n = 0;
                for (const auto& p : parts)
                    n += ignored(p) ? 1 : 0;
                if (run.blnStripPhrases) {
                    if (n == k)
                        return;
                    accept = k - n >= o.intMinNumWordsInPhrase && k - n <= o.intMaxNumWordsInPhrase;
                } else if (o.blnExcludePhrasesContainingAWordToIgnore && n > 0) {
                    accept = false;
                } else if (o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore && n == k) {
                    accept = false;
                }
            }
            if (accept) {
                std::u16string text = slot;
                for (auto& c : text)
                    c = c == u'+' ? u' ' : c;
                ++counts[text];
            }
        }
        if ((settings.TerminatePhraseAtPeriod == 1 && run.blnStoppedAtPeriod) ||
            (settings.TerminatePhraseAtComma == 1 && run.blnStoppedAtComma))
            Reset();
    }
};

TEST(PhraseCounterTest, CompactWindowCountsAsThePlainSlotsOnGeneratedText) {
    const std::vector<std::u16string> vocabulary = {u"a", u"b", u"c", u"of", u"the", u"dd", u"e"};
    std::mt19937 rng(20261206);
    for (int treatment = 0; treatment < 5; ++treatment) {
        for (int minWords = 1; minWords <= 4; ++minWords) {
            for (int maxWords = std::max(2, minWords); maxWords <= 6; maxWords += 2) {
                PhraseRig rig;
                rig.settings.TerminatePhraseAtComma = 1;
                Treat(rig, treatment);
                rig.Prepare(minWords, maxWords);

                PlainPhraseStep plain{
                    rig.options,
                    rig.run,
                    rig.settings,
                    [](const std::u16string& w) { return w == u"of" || w == u"the"; },
                    std::vector<std::u16string>(static_cast<std::size_t>(maxWords) + 1),
                    {}};
                std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
                std::uniform_int_distribution<int> stop(0, 12);
                for (int i = 0; i < 3000; ++i) {
                    const std::u16string& w = vocabulary[pick(rng)];
                    const int s = stop(rng);
                    rig.run.blnStoppedAtPeriod = s == 0;
                    rig.run.blnStoppedAtComma = s == 1;
                    rig.counter.PhraseStep(w);
                    plain.Step(w);
                }
                SCOPED_TRACE(testing::Message() << "treatment " << treatment << ", " << minWords
                                                << " to " << maxWords);
                EXPECT_EQ(rig.TableCounts(), plain.counts);
                EXPECT_FALSE(plain.counts.empty());
            }
        }
    }
}

// Counted as chains, whose lookups wait a few words, the new phrases are shown as found in
// the order and with the texts that the text way shows them, up to the last word.
TEST(PhraseCounterTest, ChainsShowTheNewPhrasesAsTheTextWayDoes) {
    const std::vector<std::u16string> vocabulary = {u"a", u"bb", u"c", u"of", u"the"};
    for (const auto& [minWords, maxWords] : {std::pair{1, 2}, {2, 5}, {3, 3}, {1, 8}}) {
        std::u16string shown[2];
        for (const bool chains : {false, true}) {
            PhraseRig rig;
            rig.settings.SuppressWords = 0;
            rig.settings.TerminatePhraseAtComma = 1;
            rig.Prepare(minWords, maxWords);
            if (chains)
                rig.counter.SetCounting(&rig.counting);
            std::mt19937 rng(7);
            for (int i = 0; i < 400; ++i) {
                rig.run.blnStoppedAtComma = rng() % 9 == 0;
                rig.counter.PhraseStep(vocabulary[rng() % vocabulary.size()]);
            }
            rig.counter.MoveToTable(rig.table);
            shown[chains] = rig.host.textWindow + rig.counting.PendingWords();
        }
        SCOPED_TRACE(testing::Message() << minWords << " to " << maxWords);
        EXPECT_EQ(shown[0], shown[1]);
        EXPECT_GT(shown[0].size(), 100u);
    }
}

// The string-slot window of the specified-words branch, given the same rules, counts the same.
TEST(PhraseCounterTest, RulesForTheStringSlotWindowCountTheSame) {
    const std::vector<std::u16string> vocabulary = {u"a", u"b", u"of", u"the", u"c"};
    std::mt19937 rng(99);
    for (int treatment = 0; treatment < 5; ++treatment) {
        for (int minWords : {1, 2, 3}) {
            PhraseRig rig;
            Treat(rig, treatment);
            rig.Prepare(minWords, 4);

            WordTable other;
            SpecifiedWords sw(rig.settings, rig.run, rig.host, other, rig.textWindow,
                              rig.wordsToIgnore);
            sw.SetAddWordToList(
                [&](const std::u16string& w) { other.Count(w, FileScope::SingleSource, 0); });
            sw.SetAllPhrasesRules(
                MakeAllPhrasesRules(rig.options, rig.run, [&](std::u16string_view w) {
                    return rig.wordsToIgnore.IsIgnored(w, rig.settings);
                }));
            sw.SizePhraseWindow();
            ASSERT_EQ(sw.PhraseWindowSize(), 4);

            std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
            std::uniform_int_distribution<int> stop(0, 9);
            for (int i = 0; i < 2000; ++i) {
                const std::u16string& w = vocabulary[pick(rng)];
                rig.run.blnStoppedAtPeriod = stop(rng) == 0;
                rig.counter.PhraseStep(w);
                sw.GetWords2Branch(w);
            }
            Counts counts;
            for (const auto& e : other.Entries())
                counts[e.word] = e.count;
            SCOPED_TRACE(testing::Message()
                         << "treatment " << treatment << ", minimum " << minWords);
            EXPECT_EQ(rig.TableCounts(), counts);
        }
    }
}

} // namespace
} // namespace lxty
