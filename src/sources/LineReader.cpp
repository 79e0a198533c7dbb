#include "sources/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

namespace lxty {

int OpenBinary(std::ifstream& in, const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return -9;
    errno = 0;
    in.open(file, std::ios::in | std::ios::binary);
    if (in.is_open())
        return 0;
    // The standard streams open through the C library, which leaves the reason in errno.
    return errno == EACCES || errno == EPERM ? -3 : -9;
}

bool LineReader::Open(const std::filesystem::path& file) {
    Close();
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        m_openError = -9;
        return false;
    }
    m_openError = m_file.Open(file);
    if (m_openError != 0)
        return false;
    const std::int64_t size = m_file.Size();
    m_size = size < 0 ? 0 : size;
    m_knownEnd = size < 0 ? std::numeric_limits<std::int64_t>::max() : size;
    if (m_buf.size() != kBlockSize)
        m_buf.resize(kBlockSize);
    return true;
}

bool LineReader::Open(const std::filesystem::path& file, std::int64_t size) {
    Close();
    // The file is read straight into the block buffer, which is kept from file to file: a
    // folder's many small files cost an open, one read and a close each.
    m_openError = m_file.Open(file);
    if (m_openError != 0)
        return false;
    m_size = m_knownEnd = size;
    if (m_buf.size() != kBlockSize)
        m_buf.resize(kBlockSize);
    return true;
}

void LineReader::OpenBytes(std::string_view bytes) {
    Close();
    m_inMemory = true;
    m_memory = bytes;
    m_size = static_cast<std::int64_t>(bytes.size());
    // Short bytes need no whole block: they fit in one as they are, as a short file does.
    const std::size_t block = std::clamp<std::size_t>(bytes.size(), 16, kBlockSize);
    if (m_buf.size() < block)
        m_buf.resize(block);
}

void LineReader::Close() {
    m_file.Close();
    m_fileRead = m_knownEnd = 0;
    m_fileEnd = false;
    m_inMemory = false;
    m_memory = {};
    m_pos = m_len = 0;
    m_lfKnown = false;
    m_skipLf = false;
    m_failed = false;
    m_openError = 0;
    m_size = 0;
    m_consumed = 0;
}

std::size_t LineReader::ReadSource(char* into, std::size_t count) {
    if (m_inMemory) {
        const std::size_t n = std::min(count, m_memory.size());
        std::memcpy(into, m_memory.data(), n);
        m_memory.remove_prefix(n);
        return n;
    }
    std::size_t got = 0;
    while (got < count && !m_fileEnd) {
        const std::int64_t n = m_file.Read(into + got, count - got);
        if (n < 0) {
            m_failed = true;
            break;
        }
        got += static_cast<std::size_t>(n);
        m_fileRead += n;
        // A read that falls short at the known end is the end (the block asked for more than
        // the file holds): no read is spent to learn it.
        m_fileEnd = n == 0 || (got < count && m_fileRead >= m_knownEnd);
    }
    return got;
}

bool LineReader::Fill() {
    m_pos = m_len = 0;
    m_lfKnown = false;
    if (!IsOpen() || m_failed)
        return false;
    m_len = ReadSource(m_buf.data(), m_buf.size());
    return m_len > 0;
}

bool LineReader::AtEnd() {
    if (m_pos < m_len)
        return false;
    if (!Fill())
        return true;
    if (m_skipLf && m_buf[0] == '\n') {
        m_skipLf = false;
        ++m_pos;
        ++m_consumed;
        return AtEnd();
    }
    return false;
}

namespace {

// Where a piece of a huge line ends within [begin, end): just after the last space or tab,
// else at end less a UTF-8 sequence that end cuts short (begin when there is nothing else).
const char* PieceEnd(const char* begin, const char* end) {
    for (const char* q = end; q != begin; --q)
        if (q[-1] == ' ' || q[-1] == '\t')
            return q;
    const char* lead = end;
    while (lead != begin && end - lead < 4 && (static_cast<unsigned char>(lead[-1]) & 0xC0) == 0x80)
        --lead;
    if (lead == begin)
        return end;
    const auto c = static_cast<unsigned char>(lead[-1]);
    const std::ptrdiff_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return end - (lead - 1) < length ? lead - 1 : end;
}

} // namespace

bool LineReader::ReadLine(std::string& line) {
    line.clear();
    bool any = false; // a partial line has been gathered (it may be empty only at a line end)
    for (;;) {
        if (m_pos == m_len && !Fill()) {
            if (m_failed)
                line.clear();
            return any && !m_failed;
        }
        if (m_skipLf) {
            m_skipLf = false;
            if (m_buf[m_pos] == '\n') {
                ++m_pos;
                ++m_consumed;
                continue;
            }
        }
        const char* const begin = m_buf.data() + m_pos;
        const char* const end = m_buf.data() + m_len;
        // Two bounded memchr calls beat a byte loop: the CR search never runs past the LF.
        // The LF found is remembered, so that a run of CR-ended lines does not search the
        // rest of the block again for every line.
        if (!m_lfKnown || m_lfAt < m_pos) {
            m_lfKnown = true;
            const void* lf = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
            m_lfAt =
                lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - m_buf.data()) : m_len;
        }
        const char* p = m_lfAt < m_len ? m_buf.data() + m_lfAt : nullptr;
        const char* const limit = p ? p : end;
        if (const void* cr = std::memchr(begin, '\r', limit - begin))
            p = static_cast<const char*>(cr);
        else if (!p)
            p = end;
        if (p == end && line.size() + static_cast<std::size_t>(end - begin) > kBlockSize) {
            // A line longer than a block goes out in pieces (line is not empty here).
            const char* const cut = PieceEnd(begin, end);
            line.append(begin, cut);
            m_consumed += cut - begin;
            m_pos += static_cast<std::size_t>(cut - begin);
            return true;
        }
        line.append(begin, p);
        if (p == end) {
            m_consumed += end - begin;
            m_pos = m_len;
            any = true;
            continue;
        }
        m_skipLf = *p == '\r';
        m_pos += static_cast<std::size_t>(p - begin) + 1;
        m_consumed += (p - begin) + 1;
        return true;
    }
}

std::string_view LineReader::Peek(std::size_t count) {
    if (m_pos == m_len)
        Fill();
    if (m_len - m_pos < count && m_pos > 0 && IsOpen() && !m_failed) {
        // Move the rest to the front and top the block up, so the bytes asked for are whole.
        std::copy(m_buf.begin() + static_cast<std::ptrdiff_t>(m_pos),
                  m_buf.begin() + static_cast<std::ptrdiff_t>(m_len), m_buf.begin());
        m_len -= m_pos;
        m_pos = 0;
        m_lfKnown = false;
        m_len += ReadSource(m_buf.data() + m_len, m_buf.size() - m_len);
    }
    return std::string_view(m_buf.data() + m_pos, std::min(count, m_len - m_pos));
}

void LineReader::Skip(std::size_t count) {
    count = std::min(count, m_len - m_pos);
    m_pos += count;
    m_consumed += static_cast<std::int64_t>(count);
}

std::size_t LineReader::ReadBytes(std::string& out, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        if (m_pos == m_len && !Fill())
            break;
        const std::size_t take = std::min(count - got, m_len - m_pos);
        out.append(m_buf.data() + m_pos, take);
        m_pos += take;
        m_consumed += static_cast<std::int64_t>(take);
        got += take;
    }
    return got;
}

} // namespace lxty
