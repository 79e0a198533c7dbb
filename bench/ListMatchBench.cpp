// Word-list lookups: the compiled list matcher against the entry-by-entry lookup that runs
// the expression engine over every entry for every word. The list mixes what real lists hold:
// plain words and phrases, "~" / "?" wildcard words and a few angle-bracket patterns.
//
//   cmake -S . -B build -DLXTY_BUILD_BENCH=ON && cmake --build build --target ListMatchBench
//   build/bench/ListMatchBench

#include "engine/ListMatch.h"
#include "engine/WordsToIgnore.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::u16string RandomWord(std::mt19937& rng) {
    std::u16string w;
    const int len = 2 + static_cast<int>(rng() % 7);
    for (int i = 0; i < len; ++i)
        w.push_back(static_cast<char16_t>(u'a' + rng() % 26));
    return w;
}

std::vector<std::u16string> MakeList(std::size_t size) {
    std::mt19937 rng(7);
    std::vector<std::u16string> list;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned kind = rng() % 100;
        std::u16string e = RandomWord(rng);
        if (kind < 8)
            e += u"~"; // prefix wildcard
        else if (kind < 10)
            e[1] = u'?';
        else if (kind < 11)
            e = u"<" + e.substr(0, 3) + u"[a-z]+>";
        else if (kind < 20)
            e += u"+" + RandomWord(rng); // phrase
        list.push_back(e);
    }
    return list;
}

std::vector<std::u16string> MakeTexts(std::size_t n) {
    std::mt19937 rng(11);
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < n; ++i) {
        std::u16string t = RandomWord(rng);
        if (rng() % 4 == 0)
            t += u"+" + RandomWord(rng);
        texts.push_back(t);
    }
    return texts;
}

void BM_CompiledLookup(benchmark::State& state) {
    const auto list = MakeList(static_cast<std::size_t>(state.range(0)));
    const auto texts = MakeTexts(1000);
    const lxty::ListMatcher matcher(list, false);
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        found += matcher.Lookup(texts[i++ % texts.size()]) == lxty::MatchResult::Match;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CompiledLookup)->Arg(100)->Arg(1000)->Arg(10000);

void BM_EntryByEntryLookup(benchmark::State& state) {
    const auto list = MakeList(static_cast<std::size_t>(state.range(0)));
    const auto texts = MakeTexts(1000);
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        found += lxty::WordsToIgnore::ListLookup(texts[i++ % texts.size()], list, false);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EntryByEntryLookup)->Arg(100)->Arg(1000)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
