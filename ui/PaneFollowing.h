#pragma once
// The report pane's scroll rule: lines added at the end of its text bring the view, and
// the caret, to the end only when the view showed the last line before they came. A
// reader who has scrolled back up keeps the view and the caret where they were, until
// they scroll down to the end again.
#include <windows.h>

#include <cstddef>

class PaneFollowing {
public:
    // Notes the view and the selection of the edit control before lines go in at its end.
    explicit PaneFollowing(HWND edit);
    // Once they are in, with the caret after them: the caret brought into view, or the
    // view and the selection as they were.
    void Restore() const;

private:
    HWND edit_;
    DWORD selectionStart_ = 0, selectionEnd_ = 0;
    int first_ = 0;
    bool following_ = true;
};
