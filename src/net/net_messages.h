#pragma once
// The texts of network play, under these exact words.

#include <string_view>

namespace tq::net::text {
inline constexpr std::string_view NameTaken = "The player with such name has already connected.";
inline constexpr std::string_view ServerInaccessible = "The server is inaccessible.";
inline constexpr std::string_view NetworkError = "Network error.";
inline constexpr std::string_view EnterName = "You should enter your name.";
inline constexpr std::string_view CannotConnect =
    "It is unable to establish the connection with the server.";
inline constexpr std::string_view CannotListen =
    "It is unable to establish the server for network game.";
inline constexpr std::string_view MessageFrom = "Message from: ";
// A server whose dictionary has another alphabet: its letters would corrupt this field.
inline constexpr std::string_view OtherAlphabet =
    "The server plays with a dictionary of another language. Choose the same dictionary as the "
    "server to join its games.";
}  // namespace tq::net::text
