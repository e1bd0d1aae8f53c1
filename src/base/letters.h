// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-byte game text: code page 1251 for Russian, ASCII for English. Words are compared and
// ordered without regard to letter case, the way the word lists and the played-word list need.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

// The capital of a letter: small Cyrillic 224..255 fold to 192..223, 184 (small yo) to 168,
// a..z to A..Z; every other byte stays.
constexpr unsigned char FoldLetter(unsigned char c) {
    if (c >= 224) return static_cast<unsigned char>(c - 32);
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c == 184) return 168;
    return c;
}

// Case-insensitive three-way comparison: negative, 0 or positive.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

// Strict weak order for sorting with CompareText.
struct TextLess {
    bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// The word in capitals.
std::string UpperText(std::string_view s);

// A sorted list of words without duplicates under CompareText (the played words of a game).
class SortedWordList {
  public:
    // Adds the word unless an equal one is held. Returns true when it was added.
    bool Add(std::string_view word);
    bool Contains(std::string_view word) const;
    void Clear() { words_.clear(); }
    std::size_t Size() const { return words_.size(); }
    const std::vector<std::string>& Words() const { return words_; }

  private:
    std::vector<std::string> words_;
};

}  // namespace tq
