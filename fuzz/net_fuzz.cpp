// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for network play: a server game with honest clients and hostile peers over
// in-memory sockets, and a lone client that a hostile server talks to.
//
// The input's first bytes choose the game (field, seats, joker, rules, how many honest clients and
// hostile peers, whether a hostile peer holds a seat, the random seed); the rest is a script: bytes
// a hostile peer sends the server, a hostile peer closing or a new one connecting, bytes the
// hostile server sends the lone client, and turns of the event loop. The honest clients play
// their seats with the computer through the game's own move entry, with a dictionary that holds
// words the server's lacks. Then the hostile peers close, and the game must run to its end.
//
// Expectations: nothing crashes; no honest client is ever dropped; the game with honest seats
// reaches its end, and every honest client's field, played words and points equal the server's;
// what waits to be sent or shown stays bounded; the lone client's game stays inside its field.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_flow.h"
#include "core/headless_view.h"
#include "fuzz_checks.h"
#include "net/net_play.h"
#include "net/protocol.h"
#include "net/seat_bot.h"

namespace {

using tq::net::ConnectionId;

// The server's words; the honest clients know a few more.
const char* const kWords[] = {
    "HORSE", "HOT",   "HOTS",  "ROT",   "SHOE",  "HE",    "TO",    "OR",   "ORE",  "TOE",
    "ROTE",  "TORE",  "HERO",  "SORT",  "ROSE",  "SET",   "TEN",   "NET",  "ONE",  "EON",
    "NOTE",  "TONE",  "STONE", "ONSET", "RENT",  "TERN",  "STERN", "SENT", "NEST", "REST",
    "TOES",  "HOSE",  "SHORE", "HORN",  "THORN", "NORTH", "SHORT", "HOST", "SHOT", "TOSH",
    "OTHER", "THOSE", "ETHOS", "ONES",  "NOSE",  "SNOT",  "TONS",  "ERST", "HONE", "SHONE",
};
const char* const kClientOnlyWords[] = {"NOTES", "RENTS", "HEN", "HENS", "TENOR", "TONER",
                                        "SNORE", "SNORT", "OH",  "NO",   "SO",    "EH"};
const char* const kHonestNames[] = {"Ann", "Bob"};
const char* const kHostileSeatName = "Eve";

// Fields whose free cells share out evenly: columns, rows, seats, words per move.
struct Layout {
    int cols, rows, seats, wordsPerMove;
};
constexpr Layout kLayouts[] = {{3, 3, 2, 1}, {4, 4, 3, 1}, {5, 5, 4, 1}, {4, 3, 2, 2}};

// What the server may send one connection: far more than a game of these sizes sends, and more
// than a few bytes for every byte a peer sent. A peer must not make it send without end.
constexpr std::size_t kMaxSentForGame = 64 * 1024;
constexpr std::size_t kMaxSentPerInputByte = 4;
std::size_t gInputSize = 0;
constexpr int kMaxPumpDepth = 3;
constexpr int kMaxFinalTurns = 20000;

void UseWords(tq::GameModel& model, bool clientWords) {
    model.Dict = tq::TDictInfo{};
    model.Dict.DictName = "Fuzz_eng";
    model.Dict.Language = 2;
    model.Dict.SetAlphabetFromLanguage();
    for (const char* w : kWords) model.Words.AddWord(w);
    if (clientWords)
        for (const char* w : kClientOnlyWords) model.Words.AddWord(w);
    model.Dict.ShortestLen = static_cast<uint8_t>(model.Words.ShortestLength());
    model.Dict.LongestLen = static_cast<uint8_t>(model.Words.LongestLength());
}

// The script's bytes, read from the front; zeros once they run out.
class Script {
  public:
    Script(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Bytes(std::size_t n) {
        const std::size_t take = std::min(n, size_ - std::min(at_, size_));
        std::string s(reinterpret_cast<const char*>(data_ + at_), take);
        at_ += take;
        return s;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class Hub;

// A view whose wake-ups are events of the hub, as the window's are events of its loop.
class HubView : public tq::HeadlessView {
  public:
    explicit HubView(Hub& hub) : hub_(hub) {}
    void WakeAfter(int) override;
    void ShowMessage(std::string_view, tq::MessageIcon, std::function<void()> answered) override {
        ++messages;
        if (answered) answered();
    }
    tq::GameFlow* flow = nullptr;
    int messages = 0;

  private:
    Hub& hub_;
};

// The server's endpoint: connections are honest clients (by index) or hostile peers.
class PipeServer : public tq::net::ServerTransport {
  public:
    explicit PipeServer(Hub& hub) : hub_(hub) {}
    void SetEvents(tq::net::ServerEvents* e) override { events = e; }
    bool Listen(uint16_t) override { return listening = true; }
    void StopListening() override;
    bool Listening() const override { return listening; }
    uint16_t Port() const override { return listening ? 16282 : 0; }
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;

    tq::net::ServerEvents* events = nullptr;
    bool listening = false;
    std::map<ConnectionId, int> honest;  // open connections of honest clients: their index
    std::set<ConnectionId> hostile;      // open connections of hostile peers
    std::map<ConnectionId, std::size_t> sentTo;
    ConnectionId next = 1;

  private:
    Hub& hub_;
};

// An honest client's endpoint, or the lone client's (whose server is the script).
class PipeClient : public tq::net::ClientTransport {
  public:
    PipeClient(Hub& hub, int index) : hub_(hub), index_(index) {}
    void SetEvents(tq::net::ClientEvents* e) override { events = e; }
    bool Connect(const std::string&, uint16_t) override;
    bool Connected() const override { return connected; }
    void Send(std::string_view bytes) override;
    void Close() override;

    tq::net::ClientEvents* events = nullptr;
    bool connected = false;
    ConnectionId id = 0;

  private:
    Hub& hub_;
    int index_;  // -1 for the lone client
};

// One computer of the game: its model, view, flow and network play.
struct Computer {
    Computer(Hub& hub, bool clientWords, int clientIndex, uint64_t seed)
        : view(hub), server(hub), client(hub, clientIndex) {
        UseWords(model, clientWords);
        model.Rng.Seed(seed);
        model.Settings.ComputerPace = 0;
        flow = std::make_unique<tq::GameFlow>(model, view, unused);
        view.flow = flow.get();
        play = std::make_unique<tq::net::NetPlay>(*flow, view, server, client);
    }
    ~Computer() {
        play.reset();
        flow.reset();
    }
    tq::GameModel model;
    HubView view;
    tq::NullSender unused;
    PipeServer server;
    PipeClient client;
    std::unique_ptr<tq::GameFlow> flow;
    std::unique_ptr<tq::net::NetPlay> play;
};

// Plays the own seat when the server says so, from the event loop as a click would come.
class TurnObserver : public tq::net::NetObserver {
  public:
    TurnObserver(Hub& hub, int index) : hub_(hub), index_(index) {}
    void OwnTurn() override;

  private:
    Hub& hub_;
    int index_;
};

// Fails the run when the server drops an honest client.
class DropWatch : public tq::net::NetObserver {
  public:
    explicit DropWatch(int honestCount) : honestCount_(honestCount) {}
    void ClientDropped(const std::string& name, const std::string&) override {
        for (int i = 0; i < honestCount_; ++i) Require(name != kHonestNames[i]);
    }

  private:
    int honestCount_;
};

// The event loop of every computer at once: lines in flight, closes, and turns to play.
class Hub {
  public:
    struct Event {
        enum Kind {
            Connected,
            ToServer,
            ToClient,
            ServerSeesClose,
            ClientSeesClose,
            Play,
            Wake
        } kind;
        int client = 0;  // index of the honest client; -1 the lone client
        ConnectionId id = 0;
        std::string bytes;
        tq::GameFlow* flow = nullptr;  // the game a wake-up is for
    };

    void Post(Event e) { events_.push_back(std::move(e)); }

    // Runs what is queued. Handlers let events run again from inside (the turn loop does): a few
    // levels deep, as a real event loop would, then no deeper.
    void Pump() {
        if (depth_ >= kMaxPumpDepth) return;
        ++depth_;
        while (!events_.empty()) {
            Event e = std::move(events_.front());
            events_.pop_front();
            Run(e);
        }
        --depth_;
    }

    bool Idle() const { return events_.empty(); }

    void Run(const Event& e);

    Computer* server = nullptr;
    std::vector<Computer*> clients;  // the honest ones
    Computer* lone = nullptr;
    std::vector<std::unique_ptr<tq::net::SeatBot>> bots;  // one per honest client, then the lone

  private:
    std::deque<Event> events_;
    int depth_ = 0;
};

void HubView::WakeAfter(int) {
    hub_.Post({Hub::Event::Wake, 0, 0, {}, flow});
}

void PipeServer::StopListening() {
    listening = false;
    for (const auto& [id, index] : honest) hub_.Post({Hub::Event::ClientSeesClose, index, id, {}});
    honest.clear();
    hostile.clear();
}

void PipeServer::Send(ConnectionId id, std::string_view bytes) {
    std::size_t& sent = sentTo[id];
    sent += bytes.size();
    Require(sent <= kMaxSentForGame + kMaxSentPerInputByte * gInputSize);
    if (const auto it = honest.find(id); it != honest.end())
        hub_.Post({Hub::Event::ToClient, it->second, id, std::string(bytes)});
}

void PipeServer::Close(ConnectionId id) {
    if (const auto it = honest.find(id); it != honest.end()) {
        hub_.Post({Hub::Event::ClientSeesClose, it->second, id, {}});
        honest.erase(it);
    }
    hostile.erase(id);
}

bool PipeClient::Connect(const std::string&, uint16_t) {
    // The lone client is connected by the script; an honest one reaches the server.
    if (index_ >= 0) hub_.Post({Hub::Event::Connected, index_, 0, {}});
    return true;
}

void PipeClient::Send(std::string_view bytes) {
    if (!connected || index_ < 0) return;
    hub_.Post({Hub::Event::ToServer, index_, id, std::string(bytes)});
}

void PipeClient::Close() {
    if (!connected) return;
    connected = false;
    if (index_ >= 0) hub_.Post({Hub::Event::ServerSeesClose, index_, id, {}});
}

void TurnObserver::OwnTurn() {
    hub_.Post({Hub::Event::Play, index_, 0, {}});
}

void Hub::Run(const Event& e) {
    PipeServer& sockets = server->server;
    switch (e.kind) {
        case Event::Connected: {
            PipeClient& c = clients[e.client]->client;
            c.id = sockets.next++;
            sockets.honest[c.id] = e.client;
            sockets.events->OnAccepted(c.id);
            c.connected = true;
            c.events->OnConnected();
            return;
        }
        case Event::ToServer:
            if (sockets.honest.count(e.id)) sockets.events->OnData(e.id, e.bytes);
            return;
        case Event::ToClient: {
            PipeClient& c = clients[e.client]->client;
            if (c.connected && c.id == e.id) c.events->OnData(e.bytes);
            return;
        }
        case Event::ServerSeesClose:
            if (sockets.honest.erase(e.id)) sockets.events->OnClosed(e.id);
            return;
        case Event::ClientSeesClose: {
            if (e.client < 0) return;
            PipeClient& c = clients[e.client]->client;
            if (!c.connected || c.id != e.id) return;
            c.connected = false;
            c.events->OnClosed();
            return;
        }
        case Event::Play: {
            const std::size_t bot = e.client < 0 ? bots.size() - 1 : std::size_t(e.client);
            bots[bot]->Play();
            return;
        }
        case Event::Wake:
            e.flow->Wake();
            return;
    }
}

// The lone client's field, whatever the hostile server told it.
void CheckLoneClient(const Computer& c) {
    const tq::GameModel& m = c.model;
    const tq::GameSettings& s = m.Settings;
    if (s.Mode != tq::GameMode::Client) return;
    Require(s.Count >= 2 && s.Count <= tq::kMaxSeats);
    Require(s.ColCount >= 3 && s.ColCount <= 10 && s.RowCount >= 3 && s.RowCount <= 10);
    Require(m.State.LetterCountOnField <= s.ColCount * s.RowCount);
    Require(m.State.CurrentSeat >= 1 && m.State.CurrentSeat <= s.Count);
    for (int n = 1; n <= s.Count; ++n) Require(tq::IsValidName(s.Seat(n).Name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Script script(data, size);
    gInputSize = size;
    const uint8_t game = script.Byte();
    const uint8_t peers = script.Byte();
    const uint64_t seed = script.Byte();

    const Layout layout = kLayouts[(game >> 4) & 3];
    const int honestCount = std::min(game % 3, layout.seats - 1);
    const bool hostileSeat = (game & 0x80) && honestCount + 1 < layout.seats;

    Hub hub;
    Computer server(hub, false, 0, seed);
    hub.server = &server;
    DropWatch dropWatch(honestCount);
    server.play->AddObserver(&dropWatch);
    std::vector<std::unique_ptr<Computer>> clients;
    std::vector<std::unique_ptr<TurnObserver>> turns;
    for (int i = 0; i < honestCount; ++i) {
        clients.push_back(std::make_unique<Computer>(hub, true, i, seed + 1 + i));
        hub.clients.push_back(clients.back().get());
        hub.bots.push_back(
            std::make_unique<tq::net::SeatBot>(*clients.back()->flow, 1 + (seed + i) % 7));
        turns.push_back(std::make_unique<TurnObserver>(hub, i));
        clients.back()->play->AddObserver(turns.back().get());
    }
    Computer lone(hub, true, -1, seed + 7);
    hub.lone = &lone;
    hub.bots.push_back(std::make_unique<tq::net::SeatBot>(*lone.flow, 2));
    TurnObserver loneTurn(hub, -1);
    lone.play->AddObserver(&loneTurn);

    // The server listens; the honest clients connect and announce themselves.
    PipeServer& sockets = server.server;
    Require(server.play->Server().StartListening(0));
    for (int i = 0; i < honestCount; ++i)
        Require(clients[i]->play->Client().Connect("hub", kHonestNames[i]) ==
                tq::net::ConnectResult::Started);
    hub.Pump();
    const auto acceptHostile = [&] {
        const ConnectionId id = sockets.next++;
        sockets.hostile.insert(id);
        sockets.events->OnAccepted(id);
        return id;
    };
    std::vector<ConnectionId> hostile;
    for (int i = 0; i < 1 + peers % 3; ++i) hostile.push_back(acceptHostile());
    if (hostileSeat) sockets.events->OnData(hostile[0], tq::net::ConnectLine(kHostileSeatName));

    // The lone client connects to the script's server.
    Require(lone.play->Client().Connect("hub", "Lou") == tq::net::ConnectResult::Started);
    lone.client.connected = true;
    lone.client.events->OnConnected();

    // The game: computer seats, the honest clients and perhaps a hostile one.
    tq::GameSettings& s = server.model.Settings;
    s.Mode = tq::GameMode::Server;
    s.Count = static_cast<uint8_t>(layout.seats);
    s.ColCount = static_cast<uint8_t>(layout.cols);
    s.RowCount = static_cast<uint8_t>(layout.rows);
    s.WordsPerMove = static_cast<uint8_t>(layout.wordsPerMove);
    s.MinWordLen = 2;
    s.MaxWordLen = 10;
    s.Directions = (game & 0x08) ? "11111111" : "11110000";
    s.UseJoker = game & 0x04;
    s.AllowExWords = peers & 0x08;
    s.AcceptAllWords = peers & 0x10;
    s.AllowCrossings = peers & 0x20;
    for (int n = 1; n <= s.Count; ++n) {
        s.Seat(n).Type = tq::PlayerType::Computer;
        s.Seat(n).Name = "Cpu " + std::to_string(n);
    }
    for (int i = 0; i < honestCount; ++i) {
        s.Seat(2 + i).Type = tq::PlayerType::Client;
        s.Seat(2 + i).Name = kHonestNames[i];
    }
    if (hostileSeat) {
        s.Seat(2 + honestCount).Type = tq::PlayerType::Client;
        s.Seat(2 + honestCount).Name = kHostileSeatName;
    }
    server.flow->StartNewGame();
    hub.Pump();

    // The script.
    while (!script.Done()) {
        const uint8_t op = script.Byte();
        switch (op % 8) {
            case 0:
            case 1:
            case 2:
            case 3: {
                if (hostile.empty()) break;
                const ConnectionId id = hostile[script.Byte() % hostile.size()];
                const std::string bytes = script.Bytes(1 + op / 8);
                if (sockets.hostile.count(id)) sockets.events->OnData(id, bytes);
                break;
            }
            case 4:
                if (!hostile.empty()) {
                    const std::size_t k = script.Byte() % hostile.size();
                    if (sockets.hostile.erase(hostile[k])) sockets.events->OnClosed(hostile[k]);
                    hostile.erase(hostile.begin() + static_cast<std::ptrdiff_t>(k));
                }
                break;
            case 5:
                if (hostile.size() < 8) hostile.push_back(acceptHostile());
                break;
            case 6:
                if (lone.client.connected) lone.client.events->OnData(script.Bytes(1 + op / 8));
                break;
            case 7:
                hub.Pump();
                break;
        }
        hub.Pump();
        CheckLoneClient(lone);
    }

    // The hostile peers go; the honest seats and the computer play on to the end.
    for (const ConnectionId id : hostile)
        if (sockets.hostile.erase(id)) sockets.events->OnClosed(id);
    for (int turn = 0; turn < kMaxFinalTurns && !hub.Idle(); ++turn) hub.Pump();
    Require(hub.Idle());
    Require(server.flow->Phase() == tq::GamePhase::GameOver);
    const tq::GameModel& sm = server.model;
    Require(sm.State.LetterCountOnField == s.ColCount * s.RowCount);
    for (int i = 0; i < honestCount; ++i) {
        const tq::GameModel& cm = clients[i]->model;
        Require(clients[i]->play->Client().IsConnected());
        Require(clients[i]->flow->Phase() == tq::GamePhase::GameOver);
        for (int c = 0; c < s.ColCount; ++c)
            for (int r = 0; r < s.RowCount; ++r) Require(cm.Board.At(c, r) == sm.Board.At(c, r));
        for (int n = 1; n <= s.Count; ++n)
            Require(cm.State.Score(n).Total() == sm.State.Score(n).Total());
    }
    return 0;
}
