// Gadgets: numbered child controls of the window given to GadgetListBegin.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>
#include <string>

constexpr int32_t COLOUR_DEFAULT = -1;
// Which colour GadgetSetColour and GadgetGetColour mean.
constexpr int32_t COLOUR_TEXT = 1;
constexpr int32_t COLOUR_BACKGROUND = 2;

// LabelCreate flags: a sunken border.
constexpr uint32_t LABEL_SUNKEN = 0x20000;
// OutputBoxCreate flags.
constexpr uint32_t OUTPUT_BOX_READ_ONLY = 0x800;
constexpr uint32_t OUTPUT_BOX_NO_BORDER = 0x20000;

// Subtypes of gadget events: the Win32 notification codes, on every platform.
constexpr int32_t SUBTYPE_CLICKED = 0;           // button, check box, link
constexpr int32_t SUBTYPE_SELECTION_CHANGED = 1; // combo box, by the user
constexpr int32_t SUBTYPE_COMBO_FOCUS_GAINED = 3;
constexpr int32_t SUBTYPE_COMBO_FOCUS_LOST = 4;
constexpr int32_t SUBTYPE_DROPPED_DOWN = 7;
constexpr int32_t SUBTYPE_CLOSED_UP = 8;
constexpr int32_t SUBTYPE_EDIT_FOCUS_GAINED = 0x100; // output box, reported by the control
constexpr int32_t SUBTYPE_EDIT_FOCUS_LOST = 0x200;
constexpr int32_t SUBTYPE_FOCUS_GAINED = 14000; // output box, reported by the toolkit
constexpr int32_t SUBTYPE_FOCUS_LOST = 14001;

bool GadgetLibraryInit();

// Makes the window the parent of every gadget created from now on; returns it.
intptr_t GadgetListBegin(intptr_t parent);

// Each returns the control's platform handle (the issued identifier for
// NUMBER_ANY), or 0 when the control cannot be made. nullptr texts count as empty.
intptr_t FrameCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text);
intptr_t ButtonCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char* text);
intptr_t LabelCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, uint32_t flags = 0);
intptr_t CheckBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char* text);
intptr_t ComboCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height);
intptr_t OutputBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                         const char* text, uint32_t flags);
intptr_t LinkCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* text, int32_t hoverColour);

int32_t GadgetAddItem(ObjectNumber number, int32_t position, const char* text);
void GadgetSetState(ObjectNumber number, int32_t value);
int32_t GadgetGetState(ObjectNumber number);
std::string GadgetGetText(ObjectNumber number);
void GadgetSetText(ObjectNumber number, const char* text);

// Colour of a label, output box or link: which is COLOUR_TEXT or
// COLOUR_BACKGROUND. Other kinds answer COLOUR_DEFAULT.
void GadgetSetColour(ObjectNumber number, int32_t which, int32_t colour);
int32_t GadgetGetColour(ObjectNumber number, int32_t which);
