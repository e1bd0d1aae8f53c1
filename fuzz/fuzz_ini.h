// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of a settings-style file as the reader sees them, for the fuzz targets that check
// which keys a save kept.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "settings/ini_document.h"

namespace fuzz {

using IniKeys = std::map<std::pair<std::string, std::string>, std::string>;

inline std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Every key's first value (as the reader sees it), by lower-case section and key.
inline IniKeys KeysOf(const tq::IniDocument& doc) {
    IniKeys keys;
    doc.ForEachKey([&](std::string_view section, std::string_view key, const std::string&) {
        const auto k = std::make_pair(Lower(section), Lower(key));
        if (!keys.count(k)) keys[k] = *doc.Find(section, key);
    });
    return keys;
}

}  // namespace fuzz
