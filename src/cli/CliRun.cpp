#include "cli/CliRun.h"

#include "cli/CliHost.h"
#include "settings/Settings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "engine/RunState.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <filesystem>
#include <iostream>

namespace lxty::cli {

namespace {

// The folder of the running program, where the data files live.
std::filesystem::path ProgramFolder(const std::string& argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return std::filesystem::absolute(std::filesystem::path(argv0), ec).parent_path();
}

} // namespace

int Run(const CliOptions& options, const std::string& argv0, std::istream& in, std::ostream& out,
        std::ostream& err) {
    (void)in;
    (void)out;
    CliHost host(err, options.yes ? ForcedAnswer::Yes
                                  : (options.no ? ForcedAnswer::No : ForcedAnswer::None));
    const auto catalogue = ProgramFolder(argv0) / "lxty.dat";
    const int loaded = LoadProgramTexts(catalogue);
    if (loaded <= 0)
        host.MessageBox(CatalogueLoadMessage(loaded, catalogue), u"", MsgIcon::Critical);

    Settings settings;
    RunState state;
    InitializeRecord(settings, state);
    for (const auto& [name, value] : options.sets) {
        std::u16string why;
        if (!SetFieldByName(settings, Utf8ToU16(name), Utf8ToU16(value), &why)) {
            err << "lexitally-cli: " << U16ToUtf8(why) << '\n';
            return 2;
        }
    }
    ApplyFieldDependencies(settings);
    err << "lexitally-cli: counting is not available in this build yet.\n";
    return 1;
}

} // namespace lxty::cli
