#pragma once
// Docx documents: the text of "word/document.xml" inside the zip container, unpacked with
// libzip into a temporary folder ("LXTY001" to "LXTY999" in this process's own folder),
// turned into plain text and written to a text file that the count run reads like any other.
//
// The road of one document, as the count run takes it:
//
//   DocxDocument doc(host, state);
//   if (!doc.Prepare(path, options))   // every message of the road already shown
//       ... end this file (doc.Code() tells why) ...
//   ... judge doc.TextFile() with the text test (limit 1 per cent) and read it line by line ...
//   doc.CleanUp();                      // also done by the destructor
//
// and at program end RemoveDocxTemporaryFolders() removes whatever is left.
//
// Safety: the size the zip directory declares for the part is checked before anything is
// inflated, and inflation stops at kDocxMaxPartSize + 1 bytes whatever was declared, so a
// crafted container cannot fill the disk.
//
// The text is taken as a person reads it: the runs of a paragraph are joined as they stand
// (word processors split one word over several runs when the formatting changes), a line
// break or a table-cell end separates words with a space and a tab with a tab, every XML
// character reference is decoded, and each paragraph becomes one line. The extracted text
// file is UTF-8 with a byte-order mark, so the text test always reads it as UTF-8.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class Host;
struct RunState;

// Above this many bytes the person is asked whether to go on ("Big file").
inline constexpr std::uintmax_t kDocxBigPartSize = 10'485'760;
// Above this many bytes the document is refused ("File too big").
inline constexpr std::uintmax_t kDocxMaxPartSize = 20'971'520;

// Results of Extract (and Code() after Prepare).
enum DocxCode : int {
    kDocxOk = 0,
    kDocxNoTemporaryFolder = -1, // "Unable to create temporary folder."
    kDocxDeclined = -2,          // the person answered No (checksum or big-file question)
    kDocxChecksum = -3,          // "Invalid checksum found when processing" ...
    kDocxTooBig = -4,            // "... is too large (more than 20 Mb) to be scanned directly."
    kDocxReadError = -5,         // reading or converting failed: error + " when processing " ...
};

// True when the lower-cased extension is "docx" and the file begins with the zip signature
// "PK" 3 4 and is at least 10 bytes long. A ".docx" file without it is read as plain text.
bool IsDocx(const std::filesystem::path& file);
// Whether the file's name ends in ".docx" in any case (the first of IsDocx's tests, without
// touching the file).
bool HasDocxName(const std::filesystem::path& file);

// The first free temporary folder base/prefix + "001" .. "999" (a name taken by a folder, a
// file or a link is skipped), created; an empty path when all 999 are taken or base cannot
// be written.
std::filesystem::path CreateDocxTemporaryFolder(const std::filesystem::path& base,
                                                std::u16string_view prefix = u"LXTY");
// This process's own folder for the "LXTY001".."LXTY999" folders, made on first use with
// exclusive creation and mode 0700 under $XDG_RUNTIME_DIR (when set) or the system temporary
// folder: another Lexitally of the same person, or anyone else, never shares or fills it.
// Empty when no such folder can be made.
std::filesystem::path PrivateTemporaryFolder();
// At program end: removes this process's own folder with everything in it, and nothing else
// (another program's "LXTY" folders are left alone).
void RemoveDocxTemporaryFolders(std::u16string_view prefix = u"LXTY");
// Removes every base/prefix + "001" .. "999" folder with its contents, ignoring errors.
void RemoveDocxTemporaryFolders(const std::filesystem::path& base, std::u16string_view prefix);

// Unpacking one named part of a zip container into destination (keeping its path below it:
// "word/document.xml" for kind "docx", "content.xml" for any other kind).
struct UnpackResult {
    enum Status {
        Unpacked, // the part file is written in full and its checksum matches
        Checksum, // written in full, but libzip reports a checksum (CRC) mismatch
        TooBig,   // declared or actual size above kDocxMaxPartSize; nothing or at most
                  // kDocxMaxPartSize + 1 bytes written
        Failed,   // not a readable zip, no such part, damaged data, or a write error
    };
    Status status = Failed;
    std::uintmax_t declaredSize = 0; // what the zip directory says
    std::uintmax_t bytesWritten = 0; // what was inflated into the part file
    std::u16string error;            // for Failed: what went wrong, as a person reads it
};
UnpackResult UnpackPart(const std::filesystem::path& document,
                        const std::filesystem::path& destination, std::u16string_view kind);
// The same from the bytes of a container held in memory, the part's bytes into part (at most
// kDocxMaxPartSize + 1 of them).
UnpackResult UnpackPartFromBytes(std::string_view container, std::u16string_view kind,
                                 std::string& part);
