// SPDX-License-Identifier: GPL-3.0-or-later
// A whole network game between processes: one "tessaroon-cli serve" and two "join" bots on
// loopback, run as a user would in the start folder.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "test_support.h"

namespace {

using nlohmann::json;
using tq::test::ReadFile;
using tq::test::RunCli;
using tq::test::TempDir;

TEST(CliNetwork, ServeAndTwoBotsPlayWholeGames) {
    TempDir out;
    const std::string cli = std::string("'") + TESSAROON_CLI + "'";
    const std::string dir = "'" + out.path().string() + "'";
    // The server picks a free port and says which; the bots join on it. Every process is bounded
    // in time, so a hang fails the test instead of stopping the run.
    const std::string script =
        "sh -c \"timeout 240 " + cli +
        " serve --clients 2 --port 0 --seats 2,2,2 --size 4x4 --games 2 --seed 5 --json > " + dir +
        "/serve.out 2> " + dir + "/serve.err & server=\\$!; " +
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
    const std::string serveErr = ReadFile(out / "serve.err");
    const std::string ann = ReadFile(out / "ann.out");
    const std::string bob = ReadFile(out / "bob.out");
    ASSERT_NE(r.out.find("statuses 0 0 0"), std::string::npos) << r.out << "\nserve:\n"
                                                               << serveErr << "\nAnn:\n"
                                                               << ann << "\nBob:\n"
                                                               << bob;

    std::vector<json> games;
    std::istringstream lines(ReadFile(out / "serve.out"));
    for (std::string line; std::getline(lines, line);) games.push_back(json::parse(line));
    ASSERT_EQ(games.size(), 2u);
    for (const json& g : games) {
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
    for (const std::string* seen : {&ann, &bob}) {
        std::size_t ends = 0;
        for (std::size_t at = 0; (at = seen->find("Game over", at)) != std::string::npos; ++at)
            ++ends;
        EXPECT_EQ(ends, 2u) << *seen;
        EXPECT_NE(seen->find("  12. "), std::string::npos) << *seen;
    }
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
    // Nobody listening: the bot says so and fails.
    const tq::test::CliRun r = RunCli(TESSAROON_START_FOLDER, "join 127.0.0.1 --name Ann --port 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("The server is inaccessible."), std::string::npos) << r.out;
}

}  // namespace
