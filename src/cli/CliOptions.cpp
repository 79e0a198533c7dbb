#include "cli/CliOptions.h"

namespace lxty::cli {

std::string UsageText() {
    return R"(Usage: lexitally-cli [options] [SOURCE]

Counts the words of SOURCE with the same engine and settings as the Lexitally window.
SOURCE is a file or a folder; absent or "-" reads standard input as it comes, with no length
limit, counted as clipboard text.

Options:
  --count all|specified|phrases|array
                      count all words (default), only the specified words and phrases,
                      all phrases, or write the words-by-files count array (needs --output)
  --list-files        list the files a folder run would scan
  --settings FILE     load a settings file before anything else
  --set NAME=VALUE    set one field of the settings record (repeatable, applied in order);
                      pair fields take their index: File1, WordsToIgnoreOrCount0, PhraseLength1;
                      check boxes 0 or 1, lists their 0-based index, enumerations their option
                      name (FilterMode=IncludeAllWordsInSameOrder)
  --output FILE       write the report to FILE (without it, standard output receives what the
                      output file would hold)
  --text-window       print the text window's final text instead of the file layout
  --yes, --no         answer every question so (otherwise each takes its default button)
  --help              show this text
  --version           show the version

Messages go to standard error as "Title: text". Exit status: 0 when the report, list or array
was produced, 1 when the run ended at an error or a refused input, 2 for a usage error.
)";
}

std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string* error) {
    CliOptions o;
    auto fail = [&](const std::string& why) -> std::optional<CliOptions> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    bool sourceSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // Options that take a value accept both "--opt VALUE" and "--opt=VALUE".
        auto value = [&](const std::string& name, std::string* out) -> bool {
            if (a.size() > name.size() && a.compare(0, name.size() + 1, name + "=") == 0) {
                *out = a.substr(name.size() + 1);
                return true;
            }
            if (a == name) {
                if (i + 1 >= args.size())
                    return false;
                *out = args[++i];
                return true;
            }
            return false;
        };
        auto is = [&](const std::string& name) {
            return a == name || a.rfind(name + "=", 0) == 0;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--list-files") {
            o.listFiles = true;
        } else if (a == "--text-window") {
            o.textWindow = true;
        } else if (a == "--yes") {
            o.yes = true;
        } else if (a == "--no") {
            o.no = true;
        } else if (is("--count")) {
            if (!value("--count", &v))
                return fail("--count needs one of: all, specified, phrases, array.");
            if (v == "all")
                o.count = CountKind::All;
            else if (v == "specified")
                o.count = CountKind::Specified;
            else if (v == "phrases")
                o.count = CountKind::Phrases;
            else if (v == "array")
                o.count = CountKind::Array;
            else
                return fail("--count takes all, specified, phrases or array, not \"" + v + "\".");
        } else if (is("--settings")) {
            if (!value("--settings", &v) || v.empty())
                return fail("--settings needs a file name.");
            o.settingsFile = v;
        } else if (is("--set")) {
            if (!value("--set", &v))
                return fail("--set needs NAME=VALUE.");
            const auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0)
                return fail("--set takes NAME=VALUE; \"" + v + "\" has no name or no \"=\".");
            o.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (is("--output")) {
            if (!value("--output", &v) || v.empty())
                return fail("--output needs a file name.");
            o.output = v;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return fail("Unknown option \"" + a + "\" (see --help).");
        } else {
            if (sourceSeen)
                return fail("Only one SOURCE may be given; \"" + a + "\" is a second one.");
            sourceSeen = true;
            o.source = a;
        }
    }
    if (o.yes && o.no)
        return fail("--yes and --no cannot be given together.");
    if (o.count == CountKind::Array && !o.output && !o.help && !o.version)
        return fail("--count array needs --output FILE.");
    return o;
}

} // namespace lxty::cli
