// SPDX-License-Identifier: GPL-3.0-or-later
// One relay (`tessaroon-cli relay`, its own process) carrying many rooms of paced games. Each room
// is a host and one player, each from an address of its own on loopback (127.x.y.z), speaking the
// relay's greeting and then lines the size of a game's: the player sends one every second (a
// paced game), the host answers each at once with a longer one. The relay cannot tell these from
// encrypted game lines, and reads neither. Measured from outside the relay:
//   memPerRoomKB    the relay's resident memory over the rooms, less what it held before them
//   relayCpuShare   its processor time over the wall time of the paced part
//   linesPerSec     lines through the relay a second
//   delayMedianUs, delayP99Us  the time from a line's send to its arrival through the relay (two
//                   loopback hops and the relay)
//   directMedianUs, directP99Us  the same lines between the same number of pairs connected
//                   straight to each other, played after: the difference is the relay's share
// The argument is the number of rooms. Run it by hand:
// ./build/bench/relay_bench [--benchmark_filter=/100$]

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPace = std::chrono::milliseconds(1000);
constexpr auto kPaced = std::chrono::seconds(8);

long NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
        .count();
}

uint16_t FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof at;
    ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len);
    ::close(fd);
    return ntohs(at.sin_port);
}

// A blocking connection to the relay from the loopback address 127.(from).
int ConnectFrom(uint32_t from, uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_in self{};
    self.sin_family = AF_INET;
    self.sin_addr.s_addr = htonl(0x7F000000u | (from & 0xFFFFFFu));
    ::bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof self);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    timeval wait{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    return fd;
}

void Say(int fd, const std::string& line) {
    static_cast<void>(!::write(fd, line.data(), line.size()));
}

// One reply line of the relay, read byte by byte so that nothing after it is taken.
std::string Reply(int fd) {
    std::string line;
    char c = 0;
    while (line.size() < 200 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

long ProcField(pid_t pid, const char* file, const char* key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string word;
    while (in >> word)
        if (word == key) {
            long value = 0;
            in >> value;
            return value;
        }
    return 0;
}

// The process's processor time in seconds.
double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct Room {
    int control = -1, player = -1, host = -1;
    Clock::time_point nextSend;
    std::string playerIn, hostIn;
};

struct Paced {
    std::vector<long> delays;  // sorted
    double wall = 0;
    double At(double q) const {
        return delays.empty() ? 0.0
                              : static_cast<double>(delays[static_cast<std::size_t>(
                                    q * static_cast<double>(delays.size() - 1))]);
    }
};

// The rooms' paced lines for the given time: the player's move every kPace, the host's answer at
// once.
Paced PlayPaced(std::vector<Room>& all, Clock::duration length) {
    Paced result;
    const std::string pad(40, 'x');
    std::mt19937 rng(7);
    const Clock::time_point start = Clock::now();
    for (Room& r : all) r.nextSend = start + std::chrono::milliseconds(rng() % 1000);
    std::vector<pollfd> fds;
    while (Clock::now() - start < length) {
        const Clock::time_point now = Clock::now();
        Clock::time_point next = now + kPace;
        for (Room& r : all) {
            if (r.nextSend <= now) {
                // The player's move: "GetMyMove/" and its cells, timed.
                Say(r.player, "GetMyMove/" + pad + "/" + std::to_string(NowUs()) + "\r");
                r.nextSend += kPace;
            }
            next = std::min(next, r.nextSend);
        }
        fds.clear();
        for (const Room& r : all) {
            fds.push_back({r.host, POLLIN, 0});
            fds.push_back({r.player, POLLIN, 0});
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
        ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long>(0, wait.count())));
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (!(fds[k].revents & POLLIN)) continue;
            Room& r = all[k / 2];
            const bool atHost = k % 2 == 0;
            std::string& in = atHost ? r.hostIn : r.playerIn;
            char buffer[4096];
            const ssize_t n = ::read(fds[k].fd, buffer, sizeof buffer);
            if (n <= 0) continue;
            in.append(buffer, static_cast<std::size_t>(n));
            for (std::size_t end; (end = in.find('\r')) != std::string::npos;
                 in.erase(0, end + 1)) {
                const long sent = std::atol(in.c_str() + in.rfind('/', end) + 1);
                result.delays.push_back(NowUs() - sent);
                // The host's answer: the move as all seats see it, timed.
                if (atHost)
                    Say(r.host,
                        "GetNewMove/1/2/" + pad + pad + "/" + std::to_string(NowUs()) + "\r");
            }
        }
    }
    result.wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::sort(result.delays.begin(), result.delays.end());
    return result;
}

