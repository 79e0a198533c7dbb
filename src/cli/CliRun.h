#pragma once
// Carries out a parsed command line: loads the catalogue beside the program, applies
// --settings and --set to a fresh settings record, then runs the count.

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>

namespace lxty::cli {

// How Run ends. Tidy gives back all it took (tests call Run many times in one process).
// Quick is for a process that ends as Run returns: every file is flushed and closed as
// before, but the count's tables (millions of entries, it may be) are left to the system
// instead of being freed entry by entry; they stay reachable from a static pointer.
enum class RunEnd { Tidy, Quick };

// Returns the exit status: 0 produced, 1 ended at an error or refused input, 2 usage error.
int Run(const CliOptions& options, const std::string& argv0, std::istream& in, std::ostream& out,
        std::ostream& err, RunEnd end = RunEnd::Tidy);

} // namespace lxty::cli
