#include <cstdio>
#include <map>
#include <string>

#include "commands.h"

namespace tq::cli {

namespace {

struct Command {
    std::string usage;
    CommandFn fn;
};

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: tessaroon-cli COMMAND [ARGS]\n\nRun it in the game's start folder.\n\n");
    for (const auto& [name, c] : Registry()) std::fprintf(stderr, "  %s\n", c.usage.c_str());
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, CommandFn fn) {
    Registry()[name] = Command{usage, fn};
}

}  // namespace tq::cli

int main(int argc, char** argv) {
    using namespace tq::cli;
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        PrintUsage();
        return 0;
    }
    if (name == "--version") {
        std::printf("tessaroon-cli %s\n", TESSAROON_VERSION);
        return 0;
    }
    auto it = Registry().find(name);
    if (it == Registry().end()) {
        std::fprintf(stderr, "tessaroon-cli: unknown command \"%s\"\n", name.c_str());
        PrintUsage();
        return 2;
    }
    return it->second.fn(std::vector<std::string>(argv + 2, argv + argc));
}
