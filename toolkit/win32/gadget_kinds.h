// What the Win32 gadget kinds share: the creation steps common to every
// kind, and the handles behind the core's record. Each kind family lives in
// its own file.
#pragma once

#include "toolkit/core/backend.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <windows.h>

// What one create operation makes: the control and the kind's initial record.
struct GadgetPlan {
    const GadgetKindTable* kind;
    const char* className;
    const char* text;
    DWORD style;
    DWORD extendedStyle;
    int32_t background;
    int32_t textColour;
    void* extra;
    // Runs on the new control before the common handler is put in front.
    void (*setUp)(HWND control);
};

// Makes the control in the creation parent and registers it; returns what
// the create operation returns, and the control in *made. On failure a live
// gadget of that number stays.
intptr_t GadgetCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const GadgetPlan& plan, HWND* made = nullptr);

inline HWND ControlOf(const GadgetRecord& record) {
    return reinterpret_cast<HWND>(record.handle);
}

// The live gadget whose control this is, or nullptr. The pointer is valid only
// until the next gadget is created.
GadgetRecord* GadgetOfControl(HWND control);

HFONT GadgetFont();

// Posts MSG_GADGET_EVENT for the control's gadget to its top-level window.
void GadgetPostEvent(HWND control, int32_t subtype);

// KindFree of label and output box.
void KindReleaseBrush(GadgetRecord& record);

constexpr LRESULT NOT_HANDLED_RESULT = static_cast<LRESULT>(NOT_HANDLED);
