#include "cleaning/NameFold.h"

#include "cleaning/Utf16.h"

namespace {

// Upper case as NTFS compares names: ASCII, Latin-1 and Latin Extended-A letters,
// Greek, Cyrillic and the full-width Latin letters.
char16_t FoldChar(char16_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F) || (c >= 0xFF41 && c <= 0xFF5A))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    if (c == 0xFF) return 0x178;
    if (c == 0x192) return 0x191;
    // Latin Extended-A pairs: capital first, except in the runs U+0139-U+0148 and
    // U+0179-U+017E, where the small letter comes second too but on the even code.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddCapitals) return c % 2 == 0 ? static_cast<char16_t>(c - 1) : c;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c % 2 == 1 ? static_cast<char16_t>(c - 1) : c;
    return c;
}

} // namespace

std::u16string FoldName(const std::string& name)
{
    std::u16string folded = Utf8ToUtf16(name);
    for (char16_t& c : folded)
        c = FoldChar(c);
    return folded;
}
