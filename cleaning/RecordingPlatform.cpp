#include "cleaning/RecordingPlatform.h"

#include "cleaning/NameFold.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace {

// The attribute bits SetFileAttributes can change; the others (directory, compressed,
// reparse point...) keep what the entry has. A word with a bit outside the valid ones
// (an unreadable word, all bits set, written back) is refused as an invalid parameter.
constexpr std::uint32_t kSettable = 0x01 | 0x02 | 0x04 | 0x20 | 0x80 | 0x100 | 0x1000 | 0x2000;
constexpr std::uint32_t kValid = 0x7FB7;

const char* const kCallNames[] = {
    "FindFirst", "FindNext", "FindClose", "GetAttributes", "SetAttributes", "DeleteFile",
    "FileExists", "CurrentDirectory", "WindowsDirectory", "Processes", "TerminateProcess",
    "OpenKey", "DeleteValue", "ReadValue", "WriteValue", "CloseKey", "OpenFile", "ReadFile", "WriteFile", "SetEndOfFile", "FlushFile",
    "TouchFile", "CloseFile", "MakeDirectory", "Rename", "HoldFolder", "FolderSecurity", "CloseFolder",
    "FolderIdentity", "SystemFolders", "TakeRunLock", "Rights",
    "DataDirectory", "Now", "Sleep", "InformationBox", "RemoveDirectory"};

// The machine's clock at its start, in the file system's 100 ns steps (1 January 2026).
constexpr std::uint64_t kClockStart = 134116128000000000ull;
constexpr std::uint32_t kVolumeSerial = 0x1CEB00DA;

bool SameName(const std::string& a, const std::string& b) { return FoldName(a) == FoldName(b); }

// NTFS keeps a directory sorted by the upper-cased UTF-16 name.
std::u16string SortKey(const std::string& name) { return FoldName(name); }

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// "*" matches any run of characters, "?" exactly one; letters compare folded.
bool Glob(const std::string& pattern, const std::string& name)
{
    const std::u16string p = FoldName(pattern), n = FoldName(name);
    std::size_t pi = 0, ni = 0, starP = std::u16string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::u16string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

// Windows matching: besides the glob, a pattern ending in ".*" or "." also matches a
// name without a dot by its stem, so "*.*" matches every name.
bool Matches(const std::string& pattern, const std::string& name)
{
    if (Glob(pattern, name)) return true;
    if (name.find('.') != std::string::npos) return false;
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0)
        return Glob(pattern.substr(0, pattern.size() - 2), name);
    if (!pattern.empty() && pattern.back() == '.') return Glob(pattern.substr(0, pattern.size() - 1), name);
    return false;
}

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

}   // namespace

// ---- The drive tree

struct RecordingPlatform::Node {
    std::string name;
    std::string shortName;
    std::uint32_t attributes = FileAttr::Directory;
    std::string contents;
    std::string access;
    bool unlistable = false;
    bool immutable = false;
    bool administratorsOnly = false;
    std::uint64_t index = 0;     // its identity on the volume
    std::uint64_t written = 0;   // in the clock of Now()
    std::optional<HeldBy> held;
    std::uint64_t heldUntil = 0;   // ms on the clock
    int opens = 0;     // by the program, each sharing reading only
    int writers = 0;   // of those, the ones open for writing
    int folderHolds = 0;   // by the program
    std::vector<std::unique_ptr<Node>> children;

    bool IsDirectory() const { return (attributes & FileAttr::Directory) != 0; }

    // Another program's hold, while it lasts.
    std::optional<HeldBy> HeldAt(std::uint64_t clock) const { return clock < heldUntil ? held : std::nullopt; }

    // Whether it or anything in it is open: then it cannot be renamed.
    bool Busy(std::uint64_t clock) const
    {
        return opens || folderHolds || HeldAt(clock) ||
               std::any_of(children.begin(), children.end(), [clock](const auto& c) { return c->Busy(clock); });
    }

    bool Answers(const std::string& n) const
    {
        return SameName(name, n) || (!shortName.empty() && SameName(shortName, n));
    }

