#include "widgets/controls/GradientCaption.h"

#include "widgets/paint/FitTextToWidth.h"
#include "base/MulDiv.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/ScreenFont.h"
#include "widgets/win32/SystemColours.h"

#include <stdexcept>

namespace {

// The font when the system's caption font cannot be read: MS Sans Serif, 8 point, bold.
const char* const FallbackFontName = "MS Sans Serif";
const int FallbackFontPoints = 8;
const int DefaultCharset = 1;   // DEFAULT_CHARSET
const int DesignDpi = 96;       // the resolution the settings' font height is stored for

// The border style a window's styles give.
FormBorderStyle BorderStyleOf(HWND window)
{
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if ((style & WS_CAPTION) != WS_CAPTION)
        return FormBorderStyle::bsNone;
    const bool sizeable = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW)
        return sizeable ? FormBorderStyle::bsSizeToolWin : FormBorderStyle::bsToolWindow;
    if (sizeable)
        return FormBorderStyle::bsSizeable;
    if (exStyle & WS_EX_DLGMODALFRAME)
        return FormBorderStyle::bsDialog;
    return FormBorderStyle::bsSingle;
}

BorderIcons BorderIconsOf(HWND window)
{
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    return {(style & WS_SYSMENU) != 0, (style & WS_MINIMIZEBOX) != 0, (style & WS_MAXIMIZEBOX) != 0,
            (exStyle & WS_EX_CONTEXTHELP) != 0};
}

CaptionMetrics SystemCaptionMetrics()
{
    CaptionMetrics metrics;
    metrics.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    metrics.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
    metrics.cxFrame = GetSystemMetrics(SM_CXFRAME);
    metrics.cyFrame = GetSystemMetrics(SM_CYFRAME);
    metrics.cyCaption = GetSystemMetrics(SM_CYCAPTION);
    metrics.cySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    metrics.cxSize = GetSystemMetrics(SM_CXSIZE);
    metrics.cxSmSize = GetSystemMetrics(SM_CXSMSIZE);
    metrics.cySize = GetSystemMetrics(SM_CYSIZE);
    metrics.cySmSize = GetSystemMetrics(SM_CYSMSIZE);
    return metrics;
}

bool SystemGradientCaptions()
{
    BOOL on = FALSE;
    return SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &on, 0) && on;
}

// The system's caption font for the window (the small one for a tool window), in the
// caption text colour.
CaptionFont SystemCaptionFont(HWND window)
{
    const FormBorderStyle style = BorderStyleOf(window);
    const bool toolWindow = style == FormBorderStyle::bsToolWindow || style == FormBorderStyle::bsSizeToolWin;
    CaptionFont font;
    font.colour = clCaptionText;
    font.charset = DefaultCharset;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        const LOGFONTA& caption = toolWindow ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
        font.name = caption.lfFaceName;
        font.height = caption.lfHeight;
        font.bold = caption.lfWeight >= FW_BOLD;
        font.italic = caption.lfItalic != 0;
        font.underline = caption.lfUnderline != 0;
        font.strikeOut = caption.lfStrikeOut != 0;
        return font;
    }
    font.name = FallbackFontName;
    font.height = -MulDivRounded(FallbackFontPoints, ScreenDpi(), 72);
    font.bold = true;
    return font;
}

// The settings' font on this screen: its height is stored for 96 dots per inch, like the
// form's font, so it is as large on every screen, in a face that has that size.
CaptionFont ScreenFont(const FontSettings& settings)
{
    const int dpi = ScreenDpi();
    const int height = MulDivRounded(settings.height, dpi, DesignDpi);
    return {ScreenFace(settings.name, height, settings.bold ? FW_BOLD : FW_NORMAL, dpi, DesignDpi),
            height,
            settings.bold,
            settings.italic,
            settings.underline,
            settings.strikeOut,
            settings.color,
            settings.charset};
}

// Sets held to value; whether it was another.
template <typename T>
bool Change(T& held, const T& value)
{
    if (held == value)
        return false;
    held = value;
    return true;
}

// The window's small icon, or its large one drawn small.
HICON WindowIcon(HWND window)
{
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    return icon;
}

} // namespace

bool operator==(const CaptionFont& a, const CaptionFont& b)
{
    return a.name == b.name && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikeOut == b.strikeOut && a.colour == b.colour && a.charset == b.charset;
}

