#include "Win32Paths.h"

#include "Windows1252.h"

#include <windows.h>

namespace {

std::wstring Wide(const std::string& text)
{
    const UINT codePage = IsWellFormedUtf8(text) ? CP_UTF8 : CP_ACP;
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage)
{
    const int size =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr, nullptr);
    return text;
}

// The prefix turns off the system's own reading of "." and ".." and of forward slashes,
// so only a plain absolute drive path gets it.
bool TakesPrefix(const std::wstring& path)
{
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\' || path.find(L'/') != std::wstring::npos)
        return false;
    const std::wstring ends = path + L'\\';
    return ends.find(L"\\.\\") == std::wstring::npos && ends.find(L"\\..\\") == std::wstring::npos;
}

} // namespace

std::wstring ExtendedWidePath(const std::string& utf8)
{
    const std::wstring wide = Wide(utf8);
    return TakesPrefix(wide) ? L"\\\\?\\" + wide : wide;
}

std::string AnsiPath(const std::string& utf8)
{
    return Narrow(Wide(utf8), CP_ACP);
}

std::string Utf8FromWide(const std::wstring& wide)
{
    return Narrow(wide, CP_UTF8);
}
