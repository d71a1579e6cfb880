#pragma once
// The program's UTF-8 paths in the forms the Win32 file functions take, and the names
// those functions hand back in UTF-8.
#include <windows.h>

#include <string>

// The path for the wide functions: UTF-16 with the \\?\ prefix, which lifts the 260-
// character limit and passes every name through unchanged (a trailing dot or blank
// included). A relative path ("systray.exe", "c:systray.exe") or one with "." or ".."
// in it is made full against the current directory first; a UNC path becomes
// \\?\UNC\server\share\...; a path that has the prefix already keeps it.
std::wstring ExtendedWidePath(const std::string& utf8);

// The path in the ANSI code page, for where the wide functions are missing (Windows
// 95/98/Me). False, with ERROR_INVALID_NAME as the last error, when it holds a character
// the code page cannot spell: no ANSI call could open it.
bool AnsiPath(const std::string& utf8, std::string& ansi);

// A name or path the wide or the ANSI functions handed back, in UTF-8.
std::string Utf8FromWide(const wchar_t* text);
std::string Utf8FromAnsi(const char* text);
