// SPDX-License-Identifier: GPL-3.0-or-later
// Move entry: putting the new letter, marking the chain, and the checks of the marked word.

#include <utility>

#include "base/chain_rules.h"
#include "computer/reference_search.h"
#include "core/game_flow.h"

namespace tq {

void GameFlow::ClearMarks() {
    for (int c = 0; c < model_.Settings.ColCount; ++c)
        for (int r = 0; r < model_.Settings.RowCount; ++r)
            if (marks_[c][r] != MarkState::Normal) SetMark(Cell{c, r}, MarkState::Normal);
}

void GameFlow::TakeBack() {
    ClearMarks();
    view_.ShowCellLetter(model_.State.NewLetterCell, "");
    putLetter_ = kEmptyCell;
    wordLabel_.clear();
    view_.ShowWordLabel("");
    model_.State.MarkedPath.clear();
    SetPhase(GamePhase::PutLetter);
}

void GameFlow::CellClick(Cell cell, MouseButton button, ShiftState shift) {
    if (!InField(cell)) return;
    const GamePhase phase = Phase();
    GameState& st = model_.State;

    if (button == MouseButton::Right) {
        switch (phase) {
            case GamePhase::PutLetter:
                ClearMarks();
                break;
            case GamePhase::LetterPut:
            case GamePhase::Marking:
                TakeBack();
                break;
            case GamePhase::ComputerThinking:
                // The turn loop finds this after the current computer move and stops there.
                SetPhase(GamePhase::GameOver);
                break;
            default:
                break;
        }
        return;
    }

    switch (phase) {
        case GamePhase::PutLetter: {
            if (!CanPutLetter(model_.Board, model_.Settings, cell)) return;
            AskLetter(LetterAsk::NewLetter, cell);
            return;
        }
        case GamePhase::LetterPut:
            if (!Occupied(cell))
                TakeBack();
            else
                MarkOrAsk(cell, false);
            return;
        case GamePhase::Marking:
            if (!Occupied(cell)) return;
            if (IsMarked(cell)) {
                if (!shift.ctrl) AcceptWord();
                return;
            }
            if (IsStep(model_.Settings, st.LastMarkedCell, cell) &&
                (model_.Settings.AllowCrossings ||
                 !CrossesChain(st.LastMarkedCell, cell, st.MarkedPath)))
                MarkOrAsk(cell, true);
            else
                MarkOrAsk(cell, false);
            return;
        default:
            return;
    }
}

void GameFlow::PlaceNewLetter(Cell cell, char letter) {
    view_.ShowCellLetter(cell, std::string_view(&letter, 1));
    putLetter_ = letter;
    model_.State.NewLetterCell = cell;
    SetPhase(GamePhase::LetterPut);
}

bool GameFlow::LetterMayGo(Cell cell) const {
    const GamePhase phase = Phase();
    if (phase != GamePhase::PutLetter && phase != GamePhase::LetterPut &&
        phase != GamePhase::Marking)
        return false;
    // The field does not hold the put letter yet: its cell counts as empty, and a cell that only
    // it would border does not count.
    return InField(cell) && CanPutLetter(model_.Board, model_.Settings, cell);
}

void GameFlow::TypeLetter(Cell cell, char letter) {
    if (!LetterMayGo(cell) || letter == kJoker ||
        !model_.Dict.IsLetter(static_cast<unsigned char>(letter)))
        return;
    if (Phase() != GamePhase::PutLetter) TakeBack();
    PlaceNewLetter(cell, letter);
}

void GameFlow::UnmarkLast() {
    GameState& st = model_.State;
    if (Phase() == GamePhase::LetterPut) return TakeBack();
    if (Phase() != GamePhase::Marking) return;
    std::vector<Cell>& path = st.MarkedPath;
    if (path.empty() || wordLabel_.empty()) return;
    const Cell last = path.back();
    path.pop_back();
    wordLabel_.pop_back();
    if (InField(last)) SetMark(last, MarkState::Normal);
    view_.ShowWordLabel(wordLabel_);
    if (path.empty()) {
        SetPhase(GamePhase::LetterPut);
        return;
    }
    st.LastMarkedCell = path.back();
    SetPhase(GamePhase::Marking);
}

void GameFlow::MarkOrAsk(Cell cell, bool extend) {
    const char letter = CellLetter(cell);
    if (letter == kJoker)
        AskLetter(extend ? LetterAsk::ChainExtend : LetterAsk::ChainStart, cell);
    else
        MarkCell(cell, letter, extend);
}

void GameFlow::AskLetter(LetterAsk what, Cell cell) {
    // Set before asking: the view may answer from inside the call.
    asked_ = what;
    askedCell_ = cell;
    askedPhase_ = Phase();
    view_.AskLetter(cell);
}

void GameFlow::LetterChosen(char letter) {
    const LetterAsk what = std::exchange(asked_, LetterAsk::None);
    // The answer belongs to the step of the move it was asked in.
    if (what == LetterAsk::None || Phase() != askedPhase_) return;
    if (letter == kJoker || !model_.Dict.IsLetter(static_cast<unsigned char>(letter))) return;
    if (what == LetterAsk::NewLetter)
        PlaceNewLetter(askedCell_, letter);
    else
        MarkCell(askedCell_, letter, what == LetterAsk::ChainExtend);
}

void GameFlow::PickerCancelled() {
    asked_ = LetterAsk::None;
}

void GameFlow::MarkCell(Cell cell, char letter, bool extend) {
    GameState& st = model_.State;
    if (!extend) ClearMarks();
    SetMark(cell, MarkState::Marked);
    if (extend)
        wordLabel_ += letter;
    else
        wordLabel_.assign(1, letter);
    view_.ShowWordLabel(wordLabel_);
    st.LastMarkedCell = cell;
    if (!extend) st.MarkedPath.clear();
    st.MarkedPath.push_back(cell);
    SetPhase(GamePhase::Marking);
}

void GameFlow::CellHover(Cell cell, ShiftState shift) {
    if (Phase() != GamePhase::LetterPut && Phase() != GamePhase::Marking) return;
    if (!shift.OnlyCtrl()) return;
    CellClick(cell, MouseButton::Left, shift);
}

void GameFlow::Refuse(std::string_view text) {
    ShowHint(text, kRefusalColor);
}

void GameFlow::AcceptWord() {
    if (Phase() != GamePhase::Marking) return;
    GameState& st = model_.State;
    const GameSettings& s = model_.Settings;

    st.MarkedWord = wordLabel_;
    const std::string word = st.MarkedWord;
    if (!IsMarked(st.NewLetterCell)) return Refuse(msg::NewLetterNotMarked);
    if (word.size() == 1) return CommitHumanMove(word);
    if (word.size() < s.MinWordLen) return Refuse(msg::TooShort);
    if (word.size() > s.MaxWordLen) return Refuse(msg::TooLong);
    if (st.UsedWords.Contains(word)) return Refuse(msg::AlreadyConstructed);
    if (!model_.Words.ContainsWord(word)) {
        if (!s.AcceptAllWords) return Refuse(msg::UnknownWord);
        if (hint_ != msg::UnknownWordAccept) return ShowHint(msg::UnknownWordAccept, kPromptColor);
        if (view_.ShiftHeld()) {
            const Status added = AppendToWordList(model_.DictsFolder(), model_.Dict, word);
            if (!added.ok()) {
                // The move goes on once the player has read why the word was not kept.
                pendingWord_ = word;
                view_.ShowMessage(added.message(), MessageIcon::Warning,
                                  [this] { MessageAnswered(); });
                return;
            }
        }
    }
    AcceptChecked(word);
}

void GameFlow::MessageAnswered() {
    const std::string word = std::exchange(pendingWord_, std::string());
    // The move it was about may have changed meanwhile (a network line, a new game).
    if (word.empty() || Phase() != GamePhase::Marking || wordLabel_ != word) return;
    AcceptChecked(word);
}

void GameFlow::AcceptChecked(const std::string& word) {
    const GameSettings& s = model_.Settings;
    if (!s.AllowExWords && WordOnField(model_.Board, s, word)) return Refuse(msg::AlreadyFormed);
    CommitHumanMove(word);
}

void GameFlow::CommitHumanMove(const std::string& word) {
    GameState& st = model_.State;
    const Move move{word, putLetter_, st.NewLetterCell, st.MarkedPath};
    const int16_t award = HumanTimeAward();
    SetPhase(GamePhase::MoveDone);
    putLetter_ = kEmptyCell;
    CommitMove(move, MoveSource::Human, award);
    // A client's move goes to the server, which decides what follows.
    if (seats_.LedHere()) EndOfMove();
}

}  // namespace tq
