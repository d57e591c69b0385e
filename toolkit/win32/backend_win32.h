// What the toolkit's Win32 modules share with each other; not for the program.
#pragma once

#include <windows.h>

// The property on a toolkit window that holds its window number + 1.
constexpr char WINDOW_ID_PROPERTY[] = "TK_WindowID";

// Offers a parent-window message about a control to its gadget kind's
// messageHook. NOT_HANDLED unless the control is a live gadget whose
// kind has a hook.
LRESULT GadgetOfferMessage(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
