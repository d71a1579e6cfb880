#pragma once
// Form1's two flat buttons, made from their rows of the real form description on a test
// form of their own: what their clicks reach, their faces as pixels, and the cursor and
// messages a user's mouse would bring.
#include "tests/win32/widgets/ReportedErrors.h"
#include "tests/win32/widgets/WindowPixels.h"
#include "ui/Form1Description.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/win32/ControlMessages.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/SystemColours.h"

#include <functional>
#include <string>
#include <vector>

// Expected colours as the screen shows them.
inline ColourWord Shown(ColourWord word)
{
    return static_cast<ColourWord>(ResolveColour(word));
}

// The looks that tell the states apart on Form1's buttons, read at named pixels: the
// top-left and top-right frame corners and the face inside the frame.
enum class Look { AtRest, Hot, Pressed, Other };

inline Look LookOf(const WindowPixels& face, ColourWord colorDown)
{
    const ColourWord highLight = 0x8396A0, border = clGreen, fill = Shown(clBtnText);
    const ColourWord topLeft = face.At(0, 0), topRight = face.At(face.Width() - 1, 0), inside = face.At(2, 2);
    if (topLeft == border && topRight == border && inside == fill)
        return Look::AtRest;
    if (topLeft == highLight && topRight == clBlack && inside == fill)
        return Look::Hot;
    if (topLeft == clBlack && topRight == highLight && inside == Shown(colorDown))
        return Look::Pressed;
    return Look::Other;
}

class FlatButtonTest : public ReportedErrors {
protected:
    static constexpr int FormLeft = 100, FormTop = 100;

    void SetUp() override;
    void TearDown() override;

    // Makes the form's window, active or not, and its buttons from Form1's rows
    // (FlatButton6, FlatButton7).
    void Build(bool activate = true);
    // More components on the same form; form outlives them.
    std::unique_ptr<FormComponents> BuildMore(const FormDescription& form) const;

    TFlatButton& Button6() const { return Button("FlatButton6"); }
    TFlatButton& Button7() const { return Button("FlatButton7"); }
    TFlatButton& Button(const std::string& name) const;
    Look LookOf(const TFlatButton& button) const;

    // The cursor on a point of a button's client area (or far from every window), and a
    // mouse move there reported to the button as the system would report it.
    static void SetCursorTo(HWND window, int x, int y);
    static void CursorElsewhere() { SetCursorPos(900, 700); }
    static void MoveTo(HWND button, int x, int y);
    static void Press(HWND button, int x, int y, UINT message = WM_LBUTTONDOWN);
    static void Release(HWND button, int x, int y, UINT message = WM_LBUTTONUP);
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    // Lets the thread's messages (timer ticks, paints) run for that long.
    static void Pump(DWORD milliseconds);

    HWND form_ = nullptr;
    ComponentParent parent_;
    GdiObject<HFONT> font_;
    FormDescription description_;
    std::unique_ptr<FormComponents> components_;
    // The buttons' clicks, in order: "click <name>".
    std::vector<std::string> received;
    // Runs inside a button's click handler.
    std::function<void(HWND button)> onClick;
};
