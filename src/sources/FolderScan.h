#pragma once
// The folder source: checking the folder before a run, walking it (and its subfolders) to
// count, list or process the files that the pattern boxes select, and small folder helpers.
//
// A folder run walks the tree twice: a counting pass that only counts the selected files (no
// file is opened), so that the progress bar of the second pass has its total, then a
// processing pass that hands each selected file to the count run (the files the counting pass
// found, in the same order, when the same walk counted them just before). "List files to be
// scanned" is a counting pass that also writes one listing line per file.
//
// The walk visits files, then subfolders, each in name order (ignoring case, exact name as
// the tie-break), so file numbers are the same on every run and every machine. It visits
// each real folder and each real file once, however many links lead to it (the first path
// met in that order is the one used), never follows a link into the system's virtual
// folders (/proc, /sys, /dev), never enters a subfolder whose name contains "recycle.bin",
// and skips folders and files it cannot read, naming them in one message (UnreadableMessage)
// at the end of the counting or listing pass; an unreadable file is not among the files
// counted. Zero-length files are never selected: there is
// nothing in them to count. Nor are the text copies that docx extraction keeps
// ("extracted_text/<name>.txt" beside "<name>.docx"): their words are already counted in the
// document itself.

#include "sources/FilePatterns.h"
#include "util/FileIdentity.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace lxty {

class Host;
struct RunState;
struct Settings;

// The checks of the folder box before a folder run or a listing, each with its message:
//   empty box                      "Folder not specified."  ("Error", exclamation)
//   no such folder                 "Folder does not exist"  ("Invalid input", exclamation)
//   folder that cannot be read     "Cannot read the folder <folder> (<reason>)."
//                                  ("Invalid input", exclamation)
//   no file directly in the folder "Folder contains no files."  ("Nothing to do", information)
//   output file inside the folder  "The output file cannot be in the folder or a subfolder."
//                                  ("Invalid output file", information)
// The last check applies only when an output file is named and output to a file is enabled;
// with IncludeSubfolders any depth counts, otherwise only the folder itself. Paths are
// compared ignoring case, whole folder names only ("/data/ab" is not inside "/data/a").
// Returns true when the folder may be walked.
bool ValidateFolder(Host& host, const Settings& settings);

// The pass a walk runs in.
enum class WalkPass {
    Counting,   // count the selected files; show "Counting files . . ." + count as it goes
    Listing,    // count them and write one listing line per file to the output window
    Processing, // hand each selected file to the client
};

// The count run's side of a walk.
class FolderWalkClient {
public:
    virtual ~FolderWalkClient() = default;
    // Processing pass only: read and count one file (the per-file procedure). fileNumber
    // counts the files of this pass from 1, in walk order. To end the walk, set
    // RunState::blnStop.
    virtual void ProcessFile(const std::filesystem::path& file, const std::u16string& shownPath,
                             std::int64_t fileNumber) = 0;
    // Counting pass only: each selected file as it is met, in walk order (as FoundFiles()
    // lists them once the pass is complete), so that work on them may start early.
    virtual void FileFound(const std::filesystem::path& file, const std::u16string& shownPath,
                           const FileFacts& facts) {
        (void)file, (void)shownPath, (void)facts;
    }
    // The output window: append text / replace all of it (the count run's OutputToTxb and
    // its clearing). The walk writes the "Counting files . . ." counter with OutputSet and
    // the listing lines with OutputAppend.
    virtual void OutputAppend(const std::u16string& text) = 0;
    virtual void OutputSet(const std::u16string& text) = 0;
};

struct FolderWalkOptions {
    WalkPass pass = WalkPass::Counting;
    bool includeSubfolders = false; // Settings::IncludeSubfolders
    // The count-only words/phrases file in force (specified-words runs), else empty. Meeting
    // it among the selected files ends the walk with a kept message and the stop request.
    std::u16string countOnlyFile;
};

// One pass over one folder tree.
//
//   FolderWalk walk(host, state, FileSelection::FromSettings(settings), client);
//   walk.Run(settings.Folder, {WalkPass::Counting, settings.IncludeSubfolders != 0, ""});
//   ... walk.FilesCounted() is the total for the progress bar ...
//   walk.Run(settings.Folder, {WalkPass::Processing, ...});
//
// "List files to be scanned":
//
//   client.OutputSet(u"");
//   client.OutputAppend(ListingHeader(settings.Folder));
//   walk.Run(settings.Folder, {WalkPass::Listing, settings.IncludeSubfolders != 0, ""});
//   client.OutputAppend(ListingFooter(walk.FilesCounted(), walk.FoldersCounted()));
//
// For each selected file, in every pass, the walk shows its path in the label "lblFile" and
// clears "lblFilesize" and "lblXMLsize" (the input-file box is the client's to fill, from
// shownPath). It yields to the host after each file and after each subfolder, and ends as
// soon as RunState::blnStop is set.
class FolderWalk {
public:
    FolderWalk(Host& host, RunState& state, FileSelection selection, FolderWalkClient& client);

    // Walks folder in the given pass. The counts start again at each call: FilesCounted() is
    // 0 and FoldersCounted() is 1 (the folder itself) before the first file.
    void Run(const std::u16string& folder, const FolderWalkOptions& options);

