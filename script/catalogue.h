// The program's vocabulary: every display text the user can pick, paired
// with the console text the game reads. Constant data.
#pragma once

#include <cstdint>
#include <optional>

struct CatalogueRow {
    const char* displayText;
    const char* consoleText; // empty in row 0 of every table
};

struct CatalogueTable {
    const CatalogueRow* rows;
    int32_t rowCount;

    const CatalogueRow* begin() const { return rows; }
    const CatalogueRow* end() const { return rows + rowCount; }
};

extern const CatalogueTable PrimaryWeaponTable;
extern const CatalogueTable SecondaryWeaponTable;
extern const CatalogueTable ArmourTable;
extern const CatalogueTable KeyTable;

constexpr const char* NONE_TEXT = "< none >";

// Whole-text, byte-exact, case-sensitive match; the empty text matches nothing.
std::optional<int32_t> FindRow(const CatalogueTable& table, const char* displayText);

struct CheckBoxCommand {
    int32_t gadget;
    const char* caption;
    const char* command;
};
extern const CheckBoxCommand CheckBoxCommandTable[8];

// The command of a check box gadget, or nullptr for a gadget not in the table.
const char* CheckBoxCommandOf(int32_t gadget);
