// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server side of network play: this computer runs the game for everybody. It keeps the names
// of the connected clients, sends every event of the game to the clients that hold seats, applies
// the moves they report, hands a leaving client's seats to the computer, and carries chat.
//
// Names are kept per connection, not by position in a list, so a connection that closes without
// "Disconnect" (a crash, a pulled cable) is handled as the "Disconnect" of its name. Names compare
// without regard to letter case, as the options dialog's lists do.
//
// No peer can hold the server: it keeps at most the transport's Capacity() connections, and at
// the cap a new connection takes the place of the oldest one without a name (what has arrived on
// a connection is read first: one whose name line is there keeps its place); failing that, of
// the named client without a seat that has been silent longest, once it has been silent for
// kIdleWait. Only when none may give way does it stop taking new ones until one closes. One peer
// address holds at most AddressLimit() connections: beyond it, the address's own oldest
// connection without a name gives way, or else the new one is closed. A connection without a
// name after kNameWait is closed, and so, with a move limit set, is a client that does not move
// in time. Chat is bounded per connection: kChatBurst messages at once, then one every
// kChatInterval; the rest is dropped, and the server shows at most kMaxChatShown bytes of one.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game_flow.h"
#include "net/notices.h"
#include "net/protocol.h"
#include "net/transport.h"

namespace tq::net {

// How long a connection may stay without announcing a name.
constexpr std::chrono::seconds kNameWait{60};
// How long a named client without a seat must have sent nothing before a newcomer may take its
// place at the cap.
constexpr std::chrono::minutes kIdleWait{5};
// Chat messages one connection may send at once, and the time that earns it one more.
constexpr int kChatBurst = 10;
constexpr std::chrono::seconds kChatInterval{2};
// The longest chat text the server shows or logs; a longer one is cut there and marked so.
constexpr std::size_t kMaxChatShown = 500;

class GameServer;

// A seat of a client in a game this server leads: its moves are asked for with "YourMove//" on
// the connection the client had when the game was built, and arrive as "GetMyMove/" lines there.
class ClientSeat final : public RemoteSeat {
  public:
    ClientSeat(GameServer& server, std::string name, ConnectionId connection)
        : server_(server), name_(std::move(name)), connection_(connection) {}
    const std::string& Name() const { return name_; }
    ConnectionId Connection() const { return connection_; }

  protected:
    void AskMove(GameFlow& flow, int seat) override;

  private:
    GameServer& server_;
    std::string name_;
    ConnectionId connection_;
};

class GameServer : private ServerEvents {
  public:
    GameServer(ServerTransport& transport, GameFlow& flow, NetNotices& notices);
    ~GameServer() override;
    GameServer(const GameServer&) = delete;
    GameServer& operator=(const GameServer&) = delete;

    // Starts listening on the port, all local addresses. False when that fails (the caller shows
    // "It is unable to establish the server for network game."). Listening again restarts.
    bool StartListening(uint16_t port = kGamePort);
    // Stops listening and closes every client connection; the client name list empties. Each
    // client closed so is handled as its "Disconnect": its seats become Computer seats and a turn
    // waiting for it is played by the computer, so the game goes on.
    void StopListening();
    // The program ends: stops listening and closes every connection without playing on.
    void Shutdown();

    // Closes the connection and handles it as that client's "Disconnect" (its seats become
    // Computer seats, its name leaves the list, a turn waiting for it goes to the computer); the
    // observers hear the name and the reason first (ClientDropped). The transport reports no close
    // the server asked for, so every connection the server ends goes through here. Nothing for a
    // connection that is gone.
    void DropClient(ConnectionId id, std::string_view reason);
    // The host hands the seats of the client of that name to the computer: its connection is
    // closed as by DropClient. False when no client has the name.
    bool HandToComputer(std::string_view name);

