// Throughput of reading a file as lines of characters: the text test on the sample, then
// every line through TextFile::ReadLine, as the count run reads a single file. The files are
// generated once (about 120 MB each) in the system's temporary folder: a Windows-1252 file with
// CR LF ends, and a UTF-8 file with LF ends whose lines hold accented letters and typographic
// quotes and dashes, so decoding and the punctuation table are measured too.

#include "sources/TextFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTargetBytes = 120u << 20;

std::filesystem::path MakeFile(const char* name, bool utf8) {
    const auto path = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) >= kTargetBytes)
        return path;
    const std::vector<std::string> words =
        utf8 ? std::vector<std::string>{"the",
                                        "quick",
                                        "brown",
                                        "fox",
                                        "caf\xC3\xA9",
                                        "na\xC3\xAFve",
                                        "\xE2\x80\x9Cquoted\xE2\x80\x9D",
                                        "\xE2\x80\x94",
                                        "of",
                                        "a",
                                        "long",
                                        "book"}
             : std::vector<std::string>{"the",     "quick",    "brown",          "fox",
                                        "caf\xE9", "na\xEFve", "\x93quoted\x94", "\x97",
                                        "of",      "a",        "long",           "book"};
    std::mt19937 random(1);
    std::string block;
    for (int line = 0; line < 40000; ++line) {
        const int n = 5 + static_cast<int>(random() % 11);
        for (int w = 0; w < n; ++w) {
            if (w > 0)
                block += ' ';
            block += words[random() % words.size()];
        }
        block += utf8 ? "\n" : "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t written = 0; written < kTargetBytes; written += block.size())
        out << block;
    return path;
}

void ReadWholeFile(benchmark::State& state, bool utf8) {
    const auto path =
        MakeFile(utf8 ? "lxty-bench-utf8-lf.txt" : "lxty-bench-cp1252-crlf.txt", utf8);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const auto judged = lxty::TextTest(path);
        lxty::TextFile file;
        file.Open(path, lxty::EncodingFor(judged));
        std::u16string line;
        std::int64_t chars = 0;
        while (file.ReadLine(line))
            chars += static_cast<std::int64_t>(line.size());
        benchmark::DoNotOptimize(chars);
        bytes += file.Size();
    }
    state.SetBytesProcessed(bytes);
}

void BM_ReadCp1252CrLf(benchmark::State& state) {
    ReadWholeFile(state, false);
}
void BM_ReadUtf8Lf(benchmark::State& state) {
    ReadWholeFile(state, true);
}

BENCHMARK(BM_ReadCp1252CrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadUtf8Lf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
