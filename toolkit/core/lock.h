// A lock for toolkit state that more than one thread may touch: the
// platform's critical section on Windows (toolkit/win32/lock.cpp), a POSIX
// mutex in the native build (toolkit/posix/lock.cpp).
#pragma once

#include <cstddef>

class ToolkitLock {
  public:
    ToolkitLock();
    ~ToolkitLock();
    ToolkitLock(const ToolkitLock&) = delete;
    ToolkitLock& operator=(const ToolkitLock&) = delete;

    void Enter();
    void Leave();

  private:
    // Room for the platform's lock object, so that this header needs no
    // platform header; each implementation checks that its object fits.
    alignas(std::max_align_t) unsigned char storage[64];
};

// Holds a lock for the rest of a scope.
class ToolkitLockHold {
  public:
    explicit ToolkitLockHold(ToolkitLock& lock) : held(lock) { held.Enter(); }
    ~ToolkitLockHold() { held.Leave(); }
    ToolkitLockHold(const ToolkitLockHold&) = delete;
    ToolkitLockHold& operator=(const ToolkitLockHold&) = delete;

  private:
    ToolkitLock& held;
};
