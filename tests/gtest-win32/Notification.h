#ifndef TESTS_GTEST_WIN32_NOTIFICATION_H
#define TESTS_GTEST_WIN32_NOTIFICATION_H

// GoogleTest's one helper class built on std::mutex and
// std::condition_variable, which the win32 thread model of GCC 12 lacks.
// Forced into every compile that sees GoogleTest's headers, with
// GTEST_HAS_NOTIFICATION_ telling GoogleTest not to define its own.
namespace testing {
namespace internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;
};

} // namespace internal
} // namespace testing

#endif
