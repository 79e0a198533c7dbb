#pragma once
// Folder runs on every core. In an all-words or count-array run of a folder (without the
// words-as-found display), the files the counting pass found are counted on standard threads,
// each thread with a count run of its own (settings, run state, words to ignore, word table
// and piece cache); the run itself takes the files' tallies in file order and counts them into
// its table, so that file numbers, per-file counts and every report are what the one-thread
// run gives. Runs whose rules depend on what came before across files (all phrases, the
// specified words, the words-as-found display) stay on one thread.
//
//     CountWorkers workers(run, CountThreads());
//     ... for each file the counting pass finds: workers.Add(path, shown, facts);
//     workers.EndOfFiles();
//     ... for file n of the processing pass:
//     FileTally* tally = workers.Take(n - 1, host, runState);  // null: the run was stopped
//     if (tally && !tally->redo) ... count tally->words ...
//
// The threads start on the files while the counting pass is still finding them, so the walk
// and the counting overlap. A thread takes the files in batches of consecutive files (a large
// file alone, small ones until some 64 KiB of them), and hands a batch's tallies over at
// once: a folder of many tiny files costs a wait and a wake per batch, not per file, and the
// run takes the tallies of a batch handed over without waiting or locking again. Threads run
// ahead of the run by at most kAheadPerThread batches each, or further while the batches
// ahead hold at most kAheadBytes of files (and number at most the window's slots).
//
// A file a thread would have to speak about (a message, a question) or that is a document is
// left to the run (redo), which counts it the ordinary way when its turn comes. Stop: Take
// yields to the host while it waits and returns null once the run state's stop request is set;
// the threads see the request at their next word and end; the destructor ends and joins them.
// LXTY_THREADS=1 in the environment forces one thread (for comparisons), any other number
// that many.

#include "engine/Patterns.h"
#include "engine/WordTable.h"
#include "sources/FolderScan.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lxty {

class CountRun;
class Host;
struct RunState;

// Threads for a folder run: LXTY_THREADS when it is a whole number from 1 to 256, else the
// machine's hardware threads (at least 1).
unsigned CountThreads();

// A batch of a thread: files until they hold kBatchBytes bytes or number kBatchFiles (a file
// of kBatchBytes or more is a batch of its own).
inline constexpr std::uint64_t kBatchBytes = 64 * 1024;
inline constexpr std::size_t kBatchFiles = 256;
// Cuts a sequence of files into batches: Add says whether a batch ends with the file added.
class BatchCutter {
public:
    bool Add(std::uint64_t size);

private:
    std::uint64_t m_bytes = 0;
    std::size_t m_files = 0;
};
// Where each batch of files of these sizes begins, and sizes.size() after the last one.
std::vector<std::size_t> BatchStarts(const std::vector<std::uint64_t>& sizes);

// What a thread found in one file.
struct FileTally {
    // The words counted, in the order first counted in the file, each with its count there:
    // words->words[first] to words->words[end - 1] (a batch's files share one store).
    const FileTallyWords* words = nullptr;
    std::size_t first = 0;
    std::size_t end = 0;
    std::int64_t occurrences = 0; // words extracted (RunState::lngTotalNumOccurrences)
    TooComplexMatch tooComplex;   // the first pattern the engine gave up on in the file
    bool redo = false;            // the run counts this file itself
    std::size_t worker = 0;       // the thread that counted it
};

class CountWorkers {
public:
    // Starts threads threads, each with a copy of what run counts with; they wait for files.
    CountWorkers(CountRun& run, unsigned threads);
    ~CountWorkers();
    CountWorkers(const CountWorkers&) = delete;
    CountWorkers& operator=(const CountWorkers&) = delete;

    // The next file of the processing pass (file number Files() + 1), and the end of them.
    void Add(const std::filesystem::path& path, const std::u16string& shown,
             const FileFacts& facts);
    void EndOfFiles();
    std::size_t Files() const { return m_files.size(); }

    // The tally of file i, once a thread has it (yielding to host while waiting). Null when
    // state.blnStop was set (the threads are then stopped). Files are taken in order; a tally
    // stays valid until the next Take.
    FileTally* Take(std::size_t i, Host& host, const RunState& state);

    // Counts a tally into table (folder scope, file number file), as counting each word n
    // times would, calling after(isNew) after each word; ends early, returning false, when
    // after returns false. A word a thread's table has handed on before is counted straight
    // into the record it went to then, while the table keeps its generation.
    template <typename After>
    bool CountInto(WordTable& table, const FileTally& tally, std::int64_t file, After&& after);
    // Ends the threads (the destructor does too).
    void Finish();
    // The pieces the threads' caches know, once Finish has ended them.
    std::size_t PiecesKnown() const;

private:
    class Worker;
    // The tallies of a batch of files, in file order.
    struct Batch {
        std::vector<FileTally> tallies;
        FileTallyWords words; // of every file of the batch, kept from batch to batch
        bool done = false;    // handed over, not yet released by the run
    };
    void Work(Worker& worker, std::size_t index);
    void CountBatch(Worker& worker, std::size_t index, std::size_t batch, std::size_t first,
                    const std::vector<const FolderWalk::FoundFile*>& files);
    // Whether a thread may start batch b (the lock held).
    bool MayStart(std::size_t b) const;
    void CloseBatch();
    void Stop();

    // The files, added by the run's thread; a thread reads a file it was given the address
    // of under the lock (a deque's elements stay where they are as it grows).
    std::deque<FolderWalk::FoundFile> m_files;
    // Where each closed batch begins, and the end of the last one; the bytes of the files
    // before each of those points.
    std::vector<std::size_t> m_starts{0};
    std::vector<std::uint64_t> m_bytesBefore{0};
    std::uint64_t m_bytes = 0; // of all files added
    bool m_ended = false;      // EndOfFiles was called
    BatchCutter m_cutter;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::thread> m_threads;
    // Batches not yet released by the run, by batch number modulo the window.
    std::vector<Batch> m_window;
    std::mutex m_mutex;
    std::condition_variable m_roomAhead; // threads wait for a batch they may start
    std::condition_variable m_batchDone; // the run waits for the batch it takes from next
    std::size_t m_next = 0;              // the next batch a thread starts on
    std::size_t m_taken = 0;             // the batch the run takes from (those before: free)
    // The run's side, without the lock: the batch of the last Take and whether it is in hand.
    std::size_t m_current = 0;
    bool m_inHand = false;
    std::atomic<bool> m_stop{false};
    // The run's side: for each thread, the record of the run's table each of its records went
    // to (-1: not yet), valid while the table has generation m_generation.
    std::vector<std::vector<std::int64_t>> m_toRecord;
    std::uint64_t m_generation = 0;
};

} // namespace lxty
