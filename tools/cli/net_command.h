// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the companion's network commands (serve, join) start with: the event loop the sockets need
// in a program without a window, and a game flow with network play over real sockets.

#include <QCoreApplication>
#include <QTimer>

#include "core/game_flow.h"
#include "core/net_sender.h"
#include "net/net_play.h"
#include "net/qt_transport.h"

namespace tq::cli {

// A QCoreApplication of the command's own, without arguments.
class EventLoop {
    int argc_ = 1;
    char name_[14] = "tessaroon-cli";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication app_{argc_, argv_};
};

// The game's wake-ups, given from the event loop as the window gives them.
class LoopWaker {
  public:
    LoopWaker() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (flow_) flow_->Wake();
        });
    }
    void SetFlow(GameFlow& flow) { flow_ = &flow; }
    void After(int ms) { timer_.start(ms); }

  private:
    QTimer timer_;
    GameFlow* flow_ = nullptr;
};

// The game flow over the model and view, with both sides of network play on real sockets; a
// command uses the server's or the client's. A side given (through a relay) takes the place of
// the direct one.
struct NetGame {
    NetGame(GameModel& model, GameView& view, net::ServerTransport* server = nullptr,
            net::ClientTransport* client = nullptr)
        : flow(model, view, none),
          play(flow, view, server ? *server : serverSockets, client ? *client : clientSockets) {}
    NullSender none;
    GameFlow flow;
    net::QtServerTransport serverSockets;
    net::QtClientTransport clientSockets;
    net::NetPlay play;
};

}  // namespace tq::cli
