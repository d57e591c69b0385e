// Memory for the toolkit's own structures: registry tables, list nodes and
// file buffers. The operations form one replaceable table so that tests can
// make memory run short.
#pragma once

#include <cstddef>

struct MemoryOperations {
    void* (*allocate)(size_t size);            // zero-filled; nullptr when short
    void* (*resize)(void* block, size_t size); // keeps the contents; nullptr leaves block as it was
    void (*release)(void* block);
};

void* MemoryAllocate(size_t size);
void* MemoryResize(void* block, size_t size);
void MemoryFree(void* block);

// Installs other operations and returns the ones that were in place.
MemoryOperations MemorySetOperations(const MemoryOperations& operations);
