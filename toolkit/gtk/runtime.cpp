// The runtime over GTK 3: the toolkit starts once GTK can reach a display.
#include "toolkit/gtk/backend_gtk.h"

bool PlatformStart() {
    return gtk_init_check(nullptr, nullptr);
}

// GTK's controls need no registration of their own.
void PlatformCommonControlsStart() {}

void PlatformEnd() {}
