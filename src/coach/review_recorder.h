// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes down the game for its review as the game events tell it: the rules and seats at its
// start, the initial word and every move this computer saw, with the hints each seat took.

#include <array>

#include "coach/review.h"
#include "core/game_events.h"
#include "core/game_model.h"

namespace tq {

class ReviewRecorder : public GameEvents {
  public:
    // Reads the model's settings when a game starts. Subscribe it to the game flow before the
    // game starts.
    explicit ReviewRecorder(const GameModel& model) : model_(model) {}

    void GameStarted(const GameStartedEvent& e) override;
    void MovePlayed(const MovePlayedEvent& e) override;
    void GameEnded(const GameEndedEvent& e) override;

    // The seat was shown a hint for its coming move: that move is marked in the review.
    void NoteHint(int seat);

    const ReviewGame& Game() const { return game_; }
    bool Started() const { return started_; }
    bool Ended() const { return ended_; }

  private:
    const GameModel& model_;
    ReviewGame game_;
    std::array<bool, kMaxSeats + 1> hintPending_{};
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace tq
