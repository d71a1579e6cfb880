#pragma once
// A PlatformServices over an in-memory machine: drive tree, processes, HKCU registry.
// It logs every call in order, counts the listings and keys held open, and can be told
// to fail calls. Directories list their entries by upper-cased name, as NTFS does.
// Names are UTF-8 (8-bit Windows-1252 names are read as such) and compare without
// regard to case, as NTFS does; a file can carry an 8.3 short name that pattern lookups
// also match. Paths have no length limit, as the wide API's have none. Its clock moves
// only when the program sleeps, so waits take no real time.
#include "cleaning/PlatformServices.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

// What a kill of the program at a chosen call throws: from then on nothing the program
// does reaches the machine, until Restart.
struct ProgramKilled {};

class RecordingPlatform : public PlatformServices {
public:
    // The calls, as they appear in the log and in fault switches.
    enum class Call {
        FindFirst, FindNext, FindClose, GetAttributes, SetAttributes, DeleteFile, FileExists,
        CurrentDirectory, WindowsDirectory, Processes, TerminateProcess, OpenKey, DeleteValue, ReadValue, WriteValue,
        CloseKey, OpenFile, ReadFile, WriteFile, SetEndOfFile, FlushFile, TouchFile, CloseFile, MakeDirectory,
        Rename, HoldFolder, FolderSecurity, CloseFolder, FolderIdentity, SystemFolders, TakeRunLock, Rights, DataDirectory, Now, Sleep, InformationBox,
        RemoveDirectory
    };
    // How another program holds a file open: for reading, sharing reading and writing (it
    // cannot be deleted) or for writing, sharing reading (it cannot be read, written or
    // deleted either).
    enum class HeldBy { Reader, Writer };

    RecordingPlatform();
    ~RecordingPlatform() override;

    // ---- Building the machine. Paths are absolute ("c:\dir\file"); parents are created.
    void AddDirectory(const std::string& path, std::uint32_t attributes = FileAttr::Directory);
    void AddFile(const std::string& path, const std::string& contents = {},
                 std::uint32_t attributes = FileAttr::Archive);
    void SetShortName(const std::string& path, const std::string& shortName);
    void SetUnlistable(const std::string& dir);       // listing its contents fails
    // Held until the clock reaches until (milliseconds), or for good.
    void HoldOpen(const std::string& path, HeldBy how, std::uint64_t until = ~0ull);
    // As chattr +i does: its attributes and contents cannot change and it survives every
    // deletion (Wine even reports such a deletion as done).
    void MakeImmutable(const std::string& path);
    // Who may do what with a file, as its security descriptor says; a text of the test's
    // choosing, kept as long as the file is.
    void SetAccess(const std::string& path, const std::string& access);
    // Whether only Administrators and SYSTEM can change a folder (HeldFolder); true for
    // those the program makes so, false for every other.
    void SetAdministratorsOnly(const std::string& dir, bool administratorsOnly);
    // Another program adding bytes at the end of a file, as any program may while the
    // program has not opened it: false when an open of the program's shuts it out.
    bool AppendByOtherProgram(const std::string& path, const std::string& bytes);
    // Called before every call on a file's content: another program at work meanwhile.
    void SetOtherProgram(std::function<void()> program);
    void SetCurrentDir(const std::string& path);
    void SetWindowsDir(const std::string& path);
    void SetSystemFolders(const std::vector<std::string>& paths);
    void SetRights(ProgramRights rights);
    // Another program holding the run lock, or letting it go.
    void SetRunLockHeldElsewhere(bool held) { runLockElsewhere_ = held; }
    bool RunLockHeld() const { return runLockHeld_ || runLockElsewhere_; }
    // The system's data folders; empty for one the system lacks.
    void SetDataDirectories(const std::string& common, const std::string& local);

    std::uint32_t AddProcess(const std::string& exe, bool canOpen = true, bool canTerminate = true);

    // Keys are paths below HKEY_CURRENT_USER, compared without regard to case.
    void AddKey(const std::string& key, bool fullAccess = true);
    void SetValue(const std::string& key, const std::string& name, const std::string& data);
    void SetValueUndeletable(const std::string& key, const std::string& name);

