// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/style_colours.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <system_error>

#include "settings/settings_file.h"

namespace tq {

namespace fs = std::filesystem;

const std::array<StyleColourKey, kStyleColourCount>& StyleColourKeys() {
    static const std::array<StyleColourKey, kStyleColourCount> keys = {{
        {"General", "FillColor", 16777215},
        {"General", "BorderColor", 25600},
        {"General", "HighlightColor", 0xFF000018},  // -16777192: the tooltip background
        {"HeadlineCell", "FontColor", 65535},
        {"HeadlineCell", "Color", 32768},
        {"HeadlineCell", "BorderColor", 16384},
        {"FieldCell", "FontColor", 0},
        {"InputCell", "FontColor", 24576},
    }};
    return keys;
}

StyleColours::StyleColours() {
    for (int i = 0; i < kStyleColourCount; ++i) values[i] = StyleColourKeys()[i].def;
}

fs::path StyleColourFile(const fs::path& stylesFolder, std::string_view name) {
    return stylesFolder / (std::string(name) + ".ini");
}

StyleColours ReadStyleColours(const fs::path& file) {
    const IniFile ini(file);
    StyleColours colours;
    for (int i = 0; i < kStyleColourCount; ++i) {
        const StyleColourKey& k = StyleColourKeys()[i];
        // Files hold the value as a signed 32-bit decimal; keep its bit pattern.
        const long def = static_cast<int32_t>(k.def);
        const long v = ini.ReadInteger(k.section, k.key, def);
        colours.values[i] = (v < INT32_MIN || v > UINT32_MAX) ? k.def : static_cast<uint32_t>(v);
    }
    return colours;
}

Status WriteStyleColours(const fs::path& file, const StyleColours& colours) {
    IniFile ini(file);
    for (int i = 0; i < kStyleColourCount; ++i) {
        const StyleColourKey& k = StyleColourKeys()[i];
        ini.WriteInteger(k.section, k.key, static_cast<int32_t>(colours.values[i]));
    }
    if (!ini.Save("the style file").ok())
        return Status::Error("Cannot write the style file " + file.string() + ".");
    return Status::Ok();
}

std::string ResolveStyleName(const fs::path& stylesFolder, std::string_view name) {
    std::error_code ec;
    if (fs::is_regular_file(StyleColourFile(stylesFolder, name), ec)) return std::string(name);
    return "Marble";
}

std::vector<std::string> ListStyles(const fs::path& stylesFolder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(stylesFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        const std::string file = it->path().filename().string();
        // The wildcard *.ini matches names ending in ".ini" in any letter case; the item is
        // the name up to the first lower-case ".ini".
        if (file.size() < 4) continue;
        std::string ext = file.substr(file.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext != ".ini") continue;
        const std::size_t at = file.find(".ini");
        if (at == std::string::npos || at == 0) continue;
        names.push_back(file.substr(0, at));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace tq
