// String helpers shared by the engine. Everything works on UTF-16 code units one at a time:
// a word never changes length when its case changes, which the word table relies on.

#include "util/StringUtils.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxty {

namespace {

// The accented capitals the program folds itself, and their small letters position by position.
constexpr std::u16string_view kAccentedCapitals = u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝ";
constexpr std::u16string_view kAccentedSmall = u"šÿàáâãäåçèéêëìíîïðñòóôõöøùúûüý";
static_assert(kAccentedCapitals.size() == 30 && kAccentedSmall.size() == 30);

// What counts as a capital for IsAllUpperCase (a fixed set, not the general Unicode class).
constexpr std::u16string_view kCapitals =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ";

// Ligatures and umlauts that become two letters before accents are stripped.
constexpr std::u16string_view kExpandFrom = u"ŒÄÆÖÜäæöüß";
constexpr std::u16string_view kExpandTo = u"OeAeAeOeUeaeaeoeuess";
static_assert(kExpandTo.size() == 2 * kExpandFrom.size());

// Accented letters and the plain letter they compare as. Small eth is deliberately absent.
constexpr std::u16string_view kAccentFrom =
    u"ŠŸÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝšÿàáâãäåçèéêëìíîïñòóôõöøùúûüý";
constexpr std::u16string_view kAccentTo =
    u"SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";
static_assert(kAccentFrom.size() == 59 && kAccentTo.size() == 59);

// The standard simple case mappings of the Basic Multilingual Plane (Unicode 14), one code
// unit to one code unit, as runs: every code from first to last, stepping by stride, maps to
// code + delta. Generated from the Unicode character database; full mappings that would
// change a word's length (ß -> SS, İ -> i + dot) take their single-unit simple form or none.
struct CaseRange {
    char16_t first;
    char16_t last;
    std::int32_t delta;
    std::uint8_t stride;
};

constexpr CaseRange kLowerRanges[] = {
    {0x0041, 0x005A, 32, 1},     {0x00C0, 0x00D6, 32, 1},     {0x00D8, 0x00DE, 32, 1},
    {0x0100, 0x012E, 1, 2},      {0x0130, 0x0130, -199, 1},   {0x0132, 0x0136, 1, 2},
    {0x0139, 0x0147, 1, 2},      {0x014A, 0x0176, 1, 2},      {0x0178, 0x0178, -121, 1},
    {0x0179, 0x017D, 1, 2},      {0x0181, 0x0181, 210, 1},    {0x0182, 0x0184, 1, 2},
    {0x0186, 0x0186, 206, 1},    {0x0187, 0x0187, 1, 1},      {0x0189, 0x018A, 205, 1},
    {0x018B, 0x018B, 1, 1},      {0x018E, 0x018E, 79, 1},     {0x018F, 0x018F, 202, 1},
    {0x0190, 0x0190, 203, 1},    {0x0191, 0x0191, 1, 1},      {0x0193, 0x0193, 205, 1},
    {0x0194, 0x0194, 207, 1},    {0x0196, 0x0196, 211, 1},    {0x0197, 0x0197, 209, 1},
    {0x0198, 0x0198, 1, 1},      {0x019C, 0x019C, 211, 1},    {0x019D, 0x019D, 213, 1},
    {0x019F, 0x019F, 214, 1},    {0x01A0, 0x01A4, 1, 2},      {0x01A6, 0x01A6, 218, 1},
    {0x01A7, 0x01A7, 1, 1},      {0x01A9, 0x01A9, 218, 1},    {0x01AC, 0x01AC, 1, 1},
    {0x01AE, 0x01AE, 218, 1},    {0x01AF, 0x01AF, 1, 1},      {0x01B1, 0x01B2, 217, 1},
    {0x01B3, 0x01B5, 1, 2},      {0x01B7, 0x01B7, 219, 1},    {0x01B8, 0x01B8, 1, 1},
    {0x01BC, 0x01BC, 1, 1},      {0x01C4, 0x01C4, 2, 1},      {0x01C5, 0x01C5, 1, 1},
    {0x01C7, 0x01C7, 2, 1},      {0x01C8, 0x01C8, 1, 1},      {0x01CA, 0x01CA, 2, 1},
    {0x01CB, 0x01DB, 1, 2},      {0x01DE, 0x01EE, 1, 2},      {0x01F1, 0x01F1, 2, 1},
    {0x01F2, 0x01F4, 1, 2},      {0x01F6, 0x01F6, -97, 1},    {0x01F7, 0x01F7, -56, 1},
    {0x01F8, 0x021E, 1, 2},      {0x0220, 0x0220, -130, 1},   {0x0222, 0x0232, 1, 2},
    {0x023A, 0x023A, 10795, 1},  {0x023B, 0x023B, 1, 1},      {0x023D, 0x023D, -163, 1},
    {0x023E, 0x023E, 10792, 1},  {0x0241, 0x0241, 1, 1},      {0x0243, 0x0243, -195, 1},
    {0x0244, 0x0244, 69, 1},     {0x0245, 0x0245, 71, 1},     {0x0246, 0x024E, 1, 2},
    {0x0370, 0x0372, 1, 2},      {0x0376, 0x0376, 1, 1},      {0x037F, 0x037F, 116, 1},
    {0x0386, 0x0386, 38, 1},     {0x0388, 0x038A, 37, 1},     {0x038C, 0x038C, 64, 1},
    {0x038E, 0x038F, 63, 1},     {0x0391, 0x03A1, 32, 1},     {0x03A3, 0x03AB, 32, 1},
    {0x03CF, 0x03CF, 8, 1},      {0x03D8, 0x03EE, 1, 2},      {0x03F4, 0x03F4, -60, 1},
    {0x03F7, 0x03F7, 1, 1},      {0x03F9, 0x03F9, -7, 1},     {0x03FA, 0x03FA, 1, 1},
    {0x03FD, 0x03FF, -130, 1},   {0x0400, 0x040F, 80, 1},     {0x0410, 0x042F, 32, 1},
    {0x0460, 0x0480, 1, 2},      {0x048A, 0x04BE, 1, 2},      {0x04C0, 0x04C0, 15, 1},
    {0x04C1, 0x04CD, 1, 2},      {0x04D0, 0x052E, 1, 2},      {0x0531, 0x0556, 48, 1},
    {0x10A0, 0x10C5, 7264, 1},   {0x10C7, 0x10C7, 7264, 1},   {0x10CD, 0x10CD, 7264, 1},
    {0x13A0, 0x13EF, 38864, 1},  {0x13F0, 0x13F5, 8, 1},      {0x1C90, 0x1CBA, -3008, 1},
    {0x1CBD, 0x1CBF, -3008, 1},  {0x1E00, 0x1E94, 1, 2},      {0x1E9E, 0x1E9E, -7615, 1},
    {0x1EA0, 0x1EFE, 1, 2},      {0x1F08, 0x1F0F, -8, 1},     {0x1F18, 0x1F1D, -8, 1},
    {0x1F28, 0x1F2F, -8, 1},     {0x1F38, 0x1F3F, -8, 1},     {0x1F48, 0x1F4D, -8, 1},
    {0x1F59, 0x1F5F, -8, 2},     {0x1F68, 0x1F6F, -8, 1},     {0x1F88, 0x1F8F, -8, 1},
    {0x1F98, 0x1F9F, -8, 1},     {0x1FA8, 0x1FAF, -8, 1},     {0x1FB8, 0x1FB9, -8, 1},
    {0x1FBA, 0x1FBB, -74, 1},    {0x1FBC, 0x1FBC, -9, 1},     {0x1FC8, 0x1FCB, -86, 1},
    {0x1FCC, 0x1FCC, -9, 1},     {0x1FD8, 0x1FD9, -8, 1},     {0x1FDA, 0x1FDB, -100, 1},
    {0x1FE8, 0x1FE9, -8, 1},     {0x1FEA, 0x1FEB, -112, 1},   {0x1FEC, 0x1FEC, -7, 1},
    {0x1FF8, 0x1FF9, -128, 1},   {0x1FFA, 0x1FFB, -126, 1},   {0x1FFC, 0x1FFC, -9, 1},
    {0x2126, 0x2126, -7517, 1},  {0x212A, 0x212A, -8383, 1},  {0x212B, 0x212B, -8262, 1},
    {0x2132, 0x2132, 28, 1},     {0x2160, 0x216F, 16, 1},     {0x2183, 0x2183, 1, 1},
    {0x24B6, 0x24CF, 26, 1},     {0x2C00, 0x2C2F, 48, 1},     {0x2C60, 0x2C60, 1, 1},
    {0x2C62, 0x2C62, -10743, 1}, {0x2C63, 0x2C63, -3814, 1},  {0x2C64, 0x2C64, -10727, 1},
    {0x2C67, 0x2C6B, 1, 2},      {0x2C6D, 0x2C6D, -10780, 1}, {0x2C6E, 0x2C6E, -10749, 1},
    {0x2C6F, 0x2C6F, -10783, 1}, {0x2C70, 0x2C70, -10782, 1}, {0x2C72, 0x2C72, 1, 1},
    {0x2C75, 0x2C75, 1, 1},      {0x2C7E, 0x2C7F, -10815, 1}, {0x2C80, 0x2CE2, 1, 2},
    {0x2CEB, 0x2CED, 1, 2},      {0x2CF2, 0x2CF2, 1, 1},      {0xA640, 0xA66C, 1, 2},
    {0xA680, 0xA69A, 1, 2},      {0xA722, 0xA72E, 1, 2},      {0xA732, 0xA76E, 1, 2},
    {0xA779, 0xA77B, 1, 2},      {0xA77D, 0xA77D, -35332, 1}, {0xA77E, 0xA786, 1, 2},
    {0xA78B, 0xA78B, 1, 1},      {0xA78D, 0xA78D, -42280, 1}, {0xA790, 0xA792, 1, 2},
    {0xA796, 0xA7A8, 1, 2},      {0xA7AA, 0xA7AA, -42308, 1}, {0xA7AB, 0xA7AB, -42319, 1},
    {0xA7AC, 0xA7AC, -42315, 1}, {0xA7AD, 0xA7AD, -42305, 1}, {0xA7AE, 0xA7AE, -42308, 1},
    {0xA7B0, 0xA7B0, -42258, 1}, {0xA7B1, 0xA7B1, -42282, 1}, {0xA7B2, 0xA7B2, -42261, 1},
    {0xA7B3, 0xA7B3, 928, 1},    {0xA7B4, 0xA7C2, 1, 2},      {0xA7C4, 0xA7C4, -48, 1},
    {0xA7C5, 0xA7C5, -42307, 1}, {0xA7C6, 0xA7C6, -35384, 1}, {0xA7C7, 0xA7C9, 1, 2},
    {0xA7D0, 0xA7D0, 1, 1},      {0xA7D6, 0xA7D8, 1, 2},      {0xA7F5, 0xA7F5, 1, 1},
    {0xFF21, 0xFF3A, 32, 1},
};
constexpr CaseRange kUpperRanges[] = {
    {0x0061, 0x007A, -32, 1},    {0x00B5, 0x00B5, 743, 1},   {0x00E0, 0x00F6, -32, 1},
    {0x00F8, 0x00FE, -32, 1},    {0x00FF, 0x00FF, 121, 1},   {0x0101, 0x012F, -1, 2},
    {0x0131, 0x0131, -232, 1},   {0x0133, 0x0137, -1, 2},    {0x013A, 0x0148, -1, 2},
    {0x014B, 0x0177, -1, 2},     {0x017A, 0x017E, -1, 2},    {0x017F, 0x017F, -300, 1},
    {0x0180, 0x0180, 195, 1},    {0x0183, 0x0185, -1, 2},    {0x0188, 0x0188, -1, 1},
    {0x018C, 0x018C, -1, 1},     {0x0192, 0x0192, -1, 1},    {0x0195, 0x0195, 97, 1},
    {0x0199, 0x0199, -1, 1},     {0x019A, 0x019A, 163, 1},   {0x019E, 0x019E, 130, 1},
    {0x01A1, 0x01A5, -1, 2},     {0x01A8, 0x01A8, -1, 1},    {0x01AD, 0x01AD, -1, 1},
    {0x01B0, 0x01B0, -1, 1},     {0x01B4, 0x01B6, -1, 2},    {0x01B9, 0x01B9, -1, 1},
    {0x01BD, 0x01BD, -1, 1},     {0x01BF, 0x01BF, 56, 1},    {0x01C5, 0x01C5, -1, 1},
    {0x01C6, 0x01C6, -2, 1},     {0x01C8, 0x01C8, -1, 1},    {0x01C9, 0x01C9, -2, 1},
    {0x01CB, 0x01CB, -1, 1},     {0x01CC, 0x01CC, -2, 1},    {0x01CE, 0x01DC, -1, 2},
    {0x01DD, 0x01DD, -79, 1},    {0x01DF, 0x01EF, -1, 2},    {0x01F2, 0x01F2, -1, 1},
    {0x01F3, 0x01F3, -2, 1},     {0x01F5, 0x01F5, -1, 1},    {0x01F9, 0x021F, -1, 2},
    {0x0223, 0x0233, -1, 2},     {0x023C, 0x023C, -1, 1},    {0x023F, 0x0240, 10815, 1},
    {0x0242, 0x0242, -1, 1},     {0x0247, 0x024F, -1, 2},    {0x0250, 0x0250, 10783, 1},
    {0x0251, 0x0251, 10780, 1},  {0x0252, 0x0252, 10782, 1}, {0x0253, 0x0253, -210, 1},
    {0x0254, 0x0254, -206, 1},   {0x0256, 0x0257, -205, 1},  {0x0259, 0x0259, -202, 1},
    {0x025B, 0x025B, -203, 1},   {0x025C, 0x025C, 42319, 1}, {0x0260, 0x0260, -205, 1},
    {0x0261, 0x0261, 42315, 1},  {0x0263, 0x0263, -207, 1},  {0x0265, 0x0265, 42280, 1},
    {0x0266, 0x0266, 42308, 1},  {0x0268, 0x0268, -209, 1},  {0x0269, 0x0269, -211, 1},
    {0x026A, 0x026A, 42308, 1},  {0x026B, 0x026B, 10743, 1}, {0x026C, 0x026C, 42305, 1},
    {0x026F, 0x026F, -211, 1},   {0x0271, 0x0271, 10749, 1}, {0x0272, 0x0272, -213, 1},
    {0x0275, 0x0275, -214, 1},   {0x027D, 0x027D, 10727, 1}, {0x0280, 0x0280, -218, 1},
    {0x0282, 0x0282, 42307, 1},  {0x0283, 0x0283, -218, 1},  {0x0287, 0x0287, 42282, 1},
    {0x0288, 0x0288, -218, 1},   {0x0289, 0x0289, -69, 1},   {0x028A, 0x028B, -217, 1},
    {0x028C, 0x028C, -71, 1},    {0x0292, 0x0292, -219, 1},  {0x029D, 0x029D, 42261, 1},
    {0x029E, 0x029E, 42258, 1},  {0x0345, 0x0345, 84, 1},    {0x0371, 0x0373, -1, 2},
    {0x0377, 0x0377, -1, 1},     {0x037B, 0x037D, 130, 1},   {0x03AC, 0x03AC, -38, 1},
    {0x03AD, 0x03AF, -37, 1},    {0x03B1, 0x03C1, -32, 1},   {0x03C2, 0x03C2, -31, 1},
    {0x03C3, 0x03CB, -32, 1},    {0x03CC, 0x03CC, -64, 1},   {0x03CD, 0x03CE, -63, 1},
    {0x03D0, 0x03D0, -62, 1},    {0x03D1, 0x03D1, -57, 1},   {0x03D5, 0x03D5, -47, 1},
    {0x03D6, 0x03D6, -54, 1},    {0x03D7, 0x03D7, -8, 1},    {0x03D9, 0x03EF, -1, 2},
    {0x03F0, 0x03F0, -86, 1},    {0x03F1, 0x03F1, -80, 1},   {0x03F2, 0x03F2, 7, 1},
    {0x03F3, 0x03F3, -116, 1},   {0x03F5, 0x03F5, -96, 1},   {0x03F8, 0x03F8, -1, 1},
    {0x03FB, 0x03FB, -1, 1},     {0x0430, 0x044F, -32, 1},   {0x0450, 0x045F, -80, 1},
    {0x0461, 0x0481, -1, 2},     {0x048B, 0x04BF, -1, 2},    {0x04C2, 0x04CE, -1, 2},
    {0x04CF, 0x04CF, -15, 1},    {0x04D1, 0x052F, -1, 2},    {0x0561, 0x0586, -48, 1},
    {0x10D0, 0x10FA, 3008, 1},   {0x10FD, 0x10FF, 3008, 1},  {0x13F8, 0x13FD, -8, 1},
    {0x1C80, 0x1C80, -6254, 1},  {0x1C81, 0x1C81, -6253, 1}, {0x1C82, 0x1C82, -6244, 1},
    {0x1C83, 0x1C84, -6242, 1},  {0x1C85, 0x1C85, -6243, 1}, {0x1C86, 0x1C86, -6236, 1},
    {0x1C87, 0x1C87, -6181, 1},  {0x1C88, 0x1C88, 35266, 1}, {0x1D79, 0x1D79, 35332, 1},
    {0x1D7D, 0x1D7D, 3814, 1},   {0x1D8E, 0x1D8E, 35384, 1}, {0x1E01, 0x1E95, -1, 2},
    {0x1E9B, 0x1E9B, -59, 1},    {0x1EA1, 0x1EFF, -1, 2},    {0x1F00, 0x1F07, 8, 1},
    {0x1F10, 0x1F15, 8, 1},      {0x1F20, 0x1F27, 8, 1},     {0x1F30, 0x1F37, 8, 1},
    {0x1F40, 0x1F45, 8, 1},      {0x1F51, 0x1F57, 8, 2},     {0x1F60, 0x1F67, 8, 1},
    {0x1F70, 0x1F71, 74, 1},     {0x1F72, 0x1F75, 86, 1},    {0x1F76, 0x1F77, 100, 1},
    {0x1F78, 0x1F79, 128, 1},    {0x1F7A, 0x1F7B, 112, 1},   {0x1F7C, 0x1F7D, 126, 1},
    {0x1F80, 0x1F87, 8, 1},      {0x1F90, 0x1F97, 8, 1},     {0x1FA0, 0x1FA7, 8, 1},
    {0x1FB0, 0x1FB1, 8, 1},      {0x1FB3, 0x1FB3, 9, 1},     {0x1FBE, 0x1FBE, -7205, 1},
    {0x1FC3, 0x1FC3, 9, 1},      {0x1FD0, 0x1FD1, 8, 1},     {0x1FE0, 0x1FE1, 8, 1},
    {0x1FE5, 0x1FE5, 7, 1},      {0x1FF3, 0x1FF3, 9, 1},     {0x214E, 0x214E, -28, 1},
    {0x2170, 0x217F, -16, 1},    {0x2184, 0x2184, -1, 1},    {0x24D0, 0x24E9, -26, 1},
    {0x2C30, 0x2C5F, -48, 1},    {0x2C61, 0x2C61, -1, 1},    {0x2C65, 0x2C65, -10795, 1},
    {0x2C66, 0x2C66, -10792, 1}, {0x2C68, 0x2C6C, -1, 2},    {0x2C73, 0x2C73, -1, 1},
    {0x2C76, 0x2C76, -1, 1},     {0x2C81, 0x2CE3, -1, 2},    {0x2CEC, 0x2CEE, -1, 2},
    {0x2CF3, 0x2CF3, -1, 1},     {0x2D00, 0x2D25, -7264, 1}, {0x2D27, 0x2D27, -7264, 1},
    {0x2D2D, 0x2D2D, -7264, 1},  {0xA641, 0xA66D, -1, 2},    {0xA681, 0xA69B, -1, 2},
    {0xA723, 0xA72F, -1, 2},     {0xA733, 0xA76F, -1, 2},    {0xA77A, 0xA77C, -1, 2},
    {0xA77F, 0xA787, -1, 2},     {0xA78C, 0xA78C, -1, 1},    {0xA791, 0xA793, -1, 2},
    {0xA794, 0xA794, 48, 1},     {0xA797, 0xA7A9, -1, 2},    {0xA7B5, 0xA7C3, -1, 2},
    {0xA7C8, 0xA7CA, -1, 2},     {0xA7D1, 0xA7D1, -1, 1},    {0xA7D7, 0xA7D9, -1, 2},
    {0xA7F6, 0xA7F6, -1, 1},     {0xAB53, 0xAB53, -928, 1},  {0xAB70, 0xABBF, -38864, 1},
    {0xFF41, 0xFF5A, -32, 1},
};

constexpr char16_t MapThrough(const CaseRange* begin, const CaseRange* end, char16_t c) {
    // Ranges are sorted and disjoint: find the last one starting at or before c.
    const CaseRange* it = std::upper_bound(
        begin, end, c, [](char16_t value, const CaseRange& r) { return value < r.first; });
    if (it == begin) {
        return c;
    }
    --it;
    if (c > it->last || (c - it->first) % it->stride != 0) {
        return c;
    }
    return static_cast<char16_t>(c + it->delta);
}

constexpr char16_t StandardLower(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    return MapThrough(std::begin(kLowerRanges), std::end(kLowerRanges), c);
}

constexpr char16_t StandardUpper(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    }
    return MapThrough(std::begin(kUpperRanges), std::end(kUpperRanges), c);
}

