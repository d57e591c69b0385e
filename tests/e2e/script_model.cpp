#include "script_model.h"

#include <iterator>

namespace e2e {
namespace {

const std::vector<ComboRow> PRIMARY = {
    {"< none >", ""},        {"M3", "buy m3"},       {"XM1014", "buy xm1014"},
    {"MAC-10", "buy mac10"}, {"TMP", "buy tmp"},     {"MP5", "buy mp5navy"},
    {"UMP45", "buy ump45"},  {"P90", "buy p90"},     {"Galil", "buy galil"},
    {"FAMAS", "buy famas"},  {"AK47", "buy ak47"},   {"M4A1", "buy m4a1"},
    {"Sig552", "buy sg552"}, {"Aug", "buy aug"},     {"G3", "buy g3sg1"},
    {"Sig550", "buy sg550"}, {"Scout", "buy scout"}, {"AWP", "buy awp"},
    {"M249", "buy m249"},
};

const std::vector<ComboRow> SECONDARY = {
    {"< none >", ""},
    {"Glock", "buy glock"},
    {"USP", "buy usp"},
    {"P228", "buy p228"},
    {"Desert Eagle", "buy deagle"},
    {"Dual Elites", "buy elite"},
    {"Five Seven", "buy fiveseven"},
};

const std::vector<ComboRow> ARMOUR = {
    {"< none >", ""},
    {"Kevlar", "buy vest"},
    {"Kevlar & Helmet", "buy vesthelm"},
};

// After "< none >": A to Z bound in lower case, the digits 1 to 9 then 0,
// F1 to F12 as shown; then these, whose names differ from their captions.
const ComboRow NAMED_KEYS[] = {
    {"Escape", "escape"},
    {"Pause/System break key", "pause"},
    {"Right Quote", "\\"},
    {"Hyphen", "-"},
    {"Equals Sign", "="},
    {"Backspace", "backspace"},
    {"Tab", "tab"},
    {"Right Bracket", "]"},
    {"Left Bracket", "["},
    // The console takes quoted text literally, so this key is one backslash
    // too, like "Right Quote".
    {"Backslash", "\\"},
    {"Semicolon", "semicolon"},
    {"ForwardSlash", "/"},
    {"Shift", "shift"},
    {"Enter", "enter"},
    {"Comma", ","},
    {"Control", "ctrl"},
    {"Caps Lock", "capslock"},
    {"Alt", "alt"},
    {"Space", "space"},
    {"Up Arrow", "uparrow"},
    {"Down Arrow", "downarrow"},
    {"Right Arrow", "rightarrow"},
    {"Left Arrow", "leftarrow"},
    {"Insert", "ins"},
    {"Home", "home"},
    {"Page Up", "pgup"},
    {"Page Down", "pgdn"},
    {"Delete", "del"},
    {"End", "end"},
    {"Key Pad 1", "kp_end"},
    {"Key Pad 2", "kp_downarrow"},
    {"Key Pad 3", "kp_pgdn"},
    {"Key Pad 4", "kp_leftarrow"},
    {"Key Pad 5", "kp_5"},
    {"Key Pad 6", "kp_rightarrow"},
    {"Key Pad 7", "kp_home"},
    {"Key Pad 8", "kp_uparrow"},
    {"Key Pad 9", "kp_pgup"},
    {"Key Pad 0", "kp_ins"},
    {"Key Pad Enter", "kp_enter"},
    {"Key Pad Delete", "kp_del"},
    {"Key Pad Slash", "kp_slash"},
    {"Key Pad Minus", "kp_minus"},
    {"Key Pad Plus", "kp_plus"},
    {"Mouse Left Click", "mouse1"},
    {"Mouse Right Click", "mouse2"},
    {"Mouse Middle Click (Some Mice)", "mouse3"},
    {"Mouse Button 4 (Some Mice)", "mouse4"},
    {"Mouse Button 5 (Some Mice)", "mouse5"},
    {"Mouse Wheel Up (Some Mice)", "mwheelup"},
    {"Mouse Wheel Down (Some Mice)", "mwheeldown"},
};

std::vector<ComboRow> KeyRows() {
    std::vector<ComboRow> rows = {{"< none >", ""}};
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        rows.push_back(
            {std::string(1, letter), std::string(1, static_cast<char>(letter - 'A' + 'a'))});
    }
    for (char digit : std::string("1234567890")) {
        rows.push_back({std::string(1, digit), std::string(1, digit)});
    }
    for (int number = 1; number <= 12; ++number) {
        const std::string name = "F" + std::to_string(number);
        rows.push_back({name, name});
    }
    rows.insert(rows.end(), std::begin(NAMED_KEYS), std::end(NAMED_KEYS));
    return rows;
}

enum Combo { KEY, PRIMARY1, PRIMARY2, SECONDARY1, SECONDARY2, ARMOUR_PICK };
enum Check { PRIMARY_AMMO, SECONDARY_AMMO, FLASHBANG1, FLASHBANG2, HE, SMOKE, NIGHTVISION, KIT };

// Where each command stands in the line: the armour comes right after the
// secondary ammunition, ahead of the grenades.
struct LinePlace {
    bool isCombo;
    int index; // into Combo or Check
};
const LinePlace LINE_ORDER[] = {
    {true, PRIMARY1},    {true, PRIMARY2},    {false, PRIMARY_AMMO},
    {true, SECONDARY1},  {true, SECONDARY2},  {false, SECONDARY_AMMO},
    {true, ARMOUR_PICK}, {false, FLASHBANG1}, {false, FLASHBANG2},
    {false, HE},         {false, SMOKE},      {false, NIGHTVISION},
    {false, KIT},
};

std::string Header() {
    const std::string rule = "//" + std::string(79, ':') + "\r\n";
    return rule +
           "//:::CS: S buy script created with Brevolt by \"Oskerand\" v1.1, Build 4:::\r\n" +
           rule + "\r\n";
}

} // namespace

