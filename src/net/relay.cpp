// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/relay.h"

#include <sys/random.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <random>
#include <vector>

#include "net/relay_code.h"

namespace tq::net {

namespace {

uint64_t SystemRandom() {
    uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, 0) == static_cast<ssize_t>(sizeof bits)) return bits;
    // Without getrandom (an old kernel), the library's source, which reads the same device.
    static std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) ^ device();
}

std::string Hex(uint64_t value) {
    char text[17];
    const auto end = std::to_chars(text, text + 16, value, 16).ptr;
    return std::string(text, end);
}

// The peer's address as the host is told it: only the characters of an address, at most 45.
std::string SafeAddress(std::string_view address) {
    std::string text;
    for (const char c : address.substr(0, 45))
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
            c == '.' || c == ':')
            text += c;
    return text.empty() ? std::string("-") : text;
}

// The words of a greeting line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty() && words.size() < 5) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}

}  // namespace

Relay::Relay(ServerTransport& transport, RelayLimits limits, std::function<uint64_t()> random)
    : transport_(transport), limits_(limits), random_(random ? std::move(random) : SystemRandom) {
    transport_.SetEvents(this);
}

Relay::~Relay() {
    transport_.SetEvents(nullptr);
}

bool Relay::Start(uint16_t port) {
    Stop();
    return transport_.Listen(port);
}

void Relay::Stop() {
    transport_.StopListening();
    conns_.clear();
    rooms_.clear();
    perAddress_.clear();
    roomsPerAddress_.clear();
    pairs_ = 0;
}

void Relay::OnAccepted(ConnectionId id) {
    Conn& c = conns_[id];
    c.address = transport_.PeerAddress(id);
    c.deadline = transport_.Now() + limits_.greeting;
    // Beyond its share, an address lets its own oldest greeting go, or the newcomer.
    if (++perAddress_[c.address] > limits_.perAddress) {
        ConnectionId oldest = id;
        for (const auto& [other, o] : conns_)
            if (o.role == Role::Greeting && o.address == c.address) {
                oldest = other;
                break;
            }
        Drop(oldest, true);
    }
    if (conns_.count(id)) KeepWithinCapacity(id);
    UpdateAccepting();
    WakeBy(transport_.Now() + limits_.greeting);
}

void Relay::KeepWithinCapacity(ConnectionId newcomer) {
    const std::size_t capacity =
        std::max<std::size_t>(std::min(limits_.connections, transport_.Capacity()), 1);
    while (conns_.size() > capacity) {
        // A connection still greeting gives way, the oldest first; one that has greeted keeps its
        // place, so a flood of connections cannot close the rooms at play.
        ConnectionId victim = newcomer;
        for (const auto& [id, c] : conns_)
            if (c.role == Role::Greeting && id != newcomer) {
                victim = id;
                break;
            }
        Drop(victim, true);
        if (victim == newcomer) return;
    }
}

void Relay::UpdateAccepting() {
    const std::size_t capacity = std::min(limits_.connections, transport_.Capacity());
    transport_.SetAccepting(conns_.size() < capacity);
}

void Relay::OnData(ConnectionId id, std::string_view bytes) {
    auto it = conns_.find(id);
    if (it == conns_.end()) return;
    Conn& c = it->second;
    if (c.role == Role::Paired && c.go) {
        Forward(c.partner, bytes);
        return;
    }
    if (c.role == Role::Control) return;  // the host has nothing to say here
    // The buffer holds no line end yet: a line end that comes is in these bytes.
    const std::size_t before = c.in.size();
    c.in.append(bytes.substr(0, kRelayMaxLine + 1));
    const std::size_t end = c.in.find('\n');
    if (end == std::string::npos) {
        if (c.in.size() > kRelayMaxLine) Refuse(id, "BAD");
        return;
    }
    if (end > kRelayMaxLine) {
        Refuse(id, "BAD");
        return;
    }
    std::string line = c.in.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // What follows the line: for a "GO", the side's first own bytes, passed on whole.
    const std::string_view rest = bytes.substr(end - before + 1);
    const std::size_t taken = rest.size();
    c.in.clear();
    if (c.role == Role::Paired) {
        if (line == "GO")
            Go(id, c, rest);
        else
            Refuse(id, "BAD");
        return;
    }
    if (c.role == Role::Waiting || taken > 0) {
        // A player speaks only after "READY"; nobody sends past the greeting.
        Refuse(id, "BAD");
        return;
    }
    Line(id, c, line);
}

void Relay::Line(ConnectionId id, Conn& c, std::string_view line) {
    const std::vector<std::string_view> w = Words(line);
    if (w.size() >= 2 && w[0] == "TQRELAY1") {
        if (w[1] == "HOST" && w.size() == 2) return Host(id, c);
        if (w[1] == "JOIN" && w.size() == 3) return Join(id, c, w[2]);
        if (w[1] == "ACCEPT" && w.size() == 4) return Accept(id, c, w[2], w[3]);
    }
    Refuse(id, "BAD");
}

