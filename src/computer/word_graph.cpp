// SPDX-License-Identifier: GPL-3.0-or-later
#include "computer/word_graph.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "computer/reference_search.h"

namespace tq {

WordGraph::WordGraph(const WordStore& store) {
    std::vector<std::string_view> words;
    words.reserve(store.TotalWords());
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        for (const std::string& w : store.WordsOfLength(len))
            if (SearchableWord(w)) words.emplace_back(w);
    // string_view orders bytes as unsigned char, the order the letters are numbered in.
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    std::array<bool, 256> used{};
    for (std::string_view w : words)
        for (char c : w) used[static_cast<unsigned char>(c)] = true;
    int letters = 0;
    for (int b = 0; b < 256; ++b)
        if (used[b]) letterBit_[b] = uint32_t{1} << std::min(letters++, 31);

    // 1. The trie, breadth first: a node covers the sorted words [lo, hi) sharing its prefix; its
    // children are created together, one per distinct next letter. Nodes are created in the order
    // they are queued, so children always come after their parent.
    struct TrieNode {
        uint32_t lo;
        uint32_t hi;
        uint32_t firstChild;
        uint16_t childCount;
        uint8_t depth;
        char letter;
        bool isWord;
    };
    std::vector<TrieNode> trie;
    trie.reserve(words.size() * 4);
    trie.push_back({0, static_cast<uint32_t>(words.size()), 0, 0, 0, 0, false});
    for (std::size_t head = 0; head < trie.size(); ++head) {
        const uint8_t depth = trie[head].depth;
        uint32_t lo = trie[head].lo;
        const uint32_t hi = trie[head].hi;
        if (lo < hi && words[lo].size() == depth) {
            trie[head].isWord = true;
            ++lo;
        }
        trie[head].firstChild = static_cast<uint32_t>(trie.size());
        uint16_t count = 0;
        while (lo < hi) {
            const char c = words[lo][depth];
            uint32_t end = lo + 1;
            while (end < hi && words[end][depth] == c) ++end;
            trie.push_back({lo, end, 0, 0, static_cast<uint8_t>(depth + 1), c, false});
            lo = end;
            ++count;
        }
        trie[head].childCount = count;
    }

    // 2. Equal subtrees: bottom up, a node's class is fixed by whether a word ends there and by
    // its children's letters and classes.
    std::vector<uint32_t> cls(trie.size());
    std::vector<uint32_t> rep;  // a trie node of each class
    std::unordered_map<std::string, uint32_t> classes;
    classes.reserve(trie.size() / 2);
    std::string key;
    for (std::size_t i = trie.size(); i-- > 0;) {
        const TrieNode& n = trie[i];
        key.assign(1, n.isWord ? '1' : '0');
        for (uint32_t c = n.firstChild; c < n.firstChild + n.childCount; ++c) {
            key += trie[c].letter;
            const uint32_t k = cls[c];
            key.append(reinterpret_cast<const char*>(&k), sizeof k);
        }
        const auto [it, fresh] = classes.try_emplace(key, static_cast<uint32_t>(rep.size()));
        if (fresh) rep.push_back(static_cast<uint32_t>(i));
        cls[i] = it->second;
    }
    classes = {};

    // 3. States numbered breadth first from the start; each state's block of child records
    // follows the start record in state order.
    std::vector<uint32_t> stateOf(rep.size(), kNone);
    std::vector<uint32_t> order;
    order.reserve(rep.size());
    stateOf[cls[0]] = 0;
    order.push_back(cls[0]);
    for (std::size_t head = 0; head < order.size(); ++head) {
        const TrieNode& n = trie[rep[order[head]]];
        for (uint32_t c = n.firstChild; c < n.firstChild + n.childCount; ++c) {
            if (stateOf[cls[c]] != kNone) continue;
            stateOf[cls[c]] = static_cast<uint32_t>(order.size());
            order.push_back(cls[c]);
        }
    }
    stateCount_ = order.size();
    std::vector<uint32_t> block(order.size());
    uint32_t next = 1;
    for (std::size_t s = 0; s < order.size(); ++s) {
        block[s] = next;
        next += trie[rep[order[s]]].childCount;
    }
    // What a record says about the state it leads to.
    std::vector<uint32_t> remaining(rep.size(), 0);
    for (std::size_t i = trie.size(); i-- > 0;) {
        const TrieNode& n = trie[i];
        uint32_t r = n.isWord ? 1u : 0u;
        for (uint32_t c = n.firstChild; c < n.firstChild + n.childCount; ++c)
            r |= remaining[cls[c]] << 1;
        remaining[cls[i]] = r;
    }
    auto describe = [&](uint32_t klass, char letter) {
        const TrieNode& n = trie[rep[klass]];
        Node node;
        node.letter = letter;
        node.firstChild = block[stateOf[klass]];
        node.childCount = n.childCount;
        node.remaining = remaining[klass];
        for (uint32_t c = n.firstChild; c < n.firstChild + n.childCount; ++c)
            node.childLetters |= LetterBit(trie[c].letter);
        return node;
    };
    nodes_.resize(next);
    nodes_[kStart] = describe(cls[0], 0);
    for (std::size_t s = 0; s < order.size(); ++s) {
        const TrieNode& n = trie[rep[order[s]]];
        uint32_t at = block[s];
        for (uint32_t c = n.firstChild; c < n.firstChild + n.childCount; ++c)
            nodes_[at++] = describe(cls[c], trie[c].letter);
    }
}

}  // namespace tq
