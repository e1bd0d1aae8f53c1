// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for a style's colour file. Any text reads as eight colours; writing colours into
// a file holding that text keeps every key other than the eight, and the colours read back.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "fuzz_files.h"
#include "fuzz_ini.h"
#include "settings/ini_document.h"
#include "settings/style_colours.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto file = fuzz::ScratchFile("Fuzzed.ini");
    fuzz::WriteBytes(file, text);
    const tq::StyleColours read = tq::ReadStyleColours(file);

    // Other colours, from the input's last bytes.
    tq::StyleColours colours = read;
    for (std::size_t i = 0; i < colours.values.size() && 4 * (i + 1) <= size; ++i)
        std::memcpy(&colours.values[i], data + size - 4 * (i + 1), 4);
    Require(tq::WriteStyleColours(file, colours).ok());
    const std::string written = fuzz::ReadBytes(file);
    Require(tq::ReadStyleColours(file) == colours);

    const auto before = fuzz::KeysOf(tq::IniDocument(text));
    const auto after = fuzz::KeysOf(tq::IniDocument(written));
    for (const auto& [key, value] : before) {
        bool owned = false;
        for (const auto& k : tq::StyleColourKeys())
            owned |= key == std::make_pair(fuzz::Lower(k.section), fuzz::Lower(k.key));
        if (owned) continue;
        const auto it = after.find(key);
        Require(it != after.end() && it->second == value);
    }
    return 0;
}
