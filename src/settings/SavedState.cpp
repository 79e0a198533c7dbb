#include "settings/SavedState.h"

#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsLists.h"
#include "util/Catalogue.h"
#include "util/Cp1252.h"
#include "util/FileIdentity.h"
#include "util/Format.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

namespace lxty {

namespace fs = std::filesystem;

namespace {

// What one line (or, for a word-file list, one group of lines) of the file holds.
enum class Slot {
    Text,             // a text field, quoted
    ReservedText,     // written as "", skipped on reading
    Check,            // 0 or 1
    List,             // an index of the field's fixed list, -1 for nothing selected
    ReservedInt,      // written as 0, skipped on reading
    UseLog10,         // written as 1; reading forces 1 whatever the line holds
    WordsFile,        // count, paths, selected index
    Source,           // 0 clipboard, 1 single file, otherwise folder
    CountArrayTables, // 1 by frequency, 2 both, otherwise alphabetical
    FilterMode,       // 2 as subphrase, 1 in same order, otherwise all words
    PhraseOption      // one option of WordsToIgnoreInPhrases: -1 selected, 0 not
};

struct Row {
    Slot slot;
    std::u16string_view name; // field name in the by-name table (Text, Check, List)
    int arg = 0;              // WordsFile: list index; PhraseOption: the option
};

constexpr int kAllow = static_cast<int>(WordsToIgnoreInPhrasesKind::AllowPhrasesAllWordsToIgnore);
constexpr int kExcludeAll =
    static_cast<int>(WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore);
constexpr int kRemove = static_cast<int>(WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore);
constexpr int kExcludeAny =
    static_cast<int>(WordsToIgnoreInPhrasesKind::ExcludePhrasesWithWordToIgnore);

// The file, in order. The reader relies on this order alone, so it never changes: new values
// could only ever be appended.
constexpr Row kLayout[] = {
    {Slot::Text, u"Folder"}, // 1
    {Slot::Text, u"WordsToIgnoreOrCount0"},
    {Slot::Text, u"File0"},
    {Slot::Text, u"FileFilepathSpecifications0"},
    {Slot::ReservedText, {}}, // 5
    {Slot::ReservedText, {}},
    {Slot::Text, u"WordsToIgnoreOrCount1"},
    {Slot::Text, u"File1"},
    {Slot::Text, u"FileFilepathSpecifications1"},
    {Slot::ReservedText, {}}, // 10
    {Slot::ReservedText, {}},
    {Slot::List, u"ShortWordSize"},
    {Slot::List, u"LongWordSize"},
    {Slot::List, u"ThresholdFrequency"},
    {Slot::Check, u"IgnoreShortWords"}, // 15
    {Slot::Check, u"IgnoreInfrequentWords"},
    {Slot::Check, u"IgnoreRepetitions"},
    {Slot::Check, u"IgnoreExcessivelyFrequentWords"},
    {Slot::Check, u"ExtractTextFromDocx"},
    {Slot::Check, u"IgnoreNoLetter"}, // 20
    {Slot::Check, u"CaseSignificant"},
    {Slot::Check, u"DropFinalS"},
    {Slot::Check, u"AllowWordsWithHyphens"},
    {Slot::Check, u"AllowWordsWithApostrophes"},
    {Slot::Check, u"AllowWordsWithUnderscores"}, // 25
    {Slot::Check, u"AllowWordsWithColons"},
    {Slot::Check, u"AllowWordsWithBackslashes"},
    {Slot::Check, u"AllowWordsWithForwardslashes"},
    {Slot::Check, u"AllowWordsWithParentheses"},
    {Slot::Check, u"AllowWordsWithPeriods"}, // 30
    {Slot::Check, u"AllowWordsWithCommas"},
    {Slot::Check, u"AllowWordsWithAtSigns"},
    {Slot::Check, u"AllowWordsWithNumerals"},
    {Slot::Check, u"AllowWordsWithAmpersands"},
    {Slot::Check, u"AllowWordsWithUserSpecifiedExtraChars"}, // 35
    {Slot::ReservedInt, {}},
    {Slot::Check, u"OutputWithCommas"},
    {Slot::UseLog10, {}},
    {Slot::Check, u"AllowCommentMarkers"},
    {Slot::Check, u"WarnOnOverwrite"}, // 40
    {Slot::Check, u"SaveStateOnQuit"},
    {Slot::Check, u"SuppressWords"},
    {Slot::Check, u"DisableOutputToFile"},
    {Slot::Check, u"IncludeSubfolders"},
    {Slot::List, u"WordOrder"}, // 45
    {Slot::List, u"DisplayFormat"},
    {Slot::Check, u"Only7bitASCII"},
    {Slot::WordsFile, {}, 0},
    {Slot::WordsFile, {}, 1},
    {Slot::Source, {}},
    {Slot::Check, u"SuppressFilenames"},
    {Slot::Text, u"UserSpecifiedExtraChars"},
    {Slot::Check, u"TerminatePhraseAtEndOfLine"},
    {Slot::Check, u"TerminatePhraseAtPeriod"},
    {Slot::Check, u"TerminatePhraseAtDoubleQuote"},
    {Slot::Check, u"TerminatePhraseAtTab"},
    {Slot::Check, u"TerminatePhraseAtComma"}, // the first part ends here
    {Slot::Check, u"ZeroCellsBlank"},
    {Slot::CountArrayTables, {}},
    {Slot::List, u"PhraseLength0"},
    {Slot::List, u"PhraseLength1"},
    {Slot::List, u"MinimumFrequency"},
    {Slot::Check, u"TerminatePhraseAtTab"}, // a second time, same field
    {Slot::List, u"ExcessFrequency"},
    {Slot::Check, u"PatternMatchingInWordsToIgnoreFile"},
    {Slot::Check, u"PatternMatchingInCountOnlyWordsFile"},
    {Slot::Check, u"DisplayRelativeFrequency"},
    {Slot::Check, u"WriteRelativeFrequency"},
    {Slot::Check, u"SortByNumberOfFiles"},
    {Slot::ReservedInt, {}},
    {Slot::List, u"CommonWordsLanguages"},
    {Slot::Text, u"FilterWords"},
    {Slot::FilterMode, {}},
    {Slot::PhraseOption, {}, kAllow},
    {Slot::PhraseOption, {}, kExcludeAll},
    {Slot::PhraseOption, {}, kRemove},
    {Slot::PhraseOption, {}, kExcludeAny},
};

// Line 11, the last of the two entries of texts: the main window keeps its copy of the input
// file once both are read.
constexpr std::size_t kLastLineOfEntries = 11;

// The field behind a row. Every name in the layout is in the by-name table; a missing one
// would be a programming error caught by the round-trip tests.
const SettingsField& Field(const Row& row) {
    return *FindSettingsField(row.name);
}

// A line break would split a value over two lines and shift every later value, so it is
// written as a space (a CR LF pair as one space).
std::u16string Quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.push_back(u' ');
        } else {
            out.push_back(c);
        }
    }
    out.push_back(u'"');
    return out;
}

