// SPDX-License-Identifier: GPL-3.0-or-later
// Games through a relay on loopback, in one process: the relay, a host whose GameServer opens a
// room there, and players who join by the room's code. What the relay passes is encrypted; a
// wrong key or a wrong room gets nobody in; peers that flood hold nothing for long.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "core/fake_view.h"
#include "core/flow_fixture.h"
#include "net/loopback.h"
#include "net/net_play.h"
#include "net/qt_relay.h"
#include "net/qt_transport.h"
#include "net/relay.h"
#include "net/seat_bot.h"
#include "qt_support.h"

namespace tq::test {
namespace {

// Everything that reaches the relay, as it reaches it.
struct Tap : net::ServerEvents {
    explicit Tap(net::ServerEvents& inner) : inner(inner) {}
    void OnAccepted(net::ConnectionId id) override { inner.OnAccepted(id); }
    void OnData(net::ConnectionId id, std::string_view bytes) override {
        seen.append(bytes);
        inner.OnData(id, bytes);
    }
    void OnClosed(net::ConnectionId id) override { inner.OnClosed(id); }
    void OnCutOff(net::ConnectionId id) override { inner.OnCutOff(id); }
    void OnWake() override { inner.OnWake(); }
    net::ServerEvents& inner;
    std::string seen;
};

// A relay on a free loopback port.
struct RelayOnLoopback {
    explicit RelayOnLoopback(net::RelayLimits limits = {})
        : sockets(limits.connections), relay(sockets, limits), tap(relay) {
        EXPECT_TRUE(relay.Start(0));
        sockets.SetEvents(&tap);
        address = {"127.0.0.1", sockets.Port()};
    }
    net::QtServerTransport sockets;
    net::Relay relay;
    Tap tap;
    net::ServerAddress address;
};

// One copy of the program, hosting or joining through the relay; the computer plays its seat.
struct Program : net::NetObserver {
    explicit Program(uint64_t seed) {
        UseEnglish(model, {"HORSE", "HOT",  "HOTS", "ROT",   "SHOE",  "HE",   "TO",    "OR",
                           "ORE",   "TOE",  "ROTE", "TORE",  "HERO",  "SORT", "ROSE",  "SHOT",
                           "HOST",  "REST", "TREE", "STORE", "SHORE", "HOSE", "THOSE", "OTHER"});
        model.Rng.Seed(seed);
        flow = std::make_unique<GameFlow>(model, view, none);
        wakeTimer.setSingleShot(true);
        QObject::connect(&wakeTimer, &QTimer::timeout, [this] { flow->Wake(); });
        view.onWakeAfter = [this](int ms) { wakeTimer.start(ms); };
        play = std::make_unique<net::NetPlay>(*flow, view, host, player);
        bot = std::make_unique<net::SeatBot>(*flow, 7);
        play->AddObserver(this);
    }
    ~Program() override {
        play->RemoveObserver(this);
        play.reset();
    }
    void OwnTurn() override {
        QTimer::singleShot(0, [this] { bot->Play(); });
    }
    void ClientDropped(const std::string& name, const std::string& reason) override {
        dropped.push_back(name + ": " + reason);
    }
    void ChatReceived(const std::string& sender, const std::string& text) override {
        chats.push_back(sender + ": " + text);
    }

