// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach/review_recorder.h"

namespace tq {

void ReviewRecorder::GameStarted(const GameStartedEvent& e) {
    game_ = ReviewGame{};
    game_.Settings = model_.Settings;
    game_.DrawnWord = e.DrawnWord;
    game_.PlacedWord = e.PlacedWord;
    hintPending_.fill(false);
    started_ = true;
    ended_ = false;
}

void ReviewRecorder::MovePlayed(const MovePlayedEvent& e) {
    ReviewGame::PlayedMove m;
    m.Seat = e.Seat;
    m.Source = e.Source;
    m.Made.Word = e.Report.Word;
    m.Made.Letter = e.Report.Letter;
    m.Made.NewCell = Cell{e.Report.Col, e.Report.Row};
    m.Made.Chain = e.Path;
    m.Points = e.Points;
    if (e.Seat >= 1 && e.Seat <= kMaxSeats) {
        m.Hint = hintPending_[e.Seat];
        hintPending_[e.Seat] = false;
    }
    game_.Moves.push_back(std::move(m));
}

void ReviewRecorder::GameEnded(const GameEndedEvent&) {
    ended_ = true;
}

void ReviewRecorder::NoteHint(int seat) {
    if (seat >= 1 && seat <= kMaxSeats) hintPending_[seat] = true;
}

}  // namespace tq
