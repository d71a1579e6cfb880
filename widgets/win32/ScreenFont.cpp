#include "widgets/win32/ScreenFont.h"

#include "widgets/win32/GdiHandles.h"

#include <cstdlib>

namespace {

// The face the system gives for a request, and the height it gives, measured as requested
// (the character height for a negative request, the cell's for a positive one).
struct GivenFont {
    std::string face;
    int height = 0;
};

GivenFont Given(HDC dc, const std::string& face, int height, int weight)
{
    GdiObject<HFONT> font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    if (!font.Get())
        return {};
    SelectedObject selected(dc, font.Get());
    char name[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof name, name);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return {name, height < 0 ? metrics.tmHeight - metrics.tmInternalLeading : metrics.tmHeight};
}

const char* const ScalableFaces[] = {"Microsoft Sans Serif", "Tahoma"};

} // namespace

int ScreenDpi()
{
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

std::string ScreenFace(const std::string& face, int height, int weight, int dpi, int designDpi)
{
    if (dpi == designDpi)
        return face;
    WindowDc screen(nullptr);
    // Near: within a tenth of the height asked for.
    const int wanted = std::abs(height);
    if (std::abs(Given(screen.Get(), face, height, weight).height - wanted) * 10 <= wanted)
        return face;
    for (const char* scalable : ScalableFaces)
        if (lstrcmpiA(Given(screen.Get(), scalable, height, weight).face.c_str(), scalable) == 0)
            return scalable;
    return face;
}
