// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/letters.h"

#include <algorithm>

namespace tq {

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldLetter(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldLetter(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string UpperText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(FoldLetter(static_cast<unsigned char>(c)));
    return out;
}

bool SortedWordList::Add(std::string_view word) {
    auto it = std::lower_bound(words_.begin(), words_.end(), word, TextLess{});
    if (it != words_.end() && SameText(*it, word)) return false;
    words_.insert(it, std::string(word));
    return true;
}

bool SortedWordList::Contains(std::string_view word) const {
    auto it = std::lower_bound(words_.begin(), words_.end(), word, TextLess{});
    return it != words_.end() && SameText(*it, word);
}

}  // namespace tq
