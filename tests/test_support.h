// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the logic tests: a temporary start folder and file writing.

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tq::test {

// A fresh temporary directory, removed with its content when the object goes.
class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("tessaroon-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// While it lives, every write that would take a file of this process past `bytes` fails with
// EFBIG, as a full disk fails a write: the way tests make a save fail part-way on any machine.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

// The names in a folder, sorted: to check that a failed save left no temporary file behind.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// n distinct English capitals-only words of three letters and more: "BAA", "BAB", ...
inline std::vector<std::string> EnglishWords(int n) {
    std::vector<std::string> words;
    for (int i = 0; static_cast<int>(words.size()) < n; ++i)
        words.push_back(std::string("B") + char('A' + i / 26 % 26) + char('A' + i % 26) +
                        std::string(i / 676, 'Z'));
    return words;
}

// A plain word list text: marker line, then one word a line, CR LF line ends.
inline std::string PlainList(std::string_view marker, const std::vector<std::string>& words) {
    std::string text = std::string(marker) + "\r\n";
    for (const auto& w : words) text += w + "\r\n";
    return text;
}

#ifdef TESSAROON_CLI
// Runs the companion with the given arguments in a folder, as a user would; returns its exit
// status and everything it printed (standard output and error together, or standard output
// alone when errors is false).
struct CliRun {
    int status = -1;
    std::string out;
};

inline CliRun RunCli(const std::filesystem::path& folder, const std::string& args,
                     bool errors = true) {
    const std::string command = "cd '" + folder.string() + "' && '" + std::string(TESSAROON_CLI) +
                                "' " + args + (errors ? " 2>&1" : " 2>/dev/null");
    CliRun r;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0) r.out.append(buffer.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}
#endif

}  // namespace tq::test
