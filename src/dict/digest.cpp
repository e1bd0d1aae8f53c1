// SPDX-License-Identifier: GPL-3.0-or-later
#include "dict/digest.h"

#include <bit>
#include <vector>

namespace tq {

namespace {

// T[i] = 4294967295 - i^3, the bitwise complement of i cubed.
constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) t[i] = ~(i * i * i);
    return t;
}
constexpr std::array<uint32_t, 256> kTable = MakeTable();

constexpr uint32_t T(uint8_t x) {
    return kTable[x];
}
constexpr uint8_t Byte(uint32_t v, int k) {
    return static_cast<uint8_t>(v >> (8 * k));
}
constexpr uint32_t Rotr(uint32_t v, uint32_t s) {
    return std::rotr(v, static_cast<int>(s & 31));
}

// One mixing pass over a, b, c, d. The index x wraps at 256 (it is a byte).
void Mix(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d) {
    uint8_t x = Byte(d, 0);
    a ^= T(x);
    x = static_cast<uint8_t>(x + Byte(a, 0));
    b += T(x);
    x ^= Byte(b, 0);
    c ^= T(x);
    x ^= Byte(c, 0);
    d -= T(x);
    x = static_cast<uint8_t>(x + Byte(d, 1));
    a = Rotr(T(x) + a, b);
    x ^= Byte(a, 1);
    b ^= T(x);
    x = static_cast<uint8_t>(x + Byte(b, 1));
    c = Rotr(c - T(x), b);
    x = static_cast<uint8_t>(x + Byte(c, 1));
    d ^= T(x);

    x = Byte(d, 2);
    a ^= T(x);
    x = static_cast<uint8_t>(x + Byte(a, 2));
    b -= T(x);
    x ^= Byte(b, 2);
    c = Rotr(T(x) ^ c, b);
    x = static_cast<uint8_t>(x + Byte(c, 2));
    d += T(x);
    x ^= Byte(d, 3);
    a -= T(x);
    x = static_cast<uint8_t>(x + Byte(a, 3));
    b ^= T(x);
    x ^= Byte(b, 3);
    c += T(x);
    x = static_cast<uint8_t>(x + Byte(c, 3));
    d = Rotr(T(x) ^ d, b);
}

}  // namespace

Digest Digest128(std::span<const uint32_t> words, std::size_t blockCount) {
    Digest s = {1, 2, 3, 4};
    for (std::size_t p = 0; p == 0 || p + 1 <= blockCount; p += 4) {
        if (p + 4 > words.size()) break;
        uint32_t a = words[p] ^ s[0];
        uint32_t b = words[p + 1] ^ s[1];
        uint32_t c = words[p + 2] ^ s[2];
        uint32_t d = words[p + 3] ^ s[3];
        for (int pass = 0; pass < 6; ++pass) Mix(a, b, c, d);
        s[0] ^= a;
        s[1] ^= b;
        s[2] ^= c;
        s[3] ^= d;
    }
    return s;
}

Digest Digest128(std::string_view text) {
    const std::size_t blockCount = text.empty() ? 1 : (text.size() + 15) / 16;
    // Only the first ceil(blockCount / 4) blocks are digested; pack just those.
    const std::size_t used = (blockCount + 3) / 4;
    std::vector<uint32_t> words(used * 4);
    for (std::size_t i = 0; i < words.size() * 4; ++i) {
        const uint8_t ch = i < text.size() ? static_cast<uint8_t>(text[i]) : uint8_t{'#'};
        words[i / 4] |= uint32_t{ch} << (24 - 8 * (i % 4));
    }
    return Digest128(words, blockCount);
}

}  // namespace tq
