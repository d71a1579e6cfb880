#include "tests/ui/PelkarinSession.h"

#include <stdexcept>
#include <vector>

namespace {

const DWORD LongWait = 600000;
const int FirstControlId = 100;
enum CreationIndex { Image5, FlatTitlebar1, ComboBox1, FlatButton6, FlatButton7, Memo, FlatTitlebar2 };

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && lstrcmpA(className, search->className) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD processId, const char* className)
{
    WindowSearch search{processId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 10000)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        throw std::runtime_error("The window did not answer");
    return static_cast<LRESULT>(result);
}

} // namespace

std::string DistFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int level = 0; level < 3; ++level)   // <build>\tests\ui\<test>.exe
        folder.erase(folder.find_last_of('\\'));
    return folder + "\\dist";
}

std::string WindowText(HWND window)
{
    std::vector<char> text(65536, '\0');
    const LRESULT length = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<std::size_t>(length));
}

PelkarinSession::PelkarinSession(const std::string& currentDirectory, const std::string& programFolder)
{
    std::string commandLine = "\"" + programFolder + "\\Pelkarin.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, currentDirectory.c_str(),
                        &startup, &process_))
        throw std::runtime_error("Cannot start " + commandLine);
    WaitForInputIdle(process_.hProcess, 10000);
    // The window exists before it is shown; a click must wait for it to be on screen.
    for (int attempt = 0; attempt < 200 && !(form_ && IsWindowVisible(form_)); ++attempt) {
        form_ = FindTopLevel(process_.dwProcessId, "TForm1");
        if (!form_ || !IsWindowVisible(form_))
            Sleep(50);
    }
    if (!form_ || !IsWindowVisible(form_))
        throw std::runtime_error("Pelkarin showed no window");
}

PelkarinSession::~PelkarinSession()
{
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND PelkarinSession::Control(int creationIndex) const
{
    return GetDlgItem(form_, FirstControlId + creationIndex);
}

HWND PelkarinSession::Selector() const { return Control(ComboBox1); }
HWND PelkarinSession::DisinfectButton() const { return Control(FlatButton6); }
HWND PelkarinSession::InformationButton() const { return Control(FlatButton7); }
HWND PelkarinSession::Pane() const { return Control(Memo); }

std::string PelkarinSession::PaneText() const
{
    return WindowText(Pane());
}

void PelkarinSession::Select(int index) const
{
    Send(Selector(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int PelkarinSession::SelectedIndex() const
{
    return static_cast<int>(Send(Selector(), CB_GETCURSEL, 0, 0));
}

HWND PelkarinSession::FocusedWindow() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

void PelkarinSession::PressKey(HWND target, WPARAM key) const
{
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    Send(form_, WM_NULL, 0, 0);
    Sleep(100);
    Send(form_, WM_NULL, 0, 0);
}

HWND PelkarinSession::CaptureWindow() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndCapture;
}

void PelkarinSession::WaitForCapture(bool held, HWND button) const
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        if ((CaptureWindow() == button) == held)
            return;
        Sleep(10);
    }
    throw std::runtime_error(held ? "The button took no mouse capture" : "The button kept the mouse capture");
}

void PelkarinSession::PressAndRelease(HWND button) const
{
    RECT area;
    GetWindowRect(button, &area);
    const POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    // The press goes to whatever window is under the cursor: wait until it is the button.
    for (int attempt = 0; attempt < 500 && WindowFromPoint(centre) != button; ++attempt)
        Sleep(10);
    if (WindowFromPoint(centre) != button)
        throw std::runtime_error("The button is not under the cursor");
    // Each event carries the place itself: a pointer motion the window system reports
    // late could otherwise move a press made "where the cursor is" somewhere else.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(centre.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(centre.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    // The button holds the capture from the press until it takes the release.
    WaitForCapture(true, button);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    WaitForCapture(false, button);
}

void PelkarinSession::WaitForHandler() const
{
    Send(form_, WM_NULL, 0, 0, LongWait);
    // A run may sweep the whole drive.
    for (DWORD waited = 0; waited < LongWait && !IsWindowEnabled(DisinfectButton()); waited += 10)
        Sleep(10);
    if (!IsWindowEnabled(DisinfectButton()))
        throw std::runtime_error("The run did not end");
}

void PelkarinSession::Click(HWND button) const
{
    PressAndRelease(button);
    WaitForHandler();
}

ProgramBox PelkarinSession::WaitForBox(DWORD timeoutMs) const
{
    ProgramBox box;
    for (DWORD waited = 0; waited < timeoutMs && !box.handle; waited += 50) {
        box.handle = FindTopLevel(process_.dwProcessId, "#32770");
        if (!box.handle)
            Sleep(50);
    }
    if (!box.handle)
        throw std::runtime_error("No box appeared");
    box.caption = WindowText(box.handle);
    if (HWND text = GetDlgItem(box.handle, 0xFFFF))
        box.text = WindowText(text);
    return box;
}

ProgramBox PelkarinSession::ClickExpectingBox(HWND button,
                                              const std::function<void(const ProgramBox&)>& inspect) const
{
    PressAndRelease(button);
    const ProgramBox box = WaitForBox(LongWait);
    if (inspect)
        inspect(box);
    PostMessageA(GetDlgItem(box.handle, IDOK), BM_CLICK, 0, 0);
    for (DWORD waited = 0; waited < LongWait && IsWindow(box.handle); waited += 10)
        Sleep(10);
    WaitForHandler();
    return box;
}

bool PelkarinSession::CloseAndWait(DWORD timeoutMs)
{
    PostMessageA(form_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}
