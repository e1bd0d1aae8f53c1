// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the compressed dictionary reader. Every input goes through the reader as it
// is, and again with its stored digest made right, so that the header, the tables and the code
// stream are reached too. A decoded file must also survive being packed and read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "dict/compressed.h"
#include "dict/digest.h"
#include "dict/pack.h"
#include "dict/word_store.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string> AllWords(const tq::WordStore& store) {
    std::vector<std::string> out;
    for (int len = tq::kMinWordLength; len <= tq::kMaxWordLength; ++len)
        for (const auto& w : store.WordsOfLength(len)) out.push_back(w);
    return out;
}

void CheckDecoded(const tq::Result<tq::TqdContents>& decoded) {
    if (!decoded.ok()) {
        Require(!decoded.message().empty());
        return;
    }
    const tq::TqdContents& c = *decoded;
    std::size_t letters = 0;
    for (const auto& run : c.runs) {
        Require(run.length >= tq::kMinWordLength && run.length <= tq::kMaxWordLength);
        Require(run.count <= 65535);
        letters += run.count * static_cast<std::size_t>(run.length);
    }
    Require(letters == c.letters.size());

    tq::WordStore store;
    tq::AddDecodedWords(c, store);
    Require(store.TotalWords() <= c.WordCount());
    c.ForEachWord([&](std::string_view w) { Require(store.ContainsWord(w)); });

    // What the packer writes, the reader reads back unchanged.
    if (c.Language != 1 && c.Language != 2) return;
    tq::PackOptions options;
    options.Language = c.Language;
    options.Edition = c.Edition;
    const tq::Result<std::vector<uint8_t>> packed = tq::PackDictionary(store, options);
    if (!packed.ok()) return;  // e.g. a letter outside the alphabet
    const tq::Result<tq::TqdContents> again = tq::DecodeCompressedDictionary(*packed);
    Require(again.ok());
    tq::WordStore back;
    tq::AddDecodedWords(*again, back);
    Require(AllWords(back) == AllWords(store));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);
    CheckDecoded(tq::DecodeCompressedDictionary(input));

    if (size < 16 || size % 16 != 0 || size > tq::kMaxCompressedSize) return 0;
    std::vector<uint8_t> fixed(data, data + size);
    const std::size_t n = size / 4;
    std::vector<uint32_t> words(n);
    for (std::size_t i = 0; i < n; ++i)
        words[i] = uint32_t{fixed[4 * i]} | uint32_t{fixed[4 * i + 1]} << 8 |
                   uint32_t{fixed[4 * i + 2]} << 16 | uint32_t{fixed[4 * i + 3]} << 24;
    const tq::Digest d = tq::Digest128(words, n / 4 - 1);
    for (int k = 0; k < 4; ++k)
        for (int b = 0; b < 4; ++b)
            fixed[size - 16 + 4 * k + b] = static_cast<uint8_t>(d[k] >> (8 * b));
    // With its digest mended, a file of a fitting size fails, if at all, behind the digest.
    const tq::Result<tq::TqdContents> c = tq::DecodeCompressedDictionary(fixed);
    Require(c.ok() || (c.message() != "the digest does not match" &&
                       c.message().find("640000") == std::string::npos));
    CheckDecoded(c);
    return 0;
}
