#pragma once
// Carries out a parsed command line: loads the catalogue beside the program, applies
// --settings and --set to a fresh settings record, then runs the count.

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>

namespace lxty::cli {

// Returns the exit status: 0 produced, 1 ended at an error or refused input, 2 usage error.
int Run(const CliOptions& options, const std::string& argv0, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace lxty::cli
