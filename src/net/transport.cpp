// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/transport.h"

#include <algorithm>

namespace tq::net {

bool IsDottedAddress(std::string_view serverName) {
    if (serverName.empty()) return false;
    const bool digitsAndDots = std::all_of(serverName.begin(), serverName.end(), [](char c) {
        return c == '.' || (c >= '0' && c <= '9');
    });
    return digitsAndDots && std::count(serverName.begin(), serverName.end(), '.') == 3;
}

}  // namespace tq::net
