// Paths between the platform's UTF-8, the wide API's UTF-16 and the Report's Windows-1252.
#include "cleaning/Utf16.h"
#include "cleaning/Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(PathText, Utf8AndUtf16RoundTripEveryNameTheFileSystemHolds)
{
    const std::u16string names[] = {
        u"c:\\plain", u"Canci\u00F3n", u"\u041F\u0430\u043F\u043A\u0430", u"\u6587\u4EF6\u5939",
        u"\U0001F4C1emoji",
        std::u16string(1, char16_t(0xD800)) + u"x",   // an unpaired surrogate, as NTFS allows
        std::u16string(1, char16_t(0xDC00))};
    for (const std::u16string& name : names)
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F4C1"), "\xF0\x9F\x93\x81");
    // Bytes that are no UTF-8 read as the Windows-1252 text they are.
    EXPECT_EQ(Utf8ToUtf16("Canci\xF3n \x80 \xC4\xC4"), u"Canci\u00F3n \u20AC \u00C4\u00C4");
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80\xF4\x90\x80\x80"), u"\u00C0\u20AC\u00F4\u0090\u20AC\u20AC");   // overlong, too high
}

TEST(PathText, ShownInWindows1252AsNearAsItGoes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"c:\\Canci\xC3\xB3n\\\xE2\x82\xAC", "c:\\Canci\xF3n\\\x80"},                  // in the code page
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xC4\x85\xC4\x99 \xC5\xA0", "L\xF3" "dz ae \x8A"},  // Latin letters
        {"\xEF\xBC\xA1\xEF\xBD\x9A", "Az"},                                              // full-width
        {"\xD0\x9F\xD0\xB0 \xE6\x96\x87 \xF0\x9F\x93\x81", "?? ? ?"},                   // none near
        {"Canci\xF3n", "Canci\xF3n"}};                                                    // 8-bit text as it was
    for (const auto& [utf8, shown] : cases)
        EXPECT_EQ(Utf8ToWindows1252BestFit(utf8), shown) << utf8;
}

} // namespace
