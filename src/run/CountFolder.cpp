// The folder source of the count run: the counting pass, the processing pass and the listing
// of the files to be scanned. Kept apart from CountRun.cpp because the folder walk's helpers
// and the word table share type names; this file reaches the report side only through
// CountRun's own members.

#include "run/CountRun.h"
#include "run/CountWorkers.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "sources/FilePatterns.h"
#include "sources/FolderScan.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/LineEnd.h"

#include <exception>
#include <memory>

namespace lxty {

// The count run's side of a folder walk.
class CountRunFolderClient : public FolderWalkClient {
public:
    explicit CountRunFolderClient(CountRun& run) : m_run(run) {}

    void ProcessFile(const std::filesystem::path& file, const std::u16string& shownPath,
                     std::int64_t fileNumber) override {
        m_run.m_filesCounted = fileNumber;
        m_run.SetFolderProgress(fileNumber, walk != nullptr ? walk->FoldersCounted() : 1, true);
        // The word table numbers the files by the path shown for them.
        m_run.SetCurrentInputPath(shownPath);
        if (m_run.m_workers != nullptr) {
            const FileTally* tally = m_run.m_workers->Take(static_cast<std::size_t>(fileNumber - 1),
                                                           m_run.m_host, m_run.m_run);
            if (tally == nullptr)
                return; // stopped
            if (!tally->redo) {
                m_run.CountTally(*tally, fileNumber,
                                 static_cast<std::int64_t>(walk->CurrentFile().size));
                return;
            }
        }
        m_run.DoItFromPath(file, shownPath, false, fileNumber,
                           walk != nullptr ? &walk->CurrentFile() : nullptr);
    }
    // The threads start on the files as the counting pass finds them.
    void FileFound(const std::filesystem::path& file, const std::u16string& shownPath,
                   const FileFacts& facts) override {
        if (workers != nullptr)
            workers->Add(file, shownPath, facts);
    }
    void OutputAppend(const std::u16string& text) override { m_run.OutputToTxb(text); }
    void OutputSet(const std::u16string& text) override { m_run.OutputSet(text); }

