#include "script/catalogue.h"

#include <cstring>

namespace {

const CatalogueRow primaryWeaponRows[] = {
    {NONE_TEXT, ""},         {"M3", "buy m3"},       {"XM1014", "buy xm1014"},
    {"MAC-10", "buy mac10"}, {"TMP", "buy tmp"},     {"MP5", "buy mp5navy"},
    {"UMP45", "buy ump45"},  {"P90", "buy p90"},     {"Galil", "buy galil"},
    {"FAMAS", "buy famas"},  {"AK47", "buy ak47"},   {"M4A1", "buy m4a1"},
    {"Sig552", "buy sg552"}, {"Aug", "buy aug"},     {"G3", "buy g3sg1"},
    {"Sig550", "buy sg550"}, {"Scout", "buy scout"}, {"AWP", "buy awp"},
    {"M249", "buy m249"},
};

const CatalogueRow secondaryWeaponRows[] = {
    {NONE_TEXT, ""},
    {"Glock", "buy glock"},
    {"USP", "buy usp"},
    {"P228", "buy p228"},
    {"Desert Eagle", "buy deagle"},
    {"Dual Elites", "buy elite"},
    {"Five Seven", "buy fiveseven"},
};

const CatalogueRow armourRows[] = {
    {NONE_TEXT, ""},
    {"Kevlar", "buy vest"},
    {"Kevlar & Helmet", "buy vesthelm"},
};

// Each console text is a bind token: the key name in an opened quote, which
// the composer closes. The console reads quoted text literally, so both
// backslash keys are named by a single backslash.
const CatalogueRow keyRows[] = {
    {NONE_TEXT, ""},
    {"A", "bind \"a"},
    {"B", "bind \"b"},
    {"C", "bind \"c"},
    {"D", "bind \"d"},
    {"E", "bind \"e"},
    {"F", "bind \"f"},
    {"G", "bind \"g"},
    {"H", "bind \"h"},
    {"I", "bind \"i"},
    {"J", "bind \"j"},
    {"K", "bind \"k"},
    {"L", "bind \"l"},
    {"M", "bind \"m"},
    {"N", "bind \"n"},
    {"O", "bind \"o"},
    {"P", "bind \"p"},
    {"Q", "bind \"q"},
    {"R", "bind \"r"},
    {"S", "bind \"s"},
    {"T", "bind \"t"},
    {"U", "bind \"u"},
    {"V", "bind \"v"},
    {"W", "bind \"w"},
    {"X", "bind \"x"},
    {"Y", "bind \"y"},
    {"Z", "bind \"z"},
    {"1", "bind \"1"},
    {"2", "bind \"2"},
    {"3", "bind \"3"},
    {"4", "bind \"4"},
    {"5", "bind \"5"},
    {"6", "bind \"6"},
    {"7", "bind \"7"},
    {"8", "bind \"8"},
    {"9", "bind \"9"},
    {"0", "bind \"0"},
    {"F1", "bind \"F1"},
    {"F2", "bind \"F2"},
    {"F3", "bind \"F3"},
    {"F4", "bind \"F4"},
    {"F5", "bind \"F5"},
    {"F6", "bind \"F6"},
    {"F7", "bind \"F7"},
    {"F8", "bind \"F8"},
    {"F9", "bind \"F9"},
    {"F10", "bind \"F10"},
    {"F11", "bind \"F11"},
    {"F12", "bind \"F12"},
    {"Escape", "bind \"escape"},
    {"Pause/System break key", "bind \"pause"},
    {"Right Quote", "bind \"\\"},
    {"Hyphen", "bind \"-"},
    {"Equals Sign", "bind \"="},
    {"Backspace", "bind \"backspace"},
    {"Tab", "bind \"tab"},
    {"Right Bracket", "bind \"]"},
    {"Left Bracket", "bind \"["},
    {"Backslash", "bind \"\\"},
    {"Semicolon", "bind \"semicolon"},
    {"ForwardSlash", "bind \"/"},
    {"Shift", "bind \"shift"},
    {"Enter", "bind \"enter"},
    {"Comma", "bind \","},
    {"Control", "bind \"ctrl"},
    {"Caps Lock", "bind \"capslock"},
    {"Alt", "bind \"alt"},
    {"Space", "bind \"space"},
    {"Up Arrow", "bind \"uparrow"},
    {"Down Arrow", "bind \"downarrow"},
    {"Right Arrow", "bind \"rightarrow"},
    {"Left Arrow", "bind \"leftarrow"},
    {"Insert", "bind \"ins"},
    {"Home", "bind \"home"},
    {"Page Up", "bind \"pgup"},
    {"Page Down", "bind \"pgdn"},
    {"Delete", "bind \"del"},
    {"End", "bind \"end"},
    {"Key Pad 1", "bind \"kp_end"},
    {"Key Pad 2", "bind \"kp_downarrow"},
    {"Key Pad 3", "bind \"kp_pgdn"},
    {"Key Pad 4", "bind \"kp_leftarrow"},
    {"Key Pad 5", "bind \"kp_5"},
    {"Key Pad 6", "bind \"kp_rightarrow"},
    {"Key Pad 7", "bind \"kp_home"},
    {"Key Pad 8", "bind \"kp_uparrow"},
    {"Key Pad 9", "bind \"kp_pgup"},
    {"Key Pad 0", "bind \"kp_ins"},
    {"Key Pad Enter", "bind \"kp_enter"},
    {"Key Pad Delete", "bind \"kp_del"},
    {"Key Pad Slash", "bind \"kp_slash"},
    {"Key Pad Minus", "bind \"kp_minus"},
    {"Key Pad Plus", "bind \"kp_plus"},
    {"Mouse Left Click", "bind \"mouse1"},
    {"Mouse Right Click", "bind \"mouse2"},
    {"Mouse Middle Click (Some Mice)", "bind \"mouse3"},
    {"Mouse Button 4 (Some Mice)", "bind \"mouse4"},
    {"Mouse Button 5 (Some Mice)", "bind \"mouse5"},
    {"Mouse Wheel Up (Some Mice)", "bind \"mwheelup"},
    {"Mouse Wheel Down (Some Mice)", "bind \"mwheeldown"},
};

template <size_t N> constexpr CatalogueTable TableOf(const CatalogueRow (&rows)[N]) {
    return {rows, static_cast<int32_t>(N)};
}

} // namespace

