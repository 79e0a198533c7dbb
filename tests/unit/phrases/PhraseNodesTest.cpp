// The phrase chains: a phrase is found again by its first word and its rest, through the
// index's growth; counts, prefixes and lengths come back by node; first occurrences are told.
// Chains come out in the ordinal order of their texts without the texts being made.

#include "phrases/PhraseNodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lxty {
namespace {

// Finds or adds the phrase of the k words at `words` as the phrase step does, from its last word
// backwards, counting each shorter phrase that ends there when countEach. Gives the phrase's
// node and leaves slot at its place in the index.
std::uint32_t Chain(PhraseNodes& nodes, const std::uint32_t* words, std::size_t k,
                    std::size_t& slot, bool countEach) {
    std::uint32_t hash = PhraseNodes::kNoHash, node = PhraseNodes::kNone;
    for (std::size_t len = 1; len <= k; ++len) {
        hash = PhraseNodes::Hash(words[k - len], hash);
        node = nodes.FindOrAdd(words[k - len], node, PhraseNodes::kNone,
                               static_cast<std::uint32_t>(len), hash, slot);
        if (countEach)
            nodes.CountAt(slot);
    }
    return node;
}

TEST(PhraseNodesTest, ChainsSurviveGrowingAndComeBackByNode) {
    PhraseNodes nodes;
    std::mt19937 rng(11);
    // Phrases of two to four words over a small vocabulary, many of them met again.
    std::map<std::vector<std::uint32_t>, std::uint32_t> known; // words -> node
    std::map<std::uint32_t, std::int64_t> counts;
    std::map<std::uint32_t, std::vector<std::uint32_t>> wordsOf;
    std::vector<std::uint32_t> single(300, PhraseNodes::kNone);
    for (int i = 0; i < 200000; ++i) {
        const std::size_t k = 1 + rng() % 4;
        std::vector<std::uint32_t> words;
        for (std::size_t w = 0; w < k; ++w)
            words.push_back(static_cast<std::uint32_t>(rng() % 300));
        std::size_t slot = 0;
        const std::uint32_t node = Chain(nodes, words.data(), k, slot, false);
        const bool isNew = nodes.CountAt(slot);
        auto [it, inserted] = known.try_emplace(words, node);
        EXPECT_EQ(it->second, node);
        EXPECT_EQ(inserted, isNew);
        ++counts[node];
        wordsOf[node] = words;
    }
    ASSERT_GT(known.size(), 100000u); // the index grew many times
    const std::size_t size = nodes.Size();
    PhraseNodes::Chains c = nodes.TakeChains();
    ASSERT_EQ(size, c.Size());
    for (const auto& [node, words] : wordsOf) {
        EXPECT_EQ(counts[node], c.Count(node));
        EXPECT_EQ(words.size(), nodes.Words(node));
        // Following first and rest spells the phrase.
        std::vector<std::uint32_t> spelt;
        for (std::uint32_t n = node; n != PhraseNodes::kNone; n = c.Rest(n))
            spelt.push_back(c.First(n));
        EXPECT_EQ(words, spelt);
    }
}

// Every phrase of 1 to maxWords words of a random text over the given words, as chains; with
// a stretch, the first `stretch` words come again and again before each random word.
PhraseNodes::Chains ChainsOf(std::size_t words, std::size_t maxWords, std::size_t stretch) {
    PhraseNodes nodes;
    std::mt19937 rng(5);
    std::vector<std::uint32_t> text;
    for (int i = 0; i < 3000; ++i) {
        for (std::uint32_t w = 0; w < stretch; ++w)
            text.push_back(w);
        text.push_back(static_cast<std::uint32_t>(rng() % words));
    }
    std::size_t slot = 0;
    for (std::size_t end = 1; end <= text.size(); ++end) {
        const std::size_t k = std::min(maxWords, end);
        Chain(nodes, text.data() + end - k, k, slot, true);
    }
    return nodes.TakeChains();
}

TEST(PhraseNodesTest, ChainsComeInTheOrdinalOrderOfTheirTexts) {
    // So many words that three numbers hold the ranks of only nine.
    std::vector<std::u16string> many;
    for (int i = 0; i < 70000; ++i)
        many.push_back(u"w" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
                       std::u16string(1, static_cast<char16_t>(0x100 + i / 26)));
    const struct {
        std::vector<std::u16string> words;
        std::size_t maxWords;
        bool ordered; // false: a word has a unit at or below the blank
        std::size_t stretch = 0;
    } cases[] = {
        // Words that start others, and units just above the blank.
        {{u"a", u"ab", u"abc", u"b", u"a-b", u"ab!", u"!", u"a!"}, 4, true},
        // Capitals, accents, units beyond ASCII and surrogates: ordinal, no folding.
        {{u"The", u"the", u"caf\u00e9", u"cafe", u"Caf\u00e9", u"\uff21", u"\xd83d\xde00", u"z"},
         3,
         true},
        // Longer than the packed ranks reach: phrases that share their first dozen words.
        {{u"x", u"y"}, 25, true},
        {many, 14, true, 12},
        // A tab or a control unit inside a word: the table sorts the texts.
        {{u"a\tb", u"a", u"b"}, 3, false},
        {{u"a", u"\x1f", u"b"}, 3, false},
    };
    for (const auto& c : cases) {
        std::vector<const std::u16string*> texts;
        for (const auto& w : c.words)
            texts.push_back(&w);
        const PhraseNodes::Chains chains = ChainsOf(c.words.size(), c.maxWords, c.stretch);
        const auto textOf = [&](std::uint32_t node) {
            std::u16string t;
            for (std::uint32_t r = node; r != PhraseNodes::kNone; r = chains.Rest(r))
                t += (t.empty() ? u"" : u" ") + c.words[chains.First(r)];
            return t;
        };
        std::vector<std::uint32_t> nodes(chains.Size());
        for (std::uint32_t i = 0; i < nodes.size(); ++i)
            nodes[i] = i;
        std::reverse(nodes.begin(), nodes.end());
        TextOrder order;
        ASSERT_EQ(c.ordered, OrderByText(nodes, chains, texts, order));
        ASSERT_EQ(c.ordered ? nodes.size() : 0u, order.keys.size());
        // Spelt from the keys when every phrase fits in them.
        EXPECT_EQ(c.ordered &&
                      c.maxWords <= 3 * static_cast<std::size_t>(64 / std::max(order.bits, 1)),
                  order.spelt);
        std::vector<std::u16string> got, expected;
        for (std::size_t i = 0; i < order.keys.size(); ++i) {
            got.push_back(textOf(order.keys[i].node));
            EXPECT_EQ(chains.Count(order.keys[i].node), order.keys[i].count);
            std::u16string spelt;
            if (order.spelt)
                order.Text(i, texts, spelt);
            EXPECT_EQ(order.spelt ? got.back() : u"", spelt);
        }
        expected = got;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, got) << "words " << c.words.size() << ", up to " << c.maxWords;
        if (c.ordered) {
            EXPECT_GT(got.size(), 30u);
        }
    }
}

} // namespace
} // namespace lxty
