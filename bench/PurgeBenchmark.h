#pragma once
// The purge of one large configuration copy on the real file system: its time and its
// peak memory, which must not grow with the copy's size.
#include <cstddef>

void PurgeBenchmark(std::size_t megabytes);
