// SPDX-License-Identifier: GPL-3.0-or-later
// The line protocol: building lines byte for byte, reading them back into typed messages, refusing
// malformed lines whole, and cutting a connection's bytes into lines.

#include "net/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/chain_rules.h"

namespace tq::net {
namespace {

MoveReport SampleMove() {
    MoveReport m;
    m.WordPoints = 30;
    m.BonusPoints = 2;
    m.FinePoints = 0;
    m.TimeAward = 2;
    m.Word = "HOT";
    m.Chain = {{1, 0}, {1, 1}, {2, 1}};
    m.Letter = 'T';
    m.Col = 2;
    m.Row = 1;
    return m;
}

void ExpectSameMove(const MoveReport& a, const MoveReport& b) {
    EXPECT_EQ(a.WordPoints, b.WordPoints);
    EXPECT_EQ(a.BonusPoints, b.BonusPoints);
    EXPECT_EQ(a.FinePoints, b.FinePoints);
    EXPECT_EQ(a.TimeAward, b.TimeAward);
    EXPECT_EQ(a.Word, b.Word);
    EXPECT_EQ(a.Chain, b.Chain);
    EXPECT_EQ(a.BareChain, b.BareChain);
    EXPECT_EQ(a.Letter, b.Letter);
    EXPECT_EQ(a.Col, b.Col);
    EXPECT_EQ(a.Row, b.Row);
}

std::string Unterminated(std::string line) {
    EXPECT_EQ(line.back(), '\r');
    line.pop_back();
    return line;
}

NewGameContent SampleGame(int count) {
    NewGameContent g;
    g.Count = static_cast<uint8_t>(count);
    const char* names[] = {"Ann", "Bob", "Cid", "Dee", "\xC8\xE2\xE0\xED"};  // the last: cp1251
    for (int i = 0; i < count; ++i)
        g.Seats.push_back({names[i], kDefaultSeatColors[i], static_cast<PlayerType>(i % 3),
                           static_cast<uint8_t>(i + 1)});
    g.ColCount = 6;
    g.RowCount = 5;
    g.InitialWord = "HO?SES";
    g.WordsPerMove = 2;
    g.MinWordLen = 3;
    g.MaxWordLen = 12;
    g.Directions = "11111111";
    g.UseJoker = true;
    g.AllowCrossings = false;
    g.AllowExWords = true;
    g.SecMove = 120;
    g.SecFine = 40;
    g.SecBonus = 30;
    g.AcceptAllWords = true;
    return g;
}

TEST(ProtocolTest, BuildsEveryLineByteForByte) {
    EXPECT_EQ(ConnectLine("Ann"), "Connect///Ann\r");
    EXPECT_EQ(DisconnectLine(""), "Disconnect\r");
    EXPECT_EQ(ChangeNameLine(), "ChangeName\r");
    EXPECT_EQ(YourMoveLine(), "YourMove//\r");
    EXPECT_EQ(EndGameLine(), "EndGame///\r");
    EXPECT_EQ(UpdateMoveLine(12, 3, 1), "UpdateMove12,3,1\r");
    EXPECT_EQ(ChatToServerLine("Ann", "Server", "hi, there"), "GetMessageAnn,Server,hi, there\r");
    EXPECT_EQ(ChatFromServerLine("Server", ""), "GetMessageServer,\r");
    EXPECT_EQ(MyMoveLine(SampleMove()), "GetMyMove/30,2,0,2,HOT,10:11:21:,T,2,1\r");
    MoveReport fined = SampleMove();
    fined.FinePoints = 3;
    fined.TimeAward = -3;
    fined.BareChain = true;  // a computer's chain is sent without its final ':'
    fined.Chain = {{1, 0}, {1, 1}, {2, 1}};
    EXPECT_EQ(NewMoveLine(fined), "GetNewMove30,2,3,-3,HOT,10:11:21,T,2,1\r");
    EXPECT_EQ(
        NewGameLine(SampleGame(2)),
        "NewGame///2,Ann,128,0,1,Bob,32768,1,2,6,5,HO?SES,2,3,12,11111111,1,0,1,120,40,30,1\r");
}

TEST(ProtocolTest, MoveFieldsReadBackInBothDirections) {
    const auto mine = ParseClientLine(Unterminated(MyMoveLine(SampleMove())));
    ASSERT_TRUE(mine && std::holds_alternative<MyMoveMsg>(*mine));
    ExpectSameMove(std::get<MyMoveMsg>(*mine).Move, SampleMove());

    const auto theirs = ParseServerLine(Unterminated(NewMoveLine(SampleMove())));
    ASSERT_TRUE(theirs && std::holds_alternative<NewMoveMsg>(*theirs));
    ExpectSameMove(std::get<NewMoveMsg>(*theirs).Move, SampleMove());

    // A move line is not a command of the other direction.
    EXPECT_FALSE(ParseServerLine(Unterminated(MyMoveLine(SampleMove()))));
    EXPECT_FALSE(ParseClientLine(Unterminated(NewMoveLine(SampleMove()))));
}

TEST(ProtocolTest, ChainsReadInStepsOfThree) {
    struct Case {
        const char* chain;
        std::vector<Cell> cells;  // empty: refused
    };
    const Case cases[] = {
        {"10:11:21:", {{1, 0}, {1, 1}, {2, 1}}},
        {"10:11:21", {{1, 0}, {1, 1}, {2, 1}}},  // a computer's chain, no final ':'
        {"21", {{2, 1}}},                        // a letter placed alone
        {"21:", {{2, 1}}},
        {"99:00", {{9, 9}, {0, 0}}},
        {"", {}},
        {"1", {}},
        {"10:1", {}},
        {"1a:", {}},
        {"10::11", {}},
        {"10;11;21", {}},  // a step of two digits, but not parted by ':'

        {"-1:", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chain);
        const auto cells = ParseChain(c.chain);
        if (c.cells.empty()) {
            EXPECT_FALSE(cells);
        } else {
            ASSERT_TRUE(cells);
            EXPECT_EQ(*cells, c.cells);
        }
    }
    // Both forms give the same move, which is passed on with the final ':'.
    std::string line = Unterminated(NewMoveLine(SampleMove()));
    line.replace(line.find("10:11:21:"), 9, "10:11:21");
    const auto move = ParseServerLine(line);
    ASSERT_TRUE(move);
    ExpectSameMove(std::get<NewMoveMsg>(*move).Move, SampleMove());
    EXPECT_EQ(NewMoveLine(std::get<NewMoveMsg>(*move).Move), NewMoveLine(SampleMove()));
}

TEST(ProtocolTest, NewGameHoldsFifteenPlusFourFieldsPerSeat) {
    for (int count = 2; count <= 5; ++count) {
        SCOPED_TRACE(count);
        const std::string line = NewGameLine(SampleGame(count));
        EXPECT_EQ(std::count(line.begin(), line.end(), ',') + 1, 15 + 4 * count);
        const auto msg = ParseServerLine(Unterminated(line));
        ASSERT_TRUE(msg && std::holds_alternative<NewGameMsg>(*msg));
        const NewGameContent& g = std::get<NewGameMsg>(*msg).Game;
        const NewGameContent want = SampleGame(count);
        EXPECT_EQ(g.Count, want.Count);
        ASSERT_EQ(g.Seats.size(), want.Seats.size());
        for (std::size_t i = 0; i < g.Seats.size(); ++i) {
            EXPECT_EQ(g.Seats[i].Name, want.Seats[i].Name);
            EXPECT_EQ(g.Seats[i].Color, want.Seats[i].Color);
            EXPECT_EQ(g.Seats[i].Type, want.Seats[i].Type);
            EXPECT_EQ(g.Seats[i].Skill, want.Seats[i].Skill);
        }
        EXPECT_EQ(g.ColCount, 6);
        EXPECT_EQ(g.RowCount, 5);
        EXPECT_EQ(g.InitialWord, "HO?SES");
        EXPECT_EQ(g.WordsPerMove, 2);
        EXPECT_EQ(g.MinWordLen, 3);
        EXPECT_EQ(g.MaxWordLen, 12);
        EXPECT_EQ(g.Directions, "11111111");
        EXPECT_TRUE(g.UseJoker);
        EXPECT_FALSE(g.AllowCrossings);
        EXPECT_TRUE(g.AllowExWords);
        EXPECT_EQ(g.SecMove, 120);
        EXPECT_EQ(g.SecFine, 40);  // SecFine travels before SecBonus
        EXPECT_EQ(g.SecBonus, 30);
        EXPECT_TRUE(g.AcceptAllWords);
    }
}

TEST(ProtocolTest, OnlyOneIsTrueAndSystemColoursTravelSigned) {
    // A system colour (high byte 0xFF) goes out as a negative number and reads back; booleans
    // other than "1" read as false.
    NewGameContent g = SampleGame(2);
    g.Seats[0].Color = 0xFF00000Fu;
    std::string line = Unterminated(NewGameLine(g));
    EXPECT_NE(line.find(",-16777201,"), std::string::npos);
    line.back() = 'x';  // AcceptAllWords
    const auto msg = ParseServerLine(line);
    ASSERT_TRUE(msg);
    EXPECT_EQ(std::get<NewGameMsg>(*msg).Game.Seats[0].Color, 0xFF00000Fu);
    EXPECT_FALSE(std::get<NewGameMsg>(*msg).Game.AcceptAllWords);
    // The unsigned form of a colour reads as well.
    line.replace(line.find("-16777201"), 9, "4278190095");
    EXPECT_TRUE(ParseServerLine(line));
}

TEST(ProtocolTest, ChatTextKeepsItsCommas) {
    const auto toServer = ParseClientLine(Unterminated(ChatToServerLine("Ann", "Bob", "a,b,,c,")));
    ASSERT_TRUE(toServer && std::holds_alternative<ChatToServerMsg>(*toServer));
    EXPECT_EQ(std::get<ChatToServerMsg>(*toServer).Sender, "Ann");
    EXPECT_EQ(std::get<ChatToServerMsg>(*toServer).Recipient, "Bob");
    EXPECT_EQ(std::get<ChatToServerMsg>(*toServer).Text, "a,b,,c,");

    const auto toClient = ParseServerLine(Unterminated(ChatFromServerLine("Ann", "x, y")));
    ASSERT_TRUE(toClient && std::holds_alternative<ChatFromServerMsg>(*toClient));
    EXPECT_EQ(std::get<ChatFromServerMsg>(*toClient).Sender, "Ann");
    EXPECT_EQ(std::get<ChatFromServerMsg>(*toClient).Text, "x, y");

    const auto empty = ParseClientLine("GetMessageAnn,Server,");
    ASSERT_TRUE(empty);
    EXPECT_EQ(std::get<ChatToServerMsg>(*empty).Text, "");
}

TEST(ProtocolTest, MalformedLinesAreRefusedWhole) {
    const std::string game = Unterminated(NewGameLine(SampleGame(3)));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string line = game;
        line.replace(line.find(from), from.size(), to);
        return line;
    };
    const std::string serverLines[] = {
        "GetNewMove30,2,0,2,HOT,10:11:21:,T,2",             // a field missing
        "GetNewMove30,2,0,2,HOT,10:11:21:,T,2,1,7",         // one too many
        "GetNewMovex0,2,0,2,HOT,10:11:21:,T,2,1",           // word points not a number
        "GetNewMove30,2,0,2,HOT,10:11:21:,T,2,1a",          // row not a number
        "GetNewMove30,2,0,,HOT,10:11:21:,T,2,1",            // empty award
        "GetNewMove30,2,0,40000,HOT,10:11:21:,T,2,1",       // award beyond 16 bits
        "GetNewMove99999999999,2,0,2,HOT,10:11:21:,T,2,1",  // beyond 32 bits
        "GetNewMove30,2,0,2,HOT,1x:11:21:,T,2,1",           // a chain of no cells
        "GetNewMove30,2,0,2,HOT,10:11:21:,,2,1",            // no letter
        "GetNewMove30,2,0,2,,10:11:21:,T,2,1",              // no word
        "GetNewMove30,2,0,+2,HOT,10:11:21:,T,2,1",
        "GetNewMove30,2,0,--2,HOT,10:11:21:,T,2,1",
        "UpdateMove3,2",
        "UpdateMove3,12,1",  // a seat is one character
        "UpdateMovex,2,1",
        "UpdateMove3,2,1,",
        "YourMove//now",
        "EndGame///x",
        "GetMessageServer",  // no text field
        "NewGame///",
        "Newgame///2",
        "Update",
        "",
        "\n",
        replaced("NewGame///3", "NewGame///6"),
        replaced("NewGame///3", "NewGame///1"),
        replaced("NewGame///3", "NewGame///4"),  // four seats, the fields of three
        replaced(",Bob,32768,1,", ",Bob,green,1,"),
        replaced(",Bob,32768,1,", ",Bob,32768,3,"),  // no seat type 3
        replaced(",Bob,32768,1,2,", ",Bob,32768,1,22,"),
        replaced(",6,5,HO?SES,", ",6,x5,HO?SES,"),
        replaced(",6,5,HO?SES,", ",600,5,HO?SES,"),
        replaced(",120,40,30,", ",120,4o,30,"),
        game + ",1",
        game.substr(0, game.size() - 2),
    };
    for (const std::string& line : serverLines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseServerLine(line));
    }
    const std::string clientLines[] = {
        "GetMyMove/30,2,0,2,HOT,10:11:21:,T,2,one",
        "GetMyMove/30,2,0,2,HOT,10:11:21:,T",
        "GetMessageAnn,Server",  // no text field
        "GetMessageAnn",
        "Connect//",
        "connect///Ann",
        "ChangeName",  // a server's command
        "EndGame///",
    };
    for (const std::string& line : clientLines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseClientLine(line));
    }
    EXPECT_TRUE(ParseServerLine(game));
}