    // ---- Reading the machine back.
    bool Exists(const std::string& path) const;        // file or directory
    std::string Contents(const std::string& path) const;
    std::string Access(const std::string& path) const;
    std::uint32_t Attributes(const std::string& path) const;
    std::vector<std::string> AllPaths() const;          // every entry, sorted
    std::vector<ProcessEntry> Running() const;
    bool HasValue(const std::string& key, const std::string& name) const;
    std::string ValueData(const std::string& key, const std::string& name) const;   // empty when missing
    std::vector<std::string> ValueNames(const std::string& key) const;
    const std::vector<std::string>& InformationBoxes() const { return boxes_; }
    std::string Dump() const;                           // the whole state, for messages

    // ---- The call log and counters.
    const std::vector<std::string>& Log() const { return log_; }   // e.g. "FindFirst c:\*.*"
    void ClearLog() { log_.clear(); }
    std::size_t CallCount() const { return calls_; }     // calls since construction
    std::uint64_t Clock() const { return clock_; }       // milliseconds slept since construction
    int OpenListings() const { return openListings_; }
    int OpenKeys() const { return openKeys_; }
    int OpenFiles() const { return openFiles_; }
    int HeldFolders() const { return heldFolders_; }

    // ---- Fault injection. A failing call behaves as the real call does when it fails:
    // no entry / false / Invalid / empty text / empty list / null key / the call's
    // exception, and changes nothing.
    void FailCallNumber(std::size_t n);   // the call with this 0-based number since construction
    void FailEvery(Call call);
    // Kills the program at the call with this number, before it has any effect; a write
    // that tears is half done first. Destroying what the program had open is not a call.
    void KillAtCallNumber(std::size_t n, bool tearWrite = false);
    // The program starts again: everything it had open is closed.
    void Restart();

    // ---- PlatformServices
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
    bool RemoveEmptyFolder(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) override;
    bool FolderIdentity(const std::string& path, FileIdentity& identity) override;
    std::vector<std::string> SystemFolders() override;
    std::unique_ptr<RunLock> TakeRunLock() override;
    ProgramRights Rights() override;
    std::string DataDirectory(DataFolder folder) override;
    std::uint64_t Now() override;
    void Sleep(std::uint32_t milliseconds) override;
    void ShowInformationBox(const std::string& text) override;

private:
    struct Node;
    class Listing;
    class Key;
    class File;
    class Folder;
    struct Process {
        ProcessEntry entry;
        bool canOpen = true;
        bool canTerminate = true;
    };
    struct Value {
        std::string name;
        std::string data;
        bool undeletable = false;
        std::uint32_t type = 1;   // REG_SZ
    };
    struct KeyRecord {
        std::string path;
        bool fullAccess = true;
        std::vector<Value> values;
        Value* Find(const std::string& name);
    };

    std::uint64_t Stamp() const;   // the clock as Now() gives it
    // Log and count one call; true when a fault switch says it must fail.
    bool Begin(Call call);
    bool Begin(Call call, const std::string& argument);
    // The components of a path below the root of c:, resolved against the current
    // directory; false for another drive.
    bool Resolve(const std::string& path, std::vector<std::string>& parts) const;
    Node* Walk(const std::vector<std::string>& parts, std::size_t count) const;
    Node* Lookup(const std::string& path) const;          // null when missing
    Node* Parent(const std::string& path) const;          // the directory that would hold it
    Node& Require(const std::string& path) const;         // std::logic_error when missing
    Node& Make(const std::string& path, bool directory);  // creates missing parents
    KeyRecord* FindKey(const std::string& key) const;

    std::unique_ptr<Node> root_;
    std::string currentDir_ = "c:\\";
    std::string windowsDir_ = "c:\\windows";
    std::vector<std::string> systemFolders_{"c:\\windows\\system32"};
    ProgramRights rights_ = ProgramRights::Administrator;
    std::string commonDir_ = "c:\\programdata";
    std::string localDir_ = "c:\\users\\user\\appdata\\local";
    std::uint64_t clock_ = 0;
    std::uint64_t nextIndex_ = 1;
    std::vector<Process> processes_;
    std::uint32_t nextProcessId_ = 100;
    std::vector<std::unique_ptr<KeyRecord>> keys_;   // in the order added
    std::set<std::size_t> failNumbers_;
    std::set<Call> failKinds_;
    std::vector<std::string> log_;
    std::vector<std::string> boxes_;
    std::function<void()> otherProgram_;
    std::size_t calls_ = 0;
    std::size_t killAt_ = static_cast<std::size_t>(-1);
    bool tearWrite_ = false;
    bool dead_ = false;
    bool runLockHeld_ = false;
    bool runLockElsewhere_ = false;
    int openListings_ = 0;
    int openKeys_ = 0;
    int openFiles_ = 0;
    int heldFolders_ = 0;
};
