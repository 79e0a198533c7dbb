#pragma once
// Word extraction: splits one text (a line of a file or of the clipboard, or the text of a
// word list) into words according to the settings, skipping marked-up regions, and hands
// each word on through a WordSink. Also the character-class rules the rest of the program
// reuses: the word-character test, the allowed extra characters, plural reduction and the
// comment-marker check.
//
// Positions are 1-based. The word-character test looks only at the low byte of a code unit
// (c = code & 255) and, for the extra characters, maps c through Windows-1252: U+0141 is read
// as "A" and is a letter; U+2019 is read as byte 0x19 and is never a word character.

#include "base/RunState.h"
#include "settings/Settings.h"
#include "sources/Markup.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lxty {

class Host;

// Receives the words that extraction yields. The defaults do nothing (StripPhrase keeps the
// word), so a sink overrides only what it needs.
class WordSink {
public:
    virtual ~WordSink() = default;
    // Word-list mode: a word or pattern of the list being read.
    virtual void AddWordToList(const std::u16string& word) { (void)word; }
    // Count run: one word of the text.
    virtual void GetWords2(const std::u16string& word) { (void)word; }
    // Count run with "Remove words to ignore from phrases": an empty result drops the word.
    virtual std::u16string StripPhrase(const std::u16string& word) { return word; }
    // Word-list mode, count-only list: a token that is not an angle-bracket pattern.
    virtual void CheckForNonAlphaNumeric(const std::u16string& word) { (void)word; }
};

// Which character directly followed a measured word.
struct StopFlags {
    bool semicolon = false;
    bool period = false;
    bool doubleQuote = false;
    bool tab = false;
    bool comma = false;
    bool apostrophe = false; // reported by NumAlpha only
};

// The longest word: the scan of a word stops after this many characters.
inline constexpr std::int64_t lngMaxWordLength = 65000;

// The longest bracketed text that word measuring tries as a pattern (brackets included). A
// longer one is rejected unseen, as one the engine refused: every "<" of a line could
// otherwise have the rest of the line compiled as an expression.
inline constexpr std::size_t kMaxPatternTagLength = 1000;

// Where the next ">" and the next space of a line lie, kept between the words of the line, so
// that a line full of "<" is searched once and not once for every word. Cleared for each line.
struct AngleBracketSearch {
    struct Next {
        std::size_t from = 0; // the search ran from here
        std::size_t at = 0;   // and found the character here (npos: none at or after from)
        bool known = false;
        std::size_t Find(std::u16string_view line, char16_t c, std::size_t pos) {
            if (!known || pos < from || (at != std::u16string_view::npos && pos > at)) {
                at = line.find(c, pos);
                from = pos;
                known = true;
            }
            return at;
        }
    };
    Next close;
    Next space;
    void Clear() { close.known = space.known = false; }
};

// True when ch is a word character: an ASCII letter (or digit with blnAllowNumeric), a
// Latin-1 letter (0xC0-0xFF without 0xD7 and 0xF7), or a character whose Windows-1252 form
// of the low byte occurs in strAllowedExtraChars.
bool IsWordChar(char16_t ch, bool blnAllowNumeric, std::u16string_view strAllowedExtraChars);

// Length of the run of word characters from lngPos (stops at the end of the text or at
// 65,000); no angle-bracket rule. flags receives which character followed the run.
std::int64_t NumAlpha(std::u16string_view text, std::int64_t lngPos, bool blnAllowNumeric,
                      std::u16string_view strAllowedExtraChars, StopFlags* flags = nullptr);

// Length of the word that begins at lngPos. Besides word characters a word takes in a
// bracketed pattern such as <[a-z]+ing> when the whole tag is a valid regular expression
// (and the "<" of a rejected one); "</", a plain alphanumeric tag such as <b>, or a tag
// holding a space ends the word; "<>" is taken and ends it. flags receives which character
// ended the scan (";", ".", double quote, tab, ","), before any stripping.
std::int64_t NumAlpha2(std::u16string_view strStr, std::int64_t lngPos, bool blnAllowNumeric,
                       std::u16string_view strAllowedExtraChars, StopFlags* flags = nullptr);

