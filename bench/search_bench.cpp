// SPDX-License-Identifier: GPL-3.0-or-later
// The word search of the computer player: the reference search (every word of the store) against
// the field-driven search over the word graph, on the shipped Russian dictionary with all eight
// directions and crossings allowed; a whole computer move; building the word graph.
//
// Cases: Initial5 (5 x 5 right after the initial word), HalfFull10 (10 x 10, 50 letters),
// ThreeEmpty10 (10 x 10, three empty cells), each as four positions of different games. A
// reference run and its fast twin differ only in the words Reference and Fast; the counter
// perField is the time per position. BM_ComputerMove/<case>/<n> times a whole move on position n.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "computer/computer_move.h"
#include "computer/computer_play.h"
#include "computer/reference_search.h"
#include "core/game_model.h"
#include "positions.h"

namespace tq {
namespace {

using bench::kPositions;
using bench::Position;
using test::PlayComputerMove;
using test::ShippedDictionary;

const ShippedDictionary& Russian() {
    static const ShippedDictionary* dict = [] {
        auto* d = new ShippedDictionary;
        bench::LoadRussian(d->words, d->info);
        return d;
    }();
    return *dict;
}

const ComputerPlayer& Player() {
    static const ComputerPlayer player(Russian().words);
    return player;
}

// An iteration searches all the positions of its case.
const std::vector<Position>& Case(const std::string& name) {
    return bench::Case(name, Player(), Russian().words, Russian().info);
}

void Report(benchmark::State& st, std::size_t entries) {
    st.counters["entries"] = static_cast<double>(entries);
    // Seconds per position (the iteration time divided by the positions).
    st.counters["perField"] = benchmark::Counter(
        kPositions, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void SearchReference(benchmark::State& st, const std::string& name) {
    const auto& positions = Case(name);
    Random rng(1);
    std::vector<Candidate> out;
    std::size_t entries = 0;
    for (auto _ : st) {
        entries = 0;
        for (const Position& p : positions) {
            out.clear();
            FindCandidatesReference(p.board, p.settings, p.state.FieldLetters, p.state.UsedWords,
                                    Russian().words, p.settings.MinWordLen, p.settings.MaxWordLen,
                                    true, 7, rng, out);
            entries += out.size();
        }
        benchmark::DoNotOptimize(entries);
    }
    Report(st, entries);
}

void SearchFast(benchmark::State& st, const std::string& name) {
    const auto& positions = Case(name);
    const ComputerPlayer& player = Player();
    Random rng(1);
    std::vector<Candidate> out;
    std::size_t entries = 0;
    for (auto _ : st) {
        entries = 0;
        for (const Position& p : positions) {
            out.clear();
            player.FindCandidates(p.board, p.settings, p.state.FieldLetters, p.state.UsedWords,
                                  p.settings.MinWordLen, p.settings.MaxWordLen, true, 7, rng, out);
            entries += out.size();
        }
        benchmark::DoNotOptimize(entries);
    }
    Report(st, entries);
}

// A whole computer move, skill 7, on one position; the position is restored before each move (a
// few microseconds of copying included). The median over repetitions is the figure to read.
void WholeMove(benchmark::State& st, const std::string& name, int index) {
    const Position& p = Case(name)[index];
    const ComputerPlayer& player = Player();
    GameModel model;
    model.Dict = Russian().info;
    model.Settings = p.settings;
    model.Rng.Seed(5);
    std::size_t length = 0;
    for (auto _ : st) {
        model.Board = p.board;
        model.State = p.state;
        model.State.CurrentSeat = 1;
        model.Settings.Seat(1).Skill = 7;
        length = PlayComputerMove(player, model).Word.size();
        benchmark::DoNotOptimize(length);
    }
    st.counters["wordLength"] = static_cast<double>(length);
}

// Building the word graph. graphMB is what the graph keeps; heapMB the heap it holds once built;
// peakMB how far the process's peak resident size rose during the first build (the temporary
// trie and tables of the build), measured before any other graph exists.
void BuildGraph(benchmark::State& st) {
    const WordStore& words = Russian().words;
    std::size_t graphBytes = 0;
    double heapBytes = 0;
    static double peakBytes = -1;
    if (peakBytes < 0) {
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        { const ComputerPlayer first(words); }
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        peakBytes = static_cast<double>(after.ru_maxrss - before.ru_maxrss) * 1024.0;
    }
    for (auto _ : st) {
        const auto before = mallinfo2().uordblks;
        auto player = std::make_unique<ComputerPlayer>(words);
        const auto after = mallinfo2().uordblks;
        heapBytes = static_cast<double>(after - before);
        graphBytes = player->GraphBytes();
        benchmark::DoNotOptimize(player.get());
    }
    st.counters["graphMB"] = static_cast<double>(graphBytes) / (1024.0 * 1024.0);
    st.counters["heapMB"] = heapBytes / (1024.0 * 1024.0);
    st.counters["peakMB"] = peakBytes / (1024.0 * 1024.0);
    st.counters["words"] = static_cast<double>(words.TotalWords());
}

const bool kRegistered = [] {
    // First, so that no graph has been built before it.
    benchmark::RegisterBenchmark("BM_BuildGraph", BuildGraph)->Unit(benchmark::kMillisecond);
    for (const char* name : bench::kCases) {
        const std::string n = name;
        benchmark::RegisterBenchmark(("BM_Search/Reference/" + n).c_str(), SearchReference, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Search/Fast/" + n).c_str(), SearchFast, n)
            ->Unit(benchmark::kMicrosecond);
        for (int i = 0; i < kPositions; ++i) {
            benchmark::RegisterBenchmark(
                ("BM_ComputerMove/" + n + "/" + std::to_string(i + 1)).c_str(), WholeMove, n, i)
                ->Unit(benchmark::kMicrosecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    return true;
}();

}  // namespace
}  // namespace tq
