// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Digest128: the program's own 128-bit digest. The compressed dictionary file closes with it, and
// the records files protect their lines with its text form.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tq {

// The four 32-bit words S0..S3 of a digest.
using Digest = std::array<uint32_t, 4>;

// The digest of 32-bit words grouped in 16-byte blocks of four words. The first block is always
// digested, then each further block whose word offset is at most blockCount - 1, so of blockCount
// blocks only the first ceil(blockCount / 4) count. Blocks not wholly inside `words` are never
// read: the digest stops at the end of the data.
Digest Digest128(std::span<const uint32_t> words, std::size_t blockCount);

// The text form: the text is padded with '#' to a multiple of 16 characters, packed four
// characters to a word big-endian (the first character in bits 31..24) and digested with
// blockCount = length / 16. An empty text is digested as one block of sixteen '#'.
Digest Digest128(std::string_view text);

}  // namespace tq
