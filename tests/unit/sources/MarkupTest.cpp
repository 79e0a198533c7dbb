// Marker tables, the marker search and skip (also across lines), double hyphens, entity
// decoding and the entity-length test.

#include "sources/Markup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lxty {
namespace {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

Pairs TableOf(const Markup& m) {
    Pairs out;
    for (int i = 0; i < m.NumPairs(); ++i)
        out.emplace_back(m.Pair(i).start, m.Pair(i).end);
    return out;
}

TEST(MarkupTest, MarkerTableOfEachType) {
    struct Case {
        std::u16string type;
        Pairs pairs;
    };
    const std::vector<Case> cases = {
        {u"C", {{u"/*", u"*/"}, {u"//", u""}}},
        {u"XML", {{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}}},
        {u"HTML",
         {{u"&", u";"},
          {u"<script", u"/script>"},
          {u"<style", u"/style>"},
          {u"<noscript", u"/noscript>"},
          {u"<!--", u"-->"},
          {u"<", u">"}}},
        {u"PHP",
         {{u"&", u";"},
          {u"<script", u"/script>"},
          {u"<style", u"/style>"},
          {u"<noscript", u"/noscript>"},
          {u"<!--", u"-->"},
          {u"<?php", u"php"},
          {u"<", u">"},
          {u"/*", u"*/"},
          {u"//", u""}}},
        {u"according to user's settings", {}},
        {u"", {}},
        {u"html", {}}, // the type names are exact
    };
    for (const auto& c : cases) {
        Markup m;
        m.SetMarkupType(u"PHP"); // a previous file's table must not leak into the next
        EXPECT_EQ(static_cast<int>(c.pairs.size()), m.SetMarkupType(c.type));
        EXPECT_EQ(c.pairs, TableOf(m));
        EXPECT_EQ(c.type, m.MarkupType());
    }
}

TEST(MarkupTest, OtherTypeClearsTheFirstTwoPairs) {
    Markup m;
    m.SetMarkupType(u"C");
    EXPECT_EQ(0, m.SetMarkupType(u"None"));
    EXPECT_EQ(u"", m.Pair(0).start);
    EXPECT_EQ(u"", m.Pair(1).start);
    EXPECT_EQ(-1, m.FindStartMarker(u"/* x", 1));
}

TEST(MarkupTest, TypeFromExtension) {
    struct Case {
        std::u16string ext;
        std::u16string type;
        int pairs;
        bool entities;
    };
    const std::vector<Case> cases = {
        {u"php", u"PHP", 9, true},   {u"xml", u"XML", 3, true},    {u"htm", u"HTML", 6, true},
        {u"html", u"HTML", 6, true}, {u"shtml", u"HTML", 6, true}, {u"xhtml", u"HTML", 6, true},
        {u"c", u"C", 2, false},      {u"cpp", u"C", 2, false},     {u"h", u"None", 0, false},
        {u"txt", u"None", 0, false}, {u"", u"None", 0, false},     {u"phps", u"None", 0, false},
    };
    for (const auto& c : cases) {
        Markup m;
        m.SetMarkupTypeFromExtension(u"html"); // entity decoding must not survive a plain file
        EXPECT_EQ(c.pairs, m.SetMarkupTypeFromExtension(c.ext))
            << std::string(c.ext.begin(), c.ext.end());
        EXPECT_EQ(c.type, m.MarkupType());
        EXPECT_EQ(c.entities, m.CharacterEntitiesPossible());
    }
}

TEST(MarkupTest, FindStartMarker) {
    struct Case {
        std::u16string type;
        std::u16string line;
        std::int64_t pos;
        int expected;
    };
    const std::vector<Case> cases = {
        {u"C", u"/* x", 1, 0},
        {u"C", u"a // x", 3, 1},
        {u"C", u"a // x", 2, -1},
        {u"C", u"/", 1, -1},
        {u"C", u"/*", 3, -1}, // beyond the end
        {u"HTML", u"<b>", 1, 5},
        {u"HTML", u"<SCRIPT>", 1, 1},
        {u"HTML", u"<Style type=x>", 1, 2},
        {u"HTML", u"<NoScript>", 1, 3},
        {u"HTML", u"<!-- c -->", 1, 4},
        {u"HTML", u"&hellip; ", 1, 0},
        {u"HTML", u"& x; ", 1, -1}, // the "&" pair needs an entity there
        {u"HTML", u"&a; ", 1, 0},
        {u"HTML", u"&a;", 1, -1},          // shorter than 4
        {u"HTML", u"<![CDATA[x]]>", 1, 5}, // only XML knows CDATA
        {u"XML", u"<![CDATA[x]]>", 1, intCdataMarker},
        {u"XML", u"<![cdata[x]]>", 1, intCdataMarker},
        {u"XML", u"<?xml version", 1, 0},
        {u"XML", u"<!-- c", 1, 1},
        {u"XML", u"<tag>", 1, 2},
        {u"XML", u"&amp; ", 1, -1},
        {u"PHP", u"<?PHP echo", 1, 5},
        {u"PHP", u"x /* c", 3, 7},
        {u"PHP", u"x // c", 3, 8},
        {u"None", u"<b>", 1, -1},
    };
    for (const auto& c : cases) {
        Markup m;
        m.SetMarkupType(c.type);
        EXPECT_EQ(c.expected, m.FindStartMarker(c.line, c.pos))
            << std::string(c.line.begin(), c.line.end());
    }
}

TEST(MarkupTest, SkipMarker) {
    struct Case {
        std::u16string type;
        std::u16string line;
        std::int64_t pos;
        int pair;
        std::int64_t expectedPos;
        int expectedPair;
    };
    const std::vector<Case> cases = {
        // end marker on the line: past it, out of the pair
        {u"HTML", u"<script>var a;</script> after", 1, 1, 24, -1},
        {u"HTML", u"<SCRIPT>var a;</Script> after", 1, 1, 24, -1},
        {u"HTML", u"<b>bold", 1, 5, 4, -1},
        // not on the line: past the end, still inside
        {u"C", u"/* a", 1, 0, 5, 0},
        {u"C", u"b */ c", 1, 0, 5, -1},
        // "//" runs to the end of the line
        {u"C", u"x // y", 3, 1, 7, -1},
        // numeric reference: digits and letters are run over up to the first ";"; what
        // follows it is text
        {u"HTML", u"&#233;abc def", 1, 0, 7, -1},
        {u"HTML", u"&#13;Many", 1, 0, 6, -1},
        {u"HTML", u"&#233 def", 1, 0, 6, -1},
        {u"HTML", u"&#x41; z", 1, 0, 7, -1},
        {u"HTML", u"&#\u00E9\u00C0; z", 1, 0, 6, -1},
        // a named entity ends at its ";"
        {u"HTML", u"&hellip; z", 1, 0, 9, -1},
        // the end of "<?php" is found in the start marker itself
        {u"PHP", u"<?php echo $a;", 1, 5, 6, -1},
        // CDATA: only the opening is passed over
        {u"XML", u"<![CDATA[text]]>", 1, intCdataMarker, 10, -1},
        // a comment end inside the comment start is found from the position
        {u"XML", u"<!-- a --> b", 1, 1, 11, -1},
    };
    for (const auto& c : cases) {
        Markup m;
        m.SetMarkupType(c.type);
        std::int64_t pos = c.pos;
        int pair = c.pair;
        m.SkipMarker(c.line, pos, pair);
        EXPECT_EQ(c.expectedPos, pos) << std::string(c.line.begin(), c.line.end());
        EXPECT_EQ(c.expectedPair, pair) << std::string(c.line.begin(), c.line.end());
    }
}

// The characters of lines that the marker search and skip leave, lines separated by "|":
// the way word extraction consults the skipper at each position.
std::u16string Visible(Markup& m, const std::vector<std::u16string>& lines) {
    std::u16string out;
    int within = -1;
    for (const auto& line : lines) {
        const auto len = static_cast<std::int64_t>(line.size());
        std::int64_t pos = 1;
        while (pos <= len) {
            if (within == -1)
                within = m.FindStartMarker(line, pos);
            if (within >= 0) {
                m.SkipMarker(line, pos, within);
                continue;
            }
            out.push_back(line[static_cast<std::size_t>(pos - 1)]);
            ++pos;
        }
        out.push_back(u'|');
    }
    return out;
}

TEST(MarkupTest, SkippingAcrossLines) {
    struct Case {
        std::u16string type;
        std::vector<std::u16string> lines;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"HTML", {u"before <!-- one", u"two three", u"four --> after"}, u"before || after|"},
        {u"HTML", {u"a <script>if (a<b) x();</script> b"}, u"a  b|"},
        {u"HTML", {u"<script>", u"var x;", u"</script>tail"}, u"||tail|"},
        {u"HTML", {u"<style>p {}</style>s <noscript>n</noscript>t"}, u"s t|"},
        {u"HTML", {u"x &#233; y &hellip; z"}, u"x  y  z|"},
        {u"HTML", {u"<a", u"href=x>link</a>"}, u"|link|"},
        {u"XML", {u"<?xml version=\"1.0\"?><r><![CDATA[kept text]]></r>"}, u"kept text]]>|"},
        {u"XML", {u"<r>", u"<!-- a", u"b -->c</r>"}, u"||c|"},
        {u"C", {u"int a; // note", u"/* one", u"two */ b"}, u"int a; || b|"},
        {u"C", {u"x /* a */ y"}, u"x  y|"},
        {u"PHP", {u"<?php echo $a; // note", u"?> text"}, u" echo $a; |?> text|"},
        {u"None", {u"<b>a</b>"}, u"<b>a</b>|"},
    };
    for (const auto& c : cases) {
        Markup m;
        m.SetMarkupType(c.type);
        EXPECT_EQ(c.expected, Visible(m, c.lines)) << std::string(c.type.begin(), c.type.end());
    }
}

