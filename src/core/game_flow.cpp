// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_flow.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/chain_rules.h"
#include "computer/computer_move.h"

namespace tq {

GameFlow::GameFlow(GameModel& model, GameView& view, NetSender& sender,
                   std::chrono::milliseconds clockTick)
    : model_(model),
      view_(view),
      sender_(&sender),
      clock_(clockTick),
      computer_(std::make_unique<ComputerPlayer>(model.Words)) {
    for (auto& column : marks_) column.fill(MarkState::Golden);
}

GameFlow::~GameFlow() = default;

void GameFlow::SetPhase(GamePhase phase) {
    model_.State.Phase = phase;
    switch (phase) {
        case GamePhase::Idle:
            // Before the first game: say how to start one.
            ShowHint(msg::StartHint, kPromptColor);
            view_.SetHintVisible(true);
            break;
        case GamePhase::Setup:
            view_.SetClockVisible(false);
            view_.SetHintVisible(false);
            view_.SetStatusButtonVisible(true);
            break;
        case GamePhase::PutLetter:
            if (hint_ != msg::PutLetter) ShowHint(msg::PutLetter, kPromptColor);
            view_.SetHintVisible(true);
            break;
        case GamePhase::LetterPut:
        case GamePhase::Marking:
            if (hint_ != msg::MarkWord) ShowHint(msg::MarkWord, kPromptColor);
            break;
        case GamePhase::MoveDone:
            view_.SetClockVisible(false);
            view_.SetHintVisible(false);
            wordLabel_.clear();
            view_.ShowWordLabel("");
            break;
        default:
            break;
    }
    view_.PhaseChanged(phase);
}

void GameFlow::ShowHint(std::string_view text, uint32_t colour) {
    hint_ = std::string(text);
    view_.ShowHintLabel(text, colour);
}

bool GameFlow::LocalHumanMoving() const {
    const GamePhase p = Phase();
    return p == GamePhase::PutLetter || p == GamePhase::LetterPut || p == GamePhase::Marking;
}

void GameFlow::ShowCoachHint(std::string_view text) {
    if (LocalHumanMoving()) ShowHint(text, kPromptColor);
}

bool GameFlow::CanStartNewGame() const {
    return LedHereBySettings(model_.Settings) && Phase() != GamePhase::ComputerThinking;
}

const SeatPlayer* GameFlow::PlayerOf(int seat) const {
    if (seat < 1 || static_cast<std::size_t>(seat) > seats_.Players.size()) return nullptr;
    return seats_.Players[seat - 1].get();
}

SeatKind GameFlow::KindOf(int seat) const {
    const SeatPlayer* player = PlayerOf(seat);
    return player ? player->Kind() : SeatKind::Computer;
}

void GameFlow::HandSeatToComputer(int seat) {
    if (seat < 1 || static_cast<std::size_t>(seat) > seats_.Players.size()) return;
    seats_.Players[seat - 1] = std::make_shared<ComputerSeat>();
}

bool GameFlow::CloseRequest() {
    if (Phase() == GamePhase::ComputerThinking) {
        SetPhase(GamePhase::GameOver);
        return false;
    }
    return true;
}

std::string GameFlow::PickInitialWord(int n) {
    const int count = model_.Words.WordCount(n);
    if (count > 0) return model_.Words.WordAt(n, model_.Rng.Int(count));
    std::string word;
    for (int i = 0; i < n; ++i)
        word +=
            static_cast<char>(model_.Dict.FirstLetter + model_.Rng.Int(model_.Dict.LetterCount));
    return word;
}

NewGameContent GameFlow::NewGameLine(const std::string& placedWord) const {
    const GameSettings& s = model_.Settings;
    NewGameContent c;
    c.Count = s.Count;
    for (int seat = 1; seat <= s.Count; ++seat) {
        const TPlayers& p = s.Seat(seat);
        // The type the seat has in this game: a client that has gone is the computer's.
        const PlayerType type = KindOf(seat) == SeatKind::Human      ? PlayerType::Human
                                : KindOf(seat) == SeatKind::Computer ? PlayerType::Computer
                                                                     : PlayerType::Client;
        c.Seats.push_back({p.Name, p.Color, type, p.Skill});
    }
    static_cast<GameRules&>(c) = s;
    c.InitialWord = placedWord;
    return c;
}

void GameFlow::StartNewGame() {
    StartNewGame(SeatsFromSettings(model_.Settings, *sender_));
}

void GameFlow::StartNewGame(GameSeats seats) {
    ++gameSerial_;
    seats_ = std::move(seats);
    // Answers to the old game's questions and wake-ups find nobody waiting.
    asked_ = LetterAsk::None;
    wake_ = WakeFor::None;
    pendingWord_.clear();
    GameSettings& s = model_.Settings;
    GameState& st = model_.State;

    StopClock();

    view_.LayoutField(s.ColCount, s.RowCount);
    for (int c = 0; c < s.ColCount; ++c)
        for (int r = 0; r < s.RowCount; ++r) marks_[c][r] = MarkState::Normal;
    putLetter_ = kEmptyCell;

    view_.ResetResults();
    wordLabel_.clear();
    view_.ShowWordLabel("");

    model_.Board.Reset(s.ColCount, s.RowCount);
    SetPhase(GamePhase::Setup);

    st.Round = 1;
    st.CurrentSeat = 1;
    st.MoveWord = 0;
    // The fair-turn rule makes this division exact; a seat count or word count of 0 (which
    // no settings path admits) must not divide by zero.
    const int perRound = std::max(1, s.Count * s.WordsPerMove);
    st.RoundCount = static_cast<uint8_t>(s.ColCount * (s.RowCount - 1) / perRound);

    st.Scores = {};

    st.UsedWords.Clear();
    st.JokerHiddenWord.clear();
    st.PlayedPaths.clear();
    st.MarkedPath.clear();
    st.MarkedWord.clear();
    st.TimeAward = 0;

    const bool received = !seats_.LedHere();
    std::string word =
        (!s.InitialWord.empty() || received) ? s.InitialWord : PickInitialWord(s.ColCount);
    st.UsedWords.Add(word);
    GameStartedEvent started;
    started.DrawnWord = word;
    if (s.UseJoker && !received && !word.empty()) {
        word[model_.Rng.Int(static_cast<int>(word.size()))] = kJoker;
        st.JokerHiddenWord = started.DrawnWord;
    }

    const int r0 = (s.RowCount - 1) / 2;
    st.FieldLetters.clear();
    st.LetterCountOnField = 0;
    st.NewRecordPlace = 0;
    // A received word shorter than the field leaves the rest of the row empty.
    for (int i = 0; i < s.ColCount && i < static_cast<int>(word.size()); ++i) {
        view_.ShowCellLetter(Cell{i, r0}, std::string_view(&word[i], 1));
        model_.Board.Set(i, r0, word[i]);
        st.FieldLetters += word[i];
        ++st.LetterCountOnField;
    }
    started.PlacedWord = st.FieldLetters;
    Notify(&GameEvents::GameStarted, started);

    // A client waits for its server's lines.
    if (received) return;
    if (seats_.Lead == GameLead::HereShared) sender_->SendNewGame(NewGameLine(word));
    EndOfMove();
}

int GameFlow::ResultRow() const {
    const GameSettings& s = model_.Settings;
    const GameState& st = model_.State;
    const int row = (st.Round - 1) * s.Count * s.WordsPerMove +
                    (st.CurrentSeat - 1) * s.WordsPerMove + (st.MoveWord - 1);
    return std::max(0, row);
}

int GameFlow::SeatOfRow(int row) const {
    const GameSettings& s = model_.Settings;
    const int wpm = std::max<int>(1, s.WordsPerMove);
    const int count = std::max<int>(1, s.Count);
    const int move = (row + wpm) / wpm;  // ceil((row + 1) / wpm)
    return (move - 1) % count + 1;
}

void GameFlow::ShowWord(const std::string& word, char letter, Cell cell, bool markPath) {
    const GameSettings& s = model_.Settings;
    GameState& st = model_.State;
    for (int c = 0; c < s.ColCount; ++c)
        for (int r = 0; r < s.RowCount; ++r) {
            const Cell at{c, r};
            if (CellMark(at) != MarkState::Normal &&
                (!markPath || !ChainHasCell(st.MarkedPath, at)))
                SetMark(at, MarkState::Normal);
        }

    if (markPath) {
        if (letter != kEmptyCell && InField(cell))
            view_.ShowCellLetter(cell, std::string_view(&letter, 1));
        // The first word-length cells of the chain; a chain that is shorter, or that names a cell
        // off the field, marks only what it really holds.
        const std::vector<Cell>& path = st.MarkedPath;
        for (std::size_t k = 0; k < word.size() && k < path.size(); ++k) {
            const Cell at = path[k];
            if (InField(at) && CellMark(at) != MarkState::Marked) SetMark(at, MarkState::Marked);
        }
    }

    if (letter == kEmptyCell) return;

    const int row = ResultRow();
    const int points = WordPointsOf(word) + st.TimeAward;
    const std::string text = word.size() == 1 ? std::string(msg::NoWord) : word;
    view_.ShowResultRow(row, text, std::to_string(points), std::string_view(&letter, 1),
                        s.Seat(SeatOfRow(row)).Color);
    // Entry i belongs to row i.
    if (st.PlayedPaths.size() <= static_cast<std::size_t>(row)) st.PlayedPaths.resize(row + 1);
    st.PlayedPaths[row] = st.MarkedPath;
}

void GameFlow::ResultsWordClicked(int row, const std::string& word) {
    if (word.empty()) return;
    if (Phase() != GamePhase::PutLetter && Phase() != GamePhase::GameOver) return;
    GameState& st = model_.State;
    if (row < 0 || static_cast<std::size_t>(row) >= st.PlayedPaths.size()) return;
    st.MarkedPath = st.PlayedPaths[row];
    ShowWord(word == msg::NoWord ? std::string(1, kEmptyCell) : word, kEmptyCell, Cell{0, 0}, true);
}

bool GameFlow::InField(Cell c) const {
    return c.col >= 0 && c.row >= 0 && c.col < model_.Settings.ColCount &&
           c.row < model_.Settings.RowCount && model_.Board.Inside(c.col, c.row);
}

char GameFlow::CellLetter(Cell c) const {
    if (!InField(c)) return kEmptyCell;
    const GamePhase p = Phase();
    if ((p == GamePhase::LetterPut || p == GamePhase::Marking) && c == model_.State.NewLetterCell)
        return putLetter_;
    return model_.Board.At(c);
}

bool GameFlow::Occupied(Cell c) const {
    return CellLetter(c) != kEmptyCell;
}

void GameFlow::SetMark(Cell c, MarkState s) {
    marks_[c.col][c.row] = s;
    view_.ShowCellMark(c, s);
}

}  // namespace tq
