#include "bench/PurgeBenchmark.h"

#include "bench/HeapMeter.h"
#include "cleaning/CopyPurge.h"
#include "cleaning/Win32Platform.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

const char* const BenchFolder = "c:\\pelkarin-bench-purge";
const std::string Copy = std::string(BenchFolder) + "\\mirc.ini";

// A copy of about megabytes MB of LF-terminated lines with a marked line near the start,
// so that the whole of it is journaled and rewritten: the worst case.
bool MakeCopy(std::size_t megabytes)
{
    CreateDirectoryA(BenchFolder, nullptr);
    const HANDLE file = CreateFileA(Copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string block = "[mirc]\nn0=/load mirc.hst\n";
    for (int line = 0; block.size() < (1 << 20); ++line)
        block += "n" + std::to_string(line) + "=a setting of the user's that stays\n";
    bool written = true;
    for (std::size_t i = 0; i < megabytes && written; ++i) {
        DWORD done = 0;
        written = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &done, nullptr) && done == block.size();
        if (i == 0)
            block.replace(0, block.find("n0=/load mirc.hst\n") + 18, "");   // one marked line only
    }
    CloseHandle(file);
    return written;
}

std::size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

} // namespace

void PurgeBenchmark(std::size_t megabytes)
{
    std::printf("Purge of one %zu MB copy (whole file journaled and rewritten):\n", megabytes);
    if (!MakeCopy(megabytes)) {
        std::printf("  cannot make the copy %s\n", Copy.c_str());
    } else {
        Win32Platform platform;
        DataRoot data(platform);
        LineMarker marker("mirc.hst");
        std::uint32_t waited = 0;
        HeapMeter::ResetPeak();
        const std::size_t heapBefore = HeapMeter::Live();
        const auto start = std::chrono::steady_clock::now();
        const bool purged = PurgeLinesOfCopy(platform, data, Copy, marker, waited) == CopyOutcome::Purged;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %s in %.1f s; peak heap %zu bytes above the %zu before; peak working set %.1f MB\n",
                    purged ? "purged" : "NOT purged", seconds, HeapMeter::Peak() - heapBefore, heapBefore,
                    PeakWorkingSet() / 1048576.0);
    }
    DeleteFileA(Copy.c_str());
    RemoveDirectoryA(BenchFolder);
}
