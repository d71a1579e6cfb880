#pragma once
// Form1's two flat buttons, made from their rows of the real form description on a test
// form of their own: what their clicks reach, their faces as pixels, and the cursor and
// messages a user's mouse would bring.
#include "ControlMessages.h"
#include "Form1Description.h"
#include "FormComponents.h"
#include "GdiHandles.h"
#include "ReportedErrors.h"
#include "SystemColours.h"
#include "TFlatButtonUnit.h"

#include <functional>
#include <string>
#include <vector>

// A 32-bit top-down copy of a button's face: painted through WM_PRINTCLIENT, or read
// from what its window shows.
class FacePixels {
public:
    enum class Source { Painted, OnScreen };

    explicit FacePixels(HWND button, Source source = Source::Painted)
    {
        RECT client;
        GetClientRect(button, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        MemoryDc dc(nullptr);
        GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectedObject selected(dc.Get(), bitmap.Get());
        const RECT all{0, 0, width_, height_};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        if (source == Source::Painted) {
            SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        } else {
            WindowDc screen(button);
            BitBlt(dc.Get(), 0, 0, width_, height_, screen.Get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int i = 0; i < width_ * height_; ++i)   // 0x00RRGGBB to a colour word
            pixels_.push_back(RgbWord(pixels[i] >> 16 & 0xFF, pixels[i] >> 8 & 0xFF, pixels[i] & 0xFF));
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    ColourWord At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y * width_ + x)); }

    // The smallest rectangle holding every pixel of that colour inside the frame (from
    // inset pixels in); empty when there is none.
    PixelRect BoundingBox(ColourWord colour, int inset = 2) const
    {
        PixelRect box{width_, height_, 0, 0};
        for (int y = inset; y < height_ - inset; ++y)
            for (int x = inset; x < width_ - inset; ++x)
                if (At(x, y) == colour) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box;
    }

private:
    int width_ = 0, height_ = 0;
    std::vector<ColourWord> pixels_;
};

// Expected colours as the screen shows them.
inline ColourWord Shown(ColourWord word)
{
    return static_cast<ColourWord>(ResolveColour(word));
}

// The looks that tell the states apart on Form1's buttons, read at named pixels: the
// top-left and top-right frame corners and the face inside the frame.
enum class Look { AtRest, Hot, Pressed, Other };

inline Look LookOf(const FacePixels& face, ColourWord colorDown)
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
    // What reached the form, in order: "modal <n>" and "click <name>".
    std::vector<std::string> received;
    // Runs inside the form's click handling.
    std::function<void(HWND button)> onClick;

private:
    static LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
