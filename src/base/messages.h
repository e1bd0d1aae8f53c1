// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the game shows, under these exact words, and the colours of the status line hints.
// They are the English source texts: the window shows each in the interface's language, looking
// it up in the translation under the context "Messages" (the marks below let the translation
// tools find them). A text with %1 or %2 is a whole sentence whose numbered places Fill fills
// in; the game logic, the network and the files always use the English text.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a message for the translation tools; the text itself is unchanged.
#define TQ_MESSAGE(context, text) text

namespace tq {

namespace msg {
inline constexpr std::string_view Connect = TQ_MESSAGE("Messages", "Connect");
inline constexpr std::string_view Disconnect = TQ_MESSAGE("Messages", "Disconnect");
// A chat message as shown: %1 the sender, %2 the text (a carriage return breaks the line).
inline constexpr std::string_view MessageFrom = TQ_MESSAGE("Messages", "Message from: %1\r>%2");
inline constexpr std::string_view Server = "Server";
inline constexpr std::string_view PutLetter = TQ_MESSAGE("Messages", "Put a letter");
inline constexpr std::string_view MarkWord = TQ_MESSAGE("Messages", "Mark the word");
inline constexpr std::string_view NewLetterNotMarked =
    TQ_MESSAGE("Messages", "New letter is not marked");
inline constexpr std::string_view TooShort = TQ_MESSAGE("Messages", "The word is too short");
inline constexpr std::string_view TooLong = TQ_MESSAGE("Messages", "The word is too long");
inline constexpr std::string_view UnknownWord = TQ_MESSAGE("Messages", "Unknown word");
inline constexpr std::string_view UnknownWordAccept =
    TQ_MESSAGE("Messages", "Unknown word. Accept?");
inline constexpr std::string_view AlreadyConstructed =
    TQ_MESSAGE("Messages", "The word is already constructed");
inline constexpr std::string_view AlreadyFormed =
    TQ_MESSAGE("Messages", "The word is already formed");
inline constexpr std::string_view NameTaken =
    TQ_MESSAGE("Messages", "The player with such name has already connected.");
inline constexpr std::string_view ServerInaccessible =
    TQ_MESSAGE("Messages", "The server is inaccessible.");
inline constexpr std::string_view NetworkError = TQ_MESSAGE("Messages", "Network error.");
inline constexpr std::string_view EnterName = TQ_MESSAGE("Messages", "You should enter your name.");
inline constexpr std::string_view CannotConnect =
    TQ_MESSAGE("Messages", "It is unable to establish the connection with the server.");
// The second line of a failed connection's message: %1 the server as named, %2 the port.
inline constexpr std::string_view ConnectRefused =
    TQ_MESSAGE("Messages", "%1, port %2: the server refused the connection.");
inline constexpr std::string_view ConnectNoRoute =
    TQ_MESSAGE("Messages", "%1, port %2: the network has no route to the server.");
inline constexpr std::string_view ConnectTimedOut =
    TQ_MESSAGE("Messages", "%1, port %2: the server did not answer in time.");
inline constexpr std::string_view ConnectHostNotFound =
    TQ_MESSAGE("Messages", "%1, port %2: no computer of this name was found.");
inline constexpr std::string_view ConnectFailed =
    TQ_MESSAGE("Messages", "%1, port %2: the server cannot be reached.");
inline constexpr std::string_view ServerUnavailable =
    TQ_MESSAGE("Messages", "It is unable to establish the server for network game.");
// A server whose dictionary has another alphabet: its letters would corrupt this field.
inline constexpr std::string_view OtherAlphabet = TQ_MESSAGE(
    "Messages",
    "The server plays with a dictionary of another language. Choose the same dictionary as the "
    "server to join its games.");
// A new game from the server that this program cannot play (values out of every rule): the
// client leaves rather than play on with the old game's field.
inline constexpr std::string_view GameRefused = TQ_MESSAGE(
    "Messages", "The server started a game that cannot be played here. The connection is closed.");
// The checks of the options dialog's "Apply" and "Save".
inline constexpr std::string_view IncorrectParameters =
    TQ_MESSAGE("Messages", "Incorrect game parameters.");
inline constexpr std::string_view NamesMissing =
    TQ_MESSAGE("Messages", "You must assign the names for all players.");
inline constexpr std::string_view NoDirections =
    TQ_MESSAGE("Messages", "Movement directions are not defined.");
inline constexpr std::string_view NoHuman = TQ_MESSAGE("Messages", "One player must be a human.");
inline constexpr std::string_view OneHumanOnly =
    TQ_MESSAGE("Messages", "Only one player can be a human.");
// A rated game's record that has no folder to go to: %1 is the folder.
inline constexpr std::string_view RecordsFolderMissing =
    TQ_MESSAGE("Messages", "The records folder %1 does not exist.");
inline constexpr std::string_view DictionaryError =
    TQ_MESSAGE("Messages", "Error when opening the dictionary file.");
inline constexpr std::string_view Caption = "Tessaroon";
// The status line before the first game, and after the last move of a game.
inline constexpr std::string_view StartHint =
    TQ_MESSAGE("Messages", "Press F2 to start a new game");
// %1 is the winner's name.
inline constexpr std::string_view Wins = TQ_MESSAGE("Messages", "%1 wins");
inline constexpr std::string_view Draw = TQ_MESSAGE("Messages", "The game is a draw");
// What the results table and the status dialog show in place of a word: a move that formed no
// word, a seat with no score.
inline constexpr std::string_view NoWord = "----";

// The pattern with its numbered places %1 to %9 filled from args in one pass (a filled-in text
// holding "%2" stays as it is); a place without an argument stays as it is.
inline std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
}  // namespace msg

// Colours of the status line hints.
constexpr uint32_t kPromptColor = 0x006400;   // dark green
constexpr uint32_t kRefusalColor = 0x000080;  // maroon

}  // namespace tq
