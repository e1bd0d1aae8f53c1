// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli relay: pairs the hosts of network games with their players by room code when
// they cannot reach each other, and passes their encrypted bytes both ways. It needs no start
// folder, no dictionary and no settings.

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "net/qt_transport.h"
#include "net/relay.h"
#include "net/relay_code.h"
#include "net_command.h"
#include "play_common.h"

namespace tq::cli {

namespace {

const char* const kUsage =
    "usage: tessaroon-cli relay [--port P] [options]\n"
    "Runs a relay: hosts open rooms at it (serve --relay, or the window's Server mode) and\n"
    "players join them by code (join --relay, or the window's Client mode). It reads only its\n"
    "own greeting lines; the game travels encrypted between host and player. Runs until ended.\n"
    "  --port P              port to listen on (default 16283; 0 picks a free one)\n"
    "  --connections N       connections at once, 16..100000 (default 8192; fewer when the\n"
    "                        file limit allows fewer)\n"
    "  --rooms N             rooms at once, 1..100000 (default 2000)\n"
    "  --per-address N       connections one peer address holds, 2..1000 (default 24)\n"
    "  --rooms-per-address N rooms one peer address hosts, 1..1000 (default 4)\n"
    "  --idle-minutes M      a room through which nothing passed closes, 1..1440 (default 60)\n"
    "  --quiet               logs no rooms opening and closing\n";

// The file limit raised as far as the connections need and the hard limit allows.
void RaiseFileLimit(std::size_t connections) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
    const rlim_t wanted = static_cast<rlim_t>(connections + 64);
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < wanted) {
        limit.rlim_cur =
            limit.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, limit.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int Relay(const std::vector<std::string>& args) {
    long port = net::kRelayPort;
    net::RelayLimits limits;
    long connections = static_cast<long>(limits.connections),
         rooms = static_cast<long>(limits.rooms), perAddress = static_cast<long>(limits.perAddress),
         roomsPerAddress = static_cast<long>(limits.roomsPerAddress), idle = 60;
    bool quiet = false;
    const Result<Arguments> parsed = ParseArguments(args, {{"--port", true},
                                                           {"--connections", true},
                                                           {"--rooms", true},
                                                           {"--per-address", true},
                                                           {"--rooms-per-address", true},
                                                           {"--idle-minutes", true},
                                                           {"--quiet", false}});
    if (!parsed.ok() || !parsed->positional.empty()) {
        std::cerr << "tessaroon-cli relay: "
                  << (parsed.ok() ? "unexpected argument \"" + parsed->positional.front() + "\""
                                  : parsed.message())
                  << "\n"
                  << kUsage;
        return 2;
    }
    struct Range {
        const char* name;
        long lo, hi;
        long* value;
    };
    const Range ranges[] = {{"--port", 0, 65535, &port},
                            {"--connections", 16, 100000, &connections},
                            {"--rooms", 1, 100000, &rooms},
                            {"--per-address", 2, 1000, &perAddress},
                            {"--rooms-per-address", 1, 1000, &roomsPerAddress},
                            {"--idle-minutes", 1, 1440, &idle}};
    for (const auto& [name, value] : parsed->options) {
        if (name == "--quiet") {
            quiet = true;
            continue;
        }
        for (const Range& r : ranges) {
            if (name != r.name) continue;
            const Result<long> number = ParseInt(value, r.lo, r.hi);
            if (!number.ok()) {
                std::cerr << "tessaroon-cli relay: " << name << " must be " << r.lo << ".." << r.hi
                          << ", not \"" << value << "\"\n";
                return 2;
            }
            *r.value = *number;
        }
    }
    limits.connections = static_cast<std::size_t>(connections);
    limits.rooms = static_cast<std::size_t>(rooms);
    limits.perAddress = static_cast<std::size_t>(perAddress);
    limits.roomsPerAddress = static_cast<std::size_t>(roomsPerAddress);
    limits.idleRoom = std::chrono::minutes(idle);

    RaiseFileLimit(limits.connections);
    EventLoop loop;
    net::QtServerTransport sockets(limits.connections);
    net::Relay relay(sockets, limits);
    if (!quiet)
        relay.log = [](const std::string& line) {
            std::cerr << QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() << " "
                      << line << std::endl;
        };
    if (!relay.Start(static_cast<uint16_t>(port))) {
        std::cerr << "tessaroon-cli relay: cannot listen on port " << port << "\n";
        return 1;
    }
    std::cerr << "relay listening on port " << sockets.Port() << ", for "
              << std::min(limits.connections, sockets.Capacity()) << " connections and "
              << limits.rooms << " rooms" << std::endl;
    // Runs until a signal ends it: nothing is left to save then.
    return QCoreApplication::exec();
}

const CommandRegistrar kRelay("relay",
                              "relay [--port P]   pairs hosts and players by room code "
                              "(--help for options)",
                              Relay, kUsage);

}  // namespace

}  // namespace tq::cli
