// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt_transport.h"

#include <sys/resource.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <limits>

namespace tq::net {

namespace {

// Qt reads at most this much ahead of the logic; a peer that floods waits in the kernel.
constexpr qint64 kReadAhead = 64 * 1024;
// How long a closing socket may take to hand over what is queued before it is cut off.
constexpr int kCloseGraceMs = 5000;
// Closed sockets that may hand over what is queued at once; beyond them a close cuts off at once,
// so that peers which never read cannot hold descriptors through their grace time.
constexpr std::size_t kMaxLingering = 8;
// Descriptors kept free below the file limit: the lingering sockets, the connection accepted
// beyond the capacity before one is let go, the client endpoint, and the files the program opens
// while it runs (settings, records, the dictionary, the help viewer).
constexpr std::size_t kDescriptorReserve = 32;
// After a failed accept (out of descriptors), the pause before the listener tries again.
constexpr int kAcceptRetryMs = 1000;
// How long a client waits for the server to answer its connection; the system's own wait is
// minutes.
constexpr int kConnectTimeoutMs = 10000;

// Descriptors the process has open now.
std::size_t OpenDescriptors() {
    std::error_code ec;
    std::size_t n = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end;
         it.increment(ec))
        ++n;
    return ec || n == 0 ? 64 : n;  // without /proc, a guess on the safe side
}

// How many connections (most at the most) fit below the file limit beside what is open now and the
// reserve.
std::size_t ConnectionsWithinFileLimit(std::size_t most) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return most;
    const std::size_t used = OpenDescriptors() + kDescriptorReserve;
    const auto cur = static_cast<std::size_t>(limit.rlim_cur);
    return std::clamp<std::size_t>(cur > used ? cur - used : 0, 1, std::max<std::size_t>(most, 1));
}

// Lets the socket send what is queued, close, and delete itself; no event of it reaches the
// logic any more. With lingering given, at most kMaxLingering sockets take their grace time;
// further ones are cut off at once.
void CloseQuietly(QTcpSocket* socket, std::size_t* lingering = nullptr) {
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    if (lingering && socket->bytesToWrite() > 0) {
        if (*lingering >= kMaxLingering) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        ++*lingering;
        QObject::connect(socket, &QObject::destroyed, [lingering] { --*lingering; });
    }
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

// Relays a socket's arrivals, its close and its failures to the transport, queued so that they
// come from the event loop in the order they happened.
template <typename Read, typename Lost, typename Failed>
void RelaySocket(QTcpSocket* socket, Read read, Lost lost, Failed failed) {
    QObject::connect(socket, &QIODevice::readyRead, socket, read, Qt::QueuedConnection);
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, lost, Qt::QueuedConnection);
    QObject::connect(socket, &QAbstractSocket::errorOccurred, socket, failed, Qt::QueuedConnection);
}

