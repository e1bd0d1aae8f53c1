// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sockets as the network logic sees them: a listening endpoint with numbered connections,
// and a client endpoint with one connection. The Qt classes in qt_transport.h carry them over
// TCP; tests use in-memory fakes. Every call and every event happens on the one thread that runs
// the game (the user-interface thread in the window).
//
// Events report what the peer or the network did. A close that the owner asked for (Close,
// StopListening) is not reported back: the owner already knows.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tq::net {

// A connection of a listening endpoint; numbers are never reused within one endpoint's life.
using ConnectionId = uint64_t;

using Clock = std::chrono::steady_clock;

// Bytes that may wait to be sent on one connection. A game's lines are a few hundred bytes and
// each waits for an answer, so a queue this long belongs to a peer that does not read; its
// connection is closed before the queue grows further.
constexpr std::size_t kMaxQueuedBytes = 256 * 1024;
// Connections a listening endpoint holds at most: a game has five seats, a LAN a few players more
// waiting or chatting.
constexpr std::size_t kMaxConnections = 40;
// Connections one peer address may hold at once by default: the five seats of a game played from
// one computer, so that one machine cannot take the places of the others.
constexpr std::size_t kMaxPerAddress = 5;

class ServerEvents {
  public:
    virtual ~ServerEvents() = default;
    virtual void OnAccepted(ConnectionId id) = 0;
    // The bytes of one read, in arrival order; a read may hold several lines or part of one.
    virtual void OnData(ConnectionId id, std::string_view bytes) = 0;
    // The peer closed the connection, or it broke.
    virtual void OnClosed(ConnectionId id) = 0;
    // The endpoint closed the connection itself because more than kMaxQueuedBytes waited to be
    // sent to it (a peer that does not read). Comes instead of OnClosed.
    virtual void OnCutOff(ConnectionId id) { OnClosed(id); }
    // The time asked for with WakeAt has come.
    virtual void OnWake() {}
};

class ServerTransport {
  public:
    virtual ~ServerTransport() = default;
    virtual void SetEvents(ServerEvents* events) = 0;
    // Listens on the port on all local addresses (0: any free port). False when that fails;
    // listening again first stops the old listener and its connections.
    virtual bool Listen(uint16_t port) = 0;
    // Stops listening and closes every connection.
    virtual void StopListening() = 0;
    virtual bool Listening() const = 0;
    // The port listened on (the one chosen for port 0), 0 when not listening.
    virtual uint16_t Port() const = 0;
    // Queues bytes for the connection; nothing for a connection that is gone.
    virtual void Send(ConnectionId id, std::string_view bytes) = 0;
    // Sends what is queued, then closes the connection.
    virtual void Close(ConnectionId id) = 0;

    // The time the logic's deadlines are measured in.
    virtual Clock::time_point Now() const { return Clock::now(); }
    // Asks for one OnWake at or soon after the time; a later call replaces the earlier one. An
    // endpoint without timers never wakes.
    virtual void WakeAt(Clock::time_point /*when*/) {}
    // The most connections to hold at once: kMaxConnections, fewer when the process's file limit
    // leaves no room for them beside the files and sockets it needs besides.
    virtual std::size_t Capacity() const { return kMaxConnections; }
    // Whether new connections are taken. While not, they wait in the system's queue of the
    // listening socket until taking resumes.
    virtual void SetAccepting(bool /*accepting*/) {}
    // The peer's address as text (an IPv4 address for an IPv4 peer, also over an IPv6 socket);
    // empty when unknown or the connection is gone.
    virtual std::string PeerAddress(ConnectionId /*id*/) const { return {}; }
    // Hands over, through OnData and before it returns, what has arrived on the connection and
    // not been reported yet: the logic looks at it before it decides to let the connection go.
    virtual void ReadArrived(ConnectionId /*id*/) {}
};

// How a client connection failed.
enum class ClientError : uint8_t {
    HostNotFound,  // the server name could not be resolved
    Refused,       // nothing listens on the port there
    NoRoute,       // the network does not reach the server
    TimedOut,      // the server did not answer in time
    Unreachable,   // connecting failed otherwise
    Broken,        // a connection that was up failed
};

class ClientEvents {
  public:
    virtual ~ClientEvents() = default;
    virtual void OnConnected() = 0;
    virtual void OnData(std::string_view bytes) = 0;
    // The server closed the connection, or it broke (an OnError comes first then).
    virtual void OnClosed() = 0;
    // A failure while connecting ends the attempt: no OnClosed follows it.
    virtual void OnError(ClientError error) = 0;
};

// Whether the server name is used as a dotted IPv4 address: digits and '.' only, with exactly
// three '.'. Anything else is a host name to resolve.
bool IsDottedAddress(std::string_view serverName);

// The server field of the options dialog as a host and a port: "host", "host:port",
// "[IPv6 address]:port", "[IPv6 address]" or a bare IPv6 address (more than one ':'); the port is
// defaultPort unless given. Blanks around it are ignored. Nothing when the host is empty or the
// port is not a number 1..65535.
struct ServerAddress {
    std::string host;
    uint16_t port = 0;
};
std::optional<ServerAddress> ParseServerAddress(std::string_view text, uint16_t defaultPort);

class ClientTransport {
  public:
    virtual ~ClientTransport() = default;
    virtual void SetEvents(ClientEvents* events) = 0;
    // Starts connecting (a connection already open or opening is closed first). False when the
    // attempt cannot even start (an empty name, an address that is not one); otherwise the result
    // comes as OnConnected or OnError.
    virtual bool Connect(const std::string& serverName, uint16_t port) = 0;
    virtual bool Connected() const = 0;
    // Queues bytes; nothing while not connected. A queue beyond kMaxQueuedBytes (a server that
    // does not read) breaks the connection: OnError(Broken), then OnClosed.
    virtual void Send(std::string_view bytes) = 0;
    // Sends what is queued, then closes; stops an attempt under way.
    virtual void Close() = 0;
};

}  // namespace tq::net
