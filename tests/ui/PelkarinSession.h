#pragma once
// Pelkarin.exe started as a user starts it, and driven only through its window: picking
// a selector item, clicking buttons, pressing keys, reading texts and answering boxes.
#include <windows.h>

#include <functional>
#include <string>

// The folder that holds Pelkarin.exe and its description files.
std::string DistFolder();

// A top-level box of the program: a message box or the engine's own dialog.
struct ProgramBox {
    HWND handle = nullptr;
    std::string caption;
    std::string text;
};

class PelkarinSession {
public:
    // Starts the program of programFolder (the dist folder by default) with the given
    // current directory (the same folder by default) and waits for its main window.
    explicit PelkarinSession(const std::string& currentDirectory = DistFolder(),
                             const std::string& programFolder = DistFolder());
    ~PelkarinSession();
    PelkarinSession(const PelkarinSession&) = delete;
    PelkarinSession& operator=(const PelkarinSession&) = delete;

    HWND Form() const { return form_; }
    HWND Control(int creationIndex) const;   // the controls' ids follow the creation order
    HWND Selector() const;
    HWND DisinfectButton() const;
    HWND InformationButton() const;
    HWND Pane() const;

    std::string PaneText() const;
    void Select(int index) const;            // the selector's current item
    int SelectedIndex() const;
    HWND FocusedWindow() const;
    void PressKey(HWND target, WPARAM key) const;

    // Clicks with the left mouse button at the button's centre, through the system's mouse
    // input, and returns when the click's handler is done.
    void Click(HWND button) const;
    // Clicks, waits for the box the handler opens, reads it, lets inspect look at it
    // while it is open, then presses its OK button and waits for the handler's end.
    ProgramBox ClickExpectingBox(HWND button, const std::function<void(const ProgramBox&)>& inspect = {}) const;

    // Presses and releases the left button over button; returns once the program has
    // taken the release, whose handler may still be running.
    void PressAndRelease(HWND button) const;
    // Returns when the program's thread has taken every message sent so far and no run
    // is under way: a run disables the "Desinfectar" button until it has ended.
    void WaitForHandler() const;

    bool CloseAndWait(DWORD timeoutMs);
    DWORD ProcessId() const { return process_.dwProcessId; }

private:
    HWND CaptureWindow() const;
    void WaitForCapture(bool held, HWND button) const;
    ProgramBox WaitForBox(DWORD timeoutMs) const;

    PROCESS_INFORMATION process_ = {};
    HWND form_ = nullptr;
};

std::string WindowText(HWND window);
