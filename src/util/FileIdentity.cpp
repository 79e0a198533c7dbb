#include "util/FileIdentity.h"

#include <functional>
#include <string_view>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
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

std::optional<FileFacts> FactsOf(const std::filesystem::path& path) {
    FileFacts facts;
#if defined(__unix__) || defined(__APPLE__)
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    facts.type = S_ISREG(st.st_mode)   ? FileFacts::Type::Regular
                 : S_ISDIR(st.st_mode) ? FileFacts::Type::Folder
                                       : FileFacts::Type::Other;
    if (facts.type == FileFacts::Type::Regular)
        facts.size = static_cast<std::uint64_t>(st.st_size);
    facts.identity =
        FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
#else
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
#endif
    return facts;
}

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
