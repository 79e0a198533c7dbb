// The whole all-words count path on one file, as lexitally-cli runs it with its default
// settings and the report going to a file: the text test, reading the lines, extraction, the
// word table, the sort, the exclusions, the summary, the frequency chain and the report.
// A plain program rather than a Google Benchmark: one run of a large file is the figure.
//
//     CountRunBench TEXT [OUTPUT] [--set Name=Value ...]
//
// Prints the wall and CPU seconds, the input's megabytes per second and the counts. The
// host answers every question with its default answer and shows nothing.

#include "QuietHost.h"
#include "base/Host.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "run/CountRun.h"
#include "settings/Settings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace lxty;

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: CountRunBench TEXT [OUTPUT] [--word-by-word] [--set Name=Value ...]\n";
        return 2;
    }
    const std::filesystem::path input = argv[1];
    std::filesystem::path output = std::filesystem::temp_directory_path() / "CountRunBench.txt";
    int next = 2;
    if (argc > 2 && std::string(argv[2]) != "--set" && std::string(argv[2]) != "--word-by-word") {
        output = argv[2];
        next = 3;
    }
    // --word-by-word: without the piece cache, to compare the two paths.
    bool pieces = true;
    if (next < argc && std::string(argv[next]) == "--word-by-word") {
        pieces = false;
        ++next;
    }
    LoadProgramTexts(std::filesystem::path(LXTY_DATA_DIR) / "lxty.dat");

    bench::QuietHost host(&std::cerr);
    Settings settings;
    RunState run;
    InitializeRecord(settings, run);
    for (int i = next; i + 1 < argc; i += 2) {
        const std::string set = argv[i + 1];
        const auto eq = set.find('=');
        std::u16string why;
        if (std::string(argv[i]) != "--set" || eq == std::string::npos ||
            !SetFieldByName(settings, Utf8ToU16(set.substr(0, eq)), Utf8ToU16(set.substr(eq + 1)),
                            &why)) {
            std::cerr << "bad setting " << set << ": " << U16ToUtf8(why) << "\n";
            return 2;
        }
    }
    ApplyFieldDependencies(settings);
    settings.Source = SourceKind::InFile;
    settings.File[0] = Utf8ToU16(input.string());
    settings.File[1] = Utf8ToU16(output.string());
    std::filesystem::remove(output);

    TextWindow window{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, window, report}, table, {}, {}};
    WordsToIgnore ignore;
    CountRunShell shell;
    CountRun countRun{ctx, ignore, shell};
    countRun.SetPieceCache(pieces);

    const auto start = std::chrono::steady_clock::now();
    const double cpu0 = CpuSeconds();
    const RunOutcome outcome = countRun.Start(CountMode::AllWords);
    const double cpu = CpuSeconds() - cpu0;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const double mb = static_cast<double>(std::filesystem::file_size(input)) / 1e6;
    std::cout << "outcome " << static_cast<int>(outcome) << ", " << run.lngTotalNumOccurrences
              << " words, " << run.lngNumWords << " distinct\n"
              << "wall " << wall << " s (" << mb / wall << " MB/s), cpu " << cpu << " s ("
              << mb / cpu << " MB/s)\n";
    return outcome == RunOutcome::Produced ? 0 : 1;
}
