// SPDX-License-Identifier: GPL-3.0-or-later
// What a hostile peer can hold of a server on real sockets: a peer that never reads, a flood of
// connections at a low file limit, and an accept that fails for lack of descriptors. Peers that
// must not share the server's descriptors run in a child process.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/fake_view.h"
#include "core/flow_fixture.h"
#include "net/loopback.h"
#include "net/net_fixture.h"
#include "net/net_play.h"
#include "net/qt_transport.h"
#include "qt_support.h"

namespace tq::test {
namespace {

// A child process that opens `count` connections to the port, says `line` on each (may be
// null), and holds them until it is ended. It first closes what it inherited, so that the
// server's closes take effect, and lifts the file limit it inherited. It also ends with the test
// process: one that stopped on a failure must not leave it holding the test runner's output.
class Peers {
  public:
    Peers(uint16_t port, int count, const char* line) {
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ != 0) return;
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(0);
        ::close_range(3, ~0U, 0);
        rlimit files{};
        ::getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
        for (int i = 0; i < count; ++i) {
            const int fd = ConnectLoopback(port);
            if (fd >= 0 && line) static_cast<void>(!::write(fd, line, std::strlen(line)));
        }
        ::pause();
        ::_exit(0);
    }
    ~Peers() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Peers(const Peers&) = delete;
    Peers& operator=(const Peers&) = delete;

  private:
    pid_t pid_ = -1;
};

// Lowers the process's file limit to the descriptors open now and `room` more; restores it.
class FileLimit {
  public:
    explicit FileLimit(std::size_t room) {
        ::getrlimit(RLIMIT_NOFILE, &old_);
        std::size_t open = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
            ++open;
        rlimit low = old_;
        low.rlim_cur = open + room;
        ::setrlimit(RLIMIT_NOFILE, &low);
    }
    ~FileLimit() { ::setrlimit(RLIMIT_NOFILE, &old_); }
    FileLimit(const FileLimit&) = delete;
    FileLimit& operator=(const FileLimit&) = delete;

  private:
    rlimit old_{};
};

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for a while, sleeping whenever nothing happens, as the program does.
void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A copy of the program with network play on real sockets.
struct Program {
    Program() {
        UseEnglish(model, {"HORSE", "HOT", "HOTS", "ROT", "SHOE", "HE", "TO", "OR", "ORE", "TOE"});
        flow = std::make_unique<GameFlow>(model, view, none);
        play = std::make_unique<net::NetPlay>(*flow, view, serverSockets, clientSockets);
        play->AddObserver(&observer);
    }
    ~Program() {
        play->RemoveObserver(&observer);
        play.reset();
    }
    net::GameServer& Server() { return play->Server(); }

