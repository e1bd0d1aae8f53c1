// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The positions the search and coaching benchmarks time, on the shipped Russian dictionary with
// all eight directions and crossings allowed. Cases: Initial5 (5 x 5 right after the initial
// word), HalfFull10 (10 x 10, 50 letters), ThreeEmpty10 (10 x 10, three empty cells), each as
// kPositions positions of different games, so that no single lucky or unlucky field decides the
// figure.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "computer/computer_play.h"
#include "core/game_model.h"

namespace tq::bench {

// Loads the shipped Russian dictionary; a benchmark without it ends at once.
inline void LoadRussian(WordStore& words, TDictInfo& dict) {
    dict.DictName = "General_rus";
    const Status r =
        LoadDictionary(std::filesystem::path(TESSAROON_START_FOLDER) / "Dicts", words, dict);
    if (!r.ok()) {
        std::fprintf(stderr, "cannot load General_rus: %s\n", r.message().c_str());
        std::exit(1);
    }
}

// The state a case starts from.
struct Position {
    Field board;
    GameSettings settings;
    GameState state;
};

// A game of computer seats (skill 7) on a side x side field, from a random initial word of
// `words` in the middle row until `letters` letters stand on the field; the first seat is to move.
inline Position Play(const ComputerPlayer& player, const WordStore& words, const TDictInfo& dict,
                     int side, int letters, uint64_t seed) {
    GameModel model;
    model.Dict = dict;
    model.Settings.ColCount = model.Settings.RowCount = static_cast<uint8_t>(side);
    model.Settings.Directions = "11111111";
    model.Settings.AllowCrossings = true;
    model.Board.Reset(side, side);
    model.Rng.Seed(seed);
    const auto& initial = words.WordsOfLength(side);
    const std::string word = initial[model.Rng.Int(static_cast<int>(initial.size()))];
    for (std::size_t c = 0; c < word.size() && c < kMaxFieldSide; ++c)
        model.Board.Set(static_cast<int>(c), side / 2, word[c]);
    model.State.FieldLetters = word;
    model.State.LetterCountOnField = static_cast<uint8_t>(side);
    model.State.UsedWords.Add(word);
    for (int seat = 1; model.State.LetterCountOnField < letters; seat = seat % 2 + 1) {
        model.State.CurrentSeat = static_cast<uint8_t>(seat);
        model.Settings.Seat(seat).Skill = 7;
        test::PlayComputerMove(player, model);
    }
    model.State.CurrentSeat = 1;
    return {model.Board, model.Settings, model.State};
}

constexpr int kPositions = 4;
constexpr const char* kCases[] = {"Initial5", "HalfFull10", "ThreeEmpty10"};

// The positions of a case, played on the first call and kept.
inline const std::vector<Position>& Case(const std::string& name, const ComputerPlayer& player,
                                         const WordStore& words, const TDictInfo& dict) {
    static std::map<std::string, std::vector<Position>> cases;
    auto& positions = cases[name];
    if (positions.empty()) {
        for (uint64_t seed = 1; seed <= kPositions; ++seed) {
            if (name == "Initial5") positions.push_back(Play(player, words, dict, 5, 5, seed));
            if (name == "HalfFull10") positions.push_back(Play(player, words, dict, 10, 50, seed));
            if (name == "ThreeEmpty10")
                positions.push_back(Play(player, words, dict, 10, 97, seed));
        }
    }
    return positions;
}

}  // namespace tq::bench
