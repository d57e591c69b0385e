// The runtime's start and end: the program's private heap and the order in
// which the toolkit's libraries come up and go down.
#include "toolkit/files.h"
#include "toolkit/gadgets.h"
#include "toolkit/toolkit_win32.h"
#include "toolkit/windows.h"

#include <commctrl.h>

namespace {

HANDLE programHeap;

} // namespace

HANDLE ProgramHeap() {
    return programHeap;
}

bool RuntimeStart() {
    // Starting again would orphan every open object; the runtime is running.
    if (programHeap) {
        return true;
    }
    programHeap = HeapCreate(0, 4096, 0);
    if (!programHeap) {
        return false;
    }
    if (!FileLibraryInit() || !WindowLibraryInit() || !GadgetLibraryInit()) {
        // End what did start. Without the heap a later start tries again
        // instead of claiming success.
        RuntimeEnd();
        return false;
    }
    InitCommonControls();
    return true;
}

void RuntimeEnd() {
    WindowLibraryEnd();
    FileCloseAll();
    HeapDestroy(programHeap);
    programHeap = nullptr;
}
