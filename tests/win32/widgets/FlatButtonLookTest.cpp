// Form1's flat buttons painted in each look and read back pixel by pixel: frame corners
// and edges, the face, and where the caption lies (never the letters' own pixels).
#include "tests/win32/support/HighContrastScheme.h"
#include "tests/win32/widgets/FlatButtonFixture.h"
#include "widgets/win32/NewerWindowsDeclarations.h"

namespace {

const ColourWord HighLight = RgbWord(160, 150, 131);
const ColourWord Beige = RgbWord(217, 214, 197);

// Every named pixel of a one-pixel frame: the top row short of its last column and the
// left column short of its last row in topLeft, the whole right column and bottom row in
// bottomRight.
::testing::AssertionResult Frame(const WindowPixels& face, ColourWord topLeft, ColourWord bottomRight)
{
    const int right = face.Width() - 1, bottom = face.Height() - 1;
    const struct {
        int x, y;
        ColourWord colour;
    } named[] = {{0, 0, topLeft},           {right - 1, 0, topLeft},      {0, bottom - 1, topLeft},
                 {right / 2, 0, topLeft},   {0, bottom / 2, topLeft},     {right, 0, bottomRight},
                 {right, bottom, bottomRight}, {0, bottom, bottomRight},  {right / 2, bottom, bottomRight},
                 {right, bottom / 2, bottomRight}};
    for (const auto& pixel : named)
        if (face.At(pixel.x, pixel.y) != pixel.colour)
            return ::testing::AssertionFailure() << "pixel (" << pixel.x << ", " << pixel.y << ") is 0x" << std::hex
                                                 << face.At(pixel.x, pixel.y) << ", expected 0x" << pixel.colour;
    return ::testing::AssertionSuccess();
}

// The face inside the frame, at its corners and the middle of its edges.
::testing::AssertionResult Fill(const WindowPixels& face, ColourWord colour, int frameWidth = 1)
{
    const int w = frameWidth, right = face.Width() - 1 - w, bottom = face.Height() - 1 - w;
    const int xs[] = {w, right / 2, right}, ys[] = {w, bottom};
    for (int x : xs)
        for (int y : ys)
            if (face.At(x, y) != colour)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                                                     << face.At(x, y) << ", expected 0x" << colour;
    return ::testing::AssertionSuccess();
}

PixelRect Moved(PixelRect r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

} // namespace

using FlatButtonLook = FlatButtonTest;

TEST_F(FlatButtonLook, AtRestHotAndPressedOnBothButtons)
{
    Build();
    const ColourWord black = Shown(clBtnText);
    for (TFlatButton* button : {&Button6(), &Button7()}) {
        SCOPED_TRACE(button->Name());
        HWND window = button->Handle();
        WindowPixels rest = WindowPixels::Painted(window);
        ASSERT_EQ(rest.Width(), 105);
        ASSERT_EQ(rest.Height(), 25);
        EXPECT_TRUE(Frame(rest, clGreen, clGreen));
        EXPECT_TRUE(Fill(rest, black));

        MoveTo(window, 50, 12);
        ASSERT_TRUE(button->Hot());
        const WindowPixels hot = WindowPixels::Painted(window);
        EXPECT_TRUE(Frame(hot, HighLight, clBlack));
        EXPECT_TRUE(Fill(hot, black));   // ColorFocused is clBlack

        Press(window, 50, 12);
        const WindowPixels pressed = WindowPixels::Painted(window);
        EXPECT_TRUE(Frame(pressed, clBlack, HighLight));
        EXPECT_TRUE(Fill(pressed, button->Name() == "FlatButton6" ? clMaroon : Beige));

        // The caption, white in every look, moves one pixel right and one down.
        const PixelRect upCaption = rest.BoundingBox(clWhite, 2), pressedCaption = pressed.BoundingBox(clWhite, 2);
        ASSERT_FALSE(upCaption.IsEmpty());
        EXPECT_EQ(hot.BoundingBox(clWhite, 2), upCaption);
        EXPECT_EQ(pressedCaption, Moved(upCaption, 1, 1));
        // Inside its caption rectangle, which is centred by the rounded-up half.
        const PixelRect box = button->CaptionRect();
        EXPECT_EQ(box.left, (105 - box.Width() + 1) / 2 + 1);
        EXPECT_EQ(box.top, (25 - box.Height() + 1) / 2 + 1);
        EXPECT_TRUE(box.Contains(pressedCaption.left, pressedCaption.top));
        EXPECT_TRUE(box.Contains(pressedCaption.right - 1, pressedCaption.bottom - 1));
        Release(window, 300, 300);
    }
}

TEST_F(FlatButtonLook, DefaultFrameIsTwoRingsAtRestOnly)
{
    Build();
    TFlatButton& button = Button6();
    button.SetDefault(true);
    const WindowPixels rest = WindowPixels::Painted(button.Handle());
    EXPECT_TRUE(Frame(rest, clGreen, clGreen));
    for (const auto& inner : {PixelPoint{1, 1}, PixelPoint{103, 1}, PixelPoint{1, 23}, PixelPoint{103, 23},
                              PixelPoint{52, 1}, PixelPoint{1, 12}})
        EXPECT_EQ(rest.At(inner.x, inner.y), clGreen) << inner.x << ", " << inner.y;
    EXPECT_TRUE(Fill(rest, Shown(clBtnText), 2));

    // Hot wins over Default: the one-pixel bevel.
    MoveTo(button.Handle(), 10, 10);
    const WindowPixels hot = WindowPixels::Painted(button.Handle());
    EXPECT_TRUE(Frame(hot, HighLight, clBlack));
    EXPECT_EQ(hot.At(1, 1), Shown(clBtnText));
}

TEST_F(FlatButtonLook, DisabledShowsColorAndBorderWithAnEmbossedCaption)
{
    Build();
    TFlatButton& button = Button7();
    MoveTo(button.Handle(), 10, 10);
    EnableWindow(button.Handle(), FALSE);
    EXPECT_FALSE(button.Hot());
    const WindowPixels disabled = WindowPixels::Painted(button.Handle());
    EXPECT_EQ(button.State(), FaceState::Disabled);
    EXPECT_TRUE(Frame(disabled, clGreen, clGreen));
    EXPECT_TRUE(Fill(disabled, Shown(clBtnText)));
    // The shadow over the highlight moved (1, 1): the highlight shows one pixel beyond the
    // shadow on the right and at the bottom, and the font colour is not used on its own.
    const PixelRect shadow = disabled.BoundingBox(Shown(clBtnShadow), 2);
    const PixelRect highlight = disabled.BoundingBox(Shown(clBtnHighlight), 2);
    ASSERT_FALSE(shadow.IsEmpty());
    EXPECT_EQ(highlight.right, shadow.right + 1);
    EXPECT_EQ(highlight.bottom, shadow.bottom + 1);

    // It ignores the mouse, and enabled again it shows hot, the cursor being over it.
    Press(button.Handle(), 10, 10);
    EXPECT_FALSE(button.MousePressed());
    EXPECT_EQ(GetCapture(), nullptr);
    EnableWindow(button.Handle(), TRUE);
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(LookOf(button), Look::Hot);
    EXPECT_EQ(button.State(), FaceState::Up);
}

// In high contrast the system's pairs, whatever the button's own colours: button face and
// text at rest, the highlight pair hot and pressed, grey text disabled; the caption in the
// text colour of each.
TEST_F(FlatButtonLook, HighContrastShowsTheSystemsPairsInEveryLook)
{
    using Scheme = HighContrastScheme;
    const Scheme scheme;
    Build();
    HWND window = Button6().Handle();
    const struct {
        const char* look;
        std::function<void()> reach;
        COLORREF fill, frame, text;
    } looks[] = {
        {"at rest", [] {}, Scheme::ButtonFace, Scheme::ButtonText, Scheme::ButtonText},
        {"hot", [&] { MoveTo(window, 50, 12); }, Scheme::Highlight, Scheme::ButtonText, Scheme::HighlightText},
        {"pressed", [&] { Press(window, 50, 12); }, Scheme::Highlight, Scheme::ButtonText, Scheme::HighlightText},
        {"disabled", [&] { Release(window, 300, 300); EnableWindow(window, FALSE); }, Scheme::ButtonFace,
         Scheme::GrayText, Scheme::GrayText},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.look);
        look.reach();
        const WindowPixels face = WindowPixels::Painted(window);
        EXPECT_TRUE(Frame(face, look.frame, look.frame));
        EXPECT_TRUE(Fill(face, look.fill));
        EXPECT_FALSE(face.BoundingBox(look.text, 2).IsEmpty());
    }
}

