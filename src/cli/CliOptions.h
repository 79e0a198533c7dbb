#pragma once
// The command line of lexitally-cli: parsing only. Anything wrong with the words typed is a
// usage error, reported in one line.
//
// The options for the settings people change most stand for --set assignments and are
// turned into them here, in the order given, so that a later --set overrides them:
//   --case-sensitive       CaseSignificant=1
//   --ignore FILE          WordsFile0=FILE
//   --only FILE            WordsFile1=FILE, and --count specified unless --count is given
//   --order alpha|freq     WordOrder=1 | WordOrder=0
//   --format N             DisplayFormat=N-1 (N from 1 to 14, as the window's list counts)
//   --phrases MIN-MAX      PhraseLength0=MIN-1, PhraseLength1=MAX-1 (1 to 25 words; "N" is
//                          N-N), and --count phrases unless --count is given
//   --min-frequency N      phrase counts: MinimumFrequency=N-1 (N from 1 to 30); other counts:
//                          IgnoreInfrequentWords=0 for N = 1, else IgnoreInfrequentWords=1 and
//                          ThresholdFrequency=the index of N in its list (2 to 9, 10 to 100
//                          in steps of 10)

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lxty::cli {

enum class CountKind { All, Specified, Phrases, Array };

struct CliOptions {
    bool help = false;
    bool version = false;
    bool listSettings = false;
    CountKind count = CountKind::All;
    bool listFiles = false;
    std::optional<std::string> settingsFile;
    std::vector<std::pair<std::string, std::string>> sets; // NAME, VALUE in the order given
    std::optional<std::string> output;
    bool textWindow = false;
    bool yes = false;
    bool no = false;
    std::optional<std::string> source;      // absent or "-": standard input
    std::optional<std::string> concordance; // the word or phrase whose occurrences to list
    int context = 40;                       // characters each side of an occurrence
};

// Parses argv (without argv[0]). On a usage error returns std::nullopt and puts the one-line
// reason in *error.
std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string* error);

// The text of --help.
std::string UsageText();

} // namespace lxty::cli
