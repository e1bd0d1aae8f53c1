// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The companion's commands. Each command file registers itself with a static CommandRegistrar;
// main() dispatches on the first argument. Commands run in the current directory, the start
// folder, exactly as the game does.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace tq {
struct GameModel;
}

namespace tq::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct CommandRegistrar {
    // summary: the command's line in the list of commands. help: what "COMMAND --help" prints
    // (the summary when there is none). main() answers --help and -h before the command runs.
    CommandRegistrar(const char* name, const char* summary, CommandFn fn,
                     const char* help = nullptr);
};

// The start folder the commands read: the current directory, or, for an installed companion
// started outside a start folder, the player's own folder of the installed game (made and
// filled as the game makes it). File arguments stay relative to the current directory.
std::filesystem::path StartFolder();

// True when args is empty; otherwise writes that the command takes none, naming the first
// argument, with the command's usage to standard error.
bool TakesNoArguments(const char* command, const std::vector<std::string>& args);

// Starts model in StartFolder() as the game starts: the settings file, the dictionary it names
// and the settings. On failure writes why (the dictionary message, or an I/O error) to out and
// returns false.
bool StartModel(GameModel& model, std::ostream& out);

}  // namespace tq::cli
