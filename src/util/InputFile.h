#pragma once
// The thin platform helper for reading a file's bytes: a file descriptor where the system has
// them, so that opening one of a folder's many small files costs one open call and no
// allocation (a standard stream allocates a buffer and a C file for each file it opens).
//
//     InputFile in;
//     if (const int error = in.Open(path); error != 0) ...  // -3 or -9
//     const std::int64_t n = in.Read(buffer, size);         // -1: a read error
//
// The file is closed by Close, by the next Open and by the destructor.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#if !(defined(__unix__) || defined(__APPLE__))
#include <fstream>
#endif

namespace lxty {

class InputFile {
public:
    InputFile() = default;
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens file for reading: 0, -3 when this user may not read it, -9 for any other failure
    // (no such file, ...). A folder may open: its first read fails.
    int Open(const std::filesystem::path& file);
    bool IsOpen() const;
    void Close();
    // The open file's size (one status call); -1 when it cannot be had.
    std::int64_t Size() const;
    // One read of up to count bytes into `into`: the number read (0 at the end of the file),
    // -1 on a read error. It may be fewer than count before the end (the caller reads on).
    std::int64_t Read(char* into, std::size_t count);

private:
#if defined(__unix__) || defined(__APPLE__)
    int m_fd = -1;
#else
    std::ifstream m_in;
    std::filesystem::path m_path;
#endif
};

} // namespace lxty
