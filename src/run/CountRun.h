#pragma once
// The count run: validates the source and the settings, reads the text of the clipboard, of
// one file or of every selected file of a folder, feeds it line by line to word extraction,
// shows progress, honours a Stop request, and at the end applies the exclusions, orders the
// word table and hands it to the report. The window program and lexitally-cli share every
// line of it:
//
//     CountRun run(reportContext, wordsToIgnore, shell);
//     RunOutcome outcome = run.Start(CountMode::AllWords);   // or run.ListFiles()
//
// While Start runs, the host's Yield() serves the window's events; the count button's click
// is RequestStop() and the one-second run timer calls TimerTick().
//
// What a run works on (all owned by the main window, passed by reference): the settings record
// (source, input file File[0], folder, output file File[1], every option), the run state, the
// word table, the text window model, the report state and the words to ignore. Every message
// goes through the Host port. The window's own business (enabling controls, opening the
// settings window, reading the word lists, fonts of the progress labels) is asked of a
// CountRunShell; the parts of other run modes join through CountRunHooks.
//
// Labels written (object names of the main window): "cmdCountWords" (the count button's
// caption: catalogue text 25 while running, 21 after a Stop and when idle again; the main
// window's refresh turns 25 into 90 beyond 800 entries), "lblTimeElapsed",
// "lblNumberOfWords", "lblNumWordsExcluded", "lblNumOccurrences" (folder progress bar),
// "lblTotalNumOccurrences" (within-file progress bar), "lblFile", "lblFilesize",
// "lblXMLsize" (also the status text "This is a UTF-8 text file." and the like) and
// "lblTwirler".
//
// This header deliberately names the word table, the text window and the folder walk only by
// forward declarations, so that the folder procedure can live in its own source file.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class TextStreamReader;
class TextFile;
class CountWorkers;
struct FileFacts;
struct FileTally;
struct FileIdentity;

class Host;
class ChunkCache;
class Markup;
class WordCounting;
class WordExtractor;
class WordsToIgnore;
class TextWindow;
class WordTable;
struct ReportContext;
struct ReportState;
struct RunState;
struct Settings;

// What the person asked to count.
enum class CountMode {
    AllWords,       // every word, less the words to ignore and the exclusions
    SpecifiedWords, // only the count-only words and phrases (branch joined later)
    AllPhrases      // all phrases of consecutive words (branch joined later)
};

// How a run ended, for lexitally-cli's exit status.
enum class RunOutcome {
    Produced, // the report (a "nothing found" report included), the list or the array
    Refused,  // a check refused the input or the settings, or the person cancelled
    Stopped,  // stopped, and the partial result was not listed
    Error     // an unexpected error, or the output file could not be written
};

// Outcome of the per-file procedure (DoItFromFile).
enum class FileResult : int {
    Ok = 0,
    InvalidSpec = 1,  // "Invalid input file specification." ("Invalid input")
    NotFound = 2,     // "Input file does not exist." ("File not found")
    Empty = 3,        // "Input file not specified." / "Input file is zero-length."
    SameAsOutput = 4, // "The output file cannot be the same as the input file."
    Cancelled = 5,    // Cancel at the "Large input file" question; no message
    NotText = 6,      // not a text file; its message has been shown
    ZeroLength = 10,  // the text test found the file empty; message shown
    DocxFailed = 11,  // a docx document could not be extracted; message shown
    Unreadable = 12,  // "This file cannot be opened."; message shown
};

// Cells of every text progress bar, and the limits of the sources.
inline constexpr int kProgressCells = 40;
inline constexpr std::int64_t kClipboardLimit = 100000;
inline constexpr std::int64_t kClipboardCheckedChars = 3000;
inline constexpr std::int64_t kLargeInputFileSize = 200001;
inline constexpr std::int64_t kWithinFileBarMinSize = 10241;
inline constexpr std::int64_t kStopQuestionEntries = 800;
inline constexpr std::int64_t kCountArrayMaxFiles = 10000;

