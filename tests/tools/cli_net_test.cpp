// SPDX-License-Identifier: GPL-3.0-or-later
// A whole network game between processes: one "tessaroon-cli serve" and two "join" bots on
// loopback, run as a user would in the start folder.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "net/loopback.h"
#include "test_support.h"

namespace {

using nlohmann::json;
using tq::test::ConnectLoopback;
using tq::test::FreePort;
using tq::test::ListenLoopback;
using tq::test::ReadFile;
using tq::test::RunCli;
using tq::test::TempDir;

// One "serve" with the game options and two bots, Ann and Bob, to the end of every game.
struct ServedGames {
    std::vector<json> games;  // the server's record of each game
    std::string ann, bob;     // what each bot printed
};

ServedGames PlayServedGames(const std::string& gameOptions) {
    TempDir out;
    const std::string cli = std::string("'") + TESSAROON_CLI + "'";
    const std::string dir = std::string("'").append(out.path().string()).append("'");
    // The server picks a free port and says which; the bots join on it. Every process is bounded
    // in time, so a hang fails the test instead of stopping the run.
    const std::string script =
        "sh -c \"timeout 240 " + cli + " serve --clients 2 --port 0 " + gameOptions + " --json > " +
        dir + "/serve.out 2> " + dir + "/serve.err & server=\\$!; " +
        "for i in \\$(seq 600); do grep -q 'listening on port' " + dir +
        "/serve.err && break; sleep 0.1; done; " +
        "port=\\$(sed -n 's/^listening on port \\([0-9]*\\).*/\\1/p' " + dir + "/serve.err); " +
        "timeout 240 " + cli + " join 127.0.0.1 --name Ann --skill 3 --port \\$port > " + dir +
        "/ann.out 2>&1 & ann=\\$!; " + "timeout 240 " + cli +
        " join localhost --name Bob --port \\$port > " + dir + "/bob.out 2>&1 & bob=\\$!; " +
        "wait \\$server; s=\\$?; wait \\$ann; a=\\$?; wait \\$bob; b=\\$?; " +
        "echo statuses \\$s \\$a \\$b\"";
    // RunCli prefixes the companion; run the script through the shell it starts instead.
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "help >/dev/null 2>&1; " + script);
    ServedGames served;
    const std::string serveErr = ReadFile(out / "serve.err");
    served.ann = ReadFile(out / "ann.out");
    served.bob = ReadFile(out / "bob.out");
    EXPECT_NE(r.out.find("statuses 0 0 0"), std::string::npos) << r.out << "\nserve:\n"
                                                               << serveErr << "\nAnn:\n"
                                                               << served.ann << "\nBob:\n"
                                                               << served.bob;
    std::istringstream lines(ReadFile(out / "serve.out"));
    for (std::string line; std::getline(lines, line);) served.games.push_back(json::parse(line));
    return served;
}

std::size_t GamesOver(const std::string& seen) {
    std::size_t ends = 0;
    for (std::size_t at = 0; (at = seen.find("Game over", at)) != std::string::npos; ++at) ++ends;
    return ends;
}

TEST(CliNetwork, ServeAndTwoBotsPlayWholeGames) {
    const ServedGames served = PlayServedGames("--seats 2,2,2 --size 4x4 --games 2 --seed 5");
    ASSERT_EQ(served.games.size(), 2u);
    for (const json& g : served.games) {
        const json& seats = g["settings"]["seats"];
        ASSERT_EQ(seats.size(), 3u);
        // The clients sit in the last two seats, in the order they came.
        const std::set<std::string> clients{seats[1]["name"].get<std::string>(),
                                            seats[2]["name"].get<std::string>()};
        EXPECT_EQ(clients, (std::set<std::string>{"Ann", "Bob"}));
        EXPECT_EQ(g["moves"].size(), 12u);  // 4 x 3 free cells, every one filled
        std::set<std::pair<int, int>> cells;
        for (const json& m : g["moves"])
            cells.insert({m["column"].get<int>(), m["row"].get<int>()});
        EXPECT_EQ(cells.size(), 12u);
    }
    // Each bot saw both games to their end, every move of them.
    for (const std::string* seen : {&served.ann, &served.bob}) {
        EXPECT_EQ(GamesOver(*seen), 2u) << *seen;
        EXPECT_NE(seen->find("  12. "), std::string::npos) << *seen;
    }
}

