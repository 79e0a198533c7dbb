#include "run/CountRun.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "engine/ChunkCache.h"
#include "engine/Patterns.h"
#include "engine/SeparatorScan.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/OutputFile.h"
#include "reports/ReportError.h"
#include "reports/WordListReport.h"
#include "settings/Settings.h"
#include "settings/SettingsLists.h"
#include "sources/Docx.h"
#include "sources/FilePatterns.h"
#include "sources/HtmlHead.h"
#include "sources/Markup.h"
#include "sources/TextDetect.h"
#include "sources/TextFile.h"
#include "sources/TextFileCheck.h"
#include "sources/TextStream.h"
#include "util/Catalogue.h"
#include "util/FileIdentity.h"
#include "util/Format.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <new>
#include <stdexcept>
#include <system_error>

namespace lxty {

namespace fs = std::filesystem;

namespace {

// Every character with a code of 32 or less removed from both ends of a line, in place.
void TrimControlAndSpace(std::u16string& line) {
    std::size_t end = line.size();
    while (end > 0 && line[end - 1] <= 32)
        --end;
    std::size_t begin = 0;
    while (begin < end && line[begin] <= 32)
        ++begin;
    if (begin == 0 && end == line.size())
        return;
    line.erase(end);
    line.erase(0, begin);
}

// Lookups of the piece cache a run makes before it may give the cache up.
constexpr std::int64_t kPieceTrial = 65536;

// Two names of the same file: equal ignoring case, or the same file on disk.
bool SameFile(std::u16string_view a, std::u16string_view b) {
    const std::u16string ta = TrimSpaces(a);
    const std::u16string tb = TrimSpaces(b);
    if (ta.empty() || tb.empty())
        return false;
    if (LowerCaseAll(ta) == LowerCaseAll(tb))
        return true;
    std::error_code ec;
    return fs::equivalent(PathFromText(ta), PathFromText(tb), ec) && !ec;
}

// The path of the count-only words/phrases file in force, or "".
std::u16string CountOnlyFile(const Settings& s) {
    const WordFileList& list = s.WordsFile[1];
    if (list.selected < 0 || list.selected >= static_cast<int>(list.paths.size()))
        return {};
    return list.paths[static_cast<std::size_t>(list.selected)];
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Progress bars

namespace {

// Cells filled for done of total: round(40 * done / total), halves to even, as the bar has
// always been drawn; at most 40.
std::int64_t ProgressCells(std::int64_t done, std::int64_t total) {
    if (total <= 0 || done <= 0)
        return 0;
    const auto r = static_cast<std::int64_t>(
        std::nearbyint(static_cast<double>(kProgressCells) * static_cast<double>(done) /
                       static_cast<double>(total)));
    return r > kProgressCells ? kProgressCells : r;
}

} // namespace

std::u16string ProgressBar(std::int64_t done, std::int64_t total) {
    const std::int64_t r = ProgressCells(done, total);
    if (r < 2)
        return u"[>" + std::u16string(kProgressCells - 1, u' ') + u"]";
    return u"[" + std::u16string(static_cast<std::size_t>(r - 1), u'-') + u">" +
           std::u16string(static_cast<std::size_t>(kProgressCells - r), u' ') + u"]";
}

std::u16string EmptyProgressBar() {
    return u"[" + std::u16string(kProgressCells, u' ') + u"]";
}

// ---------------------------------------------------------------------------------------------
// The words extraction hands on

class CountRun::Sink : public WordSink {
public:
    explicit Sink(CountRun& run) : m_run(run) {}
    void GetWords2(const std::u16string& word) override {
        if (m_run.m_capture)
            m_run.m_capture->push_back(word);
        m_run.m_counting->GetWords2(word);
    }
    std::u16string StripPhrase(const std::u16string& word) override {
        return m_run.m_hooks.stripPhrase ? m_run.m_hooks.stripPhrase(word) : word;
    }

private:
    CountRun& m_run;
};

CountRun::CountRun(ReportContext& ctx, WordsToIgnore& wordsToIgnore, CountRunShell& shell)
    : m_ctx(ctx), m_host(ctx.host), m_settings(ctx.settings), m_run(ctx.run),
      m_wordsToIgnore(wordsToIgnore), m_shell(shell), m_markup(std::make_unique<Markup>()),
      m_sink(std::make_unique<Sink>(*this)),
      m_counting(std::make_unique<WordCounting>(ctx.table, ctx.run, ctx.settings, ctx.host,
                                                ctx.textWindow, wordsToIgnore)),
      m_extractor(
          std::make_unique<WordExtractor>(ctx.settings, ctx.run, *m_markup, ctx.host, *m_sink)),
      m_pieces(std::make_unique<ChunkCache>()), m_file(std::make_unique<TextFile>()) {}

CountRun::~CountRun() = default;

// ---------------------------------------------------------------------------------------------
// Small helpers

void CountRun::OutputToTxb(const std::u16string& text) {
    m_ctx.textWindow.OutputToTxb(text);
}

void CountRun::OutputSet(const std::u16string& text) {
    m_ctx.textWindow.ClearOutput();
    m_ctx.textWindow.OutputToTxb(text);
}

void CountRun::ClearOutput() {
    m_ctx.textWindow.ClearOutput();
}

// A note that follows whatever the window shows, on a line of its own.
void CountRun::AppendLine(const std::u16string& text) {
    const std::u16string& shown = m_ctx.textWindow.Text();
    if (!shown.empty() && shown.back() != u'\n')
        OutputToTxb(std::u16string(kLineEnd) + text);
    else
        OutputToTxb(text);
}

bool CountRun::ChooseOutputFileForRun() {
    return ChooseOutputFile(m_ctx);
}

void CountRun::SetFolderProgress(std::int64_t files, std::int64_t folders, bool inProgress) {
    m_ctx.textWindow.folderRun.inProgress = inProgress;
    m_ctx.textWindow.folderRun.files = files;
    m_ctx.textWindow.folderRun.folders = folders;
}

void CountRun::SetScannedCounts(std::int64_t files, std::int64_t folders) {
    m_ctx.report.lngNumFilesScanned = files;
    m_ctx.report.lngNumFoldersScanned = folders;
}

void CountRun::ResetTableForRun() {
    m_ctx.table.Reset();
    m_pieceLookups = 0;
    m_pieceMisses = 0;
    m_run.lngNumWords = 0;
    m_resultsAvailable = false;
    m_outputIdentityKnown = false;
}

bool CountRun::IsOutputFile(const std::u16string& name, const FileIdentity& identity) {
    const std::u16string output = TrimSpaces(m_settings.File[1]);
    const std::u16string input = TrimSpaces(name);
    if (output.empty() || input.empty())
        return false;
    // Lower-casing keeps the length: names of other lengths need no copies.
    if (output.size() == input.size() && LowerCaseAll(output) == LowerCaseAll(input))
        return true;
    if (!m_outputIdentityKnown) {
        const std::optional<FileIdentity> id = IdentityOf(PathFromText(output));
        m_outputIdentity = id ? std::make_unique<FileIdentity>(*id) : nullptr;
        m_outputIdentityKnown = true;
    }
    return m_outputIdentity && *m_outputIdentity == identity;
}

void CountRun::SetCurrentInputPath(const std::u16string& path) {
    m_counting->SetCurrentInputPath(path);
}

void CountRun::ShowRunningCaption() {
    m_countButtonCaption = GetText(TextId::StopCounting);
    m_host.SetLabel("cmdCountWords", m_countButtonCaption);
}

void CountRun::StartTiming() {
    m_run.lngSecondsElapsed = 0;
    m_host.SetLabel("lblTimeElapsed", u"Time elapsed: 0s");
    m_run.blnElapsedTimeRunning = true;
    m_timed = true;
}

void CountRun::StopTiming() {
    m_run.blnElapsedTimeRunning = false;
}

void CountRun::ReportUnexpected(const std::u16string& procedure, const std::exception* e) {
    std::int64_t number = 51;
    std::u16string description = u"Internal error";
    if (dynamic_cast<const std::bad_alloc*>(e) != nullptr) {
        number = 7;
        description = u"Out of memory";
    } else if (dynamic_cast<const std::overflow_error*>(e) != nullptr) {
        number = 6;
        description = u"Overflow";
    } else if (dynamic_cast<const fs::filesystem_error*>(e) != nullptr) {
        number = 75;
        description = u"Path/File access error";
    } else if (e != nullptr && e->what() != nullptr && *e->what() != '\0') {
        description = Utf8ToU16(e->what());
    }
    ReportError(m_ctx, number, description, procedure);
}

// ---------------------------------------------------------------------------------------------
// Start, stop, timer

RunOutcome CountRun::Start(CountMode mode, bool countArray) {
    if (m_running)
        return RunOutcome::Refused;

    m_mode = mode;
    m_countArray = countArray;
    m_run.blnCountingMFP = mode == CountMode::AllPhrases;
    if (mode == CountMode::AllWords)
        m_run.blnThereAreCountOnlyWords = false; // chosen to count all words
    if (m_hooks.specifiedWords)                  // else the branch set on Counting() stays
        m_counting->SetSpecifiedWordsBranch(m_hooks.specifiedWords);

    // A FIFO or a device as the output file would block the writing of the report, or swallow
    // it: refuse it before anything is counted.
    if (m_settings.DisableOutputToFile == 0 && !TrimSpaces(m_settings.File[1]).empty()) {
        const std::u16string out = TrimSpaces(m_settings.File[1]);
        if (IsSpecialFile(PathFromText(out))) {
            m_host.MessageBox(u"The output file " + out + u" is not a regular file.",
                              u"Invalid output file", MsgIcon::Exclamation);
            return RunOutcome::Refused;
        }
    }

    if (m_settings.Source == SourceKind::InFile && m_run.blnThereAreCountOnlyWords) {
        const std::u16string countOnly = CountOnlyFile(m_settings);
        if (!countOnly.empty() &&
            LowerCaseAll(TrimSpaces(m_settings.File[0])) == LowerCaseAll(TrimSpaces(countOnly))) {
            m_host.MessageBox(
                u"The file to be scanned, " + m_settings.File[0] + u"," + std::u16string(kLineEnd) +
                    u"cannot be the same as the count-only words/phrases file" +
                    std::u16string(kLineEnd) + u"currently specified in the Settings panel.",
                u"Invalid input", MsgIcon::Exclamation);
            return RunOutcome::Refused;
        }
    }

    m_running = true;
    m_outputIdentityKnown = false;
    m_piecesOnThreads = 0;
    if (m_hooks.sizePhraseWindow)
        m_hooks.sizePhraseWindow();
    m_shell.EnableDisableButtons(false);
    m_run.blnStop = false;
    m_timed = false;
    TakeTooComplexMatch(); // a failure of an earlier run is not this run's

    RunOutcome outcome = DoIt();
    // A pattern that the engine gave up on matched nothing; the person hears of it once.
    if (const TooComplexMatch failure = TakeTooComplexMatch(); !failure.entry.empty())
        m_host.MessageBox(TooComplexMessage(failure), u"Pattern too complex", MsgIcon::Information);

    StopTiming();
    // A run that started its timer and lasted less than 3 ticks shows no time.
    if (m_timed && m_run.lngSecondsElapsed < 3)
        m_host.SetLabel("lblTimeElapsed", u"");
    if (m_settings.Source == SourceKind::Folder) {
        m_host.SetLabel("lblFile", u"");
        m_counting->SetCurrentInputPath(u"");
    }
    m_host.SetLabel("cmdCountWords", GetText(TextId::CountWordsPhrases));
    m_shell.EnableDisableButtons(true);
    m_run.blnStop = false;
    m_readingSource = false;
    m_excludingSubphrases = false;
    m_countingFiles = false;
    m_processingFolder = false;
    m_running = false;
    return outcome;
}

bool CountRun::RequestStop() {
    if (!m_running)
        return false;
    if (m_run.blnStop)
        return true;
    if (m_run.blnCountingMFP) {
        if (m_host.Ask(u"Really stop?", u"Counting all phrases", MsgIcon::Question,
                       MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
            return false;
        OutputToTxb(u"Counting of all phrases was stopped.");
    } else if (!m_listFiles && !m_countingFiles && !m_run.blnReadingWords &&
               m_run.lngNumWords > kStopQuestionEntries) {
        const std::u16string question = FormatCount(m_run.lngNumWords, m_ctx.locale) +
                                        u" found so far." + std::u16string(kLineEnd) +
                                        std::u16string(kLineEnd) + u"Really stop?";
        // The question is titled with the button's caption, which the main window's refresh
        // has turned into catalogue text 90 once more than 800 entries were found.
        if (m_host.Ask(question, GetText(TextId::StopCountingManyFound), MsgIcon::Question,
                       MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
            return false;
    }
    m_run.blnStop = true;
    m_countButtonCaption = GetText(TextId::CountWordsPhrases);
    m_host.SetLabel("cmdCountWords", m_countButtonCaption);
    StopTiming();
    m_host.Yield();
    return true;
}

void CountRun::TimerTick() {
    if (!m_run.blnElapsedTimeRunning)
        return;
    ++m_run.lngSecondsElapsed;
    m_host.SetLabel("lblTimeElapsed",
                    u"Time elapsed: " + ElapsedTime(m_run.lngSecondsElapsed, false));
    // Only while the source is read: afterwards the label holds the run's totals.
    if (m_readingSource) {
        m_counting->FlushWordsAsFound();
        const std::u16string n = FormatCount(m_run.lngNumWords, m_ctx.locale);
        m_host.SetLabel("lblNumberOfWords", m_run.blnCountingMFP
                                                ? u"Number of different phrases found so far: " + n
                                                : u"Number of different " + WordsPhrases(m_run) +
                                                      u" found so far: " + n);
    }
    if (m_excludingSubphrases && m_hooks.phraseProgressTick)
        m_hooks.phraseProgressTick();
}

// ---------------------------------------------------------------------------------------------
// The count routine

bool CountRun::ValidateFrequencies() {
    const int threshold = ThresholdFrequencyValue(m_settings);
    const int excess = ExcessFrequencyValue(m_settings);
    m_run.intThresholdFrequency = threshold;
    m_run.intExcessFrequency = excess;
    if (m_settings.IgnoreInfrequentWords == 1 && m_settings.IgnoreExcessivelyFrequentWords == 1 &&
        threshold > excess) {
        const std::u16string words = WordsPhrases(m_run);
        m_host.MessageBox(u"The settings currently say to ignore " + words +
                              std::u16string(kLineEnd) + u"with fewer than" + u" " +
                              Digits(threshold) + u" occurrences and with more than" + u" " +
                              Digits(excess) + u" occurrences," + std::u16string(kLineEnd) +
                              u"which implies that all " + words + u" will be ignored.",
                          u"Invalid input", MsgIcon::Information);
        return false;
    }
    return true;
}

bool CountRun::CheckSettingsForRun() {
    // 1. Display formats that need a folder.
    if (!CheckDisplayFormat(m_ctx))
        return false;

    // 2. Comment markers that words could swallow.
    if (m_settings.AllowCommentMarkers == 1 && !m_extractor->CommentMarkersOK()) {
        m_shell.OpenSettingsWindow();
        return false;
    }

    // 3. File patterns.
    if (m_settings.Source != SourceKind::OnClipboard &&
        !ValidatePatterns(m_host, FileSelection::FromSettings(m_settings)))
        return false;

    // 4. Frequencies that would exclude everything; 5. the word lists of the settings window.
    return ValidateFrequencies() && m_shell.LoadWordLists();
}

RunOutcome CountRun::DoIt() {
    try {
        // 1 to 5. The checks.
        if (!CheckSettingsForRun())
            return RunOutcome::Refused;

        // 6. Running.
        ShowRunningCaption();
        m_run.blnReadingWords = false;
        m_run.intWithinComment = -1;
        m_run.lngTotalNumOccurrences = 0;
        m_run.intMinWidth = 8;
        m_extractor->SetAllowedExtraChars1();
        m_extractor->SetAllowedExtraChars2();
        m_ctx.report.blnListIsPartial = false;
        m_filesCounted = 0;
        m_filesToProcess = 0;
        StartTiming();
        m_counting->StartRun(); // after the seconds are reset: the words-as-found clock
        m_readingSource = true;

        // 7. The source.
        if (RunOutcome endWith = RunOutcome::Refused; !ReadSource(endWith))
            return endWith;
        m_readingSource = false;
        if (m_run.blnCountingMFP && m_hooks.finishPhrases)
            m_hooks.finishPhrases();

        // 8. Alphabetical order.
        WordTable& table = m_ctx.table;
        if (table.Size() > 1 && !(m_run.blnCountingMFP && m_run.blnStop))
            table.SortAlphabetically();

        // 9. A stopped run.
        if (m_run.blnStop) {
            bool listPartial = false;
            WindUpStopped(listPartial);
            if (!listPartial)
                return RunOutcome::Stopped;
        }

        // 10. A folder without a file to read.
        if (m_settings.Source == SourceKind::Folder && m_filesCounted == 0) {
            // The patterns are followed by a space, so that they do not run into "were".
            const std::u16string patterns = FileSelection::FromSettings(m_settings).patternsText;
            m_host.MessageBox(
                u"No scanable files " +
                    (patterns.empty() ? std::u16string() : u"as specified " + patterns + u" ") +
                    u"were found in this folder" +
                    (m_settings.IncludeSubfolders == 1 ? u" or in its subfolders" : u"") + u".",
                u"No files found", MsgIcon::Information);
            return RunOutcome::Refused;
        }

        // 11. Processing.
        if (m_settings.Source == SourceKind::Folder) {
            m_host.SetLabel("lblFile", u"");
            m_host.SetLabel("lblFilesize", u"");
            m_host.SetLabel("lblXMLsize", u"");
        }
        OutputSet(u"Processing . . .");
        m_host.SetLabel("lblNumWordsExcluded", u"");
        ShowRunningCaption();
        m_shell.EnableDisableButtons(false);

        // 12. Exclusions.
        if (!m_run.blnThereAreCountOnlyWords && !m_run.blnCountingMFP) {
            OutputSet(u"Now filtering words . . .");
            table.FilterWords(m_settings, m_run);
        } else {
            ApplyOtherModeExclusions();
        }

        // 13. Redundant subphrases.
        if (m_run.blnCountingMFP && m_hooks.excludeRedundantSubphrases) {
            OutputSet(u"Excluding redundant subphrases . . . ");
            m_excludingSubphrases = true;
            m_hooks.excludeRedundantSubphrases();
            m_excludingSubphrases = false;
            if (m_run.blnStop) {
                AppendLine(u"Counting of phrases was stopped.");
                return RunOutcome::Stopped;
            }
        }

        // 14. Totals.
        table.Summarize(m_run, m_host);

        // 15 and 16. The report, or the count array.
        if (m_countArray) {
            if (m_hooks.writeCountArray && m_hooks.writeCountArray())
                return RunOutcome::Produced;
            return RunOutcome::Error;
        }
        return ListResults();
    } catch (const std::exception& e) {
        ReportUnexpected(u"DoIt B", &e);
        return RunOutcome::Error;
    }
}

// Reads the source into the table; false, with endWith set, when the run ends here.
bool CountRun::ReadSource(RunOutcome& endWith) {
    endWith = RunOutcome::Refused;
    switch (m_settings.Source) {
    case SourceKind::OnClipboard:
        // The size labels belong to the last file counted, not to the clipboard.
        m_host.SetLabel("lblFilesize", u"");
        m_host.SetLabel("lblXMLsize", u"");
        if (!ReadClipboard() || !DoItFromClipboard())
            return false;
        break;
    case SourceKind::InFile: {
        const std::u16string activity = m_run.blnCountingMFP ? u"counting phrases"
                                        : m_run.blnThereAreCountOnlyWords
                                            ? u"counting specified words/phrases"
                                            : u"counting all words";
        OutputSet(u"Now " + activity + u" in" + std::u16string(kLineEnd) + m_settings.File[0] +
                  std::u16string(kLineEnd) + std::u16string(kLineEnd));
        const FileResult code = DoItFromFile(m_settings.File[0], true);
        if (code != FileResult::Ok) {
            ReportFileRefusal(code);
            m_shell.EnableDisableButtons(true);
            return false;
        }
        m_filesCounted = 1;
        break;
    }
    case SourceKind::Folder: {
        if (!DoFolder(endWith))
            return false;
        break;
    }
    }
    return true;
}

// Says why a single-file source was refused; the per-file procedure has already spoken for
// the other outcomes.
void CountRun::ReportFileRefusal(FileResult code) {
    const bool boxEmpty = TrimSpaces(m_settings.File[0]).empty();
    switch (code) {
    case FileResult::InvalidSpec:
        m_host.MessageBox(u"Invalid input file specification.", u"Invalid input",
                          MsgIcon::Exclamation);
        break;
    case FileResult::NotFound:
        m_host.MessageBox(u"Input file does not exist.", u"File not found", MsgIcon::Exclamation);
        break;
    case FileResult::Empty:
        m_host.MessageBox(boxEmpty ? u"Input file not specified." : u"Input file is zero-length.",
                          u"Error", MsgIcon::Exclamation);
        if (boxEmpty)
            ClearOutput();
        else
            OutputSet(u"Input file is zero length!");
        break;
    case FileResult::SameAsOutput:
        m_host.MessageBox(u"The output file cannot be the same as the input file.", u"Error",
                          MsgIcon::Exclamation);
        break;
    default:
        break; // the per-file procedure has said why, or the person cancelled
    }
}

void CountRun::WindUpStopped(bool& listPartial) {
    listPartial = false;
    m_run.blnStop = false;
    const std::int64_t n = m_ctx.table.Size();
    if (m_run.blnCountingMFP || n == 0)
        AppendLine(u"Stopped");
    else
        AppendLine(u"Stopped with" + std::u16string(u" ") + Digits(n) + u" word" +
                   (n == 1 ? u"" : u"s") + u" found.");
    if (!m_countArray && n >= 1) {
        const MsgAnswer a = m_host.Ask(
            u"The operation was stopped before all " + WordsPhrases(m_run) + u" were counted." +
                std::u16string(kLineEnd) + u"Do you wish to list those which were found?",
            u"Counting interrupted", MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
        if (a == MsgAnswer::Yes) {
            m_ctx.report.blnListIsPartial = true;
            listPartial = true;
            return;
        }
    }
    m_shell.EnableDisableButtons(true);
    m_host.SetLabel("cmdCountWords", GetText(TextId::CountWordsPhrases));
}

void CountRun::ApplyOtherModeExclusions() {
    const Settings& s = m_settings;
    const bool mfp = m_run.blnCountingMFP;
    const bool infrequent = s.IgnoreInfrequentWords == 1;
    const bool frequent = s.IgnoreExcessivelyFrequentWords == 1;
    const std::u16string words = WordsPhrases(m_run);
    if (infrequent && frequent)
        OutputSet(u"Excluding too frequent or too infrequent " + words + u" ...");
    else if (infrequent)
        OutputSet(u"Excluding too infrequent " + words + u" ...");
    else if (frequent)
        OutputSet(u"Excluding too frequent " + words + u" ...");

    const std::int64_t minimum = mfp ? m_run.intMFPThresholdFrequency : m_run.intThresholdFrequency;
    const std::int64_t shortSize = ShortWordSizeValue(s);
    const std::int64_t longSize = LongWordSizeValue(s);
    WordTable& table = m_ctx.table;
    for (std::int64_t i = 1; i <= table.Size(); ++i) {
        WordEntry& e = table.Entry(i);
        e.included = true;
        if (e.count < minimum && (mfp || infrequent))
            e.included = false;
        if (mfp)
            continue;
        const auto len = static_cast<std::int64_t>(e.word.size());
        if (frequent && e.count > m_run.intExcessFrequency)
            e.included = false;
        bool isShort = false;
        if (s.IgnoreShortWords == 1 && len < shortSize) {
            e.included = false;
            isShort = true;
        }
        if (!isShort && len > longSize)
            e.included = false;
    }
}

RunOutcome CountRun::ListResults() {
    WordTable& table = m_ctx.table;
    OutputSet(u"Now setting up frequency chain . . .");
    table.BuildFrequencyChain(m_settings, m_run, m_host,
                              [this](const std::u16string& t) { OutputToTxb(t); });
    m_counting->ShowTotals();
    m_run.blnWordsGot = true;
    m_resultsAvailable = true;

    RunOutcome outcome = RunOutcome::Produced;
    const bool fileWanted =
        !TrimSpaces(m_settings.File[1]).empty() && m_settings.DisableOutputToFile == 0;
    bool listed = false;
    if (m_run.blnCountingMFP && m_hooks.phrasePostListing) {
        if (m_hooks.phrasePostListing()) {
            ListWords(m_ctx);
            listed = true;
        }
    } else if (table.Size() > 0) {
        ListWords(m_ctx);
        listed = true;
    } else {
        ClearOutput();
        OutputToTxb(NothingFoundText(m_settings, m_run));
    }
    // A report that was to go to the output file but never got there failed on the way (the
    // report has shown why). Turning file output off at the overwrite question is no failure.
    if (listed && fileWanted && m_settings.DisableOutputToFile == 0 &&
        m_run.lngNumWordsIncluded > 0 && !m_ctx.report.blnWrittenToFile)
        outcome = RunOutcome::Error;

    m_host.SetLabel("cmdCountWords", GetText(TextId::CountWordsPhrases));
    return outcome;
}

// ---------------------------------------------------------------------------------------------
// The clipboard

bool CountRun::ReadClipboard() {
    if (m_textStream) {
        // The control-character check looks at the first characters: gather at least those.
        m_streamReader = std::make_unique<TextStreamReader>(*m_textStream);
        m_pendingText.clear();
        std::u16string piece;
        while (static_cast<std::int64_t>(m_pendingText.size()) < kClipboardCheckedChars &&
               m_streamReader->Next(piece))
            m_pendingText += piece;
        if (m_pendingText.empty()) {
            m_streamReader.reset();
            m_host.MessageBox(GetText(TextId::NoClipboardText), u"", MsgIcon::None);
            return false;
        }
        return true;
    }
    std::u16string text = m_host.ClipboardText();
    if (text.empty()) {
        m_host.MessageBox(GetText(TextId::NoClipboardText), u"", MsgIcon::None);
        return false;
    }
    const auto length = static_cast<std::int64_t>(text.size());
    if (length <= kClipboardLimit) {
        m_pendingText = std::move(text);
        return true;
    }
    m_host.MessageBox(u"There are " + FormatCount(length, m_ctx.locale) +
                          u" characters in the text on the clipboard." + std::u16string(kLineEnd) +
                          u"The maximum permitted is " +
                          FormatCount(kClipboardLimit, m_ctx.locale) + u".  If possible," +
                          std::u16string(kLineEnd) +
                          u"count word frequencies for this text using an input file.",
                      u"Too much clipboard text", MsgIcon::Exclamation);
    return false;
}

bool CountRun::DoItFromClipboard() {
    try {
        // Control characters among the first 3,000 characters mean the clipboard holds
        // something other than text. The character's own code is tested, so that typographic
        // quotes and letters beyond Latin-1 (whose low byte may be below 32) pass.
        const std::size_t checked = std::min<std::size_t>(
            m_pendingText.size(), static_cast<std::size_t>(kClipboardCheckedChars));
        for (std::size_t i = 0; i < checked; ++i) {
            const char16_t c = m_pendingText[i];
            if (c < 32 && c != 9 && c != 10 && c != 12 && c != 13) {
                m_host.MessageBox(u"The text on the clipboard does not consist" +
                                      std::u16string(kLineEnd) +
                                      u"solely of natural language words.",
                                  u"Invalid input", MsgIcon::Exclamation);
                m_streamReader.reset();
                return false;
            }
        }

        // No marker pair is in force for the clipboard, whatever AllowCommentMarkers says.
        m_extractor->SetMarkupType(
            m_settings.AllowCommentMarkers == 1 ? u"according to user's settings" : u"");
        m_run.intWithinComment = -1;

        ResetTableForRun();
        ShowRunningCaption();
        m_shell.EnableDisableButtons(false);
        ClearOutput();

        // A stream comes in pieces that end at a space or a line end, each counted as it
        // comes as the one text of the clipboard is.
        if (m_hooks.fileStarted)
            m_hooks.fileStarted(u"");
        do {
            if (m_pendingText.empty())
                continue;
            if (m_hooks.textRead)
                m_hooks.textRead(m_pendingText, 0);
            m_run.strLine.reserve(m_pendingText.size() + 1);
            m_run.strLine.assign(m_pendingText);
            if (m_settings.CaseSignificant != 1)
                LowerCaseAllInPlace(m_run.strLine);
            m_run.strLine.push_back(u' ');
            m_extractor->ExtractWords();
        } while (m_streamReader && !m_run.blnStop && m_streamReader->Next(m_pendingText));
        m_streamReader.reset();
        m_host.SetLabel("lblTwirler", u" ");
        return true;
    } catch (const std::exception& e) {
        ReportUnexpected(u"DoItFromClipboard", &e);
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// One file

FileResult CountRun::DoItFromFile(const std::u16string& path, bool singleFile,
                                  std::int64_t fileNumber) {
    const std::u16string name = TrimSpaces(path);
    if (name.empty())
        return FileResult::Empty;
    if (name.back() == u'\\' || name.back() == u'/')
        return FileResult::InvalidSpec;
    return DoItFromPath(PathFromText(name), name, singleFile, fileNumber);
}

FileResult CountRun::DoItFromPath(const fs::path& file, const std::u16string& name, bool singleFile,
                                  std::int64_t fileNumber, const FileFacts* known) {
    try {
        // One status call for a file (none when the folder walk has made it): a file of many
        // small files costs its status, one open and the reads of its bytes, nothing more.
        const std::optional<FileFacts> facts =
            known ? std::optional<FileFacts>(*known) : FactsOf(file);
        if (!facts)
            return FileResult::NotFound;
        if (facts->type == FileFacts::Type::Folder)
            return FileResult::InvalidSpec;
        if (facts->type != FileFacts::Type::Regular) {
            // A FIFO or a device exists, and reading it may never end: say what it is.
            m_host.MessageBox(name + u" is not a regular file.", u"Invalid input",
                              MsgIcon::Exclamation);
            return FileResult::NotText;
        }
        const auto size = static_cast<std::int64_t>(facts->size);
        if (size == 0)
            return FileResult::Empty;
        m_host.SetLabel("lblFilesize", u"Filesize: " + SizeTextA(size, m_ctx.locale));
        if (IsOutputFile(name, facts->identity)) {
            m_run.blnStop = true;
            return FileResult::SameAsOutput;
        }

        const bool docx = IsDocx(file);

        if (singleFile && TrimSpaces(m_settings.File[1]).empty() && size >= kLargeInputFileSize) {
            const MsgAnswer a = m_host.Ask(
                u"The input file is quite large.  It is advisable to specify an output file " +
                    std::u16string(kLineEnd) +
                    u"before continuing, in case the text window will not hold the result. " +
                    std::u16string(kLineEnd) + u"Do you wish to specify an output file?",
                u"Large input file", MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes);
            if (a == MsgAnswer::Cancel)
                return FileResult::Cancelled;
            if (a == MsgAnswer::Yes) {
                ChooseOutputFileForRun();
                // The chooser does not know the input file: a report written over it would
                // destroy the text being counted.
                if (SameFile(m_settings.File[1], name)) {
                    m_run.blnStop = true;
                    return FileResult::SameAsOutput;
                }
            }
        }

        if (singleFile) {
            m_host.SetLabel("lblNumberOfWords", u"");
            m_host.SetLabel("lblNumWordsExcluded", u"");
            m_host.SetLabel("lblNumOccurrences", u"");
            m_host.SetLabel("lblTotalNumOccurrences", u"");
            ShowRunningCaption();
            m_shell.EnableDisableButtons(false);
        }

        if (docx) {
            DocxDocument document(m_host, m_run);
            DocxOptions options;
            options.keepExtractedText = m_settings.ExtractTextFromDocx == 1;
            if (m_settings.SuppressWords == 0)
                options.convert.showRun = [this](const std::u16string& t) { OutputToTxb(t); };
            if (!document.Prepare(file, options)) {
                if (singleFile) {
                    StopTiming();
                    m_host.SetLabel("lblFilesize", u"");
                    m_host.SetLabel("lblXMLsize", u"");
                    ClearOutput();
                }
                return FileResult::DocxFailed;
            }
            const FileResult code =
                ReadFile(name, singleFile, fileNumber, document.TextFile(), true, size);
            document.CleanUp();
            return code;
        }
        return ReadFile(name, singleFile, fileNumber, file, false, size);
    } catch (const std::exception& e) {
        ReportUnexpected(u"DoItFromFile", &e);
        return FileResult::Unreadable;
    }
}

FileResult CountRun::ReadFile(const std::u16string& name, bool singleFile, std::int64_t fileNumber,
                              const fs::path& textFile, bool docx, std::int64_t fileSize) {
    // The file is opened once: its first block is read into the reader's buffer, the text
    // test judges those bytes, and the lines start from the same buffer. (A docx document's
    // extracted text, and a file whose charset sniff reads past the first block, are judged
    // from the file by name.)
    TextFile& reader = *m_file;
    TextTestResult judged;
    bool open = false;
    bool tested = false;
    if (!docx) {
        if (!reader.OpenKnown(textFile, fileSize)) {
            judged.code = static_cast<TextCode>(reader.OpenError());
            tested = true;
        } else if (const std::optional<TextTestResult> fromHead = TextTestOfHead(
                       reader.Head(), fileSize, textFile, kDefaultSampleSize, 1.0, true)) {
            judged = *fromHead;
            open = tested = true;
        } else {
            reader.Close();
        }
    }
    if (!tested)
        judged = TextTest(textFile, kDefaultSampleSize, 1.0, true);
    switch (judged.code) {
    case TextCode::ZeroLength:
    case TextCode::AccessDenied:
    case TextCode::CannotOpen:
    case TextCode::NotFound:
    case TextCode::NoName:
    case TextCode::NotText:
        reader.Close();
        break;
    default:
        break;
    }
    switch (judged.code) {
    case TextCode::ZeroLength:
        if (singleFile)
            m_host.MessageBox(u"This is a zero-length file.", u"Invalid input file",
                              MsgIcon::Exclamation);
        return FileResult::ZeroLength;
    case TextCode::AccessDenied:
    case TextCode::CannotOpen:
    case TextCode::NotFound:
    case TextCode::NoName:
        if (singleFile)
            m_host.MessageBox(u"This file cannot be opened.", u"Invalid input file",
                              MsgIcon::Exclamation);
        return FileResult::Unreadable;
    case TextCode::NotText:
        if (singleFile) {
            ShowNotTextFile(m_host, name, judged);
            AppendLine(name + u" is not a text file.");
        }
        return FileResult::NotText;
    default:
        break; // text, RTF, Unicode and very short files are all read as text
    }

    // Folder runs: the folder bar advances with each file read.
    if (m_processingFolder)
        m_host.SetLabel("lblNumOccurrences", ProgressBar(fileNumber, m_filesToProcess));

    m_pendingText.clear();
    if (singleFile)
        ResetTableForRun();
    // The extension of the name's last part (the whole path need not be converted for it).
    const char16_t separators[] = {u'/', static_cast<char16_t>(fs::path::preferred_separator),
                                   u'\0'};
    const std::size_t slash = name.find_last_of(separators);
    const std::u16string extension = LowerExtension(
        PathFromText(slash == std::u16string::npos ? std::u16string_view(name)
                                                   : std::u16string_view(name).substr(slash + 1)));
    m_extractor->SetMarkupTypeFromExtension(extension);
    m_run.intWithinComment = -1;
    if (singleFile && !docx) {
        if (judged.utf8)
            m_host.SetLabel("lblXMLsize", u"This is a UTF-8 text file.");
        else if (judged.code == TextCode::Lf)
            m_host.SetLabel("lblXMLsize", u"This is a Unix-type file.");
        else if (judged.code == TextCode::Cr)
            m_host.SetLabel("lblXMLsize", u"This is a Macintosh-type file.");
    }
    const bool withinFileBar = m_processingFolder && fileSize >= kWithinFileBarMinSize;
    if (withinFileBar) {
        m_shell.SetLabelFont("lblTotalNumOccurrences", u"Courier New", 10);
        m_host.SetLabel("lblTotalNumOccurrences", EmptyProgressBar());
    }

    if (open) {
        reader.Begin(EncodingFor(judged));
    } else if (!reader.Open(textFile, EncodingFor(judged))) {
        if (singleFile)
            m_host.MessageBox(u"This file cannot be opened.", u"Invalid input file",
                              MsgIcon::Exclamation);
        if (withinFileBar)
            m_shell.SetLabelFont("lblTotalNumOccurrences", u"Arial", 10);
        return FileResult::Unreadable;
    }

    const bool html = extension.find(u"htm") != std::u16string::npos;
    bool headSkipped = false;
    if (m_hooks.fileStarted)
        m_hooks.fileStarted(name);
    std::u16string line;
    std::int64_t lastCells = -1;
    const std::int64_t length = reader.Size();
    while (true) {
        m_host.Yield();
        if (m_run.blnStop)
            break;
        if (!reader.ReadLine(line))
            break;
        if (withinFileBar && length > 0) {
            // The label is rewritten only when another cell fills.
            const std::int64_t cells = ProgressCells(reader.Position(), length);
            if (cells != lastCells) {
                m_host.SetLabel("lblTotalNumOccurrences", ProgressBar(reader.Position(), length));
                lastCells = cells;
            }
        }
        if (html && !headSkipped && IsHtmlDocTypeLine(line)) {
            line = SkipHtmlHead(line, reader);
            headSkipped = true;
        }
        m_lineNumber = reader.LinesRead();
        ExtractLine(line);
    }
    TakePendingPieces();
    reader.Close();

    if (withinFileBar)
        m_shell.SetLabelFont("lblTotalNumOccurrences", u"Arial", 10);
    m_host.SetLabel("lblNumberOfWords", u"Number of different " + WordsPhrases(m_run) +
                                            u" found so far: " +
                                            FormatCount(m_run.lngNumWords, m_ctx.locale));
    m_host.SetLabel("lblTwirler", u" ");
    return FileResult::Ok;
}

void CountRun::ExtractLine(std::u16string& line) {
    if (m_hooks.textRead)
        m_hooks.textRead(line, m_lineNumber);
    TrimControlAndSpace(line);
    if (line.empty())
        return;
    if (m_settings.TerminatePhraseAtEndOfLine == 1 && m_hooks.resetPhrases)
        m_hooks.resetPhrases();
    if (ExtractLineByPieces(line))
        return;
    // The line changes places with the line buffer instead of being copied into it: both keep
    // their capacity from line to line, and the caller's next read overwrites what it gets.
    m_run.strLine.swap(line);
    if (m_settings.CaseSignificant != 1)
        LowerCaseAllInPlace(m_run.strLine);
    m_run.strLine.push_back(u' ');
    m_extractor->ExtractWords();
}

// In an all-words run over text without markup, what a line yields is the sum of what its
// pieces between spaces yield: no rule of extraction or counting looks past a space, so each
// distinct piece is worked out once (by the ordinary path, which also counts it) and its
// words are counted straight into their records after that.
//
// Two things would break that. The double-hyphen rule never replaces a pair that starts at
// the first or second unit of a line, so a line with a hyphen there goes the ordinary way.
// Backspaces are deleted and CR LF becomes one unit, which moves later units; lines with
// control characters (tabs aside) go the ordinary way too.
bool CountRun::ExtractLineByPieces(std::u16string& line) {
    const RunState& r = m_run;
    // Count-only runs may go by pieces when a word alone decides whether it is counted.
    const bool specified = r.blnThereAreCountOnlyWords;
    if (specified && (r.blnCountOnlyWordsIncludePhrase || !m_hooks.specifiedWordCounted))
        return false;
    if (!m_pieceCacheOn || r.blnReadingWords || r.blnCountingMFP || r.blnStripPhrases ||
        r.intNumCommentMarkers != 0 || r.blnCharacterEntitiesPossible || r.intWithinComment != -1 ||
        m_countArray)
        return false;
    // Text whose pieces hardly ever come again (lists of codes, random tokens) gains nothing
    // from the cache: once most lookups of a run have missed, the run goes word by word.
    if (m_pieceMisses >= kPieceTrial && 2 * m_pieceMisses > m_pieceLookups)
        return false;
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n && i < 3; ++i)
        if (line[i] == u'-')
            return false;

    // Zeros after the line let the separator scan go sixteen units at a time and a piece's
    // first eight units be read in one go.
    line.append(kLinePadding, u'\0');
    const char16_t* d = line.data();
    if (!MarkSeparators(d, n, m_separators)) {
        line.resize(n);
        return false; // a control character: nothing has been counted yet
    }

    ValidatePieces();
    WordTable& table = m_ctx.table;
    const std::uint64_t* bits = m_separators.data();
    std::size_t end = 0;
    while (true) {
        const std::size_t start = NextBit(bits, end, false);
        if (start >= n)
            break;
        end = NextBit(bits, start, true);
        const ChunkCache::Key key = ChunkCache::KeyOfPadded(d + start, end - start);
        std::int64_t single = 0;
        const std::int64_t piece = m_pieces->Find(key, d + start, single);
        ++m_pieceLookups;
        if (piece < 0) {
            ++m_pieceMisses;
            if (!LearnPiece(std::u16string_view(d + start, key.length)))
                return true; // stopped
            continue;
        }
        if (single != ChunkCache::kSeeWords) {
            // The common case: a piece of one word, counted or dropped. The ordinary path's
            // yield and Stop test come first.
            m_host.Yield();
            if (m_run.blnStop)
                return true;
            if (table.Generation() != m_pieces->Generation()) {
                // The records were numbered anew while the host had control (the table was
                // read): the piece is worked out again the ordinary way.
                ValidatePieces();
                if (!LearnPiece(std::u16string_view(d + start, key.length)))
                    return true;
                continue;
            }
            ++m_run.lngTotalNumOccurrences;
            if (single >= 0 && m_pieces->Note(piece))
                TakePendingPieces();
            continue;
        }
        const ChunkCache::Words words = m_pieces->WordsOf(piece);
        for (const ChunkCache::Word* w = words.begin; w != words.end; ++w) {
            m_host.Yield();
            if (m_run.blnStop)
                return true;
            ++m_run.lngTotalNumOccurrences;
            if (w->record >= 0 && table.Generation() == m_pieces->Generation())
                m_counting->CountAgain(w->record, 1);
            else if (w->record != WordCounting::kDropped)
                m_counting->GetWords2(std::u16string(m_pieces->TextOf(*w)));
        }
    }
    return true;
}

// Known pieces of one word are tallied in the cache; the tallies go into the table at the end
// of each file (and whenever the cache is about to be emptied). When the table's records
// were numbered anew in between, each word's record is looked up again by its text.
void CountRun::TakePendingPieces() {
    if (!m_pieces->HasPending())
        return;
    const bool current = m_pieces->Generation() == m_ctx.table.Generation();
    m_pieces->TakePending([&](const ChunkCache::Word& word, std::uint64_t n) {
        if (current) {
            m_counting->CountAgain(word.record, n);
            return;
        }
        const std::u16string text(m_pieces->TextOf(word));
        std::int64_t record = RecordForPiece(text);
        if (record == kUnknown) {
            for (; n > 0; --n)
                m_counting->GetWords2(text);
            return;
        }
        if (record == WordCounting::kNotCounted) {
            // The table is laid out: counting one occurrence the ordinary way takes it back.
            m_counting->AddWordToList(text);
            --n;
            record = RecordForPiece(text);
        }
        if (record >= 0 && n > 0)
            m_counting->CountAgain(record, n);
    });
}

std::size_t CountRun::PiecesKnown() const {
    return m_pieces->Size() + m_piecesOnThreads;
}

void CountRun::ValidatePieces() {
    if (m_pieces->Generation() == m_ctx.table.Generation())
        return;
    TakePendingPieces();
    m_pieces->Validate(m_ctx.table.Generation());
}

// Counts a piece the ordinary way, noting the words it yields and where each was counted.
// False when the run was stopped on the way (the piece is then not remembered).
bool CountRun::LearnPiece(std::u16string_view piece) {
    // Two spaces in front: every unit of the piece lies beyond the first two units of the
    // line, as it does in the whole line.
    std::u16string& text = m_run.strLine;
    text.assign(u"  ");
    text.append(piece);
    if (m_settings.CaseSignificant != 1)
        LowerCaseAllInPlace(text);
    text.push_back(u' ');
    m_captured.clear();
    m_capture = &m_captured;
    m_extractor->ExtractWords();
    m_capture = nullptr;
    if (m_run.blnStop)
        return false;
    ValidatePieces();
    m_capturedRecords.clear();
    for (const std::u16string& word : m_captured) {
        const std::int64_t record = RecordForPiece(word);
        if (record == kUnknown)
            return true; // counted, and learned again when it comes again
        m_capturedRecords.push_back(record);
    }
    m_pieces->Add(piece, m_captured, m_capturedRecords);
    return true;
}

std::int64_t CountRun::RecordForPiece(std::u16string_view word) const {
    if (!m_run.blnThereAreCountOnlyWords)
        return m_counting->RecordOf(word);
    const int listed = m_hooks.specifiedWordCounted(word);
    if (listed < 0)
        return kUnknown;
    return m_counting->RecordOfSpecified(word, listed == 1);
}

} // namespace lxty
