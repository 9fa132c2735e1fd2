#pragma once
// Counts the bytes malloc hands out in this test program (the program
// replaces malloc, calloc, realloc and free with counting wrappers around
// glibc's own), so a test can tell the peak memory of one call.
#include <cstdint>

namespace allocations {

// Starts a measurement: the peak is reset to what is live now.
void StartMeasuring();
// The most bytes live at once since StartMeasuring, above the bytes live then.
int64_t PeakSinceStart();

}  // namespace allocations
