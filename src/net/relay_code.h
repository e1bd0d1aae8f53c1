// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Room codes of games played through a relay. A code is two parts in Crockford's base 32 (digits
// and the letters without I, L, O and U; read case-blind, with O as 0 and I and L as 1): the room
// (8 characters, 40 bits) that the relay gives out and that players send to it, and the key (16
// characters, 80 bits) that the host draws itself and that never reaches the relay: host and
// player derive the key of their encrypted connection from both parts. Written as six groups of
// four, "K7QF-M2XD-9T3C-WB8H-4RJ6-PZ1N", and with its relay as "relay.example.org/K7QF-...".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "net/transport.h"

namespace tq::net {

// The port a relay listens on unless told otherwise.
constexpr uint16_t kRelayPort = 16283;

constexpr std::size_t kRoomChars = 8;  // 40 bits
constexpr std::size_t kKeyChars = 16;  // 80 bits
constexpr std::size_t kKeyBytes = 10;

using RoomKey = std::array<uint8_t, kKeyBytes>;

struct RoomCode {
    std::string room;  // kRoomChars canonical characters (upper case, no aliases)
    RoomKey key{};
};

// The 40 low bits of the number as kRoomChars characters.
std::string RoomText(uint64_t bits);
// Whether the text is a room as the relay gives it out: kRoomChars canonical characters.
bool IsRoomText(std::string_view text);
// The code in six groups of four.
std::string FormatCode(const RoomCode& code);
// A code as a player types or pastes it: blanks and '-' anywhere, either case, the aliases.
// Nothing unless exactly kRoomChars + kKeyChars characters of the alphabet remain.
std::optional<RoomCode> ParseCode(std::string_view text);

// The address as "host:port", an IPv6 host in brackets.
std::string AddressText(const ServerAddress& address);

// "relay[:port]/CODE": the relay's address (as ParseServerAddress reads it, kRelayPort unless
// given) and the room's code. Nothing without a '/', or when either half is wrong.
struct RelayTarget {
    ServerAddress relay;
    RoomCode code;
};
std::optional<RelayTarget> ParseRelayTarget(std::string_view text);

}  // namespace tq::net
