// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options_net.h"

#include <QNetworkInterface>

#include <cstdlib>
#include <string>

namespace tq::ui {

OptionsNetPlay::OptionsNetPlay(net::NetPlay& net, TOptionsForm& form, uint16_t port,
                               RelayEnds relay)
    : net_(net), form_(form), port_(port), relay_(relay) {
    net_.AddObserver(this);
    relay_.host.onRoom = [this] { form_.RelayChanged(std::nullopt); };
    relay_.host.onLost = [this](net::RelayTrouble why) { form_.RelayChanged(why); };
}

OptionsNetPlay::~OptionsNetPlay() {
    relay_.host.onRoom = nullptr;
    relay_.host.onLost = nullptr;
    net_.RemoveObserver(this);
}

void OptionsNetPlay::SetRelay(bool use, const std::string& relay) {
    useRelay_ = use;
    relayText_ = relay;
}

bool OptionsNetPlay::StartListening() {
    if (!useRelay_) {
        relay_.server.UseRelay(false);
        return net_.Server().StartListening(port_);
    }
    const auto address = net::ParseServerAddress(relayText_, net::kRelayPort);
    if (!address) return false;
    relay_.server.UseRelay(true);
    relay_.host.SetRelay(*address);
    return net_.Server().StartListening(port_);
}

std::string OptionsNetPlay::RoomText() const {
    if (!relay_.server.UsesRelay() || relay_.host.Code().empty()) return {};
    return net::AddressText(relay_.host.Relay()) + "/" + relay_.host.Code();
}

void OptionsNetPlay::StopListening() {
    if (net_.Server().Listening()) net_.Server().StopListening();
}

void OptionsNetPlay::CloseConnection() {
    if (net_.Client().State() != net::ClientState::Closed) net_.Client().Disconnect();
}

OptionsNetwork::ConnectOutcome OptionsNetPlay::ConnectClick(const std::string& ownName,
                                                            const std::string& server) {
    if (net_.Client().IsConnected()) {
        net_.Client().Disconnect();
        return ConnectOutcome::Closed;
    }
    // A relay and a room's code: "relay[:port]/CODE".
    if (server.find('/') != std::string::npos) {
        const auto target = net::ParseRelayTarget(server);
        if (!target)
            return ownName.empty() ? ConnectOutcome::EmptyName : ConnectOutcome::CannotStart;
        relay_.client.UseRelay(true);
        relay_.player.SetRoom(target->code);
        switch (net_.Client().Connect(target->relay.host, ownName, target->relay.port)) {
            case net::ConnectResult::Started:
                return ConnectOutcome::Started;
            case net::ConnectResult::EmptyName:
            case net::ConnectResult::InvalidName:
                return ConnectOutcome::EmptyName;
            case net::ConnectResult::CannotStart:
                break;
        }
        return ConnectOutcome::CannotStart;
    }
    relay_.client.UseRelay(false);
    // The field may name a port; a bare host is on the window's port.
    const auto address = net::ParseServerAddress(server, port_);
    if (!address) return ownName.empty() ? ConnectOutcome::EmptyName : ConnectOutcome::CannotStart;
    switch (net_.Client().Connect(address->host, ownName, address->port)) {
        case net::ConnectResult::Started:
            return ConnectOutcome::Started;
        case net::ConnectResult::EmptyName:
        case net::ConnectResult::InvalidName:
            return ConnectOutcome::EmptyName;
        case net::ConnectResult::CannotStart:
            break;
    }
    return ConnectOutcome::CannotStart;
}

bool OptionsNetPlay::Connected() const {
    return net_.Client().IsConnected();
}

std::vector<std::string> OptionsNetPlay::ClientNames() const {
    return net_.Server().ClientNames();
}

std::vector<std::string> OptionsNetPlay::Recipients() const {
    if (net_.Server().Listening()) return net_.Server().ClientNames();
    if (net_.Client().IsConnected()) return net_.Client().Recipients();
    return {};
}

void OptionsNetPlay::SendChat(const std::string& recipient, const std::string& text) {
    if (net_.Server().Listening())
        net_.Server().SendChat(recipient, text);
    else if (net_.Client().IsConnected())
        net_.Client().SendChat(recipient, text);
}

std::vector<std::string> OptionsNetPlay::LocalAddresses() const {
    // The IPv4 addresses of the interfaces that are up, loopback left out: what a client types
    // as the server's address.
    std::vector<std::string> addresses;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.ip().isLoopback())
                addresses.push_back(e.ip().toString().toStdString());
    }
    return addresses;
}

uint16_t OptionsNetPlay::ListeningPort() const {
    return net_.Server().Listening() ? net_.Server().Port() : 0;
}

bool OptionsNetPlay::HandToComputer(const std::string& name) {
    return net_.Server().Listening() && net_.Server().HandToComputer(name);
}

void OptionsNetPlay::ClientNamesChanged() {
    form_.ClientNamesChanged();
}

void OptionsNetPlay::SeatsTakenOver(const std::vector<int>& seats) {
    form_.SeatsTakenOver(seats);
}

void OptionsNetPlay::ConnectionChanged() {
    form_.ConnectionChanged();
}

void OptionsNetPlay::RecipientsChanged() {
    form_.RecipientsChanged();
}

uint16_t GamePortFromEnvironment() {
    const char* text = std::getenv("TESSAROON_PORT");
    if (!text || !*text) return net::kGamePort;
    char* end = nullptr;
    const long port = std::strtol(text, &end, 10);
    if (*end != '\0' || port < 1 || port > 65535) return net::kGamePort;
    return static_cast<uint16_t>(port);
}

}  // namespace tq::ui
