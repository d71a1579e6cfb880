#include "cleaning/ProcessKill.h"

namespace {

// Upper-cases the ASCII letters a to z only; every other byte stays as it is.
std::string AsciiUpper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string FileNamePart(const std::string& exe)
{
    const std::string::size_type cut = exe.find_last_of("\\:");
    return cut == std::string::npos ? exe : exe.substr(cut + 1);
}

} // namespace

bool ImageNameMatches(const std::string& exe, const std::string& imageName)
{
    const std::string wanted = AsciiUpper(imageName);
    return AsciiUpper(FileNamePart(exe)) == wanted || AsciiUpper(exe) == wanted;
}

ItemCounts KillProcessByName(PlatformServices& platform, const std::string& imageName)
{
    ItemCounts ended;
    for (const ProcessEntry& process : platform.Processes()) {
        if (ImageNameMatches(process.exe, imageName))
            ++(platform.TerminateProcess(process.id) ? ended.removed : ended.failed);
    }
    return ended;
}
