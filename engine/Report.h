#pragma once
// The Report: the ordered lines of the report pane. The engine clears it and appends
// whole lines; the window's pane and the tests each provide one.
#include <string>

class Report {
public:
    virtual ~Report() = default;
    virtual void Clear() = 0;
    virtual void Append(const std::string& line) = 0;
};
