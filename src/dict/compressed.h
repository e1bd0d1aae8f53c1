// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compressed dictionary file (.tqd): 728 uninterpreted bytes, two header words, a code entry
// per letter, three spare words, a length entry per word length, the words as one stream of
// prefix codes, and the Digest128 of the file's leading part in the last 16 bytes. All words are
// 32-bit little-endian; bit 31 is the most significant.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "base/status.h"
#include "dict/word_store.h"

namespace tq {

inline constexpr std::size_t kMaxCompressedSize = 640000;
inline constexpr std::size_t kHeaderWord1 = 182;  // word offsets in the file
inline constexpr std::size_t kHeaderWord2 = 183;
inline constexpr std::size_t kFirstCodeEntry = 184;
inline constexpr int kMaxCodeLength = 12;

// A decoded compressed dictionary. Words of equal length come in runs, so the letters of all
// words are held back to back and each run records its word length and number of words.
struct TqdContents {
    uint8_t Language = 0;
    uint8_t Edition = 0;
    uint8_t SecondNumber = 0;
    std::string letters;  // every decoded word, back to back, in stream order
    struct Run {
        int length;
        std::size_t count;
    };
    std::vector<Run> runs;

    std::size_t WordCount() const;
    // Calls f(std::string_view word) for every decoded word in stream order.
    template <class F>
    void ForEachWord(F&& f) const {
        std::size_t pos = 0;
        for (const Run& r : runs)
            for (std::size_t i = 0; i < r.count; ++i, pos += r.length)
                f(std::string_view(letters).substr(pos, r.length));
    }
};

// Checks and decodes a whole file held in memory. Never reads outside `data` and always ends. It
// fails, saying why, on a size above 640000 bytes or not a multiple of 16, on a stored digest that
// differs from that of the leading part, and on a file damaged behind a good digest: a fixed part
// that does not fit, a code length outside 1..12, a word length outside 2..30 or a stream pattern
// that matches no code. Decoding stops once every length's count is used up, so the zero bits
// padding the file are never taken for letters.
Result<TqdContents> DecodeCompressedDictionary(std::span<const uint8_t> data);

// Adds the decoded words to the store (cheap for words in the store's order).
void AddDecodedWords(const TqdContents& contents, WordStore& store);

// Reads a compressed dictionary into the store and sets the alphabet, Edition and the second
// header number of info. A file that cannot be read or fails any check changes nothing and
// fails, saying why and naming the file.
Status ReadCompressedDictionary(const std::filesystem::path& file, WordStore& store,
                                TDictInfo& info);

// Reads a whole regular file of at most maxSize bytes. Fails when it is missing, not a regular
// file (a FIFO is never waited on), larger than maxSize, or cannot be read.
Result<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file, std::size_t maxSize);

}  // namespace tq
