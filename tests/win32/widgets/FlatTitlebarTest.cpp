// Title strips on a form: placed on forms only, their text colour following the form's
// activation, and dragging the form.
#include "tests/win32/widgets/ReportedErrors.h"
#include "tests/win32/widgets/TestForm.h"
#include "tests/win32/widgets/WindowPixels.h"
#include "widgets/win32/InvalidOperation.h"

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF InactiveText = RGB(162, 154, 130);

ComponentDescription Strip(const std::string& name, const std::string& caption, int left = 10, int width = 177)
{
    FlatTitlebarSettings settings;
    settings.caption = caption;
    return Row(name, settings, left, 40, width, 19);
}

} // namespace

class FlatTitlebarTest : public ReportedErrors {};

TEST_F(FlatTitlebarTest, OnlyAFormTakesIt)
{
    TestForm form;
    form.Parent().isForm = false;
    try {
        form.Build({Strip("FlatTitlebar1", "Programado por")});
        ADD_FAILURE() << "placed on a parent that is no form";
    } catch (const InvalidOperation& error) {
        EXPECT_STREQ(error.what(), "TFlatTitlebar can only be placed on a descndant of a TCustomForm");
    }
    EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), nullptr);
}

TEST_F(FlatTitlebarTest, TextColourFollowsTheFormsActivation)
{
    TestForm form;
    form.Build({Strip("FlatTitlebar1", "Programado por el equipo"), Strip("FlatTitlebar2", "", 200, 100)});
    auto& strip = form.Component<TFlatTitlebar>(0);
    auto textPixels = [&](COLORREF colour) { return WindowPixels::Painted(strip.Handle()).Count(colour); };

    // Inactive until the first activation after loading.
    EXPECT_GT(textPixels(InactiveText), 0);
    EXPECT_EQ(textPixels(White), 0);
    OtherWindow other;
    Activate(form.Handle());
    EXPECT_GT(textPixels(White), 0);
    EXPECT_EQ(textPixels(InactiveText), 0);
    const WindowPixels look = WindowPixels::Painted(strip.Handle());
    EXPECT_EQ(look.At(0, 0), Black);
    EXPECT_EQ(look.At(176, 18), Black);
    Activate(other.Handle());
    EXPECT_GT(textPixels(InactiveText), 0);
    EXPECT_EQ(textPixels(White), 0);
    // An empty caption: only the bar.
    EXPECT_EQ(WindowPixels::Painted(form.Component<TFlatTitlebar>(1).Handle()).Count(Black), 100 * 19);

    // Every report counts, the same state again too; the high word (minimised) does not,
    // and other low words change nothing.
    Activate(form.Handle());
    int activations = 0;
    strip.OnActivate = [&activations](TFlatTitlebar&) { ++activations; };
    SendMessageA(form.Handle(), WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0);
    SendMessageA(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(activations, 2);
    SendMessageA(form.Handle(), WM_ACTIVATE, 3, 0);
    EXPECT_TRUE(strip.ShowsActive());
}

TEST_F(FlatTitlebarTest, OnlyAChangedColourOrCaptionRepaints)
{
    TestForm form;
    form.Build({Strip("FlatTitlebar1", "uno")});
    auto& strip = form.Component<TFlatTitlebar>(0);
    HWND handle = strip.Handle();
    auto repaintPending = [handle] { return GetUpdateRect(handle, nullptr, FALSE) != FALSE; };

    ValidateRect(handle, nullptr);
    strip.SetTitlebarColor(clBlack);
    strip.SetActiveTextColor(clWhite);
    strip.SetInactiveTextColor(8559266);
    EXPECT_FALSE(repaintPending());
    strip.SetTitlebarColor(clMaroon);
    EXPECT_TRUE(repaintPending());
    ValidateRect(handle, nullptr);
    strip.SetCaption("dos & tres");
    EXPECT_TRUE(repaintPending());
    EXPECT_EQ(WindowPixels::Painted(handle).At(0, 0), RGB(128, 0, 0));
}

TEST_F(FlatTitlebarTest, LeftDragMovesTheFormAndARightPressOnlyTheOrigin)
{
    TestForm form;
    form.Build({Strip("FlatTitlebar1", "uno")});
    auto& strip = form.Component<TFlatTitlebar>(0);
    HWND handle = strip.Handle();
    RECT start;
    GetWindowRect(form.Handle(), &start);
    auto movedBy = [&](int dx, int dy) {
        RECT now;
        GetWindowRect(form.Handle(), &now);
        return now.left == start.left + dx && now.top == start.top + dy;
    };
    auto mouse = [handle](UINT message, int x, int y) { SendMessageA(handle, message, 0, MAKELPARAM(x, y)); };

    mouse(WM_LBUTTONDOWN, 10, 5);
    EXPECT_EQ(GetCapture(), handle);
    mouse(WM_MOUSEMOVE, 25, 12);
    EXPECT_TRUE(movedBy(15, 7));
    mouse(WM_MOUSEMOVE, -5, 0);   // left of the strip, under its capture
    EXPECT_TRUE(movedBy(0, 2));
    mouse(WM_LBUTTONUP, -5, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(WM_MOUSEMOVE, 40, 9);
    EXPECT_TRUE(movedBy(0, 2));

    mouse(WM_RBUTTONDOWN, 30, 9);
    EXPECT_EQ(strip.DragOrigin().x, 30);
    mouse(WM_MOUSEMOVE, 50, 10);
    mouse(WM_RBUTTONUP, 50, 10);
    EXPECT_TRUE(movedBy(0, 2));

    // A right release ends a left drag; so does the capture going elsewhere.
    mouse(WM_LBUTTONDOWN, 10, 5);
    mouse(WM_RBUTTONUP, 20, 5);
    mouse(WM_MOUSEMOVE, 60, 15);
    EXPECT_TRUE(movedBy(0, 2));
    mouse(WM_LBUTTONUP, 60, 15);
    mouse(WM_LBUTTONDOWN, 10, 5);
    SetCapture(form.Handle());
    ReleaseCapture();
    mouse(WM_MOUSEMOVE, 60, 15);
    EXPECT_TRUE(movedBy(0, 2));
}

// On a form scaled for another screen resolution a strip keeps its whole caption, widening
// about its centre where the font grew wider than the strip; at the design scale it keeps
// its size and clips.
TEST_F(FlatTitlebarTest, ScaledStripWidensToKeepItsCaption)
{
    const std::string caption = "Programado por el equipo de Pelkarin";
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        TestForm form;
        form.Parent().metrics.dpi = dpi;
        form.Build({Strip("FlatTitlebar1", caption, 100, 60), Strip("FlatTitlebar2", "web", 100, 60)});
        const int scaledLeft = MulDiv(100, dpi, 96), scaledWidth = MulDiv(60, dpi, 96);
        RECT wide, narrow;
        GetWindowRect(form.Component<TFlatTitlebar>(0).Handle(), &wide);
        GetWindowRect(form.Component<TFlatTitlebar>(1).Handle(), &narrow);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&wide), 2);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&narrow), 2);
        EXPECT_EQ(narrow.left, scaledLeft);
        EXPECT_EQ(narrow.right - narrow.left, scaledWidth);
        if (dpi == 96) {
            EXPECT_EQ(wide.right - wide.left, 60);
            continue;
        }
        EXPECT_GT(wide.right - wide.left, scaledWidth);
        EXPECT_LE(std::abs((wide.left + wide.right) - (2 * scaledLeft + scaledWidth)), 1);
        const WindowPixels strip = WindowPixels::Painted(form.Component<TFlatTitlebar>(0).Handle());
        const PixelRect text = strip.BoundingBox(InactiveText);
        EXPECT_GE(text.left, MulDiv(8, dpi, 96) - 1);
        EXPECT_LE(text.right, strip.Width() - MulDiv(8, dpi, 96) + 1);
    }
}
