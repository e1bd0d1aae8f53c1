// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options dialog's network play: listening, connecting and chat through the window's
// NetPlay, and the news of network play passed on to the dialog.

#include <cstdint>

#include "net/either_transport.h"
#include "net/net_play.h"
#include "net/qt_relay.h"
#include "ui/options_form.h"

namespace tq::ui {

// The window's way through a relay beside its direct sockets.
struct RelayEnds {
    net::EitherServerTransport& server;
    net::QtRelayHostTransport& host;
    net::EitherClientTransport& client;
    net::QtRelayClientTransport& player;
};

class OptionsNetPlay final : public OptionsNetwork, public net::NetObserver {
  public:
    // Registers itself with net as an observer until it goes. The window listens and connects
    // on port (16282 unless a test chose another).
    OptionsNetPlay(net::NetPlay& net, TOptionsForm& form, uint16_t port, RelayEnds relay);
    ~OptionsNetPlay() override;
    OptionsNetPlay(const OptionsNetPlay&) = delete;
    OptionsNetPlay& operator=(const OptionsNetPlay&) = delete;

    // OptionsNetwork.
    bool StartListening() override;
    void StopListening() override;
    void CloseConnection() override;
    ConnectOutcome ConnectClick(const std::string& ownName, const std::string& server) override;
    bool Connected() const override;
    std::vector<std::string> ClientNames() const override;
    std::vector<std::string> Recipients() const override;
    void SendChat(const std::string& recipient, const std::string& text) override;
    std::vector<std::string> LocalAddresses() const override;
    uint16_t ListeningPort() const override;
    bool HandToComputer(const std::string& name) override;
    void SetRelay(bool use, const std::string& relay) override;
    std::string RoomText() const override;

    // NetObserver.
    void ClientNamesChanged() override;
    void SeatsTakenOver(const std::vector<int>& seats) override;
    void ConnectionChanged() override;
    void RecipientsChanged() override;

  private:
    net::NetPlay& net_;
    TOptionsForm& form_;
    uint16_t port_;
    RelayEnds relay_;
    bool useRelay_ = false;
    std::string relayText_;
};

// The port of network play: 16282, or the value of TESSAROON_PORT when it holds a port number
// (so that test runs on one machine do not clash).
uint16_t GamePortFromEnvironment();

}  // namespace tq::ui
