// The text catalogue: every load result code and its message, the loader's detection of each
// fault in small generated files, and the shipped lxty.dat; and where the data files are found.

#include "util/Catalogue.h"
#include "util/DataFolder.h"
#include "util/StringUtils.h"

#include "Golden.h"
#include "TempDir.h"

#include <set>

namespace lxty {
namespace {

namespace fs = std::filesystem;

// The load result that shows the given code.
CatalogueLoadResult Result(int code) {
    using S = CatalogueStatus;
    if (code > 0)
        return {S::Loaded, code};
    if (code < -1500)
        return {S::Duplicate, -(code + 1500)};
    if (code <= -1001)
        return {S::TextTooLong, -(code + 1000)};
    if (code <= -501)
        return {S::MissingText, -(code + 500)};
    return {static_cast<S>(code)};
}

TEST(CatalogueMessage, EveryCodeHasItsMessage) {
    test::ExpectCases(
        "cases/catalogue-messages.txt", "", [](const std::vector<std::u16string>& in) {
            return CatalogueLoadMessage(Result(static_cast<int>(test::Number(in.at(0)))),
                                        "/opt/lexitally/lxty.dat");
        });
}

TEST(CatalogueMessage, CannotOpenNamesTheFullPath) {
    EXPECT_EQ(CatalogueLoadMessage(Result(-1), "/opt/lexitally/lxty.dat"),
              u"Cannot open file containing program text.\n/opt/lexitally/lxty.dat");
    const fs::path relative = "some dir/lxty.dat";
    const std::u16string expected =
        u"Cannot open file containing program text.\n" +
        Utf8ToU16(
            std::string(reinterpret_cast<const char*>(fs::absolute(relative).u8string().c_str())));
    EXPECT_EQ(CatalogueLoadMessage(Result(-1), relative), expected);
}

class CatalogueLoad : public ::testing::Test {
protected:
    int Load(const std::string& bytes) {
        const fs::path file = dir / ("t" + std::to_string(++count) + ".dat");
        std::ofstream(file, std::ios::binary) << bytes;
        return LoadProgramTexts(file).Code();
    }
    static std::string Repeat(const std::string& piece, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += piece;
        return out;
    }

    test::TempDir dir{"lxty-catalogue"};
    int count = 0;
};

// Texts are taken verbatim (escapes, UTF-8, CR LF, a leading zero); "~" and missing numbers
// give the empty text.
TEST_F(CatalogueLoad, ReadsNumberedTextsAndCountsThem) {
    const auto texts = [](std::initializer_list<int> numbers) {
        std::vector<std::u16string> out;
        for (int n : numbers)
            out.push_back(GetText(n));
        return out;
    };
    EXPECT_EQ(Load("# a comment\n\n14\thttps://example.test/\n0\tzero\n32767\tlast\n  \n"), 3);
    EXPECT_EQ(texts({14, 0, 32767}),
              (std::vector<std::u16string>{u"https://example.test/", u"zero", u"last"}));
    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "7\tseven\r\n8\tline\\none\\ttab\\\\back\\x\r\n9\t caf\xC3\xA9 \xE2\x82\xAC \r\n"
                   "10\ta\tb\n011\tleading zero\n1\t~\n2\t~~\n"),
              7);
    EXPECT_EQ(texts({7, 8, 9, 10, 11, 1, 2, 3, -1, 100000}),
              (std::vector<std::u16string>{u"seven", u"line\none\ttab\\back\\x", u" café € ",
                                           u"a\tb", u"leading zero", u"", u"~~", u"", u"", u""}));
}

TEST_F(CatalogueLoad, EachFaultGivesItsCode) {
    std::string lines; // 500 numbered texts: the most a catalogue may hold
    for (int i = 1; i <= 500; ++i)
        lines += std::to_string(i) + "\ttext " + std::to_string(i) + "\n";
    const std::string a1024(1024, 'a');
    const struct {
        const char* what;
        std::string bytes;
        int code;
    } cases[] = {
        {"empty file", "", -6},
        {"only comments", "# only comments\n\n#\n   \n", 0},
        {"one line end", "\n", 0},
        {"500 lines", lines, 500},
        {"501 lines", lines + "# line 501\n", -3},
        {"501 lines, no final line end", lines + "# line 501", -3},
        {"too many bytes", "1\tx\n#" + std::string(5 << 20, 'y') + "\n", -3},
        // The length limit counts characters, not bytes or escapes.
        {"1,024 characters", "1\tshort\n2\t" + a1024 + "\n", 2},
        {"1,025 characters", "1\tshort\n2\t" + a1024 + "a\n", -1002},
        {"1,024 accented", "3\t" + Repeat("\xC3\xA9", 1024) + "\n", 1},
        {"1,024 escapes", "3\t" + Repeat("\\n", 1024) + "\n", 1},
        {"1,025 escapes", "#\n#\n3\t" + Repeat("\\n", 1024) + "x\n", -1003},
        {"missing string", "5\n", -501},
        {"empty string", "4\tfour\n5\t\n", -502},
        {"missing string, CR LF", "4\tfour\r\n5\r\n", -502},
        {"missing string at the end", "4\tfour\n\n# c\n5", -504},
        {"duplicate", "1\ta\n# comment\n1\tb\n", -1503},
        {"duplicate with a leading zero", "1\ta\n01\tb\n", -1502},
        {"no number", "text without number\n", -4},
        {"blank after the number", "5 text after a blank\n", -4},
        {"number too big", "32768\ttoo big\n", -4},
        {"negative number", "-1\tnegative\n", -4},
        {"first fault wins: missing", "1\ta\n2\n1\tb\n", -502},
        {"first fault wins: duplicate", "1\ta\n1\tb\n2\n", -1502},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Load(c.bytes), c.code) << c.what;
    EXPECT_EQ(LoadProgramTexts(dir / "no such file.dat").Code(), -1);
#ifndef _WIN32
    EXPECT_EQ(LoadProgramTexts(dir.path()).Code(), -7); // a folder opens here, but reading it fails
#endif
    ASSERT_EQ(Load(lines), 500);
    EXPECT_EQ(GetText(500), u"text 500");
    ASSERT_EQ(Load("2\t" + a1024 + "\n"), 1);
    EXPECT_EQ(GetText(2), std::u16string(1024, u'a'));
}

