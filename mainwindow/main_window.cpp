#include "mainwindow/main_window.h"

#include "script/catalogue.h"
#include "script/config_files.h"
#include "toolkit/gadgets.h"
#include "toolkit/number_text.h"
#include "toolkit/windows.h"

#include <cstdint>
#include <string>

namespace {

enum GadgetKind {
    KIND_FRAME,
    KIND_BUTTON,
    KIND_LABEL,
    KIND_CHECK_BOX,
    KIND_COMBO,
    KIND_OUTPUT,
    KIND_LINK
};

struct GadgetLayout {
    ObjectNumber number;
    GadgetKind kind;
    int32_t x, y, width, height; // a combo box's height includes its open list
    const char* text;
    uint32_t option;               // style flags; the hover colour for the link
    const CatalogueTable* entries; // combo boxes only
};

constexpr uint32_t LINK_HOVER_BLUE = 0xff0000;
// A popup with a caption and no window menu, so no close box: Quit or
// Alt+F4 end the program.
constexpr uint32_t MAIN_WINDOW_FLAGS =
    WINDOW_STYLE_POPUP | WINDOW_STYLE_CAPTION | WINDOW_CENTER_SCREEN;

// Creation order. Each combo box is filled and set to its first entry before
// the next gadget is made.
const GadgetLayout mainLayout[] = {
    {0, KIND_FRAME, 5, 5, 240, 80, "Primary Weapon", 0, nullptr},
    {1, KIND_FRAME, 5, 95, 240, 80, "Secondary Weapon", 0, nullptr},
    {2, KIND_FRAME, 5, 185, 240, 80, "Items", 0, nullptr},
    {3, KIND_FRAME, 5, 275, 120, 40, "Armor", 0, nullptr},
    {4, KIND_FRAME, 125, 275, 120, 40, "Key Press", 0, nullptr},
    {GADGET_QUIT, KIND_BUTTON, 5, 365, 80, 25, "Quit", 0, nullptr},
    {GADGET_GENERATE, KIND_BUTTON, 85, 365, 80, 25, "Generate", 0, nullptr},
    {GADGET_ABOUT, KIND_BUTTON, 165, 365, 80, 25, "About", 0, nullptr},
    {GADGET_ADD, KIND_BUTTON, 45, 390, 80, 25, "Add", 0, nullptr},
    {GADGET_SAVE_CONFIG, KIND_BUTTON, 125, 390, 80, 25, "Save Config", 0, nullptr},
    {10, KIND_LABEL, 10, 25, 50, 15, "Choice 1:", 0, nullptr},
    {11, KIND_LABEL, 10, 45, 50, 15, "Choice 2:", 0, nullptr},
    {GADGET_PRIMARY_AMMO, KIND_CHECK_BOX, 10, 65, 85, 17, "Primary Ammo", 0, nullptr},
    {13, KIND_LABEL, 10, 115, 50, 15, "Choice 1:", 0, nullptr},
    {14, KIND_LABEL, 10, 135, 50, 15, "Choice 2:", 0, nullptr},
    {GADGET_SECONDARY_AMMO, KIND_CHECK_BOX, 10, 155, 100, 17, "Secondary Ammo", 0, nullptr},
    {GADGET_FLASHBANG1, KIND_CHECK_BOX, 10, 200, 80, 17, "Flashbang 1", 0, nullptr},
    {GADGET_FLASHBANG2, KIND_CHECK_BOX, 10, 220, 80, 17, "Flashbang 2", 0, nullptr},
    {GADGET_HE_GRENADE, KIND_CHECK_BOX, 10, 240, 80, 15, "HE Grenade", 0, nullptr},
    {GADGET_SMOKE_GRENADE, KIND_CHECK_BOX, 145, 200, 95, 17, "Smoke Grenade", 0, nullptr},
    {GADGET_NIGHTVISION, KIND_CHECK_BOX, 145, 220, 70, 17, "Nightvision", 0, nullptr},
    {GADGET_DEFUSAL_KIT, KIND_CHECK_BOX, 145, 240, 70, 17, "Defusal Kit", 0, nullptr},
    {GADGET_PRIMARY1, KIND_COMBO, 60, 20, 100, 100, nullptr, 0, &PrimaryWeaponTable},
    {GADGET_PRIMARY2, KIND_COMBO, 60, 40, 100, 100, nullptr, 0, &PrimaryWeaponTable},
    {GADGET_SECONDARY1, KIND_COMBO, 60, 110, 100, 100, nullptr, 0, &SecondaryWeaponTable},
    {GADGET_SECONDARY2, KIND_COMBO, 60, 130, 100, 100, nullptr, 0, &SecondaryWeaponTable},
    {GADGET_ARMOUR, KIND_COMBO, 10, 290, 100, 100, nullptr, 0, &ArmourTable},
    {GADGET_KEY, KIND_COMBO, 130, 290, 100, 100, nullptr, 0, &KeyTable},
    {GADGET_OUTPUT, KIND_OUTPUT, 5, 315, 240, 40, "Buy Script Output", OUTPUT_BOX_READ_ONLY,
     nullptr},
    {GADGET_LINK, KIND_LINK, 90, 416, 70, 15, "Oskerand", LINK_HOVER_BLUE, nullptr},
    {30, KIND_LABEL, 50, 432, 150, 15, "Freeware: share it freely", LABEL_SUNKEN, nullptr},
};

// The results are not examined: a gadget that cannot be made is simply missing.
void CreateGadget(const GadgetLayout& g) {
    switch (g.kind) {
    case KIND_FRAME:
        FrameCreate(g.number, g.x, g.y, g.width, g.height, g.text);
        break;
    case KIND_BUTTON:
        ButtonCreate(g.number, g.x, g.y, g.width, g.height, g.text);
        break;
    case KIND_LABEL:
        LabelCreate(g.number, g.x, g.y, g.width, g.height, g.text, g.option);
        break;
    case KIND_CHECK_BOX:
        CheckBoxCreate(g.number, g.x, g.y, g.width, g.height, g.text);
        break;
    case KIND_COMBO:
        ComboCreate(g.number, g.x, g.y, g.width, g.height);
        for (const CatalogueRow& row : *g.entries) {
            GadgetAddItem(g.number, -1, row.displayText);
        }
        GadgetSetState(g.number, 0);
        break;
    case KIND_OUTPUT:
        OutputBoxCreate(g.number, g.x, g.y, g.width, g.height, g.text, g.option);
        break;
    case KIND_LINK:
        LinkCreate(g.number, g.x, g.y, g.width, g.height, g.text, static_cast<int32_t>(g.option));
        break;
    }
}

} // namespace

bool BuildMainWindow() {
    const std::string title = PRODUCT_TITLE_PREFIX + NumberToText(BUILD_NUMBER);
    if (WindowOpen(MAIN_WINDOW, 382, 155, 250, 449, title.c_str(), MAIN_WINDOW_FLAGS) == 0) {
        return false;
    }
    if (GadgetListBegin(WindowHandleOf(MAIN_WINDOW)) == 0) {
        return false;
    }
    for (const GadgetLayout& gadget : mainLayout) {
        CreateGadget(gadget);
    }
    return true;
}