    bool MatchesPattern(const std::string& pattern) const
    {
        return Matches(pattern, name) || (!shortName.empty() && Matches(pattern, shortName));
    }

    Node* Child(const std::string& n) const
    {
        for (const auto& child : children)
            if (child->Answers(n)) return child.get();
        return nullptr;
    }

    // The children in listing order: by upper-cased name.
    std::vector<const Node*> Listed() const
    {
        std::vector<const Node*> listed;
        for (const auto& child : children) listed.push_back(child.get());
        std::sort(listed.begin(), listed.end(),
                  [](const Node* a, const Node* b) { return SortKey(a->name) < SortKey(b->name); });
        return listed;
    }

    void Remove(const Node* child)
    {
        children.erase(std::find_if(children.begin(), children.end(),
                                    [child](const auto& c) { return c.get() == child; }));
    }

    void CollectPaths(const std::string& prefix, std::vector<std::string>& paths) const
    {
        for (const auto& child : children) {
            paths.push_back(prefix + child->name);
            child->CollectPaths(prefix + child->name + "\\", paths);
        }
    }

    void Dump(std::ostream& out, int depth) const
    {
        out << std::string(2 * depth, ' ') << (depth == 0 ? "c:\\" : name) << ' ' << Hex(attributes);
        if (!shortName.empty()) out << ", short " << shortName;
        if (!IsDirectory()) out << ", " << contents.size() << " bytes";
        if (!access.empty()) out << ", access " << access;
        if (held) {
            out << ", held by " << (*held == HeldBy::Reader ? "reader" : "writer");
            if (heldUntil != std::numeric_limits<std::uint64_t>::max())
                out << " until " << heldUntil;
        }
        if (opens) out << ", open " << opens << " (" << writers << " writing)";
        if (folderHolds) out << ", held " << folderHolds;
        if (administratorsOnly) out << ", administrators only";
        if (unlistable) out << ", unlistable";
        if (immutable) out << ", immutable";
        out << '\n';
        for (const Node* child : Listed()) child->Dump(out, depth + 1);
    }
};

RecordingPlatform::RecordingPlatform() : root_(std::make_unique<Node>()) {}
RecordingPlatform::~RecordingPlatform() = default;

bool RecordingPlatform::Resolve(const std::string& path, std::vector<std::string>& parts) const
{
    std::string full = path;
    if (path.size() < 2 || path[1] != ':') {
        if (!path.empty() && path[0] == '\\')
            full = currentDir_.substr(0, 2) + path;
        else
            full = currentDir_ + (!currentDir_.empty() && currentDir_.back() == '\\' ? "" : "\\") + path;
    }
    if (full.size() < 2 || full[1] != ':' || (full[0] != 'c' && full[0] != 'C'))
        return false;
    parts.clear();
    std::size_t start = 2;
    while (start <= full.size()) {
        std::size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return true;
}

RecordingPlatform::Node* RecordingPlatform::Walk(const std::vector<std::string>& parts, std::size_t count) const
{
    Node* node = root_.get();
    for (std::size_t i = 0; i < count && node; ++i) node = node->IsDirectory() ? node->Child(parts[i]) : nullptr;
    return node;
}

RecordingPlatform::Node* RecordingPlatform::Lookup(const std::string& path) const
{
    std::vector<std::string> parts;
    return Resolve(path, parts) ? Walk(parts, parts.size()) : nullptr;
}

RecordingPlatform::Node* RecordingPlatform::Parent(const std::string& path) const
{
    std::vector<std::string> parts;
    Node* dir = Resolve(path, parts) && !parts.empty() ? Walk(parts, parts.size() - 1) : nullptr;
    return dir && dir->IsDirectory() ? dir : nullptr;
}

RecordingPlatform::Node& RecordingPlatform::Require(const std::string& path) const
{
    Node* node = Lookup(path);
    if (!node) throw std::logic_error("RecordingPlatform: no entry " + path);
    return *node;
}

RecordingPlatform::Node& RecordingPlatform::Make(const std::string& path, bool directory)
{
    std::vector<std::string> parts;
    if (!Resolve(path, parts)) throw std::logic_error("RecordingPlatform: bad path " + path);
    Node* node = root_.get();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!node->IsDirectory()) throw std::logic_error("RecordingPlatform: a file on the way to " + path);
        Node* next = node->Child(parts[i]);
        if (!next) {
            auto created = std::make_unique<Node>();
            created->name = parts[i];
            created->index = nextIndex_++;
            created->written = Stamp();
            next = created.get();
            node->children.push_back(std::move(created));
            if (i + 1 == parts.size() && !directory) next->attributes = FileAttr::Archive;
        }
        node = next;
    }
    if (node->IsDirectory() != directory)
        throw std::logic_error("RecordingPlatform: wrong kind of entry " + path);
    return *node;
}

