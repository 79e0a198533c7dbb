#include "settings/SettingsByName.h"

#include "util/Format.h"

#include <array>
#include <string>

namespace lxty {

namespace {

constexpr std::array<std::u16string_view, 3> kSourceOptions{u"OnClipboard", u"InFile", u"Folder"};
constexpr std::array<std::u16string_view, 3> kFilterModeOptions{
    u"IncludeAllWords", u"IncludeAllWordsInSameOrder", u"IncludeAllWordsAsSubphrase"};
constexpr std::array<std::u16string_view, 4> kWordsToIgnoreInPhrasesOptions{
    u"AllowPhrasesAllWordsToIgnore", u"ExcludePhrasesAllWordsToIgnore", u"RemoveWordsToIgnore",
    u"ExcludePhrasesWithWordToIgnore"};
constexpr std::array<std::u16string_view, 3> kCountArrayTablesOptions{u"Alphabetical",
                                                                      u"ByFrequency", u"Both"};

// Captureless lambdas convert to the table's plain function pointers, so each row is built
// in place and the table stays one static array that the saved-state code can walk too.
#define LXTY_CHECK(F)                                                                              \
    SettingsField {                                                                                \
        u"" #F, FieldKind::Check, SettingsList::ShortWordSize, {},                                 \
            [](const Settings& s) { return s.F; }, [](Settings& s, int v) { s.F = v; }             \
    }
#define LXTY_LIST(F, L)                                                                            \
    SettingsField {                                                                                \
        u"" #F, FieldKind::List, SettingsList::L, {}, [](const Settings& s) { return s.F; },       \
            [](Settings& s, int v) { s.F = v; }                                                    \
    }
#define LXTY_LIST_PAIR(F, I, L)                                                                    \
    SettingsField {                                                                                \
        u"" #F #I, FieldKind::List, SettingsList::L, {}, [](const Settings& s) { return s.F[I]; }, \
            [](Settings& s, int v) { s.F[I] = v; }                                                 \
    }
#define LXTY_ENUM(F, T, OPTIONS)                                                                   \
    SettingsField {                                                                                \
        u"" #F, FieldKind::Enumeration, SettingsList::ShortWordSize, OPTIONS,                      \
            [](const Settings& s) { return static_cast<int>(s.F); },                               \
            [](Settings& s, int v) { s.F = static_cast<T>(v); }                                    \
    }
#define LXTY_TEXT(F)                                                                               \
    SettingsField {                                                                                \
        u"" #F, FieldKind::Text, SettingsList::ShortWordSize, {}, nullptr, nullptr,                \
            [](Settings& s) -> std::u16string& { return s.F; }                                     \
    }
#define LXTY_TEXT_PAIR(F, I)                                                                       \
    SettingsField {                                                                                \
        u"" #F #I, FieldKind::Text, SettingsList::ShortWordSize, {}, nullptr, nullptr,             \
            [](Settings& s) -> std::u16string& { return s.F[I]; }                                  \
    }
#define LXTY_FILES_PAIR(F, I)                                                                      \
    SettingsField {                                                                                \
        u"" #F #I, FieldKind::FileList, SettingsList::ShortWordSize, {}, nullptr, nullptr,         \
            nullptr, [](Settings& s) -> WordFileList& { return s.F[I]; }                           \
    }

// The same row with a saved-state rule.
constexpr SettingsField Loaded(SettingsField f, OnLoad rule, int index = 0) {
    f.onLoad = rule;
    f.loadIndex = index;
    return f;
}
constexpr SettingsField Unselectable(SettingsField f) {
    f.mayBeUnselected = true;
    return f;
}

const SettingsField kFields[] = {
    // What counts as a word
    LXTY_CHECK(CaseSignificant),
    LXTY_CHECK(AllowWordsWithHyphens),
    LXTY_CHECK(AllowWordsWithApostrophes),
    LXTY_CHECK(AllowWordsWithUnderscores),
    LXTY_CHECK(AllowWordsWithColons),
    LXTY_CHECK(AllowWordsWithBackslashes),
    LXTY_CHECK(AllowWordsWithForwardslashes),
    LXTY_CHECK(AllowWordsWithParentheses),
    LXTY_CHECK(AllowWordsWithAmpersands),
    LXTY_CHECK(AllowWordsWithPeriods),
    LXTY_CHECK(AllowWordsWithCommas),
    LXTY_CHECK(AllowWordsWithAtSigns),
    LXTY_CHECK(AllowWordsWithNumerals),
    LXTY_CHECK(AllowWordsWithUserSpecifiedExtraChars),
    LXTY_TEXT(UserSpecifiedExtraChars),
    LXTY_CHECK(DropFinalS),
    LXTY_CHECK(AllowCommentMarkers),
    LXTY_CHECK(Only7bitASCII),
    // Words to ignore
    LXTY_CHECK(IgnoreShortWords),
    Unselectable(LXTY_LIST(ShortWordSize, ShortWordSize)),
    Unselectable(LXTY_LIST(LongWordSize, LongWordSize)),
    LXTY_CHECK(IgnoreInfrequentWords),
    Unselectable(LXTY_LIST(ThresholdFrequency, ThresholdFrequency)),
    LXTY_CHECK(IgnoreExcessivelyFrequentWords),
    Unselectable(LXTY_LIST(ExcessFrequency, ExcessFrequency)),
    LXTY_CHECK(IgnoreNoLetter),
    LXTY_CHECK(IgnoreRepetitions),
    LXTY_LIST(CommonWordsLanguages, CommonWordsLanguages),
    Loaded(LXTY_TEXT_PAIR(WordsToIgnoreOrCount, 0), OnLoad::ExtraWords, 0),
    Loaded(LXTY_TEXT_PAIR(WordsToIgnoreOrCount, 1), OnLoad::ExtraWords, 1),
    LXTY_FILES_PAIR(WordsFile, 0),
    LXTY_FILES_PAIR(WordsFile, 1),
    LXTY_CHECK(PatternMatchingInWordsToIgnoreFile),
    LXTY_CHECK(PatternMatchingInCountOnlyWordsFile),
    // Phrase boundaries
    LXTY_CHECK(TerminatePhraseAtEndOfLine),
    LXTY_CHECK(TerminatePhraseAtPeriod),
    LXTY_CHECK(TerminatePhraseAtDoubleQuote),
    LXTY_CHECK(TerminatePhraseAtTab),
    Loaded(LXTY_CHECK(TerminatePhraseAtComma), OnLoad::EndOfFirstPart),
    // Output and miscellaneous
    LXTY_CHECK(ExtractTextFromDocx),
    LXTY_CHECK(OutputWithCommas),
    LXTY_CHECK(WarnOnOverwrite),
    LXTY_CHECK(SaveStateOnQuit),
    // UseLog10 is always 1: its setter ignores the value.
    SettingsField{u"UseLog10",
                  FieldKind::Check,
                  SettingsList::ShortWordSize,
                  {},
                  [](const Settings& s) { return s.UseLog10; },
                  [](Settings& s, int) { s.UseLog10 = 1; }},
    // Source and display
    LXTY_ENUM(Source, SourceKind, kSourceOptions),
    Loaded(LXTY_TEXT(Folder), OnLoad::NoteFolder),
    LXTY_CHECK(IncludeSubfolders),
    Loaded(LXTY_TEXT_PAIR(FileFilepathSpecifications, 0), OnLoad::FilePatterns, 0),
    Loaded(LXTY_TEXT_PAIR(FileFilepathSpecifications, 1), OnLoad::FilePatterns, 1),
    LXTY_TEXT_PAIR(File, 0),
    LXTY_TEXT_PAIR(File, 1),
    LXTY_CHECK(SuppressWords),
    LXTY_CHECK(SuppressFilenames),
    LXTY_CHECK(DisableOutputToFile),
    LXTY_CHECK(DisplayRelativeFrequency),
    LXTY_CHECK(SortByNumberOfFiles),
    Unselectable(LXTY_LIST(WordOrder, WordOrder)),
    Unselectable(LXTY_LIST(DisplayFormat, DisplayFormat)),
    // All-phrases window and count-array dialog
    LXTY_LIST_PAIR(PhraseLength, 0, PhraseLength),
    LXTY_LIST_PAIR(PhraseLength, 1, PhraseLength),
    LXTY_LIST(MinimumFrequency, MinimumFrequency),
    Loaded(LXTY_TEXT(FilterWords), OnLoad::TrimSpaces),
    LXTY_ENUM(FilterMode, FilterModeKind, kFilterModeOptions),
    LXTY_ENUM(WordsToIgnoreInPhrases, WordsToIgnoreInPhrasesKind, kWordsToIgnoreInPhrasesOptions),
    LXTY_CHECK(WriteRelativeFrequency),
    LXTY_CHECK(ZeroCellsBlank),
    LXTY_ENUM(CountArrayTables, CountArrayTablesKind, kCountArrayTablesOptions),
};

#undef LXTY_CHECK
#undef LXTY_LIST
#undef LXTY_LIST_PAIR
#undef LXTY_ENUM
#undef LXTY_TEXT
#undef LXTY_TEXT_PAIR
#undef LXTY_FILES_PAIR

// A plain unsigned decimal: digits only, no sign, no spaces. Long inputs are refused rather
// than overflowing, so "99999999999" cannot wrap round into a valid index.
std::optional<int> ParseIndex(std::u16string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c - u'0');
    }
    return n;
}