void Relay::Host(ConnectionId id, Conn& c) {
    if (rooms_.size() >= limits_.rooms) return Refuse(id, "FULL");
    if (roomsPerAddress_[c.address] >= limits_.roomsPerAddress) return Refuse(id, "LIMIT");
    std::string room;
    do room = RoomText(random_());
    while (rooms_.count(room));
    Room& r = rooms_[room];
    r.control = id;
    r.address = c.address;
    r.lastActive = transport_.Now();
    ++roomsPerAddress_[c.address];
    c.role = Role::Control;
    c.room = room;
    transport_.Send(id, "ROOM " + room + "\n");
    Log("room " + room + " opened by " + c.address);
    WakeBy(r.lastActive + limits_.idleRoom);
}

void Relay::Join(ConnectionId id, Conn& c, std::string_view room) {
    if (!MayTry(c.address)) return Refuse(id, "LIMIT");
    const auto it = IsRoomText(room) ? rooms_.find(std::string(room)) : rooms_.end();
    if (it == rooms_.end()) {
        WrongCode(c.address);
        return Refuse(id, "NOROOM");
    }
    Room& r = it->second;
    if (r.players >= limits_.playersPerRoom || r.waiting.size() >= limits_.waitingPerRoom)
        return Refuse(id, "FULL");
    uint64_t ticket = 0;
    do ticket = random_();
    while (ticket == 0 || r.waiting.count(ticket));
    c.role = Role::Waiting;
    c.room = it->first;
    c.ticket = ticket;
    c.deadline = transport_.Now() + limits_.hostAnswer;
    r.waiting[ticket] = id;
    r.members.insert(id);
    ++r.players;
    r.lastActive = transport_.Now();
    transport_.Send(r.control, "PLAYER " + Hex(ticket) + " " + SafeAddress(c.address) + "\n");
    WakeBy(c.deadline);
}

void Relay::Accept(ConnectionId id, Conn& c, std::string_view room, std::string_view ticketText) {
    if (!MayTry(c.address)) return Refuse(id, "LIMIT");
    uint64_t ticket = 0;
    const auto parsed =
        std::from_chars(ticketText.data(), ticketText.data() + ticketText.size(), ticket, 16);
    const auto it = IsRoomText(room) ? rooms_.find(std::string(room)) : rooms_.end();
    const bool found = parsed.ec == std::errc() &&
                       parsed.ptr == ticketText.data() + ticketText.size() && it != rooms_.end() &&
                       it->second.waiting.count(ticket);
    if (!found) {
        WrongCode(c.address);
        return Refuse(id, "NOROOM");
    }
    Room& r = it->second;
    const ConnectionId player = r.waiting[ticket];
    r.waiting.erase(ticket);
    r.members.insert(id);
    r.lastActive = transport_.Now();
    Conn& p = conns_[player];
    const Clock::time_point deadline = transport_.Now() + limits_.greeting;
    for (Conn* side : {&c, &p}) {
        side->role = Role::Paired;
        side->room = it->first;
        side->deadline = deadline;
    }
    c.partner = player;
    p.partner = id;
    ++pairs_;
    transport_.Send(id, "READY\n");
    transport_.Send(player, "READY\n");
    WakeBy(deadline);
}

void Relay::Go(ConnectionId id, Conn& c, std::string_view rest) {
    c.go = true;
    const ConnectionId partner = c.partner;
    if (!c.held.empty()) {
        const std::string held = std::move(c.held);
        c.held.clear();
        transport_.Send(id, held);
    }
    if (!rest.empty()) Forward(partner, rest);
}

void Relay::Forward(ConnectionId to, std::string_view bytes) {
    const auto it = conns_.find(to);
    if (it == conns_.end()) return;
    Conn& c = it->second;
    if (const auto room = rooms_.find(c.room); room != rooms_.end())
        room->second.lastActive = transport_.Now();
    if (c.go) {
        transport_.Send(to, bytes);
        return;
    }
    if (c.held.size() + bytes.size() > kRelayMaxHeld) {
        Drop(to, true);
        return;
    }
    c.held.append(bytes);
}

void Relay::Refuse(ConnectionId id, std::string_view why) {
    std::string line(why);
    line += '\n';
    transport_.Send(id, line);
    Drop(id, true);
}

void Relay::OnClosed(ConnectionId id) {
    Drop(id, false);
}

void Relay::OnCutOff(ConnectionId id) {
    // A peer that does not read what its partner sends: the pair ends, the room goes on.
    Drop(id, false);
}

