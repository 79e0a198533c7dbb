// The phrase chains: a phrase is found again by its first word and its rest, through the
// index's growth; counts, prefixes and lengths come back by node; first occurrences are told.

#include "phrases/PhraseNodes.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <utility>
#include <vector>

namespace lxty {
namespace {

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
        // Build the chain from the last word backwards, as the phrase step does.
        std::uint32_t hash = PhraseNodes::Hash(words.back(), PhraseNodes::kNoHash);
        std::size_t slot = 0;
        std::uint32_t node =
            nodes.FindOrAdd(words.back(), PhraseNodes::kNone, PhraseNodes::kNone, 1, hash, slot);
        for (std::size_t len = 2; len <= k; ++len) {
            const std::uint32_t first = words[k - len];
            hash = PhraseNodes::Hash(first, hash);
            node = nodes.FindOrAdd(first, node, PhraseNodes::kNone, static_cast<std::uint32_t>(len),
                                   hash, slot);
        }
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

} // namespace
} // namespace lxty
