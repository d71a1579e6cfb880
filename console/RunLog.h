#pragma once
// The log a console run appends to, run after run: Windows-1252 lines ending with CR LF.
#include "cleaning/PlatformServices.h"

#include <cstdint>
#include <memory>
#include <string>

// A log past this size is renamed "<name>.1" (the one old log kept) before a run appends.
constexpr std::uint64_t LogRotationSize = 10 * 1024 * 1024;

class RunLog {
public:
    // Opens path (UTF-8) to append, made where missing. Throws std::runtime_error when
    // it cannot be opened.
    RunLog(PlatformServices& platform, const std::string& path);

    // Appends a line; a write that fails makes the log failed and is not retried.
    void Line(const std::string& text);
    // Makes what was written durable; false when the log has failed.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    std::unique_ptr<OpenedFile> file_;
    std::uint64_t end_ = 0;
    bool failed_ = false;
};
