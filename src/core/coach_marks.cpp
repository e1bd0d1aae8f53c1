// SPDX-License-Identifier: GPL-3.0-or-later
// What the coaching windows may show on the field and in the hint line.

#include <algorithm>

#include "core/game_flow.h"

namespace tq {

bool GameFlow::LocalHumanMoving() const {
    const GamePhase p = Phase();
    return p == GamePhase::PutLetter || p == GamePhase::LetterPut || p == GamePhase::Marking;
}

void GameFlow::ShowCoachHint(std::string_view text) {
    if (LocalHumanMoving()) ShowHint(text, kPromptColor);
}

bool GameFlow::ShowCoachMarks(const std::vector<Cell>& marked, const std::vector<Cell>& golden) {
    if (Phase() != GamePhase::PutLetter && Phase() != GamePhase::GameOver) return false;
    auto holds = [](const std::vector<Cell>& cells, Cell c) {
        return std::find(cells.begin(), cells.end(), c) != cells.end();
    };
    for (int c = 0; c < model_.Settings.ColCount; ++c)
        for (int r = 0; r < model_.Settings.RowCount; ++r) {
            const Cell at{c, r};
            if (!InField(at)) continue;
            const MarkState want = holds(marked, at)   ? MarkState::Marked
                                   : holds(golden, at) ? MarkState::Golden
                                                       : MarkState::Normal;
            if (CellMark(at) != want) SetMark(at, want);
        }
    return true;
}

}  // namespace tq
