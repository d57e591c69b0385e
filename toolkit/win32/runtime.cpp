// The runtime over COMCTL32: the common controls, which start after every
// library. The toolkit's memory comes from the C library's heap.
#include "toolkit/core/backend.h"
#include <windows.h>

#include <commctrl.h>

bool PlatformStart() {
    return true;
}

void PlatformCommonControlsStart() {
    InitCommonControls();
}

void PlatformEnd() {}
