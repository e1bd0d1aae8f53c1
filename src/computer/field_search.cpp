// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/field_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "computer/reference_search.h"

namespace tq {

namespace {

constexpr int kCells = kMaxFieldSide * kMaxFieldSide;

// A cell's index in the walk: column * 10 + row, so its code is the index's two decimal digits.
constexpr int Index(int col, int row) {
    return col * kMaxFieldSide + row;
}

// One way found: the word's letters, its chain and the new letter's position.
struct Hit {
    uint8_t length;
    uint8_t newPos;  // 1-based
    uint8_t cells[kMaxWordLength];
    char letters[kMaxWordLength];
};

// Walks chains over the field while they spell a prefix of some word of the graph. An empty cell
// takes each letter the graph offers there (once per chain), the joker each letter but never the
// new one. A chain without its empty cell yet goes on only while an empty cell can still be
// reached within the words below. Each distinct word is judged once, when first formed: the
// letter budget, the played words, the skill draw, the words already on the field. With
// longestOnly, chains that can only give words shorter than the longest kept one are dropped.
//
// Lazy judging keeps the chances of the reference search: every word is kept or dropped by its
// own draw, and a word left unjudged is shorter than one already kept, so it could not have
// been in the result either way.
class FieldWalker {
  public:
    FieldWalker(const WordGraph& graph, const FieldSearchRequest& request)
        : graph_(graph),
          request_(request),
          crossings_(request.settings.AllowCrossings),
          floor_(request.minLen),
          upTo_(request.maxLen >= 63 ? ~uint64_t{0} : (uint64_t{1} << (request.maxLen + 1)) - 1) {
        const Field& field = request.field;
        cols_ = field.Cols();
        rows_ = field.Rows();
        for (int k = 0; k < 8; ++k) directionOn_[k] = request.settings.DirectionOn(k);
        for (int x = 0; x < cols_; ++x) {
            for (int y = 0; y < rows_; ++y) {
                const int i = Index(x, y);
                cell_[i] = field.At(x, y);
                int n = 0;
                for (int k = 0; k < 8; ++k) {
                    if (!directionOn_[k]) continue;
                    const int nx = x + kDirections[k].dc;
                    const int ny = y + kDirections[k].dr;
                    if (!field.Inside(nx, ny)) continue;
                    Step& s = steps_[i][n];
                    s.to = static_cast<uint8_t>(Index(nx, ny));
                    s.block = static_cast<uint8_t>(Index(std::min(x, nx), std::min(y, ny)));
                    s.diagonal = nx == x || ny == y ? 0 : (nx - x == ny - y ? 1 : 2);
                    const char c = field.At(nx, ny);
                    s.letter = c;
                    s.bit = graph.LetterBit(c);
                    const uint8_t slot = static_cast<uint8_t>(1u << n);
                    if (c == kEmptyCell) {
                        blankSteps_[i] |= slot;
                    } else if (c == kJoker) {
                        jokerSteps_[i] |= slot;
                    } else if (s.bit != 0) {
                        letterSteps_[i] |= slot;
                        lettersAround_[i] |= s.bit;
                        stepsByLetter_[i][std::countr_zero(s.bit)] |= slot;
                    }
                    ++n;
                }
                stepCount_[i] = static_cast<uint8_t>(n);
            }
        }
        ComputeDistances();
    }

    void Walk() {
        for (int x = 0; x < cols_; ++x) {
            for (int y = 0; y < rows_; ++y) {
                const int i = Index(x, y);
                const char c = cell_[i];
                if (c == kEmptyCell) {
                    EnterBlank(WordGraph::kStart, 0, i);
                } else if (c == kJoker) {
                    const uint32_t start = WordGraph::kStart;
                    for (uint32_t n = graph_.FirstChild(start); n < graph_.ChildEnd(start); ++n)
                        Enter<false>(n, 1, i);
                } else {
                    const uint32_t next = graph_.Next(WordGraph::kStart, c);
                    if (next != WordGraph::kNone) Enter<false>(next, 1, i);
                }
            }
        }
    }

