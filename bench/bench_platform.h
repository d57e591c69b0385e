// What the benchmark needs from the platform beyond the product's code.
#pragma once

#include <cstddef>
#include <string>

// Writes bytes to a new file in 4096-byte chunks with the platform's plain
// write call: the reference for Save Config.
bool RawWriteFile(const char* name, const std::string& bytes);

// Gives freed heap memory back to the system, so that each timed run gets
// its memory the way a fresh program does.
void HeapGiveBack();

// Bytes of the process's heaps in use, with the allocator's own overhead.
size_t HeapBytesInUse();
// How HeapBytesInUse measures, for the table.
extern const char* const HEAP_MEASURE;
// Where the figures come from: "native" or "Wine".
extern const char* const PLATFORM_NAME;
