#pragma once
// What extraction and counting made of each distinct piece of plain text between spaces
// ("said,", "LORD's", "--"): the words it yielded, in order, each with the word-table record
// it is counted in. A run over plain text meets the same few thousand pieces millions of
// times; once a piece is known, counting it again needs one lookup instead of lower-casing,
// measuring, plural reduction, the words-to-ignore test and a word-table lookup per word.
//
// The cache knows nothing of the rules: the count run fills it with what the ordinary path
// produced for a piece, and empties it when the table's records are renumbered (see
// WordTable::Generation).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

namespace chunk_detail {

// Which of four units to keep, for 0 to 4 units.
constexpr std::uint64_t KeepUnits(std::size_t n) {
    return n >= 4 ? ~std::uint64_t{0} : (std::uint64_t{1} << (16 * n)) - 1;
}
struct UnitMasks {
    std::uint64_t lo;
    std::uint64_t hi;
};
// The masks that keep the first n of eight units, for n from 0 to 8.
inline constexpr UnitMasks kUnitMasks[9] = {
    {KeepUnits(0), KeepUnits(0)}, {KeepUnits(1), KeepUnits(0)}, {KeepUnits(2), KeepUnits(0)},
    {KeepUnits(3), KeepUnits(0)}, {KeepUnits(4), KeepUnits(0)}, {KeepUnits(4), KeepUnits(1)},
    {KeepUnits(4), KeepUnits(2)}, {KeepUnits(4), KeepUnits(3)}, {KeepUnits(4), KeepUnits(4)},
};

} // namespace chunk_detail

class ChunkCache {
public:
    // One word a piece yields: its text (in the cache) and its record, or one of
    // WordCounting's kDropped and kNotCounted.
    struct Word {
        std::int64_t record = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    // The words of one known piece, in order.
    struct Words {
        const Word* begin = nullptr;
        const Word* end = nullptr;
    };
    // A piece's first eight units (zeros after a shorter piece), its length and its hash.
    struct Key {
        std::uint64_t lo = 0;
        std::uint64_t hi = 0;
        std::uint64_t hash = 0;
        std::size_t length = 0;
    };

    // The cache stops taking new pieces when it holds this many pieces or code units of piece
    // and word text, so that a corpus of endless distinct tokens cannot make it grow without
    // bound (about 40 MB at most).
    static constexpr std::size_t kMaxUnits = std::size_t{4} << 20;
    static constexpr std::size_t kMaxPieces = std::size_t{1} << 19;

    static Key KeyOf(std::u16string_view piece);
    // The same key, for a piece followed by at least eight readable units (the line is
    // padded): no copying and no branch on the length below nine units.
    static Key KeyOfPadded(const char16_t* piece, std::size_t length) {
        // The masks come from a table: a branch on the length would be mispredicted at
        // nearly every piece.
        const chunk_detail::UnitMasks& m = chunk_detail::kUnitMasks[length < 8 ? length : 8];
        Key key;
        std::memcpy(&key.lo, piece, 8);
        std::memcpy(&key.hi, piece + 4, 8);
        key.lo &= m.lo;
        key.hi &= m.hi;
        key.length = length;
        key.hash = HashOf(key.lo, key.hi, piece, length);
        return key;
    }

