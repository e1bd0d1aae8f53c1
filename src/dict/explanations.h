// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a word means: the explanations file beside a compressed dictionary (<name>.tqe, made by
// tools/dicts/make_en_explain.py), read on demand, and the address of a word's page in the
// Wiktionary of the dictionary's language for the words it does not explain.
//
// The file, all numbers 32-bit little-endian: "TQEX", the version (1), the number of blocks and
// the number of words; per block its first word (NUL-padded to 32 bytes), its offset in the file,
// its packed and its plain size; then the blocks, each a zlib stream of lines
// "WORD<TAB>gloss[<TAB>gloss]<LF>" with the glosses in UTF-8 and the words, in the dictionary's
// code page and capitals, strictly ascending in byte order across the file. Only the table and
// the one block that may hold the word are decoded.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace tq {

inline constexpr uint32_t kExplanationsVersion = 1;
inline constexpr std::size_t kMaxExplanationsSize = 8u << 20;    // the whole file
inline constexpr std::size_t kMaxExplanationBlock = 256u << 10;  // a block, packed or plain
inline constexpr std::size_t kMaxExplanationBlocks = 4096;
inline constexpr std::size_t kMaxGlosses = 4;        // glosses a word may have
inline constexpr std::size_t kMaxGlossBytes = 1000;  // the longest gloss

// The explanations of the dictionary `dictName` in the folder Dicts: Dicts/<dictName>.tqe.
std::filesystem::path ExplanationsFile(const std::filesystem::path& dictsFolder,
                                       const std::string& dictName);

// The glosses of a word (in the dictionary's code page and capitals) in a whole explanations file
// held in memory: empty when the file does not explain it. Each gloss is well-formed UTF-8
// without control characters. Fails, saying why, when the header,
// the table or the block the word would be in is damaged; never reads outside `data`.
Result<std::vector<std::string>> FindExplanation(std::span<const uint8_t> data,
                                                 std::string_view word);

// Reads the file (at most kMaxExplanationsSize bytes) and finds the word's glosses. A missing,
// unreadable or damaged file fails, saying why and naming the file; the game takes any failure
// as "no explanation".
Result<std::vector<std::string>> ReadExplanation(const std::filesystem::path& file,
                                                 std::string_view word);

// The word as the dictionary of `language` (1 Russian, 2 English) holds it, from UTF-8 text in
// any letter case: capitals, Russian in code page 1251 with Ё as Е. Empty when the text is not
// 2 to 30 letters of that alphabet.
std::string DictionaryWord(uint8_t language, std::string_view utf8);

// The word's page in the Wiktionary of the dictionary's language (ru.wiktionary.org for
// Russian, en.wiktionary.org otherwise): the word in lower case, UTF-8, percent-encoded.
std::string LookUpAddress(uint8_t language, std::string_view word);

}  // namespace tq
