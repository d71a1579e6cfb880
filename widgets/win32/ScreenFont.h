#pragma once
// Fonts described for one screen resolution, made for the screen at hand.
#include <string>

// The screen's dots per inch (LOGPIXELSY).
int ScreenDpi();

// The face a font described for designDpi takes at dpi, height being its height there
// (negative: the character height). At the design resolution, and wherever the face has
// a size near that height, its own; otherwise a scalable face, "Microsoft Sans Serif" where
// the system has it, else "Tahoma", for a bitmap face such as "MS Sans Serif" has only a
// few sizes and would stop growing with the screen. The face itself when the system has
// neither.
std::string ScreenFace(const std::string& face, int height, int weight, int dpi, int designDpi);
