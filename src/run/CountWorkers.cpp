#include "run/CountWorkers.h"

#include "base/QuietHost.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "run/CountRun.h"
#include "settings/Settings.h"
#include "sources/Docx.h"
#include "util/Format.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace lxty {

namespace {

// Batches a thread may count ahead of the one the run takes from, per thread: enough to keep
// every thread busy while the run counts a tally, few enough to bound the tallies held. Small
// batches may run further ahead (while the counting pass is still walking, say), as long as
// their files hold no more than kAheadBytes, in a window of kWindow batches.
constexpr std::size_t kAheadPerThread = 8;
constexpr std::uint64_t kAheadBytes = 4 << 20;
constexpr std::size_t kWindow = 64;

// A thread's host: nothing is shown; anything that would speak to a person marks the file,
// which the run then counts itself. Yield passes the run's stop request on.
class WorkerHost : public QuietHost {
public:
    WorkerHost(const std::atomic<bool>& stop, RunState& state) : m_stop(stop), m_state(state) {}
    bool spoke = false;

    // An input box is never answered here: the run asks the person when it counts the file.
    std::optional<std::u16string> InputBox(const std::u16string&, const std::u16string&,
                                           const std::u16string&) override {
        Spoke();
        return std::nullopt;
    }
    void Yield() override {
        if (m_stop.load(std::memory_order_relaxed))
            m_state.blnStop = true;
    }

protected:
    void Spoke() override { spoke = true; }

private:
    const std::atomic<bool>& m_stop;
    RunState& m_state;
};

} // namespace

unsigned CountThreads() {
    if (const char* forced = std::getenv("LXTY_THREADS")) {
        char* end = nullptr;
        const long n = std::strtol(forced, &end, 10);
        if (end != forced && *end == '\0' && n >= 1 && n <= 256)
            return static_cast<unsigned>(n);
    }
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

bool BatchCutter::Add(std::uint64_t size) {
    m_bytes += size;
    if (m_bytes < kBatchBytes && ++m_files < kBatchFiles)
        return false;
    m_bytes = 0;
    m_files = 0;
    return true;
}

std::vector<std::size_t> BatchStarts(const std::vector<std::uint64_t>& sizes) {
    std::vector<std::size_t> starts{0};
    BatchCutter cutter;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (cutter.Add(sizes[i]))
            starts.push_back(i + 1);
    if (starts.back() != sizes.size())
        starts.push_back(sizes.size());
    return starts;
}

// A thread's own count run and everything it counts with.
class CountWorkers::Worker {
public:
    Worker(CountRun& main, const std::atomic<bool>& stop)
        : host(stop, state), settings(main.m_settings), state(main.m_run),
          window(host), ctx{{host, settings, state, window, report}, table, main.m_ctx.locale, {}},
          run(ctx, ignore, shell) {
        ignore.SetTyped(main.m_wordsToIgnore.Typed());
        ignore.SetFileEntries(main.m_wordsToIgnore.FileEntries());
        state.blnStop = false;
        state.lngTotalNumOccurrences = 0;
        run.PrepareAsWorkerOf(main);
        table.NoteFileTallies(true);
    }

    WorkerHost host;
    Settings settings;
    RunState state;
    WordTable table;
    TextWindow window;
    ReportState report;
    ReportContext ctx;
    WordsToIgnore ignore;
    CountRunShell shell;
    CountRun run;
};

CountWorkers::CountWorkers(CountRun& run, unsigned threads)
    : m_window(std::max<std::size_t>(kWindow, kAheadPerThread * threads)) {
    for (unsigned t = 0; t < threads; ++t)
        m_workers.push_back(std::make_unique<Worker>(run, m_stop));
    m_toRecord.resize(threads);
    try {
        for (std::size_t t = 0; t < m_workers.size(); ++t)
            m_threads.emplace_back([this, t] { Work(*m_workers[t], t); });
    } catch (...) {
        Finish(); // the threads already started end before the error goes on
        throw;
    }
}

template <typename After>
bool CountWorkers::CountInto(WordTable& table, const FileTally& tally, std::int64_t file,
                             After&& after) {
    if (table.Generation() != m_generation) {
        for (auto& records : m_toRecord)
            records.clear();
        m_generation = table.Generation();
    }
    std::vector<std::int64_t>& toRecord = m_toRecord[tally.worker];
    for (std::size_t k = tally.first; k < tally.end; ++k) {
        const FileTallyWords::Word& w = tally.words->words[k];
        if (table.Generation() != m_generation) {
            // The table was read while the host had control: its records were numbered anew.
            for (auto& records : m_toRecord)
                records.clear();
            m_generation = table.Generation();
        }
        if (w.record >= toRecord.size())
            toRecord.resize(w.record + 1, -1);
        std::int64_t& record = toRecord[w.record];
        bool isNew = false;
        if (record >= 0) {
            table.CountRecord(record, FileScope::Folder, file, w.count);
        } else {
            const std::u16string_view word = tally.words->Text(w);
            isNew = table.CountMany(word, FileScope::Folder, file, w.count);
            if (table.Generation() == m_generation)
                record = table.Find(word);
            else
                m_generation = ~table.Generation(); // cleared at the next word
        }
        if (!after(isNew))
            return false;
    }
    return true;
}

CountWorkers::~CountWorkers() {
    Finish();
}

void CountWorkers::Finish() {
    Stop();
    for (std::thread& t : m_threads)
        if (t.joinable())
            t.join();
}

std::size_t CountWorkers::PiecesKnown() const {
    std::size_t n = 0;
    for (const auto& w : m_workers)
        n += w->run.PiecesKnown();
    return n;
}

void CountWorkers::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_roomAhead.notify_all();
    m_batchDone.notify_all();
}

