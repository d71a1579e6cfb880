#pragma once
// A window's text as the ANSI functions give it.
#include <windows.h>

#include <string>

std::string WindowText(HWND window);
