#pragma once
// Where a run puts what it takes off the machine, so that an undo can give it back. A
// file the run removes is not deleted but moved, by a rename within its volume, into the
// run's folder under the data root (DataRoot.h):
//
//   <data root>\Cuarentena\<run>\manifest.txt
//   <data root>\Cuarentena\<run>\<n>.pkq
//
// <run> is the UTC date and time the run's first item came, "20261209-063512", with
// "-2", "-3"... after it when that name is taken. The items' names match no name a sweep
// looks for, and open nothing when double-clicked.
//
// manifest.txt has one line per event, its fields separated by tabs, each line written
// and made durable at its moment:
//
//   item <n> file <path> <volume>:<index> <size> <attributes> <n>.pkq   before the move
//   item <n> copy <path> <volume>:<index> <size> <attributes> <n>.pkq   before the purge
//   item <n> value <name> <key> <size> <type> <data>                    before the deletion
//   done <n>                                                            after it
//   done <n> <size> <SHA-256>                                           after a copy's purge:
//                                                                       what it left
//   restored <n>                                                        when an undo put it back
//
// <volume>:<index> is the identity of the folder the file was in (hexadecimal). A kill
// at any moment leaves the file in its place, or in the quarantine with its item line.
//
// The quarantine keeps the last KeptRuns runs: a run's first item removes the older ones'
// folders, and an undo that puts every item back removes its run's folder.
#include "cleaning/DataRoot.h"
#include "cleaning/PlatformServices.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr const char* QuarantineFolder = "Cuarentena";
constexpr const char* ManifestName = "manifest.txt";
constexpr std::size_t KeptRuns = 10;

// A folder's identity as the manifest writes it: "<volume>:<index>", hexadecimal.
std::string IdentityText(const FileIdentity& identity);

// Appends line and its CR LF to the manifest in the run folder (ending with a backslash)
// and makes it durable; false when that failed.
bool AppendManifestLine(PlatformServices& platform, const std::string& runFolder, const std::string& line);

// The name of the run folder of a run whose first item came at time (PlatformServices::Now).
std::string RunFolderName(std::uint64_t time);

// The names of the quarantine's run folders, oldest first; none when it cannot be had.
std::vector<std::string> RunFolders(PlatformServices& platform, DataRoot& data);

// Deletes a run folder (as DataRoot::Folder gives it) and the files in it. A link or a
// folder inside is never entered, and keeps the run's folder. False when anything stays.
bool RemoveRun(PlatformServices& platform, DataRoot& data, const std::string& folder);

class Quarantine {
public:
    // Nothing is made until the first item comes.
    Quarantine(PlatformServices& platform, DataRoot& data);
    Quarantine(const Quarantine&) = delete;
    Quarantine& operator=(const Quarantine&) = delete;
    ~Quarantine();

    // The next item goes into a new run folder.
    void NewRun();

    // Moves the file at path into the run's folder. False, the file left where it was,
    // when it cannot be: a folder on its way from the drive's root is a link, the file
    // cannot be read, the quarantine cannot be written, or the rename fails (the file is
    // in use, or on another volume).
    bool MoveIn(const std::string& path);

    // Copies the configuration copy open as copy at path, before its purge, into the run's
    // folder: its item line, then its bytes, streamed and made durable. The item's number,
    // 0 when it cannot be kept (the purge must not go on then).
    int CopyIn(OpenedFile& copy, const std::string& path);
    // The purge of the item's copy is done: its done line holds the size and the hash of
    // what the purge left. False when the copy cannot be read.
    bool CopyDone(int number, OpenedFile& copy, std::uint64_t size);

    // Records a value of the key below HKEY_CURRENT_USER before it is deleted: its item
    // line holds its type and data. The item's number, 0 when it cannot be recorded.
    int RecordValue(const std::string& key, const std::string& name, std::uint32_t type, const std::string& data);
    // The item's change was made: its done line.
    void ItemDone(int number);

private:
    bool OpenRun();
    // Writes an item line; its number, 0 when it could not be written. stored empty
    // names the item <n>.pkq.
    int AddItem(const std::string& kind, const std::string& path, const std::string& where, std::uint64_t size,
                const std::string& detail, const std::string& stored);

    PlatformServices& platform_;
    DataRoot& data_;
    std::string folder_;   // the run's, ending with a backslash; empty until opened
    int items_ = 0;
};

// The SHA-256 of the open file's first size bytes (all of them by default), in
// hexadecimal; empty when they cannot be read. Read through a bounded window.
std::string ContentHash(OpenedFile& file, std::uint64_t size = ~0ull);

// Streams the whole of from into to at offset 0 and makes it durable; false on failure.
bool CopyContent(OpenedFile& from, OpenedFile& to);

// Whether a folder on the way from the drive's root to path (path itself excluded) is a
// link, or cannot be looked at: what moves or restores through it might go elsewhere.
bool LinkOnTheWay(PlatformServices& platform, const std::string& path);
