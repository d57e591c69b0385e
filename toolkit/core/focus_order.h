// Where Tab and Shift+Tab move the keyboard focus, decided over the
// container's controls in enumeration order. Platform-free.
#pragma once

#include <cstdint>
#include <vector>

struct FocusEntry {
    intptr_t control;
    bool eligible; // enabled, visible and a tab stop
};

// The control that should get the focus, or 0 to leave it where it is.
// current is the focused control, 0 when none of the container's has it.
intptr_t FocusNextTarget(const std::vector<FocusEntry>& controls, intptr_t current);
intptr_t FocusPreviousTarget(const std::vector<FocusEntry>& controls, intptr_t current);
