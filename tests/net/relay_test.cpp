// SPDX-License-Identifier: GPL-3.0-or-later
// The relay's state machine over in-memory sockets: greetings, wrong codes, caps, deadlines and
// peers that vanish; and the room codes players type.

#include <gtest/gtest.h>

#include <algorithm>

#include "net/net_fixture.h"
#include "net/relay.h"
#include "net/relay_code.h"

namespace tq::test {
namespace {

using namespace std::chrono_literals;
using net::ConnectionId;

TEST(RoomCodeTest, FormatsAndReadsBackWhatPlayersType) {
    net::RoomCode code;
    code.room = net::RoomText(0x12'3456'789AULL);
    for (std::size_t i = 0; i < code.key.size(); ++i)
        code.key[i] = static_cast<uint8_t>(i * 37 + 1);
    const std::string text = net::FormatCode(code);
    ASSERT_EQ(text.size(), 6 * 4 + 5u);
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    for (const std::string& typed : {text, lower, " " + text + " "}) {
        const auto back = net::ParseCode(typed);
        ASSERT_TRUE(back) << typed;
        EXPECT_EQ(back->room, code.room);
        EXPECT_EQ(back->key, code.key);
    }
    // O reads as 0, I and L as 1.
    const auto aliased = net::ParseCode("OILO-0000-0000-0000-0000-0000");
    ASSERT_TRUE(aliased);
    EXPECT_EQ(aliased->room, "01100000");
}

TEST(RoomCodeTest, RefusesWhatIsNoCode) {
    for (const char* text :
         {"", "K7QF-M2XD", "K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1", "K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1NN",
          "K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1U", "K7QF/M2XD-9T3C-WB8H-4RJ6-PZ1N"})
        EXPECT_FALSE(net::ParseCode(text)) << text;
}

TEST(RoomCodeTest, ReadsARelayAndItsCode) {
    const char* code = "K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1N";
    struct Case {
        std::string text;
        bool ok;
        std::string host;
        uint16_t port;
    };
    for (const Case& c : std::vector<Case>{
             {std::string("relay.example.org/") + code, true, "relay.example.org", net::kRelayPort},
             {std::string("10.0.0.1:4000/") + code, true, "10.0.0.1", 4000},
             {std::string("[::1]:4000/") + code, true, "::1", 4000},
             {std::string("/") + code, false, "", 0},
             {"relay.example.org/", false, "", 0},
             {code, false, "", 0},
             {std::string("relay:99999/") + code, false, "", 0},
         }) {
        const auto target = net::ParseRelayTarget(c.text);
        ASSERT_EQ(target.has_value(), c.ok) << c.text;
        if (!target) continue;
        EXPECT_EQ(target->relay.host, c.host);
        EXPECT_EQ(target->relay.port, c.port);
        EXPECT_EQ(net::FormatCode(target->code), code);
    }
}

class RelayTest : public ::testing::Test {
  protected:
    RelayTest() : relay(sockets, Limits(), [this] { return ++drawn * 0x9E3779B97F4A7C15ULL; }) {
        sockets.capacity = 1000;
        relay.Start(net::kRelayPort);
    }
    static net::RelayLimits Limits() {
        net::RelayLimits limits;
        limits.connections = 64;
        return limits;
    }

    // Says the line on a new connection from the address.
    ConnectionId Greet(const std::string& line, const std::string& address = {}) {
        const ConnectionId id = sockets.Accept(address);
        sockets.Feed(id, line + "\n");
        return id;
    }
    struct Hosted {
        ConnectionId control;
        std::string room;
    };
    Hosted Host(const std::string& address = "192.0.2.1") {
        const ConnectionId control = Greet("TQRELAY1 HOST", address);
        const std::string reply = sockets.Take(control);
        EXPECT_EQ(reply.rfind("ROOM ", 0), 0u) << reply;
        return {control, reply.size() > 6 ? reply.substr(5, reply.size() - 6) : ""};
    }
    // A player joins the room and the host takes it up: the player's and the host's connection,
    // both past "GO".
    std::pair<ConnectionId, ConnectionId> Pair(const Hosted& h, const std::string& address = {}) {
        const ConnectionId player = Greet("TQRELAY1 JOIN " + h.room, address);
        const std::string told = sockets.Take(h.control);
        EXPECT_EQ(told.rfind("PLAYER ", 0), 0u) << told;
        const std::string ticket = told.substr(7, told.find(' ', 7) - 7);
        const ConnectionId data = Greet("TQRELAY1 ACCEPT " + h.room + " " + ticket, "192.0.2.1");
        EXPECT_EQ(sockets.Take(player), "READY\n");
        EXPECT_EQ(sockets.Take(data), "READY\n");
        sockets.Feed(player, "GO\n");
        sockets.Feed(data, "GO\n");
        return {player, data};
    }
    bool Open(ConnectionId id) const { return sockets.open.count(id) > 0; }

