// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/game_server.h"

#include <algorithm>
#include <variant>

#include "base/letters.h"
#include "core/turn_order.h"
#include "net/move_check.h"

namespace tq::net {

void ClientSeat::AskMove(GameFlow& /*flow*/, int /*seat*/) {
    server_.AskMove(connection_);
}

GameServer::GameServer(ServerTransport& transport, GameFlow& flow, NetNotices& notices)
    : transport_(transport), flow_(flow), notices_(notices) {
    transport_.SetEvents(this);
}

GameServer::~GameServer() {
    transport_.SetEvents(nullptr);
}

bool GameServer::StartListening(uint16_t port) {
    StopListening();
    return transport_.Listen(port);
}

void GameServer::StopListening() {
    transport_.StopListening();
    // The transport reports none of these closes: each is handled here as the client's
    // "Disconnect", all at once, so that the turn goes back at most once.
    std::vector<std::string> gone;
    for (const auto& [id, peer] : peers_)
        if (!peer.name.empty()) gone.push_back(peer.name);
    peers_.clear();
    awaited_.reset();
    HandOver(gone);
    if (!names_.empty()) {
        names_.clear();
        notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });
    }
}

void GameServer::Shutdown() {
    transport_.StopListening();
    peers_.clear();
    awaited_.reset();
    names_.clear();
}

void GameServer::DropClient(ConnectionId id, std::string_view reason) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    transport_.Close(id);
    const std::string name = it->second.name;
    const std::string why(reason);
    notices_.Notify([&](NetObserver& o) { o.ClientDropped(name, why); });
    Gone(id);
}

bool GameServer::HandToComputer(std::string_view name) {
    const auto id = ConnectionOf(name);
    if (!id) return false;
    DropClient(*id, "the host handed its seats to the computer");
    return true;
}

bool GameServer::HasClient(std::string_view name) const {
    return ConnectionOf(name).has_value();
}

std::optional<ConnectionId> GameServer::ConnectionOf(std::string_view name) const {
    if (name.empty()) return std::nullopt;
    for (const auto& [id, peer] : peers_)
        if (!peer.name.empty() && SameText(peer.name, name)) return id;
    return std::nullopt;
}

std::vector<ConnectionId> GameServer::SeatConnections(ConnectionId except) const {
    // One copy per client, in the order of its first seat: a client holding two seats must not
    // apply a move or end a game twice.
    std::vector<ConnectionId> ids;
    const int count = flow_.Model().Settings.Count;
    for (int seat = 1; seat <= count; ++seat) {
        const ClientSeat* client = ClientSeatAt(seat);
        if (!client) continue;
        const ConnectionId id = client->Connection();
        if (id == except || !peers_.contains(id)) continue;
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
    return ids;
}

void GameServer::SendToClientSeats(const std::string& line, ConnectionId except) {
    for (const ConnectionId id : SeatConnections(except)) transport_.Send(id, line);
}

void GameServer::SendNewGame(const NewGameContent& game) {
    SendToClientSeats(NewGameLine(game));
}

void GameServer::SendUpdateMove(int round, int seat, int moveWord) {
    SendToClientSeats(UpdateMoveLine(round, seat, moveWord));
}

void GameServer::SendYourMove(const std::string& seatName) {
    if (const auto id = ConnectionOf(seatName)) AskMove(*id);
}

void GameServer::AskMove(ConnectionId id) {
    if (!peers_.contains(id)) return;
    if (moveLimit_.count() > 0) awaited_ = Awaited{id, transport_.Now() + moveLimit_};
    transport_.Send(id, YourMoveLine());
    if (moveLimit_.count() > 0) ScheduleWake();
}

std::unique_ptr<SeatPlayer> GameServer::RemotePlayer(const std::string& seatName) {
    const auto id = ConnectionOf(seatName);
    if (id) return std::make_unique<ClientSeat>(*this, seatName, *id);
    // A listening server's client that has gone: the computer plays the seat, as it did since
    // the client left. Without a server nobody can take the seat, and nobody is asked.
    if (Listening()) return std::make_unique<ComputerSeat>();
    return nullptr;
}

const ClientSeat* GameServer::ClientSeatAt(int seat) const {
    return dynamic_cast<const ClientSeat*>(flow_.PlayerOf(seat));
}

void GameServer::SendEndGame() {
    SendToClientSeats(EndGameLine());
}

void GameServer::SendNewMove(const MoveReport& move) {
    // The move is CurrentSeat's. A client's own move comes back to it from nobody: its client
    // has shown it already.
    const ClientSeat* mover = ClientSeatAt(flow_.Model().State.CurrentSeat);
    SendToClientSeats(NewMoveLine(move), mover ? mover->Connection() : 0);
}

bool GameServer::SendChat(std::string_view recipient, std::string_view text) {
    const auto id = ConnectionOf(recipient);
    if (!id) return false;
    transport_.Send(*id, ChatFromServerLine(kServerName, ChatText(text, kServerName.size())));
    return true;
}

void GameServer::OnAccepted(ConnectionId id) {
    Peer& peer = peers_.try_emplace(id).first->second;
    peer.since = peer.heard = peer.chatEarned = transport_.Now();
    peer.address = transport_.PeerAddress(id);
    KeepWithinAddressLimit(id);
    KeepWithinCapacity(id);
    UpdateAccepting();
    ScheduleWake();
}

void GameServer::KeepWithinAddressLimit(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || it->second.address.empty()) return;
    const std::string address = it->second.address;
    const auto held = [&] {
        return static_cast<std::size_t>(
            std::count_if(peers_.begin(), peers_.end(),
                          [&](const auto& p) { return p.second.address == address; }));
    };
    while (held() > addressLimit_) {
        if (const auto yielding = YieldingPeer(&address, false, id)) {
            DropClient(*yielding,
                       "its address holds all the connections one address may, and it had "
                       "announced no name");
            continue;
        }
        DropClient(id, "its address holds " + std::to_string(addressLimit_) +
                           (addressLimit_ == 1 ? " connection" : " connections") + " already");
        return;
    }
}

