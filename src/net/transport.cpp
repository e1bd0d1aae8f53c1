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

namespace {

std::optional<uint16_t> PortNumber(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value < 1 || value > 65535) return std::nullopt;
    return static_cast<uint16_t>(value);
}

}  // namespace

std::optional<ServerAddress> ParseServerAddress(std::string_view text, uint16_t defaultPort) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    ServerAddress address{std::string(text), defaultPort};
    std::string_view port;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            port = rest.substr(1);
            if (port.empty()) return std::nullopt;
        }
    } else if (const std::size_t colon = text.find(':');
               colon != std::string_view::npos &&
               text.find(':', colon + 1) == std::string_view::npos) {
        address.host = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
        if (port.empty()) return std::nullopt;
    }
    if (address.host.empty()) return std::nullopt;
    if (!port.empty()) {
        const auto number = PortNumber(port);
        if (!number) return std::nullopt;
        address.port = *number;
    }
    return address;
}

}  // namespace tq::net
