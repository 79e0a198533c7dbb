#include "engine/ChunkCache.h"

#include "util/FoldUnits.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lxty {

std::uint64_t ChunkCache::HashTail(std::uint64_t h, const char16_t* p, std::size_t n) {
    h = FoldUnits(h, p, n);
    return h ^ (h << 29);
}

ChunkCache::Key ChunkCache::KeyOf(std::u16string_view piece) {
    char16_t first[8] = {};
    std::memcpy(first, piece.data(), std::min<std::size_t>(piece.size(), 8) * 2);
    Key key;
    std::memcpy(&key.lo, first, 8);
    std::memcpy(&key.hi, first + 4, 8);
    key.length = piece.size();
    key.hash = HashOf(key.lo, key.hi, piece.data(), piece.size());
    return key;
}

std::int64_t ChunkCache::Find(const Key& key, const char16_t* piece, std::int64_t& single) const {
    if (m_slots.empty())
        return -1;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = key.hash >> m_shift;; i = (i + 1) & mask) {
        const Slot slot = m_slots[i];
        if (slot.piece == 0)
            return -1;
        const Piece& p = m_pieces[slot.piece - 1];
        if (p.lo != key.lo || p.hi != key.hi || p.length != key.length)
            continue;
        // The piece holds its first eight units; the rest is compared only for longer ones.
        if (key.length > 8 &&
            (!SameUnits(m_units.data() + p.offset + 8, piece + 8, key.length - 8)))
            continue;
        single = p.single;
        return static_cast<std::int64_t>(slot.piece) - 1;
    }
}

bool ChunkCache::Add(std::u16string_view piece, const std::vector<std::u16string>& words,
                     const std::vector<std::int64_t>& records) {
    std::size_t units = piece.size();
    for (const std::u16string& w : words)
        units += w.size();
    if (m_units.size() + units > kMaxUnits || m_pieces.size() >= kMaxPieces ||
        words.size() != records.size())
        return false;

    const Key key = KeyOf(piece);
    Piece p;
    p.lo = key.lo;
    p.hi = key.hi;
    p.length = static_cast<std::uint32_t>(piece.size());
    p.offset = static_cast<std::uint32_t>(m_units.size());
    m_firstWords.push_back(static_cast<std::uint32_t>(m_words.size()));
    // Only a record that fits the piece's field is kept there; any other goes by the words.
    if (words.size() == 1 && records[0] >= -1 &&
        records[0] <= std::numeric_limits<std::int32_t>::max())
        p.single = static_cast<std::int32_t>(records[0]);
    m_units.insert(m_units.end(), piece.begin(), piece.end());
    for (std::size_t k = 0; k < words.size(); ++k) {
        Word w;
        w.record = records[k];
        w.offset = static_cast<std::uint32_t>(m_units.size());
        w.length = static_cast<std::uint32_t>(words[k].size());
        m_units.insert(m_units.end(), words[k].begin(), words[k].end());
        m_words.push_back(w);
    }
    m_pieces.push_back(p);
    m_hashes.push_back(key.hash);

    if (2 * m_pieces.size() > m_slots.size())
        Grow();
    else
        Place(static_cast<std::uint32_t>(m_pieces.size() - 1));
    return true;
}

void ChunkCache::Touch(std::int64_t piece) {
    m_touched.push_back(static_cast<std::uint32_t>(piece));
}

void ChunkCache::Place(std::uint32_t piece) {
    const std::uint64_t hash = m_hashes[piece];
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash >> m_shift;
    while (m_slots[i].piece != 0)
        i = (i + 1) & mask;
    m_slots[i] = {piece + 1};
}

void ChunkCache::Grow() {
    std::size_t size = m_slots.empty() ? 4096 : 2 * m_slots.size();
    while (2 * m_pieces.size() > size)
        size *= 2;
    m_slots.assign(size, Slot{});
    m_shift = 64;
    for (std::size_t s = size; s > 1; s /= 2)
        --m_shift;
    for (std::size_t k = 0; k < m_pieces.size(); ++k)
        Place(static_cast<std::uint32_t>(k));
}

void ChunkCache::Validate(std::uint64_t generation) {
    if (generation == m_generation)
        return;
    Clear();
    m_generation = generation;
}

void ChunkCache::Clear() {
    // The memory goes back as well: the cache lives as long as the main window.
    m_pieces = {};
    m_hashes = {};
    m_firstWords = {};
    m_touched = {};
    m_slots = {};
    m_units = {};
    m_words = {};
}

} // namespace lxty