// ---- Building the machine

void RecordingPlatform::AddDirectory(const std::string& path, std::uint32_t attributes)
{
    Make(path, true).attributes = attributes | FileAttr::Directory;
}

void RecordingPlatform::AddFile(const std::string& path, const std::string& contents, std::uint32_t attributes)
{
    Node& file = Make(path, false);
    file.contents = contents;
    file.attributes = attributes & ~FileAttr::Directory;
}

void RecordingPlatform::SetShortName(const std::string& path, const std::string& shortName)
{
    Require(path).shortName = shortName;
}

void RecordingPlatform::SetUnlistable(const std::string& dir) { Require(dir).unlistable = true; }
void RecordingPlatform::HoldOpen(const std::string& path, HeldBy how, std::uint64_t until)
{
    Node& node = Require(path);
    node.held = how;
    node.heldUntil = until;
}
void RecordingPlatform::MakeImmutable(const std::string& path) { Require(path).immutable = true; }
void RecordingPlatform::SetAccess(const std::string& path, const std::string& access) { Require(path).access = access; }
void RecordingPlatform::SetAdministratorsOnly(const std::string& dir, bool administratorsOnly)
{
    Require(dir).administratorsOnly = administratorsOnly;
}
bool RecordingPlatform::AppendByOtherProgram(const std::string& path, const std::string& bytes)
{
    Node& file = Require(path);
    if (file.opens || file.immutable) return false;
    file.contents += bytes;
    return true;
}
void RecordingPlatform::SetOtherProgram(std::function<void()> program) { otherProgram_ = std::move(program); }
void RecordingPlatform::SetCurrentDir(const std::string& path) { currentDir_ = path; }
void RecordingPlatform::SetWindowsDir(const std::string& path) { windowsDir_ = path; }
void RecordingPlatform::SetSystemFolders(const std::vector<std::string>& paths) { systemFolders_ = paths; }
void RecordingPlatform::SetRights(ProgramRights rights) { rights_ = rights; }
void RecordingPlatform::SetDataDirectories(const std::string& common, const std::string& local)
{
    commonDir_ = common;
    localDir_ = local;
}

std::uint32_t RecordingPlatform::AddProcess(const std::string& exe, bool canOpen, bool canTerminate)
{
    const std::uint32_t id = nextProcessId_;
    nextProcessId_ += 4;
    processes_.push_back({{id, exe}, canOpen, canTerminate});
    return id;
}

RecordingPlatform::Value* RecordingPlatform::KeyRecord::Find(const std::string& name)
{
    for (Value& value : values)
        if (SameName(value.name, name)) return &value;
    return nullptr;
}

RecordingPlatform::KeyRecord* RecordingPlatform::FindKey(const std::string& key) const
{
    for (const auto& record : keys_)
        if (SameName(record->path, key)) return record.get();
    return nullptr;
}

void RecordingPlatform::AddKey(const std::string& key, bool fullAccess)
{
    // The parent keys exist too, as they do in a real registry.
    for (std::size_t cut = key.find('\\'); cut != std::string::npos; cut = key.find('\\', cut + 1))
        if (!FindKey(key.substr(0, cut))) keys_.push_back(std::make_unique<KeyRecord>(KeyRecord{key.substr(0, cut), true, {}}));
    if (KeyRecord* record = FindKey(key))
        record->fullAccess = fullAccess;
    else
        keys_.push_back(std::make_unique<KeyRecord>(KeyRecord{key, fullAccess, {}}));
}

