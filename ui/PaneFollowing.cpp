#include "ui/PaneFollowing.h"

PaneFollowing::PaneFollowing(HWND edit) : edit_(edit)
{
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart_), reinterpret_cast<LPARAM>(&selectionEnd_));
    first_ = static_cast<int>(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    // The edit keeps its vertical scroll bar as its lines: the first in view, how many the
    // view holds, and the last.
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    following_ = !GetScrollInfo(edit, SB_VERT, &bar) || bar.nPos + static_cast<int>(bar.nPage) > bar.nMax;
}

void PaneFollowing::Restore() const
{
    if (following_) {
        SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
        return;
    }
    SendMessageA(edit_, EM_SETSEL, selectionStart_, selectionEnd_);
    const int first = static_cast<int>(SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (first != first_)
        SendMessageA(edit_, EM_LINESCROLL, 0, first_ - first);
}
