// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight colours of a style and its colour file Styles/<name>.ini. Plain data, no Qt: the
// style pictures and the windows that take the colours live in style.h.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace tq {

// The colours in the order of the style dialog's swatches.
enum class StyleColour : uint8_t {
    FillColor,        // General/FillColor
    BorderColor,      // General/BorderColor
    HighlightColor,   // General/HighlightColor
    HeadFontColor,    // HeadlineCell/FontColor
    HeadColor,        // HeadlineCell/Color
    HeadBorderColor,  // HeadlineCell/BorderColor
    FieldFontColor,   // FieldCell/FontColor
    InputFontColor,   // InputCell/FontColor
};
constexpr int kStyleColourCount = 8;

struct StyleColourKey {
    std::string_view section;
    std::string_view key;
    uint32_t def;  // 0x00BBGGRR, or 0xFF0000nn for system colour nn
};

// Section, key and default of each colour, in StyleColour order.
const std::array<StyleColourKey, kStyleColourCount>& StyleColourKeys();

// One colour value per row of the colour table.
struct StyleColours {
    std::array<uint32_t, kStyleColourCount> values{};

    StyleColours();  // every colour at its default
    uint32_t operator[](StyleColour c) const { return values[static_cast<int>(c)]; }
    uint32_t& operator[](StyleColour c) { return values[static_cast<int>(c)]; }
    friend bool operator==(const StyleColours&, const StyleColours&) = default;
};

// The style name without its folder, as the colour file and the pictures are named.
std::filesystem::path StyleColourFile(const std::filesystem::path& stylesFolder,
                                      std::string_view name);

// The colours of a colour file, each missing key (or a missing file) at its default. Values are
// decimal integers, negative ones for system colours.
StyleColours ReadStyleColours(const std::filesystem::path& file);

// Writes the eight colours under their sections and keys, keeping whatever else the file holds.
// On failure the status holds an error naming the style file.
Status WriteStyleColours(const std::filesystem::path& file, const StyleColours& colours);

// The name LoadStyle settles on: the configured name when its colour file exists, else "Marble".
std::string ResolveStyleName(const std::filesystem::path& stylesFolder, std::string_view name);

// The style names of the colour files in the folder, sorted: each file name up to the first
// ".ini" (lower case); a name without ".ini", or starting with it, gives no item.
std::vector<std::string> ListStyles(const std::filesystem::path& stylesFolder);

}  // namespace tq
