#pragma once
// The two directories a resident backdoor's file is looked for in.
#include <string>

class SystemDirectories {
public:
    virtual ~SystemDirectories() = default;
    virtual std::string CurrentDirectory() = 0;   // at most 260 characters
    virtual std::string WindowsDirectory() = 0;   // cut at the first NUL
};
