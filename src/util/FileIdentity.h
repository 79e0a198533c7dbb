#pragma once
// The thin platform helper for what std::filesystem does not say: which real file a path
// names (so that a file or folder reached by several links is visited once), and whether a
// path lies in the system's virtual file systems.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lxty {

// A real file or folder: its device and inode (elsewhere, its canonical path's hash).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileIdentityHash {
    std::size_t operator()(const FileIdentity& id) const noexcept {
        return static_cast<std::size_t>(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
    }
};

// The identity of what path names, links followed; nothing when it cannot be found.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// What one status call says of what path names, links followed.
struct FileFacts {
    enum class Type { Regular, Folder, Other };
    Type type = Type::Other;
    std::uint64_t size = 0; // regular files only
    FileIdentity identity;
};

// The facts of path in one status call; nothing when it cannot be found (or the call fails).
std::optional<FileFacts> FactsOf(const std::filesystem::path& path);

// A folder held open while its files are examined, so that each file is looked up by its name
// alone instead of its whole path again. Where the folder cannot be held open (or the system
// has no such calls) the calls go by the whole path, with the same results.
class FolderLookup {
public:
    explicit FolderLookup(const std::filesystem::path& folder);
    ~FolderLookup();
    FolderLookup(const FolderLookup&) = delete;
    FolderLookup& operator=(const FolderLookup&) = delete;

    // FactsOf(file), for a file directly in the folder (folder / name).
    std::optional<FileFacts> FactsOf(const std::filesystem::path& file) const;
    // 0 when this user may read file, as access(R_OK) decides it (root, groups, access control
    // lists), else the reason (an errno value).
    int ReadError(const std::filesystem::path& file) const;

private:
    int m_fd = -1;
};

// True for a canonical path in the system's virtual file systems (/proc, /sys, /dev), whose
// folders are endless or change while they are read: never walked through a link.
bool IsVirtualSystemPath(const std::filesystem::path& canonical);

// True when path names something that exists but is neither a regular file nor a folder (a
// FIFO, a device, a socket), links followed. Opening such a thing to read or write may block
// for ever (a FIFO without a partner) or never end (/dev/zero), so it is refused unopened.
bool IsSpecialFile(const std::filesystem::path& path);

// Creates folder, which must not exist yet, readable and writable by this user alone (mode
// 0700 from the start, not changed afterwards). False when it exists or cannot be made.
bool CreatePrivateFolder(const std::filesystem::path& folder);

} // namespace lxty
