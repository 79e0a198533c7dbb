#pragma once
// The command line of lexitally-cli: parsing only. Anything wrong with the words typed is a
// usage error, reported in one line.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lxty::cli {

enum class CountKind { All, Specified, Phrases, Array };

struct CliOptions {
    bool help = false;
    bool version = false;
    CountKind count = CountKind::All;
    bool listFiles = false;
    std::optional<std::string> settingsFile;
    std::vector<std::pair<std::string, std::string>> sets; // NAME, VALUE in the order given
    std::optional<std::string> output;
    bool textWindow = false;
    bool yes = false;
    bool no = false;
    std::optional<std::string> source; // absent or "-": standard input
};

// Parses argv (without argv[0]). On a usage error returns std::nullopt and puts the one-line
// reason in *error.
std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string* error);

// The text of --help.
std::string UsageText();

} // namespace lxty::cli
