// The redundant-subphrase step of an all-phrases run on word tables of growing size: the
// entries of every phrase of 2 to 6 words of generated text (a Zipf-like vocabulary, so that
// many phrases share counts), all included. Ten times the entries should take at most about
// fifteen times as long; the pairwise comparison it replaces grows with the square.
//
// Run: build/bench/PhraseBench --benchmark_counters_tabular=true

#include "QuietHost.h"
#include "base/Host.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "phrases/PhraseResults.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

// Every phrase of 2 to 6 words of `words` generated words, counted into the table.
void FillTable(lxty::WordTable& table, std::int64_t words) {
    std::mt19937 rng(42);
    const int vocabulary = 2000;
    std::vector<double> weights(vocabulary);
    for (int i = 0; i < vocabulary; ++i)
        weights[i] = 1.0 / std::pow(i + 1.0, 1.1);
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    std::vector<std::u16string> text;
    text.reserve(static_cast<std::size_t>(words));
    for (std::int64_t i = 0; i < words; ++i) {
        int w = pick(rng);
        std::u16string word;
        do {
            word += static_cast<char16_t>(u'a' + w % 26);
            w /= 26;
        } while (w > 0);
        text.push_back(word);
    }
    table.Reset();
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::u16string phrase = text[i];
        for (std::size_t n = 2; n <= 6 && i + n <= text.size(); ++n) {
            phrase += u' ';
            phrase += text[i + n - 1];
            table.Count(phrase, lxty::FileScope::None, 0);
        }
    }
}

void BM_ExcludeRedundantSubphrases(benchmark::State& state) {
    lxty::bench::QuietHost host;
    lxty::RunState run;
    lxty::WordTable table;
    std::int64_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FillTable(table, state.range(0));
        entries = table.Size();
        state.ResumeTiming();
        lxty::ExcludeRedundantSubphrases(table, run, host);
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ExcludeRedundantSubphrases)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
