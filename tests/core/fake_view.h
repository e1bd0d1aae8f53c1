// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view that records what the game shows, answers the letter window from a queue and gives the
// game the wake-ups it asks for when the test says so, as the window's event loop would.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/game_flow.h"
#include "core/game_view.h"
#include "core/net_sender.h"

namespace tq::test {

struct ResultRow {
    std::string word;
    std::string points;
    std::string letter;
    uint32_t colour = 0;
};

class FakeView : public GameView {
  public:
    void LayoutField(int cols, int rows) override {
        this->cols = cols;
        this->rows = rows;
        for (int c = 0; c < kMaxFieldSide; ++c)
            for (int r = 0; r < kMaxFieldSide; ++r) {
                letters[c][r].clear();
                if (c < cols && r < rows) marks[c][r] = MarkState::Normal;
            }
    }
    void ShowCellLetter(Cell cell, std::string_view letter) override {
        letters[cell.col][cell.row] = std::string(letter);
    }
    void ShowCellMark(Cell cell, MarkState state) override { marks[cell.col][cell.row] = state; }
    void ShowWordLabel(std::string_view text) override { wordLabel = std::string(text); }
    void ShowHintLabel(std::string_view text, uint32_t colour) override {
        hint = std::string(text);
        hintColour = colour;
        hints.push_back(hint);
    }
    void SetHintVisible(bool v) override { hintVisible = v; }
    void SetStatusButtonVisible(bool v) override { statusButtonVisible = v; }
    void ShowClock(std::string_view text, uint32_t colour) override {
        clockText = std::string(text);
        clockColour = colour;
    }
    void SetClockVisible(bool v) override { clockVisible = v; }
    void SetClockTimerEnabled(bool e) override { clockTimer = e; }
    void ResetResults() override {
        results.clear();
        ++resultResets;
    }
    void ShowResultRow(int row, std::string_view word, std::string_view points,
                       std::string_view letter, uint32_t colour) override {
        results[row] = {std::string(word), std::string(points), std::string(letter), colour};
        rowOrder.push_back(row);
        if (onResultRow) onResultRow(row);
    }
    // Answers at once from `picked` (none left: the window closed without a letter) when a flow
    // is set, as the letter window would once closed.
    void AskLetter(Cell at) override {
        ++picks;
        askedAt.push_back(at);
        if (onAskLetter) onAskLetter(at);
        if (!flow) return;
        if (picked.empty()) return flow->PickerCancelled();
        const char c = picked.front();
        picked.pop_front();
        flow->LetterChosen(c);
    }
    bool ShiftHeld() const override { return shift; }
    void PhaseChanged(GamePhase phase) override {
        if (onPhase) onPhase(phase);
    }
    void WakeAfter(int ms) override {
        waits.push_back(ms);
        wake = ms;
        if (onWakeAfter) onWakeAfter(ms);
        // A loop without latency: the wake-ups follow at once, each after the command that asked
        // for it has returned to this loop.
        if (autoWake && !waking_) RunWakes();
    }
    // The window's event loop: gives the game each wake-up it asks for, running onWake first
    // (the events that come meanwhile), until it asks for none. Returns how many it gave.
    int RunWakes() {
        int n = 0;
        waking_ = true;
        while (wake && flow) {
            wake.reset();
            ++n;
            if (onWake) onWake();
            flow->Wake();
        }
        waking_ = false;
        return n;
    }
    void ShowGameStatus() override { ++statusDialogs; }
    void ShowRecordTable() override { ++recordDialogs; }
    // Recorded; closed at once unless holdMessages, when `answer` closes the oldest one open.
    void ShowMessage(std::string_view text, MessageIcon icon,
                     std::function<void()> answered) override {
        messages.emplace_back(std::string(text), icon);
        if (holdMessages)
            open.push_back(std::move(answered));
        else if (answered)
            answered();
    }
    bool Answer() {
        if (open.empty()) return false;
        auto answered = std::move(open.front());
        open.pop_front();
        if (answered) answered();
        return true;
    }

    int MarkedCount() const {
        int n = 0;
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r) n += marks[c][r] == MarkState::Marked;
        return n;
    }

    int cols = 0, rows = 0;
    std::string letters[kMaxFieldSide][kMaxFieldSide];
    MarkState marks[kMaxFieldSide][kMaxFieldSide]{};
    std::string wordLabel;
    std::string hint;
    uint32_t hintColour = 0;
    std::vector<std::string> hints;
    bool hintVisible = false;
    bool statusButtonVisible = false;
    std::string clockText;
    uint32_t clockColour = 0;
    bool clockVisible = false;
    bool clockTimer = false;
    std::map<int, ResultRow> results;
    std::vector<int> rowOrder;
    int resultResets = 0;
    GameFlow* flow = nullptr;  // the game that answers go to
    std::deque<char> picked;
    int picks = 0;
    std::vector<Cell> askedAt;
    bool shift = false;
    std::function<void(int)> onResultRow;
    std::function<void(Cell)> onAskLetter;   // a letter window opened, before any answer
    std::function<void(GamePhase)> onPhase;  // the game entered a phase
    std::vector<int> waits;                  // every wake-up asked for, in milliseconds
    std::optional<int> wake;
    std::function<void()> onWake;
    std::function<void(int)> onWakeAfter;  // a real event loop's timer, where one runs
    bool autoWake = false;
    bool waking_ = false;
    int statusDialogs = 0;
    int recordDialogs = 0;
    std::vector<std::pair<std::string, MessageIcon>> messages;
    bool holdMessages = false;
    std::deque<std::function<void()>> open;
};

// A sender that writes down what it is asked to send, one text per call.
class RecordingSender : public NetSender {
  public:
    void SendNewGame(const NewGameContent& c) override {
        newGames.push_back(c);
        lines.push_back("NewGame " + c.InitialWord);
    }
    void SendUpdateMove(int round, int seat, int moveWord) override {
        lines.push_back("UpdateMove " + std::to_string(round) + "," + std::to_string(seat) + "," +
                        std::to_string(moveWord));
    }
    void SendYourMove(const std::string& seatName) override {
        lines.push_back("YourMove " + seatName);
    }
    void SendEndGame() override { lines.push_back("EndGame"); }
    void SendNewMove(const MoveReport& r) override {
        moves.push_back(r);
        lines.push_back("NewMove " + r.Word);
    }
    void SendMyMove(const MoveReport& r) override {
        moves.push_back(r);
        lines.push_back("MyMove " + r.Word);
    }

    std::vector<std::string> lines;
    std::vector<NewGameContent> newGames;
    std::vector<MoveReport> moves;
};

}  // namespace tq::test
