// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What network play tells the rest of the program besides the game itself: changes the options
// dialog and the window follow, and the message boxes it opens, one at a time.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "core/game_view.h"

namespace tq::net {

// Every call comes on the thread that runs the game. Observers may call back into the server or
// client, but must not remove themselves from inside a call.
class NetObserver {
  public:
    virtual ~NetObserver() = default;
    // Server: the list of connected, announced client names changed.
    virtual void ClientNamesChanged() {}
    // Server: a client left; these seats (1-based), which it played, are Computer seats now.
    virtual void SeatsTakenOver(const std::vector<int>& /*seats*/) {}
    // Server: the server closed a client's connection itself, for the reason given (a sentence
    // without its full stop, such as "its move was refused"); the name is empty for a connection
    // that never announced one. Its "Disconnect" handling follows.
    virtual void ClientDropped(const std::string& /*name*/, const std::string& /*reason*/) {}
    // Client: the connection opened, closed, or an attempt started or failed.
    virtual void ConnectionChanged() {}
    // Client: the chat recipient list changed.
    virtual void RecipientsChanged() {}
    // Client: a server line that replaces what the user looks at ("NewGame///", "YourMove//",
    // "GetNewMove") arrived; any open dialog other than the main window closes.
    virtual void CloseDialogs() {}
    // Client: it is this computer's move ("YourMove//"); the phase is PutLetter already.
    virtual void OwnTurn() {}
    // Either side: a chat message arrived, before its message box opens.
    virtual void ChatReceived(const std::string& /*sender*/, const std::string& /*text*/) {}
};

// The observers and the message box queue shared by the server and the client.
class NetNotices {
  public:
    // Message boxes waiting while one is open; further ones are dropped, so that a peer that
    // floods chat cannot pile up boxes without end.
    static constexpr std::size_t kMaxQueued = 20;

    explicit NetNotices(GameView& view) : view_(view) {}

    void AddObserver(NetObserver* o);
    void RemoveObserver(NetObserver* o);

    // Calls f on every observer, in the order they were added.
    template <typename F>
    void Notify(F&& f) {
        const std::vector<NetObserver*> observers = observers_;
        for (NetObserver* o : observers) f(*o);
    }

    // Shows a message box (centred on the main window) and returns at once. While one is open,
    // the text waits its turn; it shows when the boxes before it are closed.
    void Show(std::string text, MessageIcon icon);
    // "Message from: " sender, a carriage return, ">" and the text.
    void ShowChat(const std::string& sender, const std::string& text);
    std::size_t Queued() const { return queue_.size(); }
    GameView& View() { return view_; }

  private:
    // The box open now was closed: the next text waiting, if any.
    void ShowNext();

    GameView& view_;
    std::vector<NetObserver*> observers_;
    std::deque<std::pair<std::string, MessageIcon>> queue_;
    bool showing_ = false;
};

}  // namespace tq::net
