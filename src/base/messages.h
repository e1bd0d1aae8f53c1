// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the game shows, under these exact words, and the colours of the status line hints.

#include <cstdint>
#include <string_view>

namespace tq {

namespace msg {
inline constexpr std::string_view Connect = "Connect";
inline constexpr std::string_view Disconnect = "Disconnect";
inline constexpr std::string_view MessageFrom = "Message from: ";
inline constexpr std::string_view Server = "Server";
inline constexpr std::string_view PutLetter = "Put a letter";
inline constexpr std::string_view MarkWord = "Mark the word";
inline constexpr std::string_view NewLetterNotMarked = "New letter is not marked";
inline constexpr std::string_view TooShort = "The word is too short";
inline constexpr std::string_view TooLong = "The word is too long";
inline constexpr std::string_view UnknownWord = "Unknown word";
inline constexpr std::string_view UnknownWordAccept = "Unknown word. Accept?";
inline constexpr std::string_view AlreadyConstructed = "The word is already constructed";
inline constexpr std::string_view AlreadyFormed = "The word is already formed";
inline constexpr std::string_view NameTaken = "The player with such name has already connected.";
inline constexpr std::string_view ServerInaccessible = "The server is inaccessible.";
inline constexpr std::string_view NetworkError = "Network error.";
inline constexpr std::string_view EnterName = "You should enter your name.";
inline constexpr std::string_view CannotConnect =
    "It is unable to establish the connection with the server.";
inline constexpr std::string_view ServerUnavailable =
    "It is unable to establish the server for network game.";
// A server whose dictionary has another alphabet: its letters would corrupt this field.
inline constexpr std::string_view OtherAlphabet =
    "The server plays with a dictionary of another language. Choose the same dictionary as the "
    "server to join its games.";
// A new game from the server that this program cannot play (values out of every rule): the
// client leaves rather than play on with the old game's field.
inline constexpr std::string_view GameRefused =
    "The server started a game that cannot be played here. The connection is closed.";
// The checks of the options dialog's "Apply" and "Save".
inline constexpr std::string_view IncorrectParameters = "Incorrect game parameters.";
inline constexpr std::string_view NamesMissing = "You must assign the names for all players.";
inline constexpr std::string_view NoDirections = "Movement directions are not defined.";
inline constexpr std::string_view NoHuman = "One player must be a human.";
inline constexpr std::string_view OneHumanOnly = "Only one player can be a human.";
inline constexpr std::string_view DictionaryError = "Error when opening the dictionary file.";
inline constexpr std::string_view Caption = "Tessaroon";
// The status line before the first game, and after the last move of a game.
inline constexpr std::string_view StartHint = "Press F2 to start a new game";
inline constexpr std::string_view Wins = " wins";  // after the winner's name
inline constexpr std::string_view Draw = "The game is a draw";
// What the results table and the status dialog show in place of a word: a move that formed no
// word, a seat with no score.
inline constexpr std::string_view NoWord = "----";
}  // namespace msg

// Colours of the status line hints.
constexpr uint32_t kPromptColor = 0x006400;   // dark green
constexpr uint32_t kRefusalColor = 0x000080;  // maroon

}  // namespace tq
