#pragma once
// The one interface through which the cleaning operations reach the operating system.
// Failures are results, never exceptions, except for the two file-content operations.
// Paths and names crossing it are UTF-8.
#include "../engine/SystemDirectories.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace FileAttr {
constexpr std::uint32_t ReadOnly = 0x01;
constexpr std::uint32_t Hidden = 0x02;
constexpr std::uint32_t System = 0x04;
constexpr std::uint32_t Directory = 0x10;
constexpr std::uint32_t Archive = 0x20;
constexpr std::uint32_t Normal = 0x80;
constexpr std::uint32_t ReparsePoint = 0x400;   // a junction, symbolic link or mount point
constexpr std::uint32_t Invalid = 0xFFFFFFFF;   // what an unreadable attribute word reads as
// What a rewritten file keeps besides its new archive bit: temporary, offline, not
// content-indexed, encrypted.
constexpr std::uint32_t KeptWhenRewritten = 0x100 | 0x1000 | 0x2000 | 0x4000;
}

struct FindEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// An open find listing; destroying it closes it.
class FindListing {
public:
    virtual ~FindListing() = default;
    // The next entry, or false at the end.
    virtual bool Next(FindEntry& entry) = 0;
};

// An open registry key; destroying it closes it.
class RegistryKey {
public:
    enum class DeleteResult { Deleted, NotFound, Failed };
    virtual ~RegistryKey() = default;
    virtual DeleteResult DeleteValue(const std::string& name) = 0;
};

// What opening a registry key gave: the key, or why there is none.
struct OpenedKey {
    std::unique_ptr<RegistryKey> key;   // null when the key did not open
    bool missing = false;               // it did not open because it does not exist
};

struct ProcessEntry {
    std::uint32_t id = 0;
    std::string exe;   // a full path on Windows 95/98/Me, a bare name on the NT family
};

class PlatformServices : public SystemDirectories {
public:
    // Pattern lookup with every attribute admitted. Null when nothing matches (no
    // listing stays open); otherwise first holds the first entry. unreadable tells a null
    // for a folder that could not be looked into (access denied, a sharing violation, a
    // path the system cannot open) from one for a folder that holds no match.
    virtual std::unique_ptr<FindListing> FindFirst(const std::string& pattern, FindEntry& first,
                                                   bool& unreadable) = 0;

    virtual std::uint32_t GetAttributes(const std::string& path) = 0;   // FileAttr::Invalid on failure
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // True only when the path names no file afterwards: a file the system claims to have
    // deleted but that stays (immutable, or delete-pending while another program holds it)
    // counts as not deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;    // an entry that is not a directory

    // Running processes in snapshot order; empty when no snapshot can be taken.
    virtual std::vector<ProcessEntry> Processes() = 0;
    // Opens the process with the terminate right and ends it with exit code 0.
    virtual bool TerminateProcess(std::uint32_t id) = 0;

    // Opens HKEY_CURRENT_USER\path with full access, never creating it.
    virtual OpenedKey OpenCurrentUserKey(const std::string& path) = 0;

    // The whole content of a file, as long as it says it is when opened (a device that
    // never ends gives no more), read while others may read but not write it. Throws
    // EngineError "Cannot open file <path>".
    virtual std::string ReadFileBytes(const std::string& path) = 0;
    // Replaces a file's content with bytes in one step, provided that up to that step it
    // still holds original, what the caller read: false, with nothing changed, when
    // another program changed or removed it meanwhile. The file keeps its security
    // descriptor and its attributes, and is marked archive. Refuses (as Windows does) a
    // file that is read-only, hidden, system or held open. On any failure the file is
    // untouched and nothing is left beside it; throws EngineError "Cannot create file
    // <path>" or "Stream write error".
    virtual bool ReplaceFileBytes(const std::string& path, const std::string& original,
                                  const std::string& bytes) = 0;

    // The program's modal information box; returns when the user closes it.
    virtual void ShowInformationBox(const std::string& text) = 0;
};
