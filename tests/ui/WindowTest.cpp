// The window as a user meets it: place, size, caption, border, controls, keyboard, closing.
#include "tests/ui/AccessibilityEvents.h"
#include "tests/ui/PelkarinSession.h"
#include "tests/ui/ScratchMachine.h"

#include "ui/PaneText.h"

#include <gtest/gtest.h>

namespace {

RECT ClientRectOf(HWND control, HWND form)
{
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::wstring Wide1252(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

} // namespace

TEST(MainWindow, PlaceSizeCaptionAndBorder)
{
    PelkarinSession session;
    HWND form = session.Form();
    RECT outer;
    GetWindowRect(form, &outer);
    EXPECT_EQ(outer.left, 210);
    EXPECT_EQ(outer.top, 113);
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 314);
    EXPECT_EQ(WindowText(form),
              "                   -----------------||||||||||| Pelkarin v0.1.0.9 ||||||||||---------|");
    // Assistive technology knows it by the application's title instead.
    for (LONG part : {OBJID_WINDOW, OBJID_CLIENT})
        EXPECT_EQ(AskObject(form, part).name, "Pelkarin") << part;

    const LONG style = GetWindowLongA(form, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(form, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);

    // The taskbar button belongs to the application window, which carries the title.
    HWND application = GetWindow(form, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(WindowText(application), "Pelkarin");
    EXPECT_FALSE(GetWindowLongA(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(MainWindow, ControlsStandWhereTheyBelong)
{
    PelkarinSession session;
    HWND form = session.Form();
    struct Expected {
        HWND control;
        RECT place;
    };
    const Expected controls[] = {
        {session.Control(0), {224, 8, 421, 74}},      // Image5, partly beyond the client area
        {session.DisinfectButton(), {8, 48, 113, 73}},
        {session.InformationButton(), {120, 48, 225, 73}},
        {session.Pane(), {8, 80, 401, 273}},
        {session.Control(1), {112, 272, 289, 291}},   // FlatTitlebar1
        {session.Control(6), {152, 296, 252, 315}},   // FlatTitlebar2
    };
    for (const Expected& expected : controls) {
        ASSERT_NE(expected.control, nullptr);
        const RECT place = ClientRectOf(expected.control, form);
        EXPECT_EQ(place.left, expected.place.left);
        EXPECT_EQ(place.top, expected.place.top);
        EXPECT_EQ(place.right, expected.place.right);
        EXPECT_EQ(place.bottom, expected.place.bottom);
    }
    const RECT selector = ClientRectOf(session.Selector(), form);
    EXPECT_EQ(selector.left, 8);
    EXPECT_EQ(selector.top, 16);
    EXPECT_EQ(selector.right, 225);
    EXPECT_EQ(WindowText(session.DisinfectButton()), "&Desinfectar");
    EXPECT_EQ(WindowText(session.InformationButton()), "&Informaci\xF3n");
}

TEST(MainWindow, CaptionBarIsTheGradientAndAStripDragsTheWindow)
{
    PelkarinSession session;
    HWND form = session.Form();
    RECT outer;
    GetWindowRect(form, &outer);

    // The caption strip: from teal in 100 bands of a gradient that starts a quarter of the
    // strip's width to its left, into the system's caption colour, which also fills the
    // columns after the last band.
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = GetSystemMetrics(SM_CYDLGFRAME);
    const int width = outer.right - outer.left - 2 * frameX - GetSystemMetrics(SM_CXSMSIZE);
    const bool active = GetForegroundWindow() == form;
    BOOL gradient = FALSE;
    SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    const COLORREF end = gradient ? GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)
                                  : GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const int firstBand = (width / 4) / ((width + width / 4) / 100);
    const COLORREF first = RGB(MulDiv(firstBand, GetRValue(end), 99),
                               128 + MulDiv(firstBand, GetGValue(end) - 128, 99),
                               128 + MulDiv(firstBand, GetBValue(end) - 128, 99));
    HDC screen = GetWindowDC(form);
    const int middle = frameY + GetSystemMetrics(SM_CYSMCAPTION) / 2;
    EXPECT_EQ(GetPixel(screen, frameX, middle), first);
    EXPECT_EQ(GetPixel(screen, frameX + width - 1, middle), end);
    ReleaseDC(form, screen);

    // A left-button drag on a strip moves the window by the mouse's movement.
    HWND strip = session.Control(1);   // FlatTitlebar1
    SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(strip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 15));
    SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(30, 15));
    RECT moved;
    GetWindowRect(form, &moved);
    EXPECT_EQ(moved.left, outer.left + 20);
    EXPECT_EQ(moved.top, outer.top + 10);
}

// On a screen of 192 dots per inch everything is twice its size at 96, within a few pixels.
TEST(MainWindow, DoublesItsLayoutAt192DotsPerInch)
{
    const ScreenResolution screen(192);
    PelkarinSession session;
    HWND form = session.Form();
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 2 * 409);
    EXPECT_EQ(client.bottom, 2 * 314);
    const struct {
        HWND control;
        RECT place;   // at 96 dots per inch
    } controls[] = {{session.Selector(), {8, 16, 225, 37}},
                    {session.DisinfectButton(), {8, 48, 113, 73}},
                    {session.Pane(), {8, 80, 401, 273}}};
    for (const auto& expected : controls) {
        const RECT place = ClientRectOf(expected.control, form);
        EXPECT_EQ(place.left, 2 * expected.place.left);
        EXPECT_EQ(place.top, 2 * expected.place.top);
        EXPECT_NEAR(place.right, 2 * expected.place.right, 1);
        EXPECT_NEAR(place.bottom, 2 * expected.place.bottom, 1);
    }
}

TEST(MainWindow, SelectorStartsWithItsPromptAndTheFiveItems)
{
    PelkarinSession session;
    HWND selector = session.Selector();
    EXPECT_EQ(WindowText(selector), "Selecciona el Gusano o Troyano");
    EXPECT_EQ(session.SelectedIndex(), -1);
    const char* const items[] = {"Backdoor 2.03 ", "Netol ", "Cadena ", "DeepThroat",
                                 "Cadena 2 ( Publicidad de web Porno )"};
    ASSERT_EQ(SendMessageW(selector, CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        // Across processes only the wide message returns the item text intact.
        wchar_t text[128] = {};
        SendMessageW(selector, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::wstring(text), Wide1252(items[i])) << i;
    }
}

TEST(MainWindow, PaneStartsWithTheWelcomeLinesReadOnly)
{
    PelkarinSession session;
    EXPECT_EQ(session.PaneText(), InitialReportText());
    const LONG style = GetWindowLongA(session.Pane(), GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & (WS_HSCROLL | ES_WANTRETURN));
    session.PressKey(session.Pane(), 'X');
    session.PressKey(session.Pane(), VK_RETURN);
    EXPECT_EQ(session.PaneText(), InitialReportText());
}

TEST(MainWindow, SelectorTakesTypedTextInPlaceOfItsPrompt)
{
    PelkarinSession session;
    HWND field = session.FocusedWindow();
    ASSERT_TRUE(IsChild(session.Selector(), field));
    for (WPARAM key : {'N', 'E', 'T'})
        session.PressKey(field, key);
    EXPECT_EQ(WindowText(session.Selector()), "net");
    EXPECT_EQ(session.SelectedIndex(), -1);
}

TEST(MainWindow, KeyboardAloneSelectsAndReadsADescription)
{
    PelkarinSession session;
    session.PressKey(session.FocusedWindow(), VK_DOWN);
    session.PressKey(session.FocusedWindow(), VK_DOWN);
    EXPECT_EQ(session.SelectedIndex(), 1);
    // Tab: the Disinfect button, then the Information button, which Enter presses.
    session.PressKey(session.FocusedWindow(), VK_TAB);
    EXPECT_EQ(session.FocusedWindow(), session.DisinfectButton());
    session.PressKey(session.FocusedWindow(), VK_TAB);
    ASSERT_EQ(session.FocusedWindow(), session.InformationButton());
    session.PressKey(session.FocusedWindow(), VK_RETURN);
    EXPECT_EQ(session.PaneText(), ReadFileBytes(DistFolder() + "\\netol.kvd"));
    session.PressKey(session.FocusedWindow(), VK_TAB);
    EXPECT_EQ(session.FocusedWindow(), session.Pane());
}

TEST(MainWindow, ClickedButtonTakesTheFocusAndTheSpaceBarClicksIt)
{
    PelkarinSession session;
    HWND information = session.InformationButton();
    session.Select(3);
    session.Click(information);
    EXPECT_EQ(session.PaneText(), ReadFileBytes(DistFolder() + "\\deep.kvd"));
    EXPECT_EQ(session.FocusedWindow(), information);

    session.Select(1);
    session.PressKey(information, VK_SPACE);
    EXPECT_EQ(session.PaneText(), ReadFileBytes(DistFolder() + "\\netol.kvd"));
}

TEST(MainWindow, ArrowKeyInTheSelectorPicksTheFirstItem)
{
    PelkarinSession session;
    session.PressKey(session.FocusedWindow(), VK_DOWN);
    EXPECT_EQ(session.SelectedIndex(), 0);
    EXPECT_EQ(WindowText(session.Selector()), "Backdoor 2.03 ");
}

TEST(MainWindow, ClosingEndsTheProgram)
{
    PelkarinSession session;
    EXPECT_TRUE(session.CloseAndWait(5000));
}
