#pragma once
// The platform services on the real Win32 API.
#include "cleaning/PlatformServices.h"
#include "cleaning/Win32Calls.h"

#include <functional>

class Win32Platform : public PlatformServices {
public:
    // showBox shows the program's modal information box; without one, a plain MessageBox.
    // Every system call goes through calls: the real functions unless a test replaces some.
    explicit Win32Platform(std::function<void(const std::string&)> showBox = {}, const Win32Calls& calls = {});

    std::unique_ptr<FindListing> FindFirst(const std::string& pattern, FindEntry& first, bool& unreadable) override;
    std::uint32_t GetAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::string CurrentDirectory() override;
    std::string WindowsDirectory() override;
    std::vector<ProcessEntry> Processes() override;
    bool TerminateProcess(std::uint32_t id) override;
    OpenedKey OpenCurrentUserKey(const std::string& path) override;
    using PlatformServices::Open;
    std::unique_ptr<OpenedFile> Open(const std::string& path, OpenMode mode, OpenFailure& failure) override;
    bool MakeDirectory(const std::string& path, DirectoryAccess access) override;
    std::uint64_t Now() override;
    void Sleep(std::uint32_t milliseconds) override;
    // In Win32Folders.cpp:
    bool Rename(const std::string& from, const std::string& to) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) override;
    ProgramRights Rights() override;
    std::string DataDirectory(DataFolder folder) override;
    // In Win32SystemFolders.cpp:
    bool FolderIdentity(const std::string& path, FileIdentity& identity) override;
    std::vector<std::string> SystemFolders() override;
    // In Win32RunLock.cpp:
    std::unique_ptr<RunLock> TakeRunLock() override;
    void ShowInformationBox(const std::string& text) override;

    const Win32Calls& Calls() const { return calls_; }
    // Opens root\path with full access, never creating it (HKEY_USERS for every user's hive).
    OpenedKey OpenKey(HKEY root, const std::string& path);

private:
    std::function<void(const std::string&)> showBox_;
    const Win32Calls calls_;
    // The family of file functions, chosen once by the system: the wide ones on the NT
    // family, the ANSI ones alone on Windows 95/98/Me, where the wide ones are stubs.
    const bool wide_;
};
