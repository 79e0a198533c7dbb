// Marker tables, the marker search and skip (also across lines), double hyphens, entity
// decoding and the entity-length test.

#include "sources/Markup.h"

#include "Golden.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lxty {
namespace {

TEST(MarkupTest, OtherTypeClearsTheFirstTwoPairs) {
    Markup m;
    m.SetMarkupType(u"C");
    EXPECT_EQ(0, m.SetMarkupType(u"None"));
    EXPECT_EQ(u"", m.Pair(0).start);
    EXPECT_EQ(u"", m.Pair(1).start);
    EXPECT_EQ(-1, m.FindStartMarker(u"/* x", 1));
}

// The marker table of each type and extension, the marker search and skip (also across
// lines), double hyphens and entities, from one case file.
TEST(MarkupTest, Cases) {
    test::ExpectCases(
        "cases/markup.txt", "", [](const std::vector<std::u16string>& in) -> std::u16string {
            using test::Number;
            const std::u16string& f = in.at(0);
            const auto text = [](std::int64_t n) { return Utf8ToU16(std::to_string(n)); };
            if (f == u"ReplaceDoubleHyphens")
                return ReplaceDoubleHyphens(in.at(1));
            if (f == u"DecodeEntities")
                return DecodeEntities(in.at(1));
            if (f == u"EntityLength")
                return text(EntityLength(in.at(1)));
            Markup m;
            if (f == u"TypeFromExtension") { // after a type with entities: none may survive
                m.SetMarkupTypeFromExtension(u"html");
                const int pairs = m.SetMarkupTypeFromExtension(in.at(1));
                return m.MarkupType() + u", " + text(pairs) + u" pairs" +
                       (m.CharacterEntitiesPossible() ? u", entities" : u"");
            }
            if (f == u"MarkerTable") { // after PHP: a previous file's table must not leak
                m.SetMarkupType(u"PHP");
                std::u16string out = text(m.SetMarkupType(in.at(1))) + u":";
                EXPECT_EQ(in.at(1), m.MarkupType());
                for (int i = 0; i < m.NumPairs(); ++i)
                    out += u" " + m.Pair(i).start + u"~" + m.Pair(i).end;
                return out;
            }
            m.SetMarkupType(in.at(1));
            if (f == u"FindStartMarker") // XML's CDATA is pair 3 (intCdataMarker)
                return text(m.FindStartMarker(in.at(2), Number(in.at(3))));
            if (f == u"SkipMarker") {
                std::int64_t pos = Number(in.at(3));
                int within = static_cast<int>(Number(in.at(4)));
                m.SkipMarker(in.at(2), pos, within);
                return text(pos) + u" " + text(within);
            }
            // What the search and skip leave of the lines, "|" after each: the way word
            // extraction consults the skipper at each position.
            std::u16string out;
            int within = -1;
            for (std::size_t at = 0; at <= in.at(2).size();) {
                const std::size_t end = std::min(in.at(2).find(u'\n', at), in.at(2).size());
                const std::u16string line = in.at(2).substr(at, end - at);
                for (std::int64_t pos = 1; pos <= static_cast<std::int64_t>(line.size());) {
                    if (within == -1)
                        within = m.FindStartMarker(line, pos);
                    if (within >= 0)
                        m.SkipMarker(line, pos, within);
                    else
                        out.push_back(line[static_cast<std::size_t>(pos++ - 1)]);
                }
                out.push_back(u'|');
                at = end + 1;
            }
            return out;
        });
}

TEST(MarkupTest, ReplaceDoubleHyphensAtEveryPositionOfLongLines) {
    // Lines are searched eight units at a time, the last units as the last group of eight:
    // one "--" (and one lone "-", which stays) at every position of lines of every length.
    const std::u16string whole = u"In the beginning God created the heaven and";
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const std::u16string plain = whole.substr(0, length);
        for (std::size_t at = 0; at <= length; ++at) {
            std::u16string in = plain;
            in.insert(at, u"--");
            std::u16string expected = plain;
            expected.insert(at, at >= 2 ? u"  " : u"--"); // a pair at index 0 or 1 stays
            EXPECT_EQ(expected, ReplaceDoubleHyphens(in)) << length << " " << at;
            std::u16string lone = plain;
            lone.insert(at, u"-");
            EXPECT_EQ(lone, ReplaceDoubleHyphens(lone)) << length << " " << at;
        }
    }
}

} // namespace
} // namespace lxty
