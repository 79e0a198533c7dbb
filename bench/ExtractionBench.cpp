// Throughput of word extraction alone: the lines of a real text, lower-cased and ended with a
// space as the count run hands them over, go through WordExtractor::ExtractWords with the
// count-run settings; the words go to a sink that does nothing, so neither the word table nor
// the reports are measured.
//
// The text: a path in LXTY_BENCH_TEXT, or the first argument that is not a --benchmark flag.
// See bench/README.md for how to make the King James Bible text used for the figures.

#include "QuietHost.h"
#include "base/Host.h"
#include "base/RunState.h"
#include "engine/WordExtraction.h"
#include "settings/Settings.h"
#include "sources/Markup.h"
#include "util/StringUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace lxty;

// The yield stands for the window's event loop: the compiler may not drop the work around it.
class YieldingHost : public bench::QuietHost {
public:
    void Yield() override { benchmark::ClobberMemory(); }
};

// Keeps the words alive just enough that the compiler cannot drop the extraction.
class CountingSink : public WordSink {
public:
    std::int64_t chars = 0;
    void GetWords2(const std::u16string& word) override {
        chars += static_cast<std::int64_t>(word.size());
    }
};

std::string g_path;
std::vector<std::u16string> g_lines; // lower-cased, each ended with one space
std::int64_t g_bytes = 0;

bool LoadText() {
    std::ifstream in(g_path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    const std::string bytes = ss.str();
    g_bytes = static_cast<std::int64_t>(bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos)
            nl = bytes.size();
        std::u16string line =
            LowerCaseAll(Utf8ToU16(std::string_view(bytes).substr(start, nl - start)));
        line.push_back(u' ');
        g_lines.push_back(std::move(line));
        start = nl + 1;
    }
    return true;
}

void RunExtraction(benchmark::State& st, void (*configure)(Settings&), std::u16string_view markup) {
    Settings settings;
    configure(settings);
    RunState state;
    state.blnStartUpCompleted = true; // yields per position and per word, as in the program
    Markup mk;
    YieldingHost host;
    CountingSink sink;
    WordExtractor ex(settings, state, mk, host, sink);
    ex.SetAllowedExtraChars1();
    ex.SetAllowedExtraChars2();
    ex.SetMarkupTypeFromExtension(markup);
    for (auto _ : st) {
        for (const auto& line : g_lines) {
            state.strLine = line;
            ex.ExtractWords();
        }
    }
    benchmark::DoNotOptimize(sink.chars);
    st.SetBytesProcessed(st.iterations() * g_bytes);
    st.counters["words"] = benchmark::Counter(static_cast<double>(state.lngTotalNumOccurrences),
                                              benchmark::Counter::kIsRate);
}

void Defaults(Settings&) {}
void Everything(Settings& s) {
    s.AllowWordsWithApostrophes = s.AllowWordsWithUnderscores = s.AllowWordsWithColons = 1;
    s.AllowWordsWithBackslashes = s.AllowWordsWithForwardslashes = 1;
    s.AllowWordsWithPeriods = s.AllowWordsWithAtSigns = s.AllowWordsWithNumerals = 1;
    s.AllowWordsWithParentheses = s.AllowWordsWithAmpersands = s.AllowWordsWithCommas = 1;
}
void NoPlurals(Settings& s) {
    s.DropFinalS = 0;
}

void BM_ExtractDefaultSettings(benchmark::State& st) {
    RunExtraction(st, Defaults, u"txt");
}
void BM_ExtractAllCharactersAllowed(benchmark::State& st) {
    RunExtraction(st, Everything, u"txt");
}
void BM_ExtractNoPluralReduction(benchmark::State& st) {
    RunExtraction(st, NoPlurals, u"txt");
}
// The same text read as an HTML file: marker search at every position, entity decoding.
void BM_ExtractAsHtml(benchmark::State& st) {
    RunExtraction(st, Defaults, u"html");
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (const char* env = std::getenv("LXTY_BENCH_TEXT"))
        g_path = env;
    for (int i = 1; i < argc && g_path.empty(); ++i)
        g_path = argv[i];
    if (g_path.empty() || !LoadText()) {
        std::cerr << "ExtractionBench measures word extraction on a real text and needs one.\n"
                     "Give its path in LXTY_BENCH_TEXT or as the first argument, e.g.\n"
                     "  bible -l80 'Gen1:1-Rev22:21' > /tmp/kjv.txt\n"
                     "  LXTY_BENCH_TEXT=/tmp/kjv.txt "
                  << argv[0] << "\n";
        if (!g_path.empty())
            std::cerr << "Cannot read \"" << g_path << "\".\n";
        return 2;
    }
    std::cerr << "Text: " << g_path << " (" << g_bytes << " bytes, " << g_lines.size()
              << " lines)\n";
    benchmark::RegisterBenchmark("ExtractDefaultSettings", BM_ExtractDefaultSettings)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ExtractAllCharactersAllowed", BM_ExtractAllCharactersAllowed)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ExtractNoPluralReduction", BM_ExtractNoPluralReduction)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ExtractAsHtml", BM_ExtractAsHtml)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
