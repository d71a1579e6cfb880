#pragma once
// Copies a picture leaving out the pixels of one colour.
#include <windows.h>

// Copies the width x height picture at source's origin onto dc's origin, except its
// pixels of the transparent colour: with TransparentBlt where the system has it,
// otherwise with a mask of those pixels and three plain blits.
void DrawTransparent(HDC dc, HDC source, int width, int height, COLORREF transparent);