    GameModel model;
    FakeView view;
    QTimer wakeTimer;
    NullSender none;
    std::unique_ptr<GameFlow> flow;
    net::QtRelayHostTransport host;
    net::QtRelayClientTransport player;
    std::unique_ptr<net::NetPlay> play;
    std::unique_ptr<net::SeatBot> bot;
    std::vector<std::string> chats, dropped;
};

// Opens the host's room at the relay; its code, or empty.
std::string OpenRoom(Program& host, const net::ServerAddress& relay) {
    host.host.SetRelay(relay);
    if (!host.play->Server().StartListening(0)) return {};
    WaitFor([&] { return !host.host.Code().empty(); });
    return host.host.Code();
}

TEST(RelayGame, AWholeGameWithChatThroughTheRelay) {
    RelayOnLoopback relay;
    Program server(1);
    GameSettings& s = server.model.Settings;
    s.ColCount = 5;
    s.RowCount = 5;
    s.WordsPerMove = 1;
    s.MinWordLen = 2;
    s.MaxWordLen = 10;
    s.Directions = "11111111";
    s.Count = 4;  // 20 letters to place: five rounds
    const char* names[] = {"Cpu", "Ann", "Bob", "Eve"};
    for (int n = 1; n <= 4; ++n) {
        s.Seat(n).Name = names[n - 1];
        s.Seat(n).Type = n == 2 || n == 3 ? PlayerType::Client : PlayerType::Computer;
    }
    s.Mode = GameMode::Server;
    const std::string code = OpenRoom(server, relay.address);
    ASSERT_FALSE(code.empty());
    const auto parsed = net::ParseCode(code);
    ASSERT_TRUE(parsed);

    Program ann(2), bob(3);
    for (Program* p : {&ann, &bob}) {
        p->player.SetRoom(*parsed);
        ASSERT_EQ(
            p->play->Client().Connect("127.0.0.1", p == &ann ? "Ann" : "Bob", relay.address.port),
            net::ConnectResult::Started);
        ASSERT_TRUE(WaitFor(
            [&] { return server.play->Server().ClientNames().size() == (p == &ann ? 1u : 2u); }));
    }
    // The players reach the host's server as ordinary connections, under their own address.
    EXPECT_EQ(server.host.ConnectionCount(), 2u);
    EXPECT_EQ(server.host.PeerAddress(1), "127.0.0.1");
    EXPECT_EQ(relay.relay.PairCount(), 2u);

    ASSERT_TRUE(server.play->Server().SendChat("Ann", "welcome"));
    server.flow->StartNewGame();
    ASSERT_TRUE(WaitFor([&] { return ann.play->Client().Recipients().size() == 2; }));
    ann.play->Client().SendChat("Bob", "hello through the relay");
    ASSERT_TRUE(WaitFor(
        [&] {
            return server.flow->Phase() == GamePhase::GameOver &&
                   ann.flow->Phase() == GamePhase::GameOver &&
                   bob.flow->Phase() == GamePhase::GameOver;
        },
        60000));
    EXPECT_EQ(bob.chats, std::vector<std::string>{"Ann: hello through the relay"});
    EXPECT_EQ(ann.chats, std::vector<std::string>{"Server: welcome"});
    // The relay saw its greetings, and nothing of the game in the clear.
    EXPECT_NE(relay.tap.seen.find("TQRELAY1 JOIN"), std::string::npos);
    for (const char* plain : {"hello through", "welcome", "NewGame", "Ann", "HORSE"})
        EXPECT_EQ(relay.tap.seen.find(plain), std::string::npos) << plain;
    for (Program* p : {&ann, &bob}) {
        EXPECT_EQ(p->view.statusDialogs, 1);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(p->model.State.Score(n).Total(), server.model.State.Score(n).Total());
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r)
                EXPECT_EQ(p->model.Board.At(c, r), server.model.Board.At(c, r));
    }

