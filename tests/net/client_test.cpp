// SPDX-License-Identifier: GPL-3.0-or-later
// The client side against in-memory sockets: connecting, a game taken from the server's lines,
// the own move, chat, the ends of a connection, and server lines that must not be applied.

#include <gtest/gtest.h>

#include "base/chain_rules.h"
#include "base/messages.h"
#include "net/net_fixture.h"
#include "net/protocol.h"

namespace tq::test {
namespace {

using net::ClientState;
using net::ConnectResult;

// Ann at the server, Bob (this client) and Cid: three seats on a 4 x 4 field, HOTS on row 1.
NewGameContent ThreeSeats() {
    NewGameContent g;
    g.Count = 3;
    g.Seats = {{"Ann", 128, PlayerType::Human, 2},
               {"Bob", 32768, PlayerType::Client, 2},
               {"Cid", 32896, PlayerType::Client, 2}};
    g.ColCount = 4;
    g.RowCount = 4;
    g.InitialWord = "HOTS";
    g.WordsPerMove = 1;
    g.MinWordLen = 2;
    g.MaxWordLen = 10;
    g.Directions = "11110000";
    return g;
}

class ClientTest : public NetTest {
  public:
    void Connect() {
        ASSERT_EQ(Client().Connect("192.168.0.5", "Bob", 0), ConnectResult::Started);
        clientSockets.Accept();
        ASSERT_EQ(clientSockets.Take(), "Connect///Bob\r");
    }
    void Start(const NewGameContent& g = ThreeSeats()) {
        Connect();
        clientSockets.Feed(net::NewGameLine(g));
    }
};

TEST_F(ClientTest, ConnectingAnnouncesTheNameAndOffersTheServerForChat) {
    EXPECT_EQ(Client().Connect("host5", "", 0), ConnectResult::EmptyName);
    EXPECT_EQ(Client().Connect("host5", "Bo,b", 0), ConnectResult::InvalidName);
    EXPECT_EQ(Client().Connect("host5", "Thirteen char", 0), ConnectResult::InvalidName);
    EXPECT_TRUE(clientSockets.attempts.empty());
    clientSockets.refuse = true;
    EXPECT_EQ(Client().Connect("host5", "Bob", 0), ConnectResult::CannotStart);
    EXPECT_EQ(Client().State(), ClientState::Closed);
    clientSockets.refuse = false;

    ASSERT_EQ(Client().Connect("host5", "Twelve chars", 16282), ConnectResult::Started);
    EXPECT_EQ(clientSockets.attempts.back(), "host5");
    EXPECT_EQ(clientSockets.port, 16282);
    EXPECT_EQ(Client().State(), ClientState::Connecting);
    EXPECT_TRUE(Client().Recipients().empty());
    clientSockets.Accept();
    EXPECT_EQ(Client().State(), ClientState::Connected);
    EXPECT_EQ(clientSockets.Take(), "Connect///Twelve chars\r");
    EXPECT_EQ(Client().Recipients(), std::vector<std::string>{"Server"});
    EXPECT_EQ(observer.connectionChanged, 2);
}

TEST_F(ClientTest, FailuresShowTheirMessages) {
    // A failed attempt: the sentence, then a line with the server, the port and why.
    struct Case {
        net::ClientError error;
        std::string_view first;
        MessageIcon icon;
        std::string_view why;
    };
    const Case cases[] = {
        {net::ClientError::HostNotFound, msg::CannotConnect, MessageIcon::Error,
         "no computer of this name was found."},
        {net::ClientError::Refused, msg::ServerInaccessible, MessageIcon::Warning,
         "the server refused the connection."},
        {net::ClientError::NoRoute, msg::ServerInaccessible, MessageIcon::Warning,
         "the network has no route to the server."},
        {net::ClientError::TimedOut, msg::ServerInaccessible, MessageIcon::Warning,
         "the server did not answer in time."},
        {net::ClientError::Unreachable, msg::ServerInaccessible, MessageIcon::Warning,
         "the server cannot be reached."},
    };
    for (const Case& c : cases) {
        view.messages.clear();
        ASSERT_EQ(Client().Connect("host5", "Bob", 40000), ConnectResult::Started);
        clientSockets.events->OnError(c.error);
        EXPECT_EQ(Client().State(), ClientState::Closed);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0],
                  std::make_pair(
                      std::string(c.first) + "\rhost5, port 40000: " + std::string(c.why), c.icon));
    }

