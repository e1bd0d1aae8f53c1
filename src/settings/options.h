// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options dialog's rules, without the widgets: the checks of "Apply" and "Save" with their
// messages, what a ticked "Rated game" puts into the controls, the coupling of the word lengths,
// the limits of the typed names, what each game mode shows, the field preview's placement and
// what "Apply" copies into the game's settings. The dialog reads its controls into a
// GameSettings (Mode being the mode the radio shows) and hands it to these functions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/messages.h"
#include "base/rules.h"
#include "dict/word_store.h"

namespace tq {

// The dialog's pages, in tab order.
enum class OptionsPage : uint8_t {
    General = 0,
    Players = 1,
    GameField = 2,
    Rules = 3,
    Additional = 4
};

// A refused "Apply" or "Save": the message, and the page to bring to front (none for the first
// check).
struct OptionsRefusal {
    std::string_view message;
    std::optional<OptionsPage> page;
};

// The four checks, in their order, on the values of the controls: the fair-turn rule; a name for
// every seat in play; at least one direction; and, in general mode with "Rated game" ticked,
// exactly one Human seat among the seats in play. nullopt when every check passes.
std::optional<OptionsRefusal> CheckOptions(const GameSettings& values);

// A ticked "Rated game": one word per move, lengths 3 to the dictionary's longest, the four
// straight directions (all eight when allEight, which the dialog takes from Shift), no joker,
// crossings, re-formed or unknown words, the move time by RatedMoveTime for the field, bonus and
// fine 40. The seats are left as they are.
void TickRatedGame(GameSettings& values, const TDictInfo& dict, bool allEight);

// The rule values "Apply" imposes once more on a rated game in general mode: TickRatedGame's,
// except that the directions stay as the boxes are.
void ImposeRatedRuleValues(GameSettings& s, const TDictInfo& dict);

// The word lengths after one of them changed: a new minimum above the maximum raises the maximum
// to it; a new maximum below the minimum lowers the minimum to it.
struct WordLengths {
    int min = 0;
    int max = 0;
    friend bool operator==(WordLengths, WordLengths) = default;
};
WordLengths MinLengthChanged(int newMin, int max);
WordLengths MaxLengthChanged(int min, int newMax);

// Typed names: a seat's name and the own name of network play take 12 characters; the server
// field takes a whole host name (up to 253 characters) with ":port" after it. At the limit only
// Backspace ('\b') is taken; a comma never goes into a name, since names travel in
// comma-separated network lines.
constexpr std::size_t kSeatNameLimit = 12;
constexpr std::size_t kServerNameLimit = 259;
enum class TypedText : uint8_t { SeatName, OwnName, ServerName };
bool KeyAccepted(TypedText field, std::size_t length, char key);

// What the dialog shows in each game mode.
struct ModeView {
    bool connectionPanel = false;  // pnCon: own name, server name, Connect
    bool messagePanel = false;     // pnMsg: recipient, message, Send
    bool ratedGame = false;        // cbRatedGame
    bool seatsAndField = false;    // the Players and Game Field pages' contents are enabled
    // The Rules and Additional pages' contents are enabled (in general mode the rated-game
    // handling decides instead).
    std::optional<bool> rulesAndTimes;
    bool applyButton = false;
    bool saveButton = false;
    bool clientType = false;  // the type lists offer "Client"
};
ModeView ViewForMode(GameMode mode);

// The field preview: squares 16 pixels wide at a pitch of 17, the shown block centred in the
// panel (halves truncated).
constexpr int kPreviewPitch = 17;
struct PreviewOrigin {
    int left = 0;
    int top = 0;
    friend bool operator==(PreviewOrigin, PreviewOrigin) = default;
};
PreviewOrigin PreviewPlacement(int panelWidth, int panelHeight, int cols, int rows);

// "Apply": copies the dialog's values into the game's settings (the mode, "Rated game", the seat
// count, name, colour, type and skill of the seats in play, the field, the rules and the times),
// clears the initial word, and in a rated general game imposes the rule values once more. The
// seats beyond the count and every seat's points are left as they are.
void ApplyOptions(GameSettings& target, const GameSettings& values, const TDictInfo& dict);

}  // namespace tq
