#include "cleaning/TextLines.h"

#include <algorithm>

LineReader::LineReader(OpenedFile& file, std::uint64_t from, std::uint64_t to, EngineError failure)
    : file_(file), to_(to), failure_(std::move(failure)), window_(FileWindow), offset_(from)
{
}

LineReader::Bytes LineReader::Available()
{
    if (next_ == filled_ && !ended_) {
        offset_ += filled_;
        filled_ = next_ = 0;
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), to_ - offset_));
        if (wanted && !file_.Read(offset_, window_.data(), wanted, filled_))
            throw failure_;
        ended_ = filled_ == 0;   // at the end, or the file ended sooner than it said
    }
    return {window_.data() + next_, filled_ - next_};
}

WindowWriter::WindowWriter(OpenedFile& file, std::uint64_t at) : file_(file), written_(at)
{
    held_.reserve(FileWindow);
}

void WindowWriter::Add(const char* bytes, std::size_t size)
{
    while (size) {
        if (held_.size() == FileWindow)
            Flush();
        const std::size_t part = std::min(size, FileWindow - held_.size());
        held_.insert(held_.end(), bytes, bytes + part);
        bytes += part;
        size -= part;
    }
}

void WindowWriter::Rewind(std::uint64_t offset)
{
    if (offset >= written_) {
        held_.resize(static_cast<std::size_t>(offset - written_));
    } else {
        held_.clear();
        written_ = offset;
    }
}

void WindowWriter::Flush()
{
    if (!held_.empty() && !file_.Write(written_, held_.data(), held_.size()))
        throw StreamWriteError();
    written_ += held_.size();
    held_.clear();
}

bool CopyFileBytes(OpenedFile& from, std::uint64_t fromOffset, OpenedFile& to, std::uint64_t toOffset,
                   std::uint64_t length, std::uint64_t& copied, Sha256* hash)
{
    std::vector<char> window(static_cast<std::size_t>(std::min<std::uint64_t>(length, FileWindow)));
    copied = 0;
    while (copied < length) {
        std::size_t read = 0;
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(window.size(), length - copied));
        if (!from.Read(fromOffset + copied, window.data(), wanted, read))
            return false;
        if (!read)
            return true;
        if (!to.Write(toOffset + copied, window.data(), read))
            return false;
        if (hash)
            hash->Add(window.data(), read);
        copied += read;
    }
    return true;
}
