#include "cleaning/Utf16.h"

#include "cleaning/Windows1252.h"

namespace {

// The length of the UTF-8 sequence starting at i and its code point; 0 when the bytes
// there are no well-formed sequence (surrogates count as well-formed here).
std::size_t DecodeAt(const std::string& utf8, std::size_t i, char32_t& point)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    char32_t low;   // the smallest code point of that length: anything below is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, low = 0x80, point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, low = 0x800, point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, low = 0x10000, point = lead & 0x07;
    } else {
        return 0;
    }
    if (utf8.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (byte(k) & 0x3F);
    }
    return point >= low && point <= 0x10FFFF ? length : 0;
}

} // namespace

std::u16string Utf8ToUtf16(const std::string& utf8)
{
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t point = lead;
        std::size_t length = lead < 0x80 ? 1 : DecodeAt(utf8, i, point);
        if (!length) {
            point = Windows1252Character(lead);
            length = 1;
        }
        if (point >= 0x10000) {
            utf16 += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            utf16 += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            utf16 += static_cast<char16_t>(point);
        }
        i += length;
    }
    return utf16;
}

std::string Utf16ToUtf8(const std::u16string& utf16)
{
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t point = utf16[i];
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000)
            point = 0x10000 + ((point - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        if (point < 0x80) {
            utf8 += static_cast<char>(point);
        } else if (point < 0x800) {
            utf8 += static_cast<char>(0xC0 | (point >> 6));
            utf8 += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (point >> 12));
            utf8 += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (point >> 18));
            utf8 += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return utf8;
}
