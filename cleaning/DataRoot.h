#pragma once
// The one folder the program keeps its own files in (the journals of its purges, its
// quarantine, its log): where it lies, and how it and the folders under it are checked,
// made and held.
//
//   Administrator rights or SYSTEM   <common application data>\Pelkarin
//   a standard user                  <local application data>\Pelkarin
//   Windows 95/98/Me, or a system
//   without such a folder            <Windows folder>\Pelkarin
//
// Only the program's own rights may write there. With administrator rights the root and
// every folder under it must be Administrators' only (HeldFolder::AdministratorsOnly):
// by default every user may make folders in the common application data folder, and one
// who made "Pelkarin" first, or planted a link there, would steer an administrator's
// writes. Whatever stands where a folder should be and is not such a folder (a file, a
// link, a folder others may write) is renamed "<name>.untrusted-<n>", never deleted nor
// entered, and the folder is made again. The root and each folder had are held open for
// as long as the DataRoot lives.
#include "cleaning/PlatformServices.h"

#include <map>
#include <memory>
#include <string>

class DataRoot {
public:
    // Nothing is looked at until a folder is asked for.
    explicit DataRoot(PlatformServices& platform);

    // Where the root lies for the program's rights, ending with a backslash; empty when
    // the system names no place for it.
    const std::string& Path();

    // The folder name under the root ("Diario", or several levels: "Cuarentena\\7"),
    // ending with a backslash: it and each folder on the way checked, made where missing,
    // and held. Empty when it cannot be had.
    std::string Folder(const std::string& name);
    // Lets go of folder (as Folder gave it) and removes it when it is empty; false when it stays.
    bool RemoveEmpty(const std::string& folder);

private:
    // The folder at path (without its final backslash) as it must be, made where missing;
    // null when it cannot be had.
    std::unique_ptr<HeldFolder> Acquire(const std::string& path);
    bool Have(const std::string& path);

    PlatformServices& platform_;
    std::string path_;
    bool located_ = false;
    ProgramRights rights_ = ProgramRights::StandardUser;
    // What is held, by path; Windows 95/98/Me hold nothing, and their folders are looked
    // at again each time.
    std::map<std::string, std::unique_ptr<HeldFolder>> held_;
};
