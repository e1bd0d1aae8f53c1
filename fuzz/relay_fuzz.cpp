// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the relay: peers on in-memory sockets greet it, join and accept rooms by the
// codes it handed out or by made-up ones, send bytes, vanish, and let time pass.
//
// The input is a script of steps. Each step's first byte chooses what happens: a new connection
// from one of a few addresses; a greeting line on a connection (host, join or accept of a room the
// relay named, with a ticket it named or a made-up one, "GO", or the script's own bytes); a
// connection closed or cut off by its peer; time passing.
//
// Expectations: nothing crashes; the relay holds no more connections, rooms and remembered
// addresses than its limits; it sends a connection no more than what its partner sent plus its
// own short lines; a connection it closed or that closed is never written to again; and once
// every peer has gone and its deadlines passed, it holds nothing.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_checks.h"
#include "net/relay.h"

namespace {

using tq::net::Clock;
using tq::net::ConnectionId;

constexpr std::size_t kCapacity = 24;
const char* const kAddresses[] = {"192.0.2.1", "198.51.100.7", "203.0.113.9", "10.0.0.4"};

class Sockets : public tq::net::ServerTransport {
  public:
    void SetEvents(tq::net::ServerEvents* e) override { events = e; }
    bool Listen(uint16_t) override { return listening = true; }
    void StopListening() override {
        listening = false;
        open.clear();
    }
    bool Listening() const override { return listening; }
    uint16_t Port() const override { return listening ? 16283 : 0; }
    void Send(ConnectionId id, std::string_view bytes) override {
        // Writing to a connection that is gone is the transport's no-op, but the relay should
        // know better than to try.
        Require(open.count(id) > 0);
        sent[id] += bytes.size();
        lastSent[id].append(bytes);
        if (lastSent[id].size() > 4096) lastSent[id].erase(0, lastSent[id].size() - 4096);
    }
    void Close(ConnectionId id) override { open.erase(id); }
    Clock::time_point Now() const override { return now; }
    void WakeAt(Clock::time_point when) override { wake = when; }
    std::size_t Capacity() const override { return kCapacity; }
    void SetAccepting(bool a) override { accepting = a; }
    std::string PeerAddress(ConnectionId id) const override {
        const auto it = address.find(id);
        return it != address.end() && open.count(id) ? it->second : std::string();
    }

    void Advance(Clock::duration by) {
        now += by;
        if (wake && *wake <= now) {
            wake.reset();
            events->OnWake();
        }
    }

    tq::net::ServerEvents* events = nullptr;
    bool listening = false;
    bool accepting = true;
    Clock::time_point now{};
    std::optional<Clock::time_point> wake;
    std::set<ConnectionId> open;
    std::map<ConnectionId, std::string> address;
    std::map<ConnectionId, std::size_t> sent, received;
    std::map<ConnectionId, std::string> lastSent;
    ConnectionId next = 1;
};

class Script {
  public:
    Script(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Bytes(std::size_t n) {
        std::string s;
        while (n-- > 0 && !Done()) s += static_cast<char>(Byte());
        return s;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The last word after `key` in what the relay sent the connection ("ROOM x", "PLAYER t addr").
std::string LastWordAfter(const std::string& text, std::string_view key) {
    const std::size_t at = text.rfind(key);
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size();
    const std::size_t end = text.find_first_of(" \n", from);
    return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Script script(data, size);
    Sockets sockets;
    tq::net::RelayLimits limits;
    limits.connections = 16;
    limits.rooms = 4;
    limits.perAddress = 8;
    limits.roomsPerAddress = 2;
    limits.playersPerRoom = 4;
    limits.waitingPerRoom = 2;
    limits.wrongCodeBurst = 3;
    uint64_t drawn = 0;
    tq::net::Relay relay(sockets, limits, [&drawn] { return ++drawn * 0x9E3779B97F4A7C15ULL; });
    Require(relay.Start(16283));

    std::vector<ConnectionId> conns;  // every connection the script opened, open or not
    std::string room, ticket;         // the last ones the relay named
    const auto pick = [&]() -> ConnectionId {
        if (conns.empty()) return 0;
        return conns[script.Byte() % conns.size()];
    };
    const auto feed = [&](ConnectionId id, const std::string& bytes) {
        if (id == 0 || !sockets.open.count(id) || bytes.empty()) return;
        sockets.received[id] += bytes.size();
        sockets.events->OnData(id, bytes);
    };

    int steps = 0;
    while (!script.Done() && ++steps < 4000) {
        const uint8_t op = script.Byte();
        switch (op % 10) {
            case 0:
            case 1: {
                if (!sockets.accepting) break;
                const ConnectionId id = sockets.next++;
                sockets.open.insert(id);
                sockets.address[id] = kAddresses[script.Byte() % std::size(kAddresses)];
                conns.push_back(id);
                sockets.events->OnAccepted(id);
                break;
            }
            case 2:
                feed(pick(), "TQRELAY1 HOST\n");
                break;
            case 3:
                feed(pick(), "TQRELAY1 JOIN " + (op & 0x80 ? script.Bytes(8) : room) + "\n");
                break;
            case 4:
                feed(pick(), "TQRELAY1 ACCEPT " + room + " " +
                                 (op & 0x80 ? script.Bytes(4) : ticket) + "\n");
                break;
            case 5:
                feed(pick(), op & 0x80 ? "GO\r\n" : "GO\n");
                break;
            case 6: {
                const ConnectionId id = pick();
                feed(id, script.Bytes(script.Byte() % 200 + 1));
                break;
            }
            case 7: {
                const ConnectionId id = pick();
                if (id == 0 || !sockets.open.count(id)) break;
                sockets.open.erase(id);
                if (op & 0x80)
                    sockets.events->OnCutOff(id);
                else
                    sockets.events->OnClosed(id);
                break;
            }
            default:
                sockets.Advance(std::chrono::milliseconds(script.Byte()) * 100 +
                                (op & 0x80 ? std::chrono::minutes(30) : Clock::duration{}));
                break;
        }
        // What the relay named last: a room to its hosts, a ticket to the room's control.
        for (const ConnectionId id : conns) {
            const std::string& told = sockets.lastSent[id];
            if (const std::string r = LastWordAfter(told, "ROOM "); !r.empty()) room = r;
            if (const std::string t = LastWordAfter(told, "PLAYER "); !t.empty()) ticket = t;
        }

        Require(relay.ConnectionCount() <= limits.connections);
        Require(relay.ConnectionCount() <= sockets.open.size());
        Require(relay.RoomCount() <= limits.rooms);
        Require(relay.TrackedAddresses() <= tq::net::kRelayTrackedAddresses);
    }

    // What a connection was sent is its partner's bytes and the relay's own few lines.
    std::size_t received = 0;
    for (const auto& [id, n] : sockets.received) received += n;
    for (const auto& [id, n] : sockets.sent) Require(n <= received + 256 * (conns.size() + 1));

    // Every peer goes; after the longest deadline the relay holds nothing.
    for (const ConnectionId id : conns)
        if (sockets.open.count(id)) {
            sockets.open.erase(id);
            sockets.events->OnClosed(id);
        }
    sockets.Advance(std::chrono::hours(2));
    Require(relay.ConnectionCount() == 0);
    Require(relay.RoomCount() == 0);
    Require(relay.PairCount() == 0);
    return 0;
}