TEST_F(FlatButtonLook, CaptionsEmptyWideAndMarked)
{
    Build();
    TFlatButton& button = Button6();
    HWND window = button.Handle();
    SetWindowTextA(window, "");
    EXPECT_TRUE(WindowPixels::Painted(window).BoundingBox(clWhite, 2).IsEmpty());
    EXPECT_TRUE(button.CaptionRect().IsEmpty());

    // Wider than the button: centred, so cut on both sides alike.
    SetWindowTextA(window, "Desinfectar Desinfectar Desinfectar");
    const WindowPixels wide = WindowPixels::Painted(window);
    EXPECT_LT(button.CaptionRect().left, 0);
    EXPECT_GT(button.CaptionRect().right, 105);
    EXPECT_LE(std::abs(button.CaptionRect().left + button.CaptionRect().right - 105), 1);
    // Drawn after the frame, over its sides, but above and below the frame shows.
    EXPECT_EQ(wide.At(52, 0), clGreen);
    EXPECT_EQ(wide.At(52, 24), clGreen);
    EXPECT_LE(wide.BoundingBox(clWhite, 0).left, 2);
    EXPECT_GE(wide.BoundingBox(clWhite, 0).right, 103);

    // The letters drawn fill the box measured for the caption as shown ("&&" as one "&",
    // a marked letter underlined), so the marks are read alike by both.
    for (const char* caption : {"Sal && pimienta", "&Desinfectar", "Desinfectar&"}) {
        SetWindowTextA(window, caption);
        const PixelRect drawn = WindowPixels::Painted(window).BoundingBox(clWhite, 2);
        const PixelRect box = button.CaptionRect();
        EXPECT_GE(drawn.left, box.left) << caption;
        EXPECT_LE(drawn.right, box.right) << caption;
        EXPECT_GE(drawn.Width(), box.Width() - 2) << caption;
    }
    SetWindowTextA(window, "&Desinfectar");
    const PixelRect marked = WindowPixels::Painted(window).BoundingBox(clWhite, 2);
    const PixelRect markedBox = button.CaptionRect();
    SetWindowTextA(window, "Desinfectar");
    const PixelRect plain = WindowPixels::Painted(window).BoundingBox(clWhite, 2);
    EXPECT_EQ(button.CaptionRect(), markedBox);
    EXPECT_GT(marked.bottom, plain.bottom);   // the underline
}

