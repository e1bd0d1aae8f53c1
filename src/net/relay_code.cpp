// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/relay_code.h"

namespace tq::net {

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

// The value of a typed character, -1 for one outside the alphabet.
int Digit(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O') c = '0';
    if (c == 'I' || c == 'L') c = '1';
    const std::size_t at = kAlphabet.find(c);
    return at == std::string_view::npos || c == '\0' ? -1 : static_cast<int>(at);
}

}  // namespace

std::string RoomText(uint64_t bits) {
    std::string text(kRoomChars, '0');
    for (std::size_t i = kRoomChars; i-- > 0; bits >>= 5) text[i] = kAlphabet[bits & 31];
    return text;
}

bool IsRoomText(std::string_view text) {
    if (text.size() != kRoomChars) return false;
    for (const char c : text)
        if (kAlphabet.find(c) == std::string_view::npos || c == '\0') return false;
    return true;
}

std::string FormatCode(const RoomCode& code) {
    std::string all = code.room;
    // The key's 80 bits, five at a time, the first byte's high bits first.
    uint32_t acc = 0;
    int bits = 0;
    for (const uint8_t byte : code.key) {
        acc = (acc << 8) | byte;
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            all += kAlphabet[(acc >> bits) & 31];
        }
    }
    std::string text;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0 && i % 4 == 0) text += '-';
        text += all[i];
    }
    return text;
}

std::optional<RoomCode> ParseCode(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c == '-' || c == ' ' || c == '\t') continue;
        const int d = Digit(c);
        if (d < 0 || digits.size() == kRoomChars + kKeyChars) return std::nullopt;
        digits += kAlphabet[static_cast<std::size_t>(d)];
    }
    if (digits.size() != kRoomChars + kKeyChars) return std::nullopt;
    RoomCode code;
    code.room = digits.substr(0, kRoomChars);
    uint32_t acc = 0;
    int bits = 0;
    std::size_t out = 0;
    for (std::size_t i = kRoomChars; i < digits.size(); ++i) {
        acc = (acc << 5) | static_cast<uint32_t>(Digit(digits[i]));
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            code.key[out++] = static_cast<uint8_t>(acc >> bits);
        }
    }
    return code;
}

std::string AddressText(const ServerAddress& address) {
    std::string text;
    const bool v6 = address.host.find(':') != std::string::npos;
    if (v6) text += '[';
    text.append(address.host);
    if (v6) text += ']';
    text += ':';
    text.append(std::to_string(address.port));
    return text;
}

std::optional<RelayTarget> ParseRelayTarget(std::string_view text) {
    const std::size_t slash = text.rfind('/');
    if (slash == std::string_view::npos) return std::nullopt;
    auto relay = ParseServerAddress(text.substr(0, slash), kRelayPort);
    auto code = ParseCode(text.substr(slash + 1));
    if (!relay || !code) return std::nullopt;
    return RelayTarget{std::move(*relay), std::move(*code)};
}

}  // namespace tq::net
