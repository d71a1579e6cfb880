// The gradient caption on a tool window: the strip's pixels against the band formula with
// the running system's colours and metrics in both looks, the update regions of
// WM_NCPAINT, and which changes repaint.
#include "tests/win32/widgets/ReportedErrors.h"
#include "tests/win32/widgets/TestForm.h"
#include "tests/win32/widgets/WindowPixels.h"

#include <algorithm>
#include <string>

namespace {

const COLORREF Teal = RGB(0, 128, 128);
const COLORREF Maroon = RGB(128, 0, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF Scribble = RGB(255, 0, 255);
const int Steps = 100;

// Form1's settings.
ComponentDescription Caption(const std::string& text = "")
{
    GradientCaptionSettings settings;
    settings.defaultFont = false;
    settings.formCaption = text;
    settings.fontInactiveColor = clMaroon;
    settings.font.height = -9;
    settings.font.bold = false;
    settings.font.color = clWhite;
    settings.gradientInactive = true;
    settings.gradientSteps = Steps;
    settings.startColor = clTeal;
    return Row("GradientCaption1", settings);
}

// A tool window's caption strip in window coordinates: inside the dialog frame, one small
// caption high less 1, ending one small button short of the frame.
RECT StripOf(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = GetSystemMetrics(SM_CYDLGFRAME);
    return {frameX, frameY, outer.right - outer.left - frameX - GetSystemMetrics(SM_CXSMSIZE),
            frameY + GetSystemMetrics(SM_CYSMCAPTION) - 1};
}

COLORREF EndColour(bool active)
{
    BOOL gradient = FALSE;
    if (SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient)
        return GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    return GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

// Column x of a strip `width` wide: the gradient starts width div 4 left of it, in
// max(2, min(steps, extent)) equal bands; the columns after the last band are the end colour.
COLORREF BandColour(int x, int width, COLORREF start, COLORREF end, int steps)
{
    const int extent = width + width / 4;
    const int bands = std::max(2, std::min(steps, extent));
    const int size = extent / bands;
    const int column = x + width / 4;
    if (size == 0 || column >= bands * size)
        return end;
    const int band = column / size;
    auto channel = [&](int from, int to) { return from + MulDiv(band, to - from, bands - 1); };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

std::string Describe(COLORREF colour)
{
    return "RGB(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) + ", " +
           std::to_string(GetBValue(colour)) + ")";
}

::testing::AssertionResult ShowsBands(HWND form, COLORREF end)
{
    const WindowPixels strip = WindowPixels::OnScreen(form, StripOf(form));
    for (int y : {0, strip.Height() / 2, strip.Height() - 1})
        for (int x = 0; x < strip.Width(); ++x)
            if (strip.At(x, y) != BandColour(x, strip.Width(), Teal, end, Steps))
                return ::testing::AssertionFailure()
                       << "strip pixel (" << x << ", " << y << ") of " << strip.Width() << " is "
                       << Describe(strip.At(x, y)) << ", expected " << Describe(BandColour(x, strip.Width(), Teal, end, Steps));
    return ::testing::AssertionSuccess();
}

int CountInStrip(HWND form, COLORREF colour)
{
    return WindowPixels::OnScreen(form, StripOf(form)).Count(colour);
}

void ScribbleOverStrip(HWND form)
{
    const RECT strip = StripOf(form);
    HDC dc = GetWindowDC(form);
    GdiObject<HBRUSH> brush(CreateSolidBrush(Scribble));
    FillRect(dc, &strip, brush.Get());
    ReleaseDC(form, dc);
}

} // namespace

class GradientCaptionTest : public ReportedErrors {
protected:
    void SetUp() override
    {
        ReportedErrors::SetUp();
        form.seen = [this](UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_NCPAINT)
                ncPaints.push_back(wParam);
        };
    }
    TGradientCaption& Build(const std::string& text = "")
    {
        form.Build({Caption(text)});
        return form.Component<TGradientCaption>(0);
    }

    TestForm form;
    std::vector<WPARAM> ncPaints;   // wParam of each WM_NCPAINT the form's procedure got
};

TEST_F(GradientCaptionTest, StripShowsTheBandsInBothLooks)
{
    TGradientCaption& caption = Build();
    OtherWindow other;
    Activate(form.Handle());
    EXPECT_TRUE(caption.WindowActive());
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(true)));
    Activate(other.Handle());
    EXPECT_FALSE(caption.WindowActive());
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(false)));

    // The text: white while active, maroon while not.
    caption.SetFormCaption("Pelkarin v0.1.0.9");
    EXPECT_GT(CountInStrip(form.Handle(), Maroon), 0);
    EXPECT_EQ(CountInStrip(form.Handle(), White), 0);
    Activate(form.Handle());
    EXPECT_GT(CountInStrip(form.Handle(), White), 0);
    EXPECT_EQ(CountInStrip(form.Handle(), Maroon), 0);
}