    FakeServerTransport sockets;
    uint64_t drawn = 0;
    net::Relay relay;
};

TEST_F(RelayTest, PairsAPlayerWithTheHostAndPassesBytesBothWays) {
    const Hosted h = Host();
    ASSERT_TRUE(net::IsRoomText(h.room)) << h.room;
    const ConnectionId player = Greet("TQRELAY1 JOIN " + h.room, "198.51.100.7");
    const std::string told = sockets.Take(h.control);
    ASSERT_EQ(told.rfind("PLAYER ", 0), 0u);
    EXPECT_NE(told.find(" 198.51.100.7\n"), std::string::npos) << told;
    const std::string ticket = told.substr(7, told.find(' ', 7) - 7);
    const ConnectionId data = Greet("TQRELAY1 ACCEPT " + h.room + " " + ticket, "192.0.2.1");
    EXPECT_EQ(sockets.Take(player), "READY\n");
    EXPECT_EQ(sockets.Take(data), "READY\n");

    // The player says "GO" with its first bytes in the same read; the host has not said "GO"
    // yet, so they wait for it, and reach it whole after its own "GO".
    sockets.Feed(player, "GO\r\nhello\x01\x02");
    EXPECT_EQ(sockets.Take(data), "");
    sockets.Feed(data, "GO\n");
    EXPECT_EQ(sockets.Take(data), "hello\x01\x02");
    // Past the greeting nothing is read: a line that looks like one is passed on as it is.
    sockets.Feed(data, "TQRELAY1 HOST\n");
    EXPECT_EQ(sockets.Take(player), "TQRELAY1 HOST\n");
    sockets.Feed(player, std::string(100000, 'x'));
    EXPECT_EQ(sockets.Take(data).size(), 100000u);
    EXPECT_EQ(relay.PairCount(), 1u);
    EXPECT_EQ(relay.RoomCount(), 1u);
}

TEST_F(RelayTest, RefusesWrongGreetingsByName) {
    const Hosted h = Host();
    struct Case {
        std::string bytes;
        std::string reply;
    };
    for (const Case& c : std::vector<Case>{
             {"hello\n", "BAD\n"},
             {"TQRELAY1\n", "BAD\n"},
             {"TQRELAY2 HOST\n", "BAD\n"},
             {"TQRELAY1 HOST extra\n", "BAD\n"},
             {"TQRELAY1 JOIN\n", "BAD\n"},
             {"TQRELAY1 HOST\nmore", "BAD\n"},  // nothing may follow a greeting before "READY"
             {std::string(200, 'A'), "BAD\n"},  // too long a line, without its end
             {std::string(200, 'A') + "\n", "BAD\n"},
             {"TQRELAY1 JOIN 00000000\n", "NOROOM\n"},
             {"TQRELAY1 JOIN " + h.room + "0\n", "NOROOM\n"},
             {"TQRELAY1 JOIN " + h.room + "\nGO\n", "BAD\n"},
             {"TQRELAY1 ACCEPT " + h.room + " 1234\n", "NOROOM\n"},
             {"TQRELAY1 ACCEPT " + h.room + " zz\n", "NOROOM\n"},
             {"GO\n", "BAD\n"},
         }) {
        const ConnectionId id = sockets.Accept();
        sockets.Feed(id, c.bytes);
        EXPECT_EQ(sockets.Take(id), c.reply) << c.bytes;
        EXPECT_FALSE(Open(id)) << c.bytes;
    }
    sockets.Take(h.control);
    EXPECT_EQ(relay.RoomCount(), 1u);
    EXPECT_EQ(relay.ConnectionCount(), 1u);
}

TEST_F(RelayTest, GreetingInPiecesIsOneLine) {
    const ConnectionId id = sockets.Accept();
    for (const char c : std::string("TQRELAY1 HOST\r\n")) sockets.Feed(id, std::string(1, c));
    EXPECT_EQ(sockets.Take(id).rfind("ROOM ", 0), 0u);
}

TEST_F(RelayTest, TheCodeDiesWithItsHost) {
    const Hosted h = Host();
    const auto [player, data] = Pair(h);
    const ConnectionId waiting = Greet("TQRELAY1 JOIN " + h.room);
    sockets.PeerCloses(h.control);
    EXPECT_FALSE(Open(waiting));
    EXPECT_EQ(relay.RoomCount(), 0u);
    // The host's last lines still reach the player; then the pair ends too.
    sockets.Feed(data, "EndGame/\r");
    EXPECT_EQ(sockets.Take(player), "EndGame/\r");
    sockets.Advance(11s);
    for (const ConnectionId id : {player, data}) EXPECT_FALSE(Open(id));
    EXPECT_EQ(relay.ConnectionCount(), 0u);
    EXPECT_EQ(relay.PairCount(), 0u);
    const ConnectionId late = Greet("TQRELAY1 JOIN " + h.room);
    EXPECT_EQ(sockets.Take(late), "NOROOM\n");
}

TEST_F(RelayTest, AVanishingSideEndsItsPairOnly) {
    const Hosted h = Host();
    const auto [ann, annData] = Pair(h, "198.51.100.1");
    const auto [bob, bobData] = Pair(h, "198.51.100.2");
    sockets.PeerCloses(ann);
    EXPECT_FALSE(Open(annData));
    sockets.CutOff(bobData);  // the host's side did not read
    EXPECT_FALSE(Open(bob));
    EXPECT_TRUE(Open(h.control));
    EXPECT_EQ(relay.PairCount(), 0u);
    EXPECT_EQ(relay.ConnectionCount(), 1u);
    // The places they held are free again.
    for (int i = 0; i < 6; ++i) Pair(h);
    EXPECT_EQ(relay.PairCount(), 6u);
}

TEST_F(RelayTest, WrongCodesAreLimitedPerAddress) {
    const Hosted h = Host();
    const std::string guesser = "203.0.113.9";
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN ZZZZZZZ" + std::to_string(i), guesser)),
                  "NOROOM\n");
    // Spent: not even the right code is looked at, from this address.
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN " + h.room, guesser)), "LIMIT\n");
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 ACCEPT " + h.room + " 1", guesser)), "LIMIT\n");
    // Others go on; the guesser gets one try a minute back.
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN " + h.room, "198.51.100.5")), "");
    sockets.Advance(61s);
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN ZZZZZZZZ", guesser)), "NOROOM\n");
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN ZZZZZZZZ", guesser)), "LIMIT\n");
}

TEST_F(RelayTest, RemembersABoundedNumberOfGuessers) {
    for (std::size_t i = 0; i < net::kRelayTrackedAddresses + 500; ++i) {
        const std::string address = "10." + std::to_string(i / 65536) + "." +
                                    std::to_string(i / 256 % 256) + "." + std::to_string(i % 256);
        Greet("TQRELAY1 JOIN ZZZZZZZZ", address);
    }
    EXPECT_EQ(relay.TrackedAddresses(), net::kRelayTrackedAddresses);
    EXPECT_EQ(relay.ConnectionCount(), 0u);
}

TEST_F(RelayTest, CapsRoomsAndPlayers) {
    // Rooms per address.
    for (int i = 0; i < 4; ++i) Host("192.0.2.50");
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 HOST", "192.0.2.50")), "LIMIT\n");
    // Players waiting for one host.
    const Hosted h = Host();
    for (int i = 0; i < 6; ++i) Greet("TQRELAY1 JOIN " + h.room);
    EXPECT_EQ(sockets.Take(Greet("TQRELAY1 JOIN " + h.room)), "FULL\n");
    // Rooms in all.
    net::RelayLimits few;
    few.rooms = 1;
    FakeServerTransport other;
    net::Relay small(other, few);
    small.Start(1);
    const ConnectionId first = other.Accept();
    other.Feed(first, "TQRELAY1 HOST\n");
    const ConnectionId second = other.Accept();
    other.Feed(second, "TQRELAY1 HOST\n");
    EXPECT_EQ(other.Take(second), "FULL\n");
}

TEST_F(RelayTest, ConnectionsPerAddressAndInAllKeepThePairsAtPlay) {
    const Hosted h = Host();
    const auto [player, data] = Pair(h, "198.51.100.1");
    // One address floods: beyond its share its own oldest greeting gives way.
    std::vector<ConnectionId> flood;
    for (int i = 0; i < 40; ++i) flood.push_back(sockets.Accept("203.0.113.1"));
    EXPECT_EQ(std::count_if(flood.begin(), flood.end(), [&](ConnectionId id) { return Open(id); }),
              24);
    EXPECT_TRUE(Open(flood.back()));
    // Many addresses fill the relay: greetings give way, the game goes on, taking pauses.
    for (int i = 0; i < 100; ++i) sockets.Accept();
    EXPECT_EQ(relay.ConnectionCount(), 64u);
    EXPECT_FALSE(sockets.accepting);
    for (const ConnectionId id : {h.control, player, data}) EXPECT_TRUE(Open(id));
    sockets.Feed(player, "move\r");
    EXPECT_EQ(sockets.Take(data), "move\r");
}

TEST_F(RelayTest, DeadlinesCloseWhatWaitsTooLong) {
    const Hosted h = Host();
    const auto [player, data] = Pair(h);
    const ConnectionId slow = sockets.Accept();
    sockets.Feed(slow, "TQRELAY1 HO");                              // a greeting that trickles in
    const ConnectionId waiting = Greet("TQRELAY1 JOIN " + h.room);  // the host never answers
    sockets.Advance(9s);
    sockets.Feed(slow, "S");
    EXPECT_TRUE(Open(slow));
    sockets.Advance(2s);
    EXPECT_FALSE(Open(slow));
    EXPECT_TRUE(Open(waiting));
    sockets.Advance(5s);
    EXPECT_FALSE(Open(waiting));
    // A pair at play is no greeting: only the room's idleness ends it.
    EXPECT_TRUE(Open(player));
    sockets.Advance(50min);
    sockets.Feed(player, "x");
    sockets.Advance(50min);
    EXPECT_TRUE(Open(h.control));
    sockets.Advance(11min);
    for (const ConnectionId id : {h.control, player, data}) EXPECT_FALSE(Open(id));
    EXPECT_EQ(relay.RoomCount(), 0u);
}

TEST_F(RelayTest, APairThatNeverSaysGoIsClosed) {
    const Hosted h = Host();
    const ConnectionId player = Greet("TQRELAY1 JOIN " + h.room);
    const std::string told = sockets.Take(h.control);
    const ConnectionId data =
        Greet("TQRELAY1 ACCEPT " + h.room + " " + told.substr(7, told.find(' ', 7) - 7));
    sockets.Feed(player, "GO\n" + std::string(20000, 'x'));  // more than waits for the host
    EXPECT_FALSE(Open(player));
    EXPECT_FALSE(Open(data));
    const auto [p2, d2] = Pair(h);
    sockets.Take(p2);
    const ConnectionId p3 = Greet("TQRELAY1 JOIN " + h.room);
    const std::string told3 = sockets.Take(h.control);
    const ConnectionId d3 =
        Greet("TQRELAY1 ACCEPT " + h.room + " " + told3.substr(7, told3.find(' ', 7) - 7));
    sockets.Advance(11s);
    EXPECT_FALSE(Open(p3));
    EXPECT_FALSE(Open(d3));
    EXPECT_TRUE(Open(p2));
    EXPECT_EQ(relay.PairCount(), 1u);
}

}  // namespace
}  // namespace tq::test
