#pragma once
// The one interface through which the cleaning operations reach the operating system.
// Failures are results, never exceptions. Paths and names crossing it are UTF-8.
#include "engine/SystemDirectories.h"

#include <cstddef>
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
}

struct FindEntry {
    std::string name;
    std::uint32_t attributes = 0;
    std::string shortName;   // the 8.3 name it also answers to; empty when it has no other
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

// An open file, read and written at given offsets; destroying it closes it.
class OpenedFile {
public:
    virtual ~OpenedFile() = default;
    // The size and the attribute word the file had when it was opened.
    virtual std::uint64_t Size() const = 0;
    virtual std::uint32_t Attributes() const = 0;
    // Up to size bytes from offset into buffer; read is 0 at the end. False when the read failed.
    virtual bool Read(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& read) = 0;
    // All size bytes at offset; false when they were not all written.
    virtual bool Write(std::uint64_t offset, const char* data, std::size_t size) = 0;
    // Ends the file at size.
    virtual bool Truncate(std::uint64_t size) = 0;
    // Makes everything written so far durable.
    virtual bool Flush() = 0;
};

// How a file is opened. Every mode shares the file with readers only: while it is open,
// no other program can write, rename or delete it.
enum class OpenMode {
    Read,        // an existing file, for reading
    Rewrite,     // an existing file, for reading and writing
    CreateNew,   // a file made new under a name nothing has yet, for reading and writing
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

    // Null when the file cannot be opened so: missing, a directory, refused, held open by
    // another program in a way the mode excludes, or (CreateNew) a name already taken.
    virtual std::unique_ptr<OpenedFile> Open(const std::string& path, OpenMode mode) = 0;
    // The user's folder for temporary files, ending with a backslash; empty when unknown.
    virtual std::string TemporaryDirectory() = 0;
    // Makes a directory; true also when the name is taken already, by a directory or by a
    // file (the system answers "already exists" to both).
    virtual bool MakeDirectory(const std::string& path) = 0;

    // The program's modal information box; returns when the user closes it.
    virtual void ShowInformationBox(const std::string& text) = 0;
};
