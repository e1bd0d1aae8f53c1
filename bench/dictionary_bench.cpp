// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary loading: a compressed file near the 640000-byte limit, and the shipped Russian
// dictionary as a compressed file, as a plain list, and both as the game loads them at start-up.
// Targets: under 20 ms for the largest compressed file, under 60 ms for the plain Russian list.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dict/compressed.h"
#include "dict/pack.h"
#include "dict/word_store.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDicts = fs::path(TESSAROON_START_FOLDER) / "Dicts";

// Random Russian words of 4..16 letters, as many as fit in one file of at most 640000 bytes.
fs::path LargestFile() {
    static const fs::path file = [] {
        std::mt19937 rng(2024);
        std::uniform_int_distribution<int> letter(192, 223);
        std::uniform_int_distribution<int> length(4, 16);
        std::vector<std::string> words;
        for (int i = 0; i < 104000; ++i) {
            std::string w(length(rng), ' ');
            for (char& c : w) c = static_cast<char>(letter(rng));
            words.push_back(std::move(w));
        }
        tq::Result<std::vector<uint8_t>> packed = tq::Status::Error("not packed yet");
        tq::PackOptions options;
        options.Language = 1;
        for (;;) {
            tq::WordStore store;
            store.AddWords(words);
            packed = tq::PackDictionary(store, options);
            if (packed.ok()) break;
            words.resize(words.size() - 500);
        }
        const fs::path path = fs::temp_directory_path() / "tessaroon_bench_largest.tqd";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(packed->data()),
                   static_cast<std::streamsize>(packed->size()));
        return path;
    }();
    return file;
}

void BM_LoadLargestTqd(benchmark::State& state) {
    const fs::path file = LargestFile();
    std::size_t words = 0;
    for (auto _ : state) {
        tq::WordStore store;
        tq::TDictInfo info;
        if (!tq::ReadCompressedDictionary(file, store, info).ok())
            state.SkipWithError("not loaded");
        words = store.TotalWords();
        benchmark::DoNotOptimize(store);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(file));
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LoadLargestTqd)->Unit(benchmark::kMillisecond);

void BM_LoadRussianTqd(benchmark::State& state) {
    std::size_t words = 0;
    for (auto _ : state) {
        tq::WordStore store;
        tq::TDictInfo info;
        if (!tq::ReadCompressedDictionary(kDicts / "General_rus.tqd", store, info).ok())
            state.SkipWithError("not loaded");
        words = store.TotalWords();
        benchmark::DoNotOptimize(store);
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LoadRussianTqd)->Unit(benchmark::kMillisecond);

void BM_LoadPlainRussian(benchmark::State& state) {
    std::size_t words = 0;
    for (auto _ : state) {
        tq::WordStore store;
        tq::TDictInfo info;
        if (!tq::ReadPlainWordList(kDicts / "General_rus.txt", store, info).ok())
            state.SkipWithError("not loaded");
        words = store.TotalWords();
        benchmark::DoNotOptimize(store);
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LoadPlainRussian)->Unit(benchmark::kMillisecond);

// What start-up does: the compressed file, then the plain list adding to it.
void BM_LoadDictionaryRussian(benchmark::State& state) {
    for (auto _ : state) {
        tq::WordStore store;
        tq::TDictInfo info;
        info.DictName = "General_rus";
        if (!tq::LoadDictionary(kDicts, store, info).ok()) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_LoadDictionaryRussian)->Unit(benchmark::kMillisecond);

}  // namespace
