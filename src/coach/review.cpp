// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach/review.h"

#include "base/random.h"

namespace tq {

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
    GameSettings scored = s;  // ApplyMove credits a seat; these counters are thrown away
    for (std::size_t i = 0; i < game.Moves.size(); ++i) {
        const ReviewGame::PlayedMove& m = game.Moves[i];
        const Cell cell = m.Made.NewCell;
        if (m.Seat < 1 || m.Seat > kMaxSeats || !field.Inside(cell.col, cell.row) ||
            !field.IsEmpty(cell.col, cell.row) || m.Made.Word.empty())
            break;
        state.CurrentSeat = static_cast<uint8_t>(m.Seat);
        if (!reviewed || reviewed(m.Seat)) {
            ReviewRow row;
            row.Index = static_cast<int>(i);
            row.Seat = m.Seat;
            row.Played = m.Made;
            row.Points = WordPointsOf(m.Made.Word);
            row.Best = BestMove(computer, field, s, state, dict);
            row.BestPoints = WordPointsOf(row.Best.Word);
            row.Hint = m.Hint;
            SeatReview& seat = seats[m.Seat];
            seat.Seat = m.Seat;
            seat.Name = s.Seat(m.Seat).Name;
            seat.Points += row.Points;
            seat.BestPoints += row.BestPoints;
            seat.Hints += m.Hint ? 1 : 0;
            ++seat.Moves;
            review.Rows.push_back(std::move(row));
        }
        ApplyMove(field, state, scored.Seat(m.Seat), m.Made, m.Source, 0);
        review.Replayed = i + 1;
    }
    for (const SeatReview& seat : seats)
        if (seat.Moves > 0) review.Seats.push_back(seat);
    return review;
}

std::string MadeOfText(const SeatReview& seat) {
    return "you made " + std::to_string(seat.Points) + " of " + std::to_string(seat.BestPoints) +
           " possible points";
}

}  // namespace tq
