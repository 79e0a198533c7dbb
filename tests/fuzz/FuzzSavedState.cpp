// The saved-state reader: any bytes as a settings file, every question answered by default.

#include "FakeHost.h"
#include "base/RunState.h"
#include "settings/SavedState.h"
#include "settings/SettingsDefaults.h"

#include <sstream>

namespace {
struct Actions : lxty::RestoreActions {
    bool AttemptToReadWords(lxty::Settings&, int) override { return false; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Settings settings;
    RunState run;
    InitializeRecord(settings, run);
    test::FakeHost host;
    Actions actions;
    RestoreSavedStateFrom(in, settings, run, host, actions, data != nullptr && size % 2 == 0);
    return 0;
}
