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
    std::uint64_t written = 0;   // last written, in the system's clock (Now); 0 when unknown
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
    // The value's type (1 REG_SZ, 2 REG_EXPAND_SZ...) and bytes; false when it is not there
    // or cannot be read.
    virtual bool ReadValue(const std::string& name, std::uint32_t& type, std::string& data) = 0;
    // Makes the value, or replaces it.
    virtual bool WriteValue(const std::string& name, std::uint32_t type, const std::string& data) = 0;
};

// What opening a registry key gave: the key, or why there is none.
struct OpenedKey {
    std::unique_ptr<RegistryKey> key;   // null when the key did not open
    bool missing = false;               // it did not open because it does not exist
};

// What a file is, whatever name leads to it: every hard link of a file has its identity.
struct FileIdentity {
    std::uint32_t volume = 0;   // the volume's serial number
    std::uint64_t index = 0;    // the file's number on that volume
    bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// An open file, read and written at given offsets; destroying it closes it.
class OpenedFile {
public:
    virtual ~OpenedFile() = default;
    // The size, the attribute word and the identity the file had when it was opened. A
    // device has no identity: it reads as all zeros.
    virtual std::uint64_t Size() const = 0;
    virtual std::uint32_t Attributes() const = 0;
    virtual FileIdentity Identity() const = 0;
    // Up to size bytes from offset into buffer; read is 0 at the end. False when the read failed.
    virtual bool Read(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& read) = 0;
    // All size bytes at offset; false when they were not all written.
    virtual bool Write(std::uint64_t offset, const char* data, std::size_t size) = 0;
    // Ends the file at size.
    virtual bool Truncate(std::uint64_t size) = 0;
    // Makes everything written so far durable.
    virtual bool Flush() = 0;
    // Marks the file as written now (PlatformServices::Now), its content unchanged.
    virtual bool Touch() = 0;
};

// How a file is opened. Every mode shares the file with readers only: while it is open,
// no other program can write, rename or delete it. The modes that write never follow a
// link: a path that is one (a symbolic link, a junction, a mount point) does not open.
enum class OpenMode {
    Read,        // an existing file, for reading
    Rewrite,     // an existing file, for reading and writing
    CreateNew,   // a file made new under a name nothing has yet, for reading and writing
};

// Why an open failed.
enum class OpenFailure {
    None,
    InUse,          // another program holds the file open in a way the mode excludes
    ReparsePoint,   // the path is a link, and the mode writes
    Other,          // missing, a directory, refused, a name taken...
};

// A folder the program holds open: while it is held no other program can rename or delete
// it (Windows 95/98/Me cannot hold one: there it is only known to be a folder). Destroying
// it lets go.
class HeldFolder {
public:
    virtual ~HeldFolder() = default;
    // Whether only Administrators and SYSTEM can change it and what it holds: it is owned
    // by one of them, and its access list, protected from its parent's, lets no other
    // account write, delete, change the access list or take it over. True on a volume
    // that keeps no access rights (FAT32): there every account may change every file, and
    // no folder could be kept from them.
    virtual bool AdministratorsOnly() = 0;
};

// The machine's one token of a run or an undo, in every program of ours and every
// session; held for as long as the object lives, and let go by the thread that took it.
class RunLock {
public:
    virtual ~RunLock() = default;
};

// Whom the program runs as, which decides where its own data may live.
enum class ProgramRights {
    Administrator,   // administrator rights or SYSTEM, on the NT family
    StandardUser,    // any other account on the NT family
    Windows9x,       // Windows 95/98/Me, which know no rights
};

// The system's folders for programs' data.
enum class DataFolder {
    Common,   // of every user of the machine
    Local,    // of this user, on this machine
};

// Who may write in a directory the program makes.
enum class DirectoryAccess {
    Inherited,            // whatever its parent passes on
    AdministratorsOnly,   // Administrators and SYSTEM, nobody else (see HeldFolder)
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

    // Null when the file cannot be opened so, and failure says why.
    virtual std::unique_ptr<OpenedFile> Open(const std::string& path, OpenMode mode, OpenFailure& failure) = 0;
    std::unique_ptr<OpenedFile> Open(const std::string& path, OpenMode mode)
    {
        OpenFailure failure;
        return Open(path, mode, failure);
    }
    // Makes a directory; true also when the name is taken already, by a directory or by a
    // file (the system answers "already exists" to both).
    virtual bool MakeDirectory(const std::string& path, DirectoryAccess access) = 0;
    // Gives a file or a directory another name in the same volume, never copying it; false
    // when the new name is taken.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Removes the directory at path when it is empty; a link in its place is removed
    // itself, never what it leads to. False when it is not there, not empty, or held open.
    virtual bool RemoveEmptyFolder(const std::string& path) = 0;
    // Holds the directory at path open. Null when there is none, or when path is a link.
    virtual std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) = 0;

    // What the folder at path is, however path spells it (a short name, a \\?\ prefix, a
    // final backslash); false when it cannot be opened. Windows 95/98/Me number no files:
    // there the identity stands for the folder's full short path.
    virtual bool FolderIdentity(const std::string& path, FileIdentity& identity) = 0;
    // The folders that hold Windows' own programs: the system folder and, on 64-bit
    // Windows, the 32-bit one and the alias by which 32-bit programs reach the 64-bit one
    // (<Windows folder>\Sysnative). A name in them is never an infection's.
    virtual std::vector<std::string> SystemFolders() = 0;

    // Takes the run lock; null while another thread or program holds it, or keeps it from
    // us (access denied). A holder that ended without letting go held it no longer.
    virtual std::unique_ptr<RunLock> TakeRunLock() = 0;

    virtual ProgramRights Rights() = 0;
    // The system's folder, without a final backslash; empty where the system has none.
    virtual std::string DataDirectory(DataFolder folder) = 0;

    // The time now, in 100-nanosecond steps, as the file system stamps files.
    virtual std::uint64_t Now() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // The program's modal information box; returns when the user closes it.
    virtual void ShowInformationBox(const std::string& text) = 0;
};
