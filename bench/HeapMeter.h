#pragma once
// Live heap bytes of the whole program and their peak, counted by the replaced global
// allocation functions of HeapMeter.cpp.
#include <cstddef>

namespace HeapMeter {
std::size_t Live();
std::size_t Peak();
void ResetPeak();   // the peak starts again from what is live now
}