    view.messages.clear();
    Connect();
    clientSockets.events->OnError(net::ClientError::Broken);
    EXPECT_EQ(view.messages[0], std::make_pair(std::string(msg::NetworkError), MessageIcon::Error));
    clientSockets.ServerCloses();
    EXPECT_EQ(Client().State(), ClientState::Closed);
}

TEST_F(ClientTest, ANewGameTakesTheServersSettingsAndSeats) {
    model.Settings.RatedGame = true;
    model.Settings.Seat(1).Type = PlayerType::Computer;
    Start();
    const GameSettings& s = model.Settings;
    EXPECT_EQ(s.Mode, GameMode::Client);
    EXPECT_TRUE(s.RatedGame);  // not sent, not changed
    EXPECT_EQ(s.Count, 3);
    // The game's players: Bob's own seat is the human's here, the others the server's; the
    // settings keep this computer's own seat types.
    EXPECT_EQ(flow->KindOf(1), SeatKind::Remote);
    EXPECT_EQ(flow->KindOf(2), SeatKind::Human);
    EXPECT_EQ(flow->KindOf(3), SeatKind::Remote);
    EXPECT_EQ(s.Seat(1).Type, PlayerType::Computer);
    EXPECT_EQ(s.Seat(2).Name, "Bob");
    EXPECT_EQ(s.Seat(3).Color, 32896u);
    EXPECT_EQ(s.ColCount, 4);
    EXPECT_EQ(view.cols, 4);
    EXPECT_EQ(view.letters[2][1], "T");
    EXPECT_EQ(model.Board.At(3, 1), 'S');
    EXPECT_EQ(flow->Phase(), GamePhase::Setup);  // waits for the server's turn lines
    EXPECT_EQ(observer.dialogsClosed, 1);
    EXPECT_EQ(Client().Recipients(), (std::vector<std::string>{"Server", "Cid"}));
    EXPECT_EQ(State().RoundCount, 4);
}

TEST_F(ClientTest, LinesOfOneReadAreHandledInOrderAndTheClockStartsWithTheMove) {
    NewGameContent g = ThreeSeats();
    g.SecMove = 120;
    Connect();
    clientSockets.Feed(net::NewGameLine(g) + "UpdateMove1,2,1\rYour");
    EXPECT_EQ(State().CurrentSeat, 2);
    EXPECT_EQ(flow->Phase(), GamePhase::Setup);
    clientSockets.Feed("Move//\r");
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    EXPECT_EQ(observer.ownTurns, 1);
    EXPECT_TRUE(flow->Clock().Running());
    EXPECT_EQ(flow->Clock().Remaining(), 120);
    EXPECT_TRUE(view.clockVisible);
    flow->StopClock();

    // The own move goes to the server, and the client waits.
    HumanMove({0, 2}, 'E', {{0, 1}, {0, 2}});
    EXPECT_EQ(clientSockets.Take(), "GetMyMove/20,0,0,0,HE,01:02:,E,0,2\r");
    EXPECT_EQ(flow->Phase(), GamePhase::MoveDone);
}

TEST_F(ClientTest, WithoutAClockNoneStarts) {
    Start();
    clientSockets.Feed("UpdateMove1,2,1\rYourMove//\r");
    EXPECT_EQ(flow->Phase(), GamePhase::PutLetter);
    EXPECT_FALSE(flow->Clock().Running());
    EXPECT_FALSE(view.clockVisible);
}

