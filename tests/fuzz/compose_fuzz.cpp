// Compose on arbitrary readings, many calls on one composer: every result
// matches a model written from the composer's description, and has the form
// of a bind line or is the error text.
#include "script/catalogue.h"
#include "script/composer.h"
#include "tests/fuzz/fuzz_input.h"

#include <string>

namespace {

const CatalogueTable* const allTables[] = {&KeyTable, &PrimaryWeaponTable, &SecondaryWeaponTable,
                                           &ArmourTable};

struct ComboReading {
    SelectionSlot slot;
    const CatalogueTable* table;
    std::string SelectionReadings::*field;
};

struct CheckReading {
    SelectionSlot slot;
    int32_t gadget;
    int32_t SelectionReadings::*field;
};

const ComboReading comboReadings[] = {
    {SLOT_KEY, &KeyTable, &SelectionReadings::key},
    {SLOT_PRIMARY1, &PrimaryWeaponTable, &SelectionReadings::primary1},
    {SLOT_PRIMARY2, &PrimaryWeaponTable, &SelectionReadings::primary2},
    {SLOT_SECONDARY1, &SecondaryWeaponTable, &SelectionReadings::secondary1},
    {SLOT_SECONDARY2, &SecondaryWeaponTable, &SelectionReadings::secondary2},
    {SLOT_ARMOUR, &ArmourTable, &SelectionReadings::armour},
};

const CheckReading checkReadings[] = {
    {SLOT_PRIMARY_AMMO, 12, &SelectionReadings::primaryAmmo},
    {SLOT_SECONDARY_AMMO, 15, &SelectionReadings::secondaryAmmo},
    {SLOT_FLASHBANG1, 16, &SelectionReadings::flashbang1},
    {SLOT_FLASHBANG2, 17, &SelectionReadings::flashbang2},
    {SLOT_HE_GRENADE, 18, &SelectionReadings::heGrenade},
    {SLOT_SMOKE_GRENADE, 19, &SelectionReadings::smokeGrenade},
    {SLOT_NIGHTVISION, 20, &SelectionReadings::nightvision},
    {SLOT_DEFUSAL_KIT, 21, &SelectionReadings::defusalKit},
};

const SelectionSlot lineOrder[] = {
    SLOT_PRIMARY1,       SLOT_PRIMARY2,    SLOT_PRIMARY_AMMO, SLOT_SECONDARY1, SLOT_SECONDARY2,
    SLOT_SECONDARY_AMMO, SLOT_ARMOUR,      SLOT_FLASHBANG1,   SLOT_FLASHBANG2, SLOT_HE_GRENADE,
    SLOT_SMOKE_GRENADE,  SLOT_NIGHTVISION, SLOT_DEFUSAL_KIT,
};

// Mostly texts the combo boxes can show, sometimes ones they cannot.
std::string ComboText(FuzzInput& in, const CatalogueTable& own) {
    const uint8_t choice = in.Byte();
    switch (choice % 4) {
    case 0:
        return own.rows[in.Byte() % own.rowCount].displayText;
    case 1: {
        const CatalogueTable& other = *allTables[choice / 4 % 4];
        return other.rows[in.Byte() % other.rowCount].displayText;
    }
    case 2:
        return "";
    default:
        return in.Text(24);
    }
}

int32_t CheckState(FuzzInput& in) {
    const uint8_t choice = in.Byte();
    switch (choice % 4) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return in.Int32();
    default:
        return choice / 4 - 32;
    }
}

// The slots as the composer's users are told they behave.
struct Model {
    std::string slots[SLOT_COUNT];

    void Read(const SelectionReadings& readings) {
        for (const ComboReading& combo : comboReadings) {
            for (const CatalogueRow& row : *combo.table) {
                if (readings.*combo.field == row.displayText) {
                    slots[combo.slot] = row.consoleText;
                    break;
                }
            }
        }
        for (const CheckReading& check : checkReadings) {
            const int32_t state = readings.*check.field;
            if (state == 0 || state == 1) {
                slots[check.slot] = state == 1 ? CheckBoxCommandOf(check.gadget) : "";
            }
        }
    }

    std::string Line() const {
        std::string commands;
        for (SelectionSlot slot : lineOrder) {
            if (!slots[slot].empty()) {
                commands += (commands.empty() ? "" : "; ") + slots[slot];
            }
        }
        if (slots[SLOT_KEY].empty() && commands.empty()) {
            return NOTHING_SELECTED_TEXT;
        }
        const std::string key = slots[SLOT_KEY].empty() ? "" : slots[SLOT_KEY] + "\"";
        return key + " \"" + commands + "\"";
    }
};

// bind "<key>" "<command>; <command>" with either part possibly empty, or
// the error text.
void CheckForm(const std::string& line) {
    if (line == NOTHING_SELECTED_TEXT) {
        return;
    }
    size_t at = 0;
    if (line.compare(0, 6, "bind \"") == 0) {
        const size_t keyEnd = line.find('"', 6);
        FUZZ_CHECK(keyEnd != std::string::npos && keyEnd > 6);
        at = keyEnd + 1;
    }
    FUZZ_CHECK(line.compare(at, 2, " \"") == 0);
    FUZZ_CHECK(line.size() >= at + 3 && line.back() == '"');
    const std::string commands = line.substr(at + 2, line.size() - at - 3);
    FUZZ_CHECK(commands.find('"') == std::string::npos);
    FUZZ_CHECK(at > 0 || !commands.empty());
    // Splitting at every separator leaves only whole commands: no separator
    // stands at either end or next to another.
    size_t start = 0;
    while (!commands.empty()) {
        const size_t end = commands.find("; ", start);
        const std::string command = commands.substr(start, end - start);
        FUZZ_CHECK(command.compare(0, 4, "buy ") == 0 && command.size() > 4);
        FUZZ_CHECK(command.find(';') == std::string::npos && command.back() != ' ');
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    BindLineComposer composer;
    Model model;
    while (!in.Empty()) {
        SelectionReadings readings;
        for (const ComboReading& combo : comboReadings) {
            readings.*combo.field = ComboText(in, *combo.table);
        }
        for (const CheckReading& check : checkReadings) {
            readings.*check.field = CheckState(in);
        }
        const std::string line = Compose(composer, readings);
        model.Read(readings);
        FUZZ_CHECK(line == model.Line());
        for (int slot = 0; slot < SLOT_COUNT; ++slot) {
            FUZZ_CHECK(composer.resolvedCommands[slot] == model.slots[slot]);
        }
        CheckForm(line);
    }
    return 0;
}
