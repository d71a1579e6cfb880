#include "TextLines.h"

std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    const std::string::size_type size = bytes.size();
    while (start < size) {
        std::string::size_type end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < size && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines)
{
    std::string::size_type total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}
