// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player's new folder, made by the first start of an installed game, speaks the language of
// its interface from the start: in a Russian one the settings file names the seats in Russian
// (PrepareNewSettings) and the record tables start with Russian titles.

#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "records/records.h"

namespace tq {

// The default table's titles of a Russian folder, in code page 1251.
RecordTitles RussianRecordTitles();

// After the folder got its settings file: when it is a Russian folder (IsRussianFolder), writes
// the default table with Russian titles for the settings' dictionary and every compressed
// dictionary in Dicts, into the folder Records. A records file that is there already is kept,
// and a folder without Records gets none.
Status PrepareNewRecords(const std::filesystem::path& folder,
                         const std::vector<std::string>& localeLanguages);

}  // namespace tq
