// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The move clock's thread: created suspended, alive as long as its owner; while resumed it sleeps
// a second and takes one from the remaining seconds, over and over. It changes nothing else, and
// never ends a move: over time the counter simply goes negative.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace tq {

class TTimeCounter {
  public:
    explicit TTimeCounter(std::chrono::milliseconds tick = std::chrono::milliseconds(1000));
    ~TTimeCounter();  // terminates and joins the thread
    TTimeCounter(const TTimeCounter&) = delete;
    TTimeCounter& operator=(const TTimeCounter&) = delete;

    void Resume();
    void Suspend();
    bool Running() const;

    // Written by the user-interface thread only while the counter is suspended.
    void SetRemaining(int32_t seconds) { remaining_.store(seconds); }
    int32_t Remaining() const { return remaining_.load(); }

  private:
    void Run();

    const std::chrono::milliseconds tick_;
    std::atomic<int32_t> remaining_{0};
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;
    bool terminate_ = false;
    uint64_t resumes_ = 0;  // every Resume starts a full tick
    std::thread thread_;
};

}  // namespace tq
