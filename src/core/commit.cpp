// SPDX-License-Identifier: GPL-3.0-or-later
// The one path every move takes, whoever made it: a human here, a computer seat, or a human at
// another computer whose move arrived over the network.

#include <algorithm>

#include "core/game_flow.h"

namespace tq {

void GameFlow::CommitMove(const Move& move, MoveSource source, int16_t timeAward,
                          const MoveReport* received) {
    GameState& st = model_.State;
    SeatScore& seat = st.Score(st.CurrentSeat);
    ApplyMove(model_.Board, st, seat, move, source, timeAward);
    if (received) {
        seat.WordPoints = received->WordPoints;
        seat.BonusPoints = received->BonusPoints;
        seat.FinePoints = received->FinePoints;
    }
    st.MarkedPath = move.Chain;
    // A human here has marked the chain already; other moves are marked as they are shown.
    ShowWord(move.Word, move.Letter, move.NewCell, source != MoveSource::Human);

    const MoveReport report = Report(move, source);
    switch (seats_.Lead) {
        case GameLead::Server:
            if (source == MoveSource::Human) sender_->SendMyMove(report);
            break;
        case GameLead::HereShared:
            sender_->SendNewMove(report);
            break;
        case GameLead::Here:
            break;
    }

    MovePlayedEvent played;
    played.Source = source;
    played.Round = st.Round;
    played.Seat = st.CurrentSeat;
    played.MoveWord = st.MoveWord;
    played.ResultRow = ResultRow();
    played.Points = WordPointsOf(move.Word) + st.TimeAward;
    played.Path = st.MarkedPath;
    played.Report = report;
    Notify(&GameEvents::MovePlayed, played);
}

Status GameFlow::CommitReceivedMove(const MoveReport& report) {
    if (seats_.Lead == GameLead::Here) return Status::Error("No network game is running.");
    const bool ledHere = seats_.LedHere();
    // Led here, only the move of the seat at another computer that is asked for now.
    if (ledHere &&
        (Phase() != GamePhase::AwaitRemote || KindOf(model_.State.CurrentSeat) != SeatKind::Remote))
        return Status::Error("No move of another computer is awaited.");
    const Cell cell{report.Col, report.Row};
    if (!InField(cell) || !model_.Board.IsEmpty(cell.col, cell.row))
        return Status::Error("The move's cell is not an empty cell of the field.");
    if (!model_.Dict.IsLetter(static_cast<unsigned char>(report.Letter)))
        return Status::Error("The move's letter is not a letter of the dictionary.");
    if (report.Word.empty() || report.Word.size() > kMaxWordLength)
        return Status::Error("The move's word is empty or too long.");

    if (ledHere) SetPhase(GamePhase::MoveDone);
    CommitMove(Move{report.Word, report.Letter, cell, report.Chain}, MoveSource::Remote,
               report.TimeAward, &report);
    if (ledHere) EndOfMove();
    return Status::Ok();
}

MoveReport GameFlow::Report(const Move& move, MoveSource source) const {
    const SeatScore& seat = model_.State.Score(model_.State.CurrentSeat);
    MoveReport r;
    r.WordPoints = seat.WordPoints;
    r.BonusPoints = seat.BonusPoints;
    r.FinePoints = seat.FinePoints;
    r.TimeAward = model_.State.TimeAward;
    r.Word = move.Word;
    r.Chain = move.Chain;
    r.BareChain = source == MoveSource::Computer;
    r.Letter = move.Letter;
    r.Col = move.NewCell.col;
    r.Row = move.NewCell.row;
    return r;
}

void GameFlow::Subscribe(GameEvents& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
        observers_.push_back(&observer);
}

void GameFlow::Unsubscribe(GameEvents& observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer),
                     observers_.end());
}

template <class Event>
void GameFlow::Notify(void (GameEvents::*handler)(const Event&), const Event& event) {
    // A copy, so that an observer may unsubscribe while it is told.
    const std::vector<GameEvents*> observers = observers_;
    for (GameEvents* o : observers)
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
            (o->*handler)(event);
}

template void GameFlow::Notify(void (GameEvents::*)(const GameStartedEvent&),
                               const GameStartedEvent&);
template void GameFlow::Notify(void (GameEvents::*)(const MovePlayedEvent&),
                               const MovePlayedEvent&);
template void GameFlow::Notify(void (GameEvents::*)(const GameEndedEvent&), const GameEndedEvent&);

}  // namespace tq
