#pragma once
// Every field of the settings record under the name that the saved state and
// `lexitally-cli --set NAME=VALUE` use: the field's own name, with the index appended for a
// pair field ("File1", "WordsToIgnoreOrCount0", "FileFilepathSpecifications1",
// "PhraseLength0", "WordsFile0"). Names are matched exactly (case matters).
//
// Values by kind:
//  - Check: "0" or "1". UseLog10 accepts either and stays 1 (it is always 1, whatever a
//    saved state or a command line says), silently.
//  - List: the 0-based index of the entry, "0" to size-1 of the field's fixed list. The
//    record can hold -1 ("nothing selected") and GetFieldByName then shows "-1", but
//    SetFieldByName accepts only valid indices.
//  - Enumeration: the option's name ("Folder", "IncludeAllWordsInSameOrder").
//  - Text: any text, taken as it is.
//  - FileList (WordsFile0, WordsFile1): the path of the selected file. Setting a path selects
//    it, appending it to the list first when it is not there yet (exact comparison); setting
//    "" deselects (index -1) and keeps the list. Reading and checking the file is the
//    word-list loader's job, which the caller runs afterwards.
// A refused name or value leaves the record unchanged and yields a one-line message.

#include "settings/Settings.h"
#include "settings/SettingsLists.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

enum class FieldKind { Check, List, Enumeration, Text, FileList };

// One row of the name table. Exactly the accessors that fit the kind are set:
//  Check, List, Enumeration: getInt / setInt (an enumeration's int is its option's position
//    in `options`, the value of the record's enum);
//  Text: text;  FileList: files.
// The setters do not validate; SetFieldByName does.
// What reading a field from the saved state does beyond storing the value.
enum class OnLoad {
    Store,          // nothing more
    TrimSpaces,     // the text loses its outer spaces (FilterWords)
    NoteFolder,     // the folder as read is kept for the main window (Folder)
    ExtraWords,     // extra-words box `loadIndex` is normalised and parsed, as on leaving it
    FilePatterns,   // pattern box `loadIndex` is applied, as on leaving it
    EndOfFirstPart, // the last value of the file's first part (TerminatePhraseAtComma)
};

struct SettingsField {
    std::u16string_view name;
    FieldKind kind;
    SettingsList list = SettingsList::ShortWordSize; // List only
    std::span<const std::u16string_view> options;    // Enumeration only
    int (*getInt)(const Settings&) = nullptr;
    void (*setInt)(Settings&, int) = nullptr;
    std::u16string& (*text)(Settings&) = nullptr;
    WordFileList& (*files)(Settings&) = nullptr;
    // List only: a saved state may hold -1 (nothing selected) here, which the person is then
    // asked to mend ("Invalid combo box index."). In any other list, -1 is invalid data.
    bool mayBeUnselected = false;
    OnLoad onLoad = OnLoad::Store;
    int loadIndex = 0; // the box of ExtraWords and FilePatterns
};

// The table, in the order of the record.
std::span<const SettingsField> SettingsFieldTable();
// The row named `name`, or nullptr.
const SettingsField* FindSettingsField(std::u16string_view name);
// Every name, in table order.
std::vector<std::u16string> FieldNames();

// Sets the field `name` from `value`. On refusal returns false, leaves the record unchanged
// and, when error is given, stores the reason, e.g.
//   Unknown setting "Foo".
//   Setting "ShortWordSize" takes a list index from 0 to 18; "25" is not one.
//   Setting "CaseSignificant" takes 0 or 1; "2" is not one.
//   Setting "FilterMode" takes one of IncludeAllWords, IncludeAllWordsInSameOrder,
//   IncludeAllWordsAsSubphrase; "Foo" is not one.
bool SetFieldByName(Settings& s, std::u16string_view name, std::u16string_view value,
                    std::u16string* error);

// What the field accepts, in the words of SetFieldByName's refusals: "0 or 1"; "a list index
// from 0 to 18 (0 = 2; 1 = 3; ...; 18 = 20)" with every entry of the list (the WordOrder and
// DisplayFormat entries come from the catalogue); "one of Folder, InFile, OnClipboard";
// "any text"; "a file path, added to its list and selected".
std::u16string AcceptedValues(const SettingsField& field);

// The field's value as SetFieldByName takes it (list index in decimal, "-1" when nothing is
// selected; option name; the selected path, "" when none); std::nullopt for an unknown name.
std::optional<std::u16string> GetFieldByName(const Settings& s, std::u16string_view name);

} // namespace lxty
