// Turns the fourteen gadget readings into one bind line.
#pragma once

#include <cstdint>
#include <string>

constexpr const char* COMMAND_SEPARATOR = "; ";
constexpr const char* NOTHING_SELECTED_TEXT = "\"ERROR:\" Nothing is selected!";

// Raw readings in the order OnGenerate reads the gadgets: combo texts as
// shown, check box states as reported.
struct SelectionReadings {
    std::string key;           // 27
    std::string primary1;      // 22
    std::string primary2;      // 23
    int32_t primaryAmmo = 0;   // 12
    std::string secondary1;    // 24
    std::string secondary2;    // 25
    int32_t secondaryAmmo = 0; // 15
    int32_t flashbang1 = 0;    // 16
    int32_t flashbang2 = 0;    // 17
    int32_t heGrenade = 0;     // 18
    int32_t smokeGrenade = 0;  // 19
    int32_t nightvision = 0;   // 20
    int32_t defusalKit = 0;    // 21
    std::string armour;        // 26
};

// Slot order of ResolvedCommands: the reading order.
enum SelectionSlot {
    SLOT_KEY,
    SLOT_PRIMARY1,
    SLOT_PRIMARY2,
    SLOT_PRIMARY_AMMO,
    SLOT_SECONDARY1,
    SLOT_SECONDARY2,
    SLOT_SECONDARY_AMMO,
    SLOT_FLASHBANG1,
    SLOT_FLASHBANG2,
    SLOT_HE_GRENADE,
    SLOT_SMOKE_GRENADE,
    SLOT_NIGHTVISION,
    SLOT_DEFUSAL_KIT,
    SLOT_ARMOUR,
    SLOT_COUNT
};

struct BindLineComposer {
    // Carried over between calls: a reading that names no row, or a check
    // state other than 0 and 1, leaves its slot as it was.
    std::string resolvedCommands[SLOT_COUNT];
};

std::string Compose(BindLineComposer& composer, const SelectionReadings& readings);