// Every accented letter of the program's own table lies below U+0180 (the last is Ÿ, U+0178),
// so the case of the first 0x180 code units is worked out once, at compile time, and the rest
// of the code units go straight to the standard mapping. Counting lower-cases every line read,
// and nearly all of its characters fall in the table.
constexpr std::size_t kTabledCodes = 0x180;

struct CaseTable {
    char16_t lower[kTabledCodes];
    char16_t upper[kTabledCodes];
};

constexpr CaseTable MakeCaseTable() {
    CaseTable t{};
    for (std::size_t i = 0; i < kTabledCodes; ++i) {
        const auto c = static_cast<char16_t>(i);
        const std::size_t k = kAccentedCapitals.find(c);
        t.lower[i] = k != std::u16string_view::npos ? kAccentedSmall[k] : StandardLower(c);
        const std::size_t m = kAccentedSmall.find(c);
        t.upper[i] = m != std::u16string_view::npos ? kAccentedCapitals[m] : StandardUpper(c);
    }
    return t;
}

constexpr bool AllBelow(std::u16string_view set, std::size_t limit) {
    for (char16_t c : set)
        if (c >= limit)
            return false;
    return true;
}
static_assert(AllBelow(kAccentedCapitals, kTabledCodes) && AllBelow(kAccentedSmall, kTabledCodes));

