#include "script/composer.h"

#include "script/catalogue.h"

#include <gtest/gtest.h>

namespace {

// Readings as the main window reports them: nullptr stands for "< none >";
// states are one character per check box in reading order (primary ammo,
// secondary ammo, flashbang 1 and 2, HE, smoke, nightvision, defusal kit),
// a digit or 'x' for -1.
SelectionReadings Readings(const char* key, const char* primary1, const char* primary2,
                           const char* secondary1, const char* secondary2, const char* armour,
                           const char* states) {
    SelectionReadings r;
    std::string* texts[] = {&r.key,        &r.primary1,   &r.primary2,
                            &r.secondary1, &r.secondary2, &r.armour};
    const char* picked[] = {key, primary1, primary2, secondary1, secondary2, armour};
    for (int i = 0; i < 6; ++i) {
        *texts[i] = picked[i] == nullptr ? NONE_TEXT : picked[i];
    }
    int32_t* checks[] = {&r.primaryAmmo, &r.secondaryAmmo, &r.flashbang1,  &r.flashbang2,
                         &r.heGrenade,   &r.smokeGrenade,  &r.nightvision, &r.defusalKit};
    for (int i = 0; i < 8; ++i) {
        *checks[i] = states[i] == 'x' ? -1 : states[i] - '0';
    }
    return r;
}

const char* const N = nullptr;
const char* const NOTHING = "\"ERROR:\" Nothing is selected!";

struct Step {
    SelectionReadings readings;
    const char* line;
};

// One composer through all steps, so a slot that is not overwritten shows.
void ExpectLines(const std::vector<Step>& steps) {
    BindLineComposer composer;
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(Compose(composer, steps[i].readings), steps[i].line) << "step " << i;
    }
}

TEST(Composer, EachCallShowsTheCurrentPicks) {
    ExpectLines({
        {Readings(N, N, N, N, N, N, "00000000"), NOTHING},
        {Readings("Q", "M4A1", N, "Desert Eagle", N, "Kevlar & Helmet", "11001000"),
         "bind \"q\" \"buy m4a1; buy primammo; buy deagle; buy secammo; buy vesthelm; "
         "buy hegrenade\""},
        // Repeats are kept; the armour comes before the grenades.
        {Readings("Key Pad Enter", "AK47", "AK47", N, "Dual Elites", "Kevlar", "00111111"),
         "bind \"kp_enter\" \"buy ak47; buy ak47; buy elite; buy vest; buy flashbang; "
         "buy flashbang; buy hegrenade; buy smokegrenade; buy nvgs; buy defuser\""},
        {Readings("Mouse Button 4 (Some Mice)", N, N, N, N, N, "00000000"), "bind \"mouse4\" \"\""},
        {Readings(N, N, "AWP", N, N, N, "00010000"), " \"buy awp; buy flashbang\""},
        {Readings(N, N, N, N, N, "Kevlar", "00000000"), " \"buy vest\""},
        {Readings(N, N, N, N, "Five Seven", N, "00000000"), " \"buy fiveseven\""},
        {Readings(N, N, N, N, N, N, "00000001"), " \"buy defuser\""},
        {Readings(N, "M4A1", N, N, N, N, "01000000"), " \"buy m4a1; buy secammo\""},
        {Readings(N, N, N, "Glock", N, N, "10000000"), " \"buy primammo; buy glock\""},
        {Readings("Right Quote", N, N, N, N, N, "00000000"), "bind \"\\\" \"\""},
        {Readings("Backslash", N, N, N, N, N, "00000000"), "bind \"\\\" \"\""},
        {Readings(N, N, N, N, N, N, "00000000"), NOTHING},
    });
}

// Readings that name no row and states other than 0 and 1 keep the slot
// from the previous call; everything else overwrites it.
TEST(Composer, UnreadableReadingsCarryOver) {
    ExpectLines({
        // At first the slots are empty.
        {Readings("q", "", N, N, N, "Helmet", "00002000"), NOTHING},
        {Readings("Q", "M3", N, N, N, "Kevlar", "00010000"),
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {Readings("", "m3", N, N, N, "Kevlar ", "000x0000"),
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {Readings("", "", N, N, N, "", "00070000"),
         "bind \"q\" \"buy m3; buy vest; buy flashbang\""},
        {Readings(N, N, N, N, N, N, "00010000"), " \"buy flashbang\""},
        {Readings(N, N, "Scout", N, N, N, "00030000"), " \"buy scout; buy flashbang\""},
        {Readings(N, N, N, N, N, N, "00000000"), NOTHING},
    });
}

} // namespace
