// Gadgets: numbered child controls of the window given to GadgetListBegin.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>
#include <string>

constexpr int32_t COLOUR_DEFAULT = -1;
constexpr int32_t SUBTYPE_FOCUS_GAINED = 14000;
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

// Colour of a gadget that has colours: which = 1 text, 2 background.
void GadgetSetColour(ObjectNumber number, int32_t which, int32_t colour);
int32_t GadgetGetColour(ObjectNumber number, int32_t which);
