#pragma once
// A job run on a thread of its own. An exception that leaves the job is kept, to be
// thrown again on the thread that started it.
#include <windows.h>

#include <exception>
#include <functional>

class BackgroundJob {
public:
    // Starts the job. Throws std::runtime_error when no thread can be made.
    explicit BackgroundJob(std::function<void()> job);
    // Waits for the job to end.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Signalled when the job has ended.
    HANDLE Handle() const { return thread_; }
    bool Finished() const { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }
    // Once finished: what left the job, or null.
    std::exception_ptr Failure() const { return failure_; }

private:
    static unsigned __stdcall Run(void* self);

    std::function<void()> job_;
    std::exception_ptr failure_;
    HANDLE thread_ = nullptr;
};
