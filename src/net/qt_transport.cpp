// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt_transport.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tq::net {

namespace {

// Qt reads at most this much ahead of the logic; a peer that floods waits in the kernel.
constexpr qint64 kReadAhead = 64 * 1024;
// How long a closing socket may take to hand over what is queued before it is cut off.
constexpr int kCloseGraceMs = 5000;

// Lets the socket send what is queued, close, and delete itself; no event of it reaches the
// logic any more.
void CloseQuietly(QTcpSocket* socket) {
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
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

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

// ---- Server ----

QtServerTransport::QtServerTransport() : server_(new QTcpServer(&owner_)) {
    QObject::connect(server_, &QTcpServer::newConnection, &owner_, [this] { AcceptPending(); });
}

QtServerTransport::~QtServerTransport() {
    events_ = nullptr;
    StopListening();
}

bool QtServerTransport::Listen(uint16_t port) {
    StopListening();
    return server_->listen(QHostAddress::Any, port);
}

void QtServerTransport::StopListening() {
    server_->close();
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
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
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
    if (events_) events_->OnClosed(id);
}

void QtServerTransport::Send(ConnectionId id, std::string_view bytes) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    it->second->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtServerTransport::Close(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    Release(socket);
}

void QtServerTransport::Release(QTcpSocket* socket) {
    CloseQuietly(socket);
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
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
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
        if (events_)
            events_->OnError(error == QAbstractSocket::HostNotFoundError
                                 ? ClientError::HostNotFound
                                 : ClientError::Unreachable);
        return;
    }
    // The server closing is a close, not a failure; OnClosed follows from the disconnect.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    if (events_) events_->OnError(ClientError::Broken);
    if (socket == socket_ && socket->state() == QAbstractSocket::UnconnectedState) Lost(socket);
}

}  // namespace tq::net
