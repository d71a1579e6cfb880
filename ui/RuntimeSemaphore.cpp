// The static runtime's locks (GCC's win32 threads, used by the exception unwinder) make
// their semaphores with CreateSemaphoreW, which Windows 95/98/Me have only as a stub that
// fails: there a lock two threads contend for would not wait. The semaphores are always
// unnamed, so the program gives the runtime the ANSI function in its place; defining the
// import's pointer here keeps kernel32's CreateSemaphoreW out of the import table.
#include <windows.h>

#if defined(__i386__)

namespace {

HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR)
{
    return CreateSemaphoreA(security, initial, maximum, nullptr);
}

} // namespace

extern "C" {
extern HANDLE(WINAPI* const ImportedCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    __asm__("__imp__CreateSemaphoreW@16");
HANDLE(WINAPI* const ImportedCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) = CreateUnnamedSemaphore;
}

#endif
