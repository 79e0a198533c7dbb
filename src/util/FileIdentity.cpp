#include "util/FileIdentity.h"

#include <functional>
#include <string_view>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lxty {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
#if defined(__unix__) || defined(__APPLE__)
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
#else
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(path, ec);
    if (ec)
        return std::nullopt;
    return FileIdentity{0, std::hash<std::filesystem::path::string_type>{}(canonical.native())};
#endif
}

#if defined(__unix__) || defined(__APPLE__)
namespace {

FileFacts FactsOfStatus(const struct stat& st) {
    FileFacts facts;
    facts.type = S_ISREG(st.st_mode)   ? FileFacts::Type::Regular
                 : S_ISDIR(st.st_mode) ? FileFacts::Type::Folder
                                       : FileFacts::Type::Other;
    if (facts.type == FileFacts::Type::Regular)
        facts.size = static_cast<std::uint64_t>(st.st_size);
    facts.identity =
        FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return facts;
}

} // namespace
#endif

std::optional<FileFacts> FactsOf(const std::filesystem::path& path) {
#if defined(__unix__) || defined(__APPLE__)
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FactsOfStatus(st);
#else
    FileFacts facts;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return std::nullopt;
    facts.type = std::filesystem::is_regular_file(status) ? FileFacts::Type::Regular
                 : std::filesystem::is_directory(status)  ? FileFacts::Type::Folder
                                                          : FileFacts::Type::Other;
    if (facts.type == FileFacts::Type::Regular) {
        facts.size = std::filesystem::file_size(path, ec);
        if (ec)
            return std::nullopt;
    }
    const std::optional<FileIdentity> id = IdentityOf(path);
    if (!id)
        return std::nullopt;
    facts.identity = *id;
    return facts;
#endif
}

#if defined(__unix__) || defined(__APPLE__)

namespace {

// The name of file within its folder, in place.
const char* NameOf(const std::filesystem::path& file) {
    const std::string& text = file.native();
    const std::size_t slash = text.rfind('/');
    return text.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

FolderLookup::FolderLookup(const std::filesystem::path& folder)
    : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

FolderLookup::~FolderLookup() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<FileFacts> FolderLookup::FactsOf(const std::filesystem::path& file) const {
    if (m_fd < 0 || *NameOf(file) == '\0')
        return lxty::FactsOf(file);
    struct stat st {};
    if (::fstatat(m_fd, NameOf(file), &st, 0) != 0)
        return std::nullopt;
    return FactsOfStatus(st);
}

int FolderLookup::ReadError(const std::filesystem::path& file) const {
    const int result = m_fd >= 0 && *NameOf(file) != '\0' ? ::faccessat(m_fd, NameOf(file), R_OK, 0)
                                                          : ::access(file.c_str(), R_OK);
    return result == 0 ? 0 : errno;
}

#else

FolderLookup::FolderLookup(const std::filesystem::path&) {}
FolderLookup::~FolderLookup() = default;

std::optional<FileFacts> FolderLookup::FactsOf(const std::filesystem::path& file) const {
    return lxty::FactsOf(file);
}

int FolderLookup::ReadError(const std::filesystem::path& file) const {
    std::error_code ec;
    (void)std::filesystem::status(file, ec);
    return ec ? ec.value() : 0;
}

#endif

bool IsVirtualSystemPath(const std::filesystem::path& canonical) {
#if defined(__unix__) || defined(__APPLE__)
    const std::string& text = canonical.native();
    for (const std::string_view root : {"/proc", "/sys", "/dev"}) {
        if (text.starts_with(root) && (text.size() == root.size() || text[root.size()] == '/'))
            return true;
    }
#else
    (void)canonical;
#endif
    return false;
}

bool IsSpecialFile(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}

bool CreatePrivateFolder(const std::filesystem::path& folder) {
#if defined(__unix__) || defined(__APPLE__)
    return ::mkdir(folder.c_str(), 0700) == 0;
#else
    std::error_code ec;
    return std::filesystem::create_directory(folder, ec) && !ec;
#endif
}

} // namespace lxty
