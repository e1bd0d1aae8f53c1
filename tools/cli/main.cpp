#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/version.h"
#include "commands.h"
#include "launch/start_folder.h"

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

const char* gProgram = "tessaroon-cli";  // argv[0]

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: tessaroon-cli COMMAND [ARGS]\n\nRun it in the game's start folder.\n\n");
    for (const auto& [name, c] : Registry()) std::fprintf(stderr, "  %s\n", c.usage.c_str());
}

}  // namespace

std::filesystem::path StartFolder() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    const auto choice = launch::ChooseStartFolder(
        current, launch::ProgramFile(gProgram), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!choice.error.empty()) {
        std::fprintf(stderr, "tessaroon-cli: %s\n", choice.error.c_str());
        return current;
    }
    return choice.folder;
}

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, CommandFn fn) {
    Registry()[name] = Command{usage, fn};
}

}  // namespace tq::cli

int main(int argc, char** argv) {
    using namespace tq::cli;
    gProgram = argv[0];
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
        std::printf("tessaroon-cli %s\n", std::string(tq::kVersion).c_str());
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
