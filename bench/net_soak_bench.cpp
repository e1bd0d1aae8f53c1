// SPDX-License-Identifier: GPL-3.0-or-later
// A network soak: `tessaroon-cli serve` plays whole games with two honest `join` bots while
// hostile peers press on it, and the server is measured from outside as its own process. The
// argument is the number of hostile peers of each kind:
//   - never-reading: announces a name, then sends itself chat (the server passes it back) and
//     never reads, so the server's queue to it grows until the server closes it; it comes back;
//   - connection flood: keeps ten connections open that never say anything, and opens a new one
//     for every one the server closes;
//   - slow line: says "Connect///" one byte every quarter of a second and never ends the line.
// Counters: movesPerSec (moves of the served games over the wall time from the first game to the
// server's exit), serverPeakMB (the server's peak resident memory), serverCpuSec and
// serverCpuShare (its processor time, and that over the wall time), and of each kind the hostile
// connections the server ended (neverReadingClosed, floodClosed, slowClosed; the closes of its
// exit included). Run it by hand:
// ./build/bench/net_soak_bench

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net/loopback.h"

namespace {

constexpr int kGames = 150;
constexpr int kCols = 6, kRows = 6;  // 30 moves a game
constexpr int kFloodConnections = 10;

using Clock = std::chrono::steady_clock;
using tq::test::FreePort;

// Starts the companion in the shipped start folder with its output going to files.
pid_t StartCompanion(const std::vector<std::string>& args, const std::string& out,
                     const std::string& err) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    if (::chdir(TESSAROON_START_FOLDER) != 0) ::_exit(127);
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(o, 1);
    ::dup2(e, 2);
    std::vector<char*> argv;
    std::string program = TESSAROON_CLI;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

// A non-blocking connection attempt to the port on loopback, or -1.
int Open(uint16_t port, int receiveBuffer = 0) {
    return tq::test::ConnectLoopback(port, receiveBuffer, true);
}

enum class Link { Open, Ended, Refused };

// Whether the server has ended the connection (reads and drops what came); Refused for an
// attempt that found no listener (the server has stopped).
Link Check(int fd) {
    char sink[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, sink, sizeof sink, MSG_DONTWAIT);
        if (n > 0) continue;
        if (n == 0) return Link::Ended;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOTCONN || errno == EINTR)
            return Link::Open;
        return errno == ECONNREFUSED ? Link::Refused : Link::Ended;
    }
}

bool Say(int fd, const std::string& bytes) {
    const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    return n >= 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOTCONN;
}

// The hostile peers, run on their own thread until stopped.
class Hostiles {
  public:
    Hostiles(uint16_t port, int each) : port_(port), each_(each) {
        if (each > 0) thread_ = std::thread([this] { Run(); });
    }
    ~Hostiles() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    Hostiles(const Hostiles&) = delete;
    Hostiles& operator=(const Hostiles&) = delete;
    // Connections the server ended, by kind.
    int SilentClosed() const { return silentClosed_; }
    int FloodClosed() const { return floodClosed_; }
    int SlowClosed() const { return slowClosed_; }

