#pragma once
// A window that assistive technology is to know by another name than its text (a
// caption drawn as decoration, say): the system's own accessible objects of its frame and
// client area, answering every question as they do but the name.
#include <windows.h>

#include <string>

// The answer to WM_GETOBJECT: for OBJID_WINDOW and OBJID_CLIENT the system's object of
// that part under the given name; 0 (the default procedure's part) for other ids and where
// the system has no such object.
LRESULT RenamedWindowObject(HWND window, const std::string& name, WPARAM wParam, LPARAM lParam);
