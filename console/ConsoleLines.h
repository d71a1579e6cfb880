#pragma once
// The lines of a console run: each goes to the console and to the log, in one order.
#include "console/RunLog.h"
#include "engine/Report.h"
#include "engine/ThreatCatalogue.h"

#include <functional>
#include <string>

class ConsoleLines : public Report {
public:
    explicit ConsoleLines(std::function<void(const std::string&)> print) : print_(std::move(print)) {}

    // Where the lines go from now on besides the console.
    void LogTo(RunLog& log) { log_ = &log; }

    void Clear() override {}
    void Append(const std::string& line) override
    {
        print_(line);
        if (log_)
            log_->Line(line);
    }

    // A plan's Report: the plan's catalogue text on a line of its own before its first line.
    Report& OfPlan(const ThreatEntry& row)
    {
        if (plan_ != &row) {
            plan_ = &row;
            Append(row.listText);
        }
        return *this;
    }

private:
    std::function<void(const std::string&)> print_;
    RunLog* log_ = nullptr;
    const ThreatEntry* plan_ = nullptr;
};
