// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain sockets on loopback, for the tests and benchmarks that play a peer by hand: a free port,
// a connection to a port, and a listener.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace tq::test {

// A free port on loopback, found by binding to port 0.
inline uint16_t FreePort() {
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

// A socket connected to the port on loopback, or -1. A small receive buffer makes a peer that
// never reads fill up soon; a non-blocking socket comes back at once, its connection under way.
inline int ConnectLoopback(uint16_t port, int receiveBuffer = 0, bool nonBlocking = false) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
    if (fd < 0) return -1;
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 &&
        !(nonBlocking && errno == EINPROGRESS)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A socket listening on loopback at a free port, which it sets, with a backlog of one; -1 when
// it could not. A small receive buffer makes a client that writes to it fill up soon.
inline int ListenLoopback(uint16_t& port, int receiveBuffer = 0) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof at;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(at.sin_port);
    return fd;
}

}  // namespace tq::test