// Deletes backspaces, turns CR LF into CR, then LF, FF, CR and no-break space into a space;
// tabs become spaces too unless keepTabs.
std::u16string PrepareText(std::u16string_view text, bool keepTabs);
void PrepareTextInPlace(std::u16string& text, bool keepTabs);

// The DropFinalS reduction of English plurals (flies -> fly, wishes -> wish, mice -> mouse).
// Endings are compared ignoring case, except the exact capital forms that choose a capital
// replacement when caseSignificant is set.
std::u16string MakeSingular(std::u16string_view word, bool caseSignificant);

// True when the lower-cased word followed by a space occurs anywhere in
// "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn " (so "en" and "n" match).
bool IsContractionStem(std::u16string_view word);

// word without the characters of set at its end.
std::u16string StripTrailingChars(std::u16string_view word, std::u16string_view set);

// The message CommentMarkersOK shows for a marker that could be part of a word.
std::u16string CommentMarkerMessage(std::u16string_view marker);

class WordExtractor {
public:
    WordExtractor(const Settings& settings, RunState& state, Markup& markup, Host& host,
                  WordSink& sink);

    // Rebuild strAllowedExtraChars from the settings; always called in this order.
    void SetAllowedExtraChars1();
    void SetAllowedExtraChars2();
    // The list form: strAllPossibleExtraChars + "+" for a count-only list, + "~?" for a
    // words-to-ignore list. Also records which kind of list is being read.
    void SetAllowedExtraCharsForList(bool countOnlyList);
    // Sets the text directly (tests, and callers that build it themselves).
    void SetAllowedExtraChars(std::u16string_view chars);
    const std::u16string& AllowedExtraChars() const { return m_allowed; }

    // Whether the list being read (word-list mode) is a count-only list.
    void SetReadingCountOnlyList(bool countOnly) { m_countOnlyList = countOnly; }
    bool ReadingCountOnlyList() const { return m_countOnlyList; }

    // Extracts every word of state.strLine (which the caller ends with one space) and hands
    // the words to the sink: AddWordToList in word-list mode (state.blnReadingWords), else
    // GetWords2. Ends early when state.blnStop is set after a word. The sink and the host
    // must not change state.strLine while it runs.
    void ExtractWords();

    // Takes the word at state.lngLP, advances lngLP past it and post-processes it (entity
    // cut, trailing characters, plural reduction, contractions). "" when nothing is kept;
    // lngLP does not move when no word could be measured.
    std::u16string GetNextWord();

    // False, after an exclamation message titled "Error", when "/*" or "//" would be read as
    // a word under the current settings. Rebuilds strAllowedExtraChars from the settings.
    bool CommentMarkersOK();

    // The markup type of the next source; keep state.intNumCommentMarkers and
    // state.blnCharacterEntitiesPossible in step with the marker table.
    void SetMarkupType(std::u16string_view type);
    void SetMarkupTypeFromExtension(std::u16string_view extension);

private:
    void RebuildTables();
    bool TakeWord(std::int64_t& measured); // into m_word
    bool IsProhibitedFinal(char16_t c) const;
    bool YieldIfStarted();

    const Settings& m_settings;
    RunState& m_state;
    Markup& m_markup;
    Host& m_host;
    WordSink& m_sink;

    std::u16string m_allowed;            // strAllowedExtraChars
    bool m_countOnlyList = false;        // the list being read is a count-only list
    std::array<bool, 256> m_wordChar{};  // IsWordChar by low byte, for m_allowed
    std::array<bool, 256> m_startChar{}; // the same without the prohibited initial characters
    // The markup in force treats every "<" ... ">" as a tag (HTML, XML, PHP).
    bool m_tagsAreMarkup = false;
    void NoteTagPair();
    std::array<bool, 256> m_prohibited{}; // strProhibitedInitialOrFinalChars below 256
    std::u16string m_word;                // the word being taken; keeps its capacity
    AngleBracketSearch m_angles;          // the next ">" and space of the line being scanned
};

} // namespace lxty
