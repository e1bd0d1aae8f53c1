// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The client side of network play: this computer joins a game that a server runs. It connects
// under a name, takes each new game's settings and seats from the server, shows every move,
// plays its own seat when the server says so and reports that move, and carries chat. It never
// advances the turn: the server's lines do.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_flow.h"
#include "net/notices.h"
#include "net/protocol.h"
#include "net/transport.h"

namespace tq::net {

enum class ClientState : uint8_t { Closed, Connecting, Connected };

enum class ConnectResult : uint8_t {
    Started,      // the outcome follows as ConnectionChanged (and a message box on failure)
    EmptyName,    // no own name: "You should enter your name."
    InvalidName,  // over 12 characters, or a ',' or control character in it
    CannotStart,  // "It is unable to establish the connection with the server."
};

class GameClient : private ClientEvents {
  public:
    GameClient(ClientTransport& transport, GameFlow& flow, NetNotices& notices);
    ~GameClient() override;
    GameClient(const GameClient&) = delete;
    GameClient& operator=(const GameClient&) = delete;

    // Connects to the server under the own name. A server name of digits and exactly three dots
    // is an IPv4 address, one with ':' an IPv6 address, anything else a host name. An open
    // connection is closed first. The caller shows the message of a result other than Started;
    // failures after the start show their own boxes ("The server is inaccessible.", "Network
    // error."), a failed attempt with a second line that names the server, the port and why.
    ConnectResult Connect(std::string_view serverName, std::string_view ownName,
                          uint16_t port = kGamePort);
    // Closes the connection (saying "Disconnect" first while it is open) or stops an attempt.
    void Disconnect();
    ClientState State() const { return state_; }
    bool IsConnected() const { return state_ == ClientState::Connected; }
    // The name announced; empty when not connected or when the server refused it.
    const std::string& OwnName() const { return ownName_; }

    // Chat: "Server" and the names of the other client seats of the game, in seat order.
    const std::vector<std::string>& Recipients() const { return recipients_; }
    void SendChat(std::string_view recipient, std::string_view text);

    // This computer's accepted move, to the server.
    void SendMyMove(const MoveReport& move);

  private:
    void OnConnected() override;
    void OnData(std::string_view bytes) override;
    void OnClosed() override;
    void OnError(ClientError error) override;

    void Handle(const ServerMessage& message);
    void HandleNewGame(const NewGameContent& game);
    // A "NewGame///" that cannot be played here: the client leaves, with a message.
    void RefuseNewGame();
    void HandleUpdateMove(const UpdateMoveMsg& update);
    void HandleYourMove();
    void HandleNewMove(const MoveReport& move);
    void HandleEndGame();
    void HandleChangeName();
    // The connection is gone, closed by either side: the state, the lists and the game follow.
    void Closed();
    // Whether a game from the server is in progress here.
    bool InServerGame() const;
    void SetRecipients(std::vector<std::string> names);

    ClientTransport& transport_;
    GameFlow& flow_;
    NetNotices& notices_;
    LineBuffer buffer_;
    ClientState state_ = ClientState::Closed;
    std::string ownName_;
    std::string serverName_;  // of the attempt or connection, for its messages
    uint16_t port_ = 0;
    std::vector<std::string> recipients_;
    bool otherAlphabetShown_ = false;  // one box per connection, not one per game
};

}  // namespace tq::net