std::vector<std::u16string> SavedStateLines(const Settings& s) {
    Settings& m = const_cast<Settings&>(s); // the text accessors need a non-const record
    std::vector<std::u16string> lines;
    for (const Row& row : kLayout) {
        switch (row.slot) {
        case Slot::Text:
            lines.push_back(Quoted(Field(row).text(m)));
            break;
        case Slot::ReservedText:
            lines.push_back(u"\"\"");
            break;
        case Slot::Check:
        case Slot::List:
            lines.push_back(Digits(Field(row).getInt(s)));
            break;
        case Slot::ReservedInt:
            lines.push_back(u"0");
            break;
        case Slot::UseLog10:
            lines.push_back(u"1");
            break;
        case Slot::WordsFile: {
            const WordFileList& list = s.WordsFile[static_cast<std::size_t>(row.arg)];
            lines.push_back(Digits(static_cast<long long>(list.paths.size())));
            for (const std::u16string& p : list.paths)
                lines.push_back(Quoted(p));
            // A selection outside the list would make the file unreadable; it stands for none.
            const bool inList =
                list.selected >= 0 && static_cast<std::size_t>(list.selected) < list.paths.size();
            lines.push_back(Digits(inList ? list.selected : -1));
            break;
        }
        case Slot::Source:
            lines.push_back(Digits(static_cast<int>(s.Source)));
            break;
        case Slot::CountArrayTables:
            lines.push_back(Digits(static_cast<int>(s.CountArrayTables)));
            break;
        case Slot::FilterMode:
            lines.push_back(Digits(static_cast<int>(s.FilterMode)));
            break;
        case Slot::PhraseOption:
            lines.push_back(static_cast<int>(s.WordsToIgnoreInPhrases) == row.arg ? u"-1" : u"0");
            break;
        }
    }
    return lines;
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// The descriptions the person sees for the usual file errors, in the program's own words;
// anything else in the system's words.
std::u16string Describe(std::error_code ec) {
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
        return u"Path not found";
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system)
        return u"Permission denied";
    if (ec == std::errc::no_space_on_device || ec == std::errc::file_too_large)
        return u"Disk full";
    if (ec == std::errc::is_a_directory)
        return u"Path/File access error";
    if (!ec)
        return u"Path/File access error";
    return Utf8ToU16(ec.message());
}

