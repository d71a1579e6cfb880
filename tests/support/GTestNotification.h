#pragma once
// GoogleTest's Notification, for the win32 thread model, whose standard library has no
// std::mutex or std::condition_variable: GoogleTest's own version needs both. Only
// GoogleTest's thread helpers use it; the project's tests never start them.
#include <atomic>

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_.store(true); }

    void WaitForNotification()
    {
        while (!notified_.load()) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

} // namespace testing::internal
