#pragma once
// Markup stripping: the start/end marker table chosen by the markup type of a source, the
// marker search and skip that word extraction calls at each scan position, double-hyphen
// replacement, decoding of named character entities and the entity-length test.
//
// Positions are 1-based, as in the rest of the program. A pair index is 0-based; -1 means "not
// inside any pair". Nothing here allocates per character: marker comparisons are done in
// place (markers are ASCII, compared without regard to ASCII case).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lxty {

struct MarkerPair {
    std::u16string start;
    std::u16string end; // empty: the region runs to the end of the line
};

// Pair index returned by FindStartMarker for "<![CDATA[" under the "XML" markers. It lies
// beyond the three XML pairs, so it cannot be confused with one of them.
inline constexpr int intCdataMarker = 3;

class Markup {
public:
    static constexpr int intMaxMarkerPairs = 10;

    Markup() = default;

    // Fills the marker table for "C", "XML", "HTML" or "PHP"; any other text (the clipboard
    // passes "according to user's settings") clears the first two pairs and leaves no pair in
    // force. Returns the number of pairs in force. Clears the entity flag: only a markup file
    // (SetMarkupTypeFromExtension) decodes entities.
    int SetMarkupType(std::u16string_view type);

    // Markup type for a lower-cased file extension: "php" -> "PHP", "xml" -> "XML", any
    // extension containing "htm" -> "HTML", "c" or "cpp" -> "C", anything else "None". Sets
    // the table as SetMarkupType does and the entity flag: on for the three markup languages,
    // off for everything else (so a plain file after an HTML file decodes nothing).
    // Returns the number of pairs in force.
    int SetMarkupTypeFromExtension(std::u16string_view extension);

    const std::u16string& MarkupType() const { return m_type; }
    int NumPairs() const { return m_numPairs; }
    const MarkerPair& Pair(int i) const { return m_pairs[static_cast<std::size_t>(i)]; }
    // True after SetMarkupTypeFromExtension chose "PHP", "XML" or "HTML".
    bool CharacterEntitiesPossible() const { return m_entities; }
    // True under the "XML" markers.
    bool IsXml() const { return m_xml; }

    // The first pair in force whose start marker begins at pos (compared ignoring ASCII
    // case), or -1. Under the "XML" markers a "<![CDATA[" at pos gives intCdataMarker. An
    // "&" ... ";" pair matches only where EntityLength is non-zero.
    int FindStartMarker(std::u16string_view line, std::int64_t pos) const;

    // Skips from pos through the region of pair `pairIndex` (which FindStartMarker returned,
    // or which a previous line left open). Moves pos past the region's end marker and sets
    // pairIndex to -1; when the end marker is not on this line, moves pos past the end of the
    // line and leaves pairIndex as it is, so that the next line goes on skipping from its
    // first character. A "//" pair ends at the end of the line; a numeric reference "&#..."
    // is skipped up to the first character that is not a digit, letter or ";"; under the
    // "XML" markers a CDATA opening is passed over and its content is left to be counted.
    void SkipMarker(std::u16string_view line, std::int64_t& pos, int& pairIndex) const;

private:
    std::array<MarkerPair, intMaxMarkerPairs> m_pairs{};
    int m_numPairs = 0;
    std::u16string m_type;
    bool m_entities = false;
    bool m_xml = false;
};

// Every "--" at position 3 or later becomes two spaces, unless it belongs to "<!--" or
// "-->". A "--" at position 1 or 2 stays. Works in place.
void ReplaceDoubleHyphensInPlace(std::u16string& line);
std::u16string ReplaceDoubleHyphens(std::u16string_view line);

// Replaces "&quot;" by a double quote and each entity of the entity table (exact,
// case-sensitive) by its character. Other "&...;" texts stay as they are.
// For an XML file (xml true), whose markers have no "&" ... ";" pair to skip references, also
// the five XML entities and numeric references ("&#233;", "&#xE9;") become their characters;
// "&lt;", "&gt;" and references to "<", ">" or a control character become a space.
std::u16string DecodeEntities(std::u16string_view line, bool xml = false);
// The same, in place; returns false (and leaves the line alone) when there was nothing to do.
bool DecodeEntitiesInPlace(std::u16string& line, bool xml = false);

// Length of the entity at the start of text: 0 when text is shorter than 4 characters; 1
// when it starts "&#" (a numeric reference); 0 when it does not start with "&" or the first
// ";" is not among the first 20 characters, a space comes before that ";", or the second
// character is not an ASCII letter; otherwise the position of that ";" (the whole entity).
std::int64_t EntityLength(std::u16string_view text);

// The entity table: 67 entities and the characters they stand for, in table order.
struct EntityEntry {
    std::u16string_view entity;
    char16_t character;
};
inline constexpr std::size_t intNumEntities = 67;
const std::array<EntityEntry, intNumEntities>& EntityTable();

} // namespace lxty
