#include "util/InputFile.h"

#include <cerrno>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lxty {

#if defined(__unix__) || defined(__APPLE__)

int InputFile::Open(const std::filesystem::path& file) {
    Close();
    do {
        m_fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return errno == EACCES || errno == EPERM ? -3 : -9;
    return 0;
}

bool InputFile::IsOpen() const {
    return m_fd >= 0;
}

void InputFile::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::int64_t InputFile::Size() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

std::int64_t InputFile::Read(char* into, std::size_t count) {
    for (;;) {
        const ssize_t n = ::read(m_fd, into, count);
        if (n >= 0)
            return static_cast<std::int64_t>(n);
        if (errno != EINTR)
            return -1;
    }
}

#else

int InputFile::Open(const std::filesystem::path& file) {
    Close();
    errno = 0;
    m_in.open(file, std::ios::in | std::ios::binary);
    if (!m_in.is_open())
        return errno == EACCES || errno == EPERM ? -3 : -9;
    m_path = file;
    return 0;
}

bool InputFile::IsOpen() const {
    return m_in.is_open();
}

void InputFile::Close() {
    if (m_in.is_open())
        m_in.close();
    m_in.clear();
}

std::int64_t InputFile::Size() const {
    std::error_code ec;
    const auto size = std::filesystem::file_size(m_path, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

std::int64_t InputFile::Read(char* into, std::size_t count) {
    m_in.read(into, static_cast<std::streamsize>(count));
    if (m_in.bad())
        return -1;
    return static_cast<std::int64_t>(m_in.gcount());
}

#endif

} // namespace lxty
