// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seat.h"

#include "core/game_flow.h"
#include "core/net_sender.h"

namespace tq {

void LocalHumanSeat::YourTurn(GameFlow& flow, int /*seat*/) {
    flow.OpenHumanMove();
}

void ComputerSeat::YourTurn(GameFlow& flow, int /*seat*/) {
    flow.OpenComputerMove();
}

void RemoteSeat::YourTurn(GameFlow& flow, int seat) {
    flow.SetPhase(GamePhase::AwaitRemote);
    AskMove(flow, seat);
}

void RemoteSeat::AskMove(GameFlow& flow, int seat) {
    flow.Sender().SendYourMove(flow.Model().Settings.Seat(seat).Name);
}

bool LedHereBySettings(const GameSettings& s) {
    return s.Mode != GameMode::Client;
}

GameSeats SeatsFromSettings(const GameSettings& s, NetSender& sender) {
    GameSeats seats;
    seats.Lead = s.Mode == GameMode::Client   ? GameLead::Server
                 : s.Mode == GameMode::Server ? GameLead::HereShared
                                              : GameLead::Here;
    for (int n = 1; n <= s.Count; ++n) {
        std::unique_ptr<SeatPlayer> player;
        if (!seats.LedHere()) {
            // A client's game comes from the server, which leads every seat; the own seat's turn
            // opens on the server's word.
            player = std::make_unique<RemoteSeat>();
        } else {
            switch (s.Seat(n).Type) {
                case PlayerType::Human:
                    player = std::make_unique<LocalHumanSeat>();
                    break;
                case PlayerType::Computer:
                    player = std::make_unique<ComputerSeat>();
                    break;
                case PlayerType::Client:
                    player = sender.RemotePlayer(s.Seat(n).Name);
                    if (!player) player = std::make_unique<RemoteSeat>();
                    break;
            }
        }
        if (!player) player = std::make_unique<ComputerSeat>();
        seats.Players.push_back(std::move(player));
    }
    return seats;
}

}  // namespace tq