std::error_code LastError() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

class PlainWriter : public StateFileWriter {
public:
    std::u16string Write(const fs::path& path, std::string_view bytes) override {
        errno = 0;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out)
            return Describe(LastError());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out)
            return Describe(LastError());
        out.close();
        if (out.fail())
            return Describe(LastError());
        return {};
    }
};

// Reading ---------------------------------------------------------------------------------

struct PastEndOfFile {};
struct InvalidData {};
struct ReadFailure {
    std::u16string description;
};

// A line longer than this is no value of ours: it stops the read instead of filling memory
// (the person may pick any file, a large binary one included).
constexpr std::size_t kMaxLineBytes = 1 << 20;

// The lines of a saved state, from a file or from any stream holding its bytes.
class LineReader {
public:
    // Starts reading in; a UTF-8 byte-order mark makes the rest UTF-8, else Windows-1252.
    explicit LineReader(std::istream& in) : in_(in) {
        char bom[3] = {};
        in_.read(bom, 3);
        if (in_.gcount() == 3 && std::string_view(bom, 3) == kUtf8Bom) {
            utf8_ = true;
        } else {
            in_.clear();
            in_.seekg(0);
        }
    }

    // The next line without its line end (LF, CR LF, or CR alone); PastEndOfFile when there
    // is none.
    std::u16string Next() {
        std::string bytes;
        bool any = false;
        for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
            any = true;
            if (c == '\n')
                break;
            if (c == '\r') {
                if (in_.peek() == '\n')
                    in_.get();
                break;
            }
            if (bytes.size() >= kMaxLineBytes)
                throw InvalidData{};
            bytes.push_back(static_cast<char>(c));
        }
        if (in_.bad())
            throw ReadFailure{u"Device I/O error"};
        if (!any)
            throw PastEndOfFile{};
        return utf8_ ? Utf8ToU16(bytes) : Cp1252ToU16(bytes);
    }

private:
    std::istream& in_;
    bool utf8_ = false;
};

