// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result of an operation that can fail: success, or a failure with a text for the user.
// Status says only which; Result<T> carries the value made on success. A failure may also carry
// a kind, a value of the failing operation's own enum, for callers that treat some failures
// apart (a missing file that is no error to them, say).

#include <cassert>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace tq {

class [[nodiscard]] Status {
  public:
    Status() = default;  // success
    static Status Ok() { return {}; }
    static Status Error(std::string message) { return Status(0, std::move(message)); }
    // A failure of a kind the operation names; its enum's values start at 1.
    template <typename Kind>
    requires std::is_enum_v<Kind>
    static Status Error(Kind kind, std::string message) {
        assert(static_cast<int>(kind) != 0);
        return Status(static_cast<int>(kind), std::move(message));
    }

    bool ok() const { return !failed_; }
    // The failure's text; empty on success.
    const std::string& message() const { return message_; }
    // Whether this is a failure of that kind.
    template <typename Kind>
    requires std::is_enum_v<Kind>
    bool Is(Kind kind) const { return failed_ && kind_ == static_cast<int>(kind); }

  private:
    Status(int kind, std::string message)
        : failed_(true), kind_(kind), message_(std::move(message)) {}
    bool failed_ = false;
    int kind_ = 0;
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
    template <typename Kind>
    requires std::is_enum_v<Kind>
    static Result Error(Kind kind, std::string message) {
        return Status::Error(kind, std::move(message));
    }

    bool ok() const { return status_.ok(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }
    template <typename Kind>
    requires std::is_enum_v<Kind>
    bool Is(Kind kind) const { return status_.Is(kind); }

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
