// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building compressed dictionary files (.tqd) from a word store: a length-limited Huffman code of
// 2..12 bits per letter, the words ordered by length and within a length in the store's order,
// and the closing digest. The decoder of dict/compressed.h reads what this writes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "dict/word_store.h"

namespace tq {

struct PackOptions {
    uint8_t Language = 1;      // 1 Russian, 2 English; sets the alphabet the letters come from
    uint8_t Edition = 0;       // 0..63
    uint8_t SecondNumber = 0;  // 0..63, kept in the header and read by nothing
};

// Packs every word of the store. Fails with a readable error when a word holds a byte outside the
// alphabet of options.Language, a length has more than 65535 words, an option is out of range, or
// the file would exceed 640000 bytes. The bits after the last word decode, for a reader that goes
// on, to fewer letters than the longest word has, so they never complete a word. An empty store
// gives a valid file without letters or words.
Result<std::vector<uint8_t>> PackDictionary(const WordStore& store, const PackOptions& options);

// Code lengths for letter frequencies (index 0..n-1): a prefix code with every used letter's
// length in 2..maxLength and unused letters (frequency 0) at 0, of least total length among
// codes limited to maxLength bits (package-merge). Needs the number of used letters to be at
// most 2^maxLength.
std::vector<int> LimitedCodeLengths(const std::vector<uint64_t>& freq, int maxLength);

// Canonical codes for the lengths: shorter codes first, equal lengths in index order.
std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths);

}  // namespace tq
