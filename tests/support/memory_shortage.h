// Makes the toolkit's memory run short while in scope: the first `allowed`
// allocations or resizes succeed, every later one fails.
#pragma once

#include "toolkit/memory.h"

class MemoryShortage {
  public:
    explicit MemoryShortage(int allowed = 0);
    ~MemoryShortage();
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;

    // Requests refused so far.
    int Refused() const;

  private:
    MemoryOperations previous_;
};
