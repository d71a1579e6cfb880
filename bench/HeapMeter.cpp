#include "bench/HeapMeter.h"

#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so the matching delete can subtract it.
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t live = 0;
std::size_t peak = 0;

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    live += size;
    if (live > peak)
        peak = live;
    return static_cast<char*>(block) + kHeader;
}

void Release(void* p) noexcept
{
    if (!p)
        return;
    void* block = static_cast<char*>(p) - kHeader;
    live -= *static_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

std::size_t HeapMeter::Live() { return live; }
std::size_t HeapMeter::Peak() { return peak; }
void HeapMeter::ResetPeak() { peak = live; }
