// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt_relay.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSslConfiguration>
#include <QSslPreSharedKeyAuthenticator>
#include <QSslSocket>
#include <algorithm>
#include <limits>

namespace tq::net {

namespace {

// Qt reads at most this much ahead of the logic, as on direct connections.
constexpr qint64 kReadAhead = 64 * 1024;
// How long the relay may take to answer a connection, and a player's connection to become
// encrypted (the relay gives a host 15 seconds to take a player up).
constexpr int kConnectTimeoutMs = 10000;
constexpr int kJoinTimeoutMs = 30000;
// How long a closing connection may take to hand over what is queued.
constexpr int kCloseGraceMs = 5000;
// A greeting reply longer than this is no reply of a relay.
constexpr qint64 kMaxReply = 256;

// TLS 1.2 with a pre-shared key and an ephemeral key exchange on top (a recorded game stays
// secret even if its code is learnt later), no certificates. Qt's OpenSSL backend offers
// pre-shared keys with TLS 1.2 only.
void UsePreSharedKey(QSslSocket* socket) {
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setProtocol(QSsl::TlsV1_2);
    conf.setCiphers(QStringLiteral("ECDHE-PSK-CHACHA20-POLY1305:DHE-PSK-AES256-GCM-SHA384"));
    conf.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket->setSslConfiguration(conf);
}

// The next reply line of the relay without its end; false while none is complete. A reply too
// long to be one comes back as "BAD".
bool ReplyLine(QTcpSocket* socket, std::string& line) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() <= kMaxReply) return false;
        line = "BAD";
        return true;
    }
    const QByteArray bytes = socket->readLine(kMaxReply);
    line.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return true;
}

// Lets the socket hand over what is queued and close, or cuts it off; either way it deletes
// itself and no event of it reaches anyone any more.
void CloseSocket(QTcpSocket* socket, bool gently) {
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    if (!gently || socket->state() == QAbstractSocket::UnconnectedState) {
        socket->abort();
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

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

QByteArray RoomSecret(const RoomCode& code) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView("tessaroon room key"));
    hash.addData(QByteArrayView(code.room.data(), static_cast<qsizetype>(code.room.size())));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(code.key.data()),
                                static_cast<qsizetype>(code.key.size())));
    return hash.result();
}

// ---- Host ----

QtRelayHostTransport::QtRelayHostTransport() {
    wake_.setSingleShot(true);
    QObject::connect(&wake_, &QTimer::timeout, &owner_, [this] {
        if (events_) events_->OnWake();
    });
}

QtRelayHostTransport::~QtRelayHostTransport() {
    events_ = nullptr;
    onRoom = nullptr;
    onLost = nullptr;
    StopListening();
}

bool QtRelayHostTransport::Listen(uint16_t /*port*/) {
    StopListening();
    if (relay_.host.empty() || relay_.port == 0) return false;
    QTcpSocket* control = new QTcpSocket(&owner_);
    control_ = control;
    control->setReadBufferSize(kReadAhead);
    QObject::connect(
        control, &QAbstractSocket::connected, control,
        [control] {
            control->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
            control->write("TQRELAY1 HOST\n");
        },
        Qt::QueuedConnection);
    QObject::connect(
        control, &QIODevice::readyRead, control,
        [this, control] {
            if (control == control_) ControlRead();
        },
        Qt::QueuedConnection);
    const auto lost = [this, control] {
        if (control == control_ && control->state() == QAbstractSocket::UnconnectedState)
            ControlLost(RelayTrouble::Unreachable);
    };
    QObject::connect(control, &QAbstractSocket::disconnected, control, lost, Qt::QueuedConnection);
    QObject::connect(control, &QAbstractSocket::errorOccurred, control, lost, Qt::QueuedConnection);
    QTimer::singleShot(kConnectTimeoutMs, control, [this, control] {
        if (control == control_ && room_.empty()) ControlLost(RelayTrouble::Unreachable);
    });
    control->connectToHost(QString::fromStdString(relay_.host), relay_.port);
    return true;
}

