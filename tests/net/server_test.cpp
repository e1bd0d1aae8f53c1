// SPDX-License-Identifier: GPL-3.0-or-later
// The server side against in-memory sockets: names, who receives which line, a client's move,
// a client that leaves, chat, and lines from peers that must not be believed.

#include <gtest/gtest.h>

#include "base/chain_rules.h"
#include "net/net_fixture.h"
#include "net/protocol.h"

namespace tq::test {
namespace {

using net::ConnectionId;

using ServerTest = ServerNetTest;

TEST_F(ServerTest, ATakenNameIsRefusedAndTheListKeepsItOnce) {
    ann = Join("Ann");
    EXPECT_EQ(serverSockets.Take(ann), "");
    // Taken in any letter case, the server's own chat name, names that would break a line, and
    // names that differ from others only by blanks or hold a byte no character stands for.
    for (const char* name :
         {"Ann", "ANN", "Server", "Al,Bo", "", "Thirteen char", "Ann ", " ", " Zed", "A\x98"}) {
        SCOPED_TRACE(name);
        const ConnectionId other = Join(name);
        EXPECT_EQ(serverSockets.Take(other), "ChangeName\r");
        // The refused client closes with a "Disconnect" that names nobody: nothing changes.
        serverSockets.Feed(other, "Disconnect\r");
        serverSockets.PeerCloses(other);
    }
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    EXPECT_EQ(observer.namesChanged, 1);
    // A second announcement on the same connection changes nothing.
    serverSockets.Feed(ann, net::ConnectLine("Zed"));
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    // A "Disconnect" naming another client is not believed.
    bob = Join("Bob");
    serverSockets.Feed(bob, net::DisconnectLine("Ann"));
    EXPECT_EQ(Server().ClientNames(), (std::vector<std::string>{"Ann", "Bob"}));
    serverSockets.Feed(ann, net::DisconnectLine("Ann"));
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Bob"});
}

TEST_F(ServerTest, EveryLineOfAReadIsHandledInOrder) {
    const ConnectionId id = serverSockets.Accept();
    serverSockets.Feed(id, "Connect///Ann\rGetMessageAnn,Server,hello, all\rGetMess");
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, "Message from: Ann\r>hello, all");
    serverSockets.Feed(id, "ageAnn,Server,again\r");
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1].first, "Message from: Ann\r>again");
}

TEST_F(ServerTest, MovesReachTheOtherClientSeatsOnly) {
    FourSeats();
    const std::string newGame = serverSockets.Take(ann);
    EXPECT_TRUE(newGame.starts_with("NewGame///4,Sam,128,0,2,Ann,32768,2,2,Bob,"));
    EXPECT_TRUE(newGame.ends_with("\rUpdateMove1,1,1\r"));
    EXPECT_EQ(serverSockets.Take(bob), newGame);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);

    // Sam (seat 1) moves: both clients get it; Ann is next and alone gets "YourMove//".
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    EXPECT_EQ(serverSockets.Take(ann),
              "GetNewMove20,0,0,0,TO,11:12:,T,1,1\rUpdateMove1,2,1\rYourMove//\r");
    EXPECT_EQ(serverSockets.Take(bob), "GetNewMove20,0,0,0,TO,11:12:,T,1,1\rUpdateMove1,2,1\r");
    EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);

    // Ann (seat 2) moves: the move is applied here and reaches Bob only.
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,41:42,H,4,1\r");
    EXPECT_EQ(model.Board.At(4, 1), 'H');
    EXPECT_EQ(model.State.Score(2).WordPoints, 20);
    EXPECT_TRUE(State().UsedWords.Contains("HE"));
    EXPECT_EQ(view.results[1].word, "HE");
    EXPECT_EQ(view.marks[4][1], MarkState::Marked);
    EXPECT_EQ(serverSockets.Take(ann), "UpdateMove1,3,1\r");
    EXPECT_EQ(serverSockets.Take(bob),
              "GetNewMove20,0,0,0,HE,41:42:,H,4,1\rUpdateMove1,3,1\rYourMove//\r");

    // Bob (seat 3) moves; the computer seat follows at once, then Sam's turn of round 2.
    serverSockets.Feed(bob, "GetMyMove/30,0,0,0,TOE,11:12:13:,E,1,3\r");
    const std::string toAnn = serverSockets.Take(ann);
    EXPECT_TRUE(
        toAnn.starts_with("GetNewMove30,0,0,0,TOE,11:12:13:,E,1,3\rUpdateMove1,4,1\r"
                          "GetNewMove"));
    EXPECT_TRUE(toAnn.ends_with("\rUpdateMove2,1,1\r"));
    EXPECT_EQ(serverSockets.Take(bob), toAnn.substr(toAnn.find("UpdateMove1,4,1")));
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    EXPECT_EQ(State().LetterCountOnField, 9);
}

