// Where Tab and Shift+Tab move the focus among a window's controls.
#include "toolkit/core/focus_order.h"

intptr_t FocusNextTarget(const std::vector<FocusEntry>& controls, intptr_t current) {
    bool takeNext = false;
    for (const FocusEntry& entry : controls) {
        if (!entry.eligible) {
            continue;
        }
        if (takeNext || !current) {
            return entry.control;
        }
        takeNext = entry.control == current;
    }
    // The current control was the last eligible one: wrap to the first.
    if (takeNext) {
        for (const FocusEntry& entry : controls) {
            if (entry.eligible) {
                return entry.control;
            }
        }
    }
    return 0;
}

intptr_t FocusPreviousTarget(const std::vector<FocusEntry>& controls, intptr_t current) {
    intptr_t previous = 0;
    for (const FocusEntry& entry : controls) {
        if (!entry.eligible) {
            continue;
        }
        if (entry.control == current && previous) {
            return previous;
        }
        previous = entry.control;
    }
    // From the first control, from none, or from one that is not eligible:
    // the last eligible control.
    return previous;
}
