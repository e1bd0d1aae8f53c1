// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sockets over Qt: QTcpServer and QTcpSocket, events delivered on the thread that runs the
// Qt event loop. Needs QtCore and QtNetwork only, so the window and the headless companion share
// it.
//
// Every event reaches the logic from the event loop, never from inside a socket's own signal:
// a handler may then let pending events run (the turn loop does between moves) without stalling
// the socket it came from, and it may close any connection, its own included.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>

#include "net/transport.h"

class QTcpServer;
class QTcpSocket;

namespace tq::net {

class QtServerTransport final : public ServerTransport {
  public:
    // maxConnections: the most connections to hold even when the file limit allows more.
    explicit QtServerTransport(std::size_t maxConnections = kMaxConnections);
    ~QtServerTransport() override;
    QtServerTransport(const QtServerTransport&) = delete;
    QtServerTransport& operator=(const QtServerTransport&) = delete;

    void SetEvents(ServerEvents* events) override { events_ = events; }
    bool Listen(uint16_t port) override;
    void StopListening() override;
    bool Listening() const override;
    uint16_t Port() const override;
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;
    void WakeAt(Clock::time_point when) override;
    std::size_t Capacity() const override { return capacity_; }
    void SetAccepting(bool accepting) override;
    std::string PeerAddress(ConnectionId id) const override;
    void ReadArrived(ConnectionId id) override;

    // The number of open connections.
    std::size_t ConnectionCount() const { return sockets_.size(); }
    // Bytes waiting to be sent on the connection (0 for one that is gone).
    std::size_t QueuedBytes(ConnectionId id) const;
    // Whether the listener takes new connections now.
    bool Accepting() const;

  private:
    void AcceptPending();
    void AcceptFailed();
    void ApplyAccepting();
    void Freed();
    void Read(ConnectionId id, QTcpSocket* socket);
    void Lost(ConnectionId id, QTcpSocket* socket);
    // Forgets the socket and lets it close in its own time.
    void Release(QTcpSocket* socket);

    std::size_t lingering_ = 0;  // closed sockets still handing over what was queued
    QObject owner_;              // parent of the listener and the sockets
    QTcpServer* server_;
    std::map<ConnectionId, QTcpSocket*> sockets_;
    ConnectionId next_ = 1;
    ServerEvents* events_ = nullptr;
    std::size_t maxConnections_;
    std::size_t capacity_;
    bool wantAccepting_ = true;
    bool backingOff_ = false;  // an accept failed; taking resumes after a pause
    QTimer backOff_;
    QTimer wake_;
};

class QtClientTransport final : public ClientTransport {
  public:
    QtClientTransport();
    ~QtClientTransport() override;
    QtClientTransport(const QtClientTransport&) = delete;
    QtClientTransport& operator=(const QtClientTransport&) = delete;

    void SetEvents(ClientEvents* events) override { events_ = events; }
    bool Connect(const std::string& serverName, uint16_t port) override;
    bool Connected() const override;
    void Send(std::string_view bytes) override;
    void Close() override;

    // Bytes waiting to be sent to the server.
    std::size_t QueuedBytes() const;

  private:
    void Read(QTcpSocket* socket);
    void Lost(QTcpSocket* socket);
    void Failed(QTcpSocket* socket, int error);
    void Release();

    QObject owner_;
    QTcpSocket* socket_ = nullptr;  // a fresh socket for every attempt
    bool connected_ = false;
    ClientEvents* events_ = nullptr;
};

}  // namespace tq::net
