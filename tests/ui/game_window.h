// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game window the window tests drive: the English model of ui_support.h, every modal dialog
// recorded, and the letter window answered from a queue instead of a dialog.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <deque>
#include <functional>
#include <memory>

#include "net/seat_bot.h"
#include "ui/main_form.h"
#include "ui_support.h"

namespace tq::test {

struct GameWindow {
    GameModel model;
    ModalRecorder modals;
    std::deque<char> letters;  // answers of the letter window, in order
    std::unique_ptr<ui::TMainForm> form;

    GameWindow() { FillEnglishModel(model); }
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // Makes the window over the model as it stands now (change the settings before). The letter
    // window answers the next of `letters`, or `whenOut` once they have run out.
    void Make(char whenOut = '?') {
        form = std::make_unique<ui::TMainForm>(model);
        form->SetModalRunner(modals.Runner());
        form->SetLetterSource([this, whenOut] {
            if (letters.empty()) return whenOut;
            const char c = letters.front();
            letters.pop_front();
            return c;
        });
    }

    // Runs the event loop until the game asks for no wake-up (the computer's moves are played
    // and their pace is over); false when `ms` milliseconds pass first.
    bool Settle(int ms = 20000) {
        QElapsedTimer t;
        t.start();
        while (form->WakePending()) {
            if (t.elapsed() > ms) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
};

// A game window whose own human seats the computer plays (at `skill`), answering the letter
// window itself, as the network games between two windows are played.
struct BotWindow : GameWindow {
    std::unique_ptr<net::SeatBot> bot;

    explicit BotWindow(int skill) {
        Make('\0');  // the letter window's questions stay open for the bot to answer
        bot = std::make_unique<net::SeatBot>(form->Flow(), skill);
    }
};

// Runs the event loop until the condition holds; false when `ms` milliseconds pass first.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace tq::test
