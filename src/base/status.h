// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result of an operation that can fail: success, or a failure with a text for the user.

#include <string>
#include <utility>

namespace tq {

class [[nodiscard]] Status {
  public:
    Status() = default;  // success
    static Status Ok() { return {}; }
    static Status Error(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !failed_; }
    // The failure's text; empty on success.
    const std::string& message() const { return message_; }

  private:
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}
    bool failed_ = false;
    std::string message_;
};

}  // namespace tq