constexpr CaseTable kCaseTable = MakeCaseTable();
static_assert(kCaseTable.lower[u'Ÿ'] == u'ÿ' && kCaseTable.upper[u'ÿ'] == u'Ÿ');
static_assert(kCaseTable.lower[u'A'] == u'a' && kCaseTable.upper[u'z'] == u'Z');

inline char16_t LowerOf(char16_t c) {
    return c < kTabledCodes ? kCaseTable.lower[c] : StandardLower(c);
}

inline char16_t UpperOf(char16_t c) {
    return c < kTabledCodes ? kCaseTable.upper[c] : StandardUpper(c);
}

bool InSet(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

// Clamps a 1-based start position to the first index to examine (0-based).
std::size_t StartIndex(std::int64_t start) {
    return start < 1 ? 0 : static_cast<std::size_t>(start - 1);
}

} // namespace

char16_t LowerCaseChar(char16_t c) {
    return LowerOf(c);
}

void LowerCaseAllInPlace(std::u16string& text) {
    char16_t* p = text.data();
    const std::size_t n = text.size();
    // Lines are mostly ASCII: eight units at a time that are all ASCII are lower-cased by
    // arithmetic; any other group goes through the table.
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i limit = _mm_set1_epi16(0x7F);
    const __m128i zero = _mm_setzero_si128();
    const __m128i beforeA = _mm_set1_epi16(u'A' - 1);
    const __m128i afterZ = _mm_set1_epi16(u'Z' + 1);
    const __m128i offset = _mm_set1_epi16(32);
    for (; i + 8 <= n; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(p + i);
        const __m128i v = _mm_loadu_si128(at);
        // All below 0x80 when nothing is left after subtracting 0x7F with saturation.
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, limit), zero)) != 0xFFFF) {
            for (std::size_t k = i; k < i + 8; ++k)
                p[k] = LowerOf(p[k]);
            continue;
        }
        const __m128i capital =
            _mm_and_si128(_mm_cmpgt_epi16(v, beforeA), _mm_cmplt_epi16(v, afterZ));
        _mm_storeu_si128(at, _mm_add_epi16(v, _mm_and_si128(capital, offset)));
    }
    if (i < n && n >= 8) {
        // The last units of a line go as the last eight units at once: lower-casing ASCII twice
        // changes nothing, so overlapping the group before costs less than the units one by one.
        auto* at = reinterpret_cast<__m128i*>(p + n - 8);
        const __m128i v = _mm_loadu_si128(at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, limit), zero)) == 0xFFFF) {
            const __m128i capital =
                _mm_and_si128(_mm_cmpgt_epi16(v, beforeA), _mm_cmplt_epi16(v, afterZ));
            _mm_storeu_si128(at, _mm_add_epi16(v, _mm_and_si128(capital, offset)));
            i = n;
        }
    }
