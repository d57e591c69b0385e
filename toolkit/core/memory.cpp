// The toolkit's memory: one replaceable table of operations over the C library's heap.
#include "toolkit/core/memory.h"

#include <cstdlib>

namespace {

void* SystemAllocate(size_t size) {
    return std::calloc(1, size);
}
void* SystemResize(void* block, size_t size) {
    return std::realloc(block, size);
}
void SystemRelease(void* block) {
    std::free(block);
}

MemoryOperations memory = {SystemAllocate, SystemResize, SystemRelease};

} // namespace

void* MemoryAllocate(size_t size) {
    return memory.allocate(size);
}
void* MemoryResize(void* block, size_t size) {
    return memory.resize(block, size);
}
void MemoryFree(void* block) {
    memory.release(block);
}

MemoryOperations MemorySetOperations(const MemoryOperations& operations) {
    MemoryOperations previous = memory;
    memory = operations;
    return previous;
}
