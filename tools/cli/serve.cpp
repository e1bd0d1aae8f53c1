// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli serve: a headless network server. It waits for N clients, seats them in the last N
// seats, and runs whole games for them through the same game flow and network code the window
// uses; every other seat is played by the computer.

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/messages.h"
#include "commands.h"
#include "core/headless_view.h"
#include "net/qt_relay.h"
#include "net_command.h"
#include "play_common.h"
#include "printable.h"

namespace tq::cli {

namespace {

const std::string kUsage =
    std::string(
        "usage: tessaroon-cli serve --clients N [--port P] [options]\n"
        "Listens for network clients, seats the first N that announce themselves in the last N\n"
        "seats (in the order they came) and plays whole games with them. Settings come from\n"
        "Tessaroon.ini in the start folder; the other seats are played by the computer.\n"
        "  --clients N           clients to wait for, 1..5 (at most the seat count)\n"
        "  --port P              port to listen on (default 16282; 0 picks a free one)\n"
        "  --move-limit S        seconds a client seat may take for a move before the computer\n"
        "                        takes its seat over (default 600; 0: no limit)\n"
        "  --per-address N       connections one peer address may hold, 1..40 (default 5)\n"
        "  --relay HOST[:PORT]   hosts through the relay instead of listening (port 16283 unless\n"
        "                        given); prints the room's code for the players\n") +
    kGameOptionsUsage;

// The headless view of a served game: wakes the game from the event loop, so network events run
// between computer moves, and prints what would be a message box.
class ServeView : public HeadlessView {
  public:
    void WakeAfter(int ms) override { waker.After(ms); }
    void ShowMessage(std::string_view text, MessageIcon, std::function<void()> answered) override {
        std::cerr << PrintableMessage(text) << "\n";
        if (answered) answered();
    }
    LoopWaker waker;
};

// Writes the game down and shows its progress on a terminal.
class ServeRecorder : public GameRecorder {
  public:
    void MovePlayed(const MovePlayedEvent& e) override {
        GameRecorder::MovePlayed(e);
        if (onMove) onMove();
    }
    std::function<void()> onMove;
};

// Reports clients as they come and go: what changed in the name list, not the whole list.
class ServeObserver : public net::NetObserver {
  public:
    explicit ServeObserver(net::GameServer& server) : server_(server) {}
    void ClientNamesChanged() override {
        const std::vector<std::string>& now = server_.ClientNames();
        const std::set<std::string> before(known_.begin(), known_.end());
        const std::set<std::string> after(now.begin(), now.end());
        for (const std::string& name : known_)
            if (!after.count(name)) std::cerr << "client left: " << Printable(name) << "\n";
        for (const std::string& name : now)
            if (!before.count(name)) std::cerr << "client joined: " << Printable(name) << "\n";
        known_ = now;
    }
    void ClientDropped(const std::string& name, const std::string& reason) override {
        std::cerr << "connection of " << (name.empty() ? "an unnamed client" : Printable(name))
                  << " closed: " << reason << "\n";
    }
    void SeatsTakenOver(const std::vector<int>& seats) override {
        for (const int seat : seats)
            std::cerr << "seat " << seat << " left; the computer plays it\n";
    }

