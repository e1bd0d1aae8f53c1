// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of two endpoints behind one: the window's network play goes either straight over the local
// network or through a relay, chosen before it listens or connects. Events of both reach the
// same owner; only the chosen one is asked to do anything.

#include "net/transport.h"

namespace tq::net {

class EitherServerTransport final : public ServerTransport {
  public:
    EitherServerTransport(ServerTransport& direct, ServerTransport& relayed)
        : direct_(direct), relayed_(relayed) {}
    // Stops what the other one listened for.
    void UseRelay(bool relayed) {
        ServerTransport& next = relayed ? relayed_ : direct_;
        if (&next != active_ && active_->Listening()) active_->StopListening();
        active_ = &next;
    }
    bool UsesRelay() const { return active_ == &relayed_; }

    void SetEvents(ServerEvents* events) override {
        direct_.SetEvents(events);
        relayed_.SetEvents(events);
    }
    bool Listen(uint16_t port) override { return active_->Listen(port); }
    void StopListening() override { active_->StopListening(); }
    bool Listening() const override { return active_->Listening(); }
    uint16_t Port() const override { return active_->Port(); }
    void Send(ConnectionId id, std::string_view bytes) override { active_->Send(id, bytes); }
    void Close(ConnectionId id) override { active_->Close(id); }
    Clock::time_point Now() const override { return active_->Now(); }
    void WakeAt(Clock::time_point when) override { active_->WakeAt(when); }
    std::size_t Capacity() const override { return active_->Capacity(); }
    void SetAccepting(bool accepting) override { active_->SetAccepting(accepting); }
    std::string PeerAddress(ConnectionId id) const override { return active_->PeerAddress(id); }
    void ReadArrived(ConnectionId id) override { active_->ReadArrived(id); }

  private:
    ServerTransport& direct_;
    ServerTransport& relayed_;
    ServerTransport* active_ = &direct_;
};

class EitherClientTransport final : public ClientTransport {
  public:
    EitherClientTransport(ClientTransport& direct, ClientTransport& relayed)
        : direct_(direct), relayed_(relayed) {}
    // Closes what the other one had open.
    void UseRelay(bool relayed) {
        ClientTransport& next = relayed ? relayed_ : direct_;
        if (&next != active_) active_->Close();
        active_ = &next;
    }
    bool UsesRelay() const { return active_ == &relayed_; }

    void SetEvents(ClientEvents* events) override {
        direct_.SetEvents(events);
        relayed_.SetEvents(events);
    }
    bool Connect(const std::string& serverName, uint16_t port) override {
        return active_->Connect(serverName, port);
    }
    bool Connected() const override { return active_->Connected(); }
    void Send(std::string_view bytes) override { active_->Send(bytes); }
    void Close() override { active_->Close(); }

  private:
    ClientTransport& direct_;
    ClientTransport& relayed_;
    ClientTransport* active_ = &direct_;
};

}  // namespace tq::net