TEST_F(ClientTest, MovesFromTheServerGoToTheSeatToMove) {
    Start();
    clientSockets.Feed("UpdateMove1,3,1\rGetNewMove20,2,0,2,HE,01:02,E,0,2\r");
    EXPECT_EQ(model.Board.At(0, 2), 'E');
    EXPECT_EQ(model.State.Score(3).WordPoints, 20);
    EXPECT_EQ(model.State.Score(3).BonusPoints, 2);
    EXPECT_EQ(State().TimeAward, 2);
    EXPECT_EQ(ChainText(State().MarkedPath), "01:02:");
    EXPECT_TRUE(State().UsedWords.Contains("HE"));
    EXPECT_EQ(State().LetterCountOnField, 5);
    EXPECT_EQ(view.letters[0][2], "E");
    EXPECT_EQ(view.results[2].word, "HE");
    EXPECT_EQ(view.results[2].points, "22");
    EXPECT_EQ(view.results[2].colour, 32896u);
    EXPECT_EQ(view.marks[0][1], MarkState::Marked);
    EXPECT_EQ(observer.dialogsClosed, 2);
}

TEST_F(ClientTest, AMoveFromTheServerIsToldToTheGameEvents) {
    EventLog log;
    flow->Subscribe(log);
    Start();
    clientSockets.Feed("UpdateMove1,3,1\rGetNewMove20,2,0,2,HE,01:02,E,0,2\r");
    ASSERT_EQ(log.moves.size(), 1u);
    const MovePlayedEvent& m = log.moves[0];
    EXPECT_EQ(m.Source, MoveSource::Remote);
    EXPECT_EQ(m.Seat, 3);
    EXPECT_EQ(m.Points, 22);
    EXPECT_EQ(m.Report.WordPoints, 20);
    EXPECT_EQ(m.Report.Word, "HE");
    // Nothing goes back to the server.
    EXPECT_EQ(clientSockets.Take(), "");
    flow->Unsubscribe(log);
}

TEST_F(ClientTest, TheGameEndsAndTheNextOneStartsOnTheSameConnection) {
    EventLog log;
    flow->Subscribe(log);
    Start();
    clientSockets.Feed("UpdateMove1,3,1\rGetNewMove20,2,0,2,HE,01:02,E,0,2\r");
    clientSockets.Feed("EndGame///\r");
    EXPECT_EQ(flow->Phase(), GamePhase::GameOver);
    EXPECT_EQ(view.statusDialogs, 1);
    // As at the end of a local game: the winner in the status line, the totals to the events.
    EXPECT_EQ(view.hint, "Cid wins");
    EXPECT_TRUE(view.hintVisible);
    ASSERT_EQ(log.ended.size(), 1u);
    ASSERT_EQ(log.ended[0].Totals.size(), 3u);
    EXPECT_EQ(log.ended[0].Totals[2].Total, 22);
    EXPECT_EQ(log.ended[0].RecordPlace, 0);
    clientSockets.Feed("EndGame///\r");  // a second copy opens no second dialog
    EXPECT_EQ(view.statusDialogs, 1);
    EXPECT_EQ(log.ended.size(), 1u);
    EXPECT_EQ(clientSockets.Take(), "");  // nothing goes back to the server
    flow->Unsubscribe(log);
    EXPECT_TRUE(Client().IsConnected());
    NewGameContent next = ThreeSeats();
    next.InitialWord = "SHOE";
    clientSockets.Feed(net::NewGameLine(next));
    EXPECT_EQ(flow->Phase(), GamePhase::Setup);
    EXPECT_EQ(model.Board.At(0, 1), 'S');
}

TEST_F(ClientTest, WhenTheServerGoesTheGameIsOver) {
    Start();
    clientSockets.ServerCloses();
    EXPECT_EQ(Client().State(), ClientState::Closed);
    EXPECT_TRUE(Client().Recipients().empty());
    EXPECT_EQ(flow->Phase(), GamePhase::GameOver);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ClientTest, LeavingSaysDisconnectWithTheName) {
    Connect();
    Client().Disconnect();
    EXPECT_EQ(clientSockets.Take(), "DisconnectBob\r");
    EXPECT_EQ(clientSockets.closes, 1);
    EXPECT_EQ(Client().State(), ClientState::Closed);
    // The local game is not a server's: it is left alone.
    EXPECT_EQ(flow->Phase(), GamePhase::Idle);
}