void GameServer::KeepWithinCapacity(ConnectionId newcomer) {
    while (peers_.size() > std::max<std::size_t>(transport_.Capacity(), 1)) {
        const auto yielding = YieldingPeer(nullptr, true, newcomer);
        if (!yielding) return;
        const auto it = peers_.find(*yielding);
        if (it == peers_.end()) continue;
        if (it->second.name.empty())
            DropClient(*yielding,
                       "the server holds all the connections it can, and it had announced no "
                       "name");
        else
            DropClient(*yielding,
                       "the server holds all the connections it can, and it had no seat and had "
                       "sent nothing for " +
                           std::to_string(kIdleWait.count()) + " minutes");
    }
}

std::optional<ConnectionId> GameServer::YieldingPeer(const std::string* address, bool idleToo,
                                                     ConnectionId newcomer) {
    const auto counts = [&](const Peer& peer) { return !address || peer.address == *address; };
    // Whether the connection is still there without a name once what has arrived on it is read:
    // a name line already there must not be passed over (several connections come in at once
    // when a place frees, and the event loop has read none of them yet).
    const auto namelessAfterReading = [&](ConnectionId id) {
        auto it = peers_.find(id);
        if (it == peers_.end() || !it->second.name.empty()) return false;
        transport_.ReadArrived(id);
        it = peers_.find(id);
        return it != peers_.end() && it->second.name.empty();
    };
    // Connection numbers grow with acceptance: the first without a name is the oldest.
    std::vector<ConnectionId> nameless;
    for (const auto& [id, peer] : peers_)
        if (id != newcomer && peer.name.empty() && counts(peer)) nameless.push_back(id);
    for (const ConnectionId id : nameless)
        if (namelessAfterReading(id)) return id;
    if (idleToo) {
        const Clock::time_point now = transport_.Now();
        std::optional<ConnectionId> quietest;
        for (const auto& [id, peer] : peers_)
            if (counts(peer) && Idle(peer, now) &&
                (!quietest || peer.heard < peers_.at(*quietest).heard))
                quietest = id;
        if (quietest) return quietest;
    }
    // The newcomer finds no room, unless its name is there already.
    if (newcomer != 0 && namelessAfterReading(newcomer)) return newcomer;
    return std::nullopt;
}

bool GameServer::Idle(const Peer& peer, Clock::time_point now) const {
    return !peer.name.empty() && now - peer.heard >= kIdleWait && !Seated(peer.name);
}

bool GameServer::Seated(const std::string& name) const {
    // A seat in the game on the field, or one the host has chosen for the next game.
    const GameSettings& s = flow_.Model().Settings;
    for (int seat = 1; seat <= s.Count; ++seat) {
        const ClientSeat* client = ClientSeatAt(seat);
        if (client && SameText(client->Name(), name)) return true;
        const TPlayers& p = s.Seat(seat);
        if (p.Type == PlayerType::Client && SameText(p.Name, name)) return true;
    }
    return false;
}

