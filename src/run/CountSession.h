#pragma once
// Everything one counting program holds, wired together once: the settings record, the run
// state, the word table, the text window, the words to ignore and count-only lists with their
// files, the count run and the hooks through which specified words and the count array join
// it. The window program and lexitally-cli each own one CountSession and share every line of
// this wiring; they differ only in their Host and in the window business of the shell hooks.

#include "base/RunState.h"
#include "engine/SpecifiedWords.h"
#include "engine/WordListFiles.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "phrases/PhraseCounter.h"
#include "phrases/PhraseFilter.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "run/CountRun.h"
#include "settings/Settings.h"

#include <filesystem>
#include <functional>
#include <string>

namespace lxty {

class CountSession : public CountRunShell {
public:
    // programFolder: where the common-word files live (beside the program).
    CountSession(Host& host, std::filesystem::path programFolder);
    CountSession(const CountSession&) = delete;
    CountSession& operator=(const CountSession&) = delete;

    Host& host;
    Settings settings;
    RunState state;
    WordTable table;
    TextWindow textWindow;
    ReportState report;
    ReportContext ctx;
    WordsToIgnore wordsToIgnore;
    SpecifiedWords specified;
    SpecifiedWordsListEngine listEngine;
    WordListFiles wordLists;
    CountRun run;
    PhraseOptions phraseOptions;
    PhraseFilter phraseFilter;
    PhraseCounter phraseCounter;

    // A count of mode (the count-choice dialog has decided). The word lists are validated
    // and, when their files changed, read at the start of the run.
    RunOutcome Count(CountMode mode);
    // The all-phrases window's "Count phrases": its checks and questions (range, minimum
    // occurrences, large source), then the phrase run. accepted, when given, runs once the
    // checks have passed and before the run (the window closes there).
    RunOutcome CountPhrases(const std::function<void()>& accepted = {});
    // The phrase filter: the filter words of the record parsed, then the listing relisted
    // through it (the filter button).
    bool FilterPhrases();

    // The count-array button: the output-file checks, the file created, then a folder run
    // that writes the words-by-files array. The options window, when there is one, runs
    // between the checks and the run (optionsAccepted: false ends it).
    RunOutcome CountArray(const std::function<bool()>& optionsAccepted = {});
    // The mode of the count last started (all words until one has run).
    CountMode Mode() const { return m_mode; }
    // "List files to be scanned".
    RunOutcome ListFiles() { return run.ListFiles(); }

    // The window's side; each may be left empty.
    std::function<void(bool)> onEnableDisableButtons;
    std::function<void()> onOpenSettingsWindow;
    std::function<void(const std::string&, const std::u16string&, int)> onSetLabelFont;

    // The word lists as a count of mode would load them (the command line asks before it
    // offers a specified-words count); false when a list could not be read.
    bool LoadWordListsFor(CountMode mode) {
        m_mode = mode;
        return LoadWordLists();
    }

    // CountRunShell
    void EnableDisableButtons(bool enable) override;
    void OpenSettingsWindow() override;
    // Validates the extra-words boxes and reads the selected word-list files that are not
    // read yet; false ends the run (the message has been shown).
    bool LoadWordLists() override;
    void SetLabelFont(const std::string& label, const std::u16string& font, int points) override;

private:
    CountMode m_mode = CountMode::AllWords;
};

} // namespace lxty
