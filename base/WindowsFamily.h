#pragma once
// Which family of Windows a GetVersion word names.
#include <cstdint>

// Windows 95, 98 and Me set the word's high bit. Their file functions are ANSI only (the
// wide ones are stubs), and a multi-line edit control holds at most 64 KB there.
constexpr bool IsWindows9x(std::uint32_t version)
{
    return (version & 0x80000000u) != 0;
}