void QtRelayHostTransport::StopListening() {
    wake_.stop();
    room_.clear();
    code_.clear();
    secret_.clear();
    // The players' connections first, each handing over its last lines; then the room.
    auto players = std::move(players_);
    players_.clear();
    for (auto& [id, p] : players) CloseSocket(p.socket, p.secure);
    if (control_) {
        CloseSocket(control_, true);
        control_ = nullptr;
    }
}

void QtRelayHostTransport::ControlRead() {
    std::string line;
    while (control_ && ReplyLine(control_, line)) {
        if (room_.empty() && line.rfind("ROOM ", 0) == 0 && IsRoomText(line.substr(5))) {
            room_ = line.substr(5);
            QRandomGenerator::system()->generate(key_.begin(), key_.end());
            const RoomCode code{room_, key_};
            code_ = FormatCode(code);
            secret_ = RoomSecret(code);
            if (onRoom) onRoom();
            continue;
        }
        if (!room_.empty() && line.rfind("PLAYER ", 0) == 0) {
            const std::size_t space = line.find(' ', 7);
            if (space != std::string::npos)
                Announced(line.substr(7, space - 7), line.substr(space + 1));
            continue;
        }
        ControlLost(line == "FULL"    ? RelayTrouble::Full
                    : line == "LIMIT" ? RelayTrouble::Limited
                                      : RelayTrouble::Refused);
        return;
    }
}

void QtRelayHostTransport::ControlLost(RelayTrouble why) {
    // The room is gone, and with it every player's connection through it.
    std::vector<ConnectionId> handedOver;
    for (const auto& [id, p] : players_)
        if (p.secure) handedOver.push_back(id);
    StopListening();
    for (const ConnectionId id : handedOver)
        if (events_) events_->OnClosed(id);
    if (onLost) onLost(why);
}

