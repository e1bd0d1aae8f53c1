// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileio/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace tq {

namespace fs = std::filesystem;

namespace {

Status Failure(std::string_view what, const fs::path& file, int error) {
    return Status::Error("Cannot write " + std::string(what) + " " + file.string() + ": " +
                         std::strerror(error) + ".");
}

// A name no other writer (another thread or another running program) will pick:
// ".<name>.<pid>.<counter><random>.tmp" beside the file, created with O_EXCL.
int CreateTemporary(const fs::path& folder, const fs::path& file, fs::path& temp) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name += file.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '.';
        name += std::to_string(counter++);
        name += std::to_string(rd() % 100000);
        name += ".tmp";
        temp = folder / name;
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {  // no progress: treat as a full disk rather than loop
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced (some file systems) is
// no reason to report a failure, since the file is already in place.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Status WriteFileSafely(const fs::path& path, std::string_view bytes, std::string_view what) {
    fs::path file = path;
    std::error_code ec;
    // Follow a link to the file it names, so the link survives the rename.
    for (int hops = 0; hops < 40 && fs::is_symlink(file, ec); ++hops) {
        const fs::path target = fs::read_symlink(file, ec);
        if (ec) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();

    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return Failure(what, file, errno);
    if (exists && !S_ISREG(old.st_mode))
        return Failure(what, file, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    // A read-only file stays read-only: the rename would replace it regardless of its mode.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0))
        return Failure(what, file, EACCES);

    fs::path temp;
    const int fd = CreateTemporary(folder, file, temp);
    if (fd < 0) return Failure(what, file, errno);
    int error = 0;
    if (!WriteAll(fd, bytes)) error = errno;
    if (!error && exists) {
        // Keep the old file's mode, and its owner where the program may set it (where it may
        // not, as a player may not give a file away, the file stays the program's).
        if (::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
        if (!error && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temp.c_str(), file.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return Failure(what, file, error);
    }
    SyncFolder(folder);
    return Status::Ok();
}

}  // namespace tq
