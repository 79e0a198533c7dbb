#include "run/CountSession.h"

#include "phrases/CountAllPhrases.h"
#include "phrases/PhraseResults.h"
#include "reports/CountArray.h"
#include "settings/Languages.h"

namespace lxty {

CountSession::CountSession(Host& h, std::filesystem::path programFolder)
    : host(h), textWindow(h), ctx{{h, settings, state, textWindow, report}, table, {}, {}},
      specified(settings, state, h, table, textWindow, wordsToIgnore),
      listEngine(specified, wordsToIgnore, textWindow),
      wordLists(settings, state, h, listEngine, std::move(programFolder)),
      run(ctx, wordsToIgnore, *this), phraseCounter(settings, state, phraseOptions, wordsToIgnore) {
    // Specified words count through the run's own counting procedures.
    specified.SetAddWordToList(
        [this](const std::u16string& w) { run.Counting().AddWordToList(w); });
    phraseCounter.SetAddWordToList(
        [this](const std::u16string& w) { run.Counting().AddWordToList(w); });
    phraseCounter.SetCounting(&run.Counting());
    // A word list read ends with its report in the text window; the label that counted the
    // words as they were read would otherwise stand beside it with a smaller figure.
    listEngine.onClearResultFigure = [this] { host.SetLabel("lblNumberOfWords", u""); };
    // The same joining places serve specified words and all phrases; the run's phrase flag
    // says which counter is in play.
    CountRunHooks& hooks = run.Hooks();
    hooks.specifiedWords = [this](const std::u16string& w) {
        if (state.blnCountingMFP)
            phraseCounter.PhraseStep(w);
        else
            specified.GetWords2Branch(w);
    };
    hooks.specifiedWordCounted = [this](std::u16string_view w) {
        return state.blnCountingMFP ? -1 : specified.CountsWord(w);
    };
    hooks.sizePhraseWindow = [this] {
        if (state.blnCountingMFP)
            phraseCounter.SizePhraseWindow();
        else
            specified.SizePhraseWindow();
    };
    hooks.resetPhrases = [this] {
        if (state.blnCountingMFP)
            phraseCounter.ResetPhrases();
        else
            specified.ResetPhrases();
    };
    hooks.stripPhrase = [this](const std::u16string& w) { return specified.StripPhrase(w); };
    hooks.finishPhrases = [this] { phraseCounter.MoveToTable(table); };
    hooks.excludeRedundantSubphrases = [this] {
        if (!phraseCounter.SubphrasesExcluded())
            ExcludeRedundantSubphrases(table, state, host);
    };
    hooks.phrasePostListing = [this] { return PhrasePostListing(ctx, phraseOptions); };
    InstallPhraseFilter(ctx, phraseFilter);
}

RunOutcome CountSession::CountPhrases(const std::function<void()>& accepted) {
    // The treatment of words to ignore is chosen from the lists in force: read them first.
    if (!LoadWordListsFor(CountMode::AllPhrases))
        return RunOutcome::Refused;
    ParseFilterWords(settings, phraseFilter);
    if (CountPhrasesButton(settings, state, phraseOptions, phraseFilter, host) !=
        CountPhrasesAnswer::StartCount)
        return RunOutcome::Refused;
    if (accepted)
        accepted();
    if (!PreparePhraseRun(settings, state, phraseOptions, phraseCounter, host))
        return RunOutcome::Refused;
    m_mode = CountMode::AllPhrases;
    return run.Start(CountMode::AllPhrases, false);
}

bool CountSession::FilterPhrases() {
    ParseFilterWords(settings, phraseFilter);
    return FilterButton(ctx, phraseFilter);
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

void CountSession::SetLabelFont(const std::string& label, const std::u16string& font, int points) {
    if (onSetLabelFont)
        onSetLabelFont(label, font, points);
}

bool CountSession::LoadWordLists() {
    // What a phrase run's preparation put in force, before the lists below reset it.
    const bool countOnly = state.blnThereAreCountOnlyWords;
    const bool includePhrase = state.blnCountOnlyWordsIncludePhrase;
    // The typed boxes: normalised and parsed, then checked once against the characters
    // allowed in words (each box's own check would repeat the same message for both boxes).
    for (int i = 0; i < 2; ++i)
        wordLists.ExtraWordsLostFocus(i, /*restoring=*/true);
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
    // A phrase run counts "any words" phrases that its preparation put in force; the
    // person's count-only entries stay loaded but out of play, as they do when counting
    // all words.
    specified.UpdateListFlags();
    if (m_mode == CountMode::AllWords) {
        state.blnThereAreCountOnlyWords = false;
    } else if (m_mode == CountMode::AllPhrases) {
        state.blnThereAreCountOnlyWords = countOnly;
        state.blnCountOnlyWordsIncludePhrase = includePhrase;
    }
    return true;
}

} // namespace lxty
