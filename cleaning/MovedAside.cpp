#include "cleaning/MovedAside.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

// The number after prefix in name (compared as the file system does, without regard to
// case), or 0 when name is not prefix and digits.
std::uint64_t NumberAfter(const std::string& prefix, const std::string& name)
{
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 18 ||
        !std::equal(prefix.begin(), prefix.end(), name.begin(), sameLetter))
        return 0;
    std::uint64_t number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        number = number * 10 + static_cast<std::uint64_t>(name[i] - '0');
    }
    return number;
}

} // namespace

std::string MoveAside(PlatformServices& platform, const std::string& path, const std::string& stem)
{
    const std::string prefix = stem.substr(stem.find_last_of('\\') + 1);
    std::uint64_t highest = 0;
    FindEntry entry;
    bool unreadable = false;
    if (const auto listing = platform.FindFirst(stem + "*", entry, unreadable))
        do
            highest = std::max(highest, NumberAfter(prefix, entry.name));
        while (listing->Next(entry));
    const std::string moved = stem + std::to_string(highest + 1);
    return platform.Rename(path, moved) ? moved : std::string();
}