TEST_F(ServerTest, AClientsMoveIsToldToTheGameEventsLikeEveryMove) {
    EventLog log;
    flow->Subscribe(log);
    FourSeats();
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,41:42,H,4,1\r");
    ASSERT_GE(log.moves.size(), 2u);
    EXPECT_EQ(log.moves[0].Source, MoveSource::Human);
    const MovePlayedEvent& m = log.moves[1];
    EXPECT_EQ(m.Source, MoveSource::Remote);
    EXPECT_EQ(m.Seat, 2);
    EXPECT_EQ(m.Points, 20);
    EXPECT_EQ(ChainText(m.Path), "41:42:");
    EXPECT_EQ(m.Report.Word, "HE");
    EXPECT_EQ(m.Report.Letter, 'H');
    // A dropped move tells nothing.
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,41:42,H,4,1\r");
    EXPECT_EQ(log.moves.size(), 2u);
    flow->Unsubscribe(log);
}

TEST_F(ServerTest, ARefusedMoveClosesItsClientsConnectionAndTheGameGoesOn) {
    EventLog log;
    flow->Subscribe(log);
    // Each case in a fresh game: Sam has moved, Ann (seat 2) is awaited.
    const auto annAwaited = [&] {
        if (!Server().HasClient("Ann")) ann = Join("Ann");
        if (!Server().HasClient("Bob")) bob = Join("Bob");
        Seats({{PlayerType::Human, "Sam"},
               {PlayerType::Client, "Ann"},
               {PlayerType::Client, "Bob"},
               {PlayerType::Computer, "Cpu"}});
        flow->StartNewGame();
        HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
        serverSockets.Take(ann);
        serverSockets.Take(bob);
        serverSockets.closedByServer.clear();
        observer.dropped.clear();
        log.moves.clear();
        ASSERT_EQ(flow->Phase(), GamePhase::AwaitRemote);
        ASSERT_EQ(State().CurrentSeat, 2);
    };
    const struct {
        const char* why;
        const char* line;
    } cases[] = {
        {"off the field", "GetMyMove/20,0,0,0,HE,51:52:,H,5,1\r"},
        {"cell taken", "GetMyMove/20,0,0,0,TO,11:12:,T,1,1\r"},
        {"not next to a letter", "GetMyMove/0,0,0,0,H,40:,H,4,0\r"},
        {"not a letter", "GetMyMove/20,0,0,0,1E,41:42:,1,4,1\r"},
        {"small letter", "GetMyMove/20,0,0,0,hE,41:42:,h,4,1\r"},
        {"points grown wrong", "GetMyMove/90,0,0,0,HE,41:42:,H,4,1\r"},
        {"a bonus without a clock", "GetMyMove/20,5,0,5,HE,41:42:,H,4,1\r"},
        {"a fine without a clock", "GetMyMove/20,0,1,-1,HE,41:42:,H,4,1\r"},
        {"no chain through the new cell", "GetMyMove/20,0,0,0,HE,02:42:,H,4,1\r"},
        {"chain spells another word", "GetMyMove/20,0,0,0,HO,41:42:,H,4,1\r"},
        {"played already", "GetMyMove/20,0,0,0,TO,10:11:,T,1,0\r"},
        {"readable on the field already", "GetMyMove/20,0,0,0,OR,23:22:,O,2,3\r"},
        {"a step the rules forbid", "GetMyMove/30,0,0,0,HOT,02:12:21:,T,2,1\r"},
        {"a lone letter with a word's points", "GetMyMove/10,0,0,0,H,41,H,4,1\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        annAwaited();
        serverSockets.Feed(ann, c.line);
        // Ann is gone, as if she had left: the computer plays her seat, and Bob is awaited.
        EXPECT_EQ(serverSockets.closedByServer, std::vector<ConnectionId>{ann});
        EXPECT_EQ(
            observer.dropped,
            (std::vector<std::pair<std::string, std::string>>{{"Ann", "its move was refused"}}));
        EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
        EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Bob"});
        ASSERT_EQ(log.moves.size(), 1u);
        EXPECT_EQ(log.moves[0].Source, MoveSource::Computer);
        EXPECT_EQ(log.moves[0].Seat, 2);
        EXPECT_EQ(State().CurrentSeat, 3);
        EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);
        EXPECT_TRUE(serverSockets.Take(bob).ends_with("UpdateMove1,3,1\rYourMove//\r"));
    }

    // A move from a client whose seat is not awaited is dropped, the connection kept: it cannot
    // hold the game up, and an honest client's move may cross a new game on the wire.
    annAwaited();
    serverSockets.Feed(bob, "GetMyMove/20,0,0,0,HE,41:42:,H,4,1\r");
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    EXPECT_EQ(State().CurrentSeat, 2);
    EXPECT_EQ(State().LetterCountOnField, 6);
    EXPECT_EQ(serverSockets.Take(bob), "");

    // A letter alone is a move; the game goes on.
    serverSockets.Feed(ann, "GetMyMove/0,0,0,0,H,41,H,4,1\r");
    EXPECT_EQ(State().CurrentSeat, 3);
    EXPECT_EQ(model.Board.At(4, 1), 'H');
    EXPECT_EQ(view.results[1].word, "----");
    // And nothing is taken out of turn: Ann again, while Bob is awaited.
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,43:42:,H,4,3\r");
    EXPECT_EQ(model.Board.At(4, 3), kEmptyCell);
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    flow->Unsubscribe(log);
}

