#pragma once
// Phrase filtering: after an all-phrases count the listing can be restricted to the phrases
// that contain given filter words. The word table is not changed; the report asks Passes for
// each entry while run.blnCountingMFP and run.blnFilteringPhrases are set, and a phrase that
// fails produces no line.
//
// Filter words are parsed from the filter-words box (settings.FilterWords): trimmed, lower-cased
// with LowerCaseAll, and split into words made of a-z, the lower-case accented letters
// "šœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß", the digits, "'" and "-"; every other character
// separates words. The box is rewritten as the words joined by single blanks ("Red, Car!"
// becomes "red car").
//
// The tests, on the phrase with characters of code 32 or below trimmed from its ends and
// lower-cased with LowerCaseAll (an occurrence "at word boundaries" begins at the start of the
// phrase or after a blank, and ends at its end or before a blank):
//   IncludeAllWords             every filter word occurs at word boundaries;
//   IncludeAllWordsInSameOrder  as IncludeAllWords, and then, from the first occurrence of the
//                               first filter word, each next filter word occurs (as plain text)
//                               after the end of the previous one's occurrence;
//   IncludeAllWordsAsSubphrase  the filter words, as written in the box, occur at word
//                               boundaries.
// Without filter words every phrase passes.

#include "settings/Settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace lxty {

struct ReportContext;

class PhraseFilter {
public:
    // Parses text and returns the normal form (the words joined by single blanks; "" when no
    // word is found). The words replace the ones parsed before.
    std::u16string Parse(std::u16string_view text);

    // The parsed words (lower-case) and their normal form.
    const std::vector<std::u16string>& Words() const { return m_words; }
    const std::u16string& Text() const { return m_text; }

    // The phrase-filter test of one phrase (the entry's word-column text).
    bool Passes(std::u16string_view phrase, FilterModeKind mode) const;

private:
    std::vector<std::u16string> m_words;
    std::u16string m_text;
};

// The filter-words box loses the focus (or Enter is pressed in it): parses
// settings.FilterWords into filter and writes the normal form back into the box.
void ParseFilterWords(Settings& settings, PhraseFilter& filter);

// Gives the report its phrase-filter test: ctx.phraseFilter then asks filter.Passes with the
// filter mode in force (ctx.settings.FilterMode) at the time of each test. filter must outlive
// ctx's use of it.
void InstallPhraseFilter(ReportContext& ctx, const PhraseFilter& filter);

// The filter button: relists the last phrase count with the filter applied. Does nothing
// (returns false) before start-up has completed, before words have been counted
// (run.blnWordsGot) or when the filter-words box is empty after parsing. Otherwise parses the
// box, installs the filter, clears blnFilterWordFound, sets blnFilteringPhrases and
// blnCountingMFP, lists the report (ListWords) and clears blnFilteringPhrases again.
bool FilterButton(ReportContext& ctx, PhraseFilter& filter);

} // namespace lxty