const std::vector<ComboModel>& ComboModels() {
    static const std::vector<ComboModel> combos = {
        {27, KeyRows()}, {22, PRIMARY},   {23, PRIMARY},
        {24, SECONDARY}, {25, SECONDARY}, {26, ARMOUR},
    };
    return combos;
}

const std::vector<CheckModel>& CheckModels() {
    static const std::vector<CheckModel> checks = {
        {12, "buy primammo"},  {15, "buy secammo"},   {16, "buy flashbang"},
        {17, "buy flashbang"}, {18, "buy hegrenade"}, {19, "buy smokegrenade"},
        {20, "buy nvgs"},      {21, "buy defuser"},
    };
    return checks;
}

std::string ComposeLine(const Picks& picks) {
    std::string commands;
    for (const LinePlace& place : LINE_ORDER) {
        const std::string command =
            place.isCombo ? ComboModels()[place.index].rows[picks.rows[place.index]].console
            : picks.checked[place.index] ? CheckModels()[place.index].command
                                         : "";
        if (!command.empty()) {
            commands += (commands.empty() ? "" : "; ") + command;
        }
    }
    const std::string key = ComboModels()[KEY].rows[picks.rows[KEY]].console;
    if (key.empty() && commands.empty()) {
        return NOTHING_SELECTED_LINE;
    }
    const std::string keyPart = key.empty() ? "" : "bind \"" + key + "\"";
    return keyPart + " \"" + commands + "\"";
}

std::string AutoexecFile() {
    return Header() + "exec buyscript.cfg\r\n";
}

std::string BuyscriptFile(const std::vector<std::string>& lines) {
    const std::string sectionRule = "//" + std::string(16, ':') + "\r\n";
    std::string file = Header() + sectionRule + "//:::Buy Script:::\r\n" + sectionRule + "\r\n";
    for (const std::string& line : lines) {
        file += line + "\r\n";
    }
    return file;
}

} // namespace e2e