#endif
    for (; i < n; ++i)
        p[i] = LowerOf(p[i]);
}

std::u16string LowerCaseAll(std::u16string_view text) {
    std::u16string out(text);
    LowerCaseAllInPlace(out);
    return out;
}

std::u16string UpperCaseAll(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        c = UpperOf(c);
    return out;
}

std::u16string FoldAccents(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + 4);
    for (char16_t c : text) {
        if (c < 0x80) { // no ASCII character is folded
            out += c;
            continue;
        }
        const std::size_t e = kExpandFrom.find(c);
        if (e != std::u16string_view::npos) {
            out += kExpandTo.substr(2 * e, 2);
            continue;
        }
        const std::size_t a = kAccentFrom.find(c);
        out += a != std::u16string_view::npos ? kAccentTo[a] : c;
    }
    return out;
}

bool IsAllUpperCase(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return InSet(kCapitals, c); });
}

bool IsSevenBitAscii(std::u16string_view text) {
    // Only the low byte counts, as in the word-character test: U+0141 passes, U+00E9 fails.
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return (c & 0xFF) < 0x80; });
}

bool IsAlphanumeric(std::u16string_view text, bool valueIfEmpty) {
    if (text.empty()) {
        return valueIfEmpty;
    }
    return std::all_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    });
}