TEST(ProtocolTest, NamesRefuseCommasAndControlCharacters) {
    EXPECT_TRUE(IsValidName("A"));
    EXPECT_TRUE(IsValidName("Twelve chars"));
    EXPECT_TRUE(IsValidName("\xC8\xE2\xE0\xED"));
    EXPECT_FALSE(IsValidName(""));
    EXPECT_FALSE(IsValidName("Thirteen char"));
    EXPECT_FALSE(IsValidName("Ann,Bob"));
    EXPECT_FALSE(IsValidName("Ann\r"));
    EXPECT_FALSE(IsValidName(std::string("A\0n", 3)));
}

std::vector<std::string> Drain(LineBuffer& b) {
    std::vector<std::string> lines;
    while (auto line = b.NextLine()) lines.push_back(*line);
    return lines;
}

TEST(LineBufferTest, ThreeLinesInOneReadComeOutInOrder) {
    LineBuffer b;
    const std::string read = NewGameLine(SampleGame(2)) + UpdateMoveLine(1, 1, 1) + YourMoveLine();
    ASSERT_TRUE(b.Append(read));
    const auto lines = Drain(b);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<NewGameMsg>(*ParseServerLine(lines[0])));
    EXPECT_TRUE(std::holds_alternative<UpdateMoveMsg>(*ParseServerLine(lines[1])));
    EXPECT_TRUE(std::holds_alternative<YourMoveMsg>(*ParseServerLine(lines[2])));
    EXPECT_EQ(b.Pending(), 0u);
}