TEST_F(ServerTest, AWordMissingFromTheServersDictionaryIsTheMoversBusiness) {
    FourSeats();
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    serverSockets.Take(bob);
    // XE is no word here; Ann's dictionary may hold it, or her player accepted it.
    ASSERT_FALSE(model.Words.ContainsWord("XE"));
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,XE,41:42:,X,4,1\r");
    EXPECT_EQ(model.Board.At(4, 1), 'X');
    EXPECT_EQ(model.State.Score(2).WordPoints, 20);
    EXPECT_TRUE(State().UsedWords.Contains("XE"));
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    EXPECT_EQ(serverSockets.Take(bob),
              "GetNewMove20,0,0,0,XE,41:42:,X,4,1\rUpdateMove1,3,1\rYourMove//\r");
}

TEST_F(ServerTest, AClientMayFormTheInitialWordTheJokerHides) {
    // TOE across the middle of a 3 x 3 field, one of its letters hidden by the joker. The
    // clients hold "TOE" with its '?' among their used words, not TOE itself.
    GameSettings& s = model.Settings;
    s.ColCount = 3;
    s.RowCount = 3;
    s.UseJoker = true;
    s.InitialWord = "TOE";
    Seats({{PlayerType::Client, "Ann"}, {PlayerType::Client, "Bob"}});
    ann = Join("Ann");
    bob = Join("Bob");
    flow->StartNewGame();
    const std::string placed = State().FieldLetters;
    ASSERT_EQ(std::count(placed.begin(), placed.end(), '?'), 1) << placed;
    EXPECT_NE(serverSockets.Take(ann).find("," + placed + ","), std::string::npos);
    // The server's own seats keep the drawn word as played.
    EXPECT_TRUE(State().UsedWords.Contains("TOE"));

    // Ann puts E above the O and forms TOE through the middle row, joker and all.
    serverSockets.Feed(ann, "GetMyMove/30,0,0,0,TOE,01:11:10:,E,1,0\r");
    EXPECT_EQ(model.Board.At(1, 0), 'E');
    EXPECT_EQ(model.State.Score(1).WordPoints, 30);
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    EXPECT_EQ(State().CurrentSeat, 2);
    // Now every computer of the game holds TOE as played: Bob may not form it again.
    serverSockets.Feed(bob, "GetMyMove/30,0,0,0,TOE,01:11:12:,E,1,2\r");
    EXPECT_EQ(serverSockets.closedByServer, std::vector<ConnectionId>{bob});
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
}

TEST_F(ServerTest, AClientDroppedForItsMoveLeavesAGameThatEndsNormally) {
    EventLog log;
    flow->Subscribe(log);
    Seats({{PlayerType::Client, "Ann"}, {PlayerType::Computer, "Cpu"}});
    ann = Join("Ann");
    flow->StartNewGame();
    serverSockets.Take(ann);
    serverSockets.Feed(ann, "GetMyMove/99,0,0,0,HE,41:42:,H,4,1\r");
    // The computer plays both seats to the last move.
    EXPECT_EQ(flow->Phase(), GamePhase::GameOver);
    EXPECT_EQ(State().LetterCountOnField, 25);
    EXPECT_EQ(log.ended.size(), 1u);
    EXPECT_EQ(serverSockets.Take(ann), "");
    EXPECT_EQ(observer.dropped.size(), 1u);
    flow->Unsubscribe(log);
}

