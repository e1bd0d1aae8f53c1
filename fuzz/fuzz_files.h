// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scratch files for fuzz targets whose readers take a path: one private folder per process,
// removed at exit, holding the files the targets write their inputs to.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace fuzz {

inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        std::string pattern = (base / "tessaroon-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        static const std::filesystem::path made = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return made;
    }();
    return folder;
}

// A path in the scratch folder; whatever was there before is removed.
inline std::filesystem::path ScratchFile(std::string_view name) {
    const std::filesystem::path file = ScratchFolder() / name;
    std::error_code ec;
    std::filesystem::remove_all(file, ec);
    return file;
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace fuzz
