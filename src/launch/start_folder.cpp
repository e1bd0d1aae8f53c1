// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch/start_folder.h"

#include <unistd.h>

#include <system_error>

#ifndef TESSAROON_SHIPPED_FROM_BIN
#define TESSAROON_SHIPPED_FROM_BIN "../share/games/tessaroon"
#endif

namespace fs = std::filesystem;

namespace tq::launch {

namespace {

bool Exists(const fs::path& p) {
    std::error_code ec;
    // A dangling link counts as present: it is the player's, and is not ours to replace.
    return fs::exists(fs::symlink_status(p, ec));
}

std::string Failure(const std::string& what, const fs::path& p, const std::error_code& ec) {
    return what + " " + p.string() + ": " + ec.message();
}

// Copies one file to dest unless dest exists, so that dest is either absent or whole.
Status CopyMissingFile(const fs::path& from, const fs::path& dest, const NewSettingsHook& prepare,
                       FilledFolder& filled) {
    std::string partName = ".";
    partName += dest.filename().string();
    partName += ".part-" + std::to_string(::getpid());
    const fs::path part = dest.parent_path() / partName;
    std::error_code ec;
    if (!fs::copy_file(from, part, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(part, ec);
        return Status::Error(Failure("Cannot copy", from, ec));
    }
    // The player must be able to change the copy (added words, saved settings) even when the
    // shipped file is read-only.
    fs::permissions(part, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ec);
    if (prepare) prepare(part);
    // A hard link never replaces an existing name, so a file that appeared meanwhile (another
    // start at the same moment) is kept. Where links are not supported, rename instead.
    std::error_code linkError;
    fs::create_hard_link(part, dest, linkError);
    bool placed = !linkError;
    if (linkError && !Exists(dest)) {
        fs::rename(part, dest, ec);
        if (ec) {
            fs::remove(part, ec);
            return Status::Error(Failure("Cannot write", dest, ec));
        }
        placed = true;
    }
    fs::remove(part, ec);
    if (placed) ++filled.copied;
    return Status::Ok();
}

// Files the game only reads and the player has no reason to change.
bool IsLinkedFile(const fs::path& file, const fs::path& shipped) {
    const fs::path relative = file.lexically_relative(shipped);
    // The words' explanations beside a dictionary are the game's too.
    return relative == "Tessaroon.chm" || relative == "Tessaroon.ru.chm" ||
           (relative.parent_path() == "Dicts" && relative.extension() == ".tqe");
}

}  // namespace

bool IsStartFolder(const fs::path& dir) {
    return Exists(dir / "Tessaroon.ini") || Exists(dir / "Dicts");
}

std::optional<fs::path> PerUserFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "tessaroon";
    if (home && *home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "tessaroon";
    return std::nullopt;
}

std::optional<fs::path> ShippedData(const fs::path& programFile) {
    const fs::path data =
        (programFile.parent_path() / TESSAROON_SHIPPED_FROM_BIN).lexically_normal();
    std::error_code ec;
    if (!fs::is_regular_file(data / "Tessaroon.ini", ec)) return std::nullopt;
    return data;
}

Result<FilledFolder> FillStartFolder(const fs::path& shipped, const fs::path& target,
                                     const NewSettingsHook& onNewSettings) {
    FilledFolder result;
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target)) {
        return Status::Error(ec ? Failure("Cannot make the folder", target, ec)
                                : "Cannot make the folder " + target.string() +
                                      ": a file is in the way");
    }
    fs::recursive_directory_iterator it(shipped, ec), end;
    if (ec) return Status::Error(Failure("Cannot read", shipped, ec));
    for (; it != end; it.increment(ec)) {
        const fs::path from = it->path();
        const fs::path dest = target / from.lexically_relative(shipped);
        if (it->is_directory(ec)) {
            if (!Exists(dest)) fs::create_directory(dest, ec);
            if (!fs::is_directory(dest)) {
                return Status::Error(ec ? Failure("Cannot make the folder", dest, ec)
                                        : "Cannot make the folder " + dest.string() +
                                              ": a file is in the way");
            }
        } else if (it->is_regular_file(ec) && !Exists(dest)) {
            if (IsLinkedFile(from, shipped)) {
                // The help file is the game's, not the player's: a link to the shipped one
                // follows every update of the game. Where links are not supported, a copy.
                fs::create_symlink(from, dest, ec);
                if (!ec) {
                    ++result.copied;
                    continue;
                }
            }
            const bool settings = from.lexically_relative(shipped) == "Tessaroon.ini";
            const int before = result.copied;
            if (Status copied = CopyMissingFile(
                    from, dest, settings ? onNewSettings : NewSettingsHook{}, result);
                !copied.ok())
                return copied;
            if (settings && result.copied > before) result.newSettings = true;
        }
    }
    if (ec) return Status::Error(Failure("Cannot read", shipped, ec));
    return result;
}

Result<StartFolderChoice> ChooseStartFolder(const fs::path& current, const fs::path& programFile,
                                            const char* xdgDataHome, const char* home,
                                            const NewSettingsHook& onNewSettings) {
    StartFolderChoice choice;
    const auto shipped = ShippedData(programFile);
    if (IsStartFolder(current) || !shipped) {
        choice.folder = current;
        return choice;
    }
    const auto own = PerUserFolder(xdgDataHome, home);
    if (!own) {
        return Status::Error(
            "Cannot find a folder for the game's files: neither XDG_DATA_HOME nor "
            "HOME names an absolute folder.");
    }
    const Result<FilledFolder> filled = FillStartFolder(*shipped, *own, onNewSettings);
    if (!filled.ok()) return filled.status();
    choice.folder = *own;
    choice.perUser = true;
    choice.newSettings = filled->newSettings;
    return choice;
}

fs::path ProgramFile(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self;
    return fs::absolute(argv0 ? argv0 : "", ec);
}

}  // namespace tq::launch
