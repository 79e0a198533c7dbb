#pragma once
// The phrases of an all-phrases run as chains of word ids. A phrase of k words is a node made
// of its first word and the node of its other k - 1 words; a single word is a node of its own.
// A phrase met again therefore costs one lookup of two numbers, and its text is made only when
// it goes into the word table. Each node also keeps the node of its first k - 1 words (its
// prefix) and its length in words: with the rest, that is what finds redundant sub-phrases in
// one pass.
//
// Nodes are numbered from 0 in order of creation. A node's count is the number of times it
// was counted as a phrase; nodes that only link longer phrases (shorter than the range, say)
// keep a count of 0.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lxty {

class PhraseNodes {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // The hash of a phrase: of its word (a single word), or of its first word and the hash of
    // its rest. It depends on the words only, so the hashes of all the phrases ending at a
    // word are known before any of them is looked up, and their slots can be fetched at once.
    static std::uint32_t Hash(std::uint32_t first, std::uint32_t restHash) {
        const std::uint64_t h =
            ((static_cast<std::uint64_t>(first) << 32) | restHash) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::uint32_t>(h >> 32);
    }
    static constexpr std::uint32_t kNoHash = 0x2545F491u; // the rest of a single word

    // Starts fetching the slot where a phrase of this hash would be found.
    void Prefetch(std::uint32_t hash) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[Home(hash)]);
    }
    // The node of word `first` followed by node `rest` (kNone for a single word), whose hash
    // is `hash`, made with the given prefix node and length in words when new. Returns the
    // node; `slot` receives where its count lies, valid until the next call of FindOrAdd.
    std::uint32_t FindOrAdd(std::uint32_t first, std::uint32_t rest, std::uint32_t prefix,
                            std::uint32_t words, std::uint32_t hash, std::size_t& slot);
    // One more occurrence of the node in `slot`; true when it is the node's first.
    bool CountAt(std::size_t slot) {
        Slot& s = m_slots[slot];
        if (++s.count == 0) [[unlikely]]
            m_carried[s.node] += std::uint64_t{1} << 32;
        return s.count == 1 && (m_carried.empty() || m_carried.count(s.node) == 0);
    }

    std::size_t Size() const { return m_prefix.size(); }
    std::uint32_t Prefix(std::uint32_t node) const { return m_prefix[node]; }
    std::uint32_t Words(std::uint32_t node) const { return m_words[node]; }

    // After counting: every node's first word, rest and count, by node. The lookup index goes.
    struct Chains {
        std::vector<std::uint32_t> first;
        std::vector<std::uint32_t> rest;
        std::vector<std::int64_t> count;
    };
    Chains TakeChains();

    void Clear();

private:
    struct Slot {
        std::uint32_t first = 0;
        std::uint32_t rest = 0;
        std::uint32_t node = kNone; // kNone: empty
        std::uint32_t count = 0;    // the low 32 bits; m_carried holds the rest
    };
    // The hash scaled to the number of slots (which need not be a power of two).
    std::size_t Home(std::uint32_t hash) const {
        return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * m_slots.size()) >> 32);
    }
    void Grow();

    std::vector<Slot> m_slots;                                  // at most 70 % full
    std::vector<std::uint32_t> m_prefix;                        // by node
    std::vector<std::uint8_t> m_words;                          // by node (at most 25)
    std::vector<std::uint32_t> m_hashes;                        // by node, for growing
    std::unordered_map<std::uint32_t, std::uint64_t> m_carried; // counts beyond 32 bits
};

} // namespace lxty
