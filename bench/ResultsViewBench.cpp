// The results window's sort and filter on a table of a million entries: the view's work on
// each header click and each change of the filter box (the window shows only the rows in
// sight, so this is what a click costs). A plain program: each operation once is the figure.
//
//     ResultsViewBench [ENTRIES]          (default 1000000)
//
// The entries are random lower-case words of 3 to 12 letters with Zipf-like counts
// (count = 1000000 / rank, at least 1), in a table laid out as after a count: sorted, ranked.

#include "QuietHost.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "reports/ResultsView.h"
#include "settings/Settings.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <string>

using namespace lxty;

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const long entries = argc > 1 ? std::atol(argv[1]) : 1000000;
    bench::QuietHost host;
    Settings settings;
    RunState rs;
    WordTable table;
    std::mt19937_64 random(42);
    std::set<std::u16string> seen;
    const double build = Seconds([&] {
        for (long rank = 1; static_cast<long>(seen.size()) < entries; ++rank) {
            std::u16string word;
            const int length = 3 + static_cast<int>(random() % 10);
            for (int k = 0; k < length; ++k)
                word += static_cast<char16_t>(u'a' + random() % 26);
            if (!seen.insert(word).second)
                continue;
            const std::int64_t count = std::max<std::int64_t>(1, 1000000 / rank);
            table.Count(word, FileScope::SingleSource, 0);
            if (count > 1)
                table.CountRecord(table.Find(word), FileScope::SingleSource, 0,
                                  static_cast<std::uint64_t>(count - 1));
        }
        table.SortAlphabetically();
        table.Summarize(rs, host);
        table.BuildFrequencyChain(settings, rs, host);
    });
    std::cout << table.Size() << " entries (built in " << build << " s)\n";

    ResultsView view(table);
    const auto report = [&](const char* what, double s) {
        std::cout << what << ": " << s * 1000 << " ms, " << view.Shown() << " of " << view.Total()
                  << " rows shown\n";
    };
    report("reload (frequency order)", Seconds([&] { view.Reload(); }));
    report("sort by word, ascending", Seconds([&] { view.Sort(ResultsColumn::Entry, false); }));
    report("sort by word, descending", Seconds([&] { view.Sort(ResultsColumn::Entry, true); }));
    report("sort by frequency, ascending",
           Seconds([&] { view.Sort(ResultsColumn::Frequency, false); }));
    report("sort by rank, ascending", Seconds([&] { view.Sort(ResultsColumn::Rank, false); }));
    report("filter, plain text \"ing\"", Seconds([&] { view.SetFilter(u"ing"); }));
    report("filter, plain text \"QU\" (case ignored)", Seconds([&] { view.SetFilter(u"QU"); }));
    report("filter, wildcards \"a~e\"", Seconds([&] { view.SetFilter(u"a~e"); }));
    report("filter, wildcards \"?????\"", Seconds([&] { view.SetFilter(u"?????"); }));
    report("filter, pattern \"<^th.*s$>\"", Seconds([&] { view.SetFilter(u"<^th.*s$>"); }));
    report("sort by word with the filter on",
           Seconds([&] { view.Sort(ResultsColumn::Entry, false); }));
    report("filter cleared", Seconds([&] { view.SetFilter(u""); }));
    return 0;
}