TEST_F(GradientCaptionTest, FramePaintsLeaveTheStripToTheCaption)
{
    Build();
    Activate(form.Handle());
    RECT outer;
    GetWindowRect(form.Handle(), &outer);
    RECT strip = StripOf(form.Handle());
    OffsetRect(&strip, outer.left, outer.top);

    // A region away from the strip goes on as it is; the strip is painted all the same.
    ScribbleOverStrip(form.Handle());
    GdiObject<HRGN> bottom(CreateRectRgn(outer.left, outer.bottom - 2, outer.right, outer.bottom));
    ncPaints.clear();
    SendMessageA(form.Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(bottom.Get()), 0);
    EXPECT_EQ(ncPaints, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(bottom.Get())}));
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(true)));

    // A region over the strip: the form gets one without it, and the caller's comes back.
    GdiObject<HRGN> whole(CreateRectRgnIndirect(&outer));
    bool substituteMissesStrip = false;
    bool substituteKeepsFrame = false;
    form.seen = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_NCPAINT)
            return;
        ncPaints.push_back(wParam);
        const auto region = reinterpret_cast<HRGN>(wParam);
        substituteMissesStrip = !RectInRegion(region, &strip);
        substituteKeepsFrame = PtInRegion(region, outer.left + 1, outer.bottom - 1) != FALSE;
    };
    ncPaints.clear();
    ScribbleOverStrip(form.Handle());
    SendMessageA(form.Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(whole.Get()), 0);
    ASSERT_EQ(ncPaints.size(), 1u);
    EXPECT_NE(ncPaints[0], reinterpret_cast<WPARAM>(whole.Get()));
    EXPECT_TRUE(substituteMissesStrip);
    EXPECT_TRUE(substituteKeepsFrame);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(ncPaints[0])), 0u);   // deleted
    EXPECT_EQ(GetObjectType(whole.Get()), static_cast<DWORD>(OBJ_REGION));
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(true)));

    // wParam 1, the whole window: passed on unchanged, the strip painted over the system's.
    ncPaints.clear();
    ScribbleOverStrip(form.Handle());
    SendMessageA(form.Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(ncPaints, (std::vector<WPARAM>{1}));
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(true)));
}

TEST_F(GradientCaptionTest, ChangesRepaintOnlyWhereTheyShow)
{
    TGradientCaption& caption = Build();
    OtherWindow other;
    Activate(form.Handle());
    auto repaints = [&](const std::function<void()>& change) {
        ncPaints.clear();
        change();
        return static_cast<int>(ncPaints.size());
    };
    // Active form: whatever shows in it repaints, a value already held nothing.
    EXPECT_EQ(repaints([&] { caption.SetStartColor(clTeal); }), 0);
    EXPECT_EQ(repaints([&] { caption.SetStartColor(clMaroon); }), 1);
    EXPECT_EQ(repaints([&] { caption.SetFormCaption("otro"); }), 1);
    EXPECT_EQ(repaints([&] { caption.SetFontInactiveColor(clWhite); }), 0);
    EXPECT_EQ(repaints([&] { caption.SetGradientActive(false); }), 1);
    EXPECT_EQ(repaints([&] { caption.SetGradientSteps(50); }), 0);   // a plain fill now
    // Inactive form.
    Activate(other.Handle());
    EXPECT_EQ(repaints([&] { caption.SetGradientActive(true); }), 0);
    EXPECT_EQ(repaints([&] { caption.SetGradientSteps(Steps); }), 1);
    EXPECT_EQ(repaints([&] { caption.SetFontInactiveColor(clMaroon); }), 1);
    // Switched off: one repaint, by the system alone, and none for later changes.
    EXPECT_EQ(repaints([&] { caption.SetActive(false); }), 1);
    EXPECT_EQ(repaints([&] { caption.SetStartColor(clTeal); }), 0);
    EXPECT_EQ(repaints([&] { caption.SetFormCaption(""); }), 0);
    ScribbleOverStrip(form.Handle());
    SendMessageA(form.Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(CountInStrip(form.Handle(), Scribble), 0);
    EXPECT_FALSE(ShowsBands(form.Handle(), EndColour(false)));
    EXPECT_EQ(repaints([&] { caption.SetActive(true); }), 1);
    EXPECT_TRUE(ShowsBands(form.Handle(), EndColour(false)));
    EXPECT_TRUE(reported.empty());
}
