#pragma once
// Colour words: red in the low byte, then green, then blue; 0x80000000 + n names the
// system colour n (COLOR_ index) and is resolved each time it is used.
#include <cstdint>

using ColourWord = std::uint32_t;

constexpr ColourWord SystemColourWord(int index) { return 0x80000000u + static_cast<ColourWord>(index); }
constexpr bool IsSystemColourWord(ColourWord word) { return (word & 0x80000000u) != 0; }

constexpr ColourWord clBlack = 0x000000;
constexpr ColourWord clMaroon = 0x000080;
constexpr ColourWord clGreen = 0x008000;
constexpr ColourWord clWhite = 0xFFFFFF;
constexpr ColourWord clMenu = SystemColourWord(4);       // COLOR_MENU
constexpr ColourWord clWindow = SystemColourWord(5);     // COLOR_WINDOW
constexpr ColourWord clWindowText = SystemColourWord(8); // COLOR_WINDOWTEXT
constexpr ColourWord clBtnFace = SystemColourWord(15);   // COLOR_BTNFACE
constexpr ColourWord clBtnText = SystemColourWord(18);   // COLOR_BTNTEXT