    GameModel model;
    FakeView view;
    NullSender none;
    std::unique_ptr<GameFlow> flow;
    net::QtServerTransport serverSockets;
    net::QtClientTransport clientSockets;
    std::unique_ptr<net::NetPlay> play;
    RecordingObserver observer;
};

TEST(QtBounds, APeerThatNeverReadsStaysWithinTheQueueBoundAndIsClosed) {
    net::QtServerTransport server;
    RecordingServerEvents events;
    server.SetEvents(&events);
    ASSERT_TRUE(server.Listen(0));
    const int peer = ConnectLoopback(server.Port(), 4096);
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(WaitFor([&] { return events.accepted.size() == 1; }));
    const net::ConnectionId id = events.accepted[0];

    // Lines as fast as the server can make them; the peer reads none.
    const std::string line = "GetMessageAnn," + std::string(4000, 'x') + "\r";
    std::size_t sent = 0, mostQueued = 0;
    while (events.cutOff.empty() && sent < (64u << 20)) {
        server.Send(id, line);
        sent += line.size();
        mostQueued = std::max(mostQueued, server.QueuedBytes(id));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(WaitFor([&] { return !events.cutOff.empty(); }, 2000)) << sent << " bytes sent";
    // Told as a cut-off, so that the logic can say why the connection went.
    EXPECT_EQ(events.cutOff, std::vector<net::ConnectionId>{id});
    EXPECT_TRUE(events.closed.empty());
    EXPECT_LE(mostQueued, net::kMaxQueuedBytes);
    EXPECT_GT(mostQueued, net::kMaxQueuedBytes / 2);
    EXPECT_EQ(server.ConnectionCount(), 0u);
    // Later lines for it go nowhere.
    server.Send(id, line);
    EXPECT_EQ(server.QueuedBytes(id), 0u);
    ::close(peer);
}

TEST(QtBounds, AClientWhoseServerNeverReadsBreaksOffWithinTheBound) {
    // A listener that takes the connection and never reads it.
    uint16_t port = 0;
    const int listener = ListenLoopback(port, 4096);
    ASSERT_GE(listener, 0);

    net::QtClientTransport client;
    RecordingClientEvents events;
    client.SetEvents(&events);
    ASSERT_TRUE(client.Connect("127.0.0.1", port));
    ASSERT_TRUE(WaitFor([&] { return events.connected == 1; }));
    const std::string line = "GetMessageAnn,Bob," + std::string(4000, 'x') + "\r";
    std::size_t sent = 0, mostQueued = 0;
    while (events.closed == 0 && sent < (64u << 20)) {
        client.Send(line);
        sent += line.size();
        mostQueued = std::max(mostQueued, client.QueuedBytes());
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(WaitFor([&] { return events.closed == 1; }, 2000));
    EXPECT_EQ(events.errors, std::vector<net::ClientError>{net::ClientError::Broken});
    EXPECT_LE(mostQueued, net::kMaxQueuedBytes);
    EXPECT_FALSE(client.Connected());
    ::close(listener);
}

TEST(QtBounds, AtALowFileLimitAFloodOfConnectionsLeavesRoomForAPlayer) {
    const FileLimit limit(48);
    Program server;
    ASSERT_TRUE(server.Server().StartListening(0));
    const std::size_t capacity = server.serverSockets.Capacity();
    EXPECT_GE(capacity, 1u);
    EXPECT_LT(capacity, net::kMaxConnections);

    // Four times as many idle connections as the server holds.
    const std::size_t flood = 4 * capacity + 8;
    const Peers peers(server.Server().Port(), static_cast<int>(flood), nullptr);
    ASSERT_TRUE(WaitFor([&] { return server.observer.dropped.size() >= flood - capacity; }))
        << capacity << " " << server.observer.dropped.size() << " "
        << server.serverSockets.ConnectionCount() << " " << server.serverSockets.Accepting();
    EXPECT_LE(server.serverSockets.ConnectionCount(), capacity);

    // A player still gets in and is answered.
    Program ann;
    ASSERT_EQ(ann.play->Client().Connect("127.0.0.1", "Ann", server.Server().Port()),
              net::ConnectResult::Started);
    ASSERT_TRUE(WaitFor([&] { return server.Server().HasClient("Ann"); }));
    EXPECT_TRUE(server.Server().SendChat("Ann", "welcome"));
    ASSERT_TRUE(WaitFor([&] { return !ann.view.messages.empty(); }));
    EXPECT_EQ(ann.view.messages[0].first, "Message from: Server\r>welcome");

    // And the server sleeps while nothing happens.
    const double before = CpuSeconds();
    RunEventLoop(1000);
    EXPECT_LT(CpuSeconds() - before, 0.2);
    EXPECT_TRUE(server.Server().HasClient("Ann"));
}

TEST(QtBounds, AnAcceptThatFailsForLackOfDescriptorsDoesNotSpin) {
    const FileLimit limit(48);
    Program server;
    ASSERT_TRUE(server.Server().StartListening(0));
    const uint16_t port = server.Server().Port();

    // Every descriptor taken, then a player comes.
    std::vector<int> taken;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;) taken.push_back(fd);
    ASSERT_EQ(errno, EMFILE);
    const Peers ann(port, 1, "Connect///Ann\r");

    const double before = CpuSeconds();
    RunEventLoop(1500);
    EXPECT_LT(CpuSeconds() - before, 0.3);
    EXPECT_FALSE(server.Server().HasClient("Ann"));

    // Descriptors free again: the listener takes the waiting connection by itself.
    for (const int fd : taken) ::close(fd);
    EXPECT_TRUE(WaitFor([&] { return server.Server().HasClient("Ann"); }, 5000));
}

}  // namespace
}  // namespace tq::test
