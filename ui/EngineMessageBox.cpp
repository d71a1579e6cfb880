#include "ui/EngineMessageBox.h"

#include "ui/EngineBoxLayout.h"
#include "widgets/win32/ExceptionReport.h"
#include "widgets/win32/GdiHandles.h"

#include <vector>

namespace {

const int TextId = 0xFFFF;
const char* const ButtonCaption = "OK";

struct BoxState {
    std::string caption;
    std::string text;
    GdiObject<HFONT> font;
};

// Null when the system has no message font to give: the box's controls then keep the
// system font, which serves as well.
HFONT CreateMessageFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

HWND CreateBoxChild(HWND box, const char* windowClass, const std::string& text, DWORD style, int id,
                    const BoxRect& place, HFONT font)
{
    HWND child = CreateWindowExA(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                                 place.top, place.width, place.height, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                 nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

EngineBoxLayout MeasureBox(HWND box, BoxState& state)
{
    WindowDc dc(box);
    SelectedObject fontSelected(dc.Get(), state.font.Get() ? state.font.Get() : GetStockObject(DEFAULT_GUI_FONT));
    const char* const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE lettersExtent = {};
    GetTextExtentPoint32A(dc.Get(), letters, 52, &lettersExtent);
    TEXTMETRICA textMetrics = {};
    GetTextMetricsA(dc.Get(), &textMetrics);

    RECT textArea = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(dc.Get(), state.text.c_str(), -1, &textArea,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SIZE captionExtent = {};
    GetTextExtentPoint32A(dc.Get(), ButtonCaption, 2, &captionExtent);

    return LayoutEngineBox(AverageCharWidth(lettersExtent.cx), textMetrics.tmHeight,
                           textArea.right - textArea.left, textArea.bottom - textArea.top, captionExtent.cx);
}

void LayOutBox(HWND box, BoxState& state)
{
    SetWindowTextA(box, state.caption.c_str());
    state.font = GdiObject<HFONT>(CreateMessageFont());
    const EngineBoxLayout layout = MeasureBox(box, state);
    HFONT font = state.font.Get();
    CreateBoxChild(box, "STATIC", state.text, SS_LEFT | SS_NOPREFIX, TextId, layout.text, font);
    HWND button = CreateBoxChild(box, "BUTTON", ButtonCaption, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                                 layout.button, font);

    RECT frame = {0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(box, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
    SetForegroundWindow(box);
    SetFocus(button);
}

INT_PTR HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        LayOutBox(box, *reinterpret_cast<BoxState*>(lParam));
        return FALSE;   // the focus is already on the button
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleBoxMessage(box, message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return FALSE;
    }
}

// An empty dialog template: a popup with a dialog frame, caption and close box. The
// children are placed in pixels once the font is measured.
std::vector<WORD> BoxTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    // menu, window class and title: none (the caption is set when the box starts)
    return words;
}

} // namespace

void ShowEngineMessageBox(HWND owner, const std::string& caption, const std::string& text)
{
    BoxState state{caption, text, GdiObject<HFONT>()};
    const std::vector<WORD> dialogTemplate = BoxTemplate();
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                            owner, BoxProc, reinterpret_cast<LPARAM>(&state));
}
