// Add and Save Config: the two files byte for byte. Failures are in
// faults_test.cpp.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

TEST_F(BrevoltTest, AddKeepsWhatTheOutputShowsAndEachSaveRewritesBothFiles) {
    // Left by an earlier, longer save: each save starts the files afresh.
    const std::string leftover(6000, 'x');
    ASSERT_TRUE(WriteFileBytes(WorkFile(L"autoexec.cfg"), leftover));
    ASSERT_TRUE(WriteFileBytes(WorkFile(L"buyscript.cfg"), leftover));
    ASSERT_TRUE(app_.Press(SAVE_CONFIG));
    EXPECT_EQ(ReadFileBytes(WorkFile(L"autoexec.cfg")), AutoexecFile());
    EXPECT_EQ(ReadFileBytes(WorkFile(L"buyscript.cfg")), BuyscriptFile({}));

    const std::string first = "bind \"q\" \"buy m4a1; buy primammo\"";
    ASSERT_TRUE(app_.Press(ADD)); // before any Generate
    ASSERT_TRUE(app_.Press(GENERATE));
    ASSERT_TRUE(app_.Press(ADD)); // the error line
    ASSERT_NO_FATAL_FAILURE(Apply(app_, {{"Q", "M4A1"}, "10000000"}));
    ASSERT_TRUE(app_.Press(GENERATE));
    ASSERT_EQ(Output(), first);
    ASSERT_TRUE(app_.Press(ADD));
    ASSERT_TRUE(app_.Press(ADD));
    ASSERT_TRUE(app_.Press(SAVE_CONFIG));
    const std::vector<std::string> added = {INITIAL_OUTPUT, NOTHING_SELECTED_LINE, first, first};
    EXPECT_EQ(ReadFileBytes(WorkFile(L"autoexec.cfg")), AutoexecFile());
    EXPECT_EQ(ReadFileBytes(WorkFile(L"buyscript.cfg")), BuyscriptFile(added));

    ASSERT_TRUE(app_.Press(SAVE_CONFIG));
    EXPECT_EQ(ReadFileBytes(WorkFile(L"autoexec.cfg")), AutoexecFile());
    EXPECT_EQ(ReadFileBytes(WorkFile(L"buyscript.cfg")), BuyscriptFile(added));
    EXPECT_EQ(Output(), first);
    EXPECT_FALSE(app_.HasMessageBox());
}

} // namespace
} // namespace e2e
