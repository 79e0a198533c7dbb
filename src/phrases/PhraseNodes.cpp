#include "phrases/PhraseNodes.h"

#include <stdexcept>

namespace lxty {

std::uint32_t PhraseNodes::FindOrAdd(std::uint32_t first, std::uint32_t rest, std::uint32_t prefix,
                                     std::uint32_t words, std::uint32_t hash, std::size_t& slot) {
    if (10 * (m_prefix.size() + 1) > 7 * m_slots.size())
        Grow();
    const std::size_t size = m_slots.size();
    std::size_t i = Home(hash);
    for (;;) {
        Slot& s = m_slots[i];
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
    m_slots[i] = {first, rest, node, 0};
    slot = i;
    return node;
}

void PhraseNodes::Grow() {
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? 65536 : old.size() + old.size() / 2, Slot{});
    const std::size_t size = m_slots.size();
    for (const Slot& s : old) {
        if (s.node == kNone)
            continue;
        std::size_t i = Home(m_hashes[s.node]);
        while (m_slots[i].node != kNone)
            if (++i == size)
                i = 0;
        m_slots[i] = s;
    }
}

PhraseNodes::Chains PhraseNodes::TakeChains() {
    Chains c;
    const std::size_t n = m_prefix.size();
    c.first.resize(n);
    c.rest.resize(n);
    c.count.resize(n);
    for (const Slot& s : m_slots) {
        if (s.node == kNone)
            continue;
        c.first[s.node] = s.first;
        c.rest[s.node] = s.rest;
        c.count[s.node] = static_cast<std::int64_t>(s.count);
    }
    for (const auto& [node, carried] : m_carried)
        c.count[node] += static_cast<std::int64_t>(carried);
    std::vector<Slot>().swap(m_slots);
    std::vector<std::uint32_t>().swap(m_hashes);
    m_carried.clear();
    return c;
}

void PhraseNodes::Clear() {
    std::vector<Slot>().swap(m_slots);
    std::vector<std::uint32_t>().swap(m_prefix);
    std::vector<std::uint8_t>().swap(m_words);
    std::vector<std::uint32_t>().swap(m_hashes);
    m_carried.clear();
}

} // namespace lxty