TEST(CliNetwork, GamesWithTheJokerEndNormally) {
    // The clients hold the initial word as placed, with its '?', among their used words, the
    // server the drawn one: every move a bot makes must still be taken.
    const ServedGames served =
        PlayServedGames("--seats 3,2,2 --size 3x3 --joker 1 --games 8 --seed 3");
    ASSERT_EQ(served.games.size(), 8u);
    for (const json& g : served.games) {
        EXPECT_EQ(g["initialWordPlaced"].get<std::string>().find('?') != std::string::npos, true);
        EXPECT_EQ(g["moves"].size(), 6u);
    }
    EXPECT_EQ(GamesOver(served.ann), 8u) << served.ann;
    EXPECT_EQ(GamesOver(served.bob), 8u) << served.bob;
}

TEST(CliNetwork, BadOptionsAreRefusedClearly) {
    const struct {
        const char* args;
        const char* says;
    } cases[] = {
        {"serve", "--clients N is needed"},
        {"serve --clients 6", "--clients must be 1..5"},
        {"serve --clients 3 --seats 2,2", "3 clients do not fit 2 seats"},
        {"serve --clients 1 --port 70000", "--port must be a port"},
        {"serve --clients 1 --move-limit -1", "--move-limit must be 0..86400 seconds"},
        {"serve --clients 1 --per-address 0", "--per-address must be 1..40"},
        {"join host5:0 --name Ann", "is not a server"},
        {"join", "a server and --name are needed"},
        {"join host5 --name Al,Bo", "no ','"},
        {"join host5 --name Ann --skill 8", "--skill must be 1..7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.out.find(c.says), std::string::npos) << r.out;
    }
    // Nobody listening: the bot says so, naming the server, and fails.
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "join 127.0.0.1 --name Ann --port 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("127.0.0.1 port 1: The server is inaccessible."), std::string::npos)
        << r.out;
}

// A plain connection to the port on loopback, tried for a while; -1 when none came.
int ConnectWithin(uint16_t port, std::chrono::seconds within) {
    const auto until = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < until) {
        const int fd = ConnectLoopback(port);
        if (fd >= 0) return fd;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

TEST(CliNetwork, JoinSaysWhichServerFailed) {
    // A server that takes the connection and closes it without a word.
    uint16_t port = 0;
    const int listener = ListenLoopback(port);
    ASSERT_GE(listener, 0);
    std::thread closer([listener] {
        const int fd = ::accept(listener, nullptr, nullptr);
        if (fd >= 0) ::close(fd);
    });
    const tq::test::CliRun r =
        RunCli(TESSAROON_START_FOLDER, "join 127.0.0.1 --name Ann --port " + std::to_string(port));
    closer.join();
    ::close(listener);
    EXPECT_EQ(r.status, 1);
    const std::string server = "127.0.0.1 port " + std::to_string(port);
    // It said when it was in, before the server closed.
    EXPECT_NE(r.out.find("connected to " + server + " as Ann; waiting for a game\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(server + " closed the connection"), std::string::npos) << r.out;
}

TEST(CliNetwork, ServeTellsChangesEscapesChatAndLimitsASilentSeat) {
    const uint16_t port = FreePort();
    // Eve takes the client seat, says something with a terminal escape in it, and then never
    // moves: after the one-second limit the computer plays her seat to the game's end.
    std::thread eve([port] {
        const int fd = ConnectWithin(port, std::chrono::seconds(60));
        if (fd < 0) return;
        // Then a flood of long chat, which the server's log must not take in whole.
        std::string lines = "Connect///Eve\rGetMessageEve,Server,\x1b[2Jboom\r";
        for (int i = 0; i < 500; ++i)
            lines += "GetMessageEve,Server," + std::string(4000, 'x') + "\r";
        static_cast<void>(!::send(fd, lines.data(), lines.size(), MSG_NOSIGNAL));
        char sink[4096];
        while (::read(fd, sink, sizeof sink) > 0) {
        }
        ::close(fd);
    });
    const tq::test::CliRun r =
        RunCli(TESSAROON_START_FOLDER, "serve --clients 1 --port " + std::to_string(port) +
                                           " --move-limit 1 --seats 2,2 --size 3x3 --seed 3");
    eve.join();
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("client joined: Eve\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Message from: Eve >\\x1B[2Jboom"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    std::size_t chats = 0;
    for (std::size_t at = 0; (at = r.out.find("Message from: Eve", at)) != std::string::npos; ++at)
        ++chats;
    EXPECT_LE(chats, 20u);
    EXPECT_EQ(r.out.find(std::string(600, 'x')), std::string::npos);
    EXPECT_NE(r.out.find("connection of Eve closed: it did not move within 1 second\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("client left: Eve\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Totals:"), std::string::npos) << r.out;  // the game ran to its end
}

}  // namespace
