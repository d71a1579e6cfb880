#include "ui/BackgroundJob.h"

#include <process.h>

#include <stdexcept>

BackgroundJob::BackgroundJob(std::function<void()> job) : job_(std::move(job))
{
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, &id));
    if (!thread_)
        throw std::runtime_error("Cannot start the run");
}

BackgroundJob::~BackgroundJob()
{
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

unsigned __stdcall BackgroundJob::Run(void* self)
{
    auto& job = *static_cast<BackgroundJob*>(self);
    try {
        job.job_();
    } catch (...) {
        job.failure_ = std::current_exception();
    }
    return 0;
}
