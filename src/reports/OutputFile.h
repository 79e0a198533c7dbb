#pragma once
// The report's output file: choosing it, deciding at the start of a listing whether it is
// written (with the overwrite question), writing it, and reporting a failure.
//
// The file is UTF-8, each line ended by CR LF. It is open only while one listing is written.
// A failure to open or write is kept as a FileError with the classic error numbers: 70
// "Permission denied" (no access, read-only, locked or busy), 61 "Disk full", 76 "Path not
// found", 57 "Device I/O error", 67 "Too many files", 52 "Bad file name or number", and 75
// "Path/File access error" for anything else.

#include "reports/ReportState.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace lxty {

struct FileError {
    std::int64_t number = 0;
    std::u16string description;
    bool operator==(const FileError&) const = default;
};

// The error number and description for a system error code (errno).
FileError FileErrorFromErrno(int err);

// A path from the engine's UTF-16 text (UTF-16 to the native form). One function for the
// whole engine: it is defined with the folder walk (sources/FolderScan.cpp) and declared here
// as well, so that report code need not include the folder walk.
std::filesystem::path PathFromText(std::u16string_view text);
// The text of a path, for the boxes that show it.
std::u16string TextFromPath(const std::filesystem::path& path);

// A file open for sequential output. It is written to a temporary file beside the target and
// renamed over the target only by a successful Close, so that a failed or abandoned write
// leaves the previous file byte for byte (a target reached through a link is replaced behind
// the link; the old file's permissions carry over). A target that exists and is not a regular
// file (a folder, a device, a pipe) is refused (75), a write-protected one too (70). After the
// first failure every further call does nothing; Error() tells what went wrong.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Starts the file's new content. False (and Error()) when it cannot be written.
    bool Open(const std::filesystem::path& path);
    // Writes text as it is / followed by CR LF.
    bool Write(std::u16string_view text);
    bool WriteLine(std::u16string_view text);
    // Flushes, closes and puts the new content in place; false when any of it failed (the
    // previous file is then untouched).
    bool Close();
    // Ends the write without touching the target (the destructor does this too).
    void Discard();

    bool IsOpen() const { return m_out.is_open(); }
    bool Failed() const { return m_error.has_value(); }
    const std::optional<FileError>& Error() const { return m_error; }

private:
    void Fail(int err);
    bool Put(std::u16string_view text, bool lineEnd);

    std::ofstream m_out;
    std::string m_bytes; // the UTF-8 of the text being written
    std::filesystem::path m_target;
    std::filesystem::path m_temp; // the content being written; empty once renamed or removed
    std::optional<FileError> m_error;
};

// Replaces an existing file by an empty one (a finished run that found nothing); false on
// failure, which leaves the file as it was. A file that does not exist is not created.
bool EmptyOutputFile(const std::filesystem::path& path);

// At the start of a listing that has entries: sets run.blnOutputFile when an output file is
// named and DisableOutputToFile is off. With WarnOnOverwrite on and an existing file, asks in
// an input box titled "The output file exists." (default answer: the current path): an empty
// answer or Cancel turns DisableOutputToFile on; an answer whose folder does not exist gives
// "Folder does not exist." ("Error", exclamation) and turns DisableOutputToFile on; any other
// answer, trimmed, becomes the output file. Returns run.blnOutputFile.
bool DecideOutputFile(OutputContext& ctx);

// The report of a failure while the output file is open: error 70 gives "Perhaps the output
// file" CR LF "is in use by another application." titled "Permission denied" (information);
// any other error goes to ReportError with procedure "ListWords". The caller closes the file
// and empties the text window.
void ReportOutputFileError(OutputContext& ctx, const FileError& error);

// The "Output file" button: a save dialog titled catalogue text 47; the chosen path becomes
// the output file, unless the source is a folder and the path lies in that folder or one of
// its subfolders ("The output file cannot be in the folder or a subfolder", titled "Invalid
// output file"; the output file is then emptied). A named output file turns
// DisableOutputToFile off. Returns false when the dialog was cancelled.
bool ChooseOutputFile(OutputContext& ctx);

// The clear button beside the output-file box: no output file, DisableOutputToFile off.
void ClearOutputFile(Settings& settings);

// Whether path lies in folder or below it (whole path components, lexically).
bool IsInFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

} // namespace lxty
