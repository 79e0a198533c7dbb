#pragma once
// The operations behind the all-phrases window (frmCountAllPhrases) and the main window's side
// of an all-phrases count. The window shows the texts and calls these; the count itself is the
// count run in phrase mode with the phrase step of PhraseCounter.
//
// Settings read (list fields hold 0-based indices): PhraseLength[0] and [1] (minimum and
// maximum number of words, index + 1), MinimumFrequency (minimum number of occurrences,
// index + 1), WordsToIgnoreInPhrases, FilterWords, FilterMode, and for the large-source
// question WordOrder, Source and File[0].

#include "base/Host.h"
#include "phrases/PhraseCounter.h"
#include "phrases/PhraseFilter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lxty {

struct RunState;
struct Settings;

// Labels of the window, used as texts elsewhere too.
inline constexpr std::u16string_view kMinimumNumberOfWordsLabel =
    u"Minimum number of words in phrase:";
inline constexpr std::u16string_view kMaximumNumberOfWordsLabel =
    u"Maximum number of words in phrase:";
inline constexpr std::u16string_view kMinimumOccurrencesLabel = u"Minimum number of occurrences:";

// The choices of the window's lists: phrase lengths 1 to 25, occurrences 1 to 30.
inline constexpr int kMaxPhraseLength = 25;
inline constexpr int kMaxMinimumOccurrences = 30;

// The introduction shown each time the window is activated: the first line, followed by
// "  It ignores the specification of count-only words/phrases in the 'Settings' window." when
// count-only words are in force.
std::u16string AllPhrasesIntroduction(bool countOnlyWordsInForce);
// The second line: whether the words-to-ignore specifications of the Settings window apply.
std::u16string AllPhrasesWordsToIgnoreLine(bool wordsToIgnoreInForce);

// The chosen values (list index + 1; an unselected or out-of-range list counts as its nearest
// entry).
int ChosenMinNumWords(const Settings& settings);
int ChosenMaxNumWords(const Settings& settings);
int ChosenMinimumOccurrences(const Settings& settings);

// Whether the large-source question is asked: minimum occurrences 1, WordOrder by frequency,
// and a folder source or a single file whose length divided by 1,024 and rounded to the
// nearest whole number (halves to even) exceeds 50. A file that cannot be measured is not
// large.
bool AskLargeSourceQuestion(const Settings& settings);

// What the "Count phrases" button decided.
enum class CountPhrasesAnswer {
    StayInWindow, // refused (message shown) or cancelled at the large-source question
    StartCount    // close the window; the main window runs the count (PreparePhraseRun)
};

// The "Count phrases" button:
//  1. trims the filter words;
//  2. sets the range in options; a maximum below the minimum: "The maximum number of words in
//     each phrase" CR LF "must not be less than the minimum number." ("Invalid input",
//     exclamation);
//  3. a maximum of 1: the message that one-word phrases are counted as words (information);
//  4. run.intMFPThresholdFrequency = the minimum number of occurrences;
//  5. the large-source question (catalogue texts 375, CR LF CR LF, 376; Yes/No, default Yes,
//     titled "Minimum number of occurrences:"): Yes stays in the window;
//  6. with words to ignore in force (run.blnThereAreWordsToIgnore) the words-to-ignore flags
//     of options and run.blnStripPhrases follow settings.WordsToIgnoreInPhrases; otherwise all
//     four are cleared;
//  7. trims characters of code 32 or below from the filter words and, when any remain, parses
//     them into filter (the box is rewritten in normal form).
CountPhrasesAnswer CountPhrasesButton(Settings& settings, RunState& run, PhraseOptions& options,
                                      PhraseFilter& filter, Host& host);

// The typed count-only patterns of a phrase run: for k from minWords to maxWords, "~" followed
// by k - 1 times "+~" (any k words).
std::vector<std::u16string> AnyWordsPatterns(int minWords, int maxWords);

// The main window's side after the window closed with a count request. A maximum of 1 gives
// the message "To count all and only 'phrases' with one word" CR LF "please click on the
// 'Count words/phrases' button" CR LF "then the 'Count all words' button." (information) and
// false. Otherwise: sets blnCountingMFP; blnFilteringPhrases = the trimmed filter words are not
// empty; blnThereAreCountOnlyWords and blnCountOnlyWordsIncludePhrase, so that GetWords2 hands
// every word to the phrase step and phrases longer than 100 characters are kept; sizes the
// phrase window of counter to the maximum; fills patterns (when given) with AnyWordsPatterns.
// Returns true: run the count in phrase mode (CountRun::Start(CountMode::AllPhrases)).
bool PreparePhraseRun(Settings& settings, RunState& run, const PhraseOptions& options,
                      PhraseCounter& counter, Host& host,
                      std::vector<std::u16string>* patterns = nullptr);

} // namespace lxty
