#pragma once
// The text-line format of configuration and description files.
#include <string>
#include <vector>

// Splits bytes into lines: CR LF is one break, any other CR or LF is a break by itself
// (so LF CR leaves an empty line between). A last line without terminator is a line, a
// final terminator adds none, no bytes give no lines. Every other byte, NUL included,
// belongs to its line unchanged.
std::vector<std::string> SplitLines(const std::string& bytes);

// Every line followed by CR LF, the last one included; no lines give no bytes.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);
