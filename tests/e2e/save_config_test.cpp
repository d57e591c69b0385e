// Add and Save Config: the two files byte for byte, and how failures show.
#include "brevolt_fixture.h"

#include <string>
#include <vector>

namespace e2e {
namespace {

const std::string HEADER = "//" + std::string(79, ':') +
                           "\r\n"
                           "//:::CS: S buy script created with Brevolt by \"Oskerand\" v1.1, "
                           "Build 4:::\r\n"
                           "//" +
                           std::string(79, ':') +
                           "\r\n"
                           "\r\n";
const std::string AUTOEXEC = HEADER + "exec buyscript.cfg\r\n";
const std::string BUYSCRIPT_HEADER = HEADER + "//::::::::::::::::\r\n"
                                              "//:::Buy Script:::\r\n"
                                              "//::::::::::::::::\r\n"
                                              "\r\n";
const std::string FIRST_LINE = "bind \"q\" \"buy m4a1; buy primammo\"";
const std::string NOTHING_SELECTED = "\"ERROR:\" Nothing is selected!";

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class SaveConfigTest : public BrevoltTest {
  protected:
    void ExpectFiles(const std::string& buyscriptLines) {
        EXPECT_EQ(ReadFileBytes(WorkFile(L"autoexec.cfg")), AUTOEXEC);
        EXPECT_EQ(ReadFileBytes(WorkFile(L"buyscript.cfg")), BUYSCRIPT_HEADER + buyscriptLines);
    }
    void GenerateFirstLine() {
        ASSERT_TRUE(app_.Pick(27, "Q"));
        ASSERT_TRUE(app_.Pick(22, "M4A1"));
        ASSERT_TRUE(SetCheck(app_.Gadget(12), true));
        ASSERT_TRUE(app_.Press(6));
        ASSERT_EQ(Output(), FIRST_LINE);
    }
    void ExpectBoxes(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            MessageBoxSeen seen;
            ASSERT_TRUE(app_.WaitForMessageBox(&seen)) << "no box for: " << text;
            EXPECT_EQ(seen.title, "Error");
            EXPECT_EQ(seen.text, text);
            ASSERT_TRUE(app_.DismissMessageBox(seen.box));
        }
        ASSERT_TRUE(app_.Sync());
        EXPECT_FALSE(app_.HasMessageBox());
    }
};

TEST_F(SaveConfigTest, EmptyListGivesOnlyTheHeaders) {
    ASSERT_TRUE(app_.Press(9));
    EXPECT_FALSE(app_.HasMessageBox());
    ExpectFiles("");
}

TEST_F(SaveConfigTest, AddKeepsWhateverTheOutputShowsInOrder) {
    ASSERT_TRUE(app_.Press(8)); // before any Generate
    ASSERT_TRUE(app_.Press(6)); // nothing picked: the error line
    ASSERT_TRUE(app_.Press(8));
    GenerateFirstLine();
    ASSERT_TRUE(app_.Press(8));
    ASSERT_TRUE(app_.Press(8));
    ASSERT_TRUE(app_.Press(9));
    EXPECT_FALSE(app_.HasMessageBox());
    ExpectFiles(Lines({"Buy Script Output", NOTHING_SELECTED, FIRST_LINE, FIRST_LINE}));
}

TEST_F(SaveConfigTest, SavingAgainRewritesBothFilesFromScratch) {
    const std::string leftover(6000, 'x');
    ASSERT_TRUE(WriteFileBytes(WorkFile(L"autoexec.cfg"), leftover));
    ASSERT_TRUE(WriteFileBytes(WorkFile(L"buyscript.cfg"), leftover));
    GenerateFirstLine();
    ASSERT_TRUE(app_.Press(8));
    ASSERT_TRUE(app_.Press(9));
    ExpectFiles(Lines({FIRST_LINE}));

    ASSERT_TRUE(app_.Press(6));
    ASSERT_TRUE(app_.Press(8));
    ASSERT_TRUE(app_.Press(9));
    ExpectFiles(Lines({FIRST_LINE, FIRST_LINE}));
    EXPECT_EQ(Output(), FIRST_LINE);
}

struct LockCase {
    bool lockAutoexec;
    bool lockBuyscript;
    std::vector<std::string> boxes;
};

class LockedFileTest : public SaveConfigTest, public ::testing::WithParamInterface<LockCase> {};

// A locked file is reported and left alone; the other one is still written.
TEST_P(LockedFileTest, ReportsEachLockedFileAndWritesTheOther) {
    const LockCase& lockCase = GetParam();
    GenerateFirstLine();
    ASSERT_TRUE(app_.Press(8));
    {
        FileLock autoexecLock(lockCase.lockAutoexec ? WorkFile(L"autoexec.cfg") : L"");
        FileLock buyscriptLock(lockCase.lockBuyscript ? WorkFile(L"buyscript.cfg") : L"");
        ASSERT_EQ(autoexecLock.Held(), lockCase.lockAutoexec);
        ASSERT_EQ(buyscriptLock.Held(), lockCase.lockBuyscript);
        ASSERT_TRUE(PostMessageW(app_.Gadget(9), BM_CLICK, 0, 0));
        ExpectBoxes(lockCase.boxes);
    }
    EXPECT_EQ(ReadFileBytes(WorkFile(L"autoexec.cfg")), lockCase.lockAutoexec ? "" : AUTOEXEC);
    EXPECT_EQ(ReadFileBytes(WorkFile(L"buyscript.cfg")),
              lockCase.lockBuyscript ? "" : BUYSCRIPT_HEADER + Lines({FIRST_LINE}));
    EXPECT_TRUE(app_.Running());
}

INSTANTIATE_TEST_SUITE_P(
    Locks, LockedFileTest,
    ::testing::Values(
        LockCase{true, false, {"Can't create \"autoexec.cfg\"!"}},
        LockCase{false, true, {"Can't create \"buyscript.cfg\"!"}},
        LockCase{
            true, true, {"Can't create \"autoexec.cfg\"!", "Can't create \"buyscript.cfg\"!"}}));

// BREVOLT_FULL_FOLDER names a folder on a device with no free space left,
// where files can be created but not filled.
TEST(SaveConfigOnFullDevice, ReportsBothFilesThatCouldNotBeWritten) {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"BREVOLT_FULL_FOLDER", value, MAX_PATH) == 0) {
        GTEST_SKIP() << "BREVOLT_FULL_FOLDER is not set";
    }
    const std::wstring folder = WindowsPath(value);
    ScratchFolder logFolder;
    Brevolt app;
    ASSERT_TRUE(app.Start(folder, logFolder.File(L"brevolt.log")));
    ASSERT_TRUE(PostMessageW(app.Gadget(9), BM_CLICK, 0, 0));
    for (const char* text : {"Can't write \"autoexec.cfg\"!", "Can't write \"buyscript.cfg\"!"}) {
        MessageBoxSeen seen;
        ASSERT_TRUE(app.WaitForMessageBox(&seen)) << text;
        EXPECT_EQ(seen.title, "Error");
        EXPECT_EQ(seen.text, text);
        ASSERT_TRUE(app.DismissMessageBox(seen.box));
    }
    ASSERT_TRUE(app.Sync());
    EXPECT_FALSE(app.HasMessageBox());
    DeleteFileW((folder + L"\\autoexec.cfg").c_str());
    DeleteFileW((folder + L"\\buyscript.cfg").c_str());
}

} // namespace
} // namespace e2e
