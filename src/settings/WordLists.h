#pragma once
// The settings window's word-list file lists (words to ignore: list 0, count-only words and
// phrases: list 1) as drop-down lists of recently chosen paths, and the check of the
// extra-words boxes against the characters currently allowed in words.
//
// Loading files, choosing languages and the boxes' lost-focus processing need the counting
// engine and live in engine/WordListFiles.h; what is here needs only the settings record.

#include "base/Host.h"
#include "settings/Settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace lxty {

// A file list holds at most this many paths.
inline constexpr int kMaxWordsFiles = 99;

// Captions of the buttons that add files (also the title of the "list full" message).
inline constexpr std::u16string_view kWordsFileButtonCaption0 = u"Words-to-ignore files (99)";
inline constexpr std::u16string_view kWordsFileButtonCaption1 =
    u"Count-only words/phrases files (99)";
inline constexpr std::u16string_view kListFullMessage = u"No more files may be added to this list.";
inline constexpr std::u16string_view kAlreadyPresentTitle = u"Already present";

// The index of the first entry equal to text, or -1. Without case sensitivity both sides are
// compared after LowerCaseAll.
int FindInList(const WordFileList& list, std::u16string_view text, bool caseSensitive);

// Adds text to the list unless it is empty or already there (FindInList without case
// sensitivity). A new entry is appended and selected; returns true. An entry already present
// is left as it is (the selection too) and, when warn is set, the person is told:
//   text + CR LF + "is already in this list. If the file has changed" + CR LF +
//   "select it from the drop-down list and reload it."
// (information icon, title "Already present"); returns false. Empty text: false, no message.
// The list's 99-path limit is the caller's to check.
bool AddToList(WordFileList& list, std::u16string_view text, bool warn, Host& host);

// The "Already present" message for text.
std::u16string AlreadyPresentMessage(std::u16string_view text);

// Removes the selected entry, if any; afterwards nothing is selected.
void RemoveSelected(WordFileList& list);

// Removes entry `index` (nothing for an index outside the list). The selection keeps pointing
// at the same path; it becomes -1 when the selected entry itself goes.
void RemoveAt(WordFileList& list, int index);

// The non-letter characters the check boxes currently allow in a word, in the order the
// count run builds them: "-", "'" and U+2018, "_", ":", "\", "/", ".", "@", "0".."9", then
// "()", "&", the user's extra characters, ",".
std::u16string AllowedExtraChars(const Settings& s);

// Extra-words boxes: 0 words to ignore, 1 count-only words and phrases.
struct DisallowedExtraChar {
    int box = 0;
    std::u16string character; // one character (a surrogate pair stays whole)
};

// The first character of the extra-words boxes (box 0 first, then box 1) that cannot be part
// of an entry under the current settings; std::nullopt when both boxes are fine. Accepted:
// letters (the letter table, and every character the word test reads as a letter) and the
// space; a "<...>" pattern as a whole; the allowed extra characters and the wildcards "~?";
// in the count-only box a comma directly followed by a space.
std::optional<DisallowedExtraChar> FindDisallowedExtraChar(const Settings& s);

// The message for a disallowed character (title "Character not allowed"):
//   "The character '" c "' occurs in some extra " (word-to-ignore | count-only word) CR LF
//   "but is not " ["currently set as " unless c is a list-syntax marker]
//   "a character allowed in a word."
// followed, for a comma, by two line breaks and the separator hint of the box, and for "^" by
// two line breaks and the hint that an entry may be a regular expression without angle
// brackets.
std::u16string DisallowedExtraCharMessage(const DisallowedExtraChar& found);
inline constexpr std::u16string_view kCharacterNotAllowedTitle = u"Character not allowed";

// CheckAllowedExtraChars: shows the message for the first disallowed character (exclamation
// icon) and returns false; returns true when both boxes are fine. Callers run it only after
// start-up and while the settings window is not setting its controls itself.
bool CheckAllowedExtraChars(const Settings& s, Host& host);

// The "any of:" box (UserSpecifiedExtraChars) loses the focus: the text is trimmed; when it
// holds a list-syntax marker the first one is reported, "The character + is not permitted in
// words." (information icon, title "Invalid character"); every letter, every marker, every
// space and every character that another "Allow 'words' with" box offers is removed, and each
// remaining character is kept once, in order. When nothing is left,
// AllowWordsWithUserSpecifiedExtraChars is cleared: with no characters to allow, the box would
// change nothing. Returns whether the record changed.
bool UserSpecifiedExtraCharsLostFocus(Settings& s, Host& host);
inline constexpr std::u16string_view kInvalidCharacterTitle = u"Invalid character";

} // namespace lxty
