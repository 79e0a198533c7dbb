#include "engine/WordListFiles.h"

#include "engine/Patterns.h"
#include "engine/SpecifiedWords.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "settings/Languages.h"
#include "settings/SettingsLists.h"
#include "settings/WordLists.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <cstddef>
#include <system_error>
#include <utility>

namespace lxty {

namespace {

bool FileExists(const std::u16string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

void WordListEngine::SetCountWordsCaption(RunState& run) {
    run.blnThereAreCountOnlyWords =
        run.lngNumCountOnlyWords >= 1 || run.intNumExtraCountOnlyWords >= 1;
}

WordsReadResult SpecifiedWordsListEngine::ReadWords(int index, const std::u16string& path) {
    WordsReadResult r;
    r.ok = m_sw.ReadWordsFromFile(index, path);
    r.wildcards = !r.ok && m_sw.LastReadFailure() == ReadWordsFailure::Wildcards;
    r.angleBrackets = !r.ok && m_sw.LastReadFailure() == ReadWordsFailure::AngleBrackets;
    return r;
}

void SpecifiedWordsListEngine::ListCountOnlyWords() {
    m_sw.ListCountOnlyWords();
}

void SpecifiedWordsListEngine::GetExtraWords(Settings&, int index) {
    m_sw.GetExtraWords(index);
}

void SpecifiedWordsListEngine::SetCountWordsCaption(RunState& run) {
    WordListEngine::SetCountWordsCaption(run);
    if (onCountWordsCaption)
        onCountWordsCaption();
}

void SpecifiedWordsListEngine::ClearFileEntries(int index) {
    if (index == 0)
        m_wordsToIgnore.ClearFile();
    else
        m_sw.ClearCountOnlyFileList();
}

void SpecifiedWordsListEngine::ClearExtraEntries(int index) {
    if (index == 0)
        m_wordsToIgnore.ClearTyped();
    else
        m_sw.SetExtraCountOnlyList({});
}

void SpecifiedWordsListEngine::ClearResultFigure() {
    if (onClearResultFigure)
        onClearResultFigure();
}

void SpecifiedWordsListEngine::ShowWordsToIgnoreReport(const std::u16string& report) {
    m_textWindow.Clear();
    m_textWindow.Append(report);
}

WordListFiles::WordListFiles(Settings& s, RunState& run, Host& host, WordListEngine& engine,
                             std::filesystem::path programFolder)
    : m_s(s), m_run(run), m_host(host), m_engine(engine),
      m_programFolder(std::move(programFolder)) {}

const std::u16string& WordListFiles::LoadedPath(int index) const {
    return m_loaded[At(index == 1 ? 1 : 0)];
}

std::u16string& WordListFiles::Loaded(int index) {
    return m_loaded[At(index == 1 ? 1 : 0)];
}

void WordListFiles::SetThereAreWordsToIgnore() {
    m_run.blnThereAreWordsToIgnore =
        m_run.lngNumWordsToIgnore >= 1 || m_run.intNumExtraWordsToIgnore >= 1;
}

void WordListFiles::ForgetFileEntries(int index) {
    (index == 0 ? m_run.lngNumWordsToIgnore : m_run.lngNumCountOnlyWords) = 0;
    m_engine.ClearFileEntries(index);
    SetThereAreWordsToIgnore();
}

void WordListFiles::ForgetExtraEntries(int index) {
    (index == 0 ? m_run.intNumExtraWordsToIgnore : m_run.intNumExtraCountOnlyWords) = 0;
    m_engine.ClearExtraEntries(index);
    SetThereAreWordsToIgnore();
}

bool WordListFiles::AttemptToReadWords(int index) {
    WordFileList& list = m_s.WordsFile[At(index)];
    const std::u16string path = SelectedWordsFile(list);
    if (path.empty()) {
        Loaded(index).clear();
        return false;
    }

    if (!FileExists(path)) {
        Loaded(index).clear();
        ForgetFileEntries(index);
        if (m_run.blnStartUpCompleted) {
            m_host.MessageBox(std::u16string(u"File for ") +
                                  (index == 0 ? u"words-to-ignore" : u"count-only words") +
                                  u" not found.",
                              std::u16string(kFileNotFoundTitle), MsgIcon::Exclamation);
            m_focus = WordListFocus::CloseButton;
            // A missing file must not stay on show as the file in force.
            blnEnablingDisablingWordsFile = true;
            list.selected = -1;
            blnEnablingDisablingWordsFile = false;
        } else if (index == 0) {
            const std::u16string english =
                CommonWordsFilePath(m_programFolder, kEnglishLanguageIndex);
            blnEnablingDisablingWordsFile = true;
            if (path == english)
                list.selected = -1; // adding it again would only duplicate the missing entry
            else
                SetPathToCWDs_Eng(m_s, m_programFolder);
            blnEnablingDisablingWordsFile = false;
        } else {
            list.selected = -1;
        }
        return false;
    }

    const WordsReadResult read = m_engine.ReadWords(index, path);
    if (!read.ok) {
        if (!m_run.blnStop) {
            std::u16string msg;
            if (read.wildcards)
                msg = u"The file " + path + u"\n contains words with wildcards: * ?\n\n" +
                      u"Either these should be removed or regular expressions\n" +
                      u"should be used instead of simple patterns.";
            else if (read.angleBrackets)
                msg = u"The file " + path + u"\n contains angle brackets: < >\n\n" +
                      u"Patterns in angle brackets may be used only in count-only files.";
            else
                msg = std::u16string(u"Error when attempting to load ") +
                      (index == 0 ? u"words-to-ignore" : u"count-only words") + u"\nfrom file " +
                      path;
            m_host.MessageBox(msg,
                              std::u16string(index == 0 ? kIgnoreReadErrorTitle : kReadErrorTitle),
                              MsgIcon::Exclamation);
            // The extra box of the kind is emptied; its entries go with it.
            m_s.WordsToIgnoreOrCount[At(index)].clear();
            ForgetExtraEntries(index);
        }
        ForgetFileEntries(index);
        blnEnablingDisablingWordsFile = true;
        list.selected = -1;
        blnEnablingDisablingWordsFile = false;
        Loaded(index).clear();
        return false;
    }

    if (index == 1) {
        m_run.blnThereAreCountOnlyWords = true;
        const std::int64_t n = m_run.lngNumCountOnlyWords;
        const std::u16string text =
            (n == 1 ? std::u16string(u"One count-only word/phrase")
                    : FormatCount(n, locale) + u" count-only-words/phrases") +
            u" loaded from " + path + u"\n\n" +
            (n == 1 ? u"Do you wish to display it?" : u"Do you wish to list them?");
        if (m_host.Ask(text, std::u16string(kCountOnlyLoadedTitle), MsgIcon::Question,
                       MsgButtons::YesNo, MsgAnswer::Yes) == MsgAnswer::Yes)
            m_engine.ListCountOnlyWords();
    } else {
        m_engine.ClearResultFigure();
        const std::int64_t n = m_run.lngNumWordsToIgnore;
        m_engine.ShowWordsToIgnoreReport((n == 1 ? std::u16string(u"One word-to-ignore")
                                                 : FormatCount(n, locale) + u" words-to-ignore") +
                                         u" loaded");
        SetThereAreWordsToIgnore();
        blnChangingLanguage = true;
        SyncLanguageWithIgnoreFile(m_s);
        blnChangingLanguage = false;
    }
    Loaded(index) = path;
    return true;
}

bool WordListFiles::MayAddFile(int index) {
    if (index == 0 &&
        (!SelectedWordsFile(m_s.WordsFile[1]).empty() || !m_s.WordsToIgnoreOrCount[1].empty())) {
        if (m_host.Ask(u"Since there are count-only words (that is,\n"
                       u"only specified words are to be counted),\n"
                       u"specifying words to be ignored will have no effect.\n"
                       u"Do you still wish to specify words to be ignored?",
                       std::u16string(kProceedTitle), MsgIcon::Question, MsgButtons::YesNo,
                       MsgAnswer::Yes) != MsgAnswer::Yes)
            return false;
    }
    if (static_cast<int>(m_s.WordsFile[At(index)].paths.size()) >= kMaxWordsFiles) {
        m_host.MessageBox(
            std::u16string(kListFullMessage),
            std::u16string(index == 0 ? kWordsFileButtonCaption0 : kWordsFileButtonCaption1),
            MsgIcon::Information);
        return false;
    }
    return true;
}

bool WordListFiles::AddChosenFile(int index, const std::u16string& path) {
    WordFileList& list = m_s.WordsFile[At(index)];
    blnEnablingDisablingWordsFile = true;
    const bool added = AddToList(list, path, true, m_host);
    blnEnablingDisablingWordsFile = false;
    if (!added)
        return false;
    const bool ok = AttemptToReadWords(index);
    if (!ok) {
        blnEnablingDisablingWordsFile = true;
        RemoveAt(list, FindInList(list, path, true));
        blnEnablingDisablingWordsFile = false;
    }
    m_engine.SetCountWordsCaption(m_run);
    return ok;
}

bool WordListFiles::AddWordsFile(int index) {
    if (!MayAddFile(index))
        return false;
    const auto chosen = m_host.ChooseOpenFile(
        index == 0 ? u"Specify a file containing words to ignore"
                   : u"Specify a file containing count-only words/phrases",
        std::u16string(kAnyTextFileFilter), SelectedWordsFile(m_s.WordsFile[At(index)]));
    if (!chosen || chosen->empty()) {
        m_focus = WordListFocus::CloseButton;
        return false;
    }
    return AddChosenFile(index, *chosen);
}

bool WordListFiles::AddWordsFilePath(int index, const std::u16string& path) {
    if (!MayAddFile(index))
        return false;
    return AddChosenFile(index, path);
}

bool WordListFiles::UseWordsFile(int index, const std::u16string& path) {
    WordFileList& list = m_s.WordsFile[At(index)];
    const int present = FindInList(list, path, false);
    if (present < 0)
        return AddWordsFilePath(index, path);
    if (list.selected == present && !Loaded(index).empty() &&
        Loaded(index) == list.paths[At(present)])
        return true;
    blnEnablingDisablingWordsFile = true;
    list.selected = present;
    blnEnablingDisablingWordsFile = false;
    const bool ok = AttemptToReadWords(index);
    m_engine.SetCountWordsCaption(m_run);
    return ok;
}

bool WordListFiles::UseLanguage(int languageIndex) {
    if (languageIndex < 0 || languageIndex >= kNumLanguageEntries)
        return false;
    const std::u16string selected = SelectedWordsFile(m_s.WordsFile[0]);
    if (languageIndex != kNoLanguageSelectedIndex &&
        languageIndex == LanguageIndexOfFile(FileNamePart(selected))) {
        m_s.CommonWordsLanguages = languageIndex;
        if (!Loaded(0).empty() && Loaded(0) == selected)
            return true;
        return AttemptToReadWords(0);
    }
    LanguageChosen(languageIndex);
    if (languageIndex == kNoLanguageSelectedIndex)
        return SelectedWordsFile(m_s.WordsFile[0]).empty();
    return !Loaded(0).empty() && LanguageIndexOfFile(FileNamePart(Loaded(0))) == languageIndex &&
           Loaded(0) == SelectedWordsFile(m_s.WordsFile[0]);
}

void WordListFiles::WordsFileChosen(int index, LoadRemoveChoice choice) {
    if (!m_run.blnStartUpCompleted || blnEnablingDisablingWordsFile || blnChangingLanguage ||
        blnReselectingWordsFile)
        return;
    WordFileList& list = m_s.WordsFile[At(index)];
    switch (choice) {
    case LoadRemoveChoice::Load:
        AttemptToReadWords(index);
        blnChangingLanguage = true;
        SyncLanguageWithIgnoreFile(m_s);
        blnChangingLanguage = false;
        break;
    case LoadRemoveChoice::Remove:
        RemoveSelected(list);
        ForgetFileEntries(index);
        Loaded(index).clear();
        break;
    case LoadRemoveChoice::Cancel: {
        blnReselectingWordsFile = true;
        list.selected = -1;
        const std::u16string& loaded = Loaded(index);
        if (!loaded.empty())
            list.selected = FindInList(list, loaded, true);
        blnReselectingWordsFile = false;
        break;
    }
    }
}

void WordListFiles::ClearWordsFiles(int index) {
    WordFileList& list = m_s.WordsFile[At(index)];
    if (list.paths.empty())
        return;
    const MsgAnswer answer = m_host.Ask(u"Do you wish to remove ALL files from this list?",
                                        index == 0 ? u"Clear words-to-ignore files"
                                                   : u"Clear count-only words/phrases files",
                                        MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes);
    if (answer == MsgAnswer::Cancel)
        return;
    blnEnablingDisablingWordsFile = true;
    if (answer == MsgAnswer::Yes)
        list.paths.clear();
    list.selected = -1;
    blnEnablingDisablingWordsFile = false;
    if (index == 0)
        m_s.CommonWordsLanguages = kNoLanguageSelectedIndex;
    ForgetFileEntries(index);
    Loaded(index).clear();
}

bool WordListFiles::LanguageChosen(int languageIndex) {
    if (!m_run.blnStartUpCompleted || blnChangingLanguage || blnEnablingDisablingWordsFile)
        return false;
    if (languageIndex < 0 || languageIndex >= kNumLanguageEntries)
        return false;
    m_s.CommonWordsLanguages = languageIndex;
    WordFileList& list = m_s.WordsFile[0];

    if (languageIndex == kNoLanguageSelectedIndex) {
        blnEnablingDisablingWordsFile = true;
        list.selected = -1;
        blnEnablingDisablingWordsFile = false;
        // With no file in force its words are no longer ignored.
        ForgetFileEntries(0);
        Loaded(0).clear();
        return false;
    }
    if (languageIndex == LanguageIndexOfFile(FileNamePart(SelectedWordsFile(list)))) {
        m_focus = WordListFocus::SaveSettings;
        return false;
    }
    const CommonWordsLanguage& language = CommonWordsLanguages()[At(languageIndex)];
    if (m_host.Ask(u"Load common words file for " + std::u16string(language.questionName) + u"?",
                   std::u16string(kLoadCommonWordsTitle), MsgIcon::Question, MsgButtons::YesNo,
                   MsgAnswer::Yes) != MsgAnswer::Yes) {
        SyncLanguageWithIgnoreFile(m_s);
        return false;
    }
    const std::u16string path = CommonWordsFilePath(m_programFolder, languageIndex);
    if (!FileExists(path)) {
        m_host.MessageBox(path + u" not found.", u"Error", MsgIcon::Exclamation);
        // The list must keep showing the language of the file in force: plural reduction
        // depends on it.
        SyncLanguageWithIgnoreFile(m_s);
        return false;
    }
    blnChangingLanguage = true;
    const bool added = AddToList(list, path, true, m_host);
    blnChangingLanguage = false;
    if (!added) {
        SyncLanguageWithIgnoreFile(m_s);
        m_focus = WordListFocus::SaveSettings;
        return false;
    }
    const bool ok = AttemptToReadWords(0);
    if (ok) {
        m_s.CommonWordsLanguages = LanguageIndexOfFile(FileNamePart(path));
    } else {
        RemoveAt(list, FindInList(list, path, true));
        SyncLanguageWithIgnoreFile(m_s);
    }
    SetThereAreWordsToIgnore();
    m_focus = WordListFocus::SaveSettings;
    return ok;
}

bool WordListFiles::FirstRun() {
    if (!m_s.WordsFile[0].paths.empty())
        return false;
    if (m_host.Ask(GetText(TextId::LoadCommonEnglishQuestion), GetText(TextId::FirstRunTitle),
                   MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes) {
        m_s.CommonWordsLanguages = kNoLanguageSelectedIndex;
        return false;
    }
    SetPathToCWDs_Eng(m_s, m_programFolder);
    const bool ok = AttemptToReadWords(0);
    m_engine.SetCountWordsCaption(m_run);
    return ok;
}

void WordListFiles::ExtraWordsLostFocus(int index, bool restoring) {
    std::u16string& box = m_s.WordsToIgnoreOrCount[At(index)];
    box = TrimSpaces(box);
    if (box.empty()) {
        ForgetExtraEntries(index);
    } else {
        if (m_s.CaseSignificant != 1)
            box = LowerCaseExceptRegexp(box);
        m_engine.GetExtraWords(m_s, index);
    }
    if (index == 0)
        SetThereAreWordsToIgnore();
    else
        m_engine.SetCountWordsCaption(m_run);
    CheckAllowedExtraChars(restoring);
}

void WordListFiles::ClearExtraWords(int index) {
    m_s.WordsToIgnoreOrCount[At(index)].clear();
    ExtraWordsLostFocus(index);
    m_focus = WordListFocus::HideSettings;
}

bool WordListFiles::CheckAllowedExtraChars(bool restoring) {
    if (!m_run.blnStartUpCompleted || restoring)
        return true;
    return lxty::CheckAllowedExtraChars(m_s, m_host);
}

void WordListRestoreActions::ApplyExtraWords(Settings&, int index) {
    m_files.ExtraWordsLostFocus(index, m_restoring);
}

bool WordListRestoreActions::AttemptToReadWords(Settings&, int index) {
    return m_files.AttemptToReadWords(index);
}

} // namespace lxty