TGradientCaption::TGradientCaption(const ComponentCreation& creation, const GradientCaptionSettings& settings)
    : Component(creation.description),
      form_(creation.parent),
      active_(settings.active),
      defaultFont_(settings.defaultFont),
      formCaption_(settings.formCaption),
      fontInactiveColor_(settings.fontInactiveColor),
      gradientActive_(settings.gradientActive),
      gradientInactive_(settings.gradientInactive),
      gradientSteps_(settings.gradientSteps),
      startColor_(settings.startColor)
{
    UseFont(defaultFont_ ? SystemCaptionFont(form_.window) : ScreenFont(settings.font));
    hook_.BeforeMessage = [this](TWindowHook&, HookMessage& message, bool&) { BeforeMessage(message); };
    hook_.AfterMessage = [this](TWindowHook&, HookMessage& message, bool&) { AfterMessage(message); };
}

void TGradientCaption::Loaded()
{
    loading_ = false;
    RefreshCaption();
}

void TGradientCaption::UseFont(const CaptionFont& font)
{
    GdiObject<HFONT> handle(CreateFontA(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                                        font.underline, font.strikeOut, static_cast<DWORD>(font.charset),
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
    if (!handle.Get())
        throw std::runtime_error("Cannot create the font " + font.name);
    fontHandle_ = std::move(handle);
    font_ = font;
}

void TGradientCaption::RefreshIf(bool condition)
{
    if (Attached() && condition)
        RefreshCaption();
}

void TGradientCaption::SetActive(bool active)
{
    if (Change(active_, active))
        RefreshCaption();
}

void TGradientCaption::SetFormCaption(const std::string& caption)
{
    if (Change(formCaption_, caption))
        RefreshIf(true);
}

void TGradientCaption::SetFontInactiveColor(ColourWord colour)
{
    if (Change(fontInactiveColor_, colour))
        RefreshIf(!windowActive_);
}

void TGradientCaption::SetGradientActive(bool gradient)
{
    if (Change(gradientActive_, gradient))
        RefreshIf(windowActive_);
}

void TGradientCaption::SetGradientSteps(int steps)
{
    if (Change(gradientSteps_, steps))
        RefreshIf(CaptionUsesGradient(windowActive_, gradientActive_, gradientInactive_));
}

void TGradientCaption::SetStartColor(ColourWord colour)
{
    if (Change(startColor_, colour))
        RefreshIf(true);
}

void TGradientCaption::RefreshCaption()
{
    if (loading_ || !form_.isForm)
        return;
    hook_.SetWinControl(active_ ? &form_ : nullptr);
    HWND window = form_.window;
    const bool shown = window && IsWindow(window) && IsWindowVisible(window);
    // GetActiveWindow answers for this thread's top-level windows only.
    windowActive_ = shown && active_ && GetActiveWindow() == window;
    if (shown) {
        RECT bounds;
        GetWindowRect(window, &bounds);
        GdiObject<HRGN> whole(CreateRectRgnIndirect(&bounds));
        // 1 stands for the whole frame where no region can be made.
        SendMessageA(window, WM_NCPAINT, whole.Get() ? reinterpret_cast<WPARAM>(whole.Get()) : 1, 0);
    }
}

CaptionStrip TGradientCaption::GetCaptionStripRect() const
{
    RECT outer;
    GetWindowRect(form_.window, &outer);
    return ::GetCaptionStripRect({outer.left, outer.top, outer.right, outer.bottom}, BorderStyleOf(form_.window),
                                 BorderIconsOf(form_.window), SystemCaptionMetrics());
}

void TGradientCaption::BeforeMessage(HookMessage& message)
{
    if (!Attached())
        return;
    switch (message.message) {
    case WM_NCACTIVATE:
        windowActive_ = message.wParam != 0;
        break;
    case WM_NCPAINT: {
        savedRegion_ = reinterpret_cast<HRGN>(message.wParam);
        substituteRegion_ = GdiObject<HRGN>();
        // wParam 1 (the whole window) is no region and does not count as touching the strip.
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(savedRegion_)) != OBJ_REGION ||
            BorderStyleOf(form_.window) == FormBorderStyle::bsNone)
            break;
        const PixelRect strip = GetCaptionStripRect().rect;
        const RECT stripRect = {strip.left, strip.top, strip.right, strip.bottom};
        if (!RectInRegion(savedRegion_, &stripRect))
            break;
        // Without the regions the form paints its whole frame and the strip goes over it.
        GdiObject<HRGN> stripRegion(CreateRectRgnIndirect(&stripRect));
        GdiObject<HRGN> rest(CreateRectRgn(0, 0, 0, 0));
        if (!stripRegion.Get() || !rest.Get() ||
            CombineRgn(rest.Get(), savedRegion_, stripRegion.Get(), RGN_DIFF) == ERROR)
            break;
        message.wParam = reinterpret_cast<WPARAM>(rest.Get());
        substituteRegion_ = std::move(rest);
        break;
    }
    }
}

