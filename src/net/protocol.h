// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The network line protocol between one server and its clients. Every message is one line: a
// ten-character command word (the name padded on the right with '/'), the fields separated by ','
// directly behind it, and a carriage return (byte 13, no line feed). Nothing is quoted or escaped.
//
// This file builds lines from values and parses a line into a typed message. A parsed message is
// checked whole: a line with a missing field, a number field that is not a number, or text left
// over is refused as a whole, so a handler never applies half a message. Whether the values fit
// the game (a cell on the field, a letter of the alphabet) is the server's and client's business.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/field.h"
#include "base/names.h"
#include "base/rules.h"
#include "core/net_sender.h"

namespace tq::net {

constexpr uint16_t kGamePort = 16282;
constexpr char kLineEnd = '\r';
constexpr std::size_t kCommandLength = 10;
// The longest line accepted, carriage return not counted. The longest line a game sends, a
// "NewGame///" for five seats, is under 300 bytes; the rest of the bound leaves chat room.
constexpr std::size_t kMaxLineLength = 4096;
// The server's name as a chat sender and recipient.
inline constexpr std::string_view kServerName = "Server";

// The ten command words.
namespace cmd {
inline constexpr std::string_view Connect = "Connect///";
inline constexpr std::string_view Disconnect = "Disconnect";
inline constexpr std::string_view GetMyMove = "GetMyMove/";
inline constexpr std::string_view GetMessage = "GetMessage";
inline constexpr std::string_view ChangeName = "ChangeName";
inline constexpr std::string_view NewGame = "NewGame///";
inline constexpr std::string_view UpdateMove = "UpdateMove";
inline constexpr std::string_view YourMove = "YourMove//";
inline constexpr std::string_view GetNewMove = "GetNewMove";
inline constexpr std::string_view EndGame = "EndGame///";
}  // namespace cmd

// Client names follow the rule of every player's name (base/names.h).
using tq::IsValidName;

// ---- Lines from a client to the server ----

struct ConnectMsg {
    std::string Name;
};
struct DisconnectMsg {
    std::string Name;  // empty from a client that was refused its name
};
// "GetMyMove/": the client's own move. Its chain is read by ParseChain.
struct MyMoveMsg {
    MoveReport Move;
};
struct ChatToServerMsg {
    std::string Sender;
    std::string Recipient;
    std::string Text;  // may hold ','
};
using ClientMessage = std::variant<ConnectMsg, DisconnectMsg, MyMoveMsg, ChatToServerMsg>;

// ---- Lines from the server to a client ----

struct ChangeNameMsg {};
struct NewGameMsg {
    NewGameContent Game;
};
struct UpdateMoveMsg {
    int Round = 0;
    int Seat = 0;
    int MoveWord = 0;
};
struct YourMoveMsg {};
struct NewMoveMsg {
    MoveReport Move;
};
struct ChatFromServerMsg {
    std::string Sender;
    std::string Text;  // may hold ','
};
struct EndGameMsg {};
using ServerMessage = std::variant<ChangeNameMsg, NewGameMsg, UpdateMoveMsg, YourMoveMsg,
                                   NewMoveMsg, ChatFromServerMsg, EndGameMsg>;

// Parse one line, carriage return already removed. Nothing for a line with an unknown command
// word or with fields that do not read as the command's fields.
std::optional<ClientMessage> ParseClientLine(std::string_view line);
std::optional<ServerMessage> ParseServerLine(std::string_view line);

// ---- Building lines (each ends with its carriage return) ----

// A chat text made safe to send: carriage returns become blanks, and the text is cut so that its
// line, with `otherFields` bytes of names beside it, stays within the line bound.
std::string ChatText(std::string_view text, std::size_t otherFields);

std::string ConnectLine(std::string_view name);
std::string DisconnectLine(std::string_view name);
std::string MyMoveLine(const MoveReport& move);
std::string ChatToServerLine(std::string_view sender, std::string_view recipient,
                             std::string_view text);
std::string ChangeNameLine();
std::string NewGameLine(const NewGameContent& game);
std::string UpdateMoveLine(int round, int seat, int moveWord);
std::string YourMoveLine();
std::string NewMoveLine(const MoveReport& move);
std::string ChatFromServerLine(std::string_view sender, std::string_view text);
std::string EndGameLine();

// ---- Reading a connection ----

// The bytes of one connection, cut into lines. Every complete line comes out whole and in order,
// however the bytes were split into reads; an incomplete line waits for its carriage return.
// A line feed right after a carriage return (a peer that ends lines with CR LF) is skipped.
class LineBuffer {
  public:
    explicit LineBuffer(std::size_t maxLine = kMaxLineLength) : maxLine_(maxLine) {}

    // Adds the bytes of one read. Returns false once a line (complete or not) has grown past the
    // bound: the peer is broken or hostile and its connection is to be closed. Lines completed
    // before the long one still come out; nothing after it is taken.
    bool Append(std::string_view bytes);
    // The next complete line without its carriage return, or nothing.
    std::optional<std::string> NextLine();
    bool Overflowed() const { return overflowed_; }
    // Bytes of the incomplete line held.
    std::size_t Pending() const { return partial_.size(); }
    void Clear();

  private:
    std::size_t maxLine_;
    std::string partial_;
    std::deque<std::string> lines_;
    bool overflowed_ = false;
    bool skipLineFeed_ = false;
};

}  // namespace tq::net
