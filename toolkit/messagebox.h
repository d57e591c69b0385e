#pragma once

#include <cstdint>

// Modal message box; the thread's other visible, enabled top-level windows
// are disabled while it is up. Returns the id of the button pressed.
int32_t MessageBoxShow(const char* title, const char* text, uint32_t flags = 0);
