// The toolkit lock over a KERNEL32 critical section.
#include "toolkit/core/lock.h"

#include <windows.h>

namespace {

CRITICAL_SECTION* SectionOf(unsigned char* storage) {
    return reinterpret_cast<CRITICAL_SECTION*>(storage);
}

} // namespace

ToolkitLock::ToolkitLock() {
    static_assert(sizeof(CRITICAL_SECTION) <= sizeof(storage) &&
                      alignof(CRITICAL_SECTION) <= alignof(std::max_align_t),
                  "the critical section must fit the lock's storage");
    InitializeCriticalSection(SectionOf(storage));
}

ToolkitLock::~ToolkitLock() {
    DeleteCriticalSection(SectionOf(storage));
}

void ToolkitLock::Enter() {
    EnterCriticalSection(SectionOf(storage));
}

void ToolkitLock::Leave() {
    LeaveCriticalSection(SectionOf(storage));
}