    // The entries found: with longestOnly those of the longest kept length, else all.
    void Emit(std::vector<Candidate>& out) const {
        for (int len = kMaxWordLength; len >= kMinWordLength; --len) {
            if (request_.longestOnly && len != best_) continue;
            for (const Hit& h : hits_[len]) out.push_back(CandidateOf(h));
        }
    }

  private:
    struct Step {
        uint32_t bit;  // the graph's bit of the neighbour's letter (0 for other cells)
        uint8_t to;
        uint8_t block;     // the 2 x 2 block a diagonal step lies in (its top-left cell)
        uint8_t diagonal;  // 0 straight, 1 top-left to bottom-right, 2 the other diagonal
        char letter;
    };

    static constexpr uint8_t kFar = 64;

    // The fewest further steps from each occupied cell to an empty one through occupied cells.
    void ComputeDistances() {
        std::fill(std::begin(dist_), std::end(dist_), kFar);
        int queue[kCells];
        int head = 0;
        int tail = 0;
        for (int x = 0; x < cols_; ++x)
            for (int y = 0; y < rows_; ++y)
                if (cell_[Index(x, y)] == kEmptyCell) {
                    dist_[Index(x, y)] = 0;
                    queue[tail++] = Index(x, y);
                }
        // Reverse steps: p reaches u when u - p is an enabled direction.
        while (head < tail) {
            const int u = queue[head++];
            const int ux = u / kMaxFieldSide;
            const int uy = u % kMaxFieldSide;
            for (int k = 0; k < 8; ++k) {
                if (!directionOn_[k]) continue;
                const int px = ux - kDirections[k].dc;
                const int py = uy - kDirections[k].dr;
                if (px < 0 || py < 0 || px >= cols_ || py >= rows_) continue;
                const int p = Index(px, py);
                if (dist_[p] != kFar || cell_[p] == kEmptyCell) continue;
                dist_[p] = static_cast<uint8_t>(dist_[u] + 1);
                queue[tail++] = p;
            }
        }
    }

    // Of the steps `wanted` of cell i (bit n for steps_[i][n]), those whose cells are not in the
    // chain and, unless crossings are allowed, whose diagonal does not cross a diagonal step of
    // the chain.
    uint32_t FreeSteps(int i, uint32_t wanted) const {
        uint32_t free = wanted;
        for (uint32_t m = wanted; m != 0; m &= m - 1) {
            const int s = std::countr_zero(m);
            const Step& step = steps_[i][s];
            bool taken = visited_[step.to];
            if (!crossings_ && step.diagonal != 0)
                taken |= (blockUsed_[step.block] & (3 - step.diagonal)) != 0;
            free &= ~(static_cast<uint32_t>(taken) << s);
        }
        return free;
    }

    // Whether a word of a length from lo to maxLen can still end after `node` at position depth.
    // lo may be far beyond every length (a cell that reaches no empty cell is kFar away).
    bool Wanted(uint32_t node, int depth, int lo) const {
        if (lo > request_.maxLen) return false;
        return ((uint64_t{graph_.Remaining(node)} << depth) & upTo_ & ~((uint64_t{1} << lo) - 1)) !=
               0;
    }