std::u16string_view TrimSpacesAndTabs(std::u16string_view t) {
    while (!t.empty() && (t.front() == u' ' || t.front() == u'\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == u' ' || t.back() == u'\t'))
        t.remove_suffix(1);
    return t;
}

// A quoted text runs to the last quotation mark of its line, so a quotation mark inside the
// text survives; a line without quotes is taken as it stands, without outer spaces.
std::u16string TextValue(std::u16string_view line) {
    std::u16string_view t = TrimSpacesAndTabs(line);
    if (!t.empty() && t.front() == u'"') {
        t.remove_prefix(1);
        const std::size_t close = t.rfind(u'"');
        if (close != std::u16string_view::npos)
            t = t.substr(0, close);
    }
    return std::u16string(t);
}

// A whole number with an optional sign and outer spaces; anything else is not a value of ours.
int IntValue(std::u16string_view line) {
    std::u16string_view t = TrimSpacesAndTabs(line);
    bool negative = false;
    if (!t.empty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t.remove_prefix(1);
    }
    if (t.empty() || t.size() > 9)
        throw InvalidData{};
    int n = 0;
    for (char16_t c : t) {
        if (c < u'0' || c > u'9')
            throw InvalidData{};
        n = n * 10 + (c - u'0');
    }
    return negative ? -n : n;
}

std::u16string SelectedPath(const WordFileList& list) {
    if (list.selected < 0 || static_cast<std::size_t>(list.selected) >= list.paths.size())
        return {};
    return list.paths[static_cast<std::size_t>(list.selected)];
}

} // namespace

// A name beside the target that nothing else uses: "<name>.~<random>.tmp".
fs::path TemporaryNameBeside(const fs::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path name = target.filename();
        name += ".~" + std::to_string(random() % 1000000000ULL) + ".tmp";
        const fs::path candidate = folder / name;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
    fs::path name = target.filename();
    name += ".~tmp";
    return folder / name;
}

fs::path DefaultStateFilePath(const fs::path& configFolder) {
    fs::path base = configFolder;
    if (base.empty()) {
#ifdef _WIN32
        base = fs::path(u"C:\\");
#else
        base = fs::path("/");
#endif
    }
    const fs::path folder = base / u"Tarnwell Systems";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder / u"lxty.usr";
}

std::string FormatSavedState(const Settings& s) {
    const std::vector<std::u16string> lines = SavedStateLines(s);
    // Windows-1252 whenever it can hold every character; otherwise UTF-8 behind a byte-order
    // mark, rather than turning the missing characters into '?' and losing a path.
    bool fits = true;
    for (const std::u16string& line : lines)
        for (char16_t c : line)
            if (CharToCp1252(c) < 0)
                fits = false;
    std::string out = fits ? std::string() : std::string(kUtf8Bom);
    for (const std::u16string& line : lines) {
        out += fits ? U16ToCp1252(line) : U16ToUtf8(line);
        out += kLineEnd8;
    }
    return out;
}

StateFileWriter& PlainStateFileWriter() {
    static PlainWriter writer;
    return writer;
}

std::u16string SaveState(const Settings& s, const fs::path& path, const fs::path& defaultPath,
                         StateFileWriter& writer) {
    const std::u16string prefix = u"Error when attempting to save state: ";
    fs::path target = path.empty() ? defaultPath : path;
    if (target.empty())
        return prefix + u"Path not found";
    std::error_code ec;
    // Replace the file a link points to, not the link.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const fs::file_status old = fs::status(target, ec);
    const bool existed = fs::exists(old);
    if (existed) {
        if (fs::is_directory(old))
            return prefix + u"Path/File access error";
        // Writing in place would be refused for a write-protected file; the rename would not.
        if ((old.permissions() & fs::perms::owner_write) == fs::perms::none)
            return prefix + u"Permission denied";
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec))
        return prefix + u"Path not found";
    if (!target.has_parent_path())
        target = folder / target;

    const fs::path temp = TemporaryNameBeside(target);
    const std::u16string writeError = writer.Write(temp, FormatSavedState(s));
    if (!writeError.empty()) {
        fs::remove(temp, ec);
        return prefix + writeError;
    }
    if (existed)
        fs::permissions(temp, old.permissions(), ec); // best effort
    fs::rename(temp, target, ec);
    if (ec) {
        const std::u16string description = Describe(ec);
        std::error_code ignored;
        fs::remove(temp, ignored);
        return prefix + description;
    }
    return {};
}

void RestoreActions::ApplyExtraWords(Settings&, int) {}
void RestoreActions::ApplyFilePatterns(Settings&, int) {}
void RestoreActions::ShowSingleFileDetails(Settings&) {}
void RestoreActions::ApplyFolder(Settings&) {}
void RestoreActions::SetToolTipText(const Settings&) {}
void RestoreActions::Initialize(Settings& s, RunState& run, Host& host) {
    if (run.blnStartUpCompleted)
        InitializeAfterStartUp(s, run, host, u"Reinitialize");
    else
        InitializeRecord(s, run);
}

