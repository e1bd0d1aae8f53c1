// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/reference_search.h"

#include <algorithm>
#include <array>

#include "base/chain_rules.h"

namespace tq {

namespace {

// The tracer's neighbour order: up, left, right, down, up-left, up-right, down-right, down-left,
// each given by its position in the Directions flags (kDirections).
constexpr std::array<int, 8> kTraceOrder = {2, 0, 1, 3, 4, 5, 7, 6};

// The working state shared by WordOnField and the reference search.
class Tracer {
  public:
    Tracer(const Field& field, const GameSettings& settings) : field_(field), settings_(settings) {}

    // Check mode: whether the word is on the field as it stands.
    bool WordOnField(std::string_view word) {
        if (word.empty() || !SearchableWord(word)) return false;
        if (word.size() == 1) {
            for (int x = 0; x < field_.Cols(); ++x)
                for (int y = 0; y < field_.Rows(); ++y)
                    if (field_.At(x, y) == word[0]) return true;
            return false;
        }
        pattern_.assign(word);
        word_.assign(word);
        checkMode_ = true;
        found_ = false;
        for (int x = 0; x < field_.Cols(); ++x) {
            for (int y = 0; y < field_.Rows(); ++y) {
                if (field_.At(x, y) != word[0]) continue;
                cells_.clear();
                AppendCell(x, y);
                TracePath(x, y, 2);
                if (found_) {
                    checkMode_ = false;
                    return true;
                }
            }
        }
        checkMode_ = false;
        return false;
    }

    // Search mode: every chain that spells the word with its letter k in an empty cell.
    void FindWays(const std::string& word, std::vector<Candidate>& out, int& bestLen) {
        out_ = &out;
        word_ = word;
        const int len = static_cast<int>(word.size());
        for (int k = 1; k <= len; ++k) {
            pattern_ = word;
            pattern_[k - 1] = kEmptyCell;
            for (int x = 0; x < field_.Cols(); ++x) {
                for (int y = 0; y < field_.Rows(); ++y) {
                    const char cell = field_.At(x, y);
                    const bool start = pattern_[0] == kEmptyCell
                                           ? cell == kEmptyCell
                                           : (cell == pattern_[0] || cell == kJoker);
                    if (!start) continue;
                    cells_.clear();
                    newPos_ = k;
                    AppendCell(x, y);
                    bestLen_ = &bestLen;
                    TracePath(x, y, 2);
                }
            }
        }
        out_ = nullptr;
    }

  private:
    void AppendCell(int x, int y) { cells_.push_back(Cell{x, y}); }

    // The path holds d - 1 cells and ends at (x, y); d is the 1-based pattern position to place.
    void TracePath(int x, int y, int d) {
        const int len = static_cast<int>(pattern_.size());
        for (int k : kTraceOrder) {
            if (!settings_.DirectionOn(k)) continue;
            const int nx = x + kDirections[k].dc;
            const int ny = y + kDirections[k].dr;
            if (!field_.Inside(nx, ny)) continue;
            const char ch = pattern_[d - 1];
            const char c = field_.At(nx, ny);
            if (!(c == ch || (!checkMode_ && c == kJoker && ch != kEmptyCell))) continue;
            if (nx != x && ny != y && !settings_.AllowCrossings &&
                CrossesChain({x, y}, {nx, ny}, cells_))
                continue;
            if (ChainHasCell(cells_, {nx, ny})) continue;
            AppendCell(nx, ny);
            if (d == len) {
                if (checkMode_) {
                    found_ = true;
                } else {
                    out_->push_back(Candidate{word_, cells_, newPos_});
                    *bestLen_ = len;
                }
            } else {
                TracePath(nx, ny, d + 1);
            }
            cells_.pop_back();
        }
    }

    const Field& field_;
    const GameSettings& settings_;
    std::string word_;
    std::string pattern_;
    std::vector<Cell> cells_;  // the chain's cells
    int newPos_ = 0;
    bool checkMode_ = false;
    bool found_ = false;
    std::vector<Candidate>* out_ = nullptr;
    int* bestLen_ = nullptr;
};

struct SkillRow {
    double base;
    double slope;
};
constexpr std::array<SkillRow, 6> kSkillTable = {{
    {0.5, 0.098},
    {0.6, 0.088},
    {0.7, 0.078},
    {0.8, 0.068},
    {0.9, 0.058},
    {1.0, 0.048},
}};

}  // namespace

bool WordOnField(const Field& field, const GameSettings& settings, std::string_view word) {
    return Tracer(field, settings).WordOnField(word);
}

double SkillChance(int filter, int length) {
    if (filter < 1 || filter > 6) return 1.0;
    const SkillRow& row = kSkillTable[filter - 1];
    return row.base - row.slope * length;
}

bool SkillKeeps(int filter, int length, Random& rng) {
    if (filter < 1 || filter > 6) return true;
    return rng.Real() <= SkillChance(filter, length);
}

bool WithinLetterBudget(std::string_view word, std::string_view fieldLetters) {
    std::array<int, 256> count{};
    int jokers = 0;
    for (char c : fieldLetters) {
        ++count[static_cast<unsigned char>(c)];
        if (c == kJoker) ++jokers;
    }
    int missing = 0;
    for (char c : word) {
        int& n = count[static_cast<unsigned char>(c)];
        if (n > 0)
            --n;
        else
            ++missing;
    }
    return missing - jokers <= 1;
}

bool SearchableWord(std::string_view word) {
    return word.find(kEmptyCell) == std::string_view::npos &&
           word.find(kJoker) == std::string_view::npos;
}

void FindCandidatesReference(const Field& field, const GameSettings& settings,
                             const std::string& fieldLetters, const SortedWordList& usedWords,
                             const WordStore& words, int minLen, int maxLen, bool longestOnly,
                             int filter, Random& rng, std::vector<Candidate>& out) {
    const int letterCount = static_cast<int>(fieldLetters.size());
    if (maxLen > letterCount + 1) maxLen = letterCount + 1;
    int bestLen = 0;
    if (minLen > maxLen) return;
    Tracer tracer(field, settings);
    for (int len = maxLen; len >= minLen; --len) {
        if (longestOnly && len < bestLen) break;
        for (const std::string& word : words.WordsOfLength(len)) {
            if (!SearchableWord(word)) continue;
            if (!WithinLetterBudget(word, fieldLetters)) continue;
            if (!SkillKeeps(filter, len, rng)) continue;
            if (!settings.AllowExWords && tracer.WordOnField(word)) continue;
            if (usedWords.Contains(word)) continue;
            tracer.FindWays(word, out, bestLen);
        }
    }
}

}  // namespace tq
