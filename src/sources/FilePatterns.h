#pragma once
// Which files of a folder run are read: the two pattern boxes of the main window ("Scan files
// matching patterns:" and "Exclude filepaths containing text:"), their validation, the fixed
// list of skipped extensions, and the file-name and wildcard matchers.
//
// Matching is deliberately simple and has no backtracking: a "*" jumps to the first
// occurrence of the next literal character and never reconsiders that choice, so "*b" matches
// "a and b" but not "a, b, a, b". Folder runs have always selected files this way; people's
// saved patterns depend on it.

#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class Host;
struct Settings;

// The selection in force for one run: both pattern lists, lower-cased.
struct FileSelection {
    std::vector<std::u16string> filePatterns;      // "Scan files matching patterns:"
    std::vector<std::u16string> exclusionPatterns; // "Exclude filepaths containing text:"
    std::u16string patternsText;                   // file patterns joined by ", "

    // Reads both boxes, Settings::FileFilepathSpecifications 0 and 1.
    static FileSelection FromSettings(const Settings& settings);
};

// Reads one pattern box: every "," becomes a space, runs of white space separate entries,
// each entry is lower-cased (accented capitals included). Fills list and returns the entries
// joined by ", " (empty for an empty box).
std::u16string GetFileFilepathSpecifications(std::u16string_view boxText,
                                             std::vector<std::u16string>& list);

// Checks both lists at the start of every file or folder run. A file pattern holding one of
// ~ , ; / \ < > ` or a double quote gives "File pattern '<p>' contains an invalid character.";
// an exclusion holding one of those or a wildcard (* ?) gives "Folder pattern '<p>' contains
// an invalid character."; both titled "Invalid input" (exclamation). Shows the first fault
// only and returns false; true when both lists are sound.
bool ValidatePatterns(Host& host, const FileSelection& selection);

// What the main window does when the person leaves the file-pattern box: re-reads the box,
// explains that .doc files are not read when the text ends with ".doc" or holds ".doc,"
// ("Match file patterns", information), then validates both boxes. Returns the validation.
bool CheckPatternBoxOnLeave(Host& host, const Settings& settings);

// The extension of a file name: what follows its last "." ("" when there is none).
std::u16string ExtensionOf(std::u16string_view fileName);

// True for the 27 extensions that are never read (pictures, archives, programs, "doc", ...),
// compared without regard to case.
bool IsSkippedExtension(std::u16string_view extension);

// The selection rules for one file, given by its full path: not a skipped extension, no
// exclusion pattern inside the lower-cased path, and (when any file pattern is given) a file
// name that matches at least one file pattern, ignoring case.
bool IsFileToBeScanned(std::u16string_view fullPath, const FileSelection& selection);

// Whether a file name matches one file pattern. Names holding ? * : or \ never match; an
// empty or all-blank pattern matches everything. Base names and extensions (split at the last
// ".") are matched separately, so "*.*" also matches a name without an extension and "*.txt"
// never matches "readme". Case is ignored unless caseSensitive.
bool MatchFilePattern(std::u16string_view name, std::u16string_view pattern, bool caseSensitive);

// The wildcard matcher: "?" is any one character, "*" any run (without backtracking, see
// above), everything else itself. Case is ignored unless caseSensitive.
bool WildcardMatch(std::u16string_view text, std::u16string_view pattern, bool caseSensitive);

} // namespace lxty
