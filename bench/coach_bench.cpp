// SPDX-License-Identifier: GPL-3.0-or-later
// Coaching on the shipped Russian dictionary with all eight directions and crossings allowed:
// the time from a hint request to the hint (the position copied to a thread of its own, the best
// move searched there and handed back), on the search benchmark's kinds of field, and the time to
// fill the review of a whole 10 x 10 game of five seats.
//
// Cases: Initial5 (5 x 5 right after the initial word), HalfFull10 (10 x 10, 50 letters),
// ThreeEmpty10 (10 x 10, three empty cells), each as four positions of different games; the
// counter perHint is the time per position. BM_Review plays four 10 x 10 games of five computer
// seats (skills 7, 5, 3, 2, 1) and reviews every seat; perGame is the time per game. Both are
// wall-clock times (the hint waits for its thread).

#include <benchmark/benchmark.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "coach/review.h"
#include "coach/review_recorder.h"
#include "core/game_flow.h"
#include "core/headless_view.h"
#include "positions.h"

namespace tq {
namespace {

using bench::kPositions;
using bench::Position;

GameModel& Model() {
    static GameModel* model = [] {
        auto* m = new GameModel;
        bench::LoadRussian(m->Words, m->Dict);
        return m;
    }();
    return *model;
}

const ComputerPlayer& Player() {
    static const ComputerPlayer player(Model().Words);
    return player;
}

const std::vector<Position>& Case(const std::string& name) {
    return bench::Case(name, Player(), Model().Words, Model().Dict);
}

// A hint as the window gets it: the position copied into a thread that searches the best move
// and hands it back.
void Hint(benchmark::State& st, const std::string& name) {
    const auto& positions = Case(name);
    const ComputerPlayer& player = Player();
    const TDictInfo& dict = Model().Dict;
    std::size_t length = 0;
    for (auto _ : st) {
        for (const Position& p : positions) {
            std::promise<Move> answer;
            std::future<Move> best = answer.get_future();
            std::thread worker(
                [&answer, &player, board = p.board, settings = p.settings, state = p.state, dict] {
                    answer.set_value(BestMove(player, board, settings, state, dict));
                });
            length += best.get().Word.size();
            worker.join();
        }
        benchmark::DoNotOptimize(length);
    }
    st.counters["perHint"] = benchmark::Counter(
        kPositions, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Four whole 10 x 10 games of five computer seats, recorded from their events.
const std::vector<ReviewGame>& Games() {
    static std::vector<ReviewGame> games = [] {
        std::vector<ReviewGame> out;
        GameModel& model = Model();
        GameSettings& s = model.Settings;
        s.Count = 5;
        const int skills[] = {7, 5, 3, 2, 1};
        for (int seat = 1; seat <= 5; ++seat) {
            s.Seat(seat).Type = PlayerType::Computer;
            s.Seat(seat).Skill = static_cast<uint8_t>(skills[seat - 1]);
        }
        s.ColCount = s.RowCount = 10;
        s.WordsPerMove = 1;
        s.Directions = "11111111";
        s.AllowCrossings = true;
        s.MinWordLen = 2;
        s.ComputerPace = 0;
        HeadlessView view;
        NullSender sender;
        GameFlow flow(model, view, sender);
        ReviewRecorder recorder(model);
        flow.Subscribe(recorder);
        for (uint64_t seed = 1; seed <= 4; ++seed) {
            model.Rng.Seed(seed);
            flow.StartNewGame();
            view.RunWakes(flow);
            out.push_back(recorder.Game());
        }
        flow.Unsubscribe(recorder);
        return out;
    }();
    return games;
}

void FillReview(benchmark::State& st) {
    const auto& games = Games();
    std::size_t rows = 0;
    for (auto _ : st) {
        rows = 0;
        for (const ReviewGame& g : games) rows += ReviewOf(Player(), Model().Dict, g).Rows.size();
        benchmark::DoNotOptimize(rows);
    }
    st.counters["movesPerGame"] = static_cast<double>(rows) / static_cast<double>(games.size());
    st.counters["perGame"] = benchmark::Counter(
        static_cast<double>(games.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const bool kRegistered = [] {
    for (const char* name : bench::kCases) {
        const std::string n = name;
        benchmark::RegisterBenchmark(("BM_Hint/" + n).c_str(), Hint, n)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("BM_Review/10x10FiveSeats", FillReview)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

}  // namespace
}  // namespace tq
