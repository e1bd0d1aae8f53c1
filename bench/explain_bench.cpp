// SPDX-License-Identifier: GPL-3.0-or-later
// Explaining a word as the game does on a double-click: reading the shipped English explanations
// file from disk and finding the word's glosses (the table and the one block that may hold it).
// Target: well under 10 ms a word. Words: some the computer plays that players rarely
// know, the first and the last word of the list, and a word the file does not hold.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "dict/explanations.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFile =
    tq::ExplanationsFile(fs::path(TESSAROON_START_FOLDER) / "Dicts", "General_eng");
const char* const kWords[] = {"ASPER", "MOTET", "TYRE", "AALII", "ZYMURGY", "QQQQ"};

void BM_ExplainWord(benchmark::State& state) {
    const char* word = kWords[state.range(0)];
    state.SetLabel(word);
    for (auto _ : state) {
        auto found = tq::ReadExplanation(kFile, word);
        if (!found.ok()) {
            state.SkipWithError(found.message().c_str());
            break;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ExplainWord)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The same lookups on the file already in memory: what reading the file costs is the rest.
void BM_FindInMemory(benchmark::State& state) {
    std::string bytes;
    {
        std::ifstream in(kFile, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::span data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const char* word = kWords[state.range(0)];
    state.SetLabel(word);
    for (auto _ : state) benchmark::DoNotOptimize(tq::FindExplanation(data, word));
}
BENCHMARK(BM_FindInMemory)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
