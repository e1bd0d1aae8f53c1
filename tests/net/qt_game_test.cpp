// SPDX-License-Identifier: GPL-3.0-or-later
// A whole network game over real sockets on loopback, in one process: a server with a computer
// seat and three clients whose seats the computer plays through the move entry. One client
// leaves in the middle of its turn; the others see the game to its end exactly as the server
// does.

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>

#include "core/fake_view.h"
#include "core/flow_fixture.h"
#include "net/net_play.h"
#include "net/qt_transport.h"
#include "net/seat_bot.h"
#include "qt_support.h"

namespace tq::test {
namespace {

// One copy of the program: model, view, turn flow, sockets and network play.
struct Program : net::NetObserver {
    explicit Program(uint64_t seed) {
        UseEnglish(model, {"HORSE", "HOT",  "HOTS", "ROT",   "SHOE",  "HE",   "TO",    "OR",
                           "ORE",   "TOE",  "ROTE", "TORE",  "HERO",  "SORT", "ROSE",  "SHOT",
                           "HOST",  "REST", "TREE", "STORE", "SHORE", "HOSE", "THOSE", "OTHER"});
        model.Rng.Seed(seed);
        flow = std::make_unique<GameFlow>(model, view, none);
        // The wake-ups come from the event loop, as in the window.
        wakeTimer.setSingleShot(true);
        QObject::connect(&wakeTimer, &QTimer::timeout, [this] { flow->Wake(); });
        view.onWakeAfter = [this](int ms) { wakeTimer.start(ms); };
        play = std::make_unique<net::NetPlay>(*flow, view, serverSockets, clientSockets);
        bot = std::make_unique<net::SeatBot>(*flow, 7);
        play->AddObserver(this);
    }
    ~Program() override {
        play->RemoveObserver(this);
        play.reset();
    }

    void OwnTurn() override {
        ++turns;
        QTimer::singleShot(0, [this] {
            if (leaveAtTurn == turns)
                play->Client().Disconnect();
            else
                bot->Play();
        });
    }

    GameModel model;
    FakeView view;
    QTimer wakeTimer;
    NullSender none;
    std::unique_ptr<GameFlow> flow;
    net::QtServerTransport serverSockets;
    net::QtClientTransport clientSockets;
    std::unique_ptr<net::NetPlay> play;
    std::unique_ptr<net::SeatBot> bot;
    int turns = 0;
    int leaveAtTurn = 0;  // the own turn at which this client leaves instead of moving
};

TEST(NetworkGame, FourSeatsOverLoopbackWithAClientLeavingMidTurn) {
    Program server(1);
    GameSettings& s = server.model.Settings;
    s.ColCount = 5;
    s.RowCount = 5;
    s.WordsPerMove = 1;
    s.MinWordLen = 2;
    s.MaxWordLen = 10;
    s.Directions = "11111111";
    s.Count = 4;
    const char* names[] = {"Cpu", "Ann", "Bob", "Cid"};
    for (int n = 1; n <= 4; ++n) {
        s.Seat(n).Name = names[n - 1];
        s.Seat(n).Type = n == 1 ? PlayerType::Computer : PlayerType::Client;
    }
    s.Mode = GameMode::Server;
    ASSERT_TRUE(server.play->Server().StartListening(0));
    const uint16_t port = server.play->Server().Port();

    Program ann(2), bob(3), cid(4);
    bob.leaveAtTurn = 2;
    for (Program* p : {&ann, &bob, &cid}) {
        const std::string name = p == &ann ? "Ann" : p == &bob ? "Bob" : "Cid";
        ASSERT_EQ(p->play->Client().Connect("127.0.0.1", name, port), net::ConnectResult::Started);
        ASSERT_TRUE(WaitFor([&] {
            return server.play->Server().ClientNames().size() ==
                   static_cast<std::size_t>(p == &ann   ? 1
                                            : p == &bob ? 2
                                                        : 3);
        }));
    }

    server.flow->StartNewGame();
    ASSERT_TRUE(WaitFor(
        [&] {
            return server.flow->Phase() == GamePhase::GameOver &&
                   ann.flow->Phase() == GamePhase::GameOver &&
                   cid.flow->Phase() == GamePhase::GameOver;
        },
        60000));

    // Bob left at his second turn; the computer played his seat from then on.
    EXPECT_EQ(bob.turns, 2);
    EXPECT_EQ(server.flow->KindOf(3), SeatKind::Computer);
    EXPECT_EQ(s.Seat(3).Type, PlayerType::Client);  // the settings keep what the host chose
    EXPECT_EQ(bob.play->Client().State(), net::ClientState::Closed);
    EXPECT_EQ(server.play->Server().ClientNames(), (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_EQ(server.model.State.LetterCountOnField, 25);
    EXPECT_EQ(ann.view.statusDialogs, 1);
    EXPECT_EQ(cid.view.statusDialogs, 1);

    // Every view that stayed holds the server's field, results and points.
    for (Program* p : {&ann, &cid}) {
        SCOPED_TRACE(p == &ann ? "Ann" : "Cid");
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r) {
                EXPECT_EQ(p->model.Board.At(c, r), server.model.Board.At(c, r));
                EXPECT_EQ(p->view.letters[c][r], server.view.letters[c][r]);
            }
        ASSERT_EQ(p->view.results.size(), 20u);
        for (const auto& [row, shown] : server.view.results) {
            EXPECT_EQ(p->view.results[row].word, shown.word) << row;
            EXPECT_EQ(p->view.results[row].points, shown.points) << row;
            EXPECT_EQ(p->view.results[row].letter, shown.letter) << row;
            EXPECT_EQ(p->view.results[row].colour, shown.colour) << row;
        }
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(p->model.State.Score(n).WordPoints, server.model.State.Score(n).WordPoints);
            EXPECT_EQ(p->model.State.Score(n).Total(), server.model.State.Score(n).Total());
        }
    }
}

}  // namespace
}  // namespace tq::test
