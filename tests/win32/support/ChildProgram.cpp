// A stand-in for another program in the Win32 tests. It waits until it is killed, either
// running under whatever name it was copied to ("sleep"), holding a file open
// ("hold <path> read|write|delete") or after adding a line to a file ("append <path>
// <line>"). It writes "ready" to its standard output once it is in that state.
// "appendlines <path> <count>" instead writes "ready" at once, then adds the lines
// "appended1" to "appended<count>" one by one, as a program saving its settings every
// few milliseconds would, trying a line again while the file is refused, and ends with
// the number of refusals as its exit code.
//
// Held for writing: open for reading and writing, shared for reading only, so nobody
// may open it for writing or delete it, and a reader that does not share writing is
// refused too. Held for reading: open for reading, shared for reading and writing but
// not deletion, so it can be read and written but not deleted or opened exclusively.
// Held sharing deletion: open for reading, shared for everything, so a deletion succeeds
// but the file stays (delete pending) until the child lets go.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HANDLE Hold(const char* path, const char* mode)
{
    if (std::strcmp(mode, "write") == 0)
        return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (std::strcmp(mode, "read") == 0)
        return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (std::strcmp(mode, "delete") == 0)
        return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return INVALID_HANDLE_VALUE;
}

// Adds line and CR LF at the end of the file, as a program saving its settings would.
bool Append(const char* path, const char* line, DWORD share = FILE_SHARE_READ)
{
    const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    const BOOL done = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return done && written == text.size();
}

int AppendLines(const char* path, int count)
{
    int refused = 0;
    for (int line = 1; line <= count; ++line) {
        const std::string text = "appended" + std::to_string(line);
        while (!Append(path, text.c_str(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) {
            ++refused;
            Sleep(1);
        }
        Sleep(2);
    }
    return refused;
}

} // namespace

int main(int argc, char** argv)
{
    HANDLE held = INVALID_HANDLE_VALUE;
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) {
        held = Hold(argv[2], argv[3]);
        if (held == INVALID_HANDLE_VALUE) {
            std::printf("cannot hold %s (%s), error %lu\n", argv[2], argv[3], GetLastError());
            return 2;
        }
    } else if (argc == 4 && std::strcmp(argv[1], "append") == 0) {
        if (!Append(argv[2], argv[3])) {
            std::printf("cannot append to %s, error %lu\n", argv[2], GetLastError());
            return 2;
        }
    } else if (argc == 4 && std::strcmp(argv[1], "appendlines") == 0) {
        std::printf("ready\n");
        std::fflush(stdout);
        return AppendLines(argv[2], std::atoi(argv[3]));
    } else if (argc != 2 || std::strcmp(argv[1], "sleep") != 0) {
        std::printf("usage: pelkarin_child sleep | hold <path> read|write|delete | append <path> <line> | "
                    "appendlines <path> <count>\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    CloseHandle(held);
    return 0;
}
