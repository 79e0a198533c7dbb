#include "settings/Languages.h"

#include <array>
#include <cstddef>

namespace lxty {

namespace {

constexpr std::array<CommonWordsLanguage, kNumLanguageEntries> kLanguages = {{
    {u"English", u"English", u"cwds_en.txt"},
    {u"German", u"German", u"cwds_de.txt"},
    {u"Spanish", u"Spanish", u"cwds_es.txt"},
    {u"Portuguese", u"Portuguese", u"cwds_pt.txt"},
    {u"Italian", u"Italian", u"cwds_it.txt"},
    {u"French", u"French", u"cwds_fr.txt"},
    {u"All six languages", u"all six languages", u"cwds_en_de_es_pt_it_fr.txt"},
    {u"[No language selected]", u"", u""},
}};

} // namespace

std::span<const CommonWordsLanguage> CommonWordsLanguages() {
    return kLanguages;
}

int LanguageIndexOfFile(std::u16string_view fileName) {
    // Row 7 has no file; an empty name must not match it.
    if (fileName.empty())
        return kNoLanguageSelectedIndex;
    for (int i = 0; i < kNoLanguageSelectedIndex; ++i) {
        if (kLanguages[static_cast<std::size_t>(i)].fileName == fileName)
            return i;
    }
    return kNoLanguageSelectedIndex;
}

std::u16string FileNamePart(std::u16string_view path) {
    const std::size_t cut = path.find_last_of(u"/\\");
    if (cut == std::u16string_view::npos)
        return std::u16string(path);
    return std::u16string(path.substr(cut + 1));
}

std::u16string CommonWordsFilePath(const std::filesystem::path& programFolder, int index) {
    if (index < 0 || index >= kNoLanguageSelectedIndex)
        return {};
    const std::u16string_view name = kLanguages[static_cast<std::size_t>(index)].fileName;
    return (programFolder / std::filesystem::path(std::u16string(name))).u16string();
}

std::u16string SelectedWordsFile(const WordFileList& list) {
    if (list.selected < 0 || static_cast<std::size_t>(list.selected) >= list.paths.size())
        return {};
    return list.paths[static_cast<std::size_t>(list.selected)];
}

void SyncLanguageWithIgnoreFile(Settings& s) {
    s.CommonWordsLanguages = LanguageIndexOfFile(FileNamePart(SelectedWordsFile(s.WordsFile[0])));
}

void SetPathToCWDs_Eng(Settings& s, const std::filesystem::path& programFolder) {
    WordFileList& list = s.WordsFile[0];
    list.paths.push_back(CommonWordsFilePath(programFolder, kEnglishLanguageIndex));
    list.selected = static_cast<int>(list.paths.size()) - 1;
}

} // namespace lxty