// The part's path below a destination folder for kind.
std::filesystem::path PartPath(const std::filesystem::path& destination, std::u16string_view kind);

// How the conversion shows its progress.
struct DocxConvertOptions {
    // The label that carries the 37-cell progress bar for parts over 1,000,000 bytes.
    std::string progressLabel = "lblTotalNumOccurrences";
    // When words are shown as found: receives every 20th run's text (the count run's
    // OutputToTxb). Empty: nothing is shown.
    std::function<void(const std::u16string&)> showRun;
};

// Converts the WordprocessingML of a document part (UTF-8 bytes) into lines of text, one per
// paragraph. Yields to the host after each text run; when RunState::blnStop is then set, asks
// catalogue texts 362 (question) and 363 (title), Yes/No: Yes ends the conversion (the stop
// request stays set, and the lines so far are returned), No clears the request and goes on.
std::vector<std::u16string> ConvertWordprocessingML(std::string_view xml, Host& host,
                                                    RunState& state,
                                                    const DocxConvertOptions& options = {});

// The progress bar of the conversion: "[" + cells hyphens + ">" + (37 - cells) spaces + "]",
// cells = round(37 * position / length), at most 37.
std::u16string DocxProgressBar(std::uint64_t position, std::uint64_t length);

struct DocxOptions {
    std::u16string prefix = u"LXTY";
    std::u16string kind = u"docx";
    bool askOnChecksumError = true; // ask whether to scan anyway instead of refusing
    bool askOnBigPart = true;       // ask before scanning a part over kDocxBigPartSize
    // ExtractTextFromDocx: also keep the text as <document folder>/extracted_text/<name>.txt.
    bool keepExtractedText = false;
    // Where the temporary folders go; empty: the system temporary folder.
    std::filesystem::path temporaryBase;
    DocxConvertOptions convert;
};

// One document at a time. The temporary folder is removed by CleanUp() and the destructor.
class DocxDocument {
public:
    DocxDocument(Host& host, RunState& state);
    ~DocxDocument();
    DocxDocument(const DocxDocument&) = delete;
    DocxDocument& operator=(const DocxDocument&) = delete;

    // The whole road: Extract, ReadAndConvert, WriteRunLines to TextFile() and, when asked,
    // the copy in "extracted_text". Every failure shows its message through the host (none
    // for kDocxDeclined, which has shown its own) and cleans up. Returns true when TextFile()
    // is ready to be read.
    bool Prepare(const std::filesystem::path& document, const DocxOptions& options);
    int Code() const { return m_code; }

    // Creates the temporary folder, unpacks the part and checks its size, asking the
    // questions the options allow. Returns a DocxCode (kDocxOk to kDocxTooBig); shows no
    // failure message itself (ShowExtractFailure does).
    int Extract(const std::filesystem::path& document, const DocxOptions& options);
    // The message for a failed Extract: -1 "Unable to create temporary folder." (title:
    // catalogue text 34), -3 the checksum message ("Error"), -4 "File too big"; nothing for
    // -2 and 0.
    void ShowExtractFailure(int code, const std::filesystem::path& document);

    // Reads the part file, deletes it, its "word" folder and (unless keepFolder) the
    // temporary folder, and converts it into RunLines(). Returns "" or the error's
    // description (the count run shows it + " when processing " + document, "Error"). With
    // showErrors, failed deletions are shown too.
    std::u16string ReadAndConvert(bool showErrors, bool keepFolder,
                                  const DocxConvertOptions& options = {});
    const std::vector<std::u16string>& RunLines() const { return m_runLines; }

    // Writes the run lines to file, each followed by a line end, as UTF-8 with a byte-order
    // mark, and empties them. false when the file cannot be written.
    bool WriteRunLines(const std::filesystem::path& file);

    // Deletes the temporary folder and everything in it; errors are ignored.
    void CleanUp();

    const std::filesystem::path& TemporaryFolder() const { return m_folder; }
    // Temporary folder + document name with the extension "txt".
    const std::filesystem::path& TextFile() const { return m_textFile; }
    // The kept copy: document folder + "extracted_text" + document name with "txt".
    static std::filesystem::path ExtractedTextCopyPath(const std::filesystem::path& document);

private:
    Host& m_host;
    RunState& m_state;
    std::filesystem::path m_document;
    std::filesystem::path m_folder;
    std::filesystem::path m_textFile;
    std::u16string m_kind = u"docx";
    std::u16string m_unpackError;
    std::vector<std::u16string> m_runLines;
    int m_code = kDocxOk;
};

} // namespace lxty
