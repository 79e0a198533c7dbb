#pragma once
// Reads the lines of a file as raw bytes, in large blocks.
//
// A line ends at CR LF, at LF or at CR, whichever the file uses, and files that mix them are
// read line by line all the same; the line end itself is not returned. A last line without a
// line end is still a line; a file that ends with a line end has no empty line after it.
// Nothing is allocated per character: the block buffer and the caller's line keep their
// capacity from line to line, so files of hundreds of megabytes read at disk speed.
//
// A line longer than a block (minified HTML, one-line data dumps) is returned in pieces of
// one to two blocks, each ending just after a space or tab, so that no word is cut in two and
// a file of one line of any length is read in bounded memory; a stretch of a whole block
// without a space or tab is cut at the block's end (never inside a UTF-8 sequence).

#include "util/InputFile.h"
#include <cstdint>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace lxty {

class LineReader {
public:
    static constexpr std::size_t kBlockSize = 1 << 20;

    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file; false when it cannot be opened (OpenError() then tells why).
    bool Open(const std::filesystem::path& file);
    // The same for a file already known to be a regular file of size bytes: it is opened and
    // nothing else is asked of the file system. The block buffer is kept from the last file.
    bool Open(const std::filesystem::path& file, std::int64_t size);
    // Reads bytes held in memory instead of a file, exactly as a file of those bytes is read.
    // bytes must outlive the reading (until Close or the next Open).
    void OpenBytes(std::string_view bytes);
    void Close();
    bool IsOpen() const { return m_file.IsOpen() || m_inMemory; }

    // The next line, its end removed, into line (replaced). false at the end of the file, or
    // when reading failed (Failed() is then true); line is empty then.
    bool ReadLine(std::string& line);

    // Up to count bytes at the current position, without consuming them (fewer only at the
    // end of the file). Used for byte-order marks before the first line.
    std::string_view Peek(std::size_t count);
    // Consumes count bytes that Peek returned.
    void Skip(std::size_t count);

    // Reads up to count raw bytes (no line splitting) into out, appending; returns the number
    // read. Used for byte-order marks and the like before the first line.
    std::size_t ReadBytes(std::string& out, std::size_t count);

    // True once every byte has been returned.
    bool AtEnd();
    // Bytes returned so far, line ends included (for progress bars).
    std::int64_t Position() const { return m_consumed; }
    // The file's length when it was opened.
    std::int64_t Size() const { return m_size; }
    // A read error happened after opening.
    bool Failed() const { return m_failed; }
    // -3 when opening was refused for lack of permission, -9 for any other reason, 0 when open.
    int OpenError() const { return m_openError; }

private:
    bool Fill();
    // Reads up to count bytes from the file or the memory into `into`; the number read.
    std::size_t ReadSource(char* into, std::size_t count);

    InputFile m_file;
    // Bytes read from the file, and where its end lies as far as known when it was opened: a
    // read that falls short there needs no further read to find the end.
    std::int64_t m_fileRead = 0;
    std::int64_t m_knownEnd = 0;
    bool m_fileEnd = false;
    std::string_view m_memory; // the bytes of OpenBytes not yet read into the block
    bool m_inMemory = false;
    std::vector<char> m_buf;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    // Where the next LF of the block lies (m_len: none), while known and not before m_pos.
    std::size_t m_lfAt = 0;
    bool m_lfKnown = false;
    bool m_skipLf = false; // the last line ended at CR: an LF right after it belongs to it
    bool m_failed = false;
    int m_openError = 0;
    std::int64_t m_size = 0;
    std::int64_t m_consumed = 0;
};

// Opens file for binary reading. Returns 0, -3 (permission denied) or -9 (any other failure).
int OpenBinary(std::ifstream& in, const std::filesystem::path& file);

} // namespace lxty
