// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Network play against in-memory sockets: fake endpoints that record what is sent and let a test
// play the peers, and a fixture with the small HORSE game of the core tests.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/chain_rules.h"
#include "core/flow_fixture.h"
#include "core/game_events.h"
#include "net/net_play.h"
#include "net/protocol.h"

namespace tq::test {

class FakeServerTransport : public net::ServerTransport {
  public:
    void SetEvents(net::ServerEvents* e) override { events = e; }
    bool Listen(uint16_t p) override {
        if (refuse) return false;
        listening = true;
        port = p == 0 ? 40000 : p;
        return true;
    }
    void StopListening() override {
        listening = false;
        port = 0;
        open.clear();
    }
    bool Listening() const override { return listening; }
    uint16_t Port() const override { return port; }
    void Send(net::ConnectionId id, std::string_view bytes) override {
        if (open.count(id)) sent[id] += bytes;
    }
    void Close(net::ConnectionId id) override {
        open.erase(id);
        closedByServer.push_back(id);
    }
    net::Clock::time_point Now() const override { return now; }
    void WakeAt(net::Clock::time_point when) override { wakeAt = when; }
    std::size_t Capacity() const override { return capacity; }
    void SetAccepting(bool a) override { accepting = a; }
    std::string PeerAddress(net::ConnectionId id) const override {
        const auto it = addresses.find(id);
        return it != addresses.end() && open.count(id) ? it->second : std::string();
    }
    void ReadArrived(net::ConnectionId id) override {
        const auto it = arrived.find(id);
        if (it == arrived.end()) return;
        const std::string bytes = std::move(it->second);
        arrived.erase(it);
        if (open.count(id)) events->OnData(id, bytes);
    }

    // Time passes; the server wakes when it asked to within it.
    void Advance(std::chrono::milliseconds by) {
        now += by;
        if (wakeAt && *wakeAt <= now) {
            wakeAt.reset();
            events->OnWake();
        }
    }

    // The peer's side: a connection from the address (one of its own when empty), with bytes
    // that arrived on it already and are handed over only when the logic reads them
    // (ReadArrived) or at Deliver.
    net::ConnectionId Accept(std::string address = {}, std::string arrivedBytes = {}) {
        const net::ConnectionId id = next++;
        open.insert({id, true});
        addresses[id] = address.empty()
                            ? "10.0." + std::to_string(id / 256) + "." + std::to_string(id % 256)
                            : std::move(address);
        if (!arrivedBytes.empty()) arrived[id] = std::move(arrivedBytes);
        events->OnAccepted(id);
        return id;
    }
    // The event loop comes to what arrived on the connection.
    void Deliver(net::ConnectionId id) { ReadArrived(id); }
    // The endpoint cuts the connection off: too much waited to be sent to it.
    void CutOff(net::ConnectionId id) {
        open.erase(id);
        events->OnCutOff(id);
    }
    void Feed(net::ConnectionId id, std::string_view bytes) { events->OnData(id, bytes); }
    void PeerCloses(net::ConnectionId id) {
        open.erase(id);
        events->OnClosed(id);
    }
    // What the connection received since the last call.
    std::string Take(net::ConnectionId id) {
        std::string s = std::move(sent[id]);
        sent[id].clear();
        return s;
    }

    net::ServerEvents* events = nullptr;
    bool listening = false;
    bool refuse = false;
    uint16_t port = 0;
    std::map<net::ConnectionId, bool> open;
    std::map<net::ConnectionId, std::string> addresses, arrived;
    std::map<net::ConnectionId, std::string> sent;
    std::vector<net::ConnectionId> closedByServer;
    net::ConnectionId next = 1;
    net::Clock::time_point now{};
    std::optional<net::Clock::time_point> wakeAt;
    std::size_t capacity = net::kMaxConnections;
    bool accepting = true;
};

class FakeClientTransport : public net::ClientTransport {
  public:
    void SetEvents(net::ClientEvents* e) override { events = e; }
    bool Connect(const std::string& server, uint16_t p) override {
        attempts.push_back(server);
        port = p;
        if (refuse) return false;
        connected = false;
        return true;
    }
    bool Connected() const override { return connected; }
    void Send(std::string_view bytes) override {
        if (connected) sent += bytes;
    }
    void Close() override {
        connected = false;
        ++closes;
    }

    // The server's side.
    void Accept() {
        connected = true;
        events->OnConnected();
    }
    void Feed(std::string_view bytes) { events->OnData(bytes); }
    void ServerCloses() {
        connected = false;
        events->OnClosed();
    }
    std::string Take() {
        std::string s = std::move(sent);
        sent.clear();
        return s;
    }

