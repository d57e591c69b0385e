// Generate: the output box shows the bind line of exactly the current picks.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

struct GenerateCase {
    std::vector<std::string> combos; // key, primary 1 and 2, secondary 1 and 2, armour
    const char* checks;              // check boxes 12, 15 to 21
    const char* expected;
};

// Run in this order in one program: each row starts from the picks the row
// before left, so a slot that is not reset would show.
const GenerateCase generateCases[] = {
    {{}, "00000000", NOTHING_SELECTED_LINE},
    {{"Q", "M4A1", "", "Desert Eagle", "", "Kevlar & Helmet"},
     "11001000",
     "bind \"q\" \"buy m4a1; buy primammo; buy deagle; buy secammo; buy vesthelm; "
     "buy hegrenade\""},
    {{"Key Pad Enter", "AK47", "AK47", "", "Dual Elites", "Kevlar"},
     "00111111",
     "bind \"kp_enter\" \"buy ak47; buy ak47; buy elite; buy vest; buy flashbang; "
     "buy flashbang; buy hegrenade; buy smokegrenade; buy nvgs; buy defuser\""},
    {{"Mouse Button 4 (Some Mice)"}, "00000000", "bind \"mouse4\" \"\""},
    {{"", "", "AWP"}, "00010000", " \"buy awp; buy flashbang\""},
    {{"", "M4A1"}, "01000000", " \"buy m4a1; buy secammo\""},
    {{"", "", "", "Glock"}, "10000000", " \"buy primammo; buy glock\""},
    {{}, "00010000", " \"buy flashbang\""},
    {{"", "", "", "", "Five Seven"}, "00000000", " \"buy fiveseven\""},
    {{"", "", "", "", "", "Kevlar"}, "00000000", " \"buy vest\""},
    {{"Right Quote"}, "00000000", "bind \"\\\" \"\""},
    {{"Backslash"}, "00000001", "bind \"\\\" \"buy defuser\""},
    {{}, "00000000", NOTHING_SELECTED_LINE},
};

TEST_F(BrevoltTest, GenerateShowsExactlyTheCurrentPicks) {
    std::string shown = INITIAL_OUTPUT;
    for (const GenerateCase& generate : generateCases) {
        SCOPED_TRACE(generate.expected);
        ASSERT_NO_FATAL_FAILURE(Apply(app_, PicksOf(generate.combos, generate.checks)));
        ASSERT_TRUE(app_.Sync());
        EXPECT_EQ(Output(), shown) << "picking alone changed the output";
        ASSERT_TRUE(app_.Press(GENERATE));
        EXPECT_EQ(Output(), generate.expected);
        ASSERT_TRUE(app_.Press(GENERATE));
        EXPECT_EQ(Output(), generate.expected);
        shown = generate.expected;
    }
    EXPECT_FALSE(app_.HasMessageBox());
    EXPECT_FALSE(FileExists(WorkFile(L"autoexec.cfg")) || FileExists(WorkFile(L"buyscript.cfg")));
}

} // namespace
} // namespace e2e
