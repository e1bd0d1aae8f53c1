// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time_counter.h"

namespace tq {

TTimeCounter::TTimeCounter(std::chrono::milliseconds tick) : tick_(tick) {
    thread_ = std::thread([this] { Run(); });
}

TTimeCounter::~TTimeCounter() {
    {
        std::lock_guard lock(mutex_);
        terminate_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TTimeCounter::Resume() {
    {
        std::lock_guard lock(mutex_);
        running_ = true;
        ++resumes_;
    }
    wake_.notify_all();
}

void TTimeCounter::Suspend() {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    wake_.notify_all();
}

bool TTimeCounter::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void TTimeCounter::Run() {
    std::unique_lock lock(mutex_);
    while (!terminate_) {
        if (!running_) {
            wake_.wait(lock, [this] { return running_ || terminate_; });
            continue;
        }
        // Sleep one tick unless suspended, resumed anew or terminated meanwhile; a suspend and
        // resume in quick succession therefore still gives the new move a full first second.
        const uint64_t resumes = resumes_;
        const auto until = std::chrono::steady_clock::now() + tick_;
        if (wake_.wait_until(lock, until,
                             [&] { return !running_ || terminate_ || resumes_ != resumes; }))
            continue;
        remaining_.fetch_sub(1);
    }
}

}  // namespace tq
