// What the gadget kinds share: the record, the kind table and the creation
// steps common to every kind. Each kind family lives in its own file.
#pragma once

#include "toolkit/gadgets.h"
#include "toolkit/registry.h"
#include "toolkit/windows.h"

#include <windows.h>

#include <string>

struct GadgetKindTable;

struct GadgetRecord {
    HWND handle; // the control; 0 while the slot is free
    const GadgetKindTable* kind;
    WNDPROC previous; // the control's handler behind GadgetCommonHandler
    int32_t background;
    int32_t textColour;
    HBRUSH brush; // from the brush cache; only while a background colour is set
    void* extra;  // the LinkRecord of a link
};

// One per kind. Empty entries fall back to the generic behaviour.
struct GadgetKindTable {
    int32_t code;
    LRESULT(*messageHook)
    (GadgetRecord& record, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
    void (*free)(GadgetRecord& record);
    int32_t (*getState)(GadgetRecord& record);
    void (*setState)(GadgetRecord& record, int32_t value);
    std::string (*getText)(GadgetRecord& record);
    void (*setText)(GadgetRecord& record, const char* text);
    void (*addItem)(GadgetRecord& record, int32_t position, const char* text, int32_t data);
    void (*addItemEx)(GadgetRecord& record, int32_t position, const char* text, int32_t data,
                      int32_t flags);
    void (*setColour)(GadgetRecord& record, int32_t which, int32_t colour);
    int32_t (*getColour)(GadgetRecord& record, int32_t which);
};

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

struct GadgetCreated {
    HWND control;        // 0 when the control could not be made or registered
    ObjectNumber number; // the issued identifier for NUMBER_ANY
};

// Makes the control, claims the number and registers the gadget. On failure
// nothing is registered and a live gadget of that number stays.
GadgetCreated GadgetCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                           const GadgetPlan& plan);

// What a create operation returns for what GadgetCreate made.
intptr_t GadgetCreateResult(ObjectNumber requested, const GadgetCreated& created);

// The live gadget whose control this is, or nullptr. The pointer is valid only
// until the next gadget is created.
GadgetRecord* GadgetOfControl(HWND control);

HFONT GadgetFont();

// Posts MSG_GADGET_EVENT for the control's gadget to its top-level window.
void GadgetPostEvent(HWND control, int32_t subtype);
// The first window up the parent chain with a window number, or the topmost.
HWND OwningWindowOf(HWND control);

// The colour entries of the kinds that have colours.
void KindSetColour(GadgetRecord& record, int32_t which, int32_t colour);
int32_t KindGetColour(GadgetRecord& record, int32_t which);
// KindFree of label and output box.
void KindReleaseBrush(GadgetRecord& record);

constexpr LRESULT NOT_HANDLED_RESULT = static_cast<LRESULT>(NOT_HANDLED);
