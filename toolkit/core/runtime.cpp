// The runtime's start and end: the order in which the toolkit's libraries
// come up and go down, and the rollback of a start that failed half-way.
#include "toolkit/core/backend.h"
#include "toolkit/files.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

namespace {

bool running;

} // namespace

bool RuntimeStart() {
    // Starting again would orphan every open object; the runtime is running.
    if (running) {
        return true;
    }
    if (!PlatformStart()) {
        return false;
    }
    running = true;
    if (!FileLibraryInit() || !WindowLibraryInit() || !GadgetLibraryInit()) {
        // End what did start; a later start tries again.
        RuntimeEnd();
        return false;
    }
    PlatformCommonControlsStart();
    return true;
}

void RuntimeEnd() {
    WindowLibraryEnd();
    FileCloseAll();
    PlatformEnd();
    running = false;
}
