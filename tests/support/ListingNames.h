#pragma once
// Every name a pattern lookup yields, the listing closed again; unreadable as the platform
// said.
#include "cleaning/PlatformServices.h"

#include <string>
#include <vector>

inline std::vector<std::string> ListingNames(PlatformServices& platform, const std::string& pattern,
                                             bool* unreadable = nullptr)
{
    std::vector<std::string> names;
    FindEntry entry;
    bool cannotLook = false;
    if (auto listing = platform.FindFirst(pattern, entry, cannotLook))
        do
            names.push_back(entry.name);
        while (listing->Next(entry));
    if (unreadable)
        *unreadable = cannotLook;
    return names;
}