    // How long a client seat may take for a move after its "YourMove//"; past it the client is
    // dropped and the computer plays its seat. Zero (the default) sets no limit.
    void SetMoveLimit(std::chrono::seconds limit) { moveLimit_ = limit; }
    std::chrono::seconds MoveLimit() const { return moveLimit_; }
    // Connections one peer address may hold (kMaxPerAddress unless set; at least 1).
    void SetAddressLimit(std::size_t limit) { addressLimit_ = std::max<std::size_t>(limit, 1); }
    std::size_t AddressLimit() const { return addressLimit_; }
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
    // The player of a new game's seat held by the client of that name: its ClientSeat; when no
    // client has the name (it left), the computer while listening, else none.
    std::unique_ptr<SeatPlayer> RemotePlayer(const std::string& seatName);
    // "YourMove//" to the connection, with the move limit from now.
    void AskMove(ConnectionId id);

  private:
    struct Peer {
        LineBuffer buffer;
        std::string name;                // empty until it announced itself
        std::string address;             // the peer's, empty when unknown
        Clock::time_point since{};       // accepted then
        Clock::time_point heard{};       // last bytes from it then
        int chatLeft = kChatBurst;       // chat messages it may send now
        Clock::time_point chatEarned{};  // chatLeft last grew then
    };
    // The client told "YourMove//" last, and when its move is due.
    struct Awaited {
        ConnectionId id = 0;
        Clock::time_point due{};
    };

    void OnAccepted(ConnectionId id) override;
    void OnData(ConnectionId id, std::string_view bytes) override;
    void OnClosed(ConnectionId id) override;
    void OnCutOff(ConnectionId id) override;
    void OnWake() override;

    // Over its address's limit, the new connection or one of its address gives way.
    void KeepWithinAddressLimit(ConnectionId id);
    // Over the capacity, connections without a name give way, then idle ones without a seat,
    // then the newcomer.
    void KeepWithinCapacity(ConnectionId newcomer);
    // The connection that gives way first among those of the address (all when null): the
    // oldest without a name, the newcomer left out, once what arrived on it is read; else, when
    // `idleToo`, the named client without a seat that has been silent longest, if for kIdleWait;
    // else the newcomer, if it still has no name. Nothing when none may give way.
    std::optional<ConnectionId> YieldingPeer(const std::string* address, bool idleToo,
                                             ConnectionId newcomer);
    // Whether a named client of the connection may give way to a newcomer now.
    bool Idle(const Peer& peer, Clock::time_point now) const;
    // Whether a seat of the game is the client's.
    bool Seated(const std::string& name) const;
    // The client's seat of the game on the field at that seat number, if the seat is a client's.
    const ClientSeat* ClientSeatAt(int seat) const;
    // Whether a chat message of the connection may pass now; takes its share if so.
    bool TakeChatShare(Peer& peer);
    // New connections are taken unless the capacity is reached by clients none of which may give
    // way.
    void UpdateAccepting();
    // Asks the transport to wake the server at the next deadline.
    void ScheduleWake();
    // Whether the game waits for a move of the connection's client now.
    bool AwaitsMoveOf(ConnectionId id) const;

    void Handle(ConnectionId id, const ClientMessage& message);
    void HandleConnect(ConnectionId id, const std::string& name);
    void HandleMove(ConnectionId id, const MoveReport& move);
    void HandleChat(ConnectionId id, const ChatToServerMsg& chat);
    // The client of the connection said "Disconnect", or its connection is closing: it keeps no
    // name, and HandOver follows for the name it had.
    void Leave(ConnectionId id);
    // The connection is gone: the peer is forgotten and its client handed over.
    void Gone(ConnectionId id);
    // The clients of these names are gone: their seats become Computer, their names leave the
    // list, and a turn waiting for one of them goes to the computer.
    void HandOver(const std::vector<std::string>& names);

    // The connection whose client announced the name.
    std::optional<ConnectionId> ConnectionOf(std::string_view name) const;
    // The connections of the client seats, in seat order, each once; `except` is left out.
    std::vector<ConnectionId> SeatConnections(ConnectionId except = 0) const;
    void SendToClientSeats(const std::string& line, ConnectionId except = 0);

    ServerTransport& transport_;
    GameFlow& flow_;
    NetNotices& notices_;
    std::map<ConnectionId, Peer> peers_;  // in the order of acceptance
    std::vector<std::string> names_;
    std::chrono::seconds moveLimit_{0};
    std::size_t addressLimit_ = kMaxPerAddress;
    std::optional<Awaited> awaited_;
};

}  // namespace tq::net
