// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Network play as one object: the server side, the client side, and the NetSender the turn flow
// talks to. The main window (or the companion) owns one, with the two socket endpoints, and
// hands it to the game flow as its sender; the options dialog drives it through Server() and
// Client() and follows it as a NetObserver.

#include "core/game_flow.h"
#include "core/net_sender.h"
#include "net/game_client.h"
#include "net/game_server.h"
#include "net/notices.h"
#include "net/transport.h"

namespace tq::net {

class NetPlay final : public NetSender {
  public:
    // Makes itself the flow's sender. The transports, the flow and the view must outlive it.
    NetPlay(GameFlow& flow, GameView& view, ServerTransport& server, ClientTransport& client);
    ~NetPlay() override;
    NetPlay(const NetPlay&) = delete;
    NetPlay& operator=(const NetPlay&) = delete;

    GameServer& Server() { return server_; }
    GameClient& Client() { return client_; }
    void AddObserver(NetObserver* o) { notices_.AddObserver(o); }
    void RemoveObserver(NetObserver* o) { notices_.RemoveObserver(o); }
    // The message boxes of network play, one at a time.
    NetNotices& Notices() { return notices_; }

    // Ends both sides (the window closes): the client says "Disconnect", the listener stops.
    void Shutdown();

    // NetSender: the server's sends go to the client seats, the own move to the server.
    void SendNewGame(const NewGameContent& game) override { server_.SendNewGame(game); }
    void SendUpdateMove(int round, int seat, int moveWord) override {
        server_.SendUpdateMove(round, seat, moveWord);
    }
    void SendYourMove(const std::string& seatName) override { server_.SendYourMove(seatName); }
    void SendEndGame() override { server_.SendEndGame(); }
    void SendNewMove(const MoveReport& move) override { server_.SendNewMove(move); }
    void SendMyMove(const MoveReport& move) override { client_.SendMyMove(move); }
    // A seat at another computer in a game led here is a client's of the server.
    std::unique_ptr<SeatPlayer> RemotePlayer(const std::string& seatName) override {
        return server_.RemotePlayer(seatName);
    }

  private:
    GameFlow& flow_;
    NetNotices notices_;
    GameServer server_;
    GameClient client_;
};

}  // namespace tq::net