const CatalogueTable PrimaryWeaponTable = TableOf(primaryWeaponRows);
const CatalogueTable SecondaryWeaponTable = TableOf(secondaryWeaponRows);
const CatalogueTable ArmourTable = TableOf(armourRows);
const CatalogueTable KeyTable = TableOf(keyRows);

const CheckBoxCommand CheckBoxCommandTable[8] = {
    {12, "Primary Ammo", "buy primammo"}, {15, "Secondary Ammo", "buy secammo"},
    {16, "Flashbang 1", "buy flashbang"}, {17, "Flashbang 2", "buy flashbang"},
    {18, "HE Grenade", "buy hegrenade"},  {19, "Smoke Grenade", "buy smokegrenade"},
    {20, "Nightvision", "buy nvgs"},      {21, "Defusal Kit", "buy defuser"},
};

std::optional<int32_t> FindRow(const CatalogueTable& table, const char* displayText) {
    // No display text is empty, so the empty text needs no test of its own.
    if (displayText == nullptr) {
        return std::nullopt;
    }
    for (int32_t row = 0; row < table.rowCount; ++row) {
        if (std::strcmp(table.rows[row].displayText, displayText) == 0) {
            return row;
        }
    }
    return std::nullopt;
}

const char* CheckBoxCommandOf(int32_t gadget) {
    for (const CheckBoxCommand& box : CheckBoxCommandTable) {
        if (box.gadget == gadget) {
            return box.command;
        }
    }
    return nullptr;
}
