#pragma once
// The common-word languages: the "Ignore common words in:" list, the ready-made
// words-to-ignore files shipped beside the program, and the link between the language list
// and the selected words-to-ignore file.
//
// The language list follows the selected words-to-ignore file by the file's name alone: a
// file called "cwds_fr.txt" in any folder selects "French"; any other name (or no file)
// selects "[No language selected]".

#include "settings/Settings.h"
#include "settings/SettingsLists.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace lxty {

struct CommonWordsLanguage {
    std::u16string_view entry;        // the list entry ("English", "[No language selected]")
    std::u16string_view questionName; // the name in "Load common words file for ...?"
    std::u16string_view fileName;     // the common-word file ("" for no language)
};

// Index of the English language (also the file SetPathToCWDs_Eng adds).
inline constexpr int kEnglishLanguageIndex = 0;
// Index of "All six languages".
inline constexpr int kAllSixLanguagesIndex = 6;
// Number of entries of the language list, "[No language selected]" (index 7) included.
inline constexpr int kNumLanguageEntries = 8;

// The eight rows, in list order:
//   0 English "cwds_en.txt", 1 German "cwds_de.txt", 2 Spanish "cwds_es.txt",
//   3 Portuguese "cwds_pt.txt", 4 Italian "cwds_it.txt", 5 French "cwds_fr.txt",
//   6 "All six languages" ("all six languages") "cwds_en_de_es_pt_it_fr.txt",
//   7 "[No language selected]" (no name, no file).
std::span<const CommonWordsLanguage> CommonWordsLanguages();

// The index whose file name equals fileName exactly (letter case included); 7 for any other
// name, the empty name included.
int LanguageIndexOfFile(std::u16string_view fileName);

// The file-name part of a path: everything after its last "/" or "\" (the whole text when it
// has neither). Both separators are taken, so a path written on either platform works.
std::u16string FileNamePart(std::u16string_view path);

// The path of language `index`'s common-word file in the program's folder, as the lists show
// it; empty for index 7 or an index outside the list.
std::u16string CommonWordsFilePath(const std::filesystem::path& programFolder, int index);

// The path of the selected entry of a file list; empty when nothing (or nothing valid) is
// selected.
std::u16string SelectedWordsFile(const WordFileList& list);

// Sets s.CommonWordsLanguages to the language of the words-to-ignore file in force
// (LanguageIndexOfFile of the file-name part of list 0's selected path; 7 when none).
void SyncLanguageWithIgnoreFile(Settings& s);

// Appends the English common-word file of the program's folder to list 0 and selects it. It
// does not test for a duplicate and does not read the file.
void SetPathToCWDs_Eng(Settings& s, const std::filesystem::path& programFolder);

} // namespace lxty
