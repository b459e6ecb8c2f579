#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include <QTimer>

#include "ui/widgets/off_thread_work.h"

namespace {

using namespace std::chrono_literals;

// Waits up to 20 s for `flag`, so a loop that does not run fails the test instead of hanging it.
bool WaitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 2000 && !flag; ++i)
        std::this_thread::sleep_for(10ms);
    return flag;
}

}  // namespace

TEST(OffWindowThread, TheLoopRunsWhileTheWorkWaitsAndFailuresComeBack) {
    // A timer of this thread must fire while the work runs elsewhere.
    std::atomic<bool> ticked = false;
    bool sawTick = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    std::thread::id workThread;
    RunOffWindowThread([&] {
        workThread = std::this_thread::get_id();
        sawTick = WaitFor(ticked);
    });
    EXPECT_TRUE(sawTick);
    EXPECT_NE(workThread, std::this_thread::get_id());

    // {work, message thrown back here ("" for none)}: work done before the loop starts, and failures.
    const std::pair<std::function<void()>, const char*> runs[] = {
        {[] {}, ""},
        {[] { throw std::runtime_error("読めません"); }, "読めません"},
        {[] {
             std::this_thread::sleep_for(20ms);
             throw std::runtime_error("late");
         },
         "late"},
    };
    for (const auto& [work, message] : runs) {
        std::string thrown;
        try {
            RunOffWindowThread(work);
        } catch (const std::runtime_error& e) {
            thrown = e.what();
        }
        EXPECT_EQ(thrown, message);
    }
}
