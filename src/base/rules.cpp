// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rules.h"

namespace tq {

bool GameRules::AnyStraight() const {
    for (int k = 0; k < 4; ++k)
        if (DirectionOn(k)) return true;
    return false;
}

bool GameRules::AnyDiagonal() const {
    for (int k = 4; k < 8; ++k)
        if (DirectionOn(k)) return true;
    return false;
}

GameSettings::GameSettings() {
    for (int i = 0; i < kMaxSeats; ++i) {
        Players[i].Name = "Player " + std::to_string(i + 1);
        Players[i].Color = kDefaultSeatColors[i];
    }
}

}  // namespace tq
