#include "widgets/win32/AccessibilityCalls.h"

#include "base/LateBound.h"

namespace AccessibilityAtFirstUse {

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object)
{
    static const LateBound<decltype(&::LresultFromObject)> late{"oleacc.dll", "LresultFromObject"};
    const auto function = late.Get();
    return function ? function(riid, wParam, object) : 0;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** object)
{
    static const LateBound<decltype(&::AccessibleObjectFromWindow)> late{"oleacc.dll", "AccessibleObjectFromWindow"};
    const auto function = late.Get();
    if (function)
        return function(window, objectId, riid, object);
    *object = nullptr;
    return E_NOTIMPL;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object)
{
    static const LateBound<decltype(&::CreateStdAccessibleObject)> late{"oleacc.dll", "CreateStdAccessibleObject"};
    const auto function = late.Get();
    if (function)
        return function(window, objectId, riid, object);
    *object = nullptr;
    return E_NOTIMPL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    static const LateBound<decltype(&::SysAllocStringLen)> late{"oleaut32.dll", "SysAllocStringLen"};
    const auto function = late.Get();
    return function ? function(text, length) : nullptr;
}

void SysFreeString(BSTR text)
{
    static const LateBound<decltype(&::SysFreeString)> late{"oleaut32.dll", "SysFreeString"};
    if (const auto function = late.Get())
        function(text);
}

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId)
{
    static const LateBound<decltype(&::NotifyWinEvent)> late{"user32.dll", "NotifyWinEvent"};
    const auto function = late.Get();
    if (function)
        function(event, window, objectId, childId);
}

} // namespace AccessibilityAtFirstUse