    FolderWalk* walk = nullptr;
    CountWorkers* workers = nullptr; // during the counting pass

private:
    CountRun& m_run;
};

bool CountRun::DoFolder(RunOutcome& endWith) {
    endWith = RunOutcome::Refused;
    if (!ValidateFolder(m_host, m_settings))
        return false;
    ShowRunningCaption();
    m_shell.EnableDisableButtons(false);

    CountRunFolderClient client(*this);
    FolderWalk walk(m_host, m_run, FileSelection::FromSettings(m_settings), client);
    client.walk = &walk;
    FolderWalkOptions options;
    options.includeSubfolders = m_settings.IncludeSubfolders == 1;
    if (m_run.blnThereAreCountOnlyWords && !m_settings.WordsFile[1].paths.empty() &&
        m_settings.WordsFile[1].selected >= 0 &&
        m_settings.WordsFile[1].selected < static_cast<int>(m_settings.WordsFile[1].paths.size()))
        options.countOnlyFile =
            m_settings.WordsFile[1]
                .paths[static_cast<std::size_t>(m_settings.WordsFile[1].selected)];

    // Threads, where the run allows them: they count the files the counting pass finds while
    // it goes on walking.
    const unsigned threads = CountThreads();
    const bool threaded = !m_listFiles && threads > 1 && MayCountOnThreads();
    std::unique_ptr<CountWorkers> workers;
    const auto startThreads = [&] {
        try {
            workers = std::make_unique<CountWorkers>(*this, threads);
        } catch (const std::exception&) {
            workers.reset(); // no threads to be had: the run counts the files itself
        }
    };
    if (threaded)
        startThreads();
    // What the threads count with, to know whether it still holds for the processing pass.
    const Settings settingsForThreads = m_settings;

    // Counting pass (and, for "List files to be scanned", the listing).
    options.pass = m_listFiles ? WalkPass::Listing : WalkPass::Counting;
    m_countingFiles = true;
    client.workers = workers.get();
    walk.Run(m_settings.Folder, options);
    client.workers = nullptr;
    m_countingFiles = false;
    const std::int64_t files = walk.FilesCounted();
    const std::int64_t folders = walk.FoldersCounted();
    m_filesToProcess = files;

    if (m_run.blnStop) {
        OutputToTxb(std::u16string(kLineEnd) + u"Stopped while counting files (so far: " +
                    FileFolderCountText(files, folders) + u").");
        if (!walk.KeptMessage().empty())
            OutputToTxb(walk.KeptMessage());
        endWith = RunOutcome::Stopped;
        return false;
    }

    if (m_listFiles) {
        OutputToTxb(ListingFooter(files, folders));
        endWith = RunOutcome::Produced;
        return false;
    }

    if (m_countArray && files > kCountArrayMaxFiles) {
        m_host.MessageBox(u"The number of files to be scanned is" + std::u16string(u" ") +
                              Digits(files) + u"." + std::u16string(kLineEnd) +
                              u"But when creating an Excel file of words/phrases vs files" +
                              std::u16string(kLineEnd) + u"the maximum number of files is 10,000.",
                          u"Too many files", MsgIcon::Information);
        return false;
    }

    if (m_settings.File[1].find_first_not_of(u' ') == std::u16string::npos && files >= 2) {
        const MsgAnswer a = m_host.Ask(
            u"When scanning multiple files or folders" + std::u16string(kLineEnd) +
                u"you must specify an output file in case" + std::u16string(kLineEnd) +
                u"the text window will not hold the result.",
            u"Multiple files/folders", MsgIcon::Exclamation, MsgButtons::OkCancel, MsgAnswer::Ok);
        if (a == MsgAnswer::Cancel)
            return false;
        ChooseOutputFileForRun();
        if (m_settings.File[1].find_first_not_of(u' ') == std::u16string::npos)
            return false;
    }

    // Processing pass, on every core where the run allows it. The threads started during the
    // counting pass go on when they have every file and count with what the run counts with
    // (a question may have named another output file); otherwise they start anew.
    if (threaded && files > 1 && walk.FoundFiles().size() == static_cast<std::size_t>(files) &&
        (!workers || workers->Files() != walk.FoundFiles().size() ||
         !(m_settings == settingsForThreads))) {
        workers.reset();
        startThreads();
        if (workers)
            for (const FolderWalk::FoundFile& f : walk.FoundFiles())
                workers->Add(f.path, f.shown, f.facts);
    }
    if (workers && (files <= 1 || workers->Files() != static_cast<std::size_t>(files)))
        workers.reset();
    if (workers)
        workers->EndOfFiles();
    m_workers = workers.get();
    ResetTableForRun();
    m_shell.SetLabelFont("lblNumOccurrences", u"Courier New", 10);
    m_host.SetLabel("lblNumOccurrences", EmptyProgressBar());
    m_processingFolder = true;
    SetFolderProgress(0, 1, true);
    options.pass = WalkPass::Processing;
    try {
        walk.Run(m_settings.Folder, options);
    } catch (...) {
        m_workers = nullptr;
        throw;
    }
    m_workers = nullptr;
    if (workers) {
        workers->Finish();
        m_piecesOnThreads = workers->PiecesKnown();
        workers.reset();
    }
    m_processingFolder = false;
    m_filesCounted = walk.FilesCounted();
    SetScannedCounts(walk.FilesCounted(), walk.FoldersCounted());
    SetFolderProgress(walk.FilesCounted(), walk.FoldersCounted(), false);
    m_shell.SetLabelFont("lblNumOccurrences", u"Arial", 10);
    return true;
}

RunOutcome CountRun::ListFiles() {
    if (m_running)
        return RunOutcome::Refused;
    m_running = true;
    m_listFiles = true;
    m_shell.EnableDisableButtons(false);
    m_run.blnStop = false;

    RunOutcome outcome = RunOutcome::Refused;
    try {
        ClearOutput();
        const std::u16string header = ListingHeader(m_settings.Folder);
        if (!header.empty())
            OutputToTxb(header);
        // Patterns that a run would refuse would list nothing sensible either.
        if (ValidatePatterns(m_host, FileSelection::FromSettings(m_settings)))
            DoFolder(outcome);
    } catch (const std::exception& e) {
        ReportUnexpected(u"ListFiles", &e);
        outcome = RunOutcome::Error;
    }

    m_listFiles = false;
    m_countingFiles = false;
    m_host.SetLabel("lblFile", u"");
    m_host.SetLabel("cmdCountWords", GetText(TextId::CountWordsPhrases));
    m_shell.EnableDisableButtons(true);
    m_run.blnStop = false;
    m_running = false;
    return outcome;
}

} // namespace lxty