void Relay::Drop(ConnectionId id, bool close) {
    const auto it = conns_.find(id);
    if (it == conns_.end()) return;
    const Conn c = std::move(it->second);
    conns_.erase(it);
    if (close) transport_.Close(id);
    if (const auto a = perAddress_.find(c.address); a != perAddress_.end() && --a->second == 0)
        perAddress_.erase(a);

    if (c.role == Role::Control) {
        CloseRoom(c.room, true);
    } else if (const auto r = rooms_.find(c.room); r != rooms_.end()) {
        Room& room = r->second;
        room.members.erase(id);
        if (c.role == Role::Waiting) {
            room.waiting.erase(c.ticket);
            --room.players;
        } else if (c.role == Role::Paired && c.ticket != 0) {
            --room.players;  // the player's side of a pair
        }
    }
    // A pair ends with either side; the side dropped second finds its partner gone.
    if (c.role == Role::Paired && conns_.count(c.partner)) {
        --pairs_;
        Drop(c.partner, true);
    }
    UpdateAccepting();
}

void Relay::CloseRoom(const std::string& name, bool graceful) {
    const auto it = rooms_.find(name);
    if (it == rooms_.end()) return;
    Room room = std::move(it->second);
    rooms_.erase(it);
    if (const auto a = roomsPerAddress_.find(room.address);
        a != roomsPerAddress_.end() && --a->second == 0)
        roomsPerAddress_.erase(a);
    if (conns_.count(room.control)) Drop(room.control, true);
    const Clock::time_point deadline = transport_.Now() + limits_.greeting;
    for (const ConnectionId member : room.members) {
        const auto it = conns_.find(member);
        if (it == conns_.end()) continue;
        Conn& c = it->second;
        if (graceful && c.role == Role::Paired && c.go && !c.orphan) {
            // The host's lines sent before it left may still be on their way: the pair may hand
            // them over for a while, but the code is dead already.
            c.orphan = true;
            c.deadline = deadline;
            c.room.clear();
            WakeBy(deadline);
            continue;
        }
        Drop(member, true);
    }
    Log("room " + name + " closed");
}

bool Relay::MayTry(const std::string& address) {
    const auto it = wrong_.find(address);
    if (it == wrong_.end()) return true;
    Tries& t = it->second;
    const Clock::time_point now = transport_.Now();
    const double refills = std::chrono::duration<double>(now - t.at) /
                           std::chrono::duration<double>(limits_.wrongCodeRefill);
    t.tokens = std::min(static_cast<double>(limits_.wrongCodeBurst), t.tokens + refills);
    t.at = now;
    if (t.tokens >= static_cast<double>(limits_.wrongCodeBurst)) {
        wrong_.erase(it);  // back to a clean record: nothing to remember
        return true;
    }
    return t.tokens >= 1;
}

void Relay::WrongCode(const std::string& address) {
    auto it = wrong_.find(address);
    if (it == wrong_.end()) {
        if (wrong_.size() >= kRelayTrackedAddresses) {
            // Forget the address that tried longest ago.
            auto oldest = wrong_.begin();
            for (auto o = wrong_.begin(); o != wrong_.end(); ++o)
                if (o->second.at < oldest->second.at) oldest = o;
            wrong_.erase(oldest);
        }
        it = wrong_
                 .emplace(address,
                          Tries{static_cast<double>(limits_.wrongCodeBurst), transport_.Now()})
                 .first;
    }
    it->second.tokens = std::max(0.0, it->second.tokens - 1);
    it->second.at = transport_.Now();
}

void Relay::OnWake() {
    const Clock::time_point now = transport_.Now();
    std::vector<ConnectionId> late;
    for (const auto& [id, c] : conns_)
        if (HasDeadline(c) && c.deadline <= now) late.push_back(id);
    for (const ConnectionId id : late) Drop(id, true);
    std::vector<std::string> idle;
    for (const auto& [name, room] : rooms_)
        if (now - room.lastActive >= limits_.idleRoom) idle.push_back(name);
    for (const std::string& name : idle) CloseRoom(name, false);
    nextWake_.reset();
    ScheduleWake();
}

void Relay::WakeBy(Clock::time_point when) {
    if (nextWake_ && *nextWake_ <= when) return;
    nextWake_ = when;
    transport_.WakeAt(when);
}

void Relay::ScheduleWake() {
    std::optional<Clock::time_point> next;
    const auto consider = [&next](Clock::time_point t) {
        if (!next || t < *next) next = t;
    };
    for (const auto& [id, c] : conns_)
        if (HasDeadline(c)) consider(c.deadline);
    for (const auto& [name, room] : rooms_) consider(room.lastActive + limits_.idleRoom);
    if (next) WakeBy(*next);
}

}  // namespace tq::net
