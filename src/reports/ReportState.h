#pragma once
// Report and output state that the main window owns besides the shared run state, and the
// bundle of objects that the output destinations work on.

#include "base/Host.h"
#include "base/RunState.h"
#include "reports/TextWindow.h"
#include "settings/Settings.h"

#include <cstdint>

namespace lxty {

struct ReportState {
    // The report has been written to the output file in the current ListWords.
    bool blnWrittenToFile = false;
    // The count was stopped and the person chose to list the partial result.
    bool blnListIsPartial = false;
    // Word-column width of the listing in progress (set by SetColumnWidths).
    int intWordWidth = 0;
    // Files and folders scanned by the last folder run (the folder walk sets them).
    std::int64_t lngNumFilesScanned = 0;
    std::int64_t lngNumFoldersScanned = 0;
    // Option events are ignored while the main window resets an option itself.
    bool blnSuppressOptionEvents = false;
};

// The objects the output destinations read and change, all owned by the main window.
struct OutputContext {
    Host& host;
    Settings& settings;
    RunState& run;
    TextWindow& textWindow;
    ReportState& report;
};

} // namespace lxty
