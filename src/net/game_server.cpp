// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/game_server.h"

#include <algorithm>
#include <variant>

#include "base/letters.h"
#include "net/move_check.h"

namespace tq::net {

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
    peers_.clear();
    if (!names_.empty()) {
        names_.clear();
        notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });
    }
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
    const GameSettings& s = flow_.Model().Settings;
    for (int seat = 1; seat <= s.Count; ++seat) {
        const TPlayers& p = s.Seat(seat);
        if (p.Type != PlayerType::Client) continue;
        const auto id = ConnectionOf(p.Name);
        if (!id || *id == except) continue;
        if (std::find(ids.begin(), ids.end(), *id) == ids.end()) ids.push_back(*id);
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
    if (const auto id = ConnectionOf(seatName)) transport_.Send(*id, YourMoveLine());
}

void GameServer::SendEndGame() {
    SendToClientSeats(EndGameLine());
}

void GameServer::SendNewMove(const MoveReport& move) {
    // The move is CurrentSeat's. A client's own move comes back to it from nobody: its client
    // has shown it already.
    const GameSettings& s = flow_.Model().Settings;
    const TPlayers& mover = s.Seat(flow_.Model().State.CurrentSeat);
    ConnectionId except = 0;
    if (mover.Type == PlayerType::Client)
        if (const auto id = ConnectionOf(mover.Name)) except = *id;
    SendToClientSeats(NewMoveLine(move), except);
}

bool GameServer::SendChat(std::string_view recipient, std::string_view text) {
    const auto id = ConnectionOf(recipient);
    if (!id) return false;
    transport_.Send(*id, ChatFromServerLine(kServerName, ChatText(text, kServerName.size())));
    return true;
}

void GameServer::OnAccepted(ConnectionId id) {
    peers_.try_emplace(id);
}

void GameServer::OnData(ConnectionId id, std::string_view bytes) {
    auto it = peers_.find(id);
    if (it == peers_.end()) it = peers_.try_emplace(id).first;
    const bool ok = it->second.buffer.Append(bytes);
    // Every complete line, in order. A handler may run the turn loop, which lets events run and
    // can end this connection meanwhile: look the peer up again for every line.
    for (;;) {
        it = peers_.find(id);
        if (it == peers_.end()) return;
        const auto line = it->second.buffer.NextLine();
        if (!line) break;
        if (const auto message = ParseClientLine(*line)) Handle(id, *message);
    }
    if (!ok) {
        // A line beyond the bound: a broken or hostile peer. It is treated as having left.
        transport_.Close(id);
        Leave(id);
        peers_.erase(id);
    }
}

void GameServer::OnClosed(ConnectionId id) {
    Leave(id);
    peers_.erase(id);
}

void GameServer::Handle(ConnectionId id, const ClientMessage& message) {
    if (const auto* connect = std::get_if<ConnectMsg>(&message)) {
        HandleConnect(id, connect->Name);
    } else if (const auto* disconnect = std::get_if<DisconnectMsg>(&message)) {
        // Only the connection that announced the name may give it up; an empty name is a client
        // that was refused.
        const Peer& peer = peers_[id];
        if (!disconnect->Name.empty() && !peer.name.empty() &&
            SameText(disconnect->Name, peer.name))
            Leave(id);
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
    notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });
}

void GameServer::HandleMove(ConnectionId id, const MoveReport& move) {
    GameModel& model = flow_.Model();
    const GameSettings& s = model.Settings;
    GameState& st = model.State;
    // Only the client whose seat is awaited, and only a legal move; anything else is dropped and
    // the seat stays awaited.
    if (s.Mode != GameMode::Server || flow_.Phase() != GamePhase::AwaitRemote) return;
    const TPlayers& seat = s.Seat(st.CurrentSeat);
    const std::string& name = peers_[id].name;
    if (seat.Type != PlayerType::Client || name.empty() || !SameText(seat.Name, name)) return;
    if (!IsLegalRemoteMove(model, move)) return;
    // Committed like every move: scored, placed, shown and passed on to the other client seats;
    // then the next turn opens. The commit refuses nothing IsLegalRemoteMove lets through (a
    // refused move would be dropped like the ones above, the seat still awaited).
    static_cast<void>(flow_.CommitReceivedMove(move));
}

void GameServer::HandleChat(ConnectionId id, const ChatToServerMsg& chat) {
    // A client speaks under its own name only.
    const std::string& name = peers_[id].name;
    if (name.empty() || !SameText(chat.Sender, name)) return;
    if (SameText(chat.Recipient, kServerName)) {
        notices_.ShowChat(chat.Sender, chat.Text);
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

    GameModel& model = flow_.Model();
    GameSettings& s = model.Settings;
    GameState& st = model.State;
    std::vector<int> seats;
    for (int n = 1; n <= s.Count; ++n) {
        TPlayers& seat = s.Seat(n);
        if (seat.Type == PlayerType::Client && SameText(seat.Name, name)) {
            seat.Type = PlayerType::Computer;
            seats.push_back(n);
        }
    }
    names_.erase(std::remove_if(names_.begin(), names_.end(),
                                [&](const std::string& n) { return SameText(n, name); }),
                 names_.end());
    if (!seats.empty()) notices_.Notify([&](NetObserver& o) { o.SeatsTakenOver(seats); });
    notices_.Notify([](NetObserver& o) { o.ClientNamesChanged(); });

    // A turn that waited for the client goes back one step, and the turn loop plays it again, now
    // by the computer (with the same "UpdateMove" once more).
    const bool awaited = std::find(seats.begin(), seats.end(), st.CurrentSeat) != seats.end();
    if (!awaited || flow_.Phase() != GamePhase::AwaitRemote) return;
    if (st.MoveWord == 1) {
        st.MoveWord = s.WordsPerMove;
        if (st.CurrentSeat == 1) {
            if (st.Round == 1) {
                st.MoveWord = 0;
            } else {
                --st.Round;
                st.CurrentSeat = s.Count;
            }
        } else {
            --st.CurrentSeat;
        }
    } else if (st.MoveWord > 1) {
        --st.MoveWord;
    }
    flow_.EndOfMove();
}

}  // namespace tq::net
