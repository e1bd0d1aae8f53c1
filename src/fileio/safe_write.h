// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program replaces a file: the new bytes go to a temporary file with a unique
// name in the same folder, which is flushed and synced, takes the old file's permissions, and is
// renamed over the old file only when every step succeeded. A failure at any step (a full disk,
// a read-only folder, a write error) leaves the old file exactly as it was, removes the
// temporary file and returns the error; so a save never reports success over a cut file.

#include <filesystem>
#include <string_view>

#include "base/status.h"

namespace tq {

// Replaces (or creates) file with bytes. `what` names the file in the error ("the settings
// file"). A symbolic link is followed: its target is replaced and the link stays. A file that
// exists but is read-only, or is not a regular file, is left alone and gives an error. On
// failure the status holds a readable error naming the file and the reason.
Status WriteFileSafely(const std::filesystem::path& file, std::string_view bytes,
                       std::string_view what);

}  // namespace tq
