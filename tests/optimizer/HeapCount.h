// Counts the bytes the calling thread asks the heap for (this test program
// replaces the global operator new), so that a test sees every copy a piece of
// code makes, however it stores it.
#pragma once

#include <cstddef>

void StartHeapCount();
// The bytes asked for on this thread since StartHeapCount.
std::size_t StopHeapCount();
