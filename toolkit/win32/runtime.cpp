// The runtime over KERNEL32 and COMCTL32: the program's private heap, and
// the common controls, which start after every library.
#include "toolkit/core/backend.h"
#include <windows.h>

#include <commctrl.h>

namespace {

HANDLE programHeap;

} // namespace

bool PlatformStart() {
    programHeap = HeapCreate(0, 4096, 0);
    return programHeap != nullptr;
}

void PlatformCommonControlsStart() {
    InitCommonControls();
}

void PlatformEnd() {
    HeapDestroy(programHeap);
    programHeap = nullptr;
}
