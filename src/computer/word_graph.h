// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word graph of the computer player: every searchable word of the store as a minimal acyclic
// automaton (a trie whose equal subtrees are shared), stored as node records. A node stands for
// one edge of the automaton: its letter, plus everything about the state it leads to (the letters
// that can follow, where the records of those follow-on edges sit, side by side and sorted by
// letter, and the word lengths that can still follow). A state reached by several edges has its
// record copied under each, so a walk touches one record per letter. Node 0 is the start (the
// empty prefix). Sharing keeps the graph small enough for the processor's caches, which is what
// the field walk's speed depends on.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dict/word_store.h"

namespace tq {

// The number of set bits, without a library call where the processor may lack the instruction.
constexpr int CountBits(uint32_t x) {
#if defined(__POPCNT__) || !defined(__x86_64__)
    return std::popcount(x);
#else
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
#endif
}

class WordGraph {
  public:
    explicit WordGraph(const WordStore& words);

    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    static constexpr uint32_t kStart = 0;

    // The letters of the graph are numbered in byte order and each has the bit of its number; a
    // byte outside every word has no bit (0). An alphabet of more than 32 letters shares the last
    // bit among the 32nd letter and all after it (kSharedBit): their nodes are told apart by
    // their letters.
    static constexpr uint32_t kSharedBit = uint32_t{1} << 31;
    uint32_t LetterBit(char letter) const { return letterBit_[static_cast<unsigned char>(letter)]; }

    // The nodes that follow a node: FirstChild .. ChildEnd - 1.
    uint32_t FirstChild(uint32_t node) const { return nodes_[node].firstChild; }
    uint32_t ChildEnd(uint32_t node) const {
        return nodes_[node].firstChild + nodes_[node].childCount;
    }
    bool HasChildren(uint32_t node) const { return nodes_[node].childCount != 0; }
    char Letter(uint32_t node) const { return nodes_[node].letter; }
    // The bits of the letters of the node's children.
    uint32_t ChildLetters(uint32_t node) const { return nodes_[node].childLetters; }
    // The child with the letter, or kNone. `bit` is LetterBit(letter).
    uint32_t Next(uint32_t node, char letter, uint32_t bit) const {
        const Node& n = nodes_[node];
        if ((n.childLetters & bit) == 0) return kNone;
        uint32_t c = n.firstChild + static_cast<uint32_t>(CountBits(n.childLetters & (bit - 1)));
        if (bit != kSharedBit) return c;
        for (const uint32_t end = n.firstChild + n.childCount; c < end; ++c)
            if (nodes_[c].letter == letter) return c;
        return kNone;
    }
    uint32_t Next(uint32_t node, char letter) const {
        return Next(node, letter, LetterBit(letter));
    }
    // Bit n is set when a word ends n letters after the node (bit 0: a word ends here).
    uint32_t Remaining(uint32_t node) const { return nodes_[node].remaining; }
    bool IsWord(uint32_t node) const { return (nodes_[node].remaining & 1u) != 0; }

    std::size_t NodeCount() const { return nodes_.size(); }
    std::size_t StateCount() const { return stateCount_; }
    std::size_t Bytes() const { return nodes_.capacity() * sizeof(Node); }

  private:
    struct Node {
        uint32_t childLetters = 0;
        uint32_t firstChild = 0;
        uint32_t remaining = 0;
        uint16_t childCount = 0;
        char letter = 0;
    };
    std::vector<Node> nodes_;
    std::size_t stateCount_ = 0;
    std::array<uint32_t, 256> letterBit_{};
};

}  // namespace tq