TEST(MarkupTest, ReplaceDoubleHyphens) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"--ab", u"--ab"},   // position 1 stays
        {u"a--b", u"a--b"},   // position 2 stays
        {u"ab--c", u"ab  c"}, // position 3 is replaced
        {u"a b--c--d", u"a b  c  d"},
        {u"ab---c", u"ab  -c"},
        {u"x <!-- c --> y", u"x <!-- c --> y"},
        {u"<!--c-->", u"<!--c-->"},
        {u"ab-->", u"ab-->"},
        {u"ab--", u"ab  "},
        {u"ab-", u"ab-"},
        {u"", u""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(out, ReplaceDoubleHyphens(in)) << std::string(in.begin(), in.end());
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

TEST(MarkupTest, EveryEntityDecodesToItsCharacter) {
    // Written out independently of the table in the code.
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"&copy;", u"©"},   {u"&amp;", u"&"},    {u"&nbsp;", u" "},   {u"&#160;", u" "},
        {u"&#8212;", u"—"},  {u"&AElig;", u"Æ"},  {u"&Aacute;", u"Á"}, {u"&Acirc;", u"Â"},
        {u"&Agrave;", u"À"}, {u"&Aring;", u"Å"},  {u"&Atilde;", u"Ã"}, {u"&Auml;", u"Ä"},
        {u"&Ccedil;", u"Ç"}, {u"&ETH;", u"Ð"},    {u"&Eacute;", u"É"}, {u"&Ecirc;", u"Ê"},
        {u"&Egrave;", u"È"}, {u"&Euml;", u"Ë"},   {u"&Iacute;", u"Í"}, {u"&Icirc;", u"Î"},
        {u"&Igrave;", u"Ì"}, {u"&Iuml;", u"Ï"},   {u"&Ntilde;", u"Ñ"}, {u"&Oacute;", u"Ó"},
        {u"&Ocirc;", u"Ô"},  {u"&Ograve;", u"Ò"}, {u"&Oslash;", u"Ø"}, {u"&Otilde;", u"Õ"},
        {u"&Ouml;", u"Ö"},   {u"&THORN;", u"Þ"},  {u"&Uacute;", u"Ú"}, {u"&Ucirc;", u"Û"},
        {u"&Ugrave;", u"Ù"}, {u"&Uuml;", u"Ü"},   {u"&Yacute;", u"Ý"}, {u"&aacute;", u"á"},
        {u"&acirc;", u"â"},  {u"&aelig;", u"æ"},  {u"&agrave;", u"à"}, {u"&aring;", u"å"},
        {u"&atilde;", u"ã"}, {u"&auml;", u"ä"},   {u"&ccedil;", u"ç"}, {u"&eacute;", u"é"},
        {u"&ecirc;", u"ê"},  {u"&egrave;", u"è"}, {u"&eth;", u"ð"},    {u"&euml;", u"ë"},
        {u"&iacute;", u"í"}, {u"&icirc;", u"î"},  {u"&igrave;", u"ì"}, {u"&iuml;", u"ï"},
        {u"&ntilde;", u"ñ"}, {u"&oacute;", u"ó"}, {u"&ocirc;", u"ô"},  {u"&ograve;", u"ò"},
        {u"&oslash;", u"ø"}, {u"&otilde;", u"õ"}, {u"&ouml;", u"ö"},   {u"&szlig;", u"ß"},
        {u"&thorn;", u"þ"},  {u"&uacute;", u"ú"}, {u"&ucirc;", u"û"},  {u"&ugrave;", u"ù"},
        {u"&uuml;", u"ü"},   {u"&yacute;", u"ý"}, {u"&yuml;", u"ÿ"},
    };
    ASSERT_EQ(67u, expected.size());
    ASSERT_EQ(expected.size(), EntityTable().size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [entity, ch] = expected[i];
        EXPECT_EQ(entity, EntityTable()[i].entity);
        EXPECT_EQ(u"x" + ch + u"y", DecodeEntities(u"x" + entity + u"y"))
            << std::string(entity.begin(), entity.end());
    }
}

