#include "cleaning/Win32Paths.h"

#include "cleaning/Utf16.h"
#include "cleaning/Win32Calls.h"

#include <vector>

namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsAbsoluteDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && path[2] == L'\\';
}

// Whether a component of the path is "." or "..", which the prefix would not resolve.
bool HasRelativeComponent(const std::wstring& path)
{
    const std::wstring wrapped = path + L'\\';
    return wrapped.find(L"\\.\\") != std::wstring::npos || wrapped.find(L"\\..\\") != std::wstring::npos;
}

// A failing stub in Windows 95/98/Me: the path then stays as it is.
const LateBound<decltype(&::GetFullPathNameW)> GetFullPathNameW{"kernel32.dll", "GetFullPathNameW"};

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (!size)
        return path;
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetFullPathNameW(path.c_str(), size, buffer.data(), nullptr);
    return length && length < size ? std::wstring(buffer.data(), length) : path;
}

} // namespace

std::wstring ExtendedWidePath(const std::string& utf8)
{
    std::wstring path = Wide(Utf8ToUtf16(utf8));
    if (StartsWith(path, L"\\\\?\\"))
        return path;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    if (StartsWith(path, L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    if (!IsAbsoluteDrivePath(path) || HasRelativeComponent(path)) {
        path = FullPath(path);
        if (!IsAbsoluteDrivePath(path))
            return path;   // nothing the prefix can take: let the call refuse it as it is
    }
    return L"\\\\?\\" + path;
}

bool AnsiPath(const std::string& utf8, std::string& ansi)
{
    const std::wstring wide = Wide(Utf8ToUtf16(utf8));
    ansi.clear();
    if (!wide.empty()) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
        ansi.resize(size);
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &ansi[0], size, nullptr,
                            nullptr);
    }
    // A character the code page lacks comes out as "?" or as a look-alike letter, which
    // could name another file: only a path that converts back unchanged is used.
    if (Wide(Utf8ToUtf16(Utf8FromAnsi(ansi.c_str()))) == wide && ansi.find('\0') == std::string::npos)
        return true;
    SetLastError(ERROR_INVALID_NAME);
    return false;
}

std::string Utf8FromWide(const wchar_t* text)
{
    return Utf16ToUtf8(std::u16string(text, text + wcslen(text)));
}

std::string Utf8FromAnsi(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return {};
    std::vector<wchar_t> wide(size);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    return Utf8FromWide(wide.data());
}
