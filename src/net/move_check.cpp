// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/move_check.h"

#include <algorithm>
#include <cstdlib>

#include "base/chain_rules.h"
#include "base/move.h"
#include "computer/reference_search.h"
#include "net/protocol.h"
#include "settings/settings_schema.h"

namespace tq::net {

namespace {

bool OnField(const GameModel& model, int col, int row) {
    const GameSettings& s = model.Settings;
    return col >= 0 && row >= 0 && col < s.ColCount && row < s.RowCount &&
           model.Board.Inside(col, row);
}

bool AllLetters(const TDictInfo& dict, std::string_view word) {
    return std::all_of(word.begin(), word.end(),
                       [&](char c) { return dict.IsLetter(static_cast<unsigned char>(c)); });
}

// The largest bonus a move can earn: every second of the clock left.
int32_t MaxBonus(const GameSettings& s) {
    if (s.SecMove == 0 || s.SecBonus <= 0) return 0;
    return s.SecMove / s.SecBonus;
}

}  // namespace

bool IsApplicableMove(const GameModel& model, const MoveReport& move) {
    if (!OnField(model, move.Col, move.Row)) return false;
    if (!model.Board.IsEmpty(move.Col, move.Row)) return false;
    if (!model.Dict.IsLetter(static_cast<unsigned char>(move.Letter))) return false;
    if (move.Chain.empty()) return false;
    for (const Cell c : move.Chain)
        if (!OnField(model, c.col, c.row)) return false;
    return !move.Word.empty() && AllLetters(model.Dict, move.Word);
}

bool IsLegalRemoteMove(const GameModel& model, const MoveReport& move) {
    if (!IsApplicableMove(model, move)) return false;
    const GameSettings& s = model.Settings;
    const GameState& st = model.State;
    const Cell cell{move.Col, move.Row};
    if (!CanPutLetter(model.Board, s, cell)) return false;

    const std::vector<Cell>& cells = move.Chain;
    if (cells.size() != move.Word.size()) return false;
    if (std::find(cells.begin(), cells.end(), cell) == cells.end()) return false;
    if (!IsLegalChain(model.Board, s, cells, cell)) return false;
    // The chain spells the word: each cell's letter, the new letter in the new cell, and a joker
    // cell any letter.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell c = cells[i];
        const char want = c == cell ? move.Letter : model.Board.At(c);
        if (want != kJoker && want != move.Word[i]) return false;
    }

    const SeatScore& seat = st.Score(st.CurrentSeat);
    const std::size_t length = move.Word.size();
    int32_t points = 0;
    if (length > 1) {
        if (length < s.MinWordLen || length > s.MaxWordLen) return false;
        if (st.UsedWords.Contains(move.Word) && !SameText(move.Word, st.JokerHiddenWord))
            return false;
        if (!s.AllowExWords && WordOnField(model.Board, s, move.Word)) return false;
        points = WordPointsOf(move.Word);
    }

    const int32_t award = move.TimeAward;
    if (award > MaxBonus(s)) return false;
    if (award < 0 && (s.SecMove == 0 || s.SecFine <= 0)) return false;
    const int64_t bonus = award > 0 ? award : 0;
    const int64_t fine = award < 0 ? -static_cast<int64_t>(award) : 0;
    return move.WordPoints == static_cast<int64_t>(seat.WordPoints) + points &&
           move.BonusPoints == seat.BonusPoints + bonus &&
           move.FinePoints == seat.FinePoints + fine;
}

NewGameVerdict CheckNewGame(const NewGameContent& g, const TDictInfo& dict) {
    // Within the widest ranges of the settings file: the server's dictionary may not be ours.
    auto within = [](Setting setting, long value) { return RangeOf(setting).Contains(value); };
    if (!within(Setting::Count, g.Count) || g.Seats.size() != g.Count)
        return NewGameVerdict::Malformed;
    for (const NewGameContent::Seat& seat : g.Seats) {
        if (seat.Type != PlayerType::Human && seat.Type != PlayerType::Computer &&
            seat.Type != PlayerType::Client)
            return NewGameVerdict::Malformed;
        if (!within(Setting::Skill, seat.Skill)) return NewGameVerdict::Malformed;
        if (!IsValidName(seat.Name)) return NewGameVerdict::Malformed;
    }
    if (!within(Setting::ColCount, g.ColCount) || !within(Setting::RowCount, g.RowCount))
        return NewGameVerdict::Malformed;
    if (!within(Setting::WordsPerMove, g.WordsPerMove)) return NewGameVerdict::Malformed;
    if (g.ColCount * (g.RowCount - 1) % (g.Count * g.WordsPerMove) != 0)
        return NewGameVerdict::Malformed;
    if (!within(Setting::MinWordLen, g.MinWordLen) || !within(Setting::MaxWordLen, g.MaxWordLen) ||
        g.MinWordLen > g.MaxWordLen)
        return NewGameVerdict::Malformed;
    if (g.Directions.size() != 8 || g.Directions == "00000000" ||
        g.Directions.find_first_not_of("01") != std::string::npos)
        return NewGameVerdict::Malformed;
    if (!within(Setting::SecMove, g.SecMove) || !within(Setting::SecBonus, g.SecBonus) ||
        !within(Setting::SecFine, g.SecFine))
        return NewGameVerdict::Malformed;
    if (g.InitialWord.size() != g.ColCount) return NewGameVerdict::Malformed;
    const auto jokers = std::count(g.InitialWord.begin(), g.InitialWord.end(), kJoker);
    if (jokers > (g.UseJoker ? 1 : 0)) return NewGameVerdict::Malformed;
    for (const char c : g.InitialWord)
        if (c != kJoker && !dict.IsLetter(static_cast<unsigned char>(c)))
            return NewGameVerdict::OtherAlphabet;
    return NewGameVerdict::Ok;
}

}  // namespace tq::net
