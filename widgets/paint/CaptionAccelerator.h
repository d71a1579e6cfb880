#pragma once
// A caption's "&" marks: "&" makes the next character the accelerator and is drawn as an
// underline under it, "&&" is drawn as one "&". The first marked character is the
// accelerator (and the one underlined); a lone "&" at the end marks nothing.
#include <string>

struct DisplayedCaption {
    std::string text;      // the caption as drawn, marks removed
    int underline = -1;    // index in text of the accelerator character, -1 for none
};

// The caption as drawn, with the position of its underline.
DisplayedCaption DisplayCaption(const std::string& caption);

// The accelerator character, '\0' when the caption marks none.
char CaptionAccelerator(const std::string& caption);

// Whether a typed character is the caption's accelerator, without regard to case
// (Windows-1252 letters, accented ones included).
bool IsCaptionAccelerator(const std::string& caption, char typed);