    // Puts the letter of graph node `node` (read in cell i) at chain position `depth`
    // (1-based). Before the new letter the chain must still be able to reach an empty cell.
    template <bool kAfterNew>
    void Enter(uint32_t node, int depth, int i) {
        int lo = std::max(floor_, depth);
        if constexpr (!kAfterNew) lo = std::max(lo, depth + dist_[i]);
        if (!Wanted(node, depth, lo)) return;
        if constexpr (kAfterNew) {
            if (depth == 2 && newPos_ == 1 && Reusable(cells_[0], i)) {
                EnterAfterStart(node, i);
                return;
            }
        }
        visited_[i] = true;
        cells_[depth - 1] = static_cast<uint8_t>(i);
        letters_[depth - 1] = graph_.Letter(node);
        if constexpr (kAfterNew) {
            if (graph_.IsWord(node) && depth >= floor_) {
                if (capture_ != nullptr) Capture(depth);
                Record(depth);
            }
        }
        if (depth < request_.maxLen) {
            uint32_t wanted = jokerSteps_[i];
            if constexpr (!kAfterNew) wanted |= blankSteps_[i];
            for (uint32_t m = graph_.ChildLetters(node) & lettersAround_[i]; m != 0; m &= m - 1)
                wanted |= stepsByLetter_[i][std::countr_zero(m)];
            if (wanted != 0) Extend<kAfterNew>(node, depth, i, FreeSteps(i, wanted));
        }
        visited_[i] = false;
    }

    // Puts each letter the graph offers after `node` into the empty cell i at position
    // depth + 1, skipping letters that neither end a word nor go on to a neighbouring letter.
    void EnterBlank(uint32_t node, int depth, int i) {
        const uint32_t free = FreeSteps(i, letterSteps_[i] | jokerSteps_[i]);
        uint32_t around = jokerSteps_[i] != 0 ? ~uint32_t{0} : 0;
        for (uint32_t m = letterSteps_[i] & free; m != 0; m &= m - 1)
            around |= steps_[i][std::countr_zero(m)].bit;
        const int at = depth + 1;
        const bool canEnd = at >= floor_;
        // The lengths still wanted, counted from this position.
        const uint64_t need = (upTo_ & ~((uint64_t{1} << std::max(floor_, at)) - 1)) >> at;
        visited_[i] = true;
        cells_[depth] = static_cast<uint8_t>(i);
        newPos_ = at;
        // First mark, without branching, the letters worth trying: those that end a word here or
        // go on to a free neighbouring letter, and that still allow a wanted length.
        for (uint32_t base = graph_.FirstChild(node), end = graph_.ChildEnd(node); base < end;
             base += 64) {
            const uint32_t count = std::min<uint32_t>(64, end - base);
            uint64_t worth = 0;
            for (uint32_t k = 0; k < count; ++k) {
                const uint32_t c = base + k;
                const bool goes = (graph_.ChildLetters(c) & around) != 0;
                const bool ends = canEnd && graph_.IsWord(c);
                const bool wanted = (graph_.Remaining(c) & need) != 0;
                worth |= static_cast<uint64_t>((goes || ends) && wanted) << k;
            }
            for (; worth != 0; worth &= worth - 1) {
                const uint32_t next = base + static_cast<uint32_t>(std::countr_zero(worth));
                letters_[depth] = graph_.Letter(next);
                if (graph_.IsWord(next) && at >= floor_) Record(at);
                if (at < request_.maxLen) Extend<true>(next, at, i, free);
            }
        }
        newPos_ = 0;
        visited_[i] = false;
    }

    // Continues the chain from cell i (position depth, graph node `node`) through the steps
    // in `free`.
    template <bool kAfterNew>
    void Extend(uint32_t node, int depth, int i, uint32_t free) {
        const uint32_t letters = graph_.ChildLetters(node) & lettersAround_[i];
        // Neighbours by letter: one graph step serves every neighbour holding that letter.
        for (uint32_t m = letters; m != 0; m &= m - 1) {
            const uint32_t bit = m & (~m + 1);
            uint32_t slots = stepsByLetter_[i][std::countr_zero(bit)] & free;
            if (slots == 0) continue;
            uint32_t next = graph_.Next(node, steps_[i][std::countr_zero(slots)].letter, bit);
            for (; slots != 0; slots &= slots - 1) {
                const Step& step = steps_[i][std::countr_zero(slots)];
                if (bit == WordGraph::kSharedBit) next = graph_.Next(node, step.letter, bit);
                if (next == WordGraph::kNone) continue;
                Take(step);
                Enter<kAfterNew>(next, depth + 1, step.to);
                Untake(step);
            }
        }
        for (uint32_t slots = jokerSteps_[i] & free; slots != 0; slots &= slots - 1) {
            const Step& step = steps_[i][std::countr_zero(slots)];
            Take(step);
            for (uint32_t n = graph_.FirstChild(node); n < graph_.ChildEnd(node); ++n)
                Enter<kAfterNew>(n, depth + 1, step.to);
            Untake(step);
        }
        if constexpr (!kAfterNew) {
            for (uint32_t slots = blankSteps_[i] & free; slots != 0; slots &= slots - 1) {
                const Step& step = steps_[i][std::countr_zero(slots)];
                Take(step);
                EnterBlank(node, depth, step.to);
                Untake(step);
            }
        }
    }

