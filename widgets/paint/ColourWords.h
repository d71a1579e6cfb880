#pragma once
// Colour words: red in the low byte, then green, then blue; 0x80000000 + n names the
// system colour n (COLOR_ index) and is resolved each time it is used.
#include <cstdint>

using ColourWord = std::uint32_t;

constexpr ColourWord SystemColourWord(int index) { return 0x80000000u + static_cast<ColourWord>(index); }
constexpr bool IsSystemColourWord(ColourWord word) { return (word & 0x80000000u) != 0; }

// An RGB word from its three channels (each 0..255) and the channels of an RGB word.
constexpr ColourWord RgbWord(int red, int green, int blue)
{
    return static_cast<ColourWord>(red) | static_cast<ColourWord>(green) << 8 | static_cast<ColourWord>(blue) << 16;
}
constexpr int RedOf(ColourWord rgb) { return static_cast<int>(rgb & 0xFF); }
constexpr int GreenOf(ColourWord rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
constexpr int BlueOf(ColourWord rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }

constexpr ColourWord clBlack = 0x000000;
constexpr ColourWord clMaroon = 0x000080;
constexpr ColourWord clGreen = 0x008000;
constexpr ColourWord clTeal = 0x808000;
constexpr ColourWord clGray = 0x808080;
constexpr ColourWord clWhite = 0xFFFFFF;
constexpr ColourWord clActiveCaption = SystemColourWord(2);     // COLOR_ACTIVECAPTION
constexpr ColourWord clInactiveCaption = SystemColourWord(3);   // COLOR_INACTIVECAPTION
constexpr ColourWord clMenu = SystemColourWord(4);              // COLOR_MENU
constexpr ColourWord clWindow = SystemColourWord(5);            // COLOR_WINDOW
constexpr ColourWord clWindowText = SystemColourWord(8);        // COLOR_WINDOWTEXT
constexpr ColourWord clCaptionText = SystemColourWord(9);       // COLOR_CAPTIONTEXT
constexpr ColourWord clHighlight = SystemColourWord(13);        // COLOR_HIGHLIGHT
constexpr ColourWord clHighlightText = SystemColourWord(14);    // COLOR_HIGHLIGHTTEXT
constexpr ColourWord clBtnFace = SystemColourWord(15);          // COLOR_BTNFACE
constexpr ColourWord clBtnShadow = SystemColourWord(16);        // COLOR_BTNSHADOW
constexpr ColourWord clGrayText = SystemColourWord(17);         // COLOR_GRAYTEXT
constexpr ColourWord clBtnText = SystemColourWord(18);          // COLOR_BTNTEXT
constexpr ColourWord clInactiveCaptionText = SystemColourWord(19);  // COLOR_INACTIVECAPTIONTEXT
constexpr ColourWord clBtnHighlight = SystemColourWord(20);     // COLOR_BTNHIGHLIGHT
constexpr ColourWord clGradientActiveCaption = SystemColourWord(27);    // COLOR_GRADIENTACTIVECAPTION
constexpr ColourWord clGradientInactiveCaption = SystemColourWord(28);  // COLOR_GRADIENTINACTIVECAPTION

// The flat controls' own palette.
constexpr ColourWord FlatFrameColour = 0x8396A0;     // frames and borders
constexpr ColourWord FlatFaceColour = 0xE1EAEB;      // a face under the focus or the mouse
constexpr ColourWord FlatPressedColour = 0xC5D6D9;   // a pressed face, the drop-down button's
