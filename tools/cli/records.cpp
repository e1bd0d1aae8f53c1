// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-cli records: the game's start-up, then the current dictionary's record table as the
// record dialog shows it (the default table when the records file is missing or damaged).

#include <filesystem>
#include <iostream>

#include "commands.h"
#include "core/game_model.h"
#include "printable.h"
#include "records/records.h"

namespace tq::cli {

namespace {

int Records(const std::vector<std::string>& args) {
    if (!TakesNoArguments("records", args)) return 2;
    GameModel model;
    if (!StartModel(model, std::cout)) return 1;
    std::cout << "Rating\tPlayer Name\tRecord\n";
    for (const RecordEntry& e : RecordTableForDisplay(model.RecordsFolder(), model.Dict))
        std::cout << e.Place << "\t" << Printable(e.Name) << "\t" << Printable(e.Value) << "\n";
    return 0;
}

const CommandRegistrar kRecords(
    "records", "records              print the record table of the current dictionary", Records,
    "usage: tessaroon-cli records\n"
    "Prints the record table of the dictionary named in Tessaroon.ini, as the record dialog\n"
    "shows it: place, player name and record value, separated by tabs.\n");

}  // namespace

}  // namespace tq::cli
