#include "script/composer.h"

#include "script/catalogue.h"

#include <gtest/gtest.h>

namespace {

// What the main window reports when nothing is picked: every combo box on
// its first entry, every check box clear.
SelectionReadings NothingPicked() {
    SelectionReadings readings;
    readings.key = NONE_TEXT;
    readings.primary1 = NONE_TEXT;
    readings.primary2 = NONE_TEXT;
    readings.secondary1 = NONE_TEXT;
    readings.secondary2 = NONE_TEXT;
    readings.armour = NONE_TEXT;
    return readings;
}

struct Example {
    const char* what;
    void (*pick)(SelectionReadings&);
    const char* line;
};

const Example examples[] = {
    {"everyday buy",
     [](SelectionReadings& r) {
         r.key = "Q";
         r.primary1 = "M4A1";
         r.primaryAmmo = 1;
         r.secondary1 = "Desert Eagle";
         r.secondaryAmmo = 1;
         r.armour = "Kevlar & Helmet";
         r.heGrenade = 1;
     },
     "bind \"q\" \"buy m4a1; buy primammo; buy deagle; buy secammo; buy vesthelm; buy hegrenade\""},
    {"repeats are kept, armour before the grenades",
     [](SelectionReadings& r) {
         r.key = "Key Pad Enter";
         r.primary1 = "AK47";
         r.primary2 = "AK47";
         r.secondary2 = "Dual Elites";
         r.armour = "Kevlar";
         r.flashbang1 = 1;
         r.flashbang2 = 1;
         r.heGrenade = 1;
         r.smokeGrenade = 1;
         r.nightvision = 1;
         r.defusalKit = 1;
     },
     "bind \"kp_enter\" \"buy ak47; buy ak47; buy elite; buy vest; buy flashbang; buy flashbang; "
     "buy hegrenade; buy smokegrenade; buy nvgs; buy defuser\""},
    {"key alone", [](SelectionReadings& r) { r.key = "Mouse Button 4 (Some Mice)"; },
     "bind \"mouse4\" \"\""},
    {"commands without a key",
     [](SelectionReadings& r) {
         r.primary2 = "AWP";
         r.flashbang2 = 1;
     },
     " \"buy awp; buy flashbang\""},
    {"nothing", [](SelectionReadings&) {}, "\"ERROR:\" Nothing is selected!"},
    {"armour alone", [](SelectionReadings& r) { r.armour = "Kevlar"; }, " \"buy vest\""},
    {"second secondary alone", [](SelectionReadings& r) { r.secondary2 = "Five Seven"; },
     " \"buy fiveseven\""},
    {"defusal kit alone", [](SelectionReadings& r) { r.defusalKit = 1; }, " \"buy defuser\""},
    {"primary then secondary ammo",
     [](SelectionReadings& r) {
         r.primary1 = "M4A1";
         r.secondaryAmmo = 1;
     },
     " \"buy m4a1; buy secammo\""},
    {"primary ammo then secondary",
     [](SelectionReadings& r) {
         r.primaryAmmo = 1;
         r.secondary1 = "Glock";
     },
     " \"buy primammo; buy glock\""},
    {"backslash key", [](SelectionReadings& r) { r.key = "Right Quote"; }, "bind \"\\\" \"\""},
};

TEST(Composer, ComposesTheExamples) {
    for (const Example& example : examples) {
        SCOPED_TRACE(example.what);
        BindLineComposer composer;
        SelectionReadings readings = NothingPicked();
        example.pick(readings);
        EXPECT_EQ(Compose(composer, readings), example.line);
    }
}

TEST(Composer, EachCallShowsTheCurrentPicks) {
    BindLineComposer composer;
    for (const Example& example : examples) {
        SCOPED_TRACE(example.what);
        SelectionReadings readings = NothingPicked();
        example.pick(readings);
        EXPECT_EQ(Compose(composer, readings), example.line);
    }
}

// Readings that name no row and states other than 0 and 1 keep the slot
// from the previous call; everything else overwrites it.
TEST(Composer, UnreadableReadingsCarryOver) {
    struct Step {
        const char* what;
        void (*pick)(SelectionReadings&);
        const char* line;
    };
    const Step steps[] = {
        {"unknown texts count as none at first",
         [](SelectionReadings& r) {
             r.key = "q";
             r.primary1 = "";
             r.armour = "Helmet";
         },
         "\"ERROR:\" Nothing is selected!"},
        {"state 2 at first counts as clear", [](SelectionReadings& r) { r.heGrenade = 2; },
         "\"ERROR:\" Nothing is selected!"},
        {"pick some",
         [](SelectionReadings& r) {
             r.key = "Q";
             r.primary1 = "M3";
             r.flashbang2 = 1;
             r.armour = "Kevlar";
         },
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {"unreadable combos and states keep them",
         [](SelectionReadings& r) {
             r.key = "";
             r.primary1 = "m3";
             r.armour = "Kevlar ";
             r.flashbang2 = -1;
         },
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {"other unreadable states change nothing",
         [](SelectionReadings& r) {
             r.key = "";
             r.primary1 = "";
             r.armour = "";
             r.flashbang2 = 7;
         },
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {"readable picks overwrite", [](SelectionReadings& r) { r.flashbang2 = 1; },
         " \"buy flashbang\""},
        {"a kept slot is still overwritten later",
         [](SelectionReadings& r) {
             r.primary2 = "Scout";
             r.flashbang2 = 3;
         },
         " \"buy scout; buy flashbang\""},
        {"clear again", [](SelectionReadings&) {}, "\"ERROR:\" Nothing is selected!"},
    };
    BindLineComposer composer;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        SelectionReadings readings = NothingPicked();
        step.pick(readings);
        EXPECT_EQ(Compose(composer, readings), step.line);
    }
}

} // namespace
