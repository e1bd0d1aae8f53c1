#pragma once
// What the companion's game commands share: the options that override Tessaroon.ini (selfplay,
// serve), a headless view that writes down every move, and the printing of a finished game.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "core/game_model.h"
#include "core/headless_view.h"

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

// A whole number within lo..hi, nothing else.
bool ParseInt(const std::string& text, long lo, long hi, long& out);

// Returns an error text, or nothing when the options are good.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, Options& o);

// Settings from the file, options over them; every seat a computer seat, no rating.
std::optional<std::string> ApplyOptions(const Options& o, const TDictInfo& dict, GameSettings& s);

struct PlayedMove {
    int round = 0, seat = 0, moveWord = 0;
    std::string word;  // empty for a letter without a word
    char letter = '-';
    Cell cell;
    std::string chain;
    int points = 0;
};

// The headless view of a self-played game: it writes down the initial word and every row.
class RecordingView : public HeadlessView {
  public:
    explicit RecordingView(const GameModel& model) : model_(model) {}

    void Begin() {
        moves.clear();
        drawnWord.clear();
        placedWord.clear();
    }
    void ShowCellLetter(Cell cell, std::string_view letter) override {
        if (!letter.empty() && model_.State.Phase != GamePhase::Setup) lastCell_ = cell;
    }
    // The turn loop's first pass comes right after the initial word was placed.
    void ProcessPendingEvents() override {
        if (model_.State.Phase != GamePhase::Setup || !placedWord.empty()) return;
        if (model_.State.UsedWords.Size() > 0) drawnWord = model_.State.UsedWords.Words()[0];
        placedWord = model_.State.FieldLetters;
    }
    void ShowResultRow(int, std::string_view word, std::string_view points, std::string_view letter,
                       uint32_t) override {
        PlayedMove m;
        m.round = model_.State.Round;
        m.seat = model_.State.CurrentSeat;
        m.moveWord = model_.State.MoveWord;
        m.word = word == msg::NoWord ? std::string() : std::string(word);
        m.letter = letter.empty() ? '-' : letter[0];
        m.cell = lastCell_;
        m.chain = model_.State.MarkedPath;
        m.points = std::stoi(std::string(points));
        moves.push_back(std::move(m));
    }

    std::vector<PlayedMove> moves;
    std::string drawnWord, placedWord;

  private:
    const GameModel& model_;
    Cell lastCell_;
};

std::string Utf8(std::string_view text);
// Seats sharing the top total; one seat when there is a single winner.
std::vector<int> TopSeats(const GameSettings& s);
nlohmann::json GameJson(int number, uint64_t seed, const GameModel& model,
                        const RecordingView& view);
void PrintGame(int number, uint64_t seed, const GameModel& model, const RecordingView& view);

}  // namespace tq::cli
