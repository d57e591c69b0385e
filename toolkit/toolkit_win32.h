// What the toolkit's Win32 modules share with each other; not for the program.
#pragma once

#include <windows.h>

// Offers a parent-window message about a control to its gadget kind's
// GadgetMessageHook. NOT_HANDLED unless the control is a live gadget whose
// kind has a hook.
LRESULT GadgetOfferMessage(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

// The program's private heap, created by RuntimeStart.
HANDLE ProgramHeap();
