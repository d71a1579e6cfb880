#pragma once
// Paths as the platform services carry them (UTF-8) turned into what the Win32 calls take.
#include <string>

// The wide form of a path for the NT family's wide calls: an absolute drive path gets the
// \\?\ prefix that lifts the MAX_PATH limit. Bytes that are not UTF-8 are read in the
// ANSI code page.
std::wstring ExtendedWidePath(const std::string& utf8);

// A path in the ANSI code page, for Windows 95/98/Me where the wide calls are stubs.
std::string AnsiPath(const std::string& utf8);

// Text the wide calls gave, as UTF-8.
std::string Utf8FromWide(const std::wstring& wide);
