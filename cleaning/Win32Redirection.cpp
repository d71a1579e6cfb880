#include "cleaning/Win32Redirection.h"

RedirectionOff::RedirectionOff(const Win32Calls& calls, DataRoot& data) : calls_(calls)
{
    calls_.ResolveAll();
    data.Path();
    off_ = calls_.Wow64DisableWow64FsRedirection(&saved_) != FALSE;
}

RedirectionOff::~RedirectionOff()
{
    if (off_)
        calls_.Wow64RevertWow64FsRedirection(saved_);
}
