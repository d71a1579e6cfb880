// The static runtime's wide kernel32 calls, given ANSI stand-ins. Windows 95/98/Me have
// these functions only as stubs that fail: GCC's win32 thread locks (used by the exception
// unwinder) make their semaphores with CreateSemaphoreW, and mingw-w64's C runtime looks
// msvcrt.dll and advapi32.dll up with GetModuleHandleW and LoadLibraryW. The semaphores
// are unnamed and the module names ASCII, so the ANSI functions serve on every Windows.
// Defining the imports' pointers here keeps the wide functions out of the import table.
#include <windows.h>

#if defined(__i386__)

namespace {

HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR)
{
    return CreateSemaphoreA(security, initial, maximum, nullptr);
}

// The name in ASCII, or false (ERROR_MOD_NOT_FOUND set) for a name that is not.
bool AsciiModuleName(LPCWSTR wide, char (&ascii)[MAX_PATH])
{
    for (int i = 0; i < MAX_PATH && wide[i] < 0x80; ++i)
        if (!(ascii[i] = static_cast<char>(wide[i])))
            return true;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return false;
}

HMODULE WINAPI AnsiGetModuleHandle(LPCWSTR name)
{
    char ascii[MAX_PATH];
    if (!name)
        return GetModuleHandleA(nullptr);
    return AsciiModuleName(name, ascii) ? GetModuleHandleA(ascii) : nullptr;
}

HMODULE WINAPI AnsiLoadLibrary(LPCWSTR name)
{
    char ascii[MAX_PATH];
    return name && AsciiModuleName(name, ascii) ? LoadLibraryA(ascii) : nullptr;
}

} // namespace

extern "C" {
extern HANDLE(WINAPI* const ImportedCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    __asm__("__imp__CreateSemaphoreW@16");
HANDLE(WINAPI* const ImportedCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) = CreateUnnamedSemaphore;
extern HMODULE(WINAPI* const ImportedGetModuleHandleW)(LPCWSTR) __asm__("__imp__GetModuleHandleW@4");
HMODULE(WINAPI* const ImportedGetModuleHandleW)(LPCWSTR) = AnsiGetModuleHandle;
extern HMODULE(WINAPI* const ImportedLoadLibraryW)(LPCWSTR) __asm__("__imp__LoadLibraryW@4");
HMODULE(WINAPI* const ImportedLoadLibraryW)(LPCWSTR) = AnsiLoadLibrary;
}

#endif
