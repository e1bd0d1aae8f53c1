// SPDX-License-Identifier: GPL-3.0-or-later
// What the server lets a peer hold, against in-memory sockets and a clock the test moves: the
// number of connections, the wait for a name, and the time a client seat may take for a move.

#include <gtest/gtest.h>

#include "net/net_fixture.h"
#include "net/protocol.h"

namespace tq::test {
namespace {

using net::ConnectionId;
using std::chrono::seconds;

class ServerBoundsTest : public ServerNetTest {
  public:
    std::vector<ConnectionId> Closed() const { return serverSockets.closedByServer; }
};

TEST_F(ServerBoundsTest, AtTheCapANewConnectionTakesThePlaceOfTheOldestWithoutAName) {
    serverSockets.capacity = 3;
    const ConnectionId ann = Join("Ann");
    const ConnectionId x = serverSockets.Accept();
    const ConnectionId y = serverSockets.Accept();
    EXPECT_TRUE(serverSockets.accepting);
    EXPECT_TRUE(Closed().empty());

    // A fourth: the oldest without a name gives way, the named one stays.
    const ConnectionId z = serverSockets.Accept();
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{x});
    ASSERT_EQ(observer.dropped.size(), 1u);
    EXPECT_EQ(observer.dropped[0].first, "");
    EXPECT_TRUE(serverSockets.accepting);

    // All three named: nothing more is taken until one closes.
    serverSockets.Feed(y, net::ConnectLine("Bob"));
    EXPECT_TRUE(serverSockets.accepting);
    serverSockets.Feed(z, net::ConnectLine("Cid"));
    EXPECT_FALSE(serverSockets.accepting);
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Ann", "Bob", "Cid"}));
    serverSockets.PeerCloses(y);
    EXPECT_TRUE(serverSockets.accepting);
    // A client giving up its name makes room too.
    const ConnectionId dan = Join("Dan");
    EXPECT_FALSE(serverSockets.accepting);
    serverSockets.Feed(ann, net::DisconnectLine("Ann"));
    EXPECT_TRUE(serverSockets.accepting);

    // Should a connection come in all the same (taken before the pause), it is the one without
    // a name, and the named clients keep their places.
    serverSockets.Feed(ann, net::ConnectLine("Ann"));
    EXPECT_FALSE(serverSockets.accepting);
    const ConnectionId late = serverSockets.Accept();
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{x, late}));
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Cid", "Dan", "Ann"}));
    static_cast<void>(dan);
}

TEST_F(ServerBoundsTest, AConnectionWithoutANameIsClosedAfterAMinute) {
    const ConnectionId ann = Join("Ann");
    const ConnectionId early = serverSockets.Accept();
    serverSockets.Advance(seconds(30));
    const ConnectionId late = serverSockets.Accept();
    // Refused names do not count as announced.
    serverSockets.Feed(late, net::ConnectLine("Ann"));
    EXPECT_EQ(serverSockets.Take(late), "ChangeName\r");

    serverSockets.Advance(seconds(29));
    EXPECT_TRUE(Closed().empty());
    serverSockets.Advance(seconds(2));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{early});
    ASSERT_EQ(observer.dropped.size(), 1u);
    EXPECT_NE(observer.dropped[0].second.find("no name within a minute"), std::string::npos);
    serverSockets.Advance(seconds(30));
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{early, late}));
    // The named client stays, however long.
    serverSockets.Advance(seconds(3600));
    EXPECT_EQ(Closed().size(), 2u);
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    static_cast<void>(ann);
}

TEST_F(ServerBoundsTest, ConnectionsLetInAtOnceAreReadBeforeAnyGivesWay) {
    serverSockets.capacity = 3;
    Join("Ann");
    const ConnectionId bob = Join("Bob");
    Join("Cid");
    EXPECT_FALSE(serverSockets.accepting);
    // Bob's place frees, and the connections that waited come in together, their lines
    // arrived but not yet read by the event loop.
    serverSockets.PeerCloses(bob);
    serverSockets.Accept({}, net::ConnectLine("Dan"));
    serverSockets.Accept({}, net::ConnectLine("Eve"));
    EXPECT_TRUE(observer.dropped.empty());
    // Only connections without a whole name line give way.
    const ConnectionId silent = serverSockets.Accept();
    const ConnectionId halfName = serverSockets.Accept({}, "Connect///Fa");
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{silent, halfName}));
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Ann", "Cid", "Dan", "Eve"}));
    EXPECT_FALSE(serverSockets.accepting);
}

