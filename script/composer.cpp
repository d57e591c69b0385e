#include "script/composer.h"

#include "script/catalogue.h"

namespace {

struct ComboSlot {
    SelectionSlot slot;
    const CatalogueTable* table;
    std::string SelectionReadings::*reading;
};

struct CheckSlot {
    SelectionSlot slot;
    int32_t gadget;
    int32_t SelectionReadings::*reading;
};

const ComboSlot comboSlots[] = {
    {SLOT_KEY, &KeyTable, &SelectionReadings::key},
    {SLOT_PRIMARY1, &PrimaryWeaponTable, &SelectionReadings::primary1},
    {SLOT_PRIMARY2, &PrimaryWeaponTable, &SelectionReadings::primary2},
    {SLOT_SECONDARY1, &SecondaryWeaponTable, &SelectionReadings::secondary1},
    {SLOT_SECONDARY2, &SecondaryWeaponTable, &SelectionReadings::secondary2},
    {SLOT_ARMOUR, &ArmourTable, &SelectionReadings::armour},
};

const CheckSlot checkSlots[] = {
    {SLOT_PRIMARY_AMMO, 12, &SelectionReadings::primaryAmmo},
    {SLOT_SECONDARY_AMMO, 15, &SelectionReadings::secondaryAmmo},
    {SLOT_FLASHBANG1, 16, &SelectionReadings::flashbang1},
    {SLOT_FLASHBANG2, 17, &SelectionReadings::flashbang2},
    {SLOT_HE_GRENADE, 18, &SelectionReadings::heGrenade},
    {SLOT_SMOKE_GRENADE, 19, &SelectionReadings::smokeGrenade},
    {SLOT_NIGHTVISION, 20, &SelectionReadings::nightvision},
    {SLOT_DEFUSAL_KIT, 21, &SelectionReadings::defusalKit},
};

// The line lists the armour right after the secondary ammunition, not in
// reading order.
const SelectionSlot commandOrder[] = {
    SLOT_PRIMARY1,       SLOT_PRIMARY2,    SLOT_PRIMARY_AMMO, SLOT_SECONDARY1, SLOT_SECONDARY2,
    SLOT_SECONDARY_AMMO, SLOT_ARMOUR,      SLOT_FLASHBANG1,   SLOT_FLASHBANG2, SLOT_HE_GRENADE,
    SLOT_SMOKE_GRENADE,  SLOT_NIGHTVISION, SLOT_DEFUSAL_KIT,
};

// A reading that names no row, or a state other than 0 and 1, keeps what
// the slot held before.
void Resolve(BindLineComposer& composer, const SelectionReadings& readings) {
    std::string* resolved = composer.resolvedCommands;
    for (const ComboSlot& combo : comboSlots) {
        const std::optional<int32_t> row = FindRow(*combo.table, (readings.*combo.reading).c_str());
        if (row) {
            resolved[combo.slot] = combo.table->rows[*row].consoleText;
        }
    }
    for (const CheckSlot& check : checkSlots) {
        const int32_t state = readings.*check.reading;
        if (state == 1) {
            resolved[check.slot] = CheckBoxCommandOf(check.gadget);
        } else if (state == 0) {
            resolved[check.slot].clear();
        }
    }
}

} // namespace

std::string Compose(BindLineComposer& composer, const SelectionReadings& readings) {
    Resolve(composer, readings);
    const std::string* resolved = composer.resolvedCommands;

    std::string keyPiece;
    if (!resolved[SLOT_KEY].empty()) {
        keyPiece = resolved[SLOT_KEY] + "\"";
    }
    std::string commandList;
    for (SelectionSlot slot : commandOrder) {
        if (resolved[slot].empty()) {
            continue;
        }
        if (!commandList.empty()) {
            commandList += COMMAND_SEPARATOR;
        }
        commandList += resolved[slot];
    }

    if (keyPiece.empty() && commandList.empty()) {
        return NOTHING_SELECTED_TEXT;
    }
    return keyPiece + " \"" + commandList + "\"";
}
