// Numbered top-level windows, the event stream and the runtime's start and end.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>

constexpr int32_t EVENT_GADGET = 13100;
constexpr int32_t EVENT_CLOSE_WINDOW = 16;
constexpr int32_t EVENT_MOVE_WINDOW = 3;
constexpr int32_t EVENT_SIZE_WINDOW = 5;
constexpr int32_t EVENT_REPAINT = 15;
constexpr int32_t EVENT_ACTIVATE_WINDOW = 13104;

// Private message a gadget posts to its top-level window: wParam = gadget
// number, lParam = subtype.
constexpr uint32_t MSG_GADGET_EVENT = 13103;
// A toolkit handler's answer for "not handled; use the default handling".
constexpr uintptr_t NOT_HANDLED = 0xD0D0D0D1u;

// Window styles WindowOpen's flags carry to the platform (the Win32 WS_ bits).
constexpr uint32_t WINDOW_STYLE_POPUP = 0x80000000;
constexpr uint32_t WINDOW_STYLE_CAPTION = 0x00C00000;
constexpr uint32_t WINDOW_STYLE_SYSTEM_MENU = 0x00080000; // window menu and close box
constexpr uint32_t WINDOW_STYLE_MINIMIZE_BOX = 0x00020000;
constexpr uint32_t WINDOW_STYLE_MAXIMIZE_BOX = 0x00010000;

constexpr uint32_t WINDOW_CENTER_SCREEN = 0x00000001;
constexpr uint32_t WINDOW_CENTER_PARENT = 0x00000002;
constexpr uint32_t WINDOW_HIDDEN = 0x10000000;
constexpr uint32_t WINDOW_MAXIMIZE = 0x01000000;
constexpr int32_t POSITION_DEFAULT = -65535;

constexpr int32_t CMD_FOCUS_NEXT = 1212;
constexpr int32_t CMD_FOCUS_PREVIOUS = 1213;

// Starts the runtime's libraries in their fixed order (files, windows,
// gadgets, common controls). false when one cannot start; the ones
// already started are ended again. May follow RuntimeEnd.
bool RuntimeStart();
// Closes every window, then flushes and closes every file.
void RuntimeEnd();

bool WindowLibraryInit();
void WindowLibraryEnd();

// Platform handle of the new window (issued identifier for NUMBER_ANY), or 0.
intptr_t WindowOpen(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* title, uint32_t flags);
void WindowClose(ObjectNumber number);
intptr_t WindowHandleOf(ObjectNumber number);

int32_t EventWait();
int32_t EventSourceGadget();
int32_t EventSubtype();
int32_t EventSourceWindow();
