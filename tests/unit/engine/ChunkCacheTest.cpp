// The piece cache: keys around the eight units a slot holds, lookups among pieces that share
// their first units, the tallies handed on, emptying on a new generation, and the size limit.

#include "engine/ChunkCache.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lxty {
namespace {

// The key of a piece read from a padded line must be the key of the piece alone, whatever
// follows it on the line.
TEST(ChunkCacheKey, PaddedKeyEqualsPlainKey) {
    const std::u16string line = u"abcdefghijklmnopqrstuvwxyz0123456789";
    for (std::size_t length = 1; length <= 20; ++length) {
        for (const std::u16string tail : {u"", u"ZZZZZZZZZZZZZZZZ", u"                "}) {
            std::u16string padded = line.substr(0, length) + tail + std::u16string(16, u'\0');
            const ChunkCache::Key a = ChunkCache::KeyOfPadded(padded.data(), length);
            const ChunkCache::Key b =
                ChunkCache::KeyOf(std::u16string_view(line).substr(0, length));
            EXPECT_EQ(b.lo, a.lo) << length;
            EXPECT_EQ(b.hi, a.hi) << length;
            EXPECT_EQ(b.hash, a.hash) << length;
            EXPECT_EQ(length, a.length);
        }
    }
}

// Pieces that agree on their first eight units (or on all but the last), or differ only in
// length, are told apart; every piece finds its own words.
TEST(ChunkCacheFind, PiecesSharingTheirFirstUnits) {
    // clang-format off
    const std::vector<std::u16string> pieces = {
        u"a", u"ab", u"abc", u"abcd", u"abcde", u"abcdefg", u"abcdefgh", u"abcdefghi",
        u"abcdefghj", u"abcdefghij", u"abcdefgh,", u"abcdefgi", u"bbcdefgh", u"said,", u"said",
        u"said.", u"Said,", u"caf\u00e9", u"\u0391\u03b2", u"righteousness,", u"righteousness",
        u"righteousness;"};
    // clang-format on
    ChunkCache cache;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        // Piece i yields one word, counted in record i (a few yield two, or none).
        std::vector<std::u16string> words = {pieces[i] + u"w"};
        std::vector<std::int64_t> records = {static_cast<std::int64_t>(i)};
        if (i % 7 == 3) {
            words.push_back(u"second");
            records.push_back(1000);
        }
        if (i % 7 == 5) {
            words.clear();
            records.clear();
        }
        ASSERT_TRUE(cache.Add(pieces[i], words, records));
    }
    EXPECT_EQ(pieces.size(), cache.Size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::u16string padded = pieces[i] + std::u16string(16, u'\0');
        const ChunkCache::Key key = ChunkCache::KeyOfPadded(padded.data(), pieces[i].size());
        std::int64_t single = 0;
        const std::int64_t at = cache.Find(key, padded.data(), single);
        ASSERT_EQ(static_cast<std::int64_t>(i), at)
            << std::string(pieces[i].begin(), pieces[i].end());
        const ChunkCache::Words words = cache.WordsOf(at);
        if (i % 7 == 3) {
            EXPECT_EQ(ChunkCache::kSeeWords, single);
            ASSERT_EQ(2, words.end - words.begin);
            EXPECT_EQ(pieces[i] + u"w", cache.TextOf(words.begin[0]));
            EXPECT_EQ(u"second", cache.TextOf(words.begin[1]));
            EXPECT_EQ(1000, words.begin[1].record);
        } else if (i % 7 == 5) {
            EXPECT_EQ(ChunkCache::kSeeWords, single);
            EXPECT_EQ(words.begin, words.end);
        } else {
            EXPECT_EQ(static_cast<std::int64_t>(i), single);
            ASSERT_EQ(1, words.end - words.begin);
            EXPECT_EQ(pieces[i] + u"w", cache.TextOf(words.begin[0]));
        }
    }
    // Pieces never added.
    for (const std::u16string missing : {u"abcdefghk", u"abcdef", u"", u"x", u"righteousnes"}) {
        std::int64_t single = 0;
        EXPECT_EQ(-1, cache.Find(ChunkCache::KeyOf(missing), missing.data(), single));
    }
}

