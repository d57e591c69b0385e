// Window 0: the program's only window, and the numbers of its gadgets.
#pragma once

#include "toolkit/registry.h"

constexpr ObjectNumber MAIN_WINDOW = 0;

// Gadgets the commands read, write or answer to.
enum MainGadget : ObjectNumber {
    GADGET_QUIT = 5,
    GADGET_GENERATE = 6,
    GADGET_ABOUT = 7,
    GADGET_ADD = 8,
    GADGET_SAVE_CONFIG = 9,
    GADGET_PRIMARY_AMMO = 12,
    GADGET_SECONDARY_AMMO = 15,
    GADGET_FLASHBANG1 = 16,
    GADGET_FLASHBANG2 = 17,
    GADGET_HE_GRENADE = 18,
    GADGET_SMOKE_GRENADE = 19,
    GADGET_NIGHTVISION = 20,
    GADGET_DEFUSAL_KIT = 21,
    GADGET_PRIMARY1 = 22,
    GADGET_PRIMARY2 = 23,
    GADGET_SECONDARY1 = 24,
    GADGET_SECONDARY2 = 25,
    GADGET_ARMOUR = 26,
    GADGET_KEY = 27,
    GADGET_OUTPUT = 28,
    GADGET_LINK = 29,
};

// Opens window 0 and creates its 31 gadgets with the combo boxes filled and
// set to "< none >". false when the window cannot be opened or take gadgets.
bool BuildMainWindow();
