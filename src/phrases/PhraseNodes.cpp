#include "phrases/PhraseNodes.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <utility>

namespace lxty {

namespace {

// n slots from malloc (or aligned_alloc, to be freed alike), all empty. A large index is
// looked up at random all over: it asks for pages of 2 MiB, so that a lookup seldom waits for
// the page tables as well (the prefetches of PhraseCounter::Prepare cost a third less). Where
// the system has none to give, the request changes nothing.
template <typename Slot> Slot* EmptySlots(std::size_t n) {
    const std::size_t bytes = n * sizeof(Slot);
    Slot* slots = nullptr;
#ifdef MADV_HUGEPAGE
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (bytes >= 4 * kHugePage) {
        const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        slots = static_cast<Slot*>(std::aligned_alloc(kHugePage, whole));
        if (slots != nullptr)
            (void)madvise(slots, whole, MADV_HUGEPAGE);
    }
#endif
    if (slots == nullptr)
        slots = static_cast<Slot*>(std::malloc(bytes));
    if (slots == nullptr)
        throw std::bad_alloc();
    std::uninitialized_fill_n(slots, n, Slot{});
    return slots;
}

} // namespace

std::uint32_t PhraseNodes::FindOrAdd(std::uint32_t first, std::uint32_t rest, std::uint32_t prefix,
                                     std::uint32_t words, std::uint32_t hash, std::size_t& slot) {
    if (4 * (m_prefix.size() + 1) > 3 * m_size)
        Grow();
    Slot* slots = m_slots.get();
    const std::size_t size = m_size;
    std::size_t i = Home(hash);
    for (;;) {
        Slot& s = slots[i];
        if (s.node == kNone)
            break;
        if (s.first == first && s.rest == rest) {
            slot = i;
            return s.node;
        }
        if (++i == size)
            i = 0;
    }
    if (m_prefix.size() >= kNone - 1)
        throw std::length_error("too many phrases");
    const auto node = static_cast<std::uint32_t>(m_prefix.size());
    m_prefix.push_back(prefix);
    m_words.push_back(static_cast<std::uint8_t>(words));
    m_hashes.push_back(hash);
    slots[i] = {first, rest, node, 0};
    slot = i;
    return node;
}

void PhraseNodes::Grow() {
    // Twice the slots: at most 3/4 and at least 3/8 full, and while the slots are placed
    // again the old ones take half of what the new ones take.
    const std::size_t oldSize = m_size;
    std::unique_ptr<Slot, Free> old(m_slots.release());
    m_size = oldSize == 0 ? 65536 : 2 * oldSize;
    m_slots.reset(EmptySlots<Slot>(m_size));
    Slot* slots = m_slots.get();
    for (std::size_t o = 0; o < oldSize; ++o) {
        const Slot& s = old.get()[o];
        if (s.node == kNone)
            continue;
        std::size_t i = Home(m_hashes[s.node]);
        while (slots[i].node != kNone)
            if (++i == m_size)
                i = 0;
        slots[i] = s;
    }
    // The node arrays grow with the index, to the most it holds.
    const std::size_t most = 3 * m_size / 4 + 1;
    m_prefix.reserve(most);
    m_words.reserve(most);
    m_hashes.reserve(most);
}

PhraseNodes::Chains PhraseNodes::TakeChains() {
    Chains c;
    const std::size_t n = m_prefix.size();
    // Every node is copied to the place of its number in an array of the nodes alone: the
    // index is read in order and the copies do not wait for one another. (Following the
    // cycles of the permutation in place waits for memory at every step.) The hashes go
    // first, so that the two arrays stand in their place.
    std::vector<std::uint32_t>().swap(m_hashes);
    if (n > 0) {
        std::unique_ptr<Slot, Free> nodes(static_cast<Slot*>(std::malloc(n * sizeof(Slot))));
        if (nodes == nullptr)
            throw std::bad_alloc();
        const Slot* slots = m_slots.get();
        Slot* out = nodes.get();
        for (std::size_t i = 0; i < m_size; ++i)
            if (slots[i].node != kNone)
                out[slots[i].node] = slots[i];
        m_slots = std::move(nodes);
    }
    c.m_nodes = std::move(m_slots);
    c.m_size = n;
    c.m_carried = std::move(m_carried);
    m_size = 0;
    m_carried.clear();
    return c;
}

void PhraseNodes::Clear() {
    m_slots.reset();
    m_size = 0;
    std::vector<std::uint32_t>().swap(m_prefix);
    std::vector<std::uint8_t>().swap(m_words);
    std::vector<std::uint32_t>().swap(m_hashes);
    m_carried.clear();
}

// Words are ranked in ordinal order once; while no word has a unit at or below the blank
// that joins them, two phrases compare as the sequences of their words' ranks do (a phrase
// that is the start of another sorts first, as does a word that is the start of another,
// followed by the blank or nothing). The ranks of each phrase's first words are packed into
// three numbers, which settle nearly every comparison; the chains settle the rest.
bool OrderByText(const std::vector<std::uint32_t>& nodes, const PhraseNodes::Chains& c,
                 const std::vector<const std::u16string*>& wordTexts, TextOrder& order) {
    const std::size_t words = wordTexts.size();
    order = TextOrder();
    for (const std::u16string* w : wordTexts)
        if (std::any_of(w->begin(), w->end(), [](char16_t u) { return u <= u' '; }))
            return false;
    std::vector<std::uint32_t> rank(words);
    order.wordOfRank.resize(words);
    for (std::uint32_t id = 0; id < words; ++id)
        order.wordOfRank[id] = id;
    std::sort(order.wordOfRank.begin(), order.wordOfRank.end(),
              [&](std::uint32_t a, std::uint32_t b) { return *wordTexts[a] < *wordTexts[b]; });
    for (std::uint32_t r = 0; r < words; ++r)
        rank[order.wordOfRank[r]] = r + 1; // 0: the phrase has ended
    int bits = 1;
    while (bits < 32 && (std::uint64_t{1} << bits) <= words)
        ++bits;
    order.bits = bits;
    const int perNumber = 64 / bits;
    order.spelt = true;
    order.keys.resize(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        TextOrder::Key& key = order.keys[i];
        key.node = nodes[i];
        const std::int64_t count = c.Count(nodes[i]);
        key.count = static_cast<std::uint32_t>(count);
        std::uint32_t r = nodes[i];
        for (std::uint64_t& packed : key.packed) {
            packed = 0;
            for (int w = 0; w < perNumber; ++w) {
                std::uint64_t value = 0;
                if (r != PhraseNodes::kNone) {
                    value = rank[c.First(r)];
                    r = c.Rest(r);
                }
                packed |= value << (64 - bits * (w + 1));
            }
        }
        order.spelt = order.spelt && r == PhraseNodes::kNone && key.count == count;
    }
    const int packedWords = 3 * perNumber;
    std::sort(order.keys.begin(), order.keys.end(),
              [&](const TextOrder::Key& a, const TextOrder::Key& b) {
                  for (int p = 0; p < 3; ++p)
                      if (a.packed[p] != b.packed[p])
                          return a.packed[p] < b.packed[p];
                  // The same first words: the chains go on.
                  std::uint32_t ra = a.node;
                  std::uint32_t rb = b.node;
                  for (int w = 0;
                       w < packedWords && ra != PhraseNodes::kNone && rb != PhraseNodes::kNone;
                       ++w) {
                      ra = c.Rest(ra);
                      rb = c.Rest(rb);
                  }
                  for (;;) {
                      if (ra == PhraseNodes::kNone || rb == PhraseNodes::kNone)
                          return ra == PhraseNodes::kNone && rb != PhraseNodes::kNone;
                      if (c.First(ra) != c.First(rb))
                          return rank[c.First(ra)] < rank[c.First(rb)];
                      ra = c.Rest(ra);
                      rb = c.Rest(rb);
                  }
              });
    return true;
}

void TextOrder::Text(std::size_t i, const std::vector<const std::u16string*>& wordTexts,
                     std::u16string& text) const {
    const Key& key = keys[i];
    const int perNumber = 64 / bits;
    const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
    text.clear();
    for (const std::uint64_t packed : key.packed) {
        for (int w = 0; w < perNumber; ++w) {
            const std::uint64_t value = (packed >> (64 - bits * (w + 1))) & mask;
            if (value == 0)
                return;
            if (!text.empty())
                text.push_back(u' ');
            text += *wordTexts[wordOfRank[value - 1]];
        }
    }
}

} // namespace lxty
