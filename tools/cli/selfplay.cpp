// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli selfplay: whole games between computer seats, without a window, through the same
// game flow the window drives. Settings come from Tessaroon.ini in the current directory (the start
// folder), overridden by options; every seat is played by the computer with its skill.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "core/game_flow.h"
#include "core/game_model.h"
#include "core/headless_view.h"
#include "dict/cp1251.h"
#include "play_common.h"
#include "printable.h"
#include "settings/settings_file.h"

namespace tq::cli {

namespace {

const std::string kUsage =
    std::string(
        "usage: tessaroon-cli selfplay [options]\n"
        "Plays whole games between computer seats in the start folder (the current directory).\n"
        "Settings come from Tessaroon.ini; every seat is played by the computer.\n") +
    kGameOptionsUsage;

int SelfPlay(const std::vector<std::string>& args) {
    Options options;
    if (const Status parsed = ParseOptions(args, options); !parsed.ok()) {
        std::cerr << "tessaroon-cli selfplay: " << parsed.message() << "\n" << kUsage;
        return 2;
    }

    GameModel model;
    if (!StartModel(model, std::cerr)) return 1;
    if (const Status applied = ApplyOptions(options, model.Dict, model.Settings); !applied.ok()) {
        std::cerr << "tessaroon-cli selfplay: " << applied.message() << "\n";
        return 2;
    }

    const uint64_t seed =
        options.seed
            ? *options.seed
            : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) &
                  0x7FFFFFFFFFFFFFFFULL;
    HeadlessView view;
    NullSender sender;
    GameFlow flow(model, view, sender);
    GameRecorder recorder;
    flow.Subscribe(recorder);

    const bool progress = options.games > 1 && ::isatty(STDERR_FILENO);
    auto lastProgress = std::chrono::steady_clock::now();
    std::vector<int> wins(kMaxSeats + 1, 0);
    int draws = 0;
    for (int game = 1; game <= options.games; ++game) {
        const uint64_t gameSeed = seed + static_cast<uint64_t>(game - 1);
        model.Rng.Seed(gameSeed);
        flow.StartNewGame();
        view.RunWakes(flow);
        if (flow.Phase() != GamePhase::GameOver) {
            std::cerr << "tessaroon-cli selfplay: game " << game << " did not end\n";
            return 1;
        }
        const std::vector<int> top = TopSeats(model);
        if (top.size() == 1)
            ++wins[top[0]];
        else
            ++draws;
        if (options.json)
            std::cout << GameJson(game, gameSeed, model, recorder).dump() << "\n";
        else
            PrintGame(game, gameSeed, model, recorder);
        if (progress &&
            (std::chrono::steady_clock::now() - lastProgress > std::chrono::milliseconds(200) ||
             game == options.games)) {
            lastProgress = std::chrono::steady_clock::now();
            std::fprintf(stderr, "\rgame %d of %d", game, options.games);
            if (game == options.games) std::fprintf(stderr, "\n");
            std::fflush(stderr);
        }
    }
    if (!options.json && options.games > 1) {
        std::cout << "Wins over " << options.games << " games:\n";
        for (int seat = 1; seat <= model.Settings.Count; ++seat)
            std::cout << "  " << Printable(model.Settings.Seat(seat).Name) << " (seat " << seat
                      << ", skill " << int(model.Settings.Seat(seat).Skill) << "): " << wins[seat]
                      << "\n";
        std::cout << "  draws: " << draws << "\n";
    }
    return 0;
}

const CommandRegistrar kSelfPlay(
    "selfplay", "selfplay [options]   play whole games between computer seats (--help for options)",
    SelfPlay, kUsage.c_str());

}  // namespace

}  // namespace tq::cli
