#include "run/CountChoice.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"

namespace lxty {

void EraseNumWords(Host& host) {
    host.SetLabel("lblNumberOfWords", u"");
    host.SetLabel("lblNumWordsExcluded", u"");
    host.SetLabel("lblNumOccurrences", u"");
    host.SetLabel("lblTotalNumOccurrences", u"");
}

CountChoice::CountChoice(Settings& settings, RunState& run, Host& host)
    : m_settings(settings), m_run(run), m_host(host) {}

std::u16string CountChoice::IntroText(bool countOnlyEntries, bool wordsToIgnore) {
    const std::u16string twoBreaks = u"\n\n";
    if (countOnlyEntries)
        return std::u16string(
                   u"The 'Settings' window states that only certain words or phrases are to be "
                   u"counted.  ") +
               u"To count these, click on the 'Count only specified words/phrases' button." +
               twoBreaks + u"If instead you wish to count all words " +
               (wordsToIgnore ? u"(ignoring certain words as specified in the 'Settings' window) "
                              : u"") +
               u"then click on the 'Count all words' button.";
    return std::u16string(
               u"The 'Settings' window currently states that all words are to be counted") +
           (wordsToIgnore ? u" except for some words to be ignored" : u"") +
           u".  To do this, click on the 'Count all words' button." + twoBreaks +
           u"If instead you wish to count only specified words and phrases then " +
           u"go to the 'Settings' window, specify them, then click again on the 'Count "
           u"words/phrases' button. ";
}

const CountChoiceView& CountChoice::Open() {
    blnCancel = false;
    blnCountAllWords = false;
    blnCountSpecifiedWordsPhrases = false;
    m_keptDisplayFormat = m_settings.DisplayFormat;
    m_view.cmdCountSpecifiedWordsPhrasesEnabled = m_run.blnThereAreCountOnlyWords;
    m_view.chkFileListVisible = m_settings.Source == SourceKind::Folder;
    m_view.chkFileListChecked = false;
    m_view.lblIntro = IntroText(m_run.blnThereAreCountOnlyWords, m_run.blnThereAreWordsToIgnore);
    return m_view;
}

void CountChoice::SetFileList(bool checked) {
    m_view.chkFileListChecked = checked;
    m_settings.DisplayFormat = checked ? kFileListDisplayFormat : m_keptDisplayFormat;
}

void CountChoice::CountAllWords() {
    EraseNumWords(m_host);
    blnCountAllWords = true;
}

void CountChoice::CountSpecifiedWordsPhrases() {
    // The button is disabled without count-only entries; a click that arrives anyway counts
    // nothing it could not count.
    if (!m_view.cmdCountSpecifiedWordsPhrasesEnabled)
        return;
    EraseNumWords(m_host);
    blnCountSpecifiedWordsPhrases = true;
}

void CountChoice::GoToSettings() {
    blnCancel = true;
}

void CountChoice::Cancel() {
    blnCancel = true;
}

} // namespace lxty