    // Crossing marks matter only while crossings are refused.
    void Take(const Step& step) {
        if (!crossings_) blockUsed_[step.block] |= step.diagonal;
    }
    void Untake(const Step& step) {
        if (!crossings_) blockUsed_[step.block] &= static_cast<uint8_t>(~step.diagonal);
    }

    // A chain that starts with the new letter in an empty cell e goes on through letters only,
    // so it never comes back to e: what follows its second cell i is the same for every empty
    // cell next to i and every first letter that leads to the same graph node. It is walked
    // once per second cell and graph node and then replayed, unless a refused crossing could
    // tell the empty cells apart (a diagonal first step).
    bool Reusable(int e, int i) const {
        return crossings_ || e / kMaxFieldSide == i / kMaxFieldSide ||
               e % kMaxFieldSide == i % kMaxFieldSide;
    }

    struct Tail {
        uint8_t length;
        uint8_t cells[kMaxWordLength];
        char letters[kMaxWordLength];
    };

    void EnterAfterStart(uint32_t node, int i) {
        const uint64_t key = (uint64_t{node} << 8) | static_cast<uint64_t>(i);
        const auto [it, fresh] = tails_.try_emplace(key);
        if (fresh) {
            std::vector<Tail> found;
            capture_ = &found;
            visited_[i] = true;
            cells_[1] = static_cast<uint8_t>(i);
            letters_[1] = graph_.Letter(node);
            if (graph_.IsWord(node) && 2 >= floor_) {
                Capture(2);
                Record(2);
            }
            if (2 < request_.maxLen) {
                uint32_t wanted = jokerSteps_[i];
                for (uint32_t m = graph_.ChildLetters(node) & lettersAround_[i]; m != 0; m &= m - 1)
                    wanted |= stepsByLetter_[i][std::countr_zero(m)];
                if (wanted != 0) Extend<true>(node, 2, i, FreeSteps(i, wanted));
            }
            visited_[i] = false;
            capture_ = nullptr;
            it->second = std::move(found);
            return;
        }
        // Replay for this empty cell and first letter: the same cells and letters after the
        // first. The node may have been reached from another first letter (letters whose
        // continuations are the same share their nodes), so the first letter stays this chain's.
        for (const Tail& t : it->second) {
            if (t.length < floor_) continue;
            std::copy(t.cells + 1, t.cells + t.length, cells_ + 1);
            std::copy(t.letters + 1, t.letters + t.length, letters_ + 1);
            Record(t.length);
        }
    }

    void Capture(int length) {
        Tail& t = capture_->emplace_back();
        t.length = static_cast<uint8_t>(length);
        std::copy(cells_, cells_ + length, t.cells);
        std::copy(letters_, letters_ + length, t.letters);
    }

    void Record(int length) {
        if (!Keep(std::string_view(letters_, length))) return;
        if (length > best_) {
            best_ = length;
            if (request_.longestOnly) floor_ = std::max(floor_, best_);
        }
        Hit& h = hits_[length].emplace_back();
        h.length = static_cast<uint8_t>(length);
        h.newPos = static_cast<uint8_t>(newPos_);
        std::copy(cells_, cells_ + length, h.cells);
        std::copy(letters_, letters_ + length, h.letters);
    }

