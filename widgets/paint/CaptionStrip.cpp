#include "widgets/paint/CaptionStrip.h"

namespace {

bool IsToolWindow(FormBorderStyle style)
{
    return style == FormBorderStyle::bsToolWindow || style == FormBorderStyle::bsSizeToolWin;
}

// The icons whose buttons the system shows for a border style.
BorderIcons KeptIcons(FormBorderStyle style, BorderIcons icons)
{
    if (IsToolWindow(style))
        return {icons.systemMenu, false, false, false};
    if (style == FormBorderStyle::bsDialog)
        return {icons.systemMenu, false, false, icons.help};
    if (!icons.systemMenu)
        icons.minimize = icons.maximize = false;
    if (icons.minimize || icons.maximize)
        icons.help = false;
    return icons;
}

}  // namespace

CaptionStrip GetCaptionStripRect(const PixelRect& windowRect, FormBorderStyle style, BorderIcons icons,
                                 const CaptionMetrics& metrics)
{
    CaptionStrip strip;
    strip.buttons = KeptIcons(style, icons);
    const BorderIcons& kept = strip.buttons;
    // With only one of minimise and maximise the system still shows both buttons.
    strip.buttonCount = kept.systemMenu + kept.minimize + kept.maximize + kept.help + (kept.minimize != kept.maximize);

    PixelRect r = windowRect;
    switch (style) {
    case FormBorderStyle::bsSingle:
    case FormBorderStyle::bsDialog:
    case FormBorderStyle::bsToolWindow:
        r = {r.left + metrics.cxDlgFrame, r.top + metrics.cyDlgFrame, r.right - metrics.cxDlgFrame,
             r.bottom - metrics.cyDlgFrame};
        break;
    case FormBorderStyle::bsSizeable:
    case FormBorderStyle::bsSizeToolWin:
        r = {r.left + metrics.cxFrame, r.top + metrics.cyFrame, r.right - metrics.cxFrame, r.bottom - metrics.cyFrame};
        break;
    case FormBorderStyle::bsNone:
        break;
    }
    const bool tool = IsToolWindow(style);
    r.bottom = r.top + (tool ? metrics.cySmCaption : metrics.cyCaption) - 1;
    r.right -= strip.buttonCount * (tool ? metrics.cxSmSize : metrics.cxSize);
    strip.rect = r;
    return strip;
}

PixelRect CaptionCloseBoxRect(const CaptionStrip& strip, FormBorderStyle style, const CaptionMetrics& metrics)
{
    if (style == FormBorderStyle::bsNone || !strip.buttons.systemMenu)
        return {};
    const bool tool = IsToolWindow(style);
    const int width = tool ? metrics.cxSmSize : metrics.cxSize, height = tool ? metrics.cySmSize : metrics.cySize;
    const int right = strip.rect.right + strip.buttonCount * width - 2, top = strip.rect.top + 2;
    return {right - (width - 2), top, right, top + height - 4};
}

PixelRect CaptionGradientRect(PixelSize strip) { return {-(strip.width / 4), 0, strip.width, strip.height}; }

ColourWord CaptionEndColour(bool systemGradientCaptions, bool windowActive)
{
    if (systemGradientCaptions)
        return windowActive ? clGradientActiveCaption : clGradientInactiveCaption;
    return windowActive ? clActiveCaption : clInactiveCaption;
}

bool CaptionUsesGradient(bool windowActive, bool gradientActive, bool gradientInactive)
{
    return windowActive ? gradientActive : gradientInactive;
}


PixelRect CaptionTextRect(PixelSize strip, bool withIcon)
{
    return {(withIcon ? strip.height : 0) + 2, 0, strip.width, strip.height};
}
