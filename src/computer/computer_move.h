// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer player: a word graph built once from the word store, the field-driven search over
// it, and the choice of a computer seat's move by skill.

#include <memory>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "base/letters.h"
#include "base/move.h"
#include "base/random.h"
#include "base/rules.h"
#include "computer/candidate.h"
#include "dict/word_store.h"

namespace tq {

class WordGraph;

class ComputerPlayer {
  public:
    // Builds the word graph from the store once. The store must outlive the player; words added to
    // it later (accepted unknown words) are picked up by rebuilding the graph on the next search.
    explicit ComputerPlayer(const WordStore& words);
    ~ComputerPlayer();
    ComputerPlayer(const ComputerPlayer&) = delete;
    ComputerPlayer& operator=(const ComputerPlayer&) = delete;

    // The search with the contract of FindCandidatesReference (computer/reference_search.h): for
    // skill 7 the same entries; for skills 1 to 6 the same chances (each formable word takes part
    // with its length's chance, one draw per distinct word). Appends the candidates to `out`.
    void FindCandidates(const Field& field, const GameSettings& settings,
                        const std::string& fieldLetters, const SortedWordList& usedWords,
                        int minLen, int maxLen, bool longestOnly, int filter, Random& rng,
                        std::vector<Candidate>& out) const;

    // Chooses the move of state.CurrentSeat: the longest word its skill lets it see, one way of
    // it drawn uniformly; with none, a random letter into an empty cell next to the letters (the
    // move's Word is then that letter alone and its Chain the cell's code). A word's Chain is its
    // cell codes joined by ':' with no final ':'. Changes nothing but the random source: the game
    // commits the move. When the field has no empty cell the move's Word is empty.
    Move ChooseMove(const Field& field, const GameSettings& settings, const GameState& state,
                    const TDictInfo& dict, Random& rng) const;

    // The bytes the word graph holds (for the benchmark's memory figure).
    std::size_t GraphBytes() const;

    // A player for another thread: it searches the word graph as it is now (brought up to date
    // here, on the caller's thread) and never looks at the store again, so the store may grow and
    // this player rebuild its own graph meanwhile. The graph is shared, never copied.
    std::unique_ptr<ComputerPlayer> Frozen() const;

  private:
    explicit ComputerPlayer(std::shared_ptr<const WordGraph> graph);
    void RefreshGraph() const;

    const WordStore* words_;  // null for a frozen player
    mutable std::shared_ptr<const WordGraph> graph_;
    mutable std::size_t graphWordCount_ = 0;
};

// The move a candidate describes. Returns false when it is not one (k outside the word or the
// chain).
bool MoveOfCandidate(const Candidate& candidate, Move& move);

}  // namespace tq
