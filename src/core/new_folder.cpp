// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/new_folder.h"

#include <set>
#include <system_error>

#include "dict/cp1251.h"
#include "settings/interface_language.h"
#include "settings/settings_file.h"

namespace tq {

namespace fs = std::filesystem;

RecordTitles RussianRecordTitles() {
    static const std::string champion = [] {
        std::string t;
        (void)Utf8ToCp1251("Чемпион", t);
        return t;
    }();
    static const std::string expert = [] {
        std::string t;
        (void)Utf8ToCp1251("Мастер", t);
        return t;
    }();
    static const std::string novice = [] {
        std::string t;
        (void)Utf8ToCp1251("Новичок", t);
        return t;
    }();
    return {champion, expert, novice};
}

Status PrepareNewRecords(const fs::path& folder, const std::vector<std::string>& localeLanguages) {
    const IniFile ini(folder / "Tessaroon.ini");
    if (!IsRussianFolder(ini, localeLanguages)) return Status::Ok();
    std::error_code ec;
    const fs::path records = folder / "Records";
    if (!fs::is_directory(records, ec)) return Status::Ok();
    std::set<std::string> dictionaries = {ReadDictName(ini)};
    for (fs::directory_iterator it(folder / "Dicts", ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".tqd" && it->is_regular_file(ec))
            dictionaries.insert(it->path().stem().string());
    }
    const RecordLines table = DefaultRecordTable(RussianRecordTitles());
    for (const std::string& dict : dictionaries) {
        // A name that would lead out of Records is no dictionary of this folder.
        if (dict.empty() || dict.find('/') != std::string::npos || dict == "." || dict == "..")
            continue;
        if (Status written = WriteFreshRecordsFile(records / (dict + ".tqr"), table); !written.ok())
            return written;
    }
    return Status::Ok();
}

}  // namespace tq