namespace {

// What the reading of the values has found out on the way.
struct ReadProgress {
    bool firstPartComplete = false; // the first part of the file was read whole
};

// Reads the value (or group of values) of one row into the record, with the field's own
// rule from the field table. Throws InvalidData for a value its field cannot hold.
void ReadRow(const Row& row, LineReader& reader, Settings& s, RestoreOutcome& out,
             RestoreActions& actions, ReadProgress& progress) {
    switch (row.slot) {
    case Slot::Text: {
        const SettingsField& f = Field(row);
        std::u16string value = TextValue(reader.Next());
        if (f.onLoad == OnLoad::TrimSpaces)
            value = TrimSpaces(value);
        f.text(s) = std::move(value);
        if (f.onLoad == OnLoad::NoteFolder)
            out.folderAsRead = s.Folder;
        else if (f.onLoad == OnLoad::ExtraWords)
            actions.ApplyExtraWords(s, f.loadIndex);
        else if (f.onLoad == OnLoad::FilePatterns)
            actions.ApplyFilePatterns(s, f.loadIndex);
        break;
    }
    case Slot::Check: {
        const int v = IntValue(reader.Next());
        if (v != 0 && v != 1)
            throw InvalidData{};
        Field(row).setInt(s, v);
        if (Field(row).onLoad == OnLoad::EndOfFirstPart)
            progress.firstPartComplete = true;
        break;
    }
    case Slot::List: {
        // -1 stands for nothing selected, which only some lists may say; any other value
        // outside the list is as malformed as a line that is no number.
        const SettingsField& f = Field(row);
        const int v = IntValue(reader.Next());
        if (v < (f.mayBeUnselected ? -1 : 0) || v >= ListSize(f.list))
            throw InvalidData{};
        f.setInt(s, v);
        break;
    }
    case Slot::ReservedText:
    case Slot::ReservedInt:
        reader.Next();
        break;
    case Slot::UseLog10:
        reader.Next();
        s.UseLog10 = 1;
        break;
    case Slot::WordsFile: {
        // The count is read before the list is cleared, so a file that ends just before its
        // lists leaves them as they were.
        const int n = IntValue(reader.Next());
        if (n < 0)
            throw InvalidData{};
        WordFileList& list = s.WordsFile[static_cast<std::size_t>(row.arg)];
        list = WordFileList{};
        for (int i = 0; i < n; ++i)
            list.paths.push_back(TextValue(reader.Next()));
        const int index = IntValue(reader.Next());
        if (n != 0) {
            if (index < -1 || index >= n)
                throw InvalidData{};
            list.selected = index;
        }
        break;
    }
    case Slot::Source: {
        const int v = IntValue(reader.Next());
        s.Source = v == 0   ? SourceKind::OnClipboard
                   : v == 1 ? SourceKind::InFile
                            : SourceKind::Folder;
        break;
    }
    case Slot::CountArrayTables: {
        const int v = IntValue(reader.Next());
        s.CountArrayTables = v == 1   ? CountArrayTablesKind::ByFrequency
                             : v == 2 ? CountArrayTablesKind::Both
                                      : CountArrayTablesKind::Alphabetical;
        break;
    }
    case Slot::FilterMode: {
        const int v = IntValue(reader.Next());
        s.FilterMode = v == 2   ? FilterModeKind::IncludeAllWordsAsSubphrase
                       : v == 1 ? FilterModeKind::IncludeAllWordsInSameOrder
                                : FilterModeKind::IncludeAllWords;
        break;
    }
    case Slot::PhraseOption:
        // Selecting one option button clears the others; a 0 selects nothing, so the last
        // non-zero option wins and four zeros leave the choice as it was.
        if (IntValue(reader.Next()) != 0)
            s.WordsToIgnoreInPhrases = static_cast<WordsToIgnoreInPhrasesKind>(row.arg);
        break;
    }
}

// A file that ends early: the values read so far stay, and the person may take the defaults.
void AnswerPastEndOfFile(const ReadProgress& progress, Settings& s, RunState& run, Host& host) {
    if (progress.firstPartComplete) {
        s.ZeroCellsBlank = 0;
        s.CountArrayTables = CountArrayTablesKind::Alphabetical;
    }
    const MsgAnswer a =
        host.Ask(u"Input past end of file.  Set default values?", u"Error restoring saved state",
                 MsgIcon::None, MsgButtons::YesNo, MsgAnswer::No);
    if (a == MsgAnswer::Yes)
        SetDefaultValues(s, run);
    host.MessageBox(u"Saving the settings should fix the 'Input past end of file' error.",
                    u"Input past end of file", MsgIcon::Information);
}

// At start-up, the selected word-list files are offered for loading.
void OfferWordListFiles(Settings& s, Host& host, RestoreActions& actions, RestoreOutcome& out) {
    static const char16_t* const questions[2] = {
        u"Do you wish to load this words-to-ignore file?",
        u"Do you wish to load this count-only words file?"};
    for (int i = 0; i < 2; ++i) {
        const std::u16string selected = SelectedPath(s.WordsFile[static_cast<std::size_t>(i)]);
        if (selected.empty())
            continue;
        const MsgAnswer a =
            host.Ask(questions[i] + std::u16string(kLineEnd) + selected, u"Load file?",
                     MsgIcon::None, MsgButtons::YesNo, MsgAnswer::Yes);
        if (a == MsgAnswer::Yes) {
            if (!actions.AttemptToReadWords(s, i))
                out.code = kRestoreWordsFileFailed;
        } else {
            s.WordsFile[static_cast<std::size_t>(i)].selected = -1;
            if (i == 0)
                s.CommonWordsLanguages = kNoLanguageSelectedIndex;
        }
    }
}

} // namespace