// Thousands of pieces: the index grows and every piece is still found at its place.
TEST(ChunkCacheFind, ManyPiecesAfterGrowing) {
    ChunkCache cache;
    std::mt19937 rng(7);
    std::vector<std::u16string> pieces;
    for (int i = 0; i < 20000; ++i) {
        std::u16string p;
        const int length = 1 + static_cast<int>(rng() % 14);
        for (int k = 0; k < length; ++k)
            p.push_back(static_cast<char16_t>(u'a' + rng() % 3)); // few letters: many near misses
        p += std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
             std::u16string(1, u'a' + i / 1000 % 26) + std::u16string(1, u'A' + i / 26 % 26) +
             std::u16string(1, u'A' + i % 26);
        pieces.push_back(p);
        ASSERT_TRUE(cache.Add(p, {p}, {i}));
    }
    for (int i = 0; i < 20000; ++i) {
        std::int64_t single = 0;
        ASSERT_EQ(i, cache.Find(ChunkCache::KeyOf(pieces[i]), pieces[i].data(), single));
        EXPECT_EQ(i, single);
    }
}

TEST(ChunkCachePending, TalliesAreHandedOnOnceAndForgotten) {
    ChunkCache cache;
    ASSERT_TRUE(cache.Add(u"the", {u"the"}, {4}));
    ASSERT_TRUE(cache.Add(u"And", {u"and"}, {9}));
    ASSERT_TRUE(cache.Add(u"unused", {u"unused"}, {2}));
    EXPECT_FALSE(cache.HasPending());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(cache.Note(0));
    EXPECT_FALSE(cache.Note(1));
    EXPECT_TRUE(cache.HasPending());
    std::vector<std::pair<std::int64_t, std::uint64_t>> taken;
    cache.TakePending(
        [&](const ChunkCache::Word& w, std::uint64_t n) { taken.emplace_back(w.record, n); });
    EXPECT_EQ((std::vector<std::pair<std::int64_t, std::uint64_t>>{{4, 5}, {9, 1}}), taken);
    EXPECT_FALSE(cache.HasPending());
    taken.clear();
    cache.TakePending(
        [&](const ChunkCache::Word& w, std::uint64_t n) { taken.emplace_back(w.record, n); });
    EXPECT_TRUE(taken.empty());
}

TEST(ChunkCacheValidate, ANewGenerationEmptiesTheCache) {
    ChunkCache cache;
    cache.Validate(3);
    ASSERT_TRUE(cache.Add(u"word", {u"word"}, {0}));
    cache.Validate(3);
    EXPECT_EQ(1u, cache.Size());
    cache.Validate(4);
    EXPECT_EQ(0u, cache.Size());
    std::int64_t single = 0;
    EXPECT_EQ(-1, cache.Find(ChunkCache::KeyOf(u"word"), u"word", single));
    EXPECT_EQ(4u, cache.Generation());
}

// The cache takes text up to its limit and refuses a piece that would go beyond it.
TEST(ChunkCacheLimit, FullCacheRefusesNewPieces) {
    ChunkCache cache;
    const std::size_t half = ChunkCache::kMaxUnits / 2;
    const std::u16string big(half - 1, u'a');
    // Piece and word: 2 * (half - 1) units, two short of the limit.
    ASSERT_TRUE(cache.Add(big, {big}, {0}));
    EXPECT_FALSE(cache.Add(u"xyz", {u"xy"}, {1})); // 5 more: beyond
    EXPECT_TRUE(cache.Add(u"x", {u"x"}, {1}));     // 2 more: exactly at the limit
    EXPECT_FALSE(cache.Add(u"y", {}, {}));         // 1 more: beyond
    EXPECT_EQ(2u, cache.Size());
}

TEST(ChunkCacheLimit, NoMorePiecesThanTheLimit) {
    ChunkCache cache;
    std::size_t added = 0;
    for (std::size_t i = 0; i < ChunkCache::kMaxPieces + 10; ++i) {
        std::u16string piece;
        for (std::size_t v = i; v > 0 || piece.empty(); v /= 26)
            piece.push_back(static_cast<char16_t>(u'a' + v % 26));
        added += cache.Add(piece, {}, {}) ? 1 : 0;
    }
    EXPECT_EQ(ChunkCache::kMaxPieces, added);
    EXPECT_EQ(ChunkCache::kMaxPieces, cache.Size());
}

} // namespace
} // namespace lxty
