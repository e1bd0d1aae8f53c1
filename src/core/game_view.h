// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game logic asks of the window. The Qt main window implements it; tests use a
// recording fake. Every call comes on the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/field.h"
#include "base/game_state.h"
#include "base/rules.h"

namespace tq {

// The picture a cell view shows: golden before the first game, then normal or marked.
enum class MarkState : uint8_t { Golden = 0, Normal = 1, Marked = 2 };

enum class MessageIcon : uint8_t { Information, Warning, Error, Question };

class GameView {
  public:
    virtual ~GameView() = default;

    // Field view. LayoutField places and shows the cols x rows cell views (all normal, letters
    // empty) and hides the rest.
    virtual void LayoutField(int cols, int rows) = 0;
    // Shows a letter in the cell (an empty text empties it), centred in the cell.
    virtual void ShowCellLetter(Cell cell, std::string_view letter) = 0;
    // Shows the cell with the picture of its mark state, repainted at once.
    virtual void ShowCellMark(Cell cell, MarkState state) = 0;

    // Status line.
    virtual void ShowWordLabel(std::string_view text) = 0;
    virtual void ShowHintLabel(std::string_view text, uint32_t colour) = 0;
    virtual void SetHintVisible(bool visible) = 0;
    virtual void SetStatusButtonVisible(bool visible) = 0;
    // The move clock label: its text ("01:05") and colour, and whether it shows.
    virtual void ShowClock(std::string_view text, uint32_t colour) = 0;
    virtual void SetClockVisible(bool visible) = 0;
    // Starts or stops the 50 ms tick that calls GameFlow::ClockTick.
    virtual void SetClockTimerEnabled(bool enabled) = 0;

    // Results table. Reset empties the 16 first rows, sets 16 rows and selects row 0.
    virtual void ResetResults() = 0;
    // Writes a row (growing the table when row >= its row count), selects it and scrolls it
    // into view. colour is the colour of the row's seat.
    virtual void ShowResultRow(int row, std::string_view word, std::string_view points,
                               std::string_view letter, uint32_t colour) = 0;

    // Asks for the letter a cell takes (the new letter, or the letter a joker stands for) and
    // returns at once. The answer comes later as GameFlow::LetterChosen, or PickerCancelled when
    // the player closes the letter window without one; a view may also answer from inside this
    // call.
    virtual void AskLetter(Cell at) = 0;
    // Whether the Shift key is held down now.
    virtual bool ShiftHeld() const = 0;
    // Wakes the game after ms milliseconds (0: as soon as the events waiting now have run) with
    // GameFlow::Wake. A new request replaces the one still waiting.
    virtual void WakeAfter(int ms) = 0;

    // The game entered a phase (after the status widgets were updated for it).
    virtual void PhaseChanged(GamePhase) {}

    // End of game and errors: dialogs centred on the main window. Each opens and returns at once;
    // nothing in the game waits for them to close.
    virtual void ShowGameStatus() = 0;
    virtual void ShowRecordTable() = 0;
    // A message box; `answered`, when given, runs once the player has closed it.
    virtual void ShowMessage(std::string_view text, MessageIcon icon,
                             std::function<void()> answered = nullptr) = 0;
};

}  // namespace tq