    // The host leaves: its code dies with it, and its players see the close.
    server.play->Shutdown();
    ASSERT_TRUE(WaitFor([&] {
        return ann.play->Client().State() == net::ClientState::Closed &&
               bob.play->Client().State() == net::ClientState::Closed &&
               relay.relay.ConnectionCount() == 0;
    }));
    EXPECT_EQ(relay.relay.RoomCount(), 0u);
}

TEST(RelayGame, AWrongKeyOrRoomGetsNobodyIn) {
    RelayOnLoopback relay;
    Program server(1);
    const std::string code = OpenRoom(server, relay.address);
    ASSERT_FALSE(code.empty());
    net::RoomCode wrongKey = *net::ParseCode(code);
    wrongKey.key[3] ^= 1;
    net::RoomCode wrongRoom = *net::ParseCode(code);
    wrongRoom.room[0] = wrongRoom.room[0] == 'A' ? 'B' : 'A';
    struct Case {
        net::RoomCode code;
        std::string refusal;
    };
    for (const Case& c : {Case{wrongKey, "TLS"}, Case{wrongRoom, "NOROOM"}}) {
        SCOPED_TRACE(c.refusal);
        RecordingClientEvents events;
        net::QtRelayClientTransport player;
        player.SetEvents(&events);
        player.SetRoom(c.code);
        ASSERT_TRUE(player.Connect("127.0.0.1", relay.address.port));
        ASSERT_TRUE(WaitFor([&] { return !events.errors.empty(); }));
        EXPECT_EQ(events.connected, 0);
        EXPECT_EQ(player.Refusal(), c.refusal);
    }
    EXPECT_EQ(server.play->Server().ClientNames().size(), 0u);
    EXPECT_EQ(server.host.ConnectionCount(), 0u);
    ASSERT_TRUE(WaitFor([&] { return relay.relay.ConnectionCount() == 1; }));  // the room's own
}

// What the relay sends a raw peer after its line, read for a while.
std::string Answer(int fd, int ms = 2000) {
    std::string got;
    WaitFor(
        [&] {
            char buffer[256];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
            return n == 0 || got.find('\n') != std::string::npos;
        },
        ms);
    return got;
}

TEST(RelayGame, FloodsOfGreetingsAndWrongCodesLeaveHonestRoomsAlone) {
    net::RelayLimits limits;
    limits.connections = 64;
    limits.greeting = std::chrono::seconds(1);
    RelayOnLoopback relay(limits);
    Program server(1);
    const std::string code = OpenRoom(server, relay.address);
    ASSERT_FALSE(code.empty());

    // Wrong codes from one address: past the burst even the right one is refused.
    std::vector<int> fds;
    for (int i = 0; i < 12; ++i) {
        const int fd = ConnectLoopback(relay.address.port);
        ASSERT_GE(fd, 0);
        const std::string line = "TQRELAY1 JOIN ZZZZZZZ" + std::to_string(i % 10) + "\n";
        ASSERT_EQ(::write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        EXPECT_EQ(Answer(fd), i < 10 ? "NOROOM\n" : "LIMIT\n") << i;
        ::close(fd);
    }
    // Many connections that never greet: the relay stays within its connections and closes them
    // at the greeting time; the room goes on.
    for (int i = 0; i < 200; ++i) {
        const int fd = ConnectLoopback(relay.address.port, 0, true);
        if (fd >= 0) fds.push_back(fd);
    }
    Settle(300);
    EXPECT_LE(relay.relay.ConnectionCount(), 64u);
    EXPECT_TRUE(WaitFor([&] { return relay.relay.ConnectionCount() == 1; }, 10000));
    EXPECT_EQ(relay.relay.RoomCount(), 1u);
    for (const int fd : fds) ::close(fd);
    EXPECT_EQ(relay.relay.TrackedAddresses(), 1u);
}

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A connection greeted with the line, made blocking for its answer.
int Greeted(uint16_t port, const std::string& line) {
    const int fd = ConnectLoopback(port);
    if (fd >= 0) static_cast<void>(!::write(fd, line.data(), line.size()));
    return fd;
}

TEST(RelayGame, AtItsCapTheRelaySleepsAndItsRoomsGoOn) {
    net::RelayLimits limits;
    limits.connections = 16;
    limits.greeting = std::chrono::seconds(1);
    RelayOnLoopback relay(limits);
    const uint16_t port = relay.address.port;
    // An honest pair, by hand.
    const int control = Greeted(port, "TQRELAY1 HOST\n");
    const std::string room = Answer(control).substr(5, 8);
    const int player = Greeted(port, "TQRELAY1 JOIN " + room + "\n");
    const std::string told = Answer(control);
    ASSERT_EQ(told.rfind("PLAYER ", 0), 0u) << told;
    const int data = Greeted(
        port, "TQRELAY1 ACCEPT " + room + " " + told.substr(7, told.find(' ', 7) - 7) + "\n");
    ASSERT_EQ(Answer(player), "READY\n");
    ASSERT_EQ(Answer(data), "READY\n");
    for (const int fd : {player, data}) ASSERT_EQ(::write(fd, "GO\n", 3), 3);

    // More connections than it holds, none of which greets: it takes what it holds, stops
    // taking, and sleeps; the rest wait in the system's queue.
    std::vector<int> flood;
    for (int i = 0; i < 40; ++i) flood.push_back(ConnectLoopback(port, 0, true));
    Settle(200);
    const double before = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(600, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_LT(CpuSeconds() - before, 0.2);
    EXPECT_LE(relay.relay.ConnectionCount(), 16u);
    // The pair goes on meanwhile.
    ASSERT_EQ(::write(player, "move\r\n", 6), 6);
    EXPECT_EQ(Answer(data), "move\r\n");
    // Each greeting time closes those it holds and takes the next: in the end all are closed.
    EXPECT_TRUE(WaitFor(
        [&] {
            return std::all_of(flood.begin(), flood.end(), [](int fd) {
                char c = 0;
                return ::recv(fd, &c, 1, MSG_DONTWAIT) == 0;
            });
        },
        15000));
    EXPECT_EQ(relay.relay.ConnectionCount(), 3u);
    EXPECT_EQ(relay.relay.RoomCount(), 1u);
    for (const int fd : flood) ::close(fd);
    for (const int fd : {control, player, data}) ::close(fd);
}

}  // namespace
}  // namespace tq::test
