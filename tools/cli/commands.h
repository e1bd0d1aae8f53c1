#pragma once
// The companion's commands. Each command file registers itself with a static CommandRegistrar;
// main() dispatches on the first argument. Commands run in the current directory, the start
// folder, exactly as the game does.

#include <string>
#include <vector>

namespace tq::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct CommandRegistrar {
    CommandRegistrar(const char* name, const char* usage, CommandFn fn);
};

}  // namespace tq::cli
