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

} // namespace

MemoryShortage::MemoryShortage(int allowed) {
    remaining = allowed;
    refused = 0;
    previous_ = passThrough = MemorySetOperations(
        {[](size_t size) { return Grant() ? passThrough.allocate(size) : nullptr; },
         [](void* block, size_t size) {
             return Grant() ? passThrough.resize(block, size) : nullptr;
         },
         [](void* block) { passThrough.release(block); }});
}

MemoryShortage::~MemoryShortage() {
    MemorySetOperations(previous_);
}

int MemoryShortage::Refused() const {
    return refused;
}
