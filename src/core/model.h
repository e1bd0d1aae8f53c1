#pragma once
// The game model: settings with their seats, the field of letter cells, the phase the game waits
// in, and the per-game state. One Game (core/game.h) owns one instance of each.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dict/letters.h"

namespace tq {

enum class GameMode : uint8_t { General = 1, Client = 2, Server = 3 };
enum class PlayerType : uint8_t { Human = 0, Computer = 1, Client = 2 };

// What the game waits for. The numbers are fixed (they appear in tests and the status widgets).
enum class GamePhase : uint8_t {
    Idle = 0,
    Setup = 10,
    PutLetter = 11,
    LetterPut = 12,
    Marking = 13,
    MoveDone = 14,
    ComputerThinking = 15,
    AwaitRemote = 16,
    GameOver = 17,
};

constexpr int kMaxSeats = 5;
constexpr int32_t kDefaultComputerPace = 500;
constexpr int32_t kMaxComputerPace = 10000;
constexpr int kMaxFieldSide = 10;
constexpr int kMinFieldSide = 3;

// Colours are 0x00BBGGRR (red in the low byte).
constexpr std::array<uint32_t, kMaxSeats> kDefaultSeatColors = {0x000080, 0x008000, 0x008080,
                                                                0x800000, 0x800080};

// One seat.
struct TPlayers {
    std::string Name;
    uint32_t Color = 0;
    int32_t WordPoints = 0;
    int32_t BonusPoints = 0;
    int32_t FinePoints = 0;  // counted positive
    PlayerType Type = PlayerType::Computer;
    uint8_t Skill = 2;  // 1..7

    int32_t Total() const { return WordPoints + BonusPoints - FinePoints; }
};

// The eight step directions in the order of the Directions flags.
struct Direction {
    int dc;
    int dr;
};
constexpr std::array<Direction, 8> kDirections = {{
    {-1, 0},   // 1 left
    {+1, 0},   // 2 right
    {0, -1},   // 3 up
    {0, +1},   // 4 down
    {-1, -1},  // 5 up-left
    {+1, -1},  // 6 up-right
    {-1, +1},  // 7 down-left
    {+1, +1},  // 8 down-right
}};

struct GameSettings {
    GameMode Mode = GameMode::General;
    bool RatedGame = false;
    uint8_t Count = 2;
    std::array<TPlayers, kMaxSeats> Players;
    uint8_t ColCount = 5;
    uint8_t RowCount = 5;
    std::string InitialWord;  // only in Client mode: the initial word received with a new game
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
    // Milliseconds a computer move stays on the field before the next computer move or the end
    // of the game, so that a person can follow a game between computer seats; 0 for no pause.
    // Only the game window paces; the companion and headless games never wait.
    int32_t ComputerPace = kDefaultComputerPace;

    GameSettings();
    // Whether direction k (0-based position in Directions) is switched on.
    bool DirectionOn(int k) const { return Directions.size() == 8 && Directions[k] == '1'; }
    bool AnyStraight() const;
    bool AnyDiagonal() const;
    TPlayers& Seat(int seat) { return Players[seat - 1]; }  // 1-based
    const TPlayers& Seat(int seat) const { return Players[seat - 1]; }
};

// A cell address, column and row from 0.
struct Cell {
    int col = 0;
    int row = 0;
    friend bool operator==(Cell, Cell) = default;
};

// The two-character code of a cell: column digit, row digit.
std::string CellCode(Cell c);

constexpr char kEmptyCell = '-';
constexpr char kJoker = '?';

// ColCount columns of RowCount one-byte cells: '-' empty, '?' the joker, or a capital.
class Field {
  public:
    Field() { Reset(5, 5); }
    Field(int cols, int rows) { Reset(cols, rows); }
    void Reset(int cols, int rows);
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    bool Inside(int c, int r) const { return c >= 0 && r >= 0 && c < cols_ && r < rows_; }
    char At(int c, int r) const { return cells_[c][r]; }
    char At(Cell c) const { return cells_[c.col][c.row]; }
    void Set(int c, int r, char ch) { cells_[c][r] = ch; }
    void Set(Cell c, char ch) { cells_[c.col][c.row] = ch; }
    bool IsEmpty(int c, int r) const { return cells_[c][r] == kEmptyCell; }

  private:
    int cols_ = 0;
    int rows_ = 0;
    char cells_[kMaxFieldSide][kMaxFieldSide];
};

// The state of the game in progress; reset by every new game.
struct GameState {
    GamePhase Phase = GamePhase::Idle;
    uint8_t Round = 0;
    uint8_t RoundCount = 0;
    uint8_t CurrentSeat = 1;
    uint8_t MoveWord = 0;
    SortedWordList UsedWords;
    std::string FieldLetters;  // one character per occupied cell, in filling order
    uint8_t LetterCountOnField = 0;
    uint8_t NewRecordPlace = 0;
    Cell NewLetterCell;
    Cell LastMarkedCell;
    std::string MarkedPath;  // "21:22:33:" style
    std::string MarkedWord;
    int16_t TimeAward = 0;
    std::vector<std::string> PlayedPaths;
    std::vector<std::string> Candidates;
};

// The texts the game shows, under these exact words.
namespace msg {
inline constexpr std::string_view Connect = "Connect";
inline constexpr std::string_view Disconnect = "Disconnect";
inline constexpr std::string_view MessageFrom = "Message from: ";
inline constexpr std::string_view Server = "Server";
inline constexpr std::string_view PutLetter = "Put a letter";
inline constexpr std::string_view MarkWord = "Mark the word";
inline constexpr std::string_view NewLetterNotMarked = "New letter is not marked";
inline constexpr std::string_view TooShort = "The word is too short";
inline constexpr std::string_view TooLong = "The word is too long";
inline constexpr std::string_view UnknownWord = "Unknown word";
inline constexpr std::string_view UnknownWordAccept = "Unknown word. Accept?";
inline constexpr std::string_view AlreadyConstructed = "The word is already constructed";
inline constexpr std::string_view AlreadyFormed = "The word is already formed";
inline constexpr std::string_view NameTaken = "The player with such name has already connected.";
inline constexpr std::string_view ServerInaccessible = "The server is inaccessible.";
inline constexpr std::string_view NetworkError = "Network error.";
inline constexpr std::string_view DictionaryError = "Error when opening the dictionary file.";
inline constexpr std::string_view Caption = "Tessaroon";
// The status line before the first game, and after the last move of a game.
inline constexpr std::string_view StartHint = "Press F2 to start a new game";
inline constexpr std::string_view Wins = " wins";  // after the winner's name
inline constexpr std::string_view Draw = "The game is a draw";
}  // namespace msg

// Colours of the status line hints.
constexpr uint32_t kPromptColor = 0x006400;   // dark green
constexpr uint32_t kRefusalColor = 0x000080;  // maroon

}  // namespace tq