    // What Find gives for a piece that yields one word: the word's record, or kDropped; for
    // any other piece kSeeWords.
    static constexpr std::int64_t kSeeWords = -3;
    // Finds piece (key from KeyOf, units from piece): its position in the cache and its
    // single record, or -1 when the piece is not known.
    std::int64_t Find(const Key& key, const char16_t* piece, std::int64_t& single) const;
    // The words of a known piece, in order; valid until the next Add, Validate or Clear.
    Words WordsOf(std::int64_t piece) const {
        const auto at = static_cast<std::size_t>(piece);
        const Word* begin = m_words.data() + m_firstWords[at];
        const Word* end = at + 1 < m_firstWords.size() ? m_words.data() + m_firstWords[at + 1]
                                                       : m_words.data() + m_words.size();
        return {begin, end};
    }
    // One more occurrence of a known piece whose single record is a counted word, to be
    // handed on by TakePending. True when the piece's tally is full and must be taken now.
    bool Note(std::int64_t piece) {
        Piece& p = m_pieces[static_cast<std::size_t>(piece)];
        if (p.pending++ == 0) [[unlikely]]
            Touch(piece);
        return p.pending == kMaxPending;
    }
    // Hands each noted piece's word and number of occurrences to take(word, n), and forgets
    // them.
    template <typename Take> void TakePending(Take take) {
        for (const std::uint32_t at : m_touched) {
            Piece& p = m_pieces[at];
            const std::uint64_t n = p.pending;
            p.pending = 0;
            if (n != 0)
                take(*WordsOf(at).begin, n);
        }
        m_touched.clear();
    }
    bool HasPending() const { return !m_touched.empty(); }
    // Remembers piece with its words and their records (same length). False, with nothing
    // remembered, when the cache is full.
    bool Add(std::u16string_view piece, const std::vector<std::u16string>& words,
             const std::vector<std::int64_t>& records);
    std::u16string_view TextOf(const Word& word) const {
        return {m_units.data() + word.offset, word.length};
    }

    // Empties the cache when generation differs from the one its records belong to. Take
    // the pending occurrences first.
    void Validate(std::uint64_t generation);
    void Clear();
    std::uint64_t Generation() const { return m_generation; }
    std::size_t Size() const { return m_pieces.size(); }

private:
    // The hash of the first eight units and the length, then of the units beyond the eighth.
    static std::uint64_t HashOf(std::uint64_t lo, std::uint64_t hi, const char16_t* piece,
                                std::size_t length) {
        // The slot comes from the top bits, which a product mixes from all the bits below.
        std::uint64_t h = (lo * kMul1) ^ ((hi + length) * kMul2);
        if (length > 8)
            h = HashTail(h, piece + 8, length - 8);
        return h;
    }
    static std::uint64_t HashTail(std::uint64_t h, const char16_t* units, std::size_t n);
    static constexpr std::uint64_t kMul1 = 0x9E3779B97F4A7C15ull;
    static constexpr std::uint64_t kMul2 = 0xC2B2AE3D27D4EB4Full;

    // A known piece, in order of arrival: the pieces met most often come early and lie
    // together. Its first eight units (zeros after a shorter piece), the record of a piece of
    // one word that is counted or dropped (else kSeeWords), its length, where its text is,
    // and its occurrences not yet handed on: counting one touches nothing but this.
    struct alignas(32) Piece {
        std::uint64_t lo = 0;
        std::uint64_t hi = 0;
        std::int32_t single = kSeeWords;
        std::uint32_t length = 0;
        std::uint32_t offset = 0; // of the piece's text in m_units
        std::uint32_t pending = 0;
    };
    static constexpr std::uint32_t kMaxPending = 0xFFFFFFFFu;
    void Touch(std::int64_t piece);
    // A slot of the open-addressing index: the piece's position + 1 (0: empty). Four bytes,
    // so that the index stays small enough for the processor's caches; the piece itself holds
    // what tells pieces apart.
    struct Slot {
        std::uint32_t piece = 0;
    };
    void Grow();
    void Place(std::uint32_t piece);

    std::vector<Piece> m_pieces;
    std::vector<std::uint64_t> m_hashes;     // of each piece, for growing
    std::vector<std::uint32_t> m_firstWords; // of each piece, in m_words
    std::vector<std::uint32_t> m_touched;    // pieces with pending occurrences
    std::vector<Slot> m_slots;               // a power of two in size, at most half full
    unsigned m_shift = 64;                   // 64 - log2 of the number of slots
    std::vector<char16_t> m_units;
    std::vector<Word> m_words;
    std::uint64_t m_generation = 0;
};

} // namespace lxty
