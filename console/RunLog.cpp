#include "console/RunLog.h"

#include <stdexcept>

namespace {

std::unique_ptr<OpenedFile> OpenToAppend(PlatformServices& platform, const std::string& path)
{
    std::unique_ptr<OpenedFile> file = platform.Open(path, OpenMode::Rewrite);
    if (!file && !platform.FileExists(path))
        file = platform.Open(path, OpenMode::CreateNew);
    return file;
}

} // namespace

RunLog::RunLog(PlatformServices& platform, const std::string& path) : file_(OpenToAppend(platform, path))
{
    if (file_ && file_->Size() > LogRotationSize) {
        file_.reset();
        const std::string old = path + ".1";
        if (platform.FileExists(old))
            platform.RemoveFile(old);
        platform.Rename(path, old);
        file_ = OpenToAppend(platform, path);
    }
    if (!file_)
        throw std::runtime_error("No se pudo abrir el registro " + path);
    end_ = file_->Size();
}

void RunLog::Line(const std::string& text)
{
    if (failed_)
        return;
    const std::string line = text + "\r\n";
    failed_ = !file_->Write(end_, line.data(), line.size());
    end_ += line.size();
}

bool RunLog::Flush()
{
    failed_ = failed_ || !file_->Flush();
    return !failed_;
}