    net::ClientEvents* events = nullptr;
    bool connected = false;
    bool refuse = false;
    uint16_t port = 0;
    std::vector<std::string> attempts;
    std::string sent;
    int closes = 0;
};

// Records what network play tells its observers.
struct RecordingObserver : net::NetObserver {
    int namesChanged = 0, connectionChanged = 0, recipientsChanged = 0, dialogsClosed = 0,
        ownTurns = 0;
    std::vector<std::vector<int>> takenOver;
    std::vector<std::pair<std::string, std::string>> dropped;  // name, reason
    void ClientNamesChanged() override { ++namesChanged; }
    void ClientDropped(const std::string& name, const std::string& reason) override {
        dropped.emplace_back(name, reason);
    }
    void SeatsTakenOver(const std::vector<int>& seats) override { takenOver.push_back(seats); }
    void ConnectionChanged() override { ++connectionChanged; }
    void RecipientsChanged() override { ++recipientsChanged; }
    void CloseDialogs() override { ++dialogsClosed; }
    void OwnTurn() override { ++ownTurns; }
};

// A view whose message boxes can run code while they are open, as a modal box lets network
// events run.
class NetView : public FakeView {
  public:
    void ShowMessage(std::string_view text, MessageIcon icon,
                     std::function<void()> answered) override {
        messages.emplace_back(std::string(text), icon);
        if (whileMessageOpen) {
            auto f = std::move(whileMessageOpen);
            whileMessageOpen = nullptr;
            f();
        }
        if (answered) answered();
    }
    std::function<void()> whileMessageOpen;
};

// The HORSE game of the core tests (5 x 5, HORSE on row 2) with network play around it.
// The moves and ends of games the game events tell of.
class EventLog : public GameEvents {
  public:
    void MovePlayed(const MovePlayedEvent& e) override { moves.push_back(e); }
    void GameEnded(const GameEndedEvent& e) override { ended.push_back(e); }
    std::vector<MovePlayedEvent> moves;
    std::vector<GameEndedEvent> ended;
};

class NetTest : public ::testing::Test {
  public:
    NetTest() {
        UseEnglish(model, {"HORSE", "HOT", "HOTS", "ROT", "SHOE", "HE", "TO", "OR", "ORE", "TOE",
                           "ROTE", "TORE", "HERO", "SORT", "ROSE"});
        model.Rng.Seed(7);
        GameSettings& s = model.Settings;
        s.ColCount = 5;
        s.RowCount = 5;
        s.WordsPerMove = 1;
        s.MinWordLen = 2;
        s.MaxWordLen = 10;
        s.Directions = "11110000";
        flow = std::make_unique<GameFlow>(model, view, unused);
        view.flow = flow.get();
        view.autoWake = true;
        play = std::make_unique<net::NetPlay>(*flow, view, serverSockets, clientSockets);
        play->AddObserver(&observer);
    }
    ~NetTest() override {
        play.reset();
        flow.reset();
    }

    // The seats, 1-based: type and name.
    void Seats(std::initializer_list<std::pair<PlayerType, const char*>> seats) {
        GameSettings& s = model.Settings;
        s.Count = static_cast<uint8_t>(seats.size());
        int n = 1;
        for (const auto& [type, name] : seats) {
            s.Seat(n).Type = type;
            s.Seat(n).Name = name;
            ++n;
        }
    }

    // A local human move: the letter through the picker, the chain clicked, Enter.
    void HumanMove(Cell cell, char letter, std::initializer_list<Cell> chain) {
        view.picked.push_back(letter);
        flow->CellClick(cell, MouseButton::Left, {});
        for (Cell c : chain) flow->CellClick(c, MouseButton::Left, {});
        flow->AcceptWord();
    }

    net::GameServer& Server() { return play->Server(); }
    net::GameClient& Client() { return play->Client(); }
    GameState& State() { return model.State; }

    GameModel model;
    NetView view;
    NullSender unused;
    std::unique_ptr<GameFlow> flow;
    FakeServerTransport serverSockets;
    FakeClientTransport clientSockets;
    RecordingObserver observer;
    std::unique_ptr<net::NetPlay> play;
};

// The game on the server's side, listening; the test plays the clients through serverSockets.
class ServerNetTest : public NetTest {
  public:
    ServerNetTest() {
        model.Settings.Mode = GameMode::Server;
        EXPECT_TRUE(Server().StartListening(0));
    }

    // A new connection that announces the name.
    net::ConnectionId Join(const std::string& name) {
        const net::ConnectionId id = serverSockets.Accept();
        serverSockets.Feed(id, net::ConnectLine(name));
        return id;
    }

    // Sam at this computer, clients Ann and Bob, and a computer seat: 5 rounds on 5 x 5.
    void FourSeats() {
        Seats({{PlayerType::Human, "Sam"},
               {PlayerType::Client, "Ann"},
               {PlayerType::Client, "Bob"},
               {PlayerType::Computer, "Cpu"}});
        ann = Join("Ann");
        bob = Join("Bob");
        flow->StartNewGame();
    }

    net::ConnectionId ann = 0, bob = 0;  // the clients of FourSeats
};

// A move line's fields.
inline MoveReport Move(int32_t wordPoints, int32_t bonus, int32_t fine, int16_t award,
                       std::string word, std::string chain, char letter, Cell cell) {
    MoveReport m;
    m.WordPoints = wordPoints;
    m.BonusPoints = bonus;
    m.FinePoints = fine;
    m.TimeAward = award;
    m.Word = std::move(word);
    // As the line writes it: a chain without its final ':' stays so.
    m.Chain = ParseChain(chain).value_or(std::vector<Cell>{});
    m.BareChain = !chain.empty() && chain.back() != ':';
    m.Letter = letter;
    m.Col = cell.col;
    m.Row = cell.row;
    return m;
}

}  // namespace tq::test
