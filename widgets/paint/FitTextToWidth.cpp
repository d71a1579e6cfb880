#include "widgets/paint/FitTextToWidth.h"

std::string FitTextToWidth(const std::string& text, int maxWidth,
                           const std::function<int(const std::string&)>& widthOf)
{
    std::string result = text;
    for (std::size_t dropped = 2; dropped <= text.size() + 1 && widthOf(result) > maxWidth; ++dropped)
        result = text.substr(0, dropped < text.size() ? text.size() - dropped : 0) + "...";
    return result;
}
