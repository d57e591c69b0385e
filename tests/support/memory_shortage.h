// Makes the toolkit's memory run short while in scope: the first `allowed`
// allocations or resizes succeed, every later one fails.
#pragma once

#include "toolkit/core/memory.h"

class MemoryShortage {
  public:
    explicit MemoryShortage(int allowed = 0) {
        remaining = allowed;
        previous_ = system = MemorySetOperations(
            {[](size_t size) { return remaining-- > 0 ? system.allocate(size) : nullptr; },
             [](void* block, size_t size) {
                 return remaining-- > 0 ? system.resize(block, size) : nullptr;
             },
             [](void* block) { system.release(block); }});
    }
    ~MemoryShortage() { MemorySetOperations(previous_); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;

  private:
    static inline MemoryOperations system;
    static inline int remaining = 0;
    MemoryOperations previous_;
};