// "[" + (r - 1) hyphens + ">" + (40 - r) spaces + "]" with r = round(40 * done / total)
// (halves to even), at most 40; "[>" + 39 spaces + "]" while r is below 2.
std::u16string ProgressBar(std::int64_t done, std::int64_t total);
// The empty bar: "[" + 40 spaces + "]".
std::u16string EmptyProgressBar();

// The window's side of a run. Every member has a harmless default, so a test or the
// command-line program overrides only what it has.
class CountRunShell {
public:
    virtual ~CountRunShell() = default;
    // EnableDisableButtons: false disables every control that could change a setting.
    virtual void EnableDisableButtons(bool enable) { (void)enable; }
    // Shown after a failed comment-marker check.
    virtual void OpenSettingsWindow() {}
    // The settings window validates and reads its word lists (words to ignore, count-only
    // words) for the coming count; false ends the run (the window has said why).
    virtual bool LoadWordLists() { return true; }
    // Progress bars are drawn in "Courier New" 10 points; labels go back to "Arial" 10.
    virtual void SetLabelFont(const std::string& label, const std::u16string& font, int points) {
        (void)label;
        (void)font;
        (void)points;
    }
};

// Where the other run modes join. Empty functions are skipped.
struct CountRunHooks {
    // All phrases: size the phrase window and clear its slots (start of every run).
    std::function<void()> sizePhraseWindow;
    // All phrases: clear the phrase window except its first slot (before each line when
    // TerminatePhraseAtEndOfLine is on).
    std::function<void()> resetPhrases;
    // Word-list "Remove words to ignore from phrases" branch of extraction.
    std::function<std::u16string(const std::u16string&)> stripPhrase;
    // Specified-words branch of GetWords2.
    std::function<void(const std::u16string&)> specifiedWords;
    // Whether that branch would count a word, as a function of the word alone: 1 yes, 0 no,
    // -1 cannot be said (SpecifiedWords::CountsWord). With it, count-only runs without
    // phrases count plain text a piece at a time too.
    std::function<int(std::u16string_view)> specifiedWordCounted;
    // All phrases: the text has been read (or the run stopped); phrases a counter kept apart
    // go into the word table.
    std::function<void()> finishPhrases;
    // All phrases: remove redundant subphrases after the exclusions.
    std::function<void()> excludeRedundantSubphrases;
    // All phrases: post-listing work; returns whether any phrase met the conditions (then
    // the report is listed).
    std::function<bool()> phrasePostListing;
    // Count array: write the words-by-files array; returns whether it was written.
    std::function<bool()> writeCountArray;
    // Appends ". " to the all-phrases window's progress text (timer, while redundant
    // subphrases are being excluded).
    std::function<void()> phraseProgressTick;
    // Watching a run (the concordance). fileStarted: a file's name as shown, before its first
    // line ("" for the clipboard or a stream). textRead: each line of a file as read, before
    // it is trimmed and extracted, with its number in the file (a line after a skipped HTML
    // head: the number of the head's last line); or each piece of clipboard or stream text as
    // extracted, with line number 0.
    std::function<void(const std::u16string&)> fileStarted;
    std::function<void(const std::u16string&, std::int64_t line)> textRead;
};

class CountRun {
public:
    CountRun(ReportContext& ctx, WordsToIgnore& wordsToIgnore, CountRunShell& shell);
    ~CountRun();
    CountRun(const CountRun&) = delete;
    CountRun& operator=(const CountRun&) = delete;

    CountRunHooks& Hooks() { return m_hooks; }
    // Lines of plain text in all-words runs are counted a piece between spaces at a time,
    // through a cache of what each distinct piece yields (on by default). Tests and
    // benchmarks turn it off to compare with the word-by-word path; the results are the same.
    void SetPieceCache(bool on) { m_pieceCacheOn = on; }
    // The number of distinct pieces the cache knows (0 when it served no line); after a folder
    // counted on threads, the pieces their caches knew.
    std::size_t PiecesKnown() const;
    // The run's counting procedures (GetWords2, AddWordToList, the totals labels); the
    // specified-words and phrase branches count through it.
    WordCounting& Counting() { return *m_counting; }

