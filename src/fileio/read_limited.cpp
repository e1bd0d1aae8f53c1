// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileio/read_limited.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tq {

namespace {

Status Fail(ReadFailure kind, std::string error) {
    return Status::Error(kind, std::move(error));
}

std::string Reason(int error) {
    return std::strerror(error);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

Result<std::string> Read(const std::filesystem::path& file, std::size_t lineEnds,
                         std::size_t maxSize) {
    std::string out;
    const std::string name = file.string();
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
    Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            return Fail(ReadFailure::Missing, "The file " + name + " does not exist.");
        if (e == ENXIO)  // a socket or a FIFO without a writer, on some systems
            return Fail(ReadFailure::NotRegular, name + " is not a regular file.");
        return Fail(ReadFailure::Unreadable, "Cannot read " + name + ": " + Reason(e) + ".");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return Fail(ReadFailure::Unreadable, "Cannot read " + name + ": " + Reason(errno) + ".");
    if (!S_ISREG(st.st_mode))
        return Fail(ReadFailure::NotRegular, name + " is not a regular file.");
    const std::string tooLarge = name + " is larger than " + SizeText(maxSize) + ".";
    if (lineEnds == 0 && static_cast<unsigned long long>(st.st_size) > maxSize)
        return Fail(ReadFailure::TooLarge, tooLarge);
    // Back to blocking reads: a regular file never blocks, and this keeps the calls plain.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);

    if (lineEnds == 0) out.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[65536];
    std::size_t seen = 0;
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            return Fail(ReadFailure::Unreadable, "Cannot read " + name + ": " + Reason(e) + ".");
        }
        if (n == 0) break;
        std::size_t take = static_cast<std::size_t>(n);
        if (lineEnds > 0) {
            // Keep the bytes up to and including the wanted line end, and stop there.
            for (std::size_t i = 0; i < take; ++i) {
                if (chunk[i] == '\n' && ++seen == lineEnds) {
                    take = i + 1;
                    break;
                }
            }
        }
        if (out.size() + take > maxSize) return Fail(ReadFailure::TooLarge, tooLarge);
        out.append(chunk, take);
        if (lineEnds > 0 && seen == lineEnds) break;
    }
    return out;
}

}  // namespace

Result<std::string> ReadFileLimited(const std::filesystem::path& file, std::size_t maxSize) {
    return Read(file, 0, maxSize);
}

Result<std::string> ReadFileLinesLimited(const std::filesystem::path& file, std::size_t lineEnds,
                                         std::size_t maxSize) {
    return Read(file, std::max<std::size_t>(lineEnds, 1), maxSize);
}

std::string SizeText(std::size_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace tq
