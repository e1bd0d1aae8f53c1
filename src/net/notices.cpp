// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/notices.h"

#include <algorithm>

#include "base/messages.h"

namespace tq::net {

void NetNotices::AddObserver(NetObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
        observers_.push_back(o);
}

void NetNotices::RemoveObserver(NetObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void NetNotices::Show(std::string text, MessageIcon icon) {
    if (showing_) {
        if (queue_.size() < kMaxQueued) queue_.emplace_back(std::move(text), icon);
        return;
    }
    showing_ = true;
    view_.ShowMessage(text, icon, [this] { ShowNext(); });
}

void NetNotices::ShowNext() {
    if (queue_.empty()) {
        showing_ = false;
        return;
    }
    auto [next, icon] = std::move(queue_.front());
    queue_.pop_front();
    view_.ShowMessage(next, icon, [this] { ShowNext(); });
}

void NetNotices::ShowChat(const std::string& sender, const std::string& text) {
    Notify([&](NetObserver& o) { o.ChatReceived(sender, text); });
    Show(msg::Fill(msg::MessageFrom, {sender, text}), MessageIcon::Information);
}

}  // namespace tq::net
