// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings of a game: the rules every computer of a game shares (GameRules, the content of a
// new-game line) and, around them, the game mode and the seats.

#include <array>
#include <cstdint>
#include <string>

namespace tq {

enum class GameMode : uint8_t { General = 1, Client = 2, Server = 3 };
enum class PlayerType : uint8_t { Human = 0, Computer = 1, Client = 2 };

constexpr int kMaxSeats = 5;
constexpr int32_t kDefaultComputerPace = 500;
constexpr int32_t kMaxComputerPace = 10000;
// The longest move limit for players at other computers: a day, in seconds.
constexpr int32_t kMaxClientMoveLimit = 86400;

// Colours are 0x00BBGGRR (red in the low byte).
constexpr std::array<uint32_t, kMaxSeats> kDefaultSeatColors = {0x000080, 0x008000, 0x008080,
                                                                0x800000, 0x800080};

// One seat as the settings hold it; what it earns in a game is the game state's (SeatScore).
struct TPlayers {
    std::string Name;
    uint32_t Color = 0;
    PlayerType Type = PlayerType::Computer;
    uint8_t Skill = 2;  // 1..7
};

// The field and the rules of play.
struct GameRules {
    uint8_t ColCount = 5;
    uint8_t RowCount = 5;
    uint8_t WordsPerMove = 1;
    uint8_t MinWordLen = 2;
    uint8_t MaxWordLen = 30;
    std::string Directions = "11110000";
    bool UseJoker = false;
    bool AllowCrossings = false;
    bool AllowExWords = false;
    int32_t SecMove = 0;
    int32_t SecBonus = 0;
    int32_t SecFine = 0;
    bool AcceptAllWords = false;

    // Whether direction k (0-based position in Directions) is switched on.
    bool DirectionOn(int k) const { return Directions.size() == 8 && Directions[k] == '1'; }
    bool AnyStraight() const;
    bool AnyDiagonal() const;
};

struct GameSettings : GameRules {
    GameMode Mode = GameMode::General;
    bool RatedGame = false;
    uint8_t Count = 2;
    std::array<TPlayers, kMaxSeats> Players;
    std::string InitialWord;  // only in Client mode: the initial word received with a new game
    // Milliseconds a computer move stays on the field before the next computer move or the end
    // of the game, so that a person can follow a game between computer seats; 0 for no pause.
    // Only the game window paces; the companion and headless games never wait.
    int32_t ComputerPace = kDefaultComputerPace;
    // Seconds a player at another computer may take for a move when this computer is the
    // server; past them the computer plays that seat. 0 for no limit.
    int32_t ClientMoveLimit = 0;
    // Whether this computer's server opens a room at the relay Relay ("host[:port]", empty when
    // none was given) instead of listening on the local network.
    bool UseRelay = false;
    std::string Relay;

    GameSettings();
    TPlayers& Seat(int seat) { return Players[seat - 1]; }  // 1-based
    const TPlayers& Seat(int seat) const { return Players[seat - 1]; }
};

}  // namespace tq
