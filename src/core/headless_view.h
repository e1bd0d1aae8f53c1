// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view without a window: shows nothing, answers nothing. Games between computer seats run through
// it (the command-line self-play, tests); subclasses record what they need. It keeps the wake-up
// the game asked for; RunWakes hands them to the game until it waits for something else.

#include <optional>

#include "core/game_flow.h"
#include "core/game_view.h"

namespace tq {

class HeadlessView : public GameView {
  public:
    void LayoutField(int, int) override {}
    void ShowCellLetter(Cell, std::string_view) override {}
    void ShowCellMark(Cell, MarkState) override {}
    void ShowWordLabel(std::string_view) override {}
    void ShowHintLabel(std::string_view, uint32_t) override {}
    void SetHintVisible(bool) override {}
    void SetStatusButtonVisible(bool) override {}
    void ShowClock(std::string_view, uint32_t) override {}
    void SetClockVisible(bool) override {}
    void SetClockTimerEnabled(bool) override {}
    void ResetResults() override {}
    void ShowResultRow(int, std::string_view, std::string_view, std::string_view,
                       uint32_t) override {}
    // No one to ask: the letter window stays unanswered, as if it were cancelled.
    void AskLetter(Cell) override {}
    bool ShiftHeld() const override { return false; }
    void WakeAfter(int ms) override { wake = ms; }
    void ShowGameStatus() override {}
    void ShowRecordTable() override {}
    void ShowMessage(std::string_view, MessageIcon, std::function<void()> answered) override {
        if (answered) answered();
    }

    // Wakes the game at once, however long it asked to wait, until it asks no more: a game
    // between computer seats runs to its end.
    void RunWakes(GameFlow& flow) {
        while (wake) {
            wake.reset();
            flow.Wake();
        }
    }

    std::optional<int> wake;  // the wake-up asked for and not given yet
};

}  // namespace tq