TEST(MarkupTest, DecodeEntities) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"say &quot;hi&quot;", u"say \"hi\""},
        {u"&Eacute;t&eacute;", u"Été"},
        {u"&EACUTE;", u"&EACUTE;"}, // case-sensitive
        {u"&hellip;", u"&hellip;"}, // not in the table
        {u"&#233;", u"&#233;"},     // numeric references other than two stay
        {u"&amp;amp;", u"&amp;"},   // decoded once
        {u"AT&T; &copy;", u"AT&T; ©"},
        {u"a & b", u"a & b"},
        {u"& &nbsp;x", u"&  x"},
        {u"&copy", u"&copy"},
        {u"&&amp;", u"&&"},
        {u"", u""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(out, DecodeEntities(in)) << std::string(in.begin(), in.end());
}

TEST(MarkupTest, EntityLength) {
    const std::u16string letters18(18, u'a');
    const std::vector<std::pair<std::u16string, std::int64_t>> cases = {
        {u"", 0},
        {u"&a;", 0}, // shorter than 4
        {u"&a; ", 3},
        {u"&ab;", 4},
        {u"&#1", 0},
        {u"&#12", 1}, // numeric: 1 whatever follows
        {u"&#x;", 1},
        {u"x&ab;", 0},
        {u"&abc", 0},                  // no ";"
        {u"&" + letters18 + u";", 20}, // ";" at position 20
        {u"&" + letters18 + u"a;", 0}, // ";" at position 21
        {u"&a b;", 0},                 // space before ";"
        {u"&ab; c", 4},                // a space after ";" does not matter
        {u"&1ab;", 0},                 // second character not a letter
        {u"&;ab", 0},
        {u"&Zz;", 4},
    };
    for (const auto& [text, len] : cases)
        EXPECT_EQ(len, EntityLength(text)) << std::string(text.begin(), text.end());
}

} // namespace
} // namespace lxty
