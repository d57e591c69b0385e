// Generate: the output box shows the bind line of exactly the current picks.
// How picks become a line is the composer's own test; this one shows that
// every gadget reaches its place in the line.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

struct GenerateCase {
    Picks picks;
    const char* expected;
};

// Run in this order in one program, so a pick left over would show.
const GenerateCase generateCases[] = {
    {{{"Key Pad Enter", "AK47", "M4A1", "Glock", "Dual Elites", "Kevlar & Helmet"}, "11111111"},
     "bind \"kp_enter\" \"buy ak47; buy m4a1; buy primammo; buy glock; buy elite; buy secammo; "
     "buy vesthelm; buy flashbang; buy flashbang; buy hegrenade; buy smokegrenade; buy nvgs; "
     "buy defuser\""},
    {{{"Backslash"}}, "bind \"\\\" \"\""},
    {{{"", "", "AWP"}, "00100000"}, " \"buy awp; buy flashbang\""},
    {{}, NOTHING_SELECTED_LINE},
};

TEST_F(BrevoltTest, GenerateShowsExactlyTheCurrentPicks) {
    std::string shown = INITIAL_OUTPUT;
    for (const GenerateCase& generate : generateCases) {
        SCOPED_TRACE(generate.expected);
        ASSERT_NO_FATAL_FAILURE(Apply(app_, generate.picks));
        ASSERT_TRUE(app_.Sync());
        EXPECT_EQ(Output(), shown) << "picking alone changed the output";
        ASSERT_TRUE(app_.Press(GENERATE));
        EXPECT_EQ(Output(), generate.expected);
        shown = generate.expected;
    }
    EXPECT_FALSE(app_.HasMessageBox());
    EXPECT_FALSE(FileExists(WorkFile(L"autoexec.cfg")) || FileExists(WorkFile(L"buyscript.cfg")));
}

} // namespace
} // namespace e2e
