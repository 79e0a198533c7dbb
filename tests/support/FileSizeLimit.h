#pragma once
// A full disk for one test: while the object lives, this process may write no file beyond
// `bytes` (RLIMIT_FSIZE), and a write past it fails with EFBIG (reported as "Disk full")
// instead of raising SIGXFSZ. Unlike /dev/full, the files stay regular files that can be
// renamed into place, so a test sees what a real full disk does to a write that replaces one.

#include <csignal>
#include <sys/resource.h>

namespace lxty::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace lxty::test