TEST_F(ServerBoundsTest, OneAddressHoldsNoMoreThanItsLimit) {
    Server().SetAddressLimit(2);
    const std::string flooder = "198.51.100.7";
    const ConnectionId first = serverSockets.Accept(flooder);
    const ConnectionId ann = serverSockets.Accept(flooder, net::ConnectLine("Ann"));
    serverSockets.Deliver(ann);
    // A third from the address: its own oldest without a name gives way.
    const ConnectionId bob = serverSockets.Accept(flooder, net::ConnectLine("Bob"));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{first});
    serverSockets.Deliver(bob);
    // All its connections named: a fourth is closed, named or not, and says why.
    const ConnectionId named = serverSockets.Accept(flooder, net::ConnectLine("Cid"));
    const ConnectionId bare = serverSockets.Accept(flooder);
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{first, named, bare}));
    ASSERT_EQ(observer.dropped.size(), 3u);
    EXPECT_NE(observer.dropped[1].second.find("holds 2 connections already"), std::string::npos);
    // Another address is not held back, and a freed place is the address's again.
    Join("Dan");
    serverSockets.PeerCloses(bob);
    serverSockets.Deliver(serverSockets.Accept(flooder, net::ConnectLine("Eve")));
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Ann", "Dan", "Eve"}));
}

TEST_F(ServerBoundsTest, AtTheCapAnIdleClientWithoutASeatGivesWay) {
    using std::chrono::minutes;
    serverSockets.capacity = 2;
    Seats({{PlayerType::Human, "Sam"}, {PlayerType::Client, "Ann"}});
    const ConnectionId ann = Join("Ann");
    const ConnectionId bob = Join("Bob");
    EXPECT_FALSE(serverSockets.accepting);
    serverSockets.Advance(minutes(3));
    serverSockets.Feed(bob, net::ChatToServerLine("Bob", "Server", "hello"));
    serverSockets.Advance(minutes(3));
    // Ann has been silent for six minutes but holds a seat; Bob spoke three minutes ago.
    EXPECT_FALSE(serverSockets.accepting);
    const ConnectionId early = serverSockets.Accept();
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{early});

    // Five minutes after Bob spoke, taking resumes, and a newcomer takes his place.
    serverSockets.Advance(minutes(2));
    EXPECT_TRUE(serverSockets.accepting);
    const ConnectionId cid = serverSockets.Accept({}, net::ConnectLine("Cid"));
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{early, bob}));
    ASSERT_EQ(observer.dropped.size(), 2u);
    EXPECT_EQ(observer.dropped[1].first, "Bob");
    EXPECT_NE(observer.dropped[1].second.find("sent nothing for 5 minutes"), std::string::npos);
    serverSockets.Deliver(cid);
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_FALSE(serverSockets.accepting);
    static_cast<void>(ann);
}

TEST_F(ServerBoundsTest, ChatIsBoundedInRateAndInWhatTheServerShows) {
    const ConnectionId ann = Join("Ann");
    const ConnectionId bob = Join("Bob");
    serverSockets.Take(bob);
    const std::string longText(net::kMaxChatShown + 100, 'x');
    serverSockets.Feed(ann, net::ChatToServerLine("Ann", "Server", longText));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first,
              "Message from: Ann\r>" + std::string(net::kMaxChatShown, 'x') + "...");
    // A flood, to the server and to Bob, passes only the burst, then one message per interval.
    for (int i = 0; i < 100; ++i) {
        serverSockets.Feed(ann, net::ChatToServerLine("Ann", "Server", "spam"));
        serverSockets.Feed(ann, net::ChatToServerLine("Ann", "Bob", "spam"));
    }
    const auto toBob = [&] {
        const std::string got = serverSockets.Take(bob);
        return std::count(got.begin(), got.end(), '\r');
    };
    EXPECT_EQ(view.messages.size() - 1 + toBob(), std::size_t(net::kChatBurst - 1));
    serverSockets.Advance(net::kChatInterval * 3);
    for (int i = 0; i < 10; ++i) serverSockets.Feed(ann, net::ChatToServerLine("Ann", "Bob", "hi"));
    EXPECT_EQ(toBob(), 3);
    // Bob's share is his own.
    serverSockets.Feed(bob, net::ChatToServerLine("Bob", "Server", "hello"));
    EXPECT_EQ(view.messages.back().first, "Message from: Bob\r>hello");
}