std::int64_t FindFirstOf(std::u16string_view text, std::int64_t start, std::u16string_view set,
                         int* indexInSet) {
    if (indexInSet != nullptr) {
        *indexInSet = 0;
    }
    for (std::size_t i = StartIndex(start); i < text.size(); ++i) {
        const std::size_t k = set.find(text[i]);
        if (k != std::u16string_view::npos) {
            if (indexInSet != nullptr) {
                *indexInSet = static_cast<int>(k) + 1;
            }
            return static_cast<std::int64_t>(i) + 1;
        }
    }
    return 0;
}

std::int64_t FindFirstNotOf(std::u16string_view text, std::int64_t start, std::u16string_view set) {
    for (std::size_t i = StartIndex(start); i < text.size(); ++i) {
        if (!InSet(set, text[i])) {
            return static_cast<std::int64_t>(i) + 1;
        }
    }
    return 0;
}

std::int64_t NextNonSpace(std::u16string_view text, std::int64_t start) {
    return FindFirstNotOf(text, start, u" ");
}

std::u16string RemoveChars(std::u16string_view text, std::u16string_view set) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (!InSet(set, c)) {
            out += c;
        }
    }
    return out;
}

bool EndsWith(std::u16string_view word, std::u16string_view ending, bool exact) {
    if (ending.size() > word.size()) {
        return false;
    }
    const std::u16string_view tail = word.substr(word.size() - ending.size());
    if (exact) {
        return tail == ending;
    }
    return LowerCaseAll(tail) == LowerCaseAll(ending);
}

