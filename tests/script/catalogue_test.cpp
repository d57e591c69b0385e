#include "script/catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct NamedTable {
    const char* name;
    const CatalogueTable& table;
    int32_t rowCount;
    const char* consolePrefix; // every console text but row 0's starts with it
};

const NamedTable comboTables[] = {
    {"PrimaryWeaponTable", PrimaryWeaponTable, 19, "buy "},
    {"SecondaryWeaponTable", SecondaryWeaponTable, 7, "buy "},
    {"ArmourTable", ArmourTable, 3, "buy "},
    {"KeyTable", KeyTable, 100, "bind \""},
};

TEST(Catalogue, ComboTablesKeepTheirShape) {
    for (const NamedTable& named : comboTables) {
        SCOPED_TRACE(named.name);
        ASSERT_EQ(named.table.rowCount, named.rowCount);
        EXPECT_STREQ(named.table.rows[0].displayText, "< none >");
        EXPECT_STREQ(named.table.rows[0].consoleText, "");

        const size_t prefixLength = std::strlen(named.consolePrefix);
        for (int32_t row = 1; row < named.table.rowCount; ++row) {
            const CatalogueRow& entry = named.table.rows[row];
            SCOPED_TRACE(entry.displayText);
            EXPECT_NE(entry.displayText[0], '\0');
            // Finding each row by its own text also shows the texts are distinct.
            EXPECT_EQ(FindRow(named.table, entry.displayText), row);
            EXPECT_EQ(std::strncmp(entry.consoleText, named.consolePrefix, prefixLength), 0);
            EXPECT_GT(std::strlen(entry.consoleText), prefixLength);
        }
    }
}

TEST(Catalogue, FindRowMatchesWholeTextExactly) {
    struct Case {
        const CatalogueTable& table;
        const char* text;
        std::optional<int32_t> row;
        const char* consoleText;
    };
    const Case cases[] = {
        {PrimaryWeaponTable, "< none >", 0, ""},
        {PrimaryWeaponTable, "MP5", 5, "buy mp5navy"},
        {PrimaryWeaponTable, "M249", 18, "buy m249"},
        {KeyTable, "A", 1, "bind \"a"},
        {KeyTable, "Escape", 49, "bind \"escape"},
        {KeyTable, "Mouse Wheel Down (Some Mice)", 99, "bind \"mwheeldown"},
        {ArmourTable, "Kevlar & Helmet", 2, "buy vesthelm"},
        {ArmourTable, "Kevlar", 1, "buy vest"},
        {KeyTable, "a", std::nullopt, nullptr},
        {KeyTable, "escape", std::nullopt, nullptr},
        {PrimaryWeaponTable, "", std::nullopt, nullptr},
        {PrimaryWeaponTable, " M3", std::nullopt, nullptr},
        {PrimaryWeaponTable, "M3 ", std::nullopt, nullptr},
        {PrimaryWeaponTable, "M", std::nullopt, nullptr},
        {ArmourTable, "Kevlar & Helmet & more", std::nullopt, nullptr},
        {SecondaryWeaponTable, "AK47", std::nullopt, nullptr},
        {PrimaryWeaponTable, nullptr, std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text == nullptr ? "(null)" : c.text);
        const std::optional<int32_t> row = FindRow(c.table, c.text);
        EXPECT_EQ(row, c.row);
        if (row && c.row) {
            EXPECT_STREQ(c.table.rows[*row].consoleText, c.consoleText);
        }
    }
}

// The console takes quoted text literally: a doubled backslash would name
// no key at all.
TEST(Catalogue, BothBackslashKeysBindOneBackslash) {
    for (const char* key : {"Right Quote", "Backslash"}) {
        SCOPED_TRACE(key);
        const std::optional<int32_t> row = FindRow(KeyTable, key);
        ASSERT_TRUE(row);
        EXPECT_EQ(std::string(KeyTable.rows[*row].consoleText), std::string("bind \"\x5C", 7));
    }
}

TEST(Catalogue, CheckBoxCommandOfLooksUpByGadget) {
    for (const CheckBoxCommand& box : CheckBoxCommandTable) {
        EXPECT_EQ(CheckBoxCommandOf(box.gadget), box.command);
    }
    for (int32_t gadget : {-1, 0, 11, 13, 14, 22, 28}) {
        EXPECT_EQ(CheckBoxCommandOf(gadget), nullptr) << gadget;
    }
}

} // namespace
