#include "AccessibilityCalls.h"

namespace {

// A function of a library the program loads once, at the first call, and keeps; null
// where the library or the function is missing.
template <typename Function>
Function LibraryFunction(const char* library, const char* name)
{
    const HMODULE module = LoadLibraryA(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

namespace AccessibilityAtFirstUse {

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object)
{
    static const auto function = LibraryFunction<decltype(&::LresultFromObject)>("oleacc.dll", "LresultFromObject");
    return function ? function(riid, wParam, object) : 0;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** object)
{
    static const auto function =
        LibraryFunction<decltype(&::AccessibleObjectFromWindow)>("oleacc.dll", "AccessibleObjectFromWindow");
    if (function)
        return function(window, objectId, riid, object);
    *object = nullptr;
    return E_NOTIMPL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    static const auto function = LibraryFunction<decltype(&::SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    return function ? function(text, length) : nullptr;
}

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId)
{
    static const auto function = LibraryFunction<decltype(&::NotifyWinEvent)>("user32.dll", "NotifyWinEvent");
    if (function)
        function(event, window, objectId, childId);
}

} // namespace AccessibilityAtFirstUse
