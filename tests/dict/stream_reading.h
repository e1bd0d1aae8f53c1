// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A reader of a .tqd code stream that never stops early: it decodes every bit up to the digest,
// as the reading steps allow, so the tests can see what the padding after the last word reads as.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>

namespace tq::test {

inline uint32_t FileWord(const std::span<const uint8_t> file, std::size_t i) {
    return uint32_t{file[4 * i]} | uint32_t{file[4 * i + 1]} << 8 |
           uint32_t{file[4 * i + 2]} << 16 | uint32_t{file[4 * i + 3]} << 24;
}

// The letters of the whole code stream, read to its last bit as a reader that never stops early
// would (the words, then whatever the padding decodes to), and the number of bits left over at
// the end. A pattern that matches no code sets `unmatched`.
struct StreamReading {
    std::string letters;
    int leftBits = 0;
    bool unmatched = false;
};

inline StreamReading ReadWholeStream(const std::span<const uint8_t> file, uint8_t firstLetter) {
    const std::size_t n = file.size() / 4;
    const uint32_t header2 = FileWord(file, 183);
    const std::size_t codeCount = header2 >> 26;
    const std::size_t begin = 184 + codeCount + 3 + ((header2 >> 20) & 63);
    std::map<std::pair<int, uint32_t>, char> codes;
    for (std::size_t e = 184; e < 184 + codeCount; ++e) {
        const uint32_t entry = FileWord(file, e);
        const int len = static_cast<int>((entry >> 21) & 31);
        codes[{len, entry & ((1u << len) - 1)}] =
            static_cast<char>(firstLetter + (entry >> 26) - 1);
    }
    StreamReading r;
    uint32_t value = 0;
    int pending = 0;
    for (std::size_t w = begin; w < n - 4; ++w) {
        for (int b = 31; b >= 0; --b) {
            value = value << 1 | ((FileWord(file, w) >> b) & 1);
            ++pending;
            const auto found = pending >= 2 ? codes.find({pending, value}) : codes.end();
            if (found != codes.end()) {
                r.letters += found->second;
                value = 0;
                pending = 0;
            } else if (pending == 12) {
                r.unmatched = true;
                return r;
            }
        }
    }
    r.leftBits = pending;
    return r;
}

}  // namespace tq::test
