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
    EXPECT_EQ(model.Settings.Seat(3).Type, PlayerType::Computer);
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    EXPECT_EQ(State().Round, 2);
    EXPECT_EQ(State().CurrentSeat, 1);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    EXPECT_EQ(State().LetterCountOnField, 9);

    // Ann is not held to a turn that is over.
    serverSockets.Advance(seconds(3600));
    EXPECT_EQ(Closed(), std::vector<ConnectionId>{bob});
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
