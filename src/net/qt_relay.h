// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Both ends of a game played through a relay (net/relay.h), over Qt's sockets. The host's end is
// a ServerTransport: it opens a room at the relay and, for each player the relay announces, a
// connection of its own to the relay, which it hands to the GameServer once it is encrypted. The
// player's end is a ClientTransport that joins the room by its code. Host and player speak TLS
// with a key they both derive from the room's code, which the relay never sees whole: the relay
// passes bytes it can neither read nor change, and no certificate is needed.
//
// Like the direct sockets, every event reaches the logic from the event loop.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>

#include "net/relay_code.h"
#include "net/transport.h"

class QSslSocket;
class QTcpSocket;

namespace tq::net {

// The pre-shared key of the room's encrypted connections, from its whole code.
QByteArray RoomSecret(const RoomCode& code);

// Why the relay connection of a host ended or could not start.
enum class RelayTrouble : uint8_t {
    Unreachable,  // the relay could not be reached, or its connection broke
    Full,         // the relay takes no more rooms
    Limited,      // this address holds as many rooms as the relay allows
    Refused,      // the relay answered with something else
};

class QtRelayHostTransport final : public ServerTransport {
  public:
    QtRelayHostTransport();
    ~QtRelayHostTransport() override;
    QtRelayHostTransport(const QtRelayHostTransport&) = delete;
    QtRelayHostTransport& operator=(const QtRelayHostTransport&) = delete;

    // The relay to open the room at, at the next Listen.
    void SetRelay(const ServerAddress& relay) { relay_ = relay; }
    const ServerAddress& Relay() const { return relay_; }
    // The room's whole code once the relay has opened it; empty before and after.
    const std::string& Code() const { return code_; }

    // Told from the event loop when the room is open (Code() is set), and when the relay
    // connection ends; the room and its players are gone then.
    std::function<void()> onRoom;
    std::function<void(RelayTrouble)> onLost;

    void SetEvents(ServerEvents* events) override { events_ = events; }
    // Starts opening a room at the relay (the port is the relay's, given with SetRelay): false
    // when no relay is set; otherwise onRoom or onLost follows.
    bool Listen(uint16_t port) override;
    void StopListening() override;
    bool Listening() const override { return control_ != nullptr; }
    uint16_t Port() const override { return relay_.port; }
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;
    void WakeAt(Clock::time_point when) override;
    void SetAccepting(bool accepting) override { accepting_ = accepting; }
    std::string PeerAddress(ConnectionId id) const override;
    void ReadArrived(ConnectionId id) override;

    // Connections handed to the logic and still open.
    std::size_t ConnectionCount() const;

  private:
    struct Player {
        QSslSocket* socket = nullptr;
        std::string address;
        bool secure = false;
    };
    void ControlRead();
    void ControlLost(RelayTrouble why);
    void Announced(const std::string& ticket, const std::string& address);
    void PlayerRead(ConnectionId id);
    void PlayerLost(ConnectionId id);
    void Forget(ConnectionId id);

    QObject owner_;
    ServerAddress relay_;
    QTcpSocket* control_ = nullptr;
    std::string room_, code_;
    RoomKey key_{};
    QByteArray secret_;
    std::map<ConnectionId, Player> players_;
    ConnectionId next_ = 1;
    ServerEvents* events_ = nullptr;
    bool accepting_ = true;
    QTimer wake_;
};

class QtRelayClientTransport final : public ClientTransport {
  public:
    QtRelayClientTransport();
    ~QtRelayClientTransport() override;
    QtRelayClientTransport(const QtRelayClientTransport&) = delete;
    QtRelayClientTransport& operator=(const QtRelayClientTransport&) = delete;

    // The room the next Connect joins.
    void SetRoom(const RoomCode& code) { code_ = code; }
    // What the relay answered the last attempt instead of pairing it ("NOROOM", "FULL", "LIMIT",
    // "BAD"), or empty; an attempt that failed at the handshake (a wrong key) leaves "TLS".
    const std::string& Refusal() const { return refusal_; }

    void SetEvents(ClientEvents* events) override { events_ = events; }
    // Connects to the relay and joins the room set before; OnConnected comes once the host has
    // taken the player up and the connection is encrypted.
    bool Connect(const std::string& relayName, uint16_t port) override;
    bool Connected() const override { return socket_ && secure_; }
    void Send(std::string_view bytes) override;
    void Close() override;

  private:
    void Read();
    void Lost();
    void Fail(ClientError error);
    void Release();

    QObject owner_;
    RoomCode code_;
    QSslSocket* socket_ = nullptr;
    bool secure_ = false;
    std::string refusal_;
    ClientEvents* events_ = nullptr;
};

}  // namespace tq::net
