#pragma once
// Deciding whether a file is usable text and how it is encoded.
//
// FirstBytesKind looks at the first bytes (byte-order marks, RTF, XML) and, for text-like
// extensions, at the charset declared in the first lines. TextTest runs it and then the byte
// test on a sample: bytes below 32 other than LF, CR, backspace, tab and form feed are
// anomalous, and a sample with more than limitPercent per cent of them is not text.
//
// A sample that is valid UTF-8 and holds at least one multi-byte sequence makes the file a
// UTF-8 file, whatever its extension and with or without a byte-order mark or declaration.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lxty {

// File kinds from the first bytes. The negative kinds and Rtf have the same numbers as the
// text codes of the same name, which is how TextTest passes them on.
enum class FileKind : int {
    NoName = -5,       // the name is empty
    NotFound = -1,     // the file does not exist
    ZeroLength = -2,   // length 0
    AccessDenied = -3, // it cannot be opened for lack of permission
    TooShort = -4,     // 1 to 4 bytes
    CannotOpen = -9,   // it cannot be opened or read for any other reason
    Plain = 0,         // none of the others: the byte test decides
    Utf16LE = 1,       // FF FE, or ".xml" starting "<" and a zero byte
    Utf16BE = 2,       // FE FF
    Utf8 = 3,          // EF BB BF, ".xml" starting "<" and a non-zero byte, a declaration,
                       // or a UTF-8 sample
    Utf32BE = 5,       // 00 00 FE FF
    Rtf = 6,           // starts "{\rtf"
};

// Codes of the text test.
enum class TextCode : int {
    NotText = 0,
    CrLf = 1,    // CR LF ends, no line ends, or both CR and LF; also every UTF-8 file
    Lf = 2,      // LF ends only (Unix type)
    Cr = 3,      // CR ends only (Macintosh type)
    Rtf = 6,     // an RTF document
    Unicode = 7, // UTF-16 or UTF-32
    AccessDenied = -3,
    CannotOpen = -9,
    NoName = -5, // these four as in FileKind
    NotFound = -1,
    ZeroLength = -2,
    TooShort = -4,
};

inline constexpr std::int64_t kDefaultSampleSize = 16384;

struct TextTestResult {
    TextCode code = TextCode::NotText;
    FileKind kind = FileKind::Plain;         // what FirstBytesKind (or the sample) found
    int firstAnomalousByte = 32;             // value of the first anomalous byte
    std::int64_t firstAnomalousPosition = 0; // its 1-based position; 0 when there is none
    double percentage = 0.0;                 // anomalous bytes per hundred bytes examined
    std::int64_t bytesExamined = 0;          // the sample length, or where the early verdict fell
    std::int64_t fileLength = 0;             // 0 when unknown (missing file, no name)
    bool utf8 = false;                       // the file is UTF-8
    bool sevenBitSample = false;             // every byte of the sample was below 128
};

// The lower-cased extension of file, without its dot ("" when it has none).
std::u16string LowerExtension(const std::filesystem::path& file);

// True for "txt", "log", "xml", "htm", "html", "shtm", "shtml", "xhtm", "xhtml", "csv", "prn"
// (extension without its dot, compared in lower case).
bool IsTextLikeExtension(std::u16string_view extension);

// The kind of file, AccessDenied or CannotOpen when it cannot be opened or read. Declarations in
// the first 10 non-empty lines ("charset=UTF-8", charset="UTF-8", in any case, or a UTF-8
// punctuation start E2 80) are looked at only when sniffContent is set and the extension is
// text-like.
FileKind FirstBytesKind(const std::filesystem::path& file, bool sniffContent);

// The text test. sampleSize is the number of bytes examined (16,384 at every call);
// limitPercent 1.0 for input files and extracted document text, 0 for word-list files.
// Once more than a fifth of sampleSize has been examined, a running percentage above ten times
// the limit gives the verdict "not text" at once.
TextTestResult TextTest(const std::filesystem::path& file,
                        std::int64_t sampleSize = kDefaultSampleSize, double limitPercent = 1.0,
                        bool sniffContent = true);

// The text test of a file already open, from its first bytes: head holds the first bytes of
// the file (at least the sample and the first five; all of them when the file is shorter),
// length is the file's length and file its name (for the extension). Gives what TextTest(file)
// gives for the same file, without opening or examining it again; nothing when head does not
// reach as far as the charset sniff reads (call TextTest then).
std::optional<TextTestResult> TextTestOfHead(std::string_view head, std::int64_t length,
                                             const std::filesystem::path& file,
                                             std::int64_t sampleSize = kDefaultSampleSize,
                                             double limitPercent = 1.0, bool sniffContent = true);

// The byte test alone, on bytes already in memory (the sample). Fills code (0 to 3),
// firstAnomalousByte, firstAnomalousPosition, percentage and bytesExamined of result.
void ByteTest(std::string_view sample, std::int64_t sampleSize, double limitPercent,
              TextTestResult& result);

} // namespace lxty