void QtRelayHostTransport::Announced(const std::string& ticket, const std::string& address) {
    // At the cap the player is not taken up; the relay lets it go in its own time.
    if (!accepting_ || players_.size() > kMaxConnections || ticket.size() > 16) return;
    const ConnectionId id = next_++;
    QSslSocket* socket = new QSslSocket(&owner_);
    socket->setReadBufferSize(kReadAhead);
    players_[id] = Player{socket, address.substr(0, 45), false};
    const std::string greeting = "TQRELAY1 ACCEPT " + room_ + " " + ticket + "\n";
    QObject::connect(
        socket, &QAbstractSocket::connected, socket,
        [socket, greeting] {
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            socket->write(greeting.data(), static_cast<qint64>(greeting.size()));
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QIODevice::readyRead, socket, [this, id] { PlayerRead(id); },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QSslSocket::encrypted, socket,
        [this, id] {
            const auto it = players_.find(id);
            if (it == players_.end()) return;
            it->second.secure = true;
            if (events_) events_->OnAccepted(id);
            PlayerRead(id);
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QAbstractSocket::disconnected, socket, [this, id] { PlayerLost(id); },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QAbstractSocket::errorOccurred, socket,
        [this, id, socket] {
            const auto it = players_.find(id);
            if (it == players_.end()) return;
            // Before the handshake is done any failure ends the attempt (a wrong key, too).
            if (!it->second.secure || socket->state() == QAbstractSocket::UnconnectedState)
                PlayerLost(id);
        },
        Qt::QueuedConnection);
    // Asked for during the handshake: answered at once.
    QObject::connect(
        socket, &QSslSocket::preSharedKeyAuthenticationRequired, socket,
        [this](QSslPreSharedKeyAuthenticator* auth) { auth->setPreSharedKey(secret_); });
    QTimer::singleShot(kJoinTimeoutMs, socket, [this, id] {
        const auto it = players_.find(id);
        if (it != players_.end() && !it->second.secure) Forget(id);
    });
    socket->connectToHost(QString::fromStdString(relay_.host), relay_.port);
}

void QtRelayHostTransport::PlayerRead(ConnectionId id) {
    for (;;) {
        const auto it = players_.find(id);
        if (it == players_.end()) return;
        QSslSocket* socket = it->second.socket;
        if (!it->second.secure) {
            if (socket->mode() != QSslSocket::UnencryptedMode) return;  // the handshake runs
            std::string line;
            if (!ReplyLine(socket, line)) return;
            if (line != "READY") {
                Forget(id);
                return;
            }
            // Nothing follows "READY" until the relay has the "GO".
            socket->write("GO\n");
            UsePreSharedKey(socket);
            socket->startServerEncryption();
            return;
        }
        if (socket->bytesAvailable() <= 0) return;
        const QByteArray bytes = socket->readAll();
        if (events_) events_->OnData(id, View(bytes));
    }
}

void QtRelayHostTransport::PlayerLost(ConnectionId id) {
    const auto it = players_.find(id);
    if (it == players_.end()) return;
    const bool secure = it->second.secure;
    if (secure) PlayerRead(id);  // what arrived before the close is handled first
    if (!players_.count(id)) return;
    Forget(id);
    if (secure && events_) events_->OnClosed(id);
}

void QtRelayHostTransport::Forget(ConnectionId id) {
    const auto it = players_.find(id);
    if (it == players_.end()) return;
    QSslSocket* socket = it->second.socket;
    players_.erase(it);
    CloseSocket(socket, false);
}

void QtRelayHostTransport::Send(ConnectionId id, std::string_view bytes) {
    const auto it = players_.find(id);
    if (it == players_.end() || !it->second.secure) return;
    QSslSocket* socket = it->second.socket;
    if (static_cast<std::size_t>(socket->bytesToWrite()) + bytes.size() <= kMaxQueuedBytes) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // A player that does not read: cut off as on a direct connection, told from the event loop.
    Forget(id);
    QMetaObject::invokeMethod(
        &owner_,
        [this, id] {
            if (events_) events_->OnCutOff(id);
        },
        Qt::QueuedConnection);
}

void QtRelayHostTransport::Close(ConnectionId id) {
    const auto it = players_.find(id);
    if (it == players_.end()) return;
    QSslSocket* socket = it->second.socket;
    const bool secure = it->second.secure;
    players_.erase(it);
    CloseSocket(socket, secure);
}

void QtRelayHostTransport::WakeAt(Clock::time_point when) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    wake_.start(static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
        wait.count(), 0, std::numeric_limits<int>::max())));
}

std::string QtRelayHostTransport::PeerAddress(ConnectionId id) const {
    const auto it = players_.find(id);
    return it == players_.end() || !it->second.secure ? std::string() : it->second.address;
}

void QtRelayHostTransport::ReadArrived(ConnectionId id) {
    const auto it = players_.find(id);
    if (it == players_.end() || !it->second.secure) return;
    QSslSocket* socket = it->second.socket;
    if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesAvailable() <= 0)
        socket->waitForReadyRead(0);
    PlayerRead(id);
}

std::size_t QtRelayHostTransport::ConnectionCount() const {
    return static_cast<std::size_t>(std::count_if(players_.begin(), players_.end(),
                                                  [](const auto& p) { return p.second.secure; }));
}

// ---- Player ----

QtRelayClientTransport::QtRelayClientTransport() = default;

QtRelayClientTransport::~QtRelayClientTransport() {
    events_ = nullptr;
    Release();
}

