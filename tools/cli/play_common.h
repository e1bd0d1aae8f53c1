// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the companion's game commands share: the options that override Tessaroon.ini (selfplay,
// serve), the recording of a game from the game events, and the printing of a finished game.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "base/status.h"
#include "core/game_events.h"
#include "core/game_model.h"

namespace tq::cli {

struct Options {
    int games = 1;
    std::optional<uint64_t> seed;
    std::optional<std::vector<int>> skills;
    std::optional<int> cols, rows, wordsPerMove, minLen, maxLen;
    std::optional<std::string> directions;
    std::optional<bool> crossings, joker, exWords;
    bool json = false;
};

// The usage lines of the options above.
extern const char* const kGameOptionsUsage;

// A whole number within lo..hi, nothing else; the failure reads "must be a whole number from lo
// to hi, not "text"" (to follow the option's name).
Result<long> ParseInt(const std::string& text, long lo, long hi);

// The options above, for a command's ParseArguments.
extern const std::vector<OptionSpec> kGameOptions;

// Takes one option of kGameOptions with its value into o; fails with the reason.
Status TakeGameOption(const std::string& name, const std::string& value, Options& o);

// Parses arguments that are game options and nothing else.
Status ParseOptions(const std::vector<std::string>& args, Options& o);

// Settings from the file, options over them; every seat a computer seat, no rating.
Status ApplyOptions(const Options& o, const TDictInfo& dict, GameSettings& s);

struct PlayedMove {
    int round = 0, seat = 0, moveWord = 0;
    std::string word;  // empty for a letter without a word
    char letter = '-';
    Cell cell;
    std::string chain;
    int points = 0;
};

// Writes down a game as the game flow reports it: the initial word and every move. Subscribe it
// to the flow (GameFlow::Subscribe) before the game starts.
class GameRecorder : public GameEvents {
  public:
    void GameStarted(const GameStartedEvent& e) override;
    void MovePlayed(const MovePlayedEvent& e) override;

    std::vector<PlayedMove> moves;
    std::string drawnWord, placedWord;
};

std::string Utf8(std::string_view text);
// Pads UTF-8 text to a width in characters, not bytes.
std::string PadRight(const std::string& utf8, std::size_t width);
std::string PadLeft(const std::string& utf8, std::size_t width);
// Seats sharing the top total; one seat when there is a single winner.
std::vector<int> TopSeats(const GameModel& model);
nlohmann::json GameJson(int number, uint64_t seed, const GameModel& model,
                        const GameRecorder& game);
void PrintGame(int number, uint64_t seed, const GameModel& model, const GameRecorder& game);

}  // namespace tq::cli
