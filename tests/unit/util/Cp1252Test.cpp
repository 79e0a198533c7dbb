// Windows-1252: the 0x80-0x9F table, Latin-1 elsewhere, and the way back.

#include "util/Cp1252.h"

#include <gtest/gtest.h>

namespace lxty {
namespace {

TEST(Cp1252, EveryByteFollowsTheWindowsTableAndRoundTrips) {
    const std::u16string high = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
    for (int b = 0; b < 256; ++b) {
        const char16_t c = Cp1252ToChar(static_cast<unsigned char>(b));
        EXPECT_EQ(int(c), b >= 0x80 && b <= 0x9F ? int(high[b - 0x80]) : b) << "byte " << b;
        EXPECT_EQ(CharToCp1252(c), b) << "byte " << b;
    }
    // C1 controls whose byte holds another character, and everything beyond the table.
    for (char16_t c : u"\u0080\u0082\u0091\u009F\u0100\u0141\u0154\u2015\u20AD\uFFFD")
        EXPECT_EQ(CharToCp1252(c), c ? -1 : 0) << int(c);
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
