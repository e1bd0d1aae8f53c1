// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLocale>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "arguments.h"
#include "base/version.h"
#include "commands.h"
#include "core/game_model.h"
#include "core/new_folder.h"
#include "launch/start_folder.h"
#include "printable.h"
#include "settings/interface_language.h"

namespace tq::cli {

namespace {

struct Command {
    std::string summary;
    std::string help;
    CommandFn fn;
};

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

const char* gProgram = "tessaroon-cli";  // argv[0]

void PrintUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tessaroon-cli COMMAND [ARGS]\n\nRun it in the game's start folder.\n\n");
    for (const auto& [name, c] : Registry()) std::fprintf(out, "  %s\n", c.summary.c_str());
    std::fprintf(out, "\n\"tessaroon-cli help COMMAND\" describes a command.\n");
}

bool AsksForHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

std::filesystem::path StartFolder() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    // The companion speaks English, but a player's folder it makes starts with the dictionary
    // the game would give it: that of the locale's language.
    std::vector<std::string> languages;
    for (const QString& name : QLocale::system().uiLanguages())
        languages.push_back(name.toStdString());
    const auto prepare = [&languages](const std::filesystem::path& newSettings) {
        (void)PrepareNewSettings(newSettings, languages);
    };
    const auto choice =
        launch::ChooseStartFolder(current, launch::ProgramFile(gProgram),
                                  std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), prepare);
    if (!choice.ok()) {
        std::fprintf(stderr, "tessaroon-cli: %s\n", choice.message().c_str());
        return current;
    }
    if (choice->newSettings) (void)PrepareNewRecords(choice->folder, languages);
    return choice->folder;
}

bool StartModel(GameModel& model, std::ostream& out) {
    const std::filesystem::path folder = StartFolder();
    const Status started = StartUp(model, folder);
    if (started.ok()) return true;
    out << PrintableLines(started.message()) << "\n";
    // The window's message says what failed; the companion says where it looked and what to do.
    const std::string dict = model.Dict.DictName;
    out << PrintableLines("tessaroon-cli looked for the dictionary " + dict + " (" + dict +
                          ".tqd or " + dict + ".txt) in " + model.DictsFolder().string() +
                          ". Run it in the game's start folder, the folder holding "
                          "Tessaroon.ini and Dicts (game/ in the source tree), or name a "
                          "dictionary found there by Dict in Tessaroon.ini.")
        << "\n";
    return false;
}

bool TakesNoArguments(const char* command, const std::vector<std::string>& args) {
    const Result<Arguments> parsed = ParseArguments(args, {});
    if (parsed.ok() && parsed->positional.empty()) return true;
    std::fprintf(stderr, "tessaroon-cli %s: %s\n", command,
                 parsed.ok()
                     ? ("unexpected argument \"" + parsed->positional.front() + "\"").c_str()
                     : parsed.message().c_str());
    std::fputs(Registry()[command].help.c_str(), stderr);
    return false;
}

CommandRegistrar::CommandRegistrar(const char* name, const char* summary, CommandFn fn,
                                   const char* help) {
    std::string text = help ? help : summary;
    if (text.empty() || text.back() != '\n') text += '\n';
    Registry()[name] = Command{summary, text, fn};
}

}  // namespace tq::cli

int main(int argc, char** argv) {
    using namespace tq::cli;
    gProgram = argv[0];
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string name = argv[1];
    // Asked-for help goes to standard output and succeeds; usage after a mistake goes to
    // standard error with status 2.
    if (name == "help" || AsksForHelp(name)) {
        if (name == "help" && argc > 2) {  // help COMMAND
            auto it = Registry().find(argv[2]);
            if (it == Registry().end()) {
                std::fprintf(stderr, "tessaroon-cli: unknown command \"%s\"\n", argv[2]);
                PrintUsage(stderr);
                return 2;
            }
            std::fputs(it->second.help.c_str(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        PrintUsage(stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (name == "--version") {
        std::printf("tessaroon-cli %s\n", std::string(tq::kVersion).c_str());
        return 0;
    }
    auto it = Registry().find(name);
    if (it == Registry().end()) {
        std::fprintf(stderr, "tessaroon-cli: unknown command \"%s\"\n", name.c_str());
        PrintUsage(stderr);
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& a : args)
        if (AsksForHelp(a)) {
            std::fputs(it->second.help.c_str(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    return it->second.fn(args);
}
