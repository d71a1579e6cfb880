#include "console/Win32NoWindows.h"

#include <windows.h>

namespace {

std::function<void()> TheLastWords;
unsigned TheExitCode = 1;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*)
{
    // Once: a fault while the last words are written ends the process all the same.
    static LONG entered = 0;
    if (InterlockedExchange(&entered, 1) == 0 && TheLastWords) {
        try {
            TheLastWords();
        } catch (...) {
        }
    }
    ExitProcess(TheExitCode);
}

} // namespace

void KeepWindowsAway(std::function<void()> lastWords, unsigned exitCode)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
    TheLastWords = std::move(lastWords);
    TheExitCode = exitCode;
    SetUnhandledExceptionFilter(OnUnhandledException);
}
