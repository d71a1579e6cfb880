#include "tests/ui/AccessibilityEvents.h"

#include <oleacc.h>

#include <stdexcept>

namespace {

AccessibilityEvents* listening = nullptr;

std::string Narrow(BSTR text)
{
    if (!text)
        return "<none>";
    const int length = WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(1252, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    SysFreeString(text);
    return narrow;
}

void Describe(IAccessible& object, const VARIANT& child, HeardEvent& heard)
{
    BSTR name = nullptr, value = nullptr;
    heard.name = object.get_accName(child, &name) == S_OK ? Narrow(name) : "<none>";
    heard.value = object.get_accValue(child, &value) == S_OK ? Narrow(value) : "<none>";
    VARIANT role;
    role.vt = VT_EMPTY;
    if (object.get_accRole(child, &role) == S_OK && role.vt == VT_I4)
        heard.role = role.lVal;
}

} // namespace

AccessibilityEvents::AccessibilityEvents(DWORD processId)
    : processId_(processId),
      // One hook for all of them, which hears them in the order they came.
      hook_(SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT))
{
    if (!hook_)
        throw std::runtime_error("No accessibility event hook");
    CoInitialize(nullptr);
    listening = this;
}

AccessibilityEvents::~AccessibilityEvents()
{
    listening = nullptr;
    UnhookWinEvent(hook_);
    CoUninitialize();
}

void CALLBACK AccessibilityEvents::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId,
                                           DWORD, DWORD time)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const bool wanted = event == EVENT_SYSTEM_ALERT || event == EVENT_OBJECT_FOCUS ||
                        event == EVENT_OBJECT_NAMECHANGE || event == EVENT_OBJECT_VALUECHANGE;
    // The objects are asked for later: a call to another process here would let the next
    // events in before this one is noted.
    if (listening && owner == listening->processId_ && wanted)
        listening->heard_.push_back({event, window, objectId, childId, time, -1, "", ""});
}

std::vector<HeardEvent> AccessibilityEvents::Heard() const
{
    std::vector<HeardEvent> heard = heard_;
    for (HeardEvent& event : heard) {
        IAccessible* object = nullptr;
        VARIANT child;
        VariantInit(&child);
        // A name change is heard often: its time is what counts.
        if (event.event != EVENT_OBJECT_NAMECHANGE &&
            AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.objectId),
                                      static_cast<DWORD>(event.childId), &object, &child) == S_OK) {
            Describe(*object, child, event);
            object->Release();
        }
    }
    return heard;
}

HeardEvent AskObject(HWND window, LONG objectId)
{
    CoInitialize(nullptr);
    HeardEvent heard;
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(window, static_cast<DWORD>(objectId), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) == S_OK) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        Describe(*object, self, heard);
        object->Release();
    }
    CoUninitialize();
    return heard;
}