void RecordingPlatform::SetValue(const std::string& key, const std::string& name, const std::string& data)
{
    if (!FindKey(key)) AddKey(key);
    KeyRecord& record = *FindKey(key);
    if (Value* value = record.Find(name))
        value->data = data;
    else
        record.values.push_back({name, data, false});
}

void RecordingPlatform::SetValueUndeletable(const std::string& key, const std::string& name)
{
    KeyRecord* record = FindKey(key);
    Value* value = record ? record->Find(name) : nullptr;
    if (!value) throw std::logic_error("RecordingPlatform: no value " + key + " " + name);
    value->undeletable = true;
}

// ---- Reading the machine back

std::string RecordingPlatform::ValueData(const std::string& key, const std::string& name) const
{
    KeyRecord* record = FindKey(key);
    const Value* value = record ? record->Find(name) : nullptr;
    return value ? value->data : std::string();
}

bool RecordingPlatform::Exists(const std::string& path) const { return Lookup(path) != nullptr; }

std::string RecordingPlatform::Contents(const std::string& path) const { return Require(path).contents; }
std::string RecordingPlatform::Access(const std::string& path) const { return Require(path).access; }

std::uint32_t RecordingPlatform::Attributes(const std::string& path) const
{
    const Node* node = Lookup(path);
    return node ? node->attributes : FileAttr::Invalid;
}

