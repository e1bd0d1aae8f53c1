// SPDX-License-Identifier: GPL-3.0-or-later
// A whole network game on loopback against the same game without a network. BM_LocalGame plays
// three computer seats through the turn flow, as `tessaroon-cli selfplay` does; BM_NetworkGame
// plays the same seats with two of them at clients: a server and two clients in one process, over
// real TCP sockets, each client's seat chosen by the computer and entered through the move entry,
// every move sent as lines and applied on every side. Both use the shipped Russian dictionary on
// a 6 x 6 field (30 moves a game, skill 2). The counter perMove is the wall time per move; the
// difference between the two is what the network adds to a move.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>

#include "core/game_flow.h"
#include "core/game_model.h"
#include "core/headless_view.h"
#include "net/net_play.h"
#include "net/qt_transport.h"
#include "net/seat_bot.h"

namespace tq {
namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "net_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

// Wakes the game from the event loop, as the window does.
class BenchView : public HeadlessView {
  public:
    BenchView() { timer.setSingleShot(true); }
    void WakeAfter(int ms) override { timer.start(ms); }
    QTimer timer;
};

// One copy of the program, started in the shipped start folder.
struct Program : net::NetObserver {
    Program() {
        const Status r = StartUp(model, TESSAROON_START_FOLDER);
        if (!r.ok()) {
            std::fprintf(stderr, "start-up failed: %s\n", r.message().c_str());
            std::exit(1);
        }
        GameSettings& s = model.Settings;
        s.ColCount = 6;
        s.RowCount = 6;
        s.Count = 3;
        s.WordsPerMove = 1;
        s.RatedGame = false;
        for (int n = 1; n <= 3; ++n) {
            s.Seat(n).Type = PlayerType::Computer;
            s.Seat(n).Skill = 2;
        }
        // Computer moves follow each other without a pause, as they did when no view waited.
        s.ComputerPace = 0;
        flow = std::make_unique<GameFlow>(model, view, none);
        QObject::connect(&view.timer, &QTimer::timeout, [this] { flow->Wake(); });
        play = std::make_unique<net::NetPlay>(*flow, view, serverSockets, clientSockets);
        bot = std::make_unique<net::SeatBot>(*flow, 2);
        play->AddObserver(this);
    }
    void OwnTurn() override {
        QTimer::singleShot(0, [this] { bot->Play(); });
    }

    GameModel model;
    BenchView view;
    NullSender none;
    std::unique_ptr<GameFlow> flow;
    net::QtServerTransport serverSockets;
    net::QtClientTransport clientSockets;
    std::unique_ptr<net::NetPlay> play;
    std::unique_ptr<net::SeatBot> bot;
};

void BM_LocalGame(benchmark::State& state) {
    EnsureApplication();
    static Program local;
    local.model.Settings.Mode = GameMode::General;
    uint64_t seed = 1;
    int64_t moves = 0;
    for (auto _ : state) {
        local.model.Rng.Seed(seed++);
        local.flow->StartNewGame();
        while (local.flow->Phase() != GamePhase::GameOver)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        moves += local.model.State.LetterCountOnField - local.model.Settings.ColCount;
    }
    state.counters["perMove"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LocalGame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_NetworkGame(benchmark::State& state) {
    EnsureApplication();
    static Program server, ann, bob;
    static bool ready = [] {
        GameSettings& s = server.model.Settings;
        s.Seat(2).Type = PlayerType::Client;
        s.Seat(2).Name = "Ann";
        s.Seat(3).Type = PlayerType::Client;
        s.Seat(3).Name = "Bob";
        s.Mode = GameMode::Server;
        if (!server.play->Server().StartListening(0)) return false;
        const uint16_t port = server.play->Server().Port();
        ann.play->Client().Connect("127.0.0.1", "Ann", port);
        bob.play->Client().Connect("127.0.0.1", "Bob", port);
        while (server.play->Server().ClientNames().size() < 2)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return true;
    }();
    if (!ready) {
        state.SkipWithError("cannot listen");
        return;
    }
    uint64_t seed = 1;
    int64_t moves = 0;
    for (auto _ : state) {
        server.model.Rng.Seed(seed++);
        server.flow->StartNewGame();
        // The game is over when the last client has its "EndGame///" too.
        while (server.flow->Phase() != GamePhase::GameOver ||
               ann.flow->Phase() != GamePhase::GameOver || bob.flow->Phase() != GamePhase::GameOver)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        moves += server.model.State.LetterCountOnField - server.model.Settings.ColCount;
    }
    state.counters["perMove"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_NetworkGame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace
}  // namespace tq
