#include "cleaning/SystemCleaning.h"

#include "cleaning/ConfigPurge.h"
#include "cleaning/FileSweep.h"
#include "cleaning/ProcessKill.h"
#include "cleaning/StartupValue.h"
#include "cleaning/TreeWalk.h"
#include "cleaning/Windows1252.h"

SystemCleaning::SystemCleaning(PlatformServices& platform, Report& report, SharedFlags& flags,
                               RunProgress& progress)
    : platform_(platform), data_(platform), report_(report), flags_(flags), progress_(progress)
{
}

void SystemCleaning::RunStarts()
{
    quarantine_.NewRun();
}

DriveFindings SystemCleaning::WalkDrive(const std::string& dir, const std::vector<std::string>& names)
{
    std::vector<std::string> utf8Names;
    for (const std::string& name : names)
        utf8Names.push_back(Windows1252ToUtf8(name));
    std::vector<std::string> passOver;
    if (!data_.Path().empty())
        passOver.push_back(data_.Path());
    std::vector<NameFindings> found =
        ::WalkDrive(platform_, Windows1252ToUtf8(dir), utf8Names, passOver, flags_, progress_);
    DriveFindings findings;
    for (std::size_t i = 0; i < names.size(); ++i)
        findings[names[i]] = std::move(found[i]);
    return findings;
}

void SystemCleaning::DeleteFound(const std::string& name, const NameFindings& found)
{
    ::DeleteFound(platform_, quarantine_, report_, flags_, Windows1252ToUtf8(name), found, progress_);
}

void SystemCleaning::PurgeFound(const std::string& fileName, const std::string& marker, const NameFindings& found)
{
    ::PurgeFound(platform_, data_, quarantine_, report_, flags_, Windows1252ToUtf8(fileName), marker, found, progress_);
}

bool SystemCleaning::ForceDeleteFile(const std::string& path)
{
    return ::ForceDeleteFile(platform_, quarantine_, path);
}

std::string SystemCleaning::FindOnPath(const std::string& name, const std::string& dirList)
{
    return ::FindOnPath(platform_, Windows1252ToUtf8(name), dirList);
}

std::string SystemCleaning::ShownPath(const std::string& path)
{
    return Utf8ToWindows1252BestFit(path);
}

ItemCounts SystemCleaning::KillProcessByName(const std::string& imageName)
{
    return ::KillProcessByName(platform_, imageName);
}

void SystemCleaning::RemoveStartupValue(const std::string& valueName)
{
    ::RemoveStartupValue(platform_, quarantine_, report_, flags_, valueName);
}