// The address as a peer is told apart by: an IPv4 peer of an IPv6 socket as its IPv4 address.
std::string AddressText(const QHostAddress& address) {
    bool v4 = false;
    const quint32 ip = address.toIPv4Address(&v4);
    return (v4 ? QHostAddress(ip) : address).toString().toStdString();
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

// ---- Server ----

QtServerTransport::QtServerTransport(std::size_t maxConnections)
    : server_(new QTcpServer(&owner_)), maxConnections_(maxConnections), capacity_(maxConnections) {
    QObject::connect(server_, &QTcpServer::newConnection, &owner_, [this] { AcceptPending(); });
    // Qt stops listening for connections when an accept fails for lack of descriptors; it does
    // not try again by itself.
    QObject::connect(server_, &QTcpServer::acceptError, &owner_, [this] { AcceptFailed(); });
    backOff_.setSingleShot(true);
    QObject::connect(&backOff_, &QTimer::timeout, &owner_, [this] {
        backingOff_ = false;
        ApplyAccepting();
    });
    wake_.setSingleShot(true);
    QObject::connect(&wake_, &QTimer::timeout, &owner_, [this] {
        if (events_) events_->OnWake();
    });
}

QtServerTransport::~QtServerTransport() {
    events_ = nullptr;
    StopListening();
}

bool QtServerTransport::Listen(uint16_t port) {
    StopListening();
    // Connections wait in the system's queue, not in Qt's, until there is room for them.
    server_->setMaxPendingConnections(1);
    if (!server_->listen(QHostAddress::Any, port)) return false;
    capacity_ = ConnectionsWithinFileLimit(maxConnections_);
    wantAccepting_ = true;
    backingOff_ = false;
    return true;
}

void QtServerTransport::StopListening() {
    server_->close();
    backOff_.stop();
    wake_.stop();
    auto sockets = std::move(sockets_);
    sockets_.clear();
    for (auto& [id, socket] : sockets) Release(socket);
}

bool QtServerTransport::Listening() const {
    return server_->isListening();
}

uint16_t QtServerTransport::Port() const {
    return server_->isListening() ? server_->serverPort() : 0;
}

void QtServerTransport::AcceptPending() {
    // One connection beyond the capacity is taken, so that the logic can let an older one go for
    // it; then taking pauses until a connection closes.
    while (sockets_.size() <= capacity_) {
        QTcpSocket* socket = server_->nextPendingConnection();
        if (!socket) break;
        const ConnectionId id = next_++;
        socket->setParent(&owner_);
        socket->setReadBufferSize(kReadAhead);
        // Lines are short and each waits for an answer: send them at once, not batched.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        sockets_[id] = socket;
        // Queued, so that the events come from the event loop in the order they happened.
        QMetaObject::invokeMethod(
            socket,
            [this, id, socket] {
                const auto it = sockets_.find(id);
                if (events_ && it != sockets_.end() && it->second == socket)
                    events_->OnAccepted(id);
            },
            Qt::QueuedConnection);
        RelaySocket(
            socket, [this, id, socket] { Read(id, socket); },
            [this, id, socket] { Lost(id, socket); },
            [this, id, socket] {
                if (socket->state() == QAbstractSocket::UnconnectedState) Lost(id, socket);
            });
    }
    ApplyAccepting();
}

void QtServerTransport::AcceptFailed() {
    // Qt paused the listener; trying again at once would fail again at once. A connection that
    // closes frees a descriptor and ends the pause early.
    backingOff_ = true;
    backOff_.start(kAcceptRetryMs);
    ApplyAccepting();
}

void QtServerTransport::SetAccepting(bool accepting) {
    wantAccepting_ = accepting;
    ApplyAccepting();
}

bool QtServerTransport::Accepting() const {
    return server_->isListening() && wantAccepting_ && !backingOff_ && sockets_.size() <= capacity_;
}

void QtServerTransport::ApplyAccepting() {
    if (!server_->isListening()) return;
    if (!Accepting()) {
        server_->pauseAccepting();
        return;
    }
    server_->resumeAccepting();
    // A connection Qt took before the pause waits in its own list.
    if (server_->hasPendingConnections()) AcceptPending();
}

void QtServerTransport::WakeAt(Clock::time_point when) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    wake_.start(static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
        wait.count(), 0, std::numeric_limits<int>::max())));
}

std::size_t QtServerTransport::QueuedBytes(ConnectionId id) const {
    const auto it = sockets_.find(id);
    return it == sockets_.end() ? 0 : static_cast<std::size_t>(it->second->bytesToWrite());
}

void QtServerTransport::Read(ConnectionId id, QTcpSocket* socket) {
    // Each pass reads what has arrived; the handler may close this connection or any other.
    for (;;) {
        const auto it = sockets_.find(id);
        if (it == sockets_.end() || it->second != socket || socket->bytesAvailable() <= 0) return;
        const QByteArray bytes = socket->readAll();
        if (events_) events_->OnData(id, View(bytes));
    }
}

void QtServerTransport::Lost(ConnectionId id, QTcpSocket* socket) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || it->second != socket) return;
    Read(id, socket);  // what arrived before the close is handled first
    if (!sockets_.count(id)) return;
    sockets_.erase(id);
    Release(socket);
    Freed();
    if (events_) events_->OnClosed(id);
}

std::string QtServerTransport::PeerAddress(ConnectionId id) const {
    const auto it = sockets_.find(id);
    return it == sockets_.end() ? std::string() : AddressText(it->second->peerAddress());
}

void QtServerTransport::ReadArrived(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    // Qt reads from the system only when the event loop tells it to; a wait of no time reads
    // what the system holds now. Its readyRead is relayed queued and finds nothing left then.
    if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesAvailable() < kReadAhead)
        socket->waitForReadyRead(0);
    Read(id, socket);
}

void QtServerTransport::Freed() {
    // A descriptor is free again: a failed accept may succeed now.
    if (backingOff_) {
        backOff_.stop();
        backingOff_ = false;
    }
    ApplyAccepting();
}

void QtServerTransport::Send(ConnectionId id, std::string_view bytes) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    if (static_cast<std::size_t>(socket->bytesToWrite()) + bytes.size() <= kMaxQueuedBytes) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // The peer does not read what it is sent. Its connection ends here, the queue with it; the
    // logic hears of it as of any close, from the event loop, not inside its own send.
    sockets_.erase(it);
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    socket->deleteLater();
    Freed();
    QMetaObject::invokeMethod(
        &owner_,
        [this, id] {
            if (events_) events_->OnCutOff(id);
        },
        Qt::QueuedConnection);
}

