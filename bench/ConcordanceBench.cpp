// The concordance of one word over a large text: the whole count run again, watched occurrence
// by occurrence (without the piece cache), and each hit with its context. A plain program:
// one run is the figure. For comparison, the same file counted as lexitally-cli counts it.
//
//     ConcordanceBench TEXT [WORD] [REPEAT]      (default "lord", 25)
//
// TEXT is written REPEAT times into one file in the system's temporary folder first (the King
// James Bible 25 times is about 107 MB).

#include "QuietHost.h"
#include "run/Concordance.h"
#include "run/CountSession.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

using namespace lxty;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: ConcordanceBench TEXT [WORD] [REPEAT]\n";
        return 2;
    }
    const std::string word = argc > 2 ? argv[2] : "lord";
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 25;
    LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat");

    const fs::path big = fs::temp_directory_path() / "ConcordanceBench.txt";
    const fs::path report = fs::temp_directory_path() / "ConcordanceBench.out";
    {
        std::ifstream in(argv[1], std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::ofstream out(big, std::ios::binary);
        for (int i = 0; i < repeat; ++i)
            out << text.str();
    }
    const double mb = static_cast<double>(fs::file_size(big)) / 1e6;

    const auto run = [&](bool concordance) {
        bench::QuietHost host(&std::cerr);
        CountSession session(host, fs::path(LXTY_DATA_DIR));
        InitializeRecord(session.settings, session.state);
        session.state.blnStartUpCompleted = true;
        session.settings.Source = SourceKind::InFile;
        session.settings.File[0] = Utf8ToU16(big.string());
        session.settings.File[1] = Utf8ToU16(report.string());
        Concordance finder(session);
        std::int64_t characters = 0;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu0 = std::clock();
        const RunOutcome outcome =
            concordance
                ? finder.Run(CountMode::AllWords, Utf8ToU16(word), 40,
                             [&](const ConcordanceHit& hit) {
                                 characters += static_cast<std::int64_t>(FormatHit(hit, 40).size());
                             })
                : session.Count(CountMode::AllWords);
        const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << (concordance ? "concordance of \"" + word + "\"" : std::string("plain count"))
                  << ": outcome " << static_cast<int>(outcome) << ", wall " << wall << " s ("
                  << mb / wall << " MB/s), cpu " << cpu << " s";
        if (concordance)
            std::cout << ", " << finder.Hits() << " hits, " << characters << " characters listed";
        std::cout << "\n";
    };
    std::cout << mb << " MB\n";
    run(false);
    run(true);
    fs::remove(big);
    fs::remove(report);
    return 0;
}