bool QtRelayClientTransport::Connect(const std::string& relayName, uint16_t port) {
    Release();
    refusal_.clear();
    if (relayName.empty() || port == 0 || !IsRoomText(code_.room)) return false;
    QSslSocket* socket = new QSslSocket(&owner_);
    socket_ = socket;
    socket->setReadBufferSize(kReadAhead);
    const QByteArray secret = RoomSecret(code_);
    const std::string greeting = "TQRELAY1 JOIN " + code_.room + "\n";
    QObject::connect(
        socket, &QAbstractSocket::connected, socket,
        [socket, greeting] {
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            socket->write(greeting.data(), static_cast<qint64>(greeting.size()));
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QIODevice::readyRead, socket,
        [this, socket] {
            if (socket == socket_) Read();
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QSslSocket::encrypted, socket,
        [this, socket] {
            if (socket != socket_) return;
            secure_ = true;
            if (events_) events_->OnConnected();
            if (socket == socket_) Read();
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QAbstractSocket::disconnected, socket,
        [this, socket] {
            if (socket == socket_) Lost();
        },
        Qt::QueuedConnection);
    QObject::connect(
        socket, &QAbstractSocket::errorOccurred, socket,
        [this, socket](QAbstractSocket::SocketError error) {
            if (socket != socket_) return;
            if (!secure_) {
                if (error == QAbstractSocket::SslHandshakeFailedError) refusal_ = "TLS";
                Fail(error == QAbstractSocket::HostNotFoundError        ? ClientError::HostNotFound
                     : error == QAbstractSocket::ConnectionRefusedError ? ClientError::Refused
                     : error == QAbstractSocket::NetworkError           ? ClientError::NoRoute
                                                                        : ClientError::Unreachable);
                return;
            }
            if (error == QAbstractSocket::RemoteHostClosedError) return;
            if (events_) events_->OnError(ClientError::Broken);
            if (socket == socket_ && socket->state() == QAbstractSocket::UnconnectedState) Lost();
        },
        Qt::QueuedConnection);
    QObject::connect(socket, &QSslSocket::preSharedKeyAuthenticationRequired, socket,
                     [secret](QSslPreSharedKeyAuthenticator* auth) {
                         auth->setIdentity("tessaroon");
                         auth->setPreSharedKey(secret);
                     });
    QTimer::singleShot(kJoinTimeoutMs, socket, [this, socket] {
        if (socket == socket_ && !secure_) Fail(ClientError::TimedOut);
    });
    socket->connectToHost(QString::fromStdString(relayName), port);
    return true;
}

void QtRelayClientTransport::Read() {
    while (socket_) {
        QSslSocket* socket = socket_;
        if (!secure_) {
            if (socket->mode() != QSslSocket::UnencryptedMode) return;
            std::string line;
            if (!ReplyLine(socket, line)) return;
            if (line != "READY") {
                refusal_ = line.substr(0, 16);
                Fail(line == "NOROOM" ? ClientError::Refused : ClientError::Unreachable);
                return;
            }
            socket->write("GO\n");
            UsePreSharedKey(socket);
            socket->startClientEncryption();
            return;
        }
        if (socket->bytesAvailable() <= 0) return;
        const QByteArray bytes = socket->readAll();
        if (events_) events_->OnData(View(bytes));
    }
}

void QtRelayClientTransport::Lost() {
    if (!socket_) return;
    if (!secure_) {
        Read();  // a refusal that came with the close
        if (socket_) Fail(ClientError::Unreachable);
        return;
    }
    QSslSocket* socket = socket_;
    Read();
    if (socket != socket_) return;
    Release();
    if (events_) events_->OnClosed();
}

void QtRelayClientTransport::Fail(ClientError error) {
    Release();
    if (events_) events_->OnError(error);
}

void QtRelayClientTransport::Send(std::string_view bytes) {
    if (!Connected()) return;
    QSslSocket* socket = socket_;
    if (static_cast<std::size_t>(socket->bytesToWrite()) + bytes.size() <= kMaxQueuedBytes) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // The host does not read: broken, as on a direct connection, told from the event loop.
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    secure_ = false;
    QMetaObject::invokeMethod(
        &owner_,
        [this, socket] {
            if (socket != socket_) return;
            Release();
            if (events_) events_->OnError(ClientError::Broken);
            if (events_ && !socket_) events_->OnClosed();
        },
        Qt::QueuedConnection);
}

void QtRelayClientTransport::Close() {
    Release();
}

void QtRelayClientTransport::Release() {
    const bool secure = secure_;
    secure_ = false;
    if (!socket_) return;
    QSslSocket* socket = socket_;
    socket_ = nullptr;
    CloseSocket(socket, secure);
}

}  // namespace tq::net