void TGradientCaption::AfterMessage(HookMessage& message)
{
    if (!Attached())
        return;
    switch (message.message) {
    case WM_NCPAINT:
        if (substituteRegion_.Get()) {
            message.wParam = reinterpret_cast<WPARAM>(savedRegion_);
            substituteRegion_ = GdiObject<HRGN>();
        }
        PaintStripNow();
        break;
    case WM_NCACTIVATE:
        PaintStripNow();
        break;
    }
}

void TGradientCaption::PaintStripNow() const
{
    WholeWindowDc dc(form_.window);
    if (dc.Get())
        PaintCaptionStrip(dc.Get());
}

void TGradientCaption::PaintCaptionStrip(HDC dc) const
{
    HWND window = form_.window;
    const FormBorderStyle style = BorderStyleOf(window);
    if (style == FormBorderStyle::bsNone)
        return;
    RECT outer;
    GetWindowRect(window, &outer);
    const CaptionMetrics metrics = SystemCaptionMetrics();
    const CaptionStrip strip = ::GetCaptionStripRect({outer.left, outer.top, outer.right, outer.bottom}, style,
                                                     BorderIconsOf(window), metrics);
    const PixelSize size = {strip.rect.Width(), strip.rect.Height()};
    if (size.width <= 0 || size.height <= 0)
        return;

    const bool withIcon =
        (style == FormBorderStyle::bsSingle || style == FormBorderStyle::bsSizeable) && strip.buttons.systemMenu;
    const HICON icon = withIcon ? WindowIcon(window) : nullptr;
    // In high contrast the caption's own pair, without the gradient.
    const bool highContrast = HighContrastOn();
    const ColourPair colours =
        highContrast ? HighContrastCaption(windowActive_)
                     : ColourPair{CaptionEndColour(SystemGradientCaptions(), windowActive_),
                                  windowActive_ ? font_.colour : fontInactiveColor_};
    const ColourWord end = colours.ground;
    const bool gradient = !highContrast && CaptionUsesGradient(windowActive_, gradientActive_, gradientInactive_);
    // Everything the strip's pixels are made of: while it stays the same, the strip
    // composed last time is copied as it is.
    const StripLook look{size.width,
                         size.height,
                         gradient,
                         gradient ? ResolveColour(startColor_) : 0,
                         ResolveColour(end),
                         gradient ? gradientSteps_ : 0,
                         withIcon,
                         icon,
                         formCaption_,
                         fontHandle_.Get(),
                         ResolveColour(colours.text)};
    const bool unchanged = look == paintedLook_;
    paintedLook_ = look;
    stripBuffer_.Paint(
        dc, strip.rect.left - outer.left, strip.rect.top - outer.top, size.width, size.height,
        [&](HDC buffer) {
            const PixelRect gradientRect = CaptionGradientRect(size);
            if (gradient)
                FillGradientBands(buffer, gradientRect, startColor_, end, GradientDirection::LeftToRight,
                                  gradientSteps_);
            else
                PaintRuns(buffer, {{gradientRect, end}});
            if (icon)
                DrawIconEx(buffer, 0, 0, icon, size.height, size.height, 0, nullptr, DI_NORMAL);
            if (!formCaption_.empty()) {
                SetBkMode(buffer, TRANSPARENT);
                DrawFormCaption(buffer, CaptionTextRect(size, withIcon), colours.text);
            }
        },
        unchanged);
    // The system may draw its close box smaller than its own metrics say (Wine keeps it at
    // 11 pixels on every screen): it is drawn again at their size.
    const PixelRect box = CaptionCloseBoxRect(strip, style, metrics);
    if (!box.IsEmpty()) {
        RECT place = {box.left - outer.left, box.top - outer.top, box.right - outer.left, box.bottom - outer.top};
        DrawFrameControl(dc, &place, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    }
}

void TGradientCaption::DrawFormCaption(HDC dc, const PixelRect& area, ColourWord colour) const
{
    SelectedObject fontSelected(dc, fontHandle_.Get());
    SetTextColor(dc, ResolveColour(colour));
    const std::string shown = FitTextToWidth(formCaption_, dc, area.Width());
    RECT textArea = {area.left, area.top, area.right, area.bottom};
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &textArea,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void FillGradientBands(HDC dc, const PixelRect& r, ColourWord start, ColourWord end, GradientDirection direction,
                       int count)
{
    PaintRuns(dc, GradientBands(r, ResolveColour(start), ResolveColour(end), direction, count));
}

std::string FitTextToWidth(const std::string& text, HDC dc, int maxWidth)
{
    return FitTextToWidth(text, maxWidth, [dc](const std::string& candidate) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, candidate.c_str(), static_cast<int>(candidate.size()), &extent);
        return static_cast<int>(extent.cx);
    });
}
