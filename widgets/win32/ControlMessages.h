#pragma once
// A message the program's forms send their controls, in the application's own range.
#include <windows.h>

// To a control from its form: the character typed with Alt (wParam), offered as an
// accelerator. A control whose caption marks it acts on it and returns nonzero.
constexpr UINT CM_DIALOGCHAR = WM_APP + 0x3000;