    // Selected files met in the last pass (in the processing pass: handed to the client).
    std::int64_t FilesCounted() const { return m_files; }
    // Folders walked in the last pass, the folder itself included.
    std::int64_t FoldersCounted() const { return m_folders; }
    // The message kept when the walk met the count-only words/phrases file (empty otherwise);
    // the count run writes it to the output window after "Stopped while counting files".
    const std::u16string& KeptMessage() const { return m_keptMessage; }
    // While the client processes a file: what the walk's one status call found of it (its
    // size, and which real file it is).
    const FileFacts& CurrentFile() const { return m_current; }

    // A file the counting pass selected, and the folders walked when it was met.
    struct FoundFile {
        std::filesystem::path path;
        std::u16string shown;
        FileFacts facts;
        std::int64_t folders = 1;
    };
    // After a complete counting pass: its files in walk order, which a processing pass of the
    // same folder hands to the client as files 1, 2, ... (empty otherwise).
    const std::vector<FoundFile>& FoundFiles() const { return m_found; }

private:
    // copiesOf: for an "extracted_text" folder, the documents of its parent folder (lower-cased
    // names without ".docx"), whose kept text copies are not selected.
    void Walk(const std::filesystem::path& folder, const std::u16string& shownFolder,
              const std::vector<std::u16string>* copiesOf);
    void VisitFile(const std::filesystem::path& file, const std::u16string& shown,
                   const FileFacts& facts);
    void ShowCount();
    void NoteUnreadable(const std::u16string& shown, const std::error_code& ec);

    Host& m_host;
    RunState& m_state;
    FileSelection m_selection;
    FolderWalkClient& m_client;
    FolderWalkOptions m_options;
    std::u16string m_root; // the folder as given, for the "{Folder}" shortening
    // The real folders and files met in this pass (each is visited once).
    std::unordered_set<FileIdentity, FileIdentityHash> m_visitedFolders;
    std::unordered_set<FileIdentity, FileIdentityHash> m_visitedFiles;
    std::int64_t m_files = 0;
    std::int64_t m_folders = 0;
    bool m_ended = false;
    std::u16string m_keptMessage;
    FileFacts m_current;
    // The files of the last complete counting pass, in walk order: the processing pass of the
    // same folder goes over them instead of listing and examining every folder again, so a
    // file costs one status call in the whole run.
    std::vector<FoundFile> m_found;
    bool m_foundComplete = false;
    std::u16string m_foundRoot;
    bool m_foundSubfolders = false;
    std::vector<std::u16string> m_unreadable; // "path (reason)" of each unreadable one
};

// The message after a counting or listing pass that met folders or files it cannot read
// (each "path (reason)"): "These folders or files cannot be read, so they are not scanned:"
// and one line for each of the first 20, then "... and N more." (title "Unreadable folders or
// files", exclamation icon). The walk goes on without them.
std::u16string UnreadableMessage(const std::vector<std::u16string>& named);

// The listing of "List files to be scanned": the header written before the walk ("{Folder} =
// " + folder + CR LF CR LF when the folder path is longer than 13 characters, else nothing),
// one line per file (the path, its folder part replaced by "{Folder}" for such long folder
// paths, then " [" + size with 2 decimals + "]" and CR LF), and the closing line written
// after it. Paths are shown as EscapedPath shows them.
std::u16string ListingHeader(const std::u16string& folder);
std::u16string ListingLine(const std::u16string& folder, const std::u16string& fullPath,
                           std::uintmax_t size);
// CR LF + "N files in M folders will be scanned." + CR LF, or CR LF + "No files will be
// scanned." when files is 0.
std::u16string ListingFooter(std::int64_t files, std::int64_t folders);

// A path as the person reads it (UTF-8 names decoded; undecodable bytes as U+FFFD).
std::u16string ShownPath(const std::filesystem::path& path);
// A path as written into a listing or a table, one row per path: a line end, tab or other
// control character (U+0000 to U+001F, U+007F to U+009F) is shown as "\n", "\r", "\t" or
// "\x" and two lower-case hex digits ("\x1b"), and a backslash is doubled where it stands
// before "n", "r", "t", "x" or another backslash, so that every shown path reads back as one.
// Any other path is shown as it is.
std::u16string EscapedPath(std::u16string_view path);
// A path from the text of a box (UTF-16 to the native form).
std::filesystem::path PathFromText(std::u16string_view text);

// Folder helpers. Errors are never thrown: an unreadable folder counts as empty.
struct FolderFileCount {
    std::int64_t files = 0;
    std::uintmax_t totalSize = 0; // filled only when asked
};
// Files directly in folder (not in subfolders) whose names match pattern ("*.*": all);
// stopAtFirst ends the count at the first file found, withSize adds up their sizes.
FolderFileCount CountFiles(const std::filesystem::path& folder,
                           std::u16string_view pattern = u"*.*", bool stopAtFirst = false,
                           bool withSize = false);
// Subfolders directly in folder.
std::int64_t CountSubfolders(const std::filesystem::path& folder);
bool FileExists(const std::filesystem::path& file);
bool FolderExists(const std::filesystem::path& folder);
// Creates folder and every missing level above it; true when it exists afterwards.
bool CreateFolderPath(const std::filesystem::path& folder);

} // namespace lxty
