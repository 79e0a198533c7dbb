// Windows-1252: the 0x80-0x9F table, Latin-1 elsewhere, and the way back.

#include "util/Cp1252.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

TEST(Cp1252, HighControlRangeFollowsTheWindowsTable) {
    const char16_t expected[32] = {
        u'€', u'\u0081', u'‚',      u'ƒ', u'„',      u'…',      u'†', u'‡',      u'ˆ', u'‰', u'Š',
        u'‹', u'Œ',      u'\u008D', u'Ž', u'\u008F', u'\u0090', u'‘', u'’',      u'“', u'”', u'•',
        u'–', u'—',      u'˜',      u'™', u'š',      u'›',      u'œ', u'\u009D', u'ž', u'Ÿ',
    };
    for (int b = 0x80; b <= 0x9F; ++b) {
        EXPECT_EQ(static_cast<int>(Cp1252ToChar(static_cast<unsigned char>(b))),
                  static_cast<int>(expected[b - 0x80]))
            << "byte " << b;
    }
}

TEST(Cp1252, OtherBytesAreLatin1) {
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x80 && b <= 0x9F) {
            continue;
        }
        EXPECT_EQ(static_cast<int>(Cp1252ToChar(static_cast<unsigned char>(b))), b);
    }
}

TEST(Cp1252, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(CharToCp1252(Cp1252ToChar(static_cast<unsigned char>(b))), b) << "byte " << b;
    }
}

TEST(Cp1252, CharactersWithoutAByte) {
    // C1 controls whose byte holds another character, and everything beyond the table.
    const char16_t none[] = {u'\u0080', u'\u0082',     u'\u0091', u'\u009F', u'\u0100',
                             u'\u0141', u'\u0153' + 1, u'\u2015', u'\u20AD', u'\uFFFD'};
    for (char16_t c : none) {
        EXPECT_EQ(CharToCp1252(c), -1) << static_cast<int>(c);
    }
    EXPECT_EQ(CharToCp1252(u'\u0081'), 0x81);
    EXPECT_EQ(CharToCp1252(u'‘'), 145);
    EXPECT_EQ(CharToCp1252(u'é'), 233);
}

TEST(Cp1252, WholeTexts) {
    EXPECT_EQ(Cp1252ToU16("caf\xE9 \x80"
                          "5 \x93quoted\x94"),
              u"café €5 “quoted”");
    EXPECT_EQ(Cp1252ToU16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(U16ToCp1252(u"café €5 “quoted”"), "caf\xE9 \x80"
                                                "5 \x93quoted\x94");
    EXPECT_EQ(U16ToCp1252(u"Łódź \U0001F600"), "?\xF3"
                                               "d? ??");
    EXPECT_EQ(U16ToCp1252(u""), "");
}

} // namespace
} // namespace lxty
