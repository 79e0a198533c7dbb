#include "engine/CountSession.h"

#include "reports/CountArray.h"
#include "settings/Languages.h"

namespace lxty {

CountSession::CountSession(Host& h, std::filesystem::path programFolder)
    : host(h), textWindow(h), ctx{{h, settings, state, textWindow, report}, table, {}, {}},
      specified(settings, state, h, table, textWindow, wordsToIgnore),
      listEngine(specified, wordsToIgnore, textWindow),
      wordLists(settings, state, h, listEngine, std::move(programFolder)),
      run(ctx, wordsToIgnore, *this) {
    // Specified words count through the run's own counting procedures.
    specified.SetAddWordToList([this](const std::u16string& w) { run.Counting().AddWordToList(w); });
    CountRunHooks& hooks = run.Hooks();
    hooks.specifiedWords = [this](const std::u16string& w) { specified.GetWords2Branch(w); };
    hooks.sizePhraseWindow = [this] { specified.SizePhraseWindow(); };
    hooks.resetPhrases = [this] { specified.ResetPhrases(); };
    hooks.stripPhrase = [this](const std::u16string& w) { return specified.StripPhrase(w); };
}

RunOutcome CountSession::Count(CountMode mode) {
    m_mode = mode;
    return run.Start(mode, false);
}

RunOutcome CountSession::CountArray(const std::function<bool()>& optionsAccepted) {
    if (!CheckCountArrayOutputFile(ctx))
        return RunOutcome::Refused;
    if (optionsAccepted && !optionsAccepted())
        return RunOutcome::Refused;
    if (!CreateCountArrayOutputFile(ctx))
        return RunOutcome::Error;
    bool failed = false;
    run.Hooks().writeCountArray = [this, &failed] {
        failed = WriteCountArray(ctx) == CountArrayResult::Failed;
        return !failed;
    };
    m_mode = state.blnThereAreCountOnlyWords ? CountMode::SpecifiedWords : CountMode::AllWords;
    const RunOutcome outcome = run.Start(m_mode, true);
    run.Hooks().writeCountArray = nullptr;
    return failed ? RunOutcome::Error : outcome;
}

void CountSession::EnableDisableButtons(bool enable) {
    if (onEnableDisableButtons)
        onEnableDisableButtons(enable);
}

void CountSession::OpenSettingsWindow() {
    if (onOpenSettingsWindow)
        onOpenSettingsWindow();
}

void CountSession::SetLabelFont(const std::string& label, const std::u16string& font,
                                int points) {
    if (onSetLabelFont)
        onSetLabelFont(label, font, points);
}

bool CountSession::LoadWordLists() {
    // The typed boxes: normalised, checked against the characters allowed in words, parsed.
    for (int i = 0; i < 2; ++i)
        wordLists.ExtraWordsLostFocus(i);
    if (!wordLists.CheckAllowedExtraChars())
        return false;
    // The selected files, read once; a failed read has said why.
    for (int i = 0; i < 2; ++i) {
        const std::u16string selected = SelectedWordsFile(settings.WordsFile[i]);
        if (selected.empty() || wordLists.LoadedPath(i) == selected)
            continue;
        if (!wordLists.AttemptToReadWords(i))
            return false;
    }
    specified.UpdateListFlags();
    // Counting all words was chosen: the count-only entries stay loaded but out of play.
    if (m_mode == CountMode::AllWords)
        state.blnThereAreCountOnlyWords = false;
    return true;
}

} // namespace lxty
