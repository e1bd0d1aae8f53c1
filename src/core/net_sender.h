// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game logic hands to the network side. In a general game nothing is sent
// (NullSender); the server and the client implement it over their sockets.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/field.h"
#include "base/rules.h"
#include "core/seat.h"

namespace tq {

// The content of "NewGame///": the seats, the placed initial word and the rules every computer
// of the game shares.
struct NewGameContent : GameRules {
    uint8_t Count = 2;
    struct Seat {
        std::string Name;
        uint32_t Color = 0;
        PlayerType Type = PlayerType::Computer;
        uint8_t Skill = 2;
    };
    std::vector<Seat> Seats;  // the seats in play
    std::string InitialWord;  // as placed, with its '?'
};

// A move report ("GetNewMove" to client seats, "GetMyMove/" to the server), in its order.
struct MoveReport {
    int32_t WordPoints = 0;
    int32_t BonusPoints = 0;
    int32_t FinePoints = 0;
    int16_t TimeAward = 0;
    std::string Word;
    std::vector<Cell> Chain;  // the move's chain (see Move::Chain)
    // The line writes the chain without its final ':', as a computer seat's chain has always been
    // sent; a human's keeps it.
    bool BareChain = false;
    char Letter = '-';
    int Col = 0;
    int Row = 0;
};

class NetSender {
  public:
    virtual ~NetSender() = default;
    virtual void SendNewGame(const NewGameContent&) {}
    virtual void SendUpdateMove(int /*round*/, int /*seat*/, int /*moveWord*/) {}
    // "YourMove//" to the client bearing this seat name; nothing when none does.
    virtual void SendYourMove(const std::string& /*seatName*/) {}
    virtual void SendEndGame() {}
    // A move of CurrentSeat, to every client seat but the mover's own (server): a move made here,
    // or a client's move passed on to the others.
    virtual void SendNewMove(const MoveReport&) {}
    // This computer's move, to the server (client).
    virtual void SendMyMove(const MoveReport&) {}
    // The player of a seat at another computer in a game this computer leads: the server's own,
    // which knows the client's connection. Null leaves the seat to a plain RemoteSeat, which asks
    // for its moves with SendYourMove.
    virtual std::unique_ptr<SeatPlayer> RemotePlayer(const std::string& /*seatName*/) {
        return nullptr;
    }
};

// The sender of a general game: sends nothing.
class NullSender final : public NetSender {};

}  // namespace tq