// The same rooms without the relay: each player connected straight to its host on loopback.
Paced PlayDirect(int rooms, Clock::duration length) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof at;
    ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at);
    ::listen(listener, 128);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &len);
    std::vector<Room> all(static_cast<std::size_t>(rooms));
    for (Room& r : all) {
        r.player = ConnectFrom(0x020000u, ntohs(at.sin_port));
        r.host = ::accept(listener, nullptr, nullptr);
        const int one = 1;
        ::setsockopt(r.host, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ::fcntl(r.host, F_SETFL, O_NONBLOCK);
        ::fcntl(r.player, F_SETFL, O_NONBLOCK);
    }
    ::close(listener);
    Paced result = PlayPaced(all, length);
    for (Room& r : all) {
        ::close(r.player);
        ::close(r.host);
    }
    return result;
}

void BM_RelayRooms(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    rlimit files{};
    ::getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_cur != RLIM_INFINITY && files.rlim_cur < static_cast<rlim_t>(3 * rooms + 64)) {
        state.SkipWithError("the file limit is too low for the rooms");
        return;
    }
    ::signal(SIGPIPE, SIG_IGN);
    const uint16_t port = FreePort();
    const std::string portText = std::to_string(port);
    const std::string roomsText = std::to_string(rooms + 10);
    const std::string connectionsText = std::to_string(3 * rooms + 100);
    const pid_t relay = ::fork();
    if (relay == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::execl(TESSAROON_CLI, TESSAROON_CLI, "relay", "--port", portText.c_str(), "--rooms",
                roomsText.c_str(), "--connections", connectionsText.c_str(), "--quiet",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int probe = -1;
    for (int i = 0; i < 200 && probe < 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        probe = ConnectFrom(0xFFFFFE, port);
    }
    if (probe >= 0) ::close(probe);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const long rssBefore = ProcField(relay, "status", "VmRSS:");

    std::vector<Room> all(static_cast<std::size_t>(rooms));
    bool ok = true;
    for (int i = 0; i < rooms && ok; ++i) {
        Room& r = all[static_cast<std::size_t>(i)];
        const uint32_t hostAddress = 0x010000u + 2u * static_cast<uint32_t>(i);
        r.control = ConnectFrom(hostAddress, port);
        Say(r.control, "TQRELAY1 HOST\n");
        const std::string room = Reply(r.control);
        r.player = ConnectFrom(hostAddress + 1, port);
        Say(r.player, "TQRELAY1 JOIN " + room.substr(5) + "\n");
        const std::string told = Reply(r.control);
        const std::string ticket = told.substr(7, told.find(' ', 7) - 7);
        r.host = ConnectFrom(hostAddress, port);
        Say(r.host, "TQRELAY1 ACCEPT " + room.substr(5) + " " + ticket + "\n");
        ok = room.rfind("ROOM ", 0) == 0 && Reply(r.host) == "READY" && Reply(r.player) == "READY";
        Say(r.host, "GO\n");
        Say(r.player, "GO\n");
        ::fcntl(r.host, F_SETFL, O_NONBLOCK);
        ::fcntl(r.player, F_SETFL, O_NONBLOCK);
    }
    if (!ok) {
        state.SkipWithError("a room could not be opened through the relay");
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const long rssRooms = ProcField(relay, "status", "VmRSS:");
        const double cpuBefore = CpuSeconds(relay);
        Paced through;
        for (auto _ : state) through = PlayPaced(all, kPaced);
        const double cpu = CpuSeconds(relay) - cpuBefore;
        const Paced direct = PlayDirect(rooms, kPaced / 2);
        state.counters["rooms"] = rooms;
        state.counters["memPerRoomKB"] =
            static_cast<double>(rssRooms - rssBefore) / static_cast<double>(rooms);
        state.counters["relayRssMB"] = static_cast<double>(rssRooms) / 1024.0;
        state.counters["relayCpuShare"] = cpu / through.wall;
        state.counters["linesPerSec"] = static_cast<double>(through.delays.size()) / through.wall;
        state.counters["delayMedianUs"] = through.At(0.5);
        state.counters["delayP99Us"] = through.At(0.99);
        state.counters["directMedianUs"] = direct.At(0.5);
        state.counters["directP99Us"] = direct.At(0.99);
    }
    for (Room& r : all)
        for (const int fd : {r.control, r.player, r.host})
            if (fd >= 0) ::close(fd);
    ::kill(relay, SIGTERM);
    ::waitpid(relay, nullptr, 0);
}

BENCHMARK(BM_RelayRooms)
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
