#include "SystemCleaning.h"

#include "ConfigPurge.h"
#include "FileSweep.h"
#include "ProcessKill.h"
#include "StartupValue.h"

SystemCleaning::SystemCleaning(PlatformServices& platform, Report& report, SharedFlags& flags,
                               LeadByteTest isLeadByte, RunProgress& progress)
    : platform_(platform), report_(report), flags_(flags), isLeadByte_(isLeadByte), progress_(progress)
{
}

void SystemCleaning::SearchAndDeleteFile(const std::string& dir, const std::string& name)
{
    ::SearchAndDeleteFile(platform_, report_, flags_, dir, name, progress_);
}

bool SystemCleaning::ForceDeleteFile(const std::string& path)
{
    return ::ForceDeleteFile(platform_, path);
}

std::string SystemCleaning::FindOnPath(const std::string& name, const std::string& dirList)
{
    return ::FindOnPath(platform_, name, dirList, isLeadByte_);
}

void SystemCleaning::PurgeConfigLines(const std::string& dir, const std::string& fileName,
                                      const std::string& marker)
{
    ::PurgeConfigLines(platform_, flags_, dir, fileName, marker, progress_);
}

void SystemCleaning::KillProcessByName(const std::string& imageName)
{
    ::KillProcessByName(platform_, imageName);
}

void SystemCleaning::RemoveStartupValue(const std::string& valueName)
{
    ::RemoveStartupValue(platform_, report_, flags_, valueName);
}
