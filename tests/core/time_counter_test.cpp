// SPDX-License-Identifier: GPL-3.0-or-later
// The move clock's thread: suspended at creation, counting only while resumed.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/time_counter.h"

namespace tq {
namespace {

using namespace std::chrono_literals;

// Waits (up to a generous limit) until the counter reaches the value or less.
bool WaitFor(const TTimeCounter& t, int32_t value) {
    const auto limit = std::chrono::steady_clock::now() + 5s;
    while (t.Remaining() > value) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(TimeCounterTest, CreatedSuspendedCountsWhenResumedStopsWhenSuspended) {
    TTimeCounter t(5ms);
    t.SetRemaining(3);
    EXPECT_FALSE(t.Running());
    std::this_thread::sleep_for(40ms);
    EXPECT_EQ(t.Remaining(), 3);

    t.Resume();
    EXPECT_TRUE(t.Running());
    // It goes on below zero: over time the counter simply turns negative.
    ASSERT_TRUE(WaitFor(t, -2));
    t.Suspend();
    EXPECT_FALSE(t.Running());
    const int32_t stopped = t.Remaining();
    std::this_thread::sleep_for(40ms);
    EXPECT_EQ(t.Remaining(), stopped);

    t.SetRemaining(100);
    t.Resume();
    ASSERT_TRUE(WaitFor(t, 98));
}

TEST(TimeCounterTest, FreshResumeWaitsAFullTick) {
    TTimeCounter t(10s);
    t.SetRemaining(5);
    t.Resume();
    std::this_thread::sleep_for(20ms);
    t.Suspend();
    t.Resume();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(t.Remaining(), 5);
}

TEST(TimeCounterTest, EndsPromptlyWhileResumedOrSuspended) {
    const auto start = std::chrono::steady_clock::now();
    {
        TTimeCounter running(10s);
        running.Resume();
        TTimeCounter suspended(10s);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace tq
