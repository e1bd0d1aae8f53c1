// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach/review.h"

#include <algorithm>

#include "base/chain_rules.h"
#include "base/random.h"

namespace tq {

namespace {

// Why a move does not fit the field before it; empty when it does. A word must be read by its
// chain, a legal chain of the field through the move's new cell.
std::string MisfitOf(const Field& field, const GameRules& rules, const Move& move,
                     const std::optional<std::string>& unreadChain) {
    const Cell cell = move.NewCell;
    if (move.Word.empty()) return "it holds no word and no letter";
    if (!field.Inside(cell.col, cell.row))
        return "its cell (column " + std::to_string(cell.col) + ", row " +
               std::to_string(cell.row) + ") is off the field";
    if (!field.IsEmpty(cell.col, cell.row)) return "its cell " + CellCode(cell) + " is taken";
    if (!move.FormsWord()) return {};
    if (unreadChain) return "its chain \"" + *unreadChain + "\" is not a chain of cell codes";
    const std::vector<Cell>& cells = move.Chain;
    if (cells.empty()) return "its chain \"\" is not a chain of cell codes";
    if (std::find(cells.begin(), cells.end(), cell) == cells.end())
        return "its chain " + ChainText(cells) + " does not pass its new cell " + CellCode(cell);
    if (!IsLegalChain(field, rules, cells, cell))
        return "its chain " + ChainText(cells) + " is not a chain of the field";
    bool reads = cells.size() == move.Word.size();
    for (std::size_t i = 0; reads && i < cells.size(); ++i) {
        const Cell c = cells[i];
        const char on = c == cell ? move.Letter : field.At(c);
        reads = on == kJoker || on == move.Word[i];
    }
    if (!reads) {
        const std::string read = ChainWord(field, cells, cell, move.Letter);
        return "its chain " + ChainText(cells) + " reads " + read + ", not " + move.Word;
    }
    return {};
}

}  // namespace

void ReadChain(ReviewGame::PlayedMove& move, const std::string& text) {
    if (std::optional<std::vector<Cell>> cells = ParseChain(text)) {
        move.Made.Chain = std::move(*cells);
        move.UnreadChain.reset();
    } else {
        move.Made.Chain.clear();
        move.UnreadChain = text;
    }
}

Move BestMove(const ComputerPlayer& computer, const Field& field, const GameSettings& settings,
              const GameState& state, const TDictInfo& dict) {
    GameSettings seven = settings;
    int seat = state.CurrentSeat;
    if (seat < 1 || seat > kMaxSeats) seat = 1;
    seven.Seat(seat).Skill = 7;
    Random rng(kBestMoveSeed);
    Move move = computer.ChooseMove(field, seven, state, dict, rng);
    if (!move.FormsWord()) return {};
    return move;
}

Review ReviewOf(const ComputerPlayer& computer, const TDictInfo& dict, const ReviewGame& game,
                const std::function<bool(int seat)>& reviewed) {
    const GameSettings& s = game.Settings;
    Review review;
    const int cols = s.ColCount;
    const int rows = s.RowCount;
    if (cols < 1 || rows < 1 || cols > kMaxFieldSide || rows > kMaxFieldSide) return review;

    Field field(cols, rows);
    GameState state;
    const int middle = (rows - 1) / 2;
    for (int c = 0; c < cols && c < static_cast<int>(game.PlacedWord.size()); ++c) {
        field.Set(c, middle, game.PlacedWord[c]);
        state.FieldLetters += game.PlacedWord[c];
    }
    state.LetterCountOnField = static_cast<uint8_t>(state.FieldLetters.size());
    state.UsedWords.Add(game.DrawnWord);

    std::vector<SeatReview> seats(kMaxSeats + 1);
    for (std::size_t i = 0; i < game.Moves.size(); ++i) {
        const ReviewGame::PlayedMove& m = game.Moves[i];
        review.Misfit = m.Seat < 1 || m.Seat > kMaxSeats
                            ? "its seat " + std::to_string(m.Seat) + " is not a seat of the game"
                            : MisfitOf(field, s, m.Made, m.UnreadChain);
        if (!review.Misfit.empty()) break;
        state.CurrentSeat = static_cast<uint8_t>(m.Seat);
        if (!reviewed || reviewed(m.Seat)) {
            ReviewRow row;
            row.Index = static_cast<int>(i);
            row.Seat = m.Seat;
            row.Played = m.Made;
            row.Points = m.Points;
            row.WordPoints = WordPointsOf(m.Made.Word);
            row.Best = BestMove(computer, field, s, state, dict);
            row.BestPoints = WordPointsOf(row.Best.Word);
            row.Hint = m.Hint;
            row.Before = field;
            SeatReview& seat = seats[m.Seat];
            seat.Seat = m.Seat;
            seat.Name = s.Seat(m.Seat).Name;
            seat.Points += row.Points;
            seat.WordPoints += row.WordPoints;
            seat.BestPoints += row.BestPoints;
            seat.Hints += m.Hint ? 1 : 0;
            ++seat.Moves;
            review.Rows.push_back(std::move(row));
        }
        // The replayed state keeps the seats' counters; the review counts its own.
        ApplyMove(field, state, state.Score(m.Seat), m.Made, m.Source, 0);
        review.Replayed = i + 1;
    }
    for (const SeatReview& seat : seats)
        if (seat.Moves > 0) review.Seats.push_back(seat);
    return review;
}

std::string MadeOfText(const SeatReview& seat) {
    return "words made " + std::to_string(seat.WordPoints) + " of " +
           std::to_string(seat.BestPoints) + " possible word points";
}

}  // namespace tq
