#include "phrases/CountAllPhrases.h"

#include "base/RunState.h"
#include "settings/Settings.h"
#include "util/Catalogue.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace lxty {

namespace {

// text without the characters that drop(c) accepts at its ends.
template <typename Drop> std::u16string Trimmed(std::u16string_view text, Drop drop) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && drop(text[b]))
        ++b;
    while (e > b && drop(text[e - 1]))
        --e;
    return std::u16string(text.substr(b, e - b));
}

std::u16string TrimBlanks(std::u16string_view text) {
    return Trimmed(text, [](char16_t c) { return c == u' '; });
}
std::u16string TrimControls(std::u16string_view text) {
    return Trimmed(text, [](char16_t c) { return c <= 32; });
}

int ListValue(int index, int entries) {
    return std::clamp(index, 0, entries - 1) + 1;
}

// Length of the file in bytes; -1 when it cannot be measured.
std::int64_t FileLength(const std::u16string& path) {
    if (path.empty())
        return -1;
    std::error_code ec;
    const std::filesystem::path p(U16ToUtf8(path));
    const auto size = std::filesystem::file_size(p, ec);
    if (ec)
        return -1;
    return static_cast<std::int64_t>(size);
}

} // namespace

std::u16string AllPhrasesIntroduction(bool countOnlyWordsInForce) {
    std::u16string s = u"This operation counts all phrases containing a number of words within a "
                       u"specified range which occur at least a specified number of times.";
    if (countOnlyWordsInForce)
        s += u"  It ignores the specification of count-only words/phrases in the 'Settings' "
             u"window.";
    return s;
}

std::u16string AllPhrasesWordsToIgnoreLine(bool wordsToIgnoreInForce) {
    return wordsToIgnoreInForce
               ? u"This operation uses the words-to-ignore specifications in the 'Settings' "
                 u"window."
               : u"No words-to-ignore are specified in the 'Settings' window.";
}

int ChosenMinNumWords(const Settings& s) {
    return ListValue(s.PhraseLength[0], kMaxPhraseLength);
}
int ChosenMaxNumWords(const Settings& s) {
    return ListValue(s.PhraseLength[1], kMaxPhraseLength);
}
int ChosenMinimumOccurrences(const Settings& s) {
    return ListValue(s.MinimumFrequency, kMaxMinimumOccurrences);
}

bool AskLargeSourceQuestion(const Settings& s) {
    if (ChosenMinimumOccurrences(s) != 1 || s.WordOrder != 0)
        return false;
    if (s.Source == SourceKind::Folder)
        return true;
    if (s.Source != SourceKind::InFile)
        return false;
    const std::int64_t length = FileLength(TrimBlanks(s.File[0]));
    if (length < 0)
        return false;
    // Kilobytes to the nearest whole number, halves to the even neighbour.
    std::int64_t kb = length / 1024;
    const std::int64_t rest = length % 1024;
    if (rest > 512 || (rest == 512 && kb % 2 == 1))
        ++kb;
    return kb > 50;
}

CountPhrasesAnswer CountPhrasesButton(Settings& settings, RunState& run, PhraseOptions& options,
                                      PhraseFilter& filter, Host& host) {
    settings.FilterWords = TrimBlanks(settings.FilterWords);

    options.intMinNumWordsInPhrase = ChosenMinNumWords(settings);
    options.intMaxNumWordsInPhrase = ChosenMaxNumWords(settings);
    if (options.intMaxNumWordsInPhrase < options.intMinNumWordsInPhrase) {
        host.MessageBox(u"The maximum number of words in each phrase" + std::u16string(kLineEnd) +
                            u"must not be less than the minimum number.",
                        u"Invalid input", MsgIcon::Exclamation);
        return CountPhrasesAnswer::StayInWindow;
    }
    if (options.intMaxNumWordsInPhrase == 1) {
        host.MessageBox(
            u"To count all and only 'phrases' with one word please" + std::u16string(kLineEnd) +
                u"cancel then click on the 'Count words/phrases' button" +
                std::u16string(kLineEnd) + u"then click on the 'Count all words' button.",
            u"", MsgIcon::Information);
        return CountPhrasesAnswer::StayInWindow;
    }

    run.intMFPThresholdFrequency = ChosenMinimumOccurrences(settings);

    if (AskLargeSourceQuestion(settings)) {
        const MsgAnswer a =
            host.Ask(GetText(TextId::AllPhrasesTakeLong) + std::u16string(kLineEnd) +
                         std::u16string(kLineEnd) + GetText(TextId::CancelForHigherMinimum),
                     std::u16string(kMinimumOccurrencesLabel), MsgIcon::Question, MsgButtons::YesNo,
                     MsgAnswer::Yes);
        if (a == MsgAnswer::Yes)
            return CountPhrasesAnswer::StayInWindow;
    }

    options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = false;
    options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = false;
    options.blnExcludePhrasesContainingAWordToIgnore = false;
    run.blnStripPhrases = false;
    if (run.blnThereAreWordsToIgnore) {
        switch (settings.WordsToIgnoreInPhrases) {
        case WordsToIgnoreInPhrasesKind::AllowPhrasesAllWordsToIgnore:
            options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore = true;
            break;
        case WordsToIgnoreInPhrasesKind::ExcludePhrasesAllWordsToIgnore:
            options.blnExcludePhrasesConsistingOnlyOfWordsToIgnore = true;
            break;
        case WordsToIgnoreInPhrasesKind::ExcludePhrasesWithWordToIgnore:
            options.blnExcludePhrasesContainingAWordToIgnore = true;
            break;
        case WordsToIgnoreInPhrasesKind::RemoveWordsToIgnore:
            run.blnStripPhrases = true;
            break;
        }
    }

    settings.FilterWords = TrimControls(settings.FilterWords);
    if (!settings.FilterWords.empty())
        ParseFilterWords(settings, filter);
    return CountPhrasesAnswer::StartCount;
}

std::vector<std::u16string> AnyWordsPatterns(int minWords, int maxWords) {
    std::vector<std::u16string> out;
    for (int k = minWords; k <= maxWords; ++k) {
        std::u16string p = u"~";
        for (int i = 1; i < k; ++i)
            p += u"+~";
        out.push_back(std::move(p));
    }
    return out;
}

bool PreparePhraseRun(Settings& settings, RunState& run, const PhraseOptions& options,
                      PhraseCounter& counter, Host& host, std::vector<std::u16string>* patterns) {
    if (options.intMaxNumWordsInPhrase == 1) {
        host.MessageBox(u"To count all and only 'phrases' with one word" +
                            std::u16string(kLineEnd) +
                            u"please click on the 'Count words/phrases' button" +
                            std::u16string(kLineEnd) + u"then the 'Count all words' button.",
                        u"", MsgIcon::Information);
        return false;
    }
    run.blnCountingMFP = true;
    run.blnFilteringPhrases = !TrimControls(settings.FilterWords).empty();
    run.blnThereAreCountOnlyWords = true;
    run.blnCountOnlyWordsIncludePhrase = true;
    if (patterns != nullptr)
        *patterns =
            AnyWordsPatterns(options.intMinNumWordsInPhrase, options.intMaxNumWordsInPhrase);
    counter.SizePhraseWindow();
    return true;
}

} // namespace lxty