TEST_F(ServerTest, TheClockBoundsTheAward) {
    model.Settings.SecMove = 60;
    model.Settings.SecBonus = 10;
    model.Settings.SecFine = 10;
    // Each line in a fresh game with Ann's seat to move.
    const auto annAwaited = [&] {
        if (!Server().HasClient("Ann")) ann = Join("Ann");
        Seats({{PlayerType::Client, "Ann"}, {PlayerType::Human, "Sam"}});
        flow->StartNewGame();
        flow->StopClock();
        serverSockets.Take(ann);
        serverSockets.closedByServer.clear();
    };
    // At most 60 / 10 = 6 bonus points; a fine only grows the fine counter.
    for (const char* line :
         {"GetMyMove/20,7,0,7,HE,41:42:,H,4,1\r", "GetMyMove/20,0,3,3,HE,41:42:,H,4,1\r"}) {
        SCOPED_TRACE(line);
        annAwaited();
        serverSockets.Feed(ann, line);
        EXPECT_EQ(serverSockets.closedByServer, std::vector<ConnectionId>{ann});
    }
    annAwaited();
    serverSockets.Feed(ann, "GetMyMove/20,0,3,-3,HE,41:42:,H,4,1\r");
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    EXPECT_EQ(State().LetterCountOnField, 6);
    EXPECT_EQ(model.State.Score(1).FinePoints, 3);
    EXPECT_EQ(view.results[0].points, "17");
}

TEST_F(ServerTest, AClientLeavingInRoundThreeHasItsTurnPlayedByTheComputer) {
    FourSeats();
    serverSockets.Take(bob);
    // Round 3, Ann's seat awaited.
    State().Round = 3;
    State().CurrentSeat = 2;
    State().MoveWord = 1;
    flow->SetPhase(GamePhase::AwaitRemote);

    // Her connection breaks without a word.
    serverSockets.PeerCloses(ann);
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
    EXPECT_EQ(observer.takenOver, std::vector<std::vector<int>>{{2}});
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Bob"});
    // The same turn again, played by the computer, then Bob's.
    const std::string toBob = serverSockets.Take(bob);
    EXPECT_TRUE(toBob.starts_with("UpdateMove3,2,1\rGetNewMove")) << toBob;
    EXPECT_TRUE(toBob.ends_with("\rUpdateMove3,3,1\rYourMove//\r")) << toBob;
    EXPECT_EQ(State().LetterCountOnField, 6);
    EXPECT_EQ(State().CurrentSeat, 3);
    EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);
}

TEST_F(ServerTest, AClientLeavingAtTheFirstTurnOfTheGame) {
    Seats({{PlayerType::Client, "Ann"}, {PlayerType::Human, "Sam"}});
    ann = Join("Ann");
    flow->StartNewGame();
    EXPECT_TRUE(serverSockets.Take(ann).ends_with("UpdateMove1,1,1\rYourMove//\r"));
    serverSockets.Feed(ann, net::DisconnectLine("Ann"));
    EXPECT_EQ(flow->KindOf(1), SeatKind::Computer);
    EXPECT_EQ(State().Round, 1);
    EXPECT_EQ(State().CurrentSeat, 2);
    EXPECT_EQ(State().LetterCountOnField, 6);  // the computer played seat 1's first move
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    // The close that follows the "Disconnect" changes nothing more.
    serverSockets.PeerCloses(ann);
    EXPECT_EQ(observer.takenOver.size(), 1u);
}

TEST_F(ServerTest, AClientLeavingWhileAnotherSeatMovesLeavesTheTurnAlone) {
    FourSeats();
    ASSERT_EQ(flow->Phase(), GamePhase::PutLetter);
    serverSockets.Feed(ann, net::DisconnectLine("Ann"));
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
    EXPECT_EQ(State().CurrentSeat, 1);
    EXPECT_EQ(State().Round, 1);
    EXPECT_EQ(State().MoveWord, 1);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    // Sam's move now runs through the computer's seat 2 to Bob.
    serverSockets.Take(bob);
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    EXPECT_TRUE(serverSockets.Take(bob).ends_with("UpdateMove1,3,1\rYourMove//\r"));
}

TEST_F(ServerTest, AnOverlongLineEndsTheConnectionAsALeave) {
    FourSeats();
    serverSockets.Feed(bob, std::string(net::kMaxLineLength + 1, 'x'));
    EXPECT_EQ(serverSockets.closedByServer, std::vector<ConnectionId>{bob});
    EXPECT_EQ(flow->KindOf(3), SeatKind::Computer);
    EXPECT_EQ(Server().ClientNames(), std::vector<std::string>{"Ann"});
    // The game goes on.
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    EXPECT_EQ(flow->Phase(), GamePhase::AwaitRemote);
}