void GameServer::UpdateAccepting() {
    const Clock::time_point now = transport_.Now();
    const bool room = peers_.size() < transport_.Capacity() ||
                      std::any_of(peers_.begin(), peers_.end(), [&](const auto& p) {
                          return p.second.name.empty() || Idle(p.second, now);
                      });
    transport_.SetAccepting(room);
}

void GameServer::ScheduleWake() {
    std::optional<Clock::time_point> next;
    const auto consider = [&](Clock::time_point t) {
        if (!next || t < *next) next = t;
    };
    for (const auto& [id, peer] : peers_)
        if (peer.name.empty()) consider(peer.since + kNameWait);
    if (awaited_) consider(awaited_->due);
    // At the cap, a named client that falls idle lets taking resume.
    if (peers_.size() >= transport_.Capacity()) {
        const Clock::time_point now = transport_.Now();
        for (const auto& [id, peer] : peers_)
            if (!peer.name.empty() && peer.heard + kIdleWait > now)
                consider(peer.heard + kIdleWait);
    }
    if (next) transport_.WakeAt(*next);
}

bool GameServer::AwaitsMoveOf(ConnectionId id) const {
    if (flow_.Phase() != GamePhase::AwaitRemote) return false;
    const ClientSeat* seat = ClientSeatAt(flow_.Model().State.CurrentSeat);
    return seat && seat->Connection() == id;
}

void GameServer::OnWake() {
    const Clock::time_point now = transport_.Now();
    std::vector<ConnectionId> nameless;
    for (const auto& [id, peer] : peers_)
        if (peer.name.empty() && now >= peer.since + kNameWait) nameless.push_back(id);
    for (const ConnectionId id : nameless) DropClient(id, "it announced no name within a minute");
    if (awaited_ && now >= awaited_->due) {
        const ConnectionId id = awaited_->id;
        awaited_.reset();
        if (AwaitsMoveOf(id))
            DropClient(id, "it did not move within " + std::to_string(moveLimit_.count()) +
                               (moveLimit_.count() == 1 ? " second" : " seconds"));
    }
    UpdateAccepting();
    ScheduleWake();
}

void GameServer::OnData(ConnectionId id, std::string_view bytes) {
    auto it = peers_.find(id);
    if (it == peers_.end()) it = peers_.try_emplace(id).first;
    it->second.heard = transport_.Now();
    const bool ok = it->second.buffer.Append(bytes);
    // Every complete line, in order. A handler may drop this connection (a refused move): look
    // the peer up again for every line.
    for (;;) {
        it = peers_.find(id);
        if (it == peers_.end()) return;
        const auto line = it->second.buffer.NextLine();
        if (!line) break;
        if (const auto message = ParseClientLine(*line)) Handle(id, *message);
    }
    // A line beyond the bound: a broken or hostile peer.
    if (!ok) DropClient(id, "it sent a line longer than any the game sends");
}

void GameServer::OnClosed(ConnectionId id) {
    Gone(id);
}

void GameServer::OnCutOff(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    const std::string name = it->second.name;
    notices_.Notify([&](NetObserver& o) {
        o.ClientDropped(name, "it did not read what it was sent, and too much waited for it");
    });
    Gone(id);
}

void GameServer::Gone(ConnectionId id) {
    if (awaited_ && awaited_->id == id) awaited_.reset();
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    const std::string name = std::move(it->second.name);
    peers_.erase(it);
    if (!name.empty()) HandOver({name});
    UpdateAccepting();
}

void GameServer::Handle(ConnectionId id, const ClientMessage& message) {
    if (const auto* connect = std::get_if<ConnectMsg>(&message)) {
        HandleConnect(id, connect->Name);
    } else if (const auto* disconnect = std::get_if<DisconnectMsg>(&message)) {
        // Only the connection that announced the name may give it up; an empty name is a client
        // that was refused.
        const Peer& peer = peers_[id];
        if (!disconnect->Name.empty() && !peer.name.empty() &&
            SameText(disconnect->Name, peer.name)) {
            Leave(id);
            UpdateAccepting();
        }
    } else if (const auto* move = std::get_if<MyMoveMsg>(&message)) {
        HandleMove(id, move->Move);
    } else if (const auto* chat = std::get_if<ChatToServerMsg>(&message)) {
        HandleChat(id, *chat);
    }
}

