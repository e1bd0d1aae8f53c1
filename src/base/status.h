// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result of an operation that can fail: success, or a failure with a text for the user.
// Status says only which; Result<T> carries the value made on success.

#include <cassert>
#include <optional>
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

// A value, or the failure that kept it from being made. Made from a T on success and from a
// failed Status otherwise; value() is there only when ok().
template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status failure) : status_(std::move(failure)) { assert(!status_.ok()); }
    static Result Error(std::string message) { return Status::Error(std::move(message)); }

    bool ok() const { return status_.ok(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }

    T& value() & { return *value_; }
    const T& value() const& { return *value_; }
    T&& value() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }

  private:
    Status status_;
    std::optional<T> value_;
};

}  // namespace tq
