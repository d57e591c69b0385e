#include "script/catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Catalogue, FindRowMatchesTheWholeTextExactly) {
    struct Case {
        const CatalogueTable& table;
        const char* text;
        std::optional<int32_t> row;
    };
    const Case cases[] = {
        {PrimaryWeaponTable, "< none >", 0},
        {PrimaryWeaponTable, "M249", 18},
        {KeyTable, "A", 1},
        {KeyTable, "Mouse Wheel Down (Some Mice)", 99},
        {ArmourTable, "Kevlar", 1},
        {KeyTable, "a", std::nullopt},
        {KeyTable, "escape", std::nullopt},
        {PrimaryWeaponTable, "", std::nullopt},
        {PrimaryWeaponTable, " M3", std::nullopt},
        {PrimaryWeaponTable, "M3 ", std::nullopt},
        {PrimaryWeaponTable, "M", std::nullopt},
        {ArmourTable, "Kevlar & Helmet & more", std::nullopt},
        {SecondaryWeaponTable, "AK47", std::nullopt},
        {PrimaryWeaponTable, nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindRow(c.table, c.text), c.row) << (c.text ? c.text : "(null)");
    }
    // Every row is found by its own text, so the texts are distinct.
    for (const CatalogueTable* table :
         {&PrimaryWeaponTable, &SecondaryWeaponTable, &ArmourTable, &KeyTable}) {
        for (int32_t row = 0; row < table->rowCount; ++row) {
            EXPECT_EQ(FindRow(*table, table->rows[row].displayText), row);
        }
    }
}

// The console takes quoted text literally: a doubled backslash would name
// no key at all.
TEST(Catalogue, BothBackslashKeysBindOneBackslash) {
    for (const char* key : {"Right Quote", "Backslash"}) {
        EXPECT_EQ(std::string(KeyTable.rows[FindRow(KeyTable, key).value()].consoleText),
                  "bind \"\\")
            << key;
    }
}

} // namespace
