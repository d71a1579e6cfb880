#pragma once
// Shortening a one-line text with "..." until it fits a width.
#include <functional>
#include <string>

// The text itself if it fits maxWidth (widthOf(text) <= maxWidth), else the first of
// text less its last 2, 3, ... characters followed by "..." that fits, down to "..."
// alone, which is the result when nothing longer fits, even if it is too wide itself.
std::string FitTextToWidth(const std::string& text, int maxWidth,
                           const std::function<int(const std::string&)>& widthOf);
