// Save Config when things go wrong: names taken by folders or by other
// programs. The program reports each failure, keeps running, and loses
// nothing added.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

const char* const CANT_CREATE_AUTOEXEC = "Can't create \"autoexec.cfg\"!";
const char* const CANT_CREATE_BUYSCRIPT = "Can't create \"buyscript.cfg\"!";

// Adds what the output box shows `times` times; the clicks are posted
// together and handled in order.
void AddShown(Brevolt& app, int times, std::vector<std::string>* added) {
    const std::string line = TextOf(app.Gadget(OUTPUT));
    for (int time = 0; time < times; ++time) {
        ASSERT_TRUE(app.PressNoWait(ADD));
        added->push_back(line);
    }
    ASSERT_TRUE(app.Sync());
}

enum Obstacle { NONE, FOLDER, LOCK };

struct FaultCase {
    const char* name;
    Obstacle obstacles[2]; // in the way of autoexec.cfg and buyscript.cfg
    std::vector<std::string> boxes;
};

const FaultCase faultCases[] = {
    {"autoexec.cfg locked", {LOCK, NONE}, {CANT_CREATE_AUTOEXEC}},
    {"buyscript.cfg a folder", {NONE, FOLDER}, {CANT_CREATE_BUYSCRIPT}},
    {"folder and lock", {FOLDER, LOCK}, {CANT_CREATE_AUTOEXEC, CANT_CREATE_BUYSCRIPT}},
};

// Each file that cannot be created is reported, in file order; the other is
// written; the program goes on answering, and once the obstacle is gone the
// next save writes every line added before and after the failure.
void ExpectFaultReported(const FaultCase& fault) {
    ScratchFolder scratch;
    const std::wstring folder = scratch.File(L"work");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring paths[] = {folder + L"\\autoexec.cfg", folder + L"\\buyscript.cfg"};
    Brevolt app;
    ASSERT_TRUE(app.Start(folder, scratch.File(L"brevolt.log")));
    std::vector<std::string> added;
    ASSERT_NO_FATAL_FAILURE(AddShown(app, 2, &added));
    HANDLE locks[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
    for (int file = 0; file < 2; ++file) {
        if (fault.obstacles[file] == FOLDER) {
            ASSERT_TRUE(CreateDirectoryW(paths[file].c_str(), nullptr));
        } else if (fault.obstacles[file] == LOCK) {
            locks[file] = HoldFileExclusively(paths[file]);
            ASSERT_NE(locks[file], INVALID_HANDLE_VALUE);
        }
    }
    ASSERT_TRUE(app.PressNoWait(SAVE_CONFIG));
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBoxes(app, fault.boxes));
    const std::string expected[] = {AutoexecFile(), BuyscriptFile(added)};
    for (int file = 0; file < 2; ++file) {
        if (fault.obstacles[file] == NONE) {
            EXPECT_EQ(ReadFileBytes(paths[file]), expected[file]);
        }
    }
    ASSERT_TRUE(app.Press(GENERATE));
    ASSERT_NO_FATAL_FAILURE(AddShown(app, 1, &added));
    for (int file = 0; file < 2; ++file) {
        CloseHandle(locks[file]);
        if (fault.obstacles[file] == FOLDER) {
            ASSERT_TRUE(RemoveDirectoryW(paths[file].c_str()));
        }
    }
    ASSERT_TRUE(app.Press(SAVE_CONFIG));
    EXPECT_FALSE(app.HasMessageBox());
    EXPECT_EQ(ReadFileBytes(paths[0]), AutoexecFile());
    EXPECT_EQ(ReadFileBytes(paths[1]), BuyscriptFile(added));
    ASSERT_TRUE(app.PressNoWait(QUIT));
    ExpectExitCodeZero(app);
}

TEST(SaveFaults, ReportEachFileInOrderAndKeepEveryLine) {
    for (const FaultCase& fault : faultCases) {
        SCOPED_TRACE(fault.name);
        ExpectFaultReported(fault);
    }
}

} // namespace
} // namespace e2e