TEST_F(ServerBoundsTest, AConnectionCutOffForAFullQueueIsReportedWithItsReason) {
    Seats({{PlayerType::Human, "Sam"}, {PlayerType::Client, "Ann"}});
    const ConnectionId ann = Join("Ann");
    serverSockets.CutOff(ann);
    ASSERT_EQ(observer.dropped.size(), 1u);
    EXPECT_EQ(observer.dropped[0].first, "Ann");
    EXPECT_NE(observer.dropped[0].second.find("did not read"), std::string::npos);
    EXPECT_TRUE(Server().ClientNames().empty());
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
}

// Sam here, clients Ann and Bob, a computer seat; Sam has moved and Ann is to move.
class MoveLimitTest : public ServerBoundsTest {
  public:
    void AnnToMove() {
        FourSeats();
        HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
        ASSERT_EQ(flow->Phase(), GamePhase::AwaitRemote);
        ASSERT_EQ(State().CurrentSeat, 2);
        serverSockets.Take(ann);
        serverSockets.Take(bob);
    }
};

TEST_F(MoveLimitTest, NoLimitUnlessOneIsSet) {
    EXPECT_EQ(Server().MoveLimit(), seconds(0));
    AnnToMove();
    serverSockets.Advance(seconds(24 * 3600));
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);
    EXPECT_EQ(State().CurrentSeat, 2);
}

TEST_F(MoveLimitTest, ASeatThatDoesNotMoveInTimeIsHandledAsItsDisconnect) {
    Server().SetMoveLimit(seconds(120));
    AnnToMove();
    // Ann moves just in time; her deadline is gone with it.
    serverSockets.Advance(seconds(119));
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,41:42,H,4,1\r");
    ASSERT_EQ(State().CurrentSeat, 3);
    EXPECT_TRUE(serverSockets.Take(bob).ends_with("YourMove//\r"));

    // Bob's time runs from his "YourMove//".
    serverSockets.Advance(seconds(119));
    EXPECT_TRUE(Closed().empty());
    serverSockets.Advance(seconds(2));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{bob});
    ASSERT_EQ(observer.dropped.size(), 1u);
    EXPECT_EQ(observer.dropped[0].first, "Bob");
    EXPECT_NE(observer.dropped[0].second.find("120 seconds"), std::string::npos);
    // As his "Disconnect": the computer plays his seat, this turn included, and the game goes on
    // to Sam.
    EXPECT_EQ(flow->KindOf(3), SeatKind::Computer);
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    EXPECT_EQ(State().Round, 2);
    EXPECT_EQ(State().CurrentSeat, 1);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    EXPECT_EQ(State().LetterCountOnField, 9);

    // Ann is not held to a turn that is over.
    serverSockets.Advance(seconds(3600));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{bob});
}

TEST_F(MoveLimitTest, TheHostHandsASilentSeatToTheComputer) {
    AnnToMove();
    EXPECT_FALSE(Server().HandToComputer("Nobody"));
    EXPECT_TRUE(Server().HandToComputer("ann"));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{ann});
    ASSERT_EQ(observer.dropped.size(), 1u);
    EXPECT_EQ(observer.dropped[0].first, "Ann");
    EXPECT_NE(observer.dropped[0].second.find("the host handed"), std::string::npos);
    // Her seat is the computer's, this turn included: the game goes on to Bob.
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
    EXPECT_EQ(State().CurrentSeat, 3);
    EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);
}

TEST_F(ServerBoundsTest, TheMoveLimitEndsAGameWhoseClientsAllFallSilent) {
    Server().SetMoveLimit(seconds(60));
    EventLog log;
    flow->Subscribe(log);
    Seats({{PlayerType::Computer, "Cpu"},
           {PlayerType::Client, "Ann"},
           {PlayerType::Client, "Bob"},
           {PlayerType::Computer, "Cid"}});
    const ConnectionId ann = Join("Ann");
    const ConnectionId bob = Join("Bob");
    flow->StartNewGame();
    for (int minute = 0; minute < 10 && flow->Phase() != GamePhase::GameOver; ++minute)
        serverSockets.Advance(seconds(61));
    EXPECT_EQ(flow->Phase(), GamePhase::GameOver);
    ASSERT_EQ(log.ended.size(), 1u);
    EXPECT_EQ(State().LetterCountOnField, 25);
    EXPECT_EQ(Closed(), (std::vector<ConnectionId>{ann, bob}));
    flow->Unsubscribe(log);
}

}  // namespace
}  // namespace tq::test