TEST_F(ClientTest, ATakenNameClosesWithANamelessDisconnect) {
    Connect();
    clientSockets.Feed("ChangeName\r");
    EXPECT_EQ(clientSockets.Take(), "Disconnect\r");
    EXPECT_EQ(Client().State(), ClientState::Closed);
    EXPECT_EQ(Client().OwnName(), "");
    EXPECT_TRUE(Client().Recipients().empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, msg::NameTaken);
    EXPECT_EQ(view.messages[0].second, MessageIcon::Information);
}

TEST_F(ClientTest, ChatGoesToTheServerAndArrivesAsAMessageBox) {
    Connect();
    Client().SendChat("Cid", "see you, Cid");
    Client().SendChat("Server", "");
    EXPECT_EQ(clientSockets.Take(), "GetMessageBob,Cid,see you, Cid\rGetMessageBob,Server,\r");
    clientSockets.Feed("GetMessageCid,hi, Bob\r");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, "Message from: Cid\r>hi, Bob");
}

TEST_F(ClientTest, AChatFloodShowsOneBoxAtATimeAndDropsTheExcess) {
    Connect();
    std::string flood;
    for (int i = 0; i < 100; ++i) flood += "GetMessageCid," + std::to_string(i) + "\r";
    int openAtOnce = 0;
    // While the first box is open, the flood arrives; the boxes queue behind it.
    view.whileMessageOpen = [&] {
        clientSockets.Feed(flood);
        openAtOnce = static_cast<int>(view.messages.size());
    };
    clientSockets.Feed("GetMessageCid,first\r");
    EXPECT_EQ(openAtOnce, 1);
    ASSERT_EQ(view.messages.size(), 1u + net::NetNotices::kMaxQueued);
    EXPECT_EQ(view.messages[1].first, "Message from: Cid\r>0");
    EXPECT_TRUE(Client().IsConnected());
}

