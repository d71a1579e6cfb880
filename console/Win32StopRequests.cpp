#include "console/Win32StopRequests.h"

#include <windows.h>

namespace {

std::atomic<bool> Asked{false};
HANDLE Ended = nullptr;   // signalled when the run is over

// How long the system is kept waiting when the console closes: it ends the process
// after about 5 seconds whatever the handler does.
constexpr DWORD CloseWait = 4500;   // ms

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    // Started by a service (a deployment agent, a start-up script), the program hears
    // every user's log-off: none of them is its own.
    if (event == CTRL_LOGOFF_EVENT)
        return FALSE;
    Asked = true;
    // A closing console ends the process once the handler returns: the run gets to its
    // safe point and writes its trailer first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(Ended, CloseWait);
    return TRUE;
}

} // namespace

StopRequests::StopRequests()
{
    Ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StopRequests::~StopRequests()
{
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    RunEnded();
    CloseHandle(Ended);
}

const std::atomic<bool>& StopRequests::Asked() const
{
    return ::Asked;
}

void StopRequests::RunEnded()
{
    SetEvent(Ended);
}
