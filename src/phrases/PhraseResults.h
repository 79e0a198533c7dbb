#pragma once
// What an all-phrases run does with its word table after the text has been read:
//   1. ExcludeInfrequentPhrases   phrases met fewer than intMFPThresholdFrequency times go;
//   2. ExcludeRedundantSubphrases a phrase that only ever occurred inside one longer phrase goes;
//   3. (the count run's summary pass and frequency chain)
//   4. PhrasePostListing          the summary sentence; the report is listed when it is not
//                                 empty of phrases, otherwise the sentence is the text window's
//                                 text.

#include "phrases/PhraseCounter.h"

#include <cstdint>
#include <string>

namespace lxty {

class Host;
class WordTable;
struct ReportContext;
struct RunState;

// Marks every entry included, then clears the mark of each whose count is below threshold.
void ExcludeInfrequentPhrases(WordTable& table, std::int64_t threshold);

// The redundant-subphrase exclusion. An included entry is excluded when another included entry
// with the same count is longer and contains its text at word boundaries: the shorter text
// occurs in the longer one starting at its beginning or after a blank and ending at its end or
// before a blank ("big red" in "big red car", not in "big redwood").
//
// The result is the one of comparing every included entry, in table order, with every other
// included entry and clearing the mark at the first such container found: a container that is
// itself excluded has a container of its own, which also contains the shorter text, so the
// order of the comparisons does not matter. Here the included entries are grouped by count;
// each group has a hash table of its texts, and every word-aligned part of each entry of the
// group is looked up in it (a polynomial hash over word hashes gives each part in constant
// time; a hit is confirmed by comparing the texts).
//
// Yields to the message loop after each entry; returns false, at once, when run.blnStop is set
// after a yield (the marks are then partly set; the run ends without a report).
bool ExcludeRedundantSubphrases(WordTable& table, RunState& run, Host& host);

// The summary sentence (strHowManyPhrases) for n included phrases, from the range and the
// words-to-ignore treatment in options and, from run: intMFPThresholdFrequency,
// blnThereAreWordsToIgnore, blnStripPhrases and intNumWordsInLongestPhrase. Examples:
//   "There are 3 phrases of 2 words which occur at least twice." CR LF CR LF
//   "There is one phrase with 2 to 4 words which occurs at least 5 times." CR LF CR LF
// Ends with CR LF CR LF, followed for n = 0 by a suggestion when phrases with a word to
// ignore, or made only of words to ignore, were excluded.
std::u16string HowManyPhrasesSentence(std::int64_t n, const PhraseOptions& options,
                                      const RunState& run);

// After the summary pass and the frequency chain: builds the sentence for
// run.lngNumWordsIncluded phrases. With at least one phrase it becomes run.strHowManyPhrases,
// blnFilterWordFound is cleared for the coming listing, and the result is true (list the
// report). With none, strHowManyPhrases is emptied, the sentence becomes the text window's
// whole text, the word-count label "lblNumberOfWords" is blanked, and the result is false.
bool PhrasePostListing(ReportContext& ctx, const PhraseOptions& options);

} // namespace lxty