void CountWorkers::Add(const std::filesystem::path& path, const std::u16string& shown,
                       const FileFacts& facts) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_files.push_back({path, shown, facts, 0});
    m_bytes += facts.size;
    if (m_cutter.Add(facts.size))
        CloseBatch();
}

void CountWorkers::EndOfFiles() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_starts.back() != m_files.size())
            CloseBatch();
        m_ended = true;
    }
    m_roomAhead.notify_all();
}

void CountWorkers::CloseBatch() {
    m_starts.push_back(m_files.size());
    m_bytesBefore.push_back(m_bytes);
    m_roomAhead.notify_one();
}

bool CountWorkers::MayStart(std::size_t b) const {
    if (b + 1 >= m_starts.size() || b >= m_taken + m_window.size())
        return false;
    return b < m_taken + kAheadPerThread * m_workers.size() ||
           m_bytesBefore[b + 1] - m_bytesBefore[m_taken] <= kAheadBytes;
}

void CountWorkers::Work(Worker& worker, std::size_t index) {
    std::vector<const FolderWalk::FoundFile*> files;
    for (;;) {
        std::size_t b = 0;
        std::size_t first = 0;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_roomAhead.wait(lock, [&] {
                return m_stop || MayStart(m_next) || (m_ended && m_next + 1 >= m_starts.size());
            });
            if (m_stop || !MayStart(m_next))
                return;
            b = m_next++;
            first = m_starts[b];
            files.clear();
            for (std::size_t i = m_starts[b]; i < m_starts[b + 1]; ++i)
                files.push_back(&m_files[i]);
        }
        // The batch's slot is this thread's alone until it is handed over: the run has
        // released the batch that held it before.
        CountBatch(worker, index, b, first, files);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_window[b % m_window.size()].done = true;
        }
        m_batchDone.notify_one();
    }
}

void CountWorkers::CountBatch(Worker& worker, std::size_t index, std::size_t b, std::size_t first,
                              const std::vector<const FolderWalk::FoundFile*>& files) {
    Batch& batch = m_window[b % m_window.size()];
    if (batch.tallies.size() < files.size())
        batch.tallies.resize(files.size());
    batch.words.Clear();
    for (std::size_t k = 0; k < files.size(); ++k) {
        const FolderWalk::FoundFile& file = *files[k];
        FileTally& tally = batch.tallies[k];
        tally.words = &batch.words;
        tally.first = tally.end = batch.words.words.size();
        tally.occurrences = 0;
        tally.tooComplex = {};
        tally.worker = index;
        // Documents are unpacked into folders of their own, and speak when they fail: the run
        // counts them itself. So does a stopped run: the run never takes the tally.
        tally.redo = HasDocxName(file.path) || m_stop.load(std::memory_order_relaxed);
        if (tally.redo)
            continue;
        const std::size_t units = batch.words.units.size();
        try {
            worker.host.spoke = false;
            const std::int64_t before = worker.state.lngTotalNumOccurrences;
            worker.run.SetCurrentInputPath(file.shown);
            worker.run.DoItFromPath(file.path, file.shown, false,
                                    static_cast<std::int64_t>(first + k) + 1, &file.facts);
            worker.table.TakeFileTally(batch.words);
            tally.end = batch.words.words.size();
            tally.occurrences = worker.state.lngTotalNumOccurrences - before;
            tally.tooComplex = TakeTooComplexMatch();
            // A file that stops the run (the output file, reached through a link) stops the
            // run when the run counts it itself; the thread goes on with the next file.
            tally.redo = worker.host.spoke || worker.state.blnStop;
            if (!m_stop.load(std::memory_order_relaxed))
                worker.state.blnStop = false;
        } catch (const std::exception&) {
            // What the file's words left in the thread's table goes with the file.
            try {
                worker.table.TakeFileTally(batch.words);
            } catch (const std::exception&) {
            }
            batch.words.words.resize(tally.first);
            batch.words.units.resize(units);
            tally.end = tally.first;
            tally.redo = true;
        }
        if (tally.redo)
            tally.end = tally.first;
    }
}

