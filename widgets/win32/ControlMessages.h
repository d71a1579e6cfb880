#pragma once
// Messages the program's forms and controls exchange, in the application's own range.
#include <windows.h>

// To a control from its form: the character typed with Alt (wParam), offered as an
// accelerator. A control whose caption marks it acts on it and returns nonzero.
constexpr UINT CM_DIALOGCHAR = WM_APP + 0x3000;

// To a form from a control it holds, just before the control's click: the form's modal
// result (wParam), 0 for none. Only a form shown modally has a use for it (it would end
// with a result other than 0); the others leave it unanswered.
constexpr UINT CM_MODALRESULT = WM_APP + 0x3001;
