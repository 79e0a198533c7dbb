// Marker tables, the marker search and skip (also across lines), double hyphens, entity
// decoding and the entity-length test; line decoding: complete UTF-8 with the Windows-1252
// fallback, the punctuation table, and the UTF-8 sample test.

#include "sources/Markup.h"
#include "sources/Utf8Decode.h"

#include "Golden.h"

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

std::string Normalised(const std::u16string& text) {
    std::u16string line = text;
    NormalisePunctuation(line);
    return U16ToUtf8(line);
}

TEST(Utf8DecodeTest, Cases) {
    lxty::test::ExpectCases("cases/utf8-decode.txt", "", [](const std::vector<std::u16string>& in) {
        const std::string bytes = lxty::test::Bytes(in.at(1));
        if (in.at(0) == u"IsUtf8Sample")
            return lxty::test::YesNo(IsUtf8Sample(bytes, in.at(2) == u"1"));
        std::u16string out;
        DecodeUtf8Line(bytes, out);
        return out;
    });
}

TEST(Utf8DecodeTest, ReportsWhetherThePunctuationBlockOccurs) {
    std::u16string out;
    EXPECT_FALSE(DecodeUtf8Line("caf\xC3\xA9", out));
    EXPECT_TRUE(DecodeUtf8Line("a\xE2\x80\x94"
                               "b",
                               out));
    EXPECT_TRUE(DecodeUtf8Line("\x93quoted\x94", out)); // through the fallback
    EXPECT_FALSE(DecodeUtf8Line("\xE2\x82\xAC", out));  // U+20AC is outside the block
}

TEST(Utf8DecodeTest, Cp1252LinesAreOneCharacterPerByte) {
    std::u16string out = u"old content";
    DecodeCp1252Line("caf\xE9 \x80 \x93x\x94 \x81", out);
    EXPECT_EQ(U16ToUtf8(out), "café € \u201Cx\u201D \u0081");
    DecodeCp1252Line("", out);
    EXPECT_TRUE(out.empty());
}

TEST(Utf8DecodeTest, LongAsciiLinesWithOneOtherByteAnywhere) {
    // ASCII is decoded sixteen bytes at a time: one byte or sequence that is not ASCII at every
    // offset of a 40-byte line, through all three readers.
    const std::string ascii = "The quick brown fox jumps over a lazy do";
    for (std::size_t at = 0; at <= ascii.size(); ++at) {
        const std::string cp1252 = ascii.substr(0, at) + "\xE9" + ascii.substr(at);
        const std::string utf8 = ascii.substr(0, at) + "\xC3\xA9" + ascii.substr(at);
        const std::string expected = ascii.substr(0, at) + "\u00E9" + ascii.substr(at);
        std::u16string out;
        EXPECT_TRUE(DecodeCp1252Line(cp1252, out)) << at; // a byte of 0x80 or above was met
        EXPECT_EQ(expected, U16ToUtf8(out)) << at;
        EXPECT_FALSE(DecodeCp1252Line(ascii.substr(0, at), out)) << at; // plain ASCII
        EXPECT_EQ(ascii.substr(0, at), U16ToUtf8(out)) << at;
        DecodeUtf8Line(utf8, out);
        EXPECT_EQ(expected, U16ToUtf8(out)) << at;
        DecodeUtf8Line(cp1252, out); // the lone byte falls back to Windows-1252
        EXPECT_EQ(expected, U16ToUtf8(out)) << at;
        EXPECT_TRUE(IsUtf8Sample(utf8, false)) << at;
        EXPECT_FALSE(IsUtf8Sample(cp1252, false)) << at;
    }
    EXPECT_FALSE(IsUtf8Sample(ascii + ascii, false));
}

struct PunctuationRow {
    char16_t ch;
    std::string replacement;
};

TEST(Utf8DecodeTest, PunctuationTableRowByRow) {
    // Every character of U+2000 to U+203F, between two letters.
    const PunctuationRow named[] = {
        {0x2010, "-"},  {0x2011, "-"},   {0x2012, "-"},      {0x2013, "-"},  {0x2014, " -- "},
        {0x2015, "--"}, {0x2016, "|"},   {0x2017, "\u2030"}, {0x2018, "'"},  {0x2019, "'"},
        {0x201A, "'"},  {0x201B, "'"},   {0x201C, "\""},     {0x201D, "\""}, {0x201E, "\""},
        {0x201F, "\""}, {0x2022, " . "}, {0x2026, "..."},    {0x2039, "<"},  {0x203A, ">"},
    };
    for (char16_t ch = 0x2000; ch <= 0x203F; ++ch) {
        std::string expected;
        bool found = false;
        for (const auto& row : named) {
            if (row.ch == ch) {
                expected = row.replacement;
                found = true;
            }
        }
        if (!found) {
            const bool space = ch <= 0x200A || ch == 0x2028 || ch == 0x2029 || ch == 0x202F;
            expected = space ? " " : "";
        }
        EXPECT_EQ(Normalised(std::u16string(u"a") + ch + u"b"), "a" + expected + "b")
            << "U+" << std::hex << static_cast<int>(ch);
    }
}

TEST(Utf8DecodeTest, PunctuationAppliesThroughoutTheLine) {
    // An unnamed character first (per mille, U+2030) does not stop the table for the rest.
    EXPECT_EQ(Normalised(u"5\u2030 \u2014 \u201Cyes\u201D \u2019t\u2026"), "5  --  \"yes\" 't...");
    // Characters outside the block are untouched; neighbours U+1FFF and U+2040 too.
    EXPECT_EQ(Normalised(u"\u1FFF\u2040\u00E9\u2122"), U16ToUtf8(u"\u1FFF\u2040\u00E9\u2122"));
    // Words separated only by a thin space stay apart.
    EXPECT_EQ(Normalised(u"one\u2009two\u202Fthree"), "one two three");
}

TEST(Utf8DecodeTest, EmDashInAUtf8LineBecomesDoubleHyphen) {
    std::u16string line;
    if (DecodeUtf8Line("word\xE2\x80\x94word", line))
        NormalisePunctuation(line);
    EXPECT_EQ(U16ToUtf8(line), "word -- word");
}

} // namespace
} // namespace lxty
