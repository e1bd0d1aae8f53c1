// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The relay: pairs a game's host with its players when neither can reach the other, then passes
// their bytes both ways. It reads only its own greeting lines (below), never a line of the game,
// which travels encrypted between host and player; the host's GameServer checks every game line
// as on a local network.
//
// The greeting, one line each way, ended by '\n' (a '\r' before it is ignored), at most 128 bytes:
//   host, control connection:  "TQRELAY1 HOST"                -> "ROOM <room>"
//   player:                    "TQRELAY1 JOIN <room>"         -> (control gets "PLAYER <ticket>
//                                                                 <player's address>")
//   host, one per player:      "TQRELAY1 ACCEPT <room> <ticket>"
//   then to player and host:   "READY"; each answers "GO" and from then on speaks its own bytes.
// The relay passes bytes to a side only after its "GO", so that a side which reads its "READY"
// has nothing after it waiting in its buffer. Refusals, each followed by the close: "NOROOM" (no
// such room or ticket), "FULL" (a cap is reached), "LIMIT" (the address has tried too many wrong
// codes, or holds too many rooms), "BAD" (a line that is none of the above).
//
// A room lives as long as its control connection. When that closes, its code dies at once and its
// pairs at play get ten seconds to hand over what is on its way; a room idle for too long closes
// with every connection at once. A connection that breaks takes its partner with it.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "net/transport.h"

namespace tq::net {

struct RelayLimits {
    std::size_t connections = 8192;   // connections at once (the transport may allow fewer)
    std::size_t perAddress = 24;      // connections one peer address holds at once
    std::size_t rooms = 2000;         // rooms at once
    std::size_t roomsPerAddress = 4;  // rooms one peer address hosts at once
    std::size_t playersPerRoom = 12;  // players waiting or playing in one room
    std::size_t waitingPerRoom = 6;   // players one room's host has not taken up yet
    Clock::duration greeting = std::chrono::seconds(10);    // from connecting to "GO"
    Clock::duration hostAnswer = std::chrono::seconds(15);  // a player waits for its host
    Clock::duration idleRoom = std::chrono::minutes(60);    // a room through which nothing passed
    // Wrong codes one address may try: a burst, then one per refill interval.
    std::size_t wrongCodeBurst = 10;
    Clock::duration wrongCodeRefill = std::chrono::seconds(60);
};

// Addresses whose wrong codes the relay remembers at once; beyond them it forgets the one that
// tried longest ago.
constexpr std::size_t kRelayTrackedAddresses = 4096;
// A greeting line longer than this closes the connection.
constexpr std::size_t kRelayMaxLine = 128;
// Bytes the relay holds for a side that has not said "GO" yet (a TLS hello is a few hundred).
constexpr std::size_t kRelayMaxHeld = 16 * 1024;

class Relay final : public ServerEvents {
  public:
    // random: 64 unpredictable bits per call (room names and tickets); the default reads the
    // system's generator.
    explicit Relay(ServerTransport& transport, RelayLimits limits = {},
                   std::function<uint64_t()> random = {});
    ~Relay() override;
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    bool Start(uint16_t port);
    void Stop();

    std::size_t RoomCount() const { return rooms_.size(); }
    std::size_t ConnectionCount() const { return conns_.size(); }
    std::size_t PairCount() const { return pairs_; }
    std::size_t TrackedAddresses() const { return wrong_.size(); }
    const RelayLimits& Limits() const { return limits_; }

    // What the relay does, one line each ("room K7QF-M2XD opened by 10.0.0.1").
    std::function<void(const std::string&)> log;

    void OnAccepted(ConnectionId id) override;
    void OnData(ConnectionId id, std::string_view bytes) override;
    void OnClosed(ConnectionId id) override;
    void OnCutOff(ConnectionId id) override;
    void OnWake() override;

  private:
    enum class Role : uint8_t { Greeting, Control, Waiting, Paired };
    struct Conn {
        Role role = Role::Greeting;
        std::string address;
        std::string in;  // greeting bytes not yet a line
        Clock::time_point deadline;
        std::string room;
        uint64_t ticket = 0;
        ConnectionId partner = 0;
        bool go = false;
        bool orphan = false;  // a pair whose room closed, handing over what is on its way
        std::string held;     // the partner's bytes before this side's "GO"
    };
    struct Room {
        ConnectionId control = 0;
        std::string address;
        std::map<uint64_t, ConnectionId> waiting;  // by ticket
        std::set<ConnectionId> members;            // every connection but the control
        std::size_t players = 0;                   // waiting or paired
        Clock::time_point lastActive;
    };
    struct Tries {
        double tokens = 0;
        Clock::time_point at;
    };

    void Line(ConnectionId id, Conn& c, std::string_view line);
    void Host(ConnectionId id, Conn& c);
    void Join(ConnectionId id, Conn& c, std::string_view room);
    void Accept(ConnectionId id, Conn& c, std::string_view room, std::string_view ticket);
    void Go(ConnectionId id, Conn& c, std::string_view rest);
    void Forward(ConnectionId to, std::string_view bytes);
    // Says the refusal, closes the connection and frees what it held.
    void Refuse(ConnectionId id, std::string_view why);
    // Frees what the connection held, its partner and (for a control) its room with it; closes it
    // at the transport unless it is gone there already.
    void Drop(ConnectionId id, bool close);
    // Graceful (the host left): pairs at play get a short while to hand over what is on its way.
    void CloseRoom(const std::string& room, bool graceful);
    // Whether the connection is closed at its deadline: all but controls and pairs at play.
    static bool HasDeadline(const Conn& c) {
        return c.role != Role::Control && (c.role != Role::Paired || !c.go || c.orphan);
    }
    bool MayTry(const std::string& address);
    void WrongCode(const std::string& address);
    void KeepWithinCapacity(ConnectionId newcomer);
    void UpdateAccepting();
    // Asks for a wake at the time unless one comes sooner.
    void WakeBy(Clock::time_point when);
    // Asks for a wake at the earliest deadline of all.
    void ScheduleWake();
    void Log(const std::string& line) {
        if (log) log(line);
    }

    ServerTransport& transport_;
    RelayLimits limits_;
    std::function<uint64_t()> random_;
    std::map<ConnectionId, Conn> conns_;
    std::map<std::string, Room> rooms_;
    std::map<std::string, std::size_t> perAddress_, roomsPerAddress_;
    std::map<std::string, Tries> wrong_;
    std::size_t pairs_ = 0;
    std::optional<Clock::time_point> nextWake_;
};

}  // namespace tq::net