RestoreOutcome RestoreSavedState(const fs::path& path, const fs::path& defaultPath, Settings& s,
                                 RunState& run, Host& host, RestoreActions& actions,
                                 bool restoring) {
    RestoreOutcome out;
    const fs::path file = path.empty() ? defaultPath : path;
    std::error_code ec;
    if (file.empty() || !fs::exists(file, ec) || fs::is_directory(file, ec)) {
        out.code = kRestoreNoFile;
        return out;
    }
    if (IsSpecialFile(file)) { // a FIFO would block the open for ever
        const std::u8string shown = file.u8string();
        out.code = kRestoreReadError;
        out.errorText =
            Utf8ToU16(std::string_view(reinterpret_cast<const char*>(shown.data()), shown.size())) +
            u" is not a regular file";
        return out;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out.code = kRestoreReadError;
        out.errorText = Describe(LastError());
        return out;
    }
    return RestoreSavedStateFrom(in, s, run, host, actions, restoring);
}

RestoreOutcome RestoreSavedStateFrom(std::istream& in, Settings& s, RunState& run, Host& host,
                                     RestoreActions& actions, bool restoring) {
    RestoreOutcome out;
    LineReader reader(in);
    ReadProgress progress;
    try {
        for (std::size_t line = 0; line < std::size(kLayout); ++line) {
            ReadRow(kLayout[line], reader, s, out, actions, progress);
            if (line + 1 == kLastLineOfEntries)
                out.fileAsRead = s.File[0];
        }
    } catch (const PastEndOfFile&) {
        AnswerPastEndOfFile(progress, s, run, host);
        out.code = kRestoreOk;
        return out;
    } catch (const InvalidData&) {
        out.code = kRestoreReadError;
        out.errorText = u"Invalid data";
        return out;
    } catch (const ReadFailure& e) {
        out.code = kRestoreReadError;
        out.errorText = e.description;
        return out;
    }

    if (s.File[1].empty()) {
        s.DisableOutputToFile = 0;
        out.disableOutputToFileBox = true;
    }
    for (const SettingsField& f : SettingsFieldTable())
        if (f.mayBeUnselected && f.getInt(s) == -1)
            out.code = kRestoreNoListEntry;

    if (!s.File[0].empty())
        actions.ShowSingleFileDetails(s);
    actions.ApplyFolder(s);
    if (!restoring)
        OfferWordListFiles(s, host, actions, out);
    actions.SetToolTipText(s);
    return out;
}

