// The flat combo box on the screen: frame, button and arrow closed, open, closed again in
// each way the user closes the list, and disabled; its list and text field; a font change.
#include "tests/win32/widgets/ControlHost.h"
#include "tests/win32/widgets/WindowCallsRestored.h"
#include "tests/win32/widgets/WindowPixels.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/win32/SystemColours.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourWord Face = 0xE0F0FF;
constexpr ColourWord Border = 0x8396A0;
constexpr ColourWord ArrowBackground = 0xC5D6D9;
const std::vector<std::string> Items = {"Backdoor 2.03 ", "Netol ", "Cadena ", "DeepThroat",
                                        "Cadena 2 ( Publicidad de web Porno )"};

ComponentDescription SelectorRow()
{
    FlatComboBoxSettings settings;
    settings.text = "Selecciona el Gusano o Troyano";
    settings.colours.color = Face;
    settings.items = Items;
    settings.itemHeight = 13;
    return {"ComboBox1", 8, 16, 217, 21, settings};
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

COMBOBOXINFO InfoOf(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info;
}

class FlatComboBoxTest : public ::testing::Test {
protected:
    FlatComboBoxTest()
        : host_({SelectorRow()}, clBtnText),
          combo_(host_.Get<TFlatComboBox>("ComboBox1")),
          button_(CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 300, 8, 60, 20, host_.Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
        host_.Activate();
        SetFocus(button_);
        PumpMessages();
    }

    void Open() const
    {
        SendMessageA(combo_.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        PumpMessages();
    }

    bool ListShown() const { return IsWindowVisible(InfoOf(combo_.Handle()).hwndList) != FALSE; }

    // Frame and button as the selector's pixel list gives them: one outline round field
    // and button with a dividing line at x 204, Color rings at insets 1 and 2 of
    // (0, 0, 205, 21), the button's interior x 205..215 round the arrow's rows.
    static ::testing::AssertionResult FrameAndButton(const WindowPixels& pixels)
    {
        for (auto result : {pixels.Ring(0, 0, 204, 20, Border), pixels.Ring(204, 0, 216, 20, Border),
                            pixels.Ring(1, 1, 203, 19, Face), pixels.Ring(2, 2, 202, 18, Face),
                            pixels.Block(205, 1, 215, 8, ArrowBackground),
                            pixels.Block(205, 13, 215, 19, ArrowBackground)})
            if (!result)
                return result;
        return ::testing::AssertionSuccess();
    }
    // The arrow's rows 9 to 11 pointing down or up, with the button's interior round them.
    static ::testing::AssertionResult Arrow(const WindowPixels& pixels, bool up, ColourWord colour)
    {
        const int wide = up ? 11 : 9, narrow = up ? 9 : 11;
        for (auto result : {pixels.Row(wide, 208, 212, colour), pixels.Row(10, 209, 211, colour),
                            pixels.Row(narrow, 210, 210, colour), pixels.Row(narrow, 205, 209, ArrowBackground),
                            pixels.Row(narrow, 211, 215, ArrowBackground), pixels.Row(10, 205, 208, ArrowBackground),
                            pixels.Row(10, 212, 215, ArrowBackground), pixels.Row(12, 205, 215, ArrowBackground)})
            if (!result)
                return result;
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult ClosedLook() const
    {
        const WindowPixels pixels = WindowPixels::Repainted(combo_.Handle());
        if (auto frame = FrameAndButton(pixels); !frame)
            return frame;
        return Arrow(pixels, false, clBlack);
    }

    ControlHost host_;
    TFlatComboBox& combo_;
    HWND button_;
};

} // namespace

TEST_F(FlatComboBoxTest, ClosedSelectorShowsItsFrameButtonAndArrowDown)
{
    RECT outer;
    GetWindowRect(combo_.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 217);
    EXPECT_EQ(outer.bottom - outer.top, 21);
    EXPECT_TRUE(ClosedLook());
    // Between the text field and the rings the face is filled; no platform button shows.
    const WindowPixels pixels = WindowPixels::Repainted(combo_.Handle());
    EXPECT_TRUE(pixels.Block(199, 3, 201, 17, Face));

    // The text field: 198 x 15 at (3, 3), on the face colour; the same window found
    // where the system has no GetComboBoxInfo.
    {
        WindowCallsRestored restored;
        TheWindowCalls().GetComboBoxInfo = nullptr;
        EXPECT_EQ(combo_.EditField(), InfoOf(combo_.Handle()).hwndItem);
    }
    RECT field;
    GetWindowRect(combo_.EditField(), &field);
    EXPECT_EQ(field.left - outer.left, 3);
    EXPECT_EQ(field.top - outer.top, 3);
    EXPECT_EQ(field.right - field.left, 217 - 11 - 8);
    EXPECT_EQ(field.bottom - field.top, 21 - 6);
    EXPECT_EQ(TextOf(combo_.Handle()), "Selecciona el Gusano o Troyano");
    EXPECT_EQ(SendMessageA(combo_.Handle(), CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(FlatComboBoxTest, OpenListPointsTheArrowUpAndShowsEveryItemOnTheFace)
{
    Open();
    ASSERT_TRUE(ListShown());
    const WindowPixels pixels = WindowPixels::Repainted(combo_.Handle());
    EXPECT_TRUE(FrameAndButton(pixels));
    EXPECT_TRUE(Arrow(pixels, true, clBlack));

    // All five rows without a scroll bar, on Color, right of the texts.
    HWND list = InfoOf(combo_.Handle()).hwndList;
    RECT client;
    GetClientRect(list, &client);
    EXPECT_GE(client.bottom, 5 * static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)));
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(client.right, 217 - 2);
    const WindowPixels rows = WindowPixels::Repainted(list);
    EXPECT_TRUE(rows.Block(rows.Width() - 20, 2, rows.Width() - 3, rows.Height() - 3, Face));

    // One brush of Color answers the list every time.
    WindowDc dc(list);
    const LRESULT brush = SendMessageA(combo_.Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc.Get()),
                                       reinterpret_cast<LPARAM>(list));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(SendMessageA(combo_.Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc.Get()),
                           reinterpret_cast<LPARAM>(list)),
              brush);
    EXPECT_EQ(GetBkColor(dc.Get()), ResolveColour(Face));
}

TEST_F(FlatComboBoxTest, ClosingTheListByAChoiceByEscAndByAClickElsewherePointsTheArrowDown)
{
    // A choice: a click on the second row.
    Open();
    HWND list = InfoOf(combo_.Handle()).hwndList;
    const int rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM secondRow = MAKELPARAM(20, rowHeight + rowHeight / 2);
    PostMessageA(list, WM_MOUSEMOVE, 0, secondRow);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, secondRow);
    PostMessageA(list, WM_LBUTTONUP, 0, secondRow);
    PumpMessages();
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(SendMessageA(combo_.Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(combo_.Handle()), "Netol ");
    EXPECT_TRUE(ClosedLook());

    // Esc in the text field.
    Open();
    PostMessageA(combo_.EditField(), WM_KEYDOWN, VK_ESCAPE, 1);
    PumpMessages();
    EXPECT_FALSE(ListShown());
    EXPECT_TRUE(ClosedLook());

    // A click outside the control and its list, which the open list has captured.
    Open();
    ASSERT_EQ(GetCapture(), list);
    RECT outer;
    GetWindowRect(list, &outer);
    POINT elsewhere{outer.right + 40, outer.bottom + 40};
    ScreenToClient(list, &elsewhere);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(elsewhere.x, elsewhere.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(elsewhere.x, elsewhere.y));
    PumpMessages();
    EXPECT_FALSE(ListShown());
    EXPECT_TRUE(ClosedLook());
}

TEST_F(FlatComboBoxTest, DisabledSelectorEtchesItsArrow)
{
    EnableWindow(combo_.Handle(), FALSE);
    PumpMessages();
    const WindowPixels pixels = WindowPixels::Repainted(combo_.Handle());
    EXPECT_TRUE(FrameAndButton(pixels));
    // The grey arrow over a white copy one pixel right and down.
    EXPECT_TRUE(pixels.Row(9, 208, 212, clGray));
    EXPECT_TRUE(pixels.Row(10, 209, 211, clGray));
    EXPECT_TRUE(pixels.Row(10, 212, 213, clWhite));
    EXPECT_TRUE(pixels.Row(11, 210, 210, clGray));
    EXPECT_TRUE(pixels.Row(11, 211, 212, clWhite));
    EXPECT_TRUE(pixels.Row(12, 211, 211, clWhite));
    EXPECT_TRUE(pixels.Row(12, 205, 210, ArrowBackground));
    EXPECT_TRUE(pixels.Row(12, 212, 215, ArrowBackground));
    EXPECT_TRUE(pixels.Row(10, 205, 208, ArrowBackground));
    EXPECT_TRUE(pixels.Row(11, 205, 209, ArrowBackground));
}

// Printed into a memory bitmap, the control gives the whole of what the screen shows,
// text field included: closed, open, and disabled.
TEST_F(FlatComboBoxTest, PrintedClientIsTheLookOnScreen)
{
    for (const char* state : {"closed", "open", "disabled"}) {
        if (state == std::string("open"))
            Open();
        if (state == std::string("disabled")) {
            SendMessageA(combo_.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
            EnableWindow(combo_.Handle(), FALSE);
            PumpMessages();
        }
        const WindowPixels screen = WindowPixels::Repainted(combo_.Handle());
        const WindowPixels printed = WindowPixels::Painted(combo_.Handle());
        EXPECT_TRUE(FrameAndButton(printed)) << state;
        EXPECT_TRUE(printed == screen) << state;
    }
}

TEST_F(FlatComboBoxTest, ClickingOrTabbingIntoTheTextFieldLeavesFrameAndButton)
{
    const WindowPixels before = WindowPixels::Repainted(combo_.Handle());
    auto sameFrame = [&before](const WindowPixels& after) {
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 217; ++x) {
                const bool inFrame = x < 3 || x > 201 || y < 3 || y > 17;
                if (inFrame && after.At(x, y) != before.At(x, y))
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed";
            }
        return ::testing::AssertionSuccess();
    };
    // Tab: the form gives the control the focus, which passes it to the text field.
    SetFocus(combo_.Handle());
    PumpMessages();
    EXPECT_EQ(GetFocus(), combo_.EditField());
    EXPECT_TRUE(combo_.ActiveState());
    EXPECT_TRUE(sameFrame(WindowPixels::Repainted(combo_.Handle())));

    SetFocus(button_);
    PumpMessages();
    EXPECT_FALSE(combo_.ActiveState());
    PostMessageA(combo_.EditField(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 7));
    PostMessageA(combo_.EditField(), WM_LBUTTONUP, 0, MAKELPARAM(20, 7));
    PumpMessages();
    EXPECT_EQ(GetFocus(), combo_.EditField());
    EXPECT_TRUE(sameFrame(WindowPixels::Repainted(combo_.Handle())));
}

TEST_F(FlatComboBoxTest, FontChangeMakesTheWindowAnewWithItemHeight13)
{
    combo_.SetItemHeight(20);
    SendMessageA(combo_.Handle(), CB_SETCURSEL, 2, 0);
    SetFocus(combo_.Handle());
    const HWND old = combo_.Handle();
    // The form's font in bold: a font of the same height, which keeps the control's.
    GdiObject<HFONT> font(CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                      "MS Sans Serif"));
    SendMessageA(old, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    EXPECT_EQ(combo_.ItemHeight(), 20);   // the sender still has the window it knows
    PumpMessages();

    EXPECT_EQ(combo_.ItemHeight(), 13);
    ASSERT_NE(combo_.Handle(), old);
    EXPECT_FALSE(IsWindow(old));
    HWND window = combo_.Handle();
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), font.Get());
    EXPECT_EQ(GetDlgCtrlID(window), int{FormComponents::FirstControlId});
    EXPECT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageA(window, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(window), "Cadena ");
    EXPECT_TRUE(IsChild(window, GetFocus()));
    RECT outer;
    GetWindowRect(window, &outer);
    POINT place{outer.left, outer.top};
    ScreenToClient(host_.Handle(), &place);
    EXPECT_EQ(place.x, 8);
    EXPECT_EQ(place.y, 16);
    EXPECT_EQ(outer.right - outer.left, 217);
    EXPECT_EQ(outer.bottom - outer.top, 21);
    SetFocus(button_);
    PumpMessages();
    EXPECT_TRUE(ClosedLook());
}

// At the scale of 144 dots per inch.
TEST(FlatComboBox, HeightButtonAndArrowAreScaledWithTheForm)
{
    const ControlHost host({SelectorRow()}, clBtnText, 144);
    HWND combo = host.Get<TFlatComboBox>("ComboBox1").Handle();
    RECT outer;
    GetWindowRect(combo, &outer);
    EXPECT_EQ(outer.right - outer.left, 326);
    EXPECT_EQ(outer.bottom - outer.top, 32);
    // The button's interior 17 pixels wide, its arrow's widest row 7 pixels.
    host.Activate();
    PumpMessages();
    const WindowPixels face = WindowPixels::Repainted(combo);
    const PixelRect interior = face.BoundingBox(ArrowBackground);
    EXPECT_EQ(interior, (PixelRect{326 - 18, 1, 326 - 1, 31}));
    int widest = 0;
    for (int y = interior.top; y < interior.bottom; ++y) {
        int row = 0;
        for (int x = interior.left; x < interior.right; ++x)
            row += face.At(x, y) == clBlack;
        widest = std::max(widest, row);
    }
    EXPECT_EQ(widest, 7);
}