void QtServerTransport::Close(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    Release(socket);
    Freed();
}

void QtServerTransport::Release(QTcpSocket* socket) {
    CloseQuietly(socket, &lingering_);
}

// ---- Client ----

QtClientTransport::QtClientTransport() = default;

QtClientTransport::~QtClientTransport() {
    events_ = nullptr;
    Release();
}

bool QtClientTransport::Connect(const std::string& serverName, uint16_t port) {
    Release();
    if (serverName.empty()) return false;
    const QString name = QString::fromStdString(serverName);
    QHostAddress address;
    if (IsDottedAddress(serverName) &&
        (!address.setAddress(name) || address.protocol() != QAbstractSocket::IPv4Protocol))
        return false;
    // A ':' belongs to an IPv6 address only; a host name has none.
    if (serverName.find(':') != std::string::npos &&
        (!address.setAddress(name) || address.protocol() != QAbstractSocket::IPv6Protocol))
        return false;

    QTcpSocket* socket = new QTcpSocket(&owner_);
    socket_ = socket;
    socket->setReadBufferSize(kReadAhead);
    QObject::connect(
        socket, &QAbstractSocket::connected, socket,
        [this, socket] {
            if (socket != socket_) return;
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            connected_ = true;
            if (events_) events_->OnConnected();
        },
        Qt::QueuedConnection);
    RelaySocket(
        socket, [this, socket] { Read(socket); }, [this, socket] { Lost(socket); },
        [this, socket](QAbstractSocket::SocketError error) { Failed(socket, error); });
    QTimer::singleShot(kConnectTimeoutMs, socket, [this, socket] {
        if (socket != socket_ || connected_) return;
        Release();
        if (events_) events_->OnError(ClientError::TimedOut);
    });
    if (address.isNull())
        socket->connectToHost(name, port);
    else
        socket->connectToHost(address, port);
    return true;
}

bool QtClientTransport::Connected() const {
    return socket_ && connected_;
}

void QtClientTransport::Send(std::string_view bytes) {
    if (!Connected()) return;
    QTcpSocket* socket = socket_;
    if (static_cast<std::size_t>(socket->bytesToWrite()) + bytes.size() <= kMaxQueuedBytes) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // The server does not read: the connection is broken, as far as this side can tell. Told
    // from the event loop, not inside the send; nothing more is sent meanwhile.
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    connected_ = false;
    QMetaObject::invokeMethod(
        &owner_,
        [this, socket] {
            if (socket != socket_) return;
            Release();
            if (events_) events_->OnError(ClientError::Broken);
            // Unless a handler of the error started a new attempt.
            if (events_ && !socket_) events_->OnClosed();
        },
        Qt::QueuedConnection);
}

std::size_t QtClientTransport::QueuedBytes() const {
    return socket_ ? static_cast<std::size_t>(socket_->bytesToWrite()) : 0;
}

void QtClientTransport::Close() {
    Release();
}

void QtClientTransport::Release() {
    connected_ = false;
    if (!socket_) return;
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    CloseQuietly(socket);
}

void QtClientTransport::Read(QTcpSocket* socket) {
    while (socket == socket_ && connected_ && socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->readAll();
        if (events_) events_->OnData(View(bytes));
    }
}

void QtClientTransport::Lost(QTcpSocket* socket) {
    if (socket != socket_ || !connected_) return;
    Read(socket);
    if (socket != socket_) return;
    Release();
    if (events_) events_->OnClosed();
}

void QtClientTransport::Failed(QTcpSocket* socket, int error) {
    if (socket != socket_) return;
    if (!connected_) {
        // The attempt is over.
        Release();
        if (!events_) return;
        switch (error) {
            case QAbstractSocket::HostNotFoundError:
                events_->OnError(ClientError::HostNotFound);
                return;
            case QAbstractSocket::ConnectionRefusedError:
                events_->OnError(ClientError::Refused);
                return;
            case QAbstractSocket::SocketTimeoutError:
                events_->OnError(ClientError::TimedOut);
                return;
            case QAbstractSocket::NetworkError:  // no route to the host or its network
                events_->OnError(ClientError::NoRoute);
                return;
            default:
                events_->OnError(ClientError::Unreachable);
                return;
        }
    }
    // The server closing is a close, not a failure; OnClosed follows from the disconnect.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    if (events_) events_->OnError(ClientError::Broken);
    if (socket == socket_ && socket->state() == QAbstractSocket::UnconnectedState) Lost(socket);
}

}  // namespace tq::net
