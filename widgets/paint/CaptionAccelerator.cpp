#include "widgets/paint/CaptionAccelerator.h"

namespace {

// Upper case of a Windows-1252 character: a-z, the accented small letters 0xE0..0xFE
// but the division sign 0xF7, and the four letters whose capitals lie in 0x80..0x9F.
unsigned char Upper1252(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A;   // s caron
    case 0x9C: return 0x8C;   // oe
    case 0x9E: return 0x8E;   // z caron
    case 0xFF: return 0x9F;   // y diaeresis
    default: return c;
    }
}

}  // namespace

DisplayedCaption DisplayCaption(const std::string& caption)
{
    DisplayedCaption displayed;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            displayed.text += caption[i];
            continue;
        }
        if (++i == caption.size())
            break;   // a lone "&" at the end
        if (caption[i] != '&' && displayed.underline < 0)
            displayed.underline = static_cast<int>(displayed.text.size());
        displayed.text += caption[i];
    }
    return displayed;
}

char CaptionAccelerator(const std::string& caption)
{
    const DisplayedCaption displayed = DisplayCaption(caption);
    return displayed.underline < 0 ? '\0' : displayed.text[static_cast<std::size_t>(displayed.underline)];
}

bool IsCaptionAccelerator(const std::string& caption, char typed)
{
    const char accelerator = CaptionAccelerator(caption);
    return accelerator != '\0' &&
           Upper1252(static_cast<unsigned char>(accelerator)) == Upper1252(static_cast<unsigned char>(typed));
}