TEST_F(ClientTest, HostileServerLinesAreDropped) {
    NewGameContent g = ThreeSeats();
    Connect();
    auto broken = [&](auto change) {
        NewGameContent b = ThreeSeats();
        change(b);
        return net::NewGameLine(b);
    };
    const std::string games[] = {
        broken([](NewGameContent& b) { b.ColCount = 11; }),
        broken([](NewGameContent& b) { b.RowCount = 2; }),
        broken([](NewGameContent& b) { b.ColCount = 5; }),  // 15 cells for 3 seats: not fair
        broken([](NewGameContent& b) { b.InitialWord = "HOTSE"; }),
        broken([](NewGameContent& b) { b.InitialWord = "HOT"; }),
        broken([](NewGameContent& b) { b.InitialWord = "HO?S"; }),  // a joker with none on
        broken([](NewGameContent& b) { b.Directions = "00000000"; }),
        broken([](NewGameContent& b) { b.Directions = "1111"; }),
        broken([](NewGameContent& b) { b.Seats[0].Skill = 8; }),
        broken([](NewGameContent& b) { b.SecMove = 3601; }),
        broken([](NewGameContent& b) { b.WordsPerMove = 0; }),
        broken([](NewGameContent& b) { b.MinWordLen = 9; }),
        // Each just beyond the range the settings file allows.
        broken([](NewGameContent& b) { b.Seats[1].Skill = 0; }),
        broken([](NewGameContent& b) { b.MinWordLen = 1; }),
        broken([](NewGameContent& b) { b.MaxWordLen = 31; }),
        broken([](NewGameContent& b) { b.SecBonus = 901; }),
        broken([](NewGameContent& b) { b.SecFine = -1; }),
        broken([](NewGameContent& b) { b.Seats[2].Name = "Cid "; }),
        broken([](NewGameContent& b) { b.Seats[0].Name = "\x1B[2J"; }),
    };
    for (const std::string& line : games) {
        SCOPED_TRACE(line);
        // A game that cannot be played here is refused with a message, and the client leaves:
        // the server's computer takes the seat instead of waiting for it.
        view.messages.clear();
        clientSockets.Feed(line);
        EXPECT_EQ(model.Settings.Mode, GameMode::General);
        EXPECT_EQ(flow->Phase(), GamePhase::Idle);
        EXPECT_EQ(Client().State(), ClientState::Closed);
        EXPECT_EQ(clientSockets.Take(), "DisconnectBob\r");
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].first, msg::GameRefused);
        Connect();
    }
    // Before any game, game lines mean nothing.
    clientSockets.Feed("UpdateMove1,1,1\rYourMove//\rGetNewMove30,0,0,0,HOT,01:11:21,H,0,2\r");
    EXPECT_EQ(flow->Phase(), GamePhase::Idle);

    clientSockets.Feed(net::NewGameLine(g));
    ASSERT_EQ(flow->Phase(), GamePhase::Setup);
    const std::string moves[] = {
        "UpdateMove5,1,1\r",  // four rounds only
        "UpdateMove1,4,1\r",
        "UpdateMove1,1,2\r",
        "GetNewMove30,0,0,0,HOT,41:11:21,H,4,1\r",  // off the field
        "GetNewMove30,0,0,0,HOT,01:11:21,H,1,1\r",  // a taken cell
        "GetNewMove30,0,0,0,HOT,01:11:71,H,0,2\r",  // a chain off the field
        "GetNewMove30,0,0,0,HOT,01:11:21,h,0,2\r",
        "GetNewMove30,0,0,0,H\xC0T,01:11:21,H,0,2\r",
        "GetNewMove30,0,0,x,HOT,01:11:21,H,0,2\r",
        "Something\r",
    };
    for (const std::string& line : moves) {
        SCOPED_TRACE(line);
        clientSockets.Feed(line);
        EXPECT_EQ(State().Round, 1);
        EXPECT_EQ(State().CurrentSeat, 1);
        EXPECT_EQ(State().LetterCountOnField, 4);
    }
    EXPECT_TRUE(Client().IsConnected());

    // A line with no end in sight ends the connection.
    clientSockets.Feed(std::string(net::kMaxLineLength + 1, 'x'));
    EXPECT_EQ(Client().State(), ClientState::Closed);
    EXPECT_EQ(view.messages.back().first, msg::NetworkError);
}

TEST_F(ClientTest, ARefusedNewGameEndsTheGameInProgress) {
    Start();
    clientSockets.Feed("UpdateMove1,1,1\r");
    ASSERT_EQ(flow->Phase(), GamePhase::Setup);
    // A new game with a name no seat may have, and the first move of that game behind it: the
    // old field must not take that move.
    NewGameContent next = ThreeSeats();
    next.Seats[0].Name = "An,n";
    std::string line = net::NewGameLine(next);
    ASSERT_EQ(line.find("NewGame///3,An,n,"), 0u);
    clientSockets.Feed(line + "UpdateMove1,1,1\rGetNewMove30,0,0,0,HOT,01:11:21,H,0,2\r");
    EXPECT_EQ(flow->Phase(), GamePhase::GameOver);
    EXPECT_EQ(State().LetterCountOnField, 4);
    EXPECT_EQ(Client().State(), ClientState::Closed);
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages.back().first, msg::GameRefused);
}

TEST_F(ClientTest, AServerWithAnotherAlphabetGetsAClearMessage) {
    Connect();
    NewGameContent g = ThreeSeats();
    g.InitialWord = "\xD1\xCB\xCE\xC2";  // cp1251 capitals, for an English dictionary here
    clientSockets.Feed(net::NewGameLine(g));
    EXPECT_EQ(flow->Phase(), GamePhase::Idle);
    EXPECT_EQ(view.letters[0][1], "");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, msg::OtherAlphabet);
    // It leaves, so the server's computer takes the seat.
    EXPECT_EQ(clientSockets.Take(), "DisconnectBob\r");
    EXPECT_EQ(Client().State(), ClientState::Closed);
}

}  // namespace
}  // namespace tq::test
