#pragma once
// What an outside accessibility client hears from one process: the events a screen reader
// acts on, caught by a hook on all processes (one filtered to a process hears nothing
// under Wine), and the name, role and value of the object each announces.
#include <windows.h>

#include <string>
#include <vector>

struct HeardEvent {
    DWORD event = 0;
    HWND window = nullptr;
    LONG objectId = 0, childId = 0;
    DWORD time = 0;   // the event's own time, GetTickCount's
    long role = -1;
    std::string name, value;   // Windows-1252; "<none>" where the object has none
};

class AccessibilityEvents {
public:
    // Listens from now on to the process's focus, name-change, value-change and alert events.
    explicit AccessibilityEvents(DWORD processId);
    ~AccessibilityEvents();
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // The events come in through this thread's messages (PumpMessages). Those that
    // came, each with its object as the client finds it now (name changes without).
    std::vector<HeardEvent> Heard() const;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD,
                                 DWORD time);

    DWORD processId_;
    std::vector<HeardEvent> heard_;
    HWINEVENTHOOK hook_;
};

// The accessible object of a window's part, asked as a client asks it: name, role, value.
HeardEvent AskObject(HWND window, LONG objectId);

