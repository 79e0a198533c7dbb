#pragma once
// The run state that the main window owns and every part of a count shares: flags, the line
// being extracted, the counters and the column widths. A plain object, owned by the
// application (or a test) and passed by reference.

#include <cstdint>
#include <string>

namespace lxty {

struct RunState {
    bool blnStartUpCompleted = false;
    bool blnWordsGot = false; // the word lists have been read for the coming count
    bool blnStop = false;
    bool blnReadingWords = false; // a word list is being read
    bool blnCountingMFP = false;  // an all-phrases run
    bool blnThereAreCountOnlyWords = false;
    bool blnThereAreWordsToIgnore = false;
    bool blnCountOnlyWordsIncludePhrase = false;
    bool blnStripPhrases = false;
    bool blnFilteringPhrases = false;
    bool blnFilterWordFound = false;
    bool blnOutputFile = false;
    bool blnElapsedTimeRunning = false;
    bool blnCharacterEntitiesPossible = false;
    bool blnCommentsPossible = false;

    // What directly followed the last word extracted.
    bool blnStoppedAtPeriod = false;
    bool blnStoppedAtDoubleQuote = false;
    bool blnStoppedAtTab = false;
    bool blnStoppedAtComma = false;

    std::u16string strLine;       // the text being extracted
    std::int64_t lngLP = 1;       // scan position in strLine, 1-based
    int intWithinComment = -1;    // -1: outside any skipped region
    int intNumCommentMarkers = 0; // marker pairs in force

    std::int64_t lngNumWords = 0;
    std::int64_t lngNumWordsIncluded = 0;
    std::int64_t lngNumWordsExcluded = 0;
    std::int64_t lngNumOccurrences = 0;
    std::int64_t lngTotalNumOccurrences = 0;
    std::int64_t lngMaxFrequency = 0;
    std::int64_t lngMaxNumFiles = 0;
    std::int64_t lngFirstFreq = 0;
    std::int64_t lngSecondsElapsed = 0;
    std::int64_t lngWordStart = 0; // where the word last extracted began in strLine, 1-based
    std::int64_t lngNumWordsToIgnore = 0;
    std::int64_t lngNumCountOnlyWords = 0;
    int intNumExtraWordsToIgnore = 0;
    int intNumExtraCountOnlyWords = 0;
    int intMaxWordLengthFound = 0;
    int intNumWordsInLongestPhrase = 0;
    std::int64_t intThresholdFrequency = 0;
    std::int64_t intExcessFrequency = 0;
    std::int64_t intMFPThresholdFrequency = 0;

    // Column widths of the listing.
    int intRankWidth = 0;
    int intFreqWidth = 0;
    int intMinWidth = 0;

    std::u16string strOutput;
    std::u16string strHowManyPhrases;
};

// Every non-letter character that some setting can allow inside a word.
inline const std::u16string strAllPossibleExtraChars = u"'0123456789-_@:/.\\,()&";
// Characters that never begin a word and are stripped from its end.
inline const std::u16string strProhibitedInitialOrFinalChars = u"'.,()+-";
// The list-syntax markers of word lists and patterns; never admissible as extra characters.
inline const std::u16string strReservedMarkerChars = u"+;<>*?\"~^";

// The word of every text that names the counted things: "phrases", "words/phrases" or "words".
inline std::u16string WordsPhrases(const RunState& rs) {
    if (rs.blnCountingMFP)
        return u"phrases";
    if (rs.blnThereAreCountOnlyWords && rs.blnCountOnlyWordsIncludePhrase)
        return u"words/phrases";
    return u"words";
}

} // namespace lxty
