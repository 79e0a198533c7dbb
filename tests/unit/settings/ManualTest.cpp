// The manual that ships in data/ names every setting, every window and every display format,
// and stands alone: its links stay inside the page and it loads nothing from elsewhere.

#include "settings/SettingsByName.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace lxty {
namespace {

const std::filesystem::path kDataDir = LXTY_DATA_DIR;

const std::string& Manual() {
    static const std::string text = [] {
        std::ifstream in(kDataDir / "manual.html", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }();
    return text;
}

bool Has(const std::string& needle) {
    return Manual().find(needle) != std::string::npos;
}

TEST(ManualTest, NamesEveryFieldOfTheSettingsRecordAsItsOwnCode) {
    ASSERT_GT(Manual().size(), 10000u) << "data/manual.html is missing or nearly empty";
    // Whole code elements, so "File0" is not found inside "WordsFile0".
    for (const std::u16string& name : FieldNames())
        EXPECT_TRUE(Has("<code>" + U16ToUtf8(name) + "</code>")) << U16ToUtf8(name);
}

TEST(ManualTest, NamesEveryWindowByItsTitle) {
    for (const char* title : {"Lexitally", "Lexitally settings", "Count words/phrases",
                              "Count all phrases", "Make 2-d count array for Excel",
                              "Load or remove this file", "View clipboard", "About Lexitally"})
        EXPECT_TRUE(Has(std::string("<span class=\"title\">") + title + "</span>")) << title;
}

TEST(ManualTest, ListsTheFormatsAndOrdersUnderTheProgramsOwnWording) {
    ASSERT_TRUE(LoadProgramTexts(kDataDir / "lxty.dat").Loaded());
    for (int n : {43, 44, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 91}) {
        const std::string text = U16ToUtf8(GetText(n));
        ASSERT_FALSE(text.empty()) << n;
        EXPECT_TRUE(Has(text)) << n << ": " << text;
    }
}

TEST(ManualTest, EveryLinkStaysInThePageAndNothingIsLoadedFromElsewhere) {
    std::set<std::string> ids;
    const std::regex id(R"re(id="([^"]+)")re"), href(R"re(href="([^"]*)")re");
    for (std::sregex_iterator it(Manual().begin(), Manual().end(), id), end; it != end; ++it)
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "duplicate id " << (*it)[1];
    int links = 0;
    for (std::sregex_iterator it(Manual().begin(), Manual().end(), href), end; it != end; ++it) {
        const std::string target = (*it)[1];
        ++links;
        ASSERT_FALSE(target.empty());
        EXPECT_EQ('#', target[0]) << target;
        EXPECT_EQ(1u, ids.count(target.substr(1))) << "no anchor for " << target;
    }
    EXPECT_GT(links, 20);
    for (const char* outside : {"<script", "<link", "<img", "<iframe", " src=", "@import", "url("})
        EXPECT_FALSE(Has(outside)) << outside;
}

} // namespace
} // namespace lxty