TEST_F(ServerTest, ChatTravelsThroughTheServer) {
    ann = Join("Ann");
    bob = Join("Bob");
    serverSockets.Feed(ann, "GetMessageAnn,Bob,see you, Bob\r");
    EXPECT_EQ(serverSockets.Take(bob), "GetMessageAnn,see you, Bob\r");
    serverSockets.Feed(ann, "GetMessageAnn,server,to you\r");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, "Message from: Ann\r>to you");
    EXPECT_EQ(view.messages[0].second, MessageIcon::Information);
    // Unknown recipients and borrowed names go nowhere.
    serverSockets.Feed(ann, "GetMessageAnn,Zed,hello\r");
    serverSockets.Feed(ann, "GetMessageBob,Server,it is me\r");
    serverSockets.Feed(serverSockets.Accept(), "GetMessageAnn,Bob,no name yet\r");
    EXPECT_EQ(serverSockets.Take(bob), "");
    EXPECT_EQ(view.messages.size(), 1u);
    // From the server's user.
    EXPECT_TRUE(Server().SendChat("bob", "hi,\rthere"));
    EXPECT_EQ(serverSockets.Take(bob), "GetMessageServer,hi, there\r");
    EXPECT_FALSE(Server().SendChat("Zed", "hi"));
}

TEST_F(ServerTest, AClientWithTwoSeatsGetsEachLineOnce) {
    Seats({{PlayerType::Human, "Sam"},
           {PlayerType::Client, "Ann"},
           {PlayerType::Computer, "Cpu"},
           {PlayerType::Client, "ann"}});
    ann = Join("Ann");
    flow->StartNewGame();
    const std::string lines = serverSockets.Take(ann);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\r'), 2) << lines;
}

TEST_F(ServerTest, StoppingTheListenerMidGameHandsTheClientSeatsToTheComputer) {
    FourSeats();
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    ASSERT_EQ(flow->Phase(), GamePhase::AwaitRemote);
    // As when the server's user picks "General mode" in the options dialog and cancels.
    Server().StopListening();
    EXPECT_TRUE(Server().ClientNames().empty());
    EXPECT_EQ(observer.takenOver, (std::vector<std::vector<int>>{{2, 3}}));
    EXPECT_EQ(flow->KindOf(2), SeatKind::Computer);
    EXPECT_EQ(flow->KindOf(3), SeatKind::Computer);
    // Ann's turn, Bob's and the computer's are played; Sam moves next.
    EXPECT_EQ(State().Round, 2);
    EXPECT_EQ(State().CurrentSeat, 1);
    EXPECT_EQ(State().LetterCountOnField, 9);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
}

TEST_F(ServerTest, NoMoveIsTakenOutOfTurnWhileALeavingClientsTurnIsTakenBack) {
    EventLog log;
    flow->Subscribe(log);
    FourSeats();
    HumanMove({1, 1}, 'T', {{1, 1}, {1, 2}});
    serverSockets.Feed(ann, "GetMyMove/20,0,0,0,HE,41:42,H,4,1\r");
    ASSERT_EQ(State().CurrentSeat, 3);
    // Bob leaves while awaited. The turn goes back to Ann's seat before it is played again for
    // the computer, and the window's events run before the computer moves: a move of Ann's, one
    // she could make on her turn, arrives then.
    bool fed = false;
    view.onWake = [&] {
        if (fed) return;
        fed = true;
        serverSockets.Feed(ann, "GetMyMove/20,0,0,0,X,43,X,4,3\r");
    };
    serverSockets.PeerCloses(bob);
    view.onWake = nullptr;
    ASSERT_TRUE(fed);
    int remote = 0;
    for (const MovePlayedEvent& m : log.moves) remote += m.Source == MoveSource::Remote;
    EXPECT_EQ(remote, 1);
    EXPECT_TRUE(serverSockets.closedByServer.empty());
    // The computer played Bob's seat and its own, and Sam moves.
    EXPECT_EQ(State().Round, 2);
    EXPECT_EQ(State().CurrentSeat, 1);
    EXPECT_EQ(State().LetterCountOnField, 9);
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    flow->Unsubscribe(log);
}

TEST_F(ServerTest, StoppingEmptiesTheList) {
    ann = Join("Ann");
    Server().StopListening();
    EXPECT_FALSE(Server().Listening());
    EXPECT_TRUE(Server().ClientNames().empty());
    serverSockets.refuse = true;
    EXPECT_FALSE(Server().StartListening(0));
}

}  // namespace
}  // namespace tq::test
