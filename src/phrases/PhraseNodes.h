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
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lxty {

class PhraseNodes {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

private:
    struct Slot {
        std::uint32_t first = 0;
        std::uint32_t rest = 0;
        std::uint32_t node = kNone; // kNone: empty
        std::uint32_t count = 0;    // the low 32 bits; m_carried holds the rest
    };
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };

public:
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
        if (m_size != 0)
            __builtin_prefetch(m_slots.get() + Home(hash));
    }
    // The node of word `first` followed by node `rest` (kNone for a single word), whose hash
    // is `hash`, made with the given prefix node and length in words when new. Returns the
    // node; `slot` receives where its count lies, valid until the next call of FindOrAdd.
    std::uint32_t FindOrAdd(std::uint32_t first, std::uint32_t rest, std::uint32_t prefix,
                            std::uint32_t words, std::uint32_t hash, std::size_t& slot);
    // One more occurrence of the node in `slot`; true when it is the node's first.
    bool CountAt(std::size_t slot) {
        Slot& s = m_slots.get()[slot];
        if (++s.count == 0) [[unlikely]]
            m_carried[s.node] += std::uint64_t{1} << 32;
        return s.count == 1 && (m_carried.empty() || m_carried.count(s.node) == 0);
    }

    std::size_t Size() const { return m_prefix.size(); }
    std::uint32_t Prefix(std::uint32_t node) const { return m_prefix[node]; }
    std::uint32_t Words(std::uint32_t node) const { return m_words[node]; }

    // After counting: every node's first word, rest and count, by node. The lookup index is
    // turned into them where it lies (it is sorted by node and its unused end given back), so
    // the chains never sit beside a second copy of the nodes.
    class Chains {
    public:
        std::size_t Size() const { return m_size; }
        std::uint32_t First(std::uint32_t node) const { return m_nodes.get()[node].first; }
        std::uint32_t Rest(std::uint32_t node) const { return m_nodes.get()[node].rest; }
        std::int64_t Count(std::uint32_t node) const {
            const auto low = static_cast<std::int64_t>(m_nodes.get()[node].count);
            if (m_carried.empty())
                return low;
            const auto it = m_carried.find(node);
            return low + (it == m_carried.end() ? 0 : static_cast<std::int64_t>(it->second));
        }

    private:
        friend class PhraseNodes;
        std::unique_ptr<Slot, Free> m_nodes;
        std::size_t m_size = 0;
        std::unordered_map<std::uint32_t, std::uint64_t> m_carried;
    };
    Chains TakeChains();

    void Clear();

private:
    // The hash scaled to the number of slots (which need not be a power of two).
    std::size_t Home(std::uint32_t hash) const {
        return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * m_size) >> 32);
    }
    void Grow();

    // The index, in memory of malloc's so that TakeChains can give its end back in place.
    std::unique_ptr<Slot, Free> m_slots;
    std::size_t m_size = 0;                                     // slots; at most 3/4 full
    std::vector<std::uint32_t> m_prefix;                        // by node
    std::vector<std::uint8_t> m_words;                          // by node (at most 25)
    std::vector<std::uint32_t> m_hashes;                        // by node, for growing
    std::unordered_map<std::uint32_t, std::uint64_t> m_carried; // counts beyond 32 bits
};

// Phrases in the ordinal order of their texts (words joined by single blanks), the order of
// the word table, so that it need not sort them again; each with the ranks of its first words
// in the ordinal order of the words, packed, from which its text can be spelt without the
// chains.
struct TextOrder {
    struct Key {
        std::uint64_t packed[3]; // ranks + 1, from the high bits; 0 after the last word
        std::uint32_t node;
        std::uint32_t count; // the node's count, when spelt
    };
    std::vector<Key> keys;                 // in text order
    std::vector<std::uint32_t> wordOfRank; // word ids in ordinal order
    int bits = 0;                          // per rank
    // Every phrase has all its words in its key and its count in 32 bits: the chains may go.
    bool spelt = false;

    // The text of keys[i], when spelt (wordTexts by word id).
    void Text(std::size_t i, const std::vector<const std::u16string*>& wordTexts,
              std::u16string& text) const;
};

// Puts nodes (of chains c, with wordTexts by word id) in text order. Returns false, leaving
// order empty, when some word has a unit at or below the blank.
bool OrderByText(const std::vector<std::uint32_t>& nodes, const PhraseNodes::Chains& c,
                 const std::vector<const std::u16string*>& wordTexts, TextOrder& order);

} // namespace lxty
