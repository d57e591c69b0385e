#include "tests/support/memory_shortage.h"

namespace {

MemoryOperations passThrough;
int remaining = 0;
int refused = 0;

bool Grant() {
    if (remaining > 0) {
        --remaining;
        return true;
    }
    ++refused;
    return false;
}

void* ShortAllocate(size_t size) {
    return Grant() ? passThrough.allocate(size) : nullptr;
}
void* ShortResize(void* block, size_t size) {
    return Grant() ? passThrough.resize(block, size) : nullptr;
}
void PassRelease(void* block) {
    passThrough.release(block);
}

} // namespace

MemoryShortage::MemoryShortage(int allowed) {
    remaining = allowed;
    refused = 0;
    previous_ = MemorySetOperations({ShortAllocate, ShortResize, PassRelease});
    passThrough = previous_;
}

MemoryShortage::~MemoryShortage() {
    MemorySetOperations(previous_);
}

int MemoryShortage::Refused() const {
    return refused;
}
