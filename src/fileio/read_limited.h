// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a whole file with a size bound. Only regular files are read: a device, a FIFO or a
// folder in a file's place is refused at once (a FIFO is opened without waiting for a writer),
// and a file larger than the bound is refused without reading it.

#include <cstddef>
#include <filesystem>
#include <string>

#include "base/status.h"

namespace tq {

// Why a file was not read; the failure's message names the file.
enum class ReadFailure {
    Missing = 1,  // nothing of that name
    NotRegular,   // a folder, device, FIFO or socket
    TooLarge,     // larger than the bound
    Unreadable,   // it exists but could not be opened or read (permissions, I/O error)
};

// The file's bytes. At most maxSize bytes are ever read or held.
Result<std::string> ReadFileLimited(const std::filesystem::path& file, std::size_t maxSize);

// Like ReadFileLimited, but stops after the first `lineEnds` LF bytes (the rest of the file is
// not read); the bound counts only the bytes up to there.
Result<std::string> ReadFileLinesLimited(const std::filesystem::path& file, std::size_t lineEnds,
                                         std::size_t maxSize);

// "1 MB", "16 MB", "640000 bytes": a bound as the messages show it.
std::string SizeText(std::size_t bytes);

}  // namespace tq