    // Whether the word takes part; decided once per word and search.
    bool Keep(std::string_view word) {
        const auto [it, fresh] = judged_.try_emplace(std::string(word), false);
        if (!fresh) return it->second;
        it->second = WithinLetterBudget(word, request_.fieldLetters) &&
                     !request_.usedWords.Contains(word) &&
                     SkillKeeps(request_.filter, static_cast<int>(word.size()), request_.rng) &&
                     (request_.settings.AllowExWords || !OnField(word));
        return it->second;
    }

    // Whether the word can be read on the field as it stands (the joker matches nothing).
    bool OnField(std::string_view word) {
        for (int x = 0; x < cols_; ++x) {
            for (int y = 0; y < rows_; ++y) {
                const int i = Index(x, y);
                if (cell_[i] != word[0]) continue;
                checkVisited_[i] = true;
                const bool found = Trace(word, 1, i);
                checkVisited_[i] = false;
                if (found) return true;
            }
        }
        return false;
    }

    bool Trace(std::string_view word, std::size_t d, int i) {
        if (d == word.size()) return true;
        for (uint32_t m = letterSteps_[i]; m != 0; m &= m - 1) {
            const Step& step = steps_[i][std::countr_zero(m)];
            if (step.letter != word[d] || checkVisited_[step.to]) continue;
            const uint8_t mark = step.diagonal;
            if (mark != 0 && !crossings_ && (checkBlocks_[step.block] & (3 - mark))) continue;
            checkVisited_[step.to] = true;
            checkBlocks_[step.block] |= mark;
            const bool found = Trace(word, d + 1, step.to);
            checkBlocks_[step.block] &= static_cast<uint8_t>(~mark);
            checkVisited_[step.to] = false;
            if (found) return true;
        }
        return false;
    }

    static Candidate CandidateOf(const Hit& h) {
        Candidate c;
        c.word.assign(h.letters, h.length);
        c.cells.reserve(h.length);
        for (int i = 0; i < h.length; ++i)
            c.cells.push_back(Cell{h.cells[i] / kMaxFieldSide, h.cells[i] % kMaxFieldSide});
        c.newPos = h.newPos;
        return c;
    }

    const WordGraph& graph_;
    const FieldSearchRequest& request_;
    bool crossings_;
    int floor_;      // the shortest length wanted: minLen, or with longestOnly the longest kept
    uint64_t upTo_;  // the lengths up to maxLen, as bits
    int cols_ = 0;
    int rows_ = 0;
    bool directionOn_[8] = {};
    char cell_[kCells] = {};
    Step steps_[kCells][8] = {};
    uint8_t stepCount_[kCells] = {};
    // Per cell, the steps (bit n for steps_[i][n]) to letters, to each letter, to the joker and
    // to empty cells, and the letters of the neighbouring letter cells.
    uint8_t letterSteps_[kCells] = {};
    uint8_t stepsByLetter_[kCells][32] = {};
    uint8_t jokerSteps_[kCells] = {};
    uint8_t blankSteps_[kCells] = {};
    uint32_t lettersAround_[kCells] = {};
    uint8_t dist_[kCells] = {};
    bool visited_[kCells] = {};
    uint8_t blockUsed_[kCells] = {};
    bool checkVisited_[kCells] = {};
    uint8_t checkBlocks_[kCells] = {};
    uint8_t cells_[kMaxWordLength] = {};
    char letters_[kMaxWordLength] = {};
    int newPos_ = 0;
    int best_ = 0;
    std::array<std::vector<Hit>, kMaxWordLength + 1> hits_;
    std::unordered_map<std::string, bool> judged_;
    std::unordered_map<uint64_t, std::vector<Tail>> tails_;
    std::vector<Tail>* capture_ = nullptr;
};

}  // namespace

void SearchField(const WordGraph& graph, const FieldSearchRequest& request,
                 std::vector<Candidate>& out) {
    auto walker = std::make_unique<FieldWalker>(graph, request);
    walker->Walk();
    walker->Emit(out);
}

}  // namespace tq
