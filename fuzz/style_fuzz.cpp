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

#include "fuzz_files.h"
#include "settings/ini_document.h"
#include "settings/style_colours.h"

namespace {

// Ends the run with the line of the broken expectation.
#define Require(condition)                                                                     \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::map<std::pair<std::string, std::string>, std::string> Keys(const std::string& text) {
    const tq::IniDocument doc(text);
    std::map<std::pair<std::string, std::string>, std::string> keys;
    doc.ForEachKey([&](std::string_view section, std::string_view key, const std::string&) {
        const auto k = std::make_pair(Lower(section), Lower(key));
        if (!keys.count(k)) keys[k] = *doc.Find(section, key);
    });
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto file = fuzz::ScratchFile("Fuzzed.ini");
    fuzz::WriteBytes(file, text);
    const tq::StyleColours read = tq::ReadStyleColours(file);

    // Other colours, from the input's last bytes.
    tq::StyleColours colours = read;
    for (std::size_t i = 0; i < colours.values.size() && 4 * (i + 1) <= size; ++i)
        std::memcpy(&colours.values[i], data + size - 4 * (i + 1), 4);
    Require(tq::WriteStyleColours(file, colours).empty());
    const std::string written = fuzz::ReadBytes(file);
    Require(tq::ReadStyleColours(file) == colours);

    const auto before = Keys(text);
    const auto after = Keys(written);
    for (const auto& [key, value] : before) {
        bool owned = false;
        for (const auto& k : tq::StyleColourKeys())
            owned |= key == std::make_pair(Lower(k.section), Lower(k.key));
        if (owned) continue;
        const auto it = after.find(key);
        Require(it != after.end() && it->second == value);
    }
    return 0;
}
