// Compose on arbitrary readings, many calls on one composer, against a model
// of the slots; every result is the error text or a well-formed bind line.
#include "script/catalogue.h"
#include "script/composer.h"
#include "tests/fuzz/fuzz_input.h"

#include <string>

namespace {

const CatalogueTable* const allTables[] = {&KeyTable, &PrimaryWeaponTable, &SecondaryWeaponTable,
                                           &ArmourTable};

struct Combo {
    SelectionSlot slot;
    const CatalogueTable* table;
    std::string SelectionReadings::*text;
};
const Combo combos[] = {{SLOT_KEY, &KeyTable, &SelectionReadings::key},
                        {SLOT_PRIMARY1, &PrimaryWeaponTable, &SelectionReadings::primary1},
                        {SLOT_PRIMARY2, &PrimaryWeaponTable, &SelectionReadings::primary2},
                        {SLOT_SECONDARY1, &SecondaryWeaponTable, &SelectionReadings::secondary1},
                        {SLOT_SECONDARY2, &SecondaryWeaponTable, &SelectionReadings::secondary2},
                        {SLOT_ARMOUR, &ArmourTable, &SelectionReadings::armour}};

struct Check {
    SelectionSlot slot;
    int32_t gadget;
    int32_t SelectionReadings::*state;
};
const Check checks[] = {{SLOT_PRIMARY_AMMO, 12, &SelectionReadings::primaryAmmo},
                        {SLOT_SECONDARY_AMMO, 15, &SelectionReadings::secondaryAmmo},
                        {SLOT_FLASHBANG1, 16, &SelectionReadings::flashbang1},
                        {SLOT_FLASHBANG2, 17, &SelectionReadings::flashbang2},
                        {SLOT_HE_GRENADE, 18, &SelectionReadings::heGrenade},
                        {SLOT_SMOKE_GRENADE, 19, &SelectionReadings::smokeGrenade},
                        {SLOT_NIGHTVISION, 20, &SelectionReadings::nightvision},
                        {SLOT_DEFUSAL_KIT, 21, &SelectionReadings::defusalKit}};

const SelectionSlot lineOrder[] = {
    SLOT_PRIMARY1,       SLOT_PRIMARY2,    SLOT_PRIMARY_AMMO, SLOT_SECONDARY1, SLOT_SECONDARY2,
    SLOT_SECONDARY_AMMO, SLOT_ARMOUR,      SLOT_FLASHBANG1,   SLOT_FLASHBANG2, SLOT_HE_GRENADE,
    SLOT_SMOKE_GRENADE,  SLOT_NIGHTVISION, SLOT_DEFUSAL_KIT};

// Mostly texts of the own list or another one, sometimes empty or arbitrary
// ones; an unknown text or a check state other than 0 or 1 keeps the slot.
SelectionReadings Read(FuzzInput& in, std::string (&slots)[SLOT_COUNT]) {
    SelectionReadings readings;
    for (const Combo& combo : combos) {
        const uint8_t choice = in.Byte();
        const CatalogueTable& table = choice % 4 ? *allTables[choice / 4 % 4] : *combo.table;
        std::string& text = readings.*combo.text;
        if (choice % 8 < 6) {
            text = table.rows[in.Byte() % table.rowCount].displayText;
        } else if (choice % 8 == 7) {
            text.assign(in.Byte() % 24, static_cast<char>(1 + in.Byte() % 255));
        }
        for (const CatalogueRow& row : *combo.table) {
            if (text == row.displayText) {
                slots[combo.slot] = row.consoleText;
                break;
            }
        }
    }
    for (const Check& check : checks) {
        const uint8_t choice = in.Byte();
        const int32_t state = choice % 4 < 2 ? choice % 4 : choice % 4 == 2 ? in.Int32() : -choice;
        readings.*check.state = state;
        if (state == 0 || state == 1) {
            slots[check.slot] = state ? CheckBoxCommandOf(check.gadget) : "";
        }
    }
    return readings;
}

std::string LineOf(const std::string (&slots)[SLOT_COUNT]) {
    std::string commands;
    for (SelectionSlot slot : lineOrder) {
        if (!slots[slot].empty()) {
            commands += (commands.empty() ? "" : COMMAND_SEPARATOR) + slots[slot];
        }
    }
    if (slots[SLOT_KEY].empty() && commands.empty()) {
        return NOTHING_SELECTED_TEXT;
    }
    return (slots[SLOT_KEY].empty() ? "" : slots[SLOT_KEY] + "\"") + " \"" + commands + "\"";
}

// [bind "<key>"] "<buy command>; <buy command>": splitting at every separator
// leaves whole commands, so none stands at either end or next to another.
void CheckForm(const std::string& line) {
    if (line == NOTHING_SELECTED_TEXT) {
        return;
    }
    FUZZ_CHECK(line.size() >= 3 && line.back() == '"');
    const size_t open = line.rfind('"', line.size() - 2);
    const std::string prefix = line.substr(0, open);
    const std::string commands = line.substr(open + 1, line.size() - open - 2);
    FUZZ_CHECK(prefix == " "
                   ? !commands.empty()
                   : prefix.compare(0, 6, "bind \"") == 0 && prefix.size() > 8 &&
                         prefix.find('"', 6) == prefix.size() - 2 && prefix.back() == ' ');
    for (size_t start = 0; !commands.empty();) {
        const size_t end = commands.find(COMMAND_SEPARATOR, start);
        const std::string command = commands.substr(start, end - start);
        FUZZ_CHECK(command.size() > 4 && command.compare(0, 4, "buy ") == 0);
        FUZZ_CHECK(command.find(';') == std::string::npos && command.back() != ' ');
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    BindLineComposer composer;
    std::string slots[SLOT_COUNT];
    while (!in.Empty()) {
        const std::string line = Compose(composer, Read(in, slots));
        FUZZ_CHECK(line == LineOf(slots));
        for (int slot = 0; slot < SLOT_COUNT; ++slot) {
            FUZZ_CHECK(composer.resolvedCommands[slot] == slots[slot]);
        }
        CheckForm(line);
    }
    return 0;
}
