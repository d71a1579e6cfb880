#pragma once
// Plain Win32 helpers that make and inspect the scratch trees and the Run key of the
// Win32 tests, kept apart from the code under test.
#include <cstdint>
#include <functional>
#include <string>

void MakeDirectory(const std::string& path, std::uint32_t attributes = 0);
void MakeFile(const std::string& path, const std::string& contents = {}, std::uint32_t attributes = 0);
bool PathExists(const std::string& path);
std::string ReadWhole(const std::string& path);
std::uint32_t AttributesOf(const std::string& path);
// Removes root (ending with a backslash) and everything below it, whatever its attributes,
// read-only Unix folders included.
void RemoveScratchTree(const std::string& root);
// Sets or clears the write bits of the Unix folder behind a directory: the only way to
// give a directory the read-only attribute under Wine.
bool SetUnixWritable(const std::string& dir, bool writable);
// Sets or clears the immutable flag (chattr +i) of the Unix file behind path: its
// attributes, contents and name cannot change, not even for root. Needs root and a file
// system that has the flag (ext2/3/4, XFS, Btrfs); false where that is missing.
bool SetUnixImmutable(const std::string& path, bool immutable);

// The permission bits of the Unix file behind path (0600...), after setting them with
// chmod when setFirst is given ("600"); -1 where they cannot be read.
int UnixMode(const std::string& path, const char* setFirst = nullptr);

// Runs a shell script in the Unix folder behind dir, as a user working from Linux would
// (names in any script, any depth), and waits up to 5 s for done() to hold.
bool RunUnixShell(const std::string& dir, const std::string& script, const std::function<bool()>& done);

// Makes path a Unix symbolic link to unixTarget, or removes that link: Wine cannot delete
// a link to a device.
bool SetUnixLink(const std::string& path, const std::string& unixTarget, bool present);

// A symbolic link to a Unix file for the object's life (such as a device: /dev/zero never
// ends), where the machine allows it.
class UnixLink {
public:
    UnixLink(const std::string& path, const std::string& unixTarget)
        : path_(path), target_(unixTarget), made_(SetUnixLink(path, unixTarget, true))
    {
    }
    ~UnixLink()
    {
        if (made_)
            SetUnixLink(path_, target_, false);
    }
    UnixLink(const UnixLink&) = delete;
    UnixLink& operator=(const UnixLink&) = delete;
    bool Made() const { return made_; }

private:
    std::string path_;
    std::string target_;
    bool made_;
};

// A file made immutable for the object's life, where the machine allows it.
class ImmutableFile {
public:
    explicit ImmutableFile(const std::string& path) : path_(path), made_(SetUnixImmutable(path, true)) {}
    ~ImmutableFile()
    {
        if (made_)
            SetUnixImmutable(path_, false);
    }
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;
    bool Made() const { return made_; }

private:
    std::string path_;
    bool made_;
};

// Values of HKCU\software\microsoft\windows\currentversion\run.
bool ReadRunValue(const std::string& name, std::string& data);
void WriteRunValue(const std::string& name, const std::string& data);
void DeleteRunValue(const std::string& name);
