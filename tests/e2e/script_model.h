// What brevolt.exe should show and write, worked out here from how the
// program is meant to behave and not from its code: the picks of the six
// combo boxes and eight check boxes, the line Generate composes from them,
// and the bytes of the two configuration files.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ComboRow {
    std::string display;
    std::string console; // the buy command, or for keys the key name
};

struct ComboModel {
    int gadget;
    std::vector<ComboRow> rows; // in the order the combo box lists them
};

struct CheckModel {
    int gadget;
    const char* command;
};

// Combo boxes 27, 22, 23, 24, 25, 26 and check boxes 12, 15 to 21.
const std::vector<ComboModel>& ComboModels();
const std::vector<CheckModel>& CheckModels();

// The picks as the user left them, indexed like ComboModels and CheckModels.
struct Picks {
    std::vector<int> rows = std::vector<int>(6, 0);
    std::vector<bool> checked = std::vector<bool>(8, false);
};

// Picks by display text ("" for "< none >") and a '0'/'1' per check box.
Picks PicksOf(const std::vector<std::string>& displays, const char* checks = "00000000");
std::string ComposeLine(const Picks& picks);
std::string AutoexecFile();
std::string BuyscriptFile(const std::vector<std::string>& lines);

constexpr const char* INITIAL_OUTPUT = "Buy Script Output";
constexpr const char* NOTHING_SELECTED_LINE = "\"ERROR:\" Nothing is selected!";

} // namespace e2e
