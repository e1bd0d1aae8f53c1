// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/computer_move.h"

#include <algorithm>

#include "base/chain_rules.h"
#include "computer/field_search.h"
#include "computer/word_graph.h"

namespace tq {

ComputerPlayer::ComputerPlayer(const WordStore& words) : words_(&words) {
    RefreshGraph();
}

ComputerPlayer::ComputerPlayer(std::shared_ptr<const WordGraph> graph)
    : words_(nullptr), graph_(std::move(graph)) {}

ComputerPlayer::~ComputerPlayer() = default;

std::unique_ptr<ComputerPlayer> ComputerPlayer::Frozen() const {
    if (words_ && words_->TotalWords() != graphWordCount_) RefreshGraph();
    return std::unique_ptr<ComputerPlayer>(new ComputerPlayer(graph_));
}

void ComputerPlayer::RefreshGraph() const {
    graph_ = std::make_shared<const WordGraph>(*words_);
    graphWordCount_ = words_->TotalWords();
}

std::size_t ComputerPlayer::GraphBytes() const {
    return graph_->Bytes();
}

void ComputerPlayer::FindCandidates(const Field& field, const GameSettings& settings,
                                    const std::string& fieldLetters,
                                    const SortedWordList& usedWords, int minLen, int maxLen,
                                    bool longestOnly, int filter, Random& rng,
                                    std::vector<Candidate>& out) const {
    // Words are only ever added to the store (accepted unknown words); a changed count means the
    // graph misses some.
    if (words_ && words_->TotalWords() != graphWordCount_) RefreshGraph();
    const int letterCount = static_cast<int>(fieldLetters.size());
    if (maxLen > letterCount + 1) maxLen = letterCount + 1;
    if (maxLen > kMaxWordLength) maxLen = kMaxWordLength;
    if (minLen < kMinWordLength) minLen = kMinWordLength;
    if (minLen > maxLen) return;

    SearchField(
        *graph_,
        {field, settings, fieldLetters, usedWords, minLen, maxLen, longestOnly, filter, rng}, out);
}

bool MoveOfCandidate(const Candidate& candidate, Move& move) {
    const int k = candidate.newPos;
    if (k < 1 || k > static_cast<int>(candidate.word.size()) ||
        k > static_cast<int>(candidate.cells.size()))
        return false;
    move.Word = candidate.word;
    move.Letter = candidate.word[k - 1];
    move.NewCell = candidate.cells[k - 1];
    move.Chain = candidate.cells;
    return true;
}

Move ComputerPlayer::ChooseMove(const Field& field, const GameSettings& settings,
                                const GameState& state, const TDictInfo& dict, Random& rng) const {
    int seat = state.CurrentSeat;
    if (seat < 1 || seat > kMaxSeats) seat = 1;
    const TPlayers& player = settings.Seat(seat);

    std::vector<Candidate> candidates;
    FindCandidates(field, settings, state.FieldLetters, state.UsedWords, settings.MinWordLen,
                   settings.MaxWordLen, true, player.Skill, rng, candidates);

    Move move;
    bool formed = false;
    if (!candidates.empty()) {
        // A fixed order makes a seeded game independent of the order the search finds ways in.
        std::sort(candidates.begin(), candidates.end(), CandidateBefore);
        const int pick = rng.Int(static_cast<int>(candidates.size()));
        formed = MoveOfCandidate(candidates[pick], move) &&
                 field.Inside(move.NewCell.col, move.NewCell.row) &&
                 field.IsEmpty(move.NewCell.col, move.NewCell.row);
    }
    if (!formed) {
        // No word: a random letter into an empty cell, each cell listed once per occupied
        // neighbour, so cells among more letters are likelier.
        std::vector<Cell> cells;
        const bool straight = settings.AnyStraight();
        const bool diagonal = settings.AnyDiagonal();
        auto look = [&](int x, int y, int c, int r) {
            if (field.Inside(c, r) && !field.IsEmpty(c, r)) cells.push_back({x, y});
        };
        for (int x = 0; x < field.Cols(); ++x) {
            for (int y = 0; y < field.Rows(); ++y) {
                if (!field.IsEmpty(x, y)) continue;
                if (straight) {
                    look(x, y, x - 1, y);
                    look(x, y, x, y - 1);
                    look(x, y, x + 1, y);
                    look(x, y, x, y + 1);
                }
                if (diagonal) {
                    look(x, y, x - 1, y - 1);
                    look(x, y, x - 1, y + 1);
                    look(x, y, x + 1, y - 1);
                    look(x, y, x + 1, y + 1);
                }
            }
        }
        if (cells.empty()) {
            // No empty cell touches a letter (an empty field, or no direction switched on):
            // any empty cell will do.
            for (int x = 0; x < field.Cols(); ++x)
                for (int y = 0; y < field.Rows(); ++y)
                    if (field.IsEmpty(x, y)) cells.push_back({x, y});
        }
        if (cells.empty()) return {};
        const Cell cell = cells[rng.Int(static_cast<int>(cells.size()))];
        const int letterCount = dict.LetterCount > 0 ? dict.LetterCount : 26;
        move.Letter = static_cast<char>(dict.FirstLetter + rng.Int(letterCount));
        move.Word.assign(1, move.Letter);
        move.NewCell = cell;
        move.Chain = {cell};
    }

    return move;
}

}  // namespace tq