TEST_F(FlatButtonLook, KeyboardCuesShowTheFocusRectangleAndTheUnderline)
{
    Build();
    TFlatButton& button = Button6();
    HWND window = button.Handle();
    SetWindowTextA(window, "&Desinfectar");
    SetFocus(window);
    const ColourWord fill = Shown(clBtnText);
    // Dots of the focus rectangle, two pixels inside the one-pixel frame: a corner and
    // points on each edge; and a pixel between frame and rectangle.
    const PixelPoint dots[] = {{3, 3}, {51, 3}, {3, 13}, {101, 13}, {51, 21}};
    auto dotted = [&](const WindowPixels& face) {
        int shown = 0;
        for (const PixelPoint& dot : dots)
            shown += face.At(dot.x, dot.y) != fill;
        return shown;
    };
    const PixelRect underlined = WindowPixels::Painted(window).BoundingBox(clWhite, 4);
    EXPECT_EQ(dotted(WindowPixels::Painted(window)), 0);   // cues hidden by the form

    // The keyboard used: the form tells its controls to show the focus cue.
    SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const WindowPixels focused = WindowPixels::Painted(window);
    EXPECT_EQ(dotted(focused), 5);
    EXPECT_EQ(focused.At(2, 2), fill);
    EXPECT_EQ(LookOf(button), Look::Hot);
    SetFocus(Button7().Handle());
    EXPECT_EQ(dotted(WindowPixels::Painted(window)), 0);   // only the focused button shows it

    // The accelerator's underline follows the accelerator cue alone.
    SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
    EXPECT_LT(WindowPixels::Painted(window).BoundingBox(clWhite, 4).bottom, underlined.bottom);
    SendMessageA(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    EXPECT_EQ(WindowPixels::Painted(window).BoundingBox(clWhite, 4), underlined);
}
