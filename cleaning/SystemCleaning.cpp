#include "cleaning/SystemCleaning.h"

#include "cleaning/ConfigPurge.h"
#include "cleaning/FileSweep.h"
#include "cleaning/ProcessKill.h"
#include "cleaning/StartupValue.h"
#include "cleaning/Windows1252.h"

SystemCleaning::SystemCleaning(PlatformServices& platform, Report& report, SharedFlags& flags,
                               RunProgress& progress)
    : platform_(platform), data_(platform), report_(report), flags_(flags), progress_(progress)
{
}

void SystemCleaning::SearchAndDeleteFile(const std::string& dir, const std::string& name)
{
    ::SearchAndDeleteFile(platform_, report_, flags_, Windows1252ToUtf8(dir), Windows1252ToUtf8(name), progress_);
}

bool SystemCleaning::ForceDeleteFile(const std::string& path)
{
    return ::ForceDeleteFile(platform_, path);
}

std::string SystemCleaning::FindOnPath(const std::string& name, const std::string& dirList)
{
    return ::FindOnPath(platform_, Windows1252ToUtf8(name), dirList);
}

std::string SystemCleaning::ShownPath(const std::string& path)
{
    return Utf8ToWindows1252BestFit(path);
}

void SystemCleaning::PurgeConfigLines(const std::string& dir, const std::string& fileName,
                                      const std::string& marker)
{
    ::PurgeConfigLines(platform_, data_, report_, flags_, Windows1252ToUtf8(dir), Windows1252ToUtf8(fileName), marker,
                       progress_);
}

void SystemCleaning::KillProcessByName(const std::string& imageName)
{
    ::KillProcessByName(platform_, imageName);
}

void SystemCleaning::RemoveStartupValue(const std::string& valueName)
{
    ::RemoveStartupValue(platform_, report_, flags_, valueName);
}