std::vector<std::string> RecordingPlatform::AllPaths() const
{
    std::vector<std::string> paths;
    root_->CollectPaths("c:\\", paths);
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<ProcessEntry> RecordingPlatform::Running() const
{
    std::vector<ProcessEntry> running;
    for (const Process& process : processes_) running.push_back(process.entry);
    return running;
}

bool RecordingPlatform::HasValue(const std::string& key, const std::string& name) const
{
    KeyRecord* record = FindKey(key);
    return record && record->Find(name);
}

std::vector<std::string> RecordingPlatform::ValueNames(const std::string& key) const
{
    std::vector<std::string> names;
    if (const KeyRecord* record = FindKey(key))
        for (const Value& value : record->values) names.push_back(value.name);
    return names;
}

std::string RecordingPlatform::Dump() const
{
    std::ostringstream out;
    root_->Dump(out, 0);
    out << "current directory " << currentDir_ << "\nwindows directory " << windowsDir_ << "\nclock " << clock_
        << " ms\nprocesses:\n";
    for (const Process& process : processes_) {
        out << "  " << process.entry.id << ' ' << process.entry.exe;
        if (!process.canOpen) out << " (cannot be opened)";
        if (!process.canTerminate) out << " (cannot be terminated)";
        out << '\n';
    }
    out << "registry (HKCU):\n";
    for (const auto& key : keys_) {
        out << "  " << key->path << (key->fullAccess ? "" : " (no full access)") << '\n';
        for (const Value& value : key->values)
            out << "    " << value.name << " = \"" << value.data << '"' << (value.undeletable ? " (undeletable)" : "") << '\n';
    }
    return out.str();
}

// ---- Log and faults

std::uint64_t RecordingPlatform::Stamp() const { return kClockStart + clock_ * 10000; }

bool RecordingPlatform::Begin(Call call)
{
    const std::size_t number = calls_++;
    if (dead_) return true;
    log_.push_back(kCallNames[static_cast<int>(call)]);
    if (number == killAt_) {
        dead_ = true;
        // A close runs in a destructor: the program dies there without a word.
        if (call != Call::FindClose && call != Call::CloseKey && call != Call::CloseFile && call != Call::CloseFolder &&
            !(call == Call::WriteFile && tearWrite_))
            throw ProgramKilled();
        return call != Call::WriteFile;
    }
    return failNumbers_.count(number) != 0 || failKinds_.count(call) != 0;
}

bool RecordingPlatform::Begin(Call call, const std::string& argument)
{
    const bool fail = Begin(call);
    if (!dead_) log_.back() += " " + argument;
    return fail;
}

void RecordingPlatform::FailCallNumber(std::size_t n) { failNumbers_.insert(n); }
void RecordingPlatform::FailEvery(Call call) { failKinds_.insert(call); }

void RecordingPlatform::KillAtCallNumber(std::size_t n, bool tearWrite)
{
    killAt_ = n;
    tearWrite_ = tearWrite;
}

void RecordingPlatform::Restart()
{
    dead_ = false;
    killAt_ = static_cast<std::size_t>(-1);
}

// ---- Listings and keys: their destruction is the close call.

class RecordingPlatform::Listing : public FindListing {
public:
    Listing(RecordingPlatform& platform, std::vector<FindEntry> entries)
        : platform_(platform), entries_(std::move(entries))
    {
        ++platform_.openListings_;
    }
    ~Listing() override
    {
        platform_.Begin(Call::FindClose);
        --platform_.openListings_;
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    bool Next(FindEntry& entry) override
    {
        if (platform_.Begin(Call::FindNext) || next_ == entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

private:
    RecordingPlatform& platform_;
    std::vector<FindEntry> entries_;
    std::size_t next_ = 1;   // FindFirst handed out the first one
};

class RecordingPlatform::Key : public RegistryKey {
public:
    Key(RecordingPlatform& platform, KeyRecord& record) : platform_(platform), record_(record)
    {
        ++platform_.openKeys_;
    }
    ~Key() override
    {
        platform_.Begin(Call::CloseKey);
        --platform_.openKeys_;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    DeleteResult DeleteValue(const std::string& name) override
    {
        if (platform_.Begin(Call::DeleteValue, name)) return DeleteResult::Failed;
        Value* value = record_.Find(name);
        if (!value) return DeleteResult::NotFound;
        if (value->undeletable) return DeleteResult::Failed;
        record_.values.erase(record_.values.begin() + (value - record_.values.data()));
        return DeleteResult::Deleted;
    }
    bool ReadValue(const std::string& name, std::uint32_t& type, std::string& data) override
    {
        if (platform_.Begin(Call::ReadValue, name)) return false;
        const Value* value = record_.Find(name);
        if (!value) return false;
        type = value->type;
        data = value->data;
        return true;
    }
    bool WriteValue(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        if (platform_.Begin(Call::WriteValue, name)) return false;
        if (Value* value = record_.Find(name)) {
            value->type = type;
            value->data = data;
        } else {
            record_.values.push_back({name, data, false, type});
        }
        return true;
    }

private:
    RecordingPlatform& platform_;
    KeyRecord& record_;   // records live as long as the platform and never move
};

// An open file of the program's. Every mode shares reading only.
class RecordingPlatform::File : public OpenedFile {
public:
    File(RecordingPlatform& platform, Node& node, bool writing)
        : platform_(platform), node_(node), writing_(writing), size_(node.contents.size()), attributes_(node.attributes)
    {
        ++node_.opens;
        node_.writers += writing_;
        ++platform_.openFiles_;
    }
    ~File() override
    {
        platform_.Begin(Call::CloseFile);
        --node_.opens;
        node_.writers -= writing_;
        --platform_.openFiles_;
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::uint64_t Size() const override { return size_; }
    std::uint32_t Attributes() const override { return attributes_; }
    FileIdentity Identity() const override { return {kVolumeSerial, node_.index}; }

    bool Read(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& read) override
    {
        if (Begin(Call::ReadFile, offset, size)) return false;
        const std::string& contents = node_.contents;
        read = offset < contents.size() ? contents.copy(buffer, size, static_cast<std::size_t>(offset)) : 0;
        return true;
    }

    bool Write(std::uint64_t offset, const char* data, std::size_t size) override
    {
        if (Begin(Call::WriteFile, offset, size) || !writing_) return false;
        if (platform_.dead_) size /= 2;   // torn by the kill
        std::string& contents = node_.contents;
        if (contents.size() < offset + size) contents.resize(static_cast<std::size_t>(offset + size), '\0');
        contents.replace(static_cast<std::size_t>(offset), size, data, size);
        node_.attributes |= FileAttr::Archive;   // as Windows marks a file that changed
        node_.written = platform_.Stamp();
        if (platform_.dead_) throw ProgramKilled();
        return true;
    }

    bool Truncate(std::uint64_t size) override
    {
        if (Begin(Call::SetEndOfFile, size, 0) || !writing_) return false;
        node_.contents.resize(static_cast<std::size_t>(size), '\0');
        node_.written = platform_.Stamp();
        return true;
    }

    bool Flush() override { return !Begin(Call::FlushFile, 0, 0) && writing_; }

    bool Touch() override
    {
        if (Begin(Call::TouchFile, 0, 0) || !writing_) return false;
        node_.written = platform_.Stamp();
        return true;
    }

private:
    bool Begin(Call call, std::uint64_t a, std::uint64_t b)
    {
        if (platform_.otherProgram_ && !platform_.dead_) platform_.otherProgram_();
        const std::string arguments = call == Call::FlushFile || call == Call::TouchFile ? ""
                                      : call == Call::SetEndOfFile ? std::to_string(a)
                                                                   : std::to_string(a) + " " + std::to_string(b);
        return platform_.Begin(call, node_.name + (arguments.empty() ? "" : " " + arguments));
    }

    RecordingPlatform& platform_;
    Node& node_;
    const bool writing_;
    const std::uint64_t size_;
    const std::uint32_t attributes_;
};

// ---- PlatformServices

std::unique_ptr<FindListing> RecordingPlatform::FindFirst(const std::string& pattern, FindEntry& first,
                                                          bool& unreadable)
{
    // Whatever keeps the folder from being looked into: a failure, another drive, a
    // folder that is missing, no folder, or one that cannot be listed.
    unreadable = true;
    if (Begin(Call::FindFirst, pattern)) return nullptr;
    const std::size_t cut = pattern.rfind('\\');
    const std::size_t leafStart = cut != std::string::npos ? cut + 1
                                  : pattern.size() >= 2 && pattern[1] == ':' ? 2 : 0;
    const std::string leaf = pattern.substr(leafStart);
    std::vector<std::string> parts;
    if (leaf.empty() || !Resolve(pattern, parts) || !Resolve(pattern.substr(0, leafStart), parts)) return nullptr;
    const Node* dir = Walk(parts, parts.size());
    if (!dir || !dir->IsDirectory() || dir->unlistable) return nullptr;
    unreadable = false;

    std::vector<FindEntry> entries;
    const bool wildcard = HasWildcard(leaf);
    if (wildcard && dir != root_.get())
        for (const char* dots : {".", ".."})
            if (Matches(leaf, dots)) entries.push_back({dots, FileAttr::Directory, {}});
    for (const Node* child : dir->Listed())
        if (wildcard ? child->MatchesPattern(leaf) : child->Answers(leaf))
            entries.push_back({child->name, child->attributes, child->shortName, child->written});
    if (entries.empty()) return nullptr;
    first = entries.front();
    return std::make_unique<Listing>(*this, std::move(entries));
}

std::uint32_t RecordingPlatform::GetAttributes(const std::string& path)
{
    if (Begin(Call::GetAttributes, path)) return FileAttr::Invalid;
    const Node* node = Lookup(path);
    return node ? node->attributes : FileAttr::Invalid;
}

bool RecordingPlatform::SetAttributes(const std::string& path, std::uint32_t attributes)
{
    if (Begin(Call::SetAttributes, path + " " + Hex(attributes))) return false;
    Node* node = Lookup(path);
    if (!node || node->immutable || (attributes & ~kValid)) return false;
    std::uint32_t word = (node->attributes & ~kSettable) | (attributes & kSettable);
    // Normal stands only alone: with any other bit it is dropped, and a file left with
    // no bit at all reads as Normal.
    if (word & ~FileAttr::Normal) word &= ~FileAttr::Normal;
    node->attributes = word ? word : FileAttr::Normal;
    return true;
}

bool RecordingPlatform::RemoveFile(const std::string& path)
{
    if (Begin(Call::DeleteFile, path)) return false;
    std::vector<std::string> parts;
    if (!Resolve(path, parts) || parts.empty()) return false;
    Node* dir = Walk(parts, parts.size() - 1);
    Node* file = dir && dir->IsDirectory() ? dir->Child(parts.back()) : nullptr;
    if (!file || file->IsDirectory() || (file->attributes & FileAttr::ReadOnly) || file->HeldAt(clock_) || file->opens ||
        file->immutable)
        return false;
    dir->Remove(file);
    return true;
}

bool RecordingPlatform::FileExists(const std::string& path)
{
    if (Begin(Call::FileExists, path)) return false;
    const Node* node = Lookup(path);
    return node && !node->IsDirectory();
}

std::string RecordingPlatform::CurrentDirectory()
{
    return Begin(Call::CurrentDirectory) ? std::string() : currentDir_;
}

std::string RecordingPlatform::WindowsDirectory()
{
    return Begin(Call::WindowsDirectory) ? std::string() : windowsDir_;
}

std::vector<ProcessEntry> RecordingPlatform::Processes()
{
    return Begin(Call::Processes) ? std::vector<ProcessEntry>() : Running();
}

bool RecordingPlatform::TerminateProcess(std::uint32_t id)
{
    if (Begin(Call::TerminateProcess, std::to_string(id))) return false;
    const auto process = std::find_if(processes_.begin(), processes_.end(),
                                      [id](const Process& p) { return p.entry.id == id; });
    if (process == processes_.end() || !process->canOpen || !process->canTerminate) return false;
    processes_.erase(process);
    return true;
}

OpenedKey RecordingPlatform::OpenCurrentUserKey(const std::string& path)
{
    if (Begin(Call::OpenKey, path)) return {};
    KeyRecord* record = FindKey(path);
    if (!record || !record->fullAccess) return {nullptr, !record};
    return {std::make_unique<Key>(*this, *record)};
}

std::unique_ptr<OpenedFile> RecordingPlatform::Open(const std::string& path, OpenMode mode, OpenFailure& failure)
{
    const char* const modes[] = {"read", "rewrite", "create new"};
    failure = OpenFailure::Other;
    if (otherProgram_ && !dead_) otherProgram_();
    if (Begin(Call::OpenFile, path + " " + modes[static_cast<int>(mode)])) return nullptr;
    Node* file = Lookup(path);
    if (mode != OpenMode::Read && file && (file->attributes & FileAttr::ReparsePoint)) {
        failure = OpenFailure::ReparsePoint;
        return nullptr;
    }
    if (mode == OpenMode::CreateNew) {
        if (file || !Parent(path)) return nullptr;
        failure = OpenFailure::None;
        return std::make_unique<File>(*this, Make(path, false), true);
    }
    if (!file || file->IsDirectory()) return nullptr;
    // Everything here shares reading only: a writer shuts it out and it shuts writers out.
    if (file->HeldAt(clock_) == HeldBy::Writer || file->writers || (mode == OpenMode::Rewrite && file->opens)) {
        failure = OpenFailure::InUse;
        return nullptr;
    }
    if (mode == OpenMode::Rewrite && (file->immutable || (file->attributes & FileAttr::ReadOnly))) return nullptr;
    failure = OpenFailure::None;
    return std::make_unique<File>(*this, *file, mode == OpenMode::Rewrite);
}

bool RecordingPlatform::MakeDirectory(const std::string& path, DirectoryAccess access)
{
    if (Begin(Call::MakeDirectory, path)) return false;
    // A name already taken is "already there", by a file as by a directory, as the
    // system answers. The system's folders are always there: parents are made as well.
    if (Lookup(path)) return true;
    std::vector<std::string> parts;
    if (!Resolve(path, parts)) return false;
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (const Node* on = Walk(parts, i); on && !on->IsDirectory()) return false;
    Make(path, true).administratorsOnly = access == DirectoryAccess::AdministratorsOnly;
    return true;
}

bool RecordingPlatform::RemoveEmptyFolder(const std::string& path)
{
    if (Begin(Call::RemoveDirectory, path)) return false;
    Node* dir = Parent(path);
    Node* folder = Lookup(path);
    if (!dir || !folder || !folder->IsDirectory() || !folder->children.empty() || folder->Busy(clock_) ||
        folder->immutable)
        return false;
    dir->Remove(folder);
    return true;
}

bool RecordingPlatform::Rename(const std::string& from, const std::string& to)
{
    if (Begin(Call::Rename, from + " " + to)) return false;
    std::vector<std::string> fromParts, toParts;
    Node* node = Lookup(from);
    Node* source = Parent(from);
    Node* target = Parent(to);
    if (!node || !source || !target || Lookup(to) || node->Busy(clock_) || node->immutable ||
        !Resolve(from, fromParts) ||
        !Resolve(to, toParts))
        return false;
    if (toParts.size() > fromParts.size() &&
        std::equal(fromParts.begin(), fromParts.end(), toParts.begin(), SameName))
        return false;   // into itself
    const auto slot = std::find_if(source->children.begin(), source->children.end(),
                                   [node](const auto& child) { return child.get() == node; });
    std::unique_ptr<Node> moved = std::move(*slot);
    source->children.erase(slot);
    moved->name = toParts.back();
    moved->shortName.clear();
    target->children.push_back(std::move(moved));
    return true;
}

// A folder the program holds; its destruction is the close call.
class RecordingPlatform::Folder : public HeldFolder {
public:
    Folder(RecordingPlatform& platform, Node& node, std::string path)
        : platform_(platform), node_(node), path_(std::move(path))
    {
        ++node_.folderHolds;
        ++platform_.heldFolders_;
    }
    ~Folder() override
    {
        platform_.Begin(Call::CloseFolder, path_);
        --node_.folderHolds;
        --platform_.heldFolders_;
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool AdministratorsOnly() override
    {
        return !platform_.Begin(Call::FolderSecurity, path_) && node_.administratorsOnly;
    }

private:
    RecordingPlatform& platform_;
    Node& node_;   // held folders cannot be renamed nor deleted: the node stays
    const std::string path_;
};

std::unique_ptr<HeldFolder> RecordingPlatform::HoldFolder(const std::string& path)
{
    if (Begin(Call::HoldFolder, path)) return nullptr;
    Node* node = Lookup(path);
    if (!node || !node->IsDirectory() || (node->attributes & FileAttr::ReparsePoint)) return nullptr;
    return std::make_unique<Folder>(*this, *node, path);
}

bool RecordingPlatform::FolderIdentity(const std::string& path, FileIdentity& identity)
{
    if (Begin(Call::FolderIdentity, path)) return false;
    const Node* node = Lookup(path);
    if (!node || !node->IsDirectory()) return false;
    identity = {kVolumeSerial, node->index};
    return true;
}

std::vector<std::string> RecordingPlatform::SystemFolders()
{
    return Begin(Call::SystemFolders) ? std::vector<std::string>() : systemFolders_;
}

std::unique_ptr<RunLock> RecordingPlatform::TakeRunLock()
{
    // Letting go is no call: a killed program's lock is let go by the system.
    struct Held : RunLock {
        explicit Held(bool& held) : held(held) { held = true; }
        ~Held() override { held = false; }
        bool& held;
    };
    if (Begin(Call::TakeRunLock) || RunLockHeld()) return nullptr;
    return std::make_unique<Held>(runLockHeld_);
}

ProgramRights RecordingPlatform::Rights()
{
    Begin(Call::Rights);   // a question that cannot fail
    return rights_;
}

std::string RecordingPlatform::DataDirectory(DataFolder folder)
{
    if (Begin(Call::DataDirectory, folder == DataFolder::Common ? "common" : "local")) return {};
    return folder == DataFolder::Common ? commonDir_ : localDir_;
}

std::uint64_t RecordingPlatform::Now()
{
    Begin(Call::Now);   // a question that cannot fail
    return Stamp();
}

void RecordingPlatform::Sleep(std::uint32_t milliseconds)
{
    Begin(Call::Sleep, std::to_string(milliseconds));
    clock_ += milliseconds;
}

void RecordingPlatform::ShowInformationBox(const std::string& text)
{
    Begin(Call::InformationBox, text);   // a box cannot fail
    boxes_.push_back(text);
}