void HandleStartUpRestoreResult(const RestoreOutcome& outcome, Settings& s, RunState& run,
                                Host& host, RestoreActions& actions) {
    std::u16string message;
    if (outcome.code == kRestoreNoListEntry)
        message = GetText(TextId::RestoreNoListEntry);
    else if (outcome.code == kRestoreReadError)
        message = GetText(TextId::RestoreError) + u": " + outcome.errorText;
    else
        return;
    message += u"\n\n" + GetText(TextId::ResetSettingsQuestion);
    const MsgAnswer a = host.Ask(message, GetText(TextId::RestoringSettingsTitle), MsgIcon::None,
                                 MsgButtons::YesNo, MsgAnswer::Yes);
    if (a == MsgAnswer::Yes)
        actions.Initialize(s, run, host);
    else
        s.SaveStateOnQuit = 0;
}

LoadSettingsOutcome LoadSettingsFromFile(const fs::path& chosen, Settings& s, RunState& run,
                                         Host& host, RestoreActions& actions) {
    LoadSettingsOutcome out;
    // The settings window raises blnRestoring around the read, so no word-list file is offered.
    out.restore = RestoreSavedState(chosen, {}, s, run, host, actions, true);
    switch (out.restore.code) {
    case kRestoreOk:
    case kRestoreNoFile:
        out.stateLabel = kStateLoadedFrom;
        break;
    case kRestoreNoListEntry:
    case kRestoreReadError:
        host.MessageBox(out.restore.code == kRestoreNoListEntry
                            ? std::u16string(u"Invalid combo box index.")
                            : u"Error when attempting to load settings: " + out.restore.errorText,
                        u"Load settings", MsgIcon::Exclamation);
        actions.Initialize(s, run, host);
        out.stateLabel = kStateErrorLoadingFrom;
        break;
    default:
        out.stateLabel = kStateErrorLoadingFrom;
        break;
    }
    return out;
}

std::optional<LoadSettingsOutcome> ChooseAndLoadSettings(Settings& s, RunState& run, Host& host,
                                                         RestoreActions& actions,
                                                         const std::u16string& initialPath,
                                                         std::u16string* chosenPath) {
    const std::optional<std::u16string> chosen = host.ChooseOpenFile(
        u"Specify file to load settings from.", std::u16string(kSettingsFileFilter), initialPath);
    if (!chosen || chosen->empty())
        return std::nullopt;
    if (chosenPath)
        *chosenPath = *chosen;
    return LoadSettingsFromFile(fs::path(*chosen), s, run, host, actions);
}

std::u16string SaveSettingsToFile(const fs::path& chosen, const Settings& s, Host& host,
                                  StateFileWriter& writer) {
    const std::u16string error = SaveState(s, chosen, {}, writer);
    if (error.empty())
        return std::u16string(kStateSavedTo);
    host.MessageBox(error, u"Save settngs", MsgIcon::Exclamation);
    return std::u16string(kStateErrorSavingTo);
}

std::optional<std::u16string> ChooseAndSaveSettings(const Settings& s, Host& host,
                                                    const std::u16string& initialPath,
                                                    std::u16string* chosenPath) {
    const std::optional<std::u16string> chosen = host.ChooseSaveFile(
        u"Specify file to save settings to", std::u16string(kSettingsFileFilter), initialPath);
    if (!chosen || chosen->empty())
        return std::nullopt;
    if (chosenPath)
        *chosenPath = *chosen;
    return SaveSettingsToFile(fs::path(*chosen), s, host);
}

bool SaveSettingsToDefault(const Settings& s, const fs::path& defaultPath, Host& host,
                           const std::string& nearControl) {
    const std::u16string error = SaveState(s, {}, defaultPath);
    if (error.empty()) {
        host.PopUp(GetText(TextId::SettingsSaved), nearControl);
        return true;
    }
    host.MessageBox(error, u"Save state", MsgIcon::Exclamation);
    return false;
}

} // namespace lxty
