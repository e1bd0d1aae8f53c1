// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli join: a headless network client whose seat the computer plays. It connects to a
// server (the window or `serve`), takes every game the server starts, prints each move it sees,
// and when its turn comes lets the computer of the chosen skill choose a move, which it then
// enters the way a player does: the letter into its cell, the chain cell by cell, Enter. So the
// move goes through the game's own move entry and reaches the server as "GetMyMove/".

#include <QCoreApplication>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "base/messages.h"
#include "commands.h"
#include "core/headless_view.h"
#include "net/qt_relay.h"
#include "net/seat_bot.h"
#include "net_command.h"
#include "play_common.h"
#include "printable.h"

namespace tq::cli {

namespace {

const char* const kUsage =
    "usage: tessaroon-cli join HOST[:PORT] --name NAME [--skill S] [--port P]\n"
    "       tessaroon-cli join --relay HOST[:PORT] --room CODE --name NAME [--skill S]\n"
    "Joins the network game of the server HOST (a host name, an IPv4 address, or an IPv6\n"
    "address, in brackets when a port follows) under NAME and lets the computer play its seat;\n"
    "prints each move it sees. Runs in the start folder for the dictionary, which must have\n"
    "the server's alphabet. Ends when the server closes.\n"
    "  --name NAME   the client's name: 1 to 12 characters, no ','\n"
    "  --skill S     the computer's skill 1..7 (default 2)\n"
    "  --port P      the server's port when HOST names none (default 16282)\n"
    "  --relay HOST[:PORT]  joins through this relay (port 16283 unless given) ...\n"
    "  --room CODE   ... the room of this code, as its host tells it\n";

class JoinView : public HeadlessView {
  public:
    explicit JoinView(const GameModel& model) : model_(model) {}

    void WakeAfter(int ms) override { waker.After(ms); }
    void ShowResultRow(int row, std::string_view word, std::string_view points,
                       std::string_view letter, uint32_t) override {
        const TPlayers& seat = model_.Settings.Seat(model_.State.CurrentSeat);
        std::cout << "  " << row + 1 << ". " << Printable(seat.Name) << ": " << Utf8(word) << " "
                  << points << " " << Utf8(letter) << std::endl;
    }
    void ShowGameStatus() override {
        ++gamesEnded;
        const GameSettings& s = model_.Settings;
        std::cout << "Game over:\n";
        for (int n = 1; n <= s.Count; ++n)
            std::cout << "    " << Printable(s.Seat(n).Name) << ": total "
                      << model_.State.Score(n).Total() << "\n";
        std::cout.flush();
    }
    void ShowMessage(std::string_view text, MessageIcon, std::function<void()> answered) override {
        // A failure of the connection says which server failed; a chat text is escaped.
        const std::string_view first = text.substr(0, text.find('\r'));
        const bool failed = first == msg::ServerInaccessible || first == msg::CannotConnect;
        const bool connection = failed || text == msg::NetworkError;
        if (connection) std::cerr << "tessaroon-cli join: " << server << ": ";
        std::cerr << PrintableMessage(text) << "\n";
        if (text == msg::NameTaken || text == msg::OtherAlphabet || failed) refused = true;
        told = told || connection || refused;
        if (answered) answered();
    }

    LoopWaker waker;
    int gamesEnded = 0;
    bool refused = false;
    bool told = false;   // why the connection ended was printed
    std::string server;  // "HOST port P", for the messages

  private:
    const GameModel& model_;
};

// Plays the own seat when the server says so, and says when the connection is up.
class Bot : public net::NetObserver {
  public:
    Bot(GameFlow& flow, JoinView& view, int skill, const net::GameClient& client)
        : bot_(flow, skill), view_(view), client_(client) {}
    void OwnTurn() override {
        // From the event loop, as a click would come.
        QTimer::singleShot(0, [this] { bot_.Play(); });
    }
    void ConnectionChanged() override {
        if (said_ || !client_.IsConnected()) return;
        said_ = true;
        std::cerr << "connected to " << view_.server << " as " << Printable(client_.OwnName())
                  << "; waiting for a game" << std::endl;
    }

