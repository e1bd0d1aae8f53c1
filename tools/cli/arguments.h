// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arguments of a companion command: the options it takes, each by its long name, and the
// other arguments. Parsed by QCommandLineParser; an option the command does not take is refused
// by name.

#include <string>
#include <utility>
#include <vector>

#include "base/status.h"

namespace tq::cli {

// An option a command takes: "--name", followed by a value ("--name V" or "--name=V") or not.
struct OptionSpec {
    const char* name;  // with its two dashes
    bool valued;
};

struct Arguments {
    // The options given, in their order, each as "--name" and its value ("" for a flag); an option
    // given twice is there twice.
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;  // the other arguments, in their order
};

// Fails with `unknown option "-x"`, `--name needs a value` or `--flag takes no value`.
Result<Arguments> ParseArguments(const std::vector<std::string>& args,
                                 const std::vector<OptionSpec>& specs);

}  // namespace tq::cli
