#include "console/Win32ConsoleOutput.h"

#include "base/LateBound.h"

#include <vector>

namespace {

// Windows 95/98/Me have it as a stub that fails: there the bytes are written as they are.
const LateBound<decltype(&::WriteConsoleW)> WriteConsoleWide{"kernel32.dll", "WriteConsoleW"};

} // namespace

ConsoleOutput::ConsoleOutput(DWORD stream, bool silent) : handle_(GetStdHandle(stream)), silent_(silent)
{
    DWORD mode;
    console_ = GetConsoleMode(handle_, &mode) != FALSE;
}

void ConsoleOutput::Line(const std::string& text) const
{
    Write(text + "\r\n");
}

void ConsoleOutput::Write(const std::string& text) const
{
    if (silent_ || !handle_ || handle_ == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD written;
    if (console_) {
        const int size = static_cast<int>(text.size());
        std::vector<wchar_t> wide(text.size());
        const int count = MultiByteToWideChar(1252, 0, text.data(), size, wide.data(), size);
        if (count > 0 && WriteConsoleWide(handle_, wide.data(), static_cast<DWORD>(count), &written, nullptr))
            return;
    }
    WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