void GameServer::HandleConnect(ConnectionId id, const std::string& name) {
    Peer& peer = peers_[id];
    if (!peer.name.empty()) return;  // announced already
    // A taken name, the server's own chat name, or one that would break a line is refused; the
    // client closes the connection itself.
    if (!IsValidName(name) || SameText(name, kServerName) || HasClient(name)) {
        transport_.Send(id, ChangeNameLine());
        return;
    }
    peer.name = name;
    names_.push_back(name);
    UpdateAccepting();
    notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });
}

void GameServer::HandleMove(ConnectionId id, const MoveReport& move) {
    GameModel& model = flow_.Model();
    // Only the client whose seat is awaited. Any other move is dropped and the game goes on: the
    // game does not wait for it, and an honest client's move can cross a new game on the wire.
    if (!AwaitsMoveOf(id)) return;
    // The awaited move must be one an honest client can make. One that is not would leave the
    // game waiting for ever: the client is dropped instead, and the computer plays its seat.
    if (!IsLegalRemoteMove(model, move)) {
        DropClient(id, "its move was refused");
        return;
    }
    // The move came in time; the next "YourMove//" sets the next limit.
    if (awaited_ && awaited_->id == id) awaited_.reset();
    // Committed like every move: scored, placed, shown and passed on to the other client seats;
    // then the next turn opens. The commit refuses nothing IsLegalRemoteMove lets through.
    if (!flow_.CommitReceivedMove(move).ok()) DropClient(id, "its move was refused");
}

bool GameServer::TakeChatShare(Peer& peer) {
    const Clock::time_point now = transport_.Now();
    if (peer.chatLeft >= kChatBurst) {
        peer.chatEarned = now;
    } else if (now > peer.chatEarned) {
        const auto earned = (now - peer.chatEarned) / kChatInterval;
        if (earned > 0) {
            peer.chatLeft =
                static_cast<int>(std::min<decltype(earned)>(kChatBurst, peer.chatLeft + earned));
            peer.chatEarned += earned * kChatInterval;
        }
    }
    if (peer.chatLeft <= 0) return false;
    --peer.chatLeft;
    return true;
}

void GameServer::HandleChat(ConnectionId id, const ChatToServerMsg& chat) {
    // A client speaks under its own name only, and no faster than its share allows: a flood
    // would fill the server's log or the queue of the client it is sent to.
    Peer& peer = peers_[id];
    if (peer.name.empty() || !SameText(chat.Sender, peer.name) || !TakeChatShare(peer)) return;
    if (SameText(chat.Recipient, kServerName)) {
        if (chat.Text.size() <= kMaxChatShown)
            notices_.ShowChat(chat.Sender, chat.Text);
        else
            notices_.ShowChat(chat.Sender, chat.Text.substr(0, kMaxChatShown) + "...");
        return;
    }
    if (const auto to = ConnectionOf(chat.Recipient))
        transport_.Send(*to, ChatFromServerLine(chat.Sender, chat.Text));
}

void GameServer::Leave(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || it->second.name.empty()) return;
    const std::string name = std::move(it->second.name);
    it->second.name.clear();
    HandOver({name});
}

void GameServer::HandOver(const std::vector<std::string>& names) {
    if (names.empty()) return;
    GameModel& model = flow_.Model();
    const GameSettings& s = model.Settings;
    GameState& st = model.State;
    const auto gone = [&](std::string_view name) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return SameText(n, name); });
    };
    // The game's seats go to the computer; the settings keep what the host chose (a new game
    // gives the computer a seat whose client is not there).
    std::vector<int> seats;
    for (int n = 1; n <= s.Count; ++n)
        if (const ClientSeat* client = ClientSeatAt(n); client && gone(client->Name()))
            seats.push_back(n);
    for (const int n : seats) flow_.HandSeatToComputer(n);
    names_.erase(std::remove_if(names_.begin(), names_.end(), gone), names_.end());
    if (!seats.empty()) notices_.Notify([&](NetObserver& o) { o.SeatsTakenOver(seats); });
    notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });

    // A turn that waited for the client goes back one step, and the turn loop plays it again, now
    // by the computer (with the same "UpdateMove" once more).
    const bool awaited = std::find(seats.begin(), seats.end(), st.CurrentSeat) != seats.end();
    if (!awaited || flow_.Phase() != GamePhase::AwaitRemote) return;
    TurnOrder::Set(st, TurnOrder(s, st).Previous(TurnOrder::Of(st)));
    // The turn now stands at the previous seat, perhaps another client's, whose move must not be
    // taken out of turn: the game awaits no remote move any more.
    flow_.SetPhase(GamePhase::MoveDone);
    flow_.EndOfMove();
}

}  // namespace tq::net
