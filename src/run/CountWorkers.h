#pragma once
// Folder runs on every core. In an all-words or count-array run of a folder (without the
// words-as-found display), the files the counting pass found are counted on standard threads,
// each thread with a count run of its own (settings, run state, words to ignore, word table
// and piece cache), a file at a time; the run itself takes the files' tallies in file order and
// counts them into its table, so that file numbers, per-file counts and every report are what
// the one-thread run gives. Runs whose rules depend on what came before across files (all
// phrases, the specified words, the words-as-found display) stay on one thread.
//
//     CountWorkers workers(run, walk.FoundFiles(), CountThreads());
//     ... for file n of the processing pass:
//     FileTally* tally = workers.Take(n - 1, host, runState);  // null: the run was stopped
//     if (tally && !tally->redo) ... count tally->words ...
//
// A file a thread would have to speak about (a message, a question) or that is a document is
// left to the run (redo), which counts it the ordinary way when its turn comes. Stop: Take
// yields to the host while it waits and returns null once the run state's stop request is set;
// the threads see the request at their next word and end; the destructor ends and joins them.
// LXTY_THREADS=1 in the environment forces one thread (for comparisons), any other number
// that many; a folder of files averaging under 16 KiB is counted on one thread all the same.

#include "engine/Patterns.h"
#include "engine/WordTable.h"
#include "sources/FolderScan.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
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

// Files of a folder run are worth counting on threads when they hold on average at least
// kThreadsMinAverageSize bytes: a smaller file's words take less time to count than the
// handing of them between threads (a wait and a wake for each file), so a folder of tiny files
// is counted faster on the run's own thread.
inline constexpr std::uint64_t kThreadsMinAverageSize = 16384;
bool WorthThreads(const std::vector<FolderWalk::FoundFile>& files);

// What a thread found in one file.
struct FileTally {
    // The words counted, in the order first counted in the file, each with its count there.
    FileTallyWords words;
    std::int64_t occurrences = 0; // words extracted (RunState::lngTotalNumOccurrences)
    TooComplexMatch tooComplex;   // the first pattern the engine gave up on in the file
    bool redo = false;            // the run counts this file itself
    std::size_t worker = 0;       // the thread that counted it
};

class CountWorkers {
public:
    // Starts threads threads on files (file i is file number i + 1 of the processing pass),
    // each with a copy of what run counts with.
    CountWorkers(CountRun& run, const std::vector<FolderWalk::FoundFile>& files, unsigned threads);
    ~CountWorkers();
    CountWorkers(const CountWorkers&) = delete;
    CountWorkers& operator=(const CountWorkers&) = delete;

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
    void Work(Worker& worker, std::size_t index);
    void Stop();

    const std::vector<FolderWalk::FoundFile>& m_files;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::thread> m_threads;
    // Tallies of files not yet taken, by file index modulo the window.
    std::vector<FileTally> m_slots;
    std::vector<char> m_done;
    std::mutex m_mutex;
    std::condition_variable m_roomAhead; // threads wait for a file they may start
    std::condition_variable m_fileDone;  // the run waits for the file it takes next
    std::size_t m_next = 0;              // the next file a thread starts on
    std::size_t m_taken = 0;             // files taken by the run
    std::atomic<bool> m_stop{false};
    // The run's side: for each thread, the record of the run's table each of its records went
    // to (-1: not yet), valid while the table has generation m_generation.
    std::vector<std::vector<std::int64_t>> m_toRecord;
    std::uint64_t m_generation = 0;
};

} // namespace lxty
