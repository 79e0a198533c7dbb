// lexitally-cli: the counting engine from a shell, with the same settings record as the window.

#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/CliRun.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = lxty::cli::ParseCommandLine(args, &error);
    if (!options) {
        std::cerr << "lexitally-cli: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << lxty::cli::UsageText();
        return 0;
    }
    if (options->version) {
        std::cout << "lexitally-cli " << LXTY_VERSION << '\n';
        return 0;
    }
    return lxty::cli::Run(*options, argc > 0 ? argv[0] : "", std::cin, std::cout, std::cerr,
                          lxty::cli::RunEnd::Quick);
}