FileTally* CountWorkers::Take(std::size_t i, Host& host, const RunState& state) {
    // Files are taken in order: the batch of file i is the last one or one after it.
    if (i >= m_starts[m_current + 1]) {
        while (i >= m_starts[m_current + 1])
            ++m_current;
        m_inHand = false;
    }
    Batch& batch = m_window[m_current % m_window.size()];
    if (!m_inHand) {
        std::unique_lock<std::mutex> lock(m_mutex);
        // The batches before this one have been counted into the table: their slots are free
        // again (this batch's is not, until the run takes from the next).
        if (m_taken != m_current) {
            // A thread waits only when it ran as far ahead as it may.
            const bool waiting = !MayStart(m_next);
            m_taken = m_current;
            if (waiting) {
                lock.unlock();
                m_roomAhead.notify_all();
                lock.lock();
            }
        }
        while (!batch.done) {
            lock.unlock();
            host.Yield();
            if (state.blnStop) {
                Stop();
                return nullptr;
            }
            lock.lock();
            m_batchDone.wait_for(lock, std::chrono::milliseconds(20), [&] { return batch.done; });
        }
        batch.done = false;
        m_inHand = true;
    }
    return &batch.tallies[i - m_starts[m_current]];
}

// ---------------------------------------------------------------------------------------------
// The count run's side

bool CountRun::MayCountOnThreads() const {
    // Each file's words alone decide what is counted, and nothing is shown while counting.
    return m_mode == CountMode::AllWords && !m_run.blnThereAreCountOnlyWords &&
           !m_run.blnCountingMFP && !m_run.blnStripPhrases && !m_run.blnReadingWords &&
           m_settings.SuppressWords == 1 && m_capture == nullptr &&
           m_counting->Observer() == nullptr; // a watched run sees every occurrence itself
}

void CountRun::PrepareAsWorkerOf(const CountRun& main) {
    m_mode = main.m_mode;
    m_countArray = main.m_countArray;
    m_pieceCacheOn = main.m_pieceCacheOn;
    m_run.intWithinComment = -1;
    m_extractor->SetAllowedExtraChars1();
    m_extractor->SetAllowedExtraChars2();
    m_counting->StartRun();
    ResetTableForRun();
}

void CountRun::CountTally(const FileTally& tally, std::int64_t fileNumber, std::int64_t size) {
    WordTable& table = m_ctx.table;
    // The within-file bar of a large file, drawn from empty to full at once.
    const bool withinFileBar = m_processingFolder && size >= kWithinFileBarMinSize;
    if (withinFileBar) {
        m_shell.SetLabelFont("lblTotalNumOccurrences", u"Courier New", 10);
        m_host.SetLabel("lblTotalNumOccurrences", EmptyProgressBar());
    }
    if (tally.end > tally.first) {
        // The file is numbered when its first word is counted, as it is here word by word.
        const std::int64_t file = m_counting->FileOfOccurrence();
        // A yield and the stop test after each word, as when the file is counted here; the
        // within-file bar follows the words taken.
        const auto words = static_cast<double>(tally.end - tally.first);
        std::int64_t taken = 0;
        double lastCells = -1; // the bar is rewritten only when another cell fills
        m_workers->CountInto(table, tally, file, [&](bool isNew) {
            if (isNew)
                m_run.lngNumWords = table.Size();
            if (withinFileBar) {
                const double cells =
                    std::nearbyint(kProgressCells * static_cast<double>(++taken) / words);
                if (cells != lastCells) {
                    lastCells = cells;
                    m_host.SetLabel("lblTotalNumOccurrences",
                                    ProgressBar(taken, static_cast<std::int64_t>(words)));
                }
            }
            m_host.Yield();
            return !m_run.blnStop;
        });
    }
    m_run.lngTotalNumOccurrences += tally.occurrences;
    if (withinFileBar) {
        m_host.SetLabel("lblTotalNumOccurrences", ProgressBar(size, size));
        m_shell.SetLabelFont("lblTotalNumOccurrences", u"Arial", 10);
    }
    if (!tally.tooComplex.entry.empty())
        NoteTooComplexMatch(tally.tooComplex);
    if (m_processingFolder)
        m_host.SetLabel("lblNumOccurrences", ProgressBar(fileNumber, m_filesToProcess));
    m_host.SetLabel("lblNumberOfWords", u"Number of different " + WordsPhrases(m_run) +
                                            u" found so far: " +
                                            FormatCount(m_run.lngNumWords, m_ctx.locale));
}

} // namespace lxty
