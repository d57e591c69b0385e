// Generate: the output box shows the bind line of exactly the current picks.
#include "brevolt_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace e2e {
namespace {

const char* const NONE = "< none >";
const char* const NOTHING_SELECTED = "\"ERROR:\" Nothing is selected!";

struct Picks {
    const char* key;
    const char* primary1;
    const char* primary2;
    const char* secondary1;
    const char* secondary2;
    const char* armour;
    std::vector<int> checked; // check box gadgets, 12 and 15 to 21
    const char* expected;
};

// Run in this order in one program: each row starts from the picks the row
// before left, so a slot that is not reset would show.
const Picks generateCases[] = {
    {NONE, NONE, NONE, NONE, NONE, NONE, {}, NOTHING_SELECTED},
    {"Q",
     "M4A1",
     NONE,
     "Desert Eagle",
     NONE,
     "Kevlar & Helmet",
     {12, 15, 18},
     "bind \"q\" \"buy m4a1; buy primammo; buy deagle; buy secammo; buy vesthelm; "
     "buy hegrenade\""},
    {"Key Pad Enter",
     "AK47",
     "AK47",
     NONE,
     "Dual Elites",
     "Kevlar",
     {16, 17, 18, 19, 20, 21},
     "bind \"kp_enter\" \"buy ak47; buy ak47; buy elite; buy vest; buy flashbang; "
     "buy flashbang; buy hegrenade; buy smokegrenade; buy nvgs; buy defuser\""},
    {"Mouse Button 4 (Some Mice)", NONE, NONE, NONE, NONE, NONE, {}, "bind \"mouse4\" \"\""},
    {NONE, NONE, "AWP", NONE, NONE, NONE, {17}, " \"buy awp; buy flashbang\""},
    {NONE, "M4A1", NONE, NONE, NONE, NONE, {15}, " \"buy m4a1; buy secammo\""},
    {NONE, NONE, NONE, "Glock", NONE, NONE, {12}, " \"buy primammo; buy glock\""},
    {NONE, "M3", NONE, NONE, NONE, NONE, {17}, " \"buy m3; buy flashbang\""},
    {NONE, NONE, NONE, NONE, NONE, NONE, {17}, " \"buy flashbang\""},
    {NONE, NONE, NONE, NONE, "Five Seven", NONE, {}, " \"buy fiveseven\""},
    {NONE, NONE, NONE, NONE, NONE, "Kevlar", {}, " \"buy vest\""},
    {"Right Quote", NONE, NONE, NONE, NONE, NONE, {}, "bind \"\\\" \"\""},
    {NONE, NONE, NONE, NONE, NONE, NONE, {}, NOTHING_SELECTED},
};

class GenerateTest : public BrevoltTest {
  protected:
    void Apply(const Picks& picks) {
        const std::pair<int, const char*> combos[] = {
            {27, picks.key},        {22, picks.primary1},   {23, picks.primary2},
            {24, picks.secondary1}, {25, picks.secondary2}, {26, picks.armour},
        };
        for (const auto& [gadget, text] : combos) {
            ASSERT_TRUE(app_.Pick(gadget, text)) << "combo " << gadget << " entry " << text;
        }
        for (int gadget : {12, 15, 16, 17, 18, 19, 20, 21}) {
            const bool checked = std::count(picks.checked.begin(), picks.checked.end(), gadget);
            ASSERT_TRUE(SetCheck(app_.Gadget(gadget), checked));
        }
    }
};

TEST_F(GenerateTest, EachPressShowsTheCurrentPicks) {
    std::string shown = "Buy Script Output";
    for (const Picks& picks : generateCases) {
        SCOPED_TRACE(picks.expected);
        Apply(picks);
        ASSERT_TRUE(app_.Sync());
        EXPECT_EQ(Output(), shown) << "picking alone changed the output";
        ASSERT_TRUE(app_.Press(6));
        EXPECT_EQ(Output(), picks.expected);
        shown = picks.expected;
    }
    EXPECT_FALSE(app_.HasMessageBox());
}

TEST_F(GenerateTest, PressingAgainRepeatsTheLineAndWritesNoFile) {
    Apply(generateCases[1]);
    ASSERT_TRUE(app_.Press(6));
    ASSERT_TRUE(app_.Press(6));
    EXPECT_EQ(Output(), generateCases[1].expected);
    EXPECT_EQ(GetFileAttributesW(WorkFile(L"buyscript.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(WorkFile(L"autoexec.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace e2e