    // Starts a run in mode (the count-choice dialog or the all-phrases button has decided)
    // and returns when it has ended. countArray: build the words-by-files count array instead
    // of the report. Returns Refused at once when a run is already in progress.
    RunOutcome Start(CountMode mode, bool countArray = false);

    // "List files to be scanned": clears the text window, writes the listing header, one
    // line per selected file and the closing line. Refused for an invalid folder or pattern.
    RunOutcome ListFiles();

    // The count button's click while a run is in progress (see the questions in the .cpp).
    // Returns whether the stop request is now set.
    bool RequestStop();

    // The run timer's tick, once a second: counts only while run.blnElapsedTimeRunning.
    void TimerTick();

    bool IsRunning() const { return m_running; }
    // A count has completed and its results are in the table.
    bool ResultsAvailable() const { return m_resultsAvailable; }

    // --- The pieces of a run (public for the tests) ----------------------------------------

    // The count routine, with every validation in order; Start wraps it.
    RunOutcome DoIt();
    // Takes the clipboard text into the pending text; false (after its message) when there
    // is none or too much.
    bool ReadClipboard();
    // Checks and counts the pending text; false when it was refused.
    bool DoItFromClipboard();
    // The per-file procedure: path is the input file; singleFile tells a single-file source
    // from a file of a folder run (fileNumber counts those from 1). Returns how it ended.
    FileResult DoItFromFile(const std::u16string& path, bool singleFile,
                            std::int64_t fileNumber = 0);

    // The same for a path the folder walk found (its name need not be valid Unicode); name is
    // the path as shown. known: what the walk's status call found of the file, so that it is
    // not asked again (null: one status call here).
    FileResult DoItFromPath(const std::filesystem::path& file, const std::u16string& name,
                            bool singleFile, std::int64_t fileNumber,
                            const FileFacts* known = nullptr);

    // Text from a stream (standard input) stands for the clipboard text: it is counted piece
    // by piece as it comes, without the clipboard's size limit. Null: the host's clipboard.
    void SetTextStream(std::istream* in) { m_textStream = in; }

    const std::u16string& PendingText() const { return m_pendingText; }
    void SetPendingText(std::u16string text) { m_pendingText = std::move(text); }

    // Folder passes in progress (for the stop question and the tests).
    bool ListingFiles() const { return m_listFiles; }
    bool CountingFiles() const { return m_countingFiles; }
    bool ProcessingFolder() const { return m_processingFolder; }
    std::int64_t FilesToProcess() const { return m_filesToProcess; }

private:
    friend class CountRunFolderClient;
    friend class CountWorkers;

    // Makes this run count files for main on a thread of its own (CountWorkers): the state
    // main's run set up before its source was read, and an empty table.
    void PrepareAsWorkerOf(const CountRun& main);
    // Whether this folder run's files may be counted on threads (see CountWorkers.h).
    bool MayCountOnThreads() const;
    // Counts a thread's tally of the file being processed into the table, as counting the
    // file here would.
    void CountTally(const FileTally& tally, std::int64_t fileNumber, std::int64_t size);

    // The folder procedure (CountFolder.cpp): false when the run is to end here.
    bool DoFolder(RunOutcome& endWith);
    // The listing walk for ListFiles and list-files mode.
    bool WalkForListing();

    // Small doors into the report side, for the folder source file.
    void OutputToTxb(const std::u16string& text);
    void OutputSet(const std::u16string& text);
    void ClearOutput();
    bool ChooseOutputFileForRun();
    void SetFolderProgress(std::int64_t files, std::int64_t folders, bool inProgress);
    void SetScannedCounts(std::int64_t files, std::int64_t folders);
    void ResetTableForRun();
    void SetCurrentInputPath(const std::u16string& path);

