#pragma once
// A count run in miniature for the phrase tests: word extraction hands every word to
// GetWords2, which hands it to the phrase step, which counts into a real word table through
// AddWordToList. Words to ignore are dropped at extraction with "Remove words to ignore", as
// the count run does.

#include "FakeHost.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "phrases/PhraseCounter.h"
#include "settings/Settings.h"
#include "sources/Markup.h"
#include "util/StringUtils.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lxty::test {

using Counts = std::map<std::u16string, std::int64_t>;

inline std::string Narrow(const std::u16string& s) {
    return U16ToUtf8(s);
}

struct PhraseRig : WordSink {
    Settings settings;
    RunState run;
    Markup markup;
    FakeHost host;
    WordTable table;
    HostTextWindow textWindow{host};
    WordsToIgnore wordsToIgnore;
    PhraseOptions options;
    WordCounting counting{table, run, settings, host, textWindow, wordsToIgnore};
    PhraseCounter counter{settings, run, options, wordsToIgnore};
    WordExtractor extractor{settings, run, markup, host, *this};

    PhraseRig() {
        settings.DropFinalS = 0;
        settings.SuppressWords = 1;
        settings.Source = SourceKind::OnClipboard;
    }

    void GetWords2(const std::u16string& word) override { counting.GetWords2(word); }
    std::u16string StripPhrase(const std::u16string& word) override {
        return wordsToIgnore.IsIgnored(word, settings) ? std::u16string() : word;
    }

    void IgnoreWords(const std::vector<std::u16string>& words) {
        for (const auto& w : words)
            wordsToIgnore.AddTyped(w);
        run.blnThereAreWordsToIgnore = !words.empty();
    }

    // The state the main window's side of the count leaves, then the phrase window sized.
    void Prepare(int minWords, int maxWords) {
        options.intMinNumWordsInPhrase = minWords;
        options.intMaxNumWordsInPhrase = maxWords;
        run.blnCountingMFP = true;
        run.blnThereAreCountOnlyWords = true;
        run.blnCountOnlyWordsIncludePhrase = true;
        counting.SetSpecifiedWordsBranch(
            [this](const std::u16string& w) { counter.PhraseStep(w); });
        counter.SetAddWordToList([this](const std::u16string& w) { counting.AddWordToList(w); });
        table.Reset();
        counting.StartRun();
        counter.SizePhraseWindow();
        extractor.SetAllowedExtraChars1();
        extractor.SetAllowedExtraChars2();
    }

    // Extracts each line (lower-cased and ended with one space, as the count run hands it on).
    void Count(const std::vector<std::u16string>& lines) {
        for (const auto& line : lines) {
            if (settings.TerminatePhraseAtEndOfLine == 1)
                counter.ResetPhrases();
            run.strLine = LowerCaseAll(line) + u" ";
            run.lngLP = 1;
            extractor.ExtractWords();
        }
    }

    Counts TableCounts() const {
        Counts out;
        for (const auto& e : table.Entries())
            out[e.word] = e.count;
        return out;
    }
};

} // namespace lxty::test