  private:
    net::SeatBot bot_;
    const JoinView& view_;
    const net::GameClient& client_;
    bool said_ = false;
};

int Join(const std::vector<std::string>& args) {
    std::string host, name;
    long skill = 2, port = net::kGamePort;
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
    const Result<Arguments> parsed = ParseArguments(args, {{"--name", true},
                                                           {"--skill", true},
                                                           {"--port", true},
                                                           {"--relay", true},
                                                           {"--room", true}});
    if (!parsed.ok()) {
        std::cerr << "tessaroon-cli join: " << parsed.message() << "\n" << kUsage;
        return 2;
    }
    if (parsed->positional.size() > 1) {
        std::cerr << "tessaroon-cli join: one server, not \"" << parsed->positional[1] << "\"\n";
        return 2;
    }
    if (!parsed->positional.empty()) host = parsed->positional.front();
    std::string relayText, roomText;
    for (const auto& [option, value] : parsed->options) {
        if (option == "--name") {
            name = value;
        } else if (option == "--relay") {
            relayText = value;
        } else if (option == "--room") {
            roomText = value;
        } else {
            const bool isSkill = option == "--skill";
            const Result<long> number = isSkill ? ParseInt(value, 1, 7) : ParseInt(value, 1, 65535);
            if (!number.ok()) {
                std::cerr << "tessaroon-cli join: " << option << " must be "
                          << (isSkill ? "1..7" : "a port 1..65535") << ", not \"" << value
                          << "\"\n";
                return 2;
            }
            (isSkill ? skill : port) = *number;
        }
    }
    if (relayText.empty() != roomText.empty() || (!relayText.empty() && !host.empty())) {
        std::cerr << "tessaroon-cli join: --relay and --room come together, without a server\n";
        return 2;
    }
    net::QtRelayClientTransport relay;
    if (!relayText.empty()) {
        const auto relayAddress = net::ParseServerAddress(relayText, net::kRelayPort);
        const auto code = net::ParseCode(roomText);
        if (!relayAddress || !code) {
            std::cerr << "tessaroon-cli join: \"" << Printable(relayAddress ? roomText : relayText)
                      << (relayAddress ? "\" is not a room code: six groups of four letters and "
                                         "digits\n"
                                       : "\" is not a relay: HOST, HOST:PORT or [IPv6 "
                                         "address]:PORT\n");
            return 2;
        }
        relay.SetRoom(*code);
        host = net::AddressText(*relayAddress);
    }
    if (host.empty() || name.empty()) {
        std::cerr << "tessaroon-cli join: a server and --name are needed\n" << kUsage;
        return 2;
    }
    if (!net::IsValidName(name)) {
        std::cerr << "tessaroon-cli join: a name has 1 to 12 characters and no ','\n";
        return 2;
    }

    const auto server = net::ParseServerAddress(host, static_cast<uint16_t>(port));
    if (!server) {
        std::cerr << "tessaroon-cli join: \"" << Printable(host)
                  << "\" is not a server: HOST, HOST:PORT or [IPv6 address]:PORT\n";
        return 2;
    }

    EventLoop loop;
    GameModel model;
    if (!StartModel(model, std::cerr)) return 1;

    JoinView view(model);
    view.server = (relayText.empty() ? "" : "relay ") + Printable(server->host) + " port " +
                  std::to_string(server->port);
    NetGame net(model, view, nullptr, relayText.empty() ? nullptr : &relay);
    view.waker.SetFlow(net.flow);
    Bot bot(net.flow, view, static_cast<int>(skill), net.play.Client());
    net.play.AddObserver(&bot);

    switch (net.play.Client().Connect(server->host, name, server->port)) {
        case net::ConnectResult::Started:
            break;
        case net::ConnectResult::CannotStart:
            std::cerr << "tessaroon-cli join: " << view.server << ": " << Utf8(msg::CannotConnect)
                      << "\n";
            return 1;
        default:
            return 2;
    }
    while (net.play.Client().State() != net::ClientState::Closed)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    net.play.RemoveObserver(&bot);
    if (!relay.Refusal().empty())
        std::cerr << "tessaroon-cli join: " << view.server << ": "
                  << (relay.Refusal() == "NOROOM" ? "no room has this code"
                      : relay.Refusal() == "FULL" ? "the room or the relay is full"
                      : relay.Refusal() == "LIMIT"
                          ? "too many wrong codes from this address; try again later"
                      : relay.Refusal() == "TLS" ? "the room's key does not match its code"
                                                 : "the relay refused the room")
                  << "\n";
    if (view.gamesEnded == 0 && !view.told)
        std::cerr << "tessaroon-cli join: " << view.server
                  << " closed the connection before a game ended\n";
    return view.gamesEnded > 0 && !view.refused ? 0 : 1;
}

const CommandRegistrar kJoin("join",
                             "join HOST --name NAME [--skill S]   a network client the computer "
                             "plays (--help)",
                             Join, kUsage);

}  // namespace

}  // namespace tq::cli