  private:
    net::GameServer& server_;
    std::vector<std::string> known_;
};

int Serve(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
    // Its own options and the game options selfplay takes.
    long clients = 0, port = net::kGamePort, moveLimit = 600,
         perAddress = static_cast<long>(net::kMaxPerAddress);
    Options options;
    // Its own options, each a whole number in a range, named here once.
    struct Own {
        const char* name;
        long lo, hi;
        const char* range;  // as the message shows it
        long& target;
    };
    const Own own[] = {
        {"--clients", 1, kMaxSeats, "1..5", clients},
        {"--port", 0, 65535, "a port 0..65535", port},
        {"--move-limit", 0, 86400, "0..86400 seconds", moveLimit},
        {"--per-address", 1, static_cast<long>(net::kMaxConnections), "1..40", perAddress},
    };
    std::vector<OptionSpec> specs;
    for (const Own& o : own) specs.push_back({o.name, true});
    std::optional<net::ServerAddress> relayAddress;
    specs.push_back({"--relay", true});
    specs.insert(specs.end(), kGameOptions.begin(), kGameOptions.end());
    const Result<Arguments> parsed = ParseArguments(args, specs);
    if (!parsed.ok() || !parsed->positional.empty()) {
        std::cerr << "tessaroon-cli serve: "
                  << (parsed.ok() ? "unexpected argument \"" + parsed->positional.front() + "\""
                                  : parsed.message())
                  << "\n"
                  << kUsage;
        return 2;
    }
    for (const auto& [name, value] : parsed->options) {
        if (name == "--relay") {
            relayAddress = net::ParseServerAddress(value, net::kRelayPort);
            if (!relayAddress) {
                std::cerr << "tessaroon-cli serve: \"" << Printable(value)
                          << "\" is not a relay: HOST, HOST:PORT or [IPv6 address]:PORT\n";
                return 2;
            }
            continue;
        }
        const Own* mine = std::find_if(std::begin(own), std::end(own),
                                       [&name](const Own& o) { return name == o.name; });
        if (mine == std::end(own)) {
            if (const Status taken = TakeGameOption(name, value, options); !taken.ok()) {
                std::cerr << "tessaroon-cli serve: " << taken.message() << "\n" << kUsage;
                return 2;
            }
            continue;
        }
        const Result<long> number = ParseInt(value, mine->lo, mine->hi);
        if (!number.ok()) {
            std::cerr << "tessaroon-cli serve: " << name << " must be " << mine->range << ", not \""
                      << value << "\"\n";
            return 2;
        }
        mine->target = *number;
    }
    if (clients == 0) {
        std::cerr << "tessaroon-cli serve: --clients N is needed\n" << kUsage;
        return 2;
    }

    EventLoop loop;
    GameModel model;
    if (!StartModel(model, std::cerr)) return 1;
    if (const Status applied = ApplyOptions(options, model.Dict, model.Settings); !applied.ok()) {
        std::cerr << "tessaroon-cli serve: " << applied.message() << "\n";
        return 2;
    }
    GameSettings& s = model.Settings;
    if (clients > s.Count) {
        std::cerr << "tessaroon-cli serve: " << clients << " clients do not fit " << int(s.Count)
                  << " seats\n";
        return 2;
    }

    ServeView view;
    net::QtRelayHostTransport relay;
    if (relayAddress) relay.SetRelay(*relayAddress);
    NetGame net(model, view, relayAddress ? &relay : nullptr);
    view.waker.SetFlow(net.flow);
    ServeRecorder recorder;
    net.flow.Subscribe(recorder);
    ServeObserver observer(net.play.Server());
    net.play.AddObserver(&observer);

    net.play.Server().SetMoveLimit(std::chrono::seconds(moveLimit));
    net.play.Server().SetAddressLimit(static_cast<std::size_t>(perAddress));
    if (!net.play.Server().StartListening(static_cast<uint16_t>(port))) {
        std::cerr << Utf8(msg::ServerUnavailable) << "\n";
        return 1;
    }
    if (relayAddress) {
        const std::string relayText = net::AddressText(*relayAddress);
        bool lost = false;
        relay.onLost = [&lost, relayText](net::RelayTrouble why) {
            lost = true;
            std::cerr << "tessaroon-cli serve: relay " << Printable(relayText) << ": "
                      << (why == net::RelayTrouble::Full      ? "it takes no more rooms"
                          : why == net::RelayTrouble::Limited ? "this address holds its rooms"
                          : why == net::RelayTrouble::Refused ? "it answered no relay's answer"
                                                              : "the connection failed or ended")
                      << std::endl;
        };
        while (relay.Code().empty() && !lost)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (lost) return 1;
        std::cerr << "room " << relay.Code() << " at relay " << Printable(relayText)
                  << ", waiting for " << clients << (clients == 1 ? " client" : " clients")
                  << "; players join " << Printable(relayText) << "/" << relay.Code() << std::endl;
    } else {
        std::cerr << "listening on port " << net.play.Server().Port() << ", waiting for " << clients
                  << (clients == 1 ? " client\n" : " clients\n");
    }
    while (net.play.Server().ClientNames().size() < static_cast<std::size_t>(clients))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    // The first N names, in the order they came, in the last N seats.
    const std::vector<std::string> names = net.play.Server().ClientNames();
    for (int i = 0; i < clients; ++i) {
        TPlayers& seat = s.Seat(s.Count - clients + 1 + i);
        seat.Type = PlayerType::Client;
        seat.Name = names[i];
    }
    s.Mode = GameMode::Server;

    const uint64_t seed =
        options.seed
            ? *options.seed
            : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) &
                  0x7FFFFFFFFFFFFFFFULL;
    const bool progress = ::isatty(STDERR_FILENO);
    int game = 0;
    recorder.onMove = [&] {
        if (!progress) return;
        std::fprintf(stderr, "\rgame %d of %d, move %zu", game, options.games,
                     recorder.moves.size());
        std::fflush(stderr);
    };
    for (game = 1; game <= options.games; ++game) {
        const uint64_t gameSeed = seed + static_cast<uint64_t>(game - 1);
        model.Rng.Seed(gameSeed);
        net.flow.StartNewGame();
        while (net.flow.Phase() != GamePhase::GameOver)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (progress) std::fprintf(stderr, "\n");
        if (options.json)
            std::cout << GameJson(game, gameSeed, model, recorder).dump() << std::endl;
        else
            PrintGame(game, gameSeed, model, recorder);
        std::cout.flush();
    }

    // The clients see the connection close; give the closes a moment to leave. The games are
    // over, so nobody's seat is handed over.
    net.play.Server().Shutdown();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < until) QCoreApplication::processEvents();
    return 0;
}

const CommandRegistrar kServe("serve",
                              "serve --clients N [options]   a headless network server "
                              "(--help for options)",
                              Serve, kUsage.c_str());

}  // namespace

}  // namespace tq::cli
