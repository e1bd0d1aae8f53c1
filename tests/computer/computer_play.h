// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Computer moves without the game flow, for the search tests and the search benchmark: a move
// chosen and committed on the model the way the game commits a computer's move, and the shipped
// dictionaries loaded from the start folder.

#include <filesystem>

#include "computer/computer_move.h"
#include "core/game_model.h"
#include "dict/word_store.h"

namespace tq::test {

inline Move PlayComputerMove(const ComputerPlayer& player, GameModel& model) {
    const Move move =
        player.ChooseMove(model.Board, model.Settings, model.State, model.Dict, model.Rng);
    if (!move.Word.empty())
        ApplyMove(model.Board, model.State, model.State.Score(model.State.CurrentSeat), move,
                  MoveSource::Computer, 0);
    return move;
}

struct ShippedDictionary {
    WordStore words;
    TDictInfo info;
};

// Loads the shipped dictionary name ("General_rus", "General_eng") into d.
inline Status LoadShipped(const char* name, ShippedDictionary& d) {
    d.info.DictName = name;
    return LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts", d.words, d.info);
}

}  // namespace tq::test
