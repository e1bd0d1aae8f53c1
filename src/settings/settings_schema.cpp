// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_schema.h"

namespace tq {

namespace {

// The table is indexed by Setting: every row must stand at its own key's place.
constexpr bool InOrder() {
    for (std::size_t i = 0; i < kSettingsSchema.size(); ++i)
        if (static_cast<std::size_t>(kSettingsSchema[i].setting) != i) return false;
    return true;
}
static_assert(InOrder(), "kSettingsSchema lists the settings in the order of Setting");

long Pick(FromDict from, long fixed, const TDictInfo& dict) {
    switch (from) {
        case FromDict::Shortest:
            return dict.ShortestLen;
        case FromDict::Longest:
            return dict.LongestLen;
        case FromDict::No:
            break;
    }
    return fixed;
}

}  // namespace

SettingRange RangeOf(Setting setting, const TDictInfo& dict) {
    const SettingSpec& spec = SpecOf(setting);
    return {Pick(spec.minFrom, spec.min, dict), Pick(spec.maxFrom, spec.max, dict)};
}

long DefaultOf(Setting setting, const TDictInfo& dict) {
    const SettingSpec& spec = SpecOf(setting);
    return Pick(spec.defFrom, spec.def, dict);
}

std::string KeyOf(Setting setting, int seat) {
    const SettingSpec& spec = SpecOf(setting);
    std::string key(spec.key);
    if (spec.perSeat) key += std::to_string(seat);
    return key;
}

}  // namespace tq
