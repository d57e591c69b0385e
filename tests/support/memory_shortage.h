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
        previous_ = system =
            MemorySetOperations({[](size_t size) {
                                     void* block =
                                         remaining-- > 0 ? system.allocate(size) : nullptr;
                                     taken += block != nullptr;
                                     return block;
                                 },
                                 [](void* block, size_t size) {
                                     return remaining-- > 0 ? system.resize(block, size) : nullptr;
                                 },
                                 [](void* block) {
                                     taken -= block != nullptr;
                                     system.release(block);
                                 }});
    }
    static int Taken() { return taken; }
    ~MemoryShortage() { MemorySetOperations(previous_); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;

  private:
    static inline MemoryOperations system;
    static inline int remaining = 0;
    static inline int taken = 0;
    MemoryOperations previous_;
};
