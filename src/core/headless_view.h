// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view without a window: shows nothing, asks nothing. Games between computer seats run through
// it (the command-line self-play, tests); subclasses record what they need.

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
    // No one to ask: the answer of a cancelled picker.
    char PickLetter() override { return kJoker; }
    bool ShiftHeld() const override { return false; }
    void ProcessPendingEvents() override {}
    void Pause(int) override {}
    void LetEventsRun(int, const std::function<bool()>&) override {}
    void ShowGameStatus() override {}
    void ShowRecordTable() override {}
    void ShowMessage(std::string_view, MessageIcon) override {}
};

}  // namespace tq
