#pragma once
// Reading a text file line by line as UTF-16 text: the reader the count run and the word-list
// reader use after the text test has judged the file.
//
//     TextTestResult judged = TextTest(path);            // TextDetect.h
//     TextFile file;
//     if (!file.Open(path, EncodingFor(judged))) ...     // OpenError(): -3 or -9
//     std::u16string line;
//     while (file.ReadLine(line)) { ... file.Position() / file.Size() for progress ... }
//
// Lines end at CR LF, LF or CR, in any mix (LineReader.h); a byte-order mark is skipped.
// Each encoding gives characters as follows:
//   Cp1252  one character per byte through Windows-1252, nothing else changed;
//   SevenBitSample  the sample held only bytes below 128, so it could not tell UTF-8 from
//           Windows-1252: each line is read as Windows-1252 until a line is valid UTF-8 with a
//           multi-byte sequence; from that line on the file is read as Utf8 (IsUtf8() true);
//   Utf8    complete UTF-8 decoding with the Windows-1252 fallback, then the punctuation
//           table (Utf8Decode.h);
//   Utf16LE, Utf16BE, Utf32LE, Utf32BE  the code units themselves (UTF-32 code points beyond
//           U+10FFFF or in the surrogate range become U+FFFD), then the punctuation table.
// An HTML head may switch an 8-bit file to UTF-8 in the middle (SwitchToUtf8, HtmlHead.h).

#include "sources/LineReader.h"
#include "sources/TextDetect.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lxty {

enum class TextEncoding { Cp1252, SevenBitSample, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// The encoding to read a judged file with: Utf8 when the UTF-8 flag is set, the Unicode form
// of kinds 1, 2 and 5 (a UTF-16 little-endian file that starts FF FE 00 00 is found to be
// UTF-32 little-endian when opened), SevenBitSample when the sample of a plain file held only
// bytes below 128, Cp1252 for everything else (RTF and short files too).
TextEncoding EncodingFor(const TextTestResult& judged);

class TextFile {
public:
    // Opens file for reading in encoding and skips the encoding's byte-order mark when there is
    // one. false when the file cannot be opened (OpenError() says why).
    bool Open(const std::filesystem::path& file, TextEncoding encoding);
    // The open path of a file already known to be a regular file of size bytes, read once:
    // OpenKnown opens it (nothing else is asked of the file system), Head() shows its first
    // block (all of a file up to LineReader::kBlockSize bytes) for the text test, and Begin
    // starts the lines in the encoding judged from it, skipping its byte-order mark. The
    // reader's buffers are kept from file to file.
    bool OpenKnown(const std::filesystem::path& file, std::int64_t size);
    std::string_view Head() { return m_reader.Peek(LineReader::kBlockSize); }
    void Begin(TextEncoding encoding);
    // Reads bytes held in memory as Open reads a file of them (they must outlive the reading).
    void OpenBytes(std::string_view bytes, TextEncoding encoding);
    void Close();
    bool IsOpen() const { return m_reader.IsOpen(); }

    // The next line as characters (see above) into line, which is replaced and keeps its
    // capacity. false at the end of the file or after a read error (Failed()).
    bool ReadLine(std::u16string& line);

    // Lines ReadLine has given since Open or OpenKnown (the number of the line last read).
    std::int64_t LinesRead() const { return m_lines; }

    // True when no line is left.
    bool AtEnd();

    // Switches an 8-bit (Windows-1252 or SevenBitSample) file to UTF-8 from the next line on, and
    // decodes the line last read again as UTF-8 into lastLine. Returns false, leaving everything as
    // it is, when the file is not being read as Windows-1252.
    bool SwitchToUtf8(std::u16string& lastLine);

    TextEncoding Encoding() const { return m_encoding; }
    bool IsUtf8() const { return m_encoding == TextEncoding::Utf8; }
    // Bytes read so far (line ends and byte-order mark included; for Unicode files counted by
    // whole blocks), and the file's length.
    std::int64_t Position() const { return m_reader.Position(); }
    std::int64_t Size() const { return m_reader.Size(); }
    bool Failed() const { return m_reader.Failed(); }
    // -3 (permission denied) or -9 after a failed Open; 0 otherwise.
    int OpenError() const { return m_reader.OpenError(); }

private:
    bool ReadNextLine(std::u16string& line);
    bool ReadWideLine(std::u16string& line);
    bool FillWide();
    void Decode(std::string_view bytes, std::u16string& line);

    LineReader m_reader;
    std::int64_t m_lines = 0;
    TextEncoding m_encoding = TextEncoding::Cp1252;
    static constexpr std::size_t kKeptRawCapacity = 16 << 20;
    std::string m_raw;      // the last line's bytes (8-bit encodings)
    std::string m_rawBlock; // undecoded bytes (Unicode encodings)
    std::u16string m_wide;  // decoded block (Unicode encodings)
    std::size_t m_widePos = 0;
    bool m_wideSkipLf = false;
};

// How the first-lines reader joins lines.
enum class LineJoin { Space, Slash, Lines }; // " ", " / ", the line end

struct FirstLines {
    std::u16string text;
    std::int64_t numLines = 0; // lines joined into text
};

// Reads the first lines of file as Windows-1252 text, or as UTF-8 when decodeUtf8 is set (a
// UTF-8 byte-order mark is then skipped); applies the punctuation table when
// normalisePunctuation is set; skips empty lines unless keepEmptyLines is set; joins them;
// stops after maxNonEmptyLines non-empty lines (0: no maximum). A file that cannot be opened,
// or a read error, ends the reading with what was read so far.
FirstLines ReadFirstLines(const std::filesystem::path& file, std::int64_t maxNonEmptyLines,
                          LineJoin join, bool decodeUtf8, bool normalisePunctuation,
                          bool keepEmptyLines = false);

} // namespace lxty
