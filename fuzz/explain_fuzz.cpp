// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the explanations reader. Every input is read as a whole explanations file,
// looking up the first word of each of its blocks and words around them; then its bytes after
// the first become the plain text of the one block of a file with a sound header and table, so
// that the lines behind the packing are reached too. Whatever is found must be one to four
// glosses of well-formed UTF-8 within the bound.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "dict/cp1251.h"
#include "dict/explanations.h"
#include "fuzz_checks.h"

namespace {

void Check(std::span<const uint8_t> file, std::string_view word) {
    const tq::Result<std::vector<std::string>> found = tq::FindExplanation(file, word);
    if (!found.ok()) {
        Require(!found.message().empty());
        return;
    }
    Require(found->size() <= tq::kMaxGlosses);
    for (const std::string& gloss : *found) {
        Require(!gloss.empty() && gloss.size() <= tq::kMaxGlossBytes);
        Require(tq::IsValidUtf8(gloss));
        for (const char ch : gloss) Require(static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F);
    }
}

void Put32(std::string& out, uint32_t v) {
    for (int b = 0; b < 4; ++b) out += static_cast<char>(v >> (8 * b) & 0xFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);
    std::vector<std::string> words = {"TYRE", "A", ""};
    // The first words of the blocks the table names, and words just before and after them.
    for (std::size_t at = 16; at + 44 <= size && words.size() < 64; at += 44) {
        std::string first(reinterpret_cast<const char*>(data + at), 32);
        first.resize(std::strlen(first.c_str()));
        words.push_back(first);
        words.push_back(first + "A");
        if (!first.empty()) words.push_back(first.substr(0, first.size() - 1));
    }
    for (const std::string& w : words) Check(input, w);

    if (size < 2 || size > tq::kMaxExplanationBlock) return 0;
    const std::string plain(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string packed(compressBound(plain.size()), '\0');
    uLongf packedSize = packed.size();
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                 reinterpret_cast<const Bytef*>(plain.data()), plain.size()) != Z_OK)
        return 0;
    packed.resize(packedSize);
    std::string first = plain.substr(0, plain.find_first_of("\t\n"));
    first.resize(32, '\0');
    std::string file = "TQEX";
    Put32(file, tq::kExplanationsVersion);
    Put32(file, 1);
    Put32(file, 1);
    file += first;
    Put32(file, 16 + 44);
    // The first byte may leave the sizes as they are or make them wrong.
    Put32(file, static_cast<uint32_t>(packed.size()) + (data[0] & 1));
    Put32(file, static_cast<uint32_t>(plain.size()) + (data[0] >> 1 & 1));
    file += packed;
    const std::span<const uint8_t> mended(reinterpret_cast<const uint8_t*>(file.data()),
                                          file.size());
    Check(mended, first.c_str());
    for (std::size_t at = 0, n = 0; at < plain.size() && n < 16; ++n) {
        const std::size_t end = plain.find('\n', at);
        const std::string line = plain.substr(at, end == std::string::npos ? end : end - at);
        Check(mended, line.substr(0, line.find('\t')));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return 0;
}
