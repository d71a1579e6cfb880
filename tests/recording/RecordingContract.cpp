// The platform contract run against the recording platform's in-memory machine.
#include "cleaning/RecordingPlatform.h"
#include "tests/contract/PlatformContract.h"

#include <algorithm>
#include <cctype>

namespace {

class RecordingMachine : public ContractMachine {
public:
    RecordingMachine()
    {
        platform_.AddDirectory(Root());
        platform_.AddDirectory("c:\\windows\\system32");
        platform_.SetDataDirectories(Root() + "data", Root() + "data");
    }

    PlatformServices& Platform() override { return platform_; }
    std::string Root() const override { return "c:\\pelkarin-contract\\"; }
    void MakeDirectory(const std::string& path) override { platform_.AddDirectory(path); }
    void MakeFile(const std::string& path, const std::string& bytes, std::uint32_t attributes) override
    {
        platform_.AddFile(path, bytes, attributes ? attributes : FileAttr::Archive);
    }
    std::string Contents(const std::string& path) override { return platform_.Contents(path); }
    bool Exists(const std::string& path) override { return platform_.Exists(path); }

    // As Windows makes one: the first six letters or digits and "~1", the extension after.
    std::string ShortNameOf(const std::string& path) override
    {
        const std::string name = path.substr(path.rfind('\\') + 1);
        const std::size_t dot = name.rfind('.');
        std::string shortName;
        for (char c : name.substr(0, dot))
            if (std::isalnum(static_cast<unsigned char>(c)) && shortName.size() < 6)
                shortName += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        shortName += "~1";
        if (dot != std::string::npos)
            for (char c : "." + name.substr(dot + 1, 3))
                shortName += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        platform_.SetShortName(path, shortName);
        return shortName;
    }

    // The machine's other programs hold a file for good.
    std::shared_ptr<void> HoldOpen(const std::string& path, Hold how) override
    {
        platform_.HoldOpen(path, how == Hold::Reading ? RecordingPlatform::HeldBy::Reader
                                                      : RecordingPlatform::HeldBy::Writer);
        return nullptr;
    }
    void SetCurrentDirectory(const std::string& path) override { platform_.SetCurrentDir(path); }
    bool RunLockFreeElsewhere() override { return !platform_.RunLockHeld(); }

    PlatformServices& AdministratorPlatform() override { return platform_; }
    void Distrust(const std::string& folder, ContractMachine::Untrusted) override
    {
        platform_.SetAdministratorsOnly(folder, false);
    }
    bool LinkInPlaceOf(const std::string& folder) override
    {
        platform_.AddDirectory(folder, FileAttr::Directory | FileAttr::ReparsePoint);
        return true;
    }

    std::string KeyRoot() const override { return "Software\\PelkarinContract"; }
    void SetValue(const std::string& key, const std::string& name, const std::string& data) override
    {
        platform_.SetValue(key, name, data);
    }
    bool HasValue(const std::string& key, const std::string& name) override { return platform_.HasValue(key, name); }
    bool MakeClosedKey(const std::string& key) override
    {
        platform_.AddKey(key, false);
        return true;
    }

    std::uint32_t StartProcess(const std::string& exe) override { return platform_.AddProcess(exe); }
    bool WaitForEnd(std::uint32_t id) override
    {
        const std::vector<ProcessEntry> running = platform_.Running();
        return std::none_of(running.begin(), running.end(), [id](const ProcessEntry& p) { return p.id == id; });
    }

private:
    RecordingPlatform platform_;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Recording, PlatformContract,
                         testing::Values(MachineFactory([] { return std::make_unique<RecordingMachine>(); })));
