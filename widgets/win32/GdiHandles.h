#pragma once
// Owners for the GDI handles the window code uses: each releases its handle on destruction.
#include "base/UniqueHandle.h"

#include <windows.h>

// A font, brush, bitmap, pen or region, deleted with DeleteObject.
template <typename GdiHandle>
struct DeleteObjectCall {
    using Handle = GdiHandle;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
    void operator()(Handle handle) const { DeleteObject(handle); }
};

template <typename Handle>
using GdiObject = UniqueHandle<DeleteObjectCall<Handle>>;

// A DC a window lent (GetDC, GetWindowDC), released to that window with ReleaseDC.
struct ReleaseDcCall {
    using Handle = HDC;
    static HDC Invalid() { return nullptr; }
    static bool Valid(HDC dc) { return dc != nullptr; }
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
    HWND window;
};

// A window's client-area DC.
class WindowDc : public UniqueHandle<ReleaseDcCall> {
public:
    explicit WindowDc(HWND window) : UniqueHandle(GetDC(window), ReleaseDcCall{window}) {}
};

// A DC for a whole window, frame and caption included (GetWindowDC), origin at the
// window's outer top-left corner.
class WholeWindowDc : public UniqueHandle<ReleaseDcCall> {
public:
    explicit WholeWindowDc(HWND window) : UniqueHandle(GetWindowDC(window), ReleaseDcCall{window}) {}
};

// A memory DC, deleted with DeleteDC.
struct DeleteDcCall {
    using Handle = HDC;
    static HDC Invalid() { return nullptr; }
    static bool Valid(HDC dc) { return dc != nullptr; }
    void operator()(HDC dc) const { DeleteDC(dc); }
};

class MemoryDc : public UniqueHandle<DeleteDcCall> {
public:
    explicit MemoryDc(HDC compatibleWith) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

// An object selected into a DC for a scope; the previous one goes back on destruction.
// A scope guard rather than an owner: the DC and the object belong to others.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { if (previous_) SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A DC's state (clipping, origin, selected objects) saved for a scope and restored at its
// end, also when the drawing throws.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() { RestoreDC(dc_, saved_); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};
