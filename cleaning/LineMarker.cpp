#include "cleaning/LineMarker.h"

#include <algorithm>
#include <string_view>

LineMarker::LineMarker(const std::string& windows1252) : windows1252_(windows1252), utf8_(Windows1252ToUtf8(windows1252))
{
}

void LineMarker::BeginLine()
{
    windows1252_.Reset();
    utf8_.Reset();
    utf8Check_ = Utf8Check();
    beyondAscii_ = false;
}

void LineMarker::Add(const char* bytes, std::size_t size)
{
    windows1252_.Add(bytes, size);
    utf8_.Add(bytes, size);
    if (!beyondAscii_) {
        // Up to the first byte above 0x7F the line is plain ASCII, well-formed either way.
        const char* const end = bytes + size;
        const char* high = std::find_if(bytes, end, [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
        if (high == end)
            return;
        beyondAscii_ = true;
        size = static_cast<std::size_t>(end - high);
        bytes = high;
    }
    utf8Check_.Add(bytes, size);
}

bool LineMarker::InLine() const
{
    return beyondAscii_ && utf8Check_.WellFormed() ? utf8_.Found() : windows1252_.Found();
}

void LineMarker::Search::Reset()
{
    carry_.clear();
    found_ = false;
}

void LineMarker::Search::Add(const char* bytes, std::size_t size)
{
    if (found_)
        return;
    const std::size_t keep = pattern_.size() - 1;
    if (!carry_.empty()) {
        // The pattern may begin in the pieces before and end in this one.
        const std::string joint = carry_ + std::string(bytes, std::min(size, keep));
        found_ = joint.find(pattern_) != std::string::npos;
    }
    found_ = found_ || std::string_view(bytes, size).find(pattern_) != std::string_view::npos;
    if (size >= keep) {
        carry_.assign(bytes + size - keep, keep);
    } else {
        carry_.append(bytes, size);
        carry_.erase(0, carry_.size() > keep ? carry_.size() - keep : 0);
    }
}
