// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/net_play.h"

namespace tq::net {

NetPlay::NetPlay(GameFlow& flow, GameView& view, ServerTransport& server, ClientTransport& client)
    : flow_(flow),
      notices_(view),
      server_(server, flow, notices_),
      client_(client, flow, notices_) {
    flow_.SetSender(*this);
}

NetPlay::~NetPlay() {
    static NullSender none;
    flow_.SetSender(none);
}

void NetPlay::Shutdown() {
    client_.Disconnect();
    server_.Shutdown();
}

}  // namespace tq::net
