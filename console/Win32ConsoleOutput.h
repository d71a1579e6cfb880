#pragma once
// Lines written to a standard stream: through WriteConsoleW from Windows-1252 when the
// stream is a console, as Windows-1252 bytes when it is redirected to a file or a pipe.
#include <windows.h>

#include <string>

class ConsoleOutput {
public:
    // stream is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE; a silent output writes nothing.
    ConsoleOutput(DWORD stream, bool silent);
    // text and a line end.
    void Line(const std::string& text) const;
    // text as it is, line ends included.
    void Write(const std::string& text) const;

private:
    HANDLE handle_;
    bool console_;
    bool silent_;
};