TEST(LineBufferTest, LinesSplitAcrossReadsWaitForTheirCarriageReturn) {
    const std::string stream = ConnectLine("Ann") + ChatToServerLine("Ann", "Server", "hi, all") +
                               MyMoveLine(SampleMove());
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 13u, 64u}) {
        SCOPED_TRACE(chunk);
        LineBuffer b;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < stream.size(); i += chunk) {
            ASSERT_TRUE(b.Append(std::string_view(stream).substr(i, chunk)));
            for (auto& l : Drain(b)) lines.push_back(l);
        }
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Connect///Ann");
        EXPECT_EQ(lines[1], "GetMessageAnn,Server,hi, all");
        EXPECT_EQ(lines[2], Unterminated(MyMoveLine(SampleMove())));
    }
    LineBuffer b;
    ASSERT_TRUE(b.Append("YourMo"));
    EXPECT_FALSE(b.NextLine());
    EXPECT_EQ(b.Pending(), 6u);
}

TEST(LineBufferTest, LineFeedsBehindCarriageReturnsAreSkipped) {
    LineBuffer b;
    ASSERT_TRUE(b.Append("EndGame///\r"));
    ASSERT_TRUE(b.Append("\nYourMove//\r\nUpdateMove1,2,1\r\n"));
    EXPECT_EQ(Drain(b), (std::vector<std::string>{"EndGame///", "YourMove//", "UpdateMove1,2,1"}));
}

TEST(LineBufferTest, AnOverlongLineOverflowsTheBound) {
    LineBuffer b(16);
    ASSERT_TRUE(b.Append("EndGame///\r0123456789"));
    ASSERT_TRUE(b.Append("012345"));  // 16 bytes pending: still within
    EXPECT_FALSE(b.Append("6"));
    EXPECT_TRUE(b.Overflowed());
    EXPECT_FALSE(b.Append("\r"));
    // The line before the long one still comes out; nothing after it.
    EXPECT_EQ(Drain(b), (std::vector<std::string>{"EndGame///"}));

    // A whole line longer than the bound in one read overflows too, and a flood without any
    // carriage return is cut off at the bound, never held whole.
    LineBuffer whole(16);
    EXPECT_FALSE(whole.Append(std::string(17, 'x') + "\r"));
    LineBuffer flood;
    EXPECT_FALSE(flood.Append(std::string(1 << 20, 'x')));
    EXPECT_EQ(flood.Pending(), 0u);
}

}  // namespace
}  // namespace tq::net
