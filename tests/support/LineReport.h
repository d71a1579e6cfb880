#pragma once
// A Report that keeps its lines in a vector, for tests.
#include "engine/Report.h"

#include <string>
#include <vector>

class LineReport : public Report {
public:
    void Clear() override { lines.clear(); }
    void Append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};