  private:
    void Run() {
        struct Peer {
            int fd = -1;
            std::string name;
        };
        std::vector<Peer> silent(each_), slow(each_);
        std::vector<std::vector<int>> flood(each_, std::vector<int>(kFloodConnections, -1));
        const std::string filler(3000, 'x');
        for (int tick = 0; !stop_; ++tick) {
            for (int i = 0; i < each_; ++i) {
                // Never reads; chat to itself comes back and waits at the server.
                Peer& s = silent[i];
                if (s.fd < 0) {
                    s.name = "Nr" + std::to_string(i);
                    s.fd = Open(port_, 4096);
                    if (s.fd >= 0) Say(s.fd, "Connect///" + s.name + "\r");
                } else if (!Say(s.fd, "GetMessage" + s.name + "," + s.name + "," + filler + "\r")) {
                    if (errno != ECONNREFUSED) ++silentClosed_;
                    ::close(s.fd);
                    s.fd = -1;
                }
                // Opens connections and holds them, silent.
                for (int& fd : flood[i]) {
                    if (fd < 0) {
                    } else if (const Link link = Check(fd); link != Link::Open) {
                        ::close(fd);
                        fd = -1;
                        if (link == Link::Ended) ++floodClosed_;
                    }
                    if (fd < 0) fd = Open(port_);
                }
                // One byte a quarter of a second, and the line never ends.
                Peer& l = slow[i];
                if (l.fd >= 0) {
                    if (const Link link = Check(l.fd); link != Link::Open) {
                        ::close(l.fd);
                        l.fd = -1;
                        if (link == Link::Ended) ++slowClosed_;
                    }
                }
                if (l.fd < 0) {
                    l.fd = Open(port_);
                    l.name = "Connect///Slow" + std::to_string(i);
                } else if (tick % 25 == 0 && !l.name.empty()) {
                    Say(l.fd, l.name.substr(0, 1));
                    l.name.erase(0, 1);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        for (Peer& p : silent)
            if (p.fd >= 0) ::close(p.fd);
        for (Peer& p : slow)
            if (p.fd >= 0) ::close(p.fd);
        for (auto& f : flood)
            for (int fd : f)
                if (fd >= 0) ::close(fd);
    }

    uint16_t port_;
    int each_;
    std::atomic<bool> stop_{false};
    std::atomic<int> silentClosed_{0}, floodClosed_{0}, slowClosed_{0};
    std::thread thread_;
};

void BM_NetSoak(benchmark::State& state) {
    const int each = static_cast<int>(state.range(0));
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("net_soak_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = [&](const char* name) { return (dir / name).string(); };

    double movesPerSec = 0, peakMb = 0, cpuSec = 0, cpuShare = 0;
    int silentClosed = 0, floodClosed = 0, slowClosed = 0;
    for (auto _ : state) {
        const uint16_t port = FreePort();
        const std::string p = std::to_string(port);
        const pid_t server =
            StartCompanion({"serve", "--clients", "2", "--port", p, "--seats", "2,2,2", "--size",
                            std::to_string(kCols) + "x" + std::to_string(kRows), "--games",
                            std::to_string(kGames), "--seed", "1", "--json"},
                           file("serve.out"), file("serve.err"));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const pid_t ann = StartCompanion({"join", "127.0.0.1", "--name", "Ann", "--port", p},
                                         file("ann.out"), file("ann.err"));
        const pid_t bob = StartCompanion({"join", "127.0.0.1", "--name", "Bob", "--port", p},
                                         file("bob.out"), file("bob.err"));
        // The games start once both have their names; the hostile peers come then.
        const auto until = Clock::now() + std::chrono::seconds(30);
        while (Count(ReadAll(file("serve.err")), "client joined") < 2 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto start = Clock::now();
        rusage usage{};
        int status = 0;
        {
            Hostiles hostiles(port, each);
            ::wait4(server, &status, 0, &usage);
            silentClosed = hostiles.SilentClosed();
            floodClosed = hostiles.FloodClosed();
            slowClosed = hostiles.SlowClosed();
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        ::waitpid(ann, nullptr, 0);
        ::waitpid(bob, nullptr, 0);
        const std::size_t games = Count(ReadAll(file("serve.out")), "\"game\":");
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            games != static_cast<std::size_t>(kGames)) {
            state.SkipWithError("the server did not play all its games");
            break;
        }
        const double moves = static_cast<double>(games) * kCols * (kRows - 1);
        movesPerSec = moves / wall;
        peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        cpuSec = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        cpuShare = cpuSec / wall;
    }
    state.counters["movesPerSec"] = movesPerSec;
    state.counters["serverPeakMB"] = peakMb;
    state.counters["serverCpuSec"] = cpuSec;
    state.counters["serverCpuShare"] = cpuShare;
    state.counters["neverReadingClosed"] = silentClosed;
    state.counters["floodClosed"] = floodClosed;
    state.counters["slowClosed"] = slowClosed;
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_NetSoak)
    ->ArgName("hostileEach")
    ->Arg(0)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
