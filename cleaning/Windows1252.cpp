#include "cleaning/Windows1252.h"

#include "cleaning/Utf16.h"

char16_t Windows1252Character(unsigned char byte)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
}

std::string Windows1252ToUtf8(const std::string& text)
{
    std::string utf8;
    for (const char c : text) {
        const char16_t u = Windows1252Character(static_cast<unsigned char>(c));
        if (u < 0x80) {
            utf8 += static_cast<char>(u);
        } else if (u < 0x800) {
            utf8 += static_cast<char>(0xC0 | (u >> 6));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (u >> 12));
            utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return utf8;
}

std::string Utf8ToWindows1252BestFit(const std::string& utf8)
{
    // The base letters of Latin Extended-A, U+0100 to U+017F; the letters the code page
    // holds itself (the two ligatures, S, Y and Z with caron or diaeresis) never get here.
    static const char latinExtendedA[] = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlL"
                                         "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
    std::string text;
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = static_cast<char>(c);
        } else if (c >= 0x100 && c < 0x180) {
            byte = latinExtendedA[c - 0x100];
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            byte = static_cast<char>(c - 0xFF01 + '!');
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
            ++i;   // one character beyond the code page: one "?"
        }
        for (int high = 0x80; high < 0xA0; ++high)
            if (Windows1252Character(static_cast<unsigned char>(high)) == c)
                byte = static_cast<char>(high);
        text += byte;
    }
    return text;
}

bool IsWellFormedUtf8(const std::string& bytes)
{
    Utf8Check check;
    check.Add(bytes.data(), bytes.size());
    return check.WellFormed();
}

void Utf8Check::Add(const char* bytes, std::size_t size)
{
    for (std::size_t i = 0; i < size && !broken_; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (pending_) {
            broken_ = byte < low_ || byte > top_;
            low_ = 0x80;
            top_ = 0xBF;
            --pending_;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            pending_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            pending_ = 2;
            if (byte == 0xE0) low_ = 0xA0;   // overlong below U+0800
            if (byte == 0xED) top_ = 0x9F;   // surrogates
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pending_ = 3;
            if (byte == 0xF0) low_ = 0x90;   // overlong below U+10000
            if (byte == 0xF4) top_ = 0x8F;   // above U+10FFFF
        } else {
            broken_ = byte >= 0x80;
        }
    }
}
