// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the tests that run real sockets on loopback: waiting on the event loop, and
// recording endpoints.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <string>
#include <vector>

#include "net/transport.h"

namespace tq::test {

// Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

// Lets the event loop run for a while (to show that nothing more happens).
inline void Settle(int ms = 100) {
    WaitFor([] { return false; }, ms);
}

struct RecordingServerEvents : net::ServerEvents {
    std::vector<net::ConnectionId> accepted, closed, cutOff;
    std::vector<std::pair<net::ConnectionId, std::string>> data;
    std::function<void(net::ConnectionId, std::string_view)> onData;
    std::function<void(net::ConnectionId)> onAccepted;

    void OnAccepted(net::ConnectionId id) override {
        accepted.push_back(id);
        if (onAccepted) onAccepted(id);
    }
    void OnData(net::ConnectionId id, std::string_view bytes) override {
        data.emplace_back(id, std::string(bytes));
        if (onData) onData(id, bytes);
    }
    void OnClosed(net::ConnectionId id) override { closed.push_back(id); }
    void OnCutOff(net::ConnectionId id) override { cutOff.push_back(id); }

    std::string DataOf(net::ConnectionId id) const {
        std::string all;
        for (const auto& [from, bytes] : data)
            if (from == id) all += bytes;
        return all;
    }
};

struct RecordingClientEvents : net::ClientEvents {
    int connected = 0, closed = 0;
    std::string data;
    std::vector<net::ClientError> errors;

    void OnConnected() override { ++connected; }
    void OnData(std::string_view bytes) override { data += bytes; }
    void OnClosed() override { ++closed; }
    void OnError(net::ClientError e) override { errors.push_back(e); }
};

}  // namespace tq::test
