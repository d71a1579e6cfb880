#pragma once
// Platform services that pass every call on and count the find listings: how many are
// open at once at most (the depth of the walk) and how many entries they yielded.
#include "cleaning/PlatformServices.h"

#include <cstddef>

class ListingMeter : public PlatformServices {
public:
    explicit ListingMeter(PlatformServices& inner) : inner_(inner) {}

    int PeakOpen() const { return peakOpen_; }
    std::size_t Entries() const { return entries_; }
    void Reset() { peakOpen_ = open_; entries_ = 0; }

    std::unique_ptr<FindListing> FindFirst(const std::string& pattern, FindEntry& first, bool& unreadable) override
    {
        std::unique_ptr<FindListing> listing = inner_.FindFirst(pattern, first, unreadable);
        if (!listing)
            return nullptr;
        ++entries_;
        return std::make_unique<Counted>(*this, std::move(listing));
    }
    std::uint32_t GetAttributes(const std::string& path) override { return inner_.GetAttributes(path); }
    bool SetAttributes(const std::string& path, std::uint32_t a) override { return inner_.SetAttributes(path, a); }
    bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
    bool RemoveEmptyFolder(const std::string& path) override { return inner_.RemoveEmptyFolder(path); }
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
    std::string WindowsDirectory() override { return inner_.WindowsDirectory(); }
    std::vector<ProcessEntry> Processes() override { return inner_.Processes(); }
    bool TerminateProcess(std::uint32_t id) override { return inner_.TerminateProcess(id); }
    OpenedKey OpenCurrentUserKey(const std::string& path) override { return inner_.OpenCurrentUserKey(path); }
    using PlatformServices::Open;
    std::unique_ptr<OpenedFile> Open(const std::string& path, OpenMode mode, OpenFailure& failure) override
    {
        return inner_.Open(path, mode, failure);
    }
    bool MakeDirectory(const std::string& path, DirectoryAccess a) override { return inner_.MakeDirectory(path, a); }
    bool Rename(const std::string& from, const std::string& to) override { return inner_.Rename(from, to); }
    std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) override { return inner_.HoldFolder(path); }
    bool FolderIdentity(const std::string& path, FileIdentity& identity) override
    {
        return inner_.FolderIdentity(path, identity);
    }
    std::vector<std::string> SystemFolders() override { return inner_.SystemFolders(); }
    std::unique_ptr<RunLock> TakeRunLock() override { return inner_.TakeRunLock(); }
    ProgramRights Rights() override { return inner_.Rights(); }
    std::string DataDirectory(DataFolder folder) override { return inner_.DataDirectory(folder); }
    std::uint64_t Now() override { return inner_.Now(); }
    void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
    void ShowInformationBox(const std::string& text) override { inner_.ShowInformationBox(text); }

private:
    class Counted : public FindListing {
    public:
        Counted(ListingMeter& meter, std::unique_ptr<FindListing> inner) : meter_(meter), inner_(std::move(inner))
        {
            if (++meter_.open_ > meter_.peakOpen_)
                meter_.peakOpen_ = meter_.open_;
        }
        ~Counted() override { --meter_.open_; }
        bool Next(FindEntry& entry) override
        {
            const bool more = inner_->Next(entry);
            meter_.entries_ += more;
            return more;
        }

    private:
        ListingMeter& meter_;
        std::unique_ptr<FindListing> inner_;
    };

    PlatformServices& inner_;
    int open_ = 0;
    int peakOpen_ = 0;
    std::size_t entries_ = 0;
};
