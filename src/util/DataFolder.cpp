#include "util/DataFolder.h"

namespace lxty {

std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder) {
    namespace fs = std::filesystem;
    const fs::path installed = (programFolder / ".." / "share" / "lexitally").lexically_normal();
    for (const fs::path& folder : {programFolder, installed}) {
        std::error_code ec;
        if (fs::is_regular_file(folder / "lxty.dat", ec))
            return folder;
    }
    return programFolder;
}

} // namespace lxty
