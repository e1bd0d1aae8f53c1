// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small game on a 5 x 5 field whose initial word is always HORSE (the store's only five-letter
// word), on row 2:   H(0,2) O(1,2) R(2,2) S(3,2) E(4,2).

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/game_flow.h"
#include "fake_view.h"

namespace tq::test {

inline void UseEnglish(GameModel& model, std::initializer_list<const char*> words) {
    model.Dict = TDictInfo{};
    model.Dict.DictName = "Test_eng";
    model.Dict.Language = 2;
    model.Dict.SetAlphabetFromLanguage();
    model.Words.Clear();
    for (const char* w : words) model.Words.AddWord(w);
    model.Dict.ShortestLen = static_cast<uint8_t>(model.Words.ShortestLength());
    model.Dict.LongestLen = static_cast<uint8_t>(model.Words.LongestLength());
}

class FlowTest : public ::testing::Test {
  public:
    FlowTest() {
        UseEnglish(model, {"HORSE", "HOT", "HOTS", "ROT", "SHOE", "HE", "TO", "OR", "ORE", "TOE",
                           "ROTE", "TORE", "HERO", "SORT", "ROSE"});
        model.Rng.Seed(7);
        GameSettings& s = model.Settings;
        s.Count = 2;
        s.Seat(1).Type = PlayerType::Human;
        s.Seat(2).Type = PlayerType::Human;
        s.ColCount = 5;
        s.RowCount = 5;
        s.WordsPerMove = 1;
        s.MinWordLen = 2;
        s.MaxWordLen = 10;
        s.Directions = "11110000";
    }

    GameFlow& Flow() {
        if (!flow) {
            flow = std::make_unique<GameFlow>(model, view, sender);
            view.flow = flow.get();
        }
        return *flow;
    }

    // A new game, and the computer's moves up to the first turn that waits for somebody else.
    void NewGame() {
        Flow().StartNewGame();
        view.RunWakes();
    }

    void Left(Cell c, ShiftState s = {}) { Flow().CellClick(c, MouseButton::Left, s); }
    void Right(Cell c = {0, 0}) { Flow().CellClick(c, MouseButton::Right, {}); }

    // Puts a letter through the picker.
    void Put(Cell c, char letter) {
        view.picked.push_back(letter);
        Left(c);
    }
    void Mark(std::initializer_list<Cell> cells) {
        for (Cell c : cells) Left(c);
    }

    GameModel model;
    FakeView view;
    RecordingSender sender;
    std::unique_ptr<GameFlow> flow;
};

constexpr Cell H{0, 2}, O{1, 2}, R{2, 2}, S{3, 2}, E{4, 2};

}  // namespace tq::test
