// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt sockets on loopback: connecting, bytes both ways, and who hears about which close.

#include "net/qt_transport.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "net/loopback.h"
#include "qt_support.h"

namespace tq::net {
namespace {

using test::RecordingClientEvents;
using test::RecordingServerEvents;
using test::Settle;
using test::WaitFor;

class QtTransportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.SetEvents(&serverEvents);
        ASSERT_TRUE(server.Listen(0));
        ASSERT_NE(server.Port(), 0);
    }

    // Connects a client and waits until both ends know.
    void Join(QtClientTransport& client, RecordingClientEvents& events) {
        client.SetEvents(&events);
        const std::size_t before = serverEvents.accepted.size();
        ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
        ASSERT_TRUE(WaitFor(
            [&] { return events.connected == 1 && serverEvents.accepted.size() == before + 1; }));
        EXPECT_TRUE(client.Connected());
    }

    QtServerTransport server;
    RecordingServerEvents serverEvents;
};

TEST_F(QtTransportTest, BytesTravelBothWaysAndTheClientsCloseReachesTheServer) {
    QtClientTransport client;
    RecordingClientEvents events;
    Join(client, events);
    const ConnectionId id = serverEvents.accepted.back();

    client.Send("Connect///Ann\rGetMess");
    client.Send("ageAnn,Server,hi\r");
    const std::string sent = "Connect///Ann\rGetMessageAnn,Server,hi\r";
    ASSERT_TRUE(WaitFor([&] { return serverEvents.DataOf(id).size() >= sent.size(); }));
    EXPECT_EQ(serverEvents.DataOf(id), sent);

    server.Send(id, "YourMove//\r");
    ASSERT_TRUE(WaitFor([&] { return events.data == "YourMove//\r"; }));

    // What is sent right before closing still arrives, and then the close.
    client.Send("Disconnect" + std::string("Ann\r"));
    client.Close();
    EXPECT_FALSE(client.Connected());
    ASSERT_TRUE(WaitFor([&] { return serverEvents.closed.size() == 1; }));
    EXPECT_EQ(serverEvents.closed[0], id);
    EXPECT_TRUE(serverEvents.DataOf(id).ends_with("DisconnectAnn\r"));
    Settle();
    EXPECT_EQ(events.closed, 0);  // its own close is not reported back
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(QtTransportTest, StoppingTheServerClosesEveryClient) {
    QtClientTransport a, b;
    RecordingClientEvents ea, eb;
    Join(a, ea);
    Join(b, eb);
    server.StopListening();
    EXPECT_FALSE(server.Listening());
    ASSERT_TRUE(WaitFor([&] { return ea.closed == 1 && eb.closed == 1; }));
    EXPECT_FALSE(a.Connected());
    EXPECT_TRUE(ea.errors.empty());
    Settle();
    EXPECT_TRUE(serverEvents.closed.empty());

    // Listening again takes new clients; connection numbers are not reused.
    ASSERT_TRUE(server.Listen(0));
    QtClientTransport c;
    RecordingClientEvents ec;
    Join(c, ec);
    EXPECT_GT(serverEvents.accepted.back(), serverEvents.accepted[1]);
}

TEST_F(QtTransportTest, AHandlerMayCloseItsOwnConnection) {
    QtClientTransport client;
    RecordingClientEvents events;
    Join(client, events);
    serverEvents.onData = [&](ConnectionId id, std::string_view) {
        server.Send(id, "ChangeName\r");
        server.Close(id);
    };
    client.Send("Connect///Ann\r");
    ASSERT_TRUE(WaitFor([&] { return events.closed == 1; }));
    EXPECT_EQ(events.data, "ChangeName\r");  // sent before the close, so it arrives
    Settle();
    EXPECT_TRUE(serverEvents.closed.empty());
    // Bytes for a connection that is gone are dropped.
    server.Send(serverEvents.accepted.back(), "EndGame///\r");
}

TEST_F(QtTransportTest, WhatHasArrivedIsHandedOverWhenAskedBeforeTheEventLoopReadsIt) {
    std::string seen, address;
    serverEvents.onAccepted = [&](ConnectionId id) {
        address = server.PeerAddress(id);
        server.ReadArrived(id);
        seen = serverEvents.DataOf(id);
    };
    // The peer connects and speaks before the server's event loop runs at all.
    const int peer = test::ConnectLoopback(server.Port());
    ASSERT_GE(peer, 0);
    const std::string line = "Connect///Ann\r";
    ASSERT_EQ(::write(peer, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    ASSERT_TRUE(WaitFor([&] { return serverEvents.accepted.size() == 1; }));
    EXPECT_EQ(seen, line);
    EXPECT_EQ(address, "127.0.0.1");  // as IPv4, though the listener takes IPv6 too
    // Nothing comes twice when the event loop gets to the socket.
    Settle();
    EXPECT_EQ(serverEvents.DataOf(serverEvents.accepted[0]), line);
    ::close(peer);
}

TEST_F(QtTransportTest, FailedAttemptsAreReportedAndTheNextOneWorks) {
    QtClientTransport client;
    RecordingClientEvents events;
    client.SetEvents(&events);
    EXPECT_FALSE(client.Connect("", server.Port()));
    EXPECT_FALSE(client.Connect("999.1.1.1", server.Port()));  // dotted, but no address
    EXPECT_FALSE(client.Connect("host:1", server.Port()));     // a ':' is IPv6 only

    const uint16_t port = server.Port();
    server.StopListening();
    ASSERT_TRUE(client.Connect("127.0.0.1", port));
    ASSERT_TRUE(WaitFor([&] { return !events.errors.empty(); }));
    EXPECT_EQ(events.errors[0], ClientError::Refused);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(events.closed, 0);

    ASSERT_TRUE(server.Listen(port));
    ASSERT_TRUE(client.Connect("localhost", port));  // a host name
    ASSERT_TRUE(WaitFor([&] { return events.connected == 1; }));
}

TEST(ServerNameTest, DottedAddressesNeedExactlyThreeDots) {
    EXPECT_TRUE(IsDottedAddress("192.168.0.5"));
    EXPECT_TRUE(IsDottedAddress("999.1.1.1"));
    EXPECT_FALSE(IsDottedAddress("10.0.0"));
    EXPECT_FALSE(IsDottedAddress("host5"));
    EXPECT_FALSE(IsDottedAddress("1.2.3.4.5"));
    EXPECT_FALSE(IsDottedAddress("a.b.c.d"));
    EXPECT_FALSE(IsDottedAddress(""));
}

TEST(ServerNameTest, TheServerFieldMayNameAPort) {
    struct Case {
        const char* text;
        const char* host;  // null: refused
        uint16_t port;
    };
    const Case cases[] = {
        {"192.168.0.5", "192.168.0.5", 16282},
        {" host5 ", "host5", 16282},
        {"127.0.0.1:40000", "127.0.0.1", 40000},
        {"example.org:1", "example.org", 1},
        {"[::1]:40000", "::1", 40000},
        {"[fe80::1]", "fe80::1", 16282},
        {"fe80::1", "fe80::1", 16282},  // a bare IPv6 address has no port
        {"", nullptr, 0},
        {":40000", nullptr, 0},
        {"host:", nullptr, 0},
        {"host:0", nullptr, 0},
        {"host:65536", nullptr, 0},
        {"host:12x", nullptr, 0},
        {"host:99999999999999999999", nullptr, 0},
        {"[::1", nullptr, 0},
        {"[::1]x", nullptr, 0},
        {"[::1]:", nullptr, 0},
        {"[]:1", nullptr, 0},
    };
    for (const Case& c : cases) {
        const auto got = ParseServerAddress(c.text, 16282);
        if (!c.host) {
            EXPECT_FALSE(got) << c.text;
            continue;
        }
        ASSERT_TRUE(got) << c.text;
        EXPECT_EQ(got->host, c.host) << c.text;
        EXPECT_EQ(got->port, c.port) << c.text;
    }
}

}  // namespace
}  // namespace tq::net
