#pragma once
// The claims every PlatformServices makes, written once and run against each platform:
// the recording platform's in-memory machine and the Win32 platform on a real system.
// Each platform brings a ContractMachine that makes the preconditions and reads the
// results back without going through the platform under test.
#include "cleaning/PlatformServices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ContractMachine {
public:
    virtual ~ContractMachine() = default;
    virtual PlatformServices& Platform() = 0;

    // ---- Drive C:. Paths are absolute and UTF-8, and missing parents are made; Root() is
    // an empty folder, ending with a backslash, that the machine removes again.
    virtual std::string Root() const = 0;
    virtual void MakeDirectory(const std::string& path) = 0;
    // attributes 0 leaves the word a new file gets (Archive).
    virtual void MakeFile(const std::string& path, const std::string& bytes = {}, std::uint32_t attributes = 0) = 0;
    virtual std::string Contents(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // The 8.3 name the file also answers to.
    virtual std::string ShortNameOf(const std::string& path) = 0;
    // Another program holding the file open for as long as the returned object lives: for
    // reading (sharing reading and writing) or for writing (sharing reading only).
    enum class Hold { Reading, Writing };
    virtual std::shared_ptr<void> HoldOpen(const std::string& path, Hold how) = 0;
    // Changes the current directory until the machine is destroyed.
    virtual void SetCurrentDirectory(const std::string& path) = 0;
    // Whether the platform reaches names outside the ANSI code page and paths past 260
    // characters: not on Windows 95/98/Me, whose file functions are ANSI only.
    virtual bool ReachesEveryName() const { return true; }

    // ---- The program's own folders, on a platform that runs with administrator rights on
    // the NT family and finds the system's data folders at Root() + "data"; a folder it
    // makes Administrators' only is found so.
    virtual PlatformServices& AdministratorPlatform() = 0;
    // False where the system refuses its security functions (Wine told it is Windows 98).
    virtual bool KeepsFileSecurity() const { return true; }
    enum class Untrusted { OthersMayWrite, OwnedByAnother };
    // What the next check of a folder's security finds, when it is the check of folder.
    virtual void Distrust(const std::string& folder, Untrusted how) = 0;
    // Puts a link to the folder's content in its place; false where none can be made.
    virtual bool LinkInPlaceOf(const std::string& folder) = 0;

    // Whether another thread of the program could take the run lock now.
    virtual bool RunLockFreeElsewhere() = 0;

    // ---- The registry below HKEY_CURRENT_USER. KeyRoot() is a scratch key the machine
    // removes again.
    virtual std::string KeyRoot() const = 0;
    virtual void SetValue(const std::string& key, const std::string& name, const std::string& data) = 0;
    virtual bool HasValue(const std::string& key, const std::string& name) = 0;
    // A key that is there but does not open with full access; false where keys carry no
    // access rights (Windows 95/98/Me).
    virtual bool MakeClosedKey(const std::string& key) = 0;

    // ---- Processes: one running under the image name exe (a bare name), ended with the
    // machine at the latest; and waiting for it to be gone after its termination.
    virtual std::uint32_t StartProcess(const std::string& exe) = 0;
    virtual bool WaitForEnd(std::uint32_t id) = 0;
};

using MachineFactory = std::function<std::unique_ptr<ContractMachine>()>;

// The suite; each platform's test program instantiates it with its factory:
// INSTANTIATE_TEST_SUITE_P(Name, PlatformContract, testing::Values(MachineFactory(...))).
class PlatformContract : public testing::TestWithParam<MachineFactory> {
protected:
    void SetUp() override { machine_ = GetParam()(); }
    void TearDown() override { machine_.reset(); }

    ContractMachine& Machine() { return *machine_; }
    // A new machine in place of the one the test had.
    void FreshMachine()
    {
        machine_.reset();
        machine_ = GetParam()();
    }
    PlatformServices& Platform() { return machine_->Platform(); }
    std::string Root() const { return machine_->Root(); }

private:
    std::unique_ptr<ContractMachine> machine_;
};
