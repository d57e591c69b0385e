// Makes the toolkit's memory run short while in scope: the first `allowed`
// allocations or resizes succeed, every later one fails. Taken() counts the
// blocks allocated meanwhile and not yet released.
#pragma once

#include "toolkit/core/memory.h"

class MemoryShortage {
  public:
    explicit MemoryShortage(int allowed = 0) {
        remaining = allowed;
        taken = 0;
        previous_ = system = MemorySetOperations(
            {[](size_t size) { return Count(remaining-- > 0 ? system.allocate(size) : nullptr); },
             [](void* block, size_t size) {
                 return remaining-- > 0 ? system.resize(block, size) : nullptr;
             },
             [](void* block) { system.release(Count(block, -1)); }});
    }
    static int Taken() { return taken; }
    ~MemoryShortage() { MemorySetOperations(previous_); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;

  private:
    // Counts a block taken (1) or given back (-1).
    static void* Count(void* block, int count = 1) {
        taken += block ? count : 0;
        return block;
    }
    static inline MemoryOperations system;
    static inline int remaining = 0;
    static inline int taken = 0;
    MemoryOperations previous_;
};
