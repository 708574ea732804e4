#pragma once
// A limit on a call that a fault could leave waiting for good. Such a thread
// cannot be woken, and would hold the test run silently until its timeout;
// past the limit the test program ends instead, saying what it waited for.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Runs call and returns what it returns. If it has not returned within limit,
// runs giveUp (which ends what the test started outside the process), says on
// stderr which test waited for what, and ends the program with status 1.
template <class Call, class GiveUp = void (*)()>
auto withinLimit(
    std::chrono::seconds limit, const char* what, Call call, GiveUp giveUp = [] {})
{
    struct Watchdog {
        std::mutex mutex;
        std::condition_variable returned;
        bool done = false;
        std::thread thread;
        ~Watchdog()
        {
            {
                std::lock_guard lock(mutex);
                done = true;
            }
            returned.notify_one();
            thread.join();
        }
    } watchdog;
    watchdog.thread = std::thread([&] {
        std::unique_lock lock(watchdog.mutex);
        if (watchdog.returned.wait_for(lock, limit, [&] { return watchdog.done; }))
            return;
        giveUp();
        std::fprintf(stderr, "%s: waited %lld s for %s; giving up\n",
                     ::testing::UnitTest::GetInstance()->current_test_info()->name(),
                     static_cast<long long>(limit.count()), what);
        std::_Exit(1);
    });
    return call();
}