    // Pieces of DoIt.
    bool ValidateFrequencies();
    void StartTiming();
    FileResult ReadFile(const std::u16string& path, bool singleFile, std::int64_t fileNumber,
                        const std::filesystem::path& textFile, bool docx, std::int64_t fileSize);
    // The output file is the file of identity (or has the same name, ignoring case).
    bool IsOutputFile(const std::u16string& name, const FileIdentity& identity);
    // Extracts the words of one line read from a file; line is left holding unspecified text.
    void ExtractLine(std::u16string& line);
    // The same for a line of plain text in an all-words run, a piece between spaces at a
    // time through the piece cache; false, having done nothing, when the line or the run is
    // not one the cache can serve.
    bool ExtractLineByPieces(std::u16string& line);
    bool LearnPiece(std::u16string_view piece);
    // The record a word of a piece is counted in (WordCounting::RecordOf and kDropped,
    // kNotCounted), or kUnknown when the piece may not be remembered.
    static constexpr std::int64_t kUnknown = -3;
    std::int64_t RecordForPiece(std::u16string_view word) const;
    void TakePendingPieces();
    void ValidatePieces();
    void ApplyOtherModeExclusions();
    RunOutcome ListResults();
    bool CheckSettingsForRun();
    bool ReadSource(RunOutcome& endWith);
    void ReportFileRefusal(FileResult code);
    void WindUpStopped(bool& listPartial);
    void StopTiming();
    void AppendLine(const std::u16string& text);
    void ShowRunningCaption();
    void ReportUnexpected(const std::u16string& procedure, const std::exception* e);

    ReportContext& m_ctx;
    Host& m_host;
    Settings& m_settings;
    RunState& m_run;
    WordsToIgnore& m_wordsToIgnore;
    CountRunShell& m_shell;
    CountRunHooks m_hooks;

    class Sink;
    std::unique_ptr<Markup> m_markup;
    std::unique_ptr<Sink> m_sink;
    std::unique_ptr<WordCounting> m_counting;
    std::unique_ptr<WordExtractor> m_extractor;
    std::unique_ptr<ChunkCache> m_pieces;
    std::unique_ptr<TextFile> m_file;  // the reader of every input file, buffers kept
    CountWorkers* m_workers = nullptr; // while a folder's files are counted on threads
    std::size_t m_piecesOnThreads = 0; // pieces the threads' caches knew at their end
    // Which real file the output file is, asked once per table reset.
    std::unique_ptr<FileIdentity> m_outputIdentity;
    bool m_outputIdentityKnown = false;
    std::istream* m_textStream = nullptr;
    std::unique_ptr<TextStreamReader> m_streamReader; // while a stream is counted
    bool m_pieceCacheOn = true;
    std::int64_t m_pieceLookups = 0; // in this run
    std::int64_t m_pieceMisses = 0;
    std::vector<std::u16string>* m_capture = nullptr; // words handed to GetWords2, when set
    std::vector<std::u16string> m_captured;
    std::vector<std::int64_t> m_capturedRecords;
    std::vector<std::uint64_t> m_separators; // a bit per unit of that line

    CountMode m_mode = CountMode::AllWords;
    bool m_countArray = false;
    bool m_running = false;
    bool m_timed = false;         // this run has started its timer
    bool m_readingSource = false; // reading the source (the timer shows the entries found so far)
    bool m_excludingSubphrases = false;
    bool m_resultsAvailable = false;
    bool m_listFiles = false;
    bool m_countingFiles = false;
    bool m_processingFolder = false;
    std::int64_t m_filesCounted = 0;
    std::int64_t m_filesToProcess = 0;
    std::int64_t m_lineNumber = 0; // of the file line being extracted
    std::u16string m_pendingText;
    std::u16string m_countButtonCaption;
};

} // namespace lxty
