// SPDX-License-Identifier: GPL-3.0-or-later
// How long the thread that runs the game spends in one command: a paced game on a 10 x 10 field
// between five computer seats, played as the window plays it, one wake-up after another. Every
// command (the new game, each wake-up: a computer's move, or the end of its pace) is timed; the
// counters give the longest and the mean. The pace itself is not waited for: it is time the
// window spends in its event loop, not in the game.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/game_flow.h"
#include "core/game_model.h"
#include "core/headless_view.h"

namespace tq {
namespace {

void BM_LongestCommandOfAPacedGame(benchmark::State& state) {
    static GameModel model;
    static const bool started = [] {
        const Status r = StartUp(model, TESSAROON_START_FOLDER);
        if (!r.ok()) std::fprintf(stderr, "start-up failed: %s\n", r.message().c_str());
        return r.ok();
    }();
    if (!started) {
        state.SkipWithError("start-up failed");
        return;
    }
    GameSettings& s = model.Settings;
    s.Mode = GameMode::General;
    s.RatedGame = false;
    s.InitialWord.clear();
    s.ColCount = s.RowCount = 10;
    s.Count = 5;
    s.WordsPerMove = 1;
    s.ComputerPace = 500;
    s.SecMove = 0;
    const int skill = static_cast<int>(state.range(0));
    for (int n = 1; n <= 5; ++n) {
        s.Seat(n).Type = PlayerType::Computer;
        s.Seat(n).Skill = static_cast<uint8_t>(skill);
    }
    HeadlessView view;
    NullSender sender;
    GameFlow flow(model, view, sender);

    // One game first, untimed: the computer builds its word graph at its first search, once for
    // the program's life.
    model.Rng.Seed(0);
    flow.StartNewGame();
    view.RunWakes(flow);

    using Clock = std::chrono::steady_clock;
    // The thread's own processor time too: on a busy machine the wall clock also counts the
    // time other programs took the processor away.
    const auto threadMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    double longest = 0, longestCpu = 0, total = 0;
    int64_t commands = 0;
    const auto timed = [&](auto&& command) {
        const auto t0 = Clock::now();
        const double c0 = threadMs();
        command();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        longest = std::max(longest, ms);
        longestCpu = std::max(longestCpu, threadMs() - c0);
        total += ms;
        ++commands;
    };
    uint64_t seed = 1;
    for (auto _ : state) {
        model.Rng.Seed(seed++);
        timed([&] { flow.StartNewGame(); });
        while (view.wake) {
            view.wake.reset();
            timed([&] { flow.Wake(); });
        }
        if (flow.Phase() != GamePhase::GameOver) state.SkipWithError("game did not end");
    }
    state.counters["longestCommandMs"] = longest;
    state.counters["longestCommandCpuMs"] = longestCpu;
    state.counters["meanCommandMs"] = commands ? total / static_cast<double>(commands) : 0;
    state.counters["commands"] = static_cast<double>(commands);
}
BENCHMARK(BM_LongestCommandOfAPacedGame)
    ->Arg(2)
    ->Arg(7)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace tq
