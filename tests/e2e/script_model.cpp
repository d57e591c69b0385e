#include "script_model.h"

#include <algorithm>

namespace e2e {
namespace {

// "display=console" pairs after "< none >", one "|" between rows. The
// console takes quoted text literally, so both backslash keys are one
// backslash.
const char* const PRIMARY =
    "M3=m3|XM1014=xm1014|MAC-10=mac10|TMP=tmp|MP5=mp5navy|UMP45=ump45|P90=p90|Galil=galil|"
    "FAMAS=famas|AK47=ak47|M4A1=m4a1|Sig552=sg552|Aug=aug|G3=g3sg1|Sig550=sg550|Scout=scout|"
    "AWP=awp|M249=m249";
const char* const SECONDARY =
    "Glock=glock|USP=usp|P228=p228|Desert Eagle=deagle|Dual Elites=elite|Five Seven=fiveseven";
const char* const ARMOUR = "Kevlar=vest|Kevlar & Helmet=vesthelm";
const char* const NAMED_KEYS =
    "Escape=escape|Pause/System break key=pause|Right Quote=\\|Hyphen=-|Equals Sign==|"
    "Backspace=backspace|Tab=tab|Right Bracket=]|Left Bracket=[|Backslash=\\|"
    "Semicolon=semicolon|ForwardSlash=/|Shift=shift|Enter=enter|Comma=,|Control=ctrl|"
    "Caps Lock=capslock|Alt=alt|Space=space|Up Arrow=uparrow|Down Arrow=downarrow|"
    "Right Arrow=rightarrow|Left Arrow=leftarrow|Insert=ins|Home=home|Page Up=pgup|"
    "Page Down=pgdn|Delete=del|End=end|Key Pad 1=kp_end|Key Pad 2=kp_downarrow|"
    "Key Pad 3=kp_pgdn|Key Pad 4=kp_leftarrow|Key Pad 5=kp_5|Key Pad 6=kp_rightarrow|"
    "Key Pad 7=kp_home|Key Pad 8=kp_uparrow|Key Pad 9=kp_pgup|Key Pad 0=kp_ins|"
    "Key Pad Enter=kp_enter|Key Pad Delete=kp_del|Key Pad Slash=kp_slash|"
    "Key Pad Minus=kp_minus|Key Pad Plus=kp_plus|Mouse Left Click=mouse1|"
    "Mouse Right Click=mouse2|Mouse Middle Click (Some Mice)=mouse3|"
    "Mouse Button 4 (Some Mice)=mouse4|Mouse Button 5 (Some Mice)=mouse5|"
    "Mouse Wheel Up (Some Mice)=mwheelup|Mouse Wheel Down (Some Mice)=mwheeldown";

std::vector<ComboRow> Rows(const std::string& pairs, const std::string& prefix) {
    std::vector<ComboRow> rows = {{"< none >", ""}};
    for (size_t start = 0; start < pairs.size();) {
        const size_t end = std::min(pairs.find('|', start), pairs.size());
        const size_t equals = pairs.find('=', start);
        rows.push_back({pairs.substr(start, equals - start),
                        prefix + pairs.substr(equals + 1, end - equals - 1)});
        start = end + 1;
    }
    return rows;
}

// A to Z bound in lower case, the digits 1 to 9 then 0, F1 to F12 as shown.
std::vector<ComboRow> KeyRows() {
    std::string pairs;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        pairs += std::string(1, letter) + "=" + static_cast<char>(letter - 'A' + 'a') + "|";
    }
    for (char digit : std::string("1234567890")) {
        pairs += std::string(2, digit).insert(1, "=") + "|";
    }
    for (int number = 1; number <= 12; ++number) {
        pairs += "F" + std::to_string(number) + "=F" + std::to_string(number) + "|";
    }
    return Rows(pairs + NAMED_KEYS, "");
}

enum Combo { KEY, PRIMARY1, PRIMARY2, SECONDARY1, SECONDARY2, ARMOUR_PICK };

// Where each command stands in the line: combo boxes by Combo, check boxes
// by 10 + their CheckModels index. The armour comes right after the
// secondary ammunition, ahead of the grenades.
const int LINE_ORDER[] = {PRIMARY1, PRIMARY2, 10, SECONDARY1, SECONDARY2, 11, ARMOUR_PICK,
                          12,       13,       14, 15,         16,         17};

std::string Header() {
    const std::string rule = "//" + std::string(79, ':') + "\r\n";
    return rule +
           "//:::CS: S buy script created with Brevolt by \"Oskerand\" v1.1, Build 4:::\r\n" +
           rule + "\r\n";
}

} // namespace

const std::vector<ComboModel>& ComboModels() {
    static const std::vector<ComboModel> combos = {
        {27, KeyRows()},
        {22, Rows(PRIMARY, "buy ")},
        {23, Rows(PRIMARY, "buy ")},
        {24, Rows(SECONDARY, "buy ")},
        {25, Rows(SECONDARY, "buy ")},
        {26, Rows(ARMOUR, "buy ")},
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

Picks PicksOf(const std::vector<std::string>& displays, const char* checks) {
    Picks picks;
    for (size_t combo = 0; combo < displays.size(); ++combo) {
        const std::vector<ComboRow>& rows = ComboModels()[combo].rows;
        for (size_t row = 1; row < rows.size(); ++row) {
            if (rows[row].display == displays[combo]) {
                picks.rows[combo] = static_cast<int>(row);
            }
        }
    }
    for (size_t check = 0; check < picks.checked.size(); ++check) {
        picks.checked[check] = checks[check] == '1';
    }
    return picks;
}

std::string ComposeLine(const Picks& picks) {
    std::string commands;
    for (int place : LINE_ORDER) {
        const std::string command = place < 10
                                        ? ComboModels()[place].rows[picks.rows[place]].console
                                    : picks.checked[place - 10] ? CheckModels()[place - 10].command
                                                                : "";
        if (!command.empty()) {
            commands += (commands.empty() ? "" : "; ") + command;
        }
    }
    const std::string key = ComboModels()[KEY].rows[picks.rows[KEY]].console;
    if (key.empty() && commands.empty()) {
        return NOTHING_SELECTED_LINE;
    }
    return (key.empty() ? "" : "bind \"" + key + "\"") + " \"" + commands + "\"";
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