std::u16string ReplaceSuffix(std::u16string_view word, std::u16string_view ending,
                             std::u16string_view replacement, bool exact) {
    if (!EndsWith(word, ending, exact)) {
        return std::u16string(word);
    }
    std::u16string out(word.substr(0, word.size() - ending.size()));
    out += replacement;
    return out;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

std::u16string Utf8ToU16(std::string_view text) {
    // Decodes with the "maximal subpart" rule: each ill-formed stretch that could have begun a
    // valid sequence becomes one U+FFFD, and decoding resumes at the first byte that broke it.
    std::u16string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < n) {
        const unsigned char b0 = byte(i);
        if (b0 < 0x80) {
            out += static_cast<char16_t>(b0);
            ++i;
            continue;
        }
        int need = 0;
        char32_t cp = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            need = 1;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            need = 2;
            cp = b0 & 0x0F;
            if (b0 == 0xE0) {
                lo = 0xA0; // no overlong forms
            } else if (b0 == 0xED) {
                hi = 0x9F; // no encoded surrogates
            }
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            need = 3;
            cp = b0 & 0x07;
            if (b0 == 0xF0) {
                lo = 0x90;
            } else if (b0 == 0xF4) {
                hi = 0x8F; // nothing beyond U+10FFFF
            }
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        std::size_t k = i + 1;
        bool ok = true;
        for (int j = 0; j < need; ++j, ++k) {
            const unsigned char lower = j == 0 ? lo : 0x80;
            const unsigned char upper = j == 0 ? hi : 0xBF;
            if (k >= n || byte(k) < lower || byte(k) > upper) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (byte(k) & 0x3F);
        }
        if (!ok) {
            out += u'\uFFFD';
            i = k;
            continue;
        }
        AppendCodePoint(out, cp);
        i = k;
    }
    return out;
}

std::string U16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    auto put = [&out](char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            put(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            put(0xFFFD); // a lone half of a pair has no UTF-8 form
        } else {
            put(c);
        }
    }
    return out;
}

std::u16string_view TrimmedSpaces(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string TrimSpaces(std::u16string_view text) {
    return std::u16string(TrimmedSpaces(text));
}

} // namespace lxty