std::u16string Quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    out += text;
    out += u'"';
    return out;
}

std::u16string Refusal(std::u16string_view name, std::u16string_view takes,
                       std::u16string_view value) {
    return u"Setting " + Quoted(name) + u" takes " + std::u16string(takes) + u"; " + Quoted(value) +
           u" is not one.";
}

std::u16string ListRange(SettingsList list) {
    return u"a list index from 0 to " + Digits(ListSize(list) - 1);
}

std::u16string OneOf(std::span<const std::u16string_view> options) {
    std::u16string takes = u"one of ";
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (i > 0)
            takes += u", ";
        takes += options[i];
    }
    return takes;
}

// Re-reads the record through the table without writing to it: the accessors that hand out
// references need a non-const record, and none of them modifies it.
Settings& Unconst(const Settings& s) {
    return const_cast<Settings&>(s);
}

} // namespace

std::span<const SettingsField> SettingsFieldTable() {
    return kFields;
}

const SettingsField* FindSettingsField(std::u16string_view name) {
    for (const SettingsField& f : kFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

std::vector<std::u16string> FieldNames() {
    std::vector<std::u16string> names;
    for (const SettingsField& f : kFields)
        names.emplace_back(f.name);
    return names;
}

bool SetFieldByName(Settings& s, std::u16string_view name, std::u16string_view value,
                    std::u16string* error) {
    auto fail = [&](std::u16string message) {
        if (error)
            *error = std::move(message);
        return false;
    };
    const SettingsField* f = FindSettingsField(name);
    if (!f)
        return fail(u"Unknown setting " + Quoted(name) + u".");

    switch (f->kind) {
    case FieldKind::Check:
        if (value != u"0" && value != u"1")
            return fail(Refusal(name, u"0 or 1", value));
        f->setInt(s, value == u"1" ? 1 : 0);
        return true;
    case FieldKind::List: {
        const int size = ListSize(f->list);
        const std::optional<int> index = ParseIndex(value);
        if (!index || *index >= size)
            return fail(Refusal(name, ListRange(f->list), value));
        f->setInt(s, *index);
        return true;
    }
    case FieldKind::Enumeration: {
        for (std::size_t i = 0; i < f->options.size(); ++i) {
            if (f->options[i] == value) {
                f->setInt(s, static_cast<int>(i));
                return true;
            }
        }
        return fail(Refusal(name, OneOf(f->options), value));
    }
    case FieldKind::Text:
        f->text(s) = std::u16string(value);
        return true;
    case FieldKind::FileList: {
        WordFileList& list = f->files(s);
        if (value.empty()) {
            list.selected = -1;
            return true;
        }
        for (std::size_t i = 0; i < list.paths.size(); ++i) {
            if (list.paths[i] == value) {
                list.selected = static_cast<int>(i);
                return true;
            }
        }
        list.paths.emplace_back(value);
        list.selected = static_cast<int>(list.paths.size()) - 1;
        return true;
    }
    }
    return fail(u"Unknown setting " + Quoted(name) + u".");
}

std::u16string AcceptedValues(const SettingsField& field) {
    switch (field.kind) {
    case FieldKind::Check:
        return u"0 or 1";
    case FieldKind::List: {
        std::u16string text = ListRange(field.list) + u" (";
        const std::vector<std::u16string> entries = ListEntries(field.list);
        for (std::size_t i = 0; i < entries.size(); ++i)
            text += (i > 0 ? u"; " : u"") + Digits(static_cast<int>(i)) + u" = " + entries[i];
        return text + u")";
    }
    case FieldKind::Enumeration:
        return OneOf(field.options);
    case FieldKind::Text:
        return u"any text";
    case FieldKind::FileList:
        return u"a file path, added to its list and selected";
    }
    return u"";
}

std::optional<std::u16string> GetFieldByName(const Settings& s, std::u16string_view name) {
    const SettingsField* f = FindSettingsField(name);
    if (!f)
        return std::nullopt;
    switch (f->kind) {
    case FieldKind::Check:
    case FieldKind::List:
        return Digits(f->getInt(s));
    case FieldKind::Enumeration: {
        const int v = f->getInt(s);
        if (v >= 0 && v < static_cast<int>(f->options.size()))
            return std::u16string(f->options[static_cast<std::size_t>(v)]);
        return Digits(v);
    }
    case FieldKind::Text:
        return f->text(Unconst(s));
    case FieldKind::FileList: {
        const WordFileList& list = f->files(Unconst(s));
        if (list.selected >= 0 && list.selected < static_cast<int>(list.paths.size()))
            return list.paths[static_cast<std::size_t>(list.selected)];
        return std::u16string();
    }
    }
    return std::nullopt;
}

} // namespace lxty
