#pragma once

#include <cstdint>

// The box's icon (the Win32 MB_ICON bits); without one it shows none.
constexpr uint32_t MESSAGE_BOX_ERROR = 16;
constexpr uint32_t MESSAGE_BOX_QUESTION = 32;
constexpr uint32_t MESSAGE_BOX_WARNING = 48;
constexpr uint32_t MESSAGE_BOX_INFORMATION = 64;
// The answer of a box dismissed with its OK button.
constexpr int32_t MESSAGE_BOX_OK = 1;

// Modal message box; the thread's other visible, enabled top-level windows
// are disabled while it is up. Returns the id of the button pressed.
int32_t MessageBoxShow(const char* title, const char* text, uint32_t flags = 0);
