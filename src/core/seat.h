// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The players of a game, one behind each seat: a human at this computer, the computer, or a
// player at another computer. When its turn comes the flow asks the seat for a move; the seat
// answers with a command on the flow, now or later: a human through the window's commands, the
// computer on its wake-up, a player at another computer when its line arrives. The turn logic
// asks the seat, never the game mode, what happens next.

#include <cstdint>
#include <memory>
#include <vector>

#include "base/rules.h"

namespace tq {

class GameFlow;
class NetSender;

// Who answers for a seat.
enum class SeatKind : uint8_t {
    Human,     // a human at this computer, through the window
    Computer,  // the computer player, at the seat's skill
    Remote,    // a player at another computer, through the network
};

class SeatPlayer {
  public:
    virtual ~SeatPlayer() = default;
    virtual SeatKind Kind() const = 0;
    // The seat's turn has opened (the game state names the seat and its turn). The seat sets the
    // phase its move is awaited in and returns; the move comes later as a command.
    virtual void YourTurn(GameFlow& flow, int seat) = 0;
};

// A human at this computer: the letter window, the clicks and Enter make the move.
class LocalHumanSeat final : public SeatPlayer {
  public:
    SeatKind Kind() const override { return SeatKind::Human; }
    void YourTurn(GameFlow& flow, int seat) override;
};

// The computer: it moves on the wake-up it asks for, so the window's events run first.
class ComputerSeat final : public SeatPlayer {
  public:
    SeatKind Kind() const override { return SeatKind::Computer; }
    void YourTurn(GameFlow& flow, int seat) override;
};

// A player at another computer: its move arrives as a line (GameFlow::CommitReceivedMove). This
// one asks for the move through the flow's sender; a server plugs in its own, which knows the
// connection. On a client every seat of the server's is one, and the server's lines open its
// turns: it is never asked here.
class RemoteSeat : public SeatPlayer {
  public:
    SeatKind Kind() const override { return SeatKind::Remote; }
    void YourTurn(GameFlow& flow, int seat) override;

  protected:
    // Tells the player that its move is awaited (the phase is set already).
    virtual void AskMove(GameFlow& flow, int seat);
};

// Who leads a game: draws its initial word, opens every turn and ends it.
enum class GameLead : uint8_t {
    Here,        // this computer, for players at it alone
    HereShared,  // this computer, a server: each step goes out to the players at other computers
    Server,      // the server this computer joined: its lines do
};

// The players of one game, seat 1 first, and who leads it.
struct GameSeats {
    // Shared, so that a player handed over while it is asked stays alive until it returns.
    std::vector<std::shared_ptr<SeatPlayer>> Players;
    GameLead Lead = GameLead::Here;

    bool LedHere() const { return Lead != GameLead::Server; }
};

// The seats the settings ask for: the game mode decides who leads, each seat's type who plays it.
// A seat at another computer is the sender's (NetSender::RemotePlayer) when it gives one.
GameSeats SeatsFromSettings(const GameSettings& s, NetSender& sender);

// Whether a game started here from the settings is led here (not a client's game).
bool LedHereBySettings(const GameSettings& s);

}  // namespace tq
