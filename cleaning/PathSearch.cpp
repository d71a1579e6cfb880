#include "cleaning/PathSearch.h"

bool NoLeadBytes(unsigned char) { return false; }

namespace {

// Whether the last character of dir is ":" or "\" (a trail byte that happens to have
// one of those values is not).
bool EndsWithDelimiter(const std::string& dir, LeadByteTest isLeadByte)
{
    std::string::size_type i = 0, last = std::string::npos;
    while (i < dir.size()) {
        last = i;
        i += isLeadByte(static_cast<unsigned char>(dir[i])) ? 2 : 1;
    }
    if (last == std::string::npos || last + 1 != dir.size())
        return false;
    return dir[last] == ':' || dir[last] == '\\';
}

} // namespace

std::string FindOnPath(PlatformServices& platform, const std::string& name,
                       const std::string& dirList, LeadByteTest isLeadByte)
{
    std::string candidate = name;
    std::string::size_type pos = 0;
    const std::string::size_type size = dirList.size();
    while (!platform.FileExists(candidate)) {
        while (pos < size && dirList[pos] == ';')
            ++pos;
        if (pos >= size)
            return {};
        const std::string::size_type start = pos;
        while (pos < size && dirList[pos] != ';')
            pos += (isLeadByte(static_cast<unsigned char>(dirList[pos])) && pos + 1 < size) ? 2 : 1;
        candidate = dirList.substr(start, pos - start);
        if (!EndsWithDelimiter(candidate, isLeadByte))
            candidate += '\\';
        candidate += name;
    }
    return candidate;
}
