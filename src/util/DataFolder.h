#pragma once
// Where the programs find their data files (lxty.dat, the common-word lists, the sample text,
// the manual): beside the program when it runs from the build folder, in ../share/lexitally
// relative to it once installed.

#include <filesystem>

namespace lxty {

// programFolder: the folder of the running program. Returns the first of programFolder and
// programFolder/../share/lexitally that holds "lxty.dat"; programFolder itself when neither
// does, so that the catalogue's "cannot open" message names the place a person would look.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder);

} // namespace lxty