TEST_F(CatalogueLoad, ANewLoadReplacesTheOldTextsAndAFailedOneLeavesNone) {
    ASSERT_EQ(Load("1\tone\n2\ttwo\n"), 2);
    ASSERT_EQ(Load("2\tzwei\n"), 1);
    EXPECT_EQ(GetText(1) + u"|" + GetText(2), u"|zwei");
    EXPECT_EQ(Load("2\tzwei\n3\n"), -502);
    EXPECT_EQ(GetText(2), u"");
    ASSERT_EQ(Load("2\tzwei\n"), 1);
    EXPECT_EQ(LoadProgramTexts(dir / "missing.dat").Code(), -1);
    EXPECT_EQ(GetText(2), u"");
}

// The shipped catalogue holds a fitting text for every number the program asks for.
TEST(ShippedCatalogue, LoadsWithEveryTextTheProgramUsesFittingItsPlace) {
    const fs::path file = fs::path(LXTY_DATA_DIR) / "lxty.dat";
    const CatalogueLoadResult result = LoadProgramTexts(file);
    ASSERT_TRUE(result.Loaded()) << U16ToUtf8(CatalogueLoadMessage(result, file));

    for (int n = 1; n <= 376; ++n) {
        const bool used = n == 14 || (n >= 19 && n <= 25 && n != 20 && n != 24) || n == 34 ||
                          (n >= 37 && n <= 47) || (n >= 50 && n <= 64) || (n >= 90 && n <= 97) ||
                          (n >= 101 && n <= 104) || n == 213 || (n >= 354 && n <= 363) || n >= 374;
        EXPECT_TRUE(!used || !GetText(n).empty()) << "catalogue text " << n;
    }
    // The home-page address is opened in a browser.
    EXPECT_TRUE(GetText(14).starts_with(u"https://")) << U16ToUtf8(GetText(14));
    // The refresh timer recognises a running count by "stop" in the button caption.
    auto hasStop = [](int n) {
        return LowerCaseAll(GetText(n)).find(u"stop") != std::u16string::npos;
    };
    EXPECT_TRUE(hasStop(25));
    EXPECT_TRUE(hasStop(90));
    EXPECT_FALSE(hasStop(21));
    // The count-array report replaces this placeholder by the output file's path.
    EXPECT_NE(GetText(359).find(u"txbFile"), std::u16string::npos);
    // The two word orders and the fourteen display formats are told apart by their names.
    EXPECT_NE(GetText(43), GetText(44));
    std::set<std::u16string> formats;
    for (int n = 51; n <= 64; ++n)
        formats.insert(GetText(n));
    EXPECT_EQ(formats.size(), 14u);
}

// A build folder keeps the catalogue beside the program, an installed tree in
// share/lexitally; the build folder wins when both hold one.
TEST(DataFolderTest, BesideTheProgramFirstThenShare) {
    struct Case {
        bool beside, installed;
        const char* want; // relative to the prefix
    };
    for (const Case c : {Case{true, false, "bin"}, Case{false, true, "share/lexitally"},
                         Case{true, true, "bin"}, Case{false, false, "bin"}}) {
        test::TempDir prefix("lxty-datafolder");
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share/lexitally");
        if (c.beside)
            std::ofstream(prefix / "bin/lxty.dat") << "1\tx\n";
        if (c.installed)
            std::ofstream(prefix / "share/lexitally/lxty.dat") << "1\tx\n";
        EXPECT_EQ(FindDataFolder(prefix / "bin"), prefix / c.want) << c.beside << c.installed;
        // A trailing separator names the same folder.
        EXPECT_EQ(FindDataFolder(prefix.path() / "bin" / ""),
                  c.want == std::string("bin") ? prefix.path() / "bin" / "" : prefix / c.want);
    }
}

} // namespace
} // namespace lxty
