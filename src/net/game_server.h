// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server side of network play: this computer runs the game for everybody. It keeps the names
// of the connected clients, sends every event of the game to the clients that hold seats, applies
// the moves they report, hands a leaving client's seats to the computer, and carries chat.
//
// Names are kept per connection, not by position in a list, so a connection that closes without
// "Disconnect" (a crash, a pulled cable) is handled as the "Disconnect" of its name. Names compare
// without regard to letter case, as the options dialog's lists do.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_flow.h"
#include "net/notices.h"
#include "net/protocol.h"
#include "net/transport.h"

namespace tq::net {

class GameServer : private ServerEvents {
  public:
    GameServer(ServerTransport& transport, GameFlow& flow, NetNotices& notices);
    ~GameServer() override;
    GameServer(const GameServer&) = delete;
    GameServer& operator=(const GameServer&) = delete;

    // Starts listening on the port, all local addresses. False when that fails (the caller shows
    // "It is unable to establish the server for network game."). Listening again restarts.
    bool StartListening(uint16_t port = kGamePort);
    // Stops listening and closes every client connection; the client name list empties.
    void StopListening();
    bool Listening() const { return transport_.Listening(); }
    uint16_t Port() const { return transport_.Port(); }

    // The names the connected clients announced, in the order they announced them.
    const std::vector<std::string>& ClientNames() const { return names_; }
    bool HasClient(std::string_view name) const;

    // Sends a chat message from "Server" to the client of that name. False when no client has it.
    bool SendChat(std::string_view recipient, std::string_view text);

    // What the game sends (the NetSender calls of a server game).
    void SendNewGame(const NewGameContent& game);
    void SendUpdateMove(int round, int seat, int moveWord);
    void SendYourMove(const std::string& seatName);
    void SendEndGame();
    // A move of CurrentSeat, to every client seat but the mover's own: a move made at this
    // computer (its human seat or a computer seat), or a client's move passed on to the others.
    void SendNewMove(const MoveReport& move);

  private:
    struct Peer {
        LineBuffer buffer;
        std::string name;  // empty until it announced itself
    };

    void OnAccepted(ConnectionId id) override;
    void OnData(ConnectionId id, std::string_view bytes) override;
    void OnClosed(ConnectionId id) override;

    void Handle(ConnectionId id, const ClientMessage& message);
    void HandleConnect(ConnectionId id, const std::string& name);
    void HandleMove(ConnectionId id, const MoveReport& move);
    void HandleChat(ConnectionId id, const ChatToServerMsg& chat);
    // The client of the connection is gone: its seats become Computer, its name leaves the list,
    // and a turn waiting for it goes to the computer.
    void Leave(ConnectionId id);

    // The connection whose client announced the name.
    std::optional<ConnectionId> ConnectionOf(std::string_view name) const;
    // The connections of the client seats, in seat order, each once; `except` is left out.
    std::vector<ConnectionId> SeatConnections(ConnectionId except = 0) const;
    void SendToClientSeats(const std::string& line, ConnectionId except = 0);

    ServerTransport& transport_;
    GameFlow& flow_;
    NetNotices& notices_;
    std::map<ConnectionId, Peer> peers_;
    std::vector<std::string> names_;
};

}  // namespace tq::net
