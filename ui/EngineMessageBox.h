#pragma once
// The engine's own modal box: a program-built dialog with the text and one "OK" button,
// centred on the screen, in the system's message-box font.
#include <windows.h>

#include <string>

// Returns when the box is closed by its button, Enter, Esc or the close box.
void ShowEngineMessageBox(HWND owner, const std::string& caption, const std::string& text);
